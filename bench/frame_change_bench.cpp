// Pages through a film of 24-megapixel photographs on a 1920 x 1080 screen, on the Qt host
// under the offscreen platform, and prints what a frame change costs as ratios to D, the
// time `djpeg -outfile /dev/null` takes to decode one of the photographs at full size.
//
//   frame change   from the PageDown key to the first move of the slide painted
//   measuring load one load of the measuring box (it reads only the file's header)
//   move 24MP/2MP  one painted move with 24-megapixel sources against 2-megapixel ones
//   memory         peak memory growth during a frame change, in window-sized buffers
//                  (1920 x 1080 x 4 bytes)
#include <QApplication>
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRadialGradient>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "editions/kadroskop/kadroskop.h"
#include "forms/environment.h"
#include "forms/files.h"
#include "forms/qt/qt_host.h"
#include "forms/runtime.h"
#include "viewer/form1.h"

namespace {

using Clock = std::chrono::steady_clock;

double ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// A picture with the detail of a photograph: soft shapes and light, and sensor grain, so the
// JPEG's entropy decoding costs what a real photo's does.
void writePhoto(const std::string& path, int w, int h, unsigned seed) {
    QImage img(w, h, QImage::Format_RGB32);
    std::mt19937 rng(seed);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient sky(0, 0, 0, h);
        sky.setColorAt(0, QColor(60 + seed * 20 % 100, 110, 170));
        sky.setColorAt(1, QColor(200, 170, 120));
        p.fillRect(img.rect(), sky);
        std::uniform_int_distribution<int> x(0, w), y(0, h), r(w / 40, w / 6), c(0, 255);
        for (int i = 0; i < 60; ++i) {
            const int cx = x(rng), cy = y(rng), rad = r(rng);
            QRadialGradient g(cx, cy, rad);
            g.setColorAt(0, QColor(c(rng), c(rng), c(rng), 200));
            g.setColorAt(1, QColor(c(rng), c(rng), c(rng), 0));
            p.setBrush(g);
            p.setPen(Qt::NoPen);
            p.drawEllipse(QPoint(cx, cy), rad, rad);
        }
    }
    std::normal_distribution<float> grain(0.0f, 9.0f);
    for (int j = 0; j < h; ++j) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(j));
        for (int i = 0; i < w; ++i) {
            const int n = static_cast<int>(grain(rng));
            const QRgb c = line[i];
            line[i] = qRgb(std::clamp(qRed(c) + n, 0, 255), std::clamp(qGreen(c) + n, 0, 255),
                           std::clamp(qBlue(c) + n, 0, 255));
        }
    }
    img.save(QString::fromStdString(path), "JPEG", 90);
}

double djpegMs(const std::string& path) {
    const auto t0 = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execlp("djpeg", "djpeg", "-outfile", "/dev/null", path.c_str(), nullptr);
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "djpeg failed (is libjpeg-turbo-progs installed?)\n");
        std::exit(1);
    }
    return ms(Clock::now() - t0);
}

long kibFromStatus(const char* key) {
    std::ifstream f("/proc/self/status");
    std::string line;
    while (std::getline(f, line))
        if (line.rfind(key, 0) == 0)
            return std::atol(line.c_str() + std::string(key).size());
    return 0;
}

// Forgets the peak of the resident set so far, so the next reading is the peak from now on.
void resetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

class FakeEnvironment final : public forms::Environment {
  public:
    std::string get(std::string_view) const override { return {}; }
};

struct Film {
    std::vector<double> changeMs; // key to the first move painted
    std::vector<double> moveMs;   // one painted move, after the first
    std::vector<double> peakGrowthKib;
};

