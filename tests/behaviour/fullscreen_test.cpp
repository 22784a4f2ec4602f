// The full-screen window: the fitted and own-size rectangles, the latch, freezing the
// rectangle, the modes kept from one visit to the next, and the main window after the
// return; frames that cannot be loaded.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "forms/keycodes.h"
#include "tests/behaviour/viewer_film.h"
#include "viewer/form2.h"

namespace {

namespace vk = forms::vk;
using viewer::Form1;
using viewer::Form2;
using viewer_film::kBothEditions;
using viewer_film::openFilm;
using viewer_film::Pic;
using viewer_film::World;

struct Rect {
    float left, top, width, height;
    bool operator==(const Rect&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Rect& r) {
    return os << r.left << "," << r.top << " " << r.width << "x" << r.height;
}
Rect rectOf(const forms::Control& c) {
    return {c.Left, c.Top, c.Width, c.Height};
}

void press(World& w, Form2& f2, int key, int shift = 0) {
    w.rt.keyDown(f2, key, shift);
    w.rt.keyUp(f2, key, shift);
}

// Shows the full-screen window through the main window; `user` acts while it is up and must
// leave it.
void fullScreen(World& w, const std::function<void(Form2&)>& user) {
    w.host.modalScripts["Form2"] = [&w, user](forms::Form& f) {
        auto& f2 = dynamic_cast<Form2&>(f);
        user(f2);
        if (f2.visible())
            press(w, f2, vk::Escape);
    };
    w.form<Form1>("Form1").fuls();
}

TEST(FullScreen, FittedAndOwnSizeRectangles) {
    struct Case {
        const char* label;
        forms::Size2 screen;
        Pic picture;
        bool own;
        Rect expected;
    };
    const Case cases[] = {
        {"1600x900, fitted",
         {24000, 13500},
         {"a.jpg", 12000, 9000},
         false,
         {3000, 0, 18000, 13500}},
        {"1600x900, own size",
         {24000, 13500},
         {"a.jpg", 12000, 9000},
         true,
         {6000, 2250, 12000, 9000}},
        // Square: fitted by the rule for pictures taller than wide, full height, centred.
        {"square, fitted", {24000, 13500}, {"a.jpg", 9000, 9000}, false, {5250, 0, 13500, 13500}},
        {"square on a tall screen",
         {13500, 24000},
         {"a.jpg", 9000, 9000},
         false,
         {0, 5250, 13500, 13500}},
        // The fit's quotient and product in double precision, stored as single.
        {"wide picture fitted",
         {24000, 13500},
         {"a.jpg", 24060, 6060},
         false,
         {0,
          static_cast<float>(
              (13500 - static_cast<double>(static_cast<float>(6060.0 / 24060 * 24000))) / 2),
          24000, static_cast<float>(6060.0 / 24060 * 24000)}},
        {"wider than the screen, own size",
         {24000, 13500},
         {"a.jpg", 30000, 6000},
         true,
         {0, 3750, 30000, 6000}},
        {"taller than the screen, own size",
         {24000, 13500},
         {"a.jpg", 6000, 15000},
         true,
         {9000, 0, 6000, 15000}},
        // A 9 x 6 pixel picture on 1024 x 768: the second fit's factor 11520 / 11815.38 is
        // kept in single precision before it multiplies (in double the width would be 14976).
        {"second fit, factor in single precision",
         {15360, 11520},
         {"a.jpg", 195, 150},
         false,
         {static_cast<float>((15360 - static_cast<double>(14975.999023f)) / 2), 0, 14975.999023f,
          11520}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        World w(editions::kadroskop());
        w.host.screen = c.screen;
        openFilm(w, {c.picture});
        Rect seen{};
        bool shown = false;
        fullScreen(w, [&](Form2& f2) {
            if (c.own)
                press(w, f2, vk::Home);
            seen = rectOf(f2.Image1);
            shown = f2.Image1.Visible;
            EXPECT_EQ(f2.Width.get(), c.screen.width);
        });
        EXPECT_TRUE(shown);
        EXPECT_EQ(seen, c.expected);
    }
}

// A held PageDown moves one frame and then blocks every key until some key is released.
TEST(FullScreen, LatchAfterAPageMove) {
    World w(editions::kadroskop());
    openFilm(w, {{"a.jpg", 12000, 9000}, {"b.jpg", 9000, 12000}, {"c.jpg", 4500, 3000}});
    fullScreen(w, [&](Form2& f2) {
        w.rt.keyDown(f2, vk::PageDown);
        EXPECT_EQ(w.module.curFrame, 2);
        EXPECT_EQ(f2.keyHeld, 1);
        for (int key : {vk::PageDown, vk::PageUp, vk::Escape, vk::Insert, vk::Home, vk::End,
                        vk::NumPlus, vk::NumMinus}) {
            SCOPED_TRACE(key);
            w.rt.keyDown(f2, key);
            EXPECT_EQ(w.module.curFrame, 2);
            EXPECT_TRUE(f2.visible());
            EXPECT_EQ(f2.realSize, 0);
            EXPECT_EQ(f2.fixedSize, 0);
        }
        w.rt.keyUp(f2, vk::Shift); // any key: Shift here
        EXPECT_EQ(f2.keyHeld, 0);
        w.rt.keyDown(f2, vk::PageDown);
        EXPECT_EQ(w.module.curFrame, 3);
        // At the last frame PageDown moves nothing and latches nothing.
        w.rt.keyUp(f2, vk::PageDown);
        w.rt.keyDown(f2, vk::PageDown);
        EXPECT_EQ(f2.keyHeld, 0);
        EXPECT_EQ(w.module.curFrame, 3);
    });
}

TEST(FullScreen, PageUpAtTheFirstFrameSetsNoLatch) {
    World w(editions::lampionika());
    openFilm(w, {{"a.jpg", 12000, 9000}, {"b.jpg", 9000, 12000}});
    bool hiddenAtOnce = false;
    fullScreen(w, [&](Form2& f2) {
        w.rt.keyDown(f2, vk::PageUp); // still held
        EXPECT_EQ(f2.keyHeld, 0);
        EXPECT_EQ(w.module.curFrame, 1);
        w.rt.keyDown(f2, vk::Escape);
        hiddenAtOnce = !f2.visible();
    });
    EXPECT_TRUE(hiddenAtOnce);
}

// Numpad plus freezes the rectangle with a border; Home and End are only recorded; numpad
// minus lays the frame out in the mode chosen last.
TEST(FullScreen, FrozenRectangle) {
    World w(editions::kadroskop());
    w.host.screen = {24000, 13500};
    openFilm(w, {{"a.jpg", 12000, 9000}, {"b.jpg", 4500, 3000}});
    fullScreen(w, [&](Form2& f2) {
        const Rect fitted = rectOf(f2.Image1);
        ASSERT_EQ(fitted, (Rect{3000, 0, 18000, 13500}));
        press(w, f2, vk::NumPlus);
        EXPECT_EQ(f2.fixedSize, 1);
        EXPECT_EQ(f2.Image1.BorderStyle.get(), 1);
        press(w, f2, vk::PageDown);
        EXPECT_EQ(w.module.curFrame, 2);
        EXPECT_EQ(rectOf(f2.Image1), fitted);
        EXPECT_EQ(viewer_film::sourceOf(f2.Image1.Picture),
                  viewer_film::hostFile(w, "film", "b.jpg"));
        press(w, f2, vk::Home);
        EXPECT_EQ(f2.realSize, 1);
        EXPECT_EQ(rectOf(f2.Image1), fitted);
        press(w, f2, vk::OemMinus); // the main keyboard's minus does nothing
        EXPECT_EQ(f2.fixedSize, 1);
        press(w, f2, vk::NumMinus);
        EXPECT_EQ(f2.fixedSize, 0);
        EXPECT_EQ(f2.Image1.BorderStyle.get(), 0);
        EXPECT_EQ(rectOf(f2.Image1), (Rect{9750, 5250, 4500, 3000}));
        press(w, f2, vk::OemPlus); // nor its plus
        EXPECT_EQ(f2.fixedSize, 0);
        EXPECT_EQ(f2.Image1.BorderStyle.get(), 0);
    });
}

// Home, End and numpad minus read the frame's file again, though only the mode changed: a
// file rewritten meanwhile shows with its new size.
TEST(FullScreen, AModeChangeReadsTheFrameAgain) {
    World w(editions::kadroskop());
    w.host.screen = {24000, 13500};
    openFilm(w, {{"a.jpg", 12000, 9000}});
    fullScreen(w, [&](Form2& f2) {
        const struct {
            int key;
            Pic rewritten;
            Rect shown;
        } steps[] = {
            {vk::Home, {"a.jpg", 6000, 4500}, {9000, 4500, 6000, 4500}},
            {vk::End, {"a.jpg", 4500, 9000}, {8625, 0, 6750, 13500}},
            {vk::NumMinus, {"a.jpg", 13500, 9000}, {1875, 0, 20250, 13500}},
        };
        for (const auto& s : steps) {
            SCOPED_TRACE(s.key);
            viewer_film::writePic(w, "film", s.rewritten);
            press(w, f2, s.key);
            EXPECT_EQ(f2.Picture1.Width.get(), s.rewritten.w);
            EXPECT_EQ(f2.Picture1.Height.get(), s.rewritten.h);
            EXPECT_EQ(f2.Image1.Picture.get(), f2.Picture1.Picture.get());
            EXPECT_EQ(rectOf(f2.Image1), s.shown);
        }
    });
}

TEST(FullScreen, ModesLastFromOneVisitToTheNext) {
    World w(editions::lampionika());
    w.host.screen = {24000, 13500};
    openFilm(w, {{"a.jpg", 12000, 9000}, {"b.jpg", 4500, 3000}});
    fullScreen(w, [&](Form2& f2) {
        press(w, f2, vk::Home);
        press(w, f2, vk::NumPlus);
    });
    w.module.curFrame = 2;
    fullScreen(w, [&](Form2& f2) {
        // Opens frozen in the rectangle of the last visit, with the border.
        EXPECT_EQ(f2.fixedSize, 1);
        EXPECT_EQ(f2.realSize, 1);
        EXPECT_EQ(f2.Image1.BorderStyle.get(), 1);
        EXPECT_EQ(rectOf(f2.Image1), (Rect{6000, 2250, 12000, 9000}));
        EXPECT_EQ(viewer_film::sourceOf(f2.Image1.Picture),
                  viewer_film::hostFile(w, "film", "b.jpg"));
        press(w, f2, vk::NumMinus);
        EXPECT_EQ(rectOf(f2.Image1), (Rect{9750, 5250, 4500, 3000}));
        press(w, f2, vk::End);
        EXPECT_EQ(rectOf(f2.Image1), (Rect{1875, 0, 20250, 13500}));
    });
    // The main window's own modes are not touched.
    EXPECT_TRUE(w.form<Form1>("Form1").fitMode);
}

TEST(FullScreen, ShiftCtrlAndAltAreIgnored) {
    for (int shift : {1, 2, 4, 7}) {
        SCOPED_TRACE(shift);
        World w(editions::kadroskop());
        openFilm(w, {{"a.jpg", 12000, 9000}, {"b.jpg", 4500, 3000}});
        bool left = false;
        fullScreen(w, [&](Form2& f2) {
            press(w, f2, vk::PageDown, shift);
            EXPECT_EQ(w.module.curFrame, 2);
            press(w, f2, vk::Home, shift);
            EXPECT_EQ(f2.realSize, 1);
            press(w, f2, vk::NumPlus, shift);
            EXPECT_EQ(f2.fixedSize, 1);
            press(w, f2, vk::Insert, shift);
            left = !f2.visible();
        });
        EXPECT_TRUE(left);
    }
}

// After the full-screen view the main window shows the frame last seen there, laid out in
// its own fit mode, with the paging buttons and the remembered size for that frame.
TEST(FullScreen, MainWindowContinuesWithTheFrameSeenLast) {
    const std::vector<Pic> film = {
        {"a.jpg", 12000, 9000}, {"b.jpg", 9000, 12000}, {"c.jpg", 4500, 3000}};
    struct Case {
        int from;
        std::vector<int> keys;
        int frame;
        float frameW, frameH;
    };
    const Case cases[] = {
        {1, {vk::PageDown}, 2, 8077.5f, 10770},
        {1, {vk::PageDown, vk::PageDown}, 3, 11235, 7490},
        {3, {vk::PageUp, vk::PageUp}, 1, 11235, 8426.25f},
        {2, {}, 2, 8077.5f, 10770},
    };
    for (const auto& e : kBothEditions) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(e.name) + " to frame " + std::to_string(c.frame));
            World w(e.edition());
            Form1& f1 = openFilm(w, film);
            w.module.curFrame = c.from;
            f1.razmer();
            f1.List1.Visible = true;
            fullScreen(w, [&](Form2& f2) {
                for (int key : c.keys)
                    press(w, f2, key);
            });
            EXPECT_EQ(w.module.curFrame, c.frame);
            EXPECT_FALSE(f1.List1.Visible);
            EXPECT_EQ(f1.Picture5.Width.get(), c.frameW);
            EXPECT_EQ(f1.Picture5.Height.get(), c.frameH);
            EXPECT_EQ(
                viewer_film::sourceOf(f1.Image11.Picture),
                viewer_film::hostFile(w, "film", film[static_cast<std::size_t>(c.frame - 1)].name));
            EXPECT_EQ(f1.Image3.Visible.get(), c.frame > 1);
            EXPECT_EQ(f1.Image4.Visible.get(), c.frame < 3);
            EXPECT_EQ(f1.picW, film[static_cast<std::size_t>(c.frame - 1)].w);
            EXPECT_EQ(f1.picH, film[static_cast<std::size_t>(c.frame - 1)].h);
        }
    }
}

