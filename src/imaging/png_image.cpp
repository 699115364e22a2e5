#include "png_image.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <new>

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

}  // namespace

uint64_t MaxPngFileSize(uint32_t width, uint32_t height) {
  if (width == 0 || height == 0) width = height = kMaxPngSide;
  constexpr uint64_t kRoomForChunks = 64 * 1024;
  return 2 * static_cast<uint64_t>(height) * (static_cast<uint64_t>(width) * 4 + 1) + kRoomForChunks;
}

namespace {

bool HasSignature(RegularFile& file) {
  png_byte signature[kSignatureBytes];
  return file.Read(signature, kSignatureBytes) == static_cast<ssize_t>(kSignatureBytes) &&
         png_sig_cmp(signature, 0, kSignatureBytes) == 0;
}

}  // namespace

bool IsPngFile(const std::string& path) {
  RegularFile file(path);
  return file.IsOpen() && HasSignature(file);
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

// A file handed to libpng as it asks for its bytes, never more than the file
// held when it was opened: a file that grows meanwhile is not followed.
struct FileSource {
  RegularFile* file;
  uint64_t left;
};

void ReadFromFile(png_structp png, png_bytep out, png_size_t length) {
  auto* source = static_cast<FileSource*>(png_get_io_ptr(png));
  if (length > source->left || source->file->Read(out, length) != static_cast<ssize_t>(length))
    png_error(png, "read past the end of the file");
  source->left -= length;
}

// The longest ancillary chunk read; the pixels' own chunks (IDAT) may be as
// long as the picture needs.
constexpr png_alloc_size_t kMaxChunkBytes = 1024 * 1024;

// Decodes from a stream libpng reads either from `file` or from `memory`.
bool DecodeFrom(FileSource* file, MemorySource* memory, PngImage& image, uint32_t expectedWidth,
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
    png_set_read_fn(png, file, ReadFromFile);
  } else {
    png_set_read_fn(png, memory, ReadFromMemory);
  }
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
  RegularFile file(path);
  if (!file.IsOpen() || !HasSignature(file) || !file.Rewind()) {
    image.failure = PngFailure::kNotPng;
    return false;
  }
  if (file.Size() > MaxPngFileSize(expectedWidth, expectedHeight)) {
    image.failure = PngFailure::kRefusedSize;
    return false;
  }
  FileSource source{&file, file.Size()};
  return DecodeFrom(&source, nullptr, image, expectedWidth, expectedHeight);
}

bool DecodePngData(const uint8_t* data, size_t size, PngImage& image, uint32_t expectedWidth, uint32_t expectedHeight) {
  Reset(image);
  if (!data || size < kSignatureBytes || png_sig_cmp(data, 0, kSignatureBytes) != 0) {
    image.failure = PngFailure::kNotPng;
    return false;
  }
  MemorySource source{data, size, 0};
  return DecodeFrom(nullptr, &source, image, expectedWidth, expectedHeight);
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
