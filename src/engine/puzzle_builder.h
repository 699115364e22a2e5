#pragma once
// Builds one puzzle: chooses the creation seed, fills the board with a
// complete solution, then hides tiles until the logic solver accepts them.
#include <cstdint>
#include <string>

#include "board.h"
#include "engine_host.h"
#include "logic_solver.h"

namespace velmora {

// The values a build reads and writes; the game window keeps them with its session.
struct BuildSettings {
  int typeIndex = 0;        // 0 Normal, 1 Payback, 2 Blackout
  int difficultyIndex = 0;  // 0 Easy .. 3 Expert
  std::string puzzleCode;   // as entered; empty when the game was not started from a code
  uint32_t seedCreate = 0;  // creation seed of the next build without a code
  int32_t seedPrepare = 0;  // preparation seed of the last prepared puzzle
  int hiddenPerType = 2;
  int minVisiblePerBlock = 5;
};

const char* GameTypeName(int typeIndex);
const char* DifficultyName(int difficultyIndex);

// Sets the two preparation parameters for a difficulty; false when it is not 0..3.
bool ApplyDifficultyParameters(BuildSettings& settings, int difficultyIndex);

// The code to show for the current game: the entered code, or the canonical code
// of the seed the last build used.
std::string CurrentPuzzleCode(const BuildSettings& settings);

class PuzzleBuilder {
 public:
  PuzzleBuilder(Board& board, LogicSolver& solver, BuildSettings& settings, EngineHost& host,
                const PrepareSeedSource& seeds)
      : board_(board), solver_(solver), settings_(settings), host_(host), seeds_(seeds) {}

  bool StartBuild();
  bool BuildPuzzle(int codeSeed);
  bool FillSolution();
  bool PlaceTypeInAllBlocks(int type);
  bool PreparePuzzle(int codeSeed);
  void HideTiles(int hiddenPerType, int minVisiblePerBlock, bool hideAll);
  void MarkGivens();

 private:
  // "\nT+" and the run's milliseconds, then the text and an optional number.
  void LogStamp(const char* what, int number = -1);

  Board& board_;
  LogicSolver& solver_;
  BuildSettings& settings_;
  EngineHost& host_;
  const PrepareSeedSource& seeds_;
  // Types already placed in each row and column during the current fill.
  uint16_t rowPlaced_[9] = {};
  uint16_t columnPlaced_[9] = {};
  // Occupied positions of each block, bit (row % 3) * 3 + column % 3.
  uint16_t blockOccupied_[9] = {};
};

}  // namespace velmora
