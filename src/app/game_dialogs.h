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

class GameDialogs {
 public:
  explicit GameDialogs(QWidget* owner) : owner_(owner) {}

  ChoosePlayerAnswer ChoosePlayer(PlayerRoster& roster);
  int ContinueGame(std::string_view question, std::string_view details);
  NewGameAnswer NewGame(PlayerSettings& settings, bool gameInProgress);
  TileMenuAnswer TileMenu(int row, int column, bool noteMenu, bool fromMouse, TileMenuMemory& memory);
  OptionsAnswer Options(PlayerSettings& settings);
  void Intro(bool tutorialOnly, PlayerSettings& settings);
  void Results(const PuzzleResults& results);

 private:
  QWidget* owner_;
  int chooseCancels_ = 0;
};

}  // namespace velmora
