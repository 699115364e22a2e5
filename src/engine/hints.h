#pragma once
// The Hint search with its sentences, and the choice of the Free Play tile.
// Showing the sentences, counting and redrawing are the game window's part.
#include <string>

#include "board.h"
#include "engine_host.h"

namespace velmora {

enum HintStyle : int {
  kHintBlock = 0,        // a block with one hidden tile
  kHintColumn = 1,       // a column with one hidden tile
  kHintRow = 2,          // a row with one hidden tile
  kHintLastOfType = 3,   // a type with one hidden tile left
  kHintTypeInBlock = 4,  // a type with one possible hidden tile in a block
};

struct HintResult {
  bool found = false;
  int style = 0;
  int first = 0;   // block row, column, row or type
  int second = 0;  // block column
  int type = 0;    // the type to search for
};

HintResult FindHint(const Board& board);

// "Hint: ..." for a found hint; the Free Play question when none was found;
// empty (with a log-only report) for a style outside 0..4.
std::string HintSentence(const HintResult& hint, EngineHost& host);

// Appends "first" .. "ninth" for 0..8; anything else is a fatal report.
void OrdinalWord(int n, std::string& text, EngineHost& host);
// "upper left ", "center ", "lower right " ...: each word followed by a blank.
std::string BlockName(int blockRow, int blockColumn);

// The tile a Free Play reveals: the first hidden tile in a freshly shuffled scan.
// Draws the shuffle even when no tile is hidden; false then.
bool ChooseFreePlayTile(const Board& board, int& row, int& column);
// "Free Play: The tile third from the left and first from the top is an '8'."
std::string FreePlaySentence(int row, int column, int type, EngineHost& host);

}  // namespace velmora
