#include <gtest/gtest.h>

#include <cstring>

#include "engine_fixtures.h"
#include "random_source.h"

namespace velmora {
namespace {

Board BuiltSolution(uint32_t seed) {
  testing::BuildRig rig;
  rig.settings.seedCreate = seed;
  EXPECT_TRUE(rig.BuildNext(0, 0));
  testing::HideAll(rig.board, false);
  return rig.board;
}

TEST(LogicSolver, DeadlyRectangleIsRejected) {
  LogicSolver solver;
  int found = 0;
  for (uint32_t seed = 0; seed < 50 && found < 5; ++seed) {
    Board board = BuiltSolution(seed);
    // Rows of one band, columns of two different stacks, two types crossed.
    for (int r1 = 0; r1 < 9; ++r1)
      for (int r2 = r1 + 1; r2 < r1 / 3 * 3 + 3; ++r2)
        for (int c1 = 0; c1 < 9; ++c1)
          for (int c2 = (c1 / 3 + 1) * 3; c2 < 9; ++c2) {
            if (board.TypeAt(r1, c1) != board.TypeAt(r2, c2) || board.TypeAt(r1, c2) != board.TypeAt(r2, c1)) continue;
            Board deadly = board;
            deadly.SetHidden(r1, c1, true);
            deadly.SetHidden(r1, c2, true);
            deadly.SetHidden(r2, c1, true);
            deadly.SetHidden(r2, c2, true);
            EXPECT_FALSE(solver.Solve(deadly));
            EXPECT_FALSE(solver.SolveStepwise(deadly));
            ++found;
          }
  }
  EXPECT_GT(found, 0);
}

TEST(LogicSolver, LeavesTheBoardPassedInUnchanged) {
  testing::BuildRig rig;
  rig.BuildCode("AD123");  // whether or not it prepares, tiles are left hidden
  ASSERT_LT(rig.board.VisibleTotal(), 81);
  Board before = rig.board;
  LogicSolver solver;
  solver.Solve(rig.board);
  solver.SolveStepwise(rig.board);
  EXPECT_EQ(std::memcmp(before.Tiles(), rig.board.Tiles(), sizeof(Tile) * 81), 0);
}

TEST(LogicSolverSteps, HiddenSingleRevealsOneTileInTheFirstBlock) {
  Board board = BuiltSolution(3);
  const int type = board.TypeAt(0, 0);
  // Hide this type in the first two blocks of the top band only.
  int hiddenPositions[2][2], n = 0;
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 6; ++c)
      if (board.TypeAt(r, c) == type) {
        board.SetHidden(r, c, true);
        hiddenPositions[n][0] = r;
        hiddenPositions[n][1] = c;
        ++n;
      }
  ASSERT_EQ(n, 2);
  LogicSolver solver;
  Tile copy[81];
  board.ExportTiles(copy);
  solver.WorkingBoard().ImportTiles(copy);
  EXPECT_TRUE(solver.RevealHiddenSingleOfType(type));
  EXPECT_FALSE(solver.WorkingBoard().IsHidden(hiddenPositions[0][0], hiddenPositions[0][1]));
  EXPECT_TRUE(solver.WorkingBoard().IsHidden(hiddenPositions[1][0], hiddenPositions[1][1]));
  EXPECT_FALSE(solver.RevealHiddenSingleOfType((type + 1) % 9));
}

TEST(LogicSolverSteps, NakedSinglesAreDecidedFromTheStartOfThePass) {
  Board board = BuiltSolution(5);
  // X and Y share row 0 and block (0,0); Z is the tile of X's type in Y's column, further down.
  const int tx = board.TypeAt(0, 0);
  int zRow = -1;
  for (int r = 3; r < 9; ++r)
    if (board.TypeAt(r, 1) == tx) zRow = r;
  if (zRow < 0) GTEST_SKIP() << "X's type lies in Y's column inside the block";
  board.SetHidden(0, 0, true);
  board.SetHidden(0, 1, true);
  board.SetHidden(zRow, 1, true);

  LogicSolver solver;
  Tile copy[81];
  board.ExportTiles(copy);
  solver.WorkingBoard().ImportTiles(copy);
  EXPECT_TRUE(solver.RevealNakedSingles());
  EXPECT_FALSE(solver.WorkingBoard().IsHidden(0, 0));
  EXPECT_FALSE(solver.WorkingBoard().IsHidden(zRow, 1));
  EXPECT_TRUE(solver.WorkingBoard().IsHidden(0, 1)) << "became single only after X was revealed";
  EXPECT_TRUE(solver.RevealNakedSingles());
  EXPECT_FALSE(solver.WorkingBoard().IsHidden(0, 1));
  EXPECT_FALSE(solver.RevealNakedSingles());
}

// The fast decision must agree with the plain cycle on every board, accepted or not.
TEST(LogicSolverAgreement, FastAndStepwiseAgreeOnManyBoards) {
  testing::BuildRig rig;
  LogicSolver solver;
  int accepted = 0, rejected = 0;
  for (int i = 0; i < 24000; ++i) {
    if (i % 40 == 0) {
      rig.settings.seedCreate = static_cast<uint32_t>(i / 40);
      ASSERT_TRUE(rig.BuildNext(0, 0));
    }
    SeedRandom(static_cast<uint32_t>(i));
    if (i % 2 == 0) {
      const int difficulty = (i / 2) % 4;
      rig.builder.HideTiles(kHiddenPerType[difficulty], kMinVisiblePerBlock[difficulty], false);
    } else {
      // Random masks of every density, beyond what preparation makes.
      const int density = NextRandom() % 100;
      for (int t = 0; t < 81; ++t) rig.board.SetHidden(t / 9, t % 9, NextRandom() % 100 < density);
    }
    const bool fast = solver.Solve(rig.board);
    const bool plain = solver.SolveStepwise(rig.board);
    ASSERT_EQ(fast, plain) << "board " << i;
    (fast ? accepted : rejected)++;
  }
  EXPECT_GT(accepted, 1000);
  EXPECT_GT(rejected, 1000);
}

TEST(LogicSolverAgreement, BoardsThatAreNotSolutionsTakeThePlainPath) {
  Board cleared;  // every type 0: nothing is ever a single
  cleared.SetHidden(0, 0, true);
  LogicSolver solver;
  EXPECT_EQ(solver.Solve(cleared), solver.SolveStepwise(cleared));
}

}  // namespace
}  // namespace velmora
