// The film chooser over real temporary folders: the folder view, the combo box of drives and
// special folders, the walk through the folders, the choice of a film and its refusal.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "chooser/form4.h"
#include "forms/keycodes.h"
#include "tests/behaviour/viewer_film.h"

namespace {

using chooser::Form4;
using viewer::Form1;
using viewer_film::kBothEditions;
using viewer_film::World;

std::string hostPath(World& w, const std::string& drivePath) {
    return *w.files.toHost(drivePath);
}

void mkdirs(World& w, const std::string& drivePath) {
    std::filesystem::create_directories(hostPath(w, drivePath));
}

// A small picture at a path below C:\, its folders made first.
void writeSmall(World& w, const std::string& relative) {
    const std::filesystem::path path = w.disk / relative;
    std::filesystem::create_directories(path.parent_path());
    testing_support::writePicture(path.string(), 8, 6);
}

void touch(World& w, const std::string& drivePath) {
    std::ofstream(hostPath(w, drivePath)) << "x";
}

// The program started at `start` (made first), the chooser opened from the menu, and
// `user` run while it is up. The dialog is cancelled afterwards when `user` left it open.
void inChooser(World& w, const std::string& start, const std::function<void(Form4&)>& user) {
    mkdirs(w, start);
    ASSERT_TRUE(w.files.chDrive(start)) << start;
    ASSERT_TRUE(w.files.chDir(start)) << start;
    w.start();
    bool ran = false;
    viewer_film::whileChooserIsUp(w, [&](Form4& f4) {
        ran = true;
        user(f4);
    });
    viewer_film::choose(w, "Открыть");
    EXPECT_TRUE(ran);
}

std::vector<std::string> shownPreviews(const Form4& f4) {
    std::vector<std::string> names;
    for (const forms::Label* l : f4.Label1)
        if (l->Visible)
            names.push_back(l->Caption);
    return names;
}

int shownRowIcons(const Form4& f4) {
    int n = 0;
    for (const forms::PictureBox* p : f4.Picture3)
        n += p->Visible ? 1 : 0;
    return n;
}

// Dir1, the current directory and the combo text name the same folder, which exists.
void expectConsistent(World& w, const Form4& f4, const std::string& folder) {
    EXPECT_EQ(f4.Dir1.Path.get(), folder);
    EXPECT_EQ(w.files.curDir(), folder);
    EXPECT_TRUE(w.files.chDir(folder));
    const std::string text = f4.Combo1.Text;
    EXPECT_TRUE(text == folder || chooser::placeText(folder) == text ||
                (text.size() >= 2 && text[1] == ':' && folder.size() == 3 &&
                 std::toupper(text[0]) == folder[0]))
        << "combo text " << text << " for " << folder;
}

TEST(ChooserView, NameRowSubfoldersAndRowIcons) {
    struct Case {
        const char* folder;
        int subfolders;
        const char* name;
        bool upIcon;
    };
    const Case cases[] = {{"C:\\", 0, "C:\\", false},
                          {"C:\\Фото\\Лето", 0, "Лето", true},
                          {"C:\\three", 3, "three", true},
                          {"C:\\ten", 10, "ten", true}};
    for (const auto& e : kBothEditions) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(e.name) + " " + c.folder);
            World w(e.edition());
            for (int k = 0; k < c.subfolders; ++k)
                mkdirs(w, std::string(c.folder) + "\\s" + std::to_string(k));
            inChooser(w, c.folder, [&](Form4& f4) {
                EXPECT_EQ(f4.Label3(0).Caption.get(), c.name);
                EXPECT_TRUE(f4.Picture7.Visible);
                EXPECT_EQ(f4.Picture7.Picture.get(),
                          (c.upIcon ? f4.Picture5 : f4.Picture8).Picture.get());
                EXPECT_EQ(f4.List1.ListCount(), c.subfolders);
                EXPECT_EQ(shownRowIcons(f4), std::min(c.subfolders, 8));
                EXPECT_EQ(f4.List1.ToolTipText.get(), c.subfolders > 0 ? "DblClick открыть" : "");
                EXPECT_EQ(f4.List1.ListIndex.get(), -1);
                if (c.subfolders > 0) {
                    EXPECT_EQ(f4.List1.List(0), "s0");
                }
            });
        }
    }
}

