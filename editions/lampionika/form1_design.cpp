#include "editions/common/design_builder.h"
#include "editions/lampionika/designs.h"

namespace editions::lampionika {

// The main window: a borderless, maximized black stage with the menu bar at the top, the
// magic-lantern photograph at the left and the frame window beside it. The image buttons and
// the keep-slide-size box stay hidden until a film is open. Four hidden images hold the
// photographs that the side picture takes over by the position in the film.
forms::FormDesign form1Design() {
    using forms::ControlKind;
    namespace sys = forms::sys;

    forms::FormDesign d = mainWindowDesign(":/lampionika/form1_icon.bmp");

    DesignBuilder build(d);

    forms::ControlDesign& check1 =
        build.add(ControlKind::CheckBox, "Check1", "", 120, 3960, 495, 255);
    check1.visible = false;
    check1.tabIndex = 6;
    check1.back = sys::MenuText;
    check1.text = "Check1";
    check1.toolTip = "| + - | -зафиксировать размер слайдов";
    check1.value = 0;

    // The measuring box: the only picture box of the window with a border.
    forms::ControlDesign& picture2 =
        build.add(ControlKind::PictureBox, "Picture2", "", 4080, 720, 1575, 975);
    picture2.autoSize = true;
    picture2.visible = false;
    picture2.tabIndex = 5;

    // The frame window, pale yellow until the first film is opened.
    forms::ControlDesign& picture5 =
        build.add(ControlKind::PictureBox, "Picture5", "", 1800, 480, 2055, 1335);
    picture5.autoSize = true;
    picture5.borderStyle = 0;
    picture5.tabIndex = 3;
    picture5.back = 0x00C0FFFF;
    picture5.fore = 0x0080FFFF;

    // The strip; its background shows in the gap between the two frames.
    forms::ControlDesign& picture6 =
        build.add(ControlKind::PictureBox, "Picture6", "Picture5", 0, 0, 2055, 1335);
    picture6.borderStyle = 0;
    picture6.visible = false;
    picture6.tabIndex = 4;
    picture6.back = sys::MenuText;
    build.image("Image12", "Picture6", 960, 0, 855, 1335).appearance = 0;
    build.image("Image11", "Picture6", 0, 0, 1215, 1335).appearance = 0;

    forms::ControlDesign& list1 = build.add(ControlKind::ListBox, "List1", "", 0, 360, 2775, 1005);
    list1.tabIndex = 2;
    list1.back = sys::WindowFrame;
    list1.fore = sys::InactiveBorder;

    forms::ControlDesign& picture1 =
        build.add(ControlKind::PictureBox, "Picture1", "", 0, 0, 6765, 375);
    picture1.align = 1;
    picture1.borderStyle = 0;
    picture1.tabIndex = 0;
    picture1.back = 0x00000000;

    forms::ControlDesign& label1 =
        build.add(ControlKind::Label, "Label1", "Picture1", 0, 120, 1215, 375);
    label1.tabIndex = 1;
    label1.back = sys::MenuText;
    label1.fore = sys::InactiveCaptionText;
    label1.text = "Файл";

    // The photograph for the last frame (never shown itself).
    forms::ControlDesign& image10 = build.image("Image10", "", 3480, 2400, 3630, 4935);
    image10.visible = false;
    image10.picture = ":/lampionika/form1_lantern_last.jpg";

    // The photograph for a middle frame (never shown itself).
    forms::ControlDesign& image9 = build.image("Image9", "", 2760, 2040, 615, 615);
    image9.visible = false;
    image9.picture = ":/lampionika/form1_lantern_middle.jpg";

    forms::ControlDesign& image5 = build.image("Image5", "", 120, 3720, 255, 255);
    image5.visible = false;
    image5.toolTip = "Home - реальный размер";
    image5.picture = ":/lampionika/form1_home.bmp";

    forms::ControlDesign& image6 = build.image("Image6", "", 360, 3720, 255, 255);
    image6.visible = false;
    image6.toolTip = "End - измененный размер";
    image6.picture = ":/lampionika/form1_end.bmp";

    forms::ControlDesign& image3 = build.image("Image3", "", 120, 2640, 495, 495);
    image3.visible = false;
    image3.toolTip = "Page UP";
    image3.picture = ":/lampionika/form1_up.bmp";

    // The photograph for the first frame (never shown itself).
    forms::ControlDesign& image7 = build.image("Image7", "", 240, 1080, 255, 180);
    image7.visible = false;
    image7.picture = ":/lampionika/form1_lantern_first.jpg";

    forms::ControlDesign& image4 = build.image("Image4", "", 120, 3120, 495, 495);
    image4.visible = false;
    image4.toolTip = "Page Down";
    image4.picture = ":/lampionika/form1_down.bmp";

    // The side picture: the lantern with an empty slot until a film is open.
    build.image("Image1", "", 0, 2640, 3375, 4275).picture = ":/lampionika/form1_lantern_empty.jpg";

    // The photograph for the second frame (never shown itself).
    forms::ControlDesign& image8 = build.image("Image8", "", 1440, 2400, 735, 855);
    image8.visible = false;
    image8.picture = ":/lampionika/form1_lantern_second.jpg";

    return d;
}

} // namespace editions::lampionika
