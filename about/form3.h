#pragma once
#include "forms/form.h"
#include "viewer/module1.h"

namespace about {

// The About window: the program's name, the author line, the contact box, "OK" and a large
// projector photograph, laid out for the screen each time it is shown.
class Form3 final : public forms::Form {
  public:
    Form3(forms::Runtime& rt, viewer::Module1& m, const forms::FormDesign& design);

    void Form_Activate() override;
    void Command1_Click();
    void Text1_KeyPress(int& keyAscii);

    forms::CommandButton& Command1;
    forms::TextBox& Text1;
    forms::PictureBox& Picture1;
    forms::Label& Label2;
    forms::Label& Label1;
    forms::Image& Image1;

  private:
    viewer::Module1& m_;
};

} // namespace about
