#pragma once
// Decides whether a puzzle can be solved by singles alone: naked singles, and
// hidden singles inside a block. Both rules only ever reveal tiles, so the set
// of tiles they reveal together does not depend on the order they are applied.
#include <cstdint>

#include "board.h"

namespace velmora {

class LogicSolver {
 public:
  // True when singles reveal every hidden tile. The board passed in is never changed.
  bool Solve(const Board& board);

  // The same decision taken the slow way: the cycle of hidden singles per type,
  // then a naked-single pass when no hidden single was found, on the working
  // board, until a cycle reveals nothing.
  bool SolveStepwise(const Board& board);

  // One hidden single of a type, in the first block (row-major) that has one.
  bool RevealHiddenSingleOfType(int type);
  // One pass of naked singles, decided from the board as it stood at its start.
  bool RevealNakedSingles();

  const Board& WorkingBoard() const { return working_; }
  Board& WorkingBoard() { return working_; }

 private:
  Board working_;
  int candidates_[9][2] = {};
  int candidateCount_ = 0;
};

}  // namespace velmora
