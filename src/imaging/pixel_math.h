#pragma once
// The per-pixel arithmetic of the image operations, in single precision as the
// game has always computed it (the truncations are part of the look).
#include <array>
#include <cstddef>
#include <cstdint>

namespace velmora {

// The 64-step ease-in/ease-out curve of the splash: 4x^3 up to the middle,
// 1 - 4(1-x)^3 after it.
inline constexpr std::array<float, 64> kEasingTable = [] {
  std::array<float, 64> table{};
  for (int k = 0; k < 64; ++k) {
    const float x = static_cast<float>(k) / 64.0f;
    const float y = k < 32 ? x : 1.0f - x;
    const float cube = 4.0f * y * y * y;
    table[static_cast<std::size_t>(k)] = k < 32 ? cube : 1.0f - cube;
  }
  return table;
}();

// Replaces an alpha of 0..1 by its step on the easing curve.
float EaseAlpha(float alpha);

// Brings degrees into [0, 360) by whole turns; a value more than two turns
// away, or not finite, counts as 0.
float WrapDegrees(float degrees);

// The hue-shifted colour of one 0xAARRGGBB pixel; delta in [0, 360). Alpha
// and grey pixels stay as they are.
uint32_t ShiftPixelHue(uint32_t pixel, float delta);
// The same for a row of `count` pixels, in place.
void ShiftRowHue(uint32_t* row, int count, float delta);

// One channel of the border filter: value moved l of the way to target, truncated.
inline uint8_t BlendToward(int value, int target, float l) {
  return static_cast<uint8_t>(static_cast<float>(value) + l * static_cast<float>(target - value));
}

}  // namespace velmora
