// Opening each skinned dialog to its first paint, and building the Puzzle
// Results graph for a long game. The art is the built game's.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QPixmap>
#include <QWidget>
#include <cstdlib>
#include <memory>

#include "art_loader.h"
#include "continue_game_dialog.h"
#include "fake_platform.h"
#include "game_bitmap_table.h"
#include "game_log.h"
#include "image_operations.h"
#include "intro_dialog.h"
#include "message_backgrounds.h"
#include "message_dialog.h"
#include "message_reporter.h"
#include "new_game_dialog.h"
#include "options_dialog.h"
#include "player_dialogs.h"
#include "player_roster.h"
#include "results_dialog.h"
#include "tile_menu_dialog.h"

namespace velmora {
namespace {

class SilentBox : public SystemMessageBox {
 public:
  void Show(std::string_view, std::string_view) override {}
};

// The art, reporter and owner window the dialogs open over, made once.
struct Setting {
  Setting() {
    ArtLoader loader(reporter, QStringLiteral(VELMORA_RUNTIME_FOLDER));
    loader.LoadGameArt(art);
    ImageOperations operations(reporter);
    operations.BuildMessageBackgrounds(art, backgrounds);
    reporter.SetBackgroundsBuilder([this](std::array<QImage, 3>& images) {
      images = backgrounds.images;
      return backgrounds.ready;
    });
    owner.setFixedSize(640, 480);
    owner.show();
  }
  SilentBox systemBox;
  GameLog log{systemBox};
  testing::RecordingMessageBoxes boxes;
  MessageReporter reporter{log, boxes, [] { return 0u; }};
  GameBitmapTable art;
  MessageBackgrounds backgrounds;
  QWidget owner;
};

Setting& TheSetting() {
  static Setting setting;
  return setting;
}

// Constructs, shows and paints a dialog once, as opening it does.
template <typename Make>
void OpenToFirstPaint(benchmark::State& state, Make make) {
  Setting& s = TheSetting();
  if (!s.art.ArtLoaded()) {
    state.SkipWithError("the built art was not found");
    return;
  }
  for (auto _ : state) {
    auto dialog = make(s);
    dialog->show();
    const QPixmap firstPaint = dialog->grab();  // the whole window drawn once, controls included
    dialog->hide();
    benchmark::DoNotOptimize(firstPaint.cacheKey());
  }
}

std::vector<PlayKey> LongGame(int plays) {
  std::vector<PlayKey> keys;
  for (int k = 0; k < plays; ++k) keys.push_back({k % 7 != 3, 2000 * k + 1000});
  return keys;
}

PuzzleResults ResultsOf(const std::vector<PlayKey>& plays) {
  PuzzleResults results;
  results.playKeys = plays;
  results.gameTime = static_cast<uint32_t>(plays.empty() ? 1000 : plays.back().time + 5000);
  results.bestTime = 6000;
  results.averageTime = 7000;
  results.puzzleCode = "AB123";
  results.kind = "Normal - Medium";
  return results;
}

// As the game shows a message: its three backgrounds are cut first.
void BM_OpenMessage(benchmark::State& state) {
  OpenToFirstPaint(state, [](Setting& s) {
    ImageOperations operations(s.reporter);
    MessageBackgrounds backgrounds;
    operations.BuildMessageBackgrounds(s.art, backgrounds);
    return std::make_unique<MessageDialog>(OptionsDialog::KeyboardExplanation(), MessageDialog::kNotice,
                                           backgrounds.images, &s.art, s.reporter, &s.owner);
  });
}
BENCHMARK(BM_OpenMessage)->Unit(benchmark::kMillisecond);

void BM_OpenNewGame(benchmark::State& state) {
  PlayerSettings settings;
  OpenToFirstPaint(
      state, [&](Setting& s) { return std::make_unique<NewGameDialog>(true, settings, &s.art, s.reporter, &s.owner); });
}
BENCHMARK(BM_OpenNewGame)->Unit(benchmark::kMillisecond);

void BM_OpenTileMenu(benchmark::State& state) {
  TileMenuMemory memory{100, 100};
  OpenToFirstPaint(state, [&](Setting& s) {
    return std::make_unique<TileMenuDialog>(false, 0, false, memory, &s.art, s.reporter, &s.owner);
  });
}
BENCHMARK(BM_OpenTileMenu)->Unit(benchmark::kMillisecond);

void BM_OpenChoosePlayer(benchmark::State& state) {
  SilentBox box;
  // The roster writes a file per player added: keep them in a folder of their own.
  QTemporaryDir folder;
  QDir().mkpath(folder.path() + "/data/users");
  QDir().mkpath(folder.path() + "/data/seeds");
  PlayerRoster roster(box);
  roster.LoadGameDataFrom(folder.path().toStdString(), nullptr);
  for (const char* name : {"Ada", "Bob", "Cleo", "Dan"}) roster.AddPlayer(name);
  int cancels = 0;
  OpenToFirstPaint(state, [&](Setting& s) {
    return std::make_unique<ChoosePlayerDialog>(roster, cancels, &s.art, s.reporter, &s.owner);
  });
}
BENCHMARK(BM_OpenChoosePlayer)->Unit(benchmark::kMillisecond);

void BM_OpenCreatePlayer(benchmark::State& state) {
  std::string name;
  OpenToFirstPaint(
      state, [&](Setting& s) { return std::make_unique<CreatePlayerDialog>(name, &s.art, s.reporter, &s.owner); });
}
BENCHMARK(BM_OpenCreatePlayer)->Unit(benchmark::kMillisecond);

void BM_OpenContinueGame(benchmark::State& state) {
  OpenToFirstPaint(state, [](Setting& s) {
    return std::make_unique<ContinueGameDialog>(
        "Welcome back Ada!\nWould you like to continue your last game?",
        "-Last Game Details-\nType: Normal\nDifficulty: Easy\nMistakes: 0\nTime Played: 3 minutes, 2.0 seconds", &s.art,
        s.reporter, &s.owner);
  });
}
BENCHMARK(BM_OpenContinueGame)->Unit(benchmark::kMillisecond);

void BM_OpenResults(benchmark::State& state) {
  const PuzzleResults results = ResultsOf(LongGame(500));
  OpenToFirstPaint(state, [&](Setting& s) {
    auto dialog = std::make_unique<ResultsDialog>(results.playKeys, &s.art, s.reporter, &s.owner);
    dialog->SetResults(results);
    return dialog;
  });
}
BENCHMARK(BM_OpenResults)->Unit(benchmark::kMillisecond);

void BM_OpenOptions(benchmark::State& state) {
  PlayerSettings settings;
  OpenToFirstPaint(state,
                   [&](Setting& s) { return std::make_unique<OptionsDialog>(settings, &s.art, s.reporter, &s.owner); });
}
BENCHMARK(BM_OpenOptions)->Unit(benchmark::kMillisecond);

void BM_OpenIntroColorPage(benchmark::State& state) {
  QPoint position(50, 50);
  float hue = 220.0f;
  OpenToFirstPaint(state, [&](Setting& s) {
    return std::make_unique<IntroDialog>(IntroDialog::kColorPage, position, hue, &s.art, s.reporter, &s.owner);
  });
}
BENCHMARK(BM_OpenIntroColorPage)->Unit(benchmark::kMillisecond);

// The graph alone: a Results dialog's background copy and graph for a 500-play game,
// less the background copy measured on its own below.
void BM_GraphBuild500Plays(benchmark::State& state) {
  Setting& s = TheSetting();
  const PuzzleResults results = ResultsOf(LongGame(500));
  for (auto _ : state) {
    ResultsDialog dialog(results.playKeys, &s.art, s.reporter, &s.owner);
    dialog.SetResults(results);
    benchmark::DoNotOptimize(dialog.GraphBuilt());
  }
}
BENCHMARK(BM_GraphBuild500Plays)->Unit(benchmark::kMillisecond);

void BM_ResultsWithoutGraph(benchmark::State& state) {
  Setting& s = TheSetting();
  const std::vector<PlayKey> none;
  for (auto _ : state) {
    ResultsDialog dialog(none, &s.art, s.reporter, &s.owner);
    benchmark::DoNotOptimize(&dialog);
  }
}
BENCHMARK(BM_ResultsWithoutGraph)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
