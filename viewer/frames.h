#pragma once
#include "forms/picture.h"
#include "forms/runtime.h"
#include "viewer/module1.h"

namespace viewer {

// Frame n of the film, read afresh from its file in the current directory. A frame outside
// the film, or one whose file vanished or cannot be read, gives no picture: the windows show
// it as an empty frame and go on as usual.
inline forms::Picture loadFrame(const forms::Runtime& rt, const Module1& m, int n) {
    if (n < 1 || static_cast<std::size_t>(n) >= m.frameFile.size())
        return nullptr;
    auto picture = rt.loadPicture(m.frameFile[static_cast<std::size_t>(n)]);
    return picture ? picture.value() : nullptr;
}

} // namespace viewer
