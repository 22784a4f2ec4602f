#pragma once
// Films for the windows' tests: fixture pictures of given own sizes in a folder of drive C:,
// opened as the user opens them, through the menu's "Открыть" and the chooser's own
// controls.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "chooser/form4.h"
#include "editions/kadroskop/kadroskop.h"
#include "editions/lampionika/lampionika.h"
#include "forms/runtime.h"
#include "tests/behaviour/world.h"
#include "viewer/form1.h"

namespace viewer_film {

using testing_support::World;

struct EditionCase {
    const char* name;
    const editions::Edition& (*edition)();
};
inline const EditionCase kBothEditions[] = {{"Kadroskop", &editions::kadroskop},
                                            {"Lampionika", &editions::lampionika}};

// A frame's file and the own size the measuring box reports for it (twips, border included).
struct Pic {
    std::string name;
    float w, h;
};

// Writes (or rewrites) one picture of the given measured size into C:\<folder>.
inline void writePic(World& w, const std::string& folder, const Pic& p,
                     std::uint32_t rgb = 0x406080) {
    const std::string dir = w.disk.mkdir(folder);
    testing_support::writePicture(dir + "/" + p.name, testing_support::pixelsForMeasured(p.w),
                                  testing_support::pixelsForMeasured(p.h), rgb);
}

// Writes the pictures into C:\<folder>.
inline void writeFolder(World& w, const std::string& folder, const std::vector<Pic>& pics) {
    w.disk.mkdir(folder);
    std::uint32_t rgb = 0x203040;
    for (const Pic& p : pics) {
        writePic(w, folder, p, rgb);
        rgb += 0x101010;
    }
}

// Opens C:\\<folder>, whose pictures are written already, as the user does: "Открыть" in the
// menu, the folder walked to and accepted in the chooser. Starts the program first when it
// is not running.
viewer::Form1& openThroughMenu(World& w, const std::string& folder);

// Writes the pictures into C:\\<folder> and opens it as a film through the menu and the
// chooser: frame 1 laid out fitted and on show. The film lists the pictures in the order
// the folder's listing gives, "*.jpg" first.
inline viewer::Form1& openFilm(World& w, const std::vector<Pic>& pics,
                               const std::string& folder = "film") {
    writeFolder(w, folder, pics);
    return openThroughMenu(w, folder);
}

// The host file a picture was read from, "(none)" for no picture.
inline std::string sourceOf(const forms::Picture& p) {
    return p ? p->source() : std::string("(none)");
}
inline std::string hostFile(World& w, const std::string& folder, const std::string& name) {
    return w.disk / (folder + "/" + name);
}

// The user in the chooser: steps from where it stands to the root of the drive, then into
// each folder of `path` ("C:\\film\\deeper") by double clicks on the list's rows.
inline void walkTo(World& w, chooser::Form4& f4, const std::string& path) {
    if (path.size() < 3 || path[1] != ':')
        throw std::runtime_error("not a drive path: " + path);
    // The drive's entry in the combo box, then down level by level.
    const std::string drive = std::string(1, static_cast<char>(std::tolower(path[0]))) + ":";
    int entry = -1;
    for (int k = 0; k < f4.Combo1.ListCount(); ++k)
        if (f4.Combo1.List(k).rfind(drive, 0) == 0)
            entry = k;
    if (entry < 0)
        throw std::runtime_error("the chooser has no drive " + drive);
    w.rt.clickItem(f4.Combo1, entry);
    std::string rest = path.substr(3);
    while (!rest.empty()) {
        const auto cut = rest.find('\\');
        const std::string name = rest.substr(0, cut);
        rest = cut == std::string::npos ? std::string() : rest.substr(cut + 1);
        int row = -1;
        for (int k = 0; k < f4.List1.ListCount(); ++k)
            if (f4.List1.List(k) == name)
                row = k;
        if (row < 0)
            throw std::runtime_error("the chooser lists no folder " + name);
        w.rt.doubleClickItem(f4.List1, row);
    }
}

// While the chooser is up, `user` plays the user; a dialog it leaves open is cancelled.
inline void whileChooserIsUp(World& w, std::function<void(chooser::Form4&)> user) {
    w.host.modalScripts["Form4"] = [&w, user](forms::Form& f) {
        auto& f4 = dynamic_cast<chooser::Form4&>(f);
        user(f4);
        if (f4.state() == forms::FormState::Loaded && f4.visible())
            w.rt.click(f4.Command2);
    };
}

// The user walks to C:\<folder> and accepts it: a click on the first preview, then "OK".
inline void chooserAccepts(World& w, const std::string& folder) {
    whileChooserIsUp(w, [&w, folder](chooser::Form4& f4) {
        walkTo(w, f4, "C:\\" + folder);
        w.rt.click(f4.Image1(0));
        w.rt.click(f4.Command1);
    });
}

// The user walks to `place` (a drive path), then cancels, or closes the dialog with its
// close box.
inline void chooserRefuses(World& w, const std::string& place, bool closeBox) {
    whileChooserIsUp(w, [&w, place, closeBox](chooser::Form4& f4) {
        walkTo(w, f4, place);
        if (closeBox)
            w.rt.closeBox(f4);
        else
            w.rt.click(f4.Command2);
    });
}

// The menu's row holding `item`, -1 when it has none.
inline int menuRow(const viewer::Form1& f1, const std::string& item) {
    for (int i = 0; i < f1.List1.ListCount(); ++i)
        if (f1.List1.List(i) == item)
            return i;
    return -1;
}

// Opens the menu and chooses `item`, as the user does.
inline void choose(World& w, const std::string& item) {
    auto& f1 = w.form<viewer::Form1>("Form1");
    w.rt.click(f1.Label1);
    const int row = menuRow(f1, item);
    if (row < 0)
        throw std::runtime_error("the menu has no " + item);
    w.rt.clickItem(f1.List1, row);
}

inline viewer::Form1& openThroughMenu(World& w, const std::string& folder) {
    if (!w.rt.isLoaded("Form1") || !w.rt.form("Form1").visible())
        w.start();
    chooserAccepts(w, folder);
    choose(w, "Открыть");
    if (w.files.curDir() != "C:\\" + folder)
        throw std::runtime_error("the chooser did not open " + folder);
    return w.form<viewer::Form1>("Form1");
}

} // namespace viewer_film
