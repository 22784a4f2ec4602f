#include "forms/picture.h"

#include <gtest/gtest.h>

#include <QImage>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "tests/corpus/peak_memory.h"
#include "tests/support/temp_dir.h"
#include "tests/unit/picture_fixtures.h"

namespace {

using forms::PictureData;
using namespace picture_fixtures;

constexpr QRgb kBlack = 0xFF000000u;

// A BMP of w x h at 8 bits a pixel with the given palette and pixel data (as stored).
QByteArray bmp8(int w, int h, const std::vector<QRgb>& palette, std::uint32_t compression,
                const QByteArray& data) {
    QByteArray b(54, '\0');
    b[0] = 'B';
    b[1] = 'M';
    const auto offset = static_cast<std::uint32_t>(54 + 4 * palette.size());
    putLe32(b, 2, offset + static_cast<std::uint32_t>(data.size()));
    putLe32(b, 10, offset);
    putLe32(b, 14, 40);
    putLe32(b, 18, static_cast<std::uint32_t>(w));
    putLe32(b, 22, static_cast<std::uint32_t>(h));
    putLe16(b, 26, 1);
    putLe16(b, 28, 8);
    putLe32(b, 30, compression);
    putLe32(b, 46, static_cast<std::uint32_t>(palette.size()));
    for (const QRgb c : palette) {
        b.append(static_cast<char>(qBlue(c)));
        b.append(static_cast<char>(qGreen(c)));
        b.append(static_cast<char>(qRed(c)));
        b.append('\0');
    }
    return b + data;
}

QImage rows(const std::vector<std::vector<QRgb>>& pixels) {
    QImage image(static_cast<int>(pixels[0].size()), static_cast<int>(pixels.size()),
                 QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, pixels[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]);
    return image;
}

// Leaves freed blocks full of a pattern on the heap, as a program's heap holds them.
void dirtyHeap() {
    std::vector<std::unique_ptr<unsigned char[]>> blocks;
    for (std::size_t i = 1; i <= 64; ++i) {
        blocks.emplace_back(new unsigned char[i * 1024]);
        std::memset(blocks.back().get(), 0x5A, i * 1024);
    }
}

class PictureDamage : public testing::Test {
  protected:
    std::string put(const std::string& name, const QByteArray& bytes) const {
        const std::string path = dir / name;
        writeFile(path, bytes);
        return path;
    }
    testing_support::TempDir dir;
};

// What a file does not give is black, never what the memory held before: cut rows, palette
// indices past the table, pixels a run-length delta skips, LZW data that ends early.
TEST_F(PictureDamage, PixelsTheFileDoesNotGiveAreBlack) {
    const QRgb R = qRgb(255, 0, 0), G = qRgb(0, 255, 0), B = qRgb(0, 0, 255),
               W = qRgb(255, 255, 255), K = kBlack;
    QImage halfCut = quadrants(64, 48);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 64; ++x)
            halfCut.setPixel(x, y, K);
    struct Case {
        const char* what;
        QByteArray bytes;
        QImage expected;
    };
    const Case cases[] = {
        {"bmp cut in half: its top half is missing (rows are stored bottom up)",
         encode(quadrants(64, 48), "BMP").left(54 + 64 * 3 * 24), halfCut},
        {"indices past a palette of four",
         bmp8(8, 1, {R, G, B, W}, 0, QByteArray("\x00\x01\x02\x03\x04\x05\xC8\xFF", 8)),
         rows({{R, G, B, W, K, K, K, K}})},
        {"run-length rows: a delta skips three pixels, the end comes before the top row",
         bmp8(8, 2, {R, G, B, W}, 1, QByteArray("\x02\x01\x00\x02\x03\x00\x01\x02\x00\x01", 10)),
         rows({{K, K, K, K, K, K, K, K}, {G, G, K, K, K, B, K, K}})},
        // Codes of three bits: clear, 0, clear, 1, clear, 2, clear, clear; no end code.
        {"gif whose LZW data ends after three pixels",
         QByteArray("GIF89a\x04\x00\x02\x00\x81\x00\x00", 13) +
             QByteArray("\xFF\x00\x00\x00\xFF\x00\x00\x00\xFF\xFF\xFF\xFF", 12) +
             QByteArray(",\x00\x00\x00\x00\x04\x00\x02\x00\x00\x02\x03\x04\x43\x91", 15),
         rows({{R, G, B, K}, {K, K, K, K}})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        dirtyHeap();
        const auto loaded = PictureData::fromFile(put("damaged", c.bytes));
        ASSERT_TRUE(loaded.ok()) << loaded.reason();
        const QImage got = loaded.value()->full().convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(got.size(), c.expected.size());
        int wrong = 0;
        for (int y = 0; y < got.height(); ++y)
            for (int x = 0; x < got.width(); ++x)
                wrong += got.pixel(x, y) == c.expected.pixel(x, y) ? 0 : 1;
        EXPECT_EQ(wrong, 0);
    }
}

// 64 megapixels declared, 9 KB of pixels given: 3072 grey pixels, the rest black.
TEST_F(PictureDamage, HugePictureWithFewPixelsIsBlackBeyondThem) {
    QByteArray b = encode(quadrants(8, 8), "BMP").left(54) + QByteArray(9 * 1024, '\x40');
    putLe32(b, 18, 8000);
    putLe32(b, 22, 8000);
    const auto loaded = PictureData::fromFile(put("few.bmp", b));
    ASSERT_TRUE(loaded.ok()) << loaded.reason();
    const QImage image = loaded.value()->full();
    ASSERT_EQ(image.size(), QSize(8000, 8000));
    std::int64_t grey = 0, other = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            grey += row[x] == qRgb(0x40, 0x40, 0x40) ? 1 : 0;
            other += row[x] != qRgb(0x40, 0x40, 0x40) && row[x] != kBlack ? 1 : 0;
        }
    }
    EXPECT_EQ(grey, 3072);
    EXPECT_EQ(other, 0);
}

