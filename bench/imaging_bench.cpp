// Imaging speed: the game colour change over the whole art table (target:
// under 20 ms) and the start-up art load with the three fonts (target: under
// 150 ms). With the generated art built in (velmora_art_resources and the art
// folder of build/runtime) they run on the real art; otherwise on an art set
// of the real sizes written to a temporary folder.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdlib>
#include <memory>

#include "art_loader.h"
#include "engine_host.h"
#include "game_bitmap_table.h"
#include "game_fonts.h"
#include "image_operations.h"
#include "message_backgrounds.h"
#include "test_art.h"

namespace {

using namespace velmora;

// Fonts need a GUI application; the benchmarks run headless.
void EnsureGuiApplication() {
  if (QCoreApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "velmora-bench";
  static char* argv[] = {name, nullptr};
  static QGuiApplication app(argc, argv);
}

// Where the art comes from: the real art when it is built in, else a
// temporary art set of the real sizes.
class ArtSource {
 public:
  ArtSource() {
#if defined(VELMORA_RUNTIME_FOLDER)
    if (QDir(QStringLiteral(VELMORA_RUNTIME_FOLDER "/art")).exists()) {
      working_ = QStringLiteral(VELMORA_RUNTIME_FOLDER);
      resources_ = QString::fromLatin1(imaging::kResourceBitmapRoot);
      real_ = true;
      return;
    }
#endif
    if (!folder_.isValid()) std::abort();
    working_ = folder_.path() + "/work";
    resources_ = folder_.path() + "/resources";
    if (!testing::WriteTestArt(resources_, working_)) std::abort();
  }
  static ArtSource& Get() {
    static ArtSource source;
    return source;
  }
  ArtLoader Loader(Reporter& reporter) const { return ArtLoader(reporter, working_, resources_); }
  const char* Label() const { return real_ ? "real art" : "test art of the real sizes"; }

 private:
  QTemporaryDir folder_;
  QString working_;
  QString resources_;
  bool real_ = false;
};

void BM_ChangeGameColor(benchmark::State& state) {
  EnsureGuiApplication();
  SilentEngineHost host;
  ArtSource& source = ArtSource::Get();
  auto table = std::make_unique<GameBitmapTable>();
  if (!source.Loader(host).LoadGameArt(*table)) {
    state.SkipWithError("the art did not load");
    return;
  }
  ImageOperations operations(host);
  for (auto _ : state) {
    // 37 degrees: a new colour every time, never a whole turn.
    benchmark::DoNotOptimize(operations.ChangeGameColor(*table, 37.0f));
  }
  state.SetLabel(source.Label());
}
BENCHMARK(BM_ChangeGameColor)->Unit(benchmark::kMillisecond);

// The art alone, as the window loads it at start-up.
void BM_LoadGameArt(benchmark::State& state) {
  EnsureGuiApplication();
  SilentEngineHost host;
  ArtSource& source = ArtSource::Get();
  for (auto _ : state) {
    auto table = std::make_unique<GameBitmapTable>();
    if (!source.Loader(host).LoadGameArt(*table)) {
      state.SkipWithError("the art did not load");
      return;
    }
    benchmark::DoNotOptimize(table->Entry(188));
  }
  state.SetLabel(source.Label());
}
BENCHMARK(BM_LoadGameArt)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadGameArtWithFonts(benchmark::State& state) {
  EnsureGuiApplication();
  SilentEngineHost host;
  ArtSource& source = ArtSource::Get();
  for (auto _ : state) {
    auto table = std::make_unique<GameBitmapTable>();
    const bool loaded = source.Loader(host).LoadGameArt(*table);
    GameFonts fonts(host);
    fonts.CreateGameFonts();
    if (!loaded) {
      state.SkipWithError("the art did not load");
      return;
    }
    benchmark::DoNotOptimize(table->Entry(188));
  }
  state.SetLabel(source.Label());
}
BENCHMARK(BM_LoadGameArtWithFonts)->Unit(benchmark::kMillisecond);

}  // namespace
