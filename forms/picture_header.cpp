#include "forms/picture_header.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace forms {

namespace {

// Bytes a JPEG may hold between its segments (fill bytes, garbage, stand-alone markers)
// before the frame header: encoders write none or a few.
constexpr std::int64_t kMaxJpegStrayBytes = 4096;
// What a JPEG's data may take beyond its frame header: room for tables and metadata after the
// frame header, and 16 bytes a pixel of entropy-coded data, four times what a photograph at
// the highest quality with full chroma takes.
constexpr std::int64_t kJpegSlackBytes = 4LL * 1024 * 1024;
constexpr std::int64_t kJpegBytesPerPixel = 16;
// A GIF frame's LZW data: codes are at most 12 bits and (but for the clear codes that an
// encoder writes every few thousand codes) each gives at least one pixel.
constexpr std::int64_t kGifBytesPerPixel = 2;
constexpr std::int64_t kGifSlackBytes = 64 * 1024;

Failure fail(const char* reason) {
    return Failure{reason};
}

std::uint32_t le(const unsigned char* p, int n) {
    std::uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i)
        v = (v << 8) | p[i];
    return v;
}
std::uint32_t be(const unsigned char* p, int n) {
    std::uint32_t v = 0;
    for (int i = 0; i < n; ++i)
        v = (v << 8) | p[i];
    return v;
}

Failure endOfHeader(const ByteReader& in) {
    if (in.error() != 0)
        return Failure{std::string("cannot read: ") + std::strerror(in.error())};
    if (in.pos() >= kMaxHeaderBytes)
        return fail("bad header");
    return fail("truncated header");
}

Result<PictureHeader> checkedSize(PictureHeader h) {
    if (h.width <= 0 || h.height <= 0)
        return fail("bad header");
    if (h.width > PictureData::kMaxSide || h.height > PictureData::kMaxSide ||
        static_cast<std::int64_t>(h.width) * h.height > PictureData::kMaxPixels)
        return fail("too large");
    return h;
}

Result<PictureHeader> readBmp(ByteReader& in) {
    unsigned char file[18];
    in.seek(0);
    if (!in.read(file, sizeof file))
        return endOfHeader(in);
    const std::uint32_t dataOffset = le(file + 10, 4);
    const std::uint32_t infoSize = le(file + 14, 4);
    // Core (12), info (40), info with masks (52, 56), version 4 (108) and 5 (124) headers.
    static constexpr std::uint32_t known[] = {12, 40, 52, 56, 108, 124};
    if (std::find(std::begin(known), std::end(known), infoSize) == std::end(known))
        return fail("bad header");
    if (dataOffset < 14 + infoSize)
        return fail("bad header");
    unsigned char info[40];
    const std::size_t need = std::min<std::size_t>(infoSize, sizeof info);
    in.seek(14);
    if (!in.read(info, need))
        return endOfHeader(in);
    std::int64_t w, h;
    unsigned planes, bpp, compression = 0;
    if (infoSize == 12) {
        w = le(info + 4, 2);
        h = le(info + 6, 2);
        planes = le(info + 8, 2);
        bpp = le(info + 10, 2);
    } else {
        w = static_cast<std::int32_t>(le(info + 4, 4));
        h = static_cast<std::int32_t>(le(info + 8, 4));
        planes = le(info + 12, 2);
        bpp = le(info + 14, 2);
        compression = le(info + 16, 4);
    }
    if (h < 0)
        h = -h; // stored top-down
    const bool depthKnown = bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32;
    // Plain, RLE8, RLE4 and bit fields; the rest (embedded JPEG or PNG) is not read.
    if (planes != 1 || !depthKnown || compression > 3 || w <= 0 || h <= 0)
        return fail("bad header");
    if (w > PictureData::kMaxSide || h > PictureData::kMaxSide)
        return fail("too large");
    // Plain rows are padded to four bytes; a run-length row takes at most two bytes a pixel
    // (runs of one) and its end-of-line code.
    const std::int64_t rowBytes = (w * bpp + 31) / 32 * 4;
    const std::int64_t data =
        compression == 1 || compression == 2 ? (2 * w + 2) * h + 2 : rowBytes * h;
    return checkedSize({PictureFormat::Bmp, static_cast<int>(w), static_cast<int>(h),
                        Orientation::Upright, static_cast<std::int64_t>(dataOffset) + data});
}

// The logical screen's size, or the first image's when the screen claims none. The header is
// read up to the first image descriptor, so a file cut before it is refused.
Result<PictureHeader> readGif(ByteReader& in) {
    unsigned char screen[13];
    in.seek(0);
    if (!in.read(screen, sizeof screen))
        return endOfHeader(in);
    int w = static_cast<int>(le(screen + 6, 2));
    int h = static_cast<int>(le(screen + 8, 2));
    if (screen[10] & 0x80)
        in.skip(3LL << ((screen[10] & 7) + 1));
    for (;;) {
        unsigned block;
        if (!in.byte(block))
            return endOfHeader(in);
        if (block == 0x2C) {
            unsigned char image[9];
            if (!in.read(image, sizeof image))
                return endOfHeader(in);
            const int fw = static_cast<int>(le(image + 4, 2));
            const int fh = static_cast<int>(le(image + 6, 2));
            if (w == 0 || h == 0) {
                w = fw;
                h = fh;
            }
            std::int64_t limit = in.pos() + 1 + kGifSlackBytes +
                                 kGifBytesPerPixel * static_cast<std::int64_t>(fw) * fh;
            if (image[8] & 0x80)
                limit += 3LL << ((image[8] & 7) + 1);
            return checkedSize({PictureFormat::Gif, w, h, Orientation::Upright, limit});
        }
        if (block != 0x21)
            return fail("bad header"); // a trailer or garbage before any image
        in.skip(1);                    // the label, then sub-blocks up to an empty one
        for (;;) {
            unsigned length;
            if (!in.byte(length))
                return endOfHeader(in);
            if (length == 0)
                break;
            in.skip(length);
        }
    }
}

