#pragma once
#include <string>

namespace bench {

// Writes a JPEG with the detail of a photograph: soft shapes and light, and sensor grain, so
// that decoding it costs what a real photo's decoding does.
void writePhoto(const std::string& path, int width, int height, unsigned seed);

// Milliseconds `djpeg -outfile /dev/null` takes for the file (the median of `runs`); exits
// the benchmark when djpeg is missing or fails.
double djpegMs(const std::string& path, int runs);

} // namespace bench
