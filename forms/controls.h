#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "forms/control.h"
#include "forms/picture.h"

namespace forms {

// Border styles: 0 none, 1 fixed single. Alignment: 0 left, 1 right, 2 centre.

class PictureBox final : public Control {
  public:
    PictureBox(Form& f, Control* c, std::string name, int index)
        : Control(f, c, ControlKind::PictureBox, std::move(name), index) {}
    Property<forms::Picture> Picture{*this, Prop::Picture};
    Property<int> BorderStyle{*this, Prop::BorderStyle, 1};
    bool AutoSize = false;
    int Align = 0;      // 0 none, 1 top
    int Appearance = 1; // 0 flat, 1 3D
    // The border's width in twips on each side: 2 pixels for a fixed single border.
    float borderTwips() const { return BorderStyle == 1 ? 2 * kTwipsPerPixel : 0.0f; }
    float borderInside() const override { return borderTwips(); }
    // Follows the container's width when aligned to the top.
    void alignToContainer(float containerWidth);
    void applyDesign(Runtime& rt, const ControlDesign& d) override;

  protected:
    void onChanged(Prop which) override;
};

class Image final : public Control {
  public:
    Image(Form& f, Control* c, std::string name, int index)
        : Control(f, c, ControlKind::Image, std::move(name), index) {}
    Property<forms::Picture> Picture{*this, Prop::Picture};
    Property<int> BorderStyle{*this, Prop::BorderStyle, 0};
    bool Stretch = false;
    int Appearance = 1;
    bool canFocus() const override { return false; }
    void applyDesign(Runtime& rt, const ControlDesign& d) override;

  protected:
    void onChanged(Prop which) override;
};

class Label final : public Control {
  public:
    Label(Form& f, Control* c, std::string name, int index);
    Property<std::string> Caption{*this, Prop::Caption};
    bool AutoSize = false;
    int Alignment = 0;
    int BackStyle = 1; // 0 transparent, 1 opaque
    int BorderStyle = 0;
    // Sizes the label to its caption through the runtime's text measurement.
    void fitToCaption();
    bool canFocus() const override { return false; }
    void applyDesign(Runtime& rt, const ControlDesign& d) override;

  protected:
    void onChanged(Prop which) override;
};

class TextBox final : public Control {
  public:
    TextBox(Form& f, Control* c, std::string name, int index);
    Property<std::string> Text{*this, Prop::Text};
    int Alignment = 0;
    int BorderStyle = 1;
    bool Locked = false;
    // Caret position in characters, 0 = before the first.
    long SelStart = 0;
    // Editing: a typed character, and the editing keys (arrows, Home, End, Delete).
    void defaultKeyPress(int keyAscii) override;
    void defaultKeyDown(int keyCode) override;
    void applyDesign(Runtime& rt, const ControlDesign& d) override;
};

class CommandButton final : public Control {
  public:
    CommandButton(Form& f, Control* c, std::string name, int index);
    Property<std::string> Caption{*this, Prop::Caption};
    bool hasDblClick() const override { return false; }
    // Space and Enter press a focused button.
    void defaultKeyPress(int keyAscii) override;
    void applyDesign(Runtime& rt, const ControlDesign& d) override;
};

class CheckBox final : public Control {
  public:
    CheckBox(Form& f, Control* c, std::string name, int index);
    Property<std::string> Caption{*this, Prop::Caption};
    // 0 unticked, 1 ticked, 2 greyed. Setting a new value raises Click.
    Property<int> Value{*this, Prop::Value, 0};
    // A click, and Space while focused, toggle the value.
    void userClick() override;
    bool hasDblClick() const override { return false; }
    void defaultKeyPress(int keyAscii) override;
    void applyDesign(Runtime& rt, const ControlDesign& d) override;

