// Payback (a countdown that hides a found tile when it runs out) and Blackout
// (the player chooses which tiles to reveal before playing).
#include <algorithm>
#include <charconv>

#include "game.h"
#include "game_texts.h"
#include "player_roster.h"
#include "random_source.h"

namespace velmora {

namespace {

constexpr int32_t kPaybackPeriods[kDifficultyCount] = {240000, 180000, 120000, 60000};
constexpr int32_t kBlackoutReveals[kDifficultyCount] = {45, 36, 27, 18};
// A resumed countdown never starts shorter than this.
constexpr int32_t kMinimumResumedPaybackTime = 10000;

}  // namespace

int32_t Game::PaybackPeriod() {
  const int difficulty = session_.settings.difficulty;
  if (difficulty < 0 || difficulty >= kDifficultyCount) {
    LogOnly(texts::kInvalidPaybackDifficulty);
    return -1;
  }
  return kPaybackPeriods[difficulty];
}

bool Game::BeginPaybackPlay(bool resuming) {
  session_.paybackTime = PaybackPeriod();
  session_.paybackCount = board_.VisibleTotal();
  const GDUSER* record = CurrentRecord();
  if (resuming && record != nullptr) {
    session_.paybackTime = std::max(record->paybackTime, kMinimumResumedPaybackTime);
    session_.paybackOrder = record->paybackOrder;
    // The program started again for this very save (a new window size): the
    // countdown goes on with what it had left, and the tiles found before
    // stay open to it.
    if (keptCountdown_ && keptCountdown_->player == record->GetName() && keptCountdown_->gameTime == record->gameTime) {
      session_.paybackTime = std::max(keptCountdown_->left, 0);
      session_.paybackCount = std::clamp(keptCountdown_->paybackCount, 0, session_.paybackCount);
    }
  } else {
    int index = 0;
    for (int row = 0; row < kBoardSize; ++row)
      for (int column = 0; column < kBoardSize; ++column)
        if (board_.IsGiven(row, column)) session_.paybackOrder[index++] = PaybackPair{row, column};
  }
  session_.paybackStart = session_.gameStart;
  StartGameTimer(kPaybackTimer, static_cast<uint32_t>(session_.paybackTime));
  return true;
}

std::optional<KeptCountdown> Game::CountdownToKeep() const {
  const GDUSER* record = CurrentRecord();
  if (record == nullptr || session_.gameState != GameState::Playing || session_.settings.type != kGameTypePayback)
    return std::nullopt;
  const int64_t left =
      static_cast<int64_t>(session_.paybackStart) + session_.paybackTime - static_cast<int64_t>(PlayNow());
  return KeptCountdown{record->GetName(), record->gameTime,
                       static_cast<int32_t>(std::clamp<int64_t>(left, 0, session_.paybackTime)), session_.paybackCount};
}

std::string FormatKeptCountdown(const KeptCountdown& kept) {
  return kept.player + "/" + std::to_string(kept.gameTime) + "/" + std::to_string(kept.left) + "/" +
         std::to_string(kept.paybackCount);
}

std::optional<KeptCountdown> ParseKeptCountdown(std::string_view text) {
  // Four fields: a player's name (never holding "/") and three whole numbers,
  // none of them negative.
  KeptCountdown kept;
  const size_t nameEnd = text.find('/');
  if (nameEnd == std::string_view::npos || nameEnd == 0) return std::nullopt;
  kept.player = std::string(text.substr(0, nameEnd));
  text.remove_prefix(nameEnd + 1);
  for (int32_t* field : {&kept.gameTime, &kept.left, &kept.paybackCount}) {
    const size_t end = std::min(text.find('/'), text.size());
    const std::string_view digits = text.substr(0, end);
    const auto [past, error] = std::from_chars(digits.data(), digits.data() + digits.size(), *field);
    if (digits.empty() || error != std::errc() || past != digits.data() + digits.size() || *field < 0)
      return std::nullopt;
    const bool last = field == &kept.paybackCount;
    if (last != (end == text.size())) return std::nullopt;
    text.remove_prefix(last ? end : end + 1);
  }
  return kept;
}

void Game::OnPaybackTimer() {
  // Left over from a game that is over or was replaced by another type.
  if (session_.gameState != GameState::Playing || session_.settings.type != kGameTypePayback) {
    KillGameTimer(kPaybackTimer);
    return;
  }
  const int visible = board_.VisibleTotal();
  if (visible > session_.paybackCount) {
    const int index = NextRandom() % (visible - session_.paybackCount) + session_.paybackCount;
    const PaybackPair taken = session_.paybackOrder[index];
    board_.SetGiven(taken.row, taken.column, false);
    board_.SetHidden(taken.row, taken.column, true);
    // The game time, as for every play: a resumed game adds the time played before.
    session_.playKeys.push_back(PlayKey{false, static_cast<int32_t>(GameTime())});
    RedrawTile(taken.row, taken.column);
    host_.Invalidate(ScreenArea::TrayCount(board_.TypeAt(taken.row, taken.column)));
    std::copy(session_.paybackOrder.begin() + index + 1, session_.paybackOrder.end(),
              session_.paybackOrder.begin() + index);
    session_.paybackOrder.back() = PaybackPair{};
    RecordBarrier(Barrier::kPaybackHide);
    QueueTip(12);
  }
  session_.paybackTime = PaybackPeriod();
  session_.paybackStart = host_.Now();
  StartGameTimer(kPaybackTimer, static_cast<uint32_t>(session_.paybackTime));
}

void Game::OnPaybackCorrectPlay() {
  const uint32_t now = host_.Now();
  const int64_t left = static_cast<int64_t>(session_.paybackStart) + session_.paybackTime - now;
  session_.paybackTime = static_cast<int32_t>(left + PaybackPeriod());
  StartGameTimer(kPaybackTimer, static_cast<uint32_t>(session_.paybackTime));
  session_.paybackStart = now;
  QueueTip(13);
}

bool Game::BeginBlackoutPlay(bool resuming) {
  const int difficulty = session_.settings.difficulty;
  if (difficulty < 0 || difficulty >= kDifficultyCount) {
    LogOnly(texts::kInvalidBlackoutDifficulty);
    return false;
  }
  const GDUSER* record = CurrentRecord();
  session_.blackoutCount = (resuming && record != nullptr) ? record->blackoutCount : kBlackoutReveals[difficulty];
  BlackoutAnnouncement();
  return true;
}

void Game::BlackoutAnnouncement(int revealRow, int revealColumn) {
  if (session_.blackoutCount > 0) {
    QueueTip(3);
    return;
  }
  QueueTip(2);
  // The player chose the revealed tiles: when singles alone cannot find every
  // hidden tile from them, other answers may fit, yet only the game's own counts.
  Board revealed = board_;
  if (revealRow >= 0 && revealColumn >= 0) revealed.SetHidden(revealRow, revealColumn, false);
  std::string ready = texts::kBlackoutReady;
  if (!solver_.Solve(revealed)) ready += texts::kBlackoutSeveralAnswers;
  Message(ready);
}

void Game::BlackoutInstruction() {
  Message(std::string("To create your Blackout puzzle, click on the tile") + (session_.blackoutCount > 1 ? "s" : "") +
          " you wish to reveal.");
}

}  // namespace velmora
