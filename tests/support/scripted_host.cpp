#include "tests/support/scripted_host.h"

#include "forms/strings.h"

namespace testing_support {

void ScriptedHost::doEvents(forms::Runtime&) {
    ++doEventsCalls;
    if (onDoEvents)
        onDoEvents(doEventsCalls);
}

void ScriptedHost::runModal(forms::Runtime&, forms::Form& form) {
    auto it = modalScripts.find(form.name());
    if (it == modalScripts.end())
        throw ModalLeftOpen("no script for the modal window " + form.name());
    ++modalDepth;
    it->second(form);
    --modalDepth;
    if (form.state() == forms::FormState::Loaded && form.visible())
        throw ModalLeftOpen("the script left " + form.name() + " open");
}

forms::Size2 ScriptedHost::measureText(const forms::Font& font, std::string_view text) const {
    if (measure)
        return measure(font, text);
    const float scale = font.size / 8.25f;
    return {static_cast<float>(forms::str::len(text)) * 7.0f * 15.0f * scale,
            13.0f * 15.0f * scale};
}

forms::Size2 ScriptedHost::frameExtra(int borderStyle) const {
    // A fixed or sizable frame: 3 pixels a side and an 18-pixel title bar.
    if (borderStyle == 0)
        return {0, 0};
    return {6.0f * 15.0f, 24.0f * 15.0f};
}

} // namespace testing_support
