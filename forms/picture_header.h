#pragma once
#include <cstdint>

#include "forms/orientation.h"
#include "forms/picture.h"
#include "forms/picture_bytes.h"
#include "forms/result.h"

namespace forms {

// What a picture's header tells: its format, its size as stored, its EXIF orientation, and
// how far into the file a decode of it may read.
struct PictureHeader {
    PictureFormat format;
    int width, height;
    Orientation orientation; // Upright for formats without one
    std::int64_t readLimit;  // no real picture of this size needs more bytes than this
};

// Reads the header, walking no further than kMaxHeaderBytes into the file (real headers are
// far smaller; APPn segments are skipped by their lengths, not read).
Result<PictureHeader> readPictureHeader(PictureBytes& bytes);

inline constexpr std::int64_t kMaxHeaderBytes = 16LL * 1024 * 1024;

} // namespace forms
