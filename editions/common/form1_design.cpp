// The main window: a borderless, maximized black stage with the menu bar at the top, the
// side picture at the left and the frame window beside it. The image buttons and the
// keep-slide-size box stay hidden until a film is open.
//
// Kadroskop stands its projector photograph on a red band and keeps a cover in front of the
// strip. Lampionika shows a magic lantern and holds four hidden photographs that the side
// picture takes over by the position in the film (their geometry has no effect); its frame
// window and strip stand in front of the menu.
#include "editions/common/design_rows.h"
#include "editions/edition.h"

namespace editions {

namespace {

using forms::ControlKind;
namespace sys = forms::sys;

// An image button: hidden until a film is open, its picture stretched to its square.
DesignRow button(const char* name, Both<Rect> at, const char* toolTip, const char* picture) {
    return {.kind = ControlKind::Image,
            .name = name,
            .at = at,
            .visible = false,
            .toolTip = toolTip,
            .picture = picture,
            .stretch = true};
}

// One of Lampionika's hidden photographs.
DesignRow photoStore(const char* name, Rect at, const char* picture) {
    return only(Which::Lampionika, {.kind = ControlKind::Image,
                                    .name = name,
                                    .at = at,
                                    .visible = false,
                                    .picture = picture,
                                    .stretch = true});
}

// The drop-down menu under the black top bar with the menu label "Файл".
std::vector<DesignRow> menu() {
    return {
        {.kind = ControlKind::ListBox,
         .name = "List1",
         .at = Rect{0, 360, 2775, 1005},
         .tabIndex = 2,
         .back = std::optional<forms::Color>(sys::WindowFrame),
         .fore = sys::InactiveBorder},
        {.kind = ControlKind::PictureBox,
         .name = "Picture1",
         .at = Rect{0, 0, 6765, 375},
         .tabIndex = 0,
         .back = std::optional<forms::Color>(0x00000000),
         .borderStyle = 0,
         .align = 1},
        {.kind = ControlKind::Label,
         .name = "Label1",
         .parent = "Picture1",
         .at = Rect{0, 120, 1215, 375},
         .tabIndex = 1,
         .back = std::optional<forms::Color>(sys::MenuText),
         .fore = sys::InactiveCaptionText,
         .text = "Файл"},
    };
}

// The menu rows at their place in one program's stacking order.
void addMenu(std::vector<DesignRow>& r, Which which) {
    for (const DesignRow& row : menu())
        r.push_back(only(which, row));
}

std::vector<DesignRow> rows() {
    std::vector<DesignRow> r = {
        // The keep-slide-size box.
        {.kind = ControlKind::CheckBox,
         .name = "Check1",
         .at = {Rect{1920, 3360, 495, 255}, Rect{120, 3960, 495, 255}},
         .visible = false,
         .tabIndex = {7, 6},
         .back = std::optional<forms::Color>(sys::MenuText),
         .text = "Check1",
         .toolTip = "| + - | -зафиксировать размер слайдов",
         .value = 0},
        // The hidden measuring box: the only picture box of the window with a border.
        {.kind = ControlKind::PictureBox,
         .name = "Picture2",
         .at = {Rect{4080, 1320, 1575, 975}, Rect{4080, 720, 1575, 975}},
         .visible = false,
         .tabIndex = 5,
         .autoSize = true},
    };
    addMenu(r, Which::Kadroskop);
    // The frame window, pale yellow until the first film is opened.
    r.push_back({.kind = ControlKind::PictureBox,
                 .name = "Picture5",
                 .at = {Rect{3720, 3960, 3015, 1335}, Rect{1800, 480, 2055, 1335}},
                 .tabIndex = 3,
                 .back = std::optional<forms::Color>(0x00C0FFFF),
                 .fore = 0x0080FFFF,
                 .borderStyle = 0,
                 .autoSize = true});
    // The cover in front of the strip while the strip is put back after a slide.
    r.push_back(only(Which::Kadroskop, {.kind = ControlKind::PictureBox,
                                        .name = "Picture3",
                                        .parent = "Picture5",
                                        .at = Rect{0, 0, 615, 615},
                                        .visible = false,
                                        .tabIndex = 6,
                                        .borderStyle = 0}));
    r.push_back(only(Which::Kadroskop, {.kind = ControlKind::Image,
                                        .name = "Image8",
                                        .parent = "Picture3",
                                        .at = Rect{0, 0, 255, 375},
                                        .stretch = true}));
    // The strip inside the frame window, with the frame on show and its neighbour; the
    // strip's background shows in the gap between the two.
    r.push_back({.kind = ControlKind::PictureBox,
                 .name = "Picture6",
                 .parent = "Picture5",
                 .at = Rect{0, 0, 2055, 1335},
                 .visible = false,
                 .tabIndex = 4,
                 .back = std::optional<forms::Color>(sys::MenuText),
                 .borderStyle = 0});
    r.push_back({.kind = ControlKind::Image,
                 .name = "Image12",
                 .parent = "Picture6",
                 .at = Rect{960, 0, 855, 1335},
                 .stretch = true,
                 .appearance = 0});
    r.push_back({.kind = ControlKind::Image,
                 .name = "Image11",
                 .parent = "Picture6",
                 .at = Rect{0, 0, 1215, 1335},
                 .stretch = true,
                 .appearance = 0});
    addMenu(r, Which::Lampionika);
    r.push_back(photoStore("Image10", Rect{3480, 2400, 3630, 4935}, "form1_lantern_last.jpg"));
    r.push_back(photoStore("Image9", Rect{2760, 2040, 615, 615}, "form1_lantern_middle.jpg"));
    // The image buttons: own size, fitted, previous and next frame.
    r.push_back(button("Image5", {Rect{1920, 3120, 255, 255}, Rect{120, 3720, 255, 255}},
                       "Home - реальный размер", "form1_home.bmp"));
    r.push_back(button("Image6", {Rect{2160, 3120, 255, 255}, Rect{360, 3720, 255, 255}},
                       "End - измененный размер", "form1_end.bmp"));
    r.push_back(button("Image3", {Rect{1920, 2160, 495, 495}, Rect{120, 2640, 495, 495}}, "Page UP",
                       "form1_up.bmp"));
    r.push_back(photoStore("Image7", Rect{240, 1080, 255, 180}, "form1_lantern_first.jpg"));
    r.push_back(button("Image4", {Rect{1920, 2640, 495, 495}, Rect{120, 3120, 495, 495}},
                       "Page Down", "form1_down.bmp"));
    // The side picture; Lampionika's lantern has an empty slot until a film is open.
    r.push_back({.kind = ControlKind::Image,
                 .name = "Image1",
                 .at = Rect{0, 2640, 3375, 4275},
                 .picture = {"form1_projector.bmp", "form1_lantern_empty.jpg"},
                 .stretch = true});
    // Kadroskop's red band behind the side picture.
    r.push_back(only(Which::Kadroskop, {.kind = ControlKind::Image,
                                        .name = "Image7",
                                        .at = Rect{0, 1920, 3375, 780},
                                        .picture = "form1_band.bmp",
                                        .stretch = true}));
    r.push_back(photoStore("Image8", Rect{1440, 2400, 735, 855}, "form1_lantern_second.jpg"));
    return r;
}

} // namespace

forms::FormDesign mainWindowDesign(Which which, const std::string& resources) {
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
    d.back = sys::MenuText;
    d.clientWidth = 6765;
    d.clientHeight = 6570;
    d.icon = resources + "form1_icon.bmp";
    return designFromRows(std::move(d), rows(), which, resources);
}

} // namespace editions
