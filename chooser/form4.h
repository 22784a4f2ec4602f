#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "chooser/variant.h"
#include "forms/form.h"
#include "viewer/module1.h"

namespace chooser {

// The film chooser: walks drives, the profile's documents and desktop folders and their
// subfolders, previews the first four pictures of the folder on view, and hands the accepted
// folder back as the process's current directory, with the chosen preview's file name in
// the hidden Label2 ("" for a refusal).
class Form4 final : public forms::Form {
  public:
    Form4(forms::Runtime& rt, viewer::Module1& m, const forms::FormDesign& design, Variant variant);

    // Fills the dialog from the folder on view (Dir1.Path, the current directory).
    void zagr();

    void Form_Load() override;
    void Form_Unload() override;
    void Combo1_Click();
    void Combo1_KeyPress(int& keyAscii);
    void Command1_Click(); // "OK"
    void Command2_Click(); // "Отмена"
    void Command3_Click(); // "открыть папку"
    void Image1_Click(int index);
    void Image1_DblClick(int index);
    void Label1_Click(int index);
    void Label1_DblClick(int index);
    void Label3_Click(int index);
    void List1_Click();
    void List1_DblClick();
    void List1_Scroll();
    void Picture1_Click();
    void Picture1_DblClick();
    void Picture3_Click(int index);
    void Picture3_DblClick(int index);
    void Picture7_Click();
    void Picture9_Click();

    forms::CommandButton& Command3;
    forms::PictureBox& Picture11;
    forms::PictureBox& Picture10;
    forms::PictureBox& Picture9;
    forms::PictureBox& Picture8;
    forms::PictureBox& Picture6;
    forms::PictureBox& Picture5;
    forms::PictureBox& Picture2;
    forms::PictureBox& Picture7;
    forms::ListBox& List1;
    forms::ControlArray<forms::PictureBox> Picture3;
    forms::ControlArray<forms::Label> Label3;
    forms::ComboBox& Combo1;
    forms::CommandButton& Command2;
    forms::CommandButton& Command1;
    forms::DriveListBox& Drive1;
    forms::DirListBox& Dir1;
    forms::PictureBox& Picture1;
    forms::ControlArray<forms::Label> Label1;
    forms::ControlArray<forms::Image> Image1;
    forms::PictureBox& Picture4;
    forms::Label& Label2;

    // The dialog's variables.
    std::array<std::string, 4> fileMask; // 1 to 3 used
    std::int32_t slotNo = -1;
    std::int32_t i = 0;
    std::int32_t selFrame = 0;
    std::array<std::string, 1001> comboPath;
    std::int32_t comboLast = -1;
    std::string sPath;
    std::string sShow;

    const Variant& variant() const { return variant_; }

  private:
    void bindHandlers();
    // Goes to entry k of the combo box; false when that fails anywhere on the way.
    bool goToEntry(int k);
    // The combo box's fallback: the root of the drive that was current when the dialog was
    // loaded.
    void comboFallback();
    // Shows the nearest folder that can be entered, from `path` upwards (then the roots of
    // the drives), with the combo text, Dir1 and the current directory naming it.
    void landNearest(const std::string& path);
    // A step to another folder: the combo text, the current drive (when `changeDrive`) and
    // directory, Dir1, pending events, the view. A folder that cannot be entered shows the
    // nearest one that can.
    void moveTo(const std::string& path, const std::string& comboText, bool changeDrive);

    viewer::Module1& m_;
    Variant variant_;
    bool fallingBack_ = false;
};

// The special folders of the profile, in the order they are probed and listed:
// "Мои документы", "My documents", "Рабочий стол", "Desktop".
inline constexpr int kSpecialFolders = 4;
const char* specialName(int k);

// The combo text for a folder: the path from its first special-folder name on ("Desktop\\Trip"
// for C:\\Users\\U\\Desktop\\Trip), or the whole path when it holds none.
std::string placeText(const std::string& path);
// Whether a text begins with one of the four special-folder names, or is one of them.
bool beginsWithSpecialName(const std::string& text);
bool isSpecialName(const std::string& text);

} // namespace chooser
