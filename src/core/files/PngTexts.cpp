#include "core/files/PngTexts.h"

#include <png.h>

#include <array>
#include <csetjmp>

namespace korvanta {

namespace {

struct PngRead {
    std::jmp_buf jump;
    std::string message;
    ByteSource* source = nullptr;
    std::uint64_t offset = 0;
};

[[noreturn]] void OnReadError(png_structp png, png_const_charp message)
{
    auto* read = static_cast<PngRead*>(png_get_error_ptr(png));
    read->message = message ? message : "";
    std::longjmp(read->jump, 1);
}

void OnReadWarning(png_structp, png_const_charp) {}

void ReadBytes(png_structp png, png_bytep data, png_size_t size)
{
    auto* read = static_cast<PngRead*>(png_get_io_ptr(png));
    if (!read->source->ReadAt(read->offset, data, size))
        png_error(png, "the file ends too early");
    read->offset += size;
}

// Any number of chunks could stand before the pixels; none of ours needs more than a few.
constexpr png_uint_32 kMostChunks = 256;

}  // namespace

std::variant<std::vector<PngText>, std::string> ReadPngTexts(ByteSource& source)
{
    std::array<png_byte, 8> signature{};
    if (!source.ReadAt(0, signature.data(), signature.size()) || png_sig_cmp(signature.data(), 0, signature.size()))
        return std::string("Not a PNG file");
    PngRead read;
    read.source = &source;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &read, OnReadError, OnReadWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return std::string("Out of memory!");
    }
    if (setjmp(read.jump)) {
        png_destroy_read_struct(&png, &info, nullptr);
        return "The PNG file is damaged: " + read.message;
    }
    png_set_read_fn(png, &read, ReadBytes);
    // The pixels are never read: any size the format allows is fine. A compressed text may
    // not grow beyond what this program writes.
    png_set_user_limits(png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
    png_set_chunk_cache_max(png, kMostChunks);
    png_set_chunk_malloc_max(png, kLongestPngText);
    png_read_info(png, info);
    png_textp texts = nullptr;
    const int count = png_get_text(png, info, &texts, nullptr);
    std::vector<PngText> found;
    for (int i = 0; i < count; ++i) {
        const png_text& t = texts[i];
        const std::size_t length = t.compression >= PNG_ITXT_COMPRESSION_NONE ? t.itxt_length : t.text_length;
        found.push_back({t.key ? t.key : "", t.text ? std::string(t.text, length) : std::string()});
    }
    png_destroy_read_struct(&png, &info, nullptr);
    return found;
}

}  // namespace korvanta
