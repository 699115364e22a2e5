#pragma once
#include <string>
#include <vector>

#include "engine_host.h"

namespace velmora::testing {

// Records everything the engine reports; the clock is set by hand.
class FakeEngineHost : public EngineHost {
 public:
  struct Reported {
    std::string text;
    bool question = false;
    bool logOnly = false;
    bool fatal = false;
  };

  bool Report(std::string_view text, ReportKind kind) override {
    reports.push_back(
        {std::string(text), kind == ReportKind::kQuestion, kind == ReportKind::kLogOnly, kind == ReportKind::kFatal});
    return answer;
  }
  bool LogOn() const override { return logOn; }
  void Log(std::string_view text) override { log += text; }
  uint32_t MillisecondsSinceStart() const override { return millis; }
  void SystemMessage(std::string_view text) override { systemMessages.emplace_back(text); }
  void SetGameState(GameState state) override { states.push_back(state); }

  bool logOn = false;
  uint32_t millis = 0;
  bool answer = false;
  std::string log;
  std::vector<Reported> reports;
  std::vector<std::string> systemMessages;
  std::vector<GameState> states;
};

// A seed table answering one fixed value for every Hard and Expert entry.
class FixedPrepareSeeds : public PrepareSeedSource {
 public:
  explicit FixedPrepareSeeds(int32_t value) : value_(value) {}
  int32_t PrepareSeedFor(int difficulty, int) const override { return difficulty >= 2 ? value_ : 0; }

 private:
  int32_t value_;
};

}  // namespace velmora::testing
