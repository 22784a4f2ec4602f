#include "editions/common/main_window_parts.h"
#include "editions/lampionika/designs.h"

namespace editions::lampionika_designs {

// The main window: a borderless, maximized black stage with the menu bar at the top, the
// magic-lantern photograph at the left and the frame window beside it. The image buttons and
// the keep-slide-size box stay hidden until a film is open. Four hidden images hold the
// photographs that the side picture takes over by the position in the film; their geometry
// has no effect.
forms::FormDesign form1Design() {
    forms::FormDesign d = mainWindowDesign(":/lampionika/form1_icon.bmp");
    MainWindowParts parts(d, ":/lampionika/");
    const auto store = [&parts](const char* name, float left, float top, float width, float height,
                                const char* file) {
        parts.picture(name, "", left, top, width, height, file).visible = false;
    };
    // Front first.
    parts.keepSizeBox(120, 3960, 6);
    parts.measuringBox(4080, 720);
    parts.frameWindow(1800, 480, 2055, 1335);
    parts.strip();
    parts.menuList();
    parts.topBar();
    store("Image10", 3480, 2400, 3630, 4935, "form1_lantern_last.jpg");
    store("Image9", 2760, 2040, 615, 615, "form1_lantern_middle.jpg");
    parts.homeButton(120, 3720);
    parts.endButton(360, 3720);
    parts.pageUpButton(120, 2640);
    store("Image7", 240, 1080, 255, 180, "form1_lantern_first.jpg");
    parts.pageDownButton(120, 3120);
    // The side picture: the lantern with an empty slot until a film is open.
    parts.picture("Image1", "", 0, 2640, 3375, 4275, "form1_lantern_empty.jpg");
    store("Image8", 1440, 2400, 735, 855, "form1_lantern_second.jpg");
    return d;
}

} // namespace editions::lampionika_designs
