#include "user_record.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "data_file.h"
#include "data_texts.h"
#include "puzzle_builder.h"
#include "puzzle_code.h"
#include "tile_word.h"

namespace velmora {

namespace {

constexpr std::string_view kUserFileExtension = ".user";
// A file name is only scanned this far for the player's name.
constexpr size_t kFileNameScanLength = kMaxPlayerNameLength + 1;

// The game colour the picker can produce.
constexpr float kMinHue = 0.0f;
constexpr float kMaxHue = 360.0f;

bool IsNameCharacter(char c) {
  return c == ' ' || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsOnBoard(const PaybackPair& pair) {
  return pair.row >= 0 && pair.row < kBoardSize && pair.column >= 0 && pair.column < kBoardSize;
}

bool IsPlayAction(int32_t action) { return action >= 0 && action < kPlayActionCount; }

bool IsSavableHue(float hue) { return std::isfinite(hue) && hue >= kMinHue && hue <= kMaxHue; }

// An empty code means the game was not started from one; any other must be a
// Puzzle Code, so that no saved code can be mistaken for a key when read back.
bool IsSavableCode(const std::string& code) { return code.empty() || IsValidPuzzleCode(code); }

// The settings a saved file must hold for the game to use them safely.
bool IsSavable(const PlayerSettings& settings) {
  return IsPlayAction(settings.actionMouseButtonLeft) && IsPlayAction(settings.actionMouseButtonRight) &&
         IsSavableHue(settings.hue);
}

struct KeyTables {
  char records[kResultStatisticCount][kGameTypeCount][kDifficultyCount][16];
  char tiles[kTileCount][8];
  char plays[kTileCount][8];

  KeyTables() {
    for (int s = 0; s < kResultStatisticCount; ++s)
      for (int t = 0; t < kGameTypeCount; ++t)
        for (int d = 0; d < kDifficultyCount; ++d)
          std::snprintf(records[s][t][d], sizeof records[s][t][d], "gameRecord%c%c%c", 'A' + s, 'A' + t, 'A' + d);
    for (int r = 0; r < kBoardSize; ++r)
      for (int c = 0; c < kBoardSize; ++c) std::snprintf(tiles[r * kBoardSize + c], sizeof tiles[0], "tile%d%d", r, c);
    for (int n = 0; n < kTileCount; ++n) std::snprintf(plays[n], sizeof plays[0], "play%02d", n);
  }
};

const KeyTables& Keys() {
  static const KeyTables keys;
  return keys;
}

// "playKey" and the index padded with zeros to four digits.
std::string PlayKeyKey(uint32_t index) {
  char key[24];
  std::snprintf(key, sizeof key, "playKey%04u", index);
  return key;
}

void AppendEntry(std::string& text, std::string_view key, std::string_view value) {
  text += key;
  text += " = ";
  text += value;
  text += ";\n";
}

void AppendEntry(std::string& text, std::string_view key, int64_t value) {
  AppendEntry(text, key, std::to_string(value));
}

void AppendFlag(std::string& text, std::string_view key, bool value) {
  AppendEntry(text, key, value ? std::string_view("true") : std::string_view("false"));
}

}  // namespace

bool IsAllowedPlayerName(std::string_view name) {
  if (name.empty() || name.size() > kMaxPlayerNameLength) return false;
  for (const char c : name)
    if (!IsNameCharacter(c)) return false;
  return true;
}

int32_t CombinePlayKey(const PlayKey& key) {
  return static_cast<int32_t>((static_cast<uint32_t>(key.time) & ~1u) | (key.flag ? 1u : 0u));
}

PlayKey SplitPlayKey(int32_t value) {
  PlayKey key;
  key.flag = (value & 1) != 0;
  key.time = static_cast<int32_t>(static_cast<uint32_t>(value) & ~1u);
  return key;
}

int32_t SaturatingAdd(int32_t value, int32_t addend) {
  const int64_t sum = int64_t{value} + addend;
  return static_cast<int32_t>(
      std::clamp<int64_t>(sum, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

int32_t HueAsSaved(float hue) {
  if (!std::isfinite(hue)) return 0;
  // Beyond these the truncation would not fit; the picker never gets near them.
  if (hue >= 2147483520.0f) return std::numeric_limits<int32_t>::max();
  if (hue <= -2147483520.0f) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(std::trunc(hue));
}

bool GDUSER::LoadFromDataFile(const DataFile& file) {
  // Read into a fresh record, so that a file that fails leaves this one as it was
  // and the tutorial flag, which the file never gives back, starts cleared.
  GDUSER loaded;
  loaded.name_ = name_;
  loaded.fileName_ = fileName_;
  int32_t playKeyCount = 0;
  // Set when the game in progress holds something the game cannot continue
  // from; the player and their results still load, without that game.
  bool gameUnusable = false;

  if (!file.ReadBool("gameActive", loaded.gameActive)) return false;
  if (!file.ReadInt("gameBlackoutCount", loaded.blackoutCount)) return false;
  if (!file.ReadString("gameCode", loaded.code)) return false;
  // A code that does not decode (too long, lower case, ...) cannot be continued.
  if (!IsSavableCode(loaded.code)) gameUnusable = true;
  if (!file.ReadInt("gameHints", loaded.hints)) return false;
  if (!file.ReadInt("gameMistakes", loaded.mistakes)) return false;
  if (!file.ReadInt("gameMulligans", loaded.freePlays)) return false;
  if (!file.ReadInt("gamePaybackCount", loaded.paybackCount)) return false;
  if (!file.ReadInt("gamePaybackTime", loaded.paybackTime)) return false;
  if (!file.ReadInt("gamePlayKeyCount", playKeyCount)) return false;

  const KeyTables& keys = Keys();
  for (int s = 0; s < kResultStatisticCount; ++s)
    for (int t = 0; t < kGameTypeCount; ++t)
      for (int d = 0; d < kDifficultyCount; ++d)
        if (!file.ReadInt(keys.records[s][t][d], loaded.results[s][t][d])) return false;
  loaded.CheckResults();

  PlayerSettings& read = loaded.settings;
  if (!file.ReadInt("gameTime", loaded.gameTime)) return false;
  if (!file.ReadInt("settingsActionMouseButtonLeft", read.actionMouseButtonLeft)) return false;
  if (!file.ReadInt("settingsActionMouseButtonRight", read.actionMouseButtonRight)) return false;
  if (!file.ReadInt("settingsDifficulty", read.difficulty)) return false;
  if (!file.ReadFloat("settingsHue", read.hue)) return false;
  if (!file.ReadBool("settingsIgnoreMistakes", read.ignoreMistakes)) return false;
  if (!file.ReadInt("settingsSeedCreate", read.seedCreate)) return false;
  if (!file.ReadInt("settingsSeedPrepare", read.seedPrepare)) return false;
  if (!file.ReadBool("settingsStatClock", read.statClock)) return false;
  if (!file.ReadBool("settingsStatGameDifficulty", read.statGameDifficulty)) return false;
  if (!file.ReadBool("settingsStatGameType", read.statGameType)) return false;
  if (!file.ReadBool("settingsStatHints", read.statHints)) return false;
  if (!file.ReadBool("settingsStatMistakes", read.statMistakes)) return false;
  if (!file.ReadBool("settingsStatMulligans", read.statFreePlays)) return false;
  if (!file.ReadBool("settingsStatTilesFound", read.statTilesFound)) return false;
  if (!file.ReadInt("settingsType", read.type)) return false;
  if (!file.ReadBool("settingsUseTipsWindow", read.useTipsWindow)) return false;
  // Written only while on: a missing or unreadable one is off.
  for (auto [key, flag] : {std::pair{"settingsHighlightActiveNumber", &read.highlightActiveNumber},
                           std::pair{"settingsHighlightCursorPeers", &read.highlightCursorPeers},
                           std::pair{"settingsMarkConflicts", &read.markConflicts},
                           std::pair{"settingsHighlightActiveNotes", &read.highlightActiveNotes},
                           std::pair{"settingsRemoveNotesOnPlay", &read.removeNotesOnPlay}})
    if (!file.ReadBool(key, *flag)) *flag = false;
  // The mouse actions pick from the list of five play actions, and the hue
  // drives the art's colour shift: a value the game cannot use is replaced by
  // the new player's default, and the rest of the file still counts.
  if (!IsPlayAction(read.actionMouseButtonLeft)) read.actionMouseButtonLeft = kDefaultActionMouseButtonLeft;
  if (!IsPlayAction(read.actionMouseButtonRight)) read.actionMouseButtonRight = kDefaultActionMouseButtonRight;
  if (!IsSavableHue(read.hue)) read.hue = kDefaultHue;

  // A difficulty or game type out of range still loads; only its name stays empty.
  read.difficultyName = DifficultyName(read.difficulty);
  read.gameTypeName = GameTypeName(read.type);

  if (loaded.gameActive) {
    for (int i = 0; i < kTileCount; ++i) {
      int32_t word = 0;
      if (!file.ReadInt(keys.tiles[i], word)) return false;
      // The three top bits mean nothing; the game never sets them and drops them here.
      loaded.tileWords[i] = static_cast<uint32_t>(word) & ~kTileWordUnusedBits;
      if (!IsValidTileWord(loaded.tileWords[i], read.ignoreMistakes)) return false;
    }
    for (int i = 0; i < kTileCount; ++i) {
      int32_t value = 0;
      if (!file.ReadInt(keys.plays[i], value)) return false;
      loaded.paybackOrder[i] = PaybackPair{value / 10, value % 10};
      // Only row * 10 + column of a tile on the board is a Payback entry.
      if (value < 0 || !IsOnBoard(loaded.paybackOrder[i])) gameUnusable = true;
    }
    // A negative count names no play keys.
    for (int32_t i = 0; i < playKeyCount; ++i) {
      int32_t value = 0;
      if (!file.ReadInt(PlayKeyKey(static_cast<uint32_t>(i)), value)) return false;
      loaded.playKeys.push_back(SplitPlayKey(value));
    }
  }
  if (gameUnusable) loaded.ForgetGameInProgress();

  *this = std::move(loaded);
  return true;
}

void GDUSER::ForgetGameInProgress() {
  static_cast<SavedGameState&>(*this) = SavedGameState{};
  tileWords.fill(0);
}

void GDUSER::CheckResults() {
  for (int t = 0; t < kGameTypeCount; ++t) {
    for (int d = 0; d < kDifficultyCount; ++d) {
      // A best time is a time or -1 for none yet; counts and sums only grow from 0.
      if (results[kResultBestTime][t][d] < 0) results[kResultBestTime][t][d] = -1;
      if (results[kResultGamesCompleted][t][d] < 0) results[kResultGamesCompleted][t][d] = 0;
      if (results[kResultTimeSum][t][d] < 0) results[kResultTimeSum][t][d] = 0;
    }
  }
}

bool GDUSER::SetFromGame(const GameSnapshot& game) {
  if (!IsSavable(game.settings)) return false;
  if (!game.gameActive) {
    // The file keeps the Payback order of the last game saved in play (it is
    // not read back while no game is in progress).
    const PaybackOrder lastOrder = paybackOrder;
    ForgetGameInProgress();
    paybackOrder = lastOrder;
    settings = game.settings;
    return true;
  }

  if (!IsSavableCode(game.code)) return false;
  for (const PaybackPair& pair : game.paybackOrder)
    if (!IsOnBoard(pair)) return false;
  std::array<uint32_t, kTileCount> words{};
  for (int row = 0; row < kBoardSize; ++row) {
    for (int column = 0; column < kBoardSize; ++column) {
      const uint32_t word = BuildTileWord(game.board.At(row, column), game.settings.ignoreMistakes);
      if (!IsValidTileWord(word, game.settings.ignoreMistakes)) return false;
      words[row * kBoardSize + column] = word;
    }
  }

  static_cast<SavedGameState&>(*this) = game;
  settings = game.settings;
  tileWords = words;
  return true;
}

GameSnapshot GDUSER::SavedGame() const {
  GameSnapshot game;
  static_cast<SavedGameState&>(game) = *this;
  game.settings = settings;
  for (int row = 0; row < kBoardSize; ++row)
    for (int column = 0; column < kBoardSize; ++column)
      ApplyTileWord(tileWords[row * kBoardSize + column], settings.ignoreMistakes, game.board.At(row, column));
  return game;
}

std::string GDUSER::ComposeText() const {
  std::string text;
  text.reserve(6144 + playKeys.size() * 24);
  AppendFlag(text, "gameActive", gameActive);
  AppendEntry(text, "gameBlackoutCount", blackoutCount);
  AppendEntry(text, "gameCode", code);
  AppendEntry(text, "gameHints", hints);
  AppendEntry(text, "gameMistakes", mistakes);
  AppendEntry(text, "gameMulligans", freePlays);
  AppendEntry(text, "gamePaybackCount", paybackCount);
  AppendEntry(text, "gamePaybackTime", paybackTime);
  AppendEntry(text, "gamePlayKeyCount", PlayKeyCount());
  const KeyTables& keys = Keys();
  for (int s = 0; s < kResultStatisticCount; ++s)
    for (int t = 0; t < kGameTypeCount; ++t)
      for (int d = 0; d < kDifficultyCount; ++d) AppendEntry(text, keys.records[s][t][d], results[s][t][d]);
  AppendEntry(text, "gameTime", gameTime);
  AppendEntry(text, "settingsActionMouseButtonLeft", settings.actionMouseButtonLeft);
  AppendEntry(text, "settingsActionMouseButtonRight", settings.actionMouseButtonRight);
  AppendEntry(text, "settingsDifficulty", settings.difficulty);
  if (settings.highlightActiveNotes) AppendFlag(text, "settingsHighlightActiveNotes", true);
  if (settings.highlightActiveNumber) AppendFlag(text, "settingsHighlightActiveNumber", true);
  if (settings.highlightCursorPeers) AppendFlag(text, "settingsHighlightCursorPeers", true);
  AppendEntry(text, "settingsHue", HueAsSaved(settings.hue));
  AppendFlag(text, "settingsIgnoreMistakes", settings.ignoreMistakes);
  if (settings.markConflicts) AppendFlag(text, "settingsMarkConflicts", true);
  if (settings.removeNotesOnPlay) AppendFlag(text, "settingsRemoveNotesOnPlay", true);
  AppendEntry(text, "settingsSeedCreate", settings.seedCreate);
  AppendEntry(text, "settingsSeedPrepare", settings.seedPrepare);
  AppendFlag(text, "settingsStatClock", settings.statClock);
  AppendFlag(text, "settingsStatGameDifficulty", settings.statGameDifficulty);
  AppendFlag(text, "settingsStatGameType", settings.statGameType);
  AppendFlag(text, "settingsStatHints", settings.statHints);
  AppendFlag(text, "settingsStatMistakes", settings.statMistakes);
  AppendFlag(text, "settingsStatMulligans", settings.statFreePlays);
  AppendFlag(text, "settingsStatTilesFound", settings.statTilesFound);
  AppendFlag(text, "settingsTutorial", settings.tutorial);
  AppendEntry(text, "settingsType", settings.type);
  AppendFlag(text, "settingsUseTipsWindow", settings.useTipsWindow);
  for (int i = 0; i < kTileCount; ++i) AppendEntry(text, keys.tiles[i], tileWords[i]);
  for (int i = 0; i < kTileCount; ++i)
    AppendEntry(text, keys.plays[i], int64_t{paybackOrder[i].row} * 10 + paybackOrder[i].column);
  for (uint32_t i = 0; i < PlayKeyCount(); ++i) AppendEntry(text, PlayKeyKey(i), CombinePlayKey(playKeys[i]));
  return text;
}

void GDUSER::SetDefaultSettings() {
  settings.actionMouseButtonLeft = kDefaultActionMouseButtonLeft;
  settings.actionMouseButtonRight = kDefaultActionMouseButtonRight;
  settings.difficulty = kDifficultyEasy;
  settings.hue = kDefaultHue;
  settings.ignoreMistakes = false;
  settings.seedCreate = 0;
  settings.seedPrepare = 0;
  settings.statClock = true;
  settings.statGameDifficulty = true;
  settings.statGameType = true;
  settings.statHints = true;
  settings.statMistakes = true;
  settings.statFreePlays = true;
  settings.statTilesFound = true;
  settings.puzzleCode.clear();
  settings.difficultyName.clear();
  settings.gameTypeName.clear();
  settings.tutorial = true;
  settings.type = kGameTypeNormal;
  settings.useTipsWindow = true;
  settings.highlightActiveNumber = false;
  settings.highlightCursorPeers = false;
  settings.markConflicts = false;
  settings.highlightActiveNotes = false;
  settings.removeNotesOnPlay = false;
}

void GDUSER::ResetResults() {
  for (int t = 0; t < kGameTypeCount; ++t) {
    for (int d = 0; d < kDifficultyCount; ++d) {
      results[kResultBestTime][t][d] = -1;
      results[kResultGamesCompleted][t][d] = 0;
      results[kResultTimeSum][t][d] = 0;
    }
  }
}

namespace {

bool IsResultCell(int statistic, int gameType, int difficulty) {
  return statistic >= 0 && statistic < kResultStatisticCount && gameType >= 0 && gameType < kGameTypeCount &&
         difficulty >= 0 && difficulty < kDifficultyCount;
}

}  // namespace

int32_t GDUSER::GetResult(int statistic, int gameType, int difficulty) const {
  if (!IsResultCell(statistic, gameType, difficulty)) return 0;
  return results[statistic][gameType][difficulty];
}

void GDUSER::SetResult(int statistic, int gameType, int difficulty, int32_t value) {
  if (!IsResultCell(statistic, gameType, difficulty)) return;
  results[statistic][gameType][difficulty] = value;
}

PaybackPair GDUSER::GetPaybackPair(int index) const {
  if (index < 0 || index >= kTileCount) return PaybackPair{};
  return paybackOrder[index];
}

int32_t GDUSER::GetPlayKey(size_t index) const {
  if (index >= playKeys.size()) return 0;
  return CombinePlayKey(playKeys[index]);
}

void GDUSER::SetName(std::string_view name) {
  if (name.empty() || name.size() > kMaxPlayerNameLength)
    name_ = texts::kDefaultPlayerName;
  else
    name_ = name;
}

void GDUSER::SetNameFromFileName(std::string_view fileName) {
  if (fileName.size() >= kUserFileExtension.size() + kFileNameScanLength) return;
  for (size_t i = 0; i < fileName.size() && i < kFileNameScanLength; ++i) {
    const char c = fileName[i];
    if (c == '.') {
      name_ = fileName.substr(0, i);
      return;
    }
    if (!IsNameCharacter(c)) {
      name_ = texts::kDefaultPlayerName;
      return;
    }
  }
}

}  // namespace velmora
