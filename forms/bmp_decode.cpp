#include "forms/bmp_decode.h"

#include <algorithm>
#include <bit>
#include <vector>

#include "forms/picture.h"
#include "forms/row_scaler.h"

namespace forms {

namespace {

constexpr QRgb kBlack = 0xFF000000u;

std::uint32_t le(const unsigned char* p, int n) {
    std::uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i)
        v = (v << 8) | p[i];
    return v;
}

// One colour channel given by a bit mask, widened or narrowed to eight bits.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0, bits = 0;
    explicit Channel(std::uint32_t m = 0) : mask(m) {
        if (mask == 0)
            return;
        shift = std::countr_zero(mask);
        bits = std::popcount(mask >> shift);
    }
    int operator()(std::uint32_t v) const {
        if (bits == 0)
            return 0;
        const std::uint32_t c = (v & mask) >> shift;
        if (bits >= 8)
            return static_cast<int>(c >> (bits - 8));
        return static_cast<int>(c * 255 / ((1u << bits) - 1));
    }
};

struct Layout {
    int width = 0, height = 0;
    bool topDown = false;
    unsigned bpp = 0, compression = 0;
    std::uint32_t dataOffset = 0;
    Channel red, green, blue;
    std::vector<QRgb> palette;
};

bool readLayout(ByteReader& in, Layout& l) {
    unsigned char head[14 + 40];
    if (!in.read(head, 18))
        return false;
    l.dataOffset = le(head + 10, 4);
    const std::uint32_t infoSize = le(head + 14, 4);
    if (infoSize < 12 || !in.read(head + 18, std::min<std::uint32_t>(infoSize, 40) - 4))
        return false;
    const unsigned char* info = head + 14;
    std::int64_t h;
    unsigned planes;
    if (infoSize == 12) {
        l.width = static_cast<int>(le(info + 4, 2));
        h = le(info + 6, 2);
        planes = le(info + 8, 2);
        l.bpp = le(info + 10, 2);
    } else if (infoSize >= 40) {
        l.width = static_cast<std::int32_t>(le(info + 4, 4));
        h = static_cast<std::int32_t>(le(info + 8, 4));
        planes = le(info + 12, 2);
        l.bpp = le(info + 14, 2);
        l.compression = le(info + 16, 4);
    } else {
        return false;
    }
    l.topDown = h < 0;
    if (h < 0)
        h = -h;
    if (planes != 1 || l.width <= 0 || h <= 0 || l.width > PictureData::kMaxSide ||
        h > PictureData::kMaxSide)
        return false;
    l.height = static_cast<int>(h);
    const bool fits = (l.compression == 0 && (l.bpp == 1 || l.bpp == 4 || l.bpp == 8 ||
                                              l.bpp == 16 || l.bpp == 24 || l.bpp == 32)) ||
                      (l.compression == 1 && l.bpp == 8) || (l.compression == 2 && l.bpp == 4) ||
                      (l.compression == 3 && (l.bpp == 16 || l.bpp == 32));
    if (!fits)
        return false;
    // Masks follow a plain info header, or are part of the longer ones.
    std::int64_t tableAt = 14 + infoSize;
    if (l.compression == 3) {
        // Right after the plain info header, which is also where the longer ones keep them.
        unsigned char masks[12];
        if (infoSize == 40)
            tableAt += 12;
        in.seek(14 + 40);
        if (!in.read(masks, sizeof masks))
            return false;
        l.red = Channel(le(masks, 4));
        l.green = Channel(le(masks + 4, 4));
        l.blue = Channel(le(masks + 8, 4));
    } else if (l.bpp == 16) {
        l.red = Channel(0x7C00), l.green = Channel(0x03E0), l.blue = Channel(0x001F);
    } else {
        l.red = Channel(0xFF0000), l.green = Channel(0xFF00), l.blue = Channel(0xFF);
    }
    if (l.bpp <= 8) {
        const std::uint32_t most = 1u << l.bpp;
        std::uint32_t count = infoSize == 12 ? most : le(info + 32, 4);
        if (count == 0 || count > most)
            count = most;
        const int entry = infoSize == 12 ? 3 : 4;
        // The table ends where the pixels begin.
        const std::int64_t room = std::max<std::int64_t>(0, l.dataOffset - tableAt) / entry;
        count = static_cast<std::uint32_t>(std::min<std::int64_t>(count, room));
        in.seek(tableAt);
        l.palette.assign(count, kBlack); // entries the file does not hold stay black
        for (std::uint32_t i = 0; i < count; ++i) {
            unsigned char c[4];
            if (!in.read(c, static_cast<std::size_t>(entry)))
                break;
            l.palette[i] = qRgb(c[2], c[1], c[0]);
        }
    }
    return true;
}

