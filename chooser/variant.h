#pragma once
#include "forms/color.h"

namespace chooser {

// Where the two programs' choosers behave differently.
struct Variant {
    // The backdrop behind the preview panel stands always, black and without a frame until a
    // film is selected, which turns it grey and framed (Lampionika). Otherwise it is hidden
    // until a film is selected, and then shown in its design colour (Kadroskop).
    bool backdropAlways = false;
    forms::Color selectedBackdrop = 0x00808080;
    // "открыть папку" is hidden as soon as a subfolder is opened, before pending events run
    // (Lampionika); otherwise it keeps its state until the folder view is rebuilt.
    bool hideOpenButtonFirst = false;
};

inline Variant kadroskopVariant() {
    return Variant{};
}

inline Variant lampionikaVariant() {
    return Variant{
        .backdropAlways = true, .selectedBackdrop = 0x00808080, .hideOpenButtonFirst = true};
}

} // namespace chooser
