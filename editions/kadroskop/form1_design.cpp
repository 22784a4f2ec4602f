#include "editions/common/main_window_parts.h"
#include "editions/kadroskop/designs.h"

namespace editions::kadroskop_designs {

// The main window: a borderless, maximized black stage with the menu bar at the top, the
// projector photograph on its red band at the left and the frame window beside it. The
// image buttons and the keep-slide-size box stay hidden until a film is open.
forms::FormDesign form1Design() {
    forms::FormDesign d = mainWindowDesign(":/kadroskop/form1_icon.bmp");
    MainWindowParts parts(d, ":/kadroskop/");
    // Front first.
    parts.keepSizeBox(1920, 3360, 7);
    parts.measuringBox(4080, 1320);
    parts.menuList();
    parts.topBar();
    parts.frameWindow(3720, 3960, 3015, 1335);

    // The cover in front of the strip while the strip is put back after a slide.
    forms::ControlDesign& cover =
        parts.builder().add(forms::ControlKind::PictureBox, "Picture3", "Picture5", 0, 0, 615, 615);
    cover.borderStyle = 0;
    cover.visible = false;
    cover.tabIndex = 6;
    parts.builder().image("Image8", "Picture3", 0, 0, 255, 375);

    parts.strip();
    parts.homeButton(1920, 3120);
    parts.endButton(2160, 3120);
    parts.pageUpButton(1920, 2160);
    parts.pageDownButton(1920, 2640);
    parts.picture("Image1", "", 0, 2640, 3375, 4275, "form1_projector.bmp");
    parts.picture("Image7", "", 0, 1920, 3375, 780, "form1_band.bmp"); // the red band
    return d;
}

} // namespace editions::kadroskop_designs
