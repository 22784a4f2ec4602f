// Reads the header of any bytes as a picture file's: never a crash, a read outside the bytes
// or a size outside the limits.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "forms/picture_header.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    forms::MemoryBytes bytes(data, static_cast<std::int64_t>(size));
    const forms::Result<forms::PictureHeader> header = forms::readPictureHeader(bytes);
    if (!header)
        return 0;
    const forms::PictureHeader& h = header.value();
    const bool inLimits =
        h.width > 0 && h.height > 0 && h.width <= forms::PictureData::kMaxSide &&
        h.height <= forms::PictureData::kMaxSide &&
        static_cast<std::int64_t>(h.width) * h.height <= forms::PictureData::kMaxPixels &&
        h.orientation >= forms::Orientation::Upright &&
        h.orientation <= forms::Orientation::TurnedLeft && h.readLimit > 0;
    if (!inLimits)
        std::abort();
    return 0;
}
