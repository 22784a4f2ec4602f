#include "forms/files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/support/temp_dir.h"

namespace {

using forms::DriveTable;
using forms::FileSystem;
using forms::kAttrDirectory;
using forms::kAttrNormal;
using Names = std::vector<std::string>;

void touch(const std::string& path) {
    std::ofstream(path) << "x";
}

// Everything a listing gives: the first call with the pattern, then continued to its end.
Names listAll(FileSystem& fs, const std::string& pattern, int attributes) {
    Names out;
    for (std::string name = fs.dir(pattern, attributes); !name.empty(); name = fs.dir())
        out.push_back(name);
    return out;
}

// Drives C: and D: in temporary folders, and E: mapped to a folder that does not exist.
//   C:\pics       files b.jpg A.jpg a2.JPG _x.jpg Я.jpg а.jpg notes.txt noext,
//                 folders Sub and sub2.jpg
//   C:\pics\Sub   inner.jpg
//   C:\top.jpg, and the folder D:\data\deep
class Drives : public testing::Test {
  protected:
    Drives() {
        c_ = tmp_.mkdir("c");
        d_ = tmp_.mkdir("d");
        tmp_.mkdir("c/pics/Sub");
        tmp_.mkdir("c/pics/sub2.jpg");
        tmp_.mkdir("d/data/deep");
        for (const char* name :
             {"b.jpg", "A.jpg", "a2.JPG", "_x.jpg", "Я.jpg", "а.jpg", "notes.txt", "noext"})
            touch(c_ + "/pics/" + name);
        touch(c_ + "/pics/Sub/inner.jpg");
        touch(c_ + "/top.jpg");
        fs_ = FileSystem(table());
    }
    DriveTable table() const {
        DriveTable t;
        t.roots = {{'C', c_}, {'D', d_}, {'E', tmp_ / "missing"}};
        return t;
    }

    testing_support::TempDir tmp_;
    std::string c_, d_;
    FileSystem fs_{DriveTable{}};
};

struct ListCase {
    const char* pattern;
    int attributes;
    Names expected;
};

TEST_F(Drives, ListsByPatternWithLetterCaseIgnored) {
    // Upper-cased and compared by UTF-16 code units: "." < "2" < letters < "_" < Cyrillic,
    // and Cyrillic "А" (U+0410) before "Я" (U+042F).
    const Names jpgs = {"A.jpg", "a2.JPG", "b.jpg", "_x.jpg", "а.jpg", "Я.jpg"};
    const ListCase cases[] = {
        {"*.jpg", kAttrNormal, jpgs},
        {"*.JPG", kAttrNormal, jpgs},
        {"C:\\pics\\*.jpg", kAttrNormal, jpgs},
        {"c:/pics/*.Jpg", kAttrNormal, jpgs},
        {"?.jpg", kAttrNormal, {"A.jpg", "b.jpg", "а.jpg", "Я.jpg"}},
        {"я.JPG", kAttrNormal, {"Я.jpg"}},
        {"A*", kAttrNormal, {"A.jpg", "a2.JPG"}},
        {"*.txt", kAttrNormal, {"notes.txt"}},
        {"*.gif", kAttrNormal, {}},
        {"*.", kAttrNormal, {"noext"}},
        {"*.*",
         kAttrNormal,
         {"A.jpg", "a2.JPG", "b.jpg", "noext", "notes.txt", "_x.jpg", "а.jpg", "Я.jpg"}},
        // Folders come with attribute 16 only, "." and ".." first below a root.
        {"*.jpg",
         kAttrDirectory,
         {"A.jpg", "a2.JPG", "b.jpg", "sub2.jpg", "_x.jpg", "а.jpg", "Я.jpg"}},
        {"*",
         kAttrDirectory,
         {".", "..", "A.jpg", "a2.JPG", "b.jpg", "noext", "notes.txt", "Sub", "sub2.jpg", "_x.jpg",
          "а.jpg", "Я.jpg"}},
        {"s*", kAttrDirectory, {"Sub", "sub2.jpg"}},
        {"C:\\pics\\",
         kAttrNormal,
         {"A.jpg", "a2.JPG", "b.jpg", "noext", "notes.txt", "_x.jpg", "а.jpg", "Я.jpg"}},
        {"Sub\\*.jpg", kAttrNormal, {"inner.jpg"}},
        {"..\\*.jpg", kAttrNormal, {"top.jpg"}},
        {"\\*", kAttrDirectory, {"pics", "top.jpg"}}, // a root: no "." and ".."
        {"C:\\*", kAttrDirectory, {"pics", "top.jpg"}},
        {"C:\\nowhere\\*", kAttrDirectory, {}},
        {"C:\\top.jpg\\*", kAttrDirectory, {}}, // a file is not a folder
        {"E:\\*", kAttrDirectory, {}},          // not ready
        {"Q:\\*", kAttrDirectory, {}},          // no such drive
    };
    ASSERT_TRUE(fs_.chDir("C:\\pics").ok());
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.pattern << " attributes " << c.attributes);
        EXPECT_EQ(listAll(fs_, c.pattern, c.attributes), c.expected);
    }
}

