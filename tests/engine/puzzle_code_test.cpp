#include <gtest/gtest.h>

#include "engine_fixtures.h"

namespace velmora {
namespace {

TEST(PuzzleCodeDecoding, ValidCodes) {
  DecodedPuzzleCode d;
  ASSERT_TRUE(DecodePuzzleCode("AA", d));
  EXPECT_EQ(d.typeIndex, 0);
  EXPECT_EQ(d.difficultyIndex, 0);
  EXPECT_EQ(d.creationSeed, 0);
  ASSERT_TRUE(DecodePuzzleCode("BC1234", d));
  EXPECT_EQ(d.typeIndex, 1);
  EXPECT_EQ(d.difficultyIndex, 2);
  EXPECT_EQ(d.creationSeed, 1234);
  ASSERT_TRUE(DecodePuzzleCode("CD49999", d));
  EXPECT_EQ(d.creationSeed, 49999);
  ASSERT_TRUE(DecodePuzzleCode("AB00007", d));
  EXPECT_EQ(d.creationSeed, 7);
}

TEST(PuzzleCodeDecoding, InvalidCodesLeaveTheOutputAlone) {
  for (const char* text : {"", "A", "aa1", "Aa1", "DA1", "AE1", "AA1x", "AA-1", "AD50000", "AD99999", "AA000000",
                           "AB12345678", " AA1", "AA 1"}) {
    DecodedPuzzleCode d{5, 6, 7};
    EXPECT_FALSE(DecodePuzzleCode(text, d)) << '"' << text << '"';
    EXPECT_FALSE(IsValidPuzzleCode(text)) << '"' << text << '"';
    EXPECT_EQ(d.typeIndex, 5);
    EXPECT_EQ(d.difficultyIndex, 6);
    EXPECT_EQ(d.creationSeed, 7);
  }
  EXPECT_TRUE(IsValidPuzzleCode("AD49999"));
}

// A code is kept as entered and leaves the counter; one that does not decode
// is passed over for the counter.
TEST(PuzzleCodeBuilds, CodeIsKeptAsEnteredAndTheCounterStays) {
  testing::BuildRig rig;
  rig.settings.seedCreate = 321;
  ASSERT_TRUE(rig.BuildCode("AB007"));
  EXPECT_EQ(rig.settings.seedCreate, 321u);
  EXPECT_EQ(rig.settings.puzzleCode, "AB007");
  EXPECT_EQ(CurrentPuzzleCode(rig.settings), "AB007");
  EXPECT_EQ(rig.settings.typeIndex, 0);
  EXPECT_EQ(rig.settings.difficultyIndex, 1);

  rig.settings.puzzleCode = "ZZ9";
  ASSERT_TRUE(rig.builder.StartBuild());
  EXPECT_EQ(rig.settings.seedCreate, 322u);
}

TEST(PuzzleCodeBuilds, RebuildingGivesTheSamePuzzleWhateverTheCounter) {
  for (int i = 0; i < 30; ++i) {
    testing::BuildRig first;
    first.settings.seedCreate = static_cast<uint32_t>(i * 1637);
    ASSERT_TRUE(first.BuildNext(i % 2, (i / 2) % 2));
    const std::string code = CurrentPuzzleCode(first.settings);

    testing::BuildRig again;
    again.settings.seedCreate = 999;
    ASSERT_TRUE(again.BuildCode(code)) << code;
    EXPECT_EQ(testing::SolutionDigits(again.board), testing::SolutionDigits(first.board)) << code;
    EXPECT_EQ(testing::VisibleDigits(again.board), testing::VisibleDigits(first.board)) << code;
    EXPECT_EQ(again.settings.seedPrepare, first.settings.seedPrepare) << code;
    EXPECT_EQ(again.settings.seedCreate, 999u);
  }
}

TEST(PuzzleCodeBuilds, CurrentCodeBeforeAnyBuild) {
  BuildSettings settings;
  settings.typeIndex = 1;
  settings.difficultyIndex = 3;
  EXPECT_EQ(CurrentPuzzleCode(settings), "BD0");
  settings.seedCreate = 50000;
  EXPECT_EQ(CurrentPuzzleCode(settings), "BD49999");
}

}  // namespace
}  // namespace velmora
