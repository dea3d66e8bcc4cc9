#pragma once

#include "core/picture/PixelBuffer.h"
#include "core/picture/PixelRows.h"

#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

namespace korvanta {

// Writers of a picture buffer (bottom-up, blue-green-red-fourth byte) as image files. The
// fourth byte never reaches an image. Each returns false when the stream failed or a row
// could not be had. The buffer and the row-by-row forms write the same bytes.

// 24-bit BMP: bottom row first, rows padded to four bytes.
bool WriteBmp(std::ostream& out, const PixelBuffer& pixels);
bool WriteBmp(std::ostream& out, PixelRows& rows);
std::uint64_t BmpFileSize(std::int32_t width, std::int32_t height);

// 32-bit uncompressed TGA: top row first, the fourth byte 255. Sides beyond 65535 cannot
// be expressed.
bool WriteTga(std::ostream& out, const PixelBuffer& pixels);
bool WriteTga(std::ostream& out, PixelRows& rows);

// Standard (not placeable) Windows metafile with one raster record holding the picture as a
// 24-bit DIB at its own size. Pictures wider or higher than 32767 cannot be expressed.
bool WriteWmf(std::ostream& out, const PixelBuffer& pixels);
bool WriteWmf(std::ostream& out, PixelRows& rows);

// A PNG text chunk: Latin-1 keyword and text, compressed where the text is long.
struct PngText {
    std::string keyword, text;
};

// 8-bit RGB PNG through libpng, top row first, with `texts` before the pixels. On failure
// `error` holds libpng's message, or is empty when the library could not start.
bool WritePng(std::FILE* file, const PixelBuffer& pixels, std::string& error, const std::vector<PngText>& texts = {});
bool WritePng(std::FILE* file, PixelRows& rows, std::string& error, const std::vector<PngText>& texts = {});

// 8-bit RGBA PNG of a picture whose fourth byte is its alpha (straight, not premultiplied):
// the desktop's icons, which have shapes of their own.
bool WritePngWithAlpha(std::FILE* file, const PixelBuffer& pixels, std::string& error);

}  // namespace korvanta
