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

namespace {

// Besides the Payback countdown, the timers that wait on the game's clock: the
// tips and the Beginner's Guide do not go on while nobody is playing.
constexpr int kHeldTimers[] = {kTipTimer, kGuideStartTimer};

}  // namespace

void Game::HoldClock() {
  const uint32_t now = host_.Now();
  session_.paused = true;
  session_.pausedAt = now;
  session_.paybackHeld = session_.TimerPending(kPaybackTimer);
  if (session_.paybackHeld) KillGameTimer(kPaybackTimer);
  for (const int id : kHeldTimers) {
    session_.timerHeld[id] = session_.TimerPending(id);
    if (!session_.timerHeld[id]) continue;
    // A window timer repeats until it is stopped: it falls due next at the
    // end of the period under way.
    const uint32_t period = session_.timerPeriods[id];
    const uint32_t elapsed = now - session_.timerStarts[id];
    session_.timerLeft[id] = period == 0 ? 0 : period - elapsed % period;
    KillGameTimer(id);
  }
}

uint32_t Game::ReleaseClock() {
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
  for (const int id : kHeldTimers) {
    if (!session_.timerHeld[id]) continue;
    session_.timerHeld[id] = false;
    StartGameTimer(id, session_.timerLeft[id]);
  }
  return pauseLength;
}

void Game::PauseCommand() {
  const MarksRefresh refresh(*this);
  if (!PauseAvailable()) return;
  HoldClock();
  host_.ShowPauseCover(true);
  host_.Invalidate(ScreenArea::StatsPanel());
  LogText("game paused\n");
}

void Game::Resume() {
  const MarksRefresh refresh(*this);
  if (!session_.paused) return;
  const uint32_t pauseLength = ReleaseClock();
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

int Game::RosterIndexOf(const std::string& name) const {
  for (int i = 0; i < roster_.PlayerCount(); ++i)
    if (roster_.Player(i) != nullptr && roster_.Player(i)->GetName() == name) return i;
  return -1;
}

void Game::ChangePlayerCommand() {
  const MarksRefresh refresh(*this);
  if (!ChangePlayerAvailable()) return;
  // Saved as a close request saves; a save that failed has told the player,
  // who stays with the game rather than leave it unsaved.
  if (!SaveGame()) return;
  const GDUSER* playing = CurrentRecord();
  const std::string owner = playing != nullptr ? playing->GetName() : std::string();
  bool gameLeft = false;
  changingPlayer_ = true;
  ChoosePlayerAnswer answer;
  for (;;) {
    answer = dialogs_->ChangePlayer(roster_, owner);
    // Choosing the player who is playing changes nothing: their game goes on
    // as it was, countdown and all, as if the dialog had been left.
    const GDUSER* chosen = CurrentRecord();
    if (answer.outcome == ChoosePlayerAnswer::kChosen && !answer.newPlayer && playing != nullptr && !gameLeft &&
        chosen != nullptr && chosen->GetName() == owner)
      answer.outcome = ChoosePlayerAnswer::kCancelled;
    if (answer.outcome == ChoosePlayerAnswer::kCancelled) {
      // The dialog's list moved the current player as it was browsed: the
      // game's owner becomes current again, unless the dialog removed them.
      const int ownerIndex = RosterIndexOf(owner);
      if (!gameLeft && (ownerIndex >= 0 || playing == nullptr)) {
        if (ownerIndex >= 0) roster_.SetCurrentPlayer(ownerIndex);
        changingPlayer_ = false;
        host_.RedrawEverything();
        return;
      }
      // Their game ends with them, its countdown stopped, while somebody
      // else is chosen.
      if (!gameLeft) LeaveGameForOtherPlayer();
      gameLeft = true;
      continue;
    }
    if (answer.outcome != ChoosePlayerAnswer::kShowAgain) break;
  }
  changingPlayer_ = false;
  if (answer.outcome == ChoosePlayerAnswer::kQuit) {
    host_.EndGameWindow();
    return;
  }
  if (!gameLeft) {
    SuspendGame(owner);
    LeaveGameForOtherPlayer();
  }
  // The chosen player's colour shows from now on, whether or not a game follows.
  if (const GDUSER* record = CurrentRecord(); record != nullptr && record->settings.hue != session_.appliedHue) {
    host_.ShiftArtHue(record->settings.hue - session_.appliedHue);
    session_.appliedHue = record->settings.hue;
  }
  FollowChosenPlayer(answer.newPlayer);
}

void Game::SuspendGame(const std::string& owner) {
  suspended_.reset();
  if (session_.gameState != GameState::Playing || owner.empty()) return;
  HoldClock();
  suspended_ = SuspendedGame{board_, session_, history_, owner};
  // The game on the screen is left as any other; only the copy waits.
  session_.paused = false;
}

bool Game::ResumeSuspendedGame() {
  if (!suspended_) return false;
  SuspendedGame game = std::move(*suspended_);
  suspended_.reset();
  const int ownerIndex = RosterIndexOf(game.owner);
  if (ownerIndex < 0) return false;
  roster_.SetCurrentPlayer(ownerIndex);
  newPlayer_ = false;  // the new player's first game is still to come
  // What the window shows now (its timers, its controls, the art's colour)
  // is this moment's, not the kept game's.
  const auto timerHandles = session_.timerHandles;
  const bool controlsEnabled = session_.controlsEnabled;
  const float appliedHue = session_.appliedHue;
  board_ = game.board;
  session_ = game.session;
  history_ = std::move(game.history);
  session_.timerHandles = timerHandles;
  session_.controlsEnabled = controlsEnabled;
  if (session_.appliedHue != appliedHue) host_.ShiftArtHue(session_.appliedHue - appliedHue);
  host_.ShowTileControls(true);
  host_.EnableCommandButtons(true);
  EnableBoardControls(true);
  StartGameTimer(kStatsTimer, kStatsPeriod);
  const uint32_t away = ReleaseClock();
  host_.RedrawControl(control::kNewGame);
  host_.RedrawEverything();
  if (session_.settings.useTipsWindow) ShowTipsWindow();
  host_.SetWindowTitle(WindowTitle());
  LogText("game taken up again after " + std::to_string(away) + " ms\n");
  return true;
}

}  // namespace velmora
