// Keyboard focus: the first control in tab order that can take it when a window shows, Tab
// and Shift+Tab through the tab order, a click giving it, a focused control that is hidden
// or disabled passing it on, and the focused button or check box pressed by its keys.
#include <gtest/gtest.h>

#include <string>

#include "forms/keycodes.h"
#include "tests/unit/test_window.h"

namespace unit_tests {
namespace {

using forms::ControlKind;

// Controls that cannot take the focus come first in tab order: a label and an image (classes
// without focus), a hidden and a disabled button, a text box out of the tab order and a
// button in a hidden frame. The design lists the controls in another order than their tab
// order.
forms::FormDesign mixedDesign() {
    forms::FormDesign d = windowDesign("Mixed");
    const auto add = [&d](ControlKind kind, const char* name, int tabIndex,
                          const char* parent = "") -> forms::ControlDesign& {
        forms::ControlDesign& c =
            addControl(d, kind, name, 100, 300.0f * static_cast<float>(d.controls.size()), 1000,
                       250, -1, parent);
        c.tabIndex = tabIndex;
        return c;
    };
    add(ControlKind::ListBox, "List", 8);
    add(ControlKind::Label, "Caption", 0);
    add(ControlKind::CommandButton, "First", 6);
    add(ControlKind::Image, "Picture", 1);
    add(ControlKind::CommandButton, "Hidden", 2).visible = false;
    add(ControlKind::CommandButton, "Disabled", 3).enabled = false;
    add(ControlKind::TextBox, "NoStop", 4).tabStop = false;
    add(ControlKind::PictureBox, "Frame", 9).visible = false;
    add(ControlKind::CommandButton, "InFrame", 5, "Frame");
    add(ControlKind::CheckBox, "Check", 7);
    add(ControlKind::TextBox, "Edit", 10);
    return d;
}

using Focus = WindowFixture;

std::string focusName(const forms::Form& f) {
    return f.focused() ? f.focused()->name() : "(none)";
}

TEST_F(Focus, ShowingGivesItToTheFirstControlThatCanTakeIt) {
    forms::Form& f = load(mixedDesign());
    EXPECT_EQ(focusName(f), "(none)") << "not before the window shows";
    rt.show(f, false);
    EXPECT_EQ(focusName(f), "First");
}

TEST_F(Focus, TabAndShiftTabWalkTheTabOrderAndWrap) {
    forms::Form& f = shown(mixedDesign());
    struct Step {
        int shift;
        const char* focus;
    };
    const Step steps[] = {
        {0, "Check"}, {0, "List"}, {0, "Edit"},  {0, "First"}, // and round again
        {1, "Edit"},  {1, "List"}, {1, "Check"}, {1, "First"}, {1, "Edit"},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(std::string(s.shift ? "Shift+Tab to " : "Tab to ") + s.focus);
        rt.keyDown(f, forms::vk::Tab, s.shift);
        EXPECT_EQ(focusName(f), s.focus);
    }
    // The frame shown brings its button into the walk, at its own place in the order.
    f.find("Frame")->Visible = true;
    f.setFocus(f.find("First"));
    rt.keyDown(f, forms::vk::Tab, 1);
    EXPECT_EQ(focusName(f), "InFrame");
    rt.keyDown(f, forms::vk::Tab, 1);
    EXPECT_EQ(focusName(f), "Edit") << "the frame's button is the first of the order";
}

TEST_F(Focus, ClickGivesItToControlsThatTakeIt) {
    forms::Form& f = shown(mixedDesign());
    struct Step {
        const char* clicked;
        const char* focus;
    };
    const Step steps[] = {
        {"Check", "Check"},    {"Caption", "Check"}, // a label takes no focus
        {"Picture", "Check"},                        // nor does an image
        {"Disabled", "Check"},                       // a disabled button takes no click
        {"NoStop", "NoStop"},                        // out of the tab order, but clicked
        {"List", "List"},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.clicked);
        rt.click(*f.find(s.clicked));
        EXPECT_EQ(focusName(f), s.focus);
    }
    // From a control out of the tab order, Tab goes on from its place in it.
    rt.click(*f.find("NoStop"));
    rt.keyDown(f, forms::vk::Tab);
    EXPECT_EQ(focusName(f), "First");
}

TEST_F(Focus, HiddenOrDisabledFocusedControlPassesItOn) {
    forms::Form& f = shown(mixedDesign());
    f.setFocus(f.find("Check"));
    struct Step {
        const char* control;
        bool hide; // else disable
        const char* focus;
    };
    const Step steps[] = {
        {"Check", true, "List"},
        {"List", false, "Edit"},
        {"Edit", true, "First"},    // wraps round
        {"Caption", true, "First"}, // another control's change leaves the focus
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.control);
        forms::Control& c = *f.find(s.control);
        if (s.hide)
            c.Visible = false;
        else
            c.Enabled = false;
        EXPECT_EQ(focusName(f), s.focus);
    }
    // The last that could take it gone: nothing has the focus, the window takes the keys.
    f.find("First")->Enabled = false;
    EXPECT_EQ(focusName(f), "(none)");

