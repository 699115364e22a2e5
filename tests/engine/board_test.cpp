#include <gtest/gtest.h>

#include <utility>

#include "engine_fixtures.h"

namespace velmora {
namespace {

using testing::FillPattern;
using testing::HideAll;

TEST(BoardValidity, PatternIsValidAndDamageIsCaught) {
  Board board;
  FillPattern(board);
  EXPECT_TRUE(board.IsValidSolution());

  Board cleared;
  EXPECT_FALSE(cleared.IsValidSolution()) << "type 0 everywhere repeats in column 0";

  Board missing = board;
  missing.At(4, 4).type = -1;
  EXPECT_FALSE(missing.IsValidSolution());

  Board unplaced = board;
  unplaced.At(8, 8).unplaced = 1;
  EXPECT_FALSE(unplaced.IsValidSolution());

  Board swapped = board;  // swapping two tiles of a row breaks their columns
  std::swap(swapped.At(0, 0).type, swapped.At(0, 1).type);
  EXPECT_FALSE(swapped.IsValidSolution());

  Board outOfRange = board;
  outOfRange.At(0, 0).type = 9;
  EXPECT_FALSE(outOfRange.IsValidSolution());

  // (r + c) % 9: every row and column holds each type once, but the upper left
  // block holds 0 1 2 / 1 2 3 / 2 3 4.
  Board latin;
  for (int r = 0; r < 9; ++r)
    for (int c = 0; c < 9; ++c) latin.PlaceType(r, c, (r + c) % 9);
  EXPECT_FALSE(latin.IsValidSolution());
}

TEST(BoardRules, FirstTileOfTheTypeDecidesInLines) {
  Board board;  // all types 0: the first tile of each line decides
  board.SetHidden(0, 0, true);
  EXPECT_FALSE(board.TypeHiddenStateInRow(0, false, 0));
  EXPECT_TRUE(board.TypeHiddenStateInRow(0, true, 0));
  EXPECT_TRUE(board.TypeHiddenStateInRow(0, false, 1));
  EXPECT_FALSE(board.TypeHiddenStateInRow(5, false, 1)) << "no tile of the type: false";
  EXPECT_FALSE(board.TypeHiddenStateInColumn(0, false, 0));
  EXPECT_TRUE(board.TypeHiddenStateInColumn(0, false, 1));
}

TEST(BoardRules, BlockScanMovesOnToTheNextBlockRow) {
  Board board;  // all types 0
  board.SetHidden(0, 0, true);
  // The first block row's first tile is hidden, so the second block row decides.
  EXPECT_TRUE(board.TypeHiddenStateInBlock(0, false, 0, 0));
  board.SetHidden(1, 0, true);
  board.SetHidden(2, 0, true);
  EXPECT_FALSE(board.TypeHiddenStateInBlock(0, false, 0, 0));
  EXPECT_TRUE(board.TypeHiddenStateInBlock(0, true, 0, 0));
}

TEST(BoardCounts, ShownCountUsesPlayedTypeOfFoundTiles) {
  Board board;
  FillPattern(board);
  HideAll(board, true);
  for (int type = 0; type < 9; ++type) EXPECT_EQ(board.ShownCountOfType(type), 0);

  // Row 0 of the pattern holds types 0..8 from the left.
  board.SetGiven(0, 1, true);  // a given tile counts by its solution type, 1
  board.SetHidden(0, 1, false);
  board.SetHidden(0, 0, false);  // found but not given: counts by what was played
  board.SetPlayedType(0, 0, 1);
  EXPECT_EQ(board.ShownCountOfType(1), 2);
  EXPECT_EQ(board.ShownCountOfType(0), 0);
  board.SetPlayedType(0, 2, 1);  // a hidden tile never counts
  EXPECT_EQ(board.ShownCountOfType(1), 2);
}

TEST(BoardNotes, ToggleAndMask) {
  Board board;
  board.ToggleNote(2, 3, 4);
  board.ToggleNote(2, 3, 8);
  EXPECT_EQ(board.NoteMask(2, 3), (1u << 4) | (1u << 8));
  EXPECT_EQ(board.HasNote(2, 3, 4), 1);
  board.ToggleNote(2, 3, 4);
  EXPECT_EQ(board.HasNote(2, 3, 4), 0);
  EXPECT_EQ(board.NoteMask(3, 2), 0u);
}

}  // namespace
}  // namespace velmora
