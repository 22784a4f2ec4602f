// Input from the user, as the host or a test delivers it, turned into the model's events.
#include <algorithm>

#include "forms/keycodes.h"
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
    c.userClick();
}

void Runtime::secondClick(Control& c) {
    Dispatch d(*this);
    if (!reachable(c))
        return;
    // The second press of a double click: DblClick where the class has one, else a click
    // of its own.
    if (c.hasDblClick())
        c.raiseDblClick();
    else
        click(c);
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

void Runtime::doubleClickItem(ListBox& list, int row) {
    Dispatch d(*this);
    clickItem(list, row);
    secondClick(list);
}

void Runtime::scroll(ListBox& list, int top) {
    Dispatch d(*this);
    if (!reachable(list))
        return;
    const int before = list.TopIndex;
    list.TopIndex = top;
    if (list.TopIndex != before)
        list.raiseScroll();
}

void Runtime::clickForm(Form& f) {
    Dispatch d(*this);
    if (f.visible())
        f.Form_Click();
}

namespace {

// The focused control if keys can reach it, else nullptr (the form takes them).
Control* keyTarget(Form& f) {
    Control* target = f.focused();
    return target && reachable(*target) ? target : nullptr;
}

bool stillThere(const Form& f, Control* target) {
    return f.state() == FormState::Loaded && f.focused() == target && reachable(*target);
}

} // namespace

void Runtime::keyDown(Form& f, int keyCode, int shift) {
    Dispatch d(*this);
    if (!f.visible() || f.state() != FormState::Loaded)
        return;
    // Tab walks the focus through the tab order; the window's handlers do not see it.
    if (keyCode == vk::Tab && keyTarget(f)) {
        f.focusNext((shift & 1) != 0);
        return;
    }
    Control* target = keyTarget(f);
    if (f.KeyPreview || !target)
        f.Form_KeyDown(keyCode, shift);
    if (keyCode == 0 || !target || !stillThere(f, target))
        return;
    if (target->KeyDown)
        target->KeyDown(keyCode, shift);
    if (keyCode == 0 || !stillThere(f, target))
        return;
    target->defaultKeyDown(keyCode);
}

void Runtime::keyUp(Form& f, int keyCode, int shift) {
    Dispatch d(*this);
    if (!f.visible() || f.state() != FormState::Loaded)
        return;
    Control* target = keyTarget(f);
    if (f.KeyPreview || !target)
        f.Form_KeyUp(keyCode, shift);
    if (keyCode != 0 && target && stillThere(f, target) && target->KeyUp)
        target->KeyUp(keyCode, shift);
}

void Runtime::keyPress(Form& f, int keyAscii) {
    Dispatch d(*this);
    if (!f.visible() || f.state() != FormState::Loaded)
        return;
    Control* target = keyTarget(f);
    if (f.KeyPreview || !target)
        f.Form_KeyPress(keyAscii);
    if (keyAscii == 0 || !target || !stillThere(f, target))
        return;
    if (target->KeyPress)
        target->KeyPress(keyAscii);
    if (keyAscii == 0 || !stillThere(f, target))
        return;
    target->defaultKeyPress(keyAscii);
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
            const float border = c->borderInside();
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
    c.forEachContainer([&](const Control& p) {
        x += p.Left + p.borderInside();
        y += p.Top + p.borderInside();
    });
    return {x, y};
}

} // namespace forms
