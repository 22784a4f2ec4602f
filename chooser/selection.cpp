// Choosing the film: a preview, its name or the panel selects the folder on view; "OK" and
// the double clicks accept it, "Отмена" and the close box refuse. The answer is the chosen
// preview's file name in Label2, "" for a refusal; the folder is the current directory.
#include "chooser/form4.h"
#include "forms/runtime.h"

namespace chooser {

void Form4::Image1_Click(int index) {
    for (i = 0; i < Image1.Count(); ++i)
        Image1(i).BorderStyle = 1;
    Command1.Visible = true;
    selFrame = index;
    Picture1.BorderStyle = 1;
    if (variant_.backdropAlways) {
        Picture4.BorderStyle = 1;
        Picture4.BackColor = variant_.selectedBackdrop;
    } else {
        Picture4.Visible = true;
    }
}

void Form4::Label1_Click(int index) {
    Image1_Click(index);
}

void Form4::Picture1_Click() {
    if (Image1(0).Visible)
        Image1_Click(0);
}

// The click before the double click has already selected the same preview.
void Form4::Image1_DblClick(int /*index*/) {
    Command1_Click();
}

void Form4::Label1_DblClick(int /*index*/) {
    Command1_Click();
}

void Form4::Picture1_DblClick() {
    if (Image1(0).Visible)
        Command1_Click();
}

void Form4::Command1_Click() {
    const auto index = static_cast<std::int16_t>(selFrame);
    if (index < 0 || index >= Label1.Count())
        return;
    Label2.Caption = Label1(index).Caption;
    Hide();
}

void Form4::Command2_Click() {
    Label2.Caption = "";
    m_.noResize = true;
    Hide();
}

void Form4::Command3_Click() {
    List1_DblClick();
    Command3.Visible = false;
}

void Form4::Form_Unload() {
    m_.noResize = true;
}

} // namespace chooser
