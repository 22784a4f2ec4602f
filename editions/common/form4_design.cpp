// The film chooser: a fixed dialog on silver. Kadroskop stands its four previews on a film
// strip at the right; Lampionika lays them in a row at the bottom under a wider folder panel.
#include "editions/common/design_rows.h"
#include "editions/edition.h"

namespace editions {

namespace {

using forms::ControlKind;
namespace sys = forms::sys;

constexpr forms::Color kWhite = 0x00FFFFFF;
constexpr forms::Color kBlack = 0x00000000;
constexpr forms::Color kYellow = 0x0000FFFF;

// The hidden icon stores, outside the client area.
DesignRow iconStore(const char* name, Both<Rect> at, Both<int> tab, const char* picture) {
    return {.kind = ControlKind::PictureBox,
            .name = name,
            .at = at,
            .visible = false,
            .tabIndex = tab,
            .picture = picture};
}

// Row icon k beside the folder list's k-th visible row.
DesignRow rowIcon(int k) {
    return {.kind = ControlKind::PictureBox,
            .name = "Picture3",
            .index = k,
            .parent = "Picture2",
            .at = Rect{90, 360 + 360.0f * static_cast<float>(k), 400, 375},
            .visible = false,
            .tabIndex = Both<int>(10 + k, 13 + k),
            .back = std::optional<forms::Color>(sys::HighlightText),
            .toolTip = "DblClick открыть",
            .borderStyle = 0};
}

DesignRow previewName(int k, Both<Rect> at, Both<int> tab) {
    return {.kind = ControlKind::Label,
            .name = "Label1",
            .index = k,
            .parent = "Picture1",
            .at = at,
            .visible = false,
            .tabIndex = tab,
            .back = std::optional<forms::Color>(kBlack),
            .fore = kYellow,
            .text = "Label1"};
}

DesignRow preview(int k, Both<Rect> at) {
    return {.kind = ControlKind::Image,
            .name = "Image1",
            .index = k,
            .parent = "Picture1",
            .at = at,
            .visible = false,
            .stretch = true};
}

std::vector<DesignRow> rows() {
    const forms::Font bold = cyrillicSansSerif(9.75f, 700);
    std::vector<DesignRow> r = {
        {.kind = ControlKind::CommandButton,
         .name = "Command3",
         .at = {Rect{1560, 5760, 1815, 495}, Rect{120, 5880, 1695, 495}},
         .visible = false,
         .tabIndex = 30,
         .text = "открыть папку"},
        iconStore("Picture11", Rect{8640, 5400, 375, 375}, {26, 29}, "form4_desktop.bmp"),
        iconStore("Picture10", Rect{8160, 5400, 375, 375}, {25, 28}, "form4_documents.bmp"),
        {.kind = ControlKind::PictureBox,
         .name = "Picture9",
         .at = {Rect{120, 480, 495, 375}, Rect{120, 120, 495, 375}},
         .tabIndex = {24, 27},
         .back = std::optional<forms::Color>(sys::HighlightText),
         .toolTip = "В корень диска",
         .picture = "form4_drive.bmp"},
        iconStore("Picture8", {Rect{7800, 5400, 375, 375}, Rect{7680, 5400, 375, 375}}, {23, 26},
                  "form4_drive.bmp"),
        iconStore("Picture6", Rect{8520, 4560, 375, 375}, {19, 22}, "form4_folder.bmp"),
        iconStore("Picture5", Rect{7920, 4800, 375, 375}, {18, 21}, "form4_up.bmp"),
        // The white panel with the folder's name and its subfolders.
        {.kind = ControlKind::PictureBox,
         .name = "Picture2",
         .at = {Rect{120, 1440, 4455, 3375}, Rect{120, 600, 7095, 3375}},
         .tabIndex = {9, 12},
         .back = std::optional<forms::Color>(kWhite),
         .fore = kBlack},
        {.kind = ControlKind::PictureBox,
         .name = "Picture7",
         .parent = "Picture2",
         .at = Rect{90, 0, 400, 375},
         .visible = false,
         .tabIndex = {22, 25},
         .back = std::optional<forms::Color>(kWhite),
         .toolTip = "Вверх",
         .borderStyle = 0},
        {.kind = ControlKind::ListBox,
         .name = "List1",
         .parent = "Picture2",
         .at = {Rect{480, 360, 3855, 2940}, Rect{480, 360, 6495, 2940}},
         .tabIndex = {21, 24},
         .font = cyrillicSansSerif(13.5f, 400),
         .toolTip = "DblClick открыть"},
    };
    for (int k = 7; k >= 0; --k)
        r.push_back(rowIcon(k));
    r.push_back({.kind = ControlKind::Label,
                 .name = "Label3",
                 .index = 0,
                 .parent = "Picture2",
                 .at = {Rect{600, 0, 3735, 255}, Rect{600, 0, 6375, 255}},
                 .tabIndex = {20, 23},
                 .back = std::optional<forms::Color>(kWhite),
                 .font = cyrillicSansSerif(12, 700),
                 .toolTip = "Вверх"});
    r.push_back({.kind = ControlKind::ComboBox,
                 .name = "Combo1",
                 .at = {Rect{600, 480, 3975, 360}, Rect{600, 120, 6615, 360}},
                 .tabIndex = {8, 11},
                 .font = bold,
                 .text = "Combo1"});
    r.push_back({.kind = ControlKind::CommandButton,
                 .name = "Command2",
                 .at = {Rect{600, 5160, 1815, 495}, Rect{1920, 5880, 1695, 495}},
                 .tabIndex = 3,
                 .text = "Отмена"});
    r.push_back({.kind = ControlKind::CommandButton,
                 .name = "Command1",
                 .at = {Rect{2520, 5160, 1815, 495}, Rect{3720, 5880, 1695, 495}},
                 .visible = {true, false},
                 .tabIndex = 2,
                 .text = "OK"});
    // The drive list is the source of the drives, never used by the user: hidden in
    // Kadroskop, covered by the icon and the combo box in Lampionika.
    r.push_back({.kind = ControlKind::DriveListBox,
                 .name = "Drive1",
                 .at = {Rect{120, 840, 4455, 360}, Rect{120, 120, 7095, 360}},
                 .visible = {false, true},
                 .tabIndex = 1,
                 .fore = kBlack,
                 .font = bold,
                 .enabled = false});
    r.push_back({.kind = ControlKind::DirListBox,
                 .name = "Dir1",
                 .at = {Rect{120, 1320, 3975, 3060}, Rect{120, 600, 6255, 3060}},
                 .visible = false,
                 .tabIndex = 0,
                 .back = std::optional<forms::Color>(kWhite),
                 .fore = kBlack,
                 .font = bold});
    // The preview panel: Kadroskop's film strip, Lampionika's black band.
    r.push_back({.kind = ControlKind::PictureBox,
                 .name = "Picture1",
                 .at = {Rect{4800, 0, 2775, 6315}, Rect{240, 4200, 6855, 1485}},
                 .tabIndex = 5,
                 .back = std::optional<forms::Color>(kBlack),
                 .picture = {"form4_strip.bmp", ""},
                 .borderStyle = 0});
    r.push_back(
        previewName(3, {Rect{480, 6120, 1575, 255}, Rect{5160, 1080, 1575, 255}}, {29, 10}));
    r.push_back(previewName(2, {Rect{600, 4680, 1575, 255}, Rect{3480, 1080, 1575, 255}}, {28, 9}));
    r.push_back(previewName(1, {Rect{600, 3000, 1575, 255}, Rect{1800, 1080, 1575, 255}}, {27, 8}));
    r.push_back(preview(3, {Rect{600, 5160, 1575, 975}, Rect{5160, 120, 1575, 975}}));
    r.push_back(preview(2, {Rect{600, 3600, 1575, 975}, Rect{3480, 120, 1575, 975}}));
    r.push_back(preview(1, {Rect{600, 1920, 1575, 975}, Rect{1800, 120, 1575, 975}}));
    r.push_back(previewName(0, {Rect{600, 1320, 1575, 255}, Rect{120, 1080, 1575, 255}}, 6));
    r.push_back(preview(0, {Rect{600, 240, 1575, 975}, Rect{120, 120, 1575, 975}}));
    // The backdrop behind the preview panel, which marks a selected film.
    r.push_back({.kind = ControlKind::PictureBox,
                 .name = "Picture4",
                 .at = {Rect{4680, -240, 3015, 6735}, Rect{120, 4080, 7095, 1695}},
                 .tabIndex = 7,
                 .back = {std::optional<forms::Color>(0x00800000),
                          std::optional<forms::Color>(0x00808080)}});
    r.push_back({.kind = ControlKind::Label,
                 .name = "Label2",
                 .at = Rect{5280, 5520, 1815, 375},
                 .visible = false,
                 .tabIndex = 4});
    return r;
}

} // namespace

forms::FormDesign chooserDesign(Which which, const std::string& resources) {
    forms::FormDesign d;
    d.name = "Form4";
    d.caption = which == Which::Kadroskop
                    ? "Откройте диск и папку. И выберите пленку с диафильмом."
                    : "Откройте диск и папку. И выберите пластинку с изображениями.";
    d.borderStyle = 1;
    d.maxButton = false;
    d.minButton = false;
    d.startUpPosition = 1;
    d.back = 0x00C0C0C0;
    d.clientWidth = which == Which::Kadroskop ? 7695 : 7305;
    d.clientHeight = which == Which::Kadroskop ? 6330 : 6465;
    return designFromRows(std::move(d), rows(), which, resources);
}

} // namespace editions
