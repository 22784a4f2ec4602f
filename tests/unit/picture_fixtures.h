#pragma once
#include <QByteArray>
#include <QColor>
#include <QImage>

#include <string>
#include <vector>

// Picture files built byte by byte for the picture loader's tests: real encodings from Qt's
// writers, GIFs (Qt writes none), EXIF segments, and headers patched to lie.
namespace picture_fixtures {

// An image of w x h in four quadrants: red top left, green top right, blue bottom left,
// yellow bottom right.
QImage quadrants(int w, int h);
inline const QColor kQuadrant[2][2] = {{Qt::red, Qt::green}, {Qt::blue, Qt::yellow}};

// The image encoded by Qt's writer ("JPEG" at quality 90, "BMP", "PNG").
QByteArray encode(const QImage& image, const char* format);

// A GIF of the given frames (all of one size, at most 256 colours in all), uncompressed LZW.
QByteArray gif(const std::vector<QImage>& frames);

// The JPEG with an APP1 Exif segment right after SOI whose IFD0 holds the orientation tag.
QByteArray withOrientation(const QByteArray& jpeg, int orientation, bool bigEndian);
// The JPEG with `count` APP2 segments of about 64 KiB each before its other segments.
QByteArray withLargeSegments(const QByteArray& jpeg, int count);
// Offset of the first frame header's marker (FF C0..) in a JPEG; -1 if none.
qsizetype frameHeaderAt(const QByteArray& jpeg);
// The JPEG with its frame header claiming w x h.
QByteArray withJpegSize(const QByteArray& jpeg, int w, int h);

// A BMP's info header fields, patched in place (BITMAPINFOHEADER layout).
void putLe32(QByteArray& bytes, qsizetype at, std::uint32_t v);
void putLe16(QByteArray& bytes, qsizetype at, std::uint16_t v);

// A compiled Qt resource holding one file at ":/<dir>/<name>", registered until destroyed.
class Resource {
  public:
    Resource(const std::string& dir, const std::string& name, const QByteArray& content);
    ~Resource();
    Resource(const Resource&) = delete;
    Resource& operator=(const Resource&) = delete;
    std::string path() const { return path_; }

  private:
    QByteArray data_;
    std::string path_;
};

void writeFile(const std::string& path, const QByteArray& bytes);

} // namespace picture_fixtures
