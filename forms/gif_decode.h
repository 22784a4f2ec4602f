#pragma once
#include <QImage>
#include <QSize>

#include <cstdint>

#include "forms/picture_bytes.h"

namespace forms {

// Decodes a GIF's first frame on its logical screen, reading no further than `readLimit`,
// to `size` pixels (at most its own size). Rows are scaled as the LZW data gives them, so
// memory stays at the result and one row (an interlaced frame keeps its indices, a byte a
// pixel, until its rows are all there). The screen outside the frame, pixels the data does
// not give, and indices past the colour table are black; the frame's transparent index is
// transparent. Null for a file this decoder cannot read.
QImage decodeGif(PictureBytes& bytes, std::int64_t readLimit, QSize size);

} // namespace forms
