#include "core/files/BandFile.h"

#include "core/archive/Archive.h"
#include "core/files/LittleEndian.h"
#include "core/render/BandRows.h"
#include "core/render/ClassRegistry.h"
#include "core/render/RenderRequest.h"

#include <bit>
#include <cstring>
#include <sstream>
#include <vector>

namespace korvanta {

namespace {

constexpr char kMagic[8] = {'K', 'O', 'R', 'V', 'B', 'A', 'N', 'D'};
constexpr std::size_t kFixedHeader = 72;

std::uint32_t Get32(const std::uint8_t* bytes)
{
    return std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 | std::uint32_t(bytes[2]) << 16 |
           std::uint32_t(bytes[3]) << 24;
}

std::string FixedHeader(const BandHeader& h)
{
    std::string bytes(kMagic, sizeof kMagic);
    Put32(bytes, kBandFormatVersion);
    bytes.append(reinterpret_cast<const char*>(h.digest.data()), h.digest.size());
    for (const std::int32_t value : {h.width, h.height, h.firstRow, h.rowCount, h.band, h.bands})
        Put32(bytes, static_cast<std::uint32_t>(value));
    Put32(bytes, static_cast<std::uint32_t>(h.settingsRecord.size()));
    return bytes;
}

}  // namespace

std::string SettingsRecord(const RenderSettings& settings)
{
    std::ostringstream out(std::ios::binary);
    Archive ar(out);
    RenderSettings stored = settings;
    stored.Serialize(ar);
    return out.str();
}

Sha256::Digest PictureDigest(const std::string& settingsRecord, const PixelBuffer& overlay)
{
    Sha256 sha;
    sha.Add(std::string("korvanta-picture\0" KORVANTA_VERSION, sizeof "korvanta-picture" + sizeof KORVANTA_VERSION));
    sha.Add(settingsRecord);
    std::string size;
    Put32(size, static_cast<std::uint32_t>(overlay.width()));
    Put32(size, static_cast<std::uint32_t>(overlay.height()));
    sha.Add(size);
    static_assert(std::endian::native == std::endian::little, "pixels are hashed as in memory");
    if (!overlay.empty())
        sha.Add(overlay.data(), overlay.size() * 4);
    return sha.Finish();
}

bool WriteBand(std::ostream& out, const BandHeader& header, PixelRows& rows)
{
    Sha256 sha;
    auto put = [&](const void* data, std::size_t size) {
        sha.Add(data, size);
        out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
        return static_cast<bool>(out);
    };
    const std::string fixed = FixedHeader(header);
    if (!put(fixed.data(), fixed.size()) ||
        !put(header.settingsRecord.data(), header.settingsRecord.size()))
        return false;
    static_assert(std::endian::native == std::endian::little, "pixels are stored as in memory");
    for (std::int32_t row = header.firstRow; row < header.firstRow + header.rowCount; ++row) {
        const std::uint32_t* pixels = rows.Row(row);
        if (pixels == nullptr || !put(pixels, header.RowBytes()))
            return false;
    }
    const Sha256::Digest checksum = sha.Finish();
    out.write(reinterpret_cast<const char*>(checksum.data()), checksum.size());
    return static_cast<bool>(out);
}

std::optional<BandHeader> ReadBandHeader(ByteSource& source, std::string& error)
{
    std::uint8_t fixed[kFixedHeader];
    if (source.Size() < sizeof kMagic || !source.ReadAt(0, fixed, sizeof kMagic) ||
        std::memcmp(fixed, kMagic, sizeof kMagic) != 0) {
        error = "not a band file of korvanta-render";
        return std::nullopt;
    }
    if (!source.ReadAt(0, fixed, kFixedHeader)) {
        error = "truncated: the file ends inside the band's header";
        return std::nullopt;
    }
    if (const std::uint32_t version = Get32(fixed + 8); version != kBandFormatVersion) {
        error = "band file format " + std::to_string(version) + ", but this korvanta-render reads format " +
                std::to_string(kBandFormatVersion);
        return std::nullopt;
    }
    BandHeader h;
    std::memcpy(h.digest.data(), fixed + 12, h.digest.size());
    std::int32_t* fields[] = {&h.width, &h.height, &h.firstRow, &h.rowCount, &h.band, &h.bands};
    for (std::size_t i = 0; i < std::size(fields); ++i)
        *fields[i] = static_cast<std::int32_t>(Get32(fixed + 44 + 4 * i));
    const std::uint32_t recordSize = Get32(fixed + 68);

    auto damaged = [&](const std::string& why) {
        error = "damaged band header: " + why;
        return std::nullopt;
    };
    for (const std::int32_t side : {h.width, h.height})
        if (side < kMinPictureSide || side > kMaxPictureSide)
            return damaged("picture size " + std::to_string(h.width) + " x " + std::to_string(h.height) +
                           " outside 1 to 32000 pixels a side");
    if (h.bands < 1 || h.bands > h.height || h.band < 0 || h.band >= h.bands)
        return damaged("band " + std::to_string(h.band) + "/" + std::to_string(h.bands) +
                       " of a picture " + std::to_string(h.height) + " rows high");
    const RowRange rows = BandRows(h.height, h.band, h.bands);
    if (h.firstRow != rows.first || h.rowCount != rows.count)
        return damaged("rows " + std::to_string(h.firstRow) + " (" + std::to_string(h.rowCount) +
                       " rows) are not band " + std::to_string(h.band) + "/" + std::to_string(h.bands));
    if (recordSize < 1 || recordSize > kMaxSettingsRecord)
        return damaged("settings record of " + std::to_string(recordSize) + " bytes");

    // The size is known before anything is allocated for the record or the rows.
    const std::uint64_t expected = kFixedHeader + std::uint64_t(recordSize) +
                                   4 * std::uint64_t(h.width) * std::uint64_t(h.rowCount) + 32;
    if (source.Size() != expected) {
        error = (source.Size() < expected ? "truncated: " : "wrong size: ") + std::string("band ") +
                std::to_string(h.band) + "/" + std::to_string(h.bands) + " takes " +
                std::to_string(expected) + " bytes, the file has " + std::to_string(source.Size());
        return std::nullopt;
    }
    h.settingsRecord.resize(recordSize);
    if (!source.ReadAt(kFixedHeader, h.settingsRecord.data(), recordSize)) {
        error = "the file cannot be read";
        return std::nullopt;
    }
    return h;
}

bool BandChecksumMatches(ByteSource& source)
{
    if (source.Size() < 32)
        return false;
    const std::uint64_t body = source.Size() - 32;
    Sha256 sha;
    std::vector<std::uint8_t> chunk(1 << 20);
    for (std::uint64_t at = 0; at < body;) {
        const auto take = static_cast<std::size_t>(std::min<std::uint64_t>(chunk.size(), body - at));
        if (!source.ReadAt(at, chunk.data(), take))
            return false;
        sha.Add(chunk.data(), take);
        at += take;
    }
    Sha256::Digest stored;
    return source.ReadAt(body, stored.data(), stored.size()) && sha.Finish() == stored;
}

LoadedSettings ReadSettingsRecord(const BandHeader& header)
{
    std::istringstream in(header.settingsRecord, std::ios::binary);
    Archive ar(in, FindRegisteredClass);
    LoadedSettings loaded;
    loaded.settings.Serialize(ar, &loaded.objects);
    if (in.peek() != std::char_traits<char>::eof())
        throw ArchiveError(ArchiveError::Kind::BadValue, "bytes after the settings");
    if (loaded.settings.m_nWidth != header.width || loaded.settings.m_nHeight != header.height)
        throw ArchiveError(ArchiveError::Kind::BadValue, "the settings are of a picture of another size");
    return loaded;
}

}  // namespace korvanta
