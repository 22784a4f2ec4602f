// The drive list and the folder list over real temporary folders: the drives with the
// current one selected, a selection that a refresh keeps, a drive that is not ready, and a
// folder's subfolders as full paths.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "tests/unit/test_window.h"

namespace unit_tests {
namespace {

using forms::ControlKind;
using forms::DirListBox;
using forms::DriveListBox;

// C: and D: are folders of the temporary folder; E: stands for a folder that does not exist,
// a drive that is not ready.
class DriveAndFolderLists : public WindowFixture {
  protected:
    DriveAndFolderLists() {
        tmp.mkdir("c/films/beta/deep");
        tmp.mkdir("c/films/Alpha");
        tmp.mkdir("c/films/gamma");
        std::ofstream(tmp / "c/films/frame.jpg") << "a file, not a folder";
        tmp.mkdir("d/photos");
        table.roots = {{'C', tmp / "c"}, {'D', tmp / "d"}, {'E', tmp / "e"}};
        design = windowDesign("Lists");
        addControl(design, ControlKind::DriveListBox, "Drive1", 100, 100, 3000, 300);
        addControl(design, ControlKind::DirListBox, "Dir1", 100, 600, 3000, 2000);
    }
    // The window loaded with the program started in this host folder.
    forms::Form& loadAt(const std::string& start) {
        files = forms::FileSystem(table, start);
        forms::Form& f = load(design);
        f.get<DriveListBox>("Drive1").Change = [this] { log.push_back("Drive1.Change"); };
        f.get<DirListBox>("Dir1").Change = [this] { log.push_back("Dir1.Change"); };
        return f;
    }
    static std::vector<std::string> entries(const DriveListBox& d) { return d.items(); }
    static std::vector<std::string> entries(const DirListBox& d) {
        std::vector<std::string> out;
        for (int k = 0; k < d.ListCount(); ++k)
            out.push_back(d.List(k));
        return out;
    }

    forms::DriveTable table;
    forms::FormDesign design;
};

TEST_F(DriveAndFolderLists, DriveListStartsAtTheCurrentDrive) {
    struct Case {
        const char* start; // inside the temporary folder
        int listIndex;
        const char* drive;
        const char* path;
    };
    const Case cases[] = {
        {"c", 0, "c:", "C:\\"},
        {"d/photos", 1, "d:", "D:\\photos"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.start);
        forms::Form& f = loadAt(tmp / c.start);
        const auto& drives = f.get<DriveListBox>("Drive1");
        // Every drive is listed, the one that is not ready too.
        EXPECT_EQ(entries(drives), (std::vector<std::string>{"c:", "d:", "e:"}));
        EXPECT_EQ(drives.ListCount(), 3);
        EXPECT_EQ(drives.ListIndex.get(), c.listIndex);
        EXPECT_EQ(drives.Drive.get(), c.drive);
        EXPECT_EQ(f.get<DirListBox>("Dir1").Path.get(), c.path);
        rt.unload(f);
    }
}

TEST_F(DriveAndFolderLists, DriveSelectsTheEntryOfItsLetter) {
    auto& drives = loadAt(tmp / "c").get<DriveListBox>("Drive1");
    struct Step {
        const char* drive;
        int listIndex;
        const char* reads;
    };
    const Step steps[] = {
        {"D:\\photos", 1, "d:"}, // a path's letter
        {"e:", 2, "e:"},         // a drive that is not ready can be chosen
        {"C", 0, "c:"},
        {"z:", 0, "c:"}, // no such drive: the selection stays
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.drive);
        drives.Drive = s.drive;
        EXPECT_EQ(drives.ListIndex.get(), s.listIndex);
        EXPECT_EQ(drives.Drive.get(), s.reads);
    }
    // A choice from the list sets the drive and raises Change.
    log.clear();
    rt.show(drives.form(), false);
    rt.clickItem(drives, 1);
    EXPECT_EQ(drives.Drive.get(), "d:");
    EXPECT_EQ(log, Log{"Drive1.Change"});
}

TEST_F(DriveAndFolderLists, RefreshKeepsTheSelectedDrive) {
    auto& drives = loadAt(tmp / "c").get<DriveListBox>("Drive1");
    struct Case {
        const char* selected;
        int listIndex;
    };
    // The current drive stays C: throughout.
    const Case cases[] = {{"d:", 1}, {"e:", 2}, {"c:", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.selected);
        drives.Drive = c.selected;
        drives.refresh();
        EXPECT_EQ(entries(drives), (std::vector<std::string>{"c:", "d:", "e:"}));
        EXPECT_EQ(drives.ListIndex.get(), c.listIndex);
        EXPECT_EQ(drives.Drive.get(), c.selected);
    }
    // The drive that is not ready cannot be made current; the list is unchanged by trying.
    drives.Drive = "e:";
    EXPECT_FALSE(files.chDrive("E:").ok());
    drives.refresh();
    EXPECT_EQ(drives.ListIndex.get(), 2);
    EXPECT_EQ(files.currentDrive(), 'C');
}

TEST_F(DriveAndFolderLists, FolderListGivesTheSubfoldersAsFullPaths) {
    auto& dir = loadAt(tmp / "c").get<DirListBox>("Dir1");
    EXPECT_EQ(dir.Path.get(), "C:\\");
    EXPECT_EQ(entries(dir), std::vector<std::string>{"C:\\films"});
    struct Step {
        const char* path;
        const char* full;
        std::vector<std::string> list;
    };
    const Step steps[] = {
        // In the order the folder list gives: compared after upper-casing; no plain files.
        {"C:\\films", "C:\\films", {"C:\\films\\Alpha", "C:\\films\\beta", "C:\\films\\gamma"}},
        {"C:\\films\\beta\\..\\beta\\.", "C:\\films\\beta", {"C:\\films\\beta\\deep"}},
        {"C:\\films\\gamma", "C:\\films\\gamma", {}},
        {"D:\\", "D:\\", {"D:\\photos"}},
        {"C:\\missing", "C:\\missing", {}}, // a folder that does not exist has none
        {"E:\\", "E:\\", {}},               // nor has a drive that is not ready
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.path);
        log.clear();
        dir.Path = s.path;
        EXPECT_EQ(dir.Path.get(), s.full);
        EXPECT_EQ(entries(dir), s.list);
        EXPECT_EQ(dir.ListCount(), static_cast<int>(s.list.size()));
        EXPECT_EQ(log, Log{"Dir1.Change"});
    }
    for (int outside : {-1, dir.ListCount()})
        EXPECT_EQ(dir.List(outside), "");

    // A folder made after the path was set shows once the list is refreshed.
    dir.Path = "C:\\films\\gamma";
    tmp.mkdir("c/films/gamma/new");
    EXPECT_EQ(dir.ListCount(), 0);
    dir.refresh();
    EXPECT_EQ(entries(dir), std::vector<std::string>{"C:\\films\\gamma\\new"});
}

} // namespace
} // namespace unit_tests
