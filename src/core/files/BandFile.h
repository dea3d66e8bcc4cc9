#pragma once

#include "core/files/ByteSource.h"
#include "core/files/Sha256.h"
#include "core/picture/PixelRows.h"
#include "core/render/RenderSettings.h"

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

namespace korvanta {

// A band file holds whole rows of one picture, rendered apart from the rest (korvanta-render
// --band) and put together with the other bands by korvanta-render --merge. Numbers are
// little-endian:
//
//   offset  bytes  field
//        0      8  "KORVBAND"
//        8      4  format version, 1
//       12     32  picture digest (below)
//       44      4  picture width, 1 to 32000
//       48      4  picture height, 1 to 32000
//       52      4  the band's first row; row 0 is the picture's bottom edge, as rendered
//       56      4  the band's number of rows
//       60      4  band number K, 0-based
//       64      4  number of bands N, K < N <= height; first row and row count are band K
//                  of N as BandRows splits the picture
//       68      4  length L of the settings record, 1 to 65536
//       72      L  the picture's settings as documents store them: the fields, the formula
//                  and the coloring, as prepared before rendering
//     72+L  4*W*R  the rows, first row first, each pixel blue, green, red, fourth byte
//      end     32  SHA-256 of every byte before it
//
// The picture digest is SHA-256 of "korvanta-picture", a zero byte, the program's version, a
// zero byte, the settings record, then the value panel's width, height and pixels (4 bytes
// each; 0 and 0 without a panel): everything that determines the pixels, so bands of
// different pictures, or of builds that could compute them differently, never merge.
inline constexpr std::uint32_t kBandFormatVersion = 1;
inline constexpr std::uint32_t kMaxSettingsRecord = 65536;

struct BandHeader {
    Sha256::Digest digest{};
    std::int32_t width = 0, height = 0;
    std::int32_t firstRow = 0, rowCount = 0;
    std::int32_t band = 0, bands = 1;
    std::string settingsRecord;

    std::uint64_t PixelOffset() const { return 72 + settingsRecord.size(); }
    std::uint64_t RowBytes() const { return 4 * std::uint64_t(width); }
    std::uint64_t FileSize() const { return PixelOffset() + RowBytes() * std::uint64_t(rowCount) + 32; }
};

// The settings as documents store them (formula and coloring in their present state).
std::string SettingsRecord(const RenderSettings& settings);

Sha256::Digest PictureDigest(const std::string& settingsRecord, const PixelBuffer& overlay);

// Writes a band: `header`, then its rows taken from `rows` (the whole picture), then the
// checksum. False when the stream failed or a row could not be had.
bool WriteBand(std::ostream& out, const BandHeader& header, PixelRows& rows);

// Reads and checks a band's header against the source's size; empty with `error` saying
// what is wrong (without the file's name) when the bytes are not a complete band.
std::optional<BandHeader> ReadBandHeader(ByteSource& source, std::string& error);

// Whether the checksum at the end matches every byte before it.
bool BandChecksumMatches(ByteSource& source);

// The settings record read back into settings that own their objects; raises ArchiveError
// when it does not describe a picture of the header's size.
struct LoadedSettings {
    RenderSettings settings;
    PictureObjects objects;
};
LoadedSettings ReadSettingsRecord(const BandHeader& header);

}  // namespace korvanta
