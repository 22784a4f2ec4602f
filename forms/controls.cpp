#include "forms/controls.h"

#include <algorithm>
#include <cmath>

#include "forms/files.h"
#include "forms/form.h"
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

void TextBox::typeCharacter(int keyAscii) {
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
    // The character code is a Unicode code point; store it as UTF-8.
    std::string ch;
    const auto cp = static_cast<unsigned>(keyAscii);
    if (cp < 0x80) {
        ch += static_cast<char>(cp);
    } else if (cp < 0x800) {
        ch += static_cast<char>(0xC0 | (cp >> 6));
        ch += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        ch += static_cast<char>(0xE0 | (cp >> 12));
        ch += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        ch += static_cast<char>(0x80 | (cp & 0x3F));
    }
    Text = str::left(t, SelStart) + ch + str::mid(t, SelStart + 1);
    ++SelStart;
}

void TextBox::editKey(int keyCode) {
    const std::string& t = Text.get();
    const long n = str::len(t);
    switch (keyCode) {
    case 37: // left
        SelStart = std::max(0L, SelStart - 1);
        break;
    case 39: // right
        SelStart = std::min(n, SelStart + 1);
        break;
    case 36: // home
        SelStart = 0;
        break;
    case 35: // end
        SelStart = n;
        break;
    case 46: // delete
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

CheckBox::CheckBox(Form& f, Control* c, std::string name, int index)
    : Control(f, c, ControlKind::CheckBox, std::move(name), index) {}

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
    form().touch();
}

void ListControl::Clear() {
    items_.clear();
    ListIndex.setSilently(-1);
    TopIndex = 0;
    form().touch();
}

std::string ListControl::List(int index) const {
    if (index < 0 || index >= ListCount())
        return {};
    return items_[static_cast<std::size_t>(index)];
}

void ListControl::onChanged(Prop which) {
    if (which == Prop::ListIndex)
        raiseClick();
}

ListBox::ListBox(Form& f, Control* c, std::string name, int index)
    : ListControl(f, c, ControlKind::ListBox, std::move(name), index) {
    BackColor.setSilently(sys::WindowBackground);
    ForeColor.setSilently(sys::WindowText);
}

float ListBox::rowHeight() const {
    const float h = form().runtime().measureText(Font, "Ag").height;
    return h > 0 ? h : 195.0f;
}

int ListBox::visibleRows() const {
    return std::max(1, static_cast<int>(std::floor((Height - 60.0f) / rowHeight())));
}

ComboBox::ComboBox(Form& f, Control* c, std::string name, int index)
    : ListControl(f, c, ControlKind::ComboBox, std::move(name), index) {
    BackColor.setSilently(sys::WindowBackground);
    ForeColor.setSilently(sys::WindowText);
}

void ComboBox::onChanged(Prop which) {
    if (which == Prop::ListIndex) {
        // The edit part shows the chosen entry before Click runs.
        if (ListIndex >= 0)
            Text.setSilently(List(ListIndex));
        raiseClick();
    }
}

DriveListBox::DriveListBox(Form& f, Control* c, std::string name, int index)
    : ListControl(f, c, ControlKind::DriveListBox, std::move(name), index) {
    BackColor.setSilently(sys::WindowBackground);
    ForeColor.setSilently(sys::WindowText);
    refresh();
}

void DriveListBox::refresh() {
    FileSystem& fs = form().runtime().files();
    items_.clear();
    int current = -1;
    for (char d : fs.drives()) {
        const char lower = static_cast<char>(d - 'A' + 'a');
        if (d == fs.currentDrive())
            current = ListCount();
        items_.push_back(std::string(1, lower) + ":");
    }
    ListIndex.setSilently(current);
    Drive.setSilently(current >= 0 ? items_[static_cast<std::size_t>(current)] : std::string());
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
        if (found >= 0) {
            ListIndex.setSilently(found);
            Drive.setSilently(items_[static_cast<std::size_t>(found)]);
        }
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
