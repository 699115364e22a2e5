// Undo and Redo of the player's changes, what stops them, and filling in the
// candidate notes, on a puzzle worked out by hand.
#include <tuple>
#include <vector>

#include "game_rig.h"

namespace velmora {
namespace {

using testing::GameTest;
using testing::HiddenTiles;

// Puzzle AA1500 (Normal, Easy), as the player first sees it; its 17 hidden tiles
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
constexpr int kHiddenAtStart = 17;

// A note mask from digits 1..9.
uint32_t Digits(std::initializer_list<int> digits) {
  uint32_t mask = 0;
  for (int digit : digits) mask |= 1u << (digit - 1);
  return mask;
}

class UndoTest : public GameTest {
 protected:
  void StartKnownGame() {
    StartGame(kGameTypeNormal, kDifficultyEasy, kCode);
    ASSERT_EQ(HiddenTiles(board()).size(), static_cast<size_t>(kHiddenAtStart));
    ASSERT_EQ(board().TypeAt(1, 2), 7) << "not the puzzle worked out above";
  }
  void Note(int row, int column, int digit) { KeyPlay(row, column, digit - 1, true); }
  void Play(int row, int column, int digit) { KeyPlay(row, column, digit - 1); }
  void CtrlZ() { game().OnKey(key::kLetterZ, true); }
  void CtrlY() { game().OnKey(key::kLetterY, true); }
  void CtrlShiftZ() { game().OnKey(key::kLetterZ, true, true); }
  std::pair<int, int> Cursor() { return {session().cursorRow, session().cursorColumn}; }

  // Everything a tile holds but the cursor flag, tile by tile.
  using TileState = std::tuple<uint8_t, uint8_t, uint32_t, int32_t>;
  std::vector<TileState> Tiles() {
    std::vector<TileState> tiles;
    for (int r = 0; r < 9; ++r)
      for (int c = 0; c < 9; ++c) {
        const Tile& t = board().At(r, c);
        tiles.emplace_back(t.given, t.hidden, t.noteMask, t.playedType);
      }
    return tiles;
  }

