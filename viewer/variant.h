#pragma once

namespace viewer {

// Where the two programs' main windows differ: the layout of the side picture and the
// buttons, and the direction and fineness of the slide.
struct Variant {
    enum class Strip { Vertical, Horizontal };
    // The strip slides along Top (vertical) or Left (horizontal).
    Strip strip = Strip::Vertical;
    // Moves per frame extent: the step is E / stepsPerFrame.
    int stepsPerFrame = 50;
    // A cover picture hides the strip's jumps (before a previous-frame slide and while the
    // strip is put back after a next-frame slide).
    bool cover = true;
    // A red band stands behind the side picture, from the top bar down (Image7).
    bool sideBand = true;
    // The side picture changes with the position in the film (Image7..Image10 hold the four
    // photographs), is centred on the frame window, and a frame window lower than the
    // photograph is centred five eighths of the way down it.
    bool positionPhotos = false;
    // "Page Down" stands this far below the side picture's top (Kadroskop adds the
    // button's own height to 600).
    float buttonOffset = 0; // twips, used when buttonOffsetFromHeight is false
    bool buttonOffsetFromHeight = true;
};

inline Variant kadroskopVariant() {
    return Variant{};
}

inline Variant lampionikaVariant() {
    Variant v;
    v.strip = Variant::Strip::Horizontal;
    v.stepsPerFrame = 150;
    v.cover = false;
    v.sideBand = false;
    v.positionPhotos = true;
    v.buttonOffset = 545;
    v.buttonOffsetFromHeight = false;
    return v;
}

} // namespace viewer
