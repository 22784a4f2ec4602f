#pragma once
#include <QImage>
#include <QSize>

#include <cstdint>

#include "forms/orientation.h"
#include "forms/picture_bytes.h"

namespace forms {

// Most memory libjpeg may take for one picture. It needs a buffer of the whole picture's
// coefficients (two bytes a sample) only for progressive and multi-scan files: that is 384
// MB for a progressive photograph of 64 megapixels with full chroma (128 with halved chroma).
inline constexpr long kMaxJpegMemory = 384L * 1024 * 1024;
// Most scans one file may have; progressive encoders write about ten.
inline constexpr int kMaxJpegScans = 100;

// Decodes a JPEG, reading no further than `readLimit`, to `size` pixels as stored (at most
// its own size), turned upright as `orientation` says. libjpeg decodes at the smallest of its
// M/8 scales that still covers the size, and the rows are averaged down to the size as they
// arrive, so memory stays at the result: no copy of the file, no full-size, intermediate or
// turned image. Gives a null image for data libjpeg cannot decode, a picture that would need
// more than kMaxJpegMemory or kMaxJpegScans, or a decode of more than `maxPixels`.
QImage decodeJpeg(PictureBytes& bytes, std::int64_t readLimit, QSize size, Orientation orientation,
                  std::int64_t maxPixels);

} // namespace forms
