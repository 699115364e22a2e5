#pragma once
// What the engine needs from the program around it: a way to report, the log,
// the run's clock, a plain system message box and the game state. The game
// window implements it; the tests and the command-line tools fake it.
#include <cstdint>
#include <string_view>

#include "game_state.h"

namespace velmora {

// What a report is.
enum class ReportKind {
  kMessage,   // shown to the player (and logged)
  kQuestion,  // a yes/no question
  kLogOnly,   // written to the log alone
  kFatal,     // the stop box, then the process ends with status 255
};

// How every part of the program reports: the message reporter of the game
// window implements it.
class Reporter {
 public:
  virtual ~Reporter() = default;

  // True only for a question answered yes. Callers use the named forms below;
  // this is what a reporter implements.
  virtual bool Report(std::string_view text, ReportKind kind) = 0;

  // Returns when the player closed the message.
  void ShowMessage(std::string_view text) { Report(text, ReportKind::kMessage); }
  // True for yes.
  [[nodiscard]] bool Ask(std::string_view question) { return Report(question, ReportKind::kQuestion); }
  void LogOnly(std::string_view text) { Report(text, ReportKind::kLogOnly); }
  // A test's reporter may return.
  void Fatal(std::string_view text) { Report(text, ReportKind::kFatal); }

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
  bool Report(std::string_view, ReportKind) override { return false; }
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
