#include "core/archive/Archive.h"
#include "core/files/PictureExport.h"
#include "core/render/ParallelRender.h"
#include "support/Pictures.h"

#include <gtest/gtest.h>

namespace korvanta {
namespace {

// Rows of a picture in memory that fail from one row on, as a band file read from a
// failing disk would.
class FailingRows final : public PixelRows {
public:
    FailingRows(const PixelBuffer& pixels, std::int32_t failFrom) : m_rows(pixels), m_failFrom(failFrom) {}
    std::int32_t Width() const override { return m_rows.Width(); }
    std::int32_t Height() const override { return m_rows.Height(); }
    const std::uint32_t* Row(std::int32_t row) override { return row >= m_failFrom ? nullptr : m_rows.Row(row); }

private:
    BufferRows m_rows;
    std::int32_t m_failFrom;
};

// Written a row at a time, every format is byte for byte what writing the picture from
// memory gives: the document with its settings and placement too.
TEST(SaveRows, EveryFormatIsTheWholePicturesBytes)
{
    const auto dir = test::TempDir("row-export");
    auto job = test::MandelbrotJob(37, 23, 0);
    RenderInParallel(*job, 2);
    WindowPlacement placement;
    placement.right = 37;
    placement.bottom = 23;
    placement.top = 5;
    for (const SaveFormatInfo& info : kSaveFormats) {
        const std::string whole = (dir / (std::string("whole") + info.extension)).string();
        const std::string rows = (dir / (std::string("rows") + info.extension)).string();
        ASSERT_TRUE(SavePicture(whole, info.format, *job, placement).empty()) << info.extension;
        BufferRows source(job->Pixels());
        // The record of a finished picture from its parts, as a merge writes it.
        auto document = [&](Archive& ar) {
            WriteRenderRecord(ar, job->Settings(), 0, 23, BitmapInfoHeader::ForPicture(37, 23), source,
                              37 * 23, placement);
        };
        ASSERT_TRUE(SaveRows(rows, info.format, source, job->Settings(), document).empty()) << info.extension;
        EXPECT_EQ(test::ReadAll(rows), test::ReadAll(whole)) << info.extension;
    }
}

// A row that cannot be had fails the save, which leaves no file behind.
TEST(SaveRows, ARowThatCannotBeReadFailsTheSave)
{
    const auto dir = test::TempDir("row-export-failing");
    auto job = test::MandelbrotJob(17, 11);
    for (const SaveFormatInfo& info : kSaveFormats) {
        for (const std::int32_t failFrom : {0, 5, 10}) {
            FailingRows source(job->Pixels(), failFrom);
            auto document = [&](Archive& ar) {
                WriteRenderRecord(ar, job->Settings(), 0, 11, BitmapInfoHeader::ForPicture(17, 11), source,
                                  17 * 11, {});
            };
            const auto path = dir / (std::string("failed") + info.extension);
            EXPECT_FALSE(SaveRows(path.string(), info.format, source, job->Settings(), document).empty())
                << info.extension << failFrom;
            EXPECT_FALSE(std::filesystem::exists(path)) << info.extension << failFrom;
            EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 0);
        }
    }
}

}  // namespace
}  // namespace korvanta
