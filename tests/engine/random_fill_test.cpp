#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <numeric>

#include "engine_fixtures.h"
#include "random_source.h"

namespace velmora {
namespace {

TEST(RandomSource, FirstDrawsFromSeedZero) {
  SeedRandom(0);
  const int expected[] = {38, 7719, 21238, 2437, 8855};
  for (int value : expected) EXPECT_EQ(NextRandom(), value);
}

TEST(RandomSource, SkippingEqualsDrawing) {
  for (uint64_t count : {0ull, 1ull, 2ull, 202ull, 1000ull, 65537ull}) {
    SeedRandom(77);
    for (uint64_t i = 0; i < count; ++i) NextRandom();
    const uint32_t drawn = RandomState();
    SeedRandom(77);
    SkipRandom(count);
    EXPECT_EQ(RandomState(), drawn) << count;
  }
}

TEST(RandomSource, PickersDrawRowThenColumn) {
  SeedRandom(0);  // draws 38, 7719, 21238, 2437
  int row = -1, column = -1;
  PickTileInBlock(1, 2, row, column);
  EXPECT_EQ(row, 3 + 38 % 3);
  EXPECT_EQ(column, 6 + 7719 % 3);
  PickTileAnywhere(row, column);
  EXPECT_EQ(row, 21238 % 9);
  EXPECT_EQ(column, 2437 % 9);
}

// From 0..8 and 8..0, 27 rounds each swap two row entries, then two column
// entries, at draw % 9 and the next draw % 9 that differs. Seed 0 draws 38,
// 7719, 21238, 2437, 8855: the rows swap entries 2 and 6 (38 % 9, 7719 % 9),
// and the columns 7 and 8 (21238 % 9 = 7; 2437 % 9 = 7 again is redrawn as
// 8855 % 9 = 8). The whole shuffle, worked through separately, ends as below
// after 114 draws.
TEST(RandomSource, ShuffledOrdersFollowTheSwapRule) {
  struct Case {
    uint32_t seed;
    int rows[9], columns[9];
    uint32_t stateAfter;
  };
  const Case cases[] = {
      {0, {6, 4, 0, 5, 2, 8, 7, 1, 3}, {6, 0, 2, 7, 5, 3, 1, 4, 8}, 1650963434u},
      {1234, {0, 7, 1, 4, 2, 8, 5, 6, 3}, {6, 2, 0, 4, 3, 8, 1, 7, 5}, 715663059u},
  };
  for (const Case& test : cases) {
    SeedRandom(test.seed);
    int rows[9], columns[9];
    ShuffledOrders(rows, columns);
    EXPECT_TRUE(std::equal(rows, rows + 9, test.rows)) << "seed " << test.seed;
    EXPECT_TRUE(std::equal(columns, columns + 9, test.columns)) << "seed " << test.seed;
    EXPECT_EQ(RandomState(), test.stateAfter) << "seed " << test.seed;
  }
}

// The fill written out plainly with the board's own scans, to hold the
// builder's faster bookkeeping to exactly the same draws and placements.
struct ReferenceFill {
  Board& board;
  int giveUps = 0;

  bool PlaceTypeInAllBlocks(int type) {
    for (int br = 0; br < 3; ++br) {
      for (int bc = 0; bc < 3; ++bc) {
        int r, c;
        PickTileInBlock(br, bc, r, c);
        int tries = 0;
        while (board.IsOccupied(r, c) || board.RowHasPlacedType(r, type) || board.ColumnHasPlacedType(c, type)) {
          PickTileInBlock(br, bc, r, c);
          ++tries;
          if (tries % 100 == 0) {
            for (int i = 0; i < 81; ++i)
              if (board.TypeAt(i / 9, i % 9) == type) board.At(i / 9, i % 9).unplaced = 1;
            ++giveUps;
            return false;
          }
        }
        board.PlaceType(r, c, type);
      }
    }
    return true;
  }

