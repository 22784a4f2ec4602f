#include "forms/picture.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QCoreApplication>
#include <QImage>
#include <QLoggingCategory>

#include <chrono>
#include <climits>
#include <functional>
#include <future>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/support/temp_dir.h"
#include "tests/unit/picture_fixtures.h"

namespace {

using forms::PictureData;
using forms::PictureFormat;
using namespace picture_fixtures;

// Qt's image readers do not need an application object, but its absence is not what these
// tests are about: give them the same setting the programs have.
void ensureApp() {
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char arg0[] = "picture_test";
    static char* argv[] = {arg0, nullptr};
    static QCoreApplication app(argc, argv);
}

class Pictures : public testing::Test {
  protected:
    static void SetUpTestSuite() { ensureApp(); }
    std::string put(const std::string& name, const QByteArray& bytes) const {
        const std::string path = dir / name;
        writeFile(path, bytes);
        return path;
    }
    testing_support::TempDir dir;
};

QByteArray jpeg(int w, int h) {
    return encode(quadrants(w, h), "JPEG");
}
QByteArray bmp(int w, int h) {
    return encode(quadrants(w, h), "BMP");
}
QByteArray gifOf(int w, int h) {
    return gif({quadrants(w, h)});
}

// The BMP with one little-endian field of its headers replaced.
QByteArray bmpWith(qsizetype at, std::uint32_t value, int bytes = 4) {
    QByteArray b = bmp(37, 23);
    if (bytes == 4)
        putLe32(b, at, value);
    else
        putLe16(b, at, static_cast<std::uint16_t>(value));
    return b;
}
constexpr qsizetype kBmpDataOffset = 10, kBmpInfoSize = 14, kBmpWidth = 18, kBmpHeight = 22,
                    kBmpPlanes = 26, kBmpDepth = 28;

QByteArray gifSized(int w, int h) {
    QByteArray g = gifOf(37, 23);
    putLe16(g, 6, static_cast<std::uint16_t>(w));
    putLe16(g, 8, static_cast<std::uint16_t>(h));
    return g;
}

bool near(QColor a, QColor b, int tolerance = 40) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

// The colours at the centres of the image's four quadrants match kQuadrant turned by `at`:
// at[row][col] names which stored quadrant lands there.
void expectQuadrants(const QImage& image, const QColor (&expected)[2][2]) {
    ASSERT_FALSE(image.isNull());
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 2; ++col) {
            const int x = image.width() * (1 + 2 * col) / 4;
            const int y = image.height() * (1 + 2 * row) / 4;
            const QColor got = image.pixelColor(x, y);
            EXPECT_TRUE(near(got, expected[row][col]))
                << "at " << x << "," << y << " got " << got.name().toStdString() << " expected "
                << expected[row][col].name().toStdString();
        }
}

long maxRssKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

struct LoadCase {
    const char* what;
    const char* name;
    std::function<QByteArray()> bytes;
    const char* reason; // nullptr: loads
    PictureFormat format = PictureFormat::Bmp;
    int w = 0, h = 0;
};

