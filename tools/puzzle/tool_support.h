// What the puzzle tool's two modes (one puzzle, a booklet) share: the engine's
// host, plain messages on stderr and the seed tables.
#pragma once

#include <string>
#include <string_view>

#include "engine_host.h"
#include "seed_tables.h"
#include "system_message_box.h"

namespace velmora::puzzle_tool {

// Reports that would be shown to a player are kept; the first failure text is
// what the tool prints when a build does not succeed.
class ToolHost : public EngineHost {
 public:
  bool Report(std::string_view text, ReportKind) override;
  bool LogOn() const override { return false; }
  void Log(std::string_view) override {}
  uint32_t MillisecondsSinceStart() const override { return 0; }
  void SystemMessage(std::string_view text) override;
  void SetGameState(GameState) override {}

  std::string failure;
};

class StderrMessages : public SystemMessageBox {
 public:
  void Show(std::string_view text, std::string_view caption) override;
};

// The prepare-seed source for a --seeds folder: the tables read from it, or
// zeros when no folder was given. Nothing when the folder yields no seed file
// (said on stderr, with each file that could not be read).
class SeedSource {
 public:
  bool Load(const std::string& seedsFolder);
  const PrepareSeedSource& Seeds() const { return loaded_ ? static_cast<const PrepareSeedSource&>(tables_) : zeros_; }

 private:
  ZeroPrepareSeeds zeros_;
  SeedTables tables_;
  bool loaded_ = false;
};

}  // namespace velmora::puzzle_tool
