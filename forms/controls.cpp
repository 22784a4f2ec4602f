#include "forms/controls.h"

#include <algorithm>
#include <cmath>

#include "forms/design.h"
#include "forms/files.h"
#include "forms/form.h"
#include "forms/keycodes.h"
#include "forms/runtime.h"
#include "forms/strings.h"

namespace forms {

void PictureBox::alignToContainer(float containerWidth) {
    if (Align != 1)
        return;
    Left = 0.0f;
    Top = 0.0f;
    Width = containerWidth;
}

void PictureBox::onChanged(Prop which) {
    // With AutoSize the box takes its picture's size plus its border.
    if (AutoSize && (which == Prop::Picture || which == Prop::BorderStyle) && Picture.get()) {
        Width = Picture.get()->widthTwips() + 2 * borderTwips();
        Height = Picture.get()->heightTwips() + 2 * borderTwips();
    }
    if (which == Prop::Width)
        for (Control* child : children())
            if (auto* box = dynamic_cast<PictureBox*>(child))
                box->alignToContainer(Width);
}

void Image::onChanged(Prop which) {
    // Without Stretch an image takes its picture's own size.
    if (!Stretch && which == Prop::Picture && Picture.get()) {
        Width = Picture.get()->widthTwips();
        Height = Picture.get()->heightTwips();
    }
}

Label::Label(Form& f, Control* c, std::string name, int index)
    : Control(f, c, ControlKind::Label, std::move(name), index) {}

void Label::fitToCaption() {
    if (!AutoSize)
        return;
    const Size2 size = form().runtime().measureText(Font, Caption.get());
    Width = size.width;
    Height = size.height;
}

void Label::onChanged(Prop which) {
    if (which == Prop::Caption || which == Prop::Font)
        fitToCaption();
}

TextBox::TextBox(Form& f, Control* c, std::string name, int index)
    : Control(f, c, ControlKind::TextBox, std::move(name), index) {
    BackColor.setSilently(sys::WindowBackground);
    ForeColor.setSilently(sys::WindowText);
}

void TextBox::defaultKeyPress(int keyAscii) {
    if (Locked || keyAscii == 0 || keyAscii == 13 || keyAscii == 27 || keyAscii == 9)
        return;
    const std::string& t = Text.get();
    const long n = str::len(t);
    SelStart = std::clamp(SelStart, 0L, n);
    if (keyAscii == 8) { // backspace
        if (SelStart > 0) {
            Text = str::left(t, SelStart - 1) + str::mid(t, SelStart + 1);
            --SelStart;
        }
        return;
    }
    if (keyAscii < 32)
        return;
    // The character code is a Unicode code point.
    Text = str::left(t, SelStart) + str::fromCodePoint(static_cast<char32_t>(keyAscii)) +
           str::mid(t, SelStart + 1);
    ++SelStart;
}

void TextBox::defaultKeyDown(int keyCode) {
    const std::string& t = Text.get();
    const long n = str::len(t);
    switch (keyCode) {
    case vk::Left:
        SelStart = std::max(0L, SelStart - 1);
        break;
    case vk::Right:
        SelStart = std::min(n, SelStart + 1);
        break;
    case vk::Home:
        SelStart = 0;
        break;
    case vk::End:
        SelStart = n;
        break;
    case vk::Delete:
        if (SelStart < n)
            Text = str::left(t, SelStart) + str::mid(t, SelStart + 2);
        break;
    default:
        return;
    }
    form().touch();
}

CommandButton::CommandButton(Form& f, Control* c, std::string name, int index)
    : Control(f, c, ControlKind::CommandButton, std::move(name), index) {}

void CommandButton::defaultKeyPress(int keyAscii) {
    if (keyAscii == vk::Return || keyAscii == vk::Space)
        raiseClick();
}

CheckBox::CheckBox(Form& f, Control* c, std::string name, int index)
    : Control(f, c, ControlKind::CheckBox, std::move(name), index) {}

void CheckBox::userClick() {
    Value = Value == 1 ? 0 : 1; // the setter raises Click
}

void CheckBox::defaultKeyPress(int keyAscii) {
    if (keyAscii == vk::Space)
        userClick();
}

void CheckBox::onChanged(Prop which) {
    // A new value, set by the user or by code, raises Click inside the setter.
    if (which == Prop::Value)
        raiseClick();
}

void ListControl::AddItem(std::string item) {
    items_.push_back(std::move(item));
    form().touch();
}

void ListControl::RemoveItem(int index) {
    if (index < 0 || index >= ListCount())
        return;
    items_.erase(items_.begin() + index);
    if (ListIndex >= ListCount())
        ListIndex.setSilently(-1);
    itemsRemoved();
    form().touch();
}

void ListControl::Clear() {
    items_.clear();
    ListIndex.setSilently(-1);
    itemsRemoved();
    form().touch();
}

std::string ListControl::List(int index) const {
    if (index < 0 || index >= ListCount())
        return {};
    return items_[static_cast<std::size_t>(index)];
}

void ListControl::defaultKeyDown(int keyCode) {
    if (keyCode == vk::Up && ListIndex > 0)
        ListIndex = ListIndex - 1;
    else if (keyCode == vk::Down && ListIndex < ListCount() - 1)
        ListIndex = ListIndex + 1;
}

void ListControl::onChanged(Prop which) {
    if (which == Prop::ListIndex) {
        // An index outside the list selects nothing.
        if (ListIndex < -1 || ListIndex >= ListCount())
            ListIndex.setSilently(-1);
        selected();
        raiseClick();
    }
}

ListBox::ListBox(Form& f, Control* c, std::string name, int index)
    : ListControl(f, c, ControlKind::ListBox, std::move(name), index) {
    BackColor.setSilently(sys::WindowBackground);
    ForeColor.setSilently(sys::WindowText);
}

void ListBox::setText(std::string_view text) {
    int row = -1;
    for (int k = 0; k < ListCount() && row < 0; ++k)
        if (items_[static_cast<std::size_t>(k)] == text)
            row = k;
    ListIndex = row;
}

float rowHeightTwips(const Font& font, float measuredLineHeight) {
    if (font.name == "MS Sans Serif") {
        // The face's sizes: the em height in pixels each is made for, and its row height.
        struct Size {
            int em, row;
        };
        static constexpr Size kSizes[] = {{11, 13}, {13, 16}, {16, 20},
                                          {19, 24}, {24, 29}, {32, 37}};
        // Past its largest size the face is scaled like any other.
        constexpr int kLargestEm = 32;
        const double em = std::round(font.size * 96.0 / 72.0);
        if (em <= kLargestEm + 4) {
            const Size* best = &kSizes[0];
            for (const Size& s : kSizes)
                if (std::abs(s.em - em) < std::abs(best->em - em))
                    best = &s;
            return static_cast<float>(best->row * kTwipsPerPixel);
        }
    }
    return measuredLineHeight > 0 ? measuredLineHeight : 13.0f * kTwipsPerPixel;
}

float ListBox::rowHeight() const {
    return rowHeightTwips(Font, form().runtime().measureText(Font, "Ag").height);
}

int ListBox::visibleRows() const {
    return std::max(1, static_cast<int>(std::floor((Height - 4 * kTwipsPerPixel) / rowHeight())));
}

int ListBox::lastTop() const {
    return std::max(0, ListCount() - visibleRows());
}

void ListBox::defaultKeyDown(int keyCode) {
    const int step = keyCode == vk::Down ? 1 : keyCode == vk::Up ? -1 : 0;
    const int selected = ListIndex;
    const int row = selected + step;
    if (step == 0 || row < 0 || row >= ListCount()) {
        ListControl::defaultKeyDown(keyCode);
        return;
    }
    int top = TopIndex;
    if (row < top)
        top = row;
    else if (row >= top + visibleRows())
        top = row - visibleRows() + 1;
    if (top != TopIndex) {
        TopIndex = top;
        raiseScroll();
        // The scroll's handler may have changed the selection, or hidden the list; the key
        // moves on from where it was.
        if (form().state() != FormState::Loaded || !shownOnForm() || !Enabled)
            return;
    }
    ListIndex = row;
}

void ListBox::onChanged(Prop which) {
    if (which == Prop::TopIndex) {
        const int top = std::clamp(static_cast<int>(TopIndex), 0, lastTop());
        TopIndex.setSilently(top);
        return;
    }
    ListControl::onChanged(which);
}

void ListBox::itemsRemoved() {
    TopIndex.setSilently(std::clamp(static_cast<int>(TopIndex), 0, lastTop()));
}

void ListBox::selected() {
    if (ListIndex < 0)
        return;
    if (ListIndex < TopIndex)
        TopIndex = ListIndex.get();
    else if (ListIndex >= TopIndex + visibleRows())
        TopIndex = ListIndex - visibleRows() + 1;
}

ComboBox::ComboBox(Form& f, Control* c, std::string name, int index)
    : ListControl(f, c, ControlKind::ComboBox, std::move(name), index) {
    BackColor.setSilently(sys::WindowBackground);
    ForeColor.setSilently(sys::WindowText);
}

void ComboBox::selected() {
    // The edit part shows the chosen entry before Click runs.
    if (ListIndex >= 0)
        Text.setSilently(List(ListIndex));
}

void ComboBox::defaultKeyPress(int keyAscii) {
    if (keyAscii == vk::Back)
        Text = str::left(Text.get(), str::len(Text.get()) - 1);
    else if (keyAscii >= 32)
        Text = Text.get() + str::fromCodePoint(static_cast<char32_t>(keyAscii));
}

// The design values each class has of its own; the ones every control has are applied by
// the form.
void PictureBox::applyDesign(Runtime& rt, const ControlDesign& d) {
    AutoSize = d.autoSize;
    Align = d.align;
    Appearance = d.appearance;
    BorderStyle.setSilently(d.borderStyle.value_or(1));
    Picture = rt.designPicture(d.picture); // AutoSize takes the picture's size here
}

void Image::applyDesign(Runtime& rt, const ControlDesign& d) {
    Stretch = d.stretch;
    Appearance = d.appearance;
    BorderStyle.setSilently(d.borderStyle.value_or(0));
    Picture = rt.designPicture(d.picture);
}

void Label::applyDesign(Runtime&, const ControlDesign& d) {
    AutoSize = d.autoSize;
    Alignment = d.alignment;
    BackStyle = d.backStyle;
    BorderStyle = d.borderStyle.value_or(0);
    if (!d.back)
        BackColor.setSilently(sys::ButtonFace);
    Caption.setSilently(d.text);
    fitToCaption();
}

void TextBox::applyDesign(Runtime&, const ControlDesign& d) {
    Alignment = d.alignment;
    BorderStyle = d.borderStyle.value_or(1);
    Text.setSilently(d.text);
}

void CommandButton::applyDesign(Runtime&, const ControlDesign& d) {
    Caption.setSilently(d.text);
}

void CheckBox::applyDesign(Runtime&, const ControlDesign& d) {
    Caption.setSilently(d.text);
    Value.setSilently(d.value);
}

void ComboBox::applyDesign(Runtime&, const ControlDesign& d) {
    Text.setSilently(d.text);
}

DriveListBox::DriveListBox(Form& f, Control* c, std::string name, int index)
    : ListControl(f, c, ControlKind::DriveListBox, std::move(name), index) {
    BackColor.setSilently(sys::WindowBackground);
    ForeColor.setSilently(sys::WindowText);
    refresh();
}

void DriveListBox::refresh() {
    // The drive selected stays selected while it is in the list; the first time, and when
    // it has gone, the current drive is.
    FileSystem& fs = form().runtime().files();
    const char kept = Drive->empty() ? 0 : static_cast<char>(std::toupper(Drive.get()[0]));
    items_.clear();
    int current = -1, keptAt = -1;
    for (char d : fs.drives()) {
        const char lower = static_cast<char>(d - 'A' + 'a');
        if (d == fs.currentDrive())
            current = ListCount();
        if (d == kept)
            keptAt = ListCount();
        items_.push_back(std::string(1, lower) + ":");
    }
    const int at = keptAt >= 0 ? keptAt : current;
    ListIndex.setSilently(at);
    Drive.setSilently(at >= 0 ? items_[static_cast<std::size_t>(at)] : std::string());
    form().touch();
}

void DriveListBox::onChanged(Prop which) {
    if (which == Prop::Drive) {
        // Selects the entry of the drive the text starts with.
        const std::string& d = Drive.get();
        int found = -1;
        for (int k = 0; k < ListCount() && !d.empty(); ++k)
            if (std::tolower(static_cast<unsigned char>(items_[static_cast<std::size_t>(k)][0])) ==
                std::tolower(static_cast<unsigned char>(d[0])))
                found = k;
        if (found < 0) {
            // No such drive: the selection stays, and so does the text.
            Drive.setSilently(List(ListIndex));
            return;
        }
        ListIndex.setSilently(found);
        Drive.setSilently(items_[static_cast<std::size_t>(found)]);
        if (Change)
            Change();
    } else if (which == Prop::ListIndex) {
        if (ListIndex >= 0)
            Drive.setSilently(List(ListIndex));
        if (Change)
            Change();
    }
}

DirListBox::DirListBox(Form& f, Control* c, std::string name, int index)
    : Control(f, c, ControlKind::DirListBox, std::move(name), index) {
    BackColor.setSilently(sys::WindowBackground);
    ForeColor.setSilently(sys::WindowText);
    Path.setSilently(form().runtime().files().curDir());
    refresh();
}

std::string DirListBox::List(int index) const {
    if (index < 0 || index >= ListCount())
        return {};
    return subfolders_[static_cast<std::size_t>(index)];
}

void DirListBox::refresh() {
    subfolders_ = form().runtime().files().subfolders(Path.get());
}

void DirListBox::onChanged(Prop which) {
    if (which == Prop::Path) {
        if (auto full = form().runtime().files().full(Path.get()))
            Path.setSilently(*full);
        refresh();
        if (Change)
            Change();
    }
}

} // namespace forms
