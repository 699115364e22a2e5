// Pausing a game, and changing the player in the middle of one.
//
// While paused the game's clock stands still: GameTime and the Payback
// countdown read the clock as it was at the pause (PlayNow), and the Payback
// timer is stopped. Resuming moves the game start and the countdown's start
// on by the time the pause lasted, so every time computed from them (the game
// time, the countdown's time left, the stats rotation) goes on from where it
// stood, and the Payback timer is started again with what was left. The saved
// payback time is the countdown's length, which a pause does not change.
#include <algorithm>
#include <string>

#include "game.h"
#include "player_roster.h"

namespace velmora {

void Game::PauseCommand() {
  const MarksRefresh refresh(*this);
  if (!PauseAvailable()) return;
  session_.paused = true;
  session_.pausedAt = host_.Now();
  session_.paybackHeld = session_.TimerPending(kPaybackTimer);
  if (session_.paybackHeld) KillGameTimer(kPaybackTimer);
  host_.ShowPauseCover(true);
  host_.Invalidate(ScreenArea::StatsPanel());
  LogText("game paused\n");
}

void Game::Resume() {
  const MarksRefresh refresh(*this);
  if (!session_.paused) return;
  const uint32_t pauseLength = host_.Now() - session_.pausedAt;
  session_.gameStart += pauseLength;
  session_.paybackStart += pauseLength;
  session_.paused = false;
  if (session_.paybackHeld) {
    session_.paybackHeld = false;
    const int64_t left =
        static_cast<int64_t>(session_.paybackStart) + session_.paybackTime - static_cast<int64_t>(host_.Now());
    // A countdown already due when the game was paused runs out at once.
    StartGameTimer(kPaybackTimer, static_cast<uint32_t>(std::max<int64_t>(left, 0)));
  }
  host_.ShowPauseCover(false);
  host_.Invalidate(ScreenArea::StatsPanel());
  LogText("game resumed after " + std::to_string(pauseLength) + " ms\n");
}

void Game::LeaveGameForOtherPlayer() {
  KillGameTimer(kPaybackTimer);
  KillGameTimer(kStatsTimer);
  KillGameTimer(kTipTimer);
  KillGameTimer(kGuideStartTimer);
  // As at start: no tiles and no tips window until the next game begins.
  host_.HideTipsWindow();
  ResetSession();
  host_.ShowTileControls(false);
  host_.RedrawEverything();
}

void Game::ChangePlayerCommand() {
  const MarksRefresh refresh(*this);
  if (!ChangePlayerAvailable()) return;
  // Saved as a close request saves; a save that failed has told the player,
  // who stays with the game rather than leave it unsaved.
  if (!SaveGame()) return;
  const GDUSER* playing = CurrentRecord();
  const std::string owner = playing != nullptr ? playing->GetName() : std::string();
  changingPlayer_ = true;
  ChoosePlayerAnswer answer;
  for (;;) {
    answer = dialogs_->ChangePlayer(roster_);
    if (answer.outcome == ChoosePlayerAnswer::kCancelled) {
      // The dialog's list moved the current player as it was browsed: the
      // game's owner becomes current again, unless the dialog removed them.
      int ownerIndex = -1;
      for (int i = 0; i < roster_.PlayerCount(); ++i)
        if (roster_.Player(i) != nullptr && roster_.Player(i)->GetName() == owner) ownerIndex = i;
      if (ownerIndex >= 0 || playing == nullptr) {
        if (ownerIndex >= 0) roster_.SetCurrentPlayer(ownerIndex);
        changingPlayer_ = false;
        host_.RedrawEverything();
        return;
      }
      continue;
    }
    if (answer.outcome != ChoosePlayerAnswer::kShowAgain) break;
  }
  changingPlayer_ = false;
  if (answer.outcome == ChoosePlayerAnswer::kQuit) {
    host_.EndGameWindow();
    return;
  }
  LeaveGameForOtherPlayer();
  // The chosen player's colour shows from now on, whether or not a game follows.
  if (const GDUSER* record = CurrentRecord(); record != nullptr && record->settings.hue != session_.appliedHue) {
    host_.ShiftArtHue(record->settings.hue - session_.appliedHue);
    session_.appliedHue = record->settings.hue;
  }
  FollowChosenPlayer(answer.newPlayer);
}

}  // namespace velmora
