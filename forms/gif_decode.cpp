#include "forms/gif_decode.h"

#include <algorithm>
#include <array>
#include <vector>

#include "forms/picture.h"
#include "forms/row_scaler.h"

namespace forms {

namespace {

constexpr QRgb kBlack = 0xFF000000u;

unsigned le16(const unsigned char* p) {
    return p[0] | (p[1] << 8u);
}

std::vector<QRgb> readTable(ByteReader& in, unsigned flags) {
    std::vector<QRgb> table;
    if (!(flags & 0x80))
        return table;
    table.assign(std::size_t{2} << (flags & 7), kBlack);
    for (QRgb& c : table) {
        unsigned char rgb[3];
        if (!in.read(rgb, 3))
            break;
        c = qRgb(rgb[0], rgb[1], rgb[2]);
    }
    return table;
}

void skipSubBlocks(ByteReader& in) {
    unsigned length;
    while (in.byte(length) && length != 0)
        in.skip(length);
}

// The LZW codes of an image's sub-blocks, least significant bit first.
class CodeReader {
  public:
    explicit CodeReader(ByteReader& in) : in_(in) {}
    bool next(int bits, unsigned& code) {
        while (count_ < bits) {
            if (left_ == 0 && (!in_.byte(left_) || left_ == 0))
                return false;
            unsigned b;
            if (!in_.byte(b))
                return false;
            --left_;
            acc_ |= b << count_;
            count_ += 8;
        }
        code = acc_ & ((1u << bits) - 1);
        acc_ >>= bits;
        count_ -= bits;
        return true;
    }

  private:
    ByteReader& in_;
    unsigned left_ = 0; // bytes left in the current sub-block
    std::uint32_t acc_ = 0;
    int count_ = 0;
};

// Where the frame's rows land on the screen: row by row as they come, or, for an interlaced
// frame, from the indices kept once the data has ended. The rows above the frame are given
// first, those below it by the scaler's finish.
class Frame {
  public:
    Frame(RowScaler& scaler, int left, int top, int w, int h, bool interlaced,
          std::vector<QRgb> colours, QRgb background)
        : scaler_(scaler), left_(left), w_(w), h_(h), interlaced_(interlaced),
          colours_(std::move(colours)), background_(background),
          screenRow_(static_cast<std::size_t>(scaler.width()), background) {
        indices_.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(interlaced ? h : 1));
        scaler_.addFill(background_, top);
    }
    bool full() const { return done_ >= static_cast<std::int64_t>(w_) * h_; }

    void put(unsigned index) {
        if (full())
            return;
        const std::int64_t row = done_ / w_, col = done_ % w_;
        ++done_;
        if (interlaced_) {
            const auto at = static_cast<std::size_t>(stored(static_cast<int>(row))) *
                                static_cast<std::size_t>(w_) +
                            static_cast<std::size_t>(col);
            indices_[at] = static_cast<unsigned char>(index);
            return;
        }
        indices_[static_cast<std::size_t>(col)] = static_cast<unsigned char>(index);
        if (col == w_ - 1)
            hand(indices_.data(), w_);
    }

    // The rows not handed on yet, once the data has ended.
    void finish() {
        if (interlaced_) {
            for (int r = 0; r < h_ && scaler_.rowsLeft() > 0; ++r) {
                const std::int64_t given = done_ - static_cast<std::int64_t>(order(r)) * w_;
                hand(&indices_[static_cast<std::size_t>(r) * static_cast<std::size_t>(w_)],
                     static_cast<int>(std::clamp<std::int64_t>(given, 0, w_)));
            }
        } else if (!full()) {
            hand(indices_.data(), static_cast<int>(done_ % w_));
        }
    }

  private:
    // Interlaced rows come in four passes: every eighth from 0, every eighth from 4, every
    // fourth from 2, every second from 1. The k-th row given, and the place of row r.
    int stored(int k) const {
        const int p1 = (h_ + 7) / 8, p2 = (h_ + 3) / 8, p3 = (h_ + 1) / 4;
        if (k < p1)
            return k * 8;
        if ((k -= p1) < p2)
            return 4 + k * 8;
        if ((k -= p2) < p3)
            return 2 + k * 4;
        return 1 + (k - p3) * 2;
    }
    int order(int r) const {
        const int p1 = (h_ + 7) / 8, p2 = (h_ + 3) / 8, p3 = (h_ + 1) / 4;
        if (r % 8 == 0)
            return r / 8;
        if (r % 8 == 4)
            return p1 + r / 8;
        if (r % 4 == 2)
            return p1 + p2 + r / 4;
        return p1 + p2 + p3 + r / 2;
    }
    // One frame row onto a screen row; its first `given` pixels came from the data.
    void hand(const unsigned char* indices, int given) {
        if (scaler_.rowsLeft() <= 0)
            return;
        std::fill(screenRow_.begin(), screenRow_.end(), background_);
        const int width = static_cast<int>(screenRow_.size());
        for (int x = 0; x < given && left_ + x < width; ++x)
            screenRow_[static_cast<std::size_t>(left_ + x)] = colours_[indices[x]];
        scaler_.add(screenRow_.data());
    }

