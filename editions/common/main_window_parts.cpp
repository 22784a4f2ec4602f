#include "editions/common/main_window_parts.h"

namespace editions {

using forms::ControlKind;
namespace sys = forms::sys;

void MainWindowParts::keepSizeBox(float left, float top, int tabIndex) {
    forms::ControlDesign& c = build_.add(ControlKind::CheckBox, "Check1", "", left, top, 495, 255);
    c.visible = false;
    c.tabIndex = tabIndex;
    c.back = sys::MenuText;
    c.text = "Check1";
    c.toolTip = "| + - | -зафиксировать размер слайдов";
    c.value = 0;
}

void MainWindowParts::measuringBox(float left, float top) {
    forms::ControlDesign& c =
        build_.add(ControlKind::PictureBox, "Picture2", "", left, top, 1575, 975);
    c.autoSize = true;
    c.visible = false;
    c.tabIndex = 5;
}

void MainWindowParts::menuList() {
    forms::ControlDesign& c = build_.add(ControlKind::ListBox, "List1", "", 0, 360, 2775, 1005);
    c.tabIndex = 2;
    c.back = sys::WindowFrame;
    c.fore = sys::InactiveBorder;
}

void MainWindowParts::topBar() {
    forms::ControlDesign& bar =
        build_.add(ControlKind::PictureBox, "Picture1", "", 0, 0, 6765, 375);
    bar.align = 1;
    bar.borderStyle = 0;
    bar.tabIndex = 0;
    bar.back = 0x00000000;
    forms::ControlDesign& label =
        build_.add(ControlKind::Label, "Label1", "Picture1", 0, 120, 1215, 375);
    label.tabIndex = 1;
    label.back = sys::MenuText;
    label.fore = sys::InactiveCaptionText;
    label.text = "Файл";
}

void MainWindowParts::frameWindow(float left, float top, float width, float height) {
    forms::ControlDesign& c =
        build_.add(ControlKind::PictureBox, "Picture5", "", left, top, width, height);
    c.autoSize = true;
    c.borderStyle = 0;
    c.tabIndex = 3;
    c.back = 0x00C0FFFF;
    c.fore = 0x0080FFFF;
}

void MainWindowParts::strip() {
    forms::ControlDesign& c =
        build_.add(ControlKind::PictureBox, "Picture6", "Picture5", 0, 0, 2055, 1335);
    c.borderStyle = 0;
    c.visible = false;
    c.tabIndex = 4;
    c.back = sys::MenuText;
    build_.image("Image12", "Picture6", 960, 0, 855, 1335).appearance = 0;
    build_.image("Image11", "Picture6", 0, 0, 1215, 1335).appearance = 0;
}

forms::ControlDesign& MainWindowParts::button(const char* name, float left, float top, float size,
                                              const char* toolTip, const char* file) {
    forms::ControlDesign& c = picture(name, "", left, top, size, size, file);
    c.visible = false;
    c.toolTip = toolTip;
    return c;
}

void MainWindowParts::homeButton(float left, float top) {
    button("Image5", left, top, 255, "Home - реальный размер", "form1_home.bmp");
}

void MainWindowParts::endButton(float left, float top) {
    button("Image6", left, top, 255, "End - измененный размер", "form1_end.bmp");
}

void MainWindowParts::pageUpButton(float left, float top) {
    button("Image3", left, top, 495, "Page UP", "form1_up.bmp");
}

void MainWindowParts::pageDownButton(float left, float top) {
    button("Image4", left, top, 495, "Page Down", "form1_down.bmp");
}

forms::ControlDesign& MainWindowParts::picture(const char* name, const char* parent, float left,
                                               float top, float width, float height,
                                               const char* file) {
    forms::ControlDesign& c = build_.image(name, parent, left, top, width, height);
    c.picture = resources_ + file;
    return c;
}

} // namespace editions