QRgb indexed(const Layout& l, unsigned index) {
    return index < l.palette.size() ? l.palette[index] : kBlack;
}

// Plain rows, as many as the file holds; the pixels of a row cut short stay black.
void readRows(ByteReader& in, const Layout& l, RowScaler& scaler) {
    const std::size_t rowBytes = (static_cast<std::size_t>(l.width) * l.bpp + 31) / 32 * 4;
    std::vector<unsigned char> raw(rowBytes);
    std::vector<QRgb> row(static_cast<std::size_t>(l.width));
    while (scaler.rowsLeft() > 0) {
        const std::size_t got = in.readSome(raw.data(), rowBytes);
        const auto whole = static_cast<int>(std::min<std::size_t>(
            static_cast<std::size_t>(l.width), got * 8 / l.bpp)); // pixels read in full
        std::fill(row.begin(), row.end(), kBlack);
        const unsigned char* p = raw.data();
        for (int x = 0; x < whole; ++x) {
            QRgb& out = row[static_cast<std::size_t>(x)];
            switch (l.bpp) {
            case 1:
            case 4:
            case 8: {
                const std::size_t bit = static_cast<std::size_t>(x) * l.bpp;
                const unsigned shift = 8 - l.bpp - bit % 8;
                out = indexed(l, (p[bit / 8] >> shift) & ((1u << l.bpp) - 1));
                break;
            }
            case 16: {
                const std::uint32_t v = le(p + 2 * x, 2);
                out = qRgb(l.red(v), l.green(v), l.blue(v));
                break;
            }
            case 24:
                out = qRgb(p[3 * x + 2], p[3 * x + 1], p[3 * x]);
                break;
            case 32: {
                const std::uint32_t v = le(p + 4 * x, 4);
                out = qRgb(l.red(v), l.green(v), l.blue(v));
                break;
            }
            }
        }
        if (got == 0)
            return;
        scaler.add(row.data());
        if (got < rowBytes)
            return;
    }
}

// Run-length data: runs of one index, literal runs, end-of-line, delta and end codes. The
// position only moves forward, so rows are handed on as they are left.
void readRuns(ByteReader& in, const Layout& l, RowScaler& scaler) {
    const bool four = l.bpp == 4;
    std::vector<QRgb> row(static_cast<std::size_t>(l.width), kBlack);
    int x = 0;
    auto put = [&](unsigned index) {
        if (x >= 0 && x < l.width)
            row[static_cast<std::size_t>(x)] = indexed(l, index);
        ++x;
    };
    auto nextRow = [&] {
        scaler.add(row.data());
        std::fill(row.begin(), row.end(), kBlack);
        return scaler.rowsLeft() > 0;
    };
    for (;;) {
        unsigned count, value;
        if (!in.byte(count) || !in.byte(value))
            break;
        if (count > 0) {
            for (unsigned i = 0; i < count && x < l.width; ++i)
                put(four ? (i % 2 == 0 ? value >> 4 : value & 15) : value);
            continue;
        }
        if (value == 0) { // end of line
            x = 0;
            if (!nextRow())
                return;
        } else if (value == 1) { // end of picture
            break;
        } else if (value == 2) { // delta: right and down
            unsigned dx, dy;
            if (!in.byte(dx) || !in.byte(dy))
                break;
            x += static_cast<int>(dx);
            for (unsigned i = 0; i < dy; ++i)
                if (!nextRow())
                    return;
        } else { // a literal run, padded to two bytes
            const unsigned bytes = four ? (value + 1) / 2 : value;
            bool cut = false;
            for (unsigned i = 0; i < bytes && !cut; ++i) {
                unsigned b;
                cut = !in.byte(b);
                if (cut)
                    break;
                if (four) {
                    put(b >> 4);
                    if (2 * i + 1 < value)
                        put(b & 15);
                } else {
                    put(b);
                }
            }
            if (cut)
                break;
            if (bytes % 2)
                in.skip(1);
        }
    }
    if (scaler.rowsLeft() > 0)
        scaler.add(row.data());
}

} // namespace

QImage decodeBmp(PictureBytes& bytes, std::int64_t readLimit, QSize size) {
    ByteReader in(bytes, readLimit);
    Layout l;
    if (!readLayout(in, l))
        return {};
    // Rows are stored bottom up unless the height is negative.
    RowScaler scaler(QSize(l.width, l.height), size,
                     l.topDown ? Orientation::Upright : Orientation::MirroredUpsideDown, false);
    if (!scaler.ok())
        return {};
    in.seek(l.dataOffset);
    if (in.pos() == l.dataOffset) {
        if (l.compression == 1 || l.compression == 2)
            readRuns(in, l, scaler);
        else
            readRows(in, l, scaler);
    }
    return scaler.finish(kBlack);
}

} // namespace forms