TEST(ChooserView, PreviewsTakeJpegThenBmpThenGifAndStopAtFour) {
    World w(editions::kadroskop());
    for (const char* n : {"p1.jpg", "p2.JPG", "b1.bmp", "b2.bmp", "b3.bmp", "b4.bmp", "b5.bmp"})
        writeSmall(w, std::string("pics/") + n);
    writeSmall(w, "pics/g.gif");
    inChooser(w, "C:\\pics", [&](Form4& f4) {
        EXPECT_EQ(shownPreviews(f4),
                  (std::vector<std::string>{"p1.jpg", "p2.JPG", "b1.bmp", "b2.bmp"}));
        for (int k = 0; k < 4; ++k)
            EXPECT_NE(f4.Image1(k).Picture.get(), nullptr) << k;
        // The listing stopped at the fourth: it goes on with the third BMP.
        EXPECT_EQ(w.files.dir(), "b3.bmp");
        EXPECT_FALSE(f4.Command1.Visible);
        EXPECT_FALSE(f4.Command3.Visible);
        EXPECT_EQ(f4.Label2.Caption.get(), "");
    });
}

TEST(ChooserView, UnreadablePreviewKeepsItsPlaceWithItsName) {
    World w(editions::lampionika());
    std::filesystem::create_directories(w.disk / "mixed");
    std::ofstream(w.disk / "mixed/a.jpg") << "not a picture";
    writeSmall(w, "mixed/b.jpg");
    inChooser(w, "C:\\mixed", [&](Form4& f4) {
        EXPECT_EQ(shownPreviews(f4), (std::vector<std::string>{"a.jpg", "b.jpg"}));
        EXPECT_EQ(f4.Image1(0).Picture.get(), nullptr);
        EXPECT_NE(f4.Image1(1).Picture.get(), nullptr);
        // Lampionika's backdrop stands black and unframed.
        EXPECT_TRUE(f4.Picture4.Visible);
        EXPECT_EQ(f4.Picture4.BackColor.get(), 0x00000000u);
    });
}

TEST(ChooserView, ComboIconFollowsTheComboText) {
    struct Case {
        const char* text;
        int icon; // 8 drive, 10 documents, 11 desktop, 0 unchanged
    };
    const Case cases[] = {
        {"C:\\", 8},
        {"D:\\Фото", 8},
        {"Мои документы", 10},
        {"Мои документы\\Фото", 10},
        {"My documents", 10},
        {"Рабочий стол\\Новая папка", 11},
        {"Desktop", 11},
        {"desktop", 0},
        {"", 0},
        {"\\\\server\\share", 0},
    };
    World w(editions::kadroskop());
    inChooser(w, "C:\\", [&](Form4& f4) {
        const forms::PictureBox* stores[] = {&f4.Picture8, &f4.Picture10, &f4.Picture11};
        for (const forms::PictureBox* start : stores) {
            for (const Case& c : cases) {
                SCOPED_TRACE(c.text);
                f4.Picture9.Picture = start->Picture;
                f4.Combo1.Text = std::string(c.text);
                f4.zagr();
                const forms::PictureBox& expected = c.icon == 8    ? f4.Picture8
                                                    : c.icon == 10 ? f4.Picture10
                                                    : c.icon == 11 ? f4.Picture11
                                                                   : *start;
                EXPECT_EQ(f4.Picture9.Picture.get(), expected.Picture.get());
            }
        }
    });
}

