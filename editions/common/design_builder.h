#pragma once
#include "forms/design.h"

namespace editions {

// Adds controls to a window design in the order given: front first within each container,
// containers before their children. A returned reference is good until the next control is
// added.
class DesignBuilder {
  public:
    explicit DesignBuilder(forms::FormDesign& design) : d_(design) {}

    forms::ControlDesign& add(forms::ControlKind kind, const char* name, const char* parent,
                              float left, float top, float width, float height) {
        forms::ControlDesign& c = d_.controls.emplace_back();
        c.kind = kind;
        c.name = name;
        c.parent = parent;
        c.left = left;
        c.top = top;
        c.width = width;
        c.height = height;
        return c;
    }

    // An image that scales its picture to its size.
    forms::ControlDesign& image(const char* name, const char* parent, float left, float top,
                                float width, float height) {
        forms::ControlDesign& c =
            add(forms::ControlKind::Image, name, parent, left, top, width, height);
        c.stretch = true;
        return c;
    }

  private:
    forms::FormDesign& d_;
};

// The main window's own properties, the same in both programs but for the icon: borderless,
// maximized, out of the task bar, seeing keys before its controls, on the menu-text colour.
inline forms::FormDesign mainWindowDesign(const char* icon) {
    forms::FormDesign d;
    d.name = "Form1";
    d.caption = "Form1";
    d.borderStyle = 0;
    d.windowState = 2;
    d.keyPreview = true;
    d.showInTaskbar = false;
    d.maxButton = false;
    d.minButton = false;
    d.startUpPosition = 1; // centre on the owner
    d.back = forms::sys::MenuText;
    d.clientWidth = 6765;
    d.clientHeight = 6570;
    d.icon = icon;
    return d;
}

} // namespace editions
