#include "editions/common/design_builder.h"
#include "editions/kadroskop/designs.h"

namespace editions::kadroskop {

// The main window: a borderless, maximized black stage with the menu bar at the top, the
// projector photograph on its red band at the left and the frame window beside it. The
// image buttons and the keep-slide-size box stay hidden until a film is open.
forms::FormDesign form1Design() {
    using forms::ControlKind;
    namespace sys = forms::sys;

    forms::FormDesign d = mainWindowDesign(":/kadroskop/form1_icon.bmp");

    DesignBuilder build(d);

    forms::ControlDesign& check1 =
        build.add(ControlKind::CheckBox, "Check1", "", 1920, 3360, 495, 255);
    check1.visible = false;
    check1.tabIndex = 7;
    check1.back = sys::MenuText;
    check1.text = "Check1";
    check1.toolTip = "| + - | -зафиксировать размер слайдов";
    check1.value = 0;

    // The measuring box: the only picture box of the window with a border.
    forms::ControlDesign& picture2 =
        build.add(ControlKind::PictureBox, "Picture2", "", 4080, 1320, 1575, 975);
    picture2.autoSize = true;
    picture2.visible = false;
    picture2.tabIndex = 5;

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

    // The frame window, pale yellow until the first film is opened.
    forms::ControlDesign& picture5 =
        build.add(ControlKind::PictureBox, "Picture5", "", 3720, 3960, 3015, 1335);
    picture5.autoSize = true;
    picture5.borderStyle = 0;
    picture5.tabIndex = 3;
    picture5.back = 0x00C0FFFF;
    picture5.fore = 0x0080FFFF;

    // The cover in front of the strip while the strip is put back after a slide.
    forms::ControlDesign& picture3 =
        build.add(ControlKind::PictureBox, "Picture3", "Picture5", 0, 0, 615, 615);
    picture3.borderStyle = 0;
    picture3.visible = false;
    picture3.tabIndex = 6;
    build.image("Image8", "Picture3", 0, 0, 255, 375);

    // The strip; its background shows in the gap between the two frames.
    forms::ControlDesign& picture6 =
        build.add(ControlKind::PictureBox, "Picture6", "Picture5", 0, 0, 2055, 1335);
    picture6.borderStyle = 0;
    picture6.visible = false;
    picture6.tabIndex = 4;
    picture6.back = sys::MenuText;
    build.image("Image12", "Picture6", 960, 0, 855, 1335).appearance = 0;
    build.image("Image11", "Picture6", 0, 0, 1215, 1335).appearance = 0;

    forms::ControlDesign& image5 = build.image("Image5", "", 1920, 3120, 255, 255);
    image5.visible = false;
    image5.toolTip = "Home - реальный размер";
    image5.picture = ":/kadroskop/form1_home.bmp";

    forms::ControlDesign& image6 = build.image("Image6", "", 2160, 3120, 255, 255);
    image6.visible = false;
    image6.toolTip = "End - измененный размер";
    image6.picture = ":/kadroskop/form1_end.bmp";

    forms::ControlDesign& image3 = build.image("Image3", "", 1920, 2160, 495, 495);
    image3.visible = false;
    image3.toolTip = "Page UP";
    image3.picture = ":/kadroskop/form1_up.bmp";

    forms::ControlDesign& image4 = build.image("Image4", "", 1920, 2640, 495, 495);
    image4.visible = false;
    image4.toolTip = "Page Down";
    image4.picture = ":/kadroskop/form1_down.bmp";

    build.image("Image1", "", 0, 2640, 3375, 4275).picture = ":/kadroskop/form1_projector.bmp";
    build.image("Image7", "", 0, 1920, 3375, 780).picture = ":/kadroskop/form1_band.bmp";

    return d;
}

} // namespace editions::kadroskop