TEST_F(Drives, ContinuedListingEndsWithEmptyNames) {
    EXPECT_EQ(fs_.dir(), ""); // none under way
    EXPECT_EQ(fs_.dir("C:\\pics\\A*"), "A.jpg");
    EXPECT_EQ(fs_.dir(), "a2.JPG");
    EXPECT_EQ(fs_.dir(), "");
    EXPECT_EQ(fs_.dir(), "");
    // A new pattern starts over; one with no match ends what was under way.
    EXPECT_EQ(fs_.dir("C:\\pics\\*.jpg"), "A.jpg");
    EXPECT_EQ(fs_.dir("C:\\pics\\*.gif"), "");
    EXPECT_EQ(fs_.dir(), "");
}

TEST_F(Drives, ListingIsASnapshotOfTheFirstCall) {
    EXPECT_EQ(fs_.dir("C:\\pics\\*.jpg"), "A.jpg");
    touch(c_ + "/pics/aa.jpg");
    std::filesystem::remove(c_ + "/pics/b.jpg");
    EXPECT_EQ(fs_.dir(), "a2.JPG");
    EXPECT_EQ(fs_.dir(), "b.jpg");
    // The folder vanishing under a listing does not end it either.
    std::filesystem::remove_all(c_ + "/pics");
    EXPECT_EQ(listAll(fs_, "C:\\pics\\*.jpg", kAttrNormal), Names{});
}

TEST_F(Drives, OddEntriesArePassedOver) {
    const std::string odd = tmp_.mkdir("c/odd");
    touch(odd + "/real.jpg");
    ASSERT_EQ(::mkfifo((odd + "/fifo.jpg").c_str(), 0600), 0);
    std::filesystem::create_symlink("fifo.jpg", odd + "/fifolink.jpg");
    std::filesystem::create_symlink("real.jpg", odd + "/link.jpg");
    std::filesystem::create_symlink("loop.jpg", odd + "/loop.jpg"); // a link to itself
    std::filesystem::create_symlink("ping.jpg", odd + "/pong.jpg"); // two links in a ring
    std::filesystem::create_symlink("pong.jpg", odd + "/ping.jpg");
    std::filesystem::create_symlink("gone.jpg", odd + "/broken.jpg"); // points at nothing
    std::filesystem::create_symlink("loopdir", odd + "/loopdir");
    std::filesystem::create_symlink(c_ + "/pics", odd + "/linkdir");
    touch(odd + "/bad\xff.jpg");     // not valid UTF-8
    touch(odd + "/back\\slash.jpg"); // cannot stand in a drive path
    touch(odd + "/.hidden.jpg");     // dot files are ordinary files here

    EXPECT_EQ(listAll(fs_, "C:\\odd\\*.jpg", kAttrNormal),
              (Names{".hidden.jpg", "link.jpg", "real.jpg"}));
    EXPECT_EQ(listAll(fs_, "C:\\odd\\*", kAttrDirectory),
              (Names{".", "..", ".hidden.jpg", "link.jpg", "linkdir", "real.jpg"}));
    EXPECT_EQ(fs_.subfolders("C:\\odd"), Names{"C:\\odd\\linkdir"});
    EXPECT_FALSE(fs_.chDir("C:\\odd\\loopdir").ok());
    EXPECT_EQ(listAll(fs_, "C:\\odd\\loopdir\\*", kAttrDirectory), Names{});
}

