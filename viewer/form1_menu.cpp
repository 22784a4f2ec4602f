// The main window's start-up and menu: the menu list shown by "Файл" and hidden by the mouse,
// its four commands, and the building of a film from the folder the chooser accepted.
#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "forms/runtime.h"
#include "viewer/form1.h"

namespace viewer {

namespace {

const char* const kOpen = "Открыть";
const char* const kFullScreen = "На полный экран  Insert";
const char* const kAbout = "О программе";
const char* const kExit = "Выход";

} // namespace

void Form1::Form_Load() {
    List1.Clear();
    List1.AddItem(kOpen);
    List1.AddItem(kAbout);
    List1.AddItem(kExit);
    List1.Visible = false;
}

void Form1::Label1_Click() {
    List1.Visible = true;
}

// The window's own surface, the projector photograph and (with a band) the red band close
// the menu; the mouse's buttons and position do not matter.
void Form1::Form_MouseMove(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {
    List1.Visible = false;
}

void Form1::Image1_Click() {
    List1.Visible = false;
}

void Form1::Image1_MouseMove() {
    List1.Visible = false;
}

void Form1::Image7_MouseMove() {
    List1.Visible = false;
}

void Form1::List1_Click() {
    // The selected text is read again before each test: a command may rebuild the list.
    if (List1.Text() == kExit) {
        runtime().end();
    } else if (List1.Text() == kFullScreen) {
        fuls(); // hides the menu itself
    } else if (List1.Text() == kAbout) {
        runtime().form("Form3").ShowModal();
        List1.Visible = false;
    } else if (List1.Text() == kOpen) {
        List1.Visible = false;
        forms::FileSystem& files = runtime().files();
        const std::string saved = files.curDir();
        runtime().form("Form4").ShowModal();
        // After the close box the chooser is gone; reading its label loads it afresh,
        // unseen, and gives "".
        const std::string answer =
            runtime().form("Form4").get<forms::Label>("Label2").Caption.get();
        runtime().form("Form4").Unload();
        // An empty answer is a refusal; a folder that holds no picture any more (they were
        // removed after the chooser showed them) counts as one too. Both put the drive and
        // directory back and keep the open film. A saved folder that has gone meanwhile
        // gives way to its nearest parent that is still there.
        if (answer.empty() || !openFilm())
            (void)files.enterNearest(saved);
    }
}

bool Form1::openFilm() {
    forms::FileSystem& files = runtime().files();
    // The folder is listed before anything of the old film is touched, so that a folder
    // without pictures can leave it whole. The steps below do not touch the disk's
    // listing, so the names are those the listing would give at their place.
    const std::array<std::string, 4> masks = {"", "*.jpg", "*.bmp", "*.gif"};
    std::vector<std::string> names;
    for (std::size_t k = 1; k <= 3; ++k)
        for (std::string name = files.dir(masks[k], forms::kAttrNormal); !name.empty();
             name = files.dir())
            names.push_back(name);
    if (names.empty())
        return false;

    List1.Clear();
    List1.AddItem(kOpen);
    List1.AddItem(kFullScreen);
    List1.AddItem(kAbout);
    List1.AddItem(kExit);

    Image3.Visible = false;
    Image4.Visible = false;
    Image5.Visible = false;
    Image6.Visible = false;
    Check1.Visible = false;
    // When the box was ticked this runs its click reaction now, for the old film's current
    // frame looked for in the new folder; a frame missing there is laid out as an empty
    // frame. Everything it sets is set again below.
    Check1.Value = 0;

    m_.frameFile.assign(1, std::string());
    m_.curFrame = 0;
    fileMask = masks;
    m_.frameFile.insert(m_.frameFile.end(), names.begin(), names.end());
    m_.frameCount = static_cast<std::int32_t>(names.size());
    m_.curFrame = 1;

    // A first frame that cannot be read leaves the measuring box at its last size.
    Picture2.Picture = loadFrame(1);
    picH = Picture2.Height;
    picW = Picture2.Width;
    fitMode = true;
    Picture5.BackColor = 0x00000000u;
    Image5.Visible = true;
    Image6.Visible = true;
    Check1.Visible = true;
    if (m_.frameCount > m_.curFrame)
        Image4.Visible = true;
    razmer();
    Picture6.Visible = true;
    Image11.Picture = loadFrame(m_.curFrame);
    return true;
}

} // namespace viewer
