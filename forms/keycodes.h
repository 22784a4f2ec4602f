#pragma once

// Windows virtual-key codes, as the windows' key handlers receive them. Letters and the
// main keyboard's digits are their upper-case character codes ('A', '0').
namespace forms::vk {
inline constexpr int Back = 8;
inline constexpr int Tab = 9;
inline constexpr int Clear = 12;
inline constexpr int Return = 13;
inline constexpr int Shift = 16;
inline constexpr int Control = 17;
inline constexpr int Menu = 18; // Alt
inline constexpr int Pause = 19;
inline constexpr int CapsLock = 20;
inline constexpr int Escape = 27;
inline constexpr int Space = 32;
inline constexpr int PageUp = 33;
inline constexpr int PageDown = 34;
inline constexpr int End = 35;
inline constexpr int Home = 36;
inline constexpr int Left = 37;
inline constexpr int Up = 38;
inline constexpr int Right = 39;
inline constexpr int Down = 40;
inline constexpr int PrintScreen = 44;
inline constexpr int Insert = 45;
inline constexpr int Delete = 46;
inline constexpr int Windows = 91;
inline constexpr int Apps = 93; // the context-menu key
inline constexpr int Num0 = 96; // numpad digits 0 to 9 follow on
inline constexpr int NumMultiply = 106;
inline constexpr int NumPlus = 107;  // numpad +
inline constexpr int NumMinus = 109; // numpad -
inline constexpr int NumDecimal = 110;
inline constexpr int NumDivide = 111;
inline constexpr int F1 = 112; // F2 to F24 follow on
inline constexpr int NumLock = 144;
inline constexpr int ScrollLock = 145;
// The main keyboard's punctuation keys, named by their US layout's unshifted character.
inline constexpr int OemSemicolon = 186;
inline constexpr int OemPlus = 187; // main keyboard + (=)
inline constexpr int OemComma = 188;
inline constexpr int OemMinus = 189; // main keyboard -
inline constexpr int OemPeriod = 190;
inline constexpr int OemSlash = 191;
inline constexpr int OemBackquote = 192;
inline constexpr int OemOpenBracket = 219;
inline constexpr int OemBackslash = 220;
inline constexpr int OemCloseBracket = 221;
inline constexpr int OemQuote = 222;
} // namespace forms::vk
