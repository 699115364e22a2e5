#include "hints.h"

#include "engine_texts.h"
#include "random_source.h"

namespace velmora {
namespace {

constexpr const char* kOrdinals[] = {"first", "second",  "third",  "fourth", "fifth",
                                     "sixth", "seventh", "eighth", "ninth"};

std::string Quoted(int type) {
  std::string text = "'";
  text += static_cast<char>('1' + type);
  text += "'";
  return text;
}

// Exactly one hidden tile of the block could hold the type.
bool TypeHasOnePlaceInBlock(const Board& board, int type, int blockRow, int blockColumn) {
  if (board.VisibleCountInBlock(blockRow, blockColumn) >= 9) return false;
  if (board.TypeHiddenStateInBlock(type, false, blockRow, blockColumn)) return false;
  int possible = 0;
  for (int r = blockRow * 3; r < blockRow * 3 + 3 && possible < 2; ++r) {
    for (int c = blockColumn * 3; c < blockColumn * 3 + 3 && possible < 2; ++c) {
      if (!board.IsHidden(r, c)) continue;
      if (board.TypeHiddenStateInRow(type, false, r)) continue;
      if (board.TypeHiddenStateInColumn(type, false, c)) continue;
      ++possible;
    }
  }
  return possible == 1;
}

}  // namespace

HintResult FindHint(const Board& board) {
  HintResult hint;
  auto found = [&hint](int style, int first, int second = 0, int type = 0) {
    hint.found = true;
    hint.style = style;
    hint.first = first;
    hint.second = second;
    hint.type = type;
    return hint;
  };
  for (int br = 0; br < 3; ++br)
    for (int bc = 0; bc < 3; ++bc)
      if (board.VisibleCountInBlock(br, bc) == 8) return found(kHintBlock, br, bc);
  for (int c = 0; c < 9; ++c)
    if (board.VisibleCountInColumn(c) == 8) return found(kHintColumn, c);
  for (int r = 0; r < 9; ++r)
    if (board.VisibleCountInRow(r) == 8) return found(kHintRow, r);
  for (int type = 0; type < 9; ++type)
    if (board.HiddenCountOfType(type) == 1) return found(kHintLastOfType, type);
  for (int type = 0; type < 9; ++type)
    for (int bc = 0; bc < 3; ++bc)
      for (int br = 0; br < 3; ++br)
        if (TypeHasOnePlaceInBlock(board, type, br, bc)) return found(kHintTypeInBlock, br, bc, type);
  return hint;
}

void OrdinalWord(int n, std::string& text, EngineHost& host) {
  if (n < 0 || n > 8) {
    host.Fatal(texts::kInvalidOrdinal);
    return;
  }
  text += kOrdinals[n];
}

std::string BlockName(int blockRow, int blockColumn) {
  static constexpr const char* kRowWords[] = {"upper ", "center ", "lower "};
  static constexpr const char* kColumnWords[] = {"left ", "center ", "right "};
  if (blockRow < 0 || blockRow > 2 || blockColumn < 0 || blockColumn > 2) return "";
  if (blockRow == 1 && blockColumn == 1) return "center ";
  return std::string(kRowWords[blockRow]) + kColumnWords[blockColumn];
}

std::string HintSentence(const HintResult& hint, EngineHost& host) {
  if (!hint.found) return texts::kNoHintQuestion;
  std::string text = texts::kHintPrefix;
  switch (hint.style) {
    case kHintBlock: text += "The " + BlockName(hint.first, hint.second) + "block " + texts::kOnlyOneHiddenTile; break;
    case kHintColumn:
      text += "The ";
      OrdinalWord(hint.first, text, host);
      text += std::string(" column from the left ") + texts::kOnlyOneHiddenTile;
      break;
    case kHintRow:
      text += "The ";
      OrdinalWord(hint.first, text, host);
      text += std::string(" row from the top ") + texts::kOnlyOneHiddenTile;
      break;
    case kHintLastOfType: text += "There is only one hidden tile of type " + Quoted(hint.first) + "."; break;
    case kHintTypeInBlock:
      text += "Search for the " + Quoted(hint.type) + " in the " + BlockName(hint.first, hint.second) + "block.";
      break;
    default: host.LogOnly(texts::kInvalidHintStyle); return "";
  }
  return text;
}

bool ChooseFreePlayTile(const Board& board, int& row, int& column) {
  int rowOrder[9], columnOrder[9];
  ShuffledOrders(rowOrder, columnOrder);
  for (int r : rowOrder) {
    for (int c : columnOrder) {
      if (board.IsHidden(r, c)) {
        row = r;
        column = c;
        return true;
      }
    }
  }
  return false;
}

std::string FreePlaySentence(int row, int column, int type, EngineHost& host) {
  std::string text = "Free Play: The tile ";
  OrdinalWord(column, text, host);
  text += " from the left and ";
  OrdinalWord(row, text, host);
  text += " from the top is a";
  if (type + 1 == 8) text += "n";
  text += ' ';
  text += Quoted(type);
  text += '.';
  return text;
}

}  // namespace velmora
