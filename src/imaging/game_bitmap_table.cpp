#include "game_bitmap_table.h"

namespace velmora {

void GameBitmapTable::Clear() {
  for (GameBitmap& entry : entries_) entry = GameBitmap();
  for (GameBitmap& entry : sharpEntries_) entry = GameBitmap();
  artLoaded_ = false;
}

}  // namespace velmora