TEST(ChooserDrives, ComboEntriesFromDrivesAndTheProfile) {
    struct Case {
        const char* label;
        const char* profile;           // "" leaves USERPROFILE unset
        std::vector<std::string> made; // folders, and a file when it starts with "file:"
        std::vector<std::string> special;
    };
    const Case cases[] = {
        {"only Desktop", "C:\\Users\\U", {"C:\\Users\\U\\Desktop"}, {"Desktop"}},
        {"all four",
         "C:\\Users\\U",
         {"C:\\Users\\U\\Мои документы", "C:\\Users\\U\\My documents", "C:\\Users\\U\\Рабочий стол",
          "C:\\Users\\U\\Desktop"},
         {"Мои документы", "My documents", "Рабочий стол", "Desktop"}},
        {"a plain file named Desktop", "C:\\Users\\U", {"file:C:\\Users\\U\\Desktop"}, {"Desktop"}},
        {"unset profile: the root of the current drive", "", {"C:\\Desktop"}, {"Desktop"}},
        {"a profile that cannot be read", "C:\\Nowhere", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        World w(editions::kadroskop());
        if (*c.profile)
            w.env.vars["USERPROFILE"] = c.profile;
        mkdirs(w, "C:\\Users\\U");
        for (const std::string& m : c.made) {
            if (m.rfind("file:", 0) == 0)
                touch(w, m.substr(5));
            else
                mkdirs(w, m);
        }
        inChooser(w, "C:\\", [&](Form4& f4) {
            std::vector<std::string> expected = {"c:", "d:", "e:"};
            expected.insert(expected.end(), c.special.begin(), c.special.end());
            EXPECT_EQ(f4.Combo1.items(), expected);
            EXPECT_EQ(f4.comboLast, static_cast<int>(expected.size()) - 1);
            EXPECT_EQ(f4.comboPath[0], "c:\\");
            EXPECT_EQ(f4.comboPath[2], "e:\\");
        });
    }
}

TEST(ChooserDrives, ComboTextNamesWhereTheDialogOpens) {
    struct Case {
        const char* folder;
        const char* text;
    };
    const Case cases[] = {
        {"C:\\Users\\User\\Desktop\\Trip", "Desktop\\Trip"},
        {"D:\\Desktop backup\\2010", "Desktop backup\\2010"},
        {"D:\\Photos", "D:\\Photos"},
        {"C:\\", "C:\\"},
        {"C:\\Users\\User\\DESKTOP\\x", "DESKTOP\\x"},
        {"C:\\Users\\User\\Мои документы\\Desktop\\x", "Мои документы\\Desktop\\x"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        World w(editions::lampionika());
        inChooser(w, c.folder, [&](Form4& f4) { EXPECT_EQ(f4.Combo1.Text.get(), c.text); });
    }
}

TEST(ChooserDrives, ChoosingADriveOrFolderAndTheFallback) {
    for (const auto& e : kBothEditions) {
        SCOPED_TRACE(e.name);
        World w(e.edition());
        w.env.vars["USERPROFILE"] = "C:\\Users\\U";
        mkdirs(w, "C:\\Users\\U\\Desktop\\Trip");
        touch(w, "C:\\Users\\U\\Мои документы"); // a file: the probe lets it pass
        mkdirs(w, "D:\\Photos");
        inChooser(w, "C:\\start", [&](Form4& f4) {
            const auto entry = [&](const std::string& text) {
                for (int k = 0; k < f4.Combo1.ListCount(); ++k)
                    if (f4.Combo1.List(k) == text)
                        return k;
                return -1;
            };
            w.rt.clickItem(f4.Combo1, entry("d:"));
            expectConsistent(w, f4, "D:\\");
            EXPECT_EQ(f4.Combo1.Text.get(), "d:");
            w.rt.clickItem(f4.Combo1, entry("Desktop"));
            expectConsistent(w, f4, "C:\\Users\\U\\Desktop");
            EXPECT_EQ(f4.Combo1.Text.get(), "Desktop");
            EXPECT_EQ(f4.Picture9.Picture.get(), f4.Picture11.Picture.get());
            // A drive that is not ready, and an entry that is a file: the root of the drive
            // that was current when the dialog loaded, with that drive's entry.
            for (const char* bad : {"e:", "Мои документы"}) {
                SCOPED_TRACE(bad);
                w.rt.clickItem(f4.Combo1, entry(bad));
                expectConsistent(w, f4, "C:\\");
                EXPECT_EQ(f4.Combo1.Text.get(), "c:");
            }
        });
    }
}

TEST(ChooserDrives, FallbackThatFailsTooEndsSomewhereUsable) {
    World w(editions::kadroskop());
    inChooser(w, "D:\\here", [&](Form4& f4) {
        // The drive of the load goes away, then the user picks a drive that is not ready.
        std::filesystem::remove_all(w.diskD.path());
        w.rt.clickItem(f4.Combo1, 2);
        expectConsistent(w, f4, "C:\\");
        // And the dialog goes on working.
        w.rt.click(f4.Picture9);
        expectConsistent(w, f4, "C:\\");
    });
    std::filesystem::create_directories(w.diskD.path());
}

TEST(ChooserDrives, TypingIntoTheComboChangesNothing) {
    World w(editions::kadroskop());
    inChooser(w, "C:\\", [&](Form4& f4) {
        w.rt.click(f4.Combo1); // gives it the focus
        ASSERT_EQ(f4.focused(), &f4.Combo1);
        const std::string before = f4.Combo1.Text;
        for (int ch : {int{'a'}, 0x0436, forms::vk::Back, forms::vk::Space})
            w.rt.keyPress(f4, ch);
        EXPECT_EQ(f4.Combo1.Text.get(), before);
    });
}

TEST(ChooserFocus, CancelHasTheFocusAndEnterOrSpacePressesIt) {
    for (const auto& e : kBothEditions) {
        for (int key : {forms::vk::Return, forms::vk::Space}) {
            SCOPED_TRACE(std::string(e.name) + " key " + std::to_string(key));
            World w(e.edition());
            bool wasFocused = false;
            inChooser(w, "C:\\", [&](Form4& f4) {
                wasFocused = f4.focused() == &f4.Command2;
                w.rt.keyPress(f4, key);
                EXPECT_FALSE(f4.visible());
            });
            EXPECT_TRUE(wasFocused);
            EXPECT_TRUE(w.module.noResize);
        }
    }
}

// Going up, to the root and down, each ending with Dir1, the current directory and the
// combo text in step.
TEST(ChooserWalk, UpRootAndDown) {
    struct Step {
        enum Kind { Up, Root, Into } kind;
        const char* name; // the row to open, for Into
        const char* folder;
        const char* text;
    };
    struct Case {
        const char* label;
        const char* start;
        const char* startText; // "" keeps what the dialog opened with
        std::vector<Step> steps;
    };
    const std::vector<Case> cases = {
        {"up twice and at the root",
         "D:\\A\\B",
         "",
         {{Step::Up, "", "D:\\A", "D:\\A"},
          {Step::Up, "", "D:\\", "D:\\"},
          {Step::Up, "", "D:\\", "D:\\"}}},
        {"up from a folder named like a special folder",
         "D:\\X\\Рабочий стол",
         "",
         {{Step::Up, "", "D:\\", "D:\\"}}},
        {"a relative text up three times",
         "C:\\Users\\U\\Рабочий стол\\А\\Б",
         "",
         {{Step::Up, "", "C:\\Users\\U\\Рабочий стол\\А", "Рабочий стол\\А"},
          {Step::Up, "", "C:\\Users\\U\\Рабочий стол", "Рабочий стол"},
          {Step::Up, "", "C:\\", "C:\\"}}},
        {"down from a root and a folder",
         "D:\\",
         "",
         {{Step::Into, "A", "D:\\A", "D:\\A"}, {Step::Into, "B", "D:\\A\\B", "D:\\A\\B"}}},
        {"into a folder named Desktop shown by its full path",
         "D:\\Desktop",
         "D:\\Desktop",
         {{Step::Into, "B", "D:\\Desktop\\B", "Desktop\\B"},
          {Step::Into, "C", "D:\\Desktop\\B\\C", "Desktop\\B\\C"}}},
        {"lower-case desktop is an ordinary folder",
         "D:\\x\\desktop",
         "",
         {{Step::Into, "B", "D:\\x\\desktop\\B", "D:\\x\\desktop\\B"},
          {Step::Up, "", "D:\\x\\desktop", "D:\\x\\desktop"},
          {Step::Up, "", "D:\\x", "D:\\x"}}},
        {"DESKTOP in other letters counts as no special text",
         "D:\\u\\DESKTOP\\А",
         "",
         {{Step::Into, "Б", "D:\\u\\DESKTOP\\А\\Б", "D:\\u\\DESKTOP\\А\\Б"},
          {Step::Root, "", "D:\\", "D:\\"}}},
        {"the root icon with a drive text, and with a relative text",
         "C:\\Users\\U\\Мои документы\\А",
         "",
         {{Step::Root, "", "C:\\Users\\U\\Мои документы", "Мои документы"},
          {Step::Root, "", "C:\\", "C:\\"},
          {Step::Into, "Users", "C:\\Users", "C:\\Users"},
          {Step::Root, "", "C:\\", "C:\\"}}},
        {"a special-looking name alone in the combo text",
         "D:\\p\\Desktop Files",
         "",
         {{Step::Up, "", "D:\\p", "D:\\p"}}},
    };
    for (const auto& e : kBothEditions) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(e.name) + ", " + c.label);
            World w(e.edition());
            for (const Step& s : c.steps)
                mkdirs(w, s.folder);
            mkdirs(w, "D:\\A\\B");
            mkdirs(w, "D:\\Desktop\\B\\C");
            mkdirs(w, "D:\\x\\desktop\\B");
            mkdirs(w, "D:\\u\\DESKTOP\\А\\Б");
            inChooser(w, c.start, [&](Form4& f4) {
                if (*c.startText)
                    f4.Combo1.Text = std::string(c.startText);
                for (const Step& s : c.steps) {
                    SCOPED_TRACE(s.folder);
                    if (s.kind == Step::Up) {
                        w.rt.click(f4.Label3(0));
                    } else if (s.kind == Step::Root) {
                        w.rt.click(f4.Picture9);
                    } else {
                        int row = -1;
                        for (int k = 0; k < f4.List1.ListCount(); ++k)
                            if (f4.List1.List(k) == s.name)
                                row = k;
                        ASSERT_GE(row, 0);
                        w.rt.doubleClickItem(f4.List1, row);
                    }
                    EXPECT_EQ(f4.Dir1.Path.get(), s.folder);
                    EXPECT_EQ(w.files.curDir(), s.folder);
                    EXPECT_EQ(f4.Combo1.Text.get(), s.text);
                }
            });
        }
    }
}

