// A window's row table turned into each program's design: the program's own values, rows
// present in one program only at their place in its stacking order, pictures under the
// program's resources, and every other value carried over.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editions/common/design_rows.h"

namespace {

using editions::Both;
using editions::DesignRow;
using editions::Rect;
using editions::Which;
using forms::ControlKind;

std::vector<DesignRow> rows() {
    forms::Font font;
    font.name = "Times New Roman";
    font.size = 14.25f;
    const DesignRow moved = {.kind = ControlKind::ListBox, .name = "Moved", .tabIndex = 3};
    return {
        editions::only(Which::Lampionika, moved),
        {.kind = ControlKind::CheckBox,
         .name = "Box",
         .index = 2,
         .parent = "Panel",
         .at = {Rect{1, 2, 3, 4}, Rect{5, 6, 7, 8}},
         .visible = {true, false},
         .tabIndex = {1, 2},
         .back = {std::optional<forms::Color>(0x10), std::optional<forms::Color>()},
         .fore = 0x20,
         .font = font,
         .text = {"k", "l"},
         .toolTip = "tip",
         .picture = {"k.bmp", ""},
         .borderStyle = 0,
         .autoSize = true,
         .stretch = true,
         .align = 1,
         .alignment = 2,
         .backStyle = 0,
         .appearance = 0,
         .enabled = false,
         .tabStop = false,
         .value = 1},
        editions::only(Which::Kadroskop, moved),
    };
}

TEST(DesignRows, EachProgramGetsItsOwnValuesAndStackingOrder) {
    forms::FormDesign window;
    window.name = "FormX";
    struct Case {
        Which which;
        std::vector<std::string> order;
        float left;
        bool visible;
        int tabIndex;
        std::optional<forms::Color> back;
        std::string text, picture;
    };
    const Case cases[] = {
        {Which::Kadroskop, {"Box", "Moved"}, 1, true, 1, 0x10, "k", ":/k/k.bmp"},
        {Which::Lampionika, {"Moved", "Box"}, 5, false, 2, std::nullopt, "l", ""},
    };
    for (const Case& c : cases) {
        const std::string resources = c.which == Which::Kadroskop ? ":/k/" : ":/l/";
        const forms::FormDesign d = editions::designFromRows(window, rows(), c.which, resources);
        SCOPED_TRACE(resources);
        EXPECT_EQ(d.name, "FormX");
        std::vector<std::string> order;
        for (const forms::ControlDesign& control : d.controls)
            order.push_back(control.name);
        ASSERT_EQ(order, c.order);
        const forms::ControlDesign& box = d.controls[c.order[0] == "Box" ? 0 : 1];
        EXPECT_EQ(box.kind, ControlKind::CheckBox);
        EXPECT_EQ(box.index, 2);
        EXPECT_EQ(box.parent, "Panel");
        EXPECT_EQ(box.left, c.left);
        EXPECT_EQ(box.top, c.left + 1);
        EXPECT_EQ(box.width, c.left + 2);
        EXPECT_EQ(box.height, c.left + 3);
        EXPECT_EQ(box.visible, c.visible);
        EXPECT_EQ(box.tabIndex, c.tabIndex);
        EXPECT_EQ(box.back, c.back);
        EXPECT_EQ(box.fore, forms::Color{0x20});
        ASSERT_TRUE(box.font.has_value());
        EXPECT_EQ(box.font->name, "Times New Roman");
        EXPECT_EQ(box.text, c.text);
        EXPECT_EQ(box.toolTip, "tip");
        EXPECT_EQ(box.picture, c.picture);
        EXPECT_EQ(box.borderStyle, 0);
        EXPECT_TRUE(box.autoSize);
        EXPECT_TRUE(box.stretch);
        EXPECT_EQ(box.align, 1);
        EXPECT_EQ(box.alignment, 2);
        EXPECT_EQ(box.backStyle, 0);
        EXPECT_EQ(box.appearance, 0);
        EXPECT_FALSE(box.enabled);
        EXPECT_FALSE(box.tabStop);
        EXPECT_EQ(box.value, 1);
        // A row that sets nothing takes the class's defaults.
        const forms::ControlDesign& moved = d.controls[c.order[0] == "Moved" ? 0 : 1];
        EXPECT_EQ(moved.tabIndex, 3);
        EXPECT_FALSE(moved.back.has_value());
        EXPECT_FALSE(moved.borderStyle.has_value());
        EXPECT_EQ(moved.picture, "");
        EXPECT_EQ(moved.backStyle, 1);
        EXPECT_EQ(moved.appearance, 1);
        EXPECT_TRUE(moved.tabStop);
    }
}

} // namespace
