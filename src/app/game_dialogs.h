#pragma once
// The game's secondary windows in plain Qt: Choose Player, Continue Game, New
// Game, the Tile menu, Options, the intro pages and Puzzle Results. They answer
// the game's requests with the same inputs and results the game's own skinned
// dialogs will, so the whole game can be played from start to victory.
#include <string_view>

#include "game_host.h"

class QWidget;

namespace velmora {

class PlayerRoster;

// The dialogs the game window shows for the game; tests give the window scripted ones.
class GameDialogs {
 public:
  virtual ~GameDialogs() = default;
  virtual ChoosePlayerAnswer ChoosePlayer(PlayerRoster& roster) = 0;
  virtual int ContinueGame(std::string_view question, std::string_view details) = 0;
  virtual NewGameAnswer NewGame(PlayerSettings& settings, bool gameInProgress) = 0;
  virtual TileMenuAnswer TileMenu(int row, int column, bool noteMenu, bool fromMouse, TileMenuMemory& memory) = 0;
  virtual OptionsAnswer Options(PlayerSettings& settings) = 0;
  virtual void Intro(bool tutorialOnly, PlayerSettings& settings) = 0;
  virtual void Results(const PuzzleResults& results) = 0;
};

class PlainGameDialogs : public GameDialogs {
 public:
  explicit PlainGameDialogs(QWidget* owner) : owner_(owner) {}

  ChoosePlayerAnswer ChoosePlayer(PlayerRoster& roster) override;
  int ContinueGame(std::string_view question, std::string_view details) override;
  NewGameAnswer NewGame(PlayerSettings& settings, bool gameInProgress) override;
  TileMenuAnswer TileMenu(int row, int column, bool noteMenu, bool fromMouse, TileMenuMemory& memory) override;
  OptionsAnswer Options(PlayerSettings& settings) override;
  void Intro(bool tutorialOnly, PlayerSettings& settings) override;
  void Results(const PuzzleResults& results) override;

 private:
  QWidget* owner_;
  int chooseCancels_ = 0;
};

}  // namespace velmora
