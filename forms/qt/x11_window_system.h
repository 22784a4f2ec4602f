#pragma once

class QWidget;

namespace forms::qt {

// What the X11 window system is told beyond what Qt tells it. On other platforms (offscreen,
// Wayland) these do nothing.

// A held key then repeats its press alone, with no release in between, so that every
// release the program sees is the key going up, however late the repeat's press arrives.
void useDetectableAutoRepeat();

// Asks the window manager for no task-bar button for the window. A window manager drops a
// window's states when it is hidden, so this is set again before each showing.
void keepOutOfTaskbar(QWidget& window);

} // namespace forms::qt