// The orientation tag (0x0112) of IFD0 in an APP1 "Exif" segment's payload; 1 if absent.
int exifOrientation(const unsigned char* p, std::size_t n) {
    if (n < 14 || std::memcmp(p, "Exif\0\0", 6) != 0)
        return 1;
    const unsigned char* tiff = p + 6;
    const std::size_t size = n - 6;
    const bool little = tiff[0] == 'I' && tiff[1] == 'I';
    if (!little && !(tiff[0] == 'M' && tiff[1] == 'M'))
        return 1;
    auto num = [&](std::size_t at, int bytes) {
        return little ? le(tiff + at, bytes) : be(tiff + at, bytes);
    };
    if (num(2, 2) != 42)
        return 1;
    const std::size_t ifd = num(4, 4);
    if (ifd > size || size - ifd < 2)
        return 1;
    const std::size_t count = num(ifd, 2);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = ifd + 2 + i * 12;
        if (entry + 12 > size)
            break;
        if (num(entry, 2) != 0x0112)
            continue;
        const std::uint32_t type = num(entry + 2, 2);
        const std::uint32_t value = type == 3 ? num(entry + 8, 2) : num(entry + 8, 4);
        return value >= 1 && value <= 8 ? static_cast<int>(value) : 1;
    }
    return 1;
}

// Walks the markers from SOI to the first frame header, skipping each segment by its length,
// so a frame header behind large APPn segments costs a few reads, not the whole file.
Result<PictureHeader> readJpeg(ByteReader& in) {
    in.seek(2);
    int orientation = 0;
    std::int64_t stray = 0; // bytes outside segments so far
    for (;;) {
        unsigned byte;
        // Bytes between segments are garbage a decoder skips; so do we, a few of them.
        if (!in.byte(byte))
            return endOfHeader(in);
        while (byte != 0xFF) {
            if (++stray > kMaxJpegStrayBytes)
                return fail("bad header");
            if (!in.byte(byte))
                return endOfHeader(in);
        }
        do {
            if (!in.byte(byte))
                return endOfHeader(in);
            if (byte == 0xFF && ++stray > kMaxJpegStrayBytes)
                return fail("bad header");
        } while (byte == 0xFF);
        const unsigned marker = byte;
        if (marker == 0x00 || marker == 0x01 || marker == 0xD8 ||
            (marker >= 0xD0 && marker <= 0xD7)) {
            stray += 2; // no length follows
            if (stray > kMaxJpegStrayBytes)
                return fail("bad header");
            continue;
        }
        if (marker == 0xD9 || marker == 0xDA)
            return fail("bad header"); // image data or its end before any frame header
        const std::int64_t segment = in.pos();
        unsigned char len[2];
        if (!in.read(len, 2))
            return endOfHeader(in);
        const std::uint32_t length = be(len, 2);
        if (length < 2)
            return fail("bad header");
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            unsigned char sof[6];
            if (length < 8)
                return fail("bad header");
            if (!in.read(sof, sizeof sof))
                return endOfHeader(in);
            const int h = static_cast<int>(be(sof + 1, 2));
            const int w = static_cast<int>(be(sof + 3, 2));
            const std::int64_t limit = segment + length + kJpegSlackBytes +
                                       kJpegBytesPerPixel * static_cast<std::int64_t>(w) * h;
            return checkedSize(
                {PictureFormat::Jpeg, w, h, orientationFromExif(orientation), limit});
        }
        if (marker == 0xE1 && orientation == 0 && length >= 8) {
            std::vector<unsigned char> payload(length - 2);
            if (!in.read(payload.data(), payload.size()))
                return endOfHeader(in);
            if (std::memcmp(payload.data(), "Exif\0\0", 6) == 0)
                orientation = exifOrientation(payload.data(), payload.size());
        }
        in.seek(segment + length);
        if (in.pos() != segment + length)
            return endOfHeader(in); // the segment runs past the end, or past the walk's bound
    }
}

} // namespace

Result<PictureHeader> readPictureHeader(PictureBytes& bytes) {
    if (bytes.size() == 0)
        return fail("empty file");
    ByteReader in(bytes, kMaxHeaderBytes);
    unsigned char magic[6] = {};
    const std::size_t n = in.readSome(magic, sizeof magic);
    if (n == 0)
        return endOfHeader(in);
    if (n >= 2 && magic[0] == 'B' && magic[1] == 'M')
        return readBmp(in);
    if (n >= 2 && magic[0] == 0xFF && magic[1] == 0xD8)
        return readJpeg(in);
    if (n == 6 && (std::memcmp(magic, "GIF87a", 6) == 0 || std::memcmp(magic, "GIF89a", 6) == 0))
        return readGif(in);
    return fail("not a picture");
}

} // namespace forms
