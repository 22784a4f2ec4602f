#include "forms/qt/fonts.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QToolTip>

#include <algorithm>
#include <cmath>

#include "forms/units.h"

namespace forms::qt {

void registerFontSubstitutions() {
    static const bool done = [] {
        QFont::insertSubstitution("MS Sans Serif", "Liberation Sans");
        QFont::insertSubstitution("Microsoft Sans Serif", "Liberation Sans");
        QFont::insertSubstitution("Arial", "Liberation Sans");
        QFont::insertSubstitution("Times New Roman", "Liberation Serif");
        QFont::insertSubstitution("Courier New", "Liberation Mono");
        return true;
    }();
    (void)done;
    // Text that Qt draws itself, the tooltips above all, is in the designs' default font too,
    // never in whatever face the system would fall back to.
    const QFont designDefault = toQFont(forms::Font{});
    QApplication::setFont(designDefault);
    QToolTip::setFont(designDefault);
}

QFont toQFont(const forms::Font& font) {
    QFont f(QString::fromStdString(font.name));
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(font.size * 96.0 / 72.0))));
    f.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight, 100, 900)));
    f.setItalic(font.italic);
    return f;
}

forms::Size2 measureLine(const forms::Font& font, const QString& text) {
    const QFontMetricsF m(toQFont(font));
    const double w = std::ceil(m.horizontalAdvance(text) - 1e-6);
    const double h = std::ceil(m.lineSpacing() - 1e-6);
    return {static_cast<float>(w * kTwipsPerPixel), static_cast<float>(h * kTwipsPerPixel)};
}

} // namespace forms::qt
