// The chooser's controls taken from the design, the handlers bound to them, and the special
// folders' names the other parts share.
#include "chooser/form4.h"

#include "forms/runtime.h"
#include "forms/strings.h"

namespace chooser {

namespace {

// The special folders, in the order they are probed, appended and searched for, and their
// keys as they are searched in an upper-cased path.
struct Special {
    const char* name;
    const char* key;
};
constexpr Special kSpecial[kSpecialFolders] = {{"Мои документы", "МОИ ДОКУМЕНТЫ"},
                                               {"My documents", "MY DOCUMENTS"},
                                               {"Рабочий стол", "РАБОЧИЙ СТОЛ"},
                                               {"Desktop", "DESKTOP"}};

} // namespace

const char* specialName(int k) {
    return kSpecial[k].name;
}

std::string placeText(const std::string& path) {
    // The key that occurs first in the path decides: the text then names the outermost
    // special folder and every level below it.
    const std::string upper = forms::str::ucase(path);
    long at = 0;
    for (const Special& s : kSpecial) {
        const long p = forms::str::instr(upper, s.key);
        if (p > 0 && (at == 0 || p < at))
            at = p;
    }
    return at > 0 ? forms::str::mid(path, at) : path;
}

bool beginsWithSpecialName(const std::string& text) {
    for (const Special& s : kSpecial)
        if (forms::str::left(text, forms::str::len(s.name)) == s.name)
            return true;
    return false;
}

bool isSpecialName(const std::string& text) {
    for (const Special& s : kSpecial)
        if (text == s.name)
            return true;
    return false;
}

Form4::Form4(forms::Runtime& rt, viewer::Module1& m, const forms::FormDesign& design,
             Variant variant)
    : forms::Form(rt, design), Command3(get<forms::CommandButton>("Command3")),
      Picture11(get<forms::PictureBox>("Picture11")),
      Picture10(get<forms::PictureBox>("Picture10")), Picture9(get<forms::PictureBox>("Picture9")),
      Picture8(get<forms::PictureBox>("Picture8")), Picture6(get<forms::PictureBox>("Picture6")),
      Picture5(get<forms::PictureBox>("Picture5")), Picture2(get<forms::PictureBox>("Picture2")),
      Picture7(get<forms::PictureBox>("Picture7")), List1(get<forms::ListBox>("List1")),
      Picture3(array<forms::PictureBox>("Picture3")), Label3(array<forms::Label>("Label3")),
      Combo1(get<forms::ComboBox>("Combo1")), Command2(get<forms::CommandButton>("Command2")),
      Command1(get<forms::CommandButton>("Command1")), Drive1(get<forms::DriveListBox>("Drive1")),
      Dir1(get<forms::DirListBox>("Dir1")), Picture1(get<forms::PictureBox>("Picture1")),
      Label1(array<forms::Label>("Label1")), Image1(array<forms::Image>("Image1")),
      Picture4(get<forms::PictureBox>("Picture4")), Label2(get<forms::Label>("Label2")), m_(m),
      variant_(variant) {
    bindHandlers();
}

void Form4::bindHandlers() {
    Combo1.Click = [this] { Combo1_Click(); };
    Combo1.KeyPress = [this](int& keyAscii) { Combo1_KeyPress(keyAscii); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    Command3.Click = [this] { Command3_Click(); };
    Image1.onClick([this](int index) { Image1_Click(index); });
    Image1.onDblClick([this](int index) { Image1_DblClick(index); });
    Label1.onClick([this](int index) { Label1_Click(index); });
    Label1.onDblClick([this](int index) { Label1_DblClick(index); });
    Label3.onClick([this](int index) { Label3_Click(index); });
    List1.Click = [this] { List1_Click(); };
    List1.DblClick = [this] { List1_DblClick(); };
    List1.Scroll = [this] { List1_Scroll(); };
    Picture1.Click = [this] { Picture1_Click(); };
    Picture1.DblClick = [this] { Picture1_DblClick(); };
    Picture3.onClick([this](int index) { Picture3_Click(index); });
    Picture3.onDblClick([this](int index) { Picture3_DblClick(index); });
    Picture7.Click = [this] { Picture7_Click(); };
    Picture9.Click = [this] { Picture9_Click(); };
}

} // namespace chooser
