#pragma once
// The PNG art decoder: libpng, 8 bits per channel, pixels as blue, green, red, alpha bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

// The largest picture the reader takes when the caller names no size.
inline constexpr uint32_t kMaxPngSide = 4096;

// Why a decode failed.
enum class PngFailure {
  kNone,
  kNotPng,       // no PNG signature
  kRefusedSize,  // the header's size is not the one asked for (or above kMaxPngSide);
                 // refused before any pixel memory was allocated
  kUndecodable,  // libpng rejected the file, or a 16-bit or otherwise unsupported image
};

struct PngImage {
  uint32_t width = 0;
  uint32_t height = 0;
  // width * height * 4 bytes, rows top to bottom, each pixel blue, green, red, alpha.
  std::vector<uint8_t> pixels;
  bool loaded = false;
  PngFailure failure = PngFailure::kNone;
  // What libpng said while decoding, one "libpng error: ..." or "libpng
  // warning: ..." per line, for the game's log; it writes nothing itself.
  std::string libpngMessages;
};

// The longest PNG file taken for a picture of width x height (kMaxPngSide on
// both sides when either is 0): twice its raw rows and some room for the
// chunks, more than any writer's compression or chunk layout needs. A longer
// file is refused unread, so no file makes the reader spend more time or
// memory than the picture itself calls for.
constexpr uint64_t MaxPngFileSize(uint32_t width, uint32_t height) {
  if (width == 0 || height == 0) width = height = kMaxPngSide;
  constexpr uint64_t kRoomForChunks = 64 * 1024;
  return 2 * static_cast<uint64_t>(height) * (static_cast<uint64_t>(width) * 4 + 1) + kRoomForChunks;
}

// Decodes the bytes of a PNG file (read with ReadPngFile) with libpng's
// expand transformation only. Gray and RGB pixels get alpha 0, gray + alpha
// and RGB + alpha keep theirs; 16-bit images and anything libpng rejects fail,
// leaving the image empty and unloaded. The size in the file's header is
// checked before anything is allocated for the pixels: with expectedWidth and
// expectedHeight both non-zero it must be exactly that, otherwise neither side
// may exceed kMaxPngSide. Only the chunks that make the pixels are read (IHDR,
// PLTE, tRNS, IDAT, IEND); text, profiles and every other ancillary chunk are
// passed over unread, so their size costs nothing. The reading stops once the
// picture's rows are read: whatever compressed data follows them is never
// inflated, and the rest of the file is only checked to be whole (every chunk
// to IEND, each critical one with its right CRC).
[[nodiscard]] bool DecodePngData(const uint8_t* data, size_t size, PngImage& image, uint32_t expectedWidth = 0,
                                 uint32_t expectedHeight = 0);
// The same, taking a picture of any size up to maxWidth x maxHeight.
[[nodiscard]] bool DecodePngDataWithin(const uint8_t* data, size_t size, PngImage& image, uint32_t maxWidth,
                                       uint32_t maxHeight);

// Reads a whole regular file that starts with the PNG signature and holds at
// most maxBytes bytes; false (and no bytes) when it cannot be opened or read,
// is not a regular file, is longer, or has no signature.
[[nodiscard]] bool ReadPngFile(const std::string& path, std::vector<uint8_t>& bytes, uint64_t maxBytes);

}  // namespace velmora
