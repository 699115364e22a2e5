#include "prepare_seed_search.h"

#include "random_source.h"

namespace velmora {

bool PrepareSeedSearch::Fill(int creationSeed) {
  SeedRandom(static_cast<uint32_t>(creationSeed));
  board_.Clear();
  for (int attempt = 0; attempt < kFillAttempts; ++attempt)
    if (builder_.FillSolution()) return true;
  return false;
}

bool PrepareSeedSearch::Accepts(int difficulty, int32_t prepareSeed) {
  if (difficulty < 0 || difficulty >= kDifficultyCount) return false;
  SeedRandom(static_cast<uint32_t>(prepareSeed));
  builder_.HideTiles(kHiddenPerType[difficulty], kMinVisiblePerBlock[difficulty], false);
  return solver_.Solve(board_);
}

int32_t PrepareSeedSearch::FirstAccepted(int difficulty, int32_t limit) {
  for (int32_t seed = 0; seed < limit; ++seed)
    if (Accepts(difficulty, seed)) return seed;
  return -1;
}

}  // namespace velmora
