// Input from the user, as the host or a test delivers it, turned into the model's events.
#include <algorithm>

#include "forms/runtime.h"

namespace forms {

namespace {

bool reachable(const Control& c) {
    return c.form().visible() && c.form().state() == FormState::Loaded && c.shownOnForm() &&
           c.Enabled;
}

void focusOnClick(Control& c) {
    if (c.canFocus())
        c.form().setFocus(&c);
}

} // namespace

void Runtime::click(Control& c) {
    Dispatch d(*this);
    if (!reachable(c))
        return;
    focusOnClick(c);
    if (auto* box = dynamic_cast<CheckBox*>(&c)) {
        box->Value = box->Value == 1 ? 0 : 1; // the setter raises Click
        return;
    }
    c.raiseClick();
}

void Runtime::secondClick(Control& c) {
    Dispatch d(*this);
    if (!reachable(c))
        return;
    if (dynamic_cast<CheckBox*>(&c)) {
        click(c);
        return;
    }
    c.raiseDblClick();
}

void Runtime::doubleClick(Control& c) {
    Dispatch d(*this);
    click(c);
    secondClick(c);
}

void Runtime::clickItem(ListControl& list, int row) {
    Dispatch d(*this);
    if (!reachable(list) || row < 0 || row >= list.ListCount())
        return;
    focusOnClick(list);
    // A click on the row already selected still runs the list's Click: a menu item chosen a
    // second time carries out its command again.
    if (list.ListIndex == row)
        list.raiseClick();
    else
        list.ListIndex = row;
}

void Runtime::clickForm(Form& f) {
    Dispatch d(*this);
    if (f.visible())
        f.Form_Click();
}

void Runtime::keyDown(Form& f, int keyCode, int shift) {
    Dispatch d(*this);
    if (!f.visible() || f.state() != FormState::Loaded)
        return;
    Control* target = f.focused();
    if (target && !reachable(*target))
        target = nullptr;
    if (f.KeyPreview || !target)
        f.Form_KeyDown(keyCode, shift);
    if (keyCode == 0 || !target || f.focused() != target || f.state() != FormState::Loaded)
        return;
    if (target->KeyDown)
        target->KeyDown(keyCode, shift);
    if (keyCode == 0 || f.state() != FormState::Loaded || !reachable(*target))
        return;
    if (auto* t = dynamic_cast<TextBox*>(target)) {
        t->editKey(keyCode);
    } else if (auto* l = dynamic_cast<ListBox*>(target)) {
        if (keyCode == 38 && l->ListIndex > 0)
            l->ListIndex = l->ListIndex - 1;
        else if (keyCode == 40 && l->ListIndex < l->ListCount() - 1)
            l->ListIndex = l->ListIndex + 1;
    }
}

void Runtime::keyUp(Form& f, int keyCode, int shift) {
    Dispatch d(*this);
    if (!f.visible() || f.state() != FormState::Loaded)
        return;
    Control* target = f.focused();
    if (target && !reachable(*target))
        target = nullptr;
    if (f.KeyPreview || !target)
        f.Form_KeyUp(keyCode, shift);
    if (keyCode != 0 && target && f.focused() == target && target->KeyUp)
        target->KeyUp(keyCode, shift);
}

void Runtime::keyPress(Form& f, int keyAscii) {
    Dispatch d(*this);
    if (!f.visible() || f.state() != FormState::Loaded)
        return;
    Control* target = f.focused();
    if (target && !reachable(*target))
        target = nullptr;
    if (f.KeyPreview || !target)
        f.Form_KeyPress(keyAscii);
    if (keyAscii == 0 || !target || f.focused() != target || f.state() != FormState::Loaded)
        return;
    if (target->KeyPress)
        target->KeyPress(keyAscii);
    if (keyAscii == 0 || f.state() != FormState::Loaded || !reachable(*target))
        return;
    if (auto* t = dynamic_cast<TextBox*>(target))
        t->typeCharacter(keyAscii);
    else if (dynamic_cast<CommandButton*>(target) && (keyAscii == 13 || keyAscii == 32))
        target->raiseClick();
    else if (auto* k = dynamic_cast<CheckBox*>(target); k && keyAscii == 32)
        k->Value = k->Value == 1 ? 0 : 1;
}

void Runtime::mouseMove(Form& f, float x, float y) {
    Dispatch d(*this);
    if (!f.visible() || f.state() != FormState::Loaded)
        return;
    if (Control* c = hitTest(f, x, y)) {
        if (c->MouseMove) {
            const auto [cx, cy] = formPosition(*c);
            c->MouseMove(0, 0, x - cx, y - cy);
        }
        return;
    }
    f.Form_MouseMove(0, 0, x, y);
}

void Runtime::closeBox(Form& f) {
    Dispatch d(*this);
    // The start window lives for the whole run: closing it ends the program, hidden windows
    // included.
    if (!slots_.empty() && slots_.front().instance.get() == &f)
        end();
    unload(f);
}

namespace {

Control* hitIn(const std::vector<Control*>& children, float x, float y) {
    for (Control* c : children) {
        if (!c->Visible)
            continue;
        if (x < c->Left || y < c->Top || x >= c->Left + c->Width || y >= c->Top + c->Height)
            continue;
        if (c->isContainer()) {
            // Children are clipped to the area inside the border, as they are drawn.
            const float border = static_cast<PictureBox*>(c)->borderTwips();
            const float ix = x - c->Left - border, iy = y - c->Top - border;
            const bool inside =
                ix >= 0 && iy >= 0 && ix < c->Width - 2 * border && iy < c->Height - 2 * border;
            if (Control* inner = inside ? hitIn(c->children(), ix, iy) : nullptr)
                return inner;
        }
        return c;
    }
    return nullptr;
}

} // namespace

Control* Runtime::hitTest(const Form& f, float x, float y) const {
    return hitIn(f.children(), x, y);
}

std::pair<float, float> Runtime::formPosition(const Control& c) {
    float x = c.Left, y = c.Top;
    for (const Control* p = c.container(); p; p = p->container()) {
        const float border = static_cast<const PictureBox*>(p)->borderTwips();
        x += p->Left + border;
        y += p->Top + border;
    }
    return {x, y};
}

} // namespace forms
