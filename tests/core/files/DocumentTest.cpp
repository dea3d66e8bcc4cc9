#include "core/archive/Archive.h"
#include "core/render/ClassRegistry.h"
#include "core/files/RenderRecord.h"
#include "support/ArchiveBytes.h"
#include "support/DocumentBytes.h"
#include "support/Pictures.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

namespace korvanta {
namespace {

using test::Document;

using test::MandelbrotJob;

LoadedRecord Load(const std::string& bytes)
{
    std::istringstream in(bytes);
    Archive ar(in, FindRegisteredClass);
    return ReadRenderRecord(ar);
}

std::optional<ArchiveError::Kind> LoadError(const std::string& bytes)
{
    try {
        Load(bytes);
    } catch (const ArchiveError& e) {
        return e.kind();
    }
    return std::nullopt;
}

// Offsets in a document of a Mandelbrot with Fantasy 2304.
constexpr std::size_t kFormulaRecord = 60;
constexpr std::size_t kColoringRecord = kFormulaRecord + 6 + 19 + 144;
constexpr std::size_t kColumn = kColoringRecord + 6 + 13 + 4;
constexpr std::size_t kRow = kColumn + 4;
constexpr std::size_t kHeader = kRow + 4;
constexpr std::size_t kPixels = kHeader + 40;

void Put32(std::string& bytes, std::size_t at, std::int32_t value)
{
    std::memcpy(bytes.data() + at, &value, 4);
}

TEST(Document, LayoutOfAFinishedPicture)
{
    auto job = MandelbrotJob(200, 200);
    WindowPlacement placement;
    placement.left = 10;
    placement.right = 230;
    const std::string bytes = Document(*job, placement);
    EXPECT_EQ(bytes.substr(0, 4), "Frac");
    EXPECT_EQ(bytes.substr(4, 8), test::Bytes({0, 0, 0, 0, 0, 0, 0, 0}));  // formula, coloring 0
    EXPECT_EQ(bytes.substr(kFormulaRecord, 6), test::Bytes({0xFF, 0xFF, 1, 0, 0x13, 0}));
    EXPECT_EQ(bytes.substr(kFormulaRecord + 6, 19), "CFractAlgMandelbrot");
    EXPECT_EQ(bytes.substr(kColoringRecord, 6), test::Bytes({0xFF, 0xFF, 1, 0, 0x0D, 0}));
    EXPECT_EQ(bytes.substr(kColumn, 8), test::Bytes({0, 0, 0, 0, 200, 0, 0, 0}));
    EXPECT_EQ(bytes.substr(kHeader, 16),
              test::Bytes({40, 0, 0, 0, 200, 0, 0, 0, 200, 0, 0, 0, 1, 0, 32, 0}));
    ASSERT_EQ(bytes.size(), kPixels + 160000 + 44);
    EXPECT_EQ(std::memcmp(bytes.data() + kPixels, job->Pixels().data(), 160000), 0);
    EXPECT_EQ(bytes.substr(kPixels + 160000, 4), test::Bytes({44, 0, 0, 0}));
    EXPECT_EQ(bytes[kPixels + 160000 + 28], 10);
}

TEST(Document, APartialPictureResumesToTheSameResult)
{
    auto partial = MandelbrotJob(200, 150, 3 * 200 + 17);
    ASSERT_EQ(partial->Row(), 3);
    ASSERT_EQ(partial->Column(), 17);
    const std::string bytes = Document(*partial);
    EXPECT_EQ(bytes.size(), kPixels + 4 * 617 + 44);

    LoadedRecord loaded = Load(bytes);
    RenderJob& job = *loaded.job;
    EXPECT_EQ(job.Row(), 3);
    EXPECT_EQ(job.Column(), 17);
    EXPECT_EQ(std::memcmp(job.Pixels().data(), partial->Pixels().data(), 4 * 617), 0);
    EXPECT_EQ(job.Pixels().data()[617], 0u);
    while (job.RenderStep() != 0) {
    }
    auto whole = MandelbrotJob(200, 150);
    EXPECT_EQ(std::memcmp(job.Pixels().data(), whole->Pixels().data(), 4 * 200 * 150), 0);
    EXPECT_EQ(Document(job), Document(*whole));
}

TEST(Document, EveryTruncationFailsCleanly)
{
    const std::string bytes = Document(*MandelbrotJob(8, 6, 20));
    for (std::size_t n = 0; n < bytes.size(); ++n)
        EXPECT_TRUE(LoadError(bytes.substr(0, n)).has_value()) << n << " bytes";
    EXPECT_FALSE(LoadError(bytes).has_value());
}

TEST(Document, WrongMagicIsNotADocument)
{
    std::string bytes = Document(*MandelbrotJob(8, 6, 20));
    bytes.replace(0, 4, "frac");
    EXPECT_EQ(LoadError(bytes), ArchiveError::Kind::NotADocument);
    EXPECT_EQ(LoadError("Fra"), ArchiveError::Kind::Truncated);
}

TEST(Document, PositionsHeadersAndSizesMustFitThePicture)
{
    const std::string good = Document(*MandelbrotJob(8, 6, 20));
    struct Case {
        const char* what;
        std::size_t at;
        std::int32_t value;
    };
    const Case cases[] = {
        {"column at the width", kColumn, 8},     {"negative column", kColumn, -1},
        {"row past the height", kRow, 7},        {"negative row", kRow, -1},
        {"header width", kHeader + 4, 9},         {"header height", kHeader + 8, 5},
        {"settings width", 4 + 20, 1 << 30},      {"settings height", 4 + 16, -6},
        {"picture too large", 4 + 20, 0x7FFFFFFF},
    };
    for (const Case& c : cases) {
        std::string bytes = good;
        Put32(bytes, c.at, c.value);
        if (c.at == 4 + 20 && c.value == 0x7FFFFFFF)
            Put32(bytes, 4 + 16, 0x7FFFFFFF);
        EXPECT_TRUE(LoadError(bytes).has_value()) << c.what;
    }
    // Finished with a column past zero: more pixels than the picture holds.
    std::string bytes = good;
    Put32(bytes, kRow, 6);
    Put32(bytes, kColumn, 3);
    EXPECT_EQ(LoadError(bytes), ArchiveError::Kind::BadValue);
}

TEST(Document, SizesOutsideWhatRenderAcceptsAreRefused)
{
    // A record with nothing computed yet, whose settings and header agree on a size.
    std::string start = Document(*MandelbrotJob(8, 6, 20));
    Put32(start, kColumn, 0);
    Put32(start, kRow, 0);
    start.erase(kPixels, start.size() - kPixels - WindowPlacement::kSize);
    auto withSize = [&](std::int32_t width, std::int32_t height) {
        std::string bytes = start;
        Put32(bytes, 4 + 20, width), Put32(bytes, 4 + 16, height);
        Put32(bytes, kHeader + 4, width), Put32(bytes, kHeader + 8, height);
        return bytes;
    };
    EXPECT_FALSE(LoadError(withSize(32000, 1)));
    EXPECT_FALSE(LoadError(withSize(1, 32000)));
    for (auto [width, height] : {std::pair{32001, 1}, {1, 32001}, {65536, 65536},
                                 {0x7FFFFFFF, 2}, {0, 5}, {5, 0}, {0, 0}}) {
        try {
            Load(withSize(width, height));
            ADD_FAILURE() << width << " x " << height << " was loaded";
        } catch (const ArchiveError& e) {
            EXPECT_EQ(e.kind(), ArchiveError::Kind::BadValue);
            EXPECT_NE(std::string(e.what()).find("outside 1 to 32000 pixels a side"), std::string::npos)
                << e.what();
        }
    }
}

TEST(Document, FlippedBytesNeverCrash)
{
    const std::string good = Document(*MandelbrotJob(8, 6, 20));
    for (std::size_t at = 0; at < kPixels; ++at) {
        for (int bit : {0, 7}) {
            std::string bytes = good;
            bytes[at] = static_cast<char>(bytes[at] ^ (1 << bit));
            try {
                LoadedRecord loaded = Load(bytes);
                // Whatever still reads must render without stepping outside its buffer.
                for (int step = 0; step < 100 && loaded.job->RenderStep() != 0; ++step) {
                }
            } catch (const ArchiveError&) {
            }
        }
    }
}

}  // namespace
}  // namespace korvanta
