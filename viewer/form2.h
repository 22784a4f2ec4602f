#pragma once
#include <cstdint>

#include "forms/form.h"
#include "viewer/module1.h"

namespace viewer {

// The full-screen window: the current frame alone on the screen, fitted or at its own size,
// free or frozen in its rectangle.
class Form2 final : public forms::Form {
  public:
    Form2(forms::Runtime& rt, Module1& m, const forms::FormDesign& design);

    // Loads the current frame and lays Image1 out for it in the current mode.
    void razmer();

    void Form_Activate() override;
    void Form_KeyDown(int& keyCode, int shift) override;
    void Form_KeyUp(int& keyCode, int shift) override;

    forms::PictureBox& Picture1; // measuring box
    forms::Image& Image1;        // what the user sees

    std::int32_t fixedSize = 0;
    std::int32_t realSize = 0;
    std::int32_t keyHeld = 0;

  private:
    Module1& m_;
};

} // namespace viewer
