#include <gtest/gtest.h>

#include "engine_fixtures.h"
#include "engine_texts.h"
#include "random_source.h"

namespace velmora {
namespace {

int CountChosenWithoutSpares(testing::BuildRig& rig, int hiddenPerType) {
  rig.builder.HideTiles(hiddenPerType, 0, false);
  return 81 - rig.board.VisibleTotal();
}

TEST(HideTiles, ChoosesTheSameNumberOfEveryType) {
  testing::BuildRig rig;
  ASSERT_TRUE(rig.BuildNext(0, 0));
  for (int hiddenPerType : {2, 4, 6, 7}) {
    SeedRandom(99);
    EXPECT_EQ(CountChosenWithoutSpares(rig, hiddenPerType), hiddenPerType * 9);
    for (int type = 0; type < 9; ++type) EXPECT_EQ(rig.board.HiddenCountOfType(type), hiddenPerType);
  }
}

TEST(HideTiles, SparesKeepBlocksVisibleWhereNeeded) {
  testing::BuildRig rig;
  ASSERT_TRUE(rig.BuildNext(0, 0));
  int sparedSomewhere = 0;
  for (uint32_t seed = 0; seed < 300; ++seed) {
    SeedRandom(seed);
    rig.builder.HideTiles(7, 3, false);
    const int hidden = 81 - rig.board.VisibleTotal();
    EXPECT_LE(hidden, 63);
    EXPECT_GE(rig.board.VisibleTotal(), 18);
    sparedSomewhere += hidden < 63 ? 1 : 0;
    // Easy: a block keeps at least its unchosen tiles; sparing only where more than four were chosen.
    SeedRandom(seed);
    rig.builder.HideTiles(2, 5, false);
    for (int br = 0; br < 3; ++br)
      for (int bc = 0; bc < 3; ++bc) EXPECT_GE(rig.board.VisibleCountInBlock(br, bc), 4);
  }
  EXPECT_GT(sparedSomewhere, 0);
}

TEST(Preparation, GivenIsTheOppositeOfHidden) {
  testing::BuildRig rig;
  for (int i = 0; i < 200; ++i) {
    ASSERT_TRUE(rig.BuildNext(i % 2, i % 2));
    for (int r = 0; r < 9; ++r)
      for (int c = 0; c < 9; ++c) ASSERT_NE(rig.board.IsGiven(r, c), rig.board.IsHidden(r, c));
  }
}

TEST(Preparation, EasyAndMediumSeedIsTheNumberOfRejectedAttempts) {
  testing::BuildRig rig;
  bool sawRejection = false;
  for (int i = 0; i < 60; ++i) {
    ASSERT_TRUE(rig.BuildNext(0, i % 2));
    const int32_t accepted = rig.settings.seedPrepare;
    for (int32_t seed = 0; seed <= accepted; ++seed) {
      SeedRandom(static_cast<uint32_t>(seed));
      rig.builder.HideTiles(rig.settings.hiddenPerType, rig.settings.minVisiblePerBlock, false);
      EXPECT_EQ(rig.solver.Solve(rig.board), seed == accepted) << "seed " << seed;
    }
    sawRejection = sawRejection || accepted > 0;
  }
  EXPECT_TRUE(sawRejection);
}

TEST(Preparation, BlackoutHidesEverythingAndKeepsSeedPrepare) {
  testing::BuildRig rig;
  rig.settings.seedPrepare = 4321;
  ASSERT_TRUE(rig.BuildCode("CD777"));
  EXPECT_EQ(rig.board.VisibleTotal(), 0);
  EXPECT_EQ(rig.settings.seedPrepare, 4321);
  for (int r = 0; r < 9; ++r)
    for (int c = 0; c < 9; ++c) EXPECT_FALSE(rig.board.IsGiven(r, c));
}

TEST(Preparation, BlackoutWithABadDifficultyHidesNothing) {
  testing::BuildRig rig;
  rig.settings.typeIndex = 2;
  rig.settings.difficultyIndex = 9;
  ASSERT_TRUE(rig.builder.StartBuild());
  EXPECT_EQ(rig.board.VisibleTotal(), 81);
  ASSERT_EQ(rig.host.reports.size(), 1u);
  EXPECT_EQ(rig.host.reports[0].text, texts::kInvalidBlackoutCount);
  EXPECT_TRUE(rig.host.reports[0].logOnly);
}

TEST(Preparation, HardAndExpertUseTheTableSeed) {
  // With a table whose entry is 0, Hard puzzles that accept seed 0 are built with it.
  testing::BuildRig rig;
  int built = 0, refused = 0;
  for (int seed = 0; seed < 40; ++seed) {
    rig.host.systemMessages.clear();
    rig.host.states.clear();
    if (rig.BuildCode("AC" + std::to_string(seed))) {
      EXPECT_EQ(rig.settings.seedPrepare, 0);
      EXPECT_TRUE(rig.solver.Solve(rig.board));
      ++built;
    } else {
      ASSERT_EQ(rig.host.systemMessages.size(), 1u);
      EXPECT_EQ(rig.host.systemMessages[0], texts::kPrepareLimitExceeded);
      EXPECT_EQ(rig.host.states.back(), GameState::NoGame);
      ++refused;
    }
  }
  EXPECT_GT(built, 0);
  EXPECT_GT(refused, 0);
}

}  // namespace
}  // namespace velmora
