// Engine speed: the solver on prepared puzzles and whole builds per difficulty.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "board.h"
#include "engine_host.h"
#include "logic_solver.h"
#include "puzzle_builder.h"
#include "random_source.h"

namespace {

using namespace velmora;

using QuietHost = SilentEngineHost;

// Boards as preparation hands them to the solver: a filled solution with one
// difficulty's arrangement of hidden tiles, accepted or not.
std::vector<Board> PreparedBoards(int difficulty, int count) {
  std::vector<Board> boards;
  Board board;
  LogicSolver solver;
  BuildSettings settings;
  QuietHost host;
  ZeroPrepareSeeds seeds;
  PuzzleBuilder builder(board, solver, settings, host, seeds);
  ApplyDifficultyParameters(settings, 0);
  for (int i = 0; i < count; ++i) {
    settings.seedCreate = static_cast<uint32_t>(i);
    builder.StartBuild();
    SeedRandom(static_cast<uint32_t>(i) * 31u);
    builder.HideTiles(kHiddenPerType[difficulty], kMinVisiblePerBlock[difficulty], false);
    boards.push_back(board);
  }
  return boards;
}

void BM_Solve(benchmark::State& state) {
  const auto boards = PreparedBoards(static_cast<int>(state.range(0)), 1024);
  LogicSolver solver;
  size_t i = 0;
  int accepted = 0;
  for (auto _ : state) {
    accepted += solver.Solve(boards[i++ & 1023]) ? 1 : 0;
  }
  state.counters["accepted%"] = 100.0 * accepted / static_cast<double>(state.iterations());
}
BENCHMARK(BM_Solve)->DenseRange(0, 3)->ArgName("difficulty");

// The solver's time per board: each board is solved 32 times in a row, as the
// preparation loop does with a board it just arranged, and the median and the
// 90th percentile over the boards are reported (ns per Solve).
void BM_SolvePerBoard(benchmark::State& state) {
  const auto boards = PreparedBoards(static_cast<int>(state.range(0)), 1024);
  LogicSolver solver;
  std::vector<double> perSolve;
  size_t i = 0;
  for (auto _ : state) {
    const Board& board = boards[i++ & 1023];
    const auto start = std::chrono::steady_clock::now();
    for (int k = 0; k < 32; ++k) benchmark::DoNotOptimize(solver.Solve(board));
    perSolve.push_back(std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count() / 32);
  }
  std::sort(perSolve.begin(), perSolve.end());
  state.counters["median_ns"] = perSolve[perSolve.size() / 2];
  state.counters["p90_ns"] = perSolve[perSolve.size() * 9 / 10];
}
BENCHMARK(BM_SolvePerBoard)->DenseRange(0, 3)->ArgName("difficulty");

void BM_SolveStepwise(benchmark::State& state) {
  const auto boards = PreparedBoards(static_cast<int>(state.range(0)), 1024);
  LogicSolver solver;
  size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(solver.SolveStepwise(boards[i++ & 1023]));
}
BENCHMARK(BM_SolveStepwise)->DenseRange(0, 3)->ArgName("difficulty");

// One whole StartBuild: seed choice, fill and preparation, as a new game runs it.
// Hard and Expert use the zero-filled table, so builds that cannot be prepared
// with seed 0 run all 10000 attempts; those are counted as failures.
void RunStartBuilds(benchmark::State& state, const PrepareSeedSource& seeds) {
  const int difficulty = static_cast<int>(state.range(0));
  Board board;
  LogicSolver solver;
  BuildSettings settings;
  QuietHost host;
  PuzzleBuilder builder(board, solver, settings, host, seeds);
  ApplyDifficultyParameters(settings, difficulty);
  settings.difficultyIndex = difficulty;
  int failed = 0;
  for (auto _ : state) failed += builder.StartBuild() ? 0 : 1;
  state.counters["failed%"] = 100.0 * failed / static_cast<double>(state.iterations());
  state.counters["puzzles/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_StartBuild(benchmark::State& state) { RunStartBuilds(state, ZeroPrepareSeeds()); }
BENCHMARK(BM_StartBuild)->DenseRange(0, 3)->ArgName("difficulty");

void BM_HideTiles(benchmark::State& state) {
  const int difficulty = static_cast<int>(state.range(0));
  Board board;
  LogicSolver solver;
  BuildSettings settings;
  QuietHost host;
  ZeroPrepareSeeds seeds;
  PuzzleBuilder builder(board, solver, settings, host, seeds);
  ApplyDifficultyParameters(settings, 0);
  builder.StartBuild();
  uint32_t seed = 0;
  for (auto _ : state) {
    SeedRandom(seed++);
    builder.HideTiles(kHiddenPerType[difficulty], kMinVisiblePerBlock[difficulty], false);
  }
}
BENCHMARK(BM_HideTiles)->DenseRange(0, 3)->ArgName("difficulty");

}  // namespace

#ifdef VELMORA_SEEDS_FOLDER
#include "seed_tables.h"

namespace {

class NoMessages : public velmora::SystemMessageBox {
 public:
  void Show(std::string_view, std::string_view) override {}
};

// Hard and Expert builds as the game makes them, with the committed seed tables.
void BM_StartBuildWithTables(benchmark::State& state) {
  NoMessages messages;
  SeedTables tables;
  if (tables.LoadFromFolder(VELMORA_SEEDS_FOLDER, messages) != 100) {
    state.SkipWithError("the seed tables could not be read");
    return;
  }
  RunStartBuilds(state, tables);
}
BENCHMARK(BM_StartBuildWithTables)->DenseRange(2, 3)->ArgName("difficulty");

}  // namespace
#endif
