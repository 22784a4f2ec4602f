#include "forms/color.h"

#include <array>

namespace forms {

namespace {
// The classic ("Windows Standard") scheme, as 0xRRGGBB, indexed by the system colour number.
constexpr std::array<std::uint32_t, 25> kClassic = {
    0xC0C0C0, // 0 scroll bars
    0x008080, // 1 desktop
    0x000080, // 2 active title bar
    0x808080, // 3 inactive title bar
    0xC0C0C0, // 4 menu bar
    0xFFFFFF, // 5 window background
    0x000000, // 6 window frame
    0x000000, // 7 menu text
    0x000000, // 8 window text
    0xFFFFFF, // 9 title bar text
    0xC0C0C0, // 10 active border
    0xC0C0C0, // 11 inactive border
    0x808080, // 12 application workspace
    0x000080, // 13 highlight
    0xFFFFFF, // 14 highlight text
    0xC0C0C0, // 15 button face
    0x808080, // 16 button shadow
    0x808080, // 17 grey text
    0x000000, // 18 button text
    0xC0C0C0, // 19 inactive title bar text
    0xFFFFFF, // 20 button highlight
    0x000000, // 21 button dark shadow
    0xC0C0C0, // 22 button light
    0x000000, // 23 tooltip text
    0xFFFFE1, // 24 tooltip background
};
} // namespace

std::uint32_t toRgb(Color c) {
    if (c & 0x80000000u) {
        const std::uint32_t index = c & 0xFFu;
        return index < kClassic.size() ? kClassic[index] : 0x000000;
    }
    const std::uint32_t r = c & 0xFFu, g = (c >> 8) & 0xFFu, b = (c >> 16) & 0xFFu;
    return (r << 16) | (g << 8) | b;
}

} // namespace forms
