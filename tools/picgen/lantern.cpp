// Lampionika's magic lantern on black: a japanned body with brass trim on a mahogany base, a
// chimney with a vented crown, a brass lens tube pointing right, and between body and lens the
// stage through which a long picture plate slides. The lamp is lit: light shows at the
// peephole, the chimney vents and the lens.
//
// The lantern is drawn in an oblique view: x runs right, y down, and depth z recedes up and
// to the right. The picture plate stands in a plane of constant x and slides along z, so its
// pictures pass the lens one by one; toward the viewer it sticks out down-left, away from the
// viewer up-right behind the lens tube.
#include "canvas.h"
#include "scenes.h"

#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace picgen {

namespace {

const QSizeF kScene(1000, 1360);
const QPointF kDepth(0.52, -0.30); // image offset per unit of depth

QPointF proj(double x, double y, double z) {
    return QPointF(x, y) + kDepth * z;
}

QPolygonF quad(QPointF a, QPointF b, QPointF c, QPointF d) {
    QPolygonF q;
    q << a << b << c << d;
    return q;
}

// Geometry of the lantern, world units.
const double kBodyL = 110, kBodyR = 470, kBodyT = 560, kBodyB = 1030, kBodyZ0 = 40, kBodyZ1 = 320;
const double kAxisY = 790, kAxisZ = 180; // optical axis
const double kStageL = 506, kStageR = 562, kStageT = 640, kStageB = 940, kStageZ0 = 60,
             kStageZ1 = 300;
const double kPlateX = 540, kPlateT = 680, kPlateB = 900;
const double kPitch = 165, kWindow = 70; // picture spacing and radius on the plate
const int kPictures = 4;
const double kPlateEnd = 110; // wood beyond the outer pictures' centres

// Shaded box faces: front (z = z0), top (y = y0) and right (x = x1).
struct Box {
    double x0, x1, y0, y1, z0, z1;
    QPolygonF front() const {
        return quad(proj(x0, y0, z0), proj(x1, y0, z0), proj(x1, y1, z0), proj(x0, y1, z0));
    }
    QPolygonF top() const {
        return quad(proj(x0, y0, z0), proj(x1, y0, z0), proj(x1, y0, z1), proj(x0, y0, z1));
    }
    QPolygonF right() const {
        return quad(proj(x1, y0, z0), proj(x1, y0, z1), proj(x1, y1, z1), proj(x1, y1, z0));
    }
    QPolygonF outline() const {
        return quad(proj(x0, y0, z0), proj(x0, y0, z1), proj(x1, y0, z1), proj(x1, y1, z1))
               << proj(x1, y1, z0) << proj(x0, y1, z0);
    }
};

// Maps the unit circle onto a circle of radius r around the x axis at (x, cy, cz).
QTransform circleAroundX(double x, double cy, double cz, double r) {
    // (cos t, sin t) -> (x, cy + r cos t, cz + r sin t) projected.
    return QTransform(0, r, kDepth.x() * r, r * kDepth.y() + 0, x + kDepth.x() * cz,
                      cy + kDepth.y() * cz);
}

// The unit circle under `circle` (an end face or a section of a cylinder), filled with the
// painter's brush, or with `brush` when one is given; the brush is in the circle's own units.
void unitEllipse(QPainter& p, const QTransform& circle, const QBrush* brush = nullptr) {
    p.save();
    p.setTransform(circle, true);
    if (brush) {
        p.setPen(Qt::NoPen);
        p.setBrush(*brush);
    }
    p.drawEllipse(QPointF(0, 0), 1, 1);
    p.restore();
}

// A cylinder along x from x0 to x1, its end face at x1 visible.
void cylinderX(QPainter& p, double x0, double x1, double cy, double cz, double r, Finish f,
               const QColor& faceLit, const QColor& faceDark) {
    const QTransform e0 = circleAroundX(x0, cy, cz, r), e1 = circleAroundX(x1, cy, cz, r);
    // Silhouette: the projected circles' highest and lowest points.
    const double k = std::hypot(1.0, kDepth.y());
    auto onCircle = [](const QTransform& t, QPointF unit) {
        // unit = (cos, sin) of the parameter giving the extreme point
        return t.map(unit);
    };
    const QPointF t0 = onCircle(e0, QPointF(-1 / k, -kDepth.y() / k));
    const QPointF t1 = onCircle(e1, QPointF(-1 / k, -kDepth.y() / k));
    const QPointF b1 = onCircle(e1, QPointF(1 / k, kDepth.y() / k));
    const QPointF b0 = onCircle(e0, QPointF(1 / k, kDepth.y() / k));
    QLinearGradient g(0, t0.y(), 0, b0.y());
    setMetalStops(g, f, QColor(0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPolygon(quad(t0, t1, b1, b0));
    unitEllipse(p, e0);
    QLinearGradient fg(-1, -1, 1, 1);
    setStops(fg, {{0.0, faceLit}, {1.0, faceDark}});
    const QBrush face(fg);
    unitEllipse(p, e1, &face);
}

// An ellipse on the end face of a cylinder along x (a ring, a glass, a hole).
void faceEllipse(QPainter& p, double x, double cy, double cz, double r, const QBrush& brush) {
    unitEllipse(p, circleAroundX(x, cy, cz, r), &brush);
}

// A vertical cylinder around (cx, cz) from y0 (top) to y1; its top is left to the caller.
QTransform circleAroundY(double cx, double y, double cz, double r) {
    // (cos t, sin t) -> (cx + r cos t, y, cz + r sin t) projected.
    return QTransform(r, 0, kDepth.x() * r, kDepth.y() * r, cx + kDepth.x() * cz,
                      y + kDepth.y() * cz);
}

void cylinderY(QPainter& p, double cx, double y0, double y1, double cz, double r, Finish f) {
    const QTransform e0 = circleAroundY(cx, y0, cz, r), e1 = circleAroundY(cx, y1, cz, r);
    const double k = std::hypot(1.0, kDepth.x());
    const QPointF l(-1 / k, -kDepth.x() / k), rr(1 / k, kDepth.x() / k);
    QLinearGradient g(e1.map(l).x(), 0, e1.map(rr).x(), 0);
    setMetalStops(g, f, QColor(0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPolygon(quad(e0.map(l), e0.map(rr), e1.map(rr), e1.map(l)));
    unitEllipse(p, e0);
    unitEllipse(p, e1);
}

void ellipseTop(QPainter& p, double cx, double y, double cz, double r, const QBrush& brush) {
    unitEllipse(p, circleAroundY(cx, y, cz, r), &brush);
}

QLinearGradient brassStrip(QPointF from, QPointF to) {
    QLinearGradient g(from, to);
    setStops(g, {{0.0, QColor(255, 228, 150)},
                 {0.3, QColor(206, 156, 64)},
                 {0.7, QColor(130, 86, 26)},
                 {1.0, QColor(60, 36, 8)}});
    return g;
}

void rivet(QPainter& p, QPointF c, double r) {
    QRadialGradient g(c + QPointF(-r * 0.35, -r * 0.4), r * 1.2);
    setStops(g,
             {{0.0, QColor(255, 240, 190)}, {0.4, QColor(190, 140, 60)}, {1.0, QColor(50, 30, 8)}});
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(c, r, r);
}

// ---- The plate's hand-painted pictures, each in a unit circle. ----

void paintNight(QPainter& p) {
    QLinearGradient sky(0, -1, 0, 0.3);
    setStops(sky, {{0.0, QColor(8, 14, 60)}, {1.0, QColor(40, 70, 150)}});
    p.setBrush(sky);
    p.drawRect(QRectF(-1, -1, 2, 2));
    p.setBrush(QColor(10, 30, 70));
    p.drawRect(QRectF(-1, 0.3, 2, 0.7));
    p.setBrush(QColor(255, 230, 120));
    QPainterPath moon;
    moon.addEllipse(QPointF(0.25, -0.35), 0.3, 0.3);
    QPainterPath bite;
    bite.addEllipse(QPointF(0.38, -0.43), 0.26, 0.26);
    p.drawPath(moon.subtracted(bite));
    for (auto [x, y] : {std::pair{-0.6, -0.5},
                        {-0.3, -0.7},
                        {-0.45, -0.15},
                        {0.6, 0.05},
                        {-0.1, -0.3},
                        {0.7, -0.6}})
        p.drawEllipse(QPointF(x, y), 0.04, 0.04);
    p.setBrush(QColor(255, 220, 110, 170));
    for (int i = 0; i < 4; ++i)
        p.drawRect(QRectF(0.05 + 0.04 * i, 0.38 + 0.12 * i, 0.3 - 0.06 * i, 0.04));
}

void paintShip(QPainter& p) {
    QLinearGradient sky(0, -1, 0, 0.25);
    setStops(
        sky,
        {{0.0, QColor(200, 60, 30)}, {0.7, QColor(250, 170, 50)}, {1.0, QColor(255, 220, 120)}});
    p.setBrush(sky);
    p.drawRect(QRectF(-1, -1, 2, 2));
    p.setBrush(QColor(255, 240, 170));
    p.drawEllipse(QPointF(-0.35, 0.12), 0.22, 0.22);
    QLinearGradient sea(0, 0.25, 0, 1);
    setStops(sea, {{0.0, QColor(60, 90, 120)}, {1.0, QColor(20, 40, 70)}});
    p.setBrush(sea);
    p.drawRect(QRectF(-1, 0.25, 2, 0.75));
    p.setBrush(QColor(50, 26, 14));
    QPolygonF hull;
    hull << QPointF(-0.55, 0.2) << QPointF(0.6, 0.2) << QPointF(0.45, 0.42) << QPointF(-0.42, 0.42);
    p.drawPolygon(hull);
    p.setBrush(QColor(250, 240, 215));
    QPolygonF s1, s2;
    s1 << QPointF(-0.05, -0.6) << QPointF(-0.05, 0.15) << QPointF(-0.45, 0.15);
    s2 << QPointF(0.05, -0.72) << QPointF(0.05, 0.15) << QPointF(0.5, 0.15);
    p.drawPolygon(s1);
    p.drawPolygon(s2);
}

void paintCottage(QPainter& p) {
    QLinearGradient sky(0, -1, 0, 0.2);
    setStops(sky, {{0.0, QColor(60, 130, 210)}, {1.0, QColor(170, 210, 240)}});
    p.setBrush(sky);
    p.drawRect(QRectF(-1, -1, 2, 2));
    p.setBrush(QColor(60, 150, 50));
    p.drawEllipse(QPointF(-0.4, 0.9), 1.2, 0.75);
    p.setBrush(QColor(40, 120, 40));
    p.drawEllipse(QPointF(0.7, 1.0), 1.0, 0.8);
    p.setBrush(QColor(240, 220, 170));
    p.drawRect(QRectF(-0.35, -0.05, 0.6, 0.42));
    p.setBrush(QColor(190, 40, 30));
    QPolygonF roof;
    roof << QPointF(-0.45, -0.03) << QPointF(-0.05, -0.42) << QPointF(0.35, -0.03);
    p.drawPolygon(roof);
    p.setBrush(QColor(90, 50, 20));
    p.drawRect(QRectF(-0.12, 0.12, 0.14, 0.25));
    p.setBrush(QColor(250, 200, 60));
    p.drawRect(QRectF(0.08, 0.05, 0.12, 0.1));
    p.setBrush(QColor(30, 90, 30));
    p.drawEllipse(QPointF(0.58, -0.08), 0.2, 0.28);
    p.setBrush(QColor(80, 50, 20));
    p.drawRect(QRectF(0.55, 0.15, 0.06, 0.2));
}

void paintBalloon(QPainter& p) {
    QLinearGradient sky(0, -1, 0, 1);
    setStops(sky, {{0.0, QColor(90, 160, 220)}, {1.0, QColor(200, 230, 250)}});
    p.setBrush(sky);
    p.drawRect(QRectF(-1, -1, 2, 2));
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawEllipse(QPointF(-0.5, 0.45), 0.35, 0.12);
    p.drawEllipse(QPointF(0.5, 0.6), 0.3, 0.1);
    QPainterPath balloon;
    balloon.addEllipse(QPointF(0, -0.22), 0.42, 0.48);
    p.save();
    p.setClipPath(balloon, Qt::IntersectClip);
    for (int i = 0; i < 6; ++i) {
        p.setBrush(i % 2 ? QColor(250, 210, 40) : QColor(210, 30, 30));
        p.drawRect(QRectF(-0.42 + i * 0.14, -0.8, 0.14, 1.2));
    }
    p.restore();
    p.setPen(QPen(QColor(70, 40, 20), 0.02));
    p.drawLine(QPointF(-0.2, 0.2), QPointF(-0.08, 0.42));
    p.drawLine(QPointF(0.2, 0.2), QPointF(0.08, 0.42));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(110, 60, 20));
    p.drawRect(QRectF(-0.1, 0.4, 0.2, 0.14));
}

using Painter = void (*)(QPainter&);
const Painter kPictureArt[kPictures] = {paintNight, paintShip, paintCottage, paintBalloon};
const QColor kPictureLight[kPictures] = {QColor(120, 150, 255), QColor(255, 170, 70),
                                         QColor(160, 230, 140), QColor(255, 200, 160)};

// Plate coordinates: u along the plate (depth), v down (world y). `lensIndex` is the
// position (in pictures) that sits at the lens; the plate's first picture is the one nearest
// the lens when it enters, the rest sticks out toward the viewer.
QTransform plateTransform(double lensIndex) {
    // Picture i's centre is at depth kAxisZ - (i - lensIndex) * kPitch.
    const double z0 = kAxisZ + lensIndex * kPitch; // depth of u = 0 (picture 0)
    // world (x = kPlateX, y = v, z = z0 - u)
    const QPointF o = proj(kPlateX, 0, z0);
    return QTransform(-kDepth.x(), -kDepth.y(), 0, 1, o.x(), o.y());
}

double plateU0() {
    return -kPlateEnd;
}
double plateU1() {
    return (kPictures - 1) * kPitch + kPlateEnd;
}

void drawPlate(QPainter& p, double lensIndex, double light) {
    p.save();
    const QTransform base = p.transform();
    p.setTransform(plateTransform(lensIndex) * base);
    const double u0 = plateU0(), u1 = plateU1();
    const QRectF plate(u0, kPlateT, u1 - u0, kPlateB - kPlateT);
    // Mahogany frame with a little grain.
    QLinearGradient wood(0, kPlateT, 0, kPlateB);
    setStops(wood, {{0.0, shade(QColor(150, 70, 36), light * 1.2)},
                    {0.12, shade(QColor(112, 48, 22), light)},
                    {0.85, shade(QColor(76, 30, 14), light)},
                    {1.0, shade(QColor(40, 16, 6), light)}});
    p.setPen(Qt::NoPen);
    p.setBrush(wood);
    p.drawRect(plate);
    Rng rng(77);
    for (int i = 0; i < 26; ++i) {
        const double v = rng.uniform(kPlateT + 6, kPlateB - 6);
        p.setPen(QPen(QColor(30, 10, 2, int(rng.uniform(30, 90))), rng.uniform(1.0, 3.0)));
        QPainterPath grain;
        grain.moveTo(u0, v);
        grain.cubicTo(u0 + (u1 - u0) * 0.3, v + rng.uniform(-8, 8), u0 + (u1 - u0) * 0.7,
                      v + rng.uniform(-8, 8), u1, v + rng.uniform(-5, 5));
        p.setBrush(Qt::NoBrush);
        p.drawPath(grain);
    }
    p.setPen(Qt::NoPen);
    // The pictures in their round windows, with a gilt ring and a glint on the glass.
    const double cv = (kPlateT + kPlateB) / 2;
    for (int i = 0; i < kPictures; ++i) {
        const QPointF c(i * kPitch, cv);
        p.setBrush(shade(QColor(30, 12, 4), light));
        p.drawEllipse(c, kWindow + 9, kWindow + 9);
        QRadialGradient gilt(c + QPointF(-20, -30), kWindow + 20);
        setStops(gilt, {{0.0, shade(QColor(255, 220, 140), light)},
                        {1.0, shade(QColor(120, 80, 20), light)}});
        p.setBrush(gilt);
        p.drawEllipse(c, kWindow + 5, kWindow + 5);
        p.save();
        QPainterPath window;
        window.addEllipse(c, kWindow, kWindow);
        p.setClipPath(window, Qt::IntersectClip);
        p.translate(c);
        p.scale(kWindow, kWindow);
        kPictureArt[i](p);
        // Dim the picture to the light it stands in, darken its edge like old glass.
        QRadialGradient edge(QPointF(0, 0), 1);
        setStops(edge, {{0.0, QColor(0, 0, 0, int(255 * (1 - light) * 0.8))},
                        {0.75, QColor(0, 0, 0, int(255 * (1 - light) * 0.8 + 30))},
                        {1.0, QColor(0, 0, 0, 200)}});
        p.setBrush(edge);
        p.drawRect(QRectF(-1, -1, 2, 2));
        p.restore();
    }
    // A long reflection of the key light across the glass and the varnish.
    QLinearGradient glint(u0, kPlateT, u0 + 200, kPlateB);
    glint.setSpread(QGradient::RepeatSpread);
    setStops(glint, {{0.0, QColor(255, 255, 255, 0)},
                     {0.45, QColor(255, 255, 255, 0)},
                     {0.5, QColor(255, 255, 255, int(40 * light))},
                     {0.55, QColor(255, 255, 255, 0)},
                     {1.0, QColor(255, 255, 255, 0)}});
    p.setBrush(glint);
    p.drawRect(plate);
    p.restore();
}

// The plate's edge toward the viewer and its top edge, which show its thickness.
void drawPlateEdges(QPainter& p, double lensIndex, double light) {
    const double z0 = kAxisZ + lensIndex * kPitch;
    const double zNear = z0 - plateU1(), zFar = z0 - plateU0();
    const double x0 = kPlateX - 12, x1 = kPlateX;
    p.setPen(Qt::NoPen);
    p.setBrush(shade(QColor(160, 84, 46), light * 1.1));
    p.drawPolygon(quad(proj(x0, kPlateT, zNear), proj(x1, kPlateT, zNear), proj(x1, kPlateT, zFar),
                       proj(x0, kPlateT, zFar)));
    p.setBrush(shade(QColor(70, 30, 12), light));
    p.drawPolygon(quad(proj(x0, kPlateT, zNear), proj(x1, kPlateT, zNear), proj(x1, kPlateB, zNear),
                       proj(x0, kPlateB, zNear)));
}

// Which parts of the plate to draw: the part beyond the stage (behind it), or the part in
// front of it, by clipping the plate to depth ranges.
QPainterPath depthClip(double zFrom, double zTo) {
    QPainterPath path;
    path.addPolygon(quad(proj(kPlateX, 0, zFrom), proj(kPlateX, 0, zTo), proj(kPlateX, 1400, zTo),
                         proj(kPlateX, 1400, zFrom)));
    path.closeSubpath();
    return path;
}

void drawScene(QPainter& p, Plate plate) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.translate(40, 90);

    double lensIndex = 0;
    QColor lensLight(255, 236, 200);
    double lensGlow = 1.0;
    switch (plate) {
    case Plate::None:
        break;
    case Plate::First:
        lensIndex = 0;
        break;
    case Plate::Second:
        lensIndex = 1;
        break;
    case Plate::Middle:
        lensIndex = (kPictures - 1) / 2.0;
        break;
    case Plate::Last:
        lensIndex = kPictures - 1;
        break;
    }
    if (plate != Plate::None) {
        const double nearest = std::round(lensIndex);
        if (std::abs(nearest - lensIndex) > 0.25) {
            lensGlow = 0.15; // the wood between two pictures blocks the light
        } else {
            lensLight = kPictureLight[int(nearest)];
            lensGlow = 0.7;
        }
    }

    // A faint pool of light on the floor around the lantern, fading into black.
    drawSoft(
        p, 60,
        [&](QPainter& lp) {
            lp.setPen(Qt::NoPen);
            lp.setBrush(QColor(40, 28, 18, 160));
            lp.drawEllipse(QPointF(520, 1010), 470, 110);
        },
        0.6);
    drawSoft(
        p, 14,
        [&](QPainter& lp) {
            lp.setPen(Qt::NoPen);
            lp.setBrush(QColor(0, 0, 0, 255));
            lp.drawPolygon(Box{60, 800, 1060, 1080, 0, 340}.outline());
        },
        0.9);

    // Far part of the plate, behind the stage and the lens tube.
    if (plate != Plate::None) {
        p.save();
        p.setClipPath(depthClip(kStageZ1, 3000));
        drawPlate(p, lensIndex, 0.55);
        p.restore();
    }

    // Mahogany base board.
    const Box board{60, 800, 1030, 1070, 0, 340};
    {
        QLinearGradient top(proj(0, 1030, 340), proj(0, 1030, 0));
        setStops(
            top,
            {{0.0, QColor(60, 22, 8)}, {0.7, QColor(120, 50, 22)}, {1.0, QColor(150, 68, 32)}});
        p.setBrush(top);
        p.drawPolygon(board.top());
        QLinearGradient front(board.x0, 0, board.x1, 0);
        setStops(front,
                 {{0.0, QColor(96, 38, 16)}, {0.4, QColor(76, 28, 10)}, {1.0, QColor(40, 14, 4)}});
        p.setBrush(front);
        p.drawPolygon(board.front());
        p.setBrush(QColor(30, 10, 2));
        p.drawPolygon(board.right());
        p.setBrush(QColor(255, 200, 150, 70));
        p.drawPolygon(
            quad(proj(60, 1030, 0), proj(800, 1030, 0), proj(800, 1033, 0), proj(60, 1033, 0)));
        Rng rng(11);
        for (int i = 0; i < 14; ++i) {
            const double y = rng.uniform(1036, 1066);
            p.setPen(QPen(QColor(20, 6, 0, int(rng.uniform(40, 110))), 1.5));
            p.drawLine(proj(60, y, 0), proj(800, y + rng.uniform(-3, 3), 0));
        }
        p.setPen(Qt::NoPen);
    }

    // Contact shadows of the body and the lens support on the board.
    drawSoft(
        p, 16,
        [&](QPainter& lp) {
            lp.setPen(Qt::NoPen);
            lp.setBrush(QColor(0, 0, 0, 230));
            lp.drawPolygon(
                Box{kBodyL - 6, kBodyR + 70, 1030, 1030, kBodyZ0 - 14, kBodyZ1 + 10}.top());
            lp.drawEllipse(proj(730, 1030, kAxisZ), 44, 14);
        },
        0.85);

    // The body: japanned black sheet metal.
    const Box body{kBodyL, kBodyR, kBodyT, kBodyB, kBodyZ0, kBodyZ1};
    {
        QLinearGradient top(proj(0, kBodyT, kBodyZ1), proj(0, kBodyT, kBodyZ0));
        setStops(top, {{0.0, QColor(12, 11, 10)},
                       {0.6, QColor(46, 42, 38)},
                       {0.85, QColor(70, 64, 58)},
                       {1.0, QColor(34, 30, 28)}});
        p.setBrush(top);
        p.drawPolygon(body.top());
        QLinearGradient front(proj(kBodyL, kBodyT, kBodyZ0), proj(kBodyR, kBodyB, kBodyZ0));
        setStops(front, {{0.0, QColor(40, 37, 34)},
                         {0.22, QColor(22, 20, 19)},
                         {0.36, QColor(64, 60, 56)},
                         {0.46, QColor(24, 22, 20)},
                         {1.0, QColor(6, 6, 6)}});
        p.setBrush(front);
        p.drawPolygon(body.front());
        QLinearGradient right(proj(kBodyR, kBodyT, kBodyZ0), proj(kBodyR, kBodyT, kBodyZ1));
        setStops(right, {{0.0, QColor(20, 18, 17)}, {1.0, QColor(6, 6, 6)}});
        p.setBrush(right);
        p.drawPolygon(body.right());
        // Brass bands along the front's top and bottom, and up the front corner.
        auto band = [&](double y0, double y1) {
            p.setBrush(brassStrip(proj(0, y0, kBodyZ0), proj(0, y1, kBodyZ0)));
            p.drawPolygon(quad(proj(kBodyL, y0, kBodyZ0), proj(kBodyR, y0, kBodyZ0),
                               proj(kBodyR, y1, kBodyZ0), proj(kBodyL, y1, kBodyZ0)));
            p.setBrush(QColor(90, 60, 20));
            p.drawPolygon(quad(proj(kBodyR, y0, kBodyZ0), proj(kBodyR, y0, kBodyZ1),
                               proj(kBodyR, y1, kBodyZ1), proj(kBodyR, y1, kBodyZ0)));
        };
        band(kBodyT, kBodyT + 26);
        band(kBodyB - 30, kBodyB);
        p.setBrush(brassStrip(proj(kBodyR - 6, 0, kBodyZ0), proj(kBodyR + 6, 0, kBodyZ0)));
        p.drawPolygon(quad(proj(kBodyR - 8, kBodyT, kBodyZ0), proj(kBodyR, kBodyT, kBodyZ0),
                           proj(kBodyR, kBodyB, kBodyZ0), proj(kBodyR - 8, kBodyB, kBodyZ0)));
        for (int i = 0; i < 7; ++i) {
            const double x = kBodyL + 24 + i * (kBodyR - kBodyL - 48) / 6;
            rivet(p, proj(x, kBodyT + 13, kBodyZ0), 5);
            rivet(p, proj(x, kBodyB - 15, kBodyZ0), 5);
        }
        // The side door: a raised panel with a bevel, a latch and a round peephole.
        const QRectF door(kBodyL + 46, kBodyT + 70, kBodyR - kBodyL - 92, kBodyB - kBodyT - 140);
        auto at = [&](double x, double y) { return proj(x, y, kBodyZ0); };
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(90, 84, 78, 160), 3));
        p.drawLine(at(door.left(), door.bottom()), at(door.left(), door.top()));
        p.drawLine(at(door.left(), door.top()), at(door.right(), door.top()));
        p.setPen(QPen(QColor(0, 0, 0, 220), 4));
        p.drawLine(at(door.right(), door.top()), at(door.right(), door.bottom()));
        p.drawLine(at(door.right(), door.bottom()), at(door.left(), door.bottom()));
        p.setPen(Qt::NoPen);
        rivet(p, at(door.right() - 26, door.center().y() + 60), 12);
        for (double y : {door.top() + 40, door.bottom() - 40}) {
            p.setBrush(brassStrip(at(0, y - 12), at(0, y + 12)));
            p.drawRoundedRect(QRectF(at(door.left() - 14, y - 12), QSizeF(30, 24)), 4, 4);
        }
        // Peephole: brass ring, ruby glass lit from inside.
        const QPointF eye = at(door.center().x(), door.top() + 130);
        drawSoft(
            p, 24,
            [&](QPainter& lp) {
                lp.setPen(Qt::NoPen);
                lp.setBrush(QColor(255, 60, 20, 150));
                lp.drawEllipse(eye, 70, 70);
            },
            0.8, QPainter::CompositionMode_Plus);
        QRadialGradient ring(eye + QPointF(-14, -16), 60);
        setStops(
            ring,
            {{0.0, QColor(255, 236, 170)}, {0.5, QColor(190, 136, 50)}, {1.0, QColor(60, 36, 8)}});
        p.setBrush(ring);
        p.drawEllipse(eye, 46, 46);
        p.setBrush(QColor(40, 24, 6));
        p.drawEllipse(eye, 34, 34);
        QRadialGradient ruby(eye + QPointF(4, 6), 34);
        setStops(
            ruby,
            {{0.0, QColor(255, 190, 120)}, {0.35, QColor(240, 60, 20)}, {1.0, QColor(90, 6, 2)}});
        p.setBrush(ruby);
        p.drawEllipse(eye, 30, 30);
        p.setBrush(QColor(255, 255, 255, 170));
        p.drawEllipse(eye + QPointF(-12, -14), 7, 4);
    }

    // Chimney: collar, tube, vented crown, hat.
    {
        const double cx = (kBodyL + kBodyR) / 2, cz = (kBodyZ0 + kBodyZ1) / 2;
        drawSoft(
            p, 12,
            [&](QPainter& lp) {
                lp.setPen(Qt::NoPen);
                lp.setBrush(QColor(0, 0, 0, 220));
                lp.save();
                lp.setTransform(circleAroundY(cx + 20, kBodyT, cz - 10, 84), true);
                lp.drawEllipse(QPointF(0, 0), 1, 1);
                lp.restore();
            },
            0.8);
        cylinderY(p, cx, kBodyT, kBodyT - 26, cz, 76, Finish::Brass);
        ellipseTop(p, cx, kBodyT - 26, cz, 76, QColor(150, 104, 40));
        cylinderY(p, cx, kBodyT - 20, 300, cz, 56, Finish::BlackEnamel);
        // Crown: a wider brass drum with glowing vents, then a conical hat.
        cylinderY(p, cx, 300, 200, cz, 74, Finish::Brass);
        const QTransform rim = circleAroundY(cx, 250, cz, 74);
        for (int i = 0; i < 9; ++i) {
            const double t = std::numbers::pi * (0.12 + 0.76 * i / 8.0);
            const QPointF c = rim.map(QPointF(std::cos(t), -std::sin(t)));
            const double w = 10 * std::sin(t);
            p.setBrush(QColor(40, 16, 2));
            p.drawRoundedRect(QRectF(c.x() - w / 2 - 1, c.y() - 24, w + 2, 48), 3, 3);
            QLinearGradient glow(0, c.y() - 22, 0, c.y() + 22);
            setStops(glow, {{0.0, QColor(255, 150, 40)}, {1.0, QColor(255, 230, 150)}});
            p.setBrush(glow);
            p.drawRoundedRect(QRectF(c.x() - w / 2, c.y() - 22, w, 44), 2, 2);
        }
        drawSoft(
            p, 26,
            [&](QPainter& lp) {
                lp.setPen(Qt::NoPen);
                lp.setBrush(QColor(255, 140, 40, 120));
                lp.drawEllipse(circleAroundY(cx, 250, cz, 1).map(QPointF(0, 0)), 90, 40);
            },
            0.7, QPainter::CompositionMode_Plus);
        ellipseTop(p, cx, 200, cz, 74, QColor(120, 80, 26));
        // Hat: a cone from the crown's rim to a finial.
        const QTransform hatBase = circleAroundY(cx, 196, cz, 96);
        const QPointF apex = proj(cx, 120, cz);
        const double k = std::hypot(1.0, kDepth.x());
        const QPointF l = hatBase.map(QPointF(-1 / k, -kDepth.x() / k));
        const QPointF r = hatBase.map(QPointF(1 / k, kDepth.x() / k));
        QLinearGradient hg(l.x(), 0, r.x(), 0);
        setMetalStops(hg, Finish::BlackEnamel, QColor(0, 0, 0));
        p.setBrush(hg);
        p.save();
        p.setTransform(hatBase, true);
        p.drawEllipse(QPointF(0, 0), 1, 1);
        p.restore();
        p.drawPolygon(QPolygonF() << apex << l << r);
        p.setBrush(QColor(255, 255, 255, 26));
        p.drawPolygon(QPolygonF() << apex << l + (r - l) * 0.18 << l + (r - l) * 0.3);
        rivet(p, apex + QPointF(0, -8), 13);
    }

    // Condenser housing between body and stage.
    cylinderX(p, kBodyR - 10, kStageL, kAxisY, kAxisZ, 104, Finish::Brass, QColor(200, 150, 70),
              QColor(80, 50, 14));

    // The stage: a brass-edged block with the slot the plate slides through.
    const Box stage{kStageL, kStageR, kStageT, kStageB, kStageZ0, kStageZ1};
    {
        p.setBrush(QColor(18, 16, 14));
        p.drawPolygon(stage.right());
        QLinearGradient top(proj(0, kStageT, kStageZ1), proj(0, kStageT, kStageZ0));
        setStops(top, {{0.0, QColor(60, 40, 14)}, {1.0, QColor(220, 170, 80)}});
        p.setBrush(top);
        p.drawPolygon(stage.top());
        QLinearGradient front(proj(kStageL, 0, kStageZ0), proj(kStageR, 0, kStageZ0));
        setStops(
            front,
            {{0.0, QColor(230, 184, 96)}, {0.5, QColor(170, 120, 44)}, {1.0, QColor(90, 58, 18)}});
        p.setBrush(front);
        p.drawPolygon(stage.front());
        // The slot on the front and the top, dark inside.
        p.setBrush(QColor(8, 5, 2));
        p.drawPolygon(quad(
            proj(kPlateX - 16, kPlateT - 12, kStageZ0), proj(kPlateX + 4, kPlateT - 12, kStageZ0),
            proj(kPlateX + 4, kPlateB + 12, kStageZ0), proj(kPlateX - 16, kPlateB + 12, kStageZ0)));
        // Spring clips on the stage's side, in its shade.
        for (double y : {kStageT + 40, kStageB - 40}) {
            QLinearGradient clip(proj(kStageR, y - 8, 0), proj(kStageR, y + 8, 0));
            setStops(clip, {{0.0, QColor(170, 124, 52)}, {1.0, QColor(60, 36, 8)}});
            p.setBrush(clip);
            p.drawPolygon(
                quad(proj(kStageR, y - 8, kStageZ0 + 30), proj(kStageR, y - 8, kStageZ1 - 30),
                     proj(kStageR, y + 8, kStageZ1 - 30), proj(kStageR, y + 8, kStageZ0 + 30)));
        }
    }

    // Lens support post standing on the board.
    cylinderY(p, 730, 1030, kAxisY + 60, kAxisZ, 16, Finish::Brass);

    // Lens tube: a wide brass tube, a narrower draw tube, a hood with the glass; a focusing
    // knob below.
    cylinderX(p, kStageR, 700, kAxisY, kAxisZ, 84, Finish::Brass, QColor(230, 186, 100),
              QColor(90, 56, 16));
    for (double x : {kStageR + 14, 686.0}) {
        p.setBrush(QColor(60, 36, 8, 150));
        p.drawPolygon(quad(proj(x, kAxisY - 86, kAxisZ - 10), proj(x + 3, kAxisY - 86, kAxisZ - 10),
                           proj(x + 3, kAxisY + 86, kAxisZ + 10),
                           proj(x, kAxisY + 86, kAxisZ + 10)));
    }
    cylinderX(p, 700, 820, kAxisY, kAxisZ, 66, Finish::Brass, QColor(230, 186, 100),
              QColor(90, 56, 16));
    cylinderX(p, 820, 846, kAxisY, kAxisZ, 74, Finish::BlackMetal, QColor(70, 66, 60),
              QColor(10, 10, 10));
    {
        QRadialGradient glass(QPointF(0, 0), 1);
        setStops(glass, {{0.0, mix(QColor(20, 20, 30), lensLight, lensGlow)},
                         {0.5, mix(QColor(12, 14, 26), lensLight, lensGlow * 0.5)},
                         {1.0, QColor(4, 4, 8)}});
        faceEllipse(p, 846, kAxisY, kAxisZ, 58, glass);
        faceEllipse(p, 846, kAxisY - 26, kAxisZ - 18, 12, QColor(255, 255, 255, 200));
        drawSoft(
            p, 30,
            [&](QPainter& lp) {
                QRadialGradient halo(proj(850, kAxisY, kAxisZ), 110);
                QColor c = lensLight;
                c.setAlpha(int(200 * lensGlow));
                setStops(halo, {{0.0, c}, {1.0, QColor(0, 0, 0, 0)}});
                lp.setPen(Qt::NoPen);
                lp.setBrush(halo);
                lp.drawEllipse(proj(860, kAxisY, kAxisZ), 110, 110);
            },
            0.6, QPainter::CompositionMode_Plus);
    }
    // Focusing knob on the pinion below the tube, facing the viewer.
    {
        const QPointF kc = proj(650, kAxisY + 98, kAxisZ - 112);
        p.setPen(QPen(QColor(60, 36, 8), 10));
        p.drawLine(kc, proj(650, kAxisY + 80, kAxisZ - 40));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 24, 6));
        p.drawEllipse(kc, 26, 26);
        QRadialGradient g(kc + QPointF(-8, -9), 28);
        setStops(
            g,
            {{0.0, QColor(255, 236, 170)}, {0.5, QColor(190, 136, 50)}, {1.0, QColor(70, 42, 10)}});
        p.setBrush(g);
        p.drawEllipse(kc, 22, 22);
        for (int i = 0; i < 24; ++i) {
            const double a = 2 * std::numbers::pi * i / 24;
            const QPointF d(std::cos(a), std::sin(a));
            p.setPen(QPen(QColor(50, 30, 6, 160), 1.5));
            p.drawLine(kc + d * 18, kc + d * 22);
        }
        p.setPen(Qt::NoPen);
    }

    // Near part of the plate, in front of everything else, with its shadow on the body and
    // the board.
    if (plate != Plate::None) {
        QPainterPath receivers;
        receivers.addPolygon(body.front());
        receivers.addPolygon(board.top());
        receivers.addPolygon(board.front());
        receivers.setFillRule(Qt::WindingFill);
        p.save();
        p.setClipPath(receivers);
        drawSoft(
            p, 20,
            [&](QPainter& lp) {
                lp.setPen(Qt::NoPen);
                lp.setBrush(QColor(0, 0, 0, 210));
                lp.translate(30, 44);
                lp.setClipPath(depthClip(-3000, kStageZ0));
                lp.setTransform(plateTransform(lensIndex) * lp.transform());
                lp.drawRect(QRectF(plateU0(), kPlateT, plateU1() - plateU0(), kPlateB - kPlateT));
            },
            0.8);
        p.restore();
        p.save();
        p.setClipPath(depthClip(-3000, kStageZ0));
        drawPlate(p, lensIndex, 0.9);
        drawPlateEdges(p, lensIndex, 0.9);
        p.restore();
    }
}

} // namespace

QImage drawLantern(QSize size, Plate plate, double grain) {
    const int factor = size.width() > 500 ? 2 : 4;
    Surface s(size, factor, kScene);
    {
        QPainter p(&s.image());
        p.setTransform(s.sceneTransform());
        drawScene(p, plate);
    }
    QImage out = s.result();
    if (grain > 0)
        addGrain(out, grain, 0x4C414E54ull + std::uint64_t(size.width()));
    return out;
}

} // namespace picgen
