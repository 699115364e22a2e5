#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "engine_fixtures.h"
#include "engine_texts.h"
#include "hints.h"
#include "random_source.h"

namespace velmora {
namespace {

using testing::FillPattern;
using testing::HideAll;

class HintTest : public ::testing::Test {
 protected:
  void SetUp() override { FillPattern(board); }
  void Hide(std::initializer_list<std::pair<int, int>> tiles) {
    for (auto [r, c] : tiles) board.SetHidden(r, c, true);
  }
  void HideType(int type) {
    for (int r = 0; r < 9; ++r)
      for (int c = 0; c < 9; ++c)
        if (board.TypeAt(r, c) == type) board.SetHidden(r, c, true);
  }
  std::string Sentence() { return HintSentence(FindHint(board), host); }

  Board board;
  testing::FakeEngineHost host;
};

// A block with one hidden tile comes first, then a column, then a row.
TEST_F(HintTest, BlockThenColumnThenRow) {
  const std::pair<std::vector<std::pair<int, int>>, const char*> cases[] = {
      {{{0, 0}}, "The upper left block"},
      {{{1, 4}}, "The upper center block"},
      {{{5, 1}}, "The center left block"},
      {{{4, 4}}, "The center block"},
      {{{4, 7}}, "The center right block"},
      {{{8, 8}}, "The lower right block"},
      {{{3, 4}, {4, 5}}, "The fifth column from the left"},  // the center block has two
      {{{1, 1}, {2, 2}, {4, 1}, {4, 2}, {5, 1}, {5, 2}}, "The second row from the top"},
  };
  for (const auto& [tiles, where] : cases) {
    HideAll(board, false);
    for (auto [r, c] : tiles) board.SetHidden(r, c, true);
    EXPECT_EQ(Sentence(), "Hint: " + std::string(where) + " has only one hidden tile.");
  }
}

TEST_F(HintTest, LastHiddenTileOfAType) {
  for (int type = 0; type < 9; ++type)
    if (type != 5) HideType(type);
  for (int c = 0; c < 9; ++c)
    if (board.TypeAt(7, c) == 5) board.SetHidden(7, c, true);
  EXPECT_EQ(Sentence(), "Hint: There is only one hidden tile of type '6'.");
}

TEST_F(HintTest, OnePlaceForATypeInABlock) {
  for (int type : {0, 1, 2, 3, 5, 6}) HideType(type);
  // Type 4 stays visible except in the center block and the lower right block.
  for (int r = 0; r < 9; ++r)
    for (int c = 0; c < 9; ++c) {
      const bool inCenter = r / 3 == 1 && c / 3 == 1;
      const bool inLowerRight = r / 3 == 2 && c / 3 == 2;
      if (board.TypeAt(r, c) == 4 && (inCenter || inLowerRight)) board.SetHidden(r, c, true);
    }
  const HintResult hint = FindHint(board);
  EXPECT_EQ(hint.style, kHintTypeInBlock);
  EXPECT_EQ(hint.type, 4);
  EXPECT_EQ(Sentence(), "Hint: Search for the '5' in the center block.");

  // With the 5s of (0,4) and (4,0) hidden too, the upper left block's hidden
  // (0,0) is the one tile there whose row and column show no 5, but the block
  // shows its own 5 at (1,1): it is passed over. The blocks hiding a 5 then
  // have two places each, (3,0)/(4,0), (0,3)/(0,4), (3,3)/(3,4), until the
  // lower right block, where only (7,8) remains.
  Hide({{0, 4}, {4, 0}});
  EXPECT_EQ(Sentence(), "Hint: Search for the '5' in the lower right block.");
}

TEST_F(HintTest, NothingFoundOnAFullyHiddenBoard) {
  HideAll(board, true);
  EXPECT_FALSE(FindHint(board).found);
  EXPECT_EQ(Sentence(), "A hint was not found.\n\nWould you like to use a Free Play?");
}

TEST_F(HintTest, BadValuesAreReported) {
  std::string text = "x";
  OrdinalWord(9, text, host);
  EXPECT_EQ(text, "x");
  ASSERT_EQ(host.reports.size(), 1u);
  EXPECT_EQ(host.reports[0].text, texts::kInvalidOrdinal);
  EXPECT_TRUE(host.reports[0].fatal);

  HintResult odd;
  odd.found = true;
  odd.style = 7;
  EXPECT_EQ(HintSentence(odd, host), "");
  ASSERT_EQ(host.reports.size(), 2u);
  EXPECT_EQ(host.reports[1].text, texts::kInvalidHintStyle);
  EXPECT_TRUE(host.reports[1].logOnly);
}

TEST(FreePlay, Sentences) {
  testing::FakeEngineHost host;
  EXPECT_EQ(FreePlaySentence(0, 2, 7, host),
            "Free Play: The tile third from the left and first from the top is an '8'.");
  EXPECT_EQ(FreePlaySentence(8, 0, 4, host),
            "Free Play: The tile first from the left and ninth from the top is a '5'.");
  EXPECT_TRUE(host.reports.empty());
}

// Seed 0 shuffles the rows to 6 4 0 5 2 8 7 1 3 and the columns to
// 6 0 2 7 5 3 1 4 8 (see RandomSource.ShuffledOrdersFollowTheSwapRule): the scan
// runs along row 6 in that column order first, then row 4, and so on. The
// whole shuffle is drawn even when no tile is hidden.
TEST(FreePlay, TakesTheFirstHiddenTileOfTheShuffledScan) {
  struct Case {
    std::vector<std::pair<int, int>> hidden;
    int row, column;
  };
  const Case cases[] = {
      {{{0, 0}, {6, 8}}, 6, 8},          // row 6 comes before row 0
      {{{6, 8}, {6, 4}, {6, 3}}, 6, 3},  // within row 6, column 3 comes before 4 and 8
      {{{4, 6}, {0, 0}, {3, 6}}, 4, 6},  // row 4 is the second row of the scan
      {{{3, 8}, {1, 6}}, 1, 6},          // row 1 comes before row 3
      {{}, -1, -1},                      // nothing hidden: no tile
  };
  Board board;
  FillPattern(board);
  for (const Case& test : cases) {
    testing::HideAll(board, false);
    for (auto [r, c] : test.hidden) board.SetHidden(r, c, true);
    SeedRandom(0);
    int row = -1, column = -1;
    EXPECT_EQ(ChooseFreePlayTile(board, row, column), !test.hidden.empty());
    EXPECT_EQ(std::make_pair(row, column), std::make_pair(test.row, test.column));
    EXPECT_EQ(RandomState(), 1650963434u) << "the state after seed 0's shuffle";
  }
}

}  // namespace
}  // namespace velmora
