#pragma once

namespace forms {

// How a picture's stored pixels stand against the picture upright, numbered as the EXIF
// orientation tag numbers them.
enum class Orientation {
    Upright = 1,
    Mirrored = 2,           // left and right swapped
    UpsideDown = 3,         // turned half a turn
    MirroredUpsideDown = 4, // top and bottom swapped
    Transposed = 5,         // rows stored as columns, from the upright top-left
    TurnedRight = 6,        // to stand upright it turns a quarter clockwise
    Transversed = 7,        // rows stored as columns, from the upright bottom-right
    TurnedLeft = 8,         // to stand upright it turns a quarter anticlockwise
};

// The orientation an EXIF value names; a value outside 1 to 8 stands upright.
inline Orientation orientationFromExif(int value) {
    return value >= 1 && value <= 8 ? static_cast<Orientation>(value) : Orientation::Upright;
}

// Whether the stored picture lies on its side: its stored width is the upright height.
inline bool liesOnItsSide(Orientation o) {
    return o >= Orientation::Transposed;
}

} // namespace forms
