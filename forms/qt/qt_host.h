#pragma once
#include <QRect>

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "forms/host.h"
#include "forms/runtime.h"

class QEventLoop;
class QWidget;

namespace forms::qt {

class FormWindow;

struct QtHostOptions {
    // Refresh rate the presentation of painted changes is paced by; 0: the screen's (60 Hz
    // when the screen does not say).
    double refreshHz = 0;
    // The screen's available area in device-independent pixels; empty: the primary
    // screen's.
    QRect screen;
};

// Puts the runtime's windows on screen with Qt Widgets: one top-level widget per shown form
// that paints the form's whole control tree, and the user's input turned into the model's
// events.
class QtHost final : public forms::Host {
  public:
    explicit QtHost(QtHostOptions options = {});
    ~QtHost() override;
    QtHost(const QtHost&) = delete;
    QtHost& operator=(const QtHost&) = delete;

    void doEvents(forms::Runtime& rt) override;
    void runModal(forms::Runtime& rt, forms::Form& form) override;
    [[noreturn]] void endProgram() override;
    forms::Size2 screenArea() const override;
    forms::Size2 measureText(const forms::Font& font, std::string_view text) const override;
    forms::Size2 frameExtra(int borderStyle) const override;
    void formShown(forms::Form& form) override;
    void formHidden(forms::Form& form) override;
    void formUnloaded(forms::Form& form) override;

    // The window that shows a form, nullptr when it is not on screen.
    QWidget* window(const forms::Form& form) const;
    // How many times the form's window has painted.
    int paintCount(const forms::Form& form) const;
    // Called after each paint of a form's window.
    std::function<void(const forms::Form&)> onPainted;

    // How many times painted changes were presented, each waiting for its refresh.
    std::uint64_t presentations() const { return presentations_; }
    // When the last presentation showed (its refresh, or the moment it was late).
    std::chrono::steady_clock::time_point lastPresentation() const { return lastPresent_; }

    // The screen area in device-independent pixels and the refresh period in use.
    QRect availableGeometry() const;
    std::chrono::nanoseconds refreshPeriod() const;

    // For the windows: whether a form takes input now (no modal window above it).
    bool acceptsInput(const forms::Form& form) const;
    // Brings the innermost modal window forward.
    void raiseModal();
    // After the handling of one input event: every window whose form changed is brought up
    // to date, and windows of unloaded forms are released once no handler of the runtime's
    // runs any more.
    void leaveInput();
    void notePainted(const forms::Form& form);
    // Whether the runtime's run of pending events is under way (its paints do not wait for
    // decodes).
    bool runningPendingEvents() const { return pendingEvents_ > 0; }

  private:
    struct Modal {
        forms::Form* form;
        QEventLoop* loop;
    };
    void syncAll();
    void releaseRetired();
    void present();
    void quitModalLoops(const forms::Form& form);

    QtHostOptions options_;
    std::map<const forms::Form*, FormWindow*> windows_;
    std::vector<FormWindow*> retired_;
    std::vector<Modal> modals_;
    // The runtime whose windows are shown; it counts the handlers running.
    const forms::Runtime* runtime_ = nullptr;
    bool handlersRunning() const { return runtime_ && runtime_->handlersRunning(); }
    std::uint64_t paints_ = 0;
    std::uint64_t presentations_ = 0;
    int pendingEvents_ = 0;
    std::chrono::steady_clock::time_point lastPresent_{};
};

// Brackets one input event's handling (see QtHost::leaveInput).
class InputScope {
  public:
    explicit InputScope(QtHost& host) : host_(host) {}
    ~InputScope() { host_.leaveInput(); }
    InputScope(const InputScope&) = delete;
    InputScope& operator=(const InputScope&) = delete;

  private:
    QtHost& host_;
};

} // namespace forms::qt
