// What a screen reader is told of the main screen: each tile as a cell of the
// board's table, the tray buttons, the command buttons and the status line.
// Every text is read from the game's own state, the same state the faces and
// the panel texts are drawn from.
#include "format_time.h"
#include "game.h"

namespace velmora {

namespace {

// Counts are said in words, so that "3, two left" cannot be heard as one number.
std::string CountWord(int count) {
  static const char* const kWords[] = {"no", "one", "two", "three", "four", "five", "six", "seven", "eight", "nine"};
  return count >= 0 && count <= 9 ? kWords[count] : std::to_string(count);
}

std::string Digit(int type) { return std::string(1, static_cast<char>('1' + type)); }

// "1", "1 and 7", "1, 4 and 7".
std::string DigitList(uint32_t mask) {
  std::vector<std::string> digits;
  for (int type = 0; type < kTypeCount; ++type)
    if (mask & (1u << type)) digits.push_back(Digit(type));
  std::string text;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0) text += i + 1 == digits.size() ? " and " : ", ";
    text += digits[i];
  }
  return text;
}

std::string Counted(int count, const char* one, const char* many) {
  return (count == 0 ? std::string("no") : std::to_string(count)) + " " + (count == 1 ? one : many);
}

struct CommandName {
  int id;
  const char* name;
};
constexpr CommandName kCommandNames[] = {
    {control::kHelp, "Help (F1)"},        {control::kNewGame, "New Game (F2)"},
    {control::kPrint, "Print (F3)"},      {control::kShowGuides, "Show Guides (F4)"},
    {control::kHint, "Hint (F5)"},        {control::kFreePlay, "Free Play (F6)"},
    {control::kOptions, "Options (F11)"},
};

}  // namespace

std::string Game::TileSpoken(int row, int column) const {
  std::string text = "row " + std::to_string(row + 1) + ", column " + std::to_string(column + 1) + ", ";
  // A paused game hides the board.
  if (session_.paused) return text + "covered";
  const int shown = ShownType(row, column);
  if (shown >= 0 && shown < kTypeCount) {
    text += board_.IsGiven(row, column) ? Digit(shown) + ", given" : "played " + Digit(shown);
  } else {
    text += "empty";
    const uint32_t notes = DrawsNotes() ? board_.NoteMask(row, column) & ((1u << kTypeCount) - 1) : 0;
    if (notes != 0) text += ((notes & (notes - 1)) != 0 ? ", notes " : ", note ") + DigitList(notes);
  }
  const TileMarks marks = MarksOf(row, column);
  if (marks.conflict) text += ", conflict";
  if (marks.activeNumber || marks.activeNote >= 0) text += ", highlighted";
  return text;
}

std::string Game::TraySpoken(int trayRow) const {
  if (trayRow == 9) return "Eraser";
  if (trayRow < 0 || trayRow > 9) return "";
  const std::string digit = Digit(trayRow);
  if (session_.gameState != GameState::Playing) return digit;
  if (session_.settings.ignoreMistakes) {
    const int shown = board_.ShownCountOfType(trayRow);
    if (shown < 9) return digit + ", " + CountWord(shown) + " found";
    if (shown > 9) return digit + ", " + CountWord(shown - 9) + " extra";
    return digit + ", all found";
  }
  const int hidden = board_.HiddenCountOfType(trayRow);
  if (hidden == 0) return digit + ", all found";
  return digit + ", " + CountWord(hidden) + " left";
}

std::string Game::StatusSpoken(bool withTime) const {
  if (session_.gameState != GameState::Playing) return session_.building ? "Building Puzzle" : "No game in play";
  std::vector<std::string> parts;
  if (session_.paused) parts.push_back("paused");
  if (session_.blackoutCount > 0) parts.push_back(Counted(session_.blackoutCount, "tile", "tiles") + " to reveal");
  parts.push_back(Counted(kTileCount - board_.VisibleTotal(), "tile left", "tiles left"));
  parts.push_back(session_.settings.ignoreMistakes ? "mistakes not counted"
                                                   : Counted(session_.mistakes, "mistake", "mistakes"));
  if (withTime) {
    if (session_.settings.type == kGameTypePayback) {
      const int64_t remaining =
          static_cast<int64_t>(session_.paybackStart) + session_.paybackTime - static_cast<int64_t>(PlayNow());
      parts.push_back(remaining >= 1000 ? "payback in " + FormatTime(remaining, TimeStyle::Words) : "payback now");
    } else {
      parts.push_back("time " + FormatTime(GameTime(), TimeStyle::Words));
    }
  }
  std::string text;
  for (const std::string& part : parts) text += (text.empty() ? "" : ", ") + part;
  return text;
}

std::string Game::CommandSpoken(int controlId) {
  for (const CommandName& command : kCommandNames)
    if (command.id == controlId) return command.name;
  return "";
}

}  // namespace velmora
