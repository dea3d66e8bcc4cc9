#include "core/files/ImageWriters.h"
#include "support/Pictures.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdlib>
#include <sstream>

namespace korvanta {
namespace {

// A picture whose every pixel tells where it is, with a fourth byte that must not leak.
PixelBuffer Gradient(std::int32_t width, std::int32_t height)
{
    PixelBuffer p = PixelBuffer::Allocate(width, height);
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width; ++x)
            p.at(x, y) = 0x01000000u | (std::uint32_t(x * 7 % 256) << 16) |
                         (std::uint32_t(y * 13 % 256) << 8) | std::uint32_t((x + y) % 256);
    return p;
}

std::uint32_t Rgb(const unsigned char* p)
{
    return (std::uint32_t(p[0]) << 16) | (std::uint32_t(p[1]) << 8) | p[2];
}

// Decodes an 8-bit RGB PNG with libpng's own reader: rows top first.
std::vector<std::vector<std::uint32_t>> ReadPng(const std::filesystem::path& path, int& width, int& height)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    std::vector<std::vector<std::uint32_t>> rows;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return rows;
    image.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> data(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, data.data(), 0, nullptr))
        return rows;
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
    for (int y = 0; y < height; ++y) {
        rows.emplace_back();
        for (int x = 0; x < width; ++x)
            rows.back().push_back(Rgb(&data[3 * (std::size_t(y) * width + x)]));
    }
    return rows;
}

// The decoded rows (top first) show the picture, fourth byte dropped.
void ExpectShowsPicture(const std::vector<std::vector<std::uint32_t>>& rows, int width,
                        int height, const PixelBuffer& p)
{
    ASSERT_EQ(width, p.width());
    ASSERT_EQ(height, p.height());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            ASSERT_EQ(rows[y][x], p.at(x, height - 1 - y) & 0xFFFFFF) << x << "," << y;
}

TEST(Bmp, RowsArePaddedAndBottomUp)
{
    for (auto [w, h] : {std::pair{1, 5}, {4, 3}, {3, 2}, {200, 200}}) {
        const PixelBuffer p = Gradient(w, h);
        std::ostringstream out;
        ASSERT_TRUE(WriteBmp(out, p));
        const std::string bytes = out.str();
        const std::size_t row = (3 * w + 3) / 4 * 4;
        ASSERT_EQ(bytes.size(), row * h + 54) << w;
        EXPECT_EQ(BmpFileSize(w, h), bytes.size());
        EXPECT_EQ(bytes.substr(0, 2), "BM");
        EXPECT_EQ(bytes[28], 24);
        // The first stored pixel is the bottom-left one (buffer row 0), blue first.
        const auto* first = reinterpret_cast<const unsigned char*>(bytes.data() + 54);
        EXPECT_EQ((std::uint32_t(first[2]) << 16) | (first[1] << 8) | first[0], p.at(0, 0) & 0xFFFFFF);
        const auto* last = reinterpret_cast<const unsigned char*>(bytes.data() + 54 + row * (h - 1));
        EXPECT_EQ((std::uint32_t(last[2]) << 16) | (last[1] << 8) | last[0], p.at(0, h - 1) & 0xFFFFFF);
    }
    EXPECT_EQ(BmpFileSize(1, 7), 4u * 7 + 54);
    EXPECT_EQ(BmpFileSize(200, 200), 120054u);
}

TEST(Tga, TopRowFirstWithOpaqueFourthBytes)
{
    const PixelBuffer p = Gradient(5, 4);
    std::ostringstream out;
    ASSERT_TRUE(WriteTga(out, p));
    const std::string bytes = out.str();
    ASSERT_EQ(bytes.size(), 18u + 4 * 5 * 4);
    EXPECT_EQ(bytes[2], 2);
    EXPECT_EQ(bytes[12], 5);
    EXPECT_EQ(bytes[14], 4);
    EXPECT_EQ(bytes[16], 32);
    EXPECT_EQ(bytes[17], 0x31);
    const auto* px = reinterpret_cast<const unsigned char*>(bytes.data() + 18);
    EXPECT_EQ((std::uint32_t(px[2]) << 16) | (px[1] << 8) | px[0], p.at(0, 3) & 0xFFFFFF);
    for (std::size_t i = 3; i < 4 * 5 * 4; i += 4)
        EXPECT_EQ(px[i], 255) << i;
}

