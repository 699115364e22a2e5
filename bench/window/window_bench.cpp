// The game window's painting on a real window in play (headless): a full
// repaint, and a play from its key press to the end of its repaint.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QTest>
#include <cstdlib>
#include <memory>

#include "game_window_rig.h"

namespace {

using namespace velmora;

testing::GameWindowRig& Rig() {
  // Ignore Mistakes lets the same key play a tile and take it back for ever.
  static auto* rig = [] {
    auto* made = new testing::GameWindowRig(VELMORA_RUNTIME_FOLDER, true, testing::RigTime::kSystem);
    if (!made->WaitUntilPlaying()) std::abort();
    return made;
  }();
  return *rig;
}

void BM_FullRepaint(benchmark::State& state) {
  GameDialog& window = *Rig().window;
  for (auto _ : state) window.repaint();
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMicrosecond);

void BM_KeyPlayToRepaint(benchmark::State& state) {
  GameDialog& window = *Rig().window;
  Game& game = window.GetGame();
  const Board& board = game.GetBoard();
  int row = 0, column = 0;
  while (!board.IsHidden(row, column)) {  // a tile the player has to find
    if (++column == 9) column = 0, ++row;
  }
  game.SetCursorTile(row, column);
  QCoreApplication::processEvents();
  const auto key = static_cast<Qt::Key>(Qt::Key_1 + board.TypeAt(row, column));
  for (auto _ : state) {
    QTest::keyClick(window.windowHandle(), key);
    QCoreApplication::processEvents();  // the repaint the play asked for
  }
}
BENCHMARK(BM_KeyPlayToRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
