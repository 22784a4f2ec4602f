#pragma once
#include <QSize>

#include <string>

namespace bench {

// Starts the program `exe` on a virtual X display of `screen` pixels (Xvfb) in an empty
// folder and watches the screen's pixels: the milliseconds from the process's start to the
// first sample of the screen that shows what it settles on, the main window completely
// painted. -1 when the program or Xvfb did not come up.
double firstCompletePaintMs(const std::string& exe, QSize screen);

} // namespace bench