TEST(Png, LibpngReadsBackThePicture)
{
    const auto dir = test::TempDir("png");
    const PixelBuffer p = Gradient(37, 23);
    const auto path = dir / "picture.png";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    std::string error;
    ASSERT_TRUE(WritePng(file, p, error));
    std::fclose(file);
    int w = 0, h = 0;
    const auto rows = ReadPng(path, w, h);
    ExpectShowsPicture(rows, w, h, p);
}

// Icons keep their fourth byte, as alpha: straight colours beside each pixel's own alpha.
TEST(Png, WithAlphaTheFourthByteIsTheAlpha)
{
    const auto dir = test::TempDir("png-alpha");
    PixelBuffer p = Gradient(19, 11);
    for (std::int32_t y = 0; y < p.height(); ++y)
        for (std::int32_t x = 0; x < p.width(); ++x)
            p.at(x, y) = (p.at(x, y) & 0xFFFFFF) | (std::uint32_t((x * 29 + y * 3) % 256) << 24);
    const auto path = dir / "icon.png";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    std::string error;
    ASSERT_TRUE(WritePngWithAlpha(file, p, error));
    std::fclose(file);

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str()));
    EXPECT_NE(image.format & PNG_FORMAT_FLAG_ALPHA, 0u);
    image.format = PNG_FORMAT_RGBA;
    std::vector<unsigned char> data(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, data.data(), 0, nullptr));
    ASSERT_EQ(int(image.width), p.width());
    ASSERT_EQ(int(image.height), p.height());
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x) {
            const unsigned char* px = &data[4 * (std::size_t(y) * p.width() + x)];
            ASSERT_EQ((std::uint32_t(px[3]) << 24) | Rgb(px), p.at(x, p.height() - 1 - y)) << x << "," << y;
        }
}

TEST(Png, LibraryErrorsAreReportedWithTheirText)
{
    const auto dir = test::TempDir("png-error");
    std::FILE* file = std::fopen((dir / "empty.png").c_str(), "wb");
    std::string error;
    EXPECT_FALSE(WritePng(file, PixelBuffer{}, error));  // a picture without rows
    std::fclose(file);
    EXPECT_FALSE(error.empty());
}

TEST(Wmf, ARealReaderShowsThePicture)
{
    const auto dir = test::TempDir("wmf");
    const PixelBuffer p = Gradient(21, 9);
    {
        std::ofstream out(dir / "picture.wmf", std::ios::binary);
        ASSERT_TRUE(WriteWmf(out, p));
    }
    // wmf2svg writes the metafile's bitmap out as a PNG beside the SVG.
    const std::string command = "cd '" + dir.string() + "' && wmf2svg -o picture.svg picture.wmf";
    ASSERT_EQ(std::system(command.c_str()), 0) << "wmf2svg (package libwmf-bin) is needed";
    EXPECT_NE(test::ReadAll(dir / "picture.svg").find("width=\"21\" height=\"9\""), std::string::npos);
    int w = 0, h = 0;
    const auto rows = ReadPng(dir / "picture-1.png", w, h);
    ExpectShowsPicture(rows, w, h, p);
}

TEST(ImageWriters, PicturesBeyondTheirSixteenBitSizesAreRefusedWritingNothing)
{
    std::ostringstream wmf, tga;
    EXPECT_FALSE(WriteWmf(wmf, PixelBuffer::Allocate(32768, 1)));
    EXPECT_TRUE(wmf.str().empty());
    // A TGA header would wrap 65536 to 0.
    EXPECT_FALSE(WriteTga(tga, PixelBuffer::Allocate(65536, 1)));
    EXPECT_FALSE(WriteTga(tga, PixelBuffer::Allocate(1, 65536)));
    EXPECT_TRUE(tga.str().empty());
    EXPECT_TRUE(WriteTga(tga, PixelBuffer::Allocate(65535, 1)));
    EXPECT_EQ(tga.str().size(), 18u + 65535 * 4);
}

}  // namespace
}  // namespace korvanta