TEST(ChooserWalk, RowIconsFollowTheListsSelectionAndScroll) {
    World w(editions::kadroskop());
    for (int k = 0; k < 20; ++k)
        mkdirs(w, "C:\\many\\f" + std::string(k < 10 ? "0" : "") + std::to_string(k));
    inChooser(w, "C:\\many", [&](Form4& f4) {
        ASSERT_EQ(f4.List1.visibleRows(), 8) << "rows 360 twips apart beside the icons";
        w.rt.scroll(f4.List1, 30);
        ASSERT_EQ(f4.List1.TopIndex.get(), 12) << "the top keeps the last rows filling the box";
        w.rt.scroll(f4.List1, 5);
        // A click on icon 2 selects item 7 and borders icon 2 alone.
        w.rt.click(f4.Picture3(2));
        EXPECT_EQ(f4.List1.ListIndex.get(), 7);
        for (int k = 0; k < 8; ++k)
            EXPECT_EQ(f4.Picture3(k).BorderStyle.get(), k == 2 ? 1 : 0) << k;
        EXPECT_TRUE(f4.Command3.Visible);
        // A click on the row of item 8 moves the border to icon 3, and on item 7 back.
        w.rt.clickItem(f4.List1, 8);
        EXPECT_EQ(f4.Picture3(3).BorderStyle.get(), 1);
        EXPECT_EQ(f4.Picture3(2).BorderStyle.get(), 0);
        w.rt.clickItem(f4.List1, 7);
        EXPECT_EQ(f4.Picture3(2).BorderStyle.get(), 1);
        // Scrolling clears the borders and the selection, "открыть папку" stays and then
        // opens nothing.
        w.rt.scroll(f4.List1, 4);
        for (int k = 0; k < 8; ++k)
            EXPECT_EQ(f4.Picture3(k).BorderStyle.get(), 0) << k;
        EXPECT_EQ(f4.List1.ListIndex.get(), -1);
        EXPECT_TRUE(f4.Command3.Visible);
        w.rt.click(f4.Command3);
        EXPECT_EQ(f4.Dir1.Path.get(), "C:\\many");
        EXPECT_FALSE(f4.Command3.Visible);
        // Back at top 5, a double click on icon 2 opens the folder of item 7.
        w.rt.scroll(f4.List1, 5);
        w.rt.doubleClick(f4.Picture3(2));
        EXPECT_EQ(f4.Dir1.Path.get(), "C:\\many\\f07");
    });
}

