#pragma once
#include <string>
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
    float borderTwips() const { return BorderStyle == 1 ? 30.0f : 0.0f; }
    // Follows the container's width when aligned to the top.
    void alignToContainer(float containerWidth);

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
    // Default editing for a typed character or an editing key, after the handlers.
    void typeCharacter(int keyAscii);
    void editKey(int keyCode);
};

class CommandButton final : public Control {
  public:
    CommandButton(Form& f, Control* c, std::string name, int index);
    Property<std::string> Caption{*this, Prop::Caption};
};

class CheckBox final : public Control {
  public:
    CheckBox(Form& f, Control* c, std::string name, int index);
    Property<std::string> Caption{*this, Prop::Caption};
    // 0 unticked, 1 ticked, 2 greyed. Setting a new value raises Click.
    Property<int> Value{*this, Prop::Value, 0};

  protected:
    void onChanged(Prop which) override;
};

// The item list shared by list boxes and combo boxes.
class ListControl : public Control {
  public:
    using Control::Control;
    // Setting a new index raises Click. -1: nothing selected.
    Property<int> ListIndex{*this, Prop::ListIndex, -1};
    int TopIndex = 0;
    void AddItem(std::string item);
    void RemoveItem(int index);
    void Clear();
    int ListCount() const { return static_cast<int>(items_.size()); }
    // The item at `index`, "" outside the list.
    std::string List(int index) const;
    const std::vector<std::string>& items() const { return items_; }

  protected:
    void onChanged(Prop which) override;
    std::vector<std::string> items_;
};

class ListBox final : public ListControl {
  public:
    ListBox(Form& f, Control* c, std::string name, int index);
    // The selected item's text, "" when none.
    std::string Text() const { return List(ListIndex); }
    // Height of one row in twips (from the font, through the runtime's measurement).
    float rowHeight() const;
    // Rows that fit in the box.
    int visibleRows() const;
};

class ComboBox final : public ListControl {
  public:
    ComboBox(Form& f, Control* c, std::string name, int index);
    // The text in the edit part; selecting an item sets it to the item.
    Property<std::string> Text{*this, Prop::Text};
    bool droppedDown = false;

  protected:
    void onChanged(Prop which) override;
};

// Lists the drives: "c: ", "d: ", ... each entry starting with letter and colon.
class DriveListBox final : public ListControl {
  public:
    DriveListBox(Form& f, Control* c, std::string name, int index);
    // The current entry's text; setting it to a drive path selects that drive's entry.
    Property<std::string> Drive{*this, Prop::Drive};
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

} // namespace forms
