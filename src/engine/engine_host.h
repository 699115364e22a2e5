#pragma once
// What the engine needs from the program around it: a way to report, the log,
// the run's clock, a plain system message box and the game state. The game
// window implements it; the tests and the command-line tools fake it.
#include <cstdint>
#include <string_view>

#include "game_state.h"

namespace velmora {

// How every part of the program reports: the message reporter of the game
// window implements it.
class Reporter {
 public:
  virtual ~Reporter() = default;

  // A shown message (no flags), a question, a log-only line or a fatal stop.
  // Returns 6 when a question was answered yes. Callers use the named forms
  // below; this is what a reporter implements.
  virtual int Report(std::string_view text, bool question, bool logOnly, bool fatal) = 0;

  // Shown to the player (and logged); returns when the player closed it.
  void ShowMessage(std::string_view text) { Report(text, false, false, false); }
  // A yes/no question; true for yes.
  [[nodiscard]] bool Ask(std::string_view question) { return Report(question, true, false, false) == kAnswerYes; }
  // Written to the log alone.
  void LogOnly(std::string_view text) { Report(text, false, true, false); }
  // The stop box, then the process ends with status 255 (a test's reporter may return).
  void Fatal(std::string_view text) { Report(text, false, false, true); }

  static constexpr int kAnswerYes = 6;
  // The log switch and its raw writer.
  virtual bool LogOn() const = 0;
  virtual void Log(std::string_view text) = 0;
  // Milliseconds since the run started, for "T+" log lines.
  virtual uint32_t MillisecondsSinceStart() const = 0;
};

class EngineHost : public Reporter {
 public:
  // A plain system message box with an OK button, captioned with the program's name.
  virtual void SystemMessage(std::string_view text) = 0;
  virtual void SetGameState(GameState state) = 0;
};

// A host that shows nothing and logs nothing, for command-line tools and benchmarks.
class SilentEngineHost : public EngineHost {
 public:
  int Report(std::string_view, bool, bool, bool) override { return 0; }
  bool LogOn() const override { return false; }
  void Log(std::string_view) override {}
  uint32_t MillisecondsSinceStart() const override { return 0; }
  void SystemMessage(std::string_view) override {}
  void SetGameState(GameState) override {}
};

// Answers the preparation seed of a Hard or Expert puzzle for its creation seed.
class PrepareSeedSource {
 public:
  virtual ~PrepareSeedSource() = default;
  virtual int32_t PrepareSeedFor(int difficulty, int creationSeed) const = 0;
};

// The answer before the real tables are loaded: every entry is 0.
class ZeroPrepareSeeds : public PrepareSeedSource {
 public:
  int32_t PrepareSeedFor(int difficulty, int creationSeed) const override;
};

}  // namespace velmora
