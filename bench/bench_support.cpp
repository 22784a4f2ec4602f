#include "bench/bench_support.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRadialGradient>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>

namespace bench {

double ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

double maximum(const std::vector<double>& v) {
    return v.empty() ? 0 : *std::max_element(v.begin(), v.end());
}

void writePhoto(const std::string& path, int w, int h, unsigned seed) {
    QImage img(w, h, QImage::Format_RGB32);
    std::mt19937 rng(seed);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient sky(0, 0, 0, h);
        sky.setColorAt(0, QColor(static_cast<int>(60 + seed * 20 % 100), 110, 170));
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

double commandMs(const std::vector<std::string>& argv) {
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    const auto t0 = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        // What the command prints goes nowhere: only its work is timed.
        if (FILE* null = std::fopen("/dev/null", "w"))
            dup2(fileno(null), STDOUT_FILENO);
        execvp(args[0], args.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed (is it installed?)\n", argv[0].c_str());
        std::exit(2);
    }
    return ms(Clock::now() - t0);
}

} // namespace bench
