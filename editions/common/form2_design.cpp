#include "editions/edition.h"

namespace editions {

// The full-screen window: borderless and maximized on the menu-text colour. The hidden
// measuring box stands in front of the image that shows the frame; neither can take the
// focus, so every key reaches the window itself.
forms::FormDesign form2Design() {
    forms::FormDesign d;
    d.name = "Form2";
    d.caption = "Form2";
    d.borderStyle = 0;
    d.windowState = 2;
    d.keyPreview = false;
    d.showInTaskbar = false;
    d.startUpPosition = 3;
    d.back = forms::sys::MenuText;
    d.clientWidth = 4680;
    d.clientHeight = 3195;

    forms::ControlDesign& picture1 = d.controls.emplace_back();
    picture1.kind = forms::ControlKind::PictureBox;
    picture1.name = "Picture1";
    picture1.left = 960;
    picture1.top = 600;
    picture1.width = 3015;
    picture1.height = 1695;
    picture1.visible = false;
    picture1.autoSize = true;
    picture1.borderStyle = 1; // fixed single, 3D
    picture1.appearance = 1;
    picture1.tabIndex = 0;

    forms::ControlDesign& image1 = d.controls.emplace_back();
    image1.kind = forms::ControlKind::Image;
    image1.name = "Image1";
    image1.left = 600;
    image1.top = 240;
    image1.width = 3975;
    image1.height = 2415;
    image1.stretch = true;
    image1.borderStyle = 0;

    return d;
}

} // namespace editions
