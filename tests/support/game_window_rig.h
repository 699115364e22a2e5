#pragma once
// A real game window in play, for widget tests and benchmarks: a copy of the
// built working folder, scripted dialogs (a new player, then a game from a
// Puzzle Code), and the window started as the program starts it. Its time is
// moved by the test (the splash, the pauses and the timers then take no real
// time) unless the rig is asked for the system clock.
#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "clock.h"
#include "fake_platform.h"
#include "game_dialog.h"
#include "dialog_service.h"
#include "key_router.h"
#include "manual_time.h"
#include "player_roster.h"

namespace velmora::testing {

class ScriptedDialogs : public DialogService {
 public:
  struct TileMenuCall {
    int row, column;
    bool noteMenu, fromMouse;
  };

  ChoosePlayerAnswer ChoosePlayer(PlayerRoster& roster) override {
    roster.AddPlayer(playerName);
    roster.SetCurrentPlayer(roster.PlayerCount() - 1);
    return {ChoosePlayerAnswer::kChosen, true};
  }
  ContinueAnswer ContinueGame(std::string_view, std::string_view) override { return ContinueAnswer::kNewGame; }
  NewGameAnswer NewGame(PlayerSettings& settings, bool) override {
    settings.puzzleCode = puzzleCode;
    settings.ignoreMistakes = ignoreMistakes;
    return NewGameAnswer::kOk;
  }
  TileMenuAnswer TileMenu(int row, int column, bool noteMenu, bool fromMouse, TileMenuMemory&) override {
    tileMenuCalls.push_back({row, column, noteMenu, fromMouse});
    return {};
  }
  OptionsAnswer Options(PlayerSettings&) override { return OptionsAnswer::kCancel; }
  void Intro(bool, PlayerSettings&) override {}
  void Results(const PuzzleResults&) override { ++resultsShown; }

  std::string playerName = "Tess";
  std::string puzzleCode = "AA";
  bool ignoreMistakes = false;
  std::vector<TileMenuCall> tileMenuCalls;
  int resultsShown = 0;
};

enum class RigTime { kManual, kSystem };

class GameWindowRig {
 public:
  // runtimeFolder: the build's working folder (art/, data/seeds/).
  GameWindowRig(const std::string& runtimeFolder, bool ignoreMistakes, RigTime time = RigTime::kManual)
      : manual_(time == RigTime::kManual) {
    const QString from = QString::fromStdString(runtimeFolder);
    CopyFolder(from + "/art", folder_.path() + "/art");
    CopyFolder(from + "/data/seeds", folder_.path() + "/data/seeds");
    QDir().mkpath(folder_.path() + "/data/users");
    auto scripted = std::make_unique<ScriptedDialogs>();
    scripted->ignoreMistakes = ignoreMistakes;
    dialogs = scripted.get();
    if (manual_) {
      window = std::make_unique<GameDialog>(
          manualClock_, boxes, keys_, folder_.path().toStdString(), [this](std::function<void(int)> handler) {
            auto made = std::make_unique<ManualWindowTimers>(manualClock_, std::move(handler));
            timers_ = made.get();
            return made;
          });
    } else {
      window = std::make_unique<GameDialog>(systemClock_, boxes, keys_, folder_.path().toStdString());
    }
    window->SetDialogs(std::move(scripted));
    window->Initialise();
    window->show();
  }

  // The splash, the player's choice and the build take a few seconds of the
  // window's time: moved on by hand, or waited out on the system clock.
  bool WaitUntilPlaying(int milliseconds = 20000) {
    auto playing = [this] { return window->GetGame().Session().gameState == GameState::Playing; };
    if (!manual_) return QTest::qWaitFor(playing, milliseconds);
    for (int passed = 0; !playing(); passed += kMinimumTimerPeriod) {
      if (passed >= milliseconds) return false;
      Advance(kMinimumTimerPeriod);
    }
    return true;
  }

  // Moves the window's time on (a rig on the system clock waits it out).
  void Advance(uint32_t milliseconds) {
    if (manual_)
      timers_->Advance(milliseconds);
    else
      QTest::qWait(static_cast<int>(milliseconds));
  }

  // The working folder the window runs in.
  QString Folder() const { return folder_.path(); }

  static void CopyFolder(const QString& from, const QString& to) {
    QDir().mkpath(to);
    const QDir source(from);
    for (const QString& name : source.entryList(QDir::Files)) QFile::copy(from + "/" + name, to + "/" + name);
    for (const QString& name : source.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
      CopyFolder(from + "/" + name, to + "/" + name);
  }

  RecordingMessageBoxes boxes;
  ScriptedDialogs* dialogs = nullptr;

 private:
  QTemporaryDir folder_;
  bool manual_;
  ManualClock manualClock_;
  ManualWindowTimers* timers_ = nullptr;  // owned by the window
  SystemClock systemClock_;
  KeyRouter keys_;

 public:
  std::unique_ptr<GameDialog> window;
};

}  // namespace velmora::testing
