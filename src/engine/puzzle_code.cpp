#include "puzzle_code.h"

#include "engine_constants.h"

namespace velmora {

bool DecodePuzzleCode(std::string_view text, DecodedPuzzleCode& out) {
  // Longer texts can only come from a damaged file; they are never read past.
  if (text.size() < 2 || text.size() > static_cast<size_t>(kMaxPuzzleCodeLength)) return false;
  if (text[0] < 'A' || text[0] > 'C') return false;
  if (text[1] < 'A' || text[1] > 'D') return false;
  int seed = 0;
  for (size_t i = 2; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    seed = seed * 10 + (text[i] - '0');
  }
  if (seed >= static_cast<int>(kCreationSeedLimit)) return false;
  out.typeIndex = text[0] - 'A';
  out.difficultyIndex = text[1] - 'A';
  out.creationSeed = seed;
  return true;
}

bool IsValidPuzzleCode(std::string_view text) {
  DecodedPuzzleCode ignored;
  return DecodePuzzleCode(text, ignored);
}

std::string CanonicalPuzzleCode(int typeIndex, int difficultyIndex, int creationSeed) {
  std::string code;
  code += static_cast<char>('A' + typeIndex);
  code += static_cast<char>('A' + difficultyIndex);
  code += std::to_string(creationSeed);
  return code;
}

}  // namespace velmora