Film pageThrough(const std::string& folder, const std::vector<std::string>& names, int changes) {
    forms::FileSystem files(forms::DriveTable{{{'C', folder}}}, folder);
    FakeEnvironment env;
    forms::qt::QtHostOptions options;
    options.screen = QRect(0, 0, 1920, 1080);
    options.refreshHz = 1e9; // measure the work, not the pacing to a display
    forms::qt::QtHost host(options);
    forms::Runtime rt(host, files, env);
    viewer::Module1 module;
    editions::install(rt, module, editions::kadroskop());
    rt.start();

    // The film as an accepted opening leaves it.
    auto& f1 = rt.form<viewer::Form1>("Form1");
    module.frameFile = {""};
    for (const auto& n : names)
        module.frameFile.push_back(n);
    module.frameCount = static_cast<int>(names.size());
    module.curFrame = 1;
    f1.fitMode = true;
    f1.Picture5.BackColor = 0x000000u;
    f1.razmer();
    f1.picW = f1.Picture2.Width;
    f1.picH = f1.Picture2.Height;
    f1.Picture6.Visible = true;
    f1.Image11.Picture = rt.loadPicture(names.front()).value();
    rt.doEvents();

    Film film;
    std::vector<Clock::time_point> paints;
    host.onPainted = [&](const forms::Form& f) {
        if (&f == &f1)
            paints.push_back(Clock::now());
    };
    for (int k = 0; k < changes; ++k) {
        const bool forward = module.curFrame < module.frameCount;
        paints.clear();
        resetPeak();
        const long rssBefore = kibFromStatus("VmRSS:");
        const auto t0 = Clock::now();
        rt.keyDown(f1, forward ? 34 : 33);
        rt.keyUp(f1, forward ? 34 : 33);
        film.peakGrowthKib.push_back(static_cast<double>(kibFromStatus("VmHWM:") - rssBefore));
        if (paints.empty())
            continue;
        film.changeMs.push_back(ms(paints.front() - t0));
        for (std::size_t i = 2; i + 1 < paints.size(); ++i)
            film.moveMs.push_back(ms(paints[i] - paints[i - 1]));
    }
    return film;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    char tmpl[] = "/tmp/frame-bench-XXXXXX";
    if (!mkdtemp(tmpl))
        return 1;
    const std::string big = std::string(tmpl) + "/big", small = std::string(tmpl) + "/small";
    std::filesystem::create_directories(big);
    std::filesystem::create_directories(small);
    std::vector<std::string> names = {"a.jpg", "b.jpg", "c.jpg"};
    std::fprintf(stderr, "writing the photographs...\n");
    for (unsigned i = 0; i < names.size(); ++i) {
        writePhoto(big + "/" + names[i], 6000, 4000, i + 1);
        writePhoto(small + "/" + names[i], 1732, 1155, i + 1);
    }

    std::vector<double> d;
    for (int i = 0; i < 5; ++i)
        d.push_back(djpegMs(big + "/" + names[0]));
    const double D = median(d);

    // The measuring box's load: the runtime's picture load of a frame.
    std::vector<double> loads;
    {
        forms::FileSystem files(forms::DriveTable{{{'C', big}}}, big);
        for (int i = 0; i < 50; ++i) {
            const auto t0 = Clock::now();
            auto r = forms::PictureData::fromFile(big + "/" + names[i % 3]);
            loads.push_back(ms(Clock::now() - t0));
            if (!r)
                return 1;
        }
    }

    const Film bigFilm = pageThrough(big, names, 8);
    const Film smallFilm = pageThrough(small, names, 8);
    const double window = 1920.0 * 1080 * 4 / 1024;

    std::printf("D (djpeg, 6000x4000 JPEG)       %8.1f ms\n", D);
    std::printf("frame change, key to first move  %8.1f ms  %5.2f D   (limit 2.5 D)\n",
                median(bigFilm.changeMs), median(bigFilm.changeMs) / D);
    std::printf("measuring box load               %8.3f ms  %5.3f D   (limit 0.01 D)\n",
                median(loads), median(loads) / D);
    std::printf("painted move, 24 MP sources      %8.2f ms\n", median(bigFilm.moveMs));
    std::printf("painted move, 2 MP sources       %8.2f ms  ratio %4.2f   (limit 1.3)\n",
                median(smallFilm.moveMs), median(bigFilm.moveMs) / median(smallFilm.moveMs));
    // The first change meets a heap that holds nothing of earlier decodes: its growth is the
    // honest one; later ones reuse memory the allocator kept.
    const double firstGrowth = bigFilm.peakGrowthKib.empty() ? 0 : bigFilm.peakGrowthKib[0];
    std::printf("peak memory growth, first change %8.1f MiB %5.2f x W*H*4 (limit 6)\n",
                firstGrowth / 1024, firstGrowth / window);
    std::printf("peak memory growth, median       %8.1f MiB %5.2f x W*H*4\n",
                median(bigFilm.peakGrowthKib) / 1024, median(bigFilm.peakGrowthKib) / window);
    std::filesystem::remove_all(tmpl);
    return 0;
}
