#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "forms/form.h"
#include "viewer/module1.h"
#include "viewer/variant.h"

namespace viewer {

// The main window: the menu, the frame window with its sliding strip, the side picture and
// the image buttons.
class Form1 final : public forms::Form {
  public:
    Form1(forms::Runtime& rt, Module1& m, const forms::FormDesign& design, Variant variant);

    // Lays the frame window, the strip and the side picture out for the current frame.
    void razmer();
    // Shows the current frame full screen; lays the window out again afterwards.
    void fuls();

    void Form_Load() override;
    void Form_Resize() override;
    void Form_KeyDown(int& keyCode, int shift) override;
    void Form_KeyUp(int& keyCode, int shift) override;
    void Form_MouseMove(int button, int shift, float x, float y) override;

    void Label1_Click();
    void List1_Click();
    void Image1_Click();
    void Image1_MouseMove();
    void Image7_MouseMove();
    void Image3_Click(); // previous frame
    void Image4_Click(); // next frame
    void Image5_Click(); // own size
    void Image6_Click(); // fitted
    void Check1_Click();

    // Controls. Picture3 (the cover) exists only with a cover; Image9 and Image10 only with
    // the position photographs.
    forms::CheckBox& Check1;
    forms::PictureBox& Picture2;
    forms::ListBox& List1;
    forms::PictureBox& Picture1;
    forms::Label& Label1;
    forms::PictureBox& Picture5;
    forms::PictureBox* Picture3;
    forms::Image& Image8;
    forms::PictureBox& Picture6;
    forms::Image& Image12;
    forms::Image& Image11;
    forms::Image& Image5;
    forms::Image& Image6;
    forms::Image& Image3;
    forms::Image& Image4;
    forms::Image& Image1;
    forms::Image& Image7;
    forms::Image* Image9;
    forms::Image* Image10;

    // Window state.
    std::array<std::string, 4> fileMask; // 1 to 3 used
    double picW = 0, picH = 0;           // own size the layout was last made for
    bool fitMode = false;                // fit the picture into the fit area
    double areaW = 0, areaH = 0;         // the fit area, from the one-time layout
    std::int32_t keyHeld = 0;            // the paging keys' latch
    double pos = 0, posEnd = 0;          // the running and far position of a slide

    const Variant& variant() const { return variant_; }
    Module1& module() const { return m_; }

    // Builds the film from the current directory, as an accepted opening does once the
    // chooser has left its folder current; false (and nothing changed) when the directory
    // holds no picture.
    bool openFilm();

  private:
    void bindHandlers();
    // The photograph the side picture shows for the current position (Image7..Image10).
    void applySidePicture();
    // Frame n of the film read from its file; no picture when it is missing or unreadable.
    forms::Picture loadFrame(int n) const;

    // Paging (form1_paging.cpp).
    void placeStrip(double p);
    void slideLoop(double start, double end, double step, bool uncover);
    void sizeCheck();
    void settleStrip();
    double stripExtent() const;
    void raiseCover();
    int slideDepth_ = 0; // slides under way, nested ones included

    bool ownSizeKnown_ = false; // Picture2 has measured a real picture at least once

    Module1& m_;
    Variant variant_;
};

} // namespace viewer
