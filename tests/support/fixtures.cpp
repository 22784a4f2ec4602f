#include "tests/support/fixtures.h"

#include <QColor>
#include <QGuiApplication>
#include <QImage>

#include <cmath>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace testing_support {

void ensureQtApp() {
    if (QCoreApplication::instance())
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char arg0[] = "tests";
    static char* argv[] = {arg0, nullptr};
    static QGuiApplication app(argc, argv);
}

namespace {

// Qt reads GIF but does not write it: a minimal GIF87a writer with a one-colour picture.
// The image data stays uncompressed LZW: a clear code before every 254 pixels keeps all codes
// at 9 bits.
void writeGif(const std::string& path, int w, int h, std::uint32_t rgb) {
    std::vector<unsigned char> out = {'G', 'I', 'F', '8', '7', 'a'};
    auto u16 = [&](int v) {
        out.push_back(static_cast<unsigned char>(v & 0xFF));
        out.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
    };
    u16(w);
    u16(h);
    out.push_back(0xF7); // global colour table of 256 entries
    out.push_back(0);
    out.push_back(0);
    for (int i = 0; i < 256; ++i) {
        const std::uint32_t c = i == 0 ? rgb : 0;
        out.push_back(static_cast<unsigned char>((c >> 16) & 0xFF));
        out.push_back(static_cast<unsigned char>((c >> 8) & 0xFF));
        out.push_back(static_cast<unsigned char>(c & 0xFF));
    }
    out.push_back(',');
    u16(0);
    u16(0);
    u16(w);
    u16(h);
    out.push_back(0);
    out.push_back(8); // LZW minimum code size
    std::vector<unsigned char> data;
    std::uint32_t acc = 0;
    int bits = 0;
    auto code = [&](unsigned v) {
        acc |= v << bits;
        bits += 9;
        while (bits >= 8) {
            data.push_back(static_cast<unsigned char>(acc & 0xFF));
            acc >>= 8;
            bits -= 8;
        }
    };
    const long total = static_cast<long>(w) * h;
    for (long i = 0; i < total; ++i) {
        if (i % 254 == 0)
            code(256);
        code(0);
    }
    code(257);
    if (bits > 0)
        data.push_back(static_cast<unsigned char>(acc & 0xFF));
    for (std::size_t i = 0; i < data.size(); i += 255) {
        const std::size_t n = std::min<std::size_t>(255, data.size() - i);
        out.push_back(static_cast<unsigned char>(n));
        out.insert(out.end(), data.begin() + static_cast<long>(i),
                   data.begin() + static_cast<long>(i + n));
    }
    out.push_back(0);
    out.push_back(';');
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    if (!f)
        throw std::runtime_error("cannot write fixture " + path);
}

} // namespace

void writePicture(const std::string& path, int w, int h, std::uint32_t rgb) {
    ensureQtApp();
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(QColor::fromRgb(rgb));
    const auto dot = path.rfind('.');
    const std::string ext = dot == std::string::npos ? "" : path.substr(dot + 1);
    if (ext == "gif") {
        writeGif(path, w, h, rgb);
        return;
    }
    const char* format = ext == "jpg" ? "JPEG" : "BMP";
    if (!img.save(QString::fromStdString(path), format))
        throw std::runtime_error("cannot write fixture " + path);
}

int pixelsForMeasured(float twips) {
    return static_cast<int>(std::lround((twips - 60.0f) / 15.0f));
}

} // namespace testing_support
