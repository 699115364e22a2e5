#pragma once
// The game's secondary windows: Choose Player, Continue Game, New Game, the
// Tile menu, Options, the intro pages and Puzzle Results. Each runs modally;
// the window's timers keep firing meanwhile. The program gives the game the
// skinned ones of src/dialogs; tests give it scripted ones.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "game_session.h"
#include "user_record.h"

namespace velmora {

class PlayerRoster;

struct ChoosePlayerAnswer {
  enum Outcome { kQuit, kShowAgain, kChosen, kCancelled };
  Outcome outcome = kQuit;
  bool newPlayer = false;  // the chosen player was created just now
};

enum class ContinueAnswer { kNewGame, kContinue };
enum class NewGameAnswer { kQuit, kCancel, kOk };
enum class OptionsAnswer { kCancel, kOk, kViewTutorial };

struct TileMenuAnswer {
  bool chosen = false;  // false: the menu closed without a choice
  int type = 0;         // 0..8, or kTileMenuEraser
};
inline constexpr int kTileMenuEraser = -1;

// What the Puzzle Results dialog shows.
struct PuzzleResults {
  std::vector<PlayKey> playKeys;
  uint32_t gameTime = 0;  // ms
  int32_t hints = 0;
  int32_t mistakes = 0;
  int32_t freePlays = 0;
  bool perfect = false;
  int32_t averageTime = 0;  // tenths of a second
  int32_t bestTime = 0;     // tenths of a second
  bool newBest = false;
  std::string puzzleCode;
  std::string kind;  // "Normal - Medium"
};

class DialogService {
 public:
  virtual ~DialogService() = default;
  // Adds, removes and chooses players in the roster itself; never kCancelled.
  virtual ChoosePlayerAnswer ChoosePlayer(PlayerRoster& roster) = 0;
  // Choose Player opened during a game to change the player: the same dialog,
  // which the player may also leave (kCancelled) to go on playing, and which
  // does not remove the player who is playing (named by `playing`). Dialogs
  // that cannot be left run plain Choose Player.
  virtual ChoosePlayerAnswer ChangePlayer(PlayerRoster& roster, std::string_view playing) {
    static_cast<void>(playing);
    return ChoosePlayer(roster);
  }
  // Whether the player goes on with the saved game (Yes) or begins a new one.
  virtual ContinueAnswer ContinueGame(std::string_view question, std::string_view details) = 0;
  virtual NewGameAnswer NewGame(PlayerSettings& settings, bool gameInProgress) = 0;
  // The Play menu, or the Note menu when noteMenu is set; fromMouse hides its
  // entry box. The menu keeps where it was left in memory.
  virtual TileMenuAnswer TileMenu(int row, int column, bool noteMenu, bool fromMouse, TileMenuMemory& memory) = 0;
  virtual OptionsAnswer Options(PlayerSettings& settings) = 0;
  // The intro pages; the colour page may change the settings' hue.
  virtual void Intro(bool tutorialOnly, PlayerSettings& settings) = 0;
  virtual void Results(const PuzzleResults& results) = 0;
};

}  // namespace velmora
