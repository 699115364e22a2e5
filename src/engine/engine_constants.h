#pragma once
// Numbers that are part of the puzzle format: changing any of them changes which
// puzzle a Puzzle Code names.
#include <cstdint>

namespace velmora {

inline constexpr int kBoardSize = 9;
inline constexpr int kTileCount = 81;
inline constexpr int kBlockSize = 3;
inline constexpr int kTypeCount = 9;

// The process-wide linear congruential generator.
inline constexpr uint32_t kRandomMultiplier = 214013u;
inline constexpr uint32_t kRandomIncrement = 2531011u;

// Creation seeds are 0..49999; the seedCreate counter wraps past the last one.
inline constexpr uint32_t kCreationSeedLimit = 50000u;
inline constexpr uint32_t kLastCreationSeed = kCreationSeedLimit - 1;

// Limits of the solution fill.
inline constexpr int kFillAttempts = 100;
inline constexpr int kFillTypeFailures = 100;
inline constexpr int kPlaceTriesPerGiveUp = 100;

// Limit of the preparation search.
inline constexpr int kPrepareAttempts = 10000;

// The Eraser, where an Active Number is stored.
inline constexpr int32_t kEraserType = 0x0FFFFFFF;

// Game types and difficulties.
inline constexpr int kGameTypeNormal = 0;
inline constexpr int kGameTypePayback = 1;
inline constexpr int kGameTypeBlackout = 2;
inline constexpr int kGameTypeCount = 3;

inline constexpr int kDifficultyEasy = 0;
inline constexpr int kDifficultyMedium = 1;
inline constexpr int kDifficultyHard = 2;
inline constexpr int kDifficultyExpert = 3;
inline constexpr int kDifficultyCount = 4;

// Puzzle Codes: two letters and up to five digits.
inline constexpr int kMaxPuzzleCodeLength = 7;

// Preparation parameters per difficulty: hidden tiles per type and the
// minimum number of visible tiles per block.
inline constexpr int kHiddenPerType[kDifficultyCount] = {2, 4, 6, 7};
inline constexpr int kMinVisiblePerBlock[kDifficultyCount] = {5, 4, 3, 3};

}  // namespace velmora
