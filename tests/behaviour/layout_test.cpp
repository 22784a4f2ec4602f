// The main window's layout: the one-time base layout, the frame window, strip, side picture
// and button column for a frame, the size buttons, Lampionika's position photograph, and
// frames that cannot be loaded.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <limits>
#include <string>
#include <vector>

#include "tests/behaviour/viewer_film.h"

namespace {

using viewer::Form1;
using viewer_film::kBothEditions;
using viewer_film::openFilm;
using viewer_film::Pic;
using viewer_film::World;

constexpr float kAny = std::numeric_limits<float>::quiet_NaN(); // not checked

void expectIf(float expected, float actual, const char* what) {
    if (!std::isnan(expected)) {
        EXPECT_EQ(actual, expected) << what;
    }
}

TEST(BaseLayout, MaximizedWindowOnTheClassicScreen) {
    struct Case {
        const viewer_film::EditionCase& edition;
        float image1Top, bandTop, bandHeight;
    };
    const Case cases[] = {{kBothEditions[0], 7245, 375, 11145},
                          {kBothEditions[1], 3622.5f, kAny, kAny}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.edition.name);
        World w(c.edition.edition());
        w.start();
        auto& f1 = w.form<Form1>("Form1");
        EXPECT_EQ(f1.Width.get(), 15360);
        EXPECT_EQ(f1.Height.get(), 11520);
        EXPECT_EQ(f1.Picture5.Left.get(), 3750);
        EXPECT_EQ(f1.Picture5.Top.get(), 375);
        EXPECT_EQ(f1.Picture5.Width.get(), 11235);
        EXPECT_EQ(f1.Picture5.Height.get(), 10770);
        EXPECT_EQ(f1.areaW, 11235);
        EXPECT_EQ(f1.areaH, 10770);
        EXPECT_EQ(f1.Image1.Top.get(), c.image1Top);
        expectIf(c.bandTop, f1.Image7.Top.get(), "band top");
        expectIf(c.bandHeight, f1.Image7.Height.get(), "band height");
        for (const forms::Control* ctl :
             std::initializer_list<const forms::Control*>{&f1.Picture6, &f1.Image11, &f1.Image12}) {
            EXPECT_EQ(ctl->Left.get(), 0) << ctl->name();
            EXPECT_EQ(ctl->Top.get(), 0) << ctl->name();
        }
        EXPECT_TRUE(w.module.noResize);

        // No film yet: the pale yellow frame window alone, nothing to page or size.
        EXPECT_EQ(f1.Picture5.BackColor, 0x00C0FFFFu);
        for (const forms::Control* ctl : std::initializer_list<const forms::Control*>{
                 &f1.Picture6, &f1.Image3, &f1.Image4, &f1.Image5, &f1.Image6, &f1.Check1,
                 &f1.List1})
            EXPECT_FALSE(ctl->Visible) << ctl->name();
        EXPECT_TRUE(f1.Image1.Visible);

        // A later resize, as after a change of the screen's resolution, changes nothing.
        f1.Height = 9000.0f;
        f1.Width = 12000.0f;
        EXPECT_EQ(f1.Picture5.Width.get(), 11235);
        EXPECT_EQ(f1.Picture5.Height.get(), 10770);
        EXPECT_EQ(f1.Image1.Top.get(), c.image1Top);
        EXPECT_EQ(f1.areaW, 11235);
    }
}

// What razmer writes for one frame; kAny where the example gives no value.
struct FrameCase {
    const char* label;
    int edition; // index into kBothEditions
    float screenW, screenH;
    bool fit;
    float pw, ph; // the picture's measured own size
    float frameW, frameH, frameTop;
    float stripW, stripH, image12Left, image12Top;
    float image1Top, image4Top, image3Top, image5Top, check1Top;
    float band;
};

