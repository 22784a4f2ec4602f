#include "about/form3.h"

#include <algorithm>

#include "forms/runtime.h"

namespace about {

Form3::Form3(forms::Runtime& rt, viewer::Module1& m, const forms::FormDesign& design)
    : forms::Form(rt, design), Command1(get<forms::CommandButton>("Command1")),
      Text1(get<forms::TextBox>("Text1")), Picture1(get<forms::PictureBox>("Picture1")),
      Label2(get<forms::Label>("Label2")), Label1(get<forms::Label>("Label1")),
      Image1(get<forms::Image>("Image1")), m_(m) {
    Command1.Click = [this] { Command1_Click(); };
    Text1.KeyPress = [this](int& keyAscii) { Text1_KeyPress(keyAscii); };
}

// Places the photograph and the text column for the window's size. Every value is single
// precision, and every step reads what the previous ones left in the controls.
void Form3::Form_Activate() {
    const float w = Width;
    const float h = Height;

    // The photograph spans the width left between two side margins as wide as the author
    // line. A window narrower than both margins leaves no room: the photograph then has no
    // size rather than a negative one.
    Image1.Width = std::max(0.0f, w - 2.0f * Label2.Width);
    // The hidden box holds the photograph at its own size and gives the aspect.
    const float ratio = Picture1.Height / Picture1.Width;
    Image1.Height = Image1.Width * ratio;
    // Too tall for the window: shrink it to the window's height, keeping the aspect.
    if (Image1.Height > h) {
        const float h0 = Image1.Height;
        Image1.Height = h;
        Image1.Width = Image1.Width * (h / h0);
    }
    Image1.Left = (w - Image1.Width) / 2.0f;
    Image1.Top = (h - Image1.Height) / 2.0f;

    // The title, the author line, the contact box and the button stand one below the other,
    // centred vertically as one block.
    Label1.Top = h / 2.0f - (Label1.Height + Label2.Height + Text1.Height + Command1.Height) / 2.0f;
    Label2.Top = Label1.Top + Label1.Height;
    Text1.Top = Label2.Top + Label2.Height;
    Command1.Top = Text1.Top + Text1.Height;
}

// "OK": the window goes away; the caller's modal showing returns once this handler ends.
void Form3::Command1_Click() {
    Unload();
    m_.noResize = true;
}

// Enter in the contact box closes the window as "OK" does; any other character is typed.
void Form3::Text1_KeyPress(int& keyAscii) {
    if (keyAscii == 13)
        Command1_Click();
}

} // namespace about
