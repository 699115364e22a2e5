#pragma once
// Shared steps of the game tests: starting a player's game the way the window
// does (splash ended, Choose Player, New Game) and playing tiles by key.
#include <gtest/gtest.h>

#include <memory>

#include "game_texts.h"
#include "scripted_host.h"

namespace velmora::testing {

class GameTest : public ::testing::Test {
 protected:
  GameTest() : run(std::make_unique<GameRun>(folder)) {}

  Game& game() { return run->game; }
  ScriptedHost& host() { return run->host; }
  const Board& board() { return run->game.GetBoard(); }
  GameSession& session() { return run->game.Session(); }
  GDUSER& record() { return *run->roster.Player(run->roster.CurrentPlayer()); }

  // From the end of the splash to play: a player who has no game to continue
  // (made beforehand, so the Beginner's Guide stays out of the way) and a New
  // Game dialog that begins at once.
  void StartGame(int type, int difficulty, const std::string& code = "", const std::string& player = "Ann") {
    bool exists = false;
    for (int i = 0; i < run->roster.PlayerCount(); ++i) exists |= run->roster.Player(i)->GetName() == player;
    if (!exists) {
      ASSERT_TRUE(run->roster.AddPlayer(player));
    }
    host().choosePlayer = ChooseExisting(player);
    host().newGame = BeginGame(type, difficulty, code);
    host().continueAnswer = ContinueAnswer::kNewGame;
    game().OnSplashEnded();
    run->Advance(300 + 500);
    ASSERT_EQ(session().gameState, GameState::Playing);
    run->Settle();
  }

  // A new game from the New Game command of a running program.
  void NextGame(int type, int difficulty, const std::string& code = "") {
    host().newGame = BeginGame(type, difficulty, code);
    game().NewGame();
    ASSERT_EQ(session().gameState, GameState::Playing);
    run->Settle();
  }

  // Plays a type on a tile with the number keys, as the player would after
  // moving the Cursor Tile there.
  void KeyPlay(int row, int column, int type, bool control = false) {
    game().SetCursorTile(row, column);
    game().OnKey(key::kDigit1 + type, control);
  }
  void PlayRight(int row, int column) { KeyPlay(row, column, board().TypeAt(row, column)); }
  int WrongType(int row, int column) { return (board().TypeAt(row, column) + 1) % 9; }

  // Finds every hidden tile but the last `leave` ones.
  void PlayAllBut(size_t leave) {
    auto hidden = HiddenTiles(board());
    for (size_t i = 0; i + leave < hidden.size(); ++i) PlayRight(hidden[i].first, hidden[i].second);
  }

  // A later run of the program on the same data folder.
  void Restart() {
    run.reset();
    run = std::make_unique<GameRun>(folder);
  }

  DataFolder folder;
  std::unique_ptr<GameRun> run;
};

}  // namespace velmora::testing
