// Loads every file of the bad-picture corpus, and an ordinary 4000 x 3000 photograph, and
// draws each at its own size, fitted into a frame window and as a preview. Prints the time
// and the peak memory each file takes, and fails when one takes more than 2 s or 512 MB.
//
//   picture_files_bench [NAME...]   only the files whose names contain one of the words
#include <QImage>
#include <QPainter>

#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "forms/picture.h"
#include "tests/corpus/peak_memory.h"
#include "tests/corpus/picture_corpus.h"
#include "tests/support/temp_dir.h"
#include "tests/unit/picture_fixtures.h"

namespace {

constexpr double kMostSeconds = 2.0;
constexpr std::int64_t kMostBytes = 512LL << 20;

// Soft shapes and sensor grain, so that its JPEG data costs what a photograph's does.
QByteArray photograph(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    {
        QPainter p(&img);
        QLinearGradient sky(0, 0, 0, h);
        sky.setColorAt(0, QColor(70, 110, 170));
        sky.setColorAt(1, QColor(200, 170, 120));
        p.fillRect(img.rect(), sky);
        p.setBrush(QColor(40, 90, 50));
        p.drawEllipse(QRect(w / 5, h / 2, w / 2, h / 3));
    }
    std::mt19937 random(3);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int n = static_cast<int>(random() % 24) - 12;
            const QRgb c = row[x];
            row[x] = qRgb(std::clamp(qRed(c) + n, 0, 255), std::clamp(qGreen(c) + n, 0, 255),
                          std::clamp(qBlue(c) + n, 0, 255));
        }
    }
    return picture_fixtures::encode(img, "JPEG");
}

} // namespace

int main(int argc, char** argv) {
    std::vector<picture_corpus::Entry> files = picture_corpus::corpus();
    files.push_back(
        {"photograph-4000x3000.jpg", photograph(4000, 3000), picture_corpus::Outcome::Drawn});
    const testing_support::TempDir dir;
    int broken = 0;
    std::printf("%-40s %12s %8s %8s  %s\n", "file", "bytes", "ms", "MB", "drawn");
    for (const picture_corpus::Entry& e : files) {
        bool wanted = argc < 2;
        for (int i = 1; i < argc; ++i)
            wanted = wanted || e.name.find(argv[i]) != std::string::npos;
        if (!wanted)
            continue;
        const std::string path = picture_corpus::write(e, dir.path());
        std::string drawn;
        const picture_corpus::PeakMemory memory;
        const auto began = std::chrono::steady_clock::now();
        {
            const auto loaded = forms::PictureData::fromFile(path);
            if (!loaded) {
                drawn = "refused: " + loaded.reason();
            } else {
                const forms::Picture& p = loaded.value();
                const QSize own(p->widthPx(), p->heightPx());
                for (const QSize size :
                     {own, picture_corpus::fitted(own, picture_corpus::kFrameWindow),
                      picture_corpus::fitted(own, picture_corpus::kPreview)})
                    drawn += p->scaled(size).isNull() ? "-" : "+";
            }
        }
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
        const std::int64_t bytes = memory.rise();
        const bool over = seconds > kMostSeconds || bytes > kMostBytes;
        broken += over ? 1 : 0;
        std::printf("%-40s %12lld %8.0f %8.0f  %s%s\n", e.name.c_str(),
                    static_cast<long long>(e.size()), seconds * 1000, bytes / 1048576.0,
                    drawn.c_str(), over ? "  OVER THE LIMIT" : "");
        std::fflush(stdout);
        std::remove(path.c_str());
    }
    if (broken)
        std::printf("%d file(s) over %.0f s or %lld MB\n", broken, kMostSeconds,
                    static_cast<long long>(kMostBytes >> 20));
    return broken ? 1 : 0;
}
