#pragma once
// Puzzle Codes: a game type letter, a difficulty letter and the creation seed
// in decimal, seven characters at most. "AB007" names the Medium Normal puzzle
// of seed 7 and is kept exactly as entered; the canonical form drops leading zeros.
#include <string>
#include <string_view>

namespace velmora {

struct DecodedPuzzleCode {
  int typeIndex = 0;
  int difficultyIndex = 0;
  int creationSeed = 0;
};

// True and the three fields when the text is a valid code; the output is left
// untouched otherwise.
bool DecodePuzzleCode(std::string_view text, DecodedPuzzleCode& out);
bool IsValidPuzzleCode(std::string_view text);
std::string CanonicalPuzzleCode(int typeIndex, int difficultyIndex, int creationSeed);

}  // namespace velmora