    RowScaler& scaler_;
    int left_, w_, h_;
    bool interlaced_;
    std::vector<QRgb> colours_;
    QRgb background_;
    std::vector<QRgb> screenRow_;
    std::vector<unsigned char> indices_;
    std::int64_t done_ = 0;
};

// Standard GIF LZW: a clear code resets the table, codes grow to 12 bits, a code past the
// next free one ends the data.
void decodeLzw(ByteReader& in, int minimum, Frame& frame) {
    const unsigned clear = 1u << minimum, end = clear + 1;
    std::array<std::uint16_t, 4096> prefix{};
    std::array<unsigned char, 4096> suffix{}, first{};
    std::array<unsigned char, 4097> stack{};
    for (unsigned i = 0; i < clear; ++i)
        suffix[i] = first[i] = static_cast<unsigned char>(i);
    CodeReader codes(in);
    int bits = minimum + 1;
    unsigned next = clear + 2;
    int prev = -1;
    unsigned code;
    while (!frame.full() && codes.next(bits, code)) {
        if (code == clear) {
            bits = minimum + 1;
            next = clear + 2;
            prev = -1;
            continue;
        }
        if (code == end)
            return;
        if (prev < 0) {
            if (code >= clear)
                return;
            frame.put(code);
            prev = static_cast<int>(code);
            continue;
        }
        if (code > next || (code == next && next >= 4096))
            return;
        std::size_t n = 0;
        unsigned c = code;
        if (code == next) {
            stack[n++] = first[static_cast<std::size_t>(prev)];
            c = static_cast<unsigned>(prev);
        }
        while (c >= clear) {
            stack[n++] = suffix[c];
            c = prefix[c];
        }
        stack[n++] = static_cast<unsigned char>(c);
        if (next < 4096) {
            prefix[next] = static_cast<std::uint16_t>(prev);
            suffix[next] = static_cast<unsigned char>(c);
            first[next] = first[static_cast<std::size_t>(prev)];
            ++next;
            if (next == (1u << bits) && bits < 12)
                ++bits;
        }
        while (n > 0 && !frame.full())
            frame.put(stack[--n]);
        prev = static_cast<int>(code);
    }
}

} // namespace

QImage decodeGif(PictureBytes& bytes, std::int64_t readLimit, QSize size) {
    ByteReader in(bytes, readLimit);
    unsigned char screen[13];
    if (!in.read(screen, sizeof screen))
        return {};
    int w = static_cast<int>(le16(screen + 6)), h = static_cast<int>(le16(screen + 8));
    const std::vector<QRgb> global = readTable(in, screen[10]);
    int transparent = -1;
    for (;;) {
        unsigned block;
        if (!in.byte(block))
            return {};
        if (block == 0x21) {
            unsigned label, length;
            if (!in.byte(label) || !in.byte(length))
                return {};
            if (length == 0)
                continue; // an extension without data
            unsigned char gce[4];
            if (label == 0xF9 && length == 4 && in.read(gce, sizeof gce))
                transparent = gce[0] & 1 ? gce[3] : -1; // the frame's transparent index
            else
                in.skip(length);
            skipSubBlocks(in);
            continue;
        }
        if (block != 0x2C)
            return {}; // a trailer or garbage before any image
        unsigned char image[9];
        if (!in.read(image, sizeof image))
            return {};
        int left = static_cast<int>(le16(image)), top = static_cast<int>(le16(image + 2));
        const int fw = static_cast<int>(le16(image + 4)), fh = static_cast<int>(le16(image + 6));
        if (w == 0 || h == 0) {
            w = fw, h = fh, left = top = 0;
        }
        if (w <= 0 || h <= 0 || static_cast<std::int64_t>(w) * h > PictureData::kMaxDecodePixels ||
            static_cast<std::int64_t>(fw) * fh > PictureData::kMaxDecodePixels)
            return {};
        std::vector<QRgb> colours = readTable(in, image[8]);
        if (colours.empty())
            colours = global;
        colours.resize(256, kBlack);
        if (transparent >= 0)
            colours[static_cast<std::size_t>(transparent)] = 0;
        const QRgb background = transparent >= 0 ? 0u : kBlack;
        unsigned minimum;
        if (!in.byte(minimum) || minimum < 1 || minimum > 11)
            return {};
        RowScaler scaler(QSize(w, h), size, Orientation::Upright, transparent >= 0);
        if (!scaler.ok())
            return {};
        if (fw > 0 && fh > 0) {
            Frame frame(scaler, left, top, fw, fh, (image[8] & 0x40) != 0, std::move(colours),
                        background);
            decodeLzw(in, static_cast<int>(minimum), frame);
            frame.finish();
        }
        return scaler.finish(background);
    }
}

} // namespace forms