// A file that keeps growing while it is drawn is read as far as it reached when it was
// opened, and only as far as its picture needs: not after its growth into memory.
TEST_F(PictureDamage, GrowingFileIsReadNoFurtherThanItsPictureNeeds) {
    const std::string path = put("growing.bmp", encode(quadrants(64, 48), "BMP"));
    const auto loaded = PictureData::fromFile(path);
    ASSERT_TRUE(loaded.ok());
    std::atomic<bool> done{false};
    std::atomic<int> grown{0}; // megabytes appended
    std::thread grow([&] {
        const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
        const std::vector<char> block(1 << 20, 'x');
        while (fd >= 0 && !done && grown < 768 && ::write(fd, block.data(), block.size()) > 0)
            ++grown;
        if (fd >= 0)
            ::close(fd);
        grown = 768;
    });
    while (grown < 64)
        std::this_thread::yield();
    const picture_corpus::PeakMemory memory;
    int drawn = 0;
    for (int i = 0; i < 40; ++i) {
        const QSize size(64 - i, 48);
        drawn += loaded.value()->scaled(size).size() == size ? 1 : 0;
    }
    const std::int64_t rise = memory.rise();
    done = true;
    grow.join();
    EXPECT_EQ(drawn, 40);
    EXPECT_LT(rise, 32LL << 20);
}

// Removed, cut, replaced by another format while loading and drawing go on: each load is a
// picture or a reason, each draw the size asked or nothing.
TEST_F(PictureDamage, FileChangedWhileReadNeverHurts) {
    const std::string path = dir / "changing";
    const std::string next = dir / "next";
    const QByteArray versions[] = {encode(quadrants(300, 200), "JPEG"),
                                   encode(quadrants(300, 200), "BMP"), gif({quadrants(60, 40)})};
    std::atomic<bool> done{false};
    std::thread change([&] {
        for (unsigned i = 0; !done; ++i) {
            const QByteArray& v = versions[i % 3];
            switch (i % 4) {
            case 0: // written in place
                writeFile(path, v);
                break;
            case 1: // cut
                ::truncate(path.c_str(), v.size() / 3);
                break;
            case 2: // replaced whole
                writeFile(next, v);
                std::rename(next.c_str(), path.c_str());
                break;
            case 3:
                ::unlink(path.c_str());
                break;
            }
        }
    });
    int loads = 0, wrong = 0;
    for (int i = 0; i < 100000 && loads < 300; ++i) {
        const auto loaded = PictureData::fromFile(path);
        if (!loaded)
            continue;
        ++loads;
        for (const QSize size :
             {QSize(30, 20), QSize(loaded.value()->widthPx(), loaded.value()->heightPx())}) {
            const QImage image = loaded.value()->scaled(size);
            wrong += image.isNull() || image.size() == size ? 0 : 1;
        }
    }
    done = true;
    change.join();
    EXPECT_GT(loads, 0);
    EXPECT_EQ(wrong, 0);
}

} // namespace
