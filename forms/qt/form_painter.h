#pragma once
#include <QColor>
#include <QRect>
#include <QSize>

#include "forms/color.h"
#include "forms/controls.h"
#include "forms/form.h"

class QPainter;

namespace forms::qt {

// Twips to whole device-independent pixels (15 twips a pixel), rounding half up.
int toPixel(double twips);
// The pixel rectangle of a rectangle in twips: its position and its size each rounded on
// their own, so that the size drawn follows from the size alone and a control moving by
// fractions of a pixel keeps its size to the pixel.
QRect pixelRect(double left, double top, double width, double height);
// A control's rectangle in the form's client pixels: its pixel rectangle relative to its
// container's client origin, which is rounded the same way level by level.
QRect controlRect(const forms::Control& c);
// The part of a control that shows in a window showing `visible` (form pixels): its rectangle
// inside every container's client area; empty when nothing of it shows, or when an opaque
// control in front of it (a picture box, which paints all of its rectangle) covers it all.
QRect shownPart(const forms::Control& c, const QRect& visible);
// The device pixels a stretched image draws its picture at.
QSize stretchedPictureSize(const forms::Image& image, qreal dpr);
// The colour a model colour stands for.
QColor qColor(forms::Color c);

// Width of the border that list-like controls and text boxes draw on each side.
inline constexpr int kEdge = 2;
// Width of a combo box's drop button and of a list's scroll bar.
inline constexpr int kScrollBarWidth = 16;

// Height of one row of a list or combo box in pixels, by the model's rule for its font.
int rowHeightPx(const forms::Control& list);
// The row of a list box at a point of the form (pixels), -1 outside the rows or on the
// scroll bar.
int rowAt(const forms::ListBox& list, QPoint formPixel);
// Whether a list box shows a scroll bar, and where it is (form pixels).
bool hasScrollBar(const forms::ListBox& list);
QRect scrollBarRect(const forms::ListBox& list);

// Where a text box's text starts (form pixels), and the caret position (in characters)
// nearest to a point of the form.
int textStart(const forms::TextBox& box);
long caretIndexAt(const forms::TextBox& box, int formX);

// What the window adds to the model while it draws: the control held down under the mouse
// and the combo box whose drop-down list is open.
struct PaintState {
    const forms::Control* pressed = nullptr;
    const forms::Control* dropped = nullptr;
    // The area painted (form pixels); paintForm sets it from the device.
    QRect area;
    // Whether a picture not decoded at its drawn size yet is decoded now (true) or left out
    // of this paint (false: a move of a slide does not wait for it).
    bool waitForDecodes = true;
};

// Paints the whole form: the background, then its control tree from back to front, each
// container clipping its children to its client area.
void paintForm(QPainter& p, const forms::Form& form, const PaintState& state);

// Classic three-dimensional edges, 2 pixels wide.
void drawSunkenEdge(QPainter& p, const QRect& r);
void drawRaisedEdge(QPainter& p, const QRect& r);
// The rows of a list (list boxes and drop-down lists) inside `area`, from row `top`;
// `highlight` is the highlighted row (-1 none).
void drawRows(QPainter& p, const forms::Control& owner, const std::vector<std::string>& items,
              const QRect& area, int top, int highlight);

} // namespace forms::qt
