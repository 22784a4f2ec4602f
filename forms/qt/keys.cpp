#include "forms/qt/keys.h"

#include "forms/keycodes.h"

namespace forms::qt {

namespace {

// A Qt key and its virtual key; `keypad` is the virtual key when the key comes from the
// numeric keypad, 0 where that is the same.
struct KeyMapping {
    int qtKey;
    int vk;
    int keypad = 0;
};

constexpr KeyMapping kKeys[] = {
    {Qt::Key_Backspace, vk::Back},
    {Qt::Key_Tab, vk::Tab},
    {Qt::Key_Backtab, vk::Tab},
    {Qt::Key_Clear, vk::Clear},
    {Qt::Key_Return, vk::Return},
    {Qt::Key_Enter, vk::Return},
    {Qt::Key_Shift, vk::Shift},
    {Qt::Key_Control, vk::Control},
    {Qt::Key_Alt, vk::Menu},
    {Qt::Key_AltGr, vk::Menu},
    {Qt::Key_Pause, vk::Pause},
    {Qt::Key_CapsLock, vk::CapsLock},
    {Qt::Key_Escape, vk::Escape},
    {Qt::Key_Space, vk::Space},
    {Qt::Key_PageUp, vk::PageUp},
    {Qt::Key_PageDown, vk::PageDown},
    {Qt::Key_End, vk::End},
    {Qt::Key_Home, vk::Home},
    {Qt::Key_Left, vk::Left},
    {Qt::Key_Up, vk::Up},
    {Qt::Key_Right, vk::Right},
    {Qt::Key_Down, vk::Down},
    {Qt::Key_Print, vk::PrintScreen},
    {Qt::Key_Insert, vk::Insert},
    {Qt::Key_Delete, vk::Delete},
    {Qt::Key_Meta, vk::Windows},
    {Qt::Key_Menu, vk::Apps},
    // Shifted digits give the digit's key.
    {Qt::Key_Exclam, '1'},
    {Qt::Key_At, '2'},
    {Qt::Key_NumberSign, '3'},
    {Qt::Key_Dollar, '4'},
    {Qt::Key_Percent, '5'},
    {Qt::Key_AsciiCircum, '6'},
    {Qt::Key_Ampersand, '7'},
    {Qt::Key_Asterisk, '8', vk::NumMultiply},
    {Qt::Key_ParenLeft, '9'},
    {Qt::Key_ParenRight, '0'},
    {Qt::Key_Plus, vk::OemPlus, vk::NumPlus},
    {Qt::Key_Equal, vk::OemPlus},
    {Qt::Key_Minus, vk::OemMinus, vk::NumMinus},
    {Qt::Key_Underscore, vk::OemMinus},
    {Qt::Key_Period, vk::OemPeriod, vk::NumDecimal},
    {Qt::Key_Greater, vk::OemPeriod},
    {Qt::Key_Comma, vk::OemComma, vk::NumDecimal},
    {Qt::Key_Less, vk::OemComma},
    {Qt::Key_Slash, vk::OemSlash, vk::NumDivide},
    {Qt::Key_Question, vk::OemSlash},
    {Qt::Key_NumLock, vk::NumLock},
    {Qt::Key_ScrollLock, vk::ScrollLock},
    {Qt::Key_Semicolon, vk::OemSemicolon},
    {Qt::Key_Colon, vk::OemSemicolon},
    {Qt::Key_QuoteLeft, vk::OemBackquote},
    {Qt::Key_AsciiTilde, vk::OemBackquote},
    {Qt::Key_BracketLeft, vk::OemOpenBracket},
    {Qt::Key_BraceLeft, vk::OemOpenBracket},
    {Qt::Key_Backslash, vk::OemBackslash},
    {Qt::Key_Bar, vk::OemBackslash},
    {Qt::Key_BracketRight, vk::OemCloseBracket},
    {Qt::Key_BraceRight, vk::OemCloseBracket},
    {Qt::Key_Apostrophe, vk::OemQuote},
    {Qt::Key_QuoteDbl, vk::OemQuote},
    // Cyrillic letters of the Russian layout (Qt gives their upper-case code points) give the
    // virtual key of the Latin letter on the same key, as they do on the original platform.
    {0x419, 'Q'},
    {0x426, 'W'},
    {0x423, 'E'},
    {0x41A, 'R'},
    {0x415, 'T'},
    {0x41D, 'Y'},
    {0x413, 'U'},
    {0x428, 'I'},
    {0x429, 'O'},
    {0x417, 'P'},
    {0x425, vk::OemOpenBracket},
    {0x42A, vk::OemCloseBracket},
    {0x424, 'A'},
    {0x42B, 'S'},
    {0x412, 'D'},
    {0x410, 'F'},
    {0x41F, 'G'},
    {0x420, 'H'},
    {0x41E, 'J'},
    {0x41B, 'K'},
    {0x414, 'L'},
    {0x416, vk::OemSemicolon},
    {0x42D, vk::OemQuote},
    {0x42F, 'Z'},
    {0x427, 'X'},
    {0x421, 'C'},
    {0x41C, 'V'},
    {0x418, 'B'},
    {0x422, 'N'},
    {0x42C, 'M'},
    {0x411, vk::OemComma},
    {0x42E, vk::OemPeriod},
    {0x401, vk::OemBackquote},
};

} // namespace

int virtualKey(int qtKey, Qt::KeyboardModifiers modifiers) {
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return 'A' + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return (keypad ? vk::Num0 : '0') + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return vk::F1 + (qtKey - Qt::Key_F1);
    for (const KeyMapping& m : kKeys)
        if (m.qtKey == qtKey)
            return keypad && m.keypad != 0 ? m.keypad : m.vk;
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
