#include "scripted_host.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "puzzle_builder.h"

namespace velmora::testing {

namespace fs = std::filesystem;

bool ScriptedHost::Report(std::string_view text, ReportKind kind) {
  const bool question = kind == ReportKind::kQuestion;
  reports.push_back({std::string(text), question, kind == ReportKind::kLogOnly, kind == ReportKind::kFatal});
  if (!question) return false;
  if (whileAsked) whileAsked();
  if (questionAnswers.empty()) return false;
  const bool answer = questionAnswers.front();
  questionAnswers.pop_front();
  return answer;
}

ChoosePlayerAnswer ScriptedHost::ChoosePlayer(PlayerRoster& roster) {
  if (!choosePlayer) return {ChoosePlayerAnswer::kQuit, false};
  return choosePlayer(roster);
}

ContinueAnswer ScriptedHost::ContinueGame(std::string_view question, std::string_view details) {
  continueTexts.emplace_back(std::string(question), std::string(details));
  return continueAnswer;
}

NewGameAnswer ScriptedHost::NewGame(PlayerSettings& settings, bool gameInProgress) {
  newGameShownAt.push_back(now);
  newGameInProgress.push_back(gameInProgress);
  if (!newGame) return NewGameAnswer::kCancel;
  return newGame(settings, gameInProgress);
}

TileMenuAnswer ScriptedHost::TileMenu(int row, int column, bool noteMenu, bool fromMouse, TileMenuMemory&) {
  tileMenuCalls.push_back({row, column, noteMenu, fromMouse});
  if (tileMenuAnswers.empty()) return {};
  const TileMenuAnswer answer = tileMenuAnswers.front();
  tileMenuAnswers.pop_front();
  return answer;
}

OptionsAnswer ScriptedHost::Options(PlayerSettings& settings) {
  ++optionsShown;
  return options ? options(settings) : OptionsAnswer::kCancel;
}

void ScriptedHost::Intro(bool tutorialOnly, PlayerSettings& settings) {
  introRuns.push_back(tutorialOnly);
  if (introHue >= 0.0f) settings.hue = introHue;
}

void ScriptedHost::Results(const PuzzleResults& shown) {
  results.push_back(shown);
  if (whileResultsShow) whileResultsShow();
  now += resultsDuration;
}

uint32_t ScriptedHost::StartTimer(int id, uint32_t periodMs) {
  timers[id] = Timer{periodMs, now};
  return static_cast<uint32_t>(100 + id);
}

std::vector<std::string> ScriptedHost::Messages() const {
  std::vector<std::string> texts;
  for (const Reported& r : reports)
    if (!r.logOnly && !r.fatal) texts.push_back(r.text);
  return texts;
}

int ScriptedHost::CountRedrawn(ScreenArea area) const {
  int count = 0;
  for (const ScreenArea& a : redrawn) count += a == area ? 1 : 0;
  return count;
}

DataFolder::DataFolder() {
  static int serial = 0;
  path_ = fs::temp_directory_path() / ("velmora-game-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
  fs::remove_all(path_);
  fs::create_directories(path_ / "data" / "users");
  fs::create_directory_symlink(VELMORA_SEEDS_FOLDER, path_ / "data" / "seeds");
}

DataFolder::~DataFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

std::string DataFolder::UserFile(const std::string& name) const {
  std::ifstream in(path_ / "data" / "users" / (name + ".user"), std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void DataFolder::WriteUserFile(const std::string& name, const std::string& text) const {
  std::ofstream out(path_ / "data" / "users" / (name + ".user"), std::ios::binary | std::ios::trunc);
  out << text;
}

GameRun::GameRun(const DataFolder& folder)
    : roster(messageBox, [](std::chrono::milliseconds) {}), game(host, roster, &host) {
  EXPECT_TRUE(roster.LoadGameDataFrom(folder.Path(), nullptr));
  game.ResetSession();
}

void GameRun::Advance(uint32_t ms) {
  const uint32_t until = host.now + ms;
  for (int fired = 0; fired < 100000; ++fired) {
    int next = 0;
    uint32_t due = 0;
    for (const auto& [id, timer] : host.timers) {
      const uint32_t at = timer.start + timer.period;
      if (at <= until && (next == 0 || at < due)) {
        next = id;
        due = at;
      }
    }
    if (next == 0) break;
    host.now = due;
    host.timers[next].start = due;  // window timers repeat until stopped
    game.OnTimer(next);
  }
  if (host.now < until) host.now = until;
}

std::function<ChoosePlayerAnswer(PlayerRoster&)> CreatePlayer(const std::string& name) {
  return [name](PlayerRoster& roster) {
    EXPECT_TRUE(roster.AddPlayer(name));
    roster.SetCurrentPlayer(roster.PlayerCount() - 1);
    return ChoosePlayerAnswer{ChoosePlayerAnswer::kChosen, true};
  };
}

std::function<ChoosePlayerAnswer(PlayerRoster&)> ChooseExisting(const std::string& name) {
  return [name](PlayerRoster& roster) {
    for (int i = 0; i < roster.PlayerCount(); ++i)
      if (roster.Player(i)->GetName() == name) roster.SetCurrentPlayer(i);
    return ChoosePlayerAnswer{ChoosePlayerAnswer::kChosen, false};
  };
}

std::function<NewGameAnswer(PlayerSettings&, bool)> BeginGame(int type, int difficulty, const std::string& code) {
  return [=](PlayerSettings& settings, bool) {
    settings.type = type;
    settings.gameTypeName = GameTypeName(type);
    settings.difficulty = difficulty;
    settings.difficultyName = DifficultyName(difficulty);
    settings.puzzleCode = code;
    return NewGameAnswer::kOk;
  };
}

std::vector<std::pair<int, int>> HiddenTiles(const Board& board) {
  std::vector<std::pair<int, int>> tiles;
  for (int r = 0; r < 9; ++r)
    for (int c = 0; c < 9; ++c)
      if (board.IsHidden(r, c)) tiles.emplace_back(r, c);
  return tiles;
}

}  // namespace velmora::testing
