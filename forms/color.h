#pragma once
#include <cstdint>

namespace forms {

// A colour as the windows write it: &H00BBGGRR& (blue in the high byte), or a system
// colour 0x800000nn naming an entry of the classic colour scheme.
using Color = std::uint32_t;

namespace sys {
inline constexpr Color Desktop = 0x80000001;
inline constexpr Color MenuBar = 0x80000004;
inline constexpr Color WindowBackground = 0x80000005;
inline constexpr Color WindowFrame = 0x80000006;
inline constexpr Color MenuText = 0x80000007;
inline constexpr Color WindowText = 0x80000008;
inline constexpr Color InactiveBorder = 0x8000000B;
inline constexpr Color Highlight = 0x8000000D;
inline constexpr Color HighlightText = 0x8000000E;
inline constexpr Color ButtonFace = 0x8000000F;
inline constexpr Color ButtonShadow = 0x80000010;
inline constexpr Color GrayText = 0x80000011;
inline constexpr Color ButtonText = 0x80000012;
inline constexpr Color InactiveCaptionText = 0x80000013;
inline constexpr Color ButtonHighlight = 0x80000014;
inline constexpr Color ButtonDarkShadow = 0x80000015;
inline constexpr Color ButtonLight = 0x80000016;
inline constexpr Color InfoText = 0x80000017;
inline constexpr Color InfoBackground = 0x80000018;
} // namespace sys

// The colour as 0xRRGGBB, system colours taken from the classic scheme (not the desktop
// theme, so that the windows look as they were designed).
std::uint32_t toRgb(Color c);

} // namespace forms
