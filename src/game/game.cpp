#include "game.h"

#include <algorithm>
#include <limits>

#include "game_texts.h"
#include "player_roster.h"

namespace velmora {

bool Game::EngineBridge::Report(std::string_view text, ReportKind kind) { return game_.host_.Report(text, kind); }
bool Game::EngineBridge::LogOn() const { return game_.host_.LogOn(); }
void Game::EngineBridge::Log(std::string_view text) { game_.host_.Log(text); }
uint32_t Game::EngineBridge::MillisecondsSinceStart() const { return game_.host_.MillisecondsSinceStart(); }
void Game::EngineBridge::SystemMessage(std::string_view text) { game_.host_.SystemMessage(text); }

Game::Game(GameHost& host, PlayerRoster& roster, DialogService* dialogs)
    : host_(host), dialogs_(dialogs), roster_(roster), aboutText_(texts::kAboutText) {}

void Game::LogText(const std::string& text) {
  if (host_.LogOn()) host_.Log(text);
}

GDUSER* Game::CurrentRecord() { return roster_.Player(roster_.CurrentPlayer()); }
const GDUSER* Game::CurrentRecord() const { return roster_.Player(roster_.CurrentPlayer()); }

// The time saved before (never below 0) plus the time since play began, held at
// the largest time a user file can carry instead of wrapping.
uint32_t Game::GameTime() const {
  const uint64_t before = static_cast<uint64_t>(std::max<int32_t>(session_.timeBefore, 0));
  const uint64_t total = before + static_cast<uint32_t>(PlayNow() - session_.gameStart);
  return static_cast<uint32_t>(std::min<uint64_t>(total, std::numeric_limits<int32_t>::max()));
}

uint32_t Game::StartGameTimer(int id, uint32_t periodMs) {
  if (id < 1 || id > kTimerCount) return 0;
  session_.timerStarts[id] = host_.Now();
  session_.timerPeriods[id] = periodMs;
  session_.timerHandles[id] = host_.StartTimer(id, periodMs);
  return session_.timerHandles[id];
}

int Game::KillGameTimer(int id) {
  if (id < 1 || id > kTimerCount) {
    LogOnly(texts::kInvalidKillTimer);
    return 0;
  }
  if (session_.timerHandles[id] == 0) return 0;
  const bool stopped = host_.StopTimer(id);
  session_.timerHandles[id] = 0;
  return stopped ? 1 : 0;
}

void Game::ResetSession() {
  const MarksRefresh refresh(*this);
  GameSession& s = session_;
  s.activeNumber = 0;
  s.blackoutCount = 0;
  board_.Clear();
  s.building = false;
  s.timeBefore = 0;
  s.settings = PlayerSettings{};
  s.settings.useTipsWindow = true;
  SetGameState(GameState::NoGame);
  s.hints = 0;
  s.cursorRow = 0;
  s.cursorColumn = 0;
  s.hiddenPerType = 0;
  s.minVisiblePerBlock = 0;
  s.mistakes = 0;
  s.freePlays = 0;
  s.paybackCount = 0;
  s.paybackTime = 0;
  s.playKeys.clear();
  s.paybackOrder = PaybackOrder{};
  s.showGuides = false;
  s.gameStart = 0;
  s.paybackStart = 0;
  s.clientVisibleTime = 0;
  s.nextTip = 0;
  if (s.paused) host_.ShowPauseCover(false);
  s.paused = false;
  s.pausedAt = 0;
  s.paybackHeld = false;
  s.timerHeld = {};
  s.timerLeft = {};
  history_.Clear();
}

void Game::EnableBoardControls(bool enable) {
  // The window's controls are only touched when they change.
  if (session_.controlsEnabled == enable) return;
  host_.EnableBoardControls(enable);
  session_.controlsEnabled = enable;
}

void Game::SetGameState(GameState state) {
  session_.gameState = state;
  switch (state) {
    case GameState::Playing:
      host_.EnableCommandButtons(true);
      EnableBoardControls(true);
      SetActiveNumber(0);
      break;
    case GameState::Filled:
    case GameState::Prepared: break;
    case GameState::NoGame:
    case GameState::Solved:
      host_.EnableCommandButtons(false);
      EnableBoardControls(false);
      break;
    default: Fatal(texts::kInvalidGameState); break;
  }
}

bool Game::OnTimer(int id) {
  const MarksRefresh refresh(*this);
  LogText("timer event received: id=" + std::to_string(id) + "\n");
  switch (id) {
    case kChoosePlayerTimer: OnChoosePlayerTimer(); return true;
    case kNewGameTimer: NewGame(); return true;
    case kPaybackTimer: OnPaybackTimer(); return true;
    case kStatsTimer: OnStatsTimer(); return true;
    case kSplashTimer: return false;
    case kTipTimer: OnTipTimer(); return true;
    case kGuideStartTimer: OnGuideStartTimer(); return true;
    default: LogOnly(texts::kInvalidTimer); return true;
  }
}

void Game::OnSplashEnded() {
  const MarksRefresh refresh(*this);
  KillGameTimer(kSplashTimer);
  if (!session_.TimerPending(kChoosePlayerTimer)) StartGameTimer(kChoosePlayerTimer, kChoosePlayerDelay);
}

void Game::OnAboutRequest(bool windowMinimised) {
  if (!AboutAvailable(windowMinimised)) return;
  Message(aboutText_);
}

// ---- Tips ----

void Game::QueueTip(int index) {
  if (session_.TimerPending(kTipTimer)) return;
  session_.nextTip = index;
  StartGameTimer(kTipTimer, 0);
}

void Game::ShowTipText(const std::string& text, bool force) {
  if (!session_.settings.useTipsWindow) return;
  if (!force && session_.TimerPending(kTipTimer)) return;
  host_.ShowTipText(text);
}

void Game::ShowTipsWindow() {
  const bool visible = host_.ShowTipsWindow();
  ShowTipText(texts::kTipsWindowIntro, false);
  session_.settings.useTipsWindow = visible;
}

void Game::OnTipsWindowClosed() { session_.settings.useTipsWindow = false; }
void Game::OnTipsWindowShown() { session_.settings.useTipsWindow = true; }

void Game::OnTipTimer() {
  const int index = session_.nextTip;
  if (index < 0 || index > 30) {
    LogOnly(texts::kInvalidTipIndex);
    session_.nextTip = 0;
    // Left running, the timer would come straight back and open the guide.
    KillGameTimer(kTipTimer);
    return;
  }
  const std::string text = TipText(index);
  if (index == 0) session_.nextTip = 14;
  ShowTipText(text, true);
  const bool guideStep = index == 0 || (index >= 15 && index <= 29);
  if (!guideStep) {
    KillGameTimer(kTipTimer);
    return;
  }
  session_.nextTip += 1;
  // 0.12 s per character, with 0.12 held in single precision as the guide's
  // timing always was: 6000 + 120 * length - 1 ms for any text.
  const double perCharacter = static_cast<double>(0.12f);
  const auto reading = static_cast<int64_t>(static_cast<double>(text.size()) * perCharacter * -1000.0);
  StartGameTimer(kTipTimer, static_cast<uint32_t>(6000 - reading));
}

void Game::OnGuideStartTimer() {
  if (!session_.settings.useTipsWindow) {
    // Started again after a pause with what was left of its second: from
    // now on it looks once a second again.
    if (session_.timerPeriods[kGuideStartTimer] != kGuideStartDelay) StartGameTimer(kGuideStartTimer, kGuideStartDelay);
    return;
  }
  KillGameTimer(kGuideStartTimer);
  StartGameTimer(kTipTimer, kGuideFirstTipDelay);
}

void Game::ReplayGuide() {
  KillGameTimer(kGuideStartTimer);
  KillGameTimer(kTipTimer);
  if (!session_.settings.useTipsWindow) {
    session_.settings.useTipsWindow = true;
    ShowTipsWindow();
  }
  session_.nextTip = 15;
  StartGameTimer(kTipTimer, kGuideReplayDelay);
}

}  // namespace velmora
