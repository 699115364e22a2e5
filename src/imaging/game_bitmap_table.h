#pragma once
// The game bitmap table: every picture the game draws, addressed by index
// 0..188 or by bitmap id 131..319. Entries are Format_ARGB32 (blue, green, red,
// alpha bytes); an entry whose load failed is a null image.
#include <QImage>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "imaging_constants.h"

namespace velmora {

using GameBitmap = QImage;

class GameBitmapTable {
 public:
  static constexpr int Size() { return imaging::kGameBitmapCount; }
  static constexpr bool IsValidIndex(int index) { return index >= 0 && index < imaging::kGameBitmapCount; }
  static constexpr int IdOf(int index) { return imaging::kFirstBitmapId + index; }
  static constexpr int IndexOf(int bitmapId) { return bitmapId - imaging::kFirstBitmapId; }

  // Index must be valid.
  GameBitmap& Entry(int index) { return entries_[static_cast<size_t>(index)]; }
  const GameBitmap& Entry(int index) const { return entries_[static_cast<size_t>(index)]; }
  GameBitmap& ById(int bitmapId) { return Entry(IndexOf(bitmapId)); }
  const GameBitmap& ById(int bitmapId) const { return Entry(IndexOf(bitmapId)); }

  // The same picture drawn at twice the size (device pixel ratio 2), for
  // screens scaled above 1; a null image when the large set is not loaded.
  GameBitmap& SharpEntry(int index) { return sharpEntries_[static_cast<size_t>(index)]; }
  const GameBitmap& SharpEntry(int index) const { return sharpEntries_[static_cast<size_t>(index)]; }
  const GameBitmap& SharpById(int bitmapId) const { return SharpEntry(IndexOf(bitmapId)); }

  // The picture of entry `index` to draw: the entry itself, or for an entry
  // kept as a PNG file or its bytes, a picture decoded from them now (the
  // table keeps no pixels for it). A null image when there is none.
  GameBitmap Picture(int index) const;
  // Keeps entry `index` as the bytes of a PNG file known to decode to a picture
  // of the given size, or as the file itself; the entry itself stays empty.
  void KeepPngData(int index, std::vector<uint8_t> bytes, uint32_t width, uint32_t height);
  void KeepPngFile(int index, std::string path, uint32_t width, uint32_t height);

  // Set by LoadGameArt only when every entry loaded.
  bool ArtLoaded() const { return artLoaded_; }
  void SetArtLoaded(bool loaded) { artLoaded_ = loaded; }

 private:
  std::array<GameBitmap, imaging::kGameBitmapCount> entries_;
  std::array<GameBitmap, imaging::kGameBitmapCount> sharpEntries_;
  struct KeptPng {
    std::vector<uint8_t> bytes;
    std::string path;
    uint32_t width = 0;
    uint32_t height = 0;
  };
  std::array<KeptPng, imaging::kGameBitmapCount> kept_;
  bool artLoaded_ = false;
};

struct PngImage;
// A decoded PNG as a Format_ARGB32 picture that takes over the decoded pixels
// (no copy); a null image when `png` holds none.
QImage ImageFromPng(PngImage& png);

}  // namespace velmora
