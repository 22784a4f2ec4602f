// Kadroskop's filmstrip projector, standing upright on a dark red studio ground: a painted
// body with cooling slits in its lamp house, a gate tower with the film canister on top, a
// chrome lens pointing right (where the picture appears) and a soft floor shadow.
#include "canvas.h"
#include "scenes.h"

#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace picgen {

namespace {

const QSizeF kScene(1000, 1400);
const double kFloor = 1232;

// The band's colour across its width, t from 0 (left) to 1 (right).
QColor bandColour(double t) {
    t = std::pow(std::clamp(t, 0.0, 1.0), 0.8);
    return mix(QColor(0xC0, 0, 0), QColor(0x10, 0, 0), t);
}

void paintGround(QImage& img, ProjectorGround ground) {
    const int w = img.width(), h = img.height();
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
        const double v = (y + 0.5) / h;
        for (int x = 0; x < w; ++x) {
            const double u = (x + 0.5) / w;
            QColor c;
            if (ground == ProjectorGround::Band) {
                // The band's colours at the top and bottom rows; inside, a soft light falls
                // on the backdrop behind the projector and the floor darkens a little.
                c = bandColour(u);
                const double edge = std::min(1.0, std::min(v, 1.0 - v) / 0.10);
                const double glow =
                    std::exp(-(std::pow((u - 0.42) / 0.45, 2) + std::pow((v - 0.40) / 0.33, 2)));
                c = mix(c, QColor(150, 16, 10), 0.35 * glow * edge);
            } else {
                const double glow =
                    std::exp(-(std::pow((u - 0.40) / 0.55, 2) + std::pow((v - 0.42) / 0.42, 2)));
                c = mix(QColor(14, 1, 1), QColor(118, 10, 8), glow);
            }
            row[x] = c.rgb();
        }
    }
}

void cylinderSide(QPainter& p, double x0, double x1, double cy, double r, Finish f,
                  const QColor& env) {
    QLinearGradient g(0, cy - r, 0, cy + r);
    setMetalStops(g, f, env);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRect(QRectF(x0, cy - r, x1 - x0, 2 * r));
}

// The flat end face of a cylinder, seen a little from the front: a narrow ellipse.
void endFace(QPainter& p, double x, double cy, double r, const QColor& lit, const QColor& dark) {
    const double e = r * 0.17;
    QLinearGradient g(x, cy - r, x + e * 0.6, cy + r);
    setStops(g, {{0.0, lit}, {1.0, dark}});
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(QPointF(x, cy), e, r);
}

// Ridges of a knurled ring running along a horizontal cylinder.
void knurl(QPainter& p, double x0, double x1, double cy, double r, int ridges) {
    p.save();
    p.setClipRect(QRectF(x0, cy - r, x1 - x0, 2 * r));
    for (int i = 1; i < ridges; ++i) {
        const double th = std::numbers::pi * i / ridges;
        const double y = cy - r * std::cos(th);
        const double facing = std::sin(th); // ridges near the silhouette crowd and dim
        const double lit = std::max(0.0, 1.0 - std::abs(th - 0.75) * 1.3);
        p.setPen(QPen(QColor(0, 0, 0, int(150 * facing)), 2.4 * facing + 0.4));
        p.drawLine(QPointF(x0, y), QPointF(x1, y));
        p.setPen(QPen(QColor(200, 200, 205, int(40 + 130 * lit)), 1.0 * facing + 0.3));
        p.drawLine(QPointF(x0, y + 1.8 * facing), QPointF(x1, y + 1.8 * facing));
    }
    p.restore();
}