// clang-format off
const FrameCase kFrameCases[] = {
    {"landscape fitted", 0, 15360, 11520, true, 12000, 9000, 11235, 8426.25f, 375,
     11235, 17414.25f, 0, 8988, 7245, 8340, 7845, 8835, 9090, 11145},
    {"landscape fitted", 1, 15360, 11520, true, 12000, 9000, 11235, 8426.25f, 375,
     23219, 8426.25f, 11984, 0, 2450.625f, 2995.625f, 2500.625f, 3490.625f, 3745.625f, kAny},
    {"portrait fitted", 0, 15360, 11520, true, 9000, 12000, 8077.5f, 10770, 375,
     kAny, kAny, kAny, kAny, kAny, kAny, kAny, kAny, kAny, kAny},
    {"portrait fitted", 1, 15360, 11520, true, 9000, 12000, 8077.5f, 10770, 375,
     kAny, kAny, kAny, kAny, kAny, kAny, kAny, kAny, kAny, kAny},
    {"square fitted", 0, 15360, 11520, true, 9000, 9000, 10770, 10770, 375,
     kAny, kAny, kAny, kAny, kAny, kAny, kAny, kAny, kAny, kAny},
    {"square fitted", 1, 15360, 11520, true, 9000, 9000, 10770, 10770, 375,
     kAny, kAny, kAny, kAny, kAny, kAny, kAny, kAny, kAny, kAny},
    {"own size", 0, 15360, 11520, false, 4500, 3000, 4500, 3000, 375,
     4500, 6200, 0, 3200, 1950, 3045, 2550, 3540, 3795, 5850},
    {"own size", 1, 15360, 11520, false, 4500, 3000, 4500, 3000, 1546.875f,
     9300, 3000, 4800, 0, 375, 920, 425, 1415, 1670, kAny},
    // A landscape picture narrower in aspect than the fit area overflows it downwards.
    {"landscape fitted, wide screen", 0, 28800, 16200, true, 12000, 9000, 24675, 18506.25f,
     375, kAny, kAny, kAny, kAny, kAny, kAny, kAny, kAny, kAny, kAny},
    {"landscape fitted, wide screen", 1, 28800, 16200, true, 12000, 9000, 24675, 18506.25f,
     375, kAny, kAny, kAny, kAny, kAny, kAny, kAny, kAny, kAny, kAny},
    // A window lower than the photograph: the lower limit moves it up, then the upper limit
    // puts it back at the top bar's lower edge.
    {"side picture between both limits", 0, 15360, 4000, true, 12000, 9000, 11235, 8426.25f, 375,
     kAny, kAny, kAny, kAny, 375, 1470, 975, 1965, 2220, 3625},
    {"side picture between both limits", 1, 15360, 4000, true, 12000, 9000, 11235, 8426.25f, 375,
     kAny, kAny, kAny, kAny, 375, 920, 425, 1415, 1670, kAny},
    // At its own size a picture larger than the fit area keeps its size.
    {"own size larger than the area", 0, 15360, 11520, false, 19995, 15000, 19995, 15000, 375,
     19995, 31000, 0, 16000, kAny, kAny, kAny, kAny, kAny, kAny},
};
// clang-format on

TEST(FrameLayout, ValuesWrittenForOneFrame) {
    for (const FrameCase& c : kFrameCases) {
        SCOPED_TRACE(std::string(kBothEditions[c.edition].name) + ": " + c.label);
        World w(kBothEditions[c.edition].edition());
        w.host.screen = {c.screenW, c.screenH};
        Form1& f1 = openFilm(w, {{"a.jpg", c.pw, c.ph}});
        if (!c.fit)
            f1.Image5_Click();
        ASSERT_EQ(f1.Picture2.Width.get(), c.pw);
        ASSERT_EQ(f1.Picture2.Height.get(), c.ph);
        EXPECT_EQ(f1.Picture5.Width.get(), c.frameW);
        EXPECT_EQ(f1.Picture5.Height.get(), c.frameH);
        expectIf(c.frameTop, f1.Picture5.Top.get(), "frame window top");
        EXPECT_EQ(f1.Picture5.Left.get(), (c.screenW - 3375 - f1.areaW) / 2 + 3375);
        expectIf(c.stripW, f1.Picture6.Width.get(), "strip width");
        expectIf(c.stripH, f1.Picture6.Height.get(), "strip height");
        expectIf(c.image12Left, f1.Image12.Left.get(), "Image12.Left");
        expectIf(c.image12Top, f1.Image12.Top.get(), "Image12.Top");
        expectIf(c.image1Top, f1.Image1.Top.get(), "Image1.Top");
        expectIf(c.image4Top, f1.Image4.Top.get(), "Image4.Top");
        expectIf(c.image3Top, f1.Image3.Top.get(), "Image3.Top");
        expectIf(c.image5Top, f1.Image5.Top.get(), "Image5.Top");
        expectIf(c.image5Top, f1.Image6.Top.get(), "Image6.Top");
        expectIf(c.check1Top, f1.Check1.Top.get(), "Check1.Top");
        expectIf(c.band, f1.Image7.Height.get(), "band height");
        // Always: the frame on show fills the frame window at the strip's origin, its
        // neighbour has the same size, and the strip stays where the base layout put it.
        EXPECT_EQ(f1.Image11.Left.get(), 0);
        EXPECT_EQ(f1.Image11.Top.get(), 0);
        EXPECT_EQ(f1.Image11.Width.get(), f1.Picture5.Width.get());
        EXPECT_EQ(f1.Image11.Height.get(), f1.Picture5.Height.get());
        EXPECT_EQ(f1.Image12.Width.get(), f1.Picture5.Width.get());
        EXPECT_EQ(f1.Image12.Height.get(), f1.Picture5.Height.get());
        EXPECT_EQ(f1.Picture6.Left.get(), 0);
        EXPECT_EQ(f1.Picture6.Top.get(), 0);
        // The button column's left edges never move.
        EXPECT_EQ(f1.Image1.Left.get(), 0);
        EXPECT_EQ(f1.Image4.Left.get(), c.edition == 0 ? 1920 : 120);
    }
}