  // Undo refuses with this notice and changes nothing: no tile, no count, no
  // message that would interrupt play.
  void ExpectUndoRefused(const std::string& notice) {
    const auto tiles = Tiles();
    const auto keys = session().playKeys;
    const size_t messages = host().Messages().size();
    const int mistakes = session().mistakes, hints = session().hints, freePlays = session().freePlays;
    EXPECT_FALSE(game().CanUndo());
    CtrlZ();
    ASSERT_FALSE(host().notices.empty());
    EXPECT_EQ(host().notices.back(), notice);
    EXPECT_EQ(Tiles(), tiles);
    EXPECT_EQ(session().playKeys, keys);
    EXPECT_EQ(host().Messages().size(), messages);
    EXPECT_EQ(std::make_tuple(session().mistakes, session().hints, session().freePlays),
              std::make_tuple(mistakes, hints, freePlays));
  }
};

TEST_F(UndoTest, NotesAndErasingAreUndoneAndRedoneOneStepAtATime) {
  StartKnownGame();
  // A = (1,2), B = (5,0), C = (3,3): Quick Note, the Note menu, then each way of erasing.
  Note(1, 2, 1);
  Note(1, 2, 8);
  game().SetCursorTile(5, 0);
  host().tileMenuAnswers.push_back({true, 1});
  game().OnKey(key::kEnter, true);
  Note(3, 3, 5);
  game().SetCursorTile(1, 2);
  game().OnKey(key::kBackspace, false);
  game().SetCursorTile(5, 0);
  host().tileMenuAnswers.push_back({true, kTileMenuEraser});
  game().OnKey(key::kEnter, false);
  session().settings.actionMouseButtonLeft = kQuickPlay;
  game().SetActiveNumber(kEraserType);
  game().OnControlClicked(control::TileId(3, 3));
  ASSERT_EQ(board().NoteMask(1, 2) | board().NoteMask(5, 0) | board().NoteMask(3, 3), 0u);
  game().SetCursorTile(0, 0);

  // Z, Y and M without Control stay unused.
  for (int letter : {key::kLetterZ, key::kLetterY, key::kLetterM}) game().OnKey(letter, false);
  EXPECT_EQ(board().NoteMask(3, 3), 0u);
  EXPECT_TRUE(host().notices.empty());

  EXPECT_TRUE(game().CanUndo());
  EXPECT_FALSE(game().CanRedo());
  CtrlZ();  // the Eraser's Quick Play
  EXPECT_EQ(board().NoteMask(3, 3), Digits({5}));
  EXPECT_EQ(Cursor(), std::make_pair(3, 3)) << "the Cursor Tile shows where the change was";
  CtrlZ();  // the Play menu's Eraser
  EXPECT_EQ(board().NoteMask(5, 0), Digits({2}));
  CtrlZ();  // Backspace
  EXPECT_EQ(board().NoteMask(1, 2), Digits({1, 8}));
  EXPECT_TRUE(game().CanRedo());
  CtrlY();
  EXPECT_EQ(board().NoteMask(1, 2), 0u);
  CtrlZ();
  CtrlZ();  // the 5 noted in C
  EXPECT_EQ(board().NoteMask(3, 3), 0u);
  CtrlShiftZ();
  EXPECT_EQ(board().NoteMask(3, 3), Digits({5}));

  // A new change drops what could be redone.
  Note(1, 2, 3);
  EXPECT_FALSE(game().CanRedo());
  CtrlY();
  EXPECT_EQ(host().notices, std::vector<std::string>{"There is nothing to redo."});
  EXPECT_EQ(board().NoteMask(1, 2), Digits({1, 3, 8}));
  EXPECT_EQ(board().NoteMask(5, 0), Digits({2}));

  for (int i = 0; i < 5; ++i) CtrlZ();  // the 3, C's 5, B's 2 (the Note menu), A's 8 and 1
  for (auto [r, c] : {std::pair{1, 2}, {5, 0}, {3, 3}}) EXPECT_EQ(board().NoteMask(r, c), 0u);
  EXPECT_FALSE(game().CanUndo());
  CtrlZ();
  EXPECT_EQ(host().notices.back(), "There is nothing to undo.");
  EXPECT_TRUE(session().playKeys.empty());
  EXPECT_EQ(session().mistakes, 0);
  EXPECT_TRUE(host().Messages().empty());
}

TEST_F(UndoTest, UndoStopsAtWhatCannotBeUndoneAndSaysWhy) {
  StartKnownGame();
  Note(1, 2, 8);
  Play(0, 0, 5);  // a found tile
  ExpectUndoRefused("The last change cannot be undone: it is a found tile.");
  EXPECT_TRUE(board().IsGiven(0, 0));
  EXPECT_EQ(board().NoteMask(1, 2), Digits({8}));

  // Notes after it can be undone, back to it and no further.
  Note(1, 2, 1);
  CtrlZ();
  EXPECT_EQ(board().NoteMask(1, 2), Digits({8}));
  ExpectUndoRefused("The last change cannot be undone: it is a found tile.");
  CtrlY();
  EXPECT_EQ(board().NoteMask(1, 2), Digits({1, 8}));

  Note(5, 0, 2);
  Play(1, 2, 1);
  ASSERT_EQ(session().mistakes, 1);
  ExpectUndoRefused("The last change cannot be undone: it is a counted mistake.");
  EXPECT_EQ(board().NoteMask(5, 0), Digits({2}));

  Note(5, 0, 7);
  game().HintCommand();
  ASSERT_EQ(session().hints, 1);
  ExpectUndoRefused("The last change cannot be undone: it is a Hint.");
  EXPECT_EQ(board().NoteMask(5, 0), Digits({2, 7}));

  Note(3, 3, 2);
  game().FreePlayCommand();
  ASSERT_EQ(session().freePlays, 1);
  ExpectUndoRefused("The last change cannot be undone: it is a Free Play.");
}

TEST_F(UndoTest, PaybackAndBlackoutChangesCannotBeUndone) {
  StartGame(kGameTypePayback, kDifficultyEasy);
  const auto hidden = HiddenTiles(board());
  PlayRight(hidden[0].first, hidden[0].second);
  KeyPlay(hidden[1].first, hidden[1].second, 4, true);
  run->Advance(static_cast<uint32_t>(session().paybackTime));
  ASSERT_TRUE(board().IsHidden(hidden[0].first, hidden[0].second)) << "Payback hid the one found tile";
  ExpectUndoRefused("The last change cannot be undone: it is a tile hidden again by Payback.");
  EXPECT_EQ(board().NoteMask(hidden[1].first, hidden[1].second), 1u << 4);

  NextGame(kGameTypeBlackout, kDifficultyEasy);
  ASSERT_EQ(session().blackoutCount, 45);
  EXPECT_FALSE(game().CanFillInCandidates()) << "every tile asked for now is revealed";
  game().OnKey(key::kLetterM, true);
  EXPECT_EQ(board().NoteMask(0, 0), 0u);
  game().OnControlClicked(control::TileId(4, 4));
  ASSERT_FALSE(board().IsHidden(4, 4));
  ExpectUndoRefused("The last change cannot be undone: it is a Blackout reveal.");
  EXPECT_EQ(session().blackoutCount, 44);
}

// With Ignore Mistakes on, Undo and Redo play and take back as the player
// would: the Payback order follows the written rules, and the play keys are
// those of the plays that stand, so undoing never lengthens the list.
TEST_F(UndoTest, IgnoringMistakesPlaysAreUndoneAndRedoneAsPlaysAndTakeBacks) {
  StartKnownGame();
  session().settings.ignoreMistakes = true;
  const int32_t t = static_cast<int32_t>(game().GameTime());
  Note(1, 1, 1);
  Note(1, 1, 7);
  Play(0, 0, 5);  // becomes visible as the 65th tile
  run->Advance(1000);
  Play(1, 1, 7);  // wrong, and the 66th
  run->Advance(1000);
  Play(1, 1, 4);  // replaced
  run->Advance(1000);
  game().OnKey(key::kDelete, false);  // taken back
  ASSERT_TRUE(board().IsHidden(1, 1));
  EXPECT_EQ(session().paybackOrder[64], (PaybackPair{0, 0}));
  EXPECT_EQ(session().paybackOrder[65], (PaybackPair{1, 1}));

  run->Advance(1000);
  CtrlZ();  // the take-back undone: 4 played again
  EXPECT_FALSE(board().IsHidden(1, 1));
  EXPECT_EQ(board().PlayedTypeAt(1, 1), 3);
  EXPECT_EQ(session().paybackOrder[65], (PaybackPair{1, 1}));
  run->Advance(1000);
  CtrlZ();  // the replacement undone: 7 played over the 4
  EXPECT_EQ(board().PlayedTypeAt(1, 1), 6);
  EXPECT_EQ(game().TrayCountText(3), "7/9 Found");  // the given 4s
  EXPECT_EQ(game().TrayCountText(6), "8/9 Found");  // the given 7s and this one
  run->Advance(1000);
  CtrlZ();  // the first play undone: the 7 taken back, the notes back
  EXPECT_TRUE(board().IsHidden(1, 1));
  EXPECT_EQ(board().NoteMask(1, 1), Digits({1, 7}));
  run->Advance(1000);
  CtrlZ();  // (0,0) taken back
  EXPECT_TRUE(board().IsHidden(0, 0));
  EXPECT_EQ(board().VisibleTotal(), 64);
  run->Advance(1000);
  CtrlY();  // (0,0) played again
  EXPECT_EQ(board().PlayedTypeAt(0, 0), 4);
  EXPECT_FALSE(board().IsHidden(0, 0));
  run->Advance(1000);
  Play(2, 0, 9);  // a new play in place of the redo
  EXPECT_FALSE(game().CanRedo());
  EXPECT_EQ(session().mistakes, 0);

  // (0,0) played at t and redone, (2,0) at t + 9000; the four plays on (1,1) undone.
  const std::vector<PlayKey> keys = {{true, t}, {true, t + 9000}};
  EXPECT_EQ(session().playKeys, keys);
  EXPECT_EQ(session().paybackOrder[64], (PaybackPair{0, 0}));
  EXPECT_EQ(session().paybackOrder[65], (PaybackPair{2, 0}));

  // A play can be undone only while mistakes are ignored.
  session().settings.ignoreMistakes = false;
  ExpectUndoRefused(
      "The last change is a play made with Ignore Mistakes on: it can be undone only while Ignore Mistakes is on.");
  session().settings.ignoreMistakes = true;
  CtrlZ();
  EXPECT_TRUE(board().IsHidden(2, 0));
  session().settings.ignoreMistakes = false;
  EXPECT_FALSE(game().CanRedo());
  CtrlY();
  EXPECT_EQ(
      host().notices.back(),
      "The next change is a play made with Ignore Mistakes on: it can be redone only while Ignore Mistakes is on.");
  EXPECT_TRUE(board().IsHidden(2, 0));
}

TEST_F(UndoTest, CandidatesAreFilledIntoEveryHiddenTileAsOneStep) {
  EXPECT_FALSE(game().CanFillInCandidates()) << "outside play";
  StartKnownGame();
  Note(1, 2, 5);
  Note(4, 4, 3);  // already its one candidate
  const auto before = Tiles();
  EXPECT_TRUE(game().CanFillInCandidates());
  game().OnKey(key::kLetterM, true);

  // Worked out from the rows, columns and blocks above.
  const std::vector<std::tuple<int, int, uint32_t>> expected = {
      {0, 0, Digits({5})},    {1, 1, Digits({1})}, {1, 2, Digits({1, 8})}, {2, 0, Digits({9})},    {2, 5, Digits({4})},
      {3, 0, Digits({2})},    {3, 2, Digits({3})}, {3, 3, Digits({2, 5})}, {4, 2, Digits({1, 3})}, {4, 4, Digits({3})},
      {5, 0, Digits({2, 7})}, {5, 3, Digits({2})}, {5, 4, Digits({4})}};
  for (const auto& [r, c, mask] : expected) EXPECT_EQ(board().NoteMask(r, c), mask) << r << "," << c;
  for (int r = 0; r < 9; ++r)
    for (int c = 0; c < 9; ++c)
      if (!board().IsHidden(r, c)) {
        EXPECT_EQ(board().NoteMask(r, c), 0u) << r << "," << c;
      }
  EXPECT_TRUE(session().playKeys.empty());
  EXPECT_EQ(std::make_tuple(session().mistakes, session().hints, session().freePlays), std::make_tuple(0, 0, 0));
  EXPECT_EQ(HiddenTiles(board()).size(), static_cast<size_t>(kHiddenAtStart));
  EXPECT_FALSE(game().CanFillInCandidates()) << "nothing left to change";

  const auto filled = Tiles();
  CtrlZ();
  EXPECT_EQ(Tiles(), before);
  CtrlY();
  EXPECT_EQ(Tiles(), filled);

  // Ignoring mistakes, a played type counts as shown, and the tile's own type does not.
  session().settings.ignoreMistakes = true;
  Play(4, 2, 3);  // wrong: its type is 1
  game().FillInCandidates();
  EXPECT_EQ(board().NoteMask(4, 4), 0u);
  EXPECT_EQ(board().NoteMask(3, 2), 0u);
  EXPECT_EQ(board().NoteMask(1, 2), Digits({1, 8}));
  EXPECT_EQ(board().NoteMask(3, 0), Digits({2}));
  CtrlZ();
  EXPECT_EQ(board().NoteMask(4, 4), Digits({3}));
  EXPECT_EQ(board().NoteMask(3, 2), Digits({3}));
}

TEST_F(UndoTest, EachNewOrContinuedGameStartsWithNothingToUndo) {
  EXPECT_FALSE(game().CanUndo());
  StartKnownGame();
  Note(1, 2, 8);
  NextGame(kGameTypeNormal, kDifficultyEasy, kCode);
  EXPECT_FALSE(game().CanUndo());
  CtrlZ();
  EXPECT_EQ(host().notices, std::vector<std::string>{"There is nothing to undo."});

  Note(1, 2, 8);
  Note(5, 0, 7);
  CtrlZ();
  ASSERT_TRUE(game().CanRedo());
  ASSERT_TRUE(game().SaveGame());
  Restart();
  host().choosePlayer = testing::ChooseExisting("Ann");
  host().continueAnswer = ContinueAnswer::kContinue;
  game().OnSplashEnded();
  run->Advance(300);
  ASSERT_EQ(session().gameState, GameState::Playing);
  EXPECT_EQ(board().NoteMask(1, 2), Digits({8}));
  EXPECT_FALSE(game().CanUndo());
  EXPECT_FALSE(game().CanRedo());
  CtrlY();
  EXPECT_EQ(host().notices, std::vector<std::string>{"There is nothing to redo."});
  EXPECT_EQ(board().NoteMask(5, 0), 0u);
}

}  // namespace
}  // namespace velmora
