// Pausing a game (its clock, the Payback countdown, what keys and clicks do
// meanwhile) and changing the player in the middle of a game.
#include <filesystem>
#include <string>
#include <vector>

#include "board_geometry.h"
#include "game_rig.h"

namespace velmora {
namespace {

using testing::GameTest;
using testing::HiddenTiles;

bool Holds(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class PauseTest : public GameTest {};

// 10 s played, a pause of a minute, 5 s more: the game has been played for
// 15 s, and a save during the pause holds the 10 s played before it.
TEST_F(PauseTest, TheGameTimeStandsStillWhilePausedAndIsSavedSo) {
  StartGame(kGameTypeNormal, kDifficultyEasy);
  run->Advance(10000);
  game().OnKey(key::kLetterP, false);
  ASSERT_TRUE(game().Paused());
  EXPECT_EQ(host().pauseCoverShown, std::vector<bool>{true});
  run->Advance(60000);
  EXPECT_EQ(game().GameTime(), 10000u);
  session().statisticShown = 0;
  EXPECT_EQ(game().StatsPanelText(), "0:00:10");

  ASSERT_TRUE(game().OnSessionEnd());
  EXPECT_TRUE(Holds(folder.UserFile("Ann"), "gameTime = 10000;\n"));
  EXPECT_TRUE(game().Paused()) << "saving does not resume";

  game().OnKey(key::kPause, false);  // a key resumes, even the Pause key
  EXPECT_FALSE(game().Paused());
  EXPECT_EQ(host().pauseCoverShown, (std::vector<bool>{true, false}));
  run->Advance(5000);
  EXPECT_EQ(game().GameTime(), 15000u);
  session().statisticShown = 0;
  EXPECT_EQ(game().StatsPanelText(), "0:00:15");
  game().OnCloseRequest();  // answered no
  EXPECT_TRUE(Holds(folder.UserFile("Ann"), "gameTime = 15000;\n"));
}

// Expert: 60 s a round. A tile found at 30 s makes the round 30 + 60 = 90 s,
// 40 s of which are left when the game is paused at 80 s. A long pause hides
// nothing; after it the countdown shows and runs out the 40 s it had, and the
// tile taken back is stamped with the 120 s played.
TEST_F(PauseTest, ThePaybackCountdownStopsAndGoesOnWithWhatWasLeft) {
  StartGame(kGameTypePayback, kDifficultyExpert);
  const auto [r, c] = HiddenTiles(board())[0];
  run->Advance(30000);
  PlayRight(r, c);
  ASSERT_EQ(session().paybackTime, 90000);
  run->Advance(50000);
  game().PauseCommand();
  ASSERT_TRUE(game().Paused());
  EXPECT_EQ(host().timers.count(kPaybackTimer), 0u) << "the countdown's timer stops";
  run->Advance(200000);
  EXPECT_FALSE(board().IsHidden(r, c));
  EXPECT_EQ(game().StatsPanelText(), "Payback Time\n0:00:40");

  // Saved while paused: the round's length, as an unpaused game saves it.
  game().OnCloseRequest();
  const std::string saved = folder.UserFile("Ann");
  EXPECT_TRUE(Holds(saved, "gamePaybackTime = 90000;\n"));
  EXPECT_TRUE(Holds(saved, "gameTime = 80000;\n"));

  game().OnKey(key::kSpace, false);
  EXPECT_FALSE(game().Paused());
  EXPECT_TRUE(host().tileMenuCalls.empty()) << "the resuming key does nothing else";
  EXPECT_EQ(host().timers.at(kPaybackTimer).period, 40000u);
  EXPECT_EQ(game().StatsPanelText(), "Payback Time\n0:00:40");
  run->Advance(39999);
  EXPECT_FALSE(board().IsHidden(r, c));
  EXPECT_EQ(game().StatsPanelText(), "Payback!");
  run->Advance(1);
  EXPECT_TRUE(board().IsHidden(r, c));
  EXPECT_EQ(session().playKeys.back(), (PlayKey{false, 120000}));
  EXPECT_EQ(session().paybackTime, 60000);
  EXPECT_EQ(host().timers.at(kPaybackTimer).period, 60000u);

  // A second pause of the next round: 25 s in, 35 s are left after it.
  run->Advance(25000);
  game().OnKey(key::kLetterP, true);
  run->Advance(3000);
  game().Resume();
  EXPECT_EQ(host().timers.at(kPaybackTimer).period, 35000u);
  EXPECT_EQ(game().GameTime(), 145000u);
}

TEST_F(PauseTest, KeysAndClicksWhilePausedOnlyResume) {
  StartGame(kGameTypeNormal, kDifficultyEasy);
  const auto [r, c] = HiddenTiles(board())[0];
  game().SetCursorTile(r, c);
  const Board before = board();
  const auto pause = [&] {
    game().PauseCommand();
    ASSERT_TRUE(game().Paused());
  };

  pause();
  EXPECT_FALSE(game().PauseAvailable());
  game().OnKey(key::kControl, true);  // Control alone waits for its key
  EXPECT_TRUE(game().Paused());
  game().OnKey(key::kDigit1 + board().TypeAt(r, c), true);
  EXPECT_FALSE(game().Paused());
  EXPECT_EQ(board().At(r, c).noteMask, before.At(r, c).noteMask) << "Control+digit did not note";

  pause();
  game().OnKey(key::kDigit1 + board().TypeAt(r, c), false);
  EXPECT_FALSE(game().Paused());
  EXPECT_TRUE(board().IsHidden(r, c)) << "the digit did not play";

  pause();
  game().OnKey(key::kF5, false);
  EXPECT_FALSE(game().Paused());
  EXPECT_EQ(session().hints, 0);
  EXPECT_TRUE(host().Messages().empty());

  pause();
  game().OnControlClicked(control::TileId(r, c));
  EXPECT_FALSE(game().Paused());
  pause();
  game().OnRightClick(layout::TileX(c) + 5, layout::TileY(r) + 5);
  EXPECT_FALSE(game().Paused());
  pause();
  game().OnControlClicked(control::kHint);
  EXPECT_FALSE(game().Paused());
  EXPECT_TRUE(board().IsHidden(r, c));
  EXPECT_TRUE(host().tileMenuCalls.empty());
  EXPECT_EQ(session().hints, 0);
  EXPECT_EQ(session().mistakes, 0);
  EXPECT_EQ(host().pauseCoverShown.size(), 12u);

  // Playing again: the same keys play.
  game().OnKey(key::kDigit1 + board().TypeAt(r, c), false);
  EXPECT_FALSE(board().IsHidden(r, c));

  // Only a game being played can be paused.
  session().gameState = GameState::Solved;
  game().OnKey(key::kLetterP, false);
  EXPECT_FALSE(game().Paused());
}

// A new player's guide starts 1 s + 10 s after play begins, counted on the
// game's clock: pauses of a minute and of 30 s, 400 ms and 4 s into those
// waits, put off each step by as long as they last.
TEST_F(PauseTest, TheTipsAndTheGuideWaitWhilePaused) {
  host().choosePlayer = testing::CreatePlayer("Ann");
  host().newGame = testing::BeginGame(kGameTypeNormal, kDifficultyEasy);
  game().OnSplashEnded();
  run->Advance(300 + 500);
  ASSERT_EQ(session().gameState, GameState::Playing);
  ASSERT_EQ(host().tipTexts.size(), 1u);  // the tips window's own introduction
  run->Advance(400);
  game().PauseCommand();
  run->Advance(60000);
  game().Resume();
  run->Advance(599);
  EXPECT_FALSE(session().TimerPending(kTipTimer));
  run->Advance(1);
  ASSERT_TRUE(session().TimerPending(kTipTimer));
  run->Advance(4000);
  game().PauseCommand();
  run->Advance(30000);
  game().Resume();
  run->Advance(5999);
  EXPECT_EQ(host().tipTexts.size(), 1u);
  run->Advance(1);
  ASSERT_EQ(host().tipTexts.size(), 2u);
  EXPECT_EQ(host().tipTexts[1], game().TipText(0));
}

class ChangePlayerTest : public GameTest {};

// Expert: a tile found at 30 s makes the round 90 s long, due at 120 s. At
// 50 s Ann chooses herself (nothing changes: no question, the countdown not
// started again), then a new player, who leaves the New Game dialog: Ann's
// game comes back as it stood, its clock and countdown having waited, and the
// found tile is taken back 70 s later, still open to the countdown.
TEST_F(ChangePlayerTest, TheGameGoesOnAsItWasUnlessSomebodyElseBeginsOne) {
  StartGame(kGameTypePayback, kDifficultyExpert);
  const auto [r, c] = HiddenTiles(board())[0];
  run->Advance(30000);
  PlayRight(r, c);
  game().SetCursorTile(4, 4);
  run->Advance(20000);
  const uint32_t countdownStart = host().timers.at(kPaybackTimer).start;
  host().choosePlayer = testing::ChooseExisting("Ann");
  game().ChangePlayerCommand();
  EXPECT_TRUE(host().continueTexts.empty());
  EXPECT_EQ(host().timers.at(kPaybackTimer).start, countdownStart);

  host().choosePlayer = testing::CreatePlayer("Bob");
  host().newGame = nullptr;  // Bob leaves the New Game dialog
  game().ChangePlayerCommand();
  run->Advance(500);
  ASSERT_EQ(host().newGameInProgress.size(), 2u);
  EXPECT_TRUE(host().newGameInProgress.back()) << "Bob's New Game can be left";
  EXPECT_EQ(record().GetName(), "Ann");
  ASSERT_EQ(session().gameState, GameState::Playing);
  EXPECT_EQ(game().GameTime(), 50000u);
  EXPECT_EQ(session().cursorRow * 9 + session().cursorColumn, 4 * 9 + 4);
  run->Advance(69999);
  EXPECT_FALSE(board().IsHidden(r, c));
  run->Advance(1);
  EXPECT_TRUE(board().IsHidden(r, c));
}

// The countdown carried over a start of the program for a new window size:
// the saved game goes on with the 70 s it had left and its found tile
// still open to it, where a plain continue starts a fresh 90 s round that
// protects it. Only that player's save of that time takes the countdown.
TEST_F(ChangePlayerTest, ACountdownCarriedToTheNextRunGoesOnWhereItWas) {
  StartGame(kGameTypePayback, kDifficultyExpert);
  run->Advance(30000);
  PlayRight(HiddenTiles(board())[0].first, HiddenTiles(board())[0].second);
  run->Advance(20000);
  const int32_t givens = session().paybackCount;
  ASSERT_TRUE(game().SaveGame());
  const std::optional<KeptCountdown> kept = game().CountdownToKeep();
  ASSERT_TRUE(kept.has_value());
  EXPECT_EQ(*kept, (KeptCountdown{"Ann", 50000, 70000, givens}));
  for (const bool sameSave : {false, true}) {
    Restart();
    KeptCountdown carried = *ParseKeptCountdown(FormatKeptCountdown(*kept));
    if (!sameSave) carried.gameTime += 1;
    game().SetKeptCountdown(carried);
    host().choosePlayer = testing::ChooseExisting("Ann");
    host().continueAnswer = ContinueAnswer::kContinue;
    game().OnSplashEnded();
    run->Advance(300);
    ASSERT_EQ(session().gameState, GameState::Playing);
    EXPECT_EQ(host().timers.at(kPaybackTimer).period, sameSave ? 70000u : 90000u) << sameSave;
    EXPECT_EQ(session().paybackCount, sameSave ? givens : givens + 1) << sameSave;
  }
}

TEST(KeptCountdownText, OnlyANameAndThreeWholeNumbersAreRead) {
  EXPECT_EQ(ParseKeptCountdown("Ann Lee/50000/69750/30"), (KeptCountdown{"Ann Lee", 50000, 69750, 30}));
  for (const char* bad : {"", "Ann", "/1/2/3", "Ann/1/2", "Ann/1/2/3/4", "Ann/1/2/3/", "Ann/-1/2/3", "Ann/1/x/3",
                          "Ann/1//3", "Ann/1/2/3 ", "Ann/99999999999/2/3"})
    EXPECT_FALSE(ParseKeptCountdown(bad).has_value()) << bad;
}

// Ann's game is saved as leaving saves it; Bob goes on as at start, with his
// colour and a new game; Ann, chosen again, is asked to continue hers.
TEST_F(ChangePlayerTest, SavesTheGameAndTheChosenPlayerGoesOnAsAtStart) {
  ASSERT_TRUE(run->roster.AddPlayer("Bob"));
  run->roster.Player(run->roster.PlayerCount() - 1)->settings.hue = 40.0f;
  StartGame(kGameTypePayback, kDifficultyExpert);
  const auto [r, c] = HiddenTiles(board())[0];
  run->Advance(9000);
  PlayRight(r, c);
  const Board annBoard = board();
  ASSERT_TRUE(game().ChangePlayerAvailable());

  std::string savedWhenAsked;
  host().choosePlayer = [&](PlayerRoster& roster) {
    savedWhenAsked = folder.UserFile("Ann");
    return testing::ChooseExisting("Bob")(roster);
  };
  host().newGame = testing::BeginGame(kGameTypeNormal, kDifficultyEasy);
  game().ChangePlayerCommand();
  EXPECT_TRUE(Holds(savedWhenAsked, "gameActive = true;\n"));
  EXPECT_TRUE(Holds(savedWhenAsked, "gameTime = 9000;\n"));
  EXPECT_TRUE(host().Messages().empty()) << "no question";
  EXPECT_EQ(record().GetName(), "Bob");
  EXPECT_EQ(host().hueShifts, std::vector<float>{40.0f - 220.0f});
  EXPECT_TRUE(host().continueTexts.empty());
  run->Advance(500);
  ASSERT_EQ(session().gameState, GameState::Playing);
  EXPECT_EQ(session().settings.type, kGameTypeNormal);
  EXPECT_EQ(host().timers.count(kPaybackTimer), 0u) << "Ann's countdown does not reach Bob's game";
  run->Advance(70000);
  EXPECT_TRUE(session().playKeys.empty());

  host().choosePlayer = testing::ChooseExisting("Ann");
  host().continueAnswer = ContinueAnswer::kContinue;
  game().ChangePlayerCommand();
  EXPECT_TRUE(Holds(folder.UserFile("Bob"), "gameActive = true;\n"));
  ASSERT_EQ(host().continueTexts.size(), 1u);
  EXPECT_EQ(host().continueTexts[0].first, "Welcome back Ann!\nWould you like to continue your last game?");
  ASSERT_EQ(session().gameState, GameState::Playing);
  EXPECT_EQ(session().timeBefore, 9000);
  EXPECT_EQ(session().settings.type, kGameTypePayback);
  EXPECT_EQ(session().playKeys.size(), 1u) << "Bob's game left nothing behind";
  for (int i = 0; i < 81; ++i) EXPECT_EQ(board().IsHidden(i / 9, i % 9), annBoard.IsHidden(i / 9, i % 9)) << i;
  // The round saved at Ann's change: 60 - 9 + 60 s.
  EXPECT_EQ(host().timers.at(kPaybackTimer).period, 111000u);
}

// Leaving Choose Player goes on with Ann's game as it was, whoever the list
// showed meanwhile; what happens while it is open never lands in the file of
// the player it shows.
TEST_F(ChangePlayerTest, LeavingChoosePlayerKeepsTheCurrentPlayerPlaying) {
  ASSERT_TRUE(run->roster.AddPlayer("Bob"));
  StartGame(kGameTypePayback, kDifficultyExpert);
  run->Advance(20000);
  const uint32_t gameStart = session().gameStart;
  const std::string bobBefore = folder.UserFile("Bob");
  int asked = 0;
  host().choosePlayer = [&](PlayerRoster& roster) {
    ++asked;
    testing::ChooseExisting("Bob")(roster);
    EXPECT_TRUE(game().OnSessionEnd());
    game().OnCloseRequest();
    return ChoosePlayerAnswer{ChoosePlayerAnswer::kCancelled, false};
  };
  game().ChangePlayerCommand();
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(record().GetName(), "Ann");
  EXPECT_EQ(folder.UserFile("Bob"), bobBefore);
  EXPECT_TRUE(host().Messages().empty());
  EXPECT_EQ(session().gameState, GameState::Playing);
  EXPECT_FALSE(game().Paused());
  EXPECT_EQ(session().gameStart, gameStart);
  EXPECT_EQ(host().timers.count(kPaybackTimer), 1u);
  EXPECT_TRUE(host().tileControlsShown);
  run->Advance(5000);
  EXPECT_EQ(game().GameTime(), 25000u);

  // Ann removed herself before leaving: the dialog comes back until someone is chosen.
  asked = 0;
  host().choosePlayer = [&](PlayerRoster& roster) {
    ++asked;
    // Ann's game ended with her: its countdown does not run behind the dialog.
    if (asked == 2) {
      EXPECT_EQ(host().timers.count(kPaybackTimer), 0u);
    }
    if (asked == 1) {
      for (int i = 0; i < roster.PlayerCount(); ++i)
        if (roster.Player(i)->GetName() == "Ann") roster.RemovePlayer(i);
      return ChoosePlayerAnswer{ChoosePlayerAnswer::kCancelled, false};
    }
    return testing::ChooseExisting("Bob")(roster);
  };
  host().newGame = nullptr;  // Bob does not begin a game
  game().ChangePlayerCommand();
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(record().GetName(), "Bob");
  run->Advance(500);
  EXPECT_EQ(host().newGameInProgress.back(), false);
  EXPECT_EQ(session().gameState, GameState::NoGame);
  EXPECT_FALSE(host().tileControlsShown);
  EXPECT_EQ(host().timers.count(kPaybackTimer), 0u);
}

// A save that fails has told the player, who stays with the game; between
// games and while paused there is nothing to change from.
TEST_F(ChangePlayerTest, NoChoiceWithoutASaveOrBetweenGames) {
  StartGame(kGameTypeNormal, kDifficultyEasy);
  int asked = 0;
  host().choosePlayer = [&](PlayerRoster&) {
    ++asked;
    return ChoosePlayerAnswer{ChoosePlayerAnswer::kCancelled, false};
  };
  const std::filesystem::path file = std::filesystem::path(folder.Path()) / "data" / "users" / "Ann.user";
  ASSERT_TRUE(std::filesystem::remove(file));
  std::filesystem::create_directory(file);
  game().ChangePlayerCommand();
  EXPECT_EQ(asked, 0);
  ASSERT_EQ(run->messageBox.shown.size(), 1u);
  EXPECT_EQ(run->messageBox.shown[0].rfind("Unable to save!", 0), 0u);
  EXPECT_EQ(session().gameState, GameState::Playing);
  std::filesystem::remove(file);

  game().PauseCommand();
  EXPECT_FALSE(game().ChangePlayerAvailable());
  game().ChangePlayerCommand();
  EXPECT_EQ(asked, 0);
  game().Resume();
  game().StartGameTimer(kNewGameTimer, 1000);
  EXPECT_FALSE(game().ChangePlayerAvailable());
  game().ChangePlayerCommand();
  EXPECT_EQ(asked, 0);
  EXPECT_FALSE(std::filesystem::exists(file));
}

}  // namespace
}  // namespace velmora