// While a step into a folder runs pending events, the dialog already names the new folder
// but still shows the old one; Lampionika has hidden "открыть папку" by then, Kadroskop not.
TEST(ChooserWalk, PendingEventsOfAStepSeeTheNewPlaceAndTheOldView) {
    for (const auto& e : kBothEditions) {
        SCOPED_TRACE(e.name);
        World w(e.edition());
        mkdirs(w, "D:\\A\\B");
        bool openButton = false;
        std::string path, current, text, name;
        int calls = 0;
        inChooser(w, "D:\\A", [&](Form4& f4) {
            w.rt.click(f4.Picture3(0));
            ASSERT_TRUE(f4.Command3.Visible);
            w.host.onDoEvents = [&](int) {
                ++calls;
                openButton = f4.Command3.Visible;
                path = f4.Dir1.Path;
                current = w.files.curDir();
                text = f4.Combo1.Text;
                name = f4.Label3(0).Caption;
            };
            w.rt.click(f4.Command3);
            w.host.onDoEvents = nullptr;
            EXPECT_FALSE(f4.Command3.Visible);
        });
        EXPECT_EQ(calls, 1);
        EXPECT_EQ(openButton, !e.edition().chooser.hideOpenButtonFirst);
        EXPECT_EQ(path, "D:\\A\\B");
        EXPECT_EQ(current, "D:\\A\\B");
        EXPECT_EQ(text, "D:\\A\\B");
        EXPECT_EQ(name, "A");
    }
}

