// The combo box of drives and special folders: filled when the dialog loads, with the text
// that names where the dialog opens; a choice goes to that drive or folder, and a choice
// that cannot be entered falls back to the drive that was current at load.
#include <exception>

#include "chooser/form4.h"
#include "forms/runtime.h"
#include "forms/strings.h"

namespace chooser {

namespace str = forms::str;

void Form4::Form_Load() {
    forms::FileSystem& files = runtime().files();
    Combo1.Clear();
    comboLast = -1;
    const int n = Drive1.ListCount();
    for (i = 0; i < n; ++i) {
        Combo1.AddItem(Drive1.List(i));
        ++comboLast;
        comboPath[static_cast<std::size_t>(comboLast)] = str::left(Drive1.List(i), 2) + "\\";
    }
    // The special folders found under the profile; a plain file of that name counts too.
    for (int k = 0; k < kSpecialFolders; ++k) {
        const std::string folder = runtime().env().get("USERPROFILE") + "\\" + specialName(k);
        if (!files.dir(folder, forms::kAttrDirectory).empty()) {
            Combo1.AddItem(specialName(k));
            ++comboLast;
            comboPath[static_cast<std::size_t>(comboLast)] = folder;
        }
    }
    sPath = placeText(Dir1.Path);
    sShow = str::ucase(Dir1.Path.get());
    Combo1.Text = sPath;
    zagr();
}

void Form4::Combo1_KeyPress(int& keyAscii) {
    // Entries are picked from the list only: nothing typed reaches the text.
    keyAscii = 0;
}

bool Form4::goToEntry(int k) {
    forms::FileSystem& files = runtime().files();
    try {
        if (k < 0 || k > 1000 || k > comboLast)
            return false;
        const std::string& target = comboPath[static_cast<std::size_t>(k)];
        if (!files.chDrive(str::left(target, 2)) || !files.chDir(target))
            return false;
        Dir1.Path = files.curDir();
        zagr();
        return true;
    } catch (const std::exception&) {
        return false;
    } catch (const forms::MissingControl&) {
        return false;
    }
}

void Form4::Combo1_Click() {
    if (!goToEntry(Combo1.ListIndex))
        comboFallback();
}

void Form4::comboFallback() {
    forms::FileSystem& files = runtime().files();
    // A failure while falling back (the drive of the load cannot be entered either) ends
    // the fallback at the nearest folder that can be shown, so it cannot go round forever.
    if (fallingBack_) {
        landNearest(files.curDir());
        return;
    }
    fallingBack_ = true;
    Drive1.refresh();
    const int k = Drive1.ListIndex;
    if (k < 0) {
        landNearest(files.curDir());
    } else if (Combo1.ListIndex != k) {
        Combo1.ListIndex = k; // runs the choice of that drive's entry
    } else if (!goToEntry(k)) {
        landNearest(files.curDir());
    }
    fallingBack_ = false;
    // The nested choice reached the drive's root: the combo shows the drive's entry.
    if (k >= 0 &&
        str::ucase(Dir1.Path.get()) == str::ucase(comboPath[static_cast<std::size_t>(k)]) &&
        files.curDir() == Dir1.Path.get()) {
        Combo1.Text = Drive1.List(k);
        zagr();
    }
}

void Form4::landNearest(const std::string& path) {
    forms::FileSystem& files = runtime().files();
    bool entered = static_cast<bool>(files.enterNearest(path));
    for (char d : files.drives())
        if (!entered)
            entered = static_cast<bool>(files.enterNearest(std::string(1, d) + ":\\"));
    // With no drive to enter at all, the dialog keeps what it shows.
    if (!entered)
        return;
    Dir1.Path = files.curDir();
    Dir1.refresh(); // the same folder may be shown again: its list is read afresh
    Combo1.Text = placeText(Dir1.Path);
    zagr();
}

} // namespace chooser
