#pragma once
// Finds the preparation seed of a Hard or Expert puzzle: the first seed whose
// arrangement of hidden tiles the solver accepts, for the solution that the
// creation seed fills. The game looks these up in its seed tables; the table
// maker and its checks search them here with the game's own fill, hide and solve.
#include <cstdint>

#include "board.h"
#include "engine_host.h"
#include "logic_solver.h"
#include "puzzle_builder.h"

namespace velmora {

class PrepareSeedSearch {
 public:
  PrepareSeedSearch() : builder_(board_, solver_, settings_, host_, zeroSeeds_) {}

  // Fills the board from the creation seed exactly as a build does; false when
  // the fill gives up.
  bool Fill(int creationSeed);
  // Whether the arrangement of this preparation seed is solvable by singles.
  bool Accepts(int difficulty, int32_t prepareSeed);
  // The first accepted seed 0, 1, 2, ... below limit, or -1.
  int32_t FirstAccepted(int difficulty, int32_t limit);

  const Board& GetBoard() const { return board_; }

 private:
  Board board_;
  LogicSolver solver_;
  BuildSettings settings_;
  SilentEngineHost host_;
  ZeroPrepareSeeds zeroSeeds_;
  PuzzleBuilder builder_;
};

}  // namespace velmora