  bool FillSolution() {
    for (int i = 0; i < 81; ++i) board.At(i / 9, i % 9).unplaced = 1;
    int failures = 0;
    for (int type = 0; type < 9;) {
      if (PlaceTypeInAllBlocks(type)) {
        ++type;
      } else if (++failures > 100) {
        return false;
      }
    }
    return true;
  }
};

TEST(SolutionFill, MatchesThePlainFillDrawForDraw) {
  testing::BuildRig rig;
  Board reference;
  ReferenceFill plain{reference};
  int attemptsFailed = 0;
  for (uint32_t seed = 0; seed < 3000; ++seed) {
    SeedRandom(seed);
    rig.board.Clear();
    bool fast = false;
    for (int attempt = 0; attempt < 100 && !fast; ++attempt) fast = rig.builder.FillSolution();
    const uint32_t fastState = RandomState();

    SeedRandom(seed);
    reference.Clear();
    bool slow = false;
    for (int attempt = 0; attempt < 100 && !slow; ++attempt) {
      slow = plain.FillSolution();
      attemptsFailed += slow ? 0 : 1;
    }
    ASSERT_EQ(fast, slow) << "seed " << seed;
    ASSERT_EQ(fastState, RandomState()) << "seed " << seed;
    ASSERT_EQ(std::memcmp(rig.board.Tiles(), reference.Tiles(), sizeof(Tile) * 81), 0) << "seed " << seed;
    ASSERT_TRUE(rig.board.IsValidSolution()) << "seed " << seed;
  }
  EXPECT_GT(plain.giveUps, 0) << "the give-up path was never taken";
  RecordProperty("failedFillAttempts", attemptsFailed);
}

TEST(SeedCreateCounter, WrapsFromTheLastSeedToZero) {
  testing::BuildRig rig;
  rig.settings.seedCreate = 49999;
  ASSERT_TRUE(rig.BuildNext(0, 0));
  EXPECT_EQ(rig.settings.seedCreate, 50000u);
  EXPECT_EQ(CurrentPuzzleCode(rig.settings), "AA49999");
  const auto seed49999 = testing::SolutionDigits(rig.board);

  ASSERT_TRUE(rig.BuildNext(0, 0));
  EXPECT_EQ(rig.settings.seedCreate, 1u);
  EXPECT_EQ(CurrentPuzzleCode(rig.settings), "AA0");
  const auto wrapped = testing::SolutionDigits(rig.board);

  testing::BuildRig fromCode;
  ASSERT_TRUE(fromCode.BuildCode("AA0"));
  EXPECT_EQ(testing::SolutionDigits(fromCode.board), wrapped);
  ASSERT_TRUE(fromCode.BuildCode("AA49999"));
  EXPECT_EQ(testing::SolutionDigits(fromCode.board), seed49999);

  // Values above the last seed (from a damaged file) stand for zero too.
  rig.settings.seedCreate = 123456;
  ASSERT_TRUE(rig.BuildNext(0, 0));
  EXPECT_EQ(rig.settings.seedCreate, 1u);
  EXPECT_EQ(CurrentPuzzleCode(rig.settings), "AA0");
}

TEST(BuildLog, HeaderAndStepsWhenTheLogIsOn) {
  testing::BuildRig rig;
  rig.host.logOn = true;
  rig.host.millis = 42;
  rig.settings.seedCreate = 7;
  ASSERT_TRUE(rig.BuildNext(1, 1));
  const std::string expectedStart =
      "\n>>\n>> ----------------------------------\n>> -------- BUILD NEW PUZZLE --------\n>>\nT+42"
      "\n>seedCreate: 8\n>type: Payback\n>difficulty: Medium\n>code: "
      "\nT+42: build puzzle; attempt 0";
  EXPECT_EQ(rig.host.log.substr(0, expectedStart.size()), expectedStart);
  EXPECT_NE(rig.host.log.find("\nT+42: board filled; attempts: "), std::string::npos);
  EXPECT_NE(rig.host.log.find("\nT+42: prepare board\nT+42: board prepared\n>seedPrepare: "), std::string::npos);
  EXPECT_EQ(rig.host.log.back(), '\n');

  testing::BuildRig quiet;
  ASSERT_TRUE(quiet.BuildNext(0, 0));
  EXPECT_TRUE(quiet.host.log.empty());
}

TEST(BuildStates, FilledThenPrepared) {
  testing::BuildRig rig;
  ASSERT_TRUE(rig.BuildNext(0, 0));
  ASSERT_EQ(rig.host.states.size(), 2u);
  EXPECT_EQ(rig.host.states[0], GameState::Filled);
  EXPECT_EQ(rig.host.states[1], GameState::Prepared);
  EXPECT_TRUE(rig.host.reports.empty());
}

}  // namespace
}  // namespace velmora
