// A list box's own state: the first row on show kept within the list, Scroll raised when the
// user scrolls (wheel and scroll bar, keys past the edge), a selection scrolled into view,
// the selection by text, and the height of its rows for the design's font.
#include <gtest/gtest.h>

#include <string>

#include "forms/keycodes.h"
#include "tests/unit/test_window.h"

namespace unit_tests {
namespace {

using forms::ControlKind;
using forms::ListBox;

// List: 1000 twips high, 4 rows of the default font on show, 10 items.
// Short: as high, 3 items.
class ListBoxes : public WindowFixture {
  protected:
    ListBoxes() {
        forms::FormDesign d = windowDesign("Lists");
        addControl(d, ControlKind::ListBox, "List", 100, 100, 2000, 1000);
        addControl(d, ControlKind::ListBox, "Short", 2500, 100, 2000, 1000);
        addControl(d, ControlKind::CommandButton, "Other", 100, 2000, 1000, 400);
        f = &shown(d);
        for (int k = 0; k < 10; ++k)
            list().AddItem("row" + std::to_string(k));
        for (const char* item : {"a", "b", "c"})
            shortList().AddItem(item);
        for (ListBox* l : {&list(), &shortList()}) {
            l->Click = [this, l] { log.push_back("Click:" + std::to_string(l->ListIndex)); };
            l->Scroll = [this, l] { log.push_back("Scroll:" + std::to_string(l->TopIndex)); };
        }
    }
    ListBox& list() { return f->get<ListBox>("List"); }
    ListBox& shortList() { return f->get<ListBox>("Short"); }

    forms::Form* f = nullptr;
};

TEST_F(ListBoxes, UserScrollRaisesScrollWhenTheTopMovesAndStaysInRange) {
    ASSERT_EQ(list().visibleRows(), 4);
    ASSERT_EQ(list().lastTop(), 6);
    struct Step {
        const char* list;
        int requested, top;
        Log expected;
    };
    const Step steps[] = {
        {"List", 3, 3, {"Scroll:3"}},
        {"List", 3, 3, {}},
        {"List", -5, 0, {"Scroll:0"}},
        {"List", -1, 0, {}},
        {"List", 100, 6, {"Scroll:6"}}, // the last rows fill the box
        {"List", 7, 6, {}},
        {"List", 5, 5, {"Scroll:5"}},
        // A list whose rows all fit has nowhere to scroll.
        {"Short", 2, 0, {}},
        {"Short", -1, 0, {}},
    };
    for (const Step& s : steps) {
        ListBox& l = f->get<ListBox>(s.list);
        SCOPED_TRACE(l.name() + " to " + std::to_string(s.requested));
        log.clear();
        rt.scroll(l, s.requested);
        EXPECT_EQ(l.TopIndex.get(), s.top);
        EXPECT_EQ(log, s.expected);
    }
}

TEST_F(ListBoxes, ListOutOfReachDoesNotScroll) {
    for (const char* what : {"hidden", "disabled"}) {
        SCOPED_TRACE(what);
        ListBox& l = list();
        l.Visible = std::string(what) != "hidden";
        l.Enabled = std::string(what) != "disabled";
        log.clear();
        rt.scroll(l, 3);
        EXPECT_EQ(l.TopIndex.get(), 0);
        EXPECT_EQ(log, Log{});
        l.Visible = true;
        l.Enabled = true;
    }
}

TEST_F(ListBoxes, TopIndexSetByCodeKeepsItselfInRange) {
    struct Case {
        const char* list;
        int set, top;
    };
    const Case cases[] = {
        {"List", 4, 4},    {"List", -3, 0}, {"List", 9, 6},   {"List", 6, 6},
        {"List", 1000, 6}, {"Short", 1, 0}, {"Short", -1, 0},
    };
    for (const Case& c : cases) {
        ListBox& l = f->get<ListBox>(c.list);
        SCOPED_TRACE(l.name() + " = " + std::to_string(c.set));
        l.TopIndex = c.set;
        EXPECT_EQ(l.TopIndex.get(), c.top);
    }
    EXPECT_EQ(log, Log{}) << "code scrolls without Scroll";

    // Rows taken away leave the top where the remaining rows still fill the box.
    ListBox& l = list();
    l.TopIndex = 6;
    for (int k = 0; k < 5; ++k)
        l.RemoveItem(0);
    EXPECT_EQ(l.TopIndex.get(), 1);
    l.Clear();
    EXPECT_EQ(l.TopIndex.get(), 0);
}

TEST_F(ListBoxes, KeysPastTheEdgeScrollBeforeTheSelectionMoves) {
    ListBox& l = list();
    l.ListIndex = 2;
    f->setFocus(&l);
    struct Step {
        int key;
        int listIndex, top;
        Log expected;
    };
    const Step steps[] = {
        {forms::vk::Down, 3, 0, {"Click:3"}},
        {forms::vk::Down, 4, 1, {"Scroll:1", "Click:4"}}, // below the rows on show
        {forms::vk::Down, 5, 2, {"Scroll:2", "Click:5"}},
        {forms::vk::Up, 4, 2, {"Click:4"}},
        {forms::vk::Up, 3, 2, {"Click:3"}},
        {forms::vk::Up, 2, 2, {"Click:2"}},
        {forms::vk::Up, 1, 1, {"Scroll:1", "Click:1"}}, // above them
        {forms::vk::Up, 0, 0, {"Scroll:0", "Click:0"}},
        {forms::vk::Up, 0, 0, {}}, // the first row: nowhere to go
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(std::to_string(s.key) + " to " + std::to_string(s.listIndex));
        log.clear();
        rt.keyDown(*f, s.key);
        EXPECT_EQ(l.ListIndex.get(), s.listIndex);
        EXPECT_EQ(l.TopIndex.get(), s.top);
        EXPECT_EQ(log, s.expected);
    }
    // The last row: nowhere to go either.
    l.ListIndex = 9;
    log.clear();
    rt.keyDown(*f, forms::vk::Down);
    EXPECT_EQ(l.ListIndex.get(), 9);
    EXPECT_EQ(l.TopIndex.get(), 6);
    EXPECT_EQ(log, Log{});

    // The keys move a list only while it has the focus.
    f->setFocus(f->find("Other"));
    rt.keyDown(*f, forms::vk::Up);
    EXPECT_EQ(l.ListIndex.get(), 9);
    EXPECT_EQ(log, Log{});
}

TEST_F(ListBoxes, KeyMovesOnFromItsRowWhenScrollClearsTheSelection) {
    // As a window's Scroll handler may: the key's row is the one after the row selected
    // when it was pressed.
    ListBox& l = list();
    l.Scroll = [this, &l] {
        log.push_back("Scroll:" + std::to_string(l.TopIndex));
        l.ListIndex = -1;
    };
    l.ListIndex = 3;
    f->setFocus(&l);
    log.clear();
    rt.keyDown(*f, forms::vk::Down);
    EXPECT_EQ(log, (Log{"Scroll:1", "Click:-1", "Click:4"}));
    EXPECT_EQ(l.ListIndex.get(), 4);
    EXPECT_EQ(l.TopIndex.get(), 1);
}

TEST_F(ListBoxes, SelectionByCodeScrollsItsRowIntoView) {
    struct Case {
        int topBefore, listIndex, top;
    };
    const Case cases[] = {
        {0, 7, 4}, // below the rows on show: it becomes the last on show
        {0, 9, 6}, {0, 3, 0},  {1, 4, 1}, {6, 2, 2}, // above them: it becomes the first
        {6, 5, 5}, {3, -1, 3},                       // nothing selected: the list stays
    };
    ListBox& l = list();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.topBefore) + " select " + std::to_string(c.listIndex));
        l.ListIndex = c.listIndex == 0 ? 1 : 0;
        l.TopIndex = c.topBefore;
        log.clear();
        l.ListIndex = c.listIndex;
        EXPECT_EQ(l.TopIndex.get(), c.top);
        EXPECT_EQ(log, Log{"Click:" + std::to_string(c.listIndex)}) << "Click, and no Scroll";
    }
}

