#include "logic_solver.h"

#include <bit>

namespace velmora {
namespace {

constexpr unsigned kAllTypes = 0x1FFu;

// Where each tile lies: row, column, block and position inside the block.
struct TileIndex {
  uint8_t row[81], column[81], block[81], position[81];
  uint8_t rowOfPosition[9], columnOfPosition[9];  // offsets inside a block
  constexpr TileIndex() : row(), column(), block(), position(), rowOfPosition(), columnOfPosition() {
    for (int i = 0; i < 81; ++i) {
      row[i] = static_cast<uint8_t>(i / 9);
      column[i] = static_cast<uint8_t>(i % 9);
      block[i] = static_cast<uint8_t>((i / 27) * 3 + (i % 9) / 3);
      position[i] = static_cast<uint8_t>(((i / 9) % 3) * 3 + (i % 9) % 3);
    }
    for (int p = 0; p < 9; ++p) {
      rowOfPosition[p] = static_cast<uint8_t>(p / 3);
      columnOfPosition[p] = static_cast<uint8_t>(p % 3);
    }
  }
};
constexpr TileIndex kIndex;

// The board as masks of visible types per row, column and block, with the
// hidden positions of every block. Valid only for a board that carries a
// complete, rule-valid solution.
struct SinglesState {
  uint16_t row[9] = {};
  uint16_t column[9] = {};
  uint16_t block[9] = {};
  uint16_t hiddenInBlock[9] = {};  // bit p: position p (row-major) of the block is hidden
  const Tile* tiles = nullptr;
  int hiddenCount = 0;
  // Blocks to look at again: a reveal changes the masks of its band and its stack.
  unsigned dirty = 0x1FFu;

  // False when the board does not hold each type once per row, column and block.
  bool Load(const Tile* board) {
    tiles = board;
    unsigned columnAll[9] = {}, blockAll[9] = {};
    unsigned missing = 0;
    for (int r = 0; r < 9; ++r) {
      const int blockBase = (r / 3) * 3;
      const int shift = (r % 3) * 3;
      unsigned all[3] = {}, seen[3] = {}, hiddenBits = 0;
#pragma GCC unroll 9
      for (int c = 0; c < 9; ++c) {
        const Tile& tile = board[r * 9 + c];
        const auto type = static_cast<uint32_t>(tile.type);
        // A type outside 0..8 shows up as bit 15, which no complete line has.
        const unsigned bit = type < 9u ? 1u << type : 0x8000u;
        const unsigned isHidden = tile.hidden != 0;
        const unsigned visibleBit = bit & (isHidden - 1u);
        all[c / 3] |= bit;
        seen[c / 3] |= visibleBit;
        columnAll[c] |= bit;
        column[c] |= static_cast<uint16_t>(visibleBit);
        hiddenBits |= isHidden << c;
      }
      row[r] = static_cast<uint16_t>(seen[0] | seen[1] | seen[2]);
      missing |= (all[0] | all[1] | all[2]) ^ kAllTypes;
      for (int j = 0; j < 3; ++j) {
        blockAll[blockBase + j] |= all[j];
        block[blockBase + j] |= static_cast<uint16_t>(seen[j]);
        hiddenInBlock[blockBase + j] |= static_cast<uint16_t>(((hiddenBits >> (3 * j)) & 7u) << shift);
      }
    }
    for (int i = 0; i < 9; ++i) {
      missing |= (columnAll[i] ^ kAllTypes) | (blockAll[i] ^ kAllTypes);
      hiddenCount += std::popcount(static_cast<unsigned>(hiddenInBlock[i]));
    }
    return missing == 0;
  }

  // Where the block's hidden tile of the type lies, or -1 when it is visible.
  int HiddenPositionOfType(int b, int type) const {
    const int r0 = (b / 3) * 3, c0 = (b % 3) * 3;
    for (unsigned hidden = hiddenInBlock[b]; hidden; hidden &= hidden - 1) {
      const int p = std::countr_zero(hidden);
      if (tiles[(r0 + p / 3) * 9 + c0 + p % 3].type == type) return p;
    }
    return -1;
  }

  void Reveal(int r, int c, int b, int p, unsigned typeBit) {
    row[r] |= static_cast<uint16_t>(typeBit);
    column[c] |= static_cast<uint16_t>(typeBit);
    block[b] |= static_cast<uint16_t>(typeBit);
    hiddenInBlock[b] &= static_cast<uint16_t>(~(1u << p));
    --hiddenCount;
    dirty |= (0b111u << (3 * (b / 3))) | (0b001001001u << (b % 3));
  }

  // One sweep over the blocks applying both rules; true when anything was revealed.
  // Each block's candidates are taken from the masks as they stand when the
  // block is reached. A reveal can leave other candidate masks of the same sweep
  // too large, never too small, so every reveal is still forced.
  bool Sweep() {
    bool progress = false;
    for (int b = 0; b < 9; ++b) {
      if (!(dirty & (1u << b))) continue;
      dirty &= ~(1u << b);
      const unsigned hidden = hiddenInBlock[b];
      if (!hidden) continue;
      const int r0 = (b / 3) * 3, c0 = (b % 3) * 3;
      const unsigned blockSeen = block[b];
      const unsigned rs0 = row[r0] | blockSeen, rs1 = row[r0 + 1] | blockSeen, rs2 = row[r0 + 2] | blockSeen;
      const unsigned cs0 = column[c0], cs1 = column[c0 + 1], cs2 = column[c0 + 2];
      unsigned m[9];
      m[0] = ~(rs0 | cs0);
      m[1] = ~(rs0 | cs1);
      m[2] = ~(rs0 | cs2);
      m[3] = ~(rs1 | cs0);
      m[4] = ~(rs1 | cs1);
      m[5] = ~(rs1 | cs2);
      m[6] = ~(rs2 | cs0);
      m[7] = ~(rs2 | cs1);
      m[8] = ~(rs2 | cs2);
      unsigned once = 0, twice = 0, naked = 0;
#pragma GCC unroll 9
      for (int p = 0; p < 9; ++p) {
        const unsigned v = m[p] & kAllTypes & (0u - ((hidden >> p) & 1u));
        m[p] = v;
        twice |= once & v;
        once |= v;
        naked |= static_cast<unsigned>((v & (v - 1)) == 0) << p;
      }
      naked &= hidden;
      while (naked) {  // naked single: only its own type is left
        const int p = std::countr_zero(naked);
        naked &= naked - 1;
        Reveal(r0 + kIndex.rowOfPosition[p], c0 + kIndex.columnOfPosition[p], b, p, m[p]);
        progress = true;
      }
      unsigned singles = once & ~twice & ~static_cast<unsigned>(block[b]);
      while (singles) {  // hidden single: the type fits one hidden tile of the block
        const int type = std::countr_zero(singles);
        singles &= singles - 1;
        const int p = HiddenPositionOfType(b, type);
        if (p >= 0) {
          Reveal(r0 + kIndex.rowOfPosition[p], c0 + kIndex.columnOfPosition[p], b, p, 1u << type);
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
  while (state.hiddenCount > 0 && state.dirty) state.Sweep();
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
