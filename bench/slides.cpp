#include "bench/slides.h"

#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bench/live_heap.h"
#include "editions/edition.h"
#include "forms/environment.h"
#include "forms/files.h"
#include "forms/picture.h"
#include "forms/qt/form_painter.h"
#include "forms/qt/qt_host.h"
#include "forms/runtime.h"
#include "viewer/form1.h"

namespace bench {

namespace {

using Clock = std::chrono::steady_clock;

double ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

class NoEnvironment final : public forms::Environment {
  public:
    std::string get(std::string_view) const override { return {}; }
};

// The form as a paint of its window shows it, into `into` (allocated once, beforehand).
void render(const forms::Form& form, QImage& into) {
    QPainter p(&into);
    forms::qt::paintForm(p, form, forms::qt::PaintState{});
}

void sendKey(QWidget* window, QEvent::Type type, int key) {
    QKeyEvent e(type, key, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &e);
}

} // namespace

std::vector<Change> pageThrough(const editions::Edition& edition, const std::string& folder,
                                const std::vector<std::string>& names, QSize screen,
                                double refreshHz) {
    forms::FileSystem files(forms::DriveTable{{{'C', folder}}}, folder);
    NoEnvironment env;
    forms::qt::QtHostOptions options;
    options.screen = QRect(QPoint(0, 0), screen);
    options.refreshHz = refreshHz;
    forms::qt::QtHost host(options);
    forms::Runtime rt(host, files, env);
    viewer::Module1 module;
    editions::install(rt, module, edition);
    rt.start();

    // The film as an accepted opening builds it from the current directory.
    auto& f1 = rt.form<viewer::Form1>("Form1");
    if (!f1.openFilm() || module.frameFile.size() != names.size() + 1) {
        std::fprintf(stderr, "the film did not open as %zu pictures\n", names.size());
        std::exit(2);
    }
    rt.doEvents();
    QWidget* window = host.window(f1);

    QImage rest(window->size(), QImage::Format_RGB32);
    QImage now(window->size(), QImage::Format_RGB32);
    std::vector<Change> changes;
    const int count = static_cast<int>(names.size());
    for (int k = 0; k < 2 * (count - 1); ++k) {
        const bool forward = k < count - 1;
        render(f1, rest);
        Change c;
        bool differs = false;
        Clock::time_point key;
        host.onPainted = [&](const forms::Form& f) {
            if (&f != &f1)
                return;
            const auto at = Clock::now();
            if (c.paints > 0)
                c.moveMs.push_back(ms(at - std::max(host.lastPresentation(), key)));
            ++c.paints;
            if (!differs) {
                render(f1, now);
                differs = std::memcmp(now.constBits(), rest.constBits(),
                                      static_cast<std::size_t>(rest.sizeInBytes())) != 0;
                if (differs)
                    c.firstDifferentMs = ms(at - key);
            }
        };
        const auto decodes = forms::PictureData::decodeCount();
        const std::int64_t heap = liveHeapBytes();
        resetHeapPeak();
        key = Clock::now();
        sendKey(window, QEvent::KeyPress, forward ? Qt::Key_PageDown : Qt::Key_PageUp);
        c.slideMs = ms(Clock::now() - key);
        sendKey(window, QEvent::KeyRelease, forward ? Qt::Key_PageDown : Qt::Key_PageUp);
        c.heapGrowthBytes = heapPeakBytes() - heap;
        c.decodes = forms::PictureData::decodeCount() - decodes;
        host.onPainted = nullptr;
        changes.push_back(std::move(c));
    }
    return changes;
}

} // namespace bench
