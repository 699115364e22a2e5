// Whole games: a new player from the splash to the victory, the saved file,
// continuing, leaving.
#include <filesystem>
#include <tuple>

#include "game_rig.h"

namespace velmora {
namespace {

using testing::BeginGame;
using testing::CreatePlayer;
using testing::GameTest;
using testing::HiddenTiles;

class GameLifecycleTest : public GameTest {};

TEST_F(GameLifecycleTest, NewPlayerSeesTheIntroThenNewGameThenPlaysWithTheGuide) {
  host().choosePlayer = CreatePlayer("Ann");
  host().introHue = 100.0f;  // picked on the colour page of the intro
  float offeredHue = -1.0f;
  host().newGame = [&](PlayerSettings& settings, bool inProgress) {
    offeredHue = settings.hue;
    EXPECT_FALSE(inProgress);
    settings.seedCreate = 41;
    return BeginGame(kGameTypeNormal, kDifficultyMedium)(settings, inProgress);
  };
  game().OnSplashEnded();
  run->Advance(299);
  EXPECT_TRUE(host().introRuns.empty());
  run->Advance(1);
  EXPECT_EQ(host().introRuns, std::vector<bool>{false});
  const uint32_t chosenAt = host().now;
  run->Advance(500);

  ASSERT_EQ(host().newGameShownAt, std::vector<uint32_t>{chosenAt + 500});
  // The first game is played in the colour picked on the intro page.
  EXPECT_FLOAT_EQ(offeredHue, 100.0f);
  EXPECT_EQ(host().hueShifts, std::vector<float>{-120.0f});
  EXPECT_FLOAT_EQ(session().appliedHue, 100.0f);
  // The build takes no time on this clock: the whole second is slept.
  EXPECT_EQ(host().sleeps, std::vector<uint32_t>{1000});
  EXPECT_GE(host().CountRedrawn(ScreenArea::BuildingText()), 1);
  EXPECT_EQ(session().gameState, GameState::Playing);
  EXPECT_EQ(host().title, "Velmora Sudoku - Puzzle AB41");
  EXPECT_EQ(session().settings.seedCreate, 42);
  EXPECT_TRUE(host().tileControlsShown);
  EXPECT_TRUE(host().commandButtonsEnabled);
  EXPECT_FALSE(game().NewPlayerFlag());
  EXPECT_EQ(host().tipTexts, std::vector<std::string>{texts::kTipsWindowIntro});
  EXPECT_FALSE(board().IsGiven(session().cursorRow, session().cursorColumn));

  // The Beginner's Guide opens 1 s + 10 s after play began.
  run->Advance(10999);
  EXPECT_EQ(host().tipTexts.size(), 1u);
  run->Advance(1);
  ASSERT_EQ(host().tipTexts.size(), 2u);
  EXPECT_EQ(host().tipTexts[1], game().TipText(0));
  EXPECT_EQ(host().timers.at(kTipTimer).period, 6000 + 120 * game().TipText(0).size() - 1);
  run->Advance(host().timers.at(kTipTimer).period);
  EXPECT_EQ(host().tipTexts.back(),
            "The information in the upper-right part of the screen can help you decide which number to play.");

  // The player's file keeps that colour.
  game().OnCloseRequest();
  EXPECT_NE(folder.UserFile("Ann").find("settingsHue = 100;\n"), std::string::npos);
}

TEST_F(GameLifecycleTest, VictoryUpdatesTheResultsSavesAndOffersTheNextGame) {
  StartGame(kGameTypeNormal, kDifficultyMedium);
  host().resultsDuration = 4000;
  // The results may stay open until the session ends: the win is on the disk first.
  std::string savedWhileResultsShow;
  host().whileResultsShow = [&] { savedWhileResultsShow = folder.UserFile("Ann"); };
  auto hidden = HiddenTiles(board());
  ASSERT_FALSE(hidden.empty());
  // A wrong pick from the Play menu, one closed without a choice, then the
  // whole puzzle through the menu, two seconds a tile.
  const auto [r0, c0] = hidden[0];
  host().tileMenuAnswers.push_back({true, WrongType(r0, c0)});
  host().tileMenuAnswers.push_back({});
  game().OnControlClicked(control::TileId(r0, c0));
  game().OnControlClicked(control::TileId(r0, c0));
  EXPECT_EQ(session().mistakes, 1);
  for (auto [r, c] : hidden) {
    run->Advance(2000);
    host().tileMenuAnswers.push_back({true, board().TypeAt(r, c)});
    game().OnControlClicked(control::TileId(r, c));
  }
  ASSERT_EQ(host().tileMenuCalls.size(), hidden.size() + 2);
  EXPECT_FALSE(host().tileMenuCalls[0].noteMenu);
  EXPECT_TRUE(host().tileMenuCalls[0].fromMouse);

  EXPECT_EQ(session().gameState, GameState::Solved);
  EXPECT_FALSE(host().commandButtonsEnabled);
  EXPECT_FALSE(host().boardControlCalls.back());
  ASSERT_EQ(host().results.size(), 1u);
  const PuzzleResults& shown = host().results[0];
  const uint32_t gameTime = 2000u * static_cast<uint32_t>(hidden.size());
  EXPECT_EQ(shown.gameTime, gameTime);
  EXPECT_EQ(shown.playKeys.size(), hidden.size());
  EXPECT_EQ(shown.playKeys.back(), (PlayKey{true, static_cast<int32_t>(gameTime)}));
  EXPECT_EQ(shown.mistakes, 1);
  EXPECT_FALSE(shown.perfect);
  EXPECT_EQ(shown.bestTime, static_cast<int32_t>(gameTime / 100));
  EXPECT_EQ(shown.averageTime, static_cast<int32_t>(gameTime / 100));
  EXPECT_TRUE(shown.newBest);
  EXPECT_EQ(shown.puzzleCode, "AB0");
  EXPECT_EQ(shown.kind, "Normal - Medium");
  EXPECT_EQ(record().GetResult(kResultGamesCompleted, 0, 1), 1);
  EXPECT_FALSE(record().gameActive);
  const std::string saved = folder.UserFile("Ann");
  EXPECT_NE(saved.find("gameActive = false;\n"), std::string::npos);
  EXPECT_NE(saved.find("gameRecordBAB = 1;\n"), std::string::npos);
  EXPECT_NE(saved.find("gameRecordAAB = " + std::to_string(gameTime / 100) + ";\n"), std::string::npos);
  EXPECT_EQ(savedWhileResultsShow, saved);

  // No key works after the victory, not even F2; the New Game dialog comes by itself.
  game().OnKey(key::kF2, false);
  EXPECT_EQ(host().newGameShownAt.size(), 1u);
  run->Advance(999);
  EXPECT_EQ(host().newGameShownAt.size(), 1u);
  run->Advance(1);
  EXPECT_EQ(host().newGameShownAt.size(), 2u);
}

TEST_F(GameLifecycleTest, AnInstantVictoryCountsATenthAndASlowerOneIsNoNewBest) {
  StartGame(kGameTypeNormal, kDifficultyEasy);
  PlayAllBut(0);
  ASSERT_EQ(host().results.size(), 1u);
  EXPECT_EQ(host().results[0].gameTime, 0u);
  EXPECT_EQ(record().GetResult(kResultBestTime, 0, 0), 1);
  EXPECT_TRUE(host().results[0].perfect);

  run->Advance(1000);  // the next game begins from the New Game dialog
  ASSERT_EQ(session().gameState, GameState::Playing);
  run->Advance(65000);
  PlayAllBut(0);
  ASSERT_EQ(host().results.size(), 2u);
  EXPECT_FALSE(host().results[1].newBest);
  EXPECT_EQ(host().results[1].bestTime, 1);
  EXPECT_EQ(host().results[1].averageTime, (1 + 650) / 2);
  EXPECT_EQ(record().GetResult(kResultTimeSum, 0, 0), 651);

  // Equalling the best time is no new best either.
  run->Advance(1000);
  ASSERT_EQ(session().gameState, GameState::Playing);
  PlayAllBut(0);
  ASSERT_EQ(host().results.size(), 3u);
  EXPECT_FALSE(host().results[2].newBest);
  EXPECT_EQ(host().results[2].bestTime, 1);
}

// Results that no victory could have left (negative, or at the largest
// value) neither crash the victory nor wrap around: counts and sums start from
// 0 and stop at their largest value, and so do the game's own counters.
TEST_F(GameLifecycleTest, AVictoryOnResultsOutOfRangeNeitherCrashesNorWraps) {
  StartGame(kGameTypeNormal, kDifficultyEasy);
  record().SetResult(kResultBestTime, 0, 0, -7);
  record().SetResult(kResultGamesCompleted, 0, 0, -1);
  record().SetResult(kResultTimeSum, 0, 0, -2147483647 - 1);
  run->Advance(2000);
  PlayAllBut(0);
  ASSERT_EQ(host().results.size(), 1u);
  EXPECT_EQ(host().results[0].averageTime, 20);
  EXPECT_EQ(host().results[0].bestTime, 20);
  EXPECT_EQ(record().GetResult(kResultGamesCompleted, 0, 0), 1);
  EXPECT_EQ(record().GetResult(kResultTimeSum, 0, 0), 20);

  run->Advance(1000);  // the next game begins from the New Game dialog
  ASSERT_EQ(session().gameState, GameState::Playing);
  record().SetResult(kResultBestTime, 0, 0, 5);
  record().SetResult(kResultGamesCompleted, 0, 0, 2147483647);
  record().SetResult(kResultTimeSum, 0, 0, 2147483640);
  session().hints = 2147483647;
  session().mistakes = 2147483647;
  // Two seconds short of the longest time a user file holds.
  session().timeBefore = 2147483647 - 2000;
  game().HintCommand();
  KeyPlay(HiddenTiles(board())[0].first, HiddenTiles(board())[0].second,
          WrongType(HiddenTiles(board())[0].first, HiddenTiles(board())[0].second));
  EXPECT_EQ(session().hints, 2147483647);
  EXPECT_EQ(session().mistakes, 2147483647);
  run->Advance(5000);
  PlayAllBut(0);
  ASSERT_EQ(host().results.size(), 2u);
  EXPECT_EQ(host().results[1].gameTime, 2147483647u);
  EXPECT_EQ(host().results[1].hints, 2147483647);
  EXPECT_EQ(host().results[1].averageTime, 1) << "2147483647 / 2147483647";
  EXPECT_EQ(host().results[1].bestTime, 5);
  const std::string saved = folder.UserFile("Ann");
  EXPECT_NE(saved.find("gameRecordBAA = 2147483647;\n"), std::string::npos);
  EXPECT_NE(saved.find("gameRecordCAA = 2147483647;\n"), std::string::npos);
}

// Each game type saved with a colour of the player's own and Ignore Mistakes
// chosen comes back after a restart coloured, with its tiles, its counts, its
// play keys, its time and its setting.
TEST_F(GameLifecycleTest, EveryGameTypeContinuesWithThePlayersColourAndIgnoreMistakes) {
  struct Case {
    const char* player;
    int type;
    int difficulty;
    bool ignoreMistakes;  // Payback switches it off when the game is chosen
    int revealsLeft;      // Blackout: reveals still to choose when the game is saved
  };
  const Case cases[] = {{"Nora", kGameTypeNormal, kDifficultyHard, true, 0},
                        {"Paul", kGameTypePayback, kDifficultyMedium, false, 0},
                        {"Bo", kGameTypeBlackout, kDifficultyHard, true, 24},
                        {"Cy", kGameTypeBlackout, kDifficultyExpert, true, 1}};
  for (const Case& test : cases) {
    SCOPED_TRACE(test.player);
    Restart();
    ASSERT_TRUE(run->roster.AddPlayer(test.player));
    host().choosePlayer = testing::ChooseExisting(test.player);
    host().newGame = [&test](PlayerSettings& settings, bool inProgress) {
      settings.hue = 100.0f;
      settings.ignoreMistakes = true;
      return BeginGame(test.type, test.difficulty)(settings, inProgress);
    };
    game().OnSplashEnded();
    run->Advance(300 + 500);
    ASSERT_EQ(session().gameState, GameState::Playing);
    run->Settle();
    ASSERT_EQ(host().hueShifts, std::vector<float>{-120.0f});
    ASSERT_EQ(session().settings.ignoreMistakes, test.ignoreMistakes);
    if (test.type == kGameTypePayback) {
      const char* switchedOff = "Ignore Mistakes is not allowed in Payback games.  It has been switched off.";
      EXPECT_EQ(host().Messages(), std::vector<std::string>{switchedOff});
    }

    // A right play, a wrong one and a note; in Blackout each of them reveals a tile.
    const auto hidden = HiddenTiles(board());
    PlayRight(hidden[0].first, hidden[0].second);
    KeyPlay(hidden[1].first, hidden[1].second, WrongType(hidden[1].first, hidden[1].second));
    KeyPlay(hidden[2].first, hidden[2].second, 4, true);
    for (size_t i = 3; session().blackoutCount > test.revealsLeft; ++i)
      game().OnControlClicked(control::TileId(hidden[i].first, hidden[i].second));
    game().HintCommand();
    game().HintCommand();
    run->Advance(5000);
    const Board before = board();
    const int blackoutCount = session().blackoutCount;
    const int mistakes = session().mistakes;
    const int hints = session().hints;
    const std::vector<PlayKey> keys = session().playKeys;
    const std::string code = game().PuzzleCodeText();
    EXPECT_EQ(blackoutCount, test.revealsLeft);
    EXPECT_EQ(mistakes, test.type == kGameTypePayback ? 1 : 0);
    if (test.type != kGameTypeBlackout) {
      EXPECT_EQ(hints, 2);
    }
    game().OnCloseRequest();  // answered no: saved, still running
    EXPECT_FALSE(host().ended);

    Restart();
    host().choosePlayer = testing::ChooseExisting(test.player);
    host().continueAnswer = ContinueAnswer::kContinue;
    game().OnSplashEnded();
    run->Advance(300);
    ASSERT_EQ(session().gameState, GameState::Playing);
    run->Settle();
    if (test.type == kGameTypePayback) {
      ASSERT_EQ(host().continueTexts.size(), 1u);
      EXPECT_EQ(host().continueTexts[0].first, "Welcome back Paul!\nWould you like to continue your last game?");
      EXPECT_EQ(host().continueTexts[0].second,
                "-Last Game Details-\nType: Payback\nDifficulty: Medium\nMistakes: 1\nTime Played: 5.0 seconds");
    }
    EXPECT_TRUE(host().newGameShownAt.empty());
    EXPECT_EQ(host().title, "Velmora Sudoku - Puzzle " + code);
    EXPECT_EQ(session().settings.type, test.type);
    EXPECT_EQ(host().hueShifts, std::vector<float>{-120.0f});
    EXPECT_FLOAT_EQ(session().appliedHue, 100.0f);
    EXPECT_FLOAT_EQ(session().settings.hue, 100.0f);
    EXPECT_EQ(session().settings.ignoreMistakes, test.ignoreMistakes);
    EXPECT_EQ(session().blackoutCount, blackoutCount);
    EXPECT_EQ(session().mistakes, mistakes);
    EXPECT_EQ(session().hints, hints);
    EXPECT_EQ(session().playKeys, keys);
    EXPECT_EQ(game().GameTime(), 5000u);
    // The Cursor Tile starts on the first tile, row by row, that is not given.
    int firstOpen = 0;
    while (before.IsGiven(firstOpen / 9, firstOpen % 9)) ++firstOpen;
    EXPECT_EQ(std::make_pair(session().cursorRow, session().cursorColumn),
              std::make_pair(firstOpen / 9, firstOpen % 9));
    auto tile = [&test](const Board& b, int r, int c) {
      return std::tuple(b.IsHidden(r, c), b.IsGiven(r, c), b.NoteMask(r, c), b.TypeAt(r, c),
                        test.ignoreMistakes ? b.PlayedTypeAt(r, c) : 0);
    };
    for (int i = 0; i < 81; ++i) EXPECT_EQ(tile(board(), i / 9, i % 9), tile(before, i / 9, i % 9)) << "tile " << i;
    if (test.revealsLeft == 24) {
      EXPECT_EQ(host().Messages().back(), "To create your Blackout puzzle, click on the tiles you wish to reveal.");
      EXPECT_EQ(host().tipTexts.back(),
                "BLACKOUT! Choose the tiles you wish to reveal by clicking them now. You have '24' tiles remaining.");
    }
    if (test.type == kGameTypeBlackout) {
      // With Ignore Mistakes a revealed tile is only played, not given: a click on it changes nothing.
      game().OnControlClicked(control::TileId(hidden[0].first, hidden[0].second));
      EXPECT_EQ(session().blackoutCount, test.revealsLeft);
      EXPECT_FALSE(board().IsHidden(hidden[0].first, hidden[0].second));
    }
    if (test.revealsLeft == 1) {
      EXPECT_EQ(host().Messages().back(), "To create your Blackout puzzle, click on the tile you wish to reveal.");
      EXPECT_EQ(host().tipTexts.back(),
                "BLACKOUT! Choose the tiles you wish to reveal by clicking them now. You have '1' tile remaining.");
    }
  }
}

TEST_F(GameLifecycleTest, DecliningToContinueLeadsToNewGameAndKeepsTheSavedGame) {
  StartGame(kGameTypeNormal, kDifficultyEasy);
  game().OnCloseRequest();  // answered no: saved, still running
  Restart();
  host().choosePlayer = testing::ChooseExisting("Ann");
  host().continueAnswer = ContinueAnswer::kNewGame;
  game().OnSplashEnded();
  run->Advance(300);
  EXPECT_EQ(host().continueTexts.size(), 1u);
  EXPECT_EQ(session().gameState, GameState::NoGame);
  EXPECT_TRUE(record().gameActive);
  run->Advance(500);
  EXPECT_EQ(host().newGameShownAt.size(), 1u);
}

TEST_F(GameLifecycleTest, CloseRequestsWaitForTheStartUpHandOvers) {
  for (int timer : {kChoosePlayerTimer, kNewGameTimer, kSplashTimer}) {
    game().StartGameTimer(timer, 300);
    game().OnCloseRequest();
    EXPECT_TRUE(host().reports.empty()) << "timer " << timer;
    game().KillGameTimer(timer);
  }
  host().questionAnswers.push_back(false);  // a question that could not be shown answers no
  game().OnCloseRequest();
  EXPECT_FALSE(host().ended);
  host().questionAnswers.push_back(true);
  game().OnCloseRequest();
  EXPECT_EQ(host().Messages(), (std::vector<std::string>{"Exit now?", "Exit now?"}));
  EXPECT_TRUE(host().ended);
}

// "Puzzle saved." is said only of a save that happened. When the file cannot
// be written the player has been told so, and the plain question lets the
// player stay with the game instead of leaving it unsaved.
TEST_F(GameLifecycleTest, LeavingSavesBeforeAskingAndAFailedSaveLetsThePlayerStay) {
  StartGame(kGameTypeNormal, kDifficultyEasy);
  run->Advance(4000);
  const std::filesystem::path file = std::filesystem::path(folder.Path()) / "data" / "users" / "Ann.user";
  ASSERT_TRUE(std::filesystem::remove(file));
  std::filesystem::create_directory(file);  // nothing can be saved there
  game().OnCloseRequest();                  // answered no
  EXPECT_EQ(host().Messages(), std::vector<std::string>{"Exit now?"});
  ASSERT_EQ(run->messageBox.shown.size(), 1u);
  EXPECT_EQ(run->messageBox.shown[0].rfind("Unable to save!", 0), 0u);
  EXPECT_FALSE(host().ended);
  EXPECT_EQ(session().gameState, GameState::Playing);

  std::filesystem::remove(file);
  host().reports.clear();
  std::string savedWhenAsked;
  host().questionAnswers.push_back(true);
  host().whileAsked = [&] {
    savedWhenAsked = folder.UserFile("Ann");
    host().now += 6000;  // the player takes 6 s to answer
  };
  game().OnCloseRequest();
  EXPECT_EQ(host().Messages(), std::vector<std::string>{"Puzzle saved. Exit now?"});
  EXPECT_NE(savedWhenAsked.find("gameActive = true;\n"), std::string::npos);
  EXPECT_NE(savedWhenAsked.find("gameTime = 4000;\n"), std::string::npos);
  EXPECT_TRUE(host().ended);
  // Saved again after the answer: the 4 s played and the 6 s on the question.
  EXPECT_NE(folder.UserFile("Ann").find("gameTime = 10000;\n"), std::string::npos);
}

// At a logout or a termination signal the game is saved as leaving saves it,
// with nothing shown and no pause: nobody may be there to answer.
TEST_F(GameLifecycleTest, TheEndOfTheSessionSavesWithoutAQuestion) {
  StartGame(kGameTypeNormal, kDifficultyEasy);
  run->Advance(7000);
  const size_t sleeps = host().sleeps.size();
  EXPECT_TRUE(game().OnSessionEnd());
  EXPECT_TRUE(host().Messages().empty());
  EXPECT_EQ(host().sleeps.size(), sleeps);
  EXPECT_FALSE(host().ended);
  const std::string saved = folder.UserFile("Ann");
  EXPECT_NE(saved.find("gameActive = true;\n"), std::string::npos);
  EXPECT_NE(saved.find("gameTime = 7000;\n"), std::string::npos);

  // A file that cannot be written is logged, not shown.
  const std::filesystem::path file = std::filesystem::path(folder.Path()) / "data" / "users" / "Ann.user";
  std::filesystem::remove(file);
  std::filesystem::create_directory(file);
  EXPECT_FALSE(game().OnSessionEnd());
  EXPECT_TRUE(host().Messages().empty());
  EXPECT_TRUE(run->messageBox.shown.empty());
  EXPECT_EQ(host().reports.back().text, texts::kSaveAtSessionEndFailed);
  EXPECT_TRUE(host().reports.back().logOnly);

  // Between games, where leaving saves nothing, neither does the session's end.
  std::filesystem::remove(file);
  game().StartGameTimer(kNewGameTimer, 1000);
  EXPECT_TRUE(game().OnSessionEnd());
  EXPECT_FALSE(std::filesystem::exists(file));
}

// Outside play there is nothing unsaved, and a player's kept game must survive
// a session that ends while the player is being chosen or a new game set up.
TEST_F(GameLifecycleTest, TheEndOfTheSessionOutsidePlayKeepsTheSavedGame) {
  StartGame(kGameTypeNormal, kDifficultyEasy);
  run->Advance(3000);
  ASSERT_TRUE(game().SaveGame());
  const std::string kept = folder.UserFile("Ann");
  ASSERT_NE(kept.find("gameActive = true;\n"), std::string::npos);

  Restart();
  int ended = 0;
  host().choosePlayer = [&](PlayerRoster& roster) {
    roster.SetCurrentPlayer(0);  // Ann is highlighted in the list
    ended += game().OnSessionEnd() ? 1 : 0;
    return ChoosePlayerAnswer{ChoosePlayerAnswer::kChosen, false};
  };
  host().continueAnswer = ContinueAnswer::kNewGame;  // declined: the kept game stays in the file
  host().newGame = [&](PlayerSettings&, bool) {
    ended += game().OnSessionEnd() ? 1 : 0;
    return NewGameAnswer::kQuit;
  };
  game().OnSplashEnded();
  run->Advance(300 + 500);
  EXPECT_EQ(ended, 2);
  EXPECT_EQ(folder.UserFile("Ann"), kept);
}

TEST_F(GameLifecycleTest, ChoosePlayerCanQuitOrComeBack) {
  int asked = 0;
  host().choosePlayer = [&](PlayerRoster&) {
    ++asked;
    return ChoosePlayerAnswer{asked == 1 ? ChoosePlayerAnswer::kShowAgain : ChoosePlayerAnswer::kQuit, false};
  };
  game().OnSplashEnded();
  run->Advance(300);
  EXPECT_EQ(asked, 1);
  EXPECT_FALSE(host().ended);
  run->Advance(300);
  EXPECT_EQ(asked, 2);
  EXPECT_TRUE(host().ended);
}

TEST_F(GameLifecycleTest, APuzzleCodeNamesThePuzzleAndItsKind) {
  StartGame(kGameTypeNormal, kDifficultyEasy, "CD007");
  EXPECT_EQ(session().settings.type, kGameTypeBlackout);
  EXPECT_EQ(session().settings.difficultyName, "Expert");
  EXPECT_EQ(host().title, "Velmora Sudoku - Puzzle CD007");
  EXPECT_EQ(session().settings.seedCreate, 0);  // a code does not move the counter
  EXPECT_EQ(session().blackoutCount, 18);
}

}  // namespace
}  // namespace velmora
