#include "forms/control.h"

#include "forms/form.h"

namespace forms {

Control::Control(Form& form, Control* container, ControlKind kind, std::string name, int index)
    : form_(form), container_(container), kind_(kind), name_(std::move(name)), index_(index) {}

Control::~Control() = default;

bool Control::focusable() const {
    return canFocus() && TabStop && Enabled && shownOnForm();
}

bool Control::shownOnForm() const {
    for (const Control* c = this; c; c = c->container_)
        if (!c->Visible)
            return false;
    return true;
}

void Control::propertyChanged(Prop which) {
    onChanged(which);
    // A focused control that can no longer hold the focus passes it on, in tab order: one
    // disabled or hidden, or inside a container that was hidden.
    const Control* focus = form_.focused();
    if ((which == Prop::Visible || which == Prop::Enabled) && focus &&
        !(focus->Enabled && focus->shownOnForm()))
        form_.focusNext(false);
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

void Control::raiseScroll() {
    if (Scroll)
        Scroll();
}

} // namespace forms
