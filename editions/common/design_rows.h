#pragma once
#include <optional>
#include <string>
#include <vector>

#include "forms/design.h"

namespace editions {

// Which of the two programs a design is made for.
enum class Which { Kadroskop, Lampionika };

// A design value that may differ between the two programs.
template <class T> struct Both {
    T kadroskop, lampionika;
    Both(T both) : kadroskop(both), lampionika(both) {}
    Both(T k, T l) : kadroskop(std::move(k)), lampionika(std::move(l)) {}
    const T& of(Which w) const { return w == Which::Kadroskop ? kadroskop : lampionika; }
};

// Left, top, width, height in twips, relative to the container.
struct Rect {
    float left, top, width, height;
};

// One control of a window's design, as a row of its control table. Rows are listed front
// first within each container, containers before their children. Unset values take the
// class's defaults. A control that the two programs stack at different places has a row at
// each place, each present in one program only.
struct DesignRow {
    forms::ControlKind kind;
    const char* name;
    int index = -1; // element of a control array, -1 for a single control
    const char* parent = "";
    Both<Rect> at = Rect{0, 0, 0, 0};
    Both<bool> visible = true;
    Both<int> tabIndex = 0;
    Both<std::optional<forms::Color>> back = std::optional<forms::Color>{};
    std::optional<forms::Color> fore = {};
    std::optional<forms::Font> font = {};
    Both<const char*> text = "";
    const char* toolTip = "";
    // A picture of the program's own, by file name under its resources; "" for none.
    Both<const char*> picture = "";
    std::optional<int> borderStyle = {};
    bool autoSize = false;
    bool stretch = false;
    int align = 0;
    int alignment = 0;
    int backStyle = 1;
    int appearance = 1;
    bool enabled = true;
    bool tabStop = true;
    int value = 0;
    Both<bool> present = true; // whether the program has the control at this place
};

// The row present in one of the programs only.
DesignRow only(Which which, DesignRow row);

// The design of one program's window: the window's own properties and the rows turned into
// its controls, pictures found under `resources` (":/kadroskop/").
forms::FormDesign designFromRows(forms::FormDesign window, const std::vector<DesignRow>& rows,
                                 Which which, const std::string& resources);

// An MS Sans Serif font of the given size and weight with the Cyrillic character set.
forms::Font cyrillicSansSerif(float size, int weight);

} // namespace editions
