// The main window's start-up and menu: showing and hiding the menu, its commands, and the
// opening of a film from the folder the chooser accepted, the chooser played through its own
// controls.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "forms/keycodes.h"
#include "tests/behaviour/viewer_film.h"
#include "viewer/form2.h"

namespace {

using viewer::Form1;
using viewer_film::choose;
using viewer_film::kBothEditions;
using viewer_film::Pic;
using viewer_film::World;

const std::vector<std::string> kStartMenu = {"Открыть", "О программе", "Выход"};
const std::vector<std::string> kFilmMenu = {"Открыть", "На полный экран  Insert", "О программе",
                                            "Выход"};

TEST(Menu, HiddenAtStartShownByFileHiddenByTheMouse) {
    struct Point {
        const char* label;
        float x, y;
        bool hides;
    };
    for (const auto& e : kBothEditions) {
        World w(e.edition());
        w.start();
        auto& f1 = w.form<Form1>("Form1");
        EXPECT_FALSE(f1.List1.Visible);
        EXPECT_EQ(f1.List1.items(), kStartMenu);

        const float photoY = f1.Image1.Top + 2000;
        const Point points[] = {
            {"window surface", 15300, 11500, true},
            {"projector photograph", 1500, photoY, true},
            // Kadroskop's red band; in Lampionika the window's surface is there.
            {"left of the frame window, above the photograph", 1500, 1500, true},
            {"top bar", 10000, 100, false},
            {"frame window", 9000, 6000, false},
        };
        for (const Point& p : points) {
            SCOPED_TRACE(std::string(e.name) + ", " + p.label);
            w.rt.click(f1.Label1);
            ASSERT_TRUE(f1.List1.Visible);
            w.rt.mouseMove(f1, p.x, p.y);
            EXPECT_EQ(f1.List1.Visible.get(), !p.hides);
            f1.List1.Visible = false;
        }
        // The photograph at (1500, photoY) and, in Kadroskop, the band at (1500, 1500).
        EXPECT_EQ(w.rt.hitTest(f1, 1500, photoY), &f1.Image1);
        EXPECT_EQ(w.rt.hitTest(f1, 1500, 1500),
                  f1.variant().sideBand ? static_cast<forms::Control*>(&f1.Image7) : nullptr);

        w.rt.click(f1.Label1);
        w.rt.click(f1.Image1);
        EXPECT_FALSE(f1.List1.Visible);
    }
}

// "Выход" and the main window's close box (a window manager's close request) both end the
// program at once, with the hidden full-screen window still loaded.
TEST(Menu, ExitAndTheMainWindowsCloseBoxEndTheProgram) {
    for (bool closeBox : {false, true}) {
        for (bool withFilm : {false, true}) {
            SCOPED_TRACE(std::string(closeBox ? "close box" : "Выход") +
                         (withFilm ? ", with a film" : ", at start"));
            World w(editions::kadroskop());
            if (withFilm) {
                viewer_film::writeFolder(w, "film", {{"a.jpg", 12000, 9000}});
                viewer_film::chooserAccepts(w, "film");
                w.start();
                choose(w, "Открыть");
                w.host.modalScripts["Form2"] = [&w](forms::Form& f2) { w.rt.hide(f2); };
                choose(w, "На полный экран  Insert");
                ASSERT_TRUE(w.rt.isLoaded("Form2"));
            } else {
                w.start();
            }
            if (closeBox) {
                EXPECT_THROW(w.rt.closeBox(w.form<Form1>("Form1")), forms::ProgramEnded);
            } else {
                EXPECT_THROW(choose(w, "Выход"), forms::ProgramEnded);
            }
            EXPECT_TRUE(w.host.ended);
            // Ended, not unloaded: the window's unloading would leave the program running.
            EXPECT_TRUE(w.rt.isLoaded("Form1"));
        }
    }
}

TEST(Menu, AboutHidesTheMenuWhenClosed) {
    World w(editions::lampionika());
    w.start();
    auto& f1 = w.form<Form1>("Form1");
    bool shown = false;
    w.host.modalScripts["Form3"] = [&](forms::Form& f3) {
        shown = f3.visible();
        EXPECT_TRUE(f1.List1.Visible); // the menu stays until the window has closed
        w.rt.unload(f3);
    };
    choose(w, "О программе");
    EXPECT_TRUE(shown);
    EXPECT_FALSE(f1.List1.Visible);
}

// The whole road of an accepted opening.
TEST(OpenFilm, BuildsTheFilmFromTheAcceptedFolder) {
    for (const auto& e : kBothEditions) {
        SCOPED_TRACE(e.name);
        World w(e.edition());
        viewer_film::writeFolder(w, "film",
                                 {{"b.JPG", 12000, 9000},
                                  {"a.jpg", 9000, 12000},
                                  {"c.bmp", 4500, 3000},
                                  {"d.gif", 900, 900},
                                  {"notes.txt", 900, 900}});
        viewer_film::chooserAccepts(w, "film");
        w.start();
        auto& f1 = w.form<Form1>("Form1");
        choose(w, "Открыть");

        EXPECT_FALSE(f1.List1.Visible);
        EXPECT_EQ(f1.List1.items(), kFilmMenu);
        // "*.jpg" names in the listing's order, then "*.bmp", then "*.gif".
        const std::vector<std::string> expected = {"", "a.jpg", "b.JPG", "c.bmp", "d.gif"};
        EXPECT_EQ(w.module.frameFile, expected);
        EXPECT_EQ(w.module.frameCount, 4);
        EXPECT_EQ(w.module.curFrame, 1);
        EXPECT_EQ(f1.fileMask[1], "*.jpg");
        EXPECT_EQ(f1.fileMask[3], "*.gif");
        EXPECT_TRUE(f1.fitMode);
        EXPECT_EQ(f1.picW, 9000);
        EXPECT_EQ(f1.picH, 12000);
        EXPECT_EQ(f1.Picture5.BackColor.get(), 0x00000000u);
        EXPECT_EQ(f1.Picture5.Width.get(), 8077.5f);
        EXPECT_EQ(f1.Picture5.Height.get(), 10770);
        EXPECT_TRUE(f1.Image5.Visible);
        EXPECT_TRUE(f1.Image6.Visible);
        EXPECT_TRUE(f1.Check1.Visible);
        EXPECT_TRUE(f1.Image4.Visible);
        EXPECT_FALSE(f1.Image3.Visible);
        EXPECT_TRUE(f1.Picture6.Visible);
        EXPECT_EQ(viewer_film::sourceOf(f1.Image11.Picture),
                  viewer_film::hostFile(w, "film", "a.jpg"));
        if (f1.variant().positionPhotos) {
            EXPECT_EQ(f1.Image1.Picture.get(), f1.Image7.Picture.get());
        }
    }
}

TEST(OpenFilm, OneFrameFilmShowsNoPagingButton) {
    World w(editions::lampionika());
    viewer_film::writeFolder(w, "one", {{"only.gif", 4500, 3000}});
    viewer_film::chooserAccepts(w, "one");
    w.start();
    choose(w, "Открыть");
    auto& f1 = w.form<Form1>("Form1");
    EXPECT_EQ(w.module.frameCount, 1);
    EXPECT_FALSE(f1.Image3.Visible);
    EXPECT_FALSE(f1.Image4.Visible);
}

// A new opening starts afresh at frame 1, fitted, with the box unticked, whatever the old
// film showed; also when the box was ticked and the old frame's name is missing from the
// new folder.
TEST(OpenFilm, ReopeningStartsAfresh) {
    struct Case {
        const char* label;
        const char* secondFolder;
        bool ticked;
    };
    const Case cases[] = {{"other folder, own size", "second", false},
                          {"same folder, box ticked", "first", true},
                          {"old frame missing, box ticked", "second", true}};
    for (const auto& e : kBothEditions) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(e.name) + ", " + c.label);
            World w(e.edition());
            std::vector<Pic> first;
            for (int i = 1; i <= 5; ++i)
                first.push_back({"f" + std::to_string(i) + ".jpg", 4500, 3000});
            viewer_film::writeFolder(w, "first", first);
            viewer_film::writeFolder(w, "second", {{"x.jpg", 12000, 9000}, {"y.jpg", 900, 900}});
            viewer_film::chooserAccepts(w, "first");
            w.start();
            auto& f1 = w.form<Form1>("Form1");
            choose(w, "Открыть");
            w.module.curFrame = 5; // as paging would leave it
            f1.Image5_Click();
            if (c.ticked)
                w.rt.click(f1.Check1);
            ASSERT_EQ(f1.Check1.Value.get(), c.ticked ? 1 : 0);

