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

namespace {

// The bytes of a file held in memory, handed to libpng as it asks for them.
struct MemorySource {
  const uint8_t* data;
  size_t size;
  size_t offset;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length) {
  auto* source = static_cast<MemorySource*>(png_get_io_ptr(png));
  if (length > source->size - source->offset) png_error(png, "read past the end of the data");
  std::memcpy(out, source->data + source->offset, length);
  source->offset += length;
}

// Decodes from a stream libpng reads either from `file` or from `memory`.
bool DecodeFrom(std::FILE* file, MemorySource* memory, PngImage& image, uint32_t expectedWidth,
                uint32_t expectedHeight) {
  const bool sizeGiven = expectedWidth != 0 && expectedHeight != 0;
  const uint32_t maxWidth = sizeGiven ? expectedWidth : kMaxPngSide;
  const uint32_t maxHeight = sizeGiven ? expectedHeight : kMaxPngSide;
  // The library checks that the caller was built against a compatible
  // release, so it is handed the version of the headers in use.
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) {
    image.failure = PngFailure::kUndecodable;
    return false;
  }
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    image.failure = PngFailure::kUndecodable;
    return false;
  }
  // The library's default error handler jumps back here. Only plain pointers
  // set before this point are alive across the jump, so nothing is skipped.
  // `refused` is volatile: it is written between setjmp and the jump.
  volatile bool refused = false;
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    image.failure = refused ? PngFailure::kRefusedSize : PngFailure::kUndecodable;
    return false;
  }
  if (file) {
    png_init_io(png, file);
  } else {
    png_set_read_fn(png, memory, ReadFromMemory);
  }
  // Reading the chunks up to the image data allocates nothing for the pixels.
  png_read_info(png, info);
  const uint32_t headerWidth = png_get_image_width(png, info);
  const uint32_t headerHeight = png_get_image_height(png, info);
  if (headerWidth > maxWidth || headerHeight > maxHeight ||
      (sizeGiven && (headerWidth != expectedWidth || headerHeight != expectedHeight))) {
    refused = true;
    png_error(png, "unexpected image size");
  }
  // The rest of what png_read_png does with the expand transformation alone:
  // rows of the size the transformation gives, the image, the end of the file.
  png_set_expand(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  const size_t rowBytes = png_get_rowbytes(png, info);
  png_bytepp rows = static_cast<png_bytepp>(png_calloc(png, sizeof(png_bytep) * headerHeight));
  png_set_rows(png, info, rows);
  // The info structure owns the rows from here, so an error frees them with it.
  png_data_freer(png, info, PNG_DESTROY_WILL_FREE_DATA, PNG_FREE_ROWS);
  for (uint32_t y = 0; y < headerHeight; ++y) rows[y] = static_cast<png_bytep>(png_malloc(png, rowBytes));
  png_read_image(png, rows);
  png_read_end(png, info);

  const uint32_t width = png_get_image_width(png, info);
  const uint32_t height = png_get_image_height(png, info);
  const int colorType = png_get_color_type(png, info);
  const int bitDepth = png_get_bit_depth(png, info);

  // Expand leaves 16-bit channels as they are; the art is 8 bits per channel.
  const bool converted = bitDepth == 8 && ConvertRows(rows, width, height, colorType, image.pixels);

  png_destroy_read_struct(&png, &info, nullptr);
  if (!converted) {
    image.pixels.clear();
    image.failure = PngFailure::kUndecodable;
    return false;
  }
  image.width = width;
  image.height = height;
  image.loaded = true;
  return true;
}

void Reset(PngImage& image) {
  image.width = 0;
  image.height = 0;
  image.pixels.clear();
  image.loaded = false;
  image.failure = PngFailure::kNone;
}

}  // namespace

bool DecodePng(const std::string& path, PngImage& image, uint32_t expectedWidth, uint32_t expectedHeight) {
  Reset(image);
  if (!IsPngFile(path)) {
    image.failure = PngFailure::kNotPng;
    return false;
  }
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) {
    image.failure = PngFailure::kNotPng;
    return false;
  }
  const bool decoded = DecodeFrom(file, nullptr, image, expectedWidth, expectedHeight);
  std::fclose(file);
  return decoded;
}

bool DecodePngData(const uint8_t* data, size_t size, PngImage& image, uint32_t expectedWidth,
                   uint32_t expectedHeight) {
  Reset(image);
  if (!data || size < kSignatureBytes || png_sig_cmp(data, 0, kSignatureBytes) != 0) {
    image.failure = PngFailure::kNotPng;
    return false;
  }
  MemorySource source{data, size, 0};
  return DecodeFrom(nullptr, &source, image, expectedWidth, expectedHeight);
}

bool ReadPngFile(const std::string& path, std::vector<uint8_t>& bytes) {
  bytes.clear();
  if (!IsPngFile(path)) return false;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  bool ok = true;
  try {
    uint8_t buffer[65536];
    for (;;) {
      const size_t read = std::fread(buffer, 1, sizeof buffer, file);
      bytes.insert(bytes.end(), buffer, buffer + read);
      if (read < sizeof buffer) {
        ok = !std::ferror(file);
        break;
      }
    }
  } catch (const std::bad_alloc&) {
    ok = false;
  }
  std::fclose(file);
  if (!ok) bytes.clear();
  return ok;
}

}  // namespace velmora
