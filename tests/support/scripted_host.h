#pragma once
#include <functional>
#include <map>
#include <stdexcept>
#include <string>

#include "forms/form.h"
#include "forms/host.h"
#include "forms/runtime.h"

namespace testing_support {

// A host without a display: pending events run the test's own actions, modal windows run the
// test's script of what the user does, and text is measured by a rule the test can replace.
class ScriptedHost final : public forms::Host {
  public:
    forms::Size2 screen{15360, 11520};

    // Called at each run of pending events with the call's number (from 1).
    std::function<void(int call)> onDoEvents;
    int doEventsCalls = 0;

    // What the user does while a window is shown modally, by window name. The script must
    // leave the window hidden or unloaded.
    std::map<std::string, std::function<void(forms::Form&)>> modalScripts;
    int modalDepth = 0;

    bool ended = false;

    // Text extent; by default 7 pixels a character and the font's line height.
    std::function<forms::Size2(const forms::Font&, std::string_view)> measure;

    void doEvents(forms::Runtime& rt) override;
    void runModal(forms::Runtime& rt, forms::Form& form) override;
    void endProgram() override { ended = true; }
    forms::Size2 screenArea() const override { return screen; }
    forms::Size2 measureText(const forms::Font& font, std::string_view text) const override;
    forms::Size2 frameExtra(int borderStyle) const override;
};

struct ModalLeftOpen : std::logic_error {
    using std::logic_error::logic_error;
};

} // namespace testing_support
