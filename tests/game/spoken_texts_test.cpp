// What a screen reader is told of the board, the tray and the status, on the
// puzzle AA1500 whose layout view_aids_test.cpp writes out. Its hidden tiles,
// by digit: 1 at (1,1) (4,2); 2 at (3,0) (5,3); 3 at (3,2) (4,4); 4 at (2,5)
// (5,4); 5 at (0,0) (3,3); 6 at (6,1); 7 at (5,0) (8,7); 8 at (1,2) (2,8);
// 9 at (1,8) (2,0): 17 in all, two of each digit but the 6.
#include "game_rig.h"

namespace velmora {
namespace {

using testing::GameTest;

class SpokenTextsTest : public GameTest {
 protected:
  void StartKnownGame(bool ignoreMistakes) {
    if (run->roster.PlayerCount() == 0) {
      ASSERT_TRUE(run->roster.AddPlayer("Ann"));
    }
    host().choosePlayer = testing::ChooseExisting("Ann");
    host().newGame = [ignoreMistakes](PlayerSettings& settings, bool inProgress) {
      settings.ignoreMistakes = ignoreMistakes;
      return testing::BeginGame(kGameTypeNormal, kDifficultyEasy, "AA1500")(settings, inProgress);
    };
    host().continueAnswer = 0;
    game().OnSplashEnded();
    run->Advance(300 + 500);
    ASSERT_EQ(session().gameState, GameState::Playing);
    run->Settle();
    ASSERT_EQ(board().TypeAt(1, 2), 7) << "not the puzzle of view_aids_test.cpp";
  }
  void Note(int row, int column, int digit) { KeyPlay(row, column, digit - 1, true); }
  void Play(int row, int column, int digit) { KeyPlay(row, column, digit - 1); }
};

// Each tile as the player finds it: given, empty, noted once or more, found.
TEST_F(SpokenTextsTest, TilesAreReadFromTheBoard) {
  StartKnownGame(false);
  Note(1, 2, 1);
  Note(1, 2, 7);
  Note(1, 1, 3);
  for (int digit : {1, 4, 7}) Note(2, 0, digit);
  Play(0, 0, 5);
  const struct {
    int row, column;
    const char* spoken;
  } cases[] = {
      {0, 1, "row 1, column 2, 2, given"},
      {1, 8, "row 2, column 9, empty"},
      {1, 2, "row 2, column 3, empty, notes 1 and 7"},
      {1, 1, "row 2, column 2, empty, note 3"},
      {2, 0, "row 3, column 1, empty, notes 1, 4 and 7"},
      {0, 0, "row 1, column 1, 5, given"},  // found, it shows as the givens do
  };
  for (const auto& c : cases) EXPECT_EQ(game().TileSpoken(c.row, c.column), c.spoken);

  game().PauseCommand();
  EXPECT_EQ(game().TileSpoken(0, 1), "row 1, column 2, covered") << "a paused board is hidden";
}

// With Ignore Mistakes a tile shows what was played into it; the viewing aids'
// marks are read with it.
TEST_F(SpokenTextsTest, PlayedTilesAndTheViewingAidsMarks) {
  StartKnownGame(true);
  game().ToggleViewAid(ViewAid::kMarkConflicts);
  game().ToggleViewAid(ViewAid::kHighlightActiveNumber);
  Play(0, 0, 2);  // the row's given 2 stands at (0, 1)
  Play(3, 3, 5);
  game().SetActiveNumber(4);  // the digit 5
  EXPECT_EQ(game().TileSpoken(0, 0), "row 1, column 1, played 2, conflict");
  EXPECT_EQ(game().TileSpoken(0, 1), "row 1, column 2, 2, given, conflict");
  EXPECT_EQ(game().TileSpoken(3, 3), "row 4, column 4, played 5, highlighted");
  EXPECT_EQ(game().TileSpoken(1, 5), "row 2, column 6, 5, given, highlighted");
  EXPECT_EQ(game().TileSpoken(2, 5), "row 3, column 6, empty");
}

// The tray says how many of a digit are left (found, with Ignore Mistakes), in words.
TEST_F(SpokenTextsTest, TrayButtonsCountWhatIsLeft) {
  StartKnownGame(false);
  EXPECT_EQ(game().TraySpoken(4), "5, two left");
  EXPECT_EQ(game().TraySpoken(5), "6, one left");
  Play(6, 1, 6);
  EXPECT_EQ(game().TraySpoken(5), "6, all found");
  EXPECT_EQ(game().TraySpoken(9), "Eraser");

  Restart();
  StartKnownGame(true);
  EXPECT_EQ(game().TraySpoken(4), "5, seven found");
  Play(0, 0, 5);
  Play(3, 3, 5);
  EXPECT_EQ(game().TraySpoken(4), "5, all found");
  Play(1, 1, 5);
  EXPECT_EQ(game().TraySpoken(4), "5, one extra");
}

// The status: the tiles left, the mistakes and the time.
TEST_F(SpokenTextsTest, TheStatusCountsTilesMistakesAndTime) {
  StartKnownGame(false);
  EXPECT_EQ(game().StatusSpoken(false), "17 tiles left, no mistakes");
  Play(0, 0, 4);  // a 5 there
  EXPECT_EQ(game().StatusSpoken(false), "17 tiles left, 1 mistake");
  Play(0, 0, 5);
  run->Advance(65000);
  EXPECT_EQ(game().StatusSpoken(), "16 tiles left, 1 mistake, time 1 minute, 5.0 seconds");
}

}  // namespace
}  // namespace velmora
