#include "png_image.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <new>

namespace velmora {
namespace {

constexpr size_t kSignatureBytes = 8;

// Turns the rows libpng produced into blue, green, red, alpha bytes. Calls no
// libpng function that can raise an error, so it runs outside the setjmp scope.
bool ConvertRows(const png_bytep* rows, uint32_t width, uint32_t height, int colorType,
                 std::vector<uint8_t>& out) {
  switch (colorType) {
    case PNG_COLOR_TYPE_GRAY:
    case PNG_COLOR_TYPE_RGB:
    case PNG_COLOR_TYPE_GRAY_ALPHA:
    case PNG_COLOR_TYPE_RGB_ALPHA:
      break;
    default:
      return false;
  }
  try {
    out.assign(static_cast<size_t>(width) * height * 4, 0);
  } catch (const std::bad_alloc&) {
    out.clear();
    return false;
  }
  uint8_t* dst = out.data();
  for (uint32_t y = 0; y < height; ++y) {
    const png_byte* src = rows[y];
    switch (colorType) {
      case PNG_COLOR_TYPE_GRAY:
        for (uint32_t x = 0; x < width; ++x, dst += 4, src += 1) {
          dst[0] = dst[1] = dst[2] = src[0];
          dst[3] = 0;
        }
        break;
      case PNG_COLOR_TYPE_RGB:
        for (uint32_t x = 0; x < width; ++x, dst += 4, src += 3) {
          dst[0] = src[2];
          dst[1] = src[1];
          dst[2] = src[0];
          dst[3] = 0;
        }
        break;
      case PNG_COLOR_TYPE_GRAY_ALPHA:
        for (uint32_t x = 0; x < width; ++x, dst += 4, src += 2) {
          dst[0] = dst[1] = dst[2] = src[0];
          dst[3] = src[1];
        }
        break;
      case PNG_COLOR_TYPE_RGB_ALPHA:
        for (uint32_t x = 0; x < width; ++x, dst += 4, src += 4) {
          dst[0] = src[2];
          dst[1] = src[1];
          dst[2] = src[0];
          dst[3] = src[3];
        }
        break;
    }
  }
  return true;
}

}  // namespace

bool IsPngFile(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  png_byte signature[kSignatureBytes];
  const size_t read = std::fread(signature, 1, kSignatureBytes, file);
  std::fclose(file);
  return read == kSignatureBytes && png_sig_cmp(signature, 0, kSignatureBytes) == 0;
}

bool DecodePng(const std::string& path, PngImage& image) {
  image.width = 0;
  image.height = 0;
  image.pixels.clear();
  image.loaded = false;

  if (!IsPngFile(path)) return false;

  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  // The library checks that the caller was built against a compatible
  // release, so it is handed the version of the headers in use.
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) {
    std::fclose(file);
    return false;
  }
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    std::fclose(file);
    return false;
  }
  // The library's default error handler jumps back here. Only plain pointers
  // set before this point are alive across the jump, so nothing is skipped.
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    return false;
  }
  png_init_io(png, file);
  png_read_png(png, info, PNG_TRANSFORM_EXPAND, nullptr);

  const uint32_t width = png_get_image_width(png, info);
  const uint32_t height = png_get_image_height(png, info);
  const int colorType = png_get_color_type(png, info);
  const int bitDepth = png_get_bit_depth(png, info);
  png_bytepp rows = png_get_rows(png, info);

  // Expand leaves 16-bit channels as they are; the art is 8 bits per channel.
  const bool converted =
      bitDepth == 8 && rows && ConvertRows(rows, width, height, colorType, image.pixels);

  png_destroy_read_struct(&png, &info, nullptr);
  std::fclose(file);
  if (!converted) {
    image.pixels.clear();
    return false;
  }
  image.width = width;
  image.height = height;
  image.loaded = true;
  return true;
}

}  // namespace velmora
