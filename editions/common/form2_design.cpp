// The full-screen window: borderless and maximized on the menu-text colour, the same in both
// programs. The hidden measuring box stands in front of the image that shows the frame;
// neither can take the focus, so every key reaches the window itself.
#include "editions/common/design_rows.h"
#include "editions/edition.h"

namespace editions {

namespace {

using forms::ControlKind;

std::vector<DesignRow> rows() {
    return {
        {.kind = ControlKind::PictureBox,
         .name = "Picture1",
         .at = Rect{960, 600, 3015, 1695},
         .visible = false,
         .borderStyle = 1, // fixed single, 3D
         .autoSize = true},
        {.kind = ControlKind::Image,
         .name = "Image1",
         .at = Rect{600, 240, 3975, 2415},
         .borderStyle = 0,
         .stretch = true},
    };
}

} // namespace

forms::FormDesign fullScreenDesign(Which which, const std::string& resources) {
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
    return designFromRows(std::move(d), rows(), which, resources);
}

} // namespace editions
