// The main window's layout: the one-time base layout for the maximized window, the layout of
// the frame window, the strip and the side picture for the current frame, the two size
// buttons, the position photograph, and the full-screen view.
//
// Control geometry is single precision; each expression is evaluated in double precision
// from the controls' values and written back as a single-precision value, and every step
// reads back what the previous ones wrote.
//
// A frame file that cannot be loaded (removed, damaged) is shown as an empty frame: the
// measuring box gets no picture and keeps the size it had, so the frame window is laid out
// for the last picture that could be measured; while no picture has ever been measured the
// frame window keeps its geometry. The frame image then shows nothing on the black frame
// window, and the program goes on as usual.
#include "forms/runtime.h"
#include "viewer/form1.h"

namespace viewer {

void Form1::Form_Resize() {
    // The base layout is made once, for the size the maximized window first gets.
    if (m_.noResize)
        return;
    const double fw = Width;
    const double fh = Height;
    const double margin = Picture1.Height;

    Picture5.Top = static_cast<double>(Picture1.Top) + margin;
    Picture5.Height = fh - 2 * margin;
    Picture5.Width = fw - Image1.Width - 2 * margin;
    // One margin right of the side picture and one short of the window's right edge.
    Picture5.Left = (fw - Image1.Width - Picture5.Width) / 2 + Image1.Width;
    Image11.Top = 0.0f;
    Image11.Left = 0.0f;
    Image12.Top = 0.0f;
    Image12.Left = 0.0f;
    Picture6.Top = 0.0f;
    Picture6.Left = 0.0f;
    areaH = Picture5.Height;
    areaW = Picture5.Width;

    if (variant().positionPhotos) {
        // Centred on the frame window, whatever the window's height.
        Image1.Top = Picture5.Height / 2.0 + Picture5.Top - Image1.Height / 2.0;
    } else {
        Image1.Top = fh - Image1.Height; // standing on the window's lower edge
    }
    if (variant().sideBand) {
        // From the top bar down to the window's lower edge.
        Image7.Top = Picture1.Height.get();
        Image7.Height = static_cast<double>(Image1.Top) - margin + Image1.Height;
    }
    m_.noResize = true;
}

void Form1::razmer() {
    // The file is read afresh on every call. Whatever was measured before this call counts
    // as a known own size too (the paging measures the arriving frame itself).
    if (Picture2.Picture.get())
        ownSizeKnown_ = true;
    Picture2.Picture = loadFrame(m_.curFrame);
    if (Picture2.Picture.get())
        ownSizeKnown_ = true;
    const double pw = Picture2.Width;
    const double ph = Picture2.Height;

    if (ownSizeKnown_) {
        Picture5.Top = Picture1.Height.get();
        if (fitMode) {
            Picture5.Height = areaH;
            Picture5.Width = areaW;
            // A landscape picture takes the full width of the fit area, a portrait or square
            // one its full height, even where the other side then overflows.
            if (pw > ph)
                Picture5.Height = ph / pw * Picture5.Width;
            else
                Picture5.Width = pw / ph * Picture5.Height;
        } else {
            Picture5.Height = ph;
            Picture5.Width = pw;
        }
    }

    // The strip: the frame on show at its origin and, one fifteenth of the frame's extent
    // further along the slide, its neighbour.
    Image11.Width = Picture5.Width.get();
    Image11.Height = Picture5.Height.get();
    Image12.Width = Picture5.Width.get();
    Image12.Height = Picture5.Height.get();
    if (variant().strip == Variant::Strip::Vertical) {
        Picture6.Width = Picture5.Width.get();
        const double e = Image11.Height;
        Picture6.Height = 2 * e + e / 15;
        Image11.Top = 0.0f;
        Image11.Left = 0.0f;
        Image12.Left = 0.0f;
        Image12.Top = e / 15 + e;
    } else {
        Picture6.Height = Picture5.Height.get();
        const double e = Image11.Width;
        Picture6.Width = 2 * e + e / 15;
        Image12.Left = e / 15 + e;
    }

    if (variant().positionPhotos)
        applySidePicture();

    // The side picture: a third of its height above the frame window's lower edge, or
    // centred on it; kept inside the window, but never above the top bar.
    double y;
    if (variant().positionPhotos)
        y = Picture5.Height / 2.0 + Picture5.Top - Image1.Height / 2.0;
    else
        y = static_cast<double>(Picture5.Height) + Picture5.Top - Image1.Height / 3.0;
    const float fh = Height;
    if (static_cast<float>(Image1.Height + y) > fh)
        y = static_cast<double>(fh) - Image1.Height;
    if (static_cast<float>(y) < Picture1.Height)
        y = Picture1.Height;
    Image1.Top = y;

    // The button column, tied to the side picture.
    if (variant().buttonOffsetFromHeight)
        Image4.Top = static_cast<double>(Image1.Top) + Image4.Height + 600;
    else
        Image4.Top = static_cast<double>(Image1.Top) + variant().buttonOffset;
    Image3.Top = static_cast<double>(Image4.Top) - Image4.Height;
    Image5.Top = static_cast<double>(Image4.Top) + Image4.Height;
    Image6.Top = Image5.Top.get();
    Check1.Top = static_cast<double>(Image5.Top) + Image5.Height;

    if (variant().sideBand) {
        // The band ends at the photograph's lower edge whenever its end would show.
        const double d = static_cast<double>(Image1.Top) - Picture1.Height;
        if (d > Image7.Height || d + Image1.Height < Image7.Height)
            Image7.Height = d + Image1.Height;
    }

    if (variant().positionPhotos && Picture5.Height < Image1.Height) {
        // A frame window lower than the photograph: centred five eighths of the way down it.
        Picture5.Top = Image1.Height / 1.6 + Image1.Top - Picture5.Height / 2.0;
    }
}

void Form1::applySidePicture() {
    if (!variant().positionPhotos)
        return;
    // First frame, last frame, second frame, any other: the first test that holds decides.
    const forms::Image* source;
    if (m_.curFrame == 1)
        source = &Image7;
    else if (m_.curFrame == m_.frameCount)
        source = Image10;
    else if (m_.curFrame == 2)
        source = &Image8;
    else
        source = Image9;
    if (source)
        Image1.Picture = source->Picture;
}

void Form1::Image5_Click() {
    fitMode = false;
    razmer();
}

void Form1::Image6_Click() {
    fitMode = true;
    razmer();
}

void Form1::fuls() {
    List1.Visible = false;
    runtime().form("Form2").ShowModal();
    // The full-screen window may have moved to another frame: lay it out here, in this
    // window's own fit mode.
    razmer();
    Image11.Picture = loadFrame(m_.curFrame);
    // The paging buttons and the remembered own size follow the frame now on show, as
    // paging to it here would have left them.
    Image3.Visible = m_.curFrame > 1;
    Image4.Visible = m_.curFrame < m_.frameCount;
    picW = Picture2.Width;
    picH = Picture2.Height;
}

} // namespace viewer