TEST_F(Pictures, HeaderGivesFormatAndOwnSizeOrAReason) {
    const LoadCase cases[] = {
        {"jpeg", "a.jpg", [] { return jpeg(37, 23); }, nullptr, PictureFormat::Jpeg, 37, 23},
        {"bmp 24-bit", "a.bmp", [] { return bmp(37, 23); }, nullptr, PictureFormat::Bmp, 37, 23},
        {"bmp 8-bit", "a.bmp",
         [] { return encode(quadrants(37, 23).convertToFormat(QImage::Format_Indexed8), "BMP"); },
         nullptr, PictureFormat::Bmp, 37, 23},
        {"bmp 1-bit", "a.bmp",
         [] { return encode(quadrants(37, 23).convertToFormat(QImage::Format_Mono), "BMP"); },
         nullptr, PictureFormat::Bmp, 37, 23},
        {"bmp stored top-down", "a.bmp", [] { return bmpWith(kBmpHeight, std::uint32_t(-23)); },
         nullptr, PictureFormat::Bmp, 37, 23},
        {"gif", "a.gif", [] { return gifOf(37, 23); }, nullptr, PictureFormat::Gif, 37, 23},
        {"gif without a screen size takes its first image's", "a.gif",
         [] { return gifSized(0, 0); }, nullptr, PictureFormat::Gif, 37, 23},
        {"exif orientation 6 (Intel order) stands upright", "a.jpg",
         [] { return withOrientation(jpeg(37, 23), 6, false); }, nullptr, PictureFormat::Jpeg, 23,
         37},
        {"exif orientation 8 (Motorola order) stands upright", "a.jpg",
         [] { return withOrientation(jpeg(37, 23), 8, true); }, nullptr, PictureFormat::Jpeg, 23,
         37},
        {"exif orientation 3 keeps its sides", "a.jpg",
         [] { return withOrientation(jpeg(37, 23), 3, false); }, nullptr, PictureFormat::Jpeg, 37,
         23},
        {"exif orientation out of range is ignored", "a.jpg",
         [] { return withOrientation(jpeg(37, 23), 9, false); }, nullptr, PictureFormat::Jpeg, 37,
         23},
        {"frame header behind 1.3 MB of segments that mimic one", "a.jpg",
         [] { return withLargeSegments(jpeg(37, 23), 20); }, nullptr, PictureFormat::Jpeg, 37, 23},
        {"jpeg with stray bytes between segments", "a.jpg",
         [] {
             const QByteArray j = jpeg(37, 23);
             const qsizetype sof = frameHeaderAt(j);
             return j.left(sof) + QByteArray("\x00\x12\x34", 3) + j.mid(sof);
         },
         nullptr, PictureFormat::Jpeg, 37, 23},
        {"jpeg of nothing but stray bytes", "a.jpg",
         [] { return QByteArray("\xFF\xD8", 2) + QByteArray(100000, 'x'); }, "bad header"},
        {"jpeg named bmp", "a.bmp", [] { return jpeg(37, 23); }, nullptr, PictureFormat::Jpeg, 37,
         23},
        {"gif named jpg", "a.jpg", [] { return gifOf(37, 23); }, nullptr, PictureFormat::Gif, 37,
         23},
        {"bmp named gif", "a.gif", [] { return bmp(37, 23); }, nullptr, PictureFormat::Bmp, 37, 23},

        {"empty", "a.jpg", [] { return QByteArray(); }, "empty file"},
        {"text named jpg", "a.jpg", [] { return QByteArray("hello, world\n"); }, "not a picture"},
        {"png named bmp", "a.bmp", [] { return encode(quadrants(37, 23), "PNG"); },
         "not a picture"},
        {"one byte", "a.bmp", [] { return QByteArray("B"); }, "not a picture"},
        {"unknown gif version", "a.gif", [] { return QByteArray("GIF88a").append(40, '\0'); },
         "not a picture"},

        {"jpeg without a frame header", "a.jpg",
         [] { return QByteArray("\xFF\xD8\xFF\xDA\x00\x02\xFF\xD9", 8); }, "bad header"},
        {"jpeg segment length below 2", "a.jpg",
         [] { return QByteArray("\xFF\xD8\xFF\xE0\x00\x01\x00\x00", 8); }, "bad header"},
        {"bmp width 0", "a.bmp", [] { return bmpWith(kBmpWidth, 0); }, "bad header"},
        {"bmp width negative", "a.bmp", [] { return bmpWith(kBmpWidth, std::uint32_t(-37)); },
         "bad header"},
        {"bmp height 0", "a.bmp", [] { return bmpWith(kBmpHeight, 0); }, "bad header"},
        {"bmp height most negative", "a.bmp", [] { return bmpWith(kBmpHeight, 0x80000000u); },
         "too large"},
        {"bmp depth 7", "a.bmp", [] { return bmpWith(kBmpDepth, 7, 2); }, "bad header"},
        {"bmp depth 0", "a.bmp", [] { return bmpWith(kBmpDepth, 0, 2); }, "bad header"},
        {"bmp planes 0", "a.bmp", [] { return bmpWith(kBmpPlanes, 0, 2); }, "bad header"},
        {"bmp info header size 3", "a.bmp", [] { return bmpWith(kBmpInfoSize, 3); }, "bad header"},
        {"bmp info header size 1000", "a.bmp", [] { return bmpWith(kBmpInfoSize, 1000); },
         "bad header"},
        {"bmp pixels inside its headers", "a.bmp", [] { return bmpWith(kBmpDataOffset, 20); },
         "bad header"},
        {"gif with only a trailer", "a.gif",
         [] { return QByteArray("GIF89a\x05\x00\x05\x00\x00\x00\x00;", 14); }, "bad header"},
        {"gif image of zero size", "a.gif",
         [] {
             QByteArray g = gifSized(0, 0);
             putLe16(g, 13 + 768 + 5, 0);
             return g;
         },
         "bad header"},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.what);
        const auto loaded = PictureData::fromFile(put(c.name, c.bytes()));
        if (c.reason) {
            EXPECT_FALSE(loaded.ok());
            EXPECT_EQ(loaded.reason(), c.reason);
            continue;
        }
        ASSERT_TRUE(loaded.ok()) << loaded.reason();
        const forms::Picture& p = loaded.value();
        EXPECT_EQ(p->format(), c.format);
        EXPECT_EQ(p->widthPx(), c.w);
        EXPECT_EQ(p->heightPx(), c.h);
        EXPECT_EQ(p->widthTwips(), c.w * 15.0f);
        const QImage full = p->full();
        ASSERT_FALSE(full.isNull());
        EXPECT_EQ(full.size(), QSize(c.w, c.h));
    }
}

