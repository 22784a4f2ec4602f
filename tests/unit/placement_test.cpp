// Where a window shown goes by its start-up position: centred on its owner (the innermost
// modal window, else the start window), centred on the screen, or left to the system; kept
// on the screen.
#include <gtest/gtest.h>

#include <string>

#include "tests/unit/test_window.h"

namespace unit_tests {
namespace {

// The screen is 15360 x 11520 twips; a sizable frame adds 90 x 360 to the client area.
// Main, the start window, is 6090 x 4360 and far smaller than the screen; Dialog 3090 x 2360.
class Placement : public WindowFixture {
  protected:
    Placement() { dialogDesign.startUpPosition = 1; }
    // Starts the program with Main at this place.
    void start(float left, float top) {
        main = &load(mainDesign);
        rt.start();
        main->Left = left;
        main->Top = top;
    }
    forms::FormDesign mainDesign = windowDesign("Main", 6000, 4000);
    forms::FormDesign dialogDesign = windowDesign("Dialog", 3000, 2000);
    forms::Form* main = nullptr;
};

TEST_F(Placement, CentredOnTheOwnerAndKeptOnTheScreen) {
    start(0, 0);
    struct Case {
        const char* label;
        float ownerLeft, ownerTop;
        float left, top;
    };
    const Case cases[] = {
        {"inside", 2000, 1000, 3500, 2000},
        {"past the bottom right", 12000, 9000, 12270, 9160}, // against the screen's edges
        {"past the top left", -5000, -3000, 0, 0},
    };
    forms::Form& dialog = load(dialogDesign);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        main->Left = c.ownerLeft;
        main->Top = c.ownerTop;
        rt.show(dialog, false);
        EXPECT_EQ(dialog.Left.get(), c.left);
        EXPECT_EQ(dialog.Top.get(), c.top);
        rt.hide(dialog);
    }
}

TEST_F(Placement, ByTheStartUpPosition) {
    start(2000, 1000);
    struct Case {
        int startUpPosition;
        float clientWidth, clientHeight;
        float left, top;
    };
    const Case cases[] = {
        {1, 3000, 2000, 3500, 2000},
        {2, 3000, 2000, 6135, 4580}, // the screen's centre, whatever the owner
        {3, 3000, 2000, 777, 555},   // where the window is
        {1, 20000, 15000, 0, 0},     // larger than the screen: its top left corner on it
        {2, 20000, 15000, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.startUpPosition) + " " + std::to_string(c.clientWidth));
        forms::FormDesign d =
            windowDesign("Dialog" + std::to_string(&c - cases), c.clientWidth, c.clientHeight);
        d.startUpPosition = c.startUpPosition;
        forms::Form& f = load(d);
        f.Left = 777.0f;
        f.Top = 555.0f;
        rt.show(f, false);
        EXPECT_EQ(f.Left.get(), c.left);
        EXPECT_EQ(f.Top.get(), c.top);
    }
}

TEST_F(Placement, TheInnermostModalWindowOwnsWhatItShows) {
    start(2000, 1000);
    forms::FormDesign modalDesign = windowDesign("Modal", 4000, 3000);
    modalDesign.startUpPosition = 1;
    forms::Form& modal = load(modalDesign);
    forms::Form& dialog = load(dialogDesign);
    float modalLeft = -1, modalTop = -1;
    host.modalScripts["Modal"] = [&](forms::Form& m) {
        modalLeft = m.Left;
        modalTop = m.Top;
        m.Left = 1000.0f;
        m.Top = 1000.0f;
        rt.show(dialog, false);
        rt.hide(dialog);
        m.Unload();
    };
    rt.show(modal, true);
    // The modal window centred on the start window: (6090 - 4090) / 2, (4360 - 3360) / 2.
    EXPECT_EQ(modalLeft, 3000);
    EXPECT_EQ(modalTop, 1500);
    // The dialog on the modal window where it was moved to.
    EXPECT_EQ(dialog.Left.get(), 1500);
    EXPECT_EQ(dialog.Top.get(), 1500);

    // With the modal window gone, the start window owns again.
    rt.show(dialog, false);
    EXPECT_EQ(dialog.Left.get(), 3500);
    EXPECT_EQ(dialog.Top.get(), 2000);
}

TEST_F(Placement, WithoutAnOwnerOnShowCentredOnTheScreen) {
    // The start window has no owner when it shows.
    mainDesign.startUpPosition = 1;
    start(0, 0);
    main->Left = 2000.0f;
    main->Top = 1000.0f;
    rt.hide(*main);
    rt.show(*main, false);
    EXPECT_EQ(main->Left.get(), 4635); // (15360 - 6090) / 2
    EXPECT_EQ(main->Top.get(), 3580);  // (11520 - 4360) / 2
    // Nor does a window shown while the start window is hidden.
    main->Left = 2000.0f;
    main->Top = 1000.0f;
    rt.hide(*main);
    forms::Form& dialog = load(dialogDesign);
    rt.show(dialog, false);
    EXPECT_EQ(dialog.Left.get(), 6135);
    EXPECT_EQ(dialog.Top.get(), 4580);
}

} // namespace
} // namespace unit_tests
