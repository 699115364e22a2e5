#include "png_image.h"

#include <png.h>
#include <zlib.h>

#include <csetjmp>
#include <cstring>
#include <new>
#include <vector>

#include "regular_file.h"

namespace velmora {
namespace {

constexpr size_t kSignatureBytes = 8;

// Turns the rows libpng produced into blue, green, red, alpha bytes. Calls no
// libpng function that can raise an error, so it runs outside the setjmp scope.
bool ConvertRows(const png_bytep* rows, uint32_t width, uint32_t height, int colorType, std::vector<uint8_t>& out) {
  switch (colorType) {
    case PNG_COLOR_TYPE_GRAY:
    case PNG_COLOR_TYPE_RGB:
    case PNG_COLOR_TYPE_GRAY_ALPHA:
    case PNG_COLOR_TYPE_RGB_ALPHA: break;
    default: return false;
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

uint32_t Be32(const uint8_t* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | uint32_t{p[3]};
}

// The bytes of a file held in memory, handed to libpng as it asks for them,
// until the picture's rows are all read: libpng would then go on inflating
// whatever compressed data follows them to the end of its stream (a gigabyte
// of zeros fits in a megabyte), so the reading stops there and the rest of
// the file is only checked for being whole (ChunksToEndAreWhole).
struct MemorySource {
  const uint8_t* data;
  size_t size;
  size_t offset;
  uint32_t height;  // once known; 0 before
  bool rowsRead;
  std::string* messages;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length) {
  auto* source = static_cast<MemorySource*>(png_get_io_ptr(png));
  // Past the last row of the last pass (png_read_finish_row).
  if (source->height != 0 &&
      (png_get_current_pass_number(png) > 6 || png_get_current_row_number(png) >= source->height)) {
    source->rowsRead = true;
    png_error(png, "the rows are read");
  }
  if (length > source->size - source->offset) png_error(png, "read past the end of the data");
  std::memcpy(out, source->data + source->offset, length);
  source->offset += length;
}

bool IsChunk(const uint8_t* type, const char* name) { return std::memcmp(type, name, 4) == 0; }

// What libpng would have checked of the file after the rows: every chunk from
// the one it was reading to IEND is whole, and each critical one's CRC is
// right (ancillary ones are only warned about), with no critical chunk there
// but more image data, a palette or the end. Nothing is inflated.
bool ChunksToEndAreWhole(const uint8_t* data, size_t size, size_t offset) {
  constexpr size_t kFraming = 12;  // length, type, CRC
  for (size_t at = kSignatureBytes; size - at >= kFraming;) {
    const uint32_t length = Be32(data + at);
    if (length > size - at - kFraming) return false;
    const size_t end = at + kFraming + length;
    const uint8_t* type = data + at + 4;
    if (end > offset) {  // a chunk libpng has not finished with
      const bool critical = (type[0] & 0x20) == 0;
      if (critical && crc32(0, type, 4 + length) != Be32(data + end - 4)) return false;
      if (IsChunk(type, "IEND")) return true;
      if (critical && !IsChunk(type, "IDAT") && !IsChunk(type, "PLTE")) return false;
    }
    at = end;
  }
  return false;
}

// libpng's reports, kept for the game's log. Nothing may throw through libpng.
void Note(png_structp png, const char* kind, png_const_charp message) noexcept {
  const auto* source = static_cast<const MemorySource*>(png_get_io_ptr(png));
  if (!source || !source->messages) return;
  try {
    if (!source->messages->empty()) *source->messages += '\n';
    *source->messages += std::string(kind) + message;
  } catch (const std::bad_alloc&) {
  }
}

// The stop once the rows are read is no error.
void OnPngError(png_structp png, png_const_charp message) {
  const auto* source = static_cast<const MemorySource*>(png_get_io_ptr(png));
  if (!source || !source->rowsRead) Note(png, "libpng error: ", message);
  png_longjmp(png, 1);
}

void OnPngWarning(png_structp png, png_const_charp message) { Note(png, "libpng warning: ", message); }

// The longest ancillary chunk read; the pixels' own chunks (IDAT) may be as
// long as the picture needs.
constexpr png_alloc_size_t kMaxChunkBytes = 1024 * 1024;

// Turns the rows libpng has read into the image, and lets go of libpng.
bool TakeRows(png_structp png, png_infop info, PngImage& image) {
  const uint32_t width = png_get_image_width(png, info);
  const uint32_t height = png_get_image_height(png, info);
  const int colorType = png_get_color_type(png, info);
  const int bitDepth = png_get_bit_depth(png, info);
  // Expand leaves 16-bit channels as they are; the art is 8 bits per channel.
  const bool converted = bitDepth == 8 && ConvertRows(png_get_rows(png, info), width, height, colorType, image.pixels);
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

// A picture of at most maxWidth x maxHeight, or of exactly that size.
bool DecodeFrom(MemorySource* source, PngImage& image, uint32_t maxWidth, uint32_t maxHeight, bool exact) {
  // The library checks that the caller was built against a compatible
  // release, so it is handed the version of the headers in use.
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
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
  // The error handler jumps back here. Only plain pointers
  // set before this point are alive across the jump, so nothing is skipped.
  // `refused` is volatile: it is written between setjmp and the jump. The
  // reading always ends here, at the latest once the rows are read.
  volatile bool refused = false;
  if (setjmp(png_jmpbuf(png))) {
    if (source->rowsRead && ChunksToEndAreWhole(source->data, source->size, source->offset))
      return TakeRows(png, info, image);
    png_destroy_read_struct(&png, &info, nullptr);
    image.failure = refused ? PngFailure::kRefusedSize : PngFailure::kUndecodable;
    return false;
  }
  png_set_read_fn(png, source, ReadFromMemory);
  // Only IHDR, PLTE, tRNS, IDAT and IEND make the pixels of the expand
  // transformation. Every other chunk is skipped as it is read: a few hundred
  // kilobytes of compressed text would otherwise cost gigabytes to inflate.
  png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
  png_set_chunk_malloc_max(png, kMaxChunkBytes);
  // Reading the chunks up to the image data allocates nothing for the pixels.
  png_read_info(png, info);
  const uint32_t headerWidth = png_get_image_width(png, info);
  const uint32_t headerHeight = png_get_image_height(png, info);
  if (headerWidth > maxWidth || headerHeight > maxHeight ||
      (exact && (headerWidth != maxWidth || headerHeight != maxHeight))) {
    refused = true;
    png_error(png, "unexpected image size");
  }
  // The rest of what png_read_png does with the expand transformation alone:
  // rows of the size the transformation gives, then the image.
  png_set_expand(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  const size_t rowBytes = png_get_rowbytes(png, info);
  png_bytepp rows = static_cast<png_bytepp>(png_calloc(png, sizeof(png_bytep) * headerHeight));
  png_set_rows(png, info, rows);
  // The info structure owns the rows from here, so an error frees them with it.
  png_data_freer(png, info, PNG_DESTROY_WILL_FREE_DATA, PNG_FREE_ROWS);
  for (uint32_t y = 0; y < headerHeight; ++y) rows[y] = static_cast<png_bytep>(png_malloc(png, rowBytes));
  source->height = headerHeight;
  png_read_image(png, rows);
  // libpng reads on after the last row (to the end of its chunk at least),
  // which the read function stops: this is not reached.
  png_error(png, "the rows were not all read");
}

void Reset(PngImage& image) {
  image.width = 0;
  image.height = 0;
  image.pixels.clear();
  image.loaded = false;
  image.failure = PngFailure::kNone;
  image.libpngMessages.clear();
}

bool DecodeBytes(const uint8_t* data, size_t size, PngImage& image, uint32_t maxWidth, uint32_t maxHeight, bool exact) {
  Reset(image);
  if (!data || size < kSignatureBytes || png_sig_cmp(data, 0, kSignatureBytes) != 0) {
    image.failure = PngFailure::kNotPng;
    return false;
  }
  MemorySource source{data, size, 0, 0, false, &image.libpngMessages};
  return DecodeFrom(&source, image, maxWidth, maxHeight, exact);
}

}  // namespace

bool DecodePngData(const uint8_t* data, size_t size, PngImage& image, uint32_t expectedWidth, uint32_t expectedHeight) {
  if (expectedWidth == 0 || expectedHeight == 0) return DecodeBytes(data, size, image, kMaxPngSide, kMaxPngSide, false);
  return DecodeBytes(data, size, image, expectedWidth, expectedHeight, true);
}

bool DecodePngDataWithin(const uint8_t* data, size_t size, PngImage& image, uint32_t maxWidth, uint32_t maxHeight) {
  return DecodeBytes(data, size, image, maxWidth, maxHeight, false);
}

bool ReadPngFile(const std::string& path, std::vector<uint8_t>& bytes, uint64_t maxBytes) {
  bytes.clear();
  RegularFile file(path);
  if (!file.IsOpen() || file.Size() > maxBytes || file.Size() < kSignatureBytes) return false;
  // The size is known before a byte is read: nothing is spent on a file too
  // long to be a picture. One byte more than it had is asked for, to tell a
  // file that grew since.
  try {
    bytes.resize(static_cast<size_t>(file.Size()) + 1);
  } catch (const std::bad_alloc&) {
    bytes.clear();
    return false;
  }
  const ssize_t read = file.Read(bytes.data(), bytes.size());
  if (read != static_cast<ssize_t>(file.Size()) || png_sig_cmp(bytes.data(), 0, kSignatureBytes) != 0) {
    bytes.clear();
    return false;
  }
  bytes.resize(static_cast<size_t>(read));
  return true;
}

}  // namespace velmora
