// What the main screen shows: its texts, the stats panel's rotation and the
// face of every control.
#include "format_time.h"
#include "game.h"
#include "game_texts.h"
#include "player_roster.h"

namespace velmora {

namespace {

constexpr int kStatisticCount = 7;
constexpr uint32_t kStatisticLength = 5000;  // ms each statistic stays
// The rotation gives up after this many candidates.
constexpr int kMaxStatisticCandidates = 100;

// Table indexes of the faces of the controls.
namespace face {
constexpr int kBlankTile = 0;
constexpr int kHiddenTile = 40, kHiddenTilePressed = 0;
constexpr int kHiddenCursor = 60, kHiddenCursorPressed = 20;
constexpr int kGiven = 11, kGivenCursor = 31;
constexpr int kPlayed = 41, kPlayedPressed = 1, kPlayedCursor = 61, kPlayedCursorPressed = 21;
constexpr int kTray = 91, kTrayDown = 80;
constexpr int kEraser = 100, kEraserDown = 89;
constexpr int kTrayDisabled = 101;
}  // namespace face

struct ButtonFace {
  int id, up, pressed;
};
constexpr ButtonFace kButtonFaces[] = {
    {control::kNewGame, 131, 130},  {control::kHint, 129, 128},    {control::kPrint, 125, 124},
    {control::kFreePlay, 127, 126}, {control::kOptions, 182, 181}, {control::kHelp, 188, 187},
};
constexpr int kShowGuidesOff = 132, kShowGuidesOn = 133;

}  // namespace

std::string Game::BuildingText() const { return session_.building ? texts::kBuildingPuzzle : ""; }

std::string Game::PlayerNameText() const {
  const GDUSER* record = CurrentRecord();
  if (record == nullptr || record->GetName().empty()) return texts::kDefaultPlayerName;
  return record->GetName();
}

std::string Game::TrayCountText(int trayRow) const {
  if (trayRow == 9) return "Eraser";
  if (trayRow < 0 || trayRow > 9) return "";
  if (session_.settings.ignoreMistakes) {
    const int shown = board_.ShownCountOfType(trayRow);
    if (shown < 9) return std::to_string(shown) + "/9 Found";
    if (shown > 9) return std::to_string(shown - 9) + " Extra!";
    return "All Found";
  }
  const int hidden = board_.HiddenCountOfType(trayRow);
  if (hidden == 0) return "All Found";
  return std::to_string(hidden) + " Remain" + (hidden == 1 ? "s" : "");
}

std::string Game::StatsPanelText() const {
  const int category = session_.blackoutCount > 0 ? 0 : session_.statisticShown;
  const PlayerSettings& settings = session_.settings;
  switch (category) {
    case -1: return texts::kLogo;
    case 0: {
      const uint32_t gameTime = GameTime();
      if (gameTime < 1000) return "";
      if (settings.type == kGameTypePayback) {
        const int64_t remaining =
            static_cast<int64_t>(session_.paybackStart) + session_.paybackTime - static_cast<int64_t>(PlayNow());
        if (remaining >= 1000) return "Payback Time\n" + FormatTime(remaining, TimeStyle::Clock);
        return "Payback!";
      }
      if (settings.type == kGameTypeBlackout && session_.blackoutCount > 0) {
        const int count = session_.blackoutCount;
        return "Blackout\n" + std::to_string(count) + " Tile" + (count >= 2 ? "s" : "") + " Left";
      }
      return FormatTime(gameTime, TimeStyle::Clock);
    }
    case 1: return "Difficulty\n" + settings.difficultyName;
    case 2: return "Game Type\n" + settings.gameTypeName;
    case 3: return "Hints: " + std::to_string(session_.hints);
    case 4: return "Mistakes: " + (settings.ignoreMistakes ? std::string("N/A") : std::to_string(session_.mistakes));
    case 5: return "Free Plays: " + std::to_string(session_.freePlays);
    case 6: {
      const int left = kTileCount - board_.VisibleTotal();
      return std::to_string(left) + " Tile" + (left == 1 ? "" : "s") + " Left";
    }
    default: return "";
  }
}

void Game::OnStatsTimer() {
  if (session_.settings.type == kGameTypePayback) {
    // The countdown is the only statistic of a Payback game.
    session_.statisticShown = 0;
    host_.Invalidate(ScreenArea::StatsPanel());
  } else {
    const auto period = static_cast<int32_t>((PlayNow() - session_.gameStart) / kStatisticLength);
    if (period != session_.statisticPeriod) {
      session_.statisticPeriod = period;
      ChooseStatistic(period);
      host_.Invalidate(ScreenArea::StatsPanel());
    } else if (session_.statisticShown == 0) {
      host_.Invalidate(ScreenArea::StatsPanel());  // the clock moves on
    }
  }
  StartGameTimer(kStatsTimer, kStatsPeriod);
}

void Game::ChooseStatistic(int32_t period) {
  const PlayerSettings& s = session_.settings;
  const bool flags[kStatisticCount] = {s.statClock,    s.statGameDifficulty, s.statGameType,  s.statHints,
                                       s.statMistakes, s.statFreePlays,      s.statTilesFound};
  int on = 0;
  for (bool flag : flags) on += flag ? 1 : 0;
  if (on == 0) {
    session_.statisticShown = -1;
    return;
  }
  if (on == kStatisticCount) {
    session_.statisticShown = period % kStatisticCount;
    return;
  }
  // Candidates run (offset + k + period) mod 7. Passing over the statistic
  // that is already showing moves the offset, and with it the scan, on by one.
  int k = 0;
  int withoutFlag = 0;
  for (int candidates = 0; candidates < kMaxStatisticCandidates && withoutFlag < kStatisticCount; ++candidates) {
    const int candidate = static_cast<int>((static_cast<int64_t>(statisticOffset_) + k + period) % kStatisticCount);
    if (!flags[candidate]) {
      ++withoutFlag;
      ++k;
      continue;
    }
    if (candidate != session_.statisticShown || on == 1) {
      session_.statisticShown = candidate;
      return;
    }
    ++statisticOffset_;
  }
}

int Game::ShownType(int row, int column) const {
  if (session_.gameState != GameState::Playing || board_.IsHidden(row, column)) return -1;
  if (board_.IsGiven(row, column) || !session_.settings.ignoreMistakes) return board_.TypeAt(row, column);
  return board_.PlayedTypeAt(row, column);
}

int Game::FaceOfControl(int controlId, bool pressed) const {
  const GameState state = session_.gameState;
  if (control::IsTile(controlId)) {
    if (state == GameState::Prepared) return face::kHiddenTile;
    if (state != GameState::Playing) return face::kBlankTile;
    const int row = control::TileRow(controlId);
    const int column = control::TileColumn(controlId);
    const bool cursor = board_.IsCursor(row, column);
    if (board_.IsHidden(row, column)) {
      if (cursor) return pressed ? face::kHiddenCursorPressed : face::kHiddenCursor;
      return pressed ? face::kHiddenTilePressed : face::kHiddenTile;
    }
    if (board_.IsGiven(row, column)) {
      const int type = board_.TypeAt(row, column);
      return (cursor ? face::kGivenCursor : face::kGiven) + type;
    }
    const int type = ShownType(row, column);
    if (cursor) return (pressed ? face::kPlayedCursorPressed : face::kPlayedCursor) + type;
    return (pressed ? face::kPlayedPressed : face::kPlayed) + type;
  }
  if (controlId >= control::kFirstTray && controlId <= control::kLastTray) {
    if (state != GameState::Playing) return face::kTrayDisabled;
    const int type = controlId - control::kFirstTray;
    return (pressed || type == session_.activeNumber) ? face::kTrayDown + type : face::kTray + type;
  }
  if (controlId == control::kEraser) {
    if (state != GameState::Playing) return face::kTrayDisabled;
    const bool active = session_.activeNumber < 0 || session_.activeNumber > 8;
    return (pressed || active) ? face::kEraserDown : face::kEraser;
  }
  if (controlId == control::kShowGuides) return session_.showGuides ? kShowGuidesOn : kShowGuidesOff;
  for (const ButtonFace& button : kButtonFaces)
    if (button.id == controlId) return pressed ? button.pressed : button.up;
  return -1;
}

}  // namespace velmora
