#include "puzzle_builder.h"

#include <algorithm>

#include "engine_texts.h"
#include "puzzle_code.h"
#include "random_source.h"

namespace velmora {

const char* GameTypeName(int typeIndex) {
  return (typeIndex >= 0 && typeIndex < kGameTypeCount) ? texts::kGameTypeNames[typeIndex] : "";
}

const char* DifficultyName(int difficultyIndex) {
  return (difficultyIndex >= 0 && difficultyIndex < kDifficultyCount) ? texts::kDifficultyNames[difficultyIndex] : "";
}

bool ApplyDifficultyParameters(BuildSettings& settings, int difficultyIndex) {
  if (difficultyIndex < 0 || difficultyIndex >= kDifficultyCount) return false;
  settings.hiddenPerType = kHiddenPerType[difficultyIndex];
  settings.minVisiblePerBlock = kMinVisiblePerBlock[difficultyIndex];
  return true;
}

std::string CurrentPuzzleCode(const BuildSettings& settings) {
  if (!settings.puzzleCode.empty()) return settings.puzzleCode;
  // Before the first build the counter names no seed yet; show seed 0 then.
  const uint32_t counter = settings.seedCreate;
  const uint32_t lastSeed = (counter == 0 || counter > kCreationSeedLimit) ? 0 : counter - 1;
  return CanonicalPuzzleCode(settings.typeIndex, settings.difficultyIndex, static_cast<int>(lastSeed));
}

void PuzzleBuilder::LogStamp(const char* what, int number) {
  if (!host_.LogOn()) return;
  host_.Log("\nT+");
  host_.Log(std::to_string(host_.MillisecondsSinceStart()));
  host_.Log(what);
  if (number >= 0) host_.Log(std::to_string(number));
}

bool PuzzleBuilder::StartBuild() {
  int codeSeed = -1;
  uint32_t creationSeed = 0;
  DecodedPuzzleCode decoded;
  if (!settings_.puzzleCode.empty() && DecodePuzzleCode(settings_.puzzleCode, decoded)) {
    if (decoded.difficultyIndex < 0 || decoded.difficultyIndex >= kDifficultyCount)
      host_.Fatal(texts::kInvalidDifficultyFromCode);
    if (decoded.typeIndex < 0 || decoded.typeIndex >= kGameTypeCount) host_.Fatal(texts::kInvalidTypeFromCode);
    settings_.typeIndex = decoded.typeIndex;
    settings_.difficultyIndex = decoded.difficultyIndex;
    creationSeed = static_cast<uint32_t>(decoded.creationSeed);
    codeSeed = decoded.creationSeed;
  } else {
    creationSeed = settings_.seedCreate;
    settings_.seedCreate += 1;
    if (creationSeed > kLastCreationSeed) {
      creationSeed = 0;
      settings_.seedCreate = 1;
    }
  }
  SeedRandom(creationSeed);
  return BuildPuzzle(codeSeed);
}

bool PuzzleBuilder::BuildPuzzle(int codeSeed) {
  if (host_.LogOn()) {
    host_.Log("\n");
    host_.Log(">>\n");
    host_.Log(">> ----------------------------------\n");
    host_.Log(">> -------- BUILD NEW PUZZLE --------\n");
    host_.Log(">>\nT+");
    host_.Log(std::to_string(host_.MillisecondsSinceStart()));
    host_.Log("\n>seedCreate: ");
    host_.Log(std::to_string(settings_.seedCreate));
    host_.Log("\n>type: ");
    host_.Log(GameTypeName(settings_.typeIndex));
    host_.Log("\n>difficulty: ");
    host_.Log(DifficultyName(settings_.difficultyIndex));
    host_.Log("\n>code: ");
    host_.Log(settings_.puzzleCode);
  }
  board_.Clear();
  for (int attempt = 0; attempt < kFillAttempts; ++attempt) {
    LogStamp(": build puzzle; attempt ", attempt);
    if (!FillSolution()) continue;
    if (!board_.IsValidSolution()) host_.Fatal(texts::kInvalidBoardFound);
    LogStamp(": board filled; attempts: ", attempt + 1);
    host_.SetGameState(GameState::Filled);
    return PreparePuzzle(codeSeed);
  }
  host_.LogOnly(texts::kUnableToFillBoard);
  return false;
}

bool PuzzleBuilder::FillSolution() {
  for (int r = 0; r < kBoardSize; ++r)
    for (int c = 0; c < kBoardSize; ++c) board_.At(r, c).unplaced = 1;
  std::fill(std::begin(rowPlaced_), std::end(rowPlaced_), 0);
  std::fill(std::begin(columnPlaced_), std::end(columnPlaced_), 0);
  std::fill(std::begin(blockOccupied_), std::end(blockOccupied_), 0);

  int failures = 0;
  for (int type = 0; type < kTypeCount;) {
    if (PlaceTypeInAllBlocks(type)) {
      ++type;
      continue;
    }
    if (++failures > kFillTypeFailures) return false;
  }
  return true;
}

// Draws tiles of each block until one is free and its row and column lack the
// type. The masks stand in for scanning the board and change only here, so they
// always agree with the tiles. When no tile of the block can take the type, the
// outcome of the draws is known in advance: the generator is skipped over them.
bool PuzzleBuilder::PlaceTypeInAllBlocks(int type) {
  constexpr unsigned kRowOfBlock = 0b000000111u;
  constexpr unsigned kColumnOfBlock = 0b001001001u;
  // The first pick and the redraws up to the give-up, two draws each.
  constexpr uint64_t kDrawsOfAGiveUp = 2u * (1u + kPlaceTriesPerGiveUp);

  const auto bit = static_cast<uint16_t>(1u << type);
  int placedRows[9], placedColumns[9], placed = 0;
  auto giveUp = [&]() {
    for (int i = 0; i < placed; ++i) {
      const int r = placedRows[i], c = placedColumns[i];
      board_.At(r, c).unplaced = 1;
      rowPlaced_[r] &= static_cast<uint16_t>(~bit);
      columnPlaced_[c] &= static_cast<uint16_t>(~bit);
      blockOccupied_[(r / 3) * 3 + c / 3] &= static_cast<uint16_t>(~(1u << ((r % 3) * 3 + c % 3)));
    }
    return false;
  };

  for (int br = 0; br < 3; ++br) {
    for (int bc = 0; bc < 3; ++bc) {
      const int b = br * 3 + bc;
      unsigned open = ~static_cast<unsigned>(blockOccupied_[b]) & 0x1FFu;
      for (int i = 0; i < 3; ++i) {
        if (rowPlaced_[br * 3 + i] & bit) open &= ~(kRowOfBlock << (3 * i));
        if (columnPlaced_[bc * 3 + i] & bit) open &= ~(kColumnOfBlock << i);
      }
      if (!open) {
        SkipRandom(kDrawsOfAGiveUp);
        return giveUp();
      }
      int row = 0, column = 0;
      PickTileInBlock(br, bc, row, column);
      int tries = 0;
      while (!(open & (1u << ((row % 3) * 3 + column % 3)))) {
        PickTileInBlock(br, bc, row, column);
        ++tries;
        if (tries % kPlaceTriesPerGiveUp == 0) return giveUp();
      }
      board_.PlaceType(row, column, type);
      rowPlaced_[row] |= bit;
      columnPlaced_[column] |= bit;
      blockOccupied_[b] |= static_cast<uint16_t>(1u << ((row % 3) * 3 + column % 3));
      placedRows[placed] = row;
      placedColumns[placed] = column;
      ++placed;
    }
  }
  return true;
}

bool PuzzleBuilder::PreparePuzzle(int codeSeed) {
  LogStamp(": prepare board");
  const int difficulty = settings_.difficultyIndex;

  if (settings_.typeIndex == kGameTypeBlackout) {
    if (difficulty >= 0 && difficulty < kDifficultyCount)
      HideTiles(0, 0, true);
    else
      host_.LogOnly(texts::kInvalidBlackoutCount);
  } else {
    bool accepted = false;
    const bool fromTable = difficulty == kDifficultyHard || difficulty == kDifficultyExpert;
    for (int attempt = 0; attempt < kPrepareAttempts && !accepted; ++attempt) {
      int32_t seed = attempt;
      if (fromTable) {
        // A code that did not decode carries no seed: the fill used the counter then.
        const int creationSeed =
            (!settings_.puzzleCode.empty() && codeSeed >= 0) ? codeSeed : static_cast<int>(settings_.seedCreate - 1);
        seed = seeds_.PrepareSeedFor(difficulty, creationSeed);
      }
      SeedRandom(static_cast<uint32_t>(seed));
      settings_.seedPrepare = seed;
      HideTiles(settings_.hiddenPerType, settings_.minVisiblePerBlock, false);
      accepted = solver_.Solve(board_);
    }
    if (!accepted) {
      host_.SystemMessage(texts::kPrepareLimitExceeded);
      host_.SetGameState(GameState::NoGame);
      return false;
    }
  }

  MarkGivens();
  host_.SetGameState(GameState::Prepared);
  if (host_.LogOn()) {
    LogStamp(": board prepared");
    host_.Log("\n>seedPrepare: ");
    host_.Log(std::to_string(settings_.seedPrepare));
    host_.Log("\n");
  }
  return true;
}

void PuzzleBuilder::HideTiles(int hiddenPerType, int minVisiblePerBlock, bool hideAll) {
  if (hideAll) {
    for (int r = 0; r < kBoardSize; ++r)
      for (int c = 0; c < kBoardSize; ++c) board_.SetHidden(r, c, true);
    return;
  }
  // Outside 0..9 the choosing loop could never finish.
  hiddenPerType = std::clamp(hiddenPerType, 0, kBoardSize);
  minVisiblePerBlock = std::clamp(minVisiblePerBlock, 0, kBoardSize);

  bool chosen[kTileCount] = {};
  bool spared[kTileCount] = {};
  for (int r = 0; r < kBoardSize; ++r)
    for (int c = 0; c < kBoardSize; ++c) board_.SetHidden(r, c, false);

  for (int type = 0; type < kTypeCount; ++type) {
    int count = 0;
    while (count < hiddenPerType) {
      int r = 0, c = 0;
      PickTileAnywhere(r, c);
      const int i = r * kBoardSize + c;
      if (board_.TypeAt(r, c) == type && !chosen[i]) {
        chosen[i] = true;
        ++count;
      }
    }
  }

  for (int br = 0; br < 3; ++br) {
    for (int bc = 0; bc < 3; ++bc) {
      int unchosen = 0;
      for (int r = br * 3; r < br * 3 + 3; ++r)
        for (int c = bc * 3; c < bc * 3 + 3; ++c) unchosen += chosen[r * kBoardSize + c] ? 0 : 1;
      for (int k = unchosen; k < minVisiblePerBlock; ++k) {
        int r = 0, c = 0;
        do {
          PickTileInBlock(br, bc, r, c);
        } while (!chosen[r * kBoardSize + c]);
        spared[r * kBoardSize + c] = true;
      }
    }
  }

  for (int i = 0; i < kTileCount; ++i)
    if (chosen[i] && !spared[i]) board_.SetHidden(i / kBoardSize, i % kBoardSize, true);
}

void PuzzleBuilder::MarkGivens() {
  for (int r = 0; r < kBoardSize; ++r)
    for (int c = 0; c < kBoardSize; ++c) board_.SetGiven(r, c, !board_.IsHidden(r, c));
}

}  // namespace velmora
