#pragma once
// The PNG art decoder: libpng, 8 bits per channel, pixels as blue, green, red, alpha bytes.
#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

struct PngImage {
  uint32_t width = 0;
  uint32_t height = 0;
  // width * height * 4 bytes, rows top to bottom, each pixel blue, green, red, alpha.
  std::vector<uint8_t> pixels;
  bool loaded = false;
};

// True when the file opens and its first 8 bytes are the PNG signature.
bool IsPngFile(const std::string& path);

// Decodes a PNG file with libpng's expand transformation only. Gray and RGB
// pixels get alpha 0, gray + alpha and RGB + alpha keep theirs; 16-bit images
// and anything libpng rejects fail, leaving the image empty and unloaded.
bool DecodePng(const std::string& path, PngImage& image);

}  // namespace velmora
