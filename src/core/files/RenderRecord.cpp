#include "core/files/RenderRecord.h"

#include "core/archive/Archive.h"
#include "core/render/RenderRequest.h"

#include <algorithm>
#include <cstring>

namespace korvanta {

namespace {

constexpr char kMagic[4] = {'F', 'r', 'a', 'c'};

[[noreturn]] void Reject(const std::string& why)
{
    throw ArchiveError(ArchiveError::Kind::BadValue, why);
}

void TransferHeader(Archive& ar, BitmapInfoHeader& h)
{
    ar.TransferAll(h.size, h.width, h.height, h.planes, h.bitCount, h.compression, h.sizeImage,
                   h.xPelsPerMeter, h.yPelsPerMeter, h.clrUsed, h.clrImportant);
}

std::uint64_t StoredPixelCount(const BitmapInfoHeader& header, std::int32_t column,
                               std::int32_t row)
{
    return std::uint64_t(std::uint32_t(header.width)) * std::uint32_t(row) + std::uint32_t(column);
}

}  // namespace

void TransferPlacement(Archive& ar, WindowPlacement& p)
{
    if (ar.IsStoring()) {
        WindowPlacement stored = p;
        stored.length = WindowPlacement::kSize;
        ar.TransferAll(stored.length, stored.flags, stored.showCmd, stored.minX, stored.minY,
                       stored.maxX, stored.maxY, stored.left, stored.top, stored.right, stored.bottom);
        return;
    }
    ar.TransferAll(p.length, p.flags, p.showCmd, p.minX, p.minY, p.maxX, p.maxY, p.left, p.top,
                   p.right, p.bottom);
}

void WriteRenderRecord(Archive& ar, const RenderJob& job, const WindowPlacement& placement)
{
    job.SettleFormula();
    const BitmapInfoHeader& header = job.Header();
    const std::uint64_t count = std::min<std::uint64_t>(
        StoredPixelCount(header, job.Column(), job.Row()), job.Pixels().size());
    BufferRows rows(job.Pixels());
    WriteRenderRecord(ar, job.Settings(), job.Column(), job.Row(), header, rows, count, placement);
}

void WriteRenderRecord(Archive& ar, const RenderSettings& settings, std::int32_t column,
                       std::int32_t row, const BitmapInfoHeader& header, PixelRows& rows,
                       std::uint64_t pixelCount, const WindowPlacement& placement)
{
    ar.WriteBytes(kMagic, sizeof kMagic);
    RenderSettings stored = settings;
    stored.Serialize(ar);
    ar.TransferAll(column, row);
    BitmapInfoHeader storedHeader = header;
    TransferHeader(ar, storedHeader);
    static_assert(std::endian::native == std::endian::little, "pixels are stored as in memory");
    const auto width = static_cast<std::uint64_t>(std::max(0, rows.Width()));
    for (std::int32_t y = 0; pixelCount > 0 && width > 0 && y < rows.Height(); ++y) {
        const std::uint32_t* pixels = rows.Row(y);
        if (pixels == nullptr)
            throw ArchiveError(ArchiveError::Kind::WriteFailed, "a row of the picture could not be read");
        const std::uint64_t take = std::min(pixelCount, width);
        ar.WriteBytes(pixels, take * 4);
        pixelCount -= take;
    }
    WindowPlacement storedPlacement = placement;
    TransferPlacement(ar, storedPlacement);
}

LoadedRecord ReadRenderRecord(Archive& ar, const OverlayBuilder& overlay)
{
    char magic[4];
    ar.ReadBytes(magic, sizeof magic);
    if (std::memcmp(magic, kMagic, sizeof magic) != 0)
        throw ArchiveError(ArchiveError::Kind::NotADocument, "not a document");

    RenderSettings settings;
    PictureObjects objects;
    settings.Serialize(ar, &objects);
    // The limits of Render: nothing larger is ever saved, and a record may not make us
    // allocate more than a picture Render would.
    const std::int32_t width = settings.m_nWidth, height = settings.m_nHeight;
    for (const std::int32_t side : {width, height})
        if (side < kMinPictureSide || side > kMaxPictureSide)
            Reject("picture size " + std::to_string(width) + " x " + std::to_string(height) +
                   " outside " + std::to_string(kMinPictureSide) + " to " +
                   std::to_string(kMaxPictureSide) + " pixels a side");
    LoadedRecord loaded;
    loaded.job = std::make_unique<RenderJob>(settings, std::move(objects));

    std::int32_t column = 0, row = 0;
    ar.TransferAll(column, row);
    BitmapInfoHeader header;
    TransferHeader(ar, header);
    if (column < 0 || row < 0 || row > height || column >= width)
        Reject("rendering position outside the picture");
    if (header.width != width || header.height != height)
        Reject("picture header does not match the picture");
    const std::uint64_t count = StoredPixelCount(header, column, row);
    if (count > std::uint64_t(width) * std::uint64_t(height))
        Reject("more pixels than the picture holds");

    RenderJob& job = *loaded.job;
    if (!job.CreateBitmaps(overlay && settings.m_bShowValues ? overlay(job.Settings()) : PixelBuffer{}))
        Reject("the picture is too large for this computer");
    job.Header() = header;
    ar.ReadBytes(job.Pixels().data(), count * 4);
    TransferPlacement(ar, loaded.placement);
    job.SetPosition(column, row);
    return loaded;
}

}  // namespace korvanta
