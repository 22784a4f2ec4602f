#include "tests/corpus/picture_corpus.h"

#include <QColor>

#include <algorithm>
#include <functional>
#include <random>
#include <stdexcept>

#include <fcntl.h>
#include <unistd.h>

#include "tests/corpus/jpeg_writer.h"
#include "tests/unit/picture_fixtures.h"

namespace picture_corpus {

namespace {

using namespace picture_fixtures;

void le16(QByteArray& out, unsigned v) {
    out.append(static_cast<char>(v & 0xFF));
    out.append(static_cast<char>((v >> 8) & 0xFF));
}
void le32(QByteArray& out, std::uint32_t v) {
    le16(out, v & 0xFFFF);
    le16(out, v >> 16);
}
void be16(QByteArray& out, unsigned v) {
    out.append(static_cast<char>((v >> 8) & 0xFF));
    out.append(static_cast<char>(v & 0xFF));
}

// ---- JPEG

QByteArray jpeg(int w, int h) {
    return encode(quadrants(w, h), "JPEG");
}

// The JPEG with its frame header's marker or sample precision replaced.
QByteArray withFrame(QByteArray j, unsigned marker, unsigned precision = 8) {
    const qsizetype sof = frameHeaderAt(j);
    j[sof + 1] = static_cast<char>(marker);
    j[sof + 4] = static_cast<char>(precision);
    return j;
}

// The JPEG with `filler` inserted before its frame header.
QByteArray beforeFrame(const QByteArray& j, const QByteArray& filler) {
    const qsizetype sof = frameHeaderAt(j);
    return j.left(sof) + filler + j.mid(sof);
}

// An APP1 segment holding `tiff` as its Exif payload, right after SOI.
QByteArray withExif(const QByteArray& j, const QByteArray& tiff) {
    const QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray segment("\xFF\xE1", 2);
    be16(segment, static_cast<unsigned>(payload.size() + 2));
    return j.left(2) + segment + payload + j.mid(2);
}

// A little-endian TIFF header whose IFD0 is at `ifd` and holds `count` entries as given.
QByteArray tiff(std::uint32_t ifd, unsigned count, const QByteArray& entries) {
    QByteArray t("II");
    le16(t, 42);
    le32(t, ifd);
    le16(t, count);
    return t + entries;
}
QByteArray orientationEntry(unsigned type, std::uint32_t value) {
    QByteArray e;
    le16(e, 0x0112);
    le16(e, type);
    le32(e, 1);
    le32(e, value);
    return e;
}

// ---- BMP

struct Bmp {
    int w = 16, h = 16;
    unsigned bpp = 8, compression = 0;
    std::uint32_t infoSize = 40;
    std::uint32_t colours = 0;      // ClrUsed; 0: all 2^bpp (the table written holds `palette`)
    std::vector<QRgb> palette = {}; // written as given
    QByteArray masks = {};          // bit fields after a 40-byte header
    std::int64_t dataOffset = -1;   // -1: right after the table
    QByteArray data = {};
};

QByteArray bmp(const Bmp& b) {
    QByteArray info;
    le32(info, b.infoSize);
    le32(info, static_cast<std::uint32_t>(b.w));
    le32(info, static_cast<std::uint32_t>(b.h));
    le16(info, 1);
    le16(info, b.bpp);
    le32(info, b.compression);
    le32(info, static_cast<std::uint32_t>(b.data.size()));
    le32(info, 2835);
    le32(info, 2835);
    le32(info, b.colours);
    le32(info, 0);
    while (info.size() < static_cast<qsizetype>(b.infoSize))
        info.append('\0');
    QByteArray table = b.masks;
    for (const QRgb c : b.palette) {
        table.append(static_cast<char>(qBlue(c)));
        table.append(static_cast<char>(qGreen(c)));
        table.append(static_cast<char>(qRed(c)));
        table.append('\0');
    }
    const std::int64_t offset = b.dataOffset >= 0 ? b.dataOffset : 14 + info.size() + table.size();
    QByteArray out("BM");
    le32(out, static_cast<std::uint32_t>(offset + b.data.size()));
    le32(out, 0);
    le32(out, static_cast<std::uint32_t>(offset));
    return out + info + table + b.data;
}

std::vector<QRgb> greys(int n) {
    std::vector<QRgb> p;
    for (int i = 0; i < n; ++i)
        p.push_back(qRgb(i * 255 / std::max(1, n - 1), 128, 255 - i * 255 / std::max(1, n - 1)));
    return p;
}

// Rows of an 8-bit picture, each index its column's, padded to four bytes.
QByteArray indexedRows(int w, int h) {
    QByteArray d;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            d.append(static_cast<char>((x + y) & 0xFF));
        while (d.size() % 4)
            d.append('\0');
    }
    return d;
}

QByteArray rle(std::initializer_list<unsigned> codes) {
    QByteArray d;
    for (const unsigned c : codes)
        d.append(static_cast<char>(c));
    return d;
}

// ---- GIF

struct Gif {
    int screenW = 16, screenH = 16;
    int left = 0, top = 0, w = 16, h = 16;
    bool interlaced = false;
    int transparent = -1;
    int minimum = 8;
    QByteArray extensions = {}; // before the image
    QByteArray data = {};       // the LZW codes, cut into sub-blocks here
    bool terminate = true;      // an empty sub-block and a trailer after the data
};

// Codes kept at minimum + 1 bits by a clear code every few codes: one code a pixel.
QByteArray lzw(const std::vector<unsigned>& indices, int minimum) {
    const unsigned clear = 1u << minimum;
    const int bits = minimum + 1;
    QByteArray data = {};
    std::uint32_t acc = 0;
    int count = 0;
    auto code = [&](unsigned v) {
        acc |= v << count;
        count += bits;
        while (count >= 8) {
            data.append(static_cast<char>(acc & 0xFF));
            acc >>= 8;
            count -= 8;
        }
    };
    for (std::size_t i = 0; i < indices.size(); ++i) {
        if (i % (clear - 2) == 0)
            code(clear);
        code(indices[i]);
    }
    code(clear + 1);
    if (count > 0)
        data.append(static_cast<char>(acc & 0xFF));
    return data;
}

std::vector<unsigned> stripes(int w, int h, unsigned colours) {
    std::vector<unsigned> v;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            v.push_back(static_cast<unsigned>(x / 4 + y / 4) % colours);
    return v;
}

QByteArray gif(const Gif& g) {
    QByteArray out("GIF89a");
    le16(out, static_cast<unsigned>(g.screenW));
    le16(out, static_cast<unsigned>(g.screenH));
    const int tableBits = std::clamp(g.minimum - 1, 0, 7); // 2^(n+1) entries
    out.append(static_cast<char>(0x80 | tableBits));
    out.append('\0');
    out.append('\0');
    for (int i = 0; i < (2 << tableBits); ++i) {
        out.append(static_cast<char>(i * 37));
        out.append(static_cast<char>(255 - i * 11));
        out.append(static_cast<char>(i * 5));
    }
    out += g.extensions;
    if (g.transparent >= 0) {
        out.append("\x21\xF9\x04\x01\x00\x00", 6);
        out.append(static_cast<char>(g.transparent));
        out.append('\0');
    }
    out.append(',');
    le16(out, static_cast<unsigned>(g.left));
    le16(out, static_cast<unsigned>(g.top));
    le16(out, static_cast<unsigned>(g.w));
    le16(out, static_cast<unsigned>(g.h));
    out.append(static_cast<char>(g.interlaced ? 0x40 : 0));
    out.append(static_cast<char>(g.minimum));
    for (qsizetype at = 0; at < g.data.size(); at += 255) {
        const qsizetype n = std::min<qsizetype>(255, g.data.size() - at);
        out.append(static_cast<char>(n));
        out.append(g.data.mid(at, n));
    }
    if (g.terminate)
        out.append("\0;", 2);
    return out;
}

Gif stripedGif(int w, int h) {
    Gif g;
    g.screenW = g.w = w;
    g.screenH = g.h = h;
    g.data = lzw(stripes(w, h, 256), 8);
    return g;
}

// The rows of an interlaced frame in the order they are stored.
std::vector<unsigned> interlacedOrder(const std::vector<unsigned>& rows, int w, int h) {
    std::vector<unsigned> out;
    const int starts[] = {0, 4, 2, 1}, steps[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int y = starts[pass]; y < h; y += steps[pass])
            out.insert(out.end(), rows.begin() + static_cast<std::ptrdiff_t>(y) * w,
                       rows.begin() + static_cast<std::ptrdiff_t>(y + 1) * w);
    return out;
}

QByteArray repeated(const QByteArray& unit, qsizetype count) {
    QByteArray out;
    out.reserve(unit.size() * count);
    for (qsizetype i = 0; i < count; ++i)
        out.append(unit);
    return out;
}

QByteArray randomBytes(qsizetype n, unsigned seed) {
    std::mt19937 random(seed);
    QByteArray out(n, '\0');
    for (char& c : out)
        c = static_cast<char>(random());
    return out;
}

} // namespace