TEST(FrameLayout, KadroskopBandShrinksAndGrowsBack) {
    World w(editions::kadroskop());
    Form1& f1 = openFilm(w, {{"a.jpg", 12000, 9000}, {"b.jpg", 4500, 3000}, {"c.jpg", 4500, 4500}});
    EXPECT_EQ(f1.Image7.Height.get(), 11145);
    w.module.curFrame = 2;
    f1.Image5_Click();
    EXPECT_EQ(f1.Image1.Top.get(), 1950);
    EXPECT_EQ(f1.Image7.Height.get(), 5850);
    // A band whose lower end lies behind the photograph keeps its height.
    w.module.curFrame = 3;
    f1.razmer();
    EXPECT_EQ(f1.Image1.Top.get(), 3450);
    EXPECT_EQ(f1.Image7.Height.get(), 5850);
    // The next layout stands the photograph on the window's lower edge again.
    w.module.curFrame = 1;
    f1.Image6_Click();
    EXPECT_EQ(f1.Image1.Top.get(), 7245);
    EXPECT_EQ(f1.Image7.Height.get(), 11145);
    EXPECT_EQ(f1.Image7.Top.get(), 375);
}

TEST(FrameLayout, LampionikaPhotographFollowsThePosition) {
    struct Case {
        int frames, frame;
        const char* store;
    };
    const Case cases[] = {
        {1, 1, "Image7"},                    // the first test wins
        {2, 1, "Image7"}, {2, 2, "Image10"}, // frame 2 is the last
        {3, 1, "Image7"}, {3, 2, "Image8"},  {3, 3, "Image10"}, {5, 1, "Image7"},
        {5, 2, "Image8"}, {5, 3, "Image9"},  {5, 4, "Image9"},  {5, 5, "Image10"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.frames) + " frames, frame " + std::to_string(c.frame));
        World w(editions::lampionika());
        std::vector<Pic> film;
        for (int i = 1; i <= c.frames; ++i) {
            // Appended piece by piece: GCC 12 at -O3 warns (-Wrestrict) on "f" + std::string.
            std::string name = "f";
            name += std::to_string(i);
            film.push_back({name + ".jpg", 12000, 9000});
        }
        Form1& f1 = openFilm(w, film);
        w.module.curFrame = c.frame;
        f1.razmer();
        const auto& store = f1.get<forms::Image>(c.store);
        ASSERT_TRUE(store.Picture.get());
        EXPECT_EQ(f1.Image1.Picture.get(), store.Picture.get());
        EXPECT_FALSE(store.Visible);
    }
}

TEST(FrameLayout, KadroskopPhotographNeverChanges) {
    World w(editions::kadroskop());
    w.start();
    auto& f1 = w.form<Form1>("Form1");
    const forms::Picture design = f1.Image1.Picture;
    ASSERT_TRUE(design);
    openFilm(w, {{"a.jpg", 12000, 9000}, {"b.jpg", 4500, 3000}, {"c.jpg", 900, 900}});
    for (int k : {1, 2, 3}) {
        w.module.curFrame = k;
        f1.razmer();
        EXPECT_EQ(f1.Image1.Picture.get(), design);
    }
}

