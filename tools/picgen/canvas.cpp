#include "canvas.h"

#include <QFile>

#include <algorithm>
#include <cmath>
#include <vector>

namespace picgen {

std::uint64_t Rng::next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Rng::uniform() {
    return double(next() >> 11) * (1.0 / 9007199254740992.0);
}

double Rng::gauss() {
    // Sum of four uniforms: close enough to normal for grain, and identical everywhere.
    double s = uniform() + uniform() + uniform() + uniform();
    return (s - 2.0) * std::sqrt(3.0);
}

QColor mix(const QColor& a, const QColor& b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t),
                            float(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

QColor shade(const QColor& c, double factor) {
    if (factor <= 1.0)
        return mix(QColor(0, 0, 0, c.alpha()), c, factor);
    return mix(c, QColor(255, 255, 255, c.alpha()), factor - 1.0);
}

void setStops(QGradient& g, Stops stops) {
    for (const auto& [at, colour] : stops)
        g.setColorAt(at, colour);
}

void setMetalStops(QGradient& g, Finish finish, const QColor& env) {
    switch (finish) {
    case Finish::Chrome:
        setStops(g, {{0.00, QColor(40, 38, 38)},
                     {0.07, QColor(110, 108, 108)},
                     {0.17, QColor(246, 246, 246)},
                     {0.25, QColor(205, 205, 205)},
                     {0.40, QColor(120, 118, 118)},
                     {0.56, mix(QColor(90, 80, 80), env, 0.7)},
                     {0.74, mix(QColor(30, 26, 26), env, 0.3)},
                     {0.90, QColor(58, 52, 52)},
                     {0.96, mix(QColor(150, 140, 140), env, 0.4)},
                     {1.00, QColor(40, 34, 34)}});
        break;
    case Finish::BlackMetal:
        setStops(g, {{0.00, QColor(6, 6, 6)},
                     {0.12, QColor(40, 40, 42)},
                     {0.20, QColor(96, 96, 100)},
                     {0.28, QColor(42, 42, 44)},
                     {0.55, mix(QColor(20, 20, 20), env, 0.2)},
                     {0.85, QColor(14, 14, 14)},
                     {0.95, mix(QColor(40, 36, 36), env, 0.35)},
                     {1.00, QColor(8, 8, 8)}});
        break;
    case Finish::Brass:
        setStops(g, {{0.00, QColor(48, 30, 8)},
                     {0.08, QColor(130, 90, 30)},
                     {0.17, QColor(255, 236, 170)},
                     {0.24, QColor(226, 182, 90)},
                     {0.42, QColor(176, 124, 44)},
                     {0.60, mix(QColor(120, 80, 26), env, 0.3)},
                     {0.80, QColor(62, 38, 10)},
                     {0.93, QColor(120, 84, 34)},
                     {1.00, QColor(40, 24, 6)}});
        break;
    case Finish::BlackEnamel:
        setStops(g, {{0.00, QColor(4, 4, 4)},
                     {0.10, QColor(30, 28, 26)},
                     {0.18, QColor(78, 74, 70)},
                     {0.26, QColor(28, 26, 24)},
                     {0.60, mix(QColor(14, 13, 12), env, 0.2)},
                     {0.90, QColor(20, 18, 16)},
                     {1.00, QColor(6, 6, 6)}});
        break;
    }
}

QTransform fitTransform(const QSizeF& device, const QSizeF& scene) {
    const double s = std::min(device.width() / scene.width(), device.height() / scene.height());
    QTransform t;
    t.translate((device.width() - scene.width() * s) / 2,
                (device.height() - scene.height() * s) / 2);
    t.scale(s, s);
    return t;
}

namespace {

// One box pass along rows (horizontal) or columns, radius r, edges clamped.
void boxPass(QImage& img, int r, bool horizontal) {
    const int w = img.width(), h = img.height();
    const int len = horizontal ? w : h, lines = horizontal ? h : w;
    std::vector<std::uint32_t> line(static_cast<std::size_t>(len));
    const int window = 2 * r + 1;
    for (int l = 0; l < lines; ++l) {
        auto px = [&](int i) -> QRgb* {
            return horizontal ? reinterpret_cast<QRgb*>(img.scanLine(l)) + i
                              : reinterpret_cast<QRgb*>(img.scanLine(i)) + l;
        };
        for (int i = 0; i < len; ++i)
            line[std::size_t(i)] = *px(i);
        std::uint32_t sum[4] = {0, 0, 0, 0};
        auto add = [&](std::uint32_t v, int sign) {
            for (int c = 0; c < 4; ++c)
                sum[c] += std::uint32_t(sign) * ((v >> (8 * c)) & 0xFF);
        };
        for (int i = -r; i <= r; ++i)
            add(line[std::size_t(std::clamp(i, 0, len - 1))], 1);
        for (int i = 0; i < len; ++i) {
            std::uint32_t out = 0;
            for (int c = 0; c < 4; ++c)
                out |= ((sum[c] + std::uint32_t(window / 2)) / std::uint32_t(window)) << (8 * c);
            *px(i) = out;
            add(line[std::size_t(std::clamp(i + r + 1, 0, len - 1))], 1);
            add(line[std::size_t(std::clamp(i - r, 0, len - 1))], -1);
        }
    }
}

} // namespace

void blur(QImage& image, double radius) {
    // Three box passes of radius r have a deviation of about r; split the requested radius.
    const int r = std::max(0, int(std::lround(radius / 1.7)));
    if (r == 0)
        return;
    for (int pass = 0; pass < 3; ++pass) {
        boxPass(image, r, true);
        boxPass(image, r, false);
    }
}

void drawSoft(QPainter& p, double radius, const std::function<void(QPainter&)>& draw,
              double opacity, QPainter::CompositionMode mode) {
    const QSize size(p.device()->width(), p.device()->height());
    QImage layer(size, QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    const QTransform xf = p.transform();
    {
        QPainter lp(&layer);
        lp.setRenderHint(QPainter::Antialiasing);
        lp.setTransform(xf);
        draw(lp);
    }
    blur(layer, radius * std::sqrt(std::abs(xf.determinant())));
    p.save();
    p.resetTransform();
    p.setOpacity(opacity);
    p.setCompositionMode(mode);
    p.drawImage(0, 0, layer);
    p.restore();
}

Surface::Surface(QSize out, int factor, const QSizeF& scene)
    : out_(out), big_(out * factor, QImage::Format_ARGB32_Premultiplied) {
    big_.fill(Qt::black);
    scene_ = fitTransform(QSizeF(big_.size()), scene);
}

QImage Surface::result() const {
    return big_.scaled(out_, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_RGB32);
}

void addGrain(QImage& image, double amount, std::uint64_t seed) {
    Rng rng(seed);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = row[x];
            const int r = qRed(c), g = qGreen(c), b = qBlue(c);
            const double lum = (0.3 * r + 0.59 * g + 0.11 * b) / 255.0;
            // Grain is strongest in the mid tones, and gone in true black.
            const double weight = std::min(1.0, lum * 12.0) * (1.0 - 0.5 * lum);
            const double n = rng.gauss() * amount * weight;
            const double chroma = amount * 0.25 * weight;
            auto ch = [&](int v, double extra) {
                return std::clamp(int(std::lround(v + n + extra)), 0, 255);
            };
            row[x] = qRgb(ch(r, rng.gauss() * chroma), ch(g, rng.gauss() * chroma),
                          ch(b, rng.gauss() * chroma));
        }
    }
}

void vignette(QImage& image, double strength) {
    const double cx = image.width() / 2.0, cy = image.height() / 2.0;
    const double norm = std::hypot(cx, cy);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy) / norm;
            const double f = 1.0 - strength * std::pow(d, 2.4);
            const QRgb c = row[x];
            row[x] = qRgb(int(qRed(c) * f), int(qGreen(c) * f), int(qBlue(c) * f));
        }
    }
}

