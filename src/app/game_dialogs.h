#pragma once
// The game's secondary windows: Choose Player, Continue Game, New Game, the
// Tile menu, Options, the intro pages and Puzzle Results. The game window uses
// the skinned ones of src/dialogs (SkinnedGameDialogs); tests give it scripted ones.
#include <string_view>

#include "game_host.h"

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

}  // namespace velmora
