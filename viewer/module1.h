#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace viewer {

// The film state the windows share.
struct Module1 {
    // Bare file names of the frames, resolved against the current directory (the film's
    // folder). Empty before the first film; afterwards element 0 is empty and elements 1 to
    // frameCount name the frames in film order.
    std::vector<std::string> frameFile;
    std::int32_t frameCount = 0;
    // The frame on show, from 1; 0 while no film is open.
    std::int32_t curFrame = 0;
    // False until the main window's one-time layout is made.
    bool noResize = false;
};

} // namespace viewer
