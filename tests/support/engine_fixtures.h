#pragma once
// Small helpers for building puzzles and boards in tests.
#include <array>
#include <string>

#include "board.h"
#include "brute_force_solver.h"
#include "fake_engine_host.h"
#include "logic_solver.h"
#include "puzzle_builder.h"
#include "puzzle_code.h"

namespace velmora::testing {

// Everything one build needs, wired together.
struct BuildRig {
  Board board;
  LogicSolver solver;
  BuildSettings settings;
  FakeEngineHost host;
  FixedPrepareSeeds seeds{0};
  PuzzleBuilder builder{board, solver, settings, host, seeds};

  // Builds from a Puzzle Code the way a new game does: parameters from the code's difficulty.
  bool BuildCode(const std::string& code) {
    settings.puzzleCode = code;
    DecodedPuzzleCode decoded;
    if (DecodePuzzleCode(code, decoded)) ApplyDifficultyParameters(settings, decoded.difficultyIndex);
    return builder.StartBuild();
  }

  // Builds the next puzzle of the counter.
  bool BuildNext(int type, int difficulty) {
    settings.puzzleCode.clear();
    settings.typeIndex = type;
    settings.difficultyIndex = difficulty;
    ApplyDifficultyParameters(settings, difficulty);
    return builder.StartBuild();
  }
};

// A valid solution grid: the classic shifted pattern.
inline void FillPattern(Board& board) {
  board.Clear();
  for (int r = 0; r < 9; ++r)
    for (int c = 0; c < 9; ++c) board.PlaceType(r, c, (r * 3 + r / 3 + c) % 9);
}

inline std::array<int, 81> VisibleDigits(const Board& board) {
  std::array<int, 81> grid{};
  for (int r = 0; r < 9; ++r)
    for (int c = 0; c < 9; ++c) grid[r * 9 + c] = board.IsHidden(r, c) ? 0 : board.TypeAt(r, c) + 1;
  return grid;
}

inline std::array<int, 81> SolutionDigits(const Board& board) {
  std::array<int, 81> grid{};
  for (int r = 0; r < 9; ++r)
    for (int c = 0; c < 9; ++c) grid[r * 9 + c] = board.TypeAt(r, c) + 1;
  return grid;
}

inline void HideAll(Board& board, bool hidden) {
  for (int r = 0; r < 9; ++r)
    for (int c = 0; c < 9; ++c) board.SetHidden(r, c, hidden);
}

}  // namespace velmora::testing
