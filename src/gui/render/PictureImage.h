#pragma once

#include "core/picture/PixelBuffer.h"

#include <QImage>

#include <cstdint>
#include <QRect>

namespace korvanta {

// The part `area` (screen coordinates, top row first) of a bottom-up picture buffer as an
// image to paint. The fourth byte of every pixel is forced to 0xFF: what is shown must not
// depend on it. A null image when the memory for it cannot be had.
QImage PictureImage(const PixelBuffer& pixels, QRect area);

// The part `area` of the whole picture stretched to `size`, taking the nearest pixel, so
// painting a huge picture into a window costs only what the window shows. A null image when
// the memory for it cannot be had.
QImage StretchedPictureImage(const PixelBuffer& pixels, QSize size, QRect area);

// The same, written into `scratch` (grown when too small) and returned as an image that
// shares its memory: valid until the scratch is used again. Painting reuses one buffer
// rather than mapping fresh memory for every repaint. Buffer rows from `blackFrom` up
// hold zeros (never written): they are filled black without being read, which spares a
// new picture's first paint from touching memory it has not used yet.
QImage PictureImage(const PixelBuffer& pixels, QRect area, QImage& scratch, std::int32_t blackFrom = INT32_MAX);
QImage StretchedPictureImage(const PixelBuffer& pixels, QSize size, QRect area, QImage& scratch,
                             std::int32_t blackFrom = INT32_MAX);

// The rows of a client area of `client` size that show buffer rows `fromRow` up to `toRow`
// (excluded) of a bottom-up picture `pictureHeight` high, stretched as the two functions
// above stretch it: the part to repaint when those rows are done. Empty when no client row
// shows one of them.
QRect WindowRowsOf(std::int32_t fromRow, std::int32_t toRow, std::int32_t pictureHeight, QSize client);

}  // namespace korvanta