// Headers that claim more pixels than a picture may have fail at load; those within the
// limits but beyond what one decode may allocate load and then draw nothing. Neither
// allocates what the header claims.
TEST_F(Pictures, GiganticSizesAllocateNothing) {
    const long before = maxRssKb();
    const LoadCase refused[] = {
        {"jpeg 60000 x 60000", "a.jpg", [] { return withJpegSize(jpeg(37, 23), 60000, 60000); },
         "too large"},
        {"jpeg 32768 wide", "a.jpg", [] { return withJpegSize(jpeg(37, 23), 32768, 10); },
         "too large"},
        {"jpeg 30000 x 30000", "a.jpg", [] { return withJpegSize(jpeg(37, 23), 30000, 30000); },
         "too large"},
        {"bmp 100000 x 100000", "a.bmp",
         [] {
             QByteArray b = bmpWith(kBmpWidth, 100000);
             putLe32(b, kBmpHeight, 100000);
             return b;
         },
         "too large"},
        {"gif 65535 x 65535", "a.gif", [] { return gifSized(65535, 65535); }, "too large"},
    };
    for (const LoadCase& c : refused) {
        SCOPED_TRACE(c.what);
        const auto loaded = PictureData::fromFile(put(c.name, c.bytes()));
        EXPECT_FALSE(loaded.ok());
        EXPECT_EQ(loaded.reason(), c.reason);
    }
    const LoadCase undrawable[] = {
        {"jpeg 20000 x 20000", "a.jpg", [] { return withJpegSize(jpeg(37, 23), 20000, 20000); },
         nullptr, PictureFormat::Jpeg, 20000, 20000},
        {"bmp 10000 x 10000", "a.bmp",
         [] {
             QByteArray b = bmpWith(kBmpWidth, 10000);
             putLe32(b, kBmpHeight, 10000);
             return b;
         },
         nullptr, PictureFormat::Bmp, 10000, 10000},
        {"gif 20000 x 20000", "a.gif", [] { return gifSized(20000, 20000); }, nullptr,
         PictureFormat::Gif, 20000, 20000},
    };
    for (const LoadCase& c : undrawable) {
        SCOPED_TRACE(c.what);
        const auto loaded = PictureData::fromFile(put(c.name, c.bytes()));
        ASSERT_TRUE(loaded.ok()) << loaded.reason();
        EXPECT_EQ(loaded.value()->widthPx(), c.w);
        EXPECT_TRUE(loaded.value()->full().isNull());
        // A JPEG this size is decoded at 1/8; its data ends early, so libjpeg may fill in.
        const QImage small = loaded.value()->scaled(QSize(64, 64));
        EXPECT_TRUE(small.isNull() || small.size() == QSize(64, 64));
        // Asked at the decode bound, the JPEG would be decoded at 1/2: 10000 x 10000.
        EXPECT_TRUE(loaded.value()->scaled(QSize(8000, 8000)).isNull());
        EXPECT_TRUE(loaded.value()->scaled(QSize(20000, 20000)).isNull());
    }
    EXPECT_LT(maxRssKb() - before, 200 * 1024);
}

