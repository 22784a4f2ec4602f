#pragma once
#include <QFont>

#include "forms/font.h"
#include "forms/host.h"

namespace forms::qt {

// Registers the installed, metric-close faces that stand in for the designs' fonts, and makes
// the designs' default font the application's and the tooltips' font. Safe to call more than
// once; needs the application object.
void registerFontSubstitutions();

// The Qt font for a design's font. The size in points becomes a pixel size at 96 dots per
// inch, rounded as the original platform rounds it (8.25 pt: 11 px), so text measures the
// same whatever the display reports as its resolution.
QFont toQFont(const forms::Font& font);

// Width (horizontal advance) and height (line spacing) of a line of text, in twips, each
// rounded up to whole pixels.
forms::Size2 measureLine(const forms::Font& font, const QString& text);

} // namespace forms::qt
