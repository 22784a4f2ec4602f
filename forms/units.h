#pragma once

namespace forms {

// The designs' unit: 15 twips to a pixel at 96 dots per inch. Only the host turns twips into
// pixels; the model keeps twips.
inline constexpr float kTwipsPerPixel = 15.0f;

} // namespace forms