// A size button for the mode in force lays the frame out again from its file read afresh;
// the frame image keeps its picture.
TEST(SizeButtons, ReadTheFileAgainEvenInTheModeInForce) {
    for (const auto& e : kBothEditions) {
        SCOPED_TRACE(e.name);
        World w(e.edition());
        Form1& f1 = openFilm(w, {{"a.jpg", 12000, 9000}});
        const forms::Picture shown = f1.Image11.Picture;

        viewer_film::writePic(w, "film", {"a.jpg", 9000, 12000});
        w.rt.click(f1.Image6); // fitted, as already
        EXPECT_TRUE(f1.fitMode);
        EXPECT_EQ(f1.Picture5.Width.get(), 8077.5f);
        EXPECT_EQ(f1.Picture5.Height.get(), 10770);

        w.rt.click(f1.Image5); // own size
        EXPECT_FALSE(f1.fitMode);
        EXPECT_EQ(f1.Picture5.Width.get(), 9000);
        EXPECT_EQ(f1.Picture5.Height.get(), 12000);

        viewer_film::writePic(w, "film", {"a.jpg", 4500, 3000});
        w.rt.click(f1.Image5); // own size again
        EXPECT_EQ(f1.Picture5.Width.get(), 4500);
        EXPECT_EQ(f1.Picture5.Height.get(), 3000);

        EXPECT_EQ(f1.Image11.Picture.get(), shown);
    }
}

void damage(const std::string& hostPath) {
    std::ofstream(hostPath, std::ios::binary | std::ios::trunc) << "not a picture at all";
}

// A frame that cannot be loaded is laid out as an empty frame with the last own size that
// was measured; before any, the frame window keeps its geometry.
TEST(FrameLayout, FrameThatCannotBeLoaded) {
    struct Case {
        const char* label;
        bool remove; // removed, else damaged
    };
    for (const auto& e : kBothEditions) {
        for (const Case c : {Case{"removed", true}, Case{"damaged", false}}) {
            SCOPED_TRACE(std::string(e.name) + ", " + c.label);
            World w(e.edition());
            Form1& f1 = openFilm(w, {{"a.jpg", 12000, 9000}, {"b.jpg", 4500, 3000}});
            const std::string file = viewer_film::hostFile(w, "film", "a.jpg");
            if (c.remove)
                std::filesystem::remove(file);
            else
                damage(file);

            f1.Image5_Click(); // own size, for the last size measured
            EXPECT_EQ(f1.Picture2.Picture.get(), nullptr);
            EXPECT_EQ(f1.Picture5.Width.get(), 12000);
            EXPECT_EQ(f1.Picture5.Height.get(), 9000);
            EXPECT_EQ(f1.Image11.Width.get(), 12000);

            // The film goes on: the next frame lays out as usual.
            w.module.curFrame = 2;
            f1.razmer();
            EXPECT_EQ(f1.Picture5.Width.get(), 4500);
            EXPECT_EQ(f1.Picture5.Height.get(), 3000);
        }
    }
}

TEST(FrameLayout, NoOwnSizeEverMeasured) {
    for (const auto& e : kBothEditions) {
        SCOPED_TRACE(e.name);
        World w(e.edition());
        w.start();
        auto& f1 = w.form<Form1>("Form1");
        w.disk.mkdir("film");
        damage(viewer_film::hostFile(w, "film", "a.jpg"));
        ASSERT_TRUE(w.files.chDir("C:\\film").ok());
        w.module.frameFile = {"", "a.jpg"};
        w.module.frameCount = 1;
        w.module.curFrame = 1;
        f1.fitMode = true;
        f1.razmer();
        EXPECT_EQ(f1.Picture5.Left.get(), 3750);
        EXPECT_EQ(f1.Picture5.Top.get(), 375);
        EXPECT_EQ(f1.Picture5.Width.get(), 11235);
        EXPECT_EQ(f1.Picture5.Height.get(), 10770);
        EXPECT_EQ(f1.Image11.Width.get(), 11235);
        EXPECT_EQ(f1.Image11.Height.get(), 10770);
        EXPECT_GE(f1.Image1.Top.get(), 375);
    }
}

} // namespace
