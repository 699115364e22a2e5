// Plays, notes, the Eraser, Ignore Mistakes and Show Guides.
#include <algorithm>

#include "game_rig.h"

namespace velmora {
namespace {

using testing::GameTest;
using testing::HiddenTiles;

class TilePlayTest : public GameTest {
 protected:
  void SetUp() override { StartGame(kGameTypeNormal, kDifficultyMedium); }

  // Switches Ignore Mistakes on for the game in progress, as Options would.
  void IgnoreMistakes() { session().settings.ignoreMistakes = true; }
  // The first hidden tile whose solution is not the type.
  std::pair<int, int> HiddenTileNotOf(int type) {
    for (auto tile : HiddenTiles(board()))
      if (board().TypeAt(tile.first, tile.second) != type) return tile;
    return {-1, -1};
  }
};

TEST_F(TilePlayTest, WrongPlaysAreMistakesThatLeaveTheTileAndItsNotes) {
  auto [r, c] = HiddenTiles(board())[0];
  auto [r2, c2] = HiddenTiles(board())[1];
  KeyPlay(r, c, 2, true);
  KeyPlay(r2, c2, 6, true);
  EXPECT_EQ(board().NoteMask(r, c), 1u << 2);
  const int wrong = board().TypeAt(r, c) == 4 ? 7 : 4;
  KeyPlay(r, c, wrong);
  KeyPlay(r, c, wrong);
  EXPECT_EQ(session().mistakes, 2);
  EXPECT_EQ(host().Messages().back(), wrong == 4 ? "This tile is not a '5'." : "This tile is not an '8'.");
  EXPECT_TRUE(board().IsHidden(r, c));
  EXPECT_EQ(board().NoteMask(r, c), 1u << 2);
  EXPECT_TRUE(session().playKeys.empty());

  run->Advance(1500);
  PlayRight(r, c);
  EXPECT_TRUE(board().IsGiven(r, c));
  EXPECT_FALSE(board().IsHidden(r, c));
  EXPECT_EQ(board().NoteMask(r, c), 0u);
  EXPECT_EQ(board().NoteMask(r2, c2), 1u << 6);
  EXPECT_EQ(session().playKeys, (std::vector<PlayKey>{{true, 1500}}));
  EXPECT_EQ(session().paybackOrder[board().VisibleTotal() - 1], (PaybackPair{r, c}));
}

// With Ignore Mistakes on, only the given check stops the click.
TEST_F(TilePlayTest, AClickOnAGivenTileChangesNothing) {
  IgnoreMistakes();
  int gr = -1, gc = -1;
  for (int r = 8; r >= 0 && gr < 0; --r)
    for (int c = 8; c >= 0 && gr < 0; --c)
      if (board().IsGiven(r, c)) gr = r, gc = c;
  const int cursorRow = session().cursorRow, cursorColumn = session().cursorColumn;
  game().OnControlClicked(control::TileId(gr, gc));
  EXPECT_TRUE(host().tileMenuCalls.empty());
  EXPECT_EQ(session().cursorRow, cursorRow);
  EXPECT_EQ(session().cursorColumn, cursorColumn);
}

TEST_F(TilePlayTest, TheEraserClearsNotesWithoutAMistake) {
  auto [r, c] = HiddenTiles(board())[0];
  KeyPlay(r, c, 1, true);
  KeyPlay(r, c, 3, true);
  session().settings.actionMouseButtonLeft = kQuickPlay;
  game().OnControlClicked(control::kEraser);
  EXPECT_EQ(session().activeNumber, kEraserType);
  game().OnControlClicked(control::TileId(r, c));
  EXPECT_EQ(board().NoteMask(r, c), 0u);
  EXPECT_EQ(session().mistakes, 0);
  EXPECT_TRUE(board().IsHidden(r, c));

  // The Play menu's Eraser does the same, with its tip.
  KeyPlay(r, c, 5, true);
  game().SetActiveNumber(0);
  run->Settle();
  host().tileMenuAnswers.push_back({true, kTileMenuEraser});
  game().OnKey(key::kEnter, false);
  EXPECT_EQ(board().NoteMask(r, c), 0u);
  EXPECT_EQ(session().nextTip, 5);

  // Delete and Backspace clear the Cursor Tile's notes, whatever the Active Number.
  game().SetActiveNumber(3);
  for (int code : {key::kDelete, key::kBackspace}) {
    KeyPlay(r, c, 6, true);
    KeyPlay(r, c, 8, true);
    ASSERT_EQ(board().NoteMask(r, c), (1u << 6) | (1u << 8));
    game().OnKey(code, false);
    EXPECT_EQ(board().NoteMask(r, c), 0u) << "key " << code;
    EXPECT_TRUE(board().IsHidden(r, c));
  }
  EXPECT_EQ(session().mistakes, 0);
  EXPECT_TRUE(session().playKeys.empty());
}

TEST_F(TilePlayTest, IgnoringMistakesAPlayCanBeWrongAndTakenBack) {
  IgnoreMistakes();
  auto [r, c] = HiddenTileNotOf(0);
  KeyPlay(r, c, 0);
  EXPECT_FALSE(board().IsHidden(r, c));
  EXPECT_FALSE(board().IsGiven(r, c));
  EXPECT_EQ(board().PlayedTypeAt(r, c), 0);
  EXPECT_EQ(session().mistakes, 0);
  KeyPlay(r, c, 0);  // the same type again takes it back
  EXPECT_TRUE(board().IsHidden(r, c));
  ASSERT_EQ(session().playKeys.size(), 2u);
  EXPECT_TRUE(session().playKeys[0].flag);
  EXPECT_FALSE(session().playKeys[1].flag);

  // Delete takes a played type back too; a wrong one blocks the victory.
  KeyPlay(r, c, 0);
  game().OnKey(key::kDelete, false);
  EXPECT_TRUE(board().IsHidden(r, c));
  for (auto [hr, hc] : HiddenTiles(board()))
    KeyPlay(hr, hc, hr == r && hc == c ? WrongType(r, c) : board().TypeAt(hr, hc));
  EXPECT_TRUE(HiddenTiles(board()).empty());
  EXPECT_EQ(session().gameState, GameState::Playing);
  KeyPlay(r, c, board().TypeAt(r, c));  // replacing the wrong type wins
  EXPECT_EQ(session().gameState, GameState::Solved);
}

TEST_F(TilePlayTest, QuickNoteOverAPlayedTileOnlyMovesTheCursor) {
  IgnoreMistakes();
  auto [r, c] = HiddenTiles(board())[0];
  KeyPlay(r, c, 3);
  game().SetCursorTile(0, 0);
  session().settings.actionMouseButtonLeft = kQuickNote;
  game().OnControlClicked(control::TileId(r, c));
  EXPECT_EQ(board().NoteMask(r, c), 0u);
  EXPECT_EQ(session().cursorRow, r);
  EXPECT_EQ(session().cursorColumn, c);
  EXPECT_TRUE(board().IsCursor(r, c));
  EXPECT_FALSE(board().IsCursor(0, 0) && !(r == 0 && c == 0));
}

TEST_F(TilePlayTest, GuidesMarkTheRowsAndColumnsWhereTheActiveTypeIsHidden) {
  EXPECT_EQ(game().Guides(), GuideTabs{});
  game().ToggleShowGuides();
  EXPECT_TRUE(session().showGuides);
  game().SetActiveNumber(4);
  EXPECT_GE(host().CountRedrawn(ScreenArea::WholeWindow()), 1);
  GuideTabs expected;
  for (int r = 0; r < 9; ++r)
    for (int c = 0; c < 9; ++c)
      if (board().TypeAt(r, c) == 4 && board().IsHidden(r, c)) expected.rows[r] = expected.columns[c] = true;
  EXPECT_EQ(game().Guides(), expected);
  EXPECT_NE(expected, GuideTabs{});
  game().SetActiveNumber(kEraserType);
  EXPECT_EQ(game().Guides(), GuideTabs{});

  game().ToggleShowGuides();
  IgnoreMistakes();
  game().ToggleShowGuides();
  EXPECT_FALSE(session().showGuides);
  EXPECT_EQ(host().Messages().back(), "Guides are not available while Ignore Mistakes is enabled.");
}

TEST_F(TilePlayTest, FindingTheNinthTileOfATypeIsRemarkedInTheTipsWindow) {
  int type = -1;
  for (int t = 0; t < 9 && type < 0; ++t)
    if (board().HiddenCountOfType(t) > 1) type = t;
  ASSERT_GE(type, 0);
  std::string remark = "All tiles of type '";
  remark += static_cast<char>('1' + type);
  remark += "' have been found.  Well done!";
  std::vector<std::pair<int, int>> ofType;
  for (auto tile : HiddenTiles(board()))
    if (board().TypeAt(tile.first, tile.second) == type) ofType.push_back(tile);
  for (size_t i = 0; i + 1 < ofType.size(); ++i) {
    PlayRight(ofType[i].first, ofType[i].second);
    run->Settle();
  }
  EXPECT_EQ(std::count(host().tipTexts.begin(), host().tipTexts.end(), remark), 0) << "eight are not all";
  PlayRight(ofType.back().first, ofType.back().second);
  ASSERT_EQ(session().gameState, GameState::Playing);
  EXPECT_EQ(host().tipTexts.back(), remark);
}

}  // namespace
}  // namespace velmora
