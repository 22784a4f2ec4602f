#include "forms/picture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "tests/corpus/peak_memory.h"
#include "tests/corpus/picture_corpus.h"
#include "tests/support/temp_dir.h"

namespace {

using forms::PictureData;
using picture_corpus::Outcome;

// Every file of the bad-picture corpus loads or is refused as it should, and draws (or draws
// nothing) at its own size, fitted into a frame window and as a preview, within a bounded
// amount of memory. The time is a hang guard only; the time a file may take is the
// benchmark's to check.
TEST(PictureCorpus, EveryFileLoadsAndDrawsWithinBounds) {
    constexpr std::int64_t kMostMemory = 512LL << 20;
    constexpr auto kHangGuard = std::chrono::seconds(60);
    testing_support::TempDir dir;
    for (const picture_corpus::Entry& e : picture_corpus::corpus()) {
        SCOPED_TRACE(e.name);
        const std::string path = picture_corpus::write(e, dir.path());
        const auto began = std::chrono::steady_clock::now();
        const picture_corpus::PeakMemory memory;
        {
            const auto loaded = PictureData::fromFile(path);
            if (e.outcome == Outcome::Refused) {
                EXPECT_FALSE(loaded.ok());
                if (!e.reason.empty()) {
                    EXPECT_EQ(loaded.reason(), e.reason);
                }
            } else if (!loaded.ok()) {
                ADD_FAILURE() << "refused: " << loaded.reason();
            } else {
                const forms::Picture& p = loaded.value();
                const QSize own(p->widthPx(), p->heightPx());
                const QSize sizes[] = {own,
                                       picture_corpus::fitted(own, picture_corpus::kFrameWindow),
                                       picture_corpus::fitted(own, picture_corpus::kPreview)};
                for (int i = 0; i < 3; ++i) {
                    const QImage image = p->scaled(sizes[i]);
                    const bool drawn = !image.isNull();
                    if (drawn) {
                        EXPECT_EQ(image.size(), sizes[i]) << "draw " << i;
                    }
                    switch (e.outcome) {
                    case Outcome::Drawn:
                        EXPECT_TRUE(drawn) << "draw " << i;
                        break;
                    case Outcome::FittedOnly:
                        EXPECT_EQ(drawn, i > 0) << "draw " << i;
                        break;
                    case Outcome::Blank:
                        EXPECT_FALSE(drawn) << "draw " << i;
                        break;
                    default:
                        break;
                    }
                }
            }
        }
        EXPECT_LT(memory.rise(), kMostMemory);
        EXPECT_LT(std::chrono::steady_clock::now() - began, kHangGuard);
        std::remove(path.c_str());
    }
}

} // namespace
