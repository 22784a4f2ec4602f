// The About window of both programs: its layout for the screen, closing it with "OK" or
// Enter from the main window's menu, typing in the contact box.
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <tuple>

#include "about/form3.h"
#include "editions/kadroskop/kadroskop.h"
#include "editions/lampionika/lampionika.h"
#include "forms/keycodes.h"
#include "tests/behaviour/world.h"
#include "viewer/form1.h"

namespace {

using testing_support::World;

struct EditionCase {
    const char* label;
    const editions::Edition& (*edition)();
    const char* title;
};

const EditionCase kEditions[] = {
    {"Kadroskop", &editions::kadroskop, "Программа Кадроскоп"},
    {"Lampionika", &editions::lampionika, "Программа Лампионика"},
};

void PrintTo(const EditionCase& c, std::ostream* os) {
    *os << c.label;
}

// The author line of the program's design.
std::string authorLine(const editions::Edition& e) {
    for (const auto& c : e.form3.controls)
        if (c.name == "Label2")
            return c.text;
    return {};
}

std::string contactText(const editions::Edition& e) {
    for (const auto& c : e.form3.controls)
        if (c.name == "Text1")
            return c.text;
    return {};
}

// A program whose author line measures 3225 x 360 twips, as on the classic screen.
std::unique_ptr<World> makeWorld(const editions::Edition& e) {
    auto w = std::make_unique<World>(e);
    const std::string author = authorLine(e);
    w->host.measure = [author](const forms::Font&, std::string_view text) -> forms::Size2 {
        if (text == author)
            return {3225, 360};
        return {static_cast<float>(text.size()) * 105.0f, 330};
    };
    return w;
}

// A value in twips and how far the result may stray from it (0: exactly).
struct Twips {
    float value;
    float tolerance = 0;
};

struct ScreenCase {
    const char* label;
    float width, height;
    Twips imageWidth, imageHeight, imageLeft, imageTop;
    float label1Top;
};

const ScreenCase kScreens[] = {
    // The photograph fits under the window's height.
    {"Screen800x600", 12000, 9000, {5550}, {7392.3f, 0.05f}, {3225}, {803.8f, 0.05f}, 3517.5f},
    // Too tall: shrunk to the window's height, aspect kept.
    {"Screen1024x768", 15360, 11520, {8649.0f, 0.05f}, {11520}, {3355.5f, 0.05f}, {0}, 4777.5f},
    // Exactly as tall as the window: kept as it is.
    {"ExactlyAsTall", 13680, 9630, {7230}, {9630}, {3225}, {0}, 3832.5f},
    // One twip taller than the window: shrunk.
    {"OneTwipTooTall", 13680, 9629, {7229.25f, 0.01f}, {9629}, {3225.375f, 0.01f}, {0}, 3832.0f},
};

void PrintTo(const ScreenCase& c, std::ostream* os) {
    *os << c.label;
}

void expectTwips(float actual, Twips expected, const char* what) {
    EXPECT_NEAR(actual, expected.value, expected.tolerance) << what;
}

class AboutLayout : public testing::TestWithParam<std::tuple<EditionCase, ScreenCase>> {};

TEST_P(AboutLayout, PlacesPhotographAndTextColumnForTheScreen) {
    const auto& [ed, screen] = GetParam();
    auto w = makeWorld(ed.edition());
    w->host.screen = {screen.width, screen.height};
    auto& f = w->rt.form<about::Form3>("Form3");
    w->rt.show(f, false);

    ASSERT_FLOAT_EQ(f.Width, screen.width);
    ASSERT_FLOAT_EQ(f.Height, screen.height);
    ASSERT_FLOAT_EQ(f.Label2.Width, 3225);

    for (int activation = 1; activation <= 2; ++activation) {
        SCOPED_TRACE(activation);
        expectTwips(f.Image1.Width, screen.imageWidth, "Image1.Width");
        expectTwips(f.Image1.Height, screen.imageHeight, "Image1.Height");
        expectTwips(f.Image1.Left, screen.imageLeft, "Image1.Left");
        expectTwips(f.Image1.Top, screen.imageTop, "Image1.Top");
        EXPECT_FLOAT_EQ(f.Label1.Top, screen.label1Top);
        EXPECT_FLOAT_EQ(f.Label2.Top, screen.label1Top + 735);
        EXPECT_FLOAT_EQ(f.Text1.Top, screen.label1Top + 735 + 360);
        EXPECT_FLOAT_EQ(f.Command1.Top, screen.label1Top + 735 + 360 + 375);

        // The column keeps its design places across; the measuring box stays hidden.
        EXPECT_FLOAT_EQ(f.Label1.Left, 240);
        EXPECT_FLOAT_EQ(f.Label2.Left, 0);
        EXPECT_FLOAT_EQ(f.Text1.Left, 0);
        EXPECT_FLOAT_EQ(f.Command1.Left, 240);
        EXPECT_FLOAT_EQ(f.Text1.Width, 3135);
        EXPECT_FLOAT_EQ(f.Command1.Width, 2655);
        EXPECT_FALSE(f.Picture1.Visible);
        EXPECT_FLOAT_EQ(f.Picture1.Left, 240);
        EXPECT_FLOAT_EQ(f.Picture1.Top, 2880);

        // Activating again gives the same layout.
        w->rt.hide(f);
        w->rt.show(f, false);
    }
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, AboutLayout,
                         testing::Combine(testing::ValuesIn(kEditions),
                                          testing::ValuesIn(kScreens)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).label) + "_" +
                                    std::get<1>(info.param).label;
                         });

