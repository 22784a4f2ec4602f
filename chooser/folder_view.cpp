// The folder view: the folder's name row, its subfolders with their row icons, the first four
// pictures as previews, and the icon beside the combo box. Rebuilt from scratch for every
// folder; whatever was selected before is withdrawn.
#include "chooser/form4.h"
#include "forms/runtime.h"
#include "forms/strings.h"

namespace chooser {

namespace str = forms::str;

void Form4::zagr() {
    Label3(0).Visible = false;
    for (i = 0; i <= 7; ++i) {
        Picture3(i).Visible = false;
        Picture3(i).BorderStyle = 0;
    }
    Picture7.Visible = false;
    Picture7.BorderStyle = 0;
    List1.ToolTipText = "";
    if (variant_.backdropAlways) {
        Picture4.Visible = true;
        Picture4.BorderStyle = 0;
        Picture4.BackColor = 0x00000000u;
    }

    // The name row: the folder's own name with the up icon, or the drive path at a root.
    const std::string path = Dir1.Path;
    if (str::len(path) > 3) {
        sShow = "";
        for (i = static_cast<std::int32_t>(str::len(path)); i >= 1; --i) {
            const std::string ch = str::mid(path, i, 1);
            if (ch == "\\")
                break;
            sShow = ch + sShow;
        }
        Picture7.Picture = Picture5.Picture;
        Picture7.Visible = true;
        Label3(0).Caption = sShow;
        Label3(0).Visible = true;
    } else {
        Picture7.Picture = Picture8.Picture;
        Picture7.Visible = true;
        Label3(0).Caption = path;
        Label3(0).Visible = true;
    }

    // The subfolders, with a folder icon beside each of the first eight.
    slotNo = -1;
    List1.Clear();
    List1.setText("");
    for (i = 0; i < Dir1.ListCount(); ++i) {
        sPath = str::mid(Dir1.List(i), str::len(path) + 1);
        if (str::left(sPath, 1) == "\\")
            sPath = str::mid(sPath, 2);
        List1.ToolTipText = "DblClick открыть";
        List1.AddItem(sPath);
        if (slotNo < 7) {
            ++slotNo;
            Picture3(slotNo).Picture = Picture6.Picture;
            Picture3(slotNo).Visible = true;
        }
    }

    fileMask = {"", "*.jpg", "*.bmp", "*.gif"};
    for (i = 0; i <= 3; ++i) {
        Image1(i).BorderStyle = 0;
        Image1(i).Visible = false;
        Label1(i).Visible = false;
    }
    Command1.Visible = false;
    Command3.Visible = false;
    Picture1.BorderStyle = 0;
    if (!variant_.backdropAlways)
        Picture4.Visible = false;
    Label2.Caption = "";

    // The previews: the first four pictures, every "*.jpg" in listing order, then "*.bmp",
    // then "*.gif". A file that cannot be read as a picture keeps its place with its name
    // over an empty preview, as the film will hold it as an empty frame.
    forms::FileSystem& files = runtime().files();
    slotNo = -1;
    for (i = 1; i <= 3 && slotNo < 3; ++i) {
        for (sPath = files.dir(fileMask[static_cast<std::size_t>(i)], forms::kAttrNormal);
             !sPath.empty(); sPath = files.dir()) {
            ++slotNo;
            auto picture = runtime().loadPicture(sPath);
            Image1(slotNo).Picture = picture ? picture.value() : nullptr;
            Label1(slotNo).Caption = sPath;
            Image1(slotNo).Visible = true;
            Label1(slotNo).Visible = true;
            if (slotNo == 3)
                break;
        }
    }

    // The icon beside the combo box: drive, documents or desktop by the combo's text; any
    // other text keeps the icon it has.
    const std::string text = Combo1.Text;
    if (str::mid(text, 2, 1) == ":")
        Picture9.Picture = Picture8.Picture;
    else if (str::left(text, 13) == "Мои документы" || str::left(text, 12) == "My documents")
        Picture9.Picture = Picture10.Picture;
    else if (str::left(text, 12) == "Рабочий стол" || str::left(text, 7) == "Desktop")
        Picture9.Picture = Picture11.Picture;
}

} // namespace chooser