// Cut anywhere inside its header, a file is refused; cut anywhere after, it loads with its
// size and draws the part that is left or nothing. Damaged bytes never crash the reader.
TEST_F(Pictures, CutOrDamagedFilesNeverCrash) {
    struct Format {
        const char* name;
        QByteArray bytes;
        qsizetype headerEnd; // the shortest prefix that carries the whole header
    };
    const QByteArray j = jpeg(37, 23);
    const Format formats[] = {
        {"a.jpg", j, frameHeaderAt(j) + 10},
        {"a.bmp", bmp(37, 23), 54},
        {"a.gif", gifOf(37, 23), 13 + 768 + 10},
    };
    const std::string path = dir / "cut";
    // libjpeg reports every damaged byte; thousands of lines would hide a failure's output.
    QLoggingCategory::setFilterRules("qt.gui.imageio.jpeg.warning=false");
    for (const Format& f : formats) {
        SCOPED_TRACE(f.name);
        for (qsizetype length = 0; length < f.bytes.size(); ++length) {
            writeFile(path, f.bytes.left(length));
            const auto loaded = PictureData::fromFile(path);
            ASSERT_EQ(loaded.ok(), length >= f.headerEnd) << "cut at " << length;
            if (length == 0) {
                EXPECT_EQ(loaded.reason(), "empty file");
            } else if (length < f.headerEnd && length >= 6) {
                EXPECT_EQ(loaded.reason(), "truncated header") << "cut at " << length;
            }
            if (!loaded)
                continue;
            EXPECT_EQ(loaded.value()->widthPx(), 37);
            const QImage image = loaded.value()->scaled(QSize(9, 7));
            EXPECT_TRUE(image.isNull() || image.size() == QSize(9, 7));
        }
        std::mt19937 random(7);
        for (int round = 0; round < 300; ++round) {
            QByteArray damaged = f.bytes;
            const int flips = 1 + static_cast<int>(random() % 8);
            for (int i = 0; i < flips; ++i)
                damaged[static_cast<qsizetype>(random() % static_cast<unsigned>(damaged.size()))] =
                    static_cast<char>(random());
            writeFile(path, damaged);
            const auto loaded = PictureData::fromFile(path);
            if (!loaded)
                continue;
            EXPECT_LE(loaded.value()->widthPx(), PictureData::kMaxSide);
            const QImage image = loaded.value()->scaled(QSize(9, 7));
            EXPECT_TRUE(image.isNull() || image.size() == QSize(9, 7));
        }
    }
    QLoggingCategory::setFilterRules("");
}

