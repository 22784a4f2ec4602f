// Control arrays: a form's view of the controls that share a name, by Index, and handlers
// bound through it that learn which element the user acted on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/unit/test_window.h"

namespace unit_tests {
namespace {

using forms::ControlKind;

// Picture3 has three elements, listed out of their order; Label3 is an array with only
// element 0; Single is a control of its own.
forms::FormDesign arrayDesign() {
    forms::FormDesign d = windowDesign("Arrays");
    for (int k : {2, 0, 1})
        addControl(d, ControlKind::PictureBox, "Picture3", 100 + 600.0f * k, 100, 500, 500, k);
    addControl(d, ControlKind::Label, "Label3", 100, 1000, 2000, 300, 0);
    addControl(d, ControlKind::CommandButton, "Single", 100, 1500, 1000, 400);
    return d;
}

using ControlArrays = WindowFixture;

TEST_F(ControlArrays, ElementsByIndexWhateverTheDesignsOrder) {
    forms::Form& f = load(arrayDesign());
    struct Case {
        const char* name;
        int count;
    };
    const Case cases[] = {
        {"Picture3", 3},
        {"Label3", 1}, // an array of one element stays an array
        {"Single", 0}, // a control with no index is no array
        {"Nothing", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto any = f.array<forms::Control>(c.name);
        EXPECT_EQ(any.Count(), c.count);
        std::vector<int> order;
        for (const forms::Control* e : any) {
            EXPECT_EQ(e->name(), c.name);
            order.push_back(e->index());
        }
        std::vector<int> expected;
        for (int k = 0; k < c.count; ++k) {
            expected.push_back(k);
            EXPECT_EQ(&any(k), f.find(c.name, k));
        }
        EXPECT_EQ(order, expected);
    }
    // The array of a class has only elements of that class.
    EXPECT_EQ(f.array<forms::PictureBox>("Picture3").Count(), 3);
    EXPECT_EQ(f.array<forms::Label>("Picture3").Count(), 0);
}

TEST_F(ControlArrays, IndexThatIsNoElementIsAMissingControl) {
    const auto pictures = load(arrayDesign()).array<forms::PictureBox>("Picture3");
    for (int index : {-1, 3, 8}) {
        SCOPED_TRACE(index);
        try {
            pictures(index);
            ADD_FAILURE() << "no element " << index;
        } catch (const forms::MissingControl& m) {
            EXPECT_EQ(m.form, "Arrays");
            EXPECT_EQ(m.name, "Picture3");
            EXPECT_EQ(m.index, index);
        }
    }
}

TEST_F(ControlArrays, HandlersReceiveTheElementsIndex) {
    forms::Form& f = shown(arrayDesign());
    // Bound through views that are gone by the time the user clicks.
    f.array<forms::PictureBox>("Picture3").onClick([this](int index) {
        log.push_back("Picture3_Click " + std::to_string(index));
    });
    f.array<forms::PictureBox>("Picture3").onDblClick([this](int index) {
        log.push_back("Picture3_DblClick " + std::to_string(index));
    });
    f.array<forms::Label>("Label3").onClick(
        [this](int index) { log.push_back("Label3_Click " + std::to_string(index)); });
    const auto pictures = f.array<forms::PictureBox>("Picture3");
    const auto labels = f.array<forms::Label>("Label3");

    struct Case {
        forms::Control& control;
        bool doubleClick;
        Log expected;
    };
    const Case cases[] = {
        {pictures(0), false, {"Picture3_Click 0"}},
        {pictures(2), false, {"Picture3_Click 2"}},
        {pictures(1), true, {"Picture3_Click 1", "Picture3_DblClick 1"}},
        {labels(0), true, {"Label3_Click 0"}}, // no DblClick handler bound
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected.front());
        log.clear();
        if (c.doubleClick)
            rt.doubleClick(c.control);
        else
            rt.click(c.control);
        EXPECT_EQ(log, c.expected);
    }
}

} // namespace
} // namespace unit_tests
