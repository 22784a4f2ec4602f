// Paging in the main window: the slide move by move, the keys and their latch, the paging
// buttons, the size check after a slide, Lampionika's photograph, slides started inside
// slides, and frames that cannot be shown.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "editions/kadroskop/kadroskop.h"
#include "editions/lampionika/lampionika.h"
#include "forms/keycodes.h"
#include "tests/behaviour/viewer_film.h"
#include "tests/behaviour/world.h"
#include "viewer/form1.h"

namespace {

namespace vk = forms::vk;
using testing_support::World;
using viewer::Form1;

struct FrameFixture {
    std::string name;
    int w, h; // pixels
};

// The pictures written into C:\\<folder> and opened as a film through the menu and the
// chooser: frame 1 laid out fitted and on show.
Form1& openFixtureFilm(World& w, const std::vector<FrameFixture>& frames,
                       const std::string& folder = "film") {
    const std::string dir = w.disk.mkdir(folder);
    std::uint32_t rgb = 0x204080;
    for (const FrameFixture& f : frames) {
        testing_support::writePicture(dir + "/" + f.name, f.w, f.h, rgb);
        rgb += 0x102030;
    }
    return viewer_film::openThroughMenu(w, folder);
}

// The file a frame of the open film is read from, as a loaded picture names it.
std::string sourceOf(World& w, int frame) {
    auto p = w.rt.loadPicture(w.module.frameFile.at(static_cast<std::size_t>(frame)));
    return p ? p.value()->source() : std::string("(unreadable)");
}

std::string shownSource(const forms::Picture& p) {
    return p ? p->source() : "(none)";
}

bool vertical(const Form1& f1) {
    return f1.variant().strip == viewer::Variant::Strip::Vertical;
}
float stripPos(const Form1& f1) {
    return vertical(f1) ? f1.Picture6.Top : f1.Picture6.Left;
}

// The positions a slide's loop writes: from `start`, growing by `step` in double precision
// while `end` has not been passed (a position equal to it still counts), each written as a
// single-precision value.
std::vector<float> loopPositions(double start, double end, double step) {
    std::vector<float> out;
    for (double p = start; step > 0 ? p <= end : p >= end; p += step)
        out.push_back(static_cast<float>(p));
    return out;
}

// Records the strip's position at every run of pending events; fails instead of hanging.
struct StripRecorder {
    std::vector<float> at;
    StripRecorder(World& w, const Form1& f1) {
        w.host.onDoEvents = [this, &f1](int) {
            at.push_back(stripPos(f1));
            if (at.size() > 100000)
                throw std::runtime_error("the slide does not end");
        };
    }
};

struct EditionCase {
    const char* name;
    const editions::Edition& (*edition)();
};
const EditionCase kEditions[] = {{"Kadroskop", &editions::kadroskop},
                                 {"Lampionika", &editions::lampionika}};

void PrintTo(const EditionCase& c, std::ostream* os) {
    *os << c.name;
}

std::string editionName(const testing::TestParamInfo<EditionCase>& i) {
    return i.param.name;
}

// Four frames of different own sizes, so that slides between them lay the window out.
const std::vector<FrameFixture> kMixedFilm = {
    {"f1.jpg", 160, 120}, {"f2.jpg", 120, 160}, {"f3.jpg", 160, 120}, {"f4.jpg", 200, 100}};

// The window at rest on frame curFrame: the strip at its origin without cover, the frame
// image and the measuring box holding that frame, the paging buttons shown except at the
// film's ends and, in Lampionika, the photograph for the position.
void expectAtRest(World& w, const Form1& f1) {
    const int n = w.module.curFrame;
    EXPECT_EQ(f1.Picture6.Top.get(), 0.0f);
    EXPECT_EQ(f1.Picture6.Left.get(), 0.0f);
    EXPECT_EQ(shownSource(f1.Image11.Picture), sourceOf(w, n)) << "frame " << n;
    EXPECT_EQ(shownSource(f1.Picture2.Picture), sourceOf(w, n)) << "frame " << n;
    EXPECT_EQ(f1.Image3.Visible.get(), n > 1) << "frame " << n;
    EXPECT_EQ(f1.Image4.Visible.get(), n < w.module.frameCount) << "frame " << n;
    if (f1.Picture3) {
        EXPECT_FALSE(f1.Picture3->Visible.get());
    }
    if (f1.variant().positionPhotos) {
        const forms::Image* store = n == 1                     ? &f1.Image7
                                    : n == w.module.frameCount ? f1.Image10
                                    : n == 2                   ? &f1.Image8
                                                               : f1.Image9;
        EXPECT_EQ(f1.Image1.Picture.get(), store->Picture.get()) << "frame " << n;
    }
}

// --- The slide move by move -------------------------------------------------------------

TEST(KadroskopSlide, NextFrameMovesUpInFiftiethsAndReturnsUnderTheCover) {
    World w(editions::kadroskop());
    Form1& f1 = openFixtureFilm(w, {{"a.jpg", 160, 120}, {"b.jpg", 160, 120}});
    const float e = f1.Image11.Height;
    ASSERT_GT(e, 0.0f);
    StripRecorder rec(w, f1);

    w.rt.click(f1.Image4);

    // 54 moves from 0 by -E/50, then the placement at the far end.
    const double de = e, end = -de - de / 15;
    std::vector<float> expected = loopPositions(0.0, end, -de / 50);
    ASSERT_EQ(expected.size(), 54u);
    expected.push_back(static_cast<float>(end));
    EXPECT_EQ(rec.at, expected);
    for (int k = 0; k < 54; ++k)
        EXPECT_NEAR(rec.at[static_cast<std::size_t>(k)], -k * de / 50, 1e-3 * de) << k;
    EXPECT_EQ(rec.at.back(), static_cast<float>(-(de + de / 15)));

    // Back at 0 with the arriving frame in both strip images and on the cover.
    EXPECT_EQ(f1.Picture6.Top.get(), 0.0f);
    EXPECT_EQ(w.module.curFrame, 2);
    EXPECT_EQ(f1.Image11.Picture.get(), f1.Image12.Picture.get());
    EXPECT_EQ(f1.Image8.Picture.get(), f1.Image12.Picture.get());
    EXPECT_EQ(shownSource(f1.Image12.Picture), sourceOf(w, 2));
    EXPECT_EQ(f1.Image8.Width.get(), f1.Picture5.Width.get());
    EXPECT_EQ(f1.Picture3->Height.get(), f1.Picture5.Height.get());
    EXPECT_FALSE(f1.Picture3->Visible.get());
    EXPECT_TRUE(f1.Image12.Visible.get());
}

TEST(KadroskopSlide, PreviousFrameJumpsToTheFarEndOnTheCoverAndMovesDown) {
    World w(editions::kadroskop());
    Form1& f1 = openFixtureFilm(w, {{"a.jpg", 160, 120}, {"b.jpg", 160, 120}});
    w.rt.click(f1.Image4);
    const float e = f1.Image11.Height;
    std::vector<bool> coverShown;
    StripRecorder rec(w, f1);
    auto record = w.host.onDoEvents;
    w.host.onDoEvents = [&](int call) {
        record(call);
        coverShown.push_back(f1.Picture3->Visible);
        if (call == 1) { // the frame being left stands on the cover before the strip jumps
            EXPECT_EQ(shownSource(f1.Image8.Picture), sourceOf(w, 2));
        }
    };
    w.host.doEventsCalls = 0;

    w.rt.click(f1.Image3);

    const double de = e, start = -de - de / 15;
    std::vector<float> expected{0.0f}; // the cover's run of events, strip still at rest
    for (float p : loopPositions(start, 0.0, de / 50))
        expected.push_back(p);
    expected.push_back(0.0f); // the placement at 0
    ASSERT_EQ(expected.size(), 56u);
    EXPECT_EQ(rec.at, expected);
    EXPECT_EQ(rec.at[1], static_cast<float>(-(de + de / 15)));
    EXPECT_NEAR(rec.at[54], -de / 150, 1e-6 * de);
    for (std::size_t k = 2; k < 55; ++k)
        EXPECT_NEAR(rec.at[k] - rec.at[k - 1], de / 50, 1e-6 * de) << k;
    // The cover stands until the first move has run its events.
    ASSERT_EQ(coverShown.size(), 56u);
    EXPECT_TRUE(coverShown[0]);
    EXPECT_TRUE(coverShown[1]);
    EXPECT_FALSE(coverShown[2]);
    EXPECT_EQ(w.module.curFrame, 1);
    EXPECT_EQ(f1.Picture6.Top.get(), 0.0f);
}

struct LampionikaSlideCase {
    int widthPx;       // own width of the frames; with the 60-twip border, the frame extent
    bool next;         // next frame, or previous
    std::size_t moves; // 160 or 161, as the floating-point sum decides
};

void PrintTo(const LampionikaSlideCase& c, std::ostream* os) {
    *os << c.widthPx << " px, " << (c.next ? "next" : "previous");
}

class LampionikaSlide : public testing::TestWithParam<LampionikaSlideCase> {};

TEST_P(LampionikaSlide, MovesAlongLeftInHundredFiftieths) {
    const LampionikaSlideCase c = GetParam();
    World w(editions::lampionika());
    Form1& f1 = openFixtureFilm(w, {{"a.jpg", c.widthPx, 80}, {"b.jpg", c.widthPx, 80}});
    w.rt.keyDown(f1, vk::Home); // own size: the frame extent is the picture's own width
    w.rt.keyUp(f1, vk::Home);
    const float e = f1.Image11.Width;
    ASSERT_EQ(e, static_cast<float>(c.widthPx * 15 + 60));
    if (!c.next)
        w.rt.click(f1.Image4);
    StripRecorder rec(w, f1);

    w.rt.click(c.next ? f1.Image4 : f1.Image3);

    const double de = e, end = -de - de / 15;
    std::vector<float> expected =
        c.next ? loopPositions(0.0, end, -de / 150) : loopPositions(end, 0.0, de / 150);
    ASSERT_EQ(expected.size(), c.moves);
    if (c.next)
        expected.push_back(static_cast<float>(end)); // the placement runs events; the
                                                     // previous frame's placement does not
    EXPECT_EQ(rec.at, expected);
    EXPECT_EQ(f1.Picture6.Left.get(), 0.0f);
    EXPECT_EQ(f1.Picture6.Top.get(), 0.0f);
    EXPECT_EQ(w.module.curFrame, c.next ? 2 : 1);
    EXPECT_EQ(shownSource(f1.Image11.Picture), sourceOf(w, w.module.curFrame));
}

INSTANTIATE_TEST_SUITE_P(Steps, LampionikaSlide,
                         testing::Values(LampionikaSlideCase{100, true, 160},
                                         LampionikaSlideCase{101, true, 161},
                                         LampionikaSlideCase{100, false, 160},
                                         LampionikaSlideCase{101, false, 161}));

// --- Keys and the latch ---------------------------------------------------------------------

TEST(PagingKeys, APagingKeyMovesOneFramePerPressUntilAKeyIsReleased) {
    World w(editions::kadroskop());
    Form1& f1 = openFixtureFilm(w, {{"a.jpg", 40, 30},
                                    {"b.jpg", 40, 30},
                                    {"c.jpg", 40, 30},
                                    {"d.jpg", 40, 30},
                                    {"e.jpg", 40, 30}});
    // Held down: the key's repeats are ignored.
    w.rt.keyDown(f1, vk::PageDown);
    w.rt.keyDown(f1, vk::PageDown);
    w.rt.keyDown(f1, vk::PageDown);
    EXPECT_EQ(w.module.curFrame, 2);
    w.rt.keyUp(f1, vk::PageDown);
    w.rt.keyDown(f1, vk::PageDown);
    EXPECT_EQ(w.module.curFrame, 3);
    w.rt.keyDown(f1, vk::PageUp); // still latched
    EXPECT_EQ(w.module.curFrame, 3);
    w.rt.keyUp(f1, vk::PageDown);

    // After a click on "Page Down" the first press does nothing until some key is released.
    w.rt.click(f1.Image4);
    EXPECT_EQ(w.module.curFrame, 4);
    w.rt.keyDown(f1, vk::PageDown);
    EXPECT_EQ(w.module.curFrame, 4);
    w.rt.keyUp(f1, vk::Shift); // any key, Shift here
    w.rt.keyDown(f1, vk::PageUp);
    EXPECT_EQ(w.module.curFrame, 3);
    w.rt.keyUp(f1, vk::PageUp);

    // Shift makes no difference.
    w.rt.keyDown(f1, vk::PageDown, 1);
    EXPECT_EQ(w.module.curFrame, 4);
    w.rt.keyUp(f1, vk::PageDown, 1);

    // A request at the last frame changes nothing but the latch.
    w.rt.click(f1.Image4);
    EXPECT_EQ(w.module.curFrame, 5);
    w.rt.keyUp(f1, vk::PageDown);
    w.host.doEventsCalls = 0;
    f1.Image4_Click();
    EXPECT_EQ(w.module.curFrame, 5);
    EXPECT_EQ(w.host.doEventsCalls, 0);
    w.rt.keyDown(f1, vk::PageUp);
    EXPECT_EQ(w.module.curFrame, 5);
}

// The latch holds back PageUp and PageDown only: Home, End and the numpad keys act while a
// paging key is still held.
TEST(PagingKeys, TheLatchHoldsBackOnlyThePagingKeys) {
    World w(editions::kadroskop());
    Form1& f1 = openFixtureFilm(w, {{"a.jpg", 40, 30}, {"b.jpg", 40, 30}, {"c.jpg", 40, 30}});
    w.rt.keyDown(f1, vk::PageDown); // held down from here on
    ASSERT_EQ(w.module.curFrame, 2);
    const struct {
        int key;
        bool fitMode;
        int box;
    } steps[] = {
        {vk::Home, false, 0}, {vk::End, true, 0}, {vk::NumPlus, true, 1}, {vk::NumMinus, true, 0}};
    for (const auto& s : steps) {
        SCOPED_TRACE(s.key);
        ASSERT_EQ(f1.keyHeld, 1);
        w.rt.keyDown(f1, s.key);
        EXPECT_EQ(f1.fitMode, s.fitMode);
        EXPECT_EQ(f1.Check1.Value.get(), s.box);
        EXPECT_EQ(f1.Image5.Visible.get(), s.box == 0);
    }
    w.rt.keyDown(f1, vk::PageDown);
    EXPECT_EQ(w.module.curFrame, 2);
}

TEST(PagingKeys, NumpadPlusAndMinusTickAndUntickTheBoxMainKeyboardOnesDoNothing) {
    World w(editions::kadroskop());
    Form1& f1 = openFixtureFilm(w, {{"a.jpg", 40, 30}, {"b.jpg", 40, 30}});
    const struct {
        int key;
        int value;      // the box afterwards
        bool sizeShown; // the size buttons afterwards
    } steps[] = {{vk::OemPlus, 0, true},   {vk::NumPlus, 1, false}, {vk::NumPlus, 1, false},
                 {vk::OemMinus, 1, false}, {vk::NumMinus, 0, true}, {vk::NumMinus, 0, true}};
    for (const auto& s : steps) {
        w.rt.keyDown(f1, s.key);
        w.rt.keyUp(f1, s.key);
        EXPECT_EQ(f1.Check1.Value.get(), s.value) << "key " << s.key;
        EXPECT_EQ(f1.Image5.Visible.get(), s.sizeShown) << "key " << s.key;
        EXPECT_EQ(f1.Image6.Visible.get(), s.sizeShown) << "key " << s.key;
    }
    EXPECT_EQ(w.module.curFrame, 1);
}

TEST(PagingKeys, WithoutAFilmEveryKeyIsSwallowed) {
    World w(editions::kadroskop());
    w.start();
    Form1& f1 = w.form<Form1>("Form1");
    int reached = 0;
    f1.Picture1.KeyDown = [&](int&, int) { ++reached; };
    f1.setFocus(&f1.Picture1);
    for (int key : {vk::PageUp, vk::PageDown, vk::End, vk::Home, vk::Insert, vk::NumPlus,
                    vk::NumMinus, int{'A'}}) {
        w.rt.keyDown(f1, key); // Insert would show the full-screen window: no script for it
        w.rt.keyUp(f1, key);
    }
    EXPECT_EQ(reached, 0);
    EXPECT_EQ(w.module.curFrame, 0);
    EXPECT_EQ(w.host.doEventsCalls, 0);
    EXPECT_EQ(f1.Check1.Value.get(), 0);
    EXPECT_FALSE(f1.Image5.Visible.get());

    // With a film the keys go on to the focused control, paging keys included.
    openFixtureFilm(w, {{"a.jpg", 40, 30}, {"b.jpg", 40, 30}});
    f1.setFocus(&f1.Picture1);
    w.rt.keyDown(f1, 'A');
    w.rt.keyDown(f1, vk::PageDown);
    EXPECT_EQ(reached, 2);
    EXPECT_EQ(w.module.curFrame, 2);
}

// --- The paging buttons ------------------------------------------------------------------

class PagingButtons : public testing::TestWithParam<EditionCase> {};

TEST_P(PagingButtons, AreHiddenExactlyAtTheFilmsEnds) {
    World w(GetParam().edition());
    Form1& f1 = openFixtureFilm(w, {{"a.jpg", 40, 30}, {"b.jpg", 30, 40}, {"c.jpg", 40, 30}});
    auto check = [&](int frame) {
        EXPECT_EQ(w.module.curFrame, frame);
        EXPECT_EQ(f1.Image3.Visible.get(), frame > 1) << frame;
        EXPECT_EQ(f1.Image4.Visible.get(), frame < 3) << frame;
    };
    check(1);
    for (int frame : {2, 3}) {
        w.rt.click(f1.Image4);
        check(frame);
    }
    w.rt.click(f1.Image4); // hidden: the click does not reach it
    check(3);
    for (int frame : {2, 1}) {
        w.rt.click(f1.Image3);
        check(frame);
    }
    w.rt.click(f1.Image4);
    check(2);
}

TEST_P(PagingButtons, AOneFrameFilmHasNeitherAndCannotPage) {
    World w(GetParam().edition());
    Form1& f1 = openFixtureFilm(w, {{"only.jpg", 40, 30}});
    const int eventsBefore = w.host.doEventsCalls; // the chooser's walk ran some
    EXPECT_FALSE(f1.Image3.Visible.get());
    EXPECT_FALSE(f1.Image4.Visible.get());
    for (int key : {vk::PageDown, vk::PageUp}) {
        w.rt.keyDown(f1, key);
        w.rt.keyUp(f1, key);
    }
    f1.Image3_Click();
    f1.Image4_Click();
    EXPECT_EQ(f1.keyHeld, 1);
    EXPECT_EQ(w.module.curFrame, 1);
    EXPECT_EQ(w.host.doEventsCalls, eventsBefore);
    EXPECT_FALSE(f1.Image3.Visible.get());
    EXPECT_FALSE(f1.Image4.Visible.get());
}

INSTANTIATE_TEST_SUITE_P(Editions, PagingButtons, testing::ValuesIn(kEditions), editionName);

// --- The size check and the keep-slide-size box ---------------------------------------------

class SizeCheck : public testing::TestWithParam<EditionCase> {};

TEST_P(SizeCheck, LaysOutOnlyWhenTheOwnSizeChanges) {
    // The third frame differs from the first two in both sides, in its height alone, or in
    // its width alone.
    for (const FrameFixture& third :
         {FrameFixture{"c.jpg", 90, 160}, FrameFixture{"c.jpg", 160, 90},
          FrameFixture{"c.jpg", 100, 120}}) {
        SCOPED_TRACE(std::to_string(third.w) + "x" + std::to_string(third.h));
        World w(GetParam().edition());
        Form1& f1 = openFixtureFilm(w, {{"a.jpg", 160, 120}, {"b.jpg", 160, 120}, third});
        // A value no layout would write: it stays while no layout runs.
        f1.Picture5.Width = 1234.5f;
        const double ownW = f1.picW;
        w.rt.click(f1.Image4);
        EXPECT_EQ(f1.Picture5.Width.get(), 1234.5f);
        EXPECT_EQ(f1.picW, ownW);

        w.rt.click(f1.Image4);
        EXPECT_NE(f1.Picture5.Width.get(), 1234.5f);
        EXPECT_EQ(f1.picW, f1.Picture2.Width.get());
        EXPECT_EQ(f1.picH, f1.Picture2.Height.get());
        EXPECT_EQ(f1.picH, third.h * 15 + 60);
        EXPECT_EQ(f1.Picture5.Width.get() < f1.Picture5.Height.get(), third.w < third.h);
    }
}

TEST_P(SizeCheck, ATickedBoxStretchesAPortraitIntoTheLandscapeWindowUntilUnticked) {
    World w(GetParam().edition());
    Form1& f1 = openFixtureFilm(w, {{"land.jpg", 160, 120}, {"port.jpg", 90, 160}});
    w.rt.keyDown(f1, vk::NumPlus);
    w.rt.keyUp(f1, vk::NumPlus);
    const float frameW = f1.Picture5.Width, frameH = f1.Picture5.Height;
    ASSERT_GT(frameW, frameH);

    w.rt.keyDown(f1, vk::PageDown);
    w.rt.keyUp(f1, vk::PageDown);
    EXPECT_EQ(w.module.curFrame, 2);
    EXPECT_EQ(shownSource(f1.Image11.Picture), sourceOf(w, 2));
    EXPECT_EQ(f1.Picture5.Width.get(), frameW);
    EXPECT_EQ(f1.Picture5.Height.get(), frameH);
    EXPECT_EQ(f1.Image11.Width.get(), frameW);
    EXPECT_EQ(f1.Image11.Height.get(), frameH);

    w.rt.keyDown(f1, vk::NumMinus);
    EXPECT_EQ(f1.Check1.Value.get(), 0);
    EXPECT_LT(f1.Picture5.Width.get(), f1.Picture5.Height.get());
    EXPECT_EQ(f1.Image11.Height.get(), f1.Picture5.Height.get());
    EXPECT_EQ(f1.picW, f1.Picture2.Width.get());
    EXPECT_EQ(f1.picH, f1.Picture2.Height.get());
    EXPECT_TRUE(f1.Image5.Visible.get());
}

INSTANTIATE_TEST_SUITE_P(Editions, SizeCheck, testing::ValuesIn(kEditions), editionName);

// --- Lampionika's photograph ----------------------------------------------------------------

TEST(LampionikaPhotograph, FollowsThePositionAtEveryStop) {
    World w(editions::lampionika());
    Form1& f1 = openFixtureFilm(w, {{"1.jpg", 40, 30},
                                    {"2.jpg", 40, 30},
                                    {"3.jpg", 40, 30},
                                    {"4.jpg", 40, 30},
                                    {"5.jpg", 40, 30}});
    const forms::Picture first = f1.Image7.Picture, second = f1.Image8.Picture,
                         middle = f1.Image9->Picture, last = f1.Image10->Picture;
    ASSERT_TRUE(first && second && middle && last);
    const forms::Picture byFrame[] = {nullptr, first, second, middle, middle, last};
    EXPECT_EQ(f1.Image1.Picture.get(), first);
    for (int frame = 2; frame <= 5; ++frame) {
        w.rt.click(f1.Image4);
        EXPECT_EQ(f1.Image1.Picture.get(), byFrame[frame]) << "frame " << frame;
    }
    for (int frame = 4; frame >= 1; --frame) {
        w.rt.click(f1.Image3);
        EXPECT_EQ(f1.Image1.Picture.get(), byFrame[frame]) << "frame " << frame;
    }
}

TEST(LampionikaPhotograph, TheSecondOfTwoFramesShowsTheLastFramePhotograph) {
    World w(editions::lampionika());
    Form1& f1 = openFixtureFilm(w, {{"1.jpg", 40, 30}, {"2.jpg", 40, 30}});
    w.rt.click(f1.Image4);
    EXPECT_EQ(f1.Image1.Picture.get(), f1.Image10->Picture.get());
    EXPECT_NE(f1.Image1.Picture.get(), f1.Image8.Picture.get());
}

// --- Slides inside slides -------------------------------------------------------------------

using Action = std::function<void(World&, Form1&)>;

Action clickUp() {
    return [](World& w, Form1& f1) { w.rt.click(f1.Image3); };
}
Action clickDown() {
    return [](World& w, Form1& f1) { w.rt.click(f1.Image4); };
}
Action key(int code) {
    return [code](World& w, Form1& f1) {
        w.rt.keyDown(f1, code);
        w.rt.keyUp(f1, code);
    };
}
Action pressKeyHeldDown(int code) { // released only later, by the test
    return [code](World& w, Form1& f1) { w.rt.keyDown(f1, code); };
}

struct NestedMix {
    const char* name;
    int from;                                   // frame on show before the request
    bool next;                                  // the outer request: next frame, or previous
    std::vector<std::pair<int, Action>> inside; // at the n-th run of pending events
    int landsOn;                                // curFrame at the end
};

std::vector<NestedMix> nestedMixes() {
    return {
        {"NextThenNextClicked", 1, true, {{10, clickDown()}}, 3},
        {"NextThenPreviousClicked", 1, true, {{10, clickUp()}}, 1},
        {"NextThenPreviousThenNextInsideThat", 1, true, {{10, clickUp()}, {20, clickDown()}}, 2},
        {"NextThenHome", 1, true, {{10, key(vk::Home)}}, 2},
        {"NextThenEndAndNumpadKeys",
         1,
         true,
         {{5, key(vk::End)}, {15, key(vk::NumPlus)}, {25, key(vk::NumMinus)}},
         2},
        {"NextThenFullScreenPagingOn", 1, true, {{10, key(vk::Insert)}}, 3},
        {"NextThenKeyReleasedAndPageDown",
         1,
         true,
         {{10, [](World& w, Form1& f1) { w.rt.keyUp(f1, vk::PageDown); }},
          {11, pressKeyHeldDown(vk::PageDown)}},
         3},
        {"PreviousThenNextAtTheFirstEvents", 3, false, {{1, clickDown()}}, 3},
        {"PreviousThenPreviousClicked", 3, false, {{10, clickUp()}}, 1},
        {"PreviousThenNextThenPrevious", 3, false, {{30, clickDown()}, {60, clickUp()}}, 2},
        {"NextToTheLastThenPreviousClicked", 3, true, {{10, clickUp()}}, 3},
        {"NextTickedThenPrevious", 1, true, {{3, key(vk::NumPlus)}, {30, clickUp()}}, 1},
    };
}

struct NestedCase {
    EditionCase edition;
    NestedMix mix;
};

std::vector<NestedCase> nestedCases() {
    std::vector<NestedCase> out;
    for (const EditionCase& e : kEditions)
        for (const NestedMix& m : nestedMixes())
            out.push_back({e, m});
    return out;
}

void PrintTo(const NestedCase& c, std::ostream* os) {
    *os << c.edition.name << " " << c.mix.name;
}

class NestedSlides : public testing::TestWithParam<NestedCase> {};

TEST_P(NestedSlides, EndAtRestOnTheCurrentFrame) {
    const NestedCase& c = GetParam();
    World w(c.edition.edition());
    Form1& f1 = openFixtureFilm(w, kMixedFilm);
    while (w.module.curFrame < c.mix.from)
        f1.Image4_Click();
    f1.keyHeld = 0;
    // Full screen: page on once, then leave with Esc.
    w.host.modalScripts["Form2"] = [&w](forms::Form& f2) {
        w.rt.keyDown(f2, vk::PageDown);
        w.rt.keyUp(f2, vk::PageDown);
        w.rt.keyDown(f2, vk::Escape);
        w.rt.keyUp(f2, vk::Escape);
    };
    w.host.doEventsCalls = 0;
    w.host.onDoEvents = [&](int call) {
        if (call > 100000)
            throw std::runtime_error("the slide does not end");
        for (const auto& [at, action] : c.mix.inside)
            if (call == at)
                action(w, f1);
    };

    w.rt.click(c.mix.next ? f1.Image4 : f1.Image3);

    w.host.onDoEvents = nullptr;
    EXPECT_EQ(w.module.curFrame, c.mix.landsOn);
    expectAtRest(w, f1);
    // Paging on from there works as usual.
    w.rt.keyUp(f1, vk::PageDown);
    const int before = w.module.curFrame;
    w.rt.click(before < w.module.frameCount ? f1.Image4 : f1.Image3);
    EXPECT_NE(w.module.curFrame, before);
    expectAtRest(w, f1);
}

INSTANTIATE_TEST_SUITE_P(Mixes, NestedSlides, testing::ValuesIn(nestedCases()),
                         [](const testing::TestParamInfo<NestedCase>& i) {
                             return std::string(i.param.edition.name) + "_" + i.param.mix.name;
                         });

// A slide inside a slide shares `pos` with it, move by move: after an inner slide the same
// way the outer loop stops at once; after one the other way it crosses the strip again from
// where the inner one left `pos`.
TEST(NestedSlideMoves, TheOuterSlideGoesOnFromTheInnerSlidesPosition) {
    for (bool sameWay : {true, false}) {
        SCOPED_TRACE(sameWay ? "next inside next" : "previous inside next");
        World w(editions::kadroskop());
        Form1& f1 = openFixtureFilm(
            w,
            {{"a.jpg", 160, 120}, {"b.jpg", 160, 120}, {"c.jpg", 160, 120}, {"d.jpg", 160, 120}});
        w.rt.click(f1.Image4); // from frame 2, so that both ways can page
        w.rt.keyUp(f1, vk::PageDown);
        const double de = f1.Image11.Height.get(), end = -de - de / 15, step = de / 50;
        std::vector<float> at;
        w.host.onDoEvents = [&](int call) {
            at.push_back(stripPos(f1));
            if (at.size() > 10000)
                throw std::runtime_error("the slide does not end");
            if (call == 10)
                w.rt.click(sameWay ? f1.Image4 : f1.Image3);
        };
        w.host.doEventsCalls = 0;

        w.rt.click(f1.Image4);

        // The outer slide's first ten moves; the tenth run of events starts the inner slide.
        std::vector<float> expected;
        double pos = 0;
        for (int k = 0; k < 10; ++k, pos -= step)
            expected.push_back(static_cast<float>(pos));
        if (sameWay) {
            // The inner slide's moves and its placement at the far end.
            for (pos = 0; pos >= end; pos -= step)
                expected.push_back(static_cast<float>(pos));
            expected.push_back(static_cast<float>(end));
        } else {
            // The cover's run of events with the strip where the outer slide left it, the
            // inner slide's moves up to 0 and its placement there.
            expected.push_back(expected.back());
            for (pos = end; pos <= 0; pos += step)
                expected.push_back(static_cast<float>(pos));
            expected.push_back(0.0f);
        }
        // The outer slide adds its step to where the inner loop left `pos`.
        for (pos -= step; pos >= end; pos -= step)
            expected.push_back(static_cast<float>(pos));
        expected.push_back(static_cast<float>(end)); // the outer placement at the far end
        EXPECT_EQ(at, expected);
        EXPECT_EQ(w.module.curFrame, sameWay ? 4 : 2);
        expectAtRest(w, f1);
    }
}

// --- Frames that cannot be shown, and frames without extent ---------------------------------

class DegenerateFrames : public testing::TestWithParam<EditionCase> {};

TEST_P(DegenerateFrames, AFrameWithoutExtentSlidesWithoutMoving) {
    World w(GetParam().edition());
    Form1& f1 = openFixtureFilm(w, {{"a.jpg", 40, 30}, {"b.jpg", 40, 30}});
    for (bool next : {true, false}) {
        // A picture laid out thinner than a twip along the slide: the step would be 0.
        if (vertical(f1))
            f1.Image11.Height = 0.0f;
        else
            f1.Image11.Width = 0.0f;
        StripRecorder rec(w, f1);
        w.rt.click(next ? f1.Image4 : f1.Image3);
        EXPECT_EQ(w.module.curFrame, next ? 2 : 1);
        // No move: only the runs of events around the loop (after the placement at the far
        // end, and with a cover before the previous frame's loop and after its placement).
        const std::size_t runs = next ? 1u : (f1.Picture3 ? 2u : 0u);
        EXPECT_EQ(rec.at.size(), runs) << (next ? "next" : "previous");
        for (float p : rec.at)
            EXPECT_EQ(p, 0.0f);
        EXPECT_EQ(stripPos(f1), 0.0f);
        EXPECT_EQ(shownSource(f1.Image11.Picture), sourceOf(w, w.module.curFrame));
        if (f1.Picture3) {
            EXPECT_FALSE(f1.Picture3->Visible.get());
        }
    }
}

TEST_P(DegenerateFrames, ASlideInsideASlideOverALongerFrameStaysShort) {
    World w(GetParam().edition());
    // A thin strip first, then the size changes to a far longer frame inside its slide.
    Form1& f1 = openFixtureFilm(w, {{"a.jpg", 40, 30}, {"b.jpg", 40, 30}, {"c.jpg", 40, 30}});
    w.rt.click(f1.Image4); // to frame 2, so that both directions can page
    w.rt.keyUp(f1, vk::PageDown);
    int runs = 0;
    w.host.onDoEvents = [&](int) {
        if (++runs != 3)
            return;
        // Inside the previous-frame slide: a long frame, and a next-frame slide over it.
        if (vertical(f1))
            f1.Image11.Height = 100000.0f;
        else
            f1.Image11.Width = 100000.0f;
        w.rt.click(f1.Image4);
    };
    w.rt.click(f1.Image3);
    w.host.onDoEvents = nullptr;
    // Two slides' worth of moves at most, not a crossing of the long frame in short steps.
    EXPECT_LT(runs, 2 * (f1.variant().stepsPerFrame + 10) + 10);
    EXPECT_EQ(stripPos(f1), 0.0f);
    EXPECT_EQ(shownSource(f1.Image11.Picture), sourceOf(w, w.module.curFrame));
}

TEST_P(DegenerateFrames, VanishedAndDamagedFramesAreShownEmpty) {
    World w(GetParam().edition());
    Form1& f1 = openFixtureFilm(
        w, {{"f1.jpg", 40, 30}, {"f2.jpg", 40, 30}, {"f3.jpg", 40, 30}, {"f4.jpg", 30, 40}});
    std::filesystem::remove(w.disk / "film/f2.jpg");
    std::ofstream(w.disk / "film/f3.jpg", std::ios::binary | std::ios::trunc) << "not a picture";

    auto expectFrame = [&](int frame, bool readable) {
        EXPECT_EQ(w.module.curFrame, frame);
        EXPECT_EQ(stripPos(f1), 0.0f);
        EXPECT_EQ(f1.Image3.Visible.get(), frame > 1) << frame;
        EXPECT_EQ(f1.Image4.Visible.get(), frame < 4) << frame;
        if (readable) {
            EXPECT_EQ(shownSource(f1.Image11.Picture), sourceOf(w, frame)) << frame;
            EXPECT_EQ(shownSource(f1.Picture2.Picture), sourceOf(w, frame)) << frame;
        } else {
            EXPECT_EQ(f1.Image11.Picture.get(), nullptr) << frame;
            EXPECT_EQ(f1.Picture2.Picture.get(), nullptr) << frame;
        }
    };
    const bool readable[] = {false, true, false, false, true};
    for (int frame = 2; frame <= 4; ++frame) {
        w.rt.click(f1.Image4);
        expectFrame(frame, readable[frame]);
    }
    for (int frame = 3; frame >= 1; --frame) {
        w.rt.click(f1.Image3);
        expectFrame(frame, readable[frame]);
    }
}

INSTANTIATE_TEST_SUITE_P(Editions, DegenerateFrames, testing::ValuesIn(kEditions), editionName);

} // namespace
