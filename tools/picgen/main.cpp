// picgen: draws the pictures named by the editions' window designs and writes them into
// <editions>/kadroskop/pictures and <editions>/lampionika/pictures.
//
//   picgen [editions-dir]
//
// Output is deterministic: the same sources give byte-identical files.
#include "canvas.h"
#include "scenes.h"

#include <QDir>
#include <QString>

#include <cstdio>

namespace {

using namespace picgen;

bool failed = false;

void save(const QImage& image, const QDir& dir, const QString& name) {
    const QString path = dir.filePath(name);
    const bool ok = name.endsWith(".bmp") ? writeBmp24(image, path) : writeJpeg(image, path, 90);
    std::printf("%s %dx%d %s\n", ok ? "wrote" : "FAILED", image.width(), image.height(),
                qPrintable(path));
    failed = failed || !ok;
}

void saveButtons(const QDir& dir) {
    save(drawRingButton(QSize(50, 49), Arrow::Up), dir, "form1_up.bmp");
    save(drawRingButton(QSize(50, 49), Arrow::Down), dir, "form1_down.bmp");
    save(drawTriangleButton(QSize(15, 22), Arrow::Left), dir, "form1_home.bmp");
    save(drawTriangleButton(QSize(15, 22), Arrow::Right), dir, "form1_end.bmp");
}

void saveChooserIcons(const QDir& dir) {
    save(drawChooserIcon(ChooserIcon::Drive), dir, "form4_drive.bmp");
    save(drawChooserIcon(ChooserIcon::Documents), dir, "form4_documents.bmp");
    save(drawChooserIcon(ChooserIcon::Desktop), dir, "form4_desktop.bmp");
    save(drawChooserIcon(ChooserIcon::Folder), dir, "form4_folder.bmp");
    save(drawChooserIcon(ChooserIcon::Up), dir, "form4_up.bmp");
}

QDir picturesDir(const QString& editions, const QString& edition) {
    QDir dir(editions + "/" + edition + "/pictures");
    if (!dir.mkpath(".")) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(dir.path()));
        failed = true;
    }
    return dir;
}

} // namespace

int main(int argc, char** argv) {
    const QString editions = argc > 1 ? QString::fromLocal8Bit(argv[1]) : PICGEN_EDITIONS_DIR;

    const QDir kadroskop = picturesDir(editions, "kadroskop");
    const ProjectorLook onBand{ProjectorGround::Band, 1.6};
    const ProjectorLook studio{ProjectorGround::Studio, 2.6};
    const ProjectorLook stretched{ProjectorGround::Studio, 0.0};
    save(drawProjector(QSize(185, 269), onBand), kadroskop, "form1_icon.bmp");
    save(drawProjector(QSize(142, 200), onBand), kadroskop, "form1_projector.bmp");
    save(drawBand(QSize(142, 10)), kadroskop, "form1_band.bmp");
    save(drawProjector(QSize(142, 200), stretched), kadroskop, "form3_projector.bmp");
    save(drawProjector(QSize(960, 1280), studio), kadroskop, "form3_photo.jpg");
    saveButtons(kadroskop);
    saveChooserIcons(kadroskop);
    save(drawFilmStrip(QSize(188, 448), QRect(30, 6, 130, 107), 110, 4), kadroskop,
         "form4_strip.bmp");

    const QDir lampionika = picturesDir(editions, "lampionika");
    const QSize lantern(242, 329);
    save(drawLantern(lantern, Plate::None, 2.0), lampionika, "form1_icon.bmp");
    save(drawLantern(lantern, Plate::None, 2.0), lampionika, "form1_lantern_empty.jpg");
    save(drawLantern(lantern, Plate::First, 2.0), lampionika, "form1_lantern_first.jpg");
    save(drawLantern(lantern, Plate::Second, 2.0), lampionika, "form1_lantern_second.jpg");
    save(drawLantern(lantern, Plate::Middle, 2.0), lampionika, "form1_lantern_middle.jpg");
    save(drawLantern(lantern, Plate::Last, 2.0), lampionika, "form1_lantern_last.jpg");
    save(drawLantern(QSize(960, 1280), Plate::Middle, 2.6), lampionika, "form3_photo.jpg");
    saveButtons(lampionika);
    saveChooserIcons(lampionika);

    failed = !writeAppIcons(editions) || failed;
    return failed ? 1 : 0;
}
