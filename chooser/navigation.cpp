// Walking the folders: up one folder, to the drive root, into a subfolder; the row icons
// kept in step with the list's selection and scrolling.
#include "chooser/form4.h"
#include "forms/runtime.h"
#include "forms/strings.h"

namespace chooser {

namespace str = forms::str;

void Form4::moveTo(const std::string& path, const std::string& comboText, bool changeDrive) {
    forms::FileSystem& files = runtime().files();
    Combo1.Text = comboText;
    if ((changeDrive && !files.chDrive(str::left(path, 2))) || !files.chDir(path)) {
        // The folder cannot be entered (removed, refused, a medium taken out): show the
        // nearest one that can, afresh, with everything naming it.
        landNearest(path);
        return;
    }
    Dir1.Path = path;
    runtime().doEvents();
    zagr();
}

void Form4::Label3_Click(int /*index*/) {
    // Up one folder: X:\A\B to X:\A, X:\A to X:\; a root stays.
    sPath = Dir1.Path;
    while (!sPath.empty() && str::mid(sPath, str::len(sPath), 1) != "\\")
        sPath = str::left(sPath, str::len(sPath) - 1);
    if (str::mid(sPath, str::len(sPath), 1) == "\\" && str::len(sPath) > 3)
        sPath = str::left(sPath, str::len(sPath) - 1);
    // From the top of a special folder the step up leads straight to the drive root.
    if (isSpecialName(Label3(0).Caption))
        sPath = str::left(Dir1.Path.get(), 2) + "\\";
    const std::string text = Combo1.Text;
    if (beginsWithSpecialName(text) && str::len(sPath) > 3 &&
        text.find('\\') != std::string::npos) {
        sShow = text;
        while (!sShow.empty() && str::mid(sShow, str::len(sShow), 1) != "\\")
            sShow = str::left(sShow, str::len(sShow) - 1);
        sShow = str::left(sShow, str::len(sShow) - 1);
    } else {
        // Outside special folders, and for a text that names a special-looking folder
        // alone (nothing to cut back to), the combo shows the new folder's path.
        sShow = sPath;
    }
    moveTo(sPath, sShow, false);
}

void Form4::Picture7_Click() {
    Label3_Click(0);
}

void Form4::Picture9_Click() {
    const std::string text = Combo1.Text;
    if (str::mid(text, 2, 1) == ":") {
        sPath = str::left(text, 2) + "\\";
        moveTo(sPath, sPath, true);
    } else {
        Picture7_Click();
    }
}

void Form4::List1_DblClick() {
    const std::string name = List1.Text();
    if (name.empty())
        return;
    if (variant_.hideOpenButtonFirst)
        Command3.Visible = false;
    const std::string path = Dir1.Path;
    sPath = str::len(path) == 3 ? path + name : path + "\\" + name;
    if (isSpecialName(Label3(0).Caption))
        sShow = Label3(0).Caption.get() + "\\" + name;
    else if (beginsWithSpecialName(Combo1.Text))
        sShow = Combo1.Text.get() + "\\" + name;
    else
        sShow = sPath;
    moveTo(sPath, sShow, true);
}

void Form4::Picture3_Click(int index) {
    if (index < 0 || index >= Picture3.Count())
        return;
    List1.ListIndex = index + List1.TopIndex;
    for (i = 0; i < Picture3.Count(); ++i)
        Picture3(i).BorderStyle = 0;
    Picture3(index).BorderStyle = 1;
    Command3.Visible = true;
}

void Form4::List1_Click() {
    Picture3_Click(List1.ListIndex - List1.TopIndex);
}

void Form4::Picture3_DblClick(int index) {
    List1.setText(List1.List(index + List1.TopIndex));
    List1_DblClick();
}

void Form4::List1_Scroll() {
    for (i = 0; i < Picture3.Count(); ++i)
        Picture3(i).BorderStyle = 0;
    List1.ListIndex = -1;
}

} // namespace chooser
