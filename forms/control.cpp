#include "forms/control.h"

#include "forms/form.h"

namespace forms {

Control::Control(Form& form, Control* container, ControlKind kind, std::string name, int index)
    : form_(form), container_(container), kind_(kind), name_(std::move(name)), index_(index) {}

Control::~Control() = default;

bool Control::canFocus() const {
    return kind_ != ControlKind::Image && kind_ != ControlKind::Label;
}

bool Control::shownOnForm() const {
    for (const Control* c = this; c; c = c->container_)
        if (!c->Visible)
            return false;
    return true;
}

void Control::propertyChanged(Prop which) {
    if (which == Prop::Visible && !Visible && form_.focused() == this)
        form_.setFocus(nullptr);
    onChanged(which);
    form_.touch();
}

void Control::raiseClick() {
    if (Click)
        Click();
}

void Control::raiseDblClick() {
    if (DblClick)
        DblClick();
}

} // namespace forms