class AboutWindow : public testing::TestWithParam<EditionCase> {
  protected:
    void SetUp() override { w = makeWorld(GetParam().edition()); }
    std::unique_ptr<World> w;
};

TEST_P(AboutWindow, DesignShowsTheProgramsNameAuthorAndPhotograph) {
    auto& f = w->rt.form<about::Form3>("Form3");
    EXPECT_EQ(f.Label1.Caption.get(), GetParam().title);
    EXPECT_EQ(f.Label2.Caption.get().rfind("Автор: ", 0), 0u) << f.Label2.Caption.get();
    EXPECT_FALSE(f.Text1.Text.get().empty());
    EXPECT_EQ(f.Command1.Caption.get(), "OK");

    // The measuring box takes its photograph's size plus its border.
    ASSERT_TRUE(f.Picture1.Picture.get());
    EXPECT_EQ(f.Picture1.Picture.get()->widthPx(), 960);
    EXPECT_EQ(f.Picture1.Picture.get()->heightPx(), 1280);
    EXPECT_FLOAT_EQ(f.Picture1.Width, 14460);
    EXPECT_FLOAT_EQ(f.Picture1.Height, 19260);

    ASSERT_TRUE(f.Image1.Picture.get());
    if (std::string(GetParam().label) == "Kadroskop") {
        EXPECT_EQ(f.Image1.Picture.get()->widthPx(), 142);
        EXPECT_EQ(f.Image1.Picture.get()->heightPx(), 200);
    } else {
        EXPECT_EQ(f.Image1.Picture.get()->source(), f.Picture1.Picture.get()->source());
    }
}

// A window narrower than twice the author line leaves no room for the photograph: it gets
// no size at all, never a negative one, and the text column is still centred.
TEST_P(AboutWindow, NarrowWindowGivesThePhotographNoSize) {
    w->host.screen = {6000, 4500};
    auto& f = w->rt.form<about::Form3>("Form3");
    w->rt.show(f, false);

    EXPECT_FLOAT_EQ(f.Image1.Width, 0);
    EXPECT_FLOAT_EQ(f.Image1.Height, 0);
    EXPECT_FLOAT_EQ(f.Image1.Left, 3000);
    EXPECT_FLOAT_EQ(f.Image1.Top, 2250);
    EXPECT_FLOAT_EQ(f.Label1.Top, 1267.5f);
    EXPECT_FLOAT_EQ(f.Command1.Top, 1267.5f + 735 + 360 + 375);
}

// The author line sizes itself to its text: one wider than its design width widens the
// photograph's margins with it.
TEST_P(AboutWindow, AWiderAuthorLineWidensThePhotographsMargins) {
    const std::string author = authorLine(GetParam().edition());
    w->host.measure = [author](const forms::Font&, std::string_view text) -> forms::Size2 {
        if (text == author)
            return {4500, 390};
        return {static_cast<float>(text.size()) * 105.0f, 330};
    };
    w->host.screen = {12000, 9000};
    auto& f = w->rt.form<about::Form3>("Form3");
    w->rt.show(f, false);

    EXPECT_FLOAT_EQ(f.Label2.Width, 4500);
    EXPECT_FLOAT_EQ(f.Label2.Height, 390);
    EXPECT_FLOAT_EQ(f.Image1.Width, 3000);
    EXPECT_FLOAT_EQ(f.Image1.Left, 4500);
    EXPECT_FLOAT_EQ(f.Text1.Top, f.Label2.Top + 390);
}

enum class Closing { Ok, EnterInContactBox };

class AboutFromMenu : public testing::TestWithParam<std::tuple<EditionCase, Closing>> {
  protected:
    void SetUp() override {
        w = makeWorld(std::get<0>(GetParam()).edition());
        w->start();
    }

    viewer::Form1& main() { return w->rt.form<viewer::Form1>("Form1"); }

