#include "game_bitmap_table.h"

#include <limits>
#include <new>
#include <utility>

#include "png_image.h"

namespace velmora {

static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "decoded pixels are used byte for byte as Format_ARGB32 images");

GameBitmap GameBitmapTable::Picture(int index) const {
  const GameBitmap& entry = Entry(index);
  const KeptPng& kept = kept_[static_cast<size_t>(index)];
  if (!entry.isNull() || (kept.bytes.empty() && kept.path.empty())) return entry;
  PngImage png;
  const bool decoded = kept.bytes.empty()
                           ? DecodePng(kept.path, png, kept.width, kept.height)
                           : DecodePngData(kept.bytes.data(), kept.bytes.size(), png, kept.width, kept.height);
  return decoded ? ImageFromPng(png) : GameBitmap();
}

void GameBitmapTable::KeepPngData(int index, std::vector<uint8_t> bytes, uint32_t width, uint32_t height) {
  KeptPng& kept = kept_[static_cast<size_t>(index)];
  kept = KeptPng();
  kept.bytes = std::move(bytes);
  kept.width = width;
  kept.height = height;
}

void GameBitmapTable::KeepPngFile(int index, std::string path, uint32_t width, uint32_t height) {
  KeptPng& kept = kept_[static_cast<size_t>(index)];
  kept = KeptPng();
  kept.path = std::move(path);
  kept.width = width;
  kept.height = height;
}

QImage ImageFromPng(PngImage& png) {
  constexpr uint32_t kMaxSide = static_cast<uint32_t>(std::numeric_limits<int>::max() / 4);
  if (!png.loaded || png.width == 0 || png.height == 0 || png.width > kMaxSide || png.height > kMaxSide)
    return QImage();
  // Rows of width x 4 bytes are what Format_ARGB32 wants; the buffer is freed
  // with the image's last copy.
  auto* pixels = new (std::nothrow) std::vector<uint8_t>(std::move(png.pixels));
  if (!pixels) return QImage();
  const int width = static_cast<int>(png.width);
  QImage image(
      pixels->data(), width, static_cast<int>(png.height), static_cast<qsizetype>(width) * 4, QImage::Format_ARGB32,
      [](void* buffer) { delete static_cast<std::vector<uint8_t>*>(buffer); }, pixels);
  if (image.isNull()) delete pixels;
  return image;
}

}  // namespace velmora
