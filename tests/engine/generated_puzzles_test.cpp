// Generated puzzles checked by a solver that shares no code with the engine.
#include <gtest/gtest.h>

#include "engine_fixtures.h"
#include "random_source.h"

namespace velmora {
namespace {

void ExpectUniqueAndTheEngines(const testing::BuildRig& rig, const std::string& label) {
  std::array<int, 81> found{};
  ASSERT_EQ(testing::CountSolutions(testing::VisibleDigits(rig.board), 2, &found), 1) << label;
  EXPECT_EQ(found, testing::SolutionDigits(rig.board)) << label;
}

TEST(GeneratedPuzzles, EasyAndMediumHaveExactlyTheEnginesSolution) {
  testing::BuildRig rig;
  rig.settings.seedCreate = 31000;
  for (int i = 0; i < 400; ++i) {
    ASSERT_TRUE(rig.BuildNext(i % 2, (i / 2) % 2));
    ExpectUniqueAndTheEngines(rig, CurrentPuzzleCode(rig.settings));
    ASSERT_TRUE(rig.solver.Solve(rig.board));
  }
}

// Hard and Expert puzzles take their preparation seed from a table; here the
// first accepted seed is searched the way the table is made.
TEST(GeneratedPuzzles, HardAndExpertArrangementsTheSolverAcceptsAreUnique) {
  testing::BuildRig rig;
  for (int creationSeed = 0; creationSeed < 40; ++creationSeed) {
    const int difficulty = 2 + creationSeed % 2;
    SeedRandom(static_cast<uint32_t>(creationSeed * 1249));
    rig.board.Clear();
    bool filled = false;
    for (int attempt = 0; attempt < 100 && !filled; ++attempt) filled = rig.builder.FillSolution();
    ASSERT_TRUE(filled);
    bool accepted = false;
    for (uint32_t prepareSeed = 0; prepareSeed < 100000 && !accepted; ++prepareSeed) {
      SeedRandom(prepareSeed);
      rig.builder.HideTiles(kHiddenPerType[difficulty], kMinVisiblePerBlock[difficulty], false);
      accepted = rig.solver.Solve(rig.board);
    }
    ASSERT_TRUE(accepted);
    ExpectUniqueAndTheEngines(rig, "seed " + std::to_string(creationSeed));
  }
}

}  // namespace
}  // namespace velmora
