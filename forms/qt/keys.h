#pragma once
#include <Qt>

namespace forms::qt {

// The Windows virtual-key code of a Qt key, 0 for a key that has none. Numpad plus, minus,
// times, divide, decimal point and digits are told from the main keyboard's by the keypad
// modifier.
int virtualKey(int qtKey, Qt::KeyboardModifiers modifiers);

// The code a key without a virtual-key code of its own is delivered with (an unassigned
// code: no handler acts on it, but its release still counts as a key released).
inline constexpr int kUnmappedKey = 255;

// The shift state the windows' key handlers receive: 1 Shift, 2 Ctrl, 4 Alt.
int shiftState(Qt::KeyboardModifiers modifiers);

} // namespace forms::qt
