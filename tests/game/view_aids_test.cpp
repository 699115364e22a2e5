// The viewing aids on a puzzle worked out by hand: which tiles each one marks,
// which tiles are drawn again when the marks move, and how the choice is kept.
#include <algorithm>
#include <set>
#include <tuple>
#include <utility>

#include "game_rig.h"

namespace velmora {
namespace {

using testing::GameTest;

// Puzzle AA1500 (Normal, Easy), as the player first sees it; its hidden tiles
// hold the solution digits in brackets:
//   [5] 2  7   3  8  9   4  1  6
//    4 [1][8]  6  2  5   7  3 [9]
//   [9] 3  6   1  7 [4]  5  2 [8]
//   [2] 8 [3] [5] 9  6   1  4  7
//    6  4 [1]  8 [3] 7   9  5  2
//   [7] 5  9  [2][4] 1   6  8  3
//    1 [6] 2   7  5  3   8  9  4
//    3  7  4   9  1  8   2  6  5
//    8  9  5   4  6  2   3 [7] 1
constexpr const char* kCode = "AA1500";

using Tiles = std::set<std::pair<int, int>>;

class ViewAidsTest : public GameTest {
 protected:
  void StartKnownGame(bool ignoreMistakes = false, const std::string& player = "Ann") {
    ASSERT_TRUE(run->roster.AddPlayer(player));
    host().choosePlayer = testing::ChooseExisting(player);
    host().newGame = [ignoreMistakes](PlayerSettings& settings, bool inProgress) {
      settings.ignoreMistakes = ignoreMistakes;
      return testing::BeginGame(kGameTypeNormal, kDifficultyEasy, kCode)(settings, inProgress);
    };
    host().continueAnswer = ContinueAnswer::kNewGame;
    game().OnSplashEnded();
    run->Advance(300 + 500);
    ASSERT_EQ(session().gameState, GameState::Playing);
    run->Settle();
    ASSERT_EQ(board().TypeAt(1, 2), 7) << "not the puzzle worked out above";
    ASSERT_TRUE(board().IsHidden(0, 0));
  }
  template <typename Mark>
  Tiles Marked(Mark mark) {
    Tiles tiles;
    for (int r = 0; r < 9; ++r)
      for (int c = 0; c < 9; ++c)
        if (game().MarksOf(r, c).*mark) tiles.insert({r, c});
    return tiles;
  }
  Tiles Redrawn() {
    Tiles tiles;
    for (int id : host().redrawnControls)
      if (control::IsTile(id)) tiles.insert({control::TileRow(id), control::TileColumn(id)});
    return tiles;
  }
  Tiles AllMarked() {
    Tiles tiles;
    for (int r = 0; r < 9; ++r)
      for (int c = 0; c < 9; ++c)
        if (game().MarksOf(r, c).Any()) tiles.insert({r, c});
    return tiles;
  }
};

TEST_F(ViewAidsTest, TheActiveNumbersTilesAreMarkedAndFollowIt) {
  StartKnownGame();
  game().SetActiveNumber(4);  // the digit 5
  EXPECT_TRUE(AllMarked().empty()) << "off until the player turns it on";
  EXPECT_FALSE(game().ViewAidOn(ViewAid::kHighlightActiveNumber));

  host().redrawnControls.clear();
  game().ToggleViewAid(ViewAid::kHighlightActiveNumber);
  EXPECT_TRUE(game().ViewAidOn(ViewAid::kHighlightActiveNumber));
  const Tiles fives = {{1, 5}, {2, 6}, {4, 7}, {5, 1}, {6, 4}, {7, 8}, {8, 2}};  // the hidden 5s are not shown
  EXPECT_EQ(Marked(&TileMarks::activeNumber), fives);
  EXPECT_EQ(AllMarked(), fives);
  EXPECT_EQ(Redrawn(), fives);

  // Found, the hidden 5 at the top left shows and is marked too.
  game().SetCursorTile(0, 0);
  host().redrawnControls.clear();
  game().OnKey(key::kDigit1 + 4, false);
  ASSERT_FALSE(board().IsHidden(0, 0));
  Tiles withFound = fives;
  withFound.insert({0, 0});
  EXPECT_EQ(Marked(&TileMarks::activeNumber), withFound);
  EXPECT_TRUE(Redrawn().count({0, 0}));

  // Another Active Number (the tray's 9) moves the marks: both sets are drawn again.
  host().redrawnControls.clear();
  game().OnControlClicked(control::kFirstTray + 8);
  const Tiles nines = {{0, 5}, {3, 4}, {4, 6}, {5, 2}, {6, 7}, {7, 3}, {8, 1}};
  ASSERT_EQ(session().activeNumber, 8);
  EXPECT_EQ(Marked(&TileMarks::activeNumber), nines);
  for (const auto& tile : withFound) EXPECT_TRUE(Redrawn().count(tile)) << tile.first << "," << tile.second;
  for (const auto& tile : nines) EXPECT_TRUE(Redrawn().count(tile)) << tile.first << "," << tile.second;

  // Off again: nothing is marked, and the marked tiles are drawn plain.
  host().redrawnControls.clear();
  game().ToggleViewAid(ViewAid::kHighlightActiveNumber);
  EXPECT_TRUE(AllMarked().empty());
  EXPECT_EQ(Redrawn(), nines);
}

TEST_F(ViewAidsTest, TheCursorTilesRowColumnAndBlockAreMarked) {
  StartKnownGame();
  game().ToggleViewAid(ViewAid::kHighlightCursorPeers);
  game().SetCursorTile(4, 4);
  game().OnKey(key::kRight, false);  // to (4, 5)
  ASSERT_EQ(std::make_pair(session().cursorRow, session().cursorColumn), std::make_pair(4, 5));
  Tiles peers;
  for (int i = 0; i < 9; ++i) peers.insert({4, i}), peers.insert({i, 5});
  for (int r = 3; r < 6; ++r)
    for (int c = 3; c < 6; ++c) peers.insert({r, c});
  peers.erase({4, 5});  // the Cursor Tile has a face of its own
  EXPECT_EQ(peers.size(), 20u);
  EXPECT_EQ(Marked(&TileMarks::cursorPeer), peers);

  // A step right: column 5 loses its marks, column 6 and the next block gain them.
  host().redrawnControls.clear();
  game().OnKey(key::kRight, false);
  const Tiles redrawn = Redrawn();
  for (int r : {0, 1, 2, 6, 7, 8}) {
    EXPECT_TRUE(redrawn.count({r, 5})) << r;
    EXPECT_TRUE(redrawn.count({r, 6})) << r;
  }
  EXPECT_FALSE(redrawn.count({4, 0})) << "a tile whose marks stay is not drawn again";
  EXPECT_FALSE(game().MarksOf(0, 5).cursorPeer);
  EXPECT_TRUE(game().MarksOf(3, 8).cursorPeer);

  // The cover hides the board: no marks while paused, back on resuming.
  game().PauseCommand();
  EXPECT_TRUE(AllMarked().empty());
  game().Resume();
  EXPECT_EQ(AllMarked().size(), 20u);
}

TEST_F(ViewAidsTest, ConflictsMarkEveryTileOfTheClash) {
  StartKnownGame(true);
  game().ToggleViewAid(ViewAid::kMarkConflicts);
  EXPECT_TRUE(AllMarked().empty()) << "a board of given tiles has no clash";

  // A wrong 2 at the top left stands with Ignore Mistakes: it clashes with the 2
  // beside it; the hidden 2 of column 0 (row 3) is not shown and does not count.
  KeyPlay(0, 0, 1);
  ASSERT_EQ(board().PlayedTypeAt(0, 0), 1);
  EXPECT_EQ(Marked(&TileMarks::conflict), (Tiles{{0, 0}, {0, 1}}));

  // A second wrong 6 at (1, 1) clashes in its row (1, 3) and block (2, 2), and
  // with nothing else; the first clash stays.
  KeyPlay(1, 1, 5);
  EXPECT_EQ(Marked(&TileMarks::conflict), (Tiles{{0, 0}, {0, 1}, {1, 1}, {1, 3}, {2, 2}}));

  // Put right, the clashes go and their tiles are drawn again.
  host().redrawnControls.clear();
  KeyPlay(0, 0, 4);
  KeyPlay(1, 1, 0);
  EXPECT_TRUE(AllMarked().empty());
  for (const auto& tile : Tiles{{0, 0}, {0, 1}, {1, 1}, {1, 3}, {2, 2}}) EXPECT_TRUE(Redrawn().count(tile));
}

// With the Active Number's highlight on, the second choice marks its notes
// too: the 9s noted at (1, 8) and (2, 0), then the 1s.
TEST_F(ViewAidsTest, TheActiveNumbersNotesAreMarkedWithItsHighlight) {
  StartKnownGame();
  KeyPlay(1, 8, 8, true);
  KeyPlay(2, 0, 8, true);
  KeyPlay(1, 1, 0, true);
  game().OnControlClicked(control::kFirstTray + 8);
  game().ToggleViewAid(ViewAid::kHighlightActiveNotes);
  EXPECT_TRUE(AllMarked().empty()) << "only with the Active Number's highlight";
  game().ToggleViewAid(ViewAid::kHighlightActiveNumber);
  auto notesMarked = [&](int type) {
    Tiles tiles;
    for (int r = 0; r < 9; ++r)
      for (int c = 0; c < 9; ++c)
        if (game().MarksOf(r, c).activeNote == type) tiles.insert({r, c});
    return tiles;
  };
  EXPECT_EQ(notesMarked(8), (Tiles{{1, 8}, {2, 0}}));
  // (1, 8) notes the 1 too: drawn again when the mark moves from its 9 to its 1.
  KeyPlay(1, 8, 0, true);
  host().redrawnControls.clear();
  game().OnControlClicked(control::kFirstTray + 0);
  EXPECT_EQ(notesMarked(0), (Tiles{{1, 1}, {1, 8}}));
  for (const auto& tile : Tiles{{1, 8}, {2, 0}, {1, 1}}) EXPECT_TRUE(Redrawn().count(tile));
}

// A play clears its digit from the notes of its row, column and block: the 9
// at (1, 8) clears the 9s noted at (2, 8) (its column and block) and (1, 1)
// (its row), not at (2, 0). A found tile cannot be undone; with Ignore
// Mistakes on any play clears them, and Undo and Redo take the whole step.
TEST_F(ViewAidsTest, APlayClearsItsDigitFromTheNotesAroundIt) {
  for (const bool ignoreMistakes : {false, true}) {
    Restart();
    StartKnownGame(ignoreMistakes, ignoreMistakes ? "Ivy" : "Ann");
    game().ToggleViewAid(ViewAid::kRemoveNotesOnPlay);
    for (const auto& [r, c] : Tiles{{1, 8}, {2, 8}, {1, 1}, {2, 0}}) KeyPlay(r, c, 8, true);
    KeyPlay(2, 8, 0, true);
    KeyPlay(1, 8, 8);
    EXPECT_EQ(board().NoteMask(2, 8), 1u) << ignoreMistakes;
    EXPECT_EQ(board().NoteMask(1, 1), 0u) << ignoreMistakes;
    EXPECT_EQ(board().NoteMask(2, 0), 1u << 8) << ignoreMistakes;
    game().Undo();
    if (!ignoreMistakes) {
      EXPECT_EQ(host().notices.back(), texts::kCannotUndoFoundTile);
      EXPECT_EQ(board().NoteMask(1, 1), 0u);
      continue;
    }
    EXPECT_TRUE(board().IsHidden(1, 8));
    for (const auto& [r, c] : Tiles{{1, 8}, {1, 1}, {2, 0}}) EXPECT_EQ(board().NoteMask(r, c), 1u << 8) << r << c;
    EXPECT_EQ(board().NoteMask(2, 8), (1u << 8) | 1u);
    game().Redo();
    EXPECT_EQ(board().NoteMask(2, 8), 1u);
    EXPECT_EQ(board().NoteMask(1, 1), 0u);
    // A wrong 9 at (0, 0) clears the 9 at (2, 0) all the same.
    KeyPlay(0, 0, 8);
    EXPECT_EQ(board().NoteMask(2, 0), 0u);
  }
}

TEST_F(ViewAidsTest, TheChoiceIsThePlayersAndOutlivesTheGame) {
  StartKnownGame();
  game().ToggleViewAid(ViewAid::kHighlightCursorPeers);
  EXPECT_TRUE(record().settings.highlightCursorPeers);
  EXPECT_NE(record().ComposeText().find("settingsHighlightCursorPeers = true;"), std::string::npos);

  // The next run: another player starts without it, Ann's next game has it.
  Restart();
  StartGame(kGameTypeNormal, kDifficultyEasy, "", "Bo");
  EXPECT_FALSE(game().ViewAidOn(ViewAid::kHighlightCursorPeers));
  Restart();
  StartGame(kGameTypeNormal, kDifficultyEasy, "", "Ann");
  EXPECT_TRUE(game().ViewAidOn(ViewAid::kHighlightCursorPeers));
  EXPECT_FALSE(game().ViewAidOn(ViewAid::kHighlightActiveNumber));
}

// What a screen reader is told of each tile: given, empty, noted, found (as the
// givens), played with Ignore Mistakes, marked by a viewing aid, paused.
TEST_F(ViewAidsTest, TilesAreSpokenFromTheBoardAndTheirMarks) {
  StartKnownGame();
  for (const auto& [r, c, type] : {std::tuple{1, 2, 0}, {1, 2, 6}, {1, 1, 2}, {2, 0, 0}, {2, 0, 3}, {2, 0, 6}})
    KeyPlay(r, c, type, true);
  KeyPlay(0, 0, 4);
  const std::pair<std::pair<int, int>, const char*> cases[] = {{{0, 1}, "row 1, column 2, 2, given"},
                                                               {{1, 8}, "row 2, column 9, empty"},
                                                               {{1, 2}, "row 2, column 3, empty, notes 1 and 7"},
                                                               {{1, 1}, "row 2, column 2, empty, note 3"},
                                                               {{2, 0}, "row 3, column 1, empty, notes 1, 4 and 7"},
                                                               {{0, 0}, "row 1, column 1, 5, given"}};
  for (const auto& [tile, spoken] : cases) EXPECT_EQ(game().TileSpoken(tile.first, tile.second), spoken);
  game().PauseCommand();
  EXPECT_EQ(game().TileSpoken(0, 1), "row 1, column 2, covered");

  Restart();
  StartKnownGame(true, "Bea");
  game().ToggleViewAid(ViewAid::kMarkConflicts);
  game().ToggleViewAid(ViewAid::kHighlightActiveNumber);
  KeyPlay(0, 0, 1);  // a 2, beside the given 2 at (0, 1)
  KeyPlay(3, 3, 4);
  game().SetActiveNumber(4);
  EXPECT_EQ(game().TileSpoken(0, 0), "row 1, column 1, played 2, conflict");
  EXPECT_EQ(game().TileSpoken(0, 1), "row 1, column 2, 2, given, conflict");
  EXPECT_EQ(game().TileSpoken(3, 3), "row 4, column 4, played 5, highlighted");
  EXPECT_EQ(game().TileSpoken(1, 5), "row 2, column 6, 5, given, highlighted");
}

// The tray says in words how many of a digit are left (found, with Ignore
// Mistakes): one 6 is hidden, two 5s (seven shown). The status counts.
TEST_F(ViewAidsTest, TheTrayAndTheStatusAreSpokenAsCounts) {
  StartKnownGame();
  EXPECT_EQ(game().TraySpoken(4), "5, two left");
  EXPECT_EQ(game().TraySpoken(5), "6, one left");
  EXPECT_EQ(game().StatusSpoken(false), "17 tiles left, no mistakes");
  KeyPlay(6, 1, 3);  // a 6 there
  KeyPlay(6, 1, 5);
  EXPECT_EQ(game().TraySpoken(5), "6, all found");
  EXPECT_EQ(game().TraySpoken(9), "Eraser");
  run->Advance(65000);
  EXPECT_EQ(game().StatusSpoken(), "16 tiles left, 1 mistake, time 1 minute, 5.0 seconds");

  Restart();
  StartKnownGame(true, "Bea");
  EXPECT_EQ(game().TraySpoken(4), "5, seven found");
  for (const auto& [r, c] : Tiles{{0, 0}, {3, 3}}) KeyPlay(r, c, 4);
  EXPECT_EQ(game().TraySpoken(4), "5, all found");
  KeyPlay(1, 1, 4);
  EXPECT_EQ(game().TraySpoken(4), "5, one extra");
}

}  // namespace
}  // namespace velmora
