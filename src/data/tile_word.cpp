#include "tile_word.h"

#include <bit>

#include "engine_constants.h"

namespace velmora {

namespace {

uint32_t TypeBit(int32_t type) { return (type >= 0 && type < kTypeCount) ? (1u << type) : 0u; }

// The lowest set bit of a nine-bit group; 0 when none is set.
int LowestType(uint32_t nineBits) { return nineBits == 0 ? 0 : std::countr_zero(nineBits); }

}  // namespace

uint32_t BuildTileWord(const Tile& tile, bool ignoreMistakes) {
  uint32_t word = TypeBit(tile.type) << kTileWordTypeShift;
  if (ignoreMistakes) word |= TypeBit(tile.playedType) << kTileWordPlayedShift;
  word |= (tile.noteMask & kTileWordNineBits) << kTileWordNoteShift;
  if (tile.given) word |= kTileWordGivenBit;
  if (tile.hidden) word |= kTileWordHiddenBit;
  return word;
}

bool IsValidTileWord(uint32_t word, bool ignoreMistakes) {
  const uint32_t types = (word >> kTileWordTypeShift) & kTileWordNineBits;
  const uint32_t played = (word >> kTileWordPlayedShift) & kTileWordNineBits;
  const uint32_t notes = (word >> kTileWordNoteShift) & kTileWordNineBits;
  if (std::popcount(types) != 1) return false;
  if (std::popcount(played) > (ignoreMistakes ? 1 : 0)) return false;
  if ((word & kTileWordGivenBit) && (word & kTileWordHiddenBit)) return false;
  if (!(word & kTileWordHiddenBit) && notes != 0) return false;
  // The program never writes these; a word that has them was not written by it.
  if (word & kTileWordUnusedBits) return false;
  return true;
}

void ApplyTileWord(uint32_t word, bool ignoreMistakes, Tile& tile) {
  tile.given = (word & kTileWordGivenBit) ? 1 : 0;
  tile.hidden = (word & kTileWordHiddenBit) ? 1 : 0;
  tile.type = LowestType((word >> kTileWordTypeShift) & kTileWordNineBits);
  tile.noteMask |= (word >> kTileWordNoteShift) & kTileWordNineBits;
  if (ignoreMistakes) tile.playedType = LowestType((word >> kTileWordPlayedShift) & kTileWordNineBits);
}

}  // namespace velmora
