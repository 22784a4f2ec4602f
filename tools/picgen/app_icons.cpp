// The programs' icons for a desktop's menus: each program's own machine (the filmstrip
// projector, the magic lantern) as its About window shows it, framed square on a tile with
// rounded corners, transparent outside the tile. Written as PNG at the usual icon sizes.
#include "canvas.h"
#include "scenes.h"

#include <QDir>
#include <QPainter>
#include <QString>

#include <cmath>
#include <cstdio>
#include <functional>

namespace picgen {

namespace {

const int kSizes[] = {16, 24, 32, 48, 64, 128, 256};

// Where the square looks into a scene: its centre as fractions of the scene's width and
// height, its side as a fraction of the width. What falls outside the scene is the ground
// colour of the scene's top left corner.
struct Framing {
    double centreX, centreY, side;
};

struct Program {
    const char* edition;
    double aspect; // the scene's height over its width
    Framing framing;
    std::function<QImage(QSize)> draw;
};

const Program kPrograms[] = {
    {"kadroskop",
     1400.0 / 1000.0,
     {0.5, 0.55, 1.0},
     [](QSize size) {
         return drawProjector(size, {ProjectorGround::Studio, 0.0});
     }},
    {"lampionika",
     1360.0 / 1000.0,
     {0.53, 0.475, 1.1},
     [](QSize size) { return drawLantern(size, Plate::Middle, 0.0); }},
};

QImage drawIcon(const Program& program, int size) {
    // The scene drawn at the scale that makes the framed square `size` pixels.
    const double width = size / program.framing.side;
    const QSize sceneSize(static_cast<int>(std::lround(width)),
                          static_cast<int>(std::lround(width * program.aspect)));
    const QImage scene = program.draw(sceneSize);

    QImage square(size, size, QImage::Format_RGB32);
    square.fill(scene.pixel(0, 0));
    {
        QPainter p(&square);
        p.drawImage(QPoint(static_cast<int>(std::lround(size / 2.0 - program.framing.centreX *
                                                                         sceneSize.width())),
                           static_cast<int>(std::lround(size / 2.0 - program.framing.centreY *
                                                                         sceneSize.height()))),
                    scene);
    }

    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    {
        QPainter p(&icon);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QBrush(square));
        const double radius = size * 0.18;
        p.drawRoundedRect(QRectF(0, 0, size, size), radius, radius);
    }
    return icon.convertToFormat(QImage::Format_ARGB32);
}

} // namespace

bool writeAppIcons(const QString& editionsDir) {
    bool ok = true;
    for (const Program& program : kPrograms) {
        const QDir dir(editionsDir + "/" + program.edition + "/icons");
        ok = dir.mkpath(".") && ok;
        for (const int size : kSizes) {
            const QString path = dir.filePath(QString("%1x%1.png").arg(size));
            const bool written = drawIcon(program, size).save(path, "PNG");
            std::printf("%s %dx%d %s\n", written ? "wrote" : "FAILED", size, size,
                        qPrintable(path));
            ok = ok && written;
        }
    }
    return ok;
}

} // namespace picgen
