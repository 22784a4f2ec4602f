#include "tests/unit/picture_fixtures.h"

#include <QBuffer>
#include <QPainter>
#include <QResource>

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace picture_fixtures {

namespace {

void putBe16(QByteArray& out, unsigned v) {
    out.append(static_cast<char>((v >> 8) & 0xFF));
    out.append(static_cast<char>(v & 0xFF));
}
void putBe32(QByteArray& out, std::uint32_t v) {
    putBe16(out, v >> 16);
    putBe16(out, v & 0xFFFF);
}
void appendLe16(QByteArray& out, unsigned v) {
    out.append(static_cast<char>(v & 0xFF));
    out.append(static_cast<char>((v >> 8) & 0xFF));
}
unsigned byteAt(const QByteArray& b, qsizetype i) {
    return static_cast<unsigned char>(b[i]);
}

} // namespace

QImage quadrants(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    QPainter p(&image);
    const int hw = w / 2, hh = h / 2;
    p.fillRect(0, 0, hw, hh, kQuadrant[0][0]);
    p.fillRect(hw, 0, w - hw, hh, kQuadrant[0][1]);
    p.fillRect(0, hh, hw, h - hh, kQuadrant[1][0]);
    p.fillRect(hw, hh, w - hw, h - hh, kQuadrant[1][1]);
    return image;
}

QByteArray encode(const QImage& image, const char* format) {
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format, 90))
        throw std::runtime_error(std::string("cannot encode ") + format);
    return out;
}

// Every frame is a full-size image with the global colour table. The data stays uncompressed
// LZW: a clear code before every 254 pixels keeps all codes at 9 bits.
QByteArray gif(const std::vector<QImage>& frames) {
    std::vector<QRgb> palette;
    for (const QImage& f : frames)
        for (int y = 0; y < f.height(); ++y)
            for (int x = 0; x < f.width(); ++x) {
                const QRgb c = f.pixel(x, y) | 0xFF000000u;
                if (std::find(palette.begin(), palette.end(), c) == palette.end())
                    palette.push_back(c);
            }
    if (palette.size() > 256 || frames.empty())
        throw std::runtime_error("gif fixture: too many colours or no frame");
    const int w = frames[0].width(), h = frames[0].height();
    QByteArray out("GIF89a");
    appendLe16(out, static_cast<unsigned>(w));
    appendLe16(out, static_cast<unsigned>(h));
    out.append(static_cast<char>(0xF7)); // global colour table of 256 entries
    out.append('\0');
    out.append('\0');
    for (int i = 0; i < 256; ++i) {
        const QRgb c = i < static_cast<int>(palette.size()) ? palette[static_cast<size_t>(i)] : 0;
        out.append(static_cast<char>(qRed(c)));
        out.append(static_cast<char>(qGreen(c)));
        out.append(static_cast<char>(qBlue(c)));
    }
    for (const QImage& f : frames) {
        out.append(',');
        appendLe16(out, 0);
        appendLe16(out, 0);
        appendLe16(out, static_cast<unsigned>(w));
        appendLe16(out, static_cast<unsigned>(h));
        out.append('\0');
        out.append('\x08'); // LZW minimum code size
        QByteArray data;
        std::uint32_t acc = 0;
        int bits = 0;
        auto code = [&](unsigned v) {
            acc |= v << bits;
            bits += 9;
            while (bits >= 8) {
                data.append(static_cast<char>(acc & 0xFF));
                acc >>= 8;
                bits -= 8;
            }
        };
        long i = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x, ++i) {
                if (i % 254 == 0)
                    code(256);
                const QRgb c = f.pixel(x, y) | 0xFF000000u;
                code(static_cast<unsigned>(std::find(palette.begin(), palette.end(), c) -
                                           palette.begin()));
            }
        code(257);
        if (bits > 0)
            data.append(static_cast<char>(acc & 0xFF));
        for (qsizetype at = 0; at < data.size(); at += 255) {
            const qsizetype n = std::min<qsizetype>(255, data.size() - at);
            out.append(static_cast<char>(n));
            out.append(data.mid(at, n));
        }
        out.append('\0');
    }
    out.append(';');
    return out;
}

QByteArray withOrientation(const QByteArray& jpeg, int orientation, bool bigEndian) {
    QByteArray tiff;
    auto u16 = [&](unsigned v) { bigEndian ? putBe16(tiff, v) : appendLe16(tiff, v); };
    auto u32 = [&](std::uint32_t v) {
        if (bigEndian) {
            putBe32(tiff, v);
        } else {
            appendLe16(tiff, v & 0xFFFF);
            appendLe16(tiff, v >> 16);
        }
    };
    tiff.append(bigEndian ? "MM" : "II");
    u16(42);
    u32(8); // IFD0 right after the TIFF header
    u16(2); // two entries: a resolution unit first, then the orientation
    u16(0x0128);
    u16(3);
    u32(1);
    u16(2);
    u16(0);
    u16(0x0112);
    u16(3);
    u32(1);
    u16(static_cast<unsigned>(orientation));
    u16(0);
    u32(0); // no next IFD
    const QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray segment("\xFF\xE1", 2);
    putBe16(segment, static_cast<unsigned>(payload.size() + 2));
    return jpeg.left(2) + segment + payload + jpeg.mid(2);
}

