#include "core/files/ImageWriters.h"

#include <png.h>

#include <csetjmp>
#include <vector>

namespace korvanta {

namespace {

struct PngFailure {
    std::jmp_buf jump;
    std::string message;
};

[[noreturn]] void OnPngError(png_structp png, png_const_charp message)
{
    auto* failure = static_cast<PngFailure*>(png_get_error_ptr(png));
    failure->message = message ? message : "";
    std::longjmp(failure->jump, 1);
}

// Rows are converted one at a time: the same bytes as writing the whole image at once,
// without a second copy of the picture in memory.
bool WritePngRows(std::FILE* file, PixelRows& rows, bool alpha, std::string& error,
                  const std::vector<PngText>& texts = {})
{
    const std::int32_t width = rows.Width(), height = rows.Height();
    const std::size_t channels = alpha ? 4 : 3;
    error.clear();
    PngFailure failure;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &failure, OnPngError, nullptr);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    std::vector<png_byte> row(channels * std::size_t(width));
    if (setjmp(failure.jump)) {
        png_destroy_write_struct(&png, &info);
        error = failure.message;
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width),
                 static_cast<png_uint_32>(height), 8,
                 alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    // Short texts stay readable by any tool; the long ones (deep locations) are compressed.
    constexpr std::size_t kLongText = 1024;
    std::vector<png_text> chunks(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        chunks[i].compression = texts[i].text.size() > kLongText ? PNG_TEXT_COMPRESSION_zTXt : PNG_TEXT_COMPRESSION_NONE;
        chunks[i].key = const_cast<char*>(texts[i].keyword.c_str());
        chunks[i].text = const_cast<char*>(texts[i].text.c_str());
        chunks[i].text_length = texts[i].text.size();
    }
    if (!chunks.empty())
        png_set_text(png, info, chunks.data(), static_cast<int>(chunks.size()));
    png_write_info(png, info);
    for (std::int32_t i = 0; i < height; ++i) {
        const std::uint32_t* pixels = rows.Row(height - 1 - i);
        if (pixels == nullptr) {
            png_destroy_write_struct(&png, &info);
            error = "a row of the picture could not be read";
            return false;
        }
        for (std::int32_t x = 0; x < width; ++x) {
            const std::uint32_t v = pixels[x];
            png_byte* out = &row[channels * std::size_t(x)];
            out[0] = static_cast<png_byte>((v >> 16) & 0xFF);
            out[1] = static_cast<png_byte>((v >> 8) & 0xFF);
            out[2] = static_cast<png_byte>(v & 0xFF);
            if (alpha)
                out[3] = static_cast<png_byte>(v >> 24);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool WritePng(std::FILE* file, const PixelBuffer& pixels, std::string& error, const std::vector<PngText>& texts)
{
    BufferRows rows(pixels);
    return WritePng(file, rows, error, texts);
}

bool WritePng(std::FILE* file, PixelRows& rows, std::string& error, const std::vector<PngText>& texts)
{
    return WritePngRows(file, rows, false, error, texts);
}

bool WritePngWithAlpha(std::FILE* file, const PixelBuffer& pixels, std::string& error)
{
    BufferRows rows(pixels);
    return WritePngRows(file, rows, true, error);
}

}  // namespace korvanta