// A round knob seen face on, with a knurled rim and a chrome cap.
void knob(QPainter& p, QPointF c, double r, const QColor& env) {
    drawSoft(
        p, r * 0.25,
        [&](QPainter& lp) {
            lp.setPen(Qt::NoPen);
            lp.setBrush(QColor(0, 0, 0, 170));
            lp.drawEllipse(c + QPointF(r * 0.18, r * 0.26), r * 1.02, r * 1.02);
        },
        0.9);
    QConicalGradient rim(c, 135);
    setStops(rim, {{0.0, QColor(150, 150, 155)},
                   {0.25, QColor(40, 40, 44)},
                   {0.5, QColor(16, 16, 18)},
                   {0.75, mix(QColor(40, 30, 30), env, 0.4)},
                   {1.0, QColor(150, 150, 155)}});
    p.setPen(Qt::NoPen);
    p.setBrush(rim);
    p.drawEllipse(c, r, r);
    for (int i = 0; i < 48; ++i) {
        const double a = 2 * std::numbers::pi * i / 48;
        const QPointF d(std::cos(a), std::sin(a));
        const double light = 0.5 + 0.5 * std::cos(a + 2.3);
        p.setPen(QPen(QColor(0, 0, 0, 130), r * 0.05));
        p.drawLine(c + d * r * 0.80, c + d * r * 0.99);
        p.setPen(QPen(QColor(210, 210, 215, int(30 + 90 * light)), r * 0.025));
        p.drawLine(c + d * r * 0.80 + QPointF(-d.y(), d.x()) * r * 0.04,
                   c + d * r * 0.98 + QPointF(-d.y(), d.x()) * r * 0.04);
    }
    QRadialGradient cap(c + QPointF(-r * 0.25, -r * 0.3), r * 0.9);
    setStops(cap, {{0.0, QColor(255, 255, 255)},
                   {0.25, QColor(200, 200, 204)},
                   {0.6, mix(QColor(110, 100, 100), env, 0.35)},
                   {1.0, QColor(40, 36, 36)}});
    p.setPen(QPen(QColor(20, 20, 20), r * 0.04));
    p.setBrush(cap);
    p.drawEllipse(c, r * 0.72, r * 0.72);
}

// A slit of the lamp house: a dark recess with a lit lower lip and warm light far inside.
void coolingSlit(QPainter& p, QRectF r, double warmth) {
    const double rad = r.height() / 2;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 60)); // lower lip catching the light
    p.drawRoundedRect(r.translated(0, r.height() * 0.45), rad, rad);
    QLinearGradient g(0, r.top(), 0, r.bottom());
    setStops(g, {{0.0, QColor(6, 6, 8)},
                 {0.55, mix(QColor(16, 14, 14), QColor(120, 60, 20), warmth)},
                 {1.0, QColor(30, 30, 34)}});
    p.setBrush(g);
    p.drawRoundedRect(r, rad, rad);
}