TEST_F(Pictures, OnlyRegularFilesAreOpened) {
    const std::string fifo = dir / "pipe.jpg";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    ASSERT_EQ(symlink("pipe.jpg", (dir / "to-pipe.jpg").c_str()), 0);
    dir.mkdir("folder.jpg");
    ASSERT_EQ(symlink("loop-b.jpg", (dir / "loop-a.jpg").c_str()), 0);
    ASSERT_EQ(symlink("loop-a.jpg", (dir / "loop-b.jpg").c_str()), 0);
    std::string longPath = dir.path();
    while (longPath.size() <= PATH_MAX)
        longPath += "/deep";
    longPath += ".jpg";

    struct Case {
        std::string path;
        const char* reason; // a reason that ends in ":" is followed by the system's words
    };
    const Case cases[] = {
        {fifo, "not a regular file"},
        {dir / "to-pipe.jpg", "not a regular file"},
        {dir / "folder.jpg", "not a regular file"},
        {"/dev/zero", "not a regular file"},
        {"/dev/null", "not a regular file"},
        {dir / "loop-a.jpg", "cannot open:"},
        {dir / "missing.jpg", "cannot open:"},
        {"", "cannot open:"},
        {longPath, "cannot open:"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.substr(0, 200));
        // A reader stuck on the FIFO would hang the test: wait a bounded time, then open the
        // writing end to release it before failing.
        auto pending =
            std::async(std::launch::async, [&] { return PictureData::fromFile(c.path); });
        if (pending.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
            const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
            FAIL() << "blocked";
        }
        const auto loaded = pending.get();
        ASSERT_FALSE(loaded.ok());
        const std::string expected = c.reason;
        if (expected.back() == ':')
            EXPECT_EQ(loaded.reason().rfind(expected + " ", 0), 0u) << loaded.reason();
        else
            EXPECT_EQ(loaded.reason(), expected);
    }
}

TEST_F(Pictures, NamesAreHostBytes) {
    const std::string raw = put("\xFF\xFE\x80 kadr.jpg", jpeg(37, 23));
    ASSERT_EQ(symlink(raw.c_str(), (dir / "link.jpg").c_str()), 0);
    for (const std::string& path : {raw, dir / "link.jpg"}) {
        const auto loaded = PictureData::fromFile(path);
        ASSERT_TRUE(loaded.ok()) << loaded.reason();
        EXPECT_EQ(loaded.value()->source(), path);
        EXPECT_EQ(loaded.value()->scaled(QSize(5, 5)).size(), QSize(5, 5));
    }
}

// Every format scaled to exactly the size asked, down and up, with its colours in place.
TEST_F(Pictures, ScaledGivesExactSizeAndColours) {
    struct Case {
        const char* name;
        QByteArray bytes;
        QSize size;
    };
    const Case cases[] = {
        {"big.jpg", jpeg(800, 600), {100, 75}},  // decoded at 1/8
        {"big2.jpg", jpeg(800, 600), {150, 75}}, // at 1/4, then squeezed
        {"big3.jpg", jpeg(800, 600), {799, 600}}, {"big.bmp", bmp(800, 600), {100, 75}},
        {"big.gif", gifOf(800, 600), {100, 75}},  {"small.jpg", jpeg(40, 30), {400, 300}},
        {"small.bmp", bmp(40, 30), {77, 301}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto loaded = PictureData::fromFile(put(c.name, c.bytes));
        ASSERT_TRUE(loaded.ok()) << loaded.reason();
        const QImage image = loaded.value()->scaled(c.size);
        ASSERT_EQ(image.size(), c.size);
        expectQuadrants(image, kQuadrant);
    }
}

// The stored picture turned as its orientation tag says: where the stored quadrants land.
TEST_F(Pictures, ScaledStandsJpegUpright) {
    const QColor R = Qt::red, G = Qt::green, B = Qt::blue, Y = Qt::yellow;
    struct Case {
        int orientation;
        QColor upright[2][2];
    };
    const Case cases[] = {
        {1, {{R, G}, {B, Y}}}, {2, {{G, R}, {Y, B}}}, {3, {{Y, B}, {G, R}}}, {4, {{B, Y}, {R, G}}},
        {5, {{R, B}, {G, Y}}}, {6, {{B, R}, {Y, G}}}, {7, {{Y, G}, {B, R}}}, {8, {{G, Y}, {R, B}}},
    };
    const QByteArray stored = jpeg(320, 160);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.orientation);
        const auto loaded =
            PictureData::fromFile(put("o.jpg", withOrientation(stored, c.orientation, true)));
        ASSERT_TRUE(loaded.ok()) << loaded.reason();
        const forms::Picture& p = loaded.value();
        const QSize own = c.orientation >= 5 ? QSize(160, 320) : QSize(320, 160);
        ASSERT_EQ(QSize(p->widthPx(), p->heightPx()), own);
        expectQuadrants(p->full(), c.upright);
        const QImage quarter = p->scaled(own / 4); // through libjpeg's 1/4 scale
        ASSERT_EQ(quarter.size(), own / 4);
        expectQuadrants(quarter, c.upright);
    }
}