            viewer_film::chooserAccepts(w, c.secondFolder);
            choose(w, "Открыть");
            EXPECT_EQ(w.module.curFrame, 1);
            EXPECT_TRUE(f1.fitMode);
            EXPECT_EQ(f1.Check1.Value.get(), 0);
            EXPECT_TRUE(f1.Image5.Visible);
            EXPECT_TRUE(f1.Image6.Visible);
            EXPECT_EQ(f1.List1.items(), kFilmMenu);
            const bool same = std::string(c.secondFolder) == "first";
            EXPECT_EQ(w.module.frameCount, same ? 5 : 2);
            EXPECT_EQ(f1.Picture5.Width.get(), 11235);
            EXPECT_EQ(f1.Picture5.Height.get(), same ? 7490 : 8426.25f);
            EXPECT_EQ(f1.picW, same ? 4500 : 12000);
        }
    }
}

// A refusal, by "Отмена" or the close box, after walking elsewhere, and a folder whose
// pictures vanished after the chooser showed them: the directory goes back, the film stays.
TEST(OpenFilm, RefusedOrEmptyKeepsTheFilm) {
    struct Case {
        const char* label;
        int how; // 0 cancel, 1 close box, 2 accepted folder without pictures
    };
    const Case cases[] = {{"cancel", 0}, {"close box", 1}, {"pictures vanished", 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        World w(editions::kadroskop());
        viewer_film::writeFolder(w, "film", {{"a.jpg", 12000, 9000}, {"b.jpg", 4500, 3000}});
        w.disk.mkdir("elsewhere/deeper");
        viewer_film::chooserAccepts(w, "film");
        w.start();
        auto& f1 = w.form<Form1>("Form1");
        choose(w, "Открыть");
        w.rt.click(f1.Image4); // on to frame 2
        ASSERT_EQ(w.module.curFrame, 2);
        f1.Image5_Click();
        const auto film = w.module.frameFile;

        if (c.how == 2) {
            // The user selects a picture there, which goes before "OK" is pressed.
            viewer_film::writePic(w, "elsewhere/deeper", {"gone.jpg", 900, 900});
            viewer_film::whileChooserIsUp(w, [&w](chooser::Form4& f4) {
                viewer_film::walkTo(w, f4, "C:\\elsewhere\\deeper");
                w.rt.click(f4.Image1(0));
                std::filesystem::remove(w.disk / "elsewhere/deeper/gone.jpg");
                w.rt.click(f4.Command1);
            });
        } else
            viewer_film::chooserRefuses(w, "C:\\elsewhere\\deeper", c.how == 1);
        choose(w, "Открыть");
        EXPECT_EQ(w.files.curDir(), "C:\\film");
        EXPECT_EQ(w.module.frameFile, film);
        EXPECT_EQ(w.module.curFrame, 2);
        EXPECT_FALSE(f1.fitMode);
        EXPECT_EQ(f1.Picture5.Width.get(), 4500);
        EXPECT_TRUE(f1.Image3.Visible);
        EXPECT_FALSE(f1.List1.Visible);
        EXPECT_FALSE(w.rt.isLoaded("Form4"));
    }
}

// A first frame that cannot be read: the film opens, its frame window keeps the base
// layout's geometry and shows nothing; the next frame can still be laid out.
TEST(OpenFilm, DamagedFirstFrame) {
    World w(editions::lampionika());
    viewer_film::writeFolder(w, "film", {{"b.jpg", 4500, 3000}});
    std::ofstream(w.disk / "film/a.jpg", std::ios::trunc) << "damaged";
    viewer_film::chooserAccepts(w, "film");
    w.start();
    auto& f1 = w.form<Form1>("Form1");
    choose(w, "Открыть");
    EXPECT_EQ(w.module.frameCount, 2);
    EXPECT_EQ(f1.Image11.Picture.get(), nullptr);
    EXPECT_EQ(f1.Picture5.Width.get(), 11235);
    EXPECT_EQ(f1.Picture5.Height.get(), 10770);
    EXPECT_TRUE(f1.Image4.Visible);
    w.module.curFrame = 2;
    f1.razmer();
    EXPECT_EQ(f1.Picture5.Height.get(), 7490);
}

TEST(OpenFilm, FullScreenCommand) {
    World w(editions::kadroskop());
    viewer_film::writeFolder(w, "film", {{"a.jpg", 12000, 9000}, {"b.jpg", 4500, 3000}});
    viewer_film::chooserAccepts(w, "film");
    w.start();
    auto& f1 = w.form<Form1>("Form1");
    choose(w, "Открыть");
    bool menuHidden = false;
    w.host.modalScripts["Form2"] = [&](forms::Form& f2) {
        menuHidden = !f1.List1.Visible;
        w.rt.keyDown(f2, forms::vk::PageDown);
        w.rt.keyUp(f2, forms::vk::PageDown);
        w.rt.keyDown(f2, forms::vk::Escape);
    };
    choose(w, "На полный экран  Insert");
    EXPECT_TRUE(menuHidden);
    EXPECT_EQ(w.module.curFrame, 2);
    EXPECT_EQ(f1.Picture5.Height.get(), 7490);
}

} // namespace
