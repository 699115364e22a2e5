#pragma once
// The state of the game in progress, as the game window keeps it between
// events: what the player has chosen, what has been counted, the timers that
// are pending and the order in which tiles were found.
#include <array>
#include <cstdint>
#include <vector>

#include "engine_constants.h"
#include "game_state.h"
#include "user_record.h"

namespace velmora {

// What a tile click or key asks for. The two mouse buttons hold one of these
// in the player's settings, so the numbers are part of the user file.
enum PlayAction : uint32_t {
  kQuickPlay = 0,   // play the Active Number (or the key's type) at once
  kPlay = 1,        // ask the Play menu for the type
  kQuickNote = 2,   // toggle the note of the Active Number (or the key's type)
  kNote = 3,        // ask the Note menu for the type
  kSelectTile = 4,  // only move the Cursor Tile
};

// The game window's timers, by id.
enum GameTimerId : int {
  kChoosePlayerTimer = 1,
  kNewGameTimer = 2,
  kPaybackTimer = 3,
  kStatsTimer = 4,
  kSplashTimer = 5,
  kTipTimer = 6,
  kGuideStartTimer = 7,
};
inline constexpr int kTimerCount = 7;

// Periods in milliseconds.
inline constexpr uint32_t kChoosePlayerDelay = 300;
inline constexpr uint32_t kNewGameAfterChoiceDelay = 500;
inline constexpr uint32_t kNewGameAfterVictoryDelay = 1000;
inline constexpr uint32_t kStatsPeriod = 500;
inline constexpr uint32_t kGuideStartDelay = 1000;
inline constexpr uint32_t kGuideFirstTipDelay = 10000;
inline constexpr uint32_t kGuideReplayDelay = 50;

// The Tile menu's remembered screen position (its top-left corner).
struct TileMenuMemory {
  int32_t x = 0;
  int32_t y = 0;
};

struct GameSession {
  int32_t activeNumber = 0;  // a type 0..8, or kEraserType
  int32_t blackoutCount = 0;
  bool building = false;
  int32_t timeBefore = 0;  // ms played before a continued game was resumed
  PlayerSettings settings;
  GameState gameState = GameState::NoGame;
  int32_t statisticShown = 0;   // 0..6, or -1 for the logo
  int32_t statisticPeriod = 0;  // (now - game start) / 5000 at the last stats tick
  int32_t hints = 0;
  float defaultHue = 220.0f;
  float appliedHue = 220.0f;                             // the hue the art shows now
  std::array<uint32_t, kTimerCount + 1> timerHandles{};  // by id; [0] unused
  int32_t cursorRow = 0;
  int32_t cursorColumn = 0;
  int32_t hiddenPerType = 0;       // preparation parameters of Normal and Payback
  int32_t minVisiblePerBlock = 0;  // games, from the difficulty
  int32_t mistakes = 0;
  int32_t freePlays = 0;
  int32_t paybackCount = 0;  // the first entries of the Payback order are never taken back
  int32_t paybackTime = 0;   // ms the Payback timer was last set to
  bool controlsEnabled = true;
  std::vector<PlayKey> playKeys;
  PaybackOrder paybackOrder{};
  TileMenuMemory tileMenuMemory;
  bool showGuides = false;
  uint32_t gameStart = 0;
  uint32_t paybackStart = 0;
  uint32_t clientVisibleTime = 0;  // when the window was first shown, for the log
  int32_t nextTip = 0;
  // A paused game: the board is covered, and its clock and the Payback
  // countdown stand still from pausedAt until play resumes.
  bool paused = false;
  uint32_t pausedAt = 0;
  bool paybackHeld = false;  // the Payback timer was stopped by the pause
  // When each timer was last started, and its period, by id: a timer held by
  // a pause starts again with what was left of its period.
  std::array<uint32_t, kTimerCount + 1> timerStarts{};
  std::array<uint32_t, kTimerCount + 1> timerPeriods{};
  // The tips' and the Beginner's Guide's timers stopped by a pause, and what
  // was left of each (ms); the game's clock governs them as it does the countdown.
  std::array<bool, kTimerCount + 1> timerHeld{};
  std::array<uint32_t, kTimerCount + 1> timerLeft{};

  bool TimerPending(int id) const { return id >= 1 && id <= kTimerCount && timerHandles[id] != 0; }
};

}  // namespace velmora
