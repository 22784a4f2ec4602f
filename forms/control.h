#pragma once
#include <functional>
#include <string>
#include <vector>

#include "forms/color.h"
#include "forms/font.h"
#include "forms/property.h"
#include "forms/units.h"

namespace forms {

class Form;
class Runtime;
struct ControlDesign;

enum class ControlKind {
    PictureBox,
    Image,
    Label,
    TextBox,
    CommandButton,
    CheckBox,
    ComboBox,
    ListBox,
    DriveListBox,
    DirListBox
};

using Handler = std::function<void()>;
// Button, shift state, x and y in twips relative to the control.
using MouseHandler = std::function<void(int button, int shift, float x, float y)>;
// Key code (a Windows virtual-key code) by reference, so a handler can discard it; shift.
using KeyHandler = std::function<void(int& keyCode, int shift)>;
// Character code by reference, so a handler can discard it.
using KeyPressHandler = std::function<void(int& keyAscii)>;

// A control of a form: a node of the retained model. Its properties are read and written by
// the windows' code; the host observes them and draws. Geometry is in twips, relative to the
// container, single precision and never snapped.
class Control : public PropertyOwner {
  public:
    Control(Form& form, Control* container, ControlKind kind, std::string name, int index);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    ControlKind kind() const { return kind_; }
    const std::string& name() const { return name_; }
    int index() const { return index_; } // element of a control array, -1 for a single control
    Form& form() const { return form_; }
    Control* container() const { return container_; } // nullptr: the form itself
    // Children, front-most first.
    const std::vector<Control*>& children() const { return children_; }
    bool isContainer() const { return kind_ == ControlKind::PictureBox; }
    // Windowed controls take the focus; the lightweight Image and Label do not.
    virtual bool canFocus() const { return true; }
    // Whether the focus can go to the control now: a class that takes it, shown, enabled and
    // in the tab order.
    bool focusable() const;

    // True when this control and all its containers are visible.
    bool shownOnForm() const;
    // Calls `f` with each container of this control, from its own outwards: the walk from a
    // control to its form's client coordinates.
    template <class F> void forEachContainer(F&& f) const {
        for (const Control* p = container_; p; p = p->container_)
            f(*p);
    }
    // The width of the border a container draws inside its edge, where its client area
    // starts (twips); 0 for a control without one.
    virtual float borderInside() const { return 0; }

    Property<float> Left{*this, Prop::Left};
    Property<float> Top{*this, Prop::Top};
    Property<float> Width{*this, Prop::Width};
    Property<float> Height{*this, Prop::Height};
    Property<bool> Visible{*this, Prop::Visible, true};
    Property<bool> Enabled{*this, Prop::Enabled, true};
    Property<Color> BackColor{*this, Prop::BackColor, sys::ButtonFace};
    Property<Color> ForeColor{*this, Prop::ForeColor, sys::ButtonText};
    Property<forms::Font> Font{*this, Prop::Font};
    Property<std::string> ToolTipText{*this, Prop::ToolTipText};
    int TabIndex = 0;
    bool TabStop = true;

    // Event handlers, bound by the window that owns the control.
    Handler Click;
    Handler DblClick;
    Handler Scroll;
    Handler Change;
    MouseHandler MouseMove;
    KeyHandler KeyDown;
    KeyHandler KeyUp;
    KeyPressHandler KeyPress;

    void propertyChanged(Prop which) override;

    // Raising events: runs the handler when one is bound.
    void raiseClick();
    void raiseDblClick();
    void raiseScroll();

    // What a kind of control does of its own when the user acts on it. The runtime calls
    // these after the handlers have had their say.
    // A click: raises Click (a check box toggles its value instead, which raises Click).
    virtual void userClick() { raiseClick(); }
    // Whether the class has a DblClick event. Without one, the second press of a double
    // click counts as a click of its own (a command button is pressed twice).
    virtual bool hasDblClick() const { return true; }
    // A key that came down while the control had the focus (arrows move a list).
    virtual void defaultKeyDown(int /*keyCode*/) {}
    // A character typed while the control had the focus (a text box edits, a focused button
    // is pressed by Space and Enter).
    virtual void defaultKeyPress(int /*keyAscii*/) {}
    // Takes the design values only this class has.
    virtual void applyDesign(Runtime& /*rt*/, const ControlDesign& /*d*/) {}

  protected:
    virtual void onChanged(Prop) {}

  private:
    friend class Form;
    Form& form_;
    Control* container_;
    ControlKind kind_;
    std::string name_;
    int index_;
    std::vector<Control*> children_;
};

} // namespace forms
