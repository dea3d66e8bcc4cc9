#include "core/archive/ArchiveError.h"
#include "core/files/BandFile.h"
#include "core/files/LittleEndian.h"
#include "core/render/BandRows.h"
#include "core/render/ParallelRender.h"
#include "support/Pictures.h"

#include <gtest/gtest.h>

#include <sstream>

namespace korvanta {
namespace {

struct Band {
    BandHeader header;
    std::string bytes;
};

Band MakeBand(const RenderJob& job, std::int32_t band, std::int32_t bands)
{
    Band b;
    b.header.settingsRecord = SettingsRecord(job.Settings());
    b.header.digest = PictureDigest(b.header.settingsRecord, job.Overlay());
    b.header.width = job.Settings().m_nWidth;
    b.header.height = job.Settings().m_nHeight;
    const RowRange rows = BandRows(b.header.height, band, bands);
    b.header.firstRow = rows.first;
    b.header.rowCount = rows.count;
    b.header.band = band;
    b.header.bands = bands;
    std::ostringstream out;
    BufferRows pixels(job.Pixels());
    EXPECT_TRUE(WriteBand(out, b.header, pixels));
    b.bytes = out.str();
    return b;
}

// The header as read, or the reason it is refused; "checksum" when only the checksum fails.
std::string Verdict(const std::string& bytes)
{
    MemorySource source({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
    std::string error;
    if (!ReadBandHeader(source, error))
        return error.empty() ? "refused without a reason" : error;
    return BandChecksumMatches(source) ? "" : "checksum";
}

void Set32(std::string& bytes, std::size_t at, std::uint32_t value)
{
    std::string le;
    Put32(le, value);
    bytes.replace(at, 4, le);
}

class BandFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        job = test::MandelbrotJob(23, 17);
        band = MakeBand(*job, 2, 5);
    }
    std::unique_ptr<RenderJob> job;
    Band band;
};

TEST_F(BandFile, ReadsBackWhatWasWritten)
{
    MemorySource source({reinterpret_cast<const std::uint8_t*>(band.bytes.data()), band.bytes.size()});
    std::string error;
    const auto header = ReadBandHeader(source, error);
    ASSERT_TRUE(header) << error;
    EXPECT_EQ(header->digest, band.header.digest);
    EXPECT_EQ(header->width, 23);
    EXPECT_EQ(header->height, 17);
    EXPECT_EQ(header->firstRow, 6);
    EXPECT_EQ(header->rowCount, 4);
    EXPECT_EQ(header->band, 2);
    EXPECT_EQ(header->bands, 5);
    EXPECT_EQ(header->settingsRecord, band.header.settingsRecord);
    EXPECT_EQ(band.bytes.size(), header->FileSize());
    EXPECT_TRUE(BandChecksumMatches(source));
    // The rows are the picture's, as in memory.
    EXPECT_EQ(band.bytes.substr(header->PixelOffset(), 4 * 23 * 4),
              std::string(reinterpret_cast<const char*>(&job->Pixels().at(0, 6)), 4 * 23 * 4));

    const LoadedSettings loaded = ReadSettingsRecord(*header);
    EXPECT_EQ(loaded.settings.m_nWidth, 23);
    EXPECT_EQ(loaded.settings.m_nHeight, 17);
    EXPECT_EQ(std::string(loaded.settings.m_pAlg->GetRuntimeClass().m_lpszClassName),
              job->Settings().m_pAlg->GetRuntimeClass().m_lpszClassName);
}

TEST_F(BandFile, DigestDependsOnSettingsAndValuePanel)
{
    const std::string record = SettingsRecord(job->Settings());
    const auto other = test::MandelbrotJob(23, 18);
    EXPECT_NE(PictureDigest(record, {}), PictureDigest(SettingsRecord(other->Settings()), {}));
    PixelBuffer panel = PixelBuffer::Allocate(5, 3);
    const auto withPanel = PictureDigest(record, panel);
    EXPECT_NE(PictureDigest(record, {}), withPanel);
    panel.at(4, 2) = 1;
    EXPECT_NE(PictureDigest(record, panel), withPanel);
}

TEST_F(BandFile, EveryTruncationAndEveryChangedByteIsRefused)
{
    ASSERT_EQ(Verdict(band.bytes), "");
    for (std::size_t size = 0; size < band.bytes.size(); ++size) {
        const std::string verdict = Verdict(band.bytes.substr(0, size));
        EXPECT_NE(verdict, "") << size;
        if (size >= 72) {
            EXPECT_NE(verdict.find("truncated"), std::string::npos) << size << ": " << verdict;
        }
    }
    EXPECT_NE(Verdict(band.bytes + '\0').find("wrong size"), std::string::npos);
    for (std::size_t at = 0; at < band.bytes.size(); ++at) {
        std::string changed = band.bytes;
        changed[at] = static_cast<char>(changed[at] ^ 0x10);
        EXPECT_NE(Verdict(changed), "") << "byte " << at;
    }
}

TEST_F(BandFile, DamagedHeaderFieldsAreNamed)
{
    struct Case {
        std::size_t offset;
        std::uint32_t value;
        const char* expected;
    };
    const Case cases[] = {
        {0, 0x564b524f, "not a band file"},
        {8, 2, "band file format 2, but this korvanta-render reads format 1"},
        {44, 0, "picture size 0 x 17"},
        {44, 32001, "picture size 32001 x 17"},
        {48, 0xFFFFFFFF, "picture size 23 x -1"},
        {52, 7, "rows 7 (4 rows) are not band 2/5"},
        {56, 3, "rows 6 (3 rows) are not band 2/5"},
        {60, 5, "band 5/5 of a picture 17 rows high"},
        {64, 18, "band 2/18 of a picture 17 rows high"},
        {64, 0, "band 2/0"},
        {68, 0, "settings record of 0 bytes"},
        {68, 65537, "settings record of 65537 bytes"},
    };
    for (const Case& c : cases) {
        std::string changed = band.bytes;
        Set32(changed, c.offset, c.value);
        EXPECT_NE(Verdict(changed).find(c.expected), std::string::npos)
            << "offset " << c.offset << ": " << Verdict(changed);
    }
    // A header claiming the largest picture is refused by its size, before anything is
    // allocated for it.
    std::string huge = band.bytes;
    Set32(huge, 44, 32000);
    Set32(huge, 48, 32000);
    Set32(huge, 52, 0);
    Set32(huge, 56, 32000);
    Set32(huge, 60, 0);
    Set32(huge, 64, 1);
    EXPECT_NE(Verdict(huge).find("truncated: band 0/1 takes 4096000"), std::string::npos) << Verdict(huge);
}

TEST_F(BandFile, SettingsThatDoNotDescribeThePictureAreRefused)
{
    BandHeader header = band.header;
    header.settingsRecord = std::string(40, '\x7f');
    EXPECT_THROW(ReadSettingsRecord(header), ArchiveError);
    header.settingsRecord = band.header.settingsRecord + "x";
    EXPECT_THROW(ReadSettingsRecord(header), ArchiveError);
    header.settingsRecord = band.header.settingsRecord.substr(0, band.header.settingsRecord.size() - 1);
    EXPECT_THROW(ReadSettingsRecord(header), ArchiveError);
    header.settingsRecord = band.header.settingsRecord;
    header.height = 16;
    EXPECT_THROW(ReadSettingsRecord(header), ArchiveError);
}

}  // namespace
}  // namespace korvanta
