#pragma once
#include <optional>
#include <string>
#include <vector>

#include "forms/color.h"
#include "forms/control.h"
#include "forms/font.h"

namespace forms {

// One control of a window design. Geometry in twips relative to the container. Unset
// optionals take the class's defaults.
struct ControlDesign {
    ControlKind kind;
    std::string name;
    int index = -1;     // element of a control array, -1 for a single control
    std::string parent; // "" for the form itself; otherwise a PictureBox's name
    float left = 0, top = 0, width = 0, height = 0;
    bool visible = true;
    int tabIndex = 0;
    std::optional<Color> back;
    std::optional<Color> fore;
    std::string text; // caption or text
    std::string toolTip;
    std::string picture; // resource path, "" for none
    std::optional<Font> font;
    std::optional<int> borderStyle;
    bool autoSize = false;
    bool stretch = false;
    int align = 0;
    int alignment = 0;
    int backStyle = 1;
    int appearance = 1;
    bool enabled = true;
    bool tabStop = true;
    int value = 0;
};

// A window design: the window's own properties and its controls. Controls are listed front
// first within each container, containers before their children.
struct FormDesign {
    std::string name;
    std::string caption;
    int borderStyle = 2; // 0 none, 1 fixed single, 2 sizable
    int windowState = 0; // 0 normal, 2 maximized
    bool keyPreview = false;
    bool showInTaskbar = true;
    bool maxButton = true;
    bool minButton = true;
    int startUpPosition = 3;
    Color back = sys::ButtonFace;
    float clientWidth = 4680, clientHeight = 3195;
    std::string icon; // resource path
    std::optional<Font> font;
    std::vector<ControlDesign> controls;
};

} // namespace forms
