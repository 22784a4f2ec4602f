#include "bench/photos.h"

#include "bench/bench_support.h"

#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

namespace bench {

void writePhoto(const std::string& path, int w, int h, unsigned seed) {
    QImage img(w, h, QImage::Format_RGB32);
    std::mt19937 rng(seed);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient sky(0, 0, 0, h);
        sky.setColorAt(0, QColor(60 + static_cast<int>(seed * 20 % 100), 110, 170));
        sky.setColorAt(1, QColor(200, 170, 120));
        p.fillRect(img.rect(), sky);
        const int side = std::min(w, h) * 3 / 2;
        std::uniform_int_distribution<int> x(0, w), y(0, h), r(side / 40, side / 6), c(0, 255);
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
    if (!img.save(QString::fromStdString(path), "JPEG", 90)) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::exit(1);
    }
}

double djpegMs(const std::string& path, int runs) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i)
        times.push_back(commandMs({"djpeg", "-outfile", "/dev/null", path}));
    return median(times);
}

} // namespace bench
