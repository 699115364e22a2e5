#pragma once
// The 9 x 9 grid of one puzzle: the full solution, what is hidden, what the
// player has played and noted, and every rule check the game asks of a grid.
#include <cstdint>

#include "engine_constants.h"

namespace velmora {

// One cell. A cleared tile is all zeros, so its type reads as 0.
struct Tile {
  uint8_t unplaced = 0;    // working flag of the solution fill
  uint8_t given = 0;       // the tile shows its own type
  uint8_t hidden = 0;      // not found yet
  uint8_t cursor = 0;      // the Cursor Tile
  uint32_t noteMask = 0;   // bit t: the player noted type t
  int32_t type = 0;        // solution type 0..8 (-1 counts as no type)
  int32_t playedType = 0;  // what the player played into a tile that is not given
};

// Tiles are stored row by row; positions are always (row, column).
// Indexes are not checked: callers pass 0..8 (0..2 for blocks, 0..8 for types).
class Board {
 public:
  Board() { Clear(); }

  void Clear();
  void ExportTiles(Tile* destination) const;
  void ImportTiles(const Tile* source);

  const Tile& At(int row, int column) const { return tiles_[row * kBoardSize + column]; }
  Tile& At(int row, int column) { return tiles_[row * kBoardSize + column]; }
  const Tile* Tiles() const { return tiles_; }

  bool IsGiven(int row, int column) const { return At(row, column).given != 0; }
  void SetGiven(int row, int column, bool value) { At(row, column).given = value ? 1 : 0; }
  bool IsHidden(int row, int column) const { return At(row, column).hidden != 0; }
  void SetHidden(int row, int column, bool value) { At(row, column).hidden = value ? 1 : 0; }
  bool IsCursor(int row, int column) const { return At(row, column).cursor != 0; }
  void SetCursor(int row, int column, bool value) { At(row, column).cursor = value ? 1 : 0; }
  uint32_t NoteMask(int row, int column) const { return At(row, column).noteMask; }
  void SetNoteMask(int row, int column, uint32_t mask) { At(row, column).noteMask = mask; }
  int HasNote(int row, int column, int type) const { return (NoteMask(row, column) >> type) & 1u; }
  void ToggleNote(int row, int column, int type) { At(row, column).noteMask ^= 1u << type; }
  int TypeAt(int row, int column) const { return At(row, column).type; }
  void PlaceType(int row, int column, int type) {
    Tile& t = At(row, column);
    t.type = type;
    t.unplaced = 0;
  }
  int PlayedTypeAt(int row, int column) const { return At(row, column).playedType; }
  void SetPlayedType(int row, int column, int type) { At(row, column).playedType = type; }
  bool IsOccupied(int row, int column) const { return At(row, column).unplaced == 0; }

  bool RowHasPlacedType(int row, int type) const;
  bool ColumnHasPlacedType(int column, int type) const;
  bool TypeHiddenStateInRow(int type, bool hiddenValue, int row) const;
  bool TypeHiddenStateInColumn(int type, bool hiddenValue, int column) const;
  bool TypeHiddenStateInBlock(int type, bool hiddenValue, int blockRow, int blockColumn) const;
  bool PlayedTypeHiddenStateInRow(int type, bool hiddenValue, int row) const;
  bool PlayedTypeHiddenStateInColumn(int type, bool hiddenValue, int column) const;
  bool IsCandidate(int type, int row, int column) const;

  int HiddenCountOfType(int type) const;
  int ShownCountOfType(int type) const;
  int VisibleCountInBlock(int blockRow, int blockColumn) const;
  int VisibleCountInRow(int row) const;
  int VisibleCountInColumn(int column) const;
  int VisibleTotal() const;

  bool AllFound(bool strict, bool ignoreMistakes) const;
  bool IsValidSolution() const;

 private:
  Tile tiles_[kTileCount];
};

}  // namespace velmora
