#include "board.h"

#include <cstring>

namespace velmora {

void Board::Clear() { std::memset(static_cast<void*>(tiles_), 0, sizeof(tiles_)); }

void Board::ExportTiles(Tile* destination) const {
  std::memcpy(static_cast<void*>(destination), tiles_, sizeof(tiles_));
}

void Board::ImportTiles(const Tile* source) { std::memcpy(static_cast<void*>(tiles_), source, sizeof(tiles_)); }

bool Board::RowHasPlacedType(int row, int type) const {
  for (int c = 0; c < kBoardSize; ++c) {
    const Tile& t = At(row, c);
    if (!t.unplaced && t.type == type) return true;
  }
  return false;
}

bool Board::ColumnHasPlacedType(int column, int type) const {
  for (int r = 0; r < kBoardSize; ++r) {
    const Tile& t = At(r, column);
    if (!t.unplaced && t.type == type) return true;
  }
  return false;
}

// The first tile of the type in the line decides; none means false.
bool Board::TypeHiddenStateInRow(int type, bool hiddenValue, int row) const {
  for (int c = 0; c < kBoardSize; ++c) {
    const Tile& t = At(row, c);
    if (t.type == type) return (t.hidden != 0) == hiddenValue;
  }
  return false;
}

bool Board::TypeHiddenStateInColumn(int type, bool hiddenValue, int column) const {
  for (int r = 0; r < kBoardSize; ++r) {
    const Tile& t = At(r, column);
    if (t.type == type) return (t.hidden != 0) == hiddenValue;
  }
  return false;
}

// Within each block row the first tile of the type decides for that block row;
// a flag that does not match moves the scan on to the next block row.
bool Board::TypeHiddenStateInBlock(int type, bool hiddenValue, int blockRow, int blockColumn) const {
  for (int r = blockRow * 3; r < blockRow * 3 + 3; ++r) {
    for (int c = blockColumn * 3; c < blockColumn * 3 + 3; ++c) {
      const Tile& t = At(r, c);
      if (t.type != type) continue;
      if ((t.hidden != 0) == hiddenValue) return true;
      break;
    }
  }
  return false;
}

bool Board::PlayedTypeHiddenStateInRow(int type, bool hiddenValue, int row) const {
  for (int c = 0; c < kBoardSize; ++c) {
    const Tile& t = At(row, c);
    if (t.playedType == type) return (t.hidden != 0) == hiddenValue;
  }
  return false;
}

bool Board::PlayedTypeHiddenStateInColumn(int type, bool hiddenValue, int column) const {
  for (int r = 0; r < kBoardSize; ++r) {
    const Tile& t = At(r, column);
    if (t.playedType == type) return (t.hidden != 0) == hiddenValue;
  }
  return false;
}

bool Board::IsCandidate(int type, int row, int column) const {
  return !TypeHiddenStateInBlock(type, false, row / 3, column / 3) && !TypeHiddenStateInRow(type, false, row) &&
         !TypeHiddenStateInColumn(type, false, column);
}

int Board::HiddenCountOfType(int type) const {
  int count = 0;
  for (const Tile& t : tiles_) count += (t.type == type && t.hidden) ? 1 : 0;
  return count;
}

int Board::ShownCountOfType(int type) const {
  int count = 0;
  for (const Tile& t : tiles_) {
    if (t.hidden) continue;
    const int shown = t.given ? t.type : t.playedType;
    count += shown == type ? 1 : 0;
  }
  return count;
}

int Board::VisibleCountInBlock(int blockRow, int blockColumn) const {
  int count = 0;
  for (int r = blockRow * 3; r < blockRow * 3 + 3; ++r)
    for (int c = blockColumn * 3; c < blockColumn * 3 + 3; ++c) count += At(r, c).hidden ? 0 : 1;
  return count;
}

int Board::VisibleCountInRow(int row) const {
  int count = 0;
  for (int c = 0; c < kBoardSize; ++c) count += At(row, c).hidden ? 0 : 1;
  return count;
}

int Board::VisibleCountInColumn(int column) const {
  int count = 0;
  for (int r = 0; r < kBoardSize; ++r) count += At(r, column).hidden ? 0 : 1;
  return count;
}

int Board::VisibleTotal() const {
  int total = 0;
  for (int type = 0; type < kTypeCount; ++type) total += kBoardSize - HiddenCountOfType(type);
  return total;
}

bool Board::AllFound(bool strict, bool ignoreMistakes) const {
  for (const Tile& t : tiles_) {
    if (t.hidden) return false;
    if (strict && ignoreMistakes && !t.given && t.playedType != t.type) return false;
  }
  return true;
}

bool Board::IsValidSolution() const {
  for (const Tile& t : tiles_)
    if (t.unplaced) return false;

  for (int r = 0; r < kBoardSize; ++r) {
    for (int c = 0; c < kBoardSize; ++c) {
      const int type = At(r, c).type;
      if (type == -1) return false;
      for (int other = 0; other < kBoardSize; ++other) {
        if (other != r && At(other, c).type == type) return false;
        if (other != c && At(r, other).type == type) return false;
      }
    }
  }

  for (int br = 0; br < 3; ++br) {
    for (int bc = 0; bc < 3; ++bc) {
      for (int type = 0; type < kTypeCount; ++type) {
        int count = 0;
        for (int r = br * 3; r < br * 3 + 3; ++r)
          for (int c = bc * 3; c < bc * 3 + 3; ++c) count += At(r, c).type == type ? 1 : 0;
        if (count != 1) return false;
      }
    }
  }

  int perType[kTypeCount] = {};
  for (const Tile& t : tiles_) {
    if (static_cast<uint32_t>(t.type) >= static_cast<uint32_t>(kTypeCount)) return false;
    ++perType[t.type];
  }
  for (int count : perType)
    if (count != kBoardSize) return false;
  return true;
}

}  // namespace velmora
