#pragma once
#include <Qt>

namespace forms::qt {

// The Windows virtual-key code of a Qt key, 0 for a key that has none. Numpad plus, minus,
// times, divide, decimal point and digits are told from the main keyboard's by the keypad
// modifier.
int virtualKey(int qtKey, Qt::KeyboardModifiers modifiers);

// The shift state the windows' key handlers receive: 1 Shift, 2 Ctrl, 4 Alt.
int shiftState(Qt::KeyboardModifiers modifiers);

} // namespace forms::qt