TEST(ChooserWalk, AFolderThatCannotBeEnteredShowsTheNearestOneAfresh) {
    World w(editions::lampionika());
    mkdirs(w, "D:\\A\\gone");
    mkdirs(w, "D:\\A\\kept");
    inChooser(w, "D:\\A\\kept", [&](Form4& f4) {
        w.rt.click(f4.Label3(0)); // up to D:\A, which still lists "gone"
        ASSERT_EQ(f4.List1.List(0), "gone");
        std::filesystem::remove_all(hostPath(w, "D:\\A\\gone"));
        w.rt.doubleClickItem(f4.List1, 0);
        expectConsistent(w, f4, "D:\\A");
        EXPECT_EQ(f4.List1.items(), std::vector<std::string>{"kept"});
        // The medium taken out while a folder of it is on show.
        std::filesystem::remove_all(w.diskD.path());
        w.rt.click(f4.Label3(0));
        expectConsistent(w, f4, "C:\\");
    });
    std::filesystem::create_directories(w.diskD.path());
}

// Names that cannot stand in a drive path, a link that loops and a link to a folder: the
// list shows what can be entered, and nothing hangs.
TEST(ChooserWalk, OddNamesAndLinks) {
    World w(editions::kadroskop());
    const std::string odd = w.disk / "odd";
    std::filesystem::create_directories(odd + "/plain");
    std::filesystem::create_directories(odd + "/bad\\name");
    std::filesystem::create_directories(odd + "/\xff\xfe");
    std::filesystem::create_directory_symlink(odd + "/loop", odd + "/loop");
    std::filesystem::create_directory_symlink(odd + "/plain", odd + "/linked");
    writeSmall(w, "odd/shown.jpg");
    std::filesystem::copy_file(odd + "/shown.jpg", odd + "/\xc3(.jpg");
    inChooser(w, "C:\\odd", [&](Form4& f4) {
        EXPECT_EQ(f4.List1.items(), (std::vector<std::string>{"linked", "plain"}));
        EXPECT_EQ(shownPreviews(f4), std::vector<std::string>{"shown.jpg"});
        w.rt.doubleClickItem(f4.List1, 0);
        expectConsistent(w, f4, "C:\\odd\\linked");
    });
}

