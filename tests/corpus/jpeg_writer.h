#pragma once
#include <QByteArray>
#include <QImage>

// JPEG files written through libjpeg, for the processes and colour spaces Qt's writer does
// not make.
namespace picture_corpus {

struct JpegOptions {
    bool progressive = false;
    bool arithmetic = false;
    bool cmyk = false;       // Adobe CMYK, inverted as the common encoders write it
    bool fullChroma = false; // 4:4:4 instead of 4:2:0
    bool restarts = false;   // a restart marker every row of blocks
    int quality = 85;
};

QByteArray writeJpeg(const QImage& image, const JpegOptions& options);

} // namespace picture_corpus
