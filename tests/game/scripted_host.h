#pragma once
// A game window for the tests: it records everything the game asks of it, its
// clock moves only by hand (or by the game's own sleeps), and its dialogs
// answer from a script. GameRig wires it to a real game, a real roster in a
// fresh folder, and runs the window timers as the window's message loop would.
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "game.h"
#include "game_host.h"
#include "player_roster.h"
#include "system_message_box.h"

namespace velmora::testing {

class ScriptedHost : public GameHost, public DialogService {
 public:
  struct Reported {
    std::string text;
    bool question = false, logOnly = false, fatal = false;
  };
  struct TileMenuCall {
    int row, column;
    bool noteMenu, fromMouse;
  };
  struct Timer {
    uint32_t period = 0;
    uint32_t start = 0;
  };

  // Reporter
  bool Report(std::string_view text, ReportKind kind) override;
  bool LogOn() const override { return true; }
  void Log(std::string_view text) override { log += text; }
  uint32_t MillisecondsSinceStart() const override { return now - runStart; }

  void SystemMessage(std::string_view) override {}

  ChoosePlayerAnswer ChoosePlayer(PlayerRoster& roster) override;
  ContinueAnswer ContinueGame(std::string_view question, std::string_view details) override;
  NewGameAnswer NewGame(PlayerSettings& settings, bool gameInProgress) override;
  TileMenuAnswer TileMenu(int row, int column, bool noteMenu, bool fromMouse, TileMenuMemory& memory) override;
  OptionsAnswer Options(PlayerSettings& settings) override;
  void Intro(bool tutorialOnly, PlayerSettings& settings) override;
  void Results(const PuzzleResults& shown) override;

  void Invalidate(const ScreenArea& area) override { invalidated.push_back(area); }
  void Redraw(const ScreenArea& area) override { redrawn.push_back(area); }
  void RedrawControl(int id) override { redrawnControls.push_back(id); }
  void RedrawEverything() override {}
  void ShowTileControls(bool show) override { tileControlsShown = show; }
  void EnableBoardControls(bool enable) override { boardControlCalls.push_back(enable); }
  void EnableCommandButtons(bool enable) override { commandButtonsEnabled = enable; }
  void FocusControl(int id) override { focused.push_back(id); }
  bool IsMouseOverControl(int id) override {
    mouseChecks.push_back(id);
    return mouseOver;
  }

  uint32_t StartTimer(int id, uint32_t periodMs) override;
  bool StopTimer(int id) override { return timers.erase(id) == 1; }
  uint32_t Now() const override { return now; }
  void Sleep(uint32_t ms) override {
    sleeps.push_back(ms);
    now += ms;
  }

  void OpenHelpPage() override { ++helpOpened; }
  void PrintPuzzle(std::string_view label) override { printLabels.emplace_back(label); }
  void ShowPauseCover(bool show) override { pauseCoverShown.push_back(show); }
  void ShiftArtHue(float delta) override { hueShifts.push_back(delta); }
  void SetWindowTitle(std::string_view text) override { title = text; }
  bool ShowTipsWindow() override {
    ++tipsWindowShown;
    return true;
  }
  void HideTipsWindow() override { ++tipsWindowHidden; }
  void ShowTipText(std::string_view text) override { tipTexts.emplace_back(text); }
  void ShowNotice(std::string_view text) override { notices.emplace_back(text); }
  void EndGameWindow() override { ended = true; }

  // The texts of shown messages and questions, in order.
  std::vector<std::string> Messages() const;
  int CountRedrawn(ScreenArea area) const;

  uint32_t now = 100000;
  uint32_t runStart = 100000;
  std::string log;
  std::vector<Reported> reports;
  std::deque<bool> questionAnswers;  // answers to yes/no questions; "no" when empty
  std::function<void()> whileAsked;  // runs while a question is open

  std::function<ChoosePlayerAnswer(PlayerRoster&)> choosePlayer;
  ContinueAnswer continueAnswer = ContinueAnswer::kContinue;
  std::vector<std::pair<std::string, std::string>> continueTexts;
  std::function<NewGameAnswer(PlayerSettings&, bool)> newGame;  // edits the dialog's copy
  std::vector<uint32_t> newGameShownAt;
  std::vector<bool> newGameInProgress;
  std::deque<TileMenuAnswer> tileMenuAnswers;
  std::vector<TileMenuCall> tileMenuCalls;
  std::function<OptionsAnswer(PlayerSettings&)> options;
  int optionsShown = 0;
  std::vector<bool> introRuns;  // the tutorial-only flag of each run
  float introHue = -1.0f;       // a hue the colour page picks, when not negative
  std::vector<PuzzleResults> results;
  uint32_t resultsDuration = 0;
  std::function<void()> whileResultsShow;  // runs while the results are open

  std::vector<ScreenArea> invalidated, redrawn;
  std::vector<int> redrawnControls;
  bool tileControlsShown = false;
  std::vector<bool> boardControlCalls;
  bool commandButtonsEnabled = false;
  std::vector<int> focused;
  bool mouseOver = true;
  std::vector<int> mouseChecks;

  std::map<int, Timer> timers;
  std::vector<uint32_t> sleeps;
  int helpOpened = 0;
  std::vector<std::string> printLabels;
  std::vector<bool> pauseCoverShown;  // each show (true) and hide (false) of the pause cover
  std::vector<float> hueShifts;
  std::string title;
  int tipsWindowShown = 0, tipsWindowHidden = 0;
  std::vector<std::string> tipTexts;
  std::vector<std::string> notices;
  bool ended = false;
};

class QuietMessageBox : public SystemMessageBox {
 public:
  void Show(std::string_view text, std::string_view) override { shown.emplace_back(text); }
  std::vector<std::string> shown;
};

// A fresh data folder (with the committed seed tables) that is removed afterwards.
class DataFolder {
 public:
  DataFolder();
  ~DataFolder();
  DataFolder(const DataFolder&) = delete;
  DataFolder& operator=(const DataFolder&) = delete;
  std::string Path() const { return path_.string(); }
  std::string UserFile(const std::string& name) const;
  void WriteUserFile(const std::string& name, const std::string& text) const;

 private:
  std::filesystem::path path_;
};

// One run of the program: a window, its roster loaded from the folder, and the game.
struct GameRun {
  explicit GameRun(const DataFolder& folder);

  // The window's message loop: fires every timer that falls due until the
  // clock has moved on by ms.
  void Advance(uint32_t ms);
  // Fires whatever is due now.
  void Settle() { Advance(0); }

  QuietMessageBox messageBox;
  PlayerRoster roster;
  ScriptedHost host;
  Game game;
};

// Scripts for the Choose Player dialog.
std::function<ChoosePlayerAnswer(PlayerRoster&)> CreatePlayer(const std::string& name);
std::function<ChoosePlayerAnswer(PlayerRoster&)> ChooseExisting(const std::string& name);
// A New Game dialog that picks a type and difficulty (and a code) and begins.
std::function<NewGameAnswer(PlayerSettings&, bool)> BeginGame(int type, int difficulty, const std::string& code = "");

// The hidden tiles, rows from the top and columns from the left.
std::vector<std::pair<int, int>> HiddenTiles(const Board& board);

}  // namespace velmora::testing
