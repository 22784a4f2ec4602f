#pragma once
#include <QImage>
#include <QSize>

#include <cstdint>

#include "forms/picture_bytes.h"

namespace forms {

// Decodes a BMP (1, 4, 8, 16, 24 or 32 bits a pixel, plain, run-length or bit fields), reading
// no further than `readLimit`, to `size` pixels (at most its own size). Its rows are scaled
// as they are read, so memory stays at the result and one row. Pixels the file does not give
// (cut short, skipped by a run-length delta, an index past the palette) are black. Null for
// a file this decoder cannot read.
QImage decodeBmp(PictureBytes& bytes, std::int64_t readLimit, QSize size);

} // namespace forms
