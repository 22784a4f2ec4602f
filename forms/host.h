#pragma once
#include <string_view>

#include "forms/font.h"

namespace forms {

class Form;
class Runtime;

struct Size2 {
    float width = 0, height = 0; // twips
};

// What the runtime needs of the platform that puts it on screen: the Qt host in the
// programs, a scripted host in tests.
class Host {
  public:
    virtual ~Host() = default;

    // Runs every pending event, any handler included, and shows what changed.
    virtual void doEvents(Runtime& rt) = 0;
    // Runs a modal loop for `form` until it is hidden or unloaded.
    virtual void runModal(Runtime& rt, Form& form) = 0;
    // Ends the program at once. A host that returns makes the runtime throw ProgramEnded.
    virtual void endProgram() = 0;

    // The screen's available area, where maximized windows go.
    virtual Size2 screenArea() const = 0;
    // The size of a line of text in the font.
    virtual Size2 measureText(const Font& font, std::string_view text) const = 0;
    // The frame and title bar a window with this border style adds to its client area.
    virtual Size2 frameExtra(int borderStyle) const = 0;

    // A window was shown, hidden or unloaded.
    virtual void formShown(Form&) {}
    virtual void formHidden(Form&) {}
    virtual void formUnloaded(Form&) {}
};

} // namespace forms
