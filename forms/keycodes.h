#pragma once

// Windows virtual-key codes, as the windows' key handlers receive them.
namespace forms::vk {
inline constexpr int Back = 8;
inline constexpr int Tab = 9;
inline constexpr int Return = 13;
inline constexpr int Shift = 16;
inline constexpr int Control = 17;
inline constexpr int Menu = 18;
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
inline constexpr int Insert = 45;
inline constexpr int Delete = 46;
inline constexpr int NumPlus = 107;  // numpad +
inline constexpr int NumMinus = 109; // numpad -
inline constexpr int OemPlus = 187;  // main keyboard + (=)
inline constexpr int OemMinus = 189; // main keyboard -
} // namespace forms::vk
