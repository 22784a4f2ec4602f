// Paging through the film in the main window: the keys, the two paging buttons with the
// slide of the strip from one frame to its neighbour, and the keep-slide-size box.
//
// A slide lets pending events run after each move, so any handler may run inside it: a
// click on a paging button (or a paging key once the latch is released) starts a second
// slide inside the first, Home, End and the numpad keys lay the frame out anew, Insert shows
// the full-screen window, which may move the current frame. All slides share `pos` and
// `posEnd`; each fixes its own step and end when its loop starts and, after its loop, finishes
// with the pictures it finds in the strip.
//
// Such a mix can leave the strip showing another frame than the current one (an inner slide
// back to the frame that the outer slide is leaving, for instance). So every slide counts
// itself in `slideDepth_`, and when the outermost one has made its own closing steps it puts
// the window at rest for `curFrame`: the strip at 0, no cover, Image11 holding frame
// `curFrame` (read again only when it holds another picture), the paging buttons shown
// except at the film's ends. Nested slides run exactly as they would on their own; only the
// end of the whole request is made consistent.
#include <cmath>
#include <cstddef>

#include "forms/keycodes.h"
#include "forms/runtime.h"
#include "viewer/form1.h"
#include "viewer/frames.h"

namespace viewer {

namespace {

// Counts a slide while it runs; the count also drops when the program ends inside it.
class SlideScope {
  public:
    explicit SlideScope(int& depth) : depth_(depth) { ++depth_; }
    ~SlideScope() { --depth_; }
    SlideScope(const SlideScope&) = delete;
    SlideScope& operator=(const SlideScope&) = delete;
    bool outermost() const { return depth_ == 1; }

