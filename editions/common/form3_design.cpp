#include "editions/common/design_builder.h"
#include "editions/edition.h"

namespace editions {

forms::FormDesign aboutDesign(const std::string& title, const std::string& ownPhoto,
                              const std::string& shownPhoto) {
    using forms::ControlKind;
    forms::Font heading;
    heading.name = "MS Sans Serif";
    heading.size = 13.5f;
    heading.weight = 400;
    heading.charset = 204;
    forms::Font contact;
    contact.name = "Times New Roman";
    contact.size = 14.25f;
    contact.weight = 700;
    contact.italic = true;
    contact.charset = 204;

    forms::FormDesign d;
    d.name = "Form3";
    d.caption = "Form3";
    d.borderStyle = 0;
    d.windowState = 2;
    d.showInTaskbar = false;
    d.startUpPosition = 3;
    d.back = 0x00000000;
    d.clientWidth = 4680;
    d.clientHeight = 3195;

    // Controls front first.
    DesignBuilder build(d);
    const auto add = [&build](forms::ControlKind kind, const char* name, float left, float top,
                              float width, float height, int tabIndex) -> forms::ControlDesign& {
        forms::ControlDesign& c = build.add(kind, name, "", left, top, width, height);
        c.tabIndex = tabIndex;
        return c;
    };

    forms::ControlDesign& ok = add(ControlKind::CommandButton, "Command1", 240, 1440, 2655, 495, 4);
    ok.text = "OK";

    forms::ControlDesign& box = add(ControlKind::TextBox, "Text1", 0, 1080, 3135, 375, 3);
    box.text = "viewers@example.org";
    box.alignment = 2;
    box.back = 0x00000000;
    box.fore = 0x00FFFF80;
    box.font = contact;
    box.tabStop = false;

    // Hidden: holds the photograph at its own size, which gives the shown one its aspect.
    forms::ControlDesign& own =
        add(ControlKind::PictureBox, "Picture1", 240, 2880, 14460, 19260, 0);
    own.visible = false;
    own.autoSize = true;
    own.picture = ownPhoto;

    forms::ControlDesign& author = add(ControlKind::Label, "Label2", 0, 720, 3225, 360, 2);
    author.text = "Автор: команда разработчиков";
    author.autoSize = true;
    author.alignment = 2;
    author.backStyle = 0;
    author.fore = 0x0000FFFF;
    author.font = heading;

    forms::ControlDesign& titleLabel = add(ControlKind::Label, "Label1", 240, 0, 2775, 735, 1);
    titleLabel.text = title;
    titleLabel.alignment = 2;
    titleLabel.backStyle = 0;
    titleLabel.fore = 0x0000FFFF;
    titleLabel.font = heading;

    // The photograph shown, stretched to the size the window gives it.
    forms::ControlDesign& photo = add(ControlKind::Image, "Image1", 3120, 120, 14400, 19200, 0);
    photo.stretch = true;
    photo.picture = shownPhoto;

    return d;
}

} // namespace editions
