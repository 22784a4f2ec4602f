#include "forms/qt/keys.h"

#include <array>
#include <utility>

namespace forms::qt {

namespace {

// Cyrillic letters of the Russian layout (Qt gives their upper-case code points) give the
// virtual key of the Latin letter on the same key, as they do on the original platform.
constexpr std::array<std::pair<int, int>, 33> kCyrillic = {{
    {0x419, 'Q'}, {0x426, 'W'}, {0x423, 'E'}, {0x41A, 'R'}, {0x415, 'T'}, {0x41D, 'Y'},
    {0x413, 'U'}, {0x428, 'I'}, {0x429, 'O'}, {0x417, 'P'}, {0x425, 219}, {0x42A, 221},
    {0x424, 'A'}, {0x42B, 'S'}, {0x412, 'D'}, {0x410, 'F'}, {0x41F, 'G'}, {0x420, 'H'},
    {0x41E, 'J'}, {0x41B, 'K'}, {0x414, 'L'}, {0x416, 186}, {0x42D, 222}, {0x42F, 'Z'},
    {0x427, 'X'}, {0x421, 'C'}, {0x41C, 'V'}, {0x418, 'B'}, {0x422, 'N'}, {0x42C, 'M'},
    {0x411, 188}, {0x42E, 190}, {0x401, 192},
}};

} // namespace

int virtualKey(int qtKey, Qt::KeyboardModifiers modifiers) {
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return 65 + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return (keypad ? 96 : 48) + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return 112 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 9;
    case Qt::Key_Clear:
        return 12;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
        return 18;
    case Qt::Key_Pause:
        return 19;
    case Qt::Key_CapsLock:
        return 20;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Print:
        return 44;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return 46;
    case Qt::Key_Meta:
        return 91;
    case Qt::Key_Menu:
        return 93;
    case Qt::Key_Exclam:
        return 49;
    case Qt::Key_At:
        return 50;
    case Qt::Key_NumberSign:
        return 51;
    case Qt::Key_Dollar:
        return 52;
    case Qt::Key_Percent:
        return 53;
    case Qt::Key_AsciiCircum:
        return 54;
    case Qt::Key_Ampersand:
        return 55;
    case Qt::Key_Asterisk:
        return keypad ? 106 : 56;
    case Qt::Key_ParenLeft:
        return 57;
    case Qt::Key_ParenRight:
        return 48;
    case Qt::Key_Plus:
        return keypad ? 107 : 187;
    case Qt::Key_Equal:
        return 187;
    case Qt::Key_Minus:
        return keypad ? 109 : 189;
    case Qt::Key_Underscore:
        return 189;
    case Qt::Key_Period:
        return keypad ? 110 : 190;
    case Qt::Key_Greater:
        return 190;
    case Qt::Key_Comma:
        return keypad ? 110 : 188;
    case Qt::Key_Less:
        return 188;
    case Qt::Key_Slash:
        return keypad ? 111 : 191;
    case Qt::Key_Question:
        return 191;
    case Qt::Key_NumLock:
        return 144;
    case Qt::Key_ScrollLock:
        return 145;
    case Qt::Key_Semicolon:
    case Qt::Key_Colon:
        return 186;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde:
        return 192;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft:
        return 219;
    case Qt::Key_Backslash:
    case Qt::Key_Bar:
        return 220;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight:
        return 221;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl:
        return 222;
    default:
        break;
    }
    for (const auto& [key, vk] : kCyrillic)
        if (key == qtKey)
            return vk;
    return 0;
}

int shiftState(Qt::KeyboardModifiers modifiers) {
    int s = 0;
    if (modifiers.testFlag(Qt::ShiftModifier))
        s |= 1;
    if (modifiers.testFlag(Qt::ControlModifier))
        s |= 2;
    if (modifiers.testFlag(Qt::AltModifier))
        s |= 4;
    return s;
}

} // namespace forms::qt