// The payload repeats a frame header claiming 60000 x 60000: a reader that scans bytes for
// markers instead of skipping segments by length finds it.
QByteArray withLargeSegments(const QByteArray& jpeg, int count) {
    const QByteArray fake("\xFF\xC0\x00\x11\x08\xEA\x60\xEA\x60\x03", 10);
    QByteArray segments;
    for (int i = 0; i < count; ++i) {
        segments.append("\xFF\xE2", 2);
        putBe16(segments, 0xFFFF);
        QByteArray payload;
        while (payload.size() < 0xFFFD)
            payload.append(fake);
        segments.append(payload.left(0xFFFD));
    }
    return jpeg.left(2) + segments + jpeg.mid(2);
}

qsizetype frameHeaderAt(const QByteArray& jpeg) {
    qsizetype pos = 2;
    while (pos + 4 <= jpeg.size() && byteAt(jpeg, pos) == 0xFF) {
        const unsigned marker = byteAt(jpeg, pos + 1);
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
            return pos;
        pos += 2 + static_cast<qsizetype>(byteAt(jpeg, pos + 2) << 8 | byteAt(jpeg, pos + 3));
    }
    return -1;
}

QByteArray withJpegSize(const QByteArray& jpeg, int w, int h) {
    QByteArray out = jpeg;
    const qsizetype sof = frameHeaderAt(out);
    if (sof < 0)
        throw std::runtime_error("no frame header");
    out[sof + 5] = static_cast<char>((h >> 8) & 0xFF);
    out[sof + 6] = static_cast<char>(h & 0xFF);
    out[sof + 7] = static_cast<char>((w >> 8) & 0xFF);
    out[sof + 8] = static_cast<char>(w & 0xFF);
    return out;
}

void putLe32(QByteArray& bytes, qsizetype at, std::uint32_t v) {
    putLe16(bytes, at, static_cast<std::uint16_t>(v & 0xFFFF));
    putLe16(bytes, at + 2, static_cast<std::uint16_t>(v >> 16));
}
void putLe16(QByteArray& bytes, qsizetype at, std::uint16_t v) {
    bytes[at] = static_cast<char>(v & 0xFF);
    bytes[at + 1] = static_cast<char>(v >> 8);
}

namespace {

// Qt's hash of resource names, which the resource tree is searched by.
std::uint32_t resourceHash(const std::string& name) {
    std::uint32_t h = 0;
    for (const unsigned char c : name) {
        h = (h << 4) + c;
        h ^= (h & 0xF0000000u) >> 23;
        h &= 0x0FFFFFFFu;
    }
    return h;
}

} // namespace

// The compiled resource format, version 1: a header, the file's data, the names (UTF-16 with
// their hashes) and the tree: the root, the folder, the file.
Resource::Resource(const std::string& dir, const std::string& name, const QByteArray& content)
    : path_(":/" + dir + "/" + name) {
    QByteArray payload;
    putBe32(payload, static_cast<std::uint32_t>(content.size()));
    payload.append(content);
    QByteArray names;
    auto addName = [&](const std::string& n) {
        const auto offset = static_cast<std::uint32_t>(names.size());
        putBe16(names, static_cast<unsigned>(n.size()));
        putBe32(names, resourceHash(n));
        for (const char c : n)
            putBe16(names, static_cast<unsigned char>(c));
        return offset;
    };
    const std::uint32_t dirName = addName(dir);
    const std::uint32_t fileName = addName(name);
    QByteArray tree;
    auto folder = [&](std::uint32_t nameOffset, std::uint32_t firstChild) {
        putBe32(tree, nameOffset);
        putBe16(tree, 2); // a directory
        putBe32(tree, 1);
        putBe32(tree, firstChild);
    };
    folder(0, 1);
    folder(dirName, 2);
    putBe32(tree, fileName);
    putBe16(tree, 0);
    putBe16(tree, 0); // any territory
    putBe16(tree, 1); // the C locale
    putBe32(tree, 0); // data at the start of the data block
    const std::uint32_t dataAt = 20;
    const auto namesAt = dataAt + static_cast<std::uint32_t>(payload.size());
    const auto treeAt = namesAt + static_cast<std::uint32_t>(names.size());
    data_ = QByteArray("qres");
    putBe32(data_, 1);
    putBe32(data_, treeAt);
    putBe32(data_, dataAt);
    putBe32(data_, namesAt);
    data_ += payload + names + tree;
    if (!QResource::registerResource(reinterpret_cast<const uchar*>(data_.constData())))
        throw std::runtime_error("cannot register resource");
}

Resource::~Resource() {
    QResource::unregisterResource(reinterpret_cast<const uchar*>(data_.constData()));
}

void writeFile(const std::string& path, const QByteArray& bytes) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(bytes.constData(), bytes.size());
    if (!f)
        throw std::runtime_error("cannot write fixture " + path);
}

} // namespace picture_fixtures