TEST(ChooserSelection, PreviewsSelectTheFilmAndOkOrDoubleClickAccept) {
    enum class How { LabelThenOk, DoubleClickPreview3, EmptyPanel, PanelDoubleClick };
    struct Case {
        const char* label;
        How how;
        const char* answer;
    };
    const Case cases[] = {{"label 2 then OK", How::LabelThenOk, "c.jpg"},
                          {"double click on preview 3", How::DoubleClickPreview3, "d.jpg"},
                          {"the empty panel then OK", How::EmptyPanel, "a.jpg"},
                          {"a double click on the panel", How::PanelDoubleClick, "a.jpg"}};
    for (const auto& e : kBothEditions) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(e.name) + ", " + c.label);
            World w(e.edition());
            for (const char* n : {"a.jpg", "b.jpg", "c.jpg", "d.jpg"})
                writeSmall(w, std::string("film/") + n);
            bool selectedLook = false;
            std::string answer = "(not read)";
            inChooser(w, "C:\\film", [&](Form4& f4) {
                switch (c.how) {
                case How::LabelThenOk:
                    w.rt.click(f4.Label1(2));
                    break;
                case How::DoubleClickPreview3:
                    w.rt.doubleClick(f4.Image1(3));
                    break;
                case How::EmptyPanel:
                    w.rt.click(f4.Picture1);
                    break;
                case How::PanelDoubleClick:
                    w.rt.doubleClick(f4.Picture1);
                    break;
                }
                // Every preview and the panel are framed, whichever was clicked.
                selectedLook = f4.Picture1.BorderStyle == 1 && f4.Picture4.Visible;
                for (const forms::Image* i : f4.Image1)
                    selectedLook = selectedLook && i->BorderStyle == 1;
                if (f4.variant().backdropAlways)
                    selectedLook = selectedLook && f4.Picture4.BorderStyle == 1 &&
                                   f4.Picture4.BackColor == 0x00808080u;
                else
                    selectedLook = selectedLook && f4.Picture4.BackColor == 0x00800000u;
                if (f4.visible())
                    w.rt.click(f4.Command1);
                answer = f4.Label2.Caption;
                EXPECT_FALSE(f4.visible());
            });
            EXPECT_TRUE(selectedLook);
            EXPECT_EQ(answer, c.answer);
            EXPECT_EQ(w.module.frameCount, 4);
            EXPECT_EQ(w.files.curDir(), "C:\\film");
        }
    }
}

TEST(ChooserSelection, NothingToSelectAndAMoveWithdrawsTheSelection) {
    World w(editions::kadroskop());
    writeSmall(w, "film/a.jpg");
    mkdirs(w, "C:\\film\\empty");
    inChooser(w, "C:\\film", [&](Form4& f4) {
        w.rt.click(f4.Image1(0));
        ASSERT_TRUE(f4.Command1.Visible);
        w.rt.doubleClickItem(f4.List1, 0); // into "empty"
        EXPECT_FALSE(f4.Command1.Visible);
        EXPECT_EQ(f4.Label2.Caption.get(), "");
        EXPECT_FALSE(f4.Picture4.Visible);
        // Without pictures the panel selects nothing and a double click on it accepts
        // nothing.
        w.rt.doubleClick(f4.Picture1);
        EXPECT_TRUE(f4.visible());
        EXPECT_FALSE(f4.Command1.Visible);
        // "открыть папку" without a selected row only hides itself.
        f4.Command3.Visible = true;
        w.rt.click(f4.Command3);
        EXPECT_FALSE(f4.Command3.Visible);
        EXPECT_EQ(f4.Dir1.Path.get(), "C:\\film\\empty");
    });
    EXPECT_EQ(w.module.frameCount, 0);
}