TEST_F(Pictures, GifDrawsItsFirstFrame) {
    QImage second(30, 20, QImage::Format_RGB32);
    second.fill(Qt::magenta);
    const auto loaded = PictureData::fromFile(put("two.gif", gif({quadrants(30, 20), second})));
    ASSERT_TRUE(loaded.ok()) << loaded.reason();
    expectQuadrants(loaded.value()->full(), kQuadrant);
}

// A draw reads the file as it is now; a repeated draw at one size is kept.
TEST_F(Pictures, ScaledReadsTheFileWhenFirstDrawn) {
    const std::string path = put("a.jpg", jpeg(80, 60));
    const auto gone = PictureData::fromFile(path);
    const auto kept = PictureData::fromFile(path);
    const auto changed = PictureData::fromFile(path);
    ASSERT_TRUE(gone.ok() && kept.ok() && changed.ok());

    const QImage first = kept.value()->scaled(QSize(40, 30));
    ASSERT_FALSE(first.isNull());
    ::unlink(path.c_str());
    EXPECT_TRUE(gone.value()->scaled(QSize(40, 30)).isNull());
    EXPECT_EQ(kept.value()->scaled(QSize(40, 30)).cacheKey(), first.cacheKey());
    EXPECT_TRUE(kept.value()->scaled(QSize(20, 15)).isNull());

    // Replaced by a picture of another format and size: what is there now, at the size asked.
    QImage blue(50, 10, QImage::Format_RGB32);
    blue.fill(Qt::blue);
    writeFile(path, encode(blue, "BMP"));
    const QImage now = changed.value()->scaled(QSize(40, 30));
    ASSERT_EQ(now.size(), QSize(40, 30));
    EXPECT_TRUE(near(now.pixelColor(20, 15), Qt::blue));

    for (const QSize empty : {QSize(0, 30), QSize(40, 0), QSize(-1, -1)})
        EXPECT_TRUE(changed.value()->scaled(empty).isNull());
}

TEST_F(Pictures, ScaledFromSeveralThreads) {
    const auto loaded = PictureData::fromFile(put("a.jpg", jpeg(400, 300)));
    ASSERT_TRUE(loaded.ok());
    const forms::Picture p = loaded.value();
    std::vector<std::thread> threads;
    std::vector<int> wrong(4, 0);
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < 20; ++i) {
                const QSize size(50 + (t + i) % 3 * 10, 40);
                if (p->scaled(size).size() != size)
                    ++wrong[static_cast<size_t>(t)];
            }
        });
    for (std::thread& t : threads)
        t.join();
    EXPECT_EQ(wrong, std::vector<int>(4, 0));
}

TEST_F(Pictures, ResourcesLoadLikeFiles) {
    const Resource picture("picture-test", "quadrants.bmp", bmp(37, 23));
    const Resource text("picture-test-text", "notes.gif", "GIF? no.");
    const auto loaded = PictureData::fromResource(picture.path());
    ASSERT_TRUE(loaded.ok()) << loaded.reason();
    EXPECT_EQ(loaded.value()->widthPx(), 37);
    EXPECT_EQ(loaded.value()->heightPx(), 23);
    EXPECT_EQ(loaded.value()->source(), picture.path());
    expectQuadrants(loaded.value()->scaled(QSize(74, 46)), kQuadrant);

    EXPECT_EQ(PictureData::fromResource(text.path()).reason(), "not a picture");
    EXPECT_EQ(
        PictureData::fromResource(":/picture-test/missing.bmp").reason().rfind("cannot open:", 0),
        0u);
    // A host path is not a resource: it would bypass the regular-file checks.
    EXPECT_EQ(PictureData::fromResource(dir / "x.bmp").reason(), "not a resource path");
}

} // namespace
