#pragma once
#include <QImage>
#include <QSize>

namespace forms {

// Decodes the JPEG file open on `fd` (read from its start, never mapped) to exactly `size`
// pixels, in the file's stored orientation. libjpeg decodes at the smallest of its M/8
// scales that still covers the size, and the rows are averaged down to the size as they
// arrive, so memory stays at the result: no copy of the file, no full-size or
// intermediate image. Gives a null image where libjpeg cannot (damaged data, colour spaces it
// does not convert), or where its output would pass `maxPixels`; the caller then takes
// another way.
QImage decodeJpegScaled(int fd, QSize size, long long maxPixels);

} // namespace forms
