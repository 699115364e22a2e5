#pragma once
// The game bitmap table: every picture the game draws, addressed by index
// 0..188 or by bitmap id 131..319. Entries are Format_ARGB32 (blue, green, red,
// alpha bytes); an entry whose load failed is a null image.
#include <QImage>

#include <array>

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

  // Set by LoadGameArt only when every entry loaded.
  bool ArtLoaded() const { return artLoaded_; }
  void SetArtLoaded(bool loaded) { artLoaded_ = loaded; }

  void Clear();

 private:
  std::array<GameBitmap, imaging::kGameBitmapCount> entries_;
  std::array<GameBitmap, imaging::kGameBitmapCount> sharpEntries_;
  bool artLoaded_ = false;
};

}  // namespace velmora
