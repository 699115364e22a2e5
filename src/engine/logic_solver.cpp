#include "logic_solver.h"

#include <bit>

namespace velmora {
namespace {

constexpr unsigned kAllTypes = 0x1FFu;

// The board as masks of visible types per row, column and block, with the
// hidden positions of every block. Valid only for a board that carries a
// complete, rule-valid solution.
struct SinglesState {
  uint16_t row[9] = {};
  uint16_t column[9] = {};
  uint16_t block[9] = {};
  uint16_t hiddenInBlock[9] = {};  // bit p: position p (row-major) of the block is hidden
  uint8_t positionOfType[9][9] = {};  // block, type -> position in the block
  int hiddenCount = 0;

  // False when the board does not hold each type once per row, column and block.
  bool Load(const Tile* tiles) {
    uint16_t rowAll[9] = {}, columnAll[9] = {}, blockAll[9] = {};
    for (int r = 0; r < 9; ++r) {
      for (int c = 0; c < 9; ++c) {
        const Tile& tile = tiles[r * 9 + c];
        const auto type = static_cast<uint32_t>(tile.type);
        if (type >= 9u) return false;
        const auto bit = static_cast<uint16_t>(1u << type);
        const int b = (r / 3) * 3 + c / 3;
        const int p = (r % 3) * 3 + c % 3;
        rowAll[r] |= bit;
        columnAll[c] |= bit;
        blockAll[b] |= bit;
        positionOfType[b][type] = static_cast<uint8_t>(p);
        if (tile.hidden) {
          hiddenInBlock[b] |= static_cast<uint16_t>(1u << p);
          ++hiddenCount;
        } else {
          row[r] |= bit;
          column[c] |= bit;
          block[b] |= bit;
        }
      }
    }
    for (int i = 0; i < 9; ++i)
      if (rowAll[i] != kAllTypes || columnAll[i] != kAllTypes || blockAll[i] != kAllTypes) return false;
    return true;
  }

  void Reveal(int b, int p, unsigned typeBit) {
    const int r = (b / 3) * 3 + p / 3;
    const int c = (b % 3) * 3 + p % 3;
    row[r] |= static_cast<uint16_t>(typeBit);
    column[c] |= static_cast<uint16_t>(typeBit);
    block[b] |= static_cast<uint16_t>(typeBit);
    hiddenInBlock[b] &= static_cast<uint16_t>(~(1u << p));
    --hiddenCount;
  }

  // One sweep over the blocks applying both rules; true when anything was revealed.
  // A reveal made during the sweep can leave later candidate masks of the same
  // sweep too large, never too small, so every reveal is still forced.
  bool Sweep() {
    bool progress = false;
    for (int b = 0; b < 9; ++b) {
      unsigned hidden = hiddenInBlock[b];
      if (!hidden) continue;
      const int r0 = (b / 3) * 3, c0 = (b % 3) * 3;
      unsigned once = 0, twice = 0;
      while (hidden) {
        const int p = std::countr_zero(hidden);
        hidden &= hidden - 1;
        const unsigned seen = row[r0 + p / 3] | column[c0 + p % 3] | block[b];
        const unsigned candidates = ~seen & kAllTypes;
        if ((candidates & (candidates - 1)) == 0) {  // naked single: only its own type is left
          Reveal(b, p, candidates);
          progress = true;
          continue;
        }
        twice |= once & candidates;
        once |= candidates;
      }
      unsigned singles = once & ~twice & ~static_cast<unsigned>(block[b]);
      while (singles) {  // hidden single: the type fits one hidden tile of the block
        const int type = std::countr_zero(singles);
        singles &= singles - 1;
        const int p = positionOfType[b][type];
        if (hiddenInBlock[b] & (1u << p)) {
          Reveal(b, p, 1u << type);
          progress = true;
        }
      }
    }
    return progress;
  }
};

}  // namespace

bool LogicSolver::Solve(const Board& board) {
  SinglesState state;
  if (!state.Load(board.Tiles())) return SolveStepwise(board);
  while (state.hiddenCount > 0 && state.Sweep()) {
  }
  return state.hiddenCount == 0;
}

bool LogicSolver::SolveStepwise(const Board& board) {
  Tile copy[kTileCount];
  board.ExportTiles(copy);
  working_.ImportTiles(copy);
  for (;;) {
    const int before = working_.VisibleTotal();
    for (int type = 0; type < kTypeCount; ++type)
      if (working_.HiddenCountOfType(type) > 0) RevealHiddenSingleOfType(type);
    if (working_.VisibleTotal() == before) RevealNakedSingles();
    if (working_.AllFound(false, false)) break;
    if (working_.VisibleTotal() <= before) break;
  }
  return working_.AllFound(false, false);
}

bool LogicSolver::RevealHiddenSingleOfType(int type) {
  for (int br = 0; br < 3; ++br) {
    for (int bc = 0; bc < 3; ++bc) {
      if (working_.TypeHiddenStateInBlock(type, false, br, bc)) continue;
      candidateCount_ = 0;
      for (int r = br * 3; r < br * 3 + 3; ++r) {
        for (int c = bc * 3; c < bc * 3 + 3; ++c) {
          if (!working_.IsHidden(r, c)) continue;
          if (working_.TypeHiddenStateInRow(type, false, r)) continue;
          if (working_.TypeHiddenStateInColumn(type, false, c)) continue;
          candidates_[candidateCount_][0] = r;
          candidates_[candidateCount_][1] = c;
          ++candidateCount_;
        }
      }
      if (candidateCount_ == 1) {
        candidateCount_ = 0;
        working_.SetHidden(candidates_[0][0], candidates_[0][1], false);
        return true;
      }
    }
  }
  candidateCount_ = 0;
  return false;
}

bool LogicSolver::RevealNakedSingles() {
  bool marks[kTileCount][kTypeCount] = {};
  for (int r = 0; r < 9; ++r) {
    for (int c = 0; c < 9; ++c) {
      bool* row = marks[r * 9 + c];
      if (!working_.IsHidden(r, c)) {
        const auto own = static_cast<uint32_t>(working_.TypeAt(r, c));
        if (own < 9u) row[own] = true;
        continue;
      }
      for (int type = 0; type < kTypeCount; ++type) row[type] = working_.IsCandidate(type, r, c);
    }
  }
  bool revealed = false;
  for (int r = 0; r < 9; ++r) {
    for (int c = 0; c < 9; ++c) {
      if (!working_.IsHidden(r, c)) continue;
      int count = 0;
      for (bool mark : marks[r * 9 + c]) count += mark ? 1 : 0;
      if (count == 1) {
        working_.SetHidden(r, c, false);
        revealed = true;
      }
    }
  }
  return revealed;
}

}  // namespace velmora
