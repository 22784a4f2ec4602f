// Kadroskop's chooser strip: a length of light grey film standing upright, sprocket holes
// down both edges and black frame windows in the middle, where the chooser draws the previews
// of a film's first frames. The windows are exactly black on exactly their pixels.
#include "canvas.h"
#include "scenes.h"

#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace picgen {

namespace {

const QColor kBase(218, 218, 216);

// Across the strip: the edges a little darker, a soft sheen left of the middle.
void paintBase(QPainter& p, const QSizeF& size) {
    QLinearGradient g(0, 0, size.width(), 0);
    setStops(g, {{0.00, QColor(176, 176, 174)},
                 {0.02, shade(kBase, 0.96)},
                 {0.30, shade(kBase, 1.12)},
                 {0.55, kBase},
                 {0.85, shade(kBase, 1.05)},
                 {0.98, shade(kBase, 0.95)},
                 {1.00, QColor(170, 170, 168)}});
    p.fillRect(QRectF(QPointF(0, 0), size), g);
}

// One perforation: the film's cut edge throws a shadow into the top of the hole and catches
// the light along its bottom lip.
void paintHole(QPainter& p, const QRectF& r) {
    const double radius = 2.2;
    QPainterPath hole;
    hole.addRoundedRect(r, radius, radius);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 150));
    p.drawPath(hole.translated(0, 0.8));
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    setStops(g, {{0.0, QColor(24, 24, 26)}, {0.45, QColor(58, 58, 62)}, {1.0, QColor(84, 84, 88)}});
    p.setBrush(g);
    p.drawPath(hole);
}

} // namespace

QImage drawFilmStrip(QSize size, const QRect& first, int pitch, int count) {
    const QSizeF scene(size);
    Surface s(size, 4, scene);
    {
        QPainter p(&s.image());
        p.setRenderHint(QPainter::Antialiasing);
        p.setTransform(s.sceneTransform());
        paintBase(p, scene);

        // Five holes to a frame on either side, centred in the film left and right of the
        // windows and in step with the frames, as far as they fit on the strip.
        const double step = pitch / 5.0;
        const double holeW = 12, holeH = 9;
        const double leftX = first.left() / 2.0;
        const double rightX = (first.right() + 1 + size.width()) / 2.0;
        const double centre0 = first.top() + first.height() / 2.0;
        const int before = int(std::floor((centre0 - holeH / 2) / step));
        for (int i = -before;; ++i) {
            const double cy = centre0 + i * step;
            if (cy + holeH / 2 > size.height())
                break;
            for (const double cx : {leftX, rightX})
                paintHole(p, QRectF(cx - holeW / 2, cy - holeH / 2, holeW, holeH));
        }
    }
    QImage img = s.result();
    addGrain(img, 1.2, 0x5712);

    // The windows, on whole pixels: a one-pixel shaded rim where the film is cut, black inside.
    for (int k = 0; k < count; ++k) {
        const QRect w = first.translated(0, k * pitch);
        for (int y = w.top() - 1; y <= w.bottom() + 1; ++y) {
            if (y < 0 || y >= img.height())
                continue;
            auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
            for (int x = std::max(0, w.left() - 1); x <= std::min(img.width() - 1, w.right() + 1);
                 ++x) {
                if (w.contains(x, y)) {
                    row[x] = qRgb(0, 0, 0);
                } else {
                    // Shadow above and left, a lighter lip below and right.
                    const bool lit = y > w.bottom() || x > w.right();
                    row[x] = shade(QColor(row[x]), lit ? 1.25 : 0.78).rgb();
                }
            }
        }
    }
    return img;
}

} // namespace picgen