bool writeBmp24(const QImage& source, const QString& path) {
    const QImage img = source.convertToFormat(QImage::Format_RGB888);
    const int w = img.width(), h = img.height();
    const int stride = (w * 3 + 3) & ~3;
    const std::uint32_t dataSize = std::uint32_t(stride) * std::uint32_t(h);
    QByteArray out;
    auto u16 = [&](std::uint32_t v) {
        out.append(char(v & 0xFF));
        out.append(char((v >> 8) & 0xFF));
    };
    auto u32 = [&](std::uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    };
    // BITMAPFILEHEADER
    out.append("BM");
    u32(14 + 40 + dataSize);
    u32(0);
    u32(14 + 40);
    // BITMAPINFOHEADER: bottom-up rows, 24 bits, no compression, 96 dpi.
    u32(40);
    u32(std::uint32_t(w));
    u32(std::uint32_t(h));
    u16(1);
    u16(24);
    u32(0);
    u32(dataSize);
    u32(3780);
    u32(3780);
    u32(0);
    u32(0);
    for (int y = h - 1; y >= 0; --y) {
        const uchar* row = img.constScanLine(y);
        for (int x = 0; x < w; ++x) {
            out.append(char(row[3 * x + 2]));
            out.append(char(row[3 * x + 1]));
            out.append(char(row[3 * x]));
        }
        for (int pad = w * 3; pad < stride; ++pad)
            out.append('\0');
    }
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(out) == out.size();
}

bool writeJpeg(const QImage& image, const QString& path, int quality) {
    return image.convertToFormat(QImage::Format_RGB32).save(path, "JPEG", quality);
}

} // namespace picgen