    // A button inside a frame loses the focus with its frame.
    forms::Control& frame = *f.find("Frame");
    frame.Visible = true;
    rt.click(*f.find("InFrame"));
    ASSERT_EQ(focusName(f), "InFrame");
    f.find("Edit")->Visible = true;
    frame.Visible = false;
    EXPECT_EQ(focusName(f), "Edit");
}

TEST_F(Focus, WindowWithNothingToFocusKeepsNone) {
    forms::FormDesign d = windowDesign("Plain");
    addControl(d, ControlKind::Label, "Caption", 100, 100, 1000, 300);
    addControl(d, ControlKind::Image, "Picture", 100, 500, 1000, 300);
    addControl(d, ControlKind::CommandButton, "Off", 100, 900, 1000, 300).enabled = false;
    forms::Form& f = shown(d);
    EXPECT_EQ(focusName(f), "(none)");
    rt.keyDown(f, forms::vk::Tab);
    EXPECT_EQ(focusName(f), "(none)");
}

TEST_F(Focus, FocusedButtonAndCheckBoxArePressedByTheirKeys) {
    forms::Form& f = shown(mixedDesign());
    auto& check = f.get<forms::CheckBox>("Check");
    f.find("First")->Click = [this] { log.push_back("First.Click"); };
    check.Click = [this, &check] { log.push_back("Check.Click:" + std::to_string(check.Value)); };
    f.find("List")->Click = [this] { log.push_back("List.Click"); };
    struct Step {
        const char* focus;
        int keyAscii;
        Log expected;
    };
    const Step steps[] = {
        {"First", forms::vk::Space, {"First.Click"}},
        {"First", forms::vk::Return, {"First.Click"}},
        {"First", 'a', {}},
        {"Check", forms::vk::Space, {"Check.Click:1"}},
        {"Check", forms::vk::Space, {"Check.Click:0"}},
        {"Check", forms::vk::Return, {}}, // Enter does not toggle a check box
        {"List", forms::vk::Space, {}},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(std::string(s.focus) + " " + std::to_string(s.keyAscii));
        f.setFocus(f.find(s.focus));
        log.clear();
        rt.keyPress(f, s.keyAscii);
        EXPECT_EQ(log, s.expected);
    }
    // The character presses the button, not the key going down.
    f.setFocus(f.find("First"));
    log.clear();
    rt.keyDown(f, forms::vk::Space);
    rt.keyDown(f, forms::vk::Return);
    EXPECT_EQ(log, Log{});
    // A KeyPress handler that discards the character keeps the button unpressed.
    f.find("First")->KeyPress = [](int& keyAscii) { keyAscii = 0; };
    rt.keyPress(f, forms::vk::Space);
    EXPECT_EQ(log, Log{});
}

} // namespace
} // namespace unit_tests
