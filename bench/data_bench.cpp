// Player data speed: the start-up load of a large roster, and one save.
// Target: loading 1000 players (with the seed tables) takes under 200 ms.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "player_roster.h"
#include "seed_tables.h"
#include "user_record.h"

namespace {

using namespace velmora;
namespace fs = std::filesystem;

class SilentMessageBox : public SystemMessageBox {
 public:
  void Show(std::string_view, std::string_view) override {}
};

void WriteFile(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}

// A working folder with the 100 seed files and `players` user files, each
// player in the middle of a game with `playKeys` plays made. Removed at exit.
class RosterFolder {
 public:
  RosterFolder(int players, int playKeys) {
    std::string pattern = (fs::temp_directory_path() / "velmora-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    path_ = pattern;
    fs::create_directories(path_ / "data/users");
    fs::create_directories(path_ / "data/seeds");
    for (int difficulty = 2; difficulty <= 3; ++difficulty) {
      for (int number = 1000; number <= 50000; number += 1000) {
        std::string seeds;
        for (int slot = number - 1000; slot < number; ++slot)
          seeds += "\r\n" + std::to_string(slot * 7919 % 100003) + ",";
        WriteFile(path_ / "data/seeds" / SeedTables::SeedFileName(difficulty, number), seeds);
      }
    }
    for (int p = 0; p < players; ++p) {
      GDUSER record;
      record.SetDefaultSettings();
      record.ResetResults();
      GameSnapshot game;
      game.gameActive = playKeys > 0;
      game.settings = record.settings;
      game.code = "BC" + std::to_string(p);
      for (int i = 0; i < kTileCount; ++i) {
        Tile& tile = game.board.At(i / 9, i % 9);
        tile.type = (i / 9 * 3 + i / 27 + i % 9) % 9;
        tile.hidden = i % 3 == 0;
        tile.given = !tile.hidden;
        if (tile.hidden) tile.noteMask = 0x15;
        game.paybackOrder[i] = {i % 9, i / 9};
      }
      for (int k = 0; k < playKeys; ++k) game.playKeys.push_back({k % 2 == 0, 1000 + k * 2345});
      game.gameTime = 1000 + playKeys * 2345;
      if (!record.SetFromGame(game)) std::abort();
      WriteFile(path_ / "data/users" / ("Player " + std::to_string(p) + ".user"), record.ComposeText());
    }
  }
  ~RosterFolder() {
    std::error_code error;
    fs::remove_all(path_, error);
  }
  std::string String() const { return path_.string(); }

 private:
  fs::path path_;
};

void BM_LoadRoster(benchmark::State& state) {
  const int players = static_cast<int>(state.range(0));
  const RosterFolder folder(players, static_cast<int>(state.range(1)));
  SilentMessageBox messages;
  for (auto _ : state) {
    PlayerRoster roster(messages, [](std::chrono::milliseconds) {});
    roster.LoadGameDataFrom(folder.String(), nullptr);
    if (roster.PlayerCount() != players) state.SkipWithError("not every player loaded");
    benchmark::DoNotOptimize(roster.PlayerCount());
  }
  state.counters["players/s"] =
      benchmark::Counter(static_cast<double>(players), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_LoadRoster)
    ->Args({1000, 0})
    ->Args({1000, 200})
    ->Args({1000, 1000})
    ->ArgNames({"players", "playKeys"})
    ->Unit(benchmark::kMillisecond);

void BM_SavePlayer(benchmark::State& state) {
  const RosterFolder folder(1000, static_cast<int>(state.range(0)));
  SilentMessageBox messages;
  // The real pause after a save is left out: it is a fixed 250 ms wait.
  PlayerRoster roster(messages, [](std::chrono::milliseconds) {});
  roster.LoadGameDataFrom(folder.String(), nullptr);
  roster.SetCurrentPlayer(500);
  for (auto _ : state) {
    if (!roster.SavePlayer(false)) state.SkipWithError("save failed");
  }
}
BENCHMARK(BM_SavePlayer)->Arg(200)->ArgName("playKeys")->Unit(benchmark::kMicrosecond);

}  // namespace