TEST_F(Drives, EachDriveKeepsItsCurrentDirectory) {
    struct Step {
        const char* chdir; // a chDir, or nullptr for a chDrive to `drive`
        const char* drive;
        const char* curDir;
        char current;
        const char* curDirD;
    };
    const Step steps[] = {
        {"C:\\pics", nullptr, "C:\\pics", 'C', "D:\\"},
        {"Sub", nullptr, "C:\\pics\\Sub", 'C', "D:\\"},
        {"..\\..", nullptr, "C:\\", 'C', "D:\\"},
        {"..", nullptr, "C:\\", 'C', "D:\\"}, // above a root stays at the root
        {"D:\\data", nullptr, "C:\\", 'C', "D:\\data"},
        {"D:deep", nullptr, "C:\\", 'C', "D:\\data\\deep"}, // relative to D's own directory
        {nullptr, "d:\\anything", "D:\\data\\deep", 'D', "D:\\data\\deep"},
        {"\\", nullptr, "D:\\", 'D', "D:\\"},
        {"c:\\PICS\\.\\..\\pics\\", nullptr, "D:\\", 'D', "D:\\"}, // case of names counts
        {"c:\\pics\\.\\..\\pics\\", nullptr, "D:\\", 'D', "D:\\"},
        {nullptr, "C", "C:\\pics", 'C', "D:\\"},
        {"data", nullptr, "C:\\pics", 'C', "D:\\"}, // not in C's directory: fails
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.chdir ? s.chdir : s.drive);
        if (s.chdir)
            fs_.chDir(s.chdir);
        else
            EXPECT_TRUE(fs_.chDrive(s.drive).ok());
        EXPECT_EQ(fs_.curDir(), s.curDir);
        EXPECT_EQ(fs_.currentDrive(), s.current);
        EXPECT_EQ(fs_.curDir('d'), s.curDirD);
    }
    EXPECT_EQ(fs_.curDir('Q'), "");
}

TEST_F(Drives, FailuresLeaveTheDirectoriesAlone) {
    ASSERT_TRUE(fs_.chDir("C:\\pics").ok());
    const char* bad[] = {"C:\\nowhere",      "C:\\top.jpg", "E:\\", "E:\\x", "Q:\\", "",
                         "\\\\server\\share"};
    for (const char* path : bad) {
        SCOPED_TRACE(path);
        const auto status = fs_.chDir(path);
        EXPECT_FALSE(status.ok());
        EXPECT_FALSE(status.reason().empty());
        EXPECT_EQ(fs_.curDir(), "C:\\pics");
    }
    for (const char* drive : {"E:\\", "e", "Q:", "", "1"}) {
        SCOPED_TRACE(drive);
        EXPECT_FALSE(fs_.chDrive(drive).ok());
        EXPECT_EQ(fs_.currentDrive(), 'C');
    }
    EXPECT_EQ(fs_.drives(), (std::vector<char>{'C', 'D', 'E'}));
    EXPECT_TRUE(fs_.ready('c'));
    EXPECT_FALSE(fs_.ready('E'));
    EXPECT_FALSE(fs_.ready('Q'));
    EXPECT_EQ(fs_.subfolders("E:\\"), Names{});
}

TEST_F(Drives, FolderWithoutReadPermission) {
    const std::string locked = tmp_.mkdir("c/locked");
    tmp_.mkdir("c/locked/inside");
    touch(locked + "/a.jpg");
    ASSERT_EQ(::chmod(locked.c_str(), 0), 0);
    if (::access(locked.c_str(), R_OK) == 0) {
        ::chmod(locked.c_str(), 0700);
        GTEST_SKIP() << "permissions do not bite for this user (euid " << ::geteuid() << ")";
    }
    EXPECT_FALSE(fs_.chDir("C:\\locked").ok());
    EXPECT_EQ(fs_.curDir(), "C:\\");
    EXPECT_EQ(listAll(fs_, "C:\\locked\\*", kAttrDirectory), Names{});
    EXPECT_EQ(fs_.subfolders("C:\\locked"), Names{});
    ::chmod(locked.c_str(), 0700);
}

