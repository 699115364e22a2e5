#include "pixel_math.h"

#include <algorithm>
#include <cmath>

namespace velmora {
namespace {

// byte / 255 in single precision, divided once at compile time: the same
// quotients as dividing pixel by pixel.
constexpr std::array<float, 256> kByteFractions = [] {
  std::array<float, 256> table{};
  for (int i = 0; i < 256; ++i) table[static_cast<std::size_t>(i)] = static_cast<float>(i) / 255.0f;
  return table;
}();

inline float Wrap(float degrees) {
  if (!std::isfinite(degrees) || std::fabs(std::trunc(degrees)) > 720.0f) return 0.0f;
  while (degrees < 0.0f) degrees += 360.0f;
  while (degrees >= 360.0f) degrees -= 360.0f;
  return degrees;
}

inline uint32_t TruncatedByte(float value) { return static_cast<uint32_t>(static_cast<int>(value * 255.0f)) & 0xFF; }

// The shifted 0x00RRGGBB colour of a 0x??RRGGBB pixel.
inline uint32_t ShiftColour(uint32_t pixel, float delta) {
  const float r = kByteFractions[(pixel >> 16) & 0xFF];
  const float g = kByteFractions[(pixel >> 8) & 0xFF];
  const float b = kByteFractions[pixel & 0xFF];

  // RGB to HSV; black carries V = -1, which becomes 0 on the way back.
  const float max = std::max(r, std::max(g, b));
  const float min = std::min(r, std::min(g, b));
  float h;
  float s;
  float v;
  if (max == 0.0f) {
    h = -1.0f;
    v = -1.0f;
    s = 0.0f;
  } else {
    v = max;
    s = (max - min) / max;
    if (max == min) {
      h = -1.0f;
    } else {
      const float range = max - min;
      if (r >= g && r >= b) {
        h = 60.0f * (g - b) / range;
        if (g < b) h += 360.0f;
      } else if (g >= b) {
        h = 120.0f + 60.0f * (b - r) / range;
      } else {
        h = 240.0f + 60.0f * (r - g) / range;
      }
    }
    h = Wrap(h);
  }

  h += delta;
  while (h >= 360.0f) h -= 360.0f;

  float outR;
  float outG;
  float outB;
  if (s == 0.0f) {
    outR = outG = outB = v;
  } else {
    const float f = h / 60.0f;
    const int sector = std::clamp(static_cast<int>(f), 0, 5);
    const float x = f - static_cast<float>(sector);
    const float p = v * (1.0f - s);
    const float q = v * (1.0f - s * x);
    const float t = v * (1.0f - s * (1.0f - x));
    switch (sector) {
      case 0:
        outR = v;
        outG = t;
        outB = p;
        break;
      case 1:
        outR = q;
        outG = v;
        outB = p;
        break;
      case 2:
        outR = p;
        outG = v;
        outB = t;
        break;
      case 3:
        outR = p;
        outG = q;
        outB = v;
        break;
      case 4:
        outR = t;
        outG = p;
        outB = v;
        break;
      default:
        outR = v;
        outG = p;
        outB = q;
        break;
    }
  }
  if (outR == -1.0f) outR = 0.0f;
  if (outG == -1.0f) outG = 0.0f;
  if (outB == -1.0f) outB = 0.0f;
  return (TruncatedByte(outR) << 16) | (TruncatedByte(outG) << 8) | TruncatedByte(outB);
}

}  // namespace

float EaseAlpha(float alpha) {
  if (!(alpha > 0.0f)) return kEasingTable[0];
  const float steps = alpha * 64.0f;
  const int k = steps >= 63.0f ? 63 : static_cast<int>(steps);
  return kEasingTable[static_cast<std::size_t>(k)];
}

float WrapDegrees(float degrees) { return Wrap(degrees); }

uint32_t ShiftPixelHue(uint32_t pixel, float delta) { return (pixel & 0xFF000000u) | ShiftColour(pixel, delta); }

void ShiftRowHue(uint32_t* row, int count, float delta) {
  if (count <= 0) return;
  // Art is full of runs of one colour: the last colour's result is kept.
  uint32_t lastColour = row[0] & 0x00FFFFFFu;
  uint32_t lastResult = ShiftColour(lastColour, delta);
  for (int x = 0; x < count; ++x) {
    const uint32_t colour = row[x] & 0x00FFFFFFu;
    if (colour != lastColour) {
      lastColour = colour;
      lastResult = ShiftColour(colour, delta);
    }
    row[x] = (row[x] & 0xFF000000u) | lastResult;
  }
}

}  // namespace velmora
