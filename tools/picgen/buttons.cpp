// The main window's buttons: round bevelled ring buttons with a white arrow, and the small
// grey triangles for the size keys. All stand on the window's black.
#include "canvas.h"
#include "scenes.h"

#include <QPainterPath>

#include <cmath>

namespace picgen {

namespace {

QPolygonF triangle(QPointF centre, double size, Arrow arrow) {
    // An equilateral-ish triangle whose visual centre sits at `centre`.
    const double h = size * 0.866;
    QPolygonF t;
    switch (arrow) {
    case Arrow::Up:
        t << QPointF(0, -h * 0.6) << QPointF(size / 2, h * 0.4) << QPointF(-size / 2, h * 0.4);
        break;
    case Arrow::Down:
        t << QPointF(0, h * 0.6) << QPointF(-size / 2, -h * 0.4) << QPointF(size / 2, -h * 0.4);
        break;
    case Arrow::Left:
        t << QPointF(-h * 0.6, 0) << QPointF(h * 0.4, -size / 2) << QPointF(h * 0.4, size / 2);
        break;
    case Arrow::Right:
        t << QPointF(h * 0.6, 0) << QPointF(-h * 0.4, size / 2) << QPointF(-h * 0.4, -size / 2);
        break;
    }
    t.translate(centre);
    return t;
}

} // namespace

QImage drawRingButton(QSize size, Arrow arrow) {
    const QSizeF scene(size);
    Surface s(size, 8, scene);
    QPainter p(&s.image());
    p.setRenderHint(QPainter::Antialiasing);
    p.setTransform(s.sceneTransform());
    p.setPen(Qt::NoPen);

    const QPointF c(scene.width() / 2, scene.height() / 2);
    const double outer = std::min(scene.width(), scene.height()) / 2 - 0.6;
    const double ringInner = outer * 0.70;
    const double face = outer * 0.62;

    // Outer bevel: lit from the top left, a thin dark edge around it.
    QLinearGradient bevel(c + QPointF(-outer, -outer), c + QPointF(outer, outer));
    setStops(bevel, {{0.0, QColor(236, 236, 236)},
                     {0.35, QColor(176, 176, 178)},
                     {0.65, QColor(110, 110, 112)},
                     {1.0, QColor(52, 52, 54)}});
    p.setBrush(QColor(24, 24, 24));
    p.drawEllipse(c, outer, outer);
    p.setBrush(bevel);
    p.drawEllipse(c, outer - 0.7, outer - 0.7);

    // The ring's flat top, a satin grey with a soft sheen.
    QRadialGradient ringTop(c + QPointF(-outer * 0.35, -outer * 0.45), outer * 1.3);
    setStops(
        ringTop,
        {{0.0, QColor(200, 200, 202)}, {0.5, QColor(150, 150, 152)}, {1.0, QColor(98, 98, 100)}});
    p.setBrush(ringTop);
    p.drawEllipse(c, outer * 0.90, outer * 0.90);

    // Inner bevel, sunken: dark at the top left, light at the bottom right.
    QLinearGradient sunk(c + QPointF(-ringInner, -ringInner), c + QPointF(ringInner, ringInner));
    setStops(sunk,
             {{0.0, QColor(40, 40, 42)}, {0.5, QColor(92, 92, 94)}, {1.0, QColor(218, 218, 220)}});
    p.setBrush(sunk);
    p.drawEllipse(c, ringInner, ringInner);

    // The darker centre face, slightly domed.
    QRadialGradient centre(c + QPointF(-face * 0.3, -face * 0.4), face * 1.4);
    setStops(centre,
             {{0.0, QColor(120, 120, 124)}, {0.45, QColor(78, 78, 82)}, {1.0, QColor(40, 40, 44)}});
    p.setBrush(centre);
    p.drawEllipse(c, face, face);

    // White arrow with a faint drop shadow so it reads as raised.
    const QPolygonF tri = triangle(c, face * 1.05, arrow);
    drawSoft(
        p, 0.9,
        [&](QPainter& lp) {
            lp.setPen(Qt::NoPen);
            lp.setBrush(QColor(0, 0, 0, 200));
            lp.drawPolygon(tri.translated(0.6, 0.8));
        },
        0.9);
    QLinearGradient white(tri.boundingRect().topLeft(), tri.boundingRect().bottomRight());
    setStops(white, {{0.0, QColor(255, 255, 255)}, {1.0, QColor(222, 222, 226)}});
    p.setBrush(white);
    p.drawPolygon(tri);
    p.end();
    return s.result();
}

QImage drawTriangleButton(QSize size, Arrow arrow) {
    const QSizeF scene(size);
    Surface s(size, 8, scene);
    QPainter p(&s.image());
    p.setRenderHint(QPainter::Antialiasing);
    p.setTransform(s.sceneTransform());

    // A triangle filling the key's height, with a gentle bevel: lighter edge towards the top.
    const double w = scene.width(), h = scene.height();
    const double inset = 1.5;
    QPolygonF tri;
    if (arrow == Arrow::Left)
        tri << QPointF(inset, h / 2) << QPointF(w - inset, inset) << QPointF(w - inset, h - inset);
    else
        tri << QPointF(w - inset, h / 2) << QPointF(inset, h - inset) << QPointF(inset, inset);
    QLinearGradient g(0, 0, 0, h);
    setStops(
        g,
        {{0.0, QColor(196, 196, 198)}, {0.5, QColor(152, 152, 154)}, {1.0, QColor(108, 108, 110)}});
    p.setPen(QPen(QColor(70, 70, 72), 0.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(g);
    p.drawPolygon(tri);
    // A thin highlight along the upper edge.
    p.setPen(QPen(QColor(230, 230, 232, 170), 0.5, Qt::SolidLine, Qt::RoundCap));
    if (arrow == Arrow::Left)
        p.drawLine(QPointF(inset + 1.0, h / 2 - 0.4), QPointF(w - inset - 0.3, inset + 0.7));
    else
        p.drawLine(QPointF(inset + 0.3, inset + 0.7), QPointF(w - inset - 1.0, h / 2 - 0.4));
    p.end();
    return s.result();
}

} // namespace picgen