  private:
    int& depth_;
};

} // namespace

forms::Picture Form1::loadFrame(int n) const {
    return viewer::loadFrame(runtime(), m_, n);
}

void Form1::Form_KeyDown(int& keyCode, int /*shift*/) {
    if (m_.curFrame <= 0) {
        keyCode = 0; // no film: no control gets the key
        return;
    }
    switch (keyCode) {
    case forms::vk::PageUp:
        if (keyHeld == 0)
            Image3_Click();
        break;
    case forms::vk::PageDown:
        if (keyHeld == 0)
            Image4_Click();
        break;
    case forms::vk::Home:
        Image5_Click();
        break;
    case forms::vk::End:
        Image6_Click();
        break;
    case forms::vk::Insert:
        fuls();
        break;
    case forms::vk::NumMinus:
        Check1.Value = 0; // raises Check1_Click when it was ticked
        break;
    case forms::vk::NumPlus:
        Check1.Value = 1;
        break;
    default:
        break;
    }
}

void Form1::Form_KeyUp(int& /*keyCode*/, int /*shift*/) {
    keyHeld = 0;
}

void Form1::placeStrip(double p) {
    if (variant().strip == Variant::Strip::Vertical)
        Picture6.Top = p;
    else
        Picture6.Left = p;
}

void Form1::slideLoop(double start, double end, double step, bool uncover) {
    // A frame without extent along the slide gives no step: the strip then stays put.
    if (step == 0 || !std::isfinite(step))
        return;
    for (pos = start; step > 0 ? pos <= end : pos >= end; pos += step) {
        placeStrip(pos);
        runtime().doEvents();
        if (uncover)
            Picture3->Visible = false;
        // A slide inside this one over a much longer frame (the film changed its size
        // meanwhile) can leave `pos` far behind this slide's start; crossing back from there
        // in this frame's small steps would take thousands of moves. The slide then crosses
        // again from its own start, as it does after an inner slide of its own length.
        if (step > 0 ? pos < start - step : pos > start - step)
            pos = start - step;
        // A slide inside this one may leave `pos` so far out that the step no longer changes
        // it; the loop could then never end.
        if (pos + step == pos)
            break;
    }
}

double Form1::stripExtent() const {
    // The frame's extent along the slide, as the strip's images hold it (single precision).
    return variant().strip == Variant::Strip::Vertical ? Image11.Height.get() : Image11.Width.get();
}

void Form1::raiseCover() {
    // The cover takes the frame window's size and shows the picture Image12 holds.
    Image8.Picture = Image12.Picture;
    Picture3->Width = Picture5.Width;
    Picture3->Height = Picture5.Height;
    Image8.Width = Picture5.Width;
    Image8.Height = Picture5.Height;
    Picture3->Visible = true;
}

void Form1::Image3_Click() {
    keyHeld = 1;
    if (m_.curFrame <= 1)
        return;
    SlideScope slide(slideDepth_);
    const bool cover = variant().cover && Picture3 != nullptr;

    Image4.Visible = true;
    m_.curFrame = m_.curFrame - 1;
    Picture2.Picture = loadFrame(m_.curFrame);    // the arriving frame, measured
    Image12.Picture = loadFrame(m_.curFrame + 1); // the frame being left
    Image11.Picture = loadFrame(m_.curFrame);     // the arriving frame
    const double e = stripExtent();
    posEnd = -e - e / 15;
    Image12.Visible = true;

    if (cover) {
        // The frame being left stands on the cover while the strip jumps to its far end.
        raiseCover();
        runtime().doEvents();
    }

    slideLoop(posEnd, 0.0, e / variant().stepsPerFrame, cover);
    placeStrip(0.0);
    if (cover)
        runtime().doEvents();

    if (variant().positionPhotos)
        applySidePicture();
    sizeCheck();
    if (m_.curFrame == 1)
        Image3.Visible = false;
    if (slide.outermost())
        settleStrip();
}

void Form1::Image4_Click() {
    keyHeld = 1;
    if (m_.curFrame >= m_.frameCount)
        return;
    SlideScope slide(slideDepth_);
    const bool cover = variant().cover && Picture3 != nullptr;

    Image3.Visible = true;
    m_.curFrame = m_.curFrame + 1;
    Picture2.Picture = loadFrame(m_.curFrame);    // the arriving frame, measured
    Image12.Picture = loadFrame(m_.curFrame);     // the arriving frame
    Image11.Picture = loadFrame(m_.curFrame - 1); // the frame being left
    const double e = stripExtent();
    posEnd = -e - e / 15;
    Image12.Visible = true;

    slideLoop(0.0, posEnd, -e / variant().stepsPerFrame, false);
    placeStrip(posEnd);
    runtime().doEvents();

    // Back to rest: Image11 takes the arriving frame and the strip jumps back to 0, hidden
    // behind the cover where there is one. No events run in between.
    Image11.Picture = Image12.Picture;
    if (cover)
        raiseCover();
    placeStrip(0.0);
    if (cover)
        Picture3->Visible = false;

    if (variant().positionPhotos)
        applySidePicture();
    sizeCheck();
    if (m_.curFrame == m_.frameCount)
        Image4.Visible = false;
    if (slide.outermost())
        settleStrip();
}

void Form1::sizeCheck() {
    // A new layout only when the arriving picture's own size differs from the one laid out
    // last; while the box is ticked every frame is stretched into the present frame window.
    if (Check1.Value != 0)
        return;
    if (static_cast<float>(picW) != Picture2.Width.get() ||
        static_cast<float>(picH) != Picture2.Height.get()) {
        razmer();
        picW = Picture2.Width;
        picH = Picture2.Height;
    }
}

void Form1::settleStrip() {
    placeStrip(0.0);
    if (variant().cover && Picture3 != nullptr)
        Picture3->Visible = false;
    const int n = m_.curFrame;
    if (n < 1 || n > m_.frameCount || static_cast<std::size_t>(n) >= m_.frameFile.size())
        return;
    const forms::Picture& shown = Image11.Picture.get();
    const auto file = runtime().files().toHost(m_.frameFile[static_cast<std::size_t>(n)]);
    if (!shown || !file || shown->source() != *file)
        Image11.Picture = loadFrame(n);
    Image3.Visible = n > 1;
    Image4.Visible = n < m_.frameCount;
    if (variant().positionPhotos)
        applySidePicture();
}

void Form1::Check1_Click() {
    if (Check1.Value == 1) {
        Image5.Visible = false;
        Image6.Visible = false;
        return;
    }
    Image5.Visible = true;
    Image6.Visible = true;
    razmer();
    picW = Picture2.Width;
    picH = Picture2.Height;
}

} // namespace viewer
