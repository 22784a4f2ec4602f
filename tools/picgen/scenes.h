// The pictures the generator draws. Each function returns a finished RGB32 image at the given
// pixel size.
#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

namespace picgen {

// Kadroskop: the filmstrip projector.
enum class ProjectorGround {
    Band,  // the window's red band runs on at the picture's top and bottom rows
    Studio // a dark red studio ground with a vignette, for the About window
};
struct ProjectorLook {
    ProjectorGround ground = ProjectorGround::Band;
    double grain = 2.5; // grain deviation in levels; 0 for pictures shown stretched
};
QImage drawProjector(QSize size, const ProjectorLook& look);

// The horizontal red band behind the projector photograph; projectorGround() gives the same
// colours, so the photograph's ground meets the band.
QImage drawBand(QSize size);

// Lampionika: the magic lantern, with its picture plate in one of these positions.
enum class Plate { None, First, Second, Middle, Last };
QImage drawLantern(QSize size, Plate plate, double grain);

// Buttons on the black main window.
enum class Arrow { Up, Down, Left, Right };
QImage drawRingButton(QSize size, Arrow arrow);
QImage drawTriangleButton(QSize size, Arrow arrow);

// The film chooser's small icons, each at its own fixed size on white.
enum class ChooserIcon { Drive, Documents, Desktop, Folder, Up };
QImage drawChooserIcon(ChooserIcon icon);

// Kadroskop's chooser: a light grey film strip with sprocket holes down both edges and
// `count` pure black frame windows, the first at `first`, each `pitch` rows below the last.
QImage drawFilmStrip(QSize size, const QRect& first, int pitch, int count);

// The programs' icons, written as <editions>/<edition>/icons/<size>x<size>.png.
bool writeAppIcons(const QString& editionsDir);

} // namespace picgen