    // "Файл", then "О программе" (the second item before a film is opened).
    void chooseAbout() {
        w->rt.click(main().Label1);
        ASSERT_TRUE(main().List1.Visible);
        ASSERT_EQ(main().List1.List(1), "О программе");
        w->rt.clickItem(main().List1, 1);
    }

    void close(about::Form3& f) {
        if (std::get<1>(GetParam()) == Closing::Ok) {
            w->rt.click(f.Command1);
        } else {
            w->rt.click(f.Text1);
            w->rt.keyPress(f, forms::vk::Return);
        }
    }

    std::unique_ptr<World> w;
};

TEST_P(AboutFromMenu, ClosingUnloadsSetsNoResizeAndHidesTheMenu) {
    int shown = 0;
    bool unloadedInside = false;
    w->host.modalScripts["Form3"] = [&](forms::Form& form) {
        auto& f = dynamic_cast<about::Form3&>(form);
        ++shown;
        // Shown maximized and laid out for the default 1024 x 768 screen.
        EXPECT_TRUE(f.visible());
        EXPECT_NEAR(f.Image1.Width, 8649.0f, 0.05f);
        EXPECT_FLOAT_EQ(f.Image1.Height, 11520);
        // Only the About window's closing can set it now.
        w->module.noResize = false;
        close(f);
        unloadedInside = f.state() == forms::FormState::Unloaded;
    };

    chooseAbout();

    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(unloadedInside);
    EXPECT_FALSE(w->rt.isLoaded("Form3"));
    EXPECT_TRUE(w->module.noResize);
    EXPECT_FALSE(main().List1.Visible);
    EXPECT_TRUE(main().visible());
}

TEST_P(AboutFromMenu, TypedTextIsGoneAtTheNextOpening) {
    const std::string contact = contactText(std::get<0>(GetParam()).edition());
    std::string typed;
    w->host.modalScripts["Form3"] = [&](forms::Form& form) {
        auto& f = dynamic_cast<about::Form3&>(form);
        w->module.noResize = false;
        w->rt.click(f.Text1);
        w->rt.keyPress(f, 'x');
        w->rt.keyPress(f, 0x42F); // Я
        typed = f.Text1.Text;
        // Typing leaves the window open and the shared flag alone.
        EXPECT_TRUE(f.visible());
        EXPECT_EQ(f.state(), forms::FormState::Loaded);
        EXPECT_FALSE(w->module.noResize);
        close(f);
    };
    chooseAbout();
    EXPECT_EQ(typed, "xЯ" + contact);

    std::string second;
    w->host.modalScripts["Form3"] = [&](forms::Form& form) {
        auto& f = dynamic_cast<about::Form3&>(form);
        second = f.Text1.Text;
        close(f);
    };
    chooseAbout();
    EXPECT_EQ(second, contact);
    EXPECT_FALSE(w->rt.isLoaded("Form3"));
}

// The window opens with the focus on "OK", the first control in tab order that takes it (the
// measuring box is hidden, the photograph and labels take no focus, the contact box is out of
// the tab order), so Enter at once closes it, shown from the menu or by code.
TEST_P(AboutWindow, EnterAtOnceClosesIt) {
    const auto pressEnter = [this](about::Form3& f) {
        EXPECT_EQ(f.focused(), &f.Command1);
        w->rt.keyDown(f, forms::vk::Return);
        w->rt.keyPress(f, forms::vk::Return); // the window is gone once this returns
    };
    w->start();
    auto& main = w->rt.form<viewer::Form1>("Form1");
    bool closedInside = false;
    w->host.modalScripts["Form3"] = [&](forms::Form& form) {
        auto& f = dynamic_cast<about::Form3&>(form);
        pressEnter(f);
        closedInside = f.state() == forms::FormState::Unloaded;
    };
    w->rt.click(main.Label1);
    w->rt.clickItem(main.List1, 1); // "О программе"
    EXPECT_TRUE(closedInside);
    EXPECT_FALSE(w->rt.isLoaded("Form3"));
    EXPECT_TRUE(w->module.noResize);

    w->module.noResize = false;
    auto& f = w->rt.form<about::Form3>("Form3");
    w->rt.show(f, false);
    pressEnter(f);
    EXPECT_FALSE(w->rt.isLoaded("Form3"));
    EXPECT_TRUE(w->module.noResize);
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, AboutWindow, testing::ValuesIn(kEditions),
                         [](const auto& info) { return std::string(info.param.label); });

INSTANTIATE_TEST_SUITE_P(BothPrograms, AboutFromMenu,
                         testing::Combine(testing::ValuesIn(kEditions),
                                          testing::Values(Closing::Ok, Closing::EnterInContactBox)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).label) +
                                    (std::get<1>(info.param) == Closing::Ok ? "_Ok" : "_Enter");
                         });

} // namespace