void drawFilm(QPainter& p, const QPainterPath& centre, double width) {
    // The strip itself: translucent amber base, darker edges.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(40, 20, 8), width, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    p.drawPath(centre);
    p.setPen(QPen(QColor(120, 70, 28), width * 0.86, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    p.drawPath(centre);
    // Frames down the middle, sprocket holes along both edges.
    const double len = centre.length();
    for (double s = width * 0.3; s < len - width * 0.3; s += width * 0.25) {
        const double t = centre.percentAtLength(s);
        const QPointF pt = centre.pointAtPercent(t);
        const double ang = -centre.angleAtPercent(t) * std::numbers::pi / 180;
        const QPointF along(std::cos(ang), std::sin(ang));
        const QPointF across(-along.y(), along.x());
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(14, 8, 4));
        for (double side : {-0.38, 0.38}) {
            const QPointF h = pt + across * width * side;
            QPolygonF hole;
            hole << h + along * width * 0.05 + across * width * 0.05
                 << h + along * width * 0.05 - across * width * 0.05
                 << h - along * width * 0.05 - across * width * 0.05
                 << h - along * width * 0.05 + across * width * 0.05;
            p.drawPolygon(hole);
        }
    }
    for (double s = width * 0.6; s < len - width * 0.6; s += width * 0.95) {
        const double t = centre.percentAtLength(s);
        const QPointF pt = centre.pointAtPercent(t);
        const double ang = -centre.angleAtPercent(t) * std::numbers::pi / 180;
        const QPointF along(std::cos(ang), std::sin(ang));
        const QPointF across(-along.y(), along.x());
        QPolygonF frame;
        frame << pt + along * width * 0.4 + across * width * 0.27
              << pt + along * width * 0.4 - across * width * 0.27
              << pt - along * width * 0.4 - across * width * 0.27
              << pt - along * width * 0.4 + across * width * 0.27;
        p.setBrush(QColor(70, 96, 110, 150));
        p.drawPolygon(frame);
    }
    // A glint along the strip's upper side.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 220, 170, 70), width * 0.08));
    p.drawPath(centre.translated(-width * 0.25, -width * 0.1));
}

void drawScene(QPainter& p, ProjectorGround ground) {
    const QColor env = ground == ProjectorGround::Band ? QColor(170, 20, 14) : QColor(120, 12, 10);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.translate(-52, 0);

    // Floor shadows: a wide soft one cast to the right by the key light, a tight contact one.
    drawSoft(
        p, 38,
        [&](QPainter& lp) {
            lp.setPen(Qt::NoPen);
            lp.setBrush(QColor(0, 0, 0, 210));
            lp.drawEllipse(QPointF(600, kFloor + 6), 400, 34);
            lp.drawEllipse(QPointF(850, kFloor - 4), 150, 22);
        },
        0.85);
    drawSoft(
        p, 8,
        [&](QPainter& lp) {
            lp.setPen(Qt::NoPen);
            lp.setBrush(QColor(0, 0, 0, 255));
            lp.drawRoundedRect(QRectF(228, kFloor - 10, 580, 16), 8, 8);
        },
        0.95);

    // The power cord, lying on the floor and running off to the left.
    QPainterPath cord;
    cord.moveTo(282, 1100);
    cord.cubicTo(230, 1108, 200, kFloor - 14, 150, kFloor + 4);
    cord.cubicTo(90, kFloor + 18, 40, kFloor + 14, -20, kFloor + 26);
    drawSoft(
        p, 6,
        [&](QPainter& lp) {
            lp.setBrush(Qt::NoBrush);
            lp.setPen(QPen(QColor(0, 0, 0, 220), 18, Qt::SolidLine, Qt::RoundCap));
            lp.drawPath(cord.translated(6, 8));
        },
        0.9);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(10, 10, 10), 15, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(cord);
    p.setPen(QPen(QColor(120, 110, 110, 150), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(cord.translated(-1, -4));

    // Base plinth with rubber feet.
    p.setPen(Qt::NoPen);
    for (double fx : {250.0, 760.0}) {
        p.setBrush(QColor(8, 8, 8));
        p.drawRoundedRect(QRectF(fx, kFloor - 26, 46, 26), 6, 6);
    }
    {
        const QRectF base(226, 1146, 586, 64);
        QLinearGradient g(0, base.top(), 0, base.bottom());
        setStops(g, {{0.0, QColor(150, 152, 156)},
                     {0.08, QColor(70, 72, 76)},
                     {0.3, QColor(46, 46, 50)},
                     {0.8, QColor(26, 26, 28)},
                     {1.0, mix(QColor(30, 20, 20), env, 0.3)}});
        p.setBrush(g);
        p.drawRoundedRect(base, 18, 18);
        QLinearGradient side(base.left(), 0, base.right(), 0);
        setStops(side, {{0.0, QColor(255, 255, 255, 40)},
                        {0.15, QColor(255, 255, 255, 0)},
                        {0.85, QColor(0, 0, 0, 0)},
                        {1.0, QColor(0, 0, 0, 90)}});
        p.setBrush(side);
        p.drawRoundedRect(base, 18, 18);
    }

    const QColor paint(112, 124, 134); // blue-grey hammer enamel
    auto paintedBox = [&](const QRectF& r, double radius, double light) {
        QLinearGradient g(r.left(), 0, r.right(), 0);
        setStops(g, {{0.0, mix(QColor(40, 30, 34), env, 0.45)},
                     {0.025, shade(paint, 1.30 * light)},
                     {0.07, shade(paint, 1.08 * light)},
                     {0.45, shade(paint, 0.92 * light)},
                     {0.90, shade(paint, 0.66 * light)},
                     {0.975, shade(paint, 0.42 * light)},
                     {1.0, mix(QColor(60, 30, 30), env, 0.5)}});
        p.setBrush(g);
        p.drawRoundedRect(r, radius, radius);
        QLinearGradient v(0, r.top(), 0, r.bottom());
        setStops(v, {{0.0, QColor(255, 255, 255, 30)},
                     {0.3, QColor(0, 0, 0, 0)},
                     {1.0, QColor(0, 0, 0, 90)}});
        p.setBrush(v);
        p.drawRoundedRect(r, radius, radius);
    };

    // Contact shadow of the body on the plinth.
    drawSoft(
        p, 10,
        [&](QPainter& lp) {
            lp.setPen(Qt::NoPen);
            lp.setBrush(QColor(0, 0, 0, 230));
            lp.drawRect(QRectF(262, 1138, 540, 22));
        },
        0.8);

    // Lamp house: a tall dome-topped hood with cooling slits.
    const QRectF lamp(300, 318, 330, 300);
    {
        QPainterPath hood;
        hood.moveTo(lamp.left(), lamp.bottom());
        hood.lineTo(lamp.left(), lamp.top() + 120);
        hood.cubicTo(lamp.left(), lamp.top() + 20, lamp.left() + 60, lamp.top(), lamp.center().x(),
                     lamp.top());
        hood.cubicTo(lamp.right() - 60, lamp.top(), lamp.right(), lamp.top() + 20, lamp.right(),
                     lamp.top() + 120);
        hood.lineTo(lamp.right(), lamp.bottom());
        hood.closeSubpath();
        QLinearGradient g(lamp.left(), 0, lamp.right(), 0);
        setStops(g, {{0.0, mix(QColor(40, 30, 34), env, 0.45)},
                     {0.04, shade(paint, 1.32)},
                     {0.16, shade(paint, 1.12)},
                     {0.5, shade(paint, 0.88)},
                     {0.92, shade(paint, 0.58)},
                     {1.0, mix(QColor(60, 30, 30), env, 0.5)}});
        p.setBrush(g);
        p.drawPath(hood);
        // The dome catches the key light on its top.
        QRadialGradient top(QPointF(lamp.left() + 110, lamp.top() + 40), 190);
        setStops(top, {{0.0, QColor(255, 255, 255, 110)},
                       {0.4, QColor(255, 255, 255, 30)},
                       {1.0, QColor(255, 255, 255, 0)}});
        p.setBrush(top);
        p.drawPath(hood);
        p.save();
        p.setClipPath(hood);
        for (int i = 0; i < 8; ++i) {
            const double y = lamp.top() + 112 + i * 22;
            const double warmth = 0.35 + 0.1 * std::sin(i * 1.7);
            coolingSlit(p, QRectF(lamp.left() + 42, y, 112, 10), warmth);
            coolingSlit(p, QRectF(lamp.left() + 176, y, 112, 10), warmth * 0.8);
        }
        p.restore();
        // A cap bolt at the dome's crown.
        QRadialGradient bolt(QPointF(lamp.center().x() - 6, lamp.top() + 24), 18);
        setStops(bolt, {{0.0, QColor(255, 255, 255)},
                        {0.4, QColor(150, 150, 155)},
                        {1.0, QColor(30, 30, 32)}});
        p.setBrush(bolt);
        p.drawEllipse(QPointF(lamp.center().x(), lamp.top() + 30), 15, 12);
    }

    // Main body.
    const QRectF body(266, 596, 430, 552);
    drawSoft(
        p, 12,
        [&](QPainter& lp) {
            lp.setPen(Qt::NoPen);
            lp.setBrush(QColor(0, 0, 0, 200));
            lp.drawRect(QRectF(lamp.left(), body.top() - 4, lamp.width(), 26));
        },
        0.7);
    paintedBox(body, 38, 1.0);
    // Top face of the body, seen slightly from above, with the lamp house standing on it.
    {
        QLinearGradient g(body.left(), 0, body.right(), 0);
        setStops(g, {{0.0, shade(paint, 1.2)}, {0.5, shade(paint, 1.1)}, {1.0, shade(paint, 0.8)}});
        p.setBrush(g);
        p.drawRoundedRect(QRectF(body.left() + 10, body.top() - 10, body.width() - 20, 24), 12, 12);
        p.setBrush(QColor(255, 255, 255, 60));
        p.drawRect(QRectF(body.left() + 30, body.top() - 9, body.width() - 80, 3));
        drawSoft(
            p, 8,
            [&](QPainter& lp) {
                lp.setPen(Qt::NoPen);
                lp.setBrush(QColor(0, 0, 0, 230));
                lp.drawRect(QRectF(lamp.left() + 6, body.top() - 6, lamp.width() - 12, 14));
            },
            0.85);
    }
    // An inset front panel with a bevel, a seam, a switch and a small vent grille.
    {
        const QRectF panel(body.left() + 36, body.top() + 56, body.width() - 74, 420);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0, 0, 0, 90), 4));
        p.drawRoundedRect(panel.translated(-1.5, -1.5), 20, 20);
        p.setPen(QPen(QColor(255, 255, 255, 55), 3));
        p.drawRoundedRect(panel.translated(2, 2), 20, 20);
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 9; ++i) {
            const double x = panel.left() + 40 + i * 24;
            QRectF slot(x, panel.bottom() - 120, 9, 70);
            p.setBrush(QColor(255, 255, 255, 45));
            p.drawRoundedRect(slot.translated(2, 2), 4, 4);
            p.setBrush(QColor(14, 14, 16));
            p.drawRoundedRect(slot, 4, 4);
        }
        // Rocker switch.
        const QRectF sw(panel.right() - 96, panel.bottom() - 126, 52, 80);
        drawSoft(
            p, 6,
            [&](QPainter& lp) {
                lp.setPen(Qt::NoPen);
                lp.setBrush(QColor(0, 0, 0, 220));
                lp.drawRoundedRect(sw.translated(5, 7), 8, 8);
            },
            0.8);
        QLinearGradient sg(0, sw.top(), 0, sw.bottom());
        setStops(sg, {{0.0, QColor(70, 70, 72)},
                      {0.45, QColor(24, 24, 26)},
                      {0.5, QColor(8, 8, 8)},
                      {0.55, QColor(40, 40, 42)},
                      {1.0, QColor(16, 16, 16)}});
        p.setBrush(sg);
        p.drawRoundedRect(sw, 8, 8);
        p.setBrush(QColor(255, 255, 255, 70));
        p.drawRoundedRect(QRectF(sw.left() + 6, sw.top() + 5, sw.width() - 12, 5), 2, 2);
        // A plain polished badge without lettering.
        const QRectF badge(panel.left() + 60, panel.top() + 54, 170, 46);
        QLinearGradient bg(0, badge.top(), 0, badge.bottom());
        setMetalStops(bg, Finish::Chrome, env);
        p.setPen(QPen(QColor(30, 30, 32), 2));
        p.setBrush(bg);
        p.drawRoundedRect(badge, 23, 23);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 12, 10));
        p.drawRoundedRect(badge.adjusted(14, 12, -14, -12), 11, 11);
        p.setBrush(QColor(255, 255, 255, 50));
        p.drawRoundedRect(QRectF(badge.left() + 20, badge.top() + 14, badge.width() - 40, 4), 2, 2);
    }

    // Gate tower on the right: carries the film gate, the lens and the canister.
    const QRectF tower(676, 540, 124, 470);
    drawSoft(
        p, 14,
        [&](QPainter& lp) {
            lp.setPen(Qt::NoPen);
            lp.setBrush(QColor(0, 0, 0, 200));
            lp.drawRoundedRect(tower.adjusted(-18, 10, -60, 0), 20, 20);
        },
        0.7);
    paintedBox(tower, 26, 0.92);
    p.setBrush(QColor(255, 255, 255, 40));
    p.drawRoundedRect(QRectF(tower.left() + 8, tower.top() + 4, tower.width() - 16, 6), 3, 3);

    // Film: leaves the canister, enters the gate; a curl of it hangs out below.
    const double lensY = 736;
    {
        QPainterPath out;
        out.moveTo(738, tower.bottom() - 6);
        out.cubicTo(740, tower.bottom() + 60, 800, tower.bottom() + 70, 830, tower.bottom() + 30);
        out.cubicTo(860, tower.bottom() - 10, 900, tower.bottom() + 10, 905, tower.bottom() + 70);
        drawSoft(
            p, 8,
            [&](QPainter& lp) {
                lp.setBrush(Qt::NoBrush);
                lp.setPen(QPen(QColor(0, 0, 0, 200), 40));
                lp.drawPath(out.translated(10, 14));
            },
            0.6);
        drawFilm(p, out, 40);
        // Slot the film leaves through.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(10, 10, 10));
        p.drawRoundedRect(QRectF(712, tower.bottom() - 14, 52, 10), 4, 4);
    }

    // Film canister on top of the tower: a short vertical cylinder.
    {
        const double cx = 738, top = 466, bottom = 536, rx = 86, ry = 22;
        drawSoft(
            p, 10,
            [&](QPainter& lp) {
                lp.setPen(Qt::NoPen);
                lp.setBrush(QColor(0, 0, 0, 220));
                lp.drawEllipse(QPointF(cx + 10, bottom + 6), rx, ry);
            },
            0.8);
        QLinearGradient g(cx - rx, 0, cx + rx, 0);
        setMetalStops(g, Finish::Chrome, env);
        QPainterPath side;
        side.addRect(QRectF(cx - rx, top, 2 * rx, bottom - top));
        side.addEllipse(QPointF(cx, bottom), rx, ry);
        side.setFillRule(Qt::WindingFill);
        p.setBrush(g);
        p.drawPath(side.simplified());
        // Rolled rims.
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0, 0, 0, 120), 3));
        p.drawArc(QRectF(cx - rx, top + 18 - ry, 2 * rx, 2 * ry), 180 * 16, 180 * 16);
        p.setPen(QPen(QColor(255, 255, 255, 90), 2));
        p.drawArc(QRectF(cx - rx, top + 21 - ry, 2 * rx, 2 * ry), 190 * 16, 120 * 16);
        p.setPen(Qt::NoPen);
        QRadialGradient lid(QPointF(cx - 30, top - 8), rx * 1.3);
        setStops(lid, {{0.0, QColor(236, 236, 238)},
                       {0.5, QColor(150, 148, 150)},
                       {1.0, mix(QColor(80, 60, 60), env, 0.4)}});
        p.setBrush(lid);
        p.drawEllipse(QPointF(cx, top), rx, ry);
        QRadialGradient hub(QPointF(cx - 6, top - 4), 26);
        setStops(hub, {{0.0, QColor(90, 90, 92)}, {1.0, QColor(14, 14, 14)}});
        p.setBrush(hub);
        p.drawEllipse(QPointF(cx, top - 2), 24, 7);
        p.setBrush(QColor(255, 255, 255, 140));
        p.drawEllipse(QPointF(cx - 6, top - 5), 8, 2);
    }

    // Frame advance knob on the tower.
    knob(p, QPointF(738, 906), 40, env);

    // The lens: mount, knurled focus ring, chrome barrel, front rim with glass.
    {
        drawSoft(
            p, 10,
            [&](QPainter& lp) {
                lp.setPen(Qt::NoPen);
                lp.setBrush(QColor(0, 0, 0, 200));
                lp.drawRect(QRectF(796, lensY - 66, 70, 166));
            },
            0.6);
        cylinderSide(p, 796, 830, lensY, 92, Finish::BlackMetal, env);
        endFace(p, 830, lensY, 92, QColor(70, 70, 72), QColor(10, 10, 10));
        cylinderSide(p, 830, 914, lensY, 84, Finish::BlackMetal, env);
        knurl(p, 834, 910, lensY, 84, 32);
        endFace(p, 914, lensY, 84, QColor(60, 60, 62), QColor(8, 8, 8));
        cylinderSide(p, 914, 1000, lensY, 70, Finish::Chrome, env);
        // Engraved rings on the chrome.
        p.setPen(QPen(QColor(0, 0, 0, 110), 2));
        for (double x : {930.0, 938.0, 976.0})
            p.drawLine(QPointF(x, lensY - 70), QPointF(x, lensY + 70));
        p.setPen(Qt::NoPen);
        cylinderSide(p, 1000, 1018, lensY, 77, Finish::BlackMetal, env);
        // Front: black rim face, then the glass with its coating and reflections.
        const double fx = 1018;
        endFace(p, fx, lensY, 77, QColor(90, 90, 94), QColor(14, 14, 14));
        QRadialGradient glass(QPointF(fx - 2, lensY + 8), 62);
        setStops(glass, {{0.0, QColor(60, 38, 30)},
                         {0.4, QColor(22, 20, 34)},
                         {0.8, QColor(14, 22, 40)},
                         {1.0, QColor(4, 4, 8)}});
        p.setBrush(glass);
        p.drawEllipse(QPointF(fx + 1, lensY), 10.5, 62);
        p.setBrush(QColor(150, 120, 230, 70)); // coating reflection
        p.drawEllipse(QPointF(fx - 1, lensY + 26), 3, 14);
        p.setBrush(QColor(255, 255, 255, 230)); // soft box reflection
        p.drawEllipse(QPointF(fx - 2, lensY - 33), 3.6, 13);
        p.setBrush(QColor(255, 190, 120, 160)); // the lamp, faintly, deep inside
        p.drawEllipse(QPointF(fx + 2, lensY + 4), 2.6, 7);
    }

    // Warm light escaping the lamp house slits, and a faint beam haze from the lens.
    drawSoft(
        p, 22,
        [&](QPainter& lp) {
            lp.setPen(Qt::NoPen);
            lp.setBrush(QColor(255, 140, 60, 60));
            lp.drawRect(QRectF(lamp.left() + 40, lamp.top() + 110, lamp.width() - 80, 170));
        },
        0.25, QPainter::CompositionMode_Plus);
    drawSoft(
        p, 40,
        [&](QPainter& lp) {
            lp.setPen(Qt::NoPen);
            QPolygonF beam;
            beam << QPointF(1018, lensY - 44) << QPointF(1090, lensY - 120)
                 << QPointF(1090, lensY + 120) << QPointF(1018, lensY + 44);
            lp.setBrush(QColor(255, 200, 150, 90));
            lp.drawPolygon(beam);
        },
        0.5, QPainter::CompositionMode_Plus);
}

} // namespace

QImage drawBand(QSize size) {
    QImage img(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            row[x] = bandColour((x + 0.5) / size.width()).rgb();
    }
    return img;
}

QImage drawProjector(QSize size, const ProjectorLook& look) {
    const int factor = size.width() > 500 ? 2 : 4;
    Surface s(size, factor, kScene);
    paintGround(s.image(), look.ground);
    {
        QPainter p(&s.image());
        p.setTransform(s.sceneTransform());
        drawScene(p, look.ground);
    }
    QImage out = s.result();
    if (look.ground == ProjectorGround::Studio)
        vignette(out, 0.45);
    if (look.grain > 0)
        addGrain(out, look.grain, 0x4B414452ull + std::uint64_t(size.width()));
    return out;
}

} // namespace picgen
