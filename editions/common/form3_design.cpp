// The About window: borderless and maximized on black, the program's title and the authors
// over the contact address and "OK", beside the photograph. The programs differ only in the
// title and the photograph shown.
#include "editions/common/design_rows.h"
#include "editions/edition.h"

namespace editions {

namespace {

using forms::ControlKind;

constexpr forms::Color kBlack = 0x00000000;
constexpr forms::Color kYellow = 0x0000FFFF;

std::vector<DesignRow> rows() {
    const forms::Font heading = cyrillicSansSerif(13.5f, 400);
    forms::Font contact;
    contact.name = "Times New Roman";
    contact.size = 14.25f;
    contact.weight = 700;
    contact.italic = true;
    contact.charset = 204;
    return {
        {.kind = ControlKind::CommandButton,
         .name = "Command1",
         .at = Rect{240, 1440, 2655, 495},
         .tabIndex = 4,
         .text = "OK"},
        {.kind = ControlKind::TextBox,
         .name = "Text1",
         .at = Rect{0, 1080, 3135, 375},
         .tabIndex = 3,
         .back = std::optional<forms::Color>(kBlack),
         .fore = 0x00FFFF80,
         .font = contact,
         .text = "viewers@example.org",
         .alignment = 2,
         .tabStop = false},
        // Hidden: holds the photograph at its own size, which gives the shown one its aspect.
        {.kind = ControlKind::PictureBox,
         .name = "Picture1",
         .at = Rect{240, 2880, 14460, 19260},
         .visible = false,
         .picture = "form3_photo.jpg",
         .autoSize = true},
        {.kind = ControlKind::Label,
         .name = "Label2",
         .at = Rect{0, 720, 3225, 360},
         .tabIndex = 2,
         .fore = kYellow,
         .font = heading,
         .text = "Автор: команда разработчиков",
         .autoSize = true,
         .alignment = 2,
         .backStyle = 0},
        {.kind = ControlKind::Label,
         .name = "Label1",
         .at = Rect{240, 0, 2775, 735},
         .tabIndex = 1,
         .fore = kYellow,
         .font = heading,
         .text = {"Программа Кадроскоп", "Программа Лампионика"},
         .alignment = 2,
         .backStyle = 0},
        // The photograph shown, stretched to the size the window gives it.
        {.kind = ControlKind::Image,
         .name = "Image1",
         .at = Rect{3120, 120, 14400, 19200},
         .picture = {"form3_projector.bmp", "form3_photo.jpg"},
         .stretch = true},
    };
}

} // namespace

forms::FormDesign aboutDesign(Which which, const std::string& resources) {
    forms::FormDesign d;
    d.name = "Form3";
    d.caption = "Form3";
    d.borderStyle = 0;
    d.windowState = 2;
    d.showInTaskbar = false;
    d.startUpPosition = 3;
    d.back = kBlack;
    d.clientWidth = 4680;
    d.clientHeight = 3195;
    return designFromRows(std::move(d), rows(), which, resources);
}

} // namespace editions
