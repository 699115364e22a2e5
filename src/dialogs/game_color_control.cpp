#include "game_color_control.h"

#include <QWidget>
#include <cmath>
#include <string>

#include "message_reporter.h"

namespace velmora {

namespace {

// 255 x 0.11, 0.385, 0.22, 0.308 and 0.275, truncated.
constexpr int kRing = 28, kSecondFromBottom = 98, kSecondFromTop = 56, kSecondFromRight = 78, kSecondFromLeft = 70;

}  // namespace

int GameColorControl::FrameGrey(int x, int y, int width, int height) {
  if (y == 0 || y == height - 1 || x == 0 || x == width - 1) return kRing;
  if (y == height - 2) return kSecondFromBottom;
  if (y == 1) return kSecondFromTop;
  if (x == width - 2) return kSecondFromRight;
  if (x == 1) return kSecondFromLeft;
  return -1;
}

float GameColorControl::NormaliseHue(float hue) {
  if (!std::isfinite(hue) || std::fabs(hue) > 720.0f) return 0.0f;
  while (hue < 0.0f) hue += 360.0f;
  while (hue >= 360.0f) hue -= 360.0f;
  return hue;
}

void GameColorControl::HsvToRgb(float hue, float saturation, float value, float& red, float& green, float& blue) {
  if (saturation <= 0.0f) {
    red = green = blue = value;
    return;
  }
  hue = NormaliseHue(hue);
  const int sector = static_cast<int>(std::floor(hue / 60.0f));
  const float f = hue / 60.0f - static_cast<float>(sector);
  const float p = value * (1.0f - saturation);
  const float q = value * (1.0f - f * saturation);
  const float t = value * (1.0f - saturation * (1.0f - f));
  switch (sector) {
    case 0: red = value, green = t, blue = p; break;
    case 1: red = q, green = value, blue = p; break;
    case 2: red = p, green = value, blue = t; break;
    case 3: red = p, green = q, blue = value; break;
    case 4: red = t, green = p, blue = value; break;
    default: red = value, green = p, blue = q; break;
  }
}

void GameColorControl::RgbToHsv(float red, float green, float blue, float& hue, float& saturation, float& value) {
  const float high = std::fmax(red, std::fmax(green, blue));
  const float low = std::fmin(red, std::fmin(green, blue));
  value = high;
  saturation = high > 0.0f ? (high - low) / high : 0.0f;
  hue = 0.0f;
  if (high == low) return;
  const float range = high - low;
  if (red == high) {
    hue = (green - blue) / range;
  } else if (green == high) {
    hue = 2.0f + (blue - red) / range;
  } else {
    hue = 4.0f + (red - green) / range;
  }
  hue *= 60.0f;
  if (hue < 0.0f) hue += 360.0f;
}

bool GameColorControl::BuildSpectrum(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  if (image.isNull()) {
    LogFault("Failed to allocate memory for the spectrum image's pixel data!");
    return false;
  }
  const float rowStep = 153.0f / static_cast<float>(height);
  const float hueStep = 360.0f / static_cast<float>(width);
  for (int j = 0; j < width; ++j) {
    const float hue = static_cast<float>(j) * hueStep;
    const int sector = static_cast<int>(std::floor(std::fmod(hue, 360.0f) / 60.0f));
    const float f = std::fmod(hue, 60.0f) / 60.0f;
    float red = 0, green = 0, blue = 0;
    switch (sector) {
      case 0: red = 1, green = f, blue = 0; break;
      case 1: red = 1 - f, green = 1, blue = 0; break;
      case 2: red = 0, green = 1, blue = f; break;
      case 3: red = 0, green = 1 - f, blue = 1; break;
      case 4: red = f, green = 0, blue = 1; break;
      case 5: red = 1, green = 0, blue = 1 - f; break;
      default: LogFault("Invalid hue spectrum phase encountered!"); return false;
    }
    float h = 0, s = 0, v = 0;
    RgbToHsv(red, green, blue, h, s, v);
    HsvToRgb(h, s * 0.8f, v, red, green, blue);
    for (int i = 0; i < height; ++i) {
      const int grey = FrameGrey(j, i, width, height);
      if (grey >= 0) {
        image.setPixel(j, i, qRgb(grey, grey, grey));
        continue;
      }
      const float brightness = 255.0f - static_cast<float>(i) * rowStep;
      image.setPixel(j, i,
                     qRgb(static_cast<int>(red * brightness), static_cast<int>(green * brightness),
                          static_cast<int>(blue * brightness)));
    }
  }
  spectrum_ = std::move(image);
  return true;
}

bool GameColorControl::BuildSwatch(float hue, bool& swatchExists, int x, int y, int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  if (image.isNull()) {
    LogFault("Failed to allocate memory for the swatch image's pixel data!");
    return false;
  }
  float red = 0, green = 0, blue = 0;
  HsvToRgb(NormaliseHue(hue), 1.0f, 1.0f, red, green, blue);
  const QRgb colour =
      qRgb(static_cast<int>(red * 255.0f), static_cast<int>(green * 255.0f), static_cast<int>(blue * 255.0f));
  for (int i = 0; i < height; ++i)
    for (int j = 0; j < width; ++j) {
      const int grey = FrameGrey(j, i, width, height);
      image.setPixel(j, i, grey >= 0 ? qRgb(grey, grey, grey) : colour);
    }
  swatch_ = std::move(image);
  if (swatchExists) {
    if (owner_) owner_->update(x, y, width, height);
  } else {
    swatchExists = true;
  }
  return true;
}

void GameColorControl::LogFault(const char* text) const { reporter_.LogOnly(std::string("CtlGameColor - ") + text); }

}  // namespace velmora