  protected:
    void onChanged(Prop which) override;
};

// The item list shared by list boxes, combo boxes and drive lists.
class ListControl : public Control {
  public:
    using Control::Control;
    // Setting a new index raises Click. -1: nothing selected.
    Property<int> ListIndex{*this, Prop::ListIndex, -1};
    void AddItem(std::string item);
    void RemoveItem(int index);
    void Clear();
    int ListCount() const { return static_cast<int>(items_.size()); }
    // The item at `index`, "" outside the list.
    std::string List(int index) const;
    const std::vector<std::string>& items() const { return items_; }
    // The up and down arrows move the selection by one row, raising Click.
    void defaultKeyDown(int keyCode) override;

  protected:
    void onChanged(Prop which) override;
    // A new selection was made; the class shows it before Click runs.
    virtual void selected() {}
    // Items were taken away; the class keeps what it shows within those left.
    virtual void itemsRemoved() {}
    std::vector<std::string> items_;
};

class ListBox final : public ListControl {
  public:
    ListBox(Form& f, Control* c, std::string name, int index);
    // The first row shown. It keeps itself within the list: from 0 to the last top that
    // still fills the box.
    Property<int> TopIndex{*this, Prop::TopIndex, 0};
    // The selected item's text, "" when none.
    std::string Text() const { return List(ListIndex); }
    // Selects the first row with exactly this text (none when no row has it), raising Click
    // when the selection changes.
    void setText(std::string_view text);
    // Height of one row in twips, for the list's font (see rowHeightTwips).
    float rowHeight() const;
    // Rows that fit in the box inside its border.
    int visibleRows() const;
    // The largest TopIndex: the last rows fill the box.
    int lastTop() const;
    // An arrow key that leaves the rows on show scrolls first (raising Scroll, as the user's
    // scrolling does), so the rows beside the list stand where the new selection is shown.
    void defaultKeyDown(int keyCode) override;

  protected:
    void onChanged(Prop which) override;
    // Scrolls the selected row into view.
    void selected() override;
    void itemsRemoved() override;
};

class ComboBox final : public ListControl {
  public:
    ComboBox(Form& f, Control* c, std::string name, int index);
    // The text in the edit part; selecting an item sets it to the item.
    Property<std::string> Text{*this, Prop::Text};
    // A press drops the list down; only a choice from it raises Click. A drop-down combo has
    // no DblClick: a second press drops the list again.
    void userClick() override {}
    bool hasDblClick() const override { return false; }
    // Typing edits the text at its end (Backspace takes the last character away).
    void defaultKeyPress(int keyAscii) override;
    void applyDesign(Runtime& rt, const ControlDesign& d) override;

  protected:
    void selected() override;
};

// Lists the drives: "c: ", "d: ", ... each entry starting with letter and colon.
class DriveListBox final : public ListControl {
  public:
    DriveListBox(Form& f, Control* c, std::string name, int index);
    // The current entry's text; setting it to a drive path selects that drive's entry.
    Property<std::string> Drive{*this, Prop::Drive};
    void userClick() override {}
    bool hasDblClick() const override { return false; }
    void refresh();

  protected:
    void onChanged(Prop which) override;
};

// Holds a folder in `Path`; its list gives that folder's subfolders as full paths.
class DirListBox final : public Control {
  public:
    DirListBox(Form& f, Control* c, std::string name, int index);
    Property<std::string> Path{*this, Prop::Path};
    int ListCount() const { return static_cast<int>(subfolders_.size()); }
    std::string List(int index) const;
    void refresh();

  protected:
    void onChanged(Prop which) override;

  private:
    std::vector<std::string> subfolders_;
};

// Height of a list row in twips for a font, as the original platform lays rows out: its
// "MS Sans Serif" is a bitmap face with a fixed set of sizes, and a row is as high as the
// size the point size picks (13 pixels at 8.25 pt, 24 at 13.5 pt). Other faces take the
// measured line height.
float rowHeightTwips(const Font& font, float measuredLineHeight);

} // namespace forms
