// The film chooser's small icons: a drive, the documents folder, the desktop, a closed folder
// and an open folder with an arrow up. They are drawn pixel by pixel in the classic small
// desktop-icon manner (one-pixel dark outlines, light from the top left, a few flat tones) on
// white, the colour of the boxes they stand in.
#include "scenes.h"

#include <QtGlobal>

#include <cstring>
#include <initializer_list>

namespace picgen {

namespace {

// The tones every icon draws with, one character each.
struct Ink {
    char key;
    QRgb rgb;
};
constexpr Ink kInks[] = {
    {'.', 0xFFFFFF}, // the white ground
    {'W', 0xFFFFFF}, // white inside a shape
    {'K', 0x000000}, // outline
    {'D', 0x808080}, // dark grey
    {'d', 0xA0A0A4}, // mid grey
    {'S', 0xC0C0C0}, // silver
    {'L', 0xE4E4E4}, // light grey
    {'o', 0x6E5000}, // folder outline
    {'n', 0xC8941C}, // folder shadow
    {'y', 0xE8BC40}, // folder back
    {'Y', 0xFFDC6C}, // folder face
    {'h', 0xFFF4C0}, // folder highlight
    {'T', 0x008080}, // desktop teal
    {'t', 0x30A8A8}, // lit teal
    {'B', 0x000080}, // title bar blue
    {'G', 0x00E000}, // lamp green
    {'g', 0x007000}, // arrow outline green
    {'A', 0x20B020}, // arrow green
    {'a', 0x90F090}, // arrow highlight
};

QRgb inkFor(char key) {
    for (const Ink& ink : kInks)
        if (ink.key == key)
            return ink.rgb;
    qFatal("picgen: no ink for '%c'", key);
}

// Builds an icon from rows of ink characters; every row must have the same length.
QImage fromRows(std::initializer_list<const char*> rows) {
    const int w = int(std::strlen(*rows.begin()));
    QImage img(w, int(rows.size()), QImage::Format_RGB32);
    int y = 0;
    for (const char* row : rows) {
        if (int(std::strlen(row)) != w)
            qFatal("picgen: icon row %d is %d pixels, not %d", y, int(std::strlen(row)), w);
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y++));
        for (int x = 0; x < w; ++x)
            line[x] = 0xFF000000u | inkFor(row[x]);
    }
    return img;
}

} // namespace

QImage drawChooserIcon(ChooserIcon icon) {
    switch (icon) {
    case ChooserIcon::Drive:
        // A hard disk seen from above the front: light top, silver front with a groove and a
        // green lamp, grey side.
        return fromRows({
            ".....................",
            ".....................",
            ".....................",
            "....KKKKKKKKKKKKKKKK.",
            "...KWLLLLLLLLLLLLLKK.",
            "..KLLLLLLLLLLLLLLKDK.",
            ".KKKKKKKKKKKKKKKKDDK.",
            ".KWWWWWWWWWWWWWSKDDK.",
            ".KWSSSSSSSSSSSSDKDDK.",
            ".KWSDDDDDDDSSSSDKDDK.",
            ".KWSWWWWWWWSSSSDKDDK.",
            ".KWSSSSSSSSSSGGDKDK..",
            ".KWSSSSSSSSSSSSDKK...",
            ".KDDDDDDDDDDDDDDK....",
            ".KKKKKKKKKKKKKKKK....",
            ".....................",
            ".....................",
        });
    case ChooserIcon::Documents:
        // Two sheets with lines of writing standing in an open folder.
        return fromRows({
            "...................",
            ".......KKKKKKKKK...",
            ".......KWWWWWWWK...",
            "....KKKKKKKKKWWK...",
            ".oooKWWWWWWWKWWK...",
            "oyyyKWDDDDDWKWDK...",
            "oyyyKWWWWWWWKWWKoo.",
            "oyyyKWDDDDDWKWDKyo.",
            "oyyyKWWWWWWWKWWKyo.",
            "oyyyKWDDDDDWKWDKyo.",
            "oyyoooooooooooooooo",
            "oyyohhhhhhhhhhhhhYo",
            "oyohYYYYYYYYYYYYno.",
            "oyoYYYYYYYYYYYYYno.",
            "ooYYYYYYYYYYYYYno..",
            "onnnnnnnnnnnnnnno..",
            "oooooooooooooooo...",
            "...................",
        });
    case ChooserIcon::Desktop:
        // A small monitor showing a teal desktop with a window and a task bar.
        return fromRows({
            ".................",
            ".KKKKKKKKKKKKKKK.",
            ".KWWWWWWWWWWWWSK.",
            ".KWKKKKKKKKKKKDK.",
            ".KWKTTTTTTTTTKDK.",
            ".KWKTTBBBBBTTKDK.",
            ".KWKTTWWWWWTTKDK.",
            ".KWKTTWWWWWTTKDK.",
            ".KWKTTTTTTTTTKDK.",
            ".KWKSSSSSSSSSKDK.",
            ".KWKKKKKKKKKKKDK.",
            ".KWSSSSSSSSSSGDK.",
            ".KSDDDDDDDDDDDDK.",
            ".KKKKKKKKKKKKKKK.",
            "......KSSDK......",
            "...KKKKKKKKKKK...",
            "...KWSSSSSSSDK...",
            "...KKKKKKKKKKK...",
        });
    case ChooserIcon::Folder:
        // A closed folder with its tab at the top left.
        return fromRows({
            "....................", "....................", "....................",
            "....................", "....................", "..ooooo.............",
            ".ohyyyyo............", ".ohyyyyyoooooooooo..", ".ohyyyyyyyyyyyyyyyo.",
            ".oooooooooooooooooo.", ".ohhhhhhhhhhhhhhhYo.", ".ohYYYYYYYYYYYYYYno.",
            ".ohYYYYYYYYYYYYYYno.", ".ohYYYYYYYYYYYYYYno.", ".ohYYYYYYYYYYYYYYno.",
            ".ohYYYYYYYYYYYYYYno.", ".ohYYYYYYYYYYYYYYno.", ".ohYYYYYYYYYYYYYYno.",
            ".onnnnnnnnnnnnnnnno.", ".oooooooooooooooooo.", "....................",
            "....................", "....................", "....................",
        });
    case ChooserIcon::Up:
        // An open folder with a green arrow rising out of it.
        return fromRows({
            "...................", ".........g.........", "........gag........",
            ".......gaAAg.......", "......gaAAAAg......", ".....gaAAAAAAg.....",
            "....ggggaAAgggg....", ".......gaAAg.......", "..oooo.gaAAg.......",
            ".ohyyyogaAAg.......", ".oyyyyygaAAgoooooo.", ".oyyyyygaAAgyyyyyo.",
            ".oyyyyygaAAgyyyyyo.", ".oyyooooooooooooooo", ".oyyohhhhhhhhhhhhYo",
            ".oyoYYYYYYYYYYYYno.", ".oyoYYYYYYYYYYYYno.", ".ooYYYYYYYYYYYYno..",
            ".ooYYYYYYYYYYYYno..", ".oYYYYYYYYYYYYno...", ".onnnnnnnnnnnnno...",
            ".ooooooooooooooo...", "...................",
        });
    }
    return {};
}

} // namespace picgen
