// The full-screen window: the current frame alone on the screen, fitted with its aspect or at
// its own size, free or frozen in its rectangle; PageUp and PageDown move through the film.
//
// Sizes are single precision. The fit's first quotient and product and the centring are
// evaluated in double precision and stored as single; the second fit's factor is stored as
// single before it multiplies.
#include "viewer/form2.h"

#include "forms/keycodes.h"
#include "forms/runtime.h"
#include "viewer/frames.h"

namespace viewer {

Form2::Form2(forms::Runtime& rt, Module1& m, const forms::FormDesign& design)
    : forms::Form(rt, design), Picture1(get<forms::PictureBox>("Picture1")),
      Image1(get<forms::Image>("Image1")), m_(m) {}

void Form2::razmer() {
    Image1.Visible = false;

    // The frame is read afresh on every call. One that cannot be loaded (removed, damaged)
    // gives no picture: the screen stays black, with Image1 hidden, and the keys go on
    // working, so the user can page on or leave.
    const forms::Picture picture = loadFrame(runtime(), m_, m_.curFrame);
    Picture1.Picture = picture;
    if (!picture)
        return;

    if (fixedSize != 1) {
        const forms::Form& main = runtime().form("Form1");
        const double mainW = main.Width;
        const double mainH = main.Height;
        if (realSize == 1) {
            // Own size, centred; a side larger than the main window starts at its edge.
            Image1.Width = Picture1.Width.get();
            Image1.Height = Picture1.Height.get();
            if (Image1.Width > main.Width)
                Image1.Left = 0.0f;
            else
                Image1.Left = (mainW - Image1.Width) / 2;
            if (Image1.Height > main.Height)
                Image1.Top = 0.0f;
            else
                Image1.Top = (mainH - Image1.Height) / 2;
        } else {
            // Fitted into this window with the aspect kept; only a picture strictly wider
            // than tall is fitted by its width first.
            Image1.Height = Height.get();
            Image1.Width = Width.get();
            if (Picture1.Width > Picture1.Height) {
                Image1.Height =
                    static_cast<double>(Picture1.Height) / Picture1.Width * Image1.Width;
                if (Image1.Height > Height) {
                    const float h = Image1.Height;
                    Image1.Height = Height.get();
                    const float factor = static_cast<float>(static_cast<double>(Height) / h);
                    Image1.Width = static_cast<double>(Image1.Width) * factor;
                }
            } else {
                Image1.Width =
                    static_cast<double>(Picture1.Width) / Picture1.Height * Image1.Height;
                if (Image1.Width > Width) {
                    const float w = Image1.Width;
                    Image1.Width = Width.get();
                    const float factor = static_cast<float>(static_cast<double>(Width) / w);
                    Image1.Height = static_cast<double>(Image1.Height) * factor;
                }
            }
            Image1.Left = (mainW - Image1.Width) / 2;
            Image1.Top = (mainH - Image1.Height) / 2;
        }
    }
    Image1.Picture = Picture1.Picture;
    Image1.Visible = true;
}

void Form2::Form_Activate() {
    razmer();
}

void Form2::Form_KeyDown(int& keyCode, int /*shift*/) {
    // A page move latches every key until some key is released.
    if (keyHeld == 1)
        return;
    switch (keyCode) {
    case forms::vk::PageDown:
        if (m_.curFrame < m_.frameCount) {
            keyHeld = 1;
            m_.curFrame = m_.curFrame + 1;
            razmer();
        }
        break;
    case forms::vk::PageUp:
        if (m_.curFrame > 1) {
            keyHeld = 1;
            m_.curFrame = m_.curFrame - 1;
            razmer();
        }
        break;
    case forms::vk::Insert:
    case forms::vk::Escape:
        Hide();
        break;
    case forms::vk::Home:
        realSize = 1;
        razmer();
        break;
    case forms::vk::End:
        realSize = 0;
        razmer();
        break;
    case forms::vk::NumPlus:
        // Freezes the rectangle where it stands; the next frames are stretched into it.
        fixedSize = 1;
        Image1.BorderStyle = 1;
        break;
    case forms::vk::NumMinus:
        fixedSize = 0;
        Image1.BorderStyle = 0;
        razmer();
        break;
    default:
        break;
    }
}

void Form2::Form_KeyUp(int& /*keyCode*/, int /*shift*/) {
    keyHeld = 0;
}

} // namespace viewer
