// What a picture keeps of its decodes, and when loading a file again gives the picture
// loaded before.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "forms/loaded_pictures.h"
#include "forms/picture.h"
#include "tests/support/temp_dir.h"
#include "tests/unit/picture_fixtures.h"

namespace {

using forms::LoadedPictures;
using forms::Picture;
using forms::PictureData;
using picture_fixtures::encode;
using picture_fixtures::quadrants;
using picture_fixtures::writeFile;

class PictureReuse : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char arg0[] = "unit_tests";
        static char* argv[] = {arg0, nullptr};
        static QCoreApplication app(argc, argv);
    }
    testing_support::TempDir dir;
};

std::uint64_t decodesOf(const std::function<void()>& f) {
    const auto before = PictureData::decodeCount();
    f();
    return PictureData::decodeCount() - before;
}

TEST_F(PictureReuse, AnUnchangedFileStillShownGivesItsPictureAndPixels) {
    const std::string path = dir / "a.jpg";
    writeFile(path, encode(quadrants(80, 60), "JPEG"));
    LoadedPictures loaded;
    const Picture first = loaded.load(path).value();
    const QImage pixels = first->scaled(QSize(40, 30));

    const Picture again = loaded.load(path).value();
    EXPECT_EQ(again, first) << "the same picture";
    EXPECT_EQ(
        decodesOf([&] { EXPECT_EQ(again->scaled(QSize(40, 30)).cacheKey(), pixels.cacheKey()); }),
        0u);

    // What changes the file, or which file the name stands for, gives a picture read afresh.
    const auto modified = std::filesystem::last_write_time(path);
    struct Case {
        const char* what;
        std::function<void()> change;
    };
    const Case cases[] = {
        {"rewritten, a later time",
         [&] {
             writeFile(path, encode(quadrants(80, 60).mirrored(true, false), "JPEG"));
             std::filesystem::last_write_time(path, modified + std::chrono::seconds(5));
         }},
        {"another file put in its place, of the same time",
         [&] {
             const std::string other = dir / "other.jpg";
             writeFile(other, encode(quadrants(80, 60), "JPEG"));
             std::filesystem::last_write_time(other, modified + std::chrono::seconds(5));
             std::filesystem::rename(other, path);
         }},
        {"grown, of the same time",
         [&] {
             writeFile(path, encode(quadrants(160, 120), "JPEG"));
             std::filesystem::last_write_time(path, modified + std::chrono::seconds(5));
         }},
    };
    Picture held = again;
    for (const Case& c : cases) {
        c.change();
        const auto next = loaded.load(path);
        ASSERT_TRUE(next.ok()) << c.what;
        EXPECT_NE(next.value(), held) << c.what;
        held = next.value();
    }
    EXPECT_EQ(held->widthPx(), 160);

    std::filesystem::remove(path);
    EXPECT_FALSE(loaded.load(path).ok()) << "a vanished file is no picture";
}

TEST_F(PictureReuse, PicturesNoControlHoldsAreKeptWithinBounds) {
    LoadedPictures loaded;
    const auto file = [&](const std::string& name) {
        const std::string path = dir / name;
        writeFile(path, encode(quadrants(16, 12), "BMP"));
        return path;
    };
    // Let go and loaded again: the same picture, its pixels kept.
    std::weak_ptr<const PictureData> first;
    {
        const Picture p = loaded.load(file("first.bmp")).value();
        p->scaled(QSize(40, 30));
        first = p;
    }
    EXPECT_EQ(decodesOf([&] { loaded.load(dir / "first.bmp").value()->scaled(QSize(40, 30)); }),
              0u);

    // A file that changed: what was loaded from it before is not kept for it.
    {
        const std::weak_ptr<const PictureData> old = loaded.load(file("changed.bmp")).value();
        const std::string path = dir / "changed.bmp";
        writeFile(path, encode(quadrants(8, 6), "BMP"));
        std::filesystem::last_write_time(path, std::filesystem::last_write_time(path) +
                                                   std::chrono::seconds(3));
        EXPECT_EQ(loaded.load(path).value()->widthPx(), 8);
        EXPECT_TRUE(old.expired());
    }

    // A few of them only: loading more lets the oldest go.
    for (std::size_t i = 0; i <= LoadedPictures::kKeptPictures; ++i)
        loaded.load(file("more" + std::to_string(i) + ".bmp")).value()->scaled(QSize(4, 3));
    EXPECT_TRUE(first.expired()) << "more pictures than kept";

    // And no more pixels than kept: two pictures that together pass the bound.
    const QSize large(4096, 2304); // 36 MiB each
    std::weak_ptr<const PictureData> older, newer;
    for (auto* held : {&older, &newer}) {
        const Picture p = loaded.load(file(held == &older ? "older.bmp" : "newer.bmp")).value();
        ASSERT_EQ(p->scaled(large).size(), large);
        *held = p;
    }
    loaded.load(file("last.bmp"));
    EXPECT_TRUE(older.expired()) << "the older large picture let go";
    EXPECT_FALSE(newer.expired()) << "the newer one still fits";
}

TEST_F(PictureReuse, APictureKeepsThePixelsOfItsLastTwoSizes) {
    const std::string path = dir / "a.jpg";
    writeFile(path, encode(quadrants(80, 60), "JPEG"));
    const Picture p = PictureData::fromFile(path).value();
    const QSize a(40, 30), b(20, 15), c(10, 8);
    struct Step {
        QSize size;
        unsigned decodes;
    };
    const Step steps[] = {{a, 1}, {b, 1}, {a, 0}, {b, 0}, {c, 1}, {b, 0}, {a, 1}};
    for (const Step& s : steps) {
        EXPECT_EQ(decodesOf([&] { EXPECT_EQ(p->scaled(s.size).size(), s.size); }), s.decodes)
            << s.size.width() << "x" << s.size.height();
        EXPECT_TRUE(p->decodedAt(s.size));
    }
    EXPECT_FALSE(p->decodedAt(c)) << "the least recently drawn size was let go";
}

TEST_F(PictureReuse, DrawsAtOneSizeFromSeveralThreadsDecodeOnce) {
    const std::string path = dir / "a.jpg";
    writeFile(path, encode(quadrants(800, 600), "JPEG"));
    const Picture p = PictureData::fromFile(path).value();
    std::promise<void> go;
    const std::shared_future<void> start = go.get_future().share();
    const auto decodes = decodesOf([&] {
        std::vector<std::thread> threads;
        std::vector<QSize> got(6);
        for (std::size_t t = 0; t < got.size(); ++t)
            threads.emplace_back([&, t] {
                start.wait();
                got[t] = p->scaled(QSize(300, 200)).size();
            });
        go.set_value();
        for (std::thread& t : threads)
            t.join();
        EXPECT_EQ(got, std::vector<QSize>(got.size(), QSize(300, 200)));
    });
    EXPECT_EQ(decodes, 1u);
}

} // namespace
