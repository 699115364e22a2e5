// The committed seed tables of the Hard and Expert puzzles, checked against the
// game's own fill, hide and solve.
#include <gtest/gtest.h>

#include <random>

#include "engine_fixtures.h"
#include "prepare_seed_search.h"
#include "seed_tables.h"

namespace velmora {
namespace {

struct NoMessages : SystemMessageBox {
  void Show(std::string_view, std::string_view) override {}
};

class SeedTableTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    tables = new SeedTables;
    NoMessages messages;
    filesRead = tables->LoadFromFolder(VELMORA_SEEDS_FOLDER, messages);
  }
  static void TearDownTestSuite() { delete tables; }

  static SeedTables* tables;
  static int filesRead;
};
SeedTables* SeedTableTest::tables = nullptr;
int SeedTableTest::filesRead = 0;

TEST_F(SeedTableTest, AllHundredFilesAreThere) { EXPECT_EQ(filesRead, 100); }

// A fresh random sample on every run; the seed is printed so a failure can be repeated.
TEST_F(SeedTableTest, SampledEntriesAreTheFirstAcceptedSeeds) {
  const unsigned sampleSeed = std::random_device{}();
  RecordProperty("sampleSeed", static_cast<int>(sampleSeed));
  std::mt19937 random(sampleSeed);
  PrepareSeedSearch search;
  for (int i = 0; i < 300; ++i) {
    const int difficulty = 2 + i % 2;
    const int creationSeed = static_cast<int>(random() % 50000);
    const int32_t entry = tables->PrepareSeedFor(difficulty, creationSeed);
    ASSERT_TRUE(search.Fill(creationSeed));
    EXPECT_TRUE(search.Accepts(difficulty, entry))
        << "difficulty " << difficulty << " creation seed " << creationSeed << " sample seed " << sampleSeed;
    if (i % 10 == 0) {  // the full search is slower; a tenth of the sample repeats it
      EXPECT_EQ(search.FirstAccepted(difficulty, entry + 1), entry)
          << "difficulty " << difficulty << " creation seed " << creationSeed << " sample seed " << sampleSeed;
    }
  }
}

TEST_F(SeedTableTest, TheEntryThatHoldsExpertSlot1500) {
  // Slot 1500 is the 501st value of the second Expert file.
  EXPECT_EQ(tables->PrepareSeedFor(3, 1500), 256);
}

TEST_F(SeedTableTest, HardAndExpertCodesBuildUniqueSinglesPuzzles) {
  Board board;
  LogicSolver solver;
  BuildSettings settings;
  testing::FakeEngineHost host;
  PuzzleBuilder builder(board, solver, settings, host, *tables);
  for (int i = 0; i < 36; ++i) {
    const std::string code =
        std::string(i % 2 ? "B" : "A") + (i % 4 < 2 ? "C" : "D") + std::to_string(i * 1381 % 50000);
    settings.puzzleCode = code;
    ApplyDifficultyParameters(settings, code[1] - 'A');
    ASSERT_TRUE(builder.StartBuild()) << code;
    EXPECT_EQ(settings.seedPrepare, tables->PrepareSeedFor(code[1] - 'A', i * 1381 % 50000)) << code;
    EXPECT_TRUE(solver.Solve(board)) << code;
    std::array<int, 81> found{};
    ASSERT_EQ(testing::CountSolutions(testing::VisibleDigits(board), 2, &found), 1) << code;
    EXPECT_EQ(found, testing::SolutionDigits(board)) << code;
  }
  EXPECT_TRUE(host.systemMessages.empty());
}

}  // namespace
}  // namespace velmora
