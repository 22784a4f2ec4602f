#include "forms/qt/qt_host.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <thread>

#include "forms/qt/fonts.h"
#include "forms/qt/form_window.h"
#include "forms/qt/x11_window_system.h"
#include "forms/units.h"

namespace forms::qt {

namespace {

// Brings a window to the front with the keyboard focus, where the platform has such a thing.
void bringForward(QWidget* w) {
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        return;
    w->raise();
    w->activateWindow();
}

} // namespace

QtHost::QtHost(QtHostOptions options) : options_(options) {
    registerFontSubstitutions();
    // Windows go when the model says so, never because the last one was closed.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    // One frame per press of a paging key: a held key's repeats must not come with releases.
    useDetectableAutoRepeat();
}

QtHost::~QtHost() {
    for (auto& [form, window] : windows_)
        delete window;
    for (FormWindow* w : retired_)
        delete w;
}

QRect QtHost::availableGeometry() const {
    if (options_.screen.isValid())
        return options_.screen;
    if (const QScreen* s = QGuiApplication::primaryScreen())
        return s->availableGeometry();
    return QRect(0, 0, 1024, 768);
}

std::chrono::nanoseconds QtHost::refreshPeriod() const {
    double hz = options_.refreshHz;
    if (hz <= 0) {
        const QScreen* s = QGuiApplication::primaryScreen();
        hz = s ? s->refreshRate() : 0;
        // Virtual displays (no monitor behind them) report nothing useful: pace them like
        // a common monitor.
        const bool monitor = s && (!s->manufacturer().isEmpty() || !s->model().isEmpty());
        if (!monitor || !(hz >= 23 && hz <= 500))
            hz = 60.0;
    }
    return std::chrono::nanoseconds(static_cast<std::int64_t>(std::llround(1e9 / hz)));
}

forms::Size2 QtHost::screenArea() const {
    const QRect r = availableGeometry();
    return {static_cast<float>(r.width() * kTwipsPerPixel),
            static_cast<float>(r.height() * kTwipsPerPixel)};
}

forms::Size2 QtHost::measureText(const forms::Font& font, std::string_view text) const {
    return measureLine(font, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

forms::Size2 QtHost::frameExtra(int borderStyle) const {
    // A fixed or sizable frame: 3 pixels a side and an 18-pixel title bar.
    if (borderStyle == 0)
        return {0, 0};
    return {6.0f * kTwipsPerPixel, 24.0f * kTwipsPerPixel};
}

QWidget* QtHost::window(const forms::Form& form) const {
    auto it = windows_.find(&form);
    return it == windows_.end() ? nullptr : it->second;
}

int QtHost::paintCount(const forms::Form& form) const {
    auto it = windows_.find(&form);
    return it == windows_.end() ? 0 : it->second->paintCount();
}

void QtHost::notePainted(const forms::Form& form) {
    ++paints_;
    if (onPainted)
        onPainted(form);
}

bool QtHost::acceptsInput(const forms::Form& form) const {
    if (form.state() != forms::FormState::Loaded || !form.visible())
        return false;
    return modals_.empty() || modals_.back().form == &form;
}

void QtHost::raiseModal() {
    if (modals_.empty())
        return;
    if (QWidget* w = window(*modals_.back().form))
        bringForward(w);
}

void QtHost::leaveInput() {
    syncAll();
    if (!handlersRunning())
        releaseRetired();
}

void QtHost::syncAll() {
    for (auto& [form, window] : windows_)
        window->sync();
}

void QtHost::releaseRetired() {
    // Deferred, so that Qt's own dispatch of the event that unloaded a form is done with
    // its window first.
    for (FormWindow* w : retired_)
        w->deleteLater();
    retired_.clear();
}

void QtHost::doEvents(forms::Runtime&) {
    const std::uint64_t before = paints_;
    ++pendingEvents_;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    for (auto& [form, window] : windows_) {
        if (window->isVisible() && window->stale()) {
            window->sync();
            window->repaint();
        }
    }
    --pendingEvents_;
    if (paints_ != before)
        present();
    if (!handlersRunning())
        releaseRetired();
}

void QtHost::present() {
    // What was painted shows at the display's next refresh after the last one shown: one
    // run of pending events with changes takes one refresh period, as on a double-buffered
    // window system. A frame that missed its refresh is shown at once.
    ++presentations_;
    const auto now = std::chrono::steady_clock::now();
    const auto deadline = lastPresent_ + refreshPeriod();
    if (deadline > now) {
        std::this_thread::sleep_until(deadline);
        lastPresent_ = deadline;
    } else {
        lastPresent_ = now;
    }
}

void QtHost::runModal(forms::Runtime&, forms::Form& form) {
    QEventLoop loop;
    modals_.push_back(Modal{&form, &loop});
    raiseModal();
    while (form.state() == forms::FormState::Loaded && form.visible())
        loop.exec();
    for (auto it = modals_.begin(); it != modals_.end(); ++it) {
        if (it->loop == &loop) {
            modals_.erase(it);
            break;
        }
    }
    syncAll();
    if (modals_.empty()) {
        // Give the keyboard back to the window that was under the modal one.
        for (auto& [f, window] : windows_)
            if (f->visible() && window->isVisible())
                bringForward(window);
    } else {
        raiseModal();
    }
}

void QtHost::quitModalLoops(const forms::Form& form) {
    for (const Modal& m : modals_)
        if (m.form == &form)
            m.loop->quit();
}

void QtHost::endProgram() {
    for (auto& [form, window] : windows_)
        window->hide();
    std::cout.flush();
    std::cerr.flush();
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(0);
}

void QtHost::formShown(forms::Form& form) {
    runtime_ = &form.runtime();
    FormWindow*& w = windows_[&form];
    if (!w)
        w = new FormWindow(*this, form);
    w->sync();
    if (!form.design().showInTaskbar)
        keepOutOfTaskbar(*w);
    w->show();
    bringForward(w);
    w->setFocus();
}

void QtHost::formHidden(forms::Form& form) {
    if (QWidget* w = window(form))
        w->hide();
    quitModalLoops(form);
}

void QtHost::formUnloaded(forms::Form& form) {
    auto it = windows_.find(&form);
    if (it != windows_.end()) {
        FormWindow* w = it->second;
        windows_.erase(it);
        w->detach();
        w->hide();
        retired_.push_back(w);
        if (!handlersRunning())
            releaseRetired();
    }
    quitModalLoops(form);
}

} // namespace forms::qt