// A frame that vanished or is damaged shows a black screen; the keys go on working, and the
// main window lays it out as an empty frame with the last size it measured.
TEST(FullScreen, FrameThatCannotBeLoaded) {
    for (bool remove : {true, false}) {
        SCOPED_TRACE(remove ? "removed" : "damaged");
        World w(editions::kadroskop());
        Form1& f1 =
            openFilm(w, {{"a.jpg", 12000, 9000}, {"b.jpg", 9000, 12000}, {"c.jpg", 4500, 3000}});
        const std::string b = viewer_film::hostFile(w, "film", "b.jpg");
        if (remove)
            std::filesystem::remove(b);
        else
            std::ofstream(b, std::ios::trunc) << "damaged";
        fullScreen(w, [&](Form2& f2) {
            press(w, f2, vk::PageDown);
            EXPECT_EQ(w.module.curFrame, 2);
            EXPECT_FALSE(f2.Image1.Visible);
            press(w, f2, vk::Home);
            EXPECT_FALSE(f2.Image1.Visible);
            press(w, f2, vk::PageDown);
            EXPECT_EQ(w.module.curFrame, 3);
            EXPECT_TRUE(f2.Image1.Visible);
            press(w, f2, vk::PageUp);
            EXPECT_EQ(w.module.curFrame, 2);
        });
        EXPECT_EQ(w.module.curFrame, 2);
        EXPECT_EQ(f1.Image11.Picture.get(), nullptr);
        // Frame 1's size was the last the main window measured.
        EXPECT_EQ(f1.Picture5.Width.get(), 11235);
        EXPECT_EQ(f1.Picture5.Height.get(), 8426.25f);
        EXPECT_TRUE(f1.Image3.Visible);
        EXPECT_TRUE(f1.Image4.Visible);
        EXPECT_EQ(f1.picW, 12000);
        EXPECT_EQ(f1.picH, 9000);
    }
}

} // namespace
