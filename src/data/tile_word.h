#pragma once
// One tile of a saved game packed into one word:
//   bits 0..8    the solution type (exactly one bit)
//   bits 9..17   the played type, kept only when mistakes are ignored (at most one bit)
//   bits 18..26  the noted types; only a hidden tile carries notes
//   bit 27       given
//   bit 28       hidden (not found yet); never together with given
//   bits 29..31  zero
#include <cstdint>

#include "board.h"

namespace velmora {

inline constexpr uint32_t kTileWordTypeShift = 0;
inline constexpr uint32_t kTileWordPlayedShift = 9;
inline constexpr uint32_t kTileWordNoteShift = 18;
inline constexpr uint32_t kTileWordGivenBit = 1u << 27;
inline constexpr uint32_t kTileWordHiddenBit = 1u << 28;
inline constexpr uint32_t kTileWordNineBits = 0x1FFu;
inline constexpr uint32_t kTileWordUnusedBits = 0xE0000000u;

// The word for a tile; a solution or played type outside 0..8 sets no bit (and
// leaves a word that IsValidTileWord refuses when it is the solution type).
uint32_t BuildTileWord(const Tile& tile, bool ignoreMistakes);

bool IsValidTileWord(uint32_t word, bool ignoreMistakes);

// Puts a valid word back on a tile: given and hidden flags, the solution type,
// the notes and, when mistakes are ignored, the played type. The tile's other
// fields are left as they were.
void ApplyTileWord(uint32_t word, bool ignoreMistakes, Tile& tile);

}  // namespace velmora