TEST_F(ListBoxes, TextSelectsTheFirstRowWithIt) {
    ListBox& l = list();
    l.AddItem("row3"); // the same text a second time, as row 10
    struct Step {
        const char* text;
        int listIndex, top;
        Log expected;
    };
    const Step steps[] = {
        {"row8", 8, 5, {"Click:8"}}, // scrolled into view like any selection
        {"row8", 8, 5, {}},          // already selected: no Click
        {"row3", 3, 3, {"Click:3"}}, {"", -1, 3, {"Click:-1"}},
        {"row", -1, 3, {}}, // a part of a row's text selects none
        {"row0", 0, 0, {"Click:0"}}, {"missing", -1, 0, {"Click:-1"}},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.text);
        log.clear();
        l.setText(s.text);
        EXPECT_EQ(l.ListIndex.get(), s.listIndex);
        EXPECT_EQ(l.Text(), s.listIndex < 0 ? "" : s.text);
        EXPECT_EQ(l.TopIndex.get(), s.top);
        EXPECT_EQ(log, s.expected);
    }
}

TEST(ListRowHeights, TheBitmapFacesSizesGiveTheRows) {
    struct Case {
        const char* face;
        float points;
        float measured, row; // twips
    };
    const Case cases[] = {
        {"MS Sans Serif", 8.25f, 195, 195}, // 13 pixels: the default list
        {"MS Sans Serif", 13.5f, 315, 360}, // 24 pixels: the chooser's list
        {"MS Sans Serif", 10, 240, 240},
        {"MS Sans Serif", 12, 280, 300},
        {"MS Sans Serif", 24, 500, 555},
        {"MS Sans Serif", 40, 800, 800}, // past the largest size: scaled, as measured
        {"Arial", 13.5f, 315, 315},      // another face: its line as measured
        {"Arial", 8.25f, 0, 195},        // nothing measured: the default row
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.face) + " " + std::to_string(c.points));
        forms::Font font;
        font.name = c.face;
        font.size = c.points;
        EXPECT_EQ(forms::rowHeightTwips(font, c.measured), c.row);
    }
}

using ListBoxRows = WindowFixture;

TEST_F(ListBoxRows, RowHeightAndRowsOnShowFollowTheListsFont) {
    forms::Font chooser;
    chooser.size = 13.5f;
    chooser.weight = 400;
    chooser.charset = 204;
    forms::FormDesign d = windowDesign("Rows");
    // As high as the chooser's list.
    addControl(d, ControlKind::ListBox, "Large", 100, 100, 4000, 2940).font = chooser;
    addControl(d, ControlKind::ListBox, "Default", 4500, 100, 4000, 2940);
    forms::Form& f = load(d);
    struct Case {
        const char* list;
        float row;
        int rows;
    };
    const Case cases[] = {{"Large", 360, 8}, {"Default", 195, 14}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list);
        const ListBox& l = f.get<ListBox>(c.list);
        EXPECT_EQ(l.rowHeight(), c.row);
        EXPECT_EQ(l.visibleRows(), c.rows);
    }
}

} // namespace
} // namespace unit_tests
