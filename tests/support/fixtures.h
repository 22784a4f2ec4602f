#pragma once
#include <cstdint>
#include <string>

namespace testing_support {

// Makes sure a Qt application object exists (offscreen), for image codecs and fonts.
void ensureQtApp();

// Writes a picture of w x h pixels filled with `rgb` (0xRRGGBB) in the format the name's
// extension gives (.jpg, .bmp, .gif; any other extension writes a BMP). Its own size as the
// measuring box reports it is (w * 15 + 60) x (h * 15 + 60) twips.
void writePicture(const std::string& path, int w, int h, std::uint32_t rgb = 0x808080);

// Pixel size whose measured own size (with the 60-twip border) is the given twips.
int pixelsForMeasured(float twips);

} // namespace testing_support
