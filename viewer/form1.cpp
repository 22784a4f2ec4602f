// The main window: its controls taken from the design by name, and the handlers bound to
// them.
#include "viewer/form1.h"

#include "forms/runtime.h"

namespace viewer {

Form1::Form1(forms::Runtime& rt, Module1& m, const forms::FormDesign& design, Variant variant)
    : forms::Form(rt, design), Check1(get<forms::CheckBox>("Check1")),
      Picture2(get<forms::PictureBox>("Picture2")), List1(get<forms::ListBox>("List1")),
      Picture1(get<forms::PictureBox>("Picture1")), Label1(get<forms::Label>("Label1")),
      Picture5(get<forms::PictureBox>("Picture5")), Picture3(tryGet<forms::PictureBox>("Picture3")),
      Image8(get<forms::Image>("Image8")), Picture6(get<forms::PictureBox>("Picture6")),
      Image12(get<forms::Image>("Image12")), Image11(get<forms::Image>("Image11")),
      Image5(get<forms::Image>("Image5")), Image6(get<forms::Image>("Image6")),
      Image3(get<forms::Image>("Image3")), Image4(get<forms::Image>("Image4")),
      Image1(get<forms::Image>("Image1")), Image7(get<forms::Image>("Image7")),
      Image9(tryGet<forms::Image>("Image9")), Image10(tryGet<forms::Image>("Image10")), m_(m),
      variant_(variant) {
    bindHandlers();
}

void Form1::bindHandlers() {
    Label1.Click = [this] { Label1_Click(); };
    List1.Click = [this] { List1_Click(); };
    Image1.Click = [this] { Image1_Click(); };
    Image1.MouseMove = [this](int, int, float, float) { Image1_MouseMove(); };
    // Only the red band closes the menu; where Image7 is a hidden photograph store it has no
    // handler.
    if (variant().sideBand)
        Image7.MouseMove = [this](int, int, float, float) { Image7_MouseMove(); };
    Image3.Click = [this] { Image3_Click(); };
    Image4.Click = [this] { Image4_Click(); };
    Image5.Click = [this] { Image5_Click(); };
    Image6.Click = [this] { Image6_Click(); };
    Check1.Click = [this] { Check1_Click(); };
    // The cover (Picture3, Image8) reacts to nothing.
}

} // namespace viewer