// Whether `check` holds when run by an ordinary user: in a child process that gives up
// root's rights first when the tests run as root, so that permissions bite.
bool asOrdinaryUser(const std::function<bool()>& check) {
    if (::geteuid() != 0)
        return check();
    const pid_t child = ::fork();
    if (child == 0) {
        const bool dropped =
            ::setgroups(0, nullptr) == 0 && ::setgid(65534) == 0 && ::setuid(65534) == 0;
        ::_exit(dropped && check() ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

// Its names can be read but its files cannot be opened or looked at: listed, they would be
// a film of pictures that cannot load, and only on file systems that give entry types.
TEST_F(Drives, FolderThatCanBeReadButNotEnteredListsNothing) {
    const std::string shut = tmp_.mkdir("c/shut");
    tmp_.mkdir("c/shut/inside");
    touch(shut + "/a.jpg");
    ASSERT_EQ(::chmod(tmp_.path().c_str(), 0755), 0);
    ASSERT_EQ(::chmod(c_.c_str(), 0755), 0);
    ASSERT_EQ(::chmod(shut.c_str(), 0744), 0);
    FileSystem& fs = fs_;
    EXPECT_TRUE(asOrdinaryUser([&fs] {
        return ::access(".", F_OK) == 0 && listAll(fs, "C:\\shut\\*", kAttrDirectory).empty() &&
               fs.subfolders("C:\\shut").empty() && !fs.chDir("C:\\shut").ok() &&
               listAll(fs, "C:\\*", kAttrDirectory) == Names{"pics", "shut", "top.jpg"};
    }));
    ::chmod(shut.c_str(), 0700);
}

// A folder removed and made again while it is listed: each listing holds names that were
// there, in listing order, or nothing.
TEST_F(Drives, FolderRemovedWhileListed) {
    const std::string folder = c_ + "/going";
    const Names names = {"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg", "f.jpg"};
    std::atomic<bool> done{false};
    std::thread churn([&] {
        while (!done) {
            std::filesystem::create_directory(folder);
            for (const std::string& n : names)
                touch(folder + "/" + n);
            std::error_code ec;
            std::filesystem::remove_all(folder, ec);
        }
    });
    int seen = 0;
    for (int i = 0; i < 2000; ++i) {
        const Names listed = listAll(fs_, "C:\\going\\*.jpg", kAttrNormal);
        EXPECT_TRUE(std::is_sorted(listed.begin(), listed.end()));
        for (const std::string& n : listed)
            EXPECT_NE(std::find(names.begin(), names.end(), n), names.end()) << n;
        seen += listed.empty() ? 0 : 1;
    }
    done = true;
    churn.join();
    EXPECT_EQ(listAll(fs_, "C:\\going\\*", kAttrDirectory), Names{});
    (void)seen;
}

TEST_F(Drives, SubfoldersAsFullPathsInListingOrder) {
    tmp_.mkdir("c/pics/Яблоки");
    tmp_.mkdir("c/pics/_under");
    tmp_.mkdir("c/pics/a");
    EXPECT_EQ(fs_.subfolders("C:\\pics"),
              (Names{"C:\\pics\\a", "C:\\pics\\Sub", "C:\\pics\\sub2.jpg", "C:\\pics\\_under",
                     "C:\\pics\\Яблоки"}));
    EXPECT_EQ(fs_.subfolders("C:\\"), Names{"C:\\pics"});
    ASSERT_TRUE(fs_.chDir("C:\\pics").ok());
    EXPECT_EQ(fs_.subfolders("Sub"), Names{});
    EXPECT_EQ(fs_.subfolders("C:\\nowhere"), Names{});
}

TEST_F(Drives, PathsBetweenDriveAndHost) {
    ASSERT_TRUE(fs_.chDir("C:\\pics").ok());
    ASSERT_TRUE(fs_.chDir("D:\\data").ok());
    const std::pair<const char*, const char*> fulls[] = {
        {"c:\\A\\.\\B\\..\\C", "C:\\A\\C"},
        {"C:\\..\\..", "C:\\"},
        {"C:/A//B/", "C:\\A\\B"},
        {"x.jpg", "C:\\pics\\x.jpg"},
        {"..\\x.jpg", "C:\\x.jpg"},
        {"\\x", "C:\\x"},
        {"D:x", "D:\\data\\x"},
        {"D:", "D:\\data"},
        {"q:y", "Q:\\y"},
    };
    for (const auto& [path, expected] : fulls) {
        SCOPED_TRACE(path);
        EXPECT_EQ(fs_.full(path), std::optional<std::string>(expected));
    }
    EXPECT_EQ(fs_.full(""), std::nullopt);
    EXPECT_EQ(fs_.full("\\\\server\\share"), std::nullopt);

    EXPECT_EQ(fs_.toHost("C:\\"), c_);
    EXPECT_EQ(fs_.toHost("Sub\\inner.jpg"), c_ + "/pics/Sub/inner.jpg");
    EXPECT_EQ(fs_.toHost("d:deep"), d_ + "/data/deep");
    EXPECT_EQ(fs_.toHost("Q:\\x"), std::nullopt);

    EXPECT_EQ(fs_.fromHost(c_), "C:\\");
    EXPECT_EQ(fs_.fromHost(c_ + "/"), "C:\\");
    EXPECT_EQ(fs_.fromHost(d_ + "/data/./deep/../deep"), "D:\\data\\deep");
    EXPECT_EQ(fs_.fromHost(tmp_ / "elsewhere"), std::nullopt);
    EXPECT_EQ(fs_.fromHost(c_ + "/back\\slash"), std::nullopt);
    EXPECT_EQ(fs_.fromHost(c_ + "/bad\xff"), std::nullopt);
}

TEST_F(Drives, TheStartDirectoryBecomesCurrentWhenADriveHoldsIt) {
    const FileSystem onD(table(), d_ + "/data/deep");
    EXPECT_EQ(onD.currentDrive(), 'D');
    EXPECT_EQ(onD.curDir(), "D:\\data\\deep");
    EXPECT_EQ(onD.curDir('C'), "C:\\");

    const FileSystem elsewhere(table(), tmp_.path());
    EXPECT_EQ(elsewhere.currentDrive(), 'C');
    EXPECT_EQ(elsewhere.curDir(), "C:\\");

    DriveTable noC;
    noC.roots = {{'f', d_}, {'G', c_}};
    const FileSystem firstDrive(noC);
    EXPECT_EQ(firstDrive.currentDrive(), 'F');
    EXPECT_EQ(firstDrive.curDir(), "F:\\");
}

TEST_F(Drives, LongestRootHoldsAPath) {
    DriveTable nested;
    nested.roots = {{'C', tmp_.path()}, {'D', d_}};
    const FileSystem fs(nested);
    EXPECT_EQ(fs.fromHost(d_ + "/data"), "D:\\data");
    EXPECT_EQ(fs.fromHost(c_ + "/pics"), "C:\\c\\pics");
}

TEST(DriveTableTest, MediaBecomeFurtherDrivesInOrder) {
    testing_support::TempDir root;
    touch(root.mkdir("media/usb") + "/photo.jpg");
    root.mkdir("media/empty"); // nothing mounted there
    touch(root.mkdir("media/alice/STICK") + "/a");
    touch(root.mkdir("run/media/alice/camera") + "/b");
    touch(root.mkdir("mnt/data") + "/c");
    touch(root.mkdir("mnt/.hidden") + "/d");
    touch(root.mkdir("media/bob/other") + "/e"); // someone else's media folder
    touch(root / "mnt/file");

    const DriveTable t = DriveTable::linuxUnder(root.path(), "alice");
    const std::map<char, std::string> expected = {
        {'C', "/"},
        {'D', root / "media/alice/STICK"},
        {'E', root / "media/bob"},
        {'F', root / "media/usb"},
        {'G', root / "mnt/data"},
        {'H', root / "run/media/alice/camera"},
    };
    EXPECT_EQ(t.roots, expected);
}

TEST(DriveTableTest, SystemTableStartsWithTheRoot) {
    const DriveTable t = DriveTable::linux();
    ASSERT_FALSE(t.roots.empty());
    EXPECT_EQ(t.roots.begin()->first, 'C');
    EXPECT_EQ(t.roots.begin()->second, "/");
    char letter = 'C';
    for (const auto& [drive, root] : t.roots) {
        EXPECT_EQ(drive, letter++);
        EXPECT_FALSE(root.empty());
    }
}

} // namespace
