#include "core/files/ImageWriters.h"

#include "core/files/DibRows.h"
#include "core/files/LittleEndian.h"

namespace korvanta {

namespace {

constexpr std::uint32_t kSetWindowOrg = 0x020B;
constexpr std::uint32_t kSetWindowExt = 0x020C;
constexpr std::uint32_t kDibBitBlt = 0x0940;
constexpr std::uint32_t kSrcCopy = 0x00CC0020;
constexpr std::int32_t kMaxCoordinate = 32767;

// A record of two 16-bit parameters, y then x as metafiles order them.
std::string PointRecord(std::uint32_t function, std::int32_t y, std::int32_t x)
{
    std::string r;
    Put32(r, 5);
    Put16(r, function);
    Put16(r, static_cast<std::uint32_t>(y));
    Put16(r, static_cast<std::uint32_t>(x));
    return r;
}

}  // namespace

bool WriteWmf(std::ostream& out, const PixelBuffer& pixels)
{
    BufferRows rows(pixels);
    return WriteWmf(out, rows);
}

bool WriteWmf(std::ostream& out, PixelRows& rows)
{
    const std::int32_t w = rows.Width(), h = rows.Height();
    if (w > kMaxCoordinate || h > kMaxCoordinate)
        return false;
    const std::string dib = DibHeader(w, h);
    const std::uint64_t dibBytes = dib.size() + DibRowBytes(w) * std::uint64_t(h);
    const std::uint64_t bltWords = 3 + 2 + 6 + dibBytes / 2;
    const std::string origin = PointRecord(kSetWindowOrg, 0, 0);
    const std::string extent = PointRecord(kSetWindowExt, h, w);
    const std::uint64_t totalWords = 9 + 5 + 5 + bltWords + 3;
    if (totalWords > 0xFFFFFFFFu)
        return false;

    std::string head;
    Put16(head, 1);       // on disk
    Put16(head, 9);       // header words
    Put16(head, 0x0300);  // version
    Put32(head, static_cast<std::uint32_t>(totalWords));
    Put16(head, 0);       // objects
    Put32(head, static_cast<std::uint32_t>(bltWords));
    Put16(head, 0);
    head += origin;
    head += extent;
    Put32(head, static_cast<std::uint32_t>(bltWords));
    Put16(head, kDibBitBlt);
    Put32(head, kSrcCopy);
    Put16(head, 0);  // source y
    Put16(head, 0);  // source x
    Put16(head, static_cast<std::uint32_t>(h));
    Put16(head, static_cast<std::uint32_t>(w));
    Put16(head, 0);  // destination y
    Put16(head, 0);  // destination x
    head += dib;
    out.write(head.data(), static_cast<std::streamsize>(head.size()));
    if (!WriteDibRows(out, rows))
        return false;
    std::string end;
    Put32(end, 3);
    Put16(end, 0);
    out.write(end.data(), static_cast<std::streamsize>(end.size()));
    return static_cast<bool>(out);
}

}  // namespace korvanta