// "Отмена" and the close box after walking to another drive and folder: the drive and the
// directory from before "Открыть" are back and the main window is as it was.
TEST(ChooserRefusal, CancelAndCloseBoxPutBackDriveAndDirectory) {
    for (const auto& e : kBothEditions) {
        for (bool closeBox : {false, true}) {
            SCOPED_TRACE(std::string(e.name) + (closeBox ? ", close box" : ", cancel"));
            World w(e.edition());
            viewer_film::writeFolder(w, "film", {{"a.jpg", 4500, 3000}, {"b.jpg", 4500, 3000}});
            mkdirs(w, "D:\\far\\away");
            viewer_film::chooserAccepts(w, "film");
            w.start();
            auto& f1 = w.form<Form1>("Form1");
            viewer_film::choose(w, "Открыть");
            w.rt.click(f1.Image4);
            w.rt.click(f1.Image5);
            const float width = f1.Picture5.Width;
            viewer_film::chooserRefuses(w, "D:\\far\\away", closeBox);
            viewer_film::choose(w, "Открыть");
            EXPECT_EQ(w.files.currentDrive(), 'C');
            EXPECT_EQ(w.files.curDir(), "C:\\film");
            EXPECT_EQ(w.files.curDir('D'), "D:\\far\\away");
            EXPECT_EQ(w.module.curFrame, 2);
            EXPECT_FALSE(f1.fitMode);
            EXPECT_EQ(f1.Picture5.Width.get(), width);
            EXPECT_FALSE(w.rt.isLoaded("Form4"));
            EXPECT_TRUE(w.module.noResize);
        }
    }
}

// A walk through every kind of step, a choice and a refusal leave the disk as it was.
TEST(ChooserRefusal, NothingIsWrittenToDisk) {
    World w(editions::lampionika());
    w.env.vars["USERPROFILE"] = "C:\\Users\\U";
    mkdirs(w, "C:\\Users\\U\\Desktop\\Trip");
    writeSmall(w, "film/a.jpg");
    writeSmall(w, "film/b.bmp");
    mkdirs(w, "D:\\x\\y");
    const auto snapshot = [&w] {
        std::vector<std::string> entries;
        for (const std::string& root : {w.disk.path(), w.diskD.path()})
            for (const auto& e : std::filesystem::recursive_directory_iterator(root))
                entries.push_back(e.path().string() + " " +
                                  std::to_string(e.last_write_time().time_since_epoch().count()) +
                                  " " + (e.is_regular_file() ? std::to_string(e.file_size()) : ""));
        std::sort(entries.begin(), entries.end());
        return entries;
    };
    const auto before = snapshot();
    inChooser(w, "C:\\film", [&](Form4& f4) {
        w.rt.click(f4.Image1(1));
        viewer_film::walkTo(w, f4, "D:\\x\\y");
        w.rt.click(f4.Label3(0));
        w.rt.click(f4.Picture9);
        w.rt.clickItem(f4.Combo1, 3); // Desktop
        viewer_film::walkTo(w, f4, "C:\\film");
        w.rt.doubleClick(f4.Image1(0));
    });
    viewer_film::chooserRefuses(w, "D:\\x", true);
    viewer_film::choose(w, "Открыть");
    EXPECT_EQ(w.module.frameCount, 2);
    EXPECT_EQ(snapshot(), before);
}

TEST(ChooserRefusal, ASavedFolderThatWentGivesWayToItsParent) {
    World w(editions::kadroskop());
    viewer_film::writeFolder(w, "film/inner", {{"a.jpg", 4500, 3000}});
    viewer_film::chooserAccepts(w, "film\\inner");
    w.start();
    viewer_film::choose(w, "Открыть");
    ASSERT_EQ(w.files.curDir(), "C:\\film\\inner");
    viewer_film::whileChooserIsUp(w, [&](Form4& f4) {
        w.rt.click(f4.Picture9);
        std::filesystem::remove_all(w.disk / "film/inner");
        w.rt.click(f4.Command2);
    });
    viewer_film::choose(w, "Открыть");
    EXPECT_EQ(w.files.curDir(), "C:\\film");
    EXPECT_EQ(w.module.frameCount, 1);
}

} // namespace
