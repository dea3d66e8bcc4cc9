#include "gui/render/PictureImage.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/resource.h>
#include <unistd.h>

namespace korvanta {
namespace {

// The address space this process uses now, in bytes.
rlim_t AddressSpaceInUse()
{
    std::ifstream statm("/proc/self/statm");
    unsigned long pages = 0;
    statm >> pages;
    return rlim_t(pages) * rlim_t(sysconf(_SC_PAGESIZE));
}

TEST(PictureImage, AnImageThatCannotBeHadIsNullInsteadOfACrash)
{
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "the address sanitizer's shadow memory needs more address space than the limit";
#endif
    // The picture fits in the limit; a copy of all of it does not.
    const PixelBuffer pixels = PixelBuffer::Allocate(12000, 12000);
    ASSERT_FALSE(pixels.empty());
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_AS, &old), 0);
    rlimit tight = old;
    tight.rlim_cur = AddressSpaceInUse() + (rlim_t{256} << 20);
    ASSERT_EQ(setrlimit(RLIMIT_AS, &tight), 0);
    const QImage whole = PictureImage(pixels, QRect(0, 0, 12000, 12000));
    const QImage stretched = StretchedPictureImage(pixels, QSize(12000, 12000), QRect(0, 0, 12000, 12000));
    const QImage part = PictureImage(pixels, QRect(100, 100, 200, 100));
    setrlimit(RLIMIT_AS, &old);

    EXPECT_TRUE(whole.isNull());
    EXPECT_TRUE(stretched.isNull());
    EXPECT_EQ(part.size(), QSize(200, 100));  // what is exposed still paints
}

TEST(PictureImage, StretchedPartsMatchTheWholeStretchedPicture)
{
    PixelBuffer pixels = PixelBuffer::Allocate(7, 5);
    for (std::int32_t y = 0; y < 5; ++y)
        for (std::int32_t x = 0; x < 7; ++x)
            pixels.at(x, y) = std::uint32_t(y * 16 + x);
    const QSize window(23, 11);
    const QImage whole = StretchedPictureImage(pixels, window, QRect(QPoint(0, 0), window));
    const QRect part(5, 3, 9, 6);
    const QImage piece = StretchedPictureImage(pixels, window, part);
    ASSERT_EQ(piece.size(), part.size());
    EXPECT_EQ(piece, whole.copy(part));
    // Bottom-up buffer: the window's top-left shows the buffer's last row.
    EXPECT_EQ(whole.pixel(0, 0), 0xFF000000u | (4 * 16));
}

// A repaint of the rows just finished must reach every client row that shows one of them,
// and no other, however the picture is stretched: the window shows the buffer bottom-up.
TEST(PictureImage, RowsToRepaintAreTheClientRowsThatShowThem)
{
    for (const std::int32_t pictureHeight : {1, 5, 30, 200})
        for (const int clientHeight : {1, 3, 30, 155, 200, 431}) {
            PixelBuffer pixels = PixelBuffer::Allocate(2, pictureHeight);
            for (std::int32_t y = 0; y < pictureHeight; ++y)
                pixels.at(0, y) = pixels.at(1, y) = std::uint32_t(y);
            const QSize client(3, clientHeight);
            const QImage shown = client.height() == pictureHeight
                                     ? PictureImage(pixels, QRect(0, 0, 2, pictureHeight))
                                     : StretchedPictureImage(pixels, client, QRect(QPoint(0, 0), client));
            for (const auto& [from, to] : {std::pair{0, 1}, {0, pictureHeight}, {pictureHeight / 3, pictureHeight / 2 + 1},
                                           {pictureHeight - 1, pictureHeight}, {2, 2}}) {
                const QRect rows = WindowRowsOf(from, to, pictureHeight, client);
                for (int y = 0; y < clientHeight; ++y) {
                    const auto bufferRow = static_cast<std::int32_t>(shown.pixel(0, y) & 0xFFFFFF);
                    EXPECT_EQ(rows.contains(0, y), bufferRow >= from && bufferRow < to)
                        << "picture " << pictureHeight << ", client " << clientHeight << ", rows " << from
                        << "-" << to << ", client row " << y;
                }
                EXPECT_TRUE(rows.isEmpty() || rows.width() == client.width());
            }
        }
}

}  // namespace
// Repaints share one scratch buffer: the same images as fresh ones, the buffer grown only
// when a part is larger than any before.
TEST(PictureImage, AScratchBufferGivesTheSameImagesAndIsReused)
{
    PixelBuffer pixels = PixelBuffer::Allocate(40, 30);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels.data()[i] = static_cast<std::uint32_t>(i * 2654435761u);
    QImage scratch;
    EXPECT_EQ(PictureImage(pixels, QRect(3, 4, 30, 20), scratch), PictureImage(pixels, QRect(3, 4, 30, 20)));
    const uchar* memory = scratch.constBits();
    EXPECT_EQ(StretchedPictureImage(pixels, QSize(90, 70), QRect(10, 5, 25, 18), scratch),
              StretchedPictureImage(pixels, QSize(90, 70), QRect(10, 5, 25, 18)));
    EXPECT_EQ(scratch.constBits(), memory);
    EXPECT_EQ(StretchedPictureImage(pixels, QSize(90, 70), QRect(0, 0, 90, 70), scratch),
              StretchedPictureImage(pixels, QSize(90, 70), QRect(0, 0, 90, 70)));
    EXPECT_GE(scratch.width(), 90);
    EXPECT_GE(scratch.height(), 70);
}

}  // namespace korvanta

namespace korvanta {

// Rows never written hold zeros: painting them black without reading them gives the same
// images, for every part and stretch, and a job's mark never passes over a written row.
TEST(PictureImage, RowsNeverWrittenPaintAsTheyWouldBeRead)
{
    PixelBuffer pixels = PixelBuffer::Allocate(37, 29);
    const std::int32_t written = 11;
    for (std::int32_t y = 0; y < written; ++y)
        for (std::int32_t x = 0; x < 37; ++x)
            pixels.at(x, y) = std::uint32_t(y * 977 + x * 13) | (y % 3 == 0 ? 0xAB000000u : 0u);
    QImage scratch;
    for (const QRect area : {QRect(0, 0, 37, 29), QRect(4, 10, 20, 15), QRect(0, 17, 37, 2)}) {
        const QImage read = PictureImage(pixels, area);
        EXPECT_EQ(PictureImage(pixels, area, scratch, written), read);
    }
    for (const QSize window : {QSize(90, 71), QSize(13, 7), QSize(37, 29)}) {
        const QRect whole(QPoint(0, 0), window);
        const QImage read = StretchedPictureImage(pixels, window, whole);
        EXPECT_EQ(StretchedPictureImage(pixels, window, whole, scratch, written), read);
    }
}

}  // namespace korvanta