QSize fitted(QSize own, QSize box) {
    return own.scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

std::vector<Entry> corpus() {
    using O = Outcome;
    std::vector<Entry> c;
    auto add = [&](std::string name, QByteArray bytes, Outcome outcome, std::string reason = {}) {
        c.push_back({std::move(name), std::move(bytes), outcome, std::move(reason)});
    };

    // JPEG: a plain one, then processes and colour spaces.
    const QByteArray plain = jpeg(320, 240);
    add("jpeg-plain.jpg", plain, O::Drawn);
    const QImage photo = quadrants(320, 240);
    add("jpeg-progressive.jpg", writeJpeg(photo, {.progressive = true}), O::Drawn);
    add("jpeg-progressive-444.jpg", writeJpeg(photo, {.progressive = true, .fullChroma = true}),
        O::Drawn);
    add("jpeg-arithmetic.jpg", writeJpeg(photo, {.arithmetic = true}), O::Drawn);
    add("jpeg-arithmetic-progressive.jpg",
        writeJpeg(photo, {.progressive = true, .arithmetic = true}), O::Drawn);
    add("jpeg-cmyk.jpg", writeJpeg(photo, {.cmyk = true}), O::Drawn);
    add("jpeg-cmyk-progressive.jpg", writeJpeg(photo, {.progressive = true, .cmyk = true}),
        O::Drawn);
    add("jpeg-restarts.jpg", writeJpeg(photo, {.restarts = true}), O::Drawn);
    add("jpeg-grey.jpg", encode(photo.convertToFormat(QImage::Format_Grayscale8), "JPEG"),
        O::Drawn);
    add("jpeg-12-bit.jpg", withFrame(plain, 0xC1, 12), O::Blank);
    add("jpeg-lossless.jpg", withFrame(plain, 0xC3), O::Blank);
    add("jpeg-hierarchical.jpg", withFrame(plain, 0xC5), O::Blank);
    add("jpeg-sof-unknown-precision.jpg", withFrame(plain, 0xC0, 7), O::Blank);

    // Truncations at several points: inside the header, in the tables, in the data.
    const qsizetype sof = frameHeaderAt(plain);
    add("jpeg-cut-in-header.jpg", plain.left(sof + 5), O::Refused, "truncated header");
    add("jpeg-cut-after-frame-header.jpg", plain.left(sof + 19), O::Either);
    for (const int percent : {30, 60, 95})
        add("jpeg-cut-" + std::to_string(percent) + ".jpg",
            plain.left(plain.size() * percent / 100), O::Drawn);
    add("jpeg-progressive-cut-50.jpg",
        writeJpeg(photo, {.progressive = true})
            .chopped(writeJpeg(photo, {.progressive = true}).size() / 2),
        O::Drawn);

    // EXIF orientations, and EXIF that lies.
    for (int o = 1; o <= 8; ++o)
        add("jpeg-orientation-" + std::to_string(o) + ".jpg",
            withOrientation(jpeg(96, 64), o, o % 2 == 0), O::Drawn);
    add("exif-ifd-past-end.jpg", withExif(plain, tiff(0xFFFFFFF0u, 0, {})), O::Drawn);
    add("exif-count-past-end.jpg", withExif(plain, tiff(8, 65535, orientationEntry(3, 6))),
        O::Drawn);
    add("exif-entry-cut.jpg", withExif(plain, tiff(8, 1, orientationEntry(3, 6).left(7))),
        O::Drawn);
    add("exif-orientation-0.jpg", withExif(plain, tiff(8, 1, orientationEntry(3, 0))), O::Drawn);
    add("exif-orientation-long-type.jpg", withExif(plain, tiff(8, 1, orientationEntry(4, 0x60000))),
        O::Drawn);
    add("exif-not-tiff.jpg", withExif(plain, QByteArray("XX*\0\0\0\0\0", 8)), O::Drawn);
    add("exif-empty.jpg", withExif(plain, {}), O::Drawn);

    // Huge declared sizes.
    add("jpeg-60000.jpg", withJpegSize(plain, 60000, 60000), O::Refused, "too large");
    add("jpeg-zero-wide.jpg", withJpegSize(plain, 0, 240), O::Refused, "bad header");
    add("jpeg-20000-baseline.jpg", withJpegSize(plain, 20000, 20000), O::FittedOnly);
    // Progressive: libjpeg would hold every coefficient of the picture, 1.2 and 1.5 GB.
    add("jpeg-20000-progressive.jpg",
        withJpegSize(writeJpeg(quadrants(64, 64), {.progressive = true}), 20000, 20000), O::Blank);
    add("jpeg-16000-progressive-444.jpg",
        withJpegSize(writeJpeg(quadrants(64, 64), {.progressive = true, .fullChroma = true}), 16000,
                     16000),
        O::Blank);
    // 64 megapixels standing on its side: its own size is drawn turned, without copies.
    for (const int o : {5, 6, 7, 8})
        add("jpeg-64mp-orientation-" + std::to_string(o) + ".jpg",
            withOrientation(withJpegSize(jpeg(64, 64), 8000, 8000), o, false), O::Drawn);

    // Walks made long: fill bytes, stand-alone markers, a frame header far away.
    add("jpeg-fill-64mb.jpg", beforeFrame(plain, QByteArray(64 << 20, '\xFF')), O::Refused,
        "bad header");
    add("jpeg-restart-markers-32m.jpg", beforeFrame(plain, repeated("\xFF\xD0", 32 << 20)),
        O::Refused, "bad header");
    add("jpeg-fill-few.jpg", beforeFrame(plain, QByteArray(16, '\xFF')), O::Drawn);
    add("jpeg-segments-past-walk.jpg", withLargeSegments(plain, 300), O::Refused, "bad header");
    // A header, then gigabytes without a scan: a hole in a sparse file.
    {
        const qsizetype sos = plain.indexOf("\xFF\xDA");
        c.push_back({"jpeg-no-scan-3gb.jpg", plain.left(sos), O::Blank, {}, 3LL << 30});
        c.push_back({"jpeg-no-scan-260mb.jpg", plain.left(sos), O::Blank, {}, 260LL << 20});
    }

    // BMP: depths, bit fields, heights, runs, offsets, palettes.
    add("bmp-24.bmp", encode(photo, "BMP"), O::Drawn);
    add("bmp-8.bmp", encode(photo.convertToFormat(QImage::Format_Indexed8), "BMP"), O::Drawn);
    add("bmp-1.bmp", encode(photo.convertToFormat(QImage::Format_Mono), "BMP"), O::Drawn);
    add("bmp-4.bmp",
        bmp({.w = 33, .h = 7, .bpp = 4, .palette = greys(16), .data = QByteArray(7 * 20, '\x5A')}),
        O::Drawn);
    add("bmp-16-555.bmp", bmp({.w = 20, .h = 9, .bpp = 16, .data = QByteArray(9 * 40, '\x3C')}),
        O::Drawn);
    {
        QByteArray masks;
        le32(masks, 0xF800);
        le32(masks, 0x07E0);
        le32(masks, 0x001F);
        add("bmp-16-565.bmp",
            bmp({.w = 20,
                 .h = 9,
                 .bpp = 16,
                 .compression = 3,
                 .masks = masks,
                 .data = QByteArray(9 * 40, '\x7E')}),
            O::Drawn);
        QByteArray zero(12, '\0');
        add("bmp-32-zero-masks.bmp",
            bmp({.w = 5,
                 .h = 5,
                 .bpp = 32,
                 .compression = 3,
                 .masks = zero,
                 .data = QByteArray(100, '\x11')}),
            O::Drawn);
    }
    add(
        "bmp-core-header.bmp",
        [] {
            QByteArray b("BM");
            le32(b, 14 + 12 + 6 + 8);
            le32(b, 0);
            le32(b, 14 + 12 + 6);
            le32(b, 12);
            le16(b, 3);
            le16(b, 2);
            le16(b, 1);
            le16(b, 1);
            b.append("\x00\x00\x00\xFF\xFF\xFF", 6);
            b.append("\xA0\x00\x00\x00\x40\x00\x00\x00", 8);
            return b;
        }(),
        O::Drawn);
    const QByteArray bmp24 = encode(photo, "BMP");
    add(
        "bmp-top-down.bmp",
        [&] {
            QByteArray b = bmp24;
            putLe32(b, 22, static_cast<std::uint32_t>(-240));
            return b;
        }(),
        O::Drawn);
    add(
        "bmp-height-most-negative.bmp",
        [&] {
            QByteArray b = bmp24;
            putLe32(b, 22, 0x80000000u);
            return b;
        }(),
        O::Refused, "too large");
    add(
        "bmp-height-0.bmp",
        [&] {
            QByteArray b = bmp24;
            putLe32(b, 22, 0);
            return b;
        }(),
        O::Refused, "bad header");
    add(
        "bmp-taller-than-data.bmp",
        [&] {
            QByteArray b = bmp24;
            putLe32(b, 22, 4000);
            return b;
        }(),
        O::Drawn);
    add("bmp-cut-in-header.bmp", bmp24.left(30), O::Refused, "truncated header");
    add("bmp-cut-half.bmp", encode(quadrants(64, 48), "BMP").left(54 + 64 * 3 * 24), O::Drawn);
    add("bmp-cut-in-palette.bmp",
        encode(photo.convertToFormat(QImage::Format_Indexed8), "BMP").left(54 + 100), O::Drawn);
    add(
        "bmp-8000-with-9kb.bmp",
        [&] {
            QByteArray b = bmp24.left(54) + QByteArray(9 * 1024, '\x40');
            putLe32(b, 18, 8000);
            putLe32(b, 22, 8000);
            return b;
        }(),
        O::Drawn);
    add(
        "bmp-10000.bmp",
        [&] {
            QByteArray b = bmp24;
            putLe32(b, 18, 10000);
            putLe32(b, 22, 10000);
            return b;
        }(),
        O::Blank);
    add(
        "bmp-100000.bmp",
        [&] {
            QByteArray b = bmp24;
            putLe32(b, 18, 100000);
            return b;
        }(),
        O::Refused, "too large");
    add("bmp-data-past-end.bmp", bmp({.dataOffset = 1 << 30, .data = indexedRows(16, 16)}),
        O::Drawn);
    add("bmp-data-inside-header.bmp", bmp({.dataOffset = 20, .data = indexedRows(16, 16)}),
        O::Refused, "bad header");
    add("bmp-palette-short.bmp",
        bmp({.colours = 4, .palette = greys(4), .data = indexedRows(16, 16)}), O::Drawn);
    add("bmp-palette-count-huge.bmp",
        bmp({.colours = 0xFFFFFFFFu, .palette = greys(256), .data = indexedRows(16, 16)}),
        O::Drawn);
    add("bmp-rle8.bmp",
        bmp({.w = 16,
             .h = 4,
             .compression = 1,
             .palette = greys(256),
             .data = rle({4, 1, 0, 3, 9, 8, 7, 0, 0, 0, 16, 2, 0, 2, 3, 1, 2, 5, 0, 1})}),
        O::Drawn);
    add("bmp-rle4.bmp",
        bmp({.w = 16,
             .h = 4,
             .bpp = 4,
             .compression = 2,
             .palette = greys(16),
             .data = rle({5, 0x12, 0, 5, 0x34, 0x56, 0x70, 0, 0, 0, 0, 1})}),
        O::Drawn);
    add("bmp-rle8-run-past-row.bmp",
        bmp({.w = 16,
             .h = 4,
             .compression = 1,
             .palette = greys(256),
             .data = rle({255, 3, 255, 4, 0, 200, 1, 2, 0, 1})}),
        O::Drawn);
    add("bmp-rle8-delta-past-picture.bmp",
        bmp({.w = 16,
             .h = 4,
             .compression = 1,
             .palette = greys(256),
             .data = rle({0, 2, 255, 255, 4, 9, 0, 2, 200, 0, 4, 9, 0, 1})}),
        O::Drawn);
    add("bmp-rle8-cut-in-literal.bmp",
        bmp({.w = 16, .h = 4, .compression = 1, .palette = greys(256), .data = rle({0, 9, 1, 2})}),
        O::Drawn);
    add("bmp-rle-with-24-bit.bmp",
        bmp({.w = 16, .h = 4, .bpp = 24, .compression = 1, .data = rle({0, 1})}), O::Blank);
    // 8000 x 8000 in a kilobyte of runs.
    add(
        "bmp-rle8-8000.bmp",
        [] {
            QByteArray runs;
            for (int i = 0; i < 500; ++i) {
                runs.append('\xFF');
                runs.append(static_cast<char>(i));
            }
            return bmp({.w = 8000,
                        .h = 8000,
                        .compression = 1,
                        .palette = greys(256),
                        .data = runs + rle({0, 1})});
        }(),
        O::Drawn);

    // GIF: screens, frames, LZW codes, interlace, animation, transparency.
    add("gif-plain.gif", gif(stripedGif(64, 48)), O::Drawn);
    add("gif-fixture.gif", picture_fixtures::gif({quadrants(37, 23)}), O::Drawn);
    add("gif-animated.gif",
        picture_fixtures::gif({quadrants(30, 20), quadrants(30, 20).mirrored(true, true)}),
        O::Drawn);
    {
        Gif g = stripedGif(40, 30);
        g.interlaced = true;
        g.data = lzw(interlacedOrder(stripes(40, 30, 256), 40, 30), 8);
        add("gif-interlaced.gif", gif(g), O::Drawn);
        g.data = g.data.left(g.data.size() / 3);
        g.terminate = false;
        add("gif-interlaced-cut.gif", gif(g), O::Drawn);
    }
    {
        Gif g = stripedGif(40, 30);
        g.transparent = 3;
        add("gif-transparent.gif", gif(g), O::Drawn);
    }
    {
        Gif g = stripedGif(16, 16);
        g.screenW = g.screenH = 0;
        add("gif-screen-0.gif", gif(g), O::Drawn);
        g = stripedGif(16, 16);
        g.left = 60000;
        g.top = 60000;
        add("gif-frame-off-screen.gif", gif(g), O::Drawn);
        g = stripedGif(16, 16);
        g.w = g.h = 400;
        add("gif-frame-larger-than-screen.gif", gif(g), O::Drawn);
        g = stripedGif(16, 16);
        g.w = g.h = 0;
        add("gif-frame-empty.gif", gif(g), O::Drawn);
        g = stripedGif(16, 16);
        g.screenW = g.screenH = 8000;
        add("gif-screen-8000.gif", gif(g), O::Drawn);
        g = stripedGif(16, 16);
        g.screenW = g.screenH = g.w = g.h = 8000;
        add("gif-frame-8000.gif", gif(g), O::Drawn);
        g.screenW = g.screenH = g.w = g.h = 20000;
        add("gif-20000.gif", gif(g), O::Blank);
        add(
            "gif-65535.gif",
            [&] {
                Gif h = stripedGif(16, 16);
                h.screenW = h.screenH = 65535;
                return gif(h);
            }(),
            O::Refused, "too large");
    }
    {
        Gif g = stripedGif(16, 16);
        g.data = QByteArray("\xFF\xFF\xFF\xFF", 4); // codes far past the table
        add("gif-lzw-bad-code.gif", gif(g), O::Drawn);
        g.data = repeated(QByteArray("\x00\x01\x02\x04\x08\x10\x20\x40\x80", 9), 1000);
        add("gif-lzw-only-clear.gif", gif(g), O::Drawn);
        g.data = randomBytes(300, 5);
        add("gif-lzw-random.gif", gif(g), O::Drawn);
        g = stripedGif(16, 16);
        g.minimum = 12;
        add("gif-lzw-code-size-12.gif", gif(g), O::Blank);
        g.minimum = 0;
        add("gif-lzw-code-size-0.gif", gif(g), O::Blank);
        g = stripedGif(16, 16);
        g.minimum = 2;
        g.data = lzw(stripes(16, 16, 4), 2);
        add("gif-lzw-code-size-2.gif", gif(g), O::Drawn);
        g = stripedGif(64, 48);
        g.data = g.data.left(g.data.size() / 2);
        g.terminate = false;
        add("gif-cut-in-data.gif", gif(g), O::Drawn);
        add("gif-cut-in-header.gif", gif(stripedGif(16, 16)).left(400), O::Refused,
            "truncated header");
        g = stripedGif(16, 16);
        g.extensions = repeated(QByteArray("\x21\xFE\x00", 3), 16 << 20);
        add("gif-16m-empty-extensions.gif", gif(g), O::Refused, "bad header");
        g.extensions = QByteArray("\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00", 19) +
                       repeated(QByteArray("\x21\xFE\x03"
                                           "abc\x00",
                                           7),
                                100);
        add("gif-some-extensions.gif", gif(g), O::Drawn);
    }

    // Wrong extensions, and files that are not pictures.
    add("jpeg-named.bmp", plain, O::Drawn);
    add("bmp-named.gif", bmp24, O::Drawn);
    add("gif-named.jpg", gif(stripedGif(64, 48)), O::Drawn);
    add("empty.jpg", {}, O::Refused, "empty file");
    add("text.jpg", "This is not a picture.\n", O::Refused, "not a picture");
    add("png.bmp", encode(photo, "PNG"), O::Refused, "not a picture");
    add("zeros.gif", QByteArray(4096, '\0'), O::Refused, "not a picture");
    add("random.jpg", randomBytes(4096, 1), O::Refused, "not a picture");
    add("soi-then-random.jpg", QByteArray("\xFF\xD8", 2) + randomBytes(100000, 2), O::Refused);
    add("bm-then-random.bmp", QByteArray("BM") + randomBytes(100, 3), O::Refused, "bad header");
    return c;
}

std::string write(const Entry& entry, const std::string& dir) {
    const std::string path = dir + "/" + entry.name;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        throw std::runtime_error("cannot write " + path);
    qsizetype at = 0;
    while (at < entry.bytes.size()) {
        const ssize_t n = ::write(fd, entry.bytes.constData() + at,
                                  static_cast<std::size_t>(entry.bytes.size() - at));
        if (n <= 0)
            break;
        at += n;
    }
    const bool ok = at == entry.bytes.size() && ::ftruncate(fd, entry.size()) == 0;
    ::close(fd);
    if (!ok)
        throw std::runtime_error("cannot write " + path);
    return path;
}

} // namespace picture_corpus
