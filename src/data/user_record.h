#pragma once
// The player record: one player's settings, lifetime results and, while a game
// is in progress, everything needed to continue it after a restart. On disk it
// is the player's user file, one "key = value;" line per entry in a fixed order.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "board.h"
#include "engine_constants.h"

namespace velmora {

class DataFile;

// Player names: 1..15 characters.
inline constexpr size_t kMaxPlayerNameLength = 15;

// Lifetime results, indexed [statistic][game type][difficulty]. Times are in
// tenths of a second; a best time of -1 means no game of that kind was completed.
inline constexpr int kResultBestTime = 0;
inline constexpr int kResultGamesCompleted = 1;
inline constexpr int kResultTimeSum = 2;
inline constexpr int kResultStatisticCount = 3;

// The mouse buttons hold one of the five play actions (Quick Play .. Select Tile).
inline constexpr int32_t kPlayActionCount = 5;

// A new player's mouse actions (Play, Note) and game colour.
inline constexpr int32_t kDefaultActionMouseButtonLeft = 1;
inline constexpr int32_t kDefaultActionMouseButtonRight = 3;
inline constexpr float kDefaultHue = 220.0f;

// The settings block the New Game and Options dialogs edit and the game copies whole.
struct PlayerSettings {
  int32_t actionMouseButtonLeft = 0;
  int32_t actionMouseButtonRight = 0;
  int32_t difficulty = 0;  // 0 Easy .. 3 Expert
  float hue = 0.0f;        // game colour in degrees, 0..360
  bool ignoreMistakes = false;
  int32_t seedCreate = 0;
  int32_t seedPrepare = 0;
  bool statClock = false;
  bool statGameDifficulty = false;
  bool statGameType = false;
  bool statHints = false;
  bool statMistakes = false;
  bool statFreePlays = false;
  bool statTilesFound = false;
  std::string puzzleCode;      // at most 7 characters; not saved
  std::string difficultyName;  // derived from difficulty on load
  std::string gameTypeName;    // derived from type on load
  bool tutorial = false;       // saved but never read back: only a new player starts with it
  int32_t type = 0;            // 0 Normal, 1 Payback, 2 Blackout
  bool useTipsWindow = false;
  // Viewing aids the player turns on from the window menu; saved only while on,
  // so the file of a player who never chose one holds no line for them.
  bool highlightActiveNumber = false;
  bool highlightCursorPeers = false;
  bool markConflicts = false;
  // Comforts of the same kind: the Active Number marked among the notes too
  // (with its highlight on), and a play clearing its type from the notes of
  // its row, column and block.
  bool highlightActiveNotes = false;
  bool removeNotesOnPlay = false;

  bool operator==(const PlayerSettings&) const = default;
};

// One accepted play (or Payback event) and when it happened, in milliseconds
// since the game began. Saved as one integer whose lowest bit is the flag, so
// the time comes back rounded down to an even number.
struct PlayKey {
  bool flag = false;
  int32_t time = 0;

  bool operator==(const PlayKey&) const = default;
};

// A tile position in the Payback order.
struct PaybackPair {
  int32_t row = 0;
  int32_t column = 0;

  bool operator==(const PaybackPair&) const = default;
};

using PaybackOrder = std::array<PaybackPair, kTileCount>;

// A game in progress as a user file keeps it, but for its tiles: what a save
// takes from the game, the record holds, and a continued game takes back.
struct SavedGameState {
  bool gameActive = false;
  int32_t blackoutCount = 0;
  std::string code;  // the Puzzle Code
  int32_t hints = 0;
  int32_t mistakes = 0;
  int32_t freePlays = 0;  // Free Plays used (saved as gameMulligans)
  int32_t paybackCount = 0;
  int32_t paybackTime = 0;  // ms
  std::vector<PlayKey> playKeys;
  PaybackOrder paybackOrder{};
  int32_t gameTime = 0;  // ms played
};

// The same with the board and the settings, as the game hands it to the
// record before every save and takes it back to continue a saved game.
struct GameSnapshot : SavedGameState {
  Board board;
  PlayerSettings settings;
};

// One player. A default-constructed record is all zeros with an empty name.
class GDUSER : public SavedGameState {
 public:
  // Reads every entry from a file already read whole. False at the first
  // missing or malformed entry or at an invalid tile word; the record is then
  // left as it was. A value the game never writes and could not use is
  // replaced instead: a mouse action or hue by the new player's default, a
  // negative count or sum of the results by 0 (a best time by -1), and a game
  // in progress whose Puzzle Code does not decode or whose Payback order
  // leaves the board is dropped. The results are kept in every case.
  bool LoadFromDataFile(const DataFile& file);

  // Takes over the game's state before a save. False, with the record left as
  // it was, when the game holds something a user file cannot carry (an invalid
  // tile, a Puzzle Code that is not one, a Payback tile off the board).
  [[nodiscard]] bool SetFromGame(const GameSnapshot& game);

  // The saved game, for continuing it: the counters, code, time, play keys and
  // Payback order, and a board with every tile word applied to a cleared tile.
  GameSnapshot SavedGame() const;

  // The user file's text.
  std::string ComposeText() const;

  void SetDefaultSettings();
  // No game in progress: the game's fields as a finished game leaves them.
  void ForgetGameInProgress();
  // Best times below 0 become -1 (none yet), counts and sums below 0 become 0.
  void CheckResults();
  // Every best time -1 and every count and sum 0, as for a new player.
  void ResetResults();

  // Out-of-range indexes read 0 and write nothing: a difficulty or game type
  // read from a file is not guaranteed to be in range.
  int32_t GetResult(int statistic, int gameType, int difficulty) const;
  void SetResult(int statistic, int gameType, int difficulty, int32_t value);

  PaybackPair GetPaybackPair(int index) const;
  // The saved form of a play key: the time with its lowest bit replaced by the flag.
  int32_t GetPlayKey(size_t index) const;
  uint32_t PlayKeyCount() const { return static_cast<uint32_t>(playKeys.size()); }

  // 1..15 characters are taken as they are; anything else becomes "Player".
  void SetName(std::string_view name);
  // The name from a user file's name ("Ann.user" gives "Ann").
  void SetNameFromFileName(std::string_view fileName);
  const std::string& GetName() const { return name_; }

  // The name of the user file in the users folder this record is saved to and
  // removed from: the file it was loaded from, or the name's own file.
  void SetFileName(std::string_view fileName) { fileName_ = fileName; }
  const std::string& GetFileName() const { return fileName_; }

  int32_t results[kResultStatisticCount][kGameTypeCount][kDifficultyCount] = {};
  PlayerSettings settings;
  std::array<uint32_t, kTileCount> tileWords{};

 private:
  std::string name_;
  std::string fileName_;
};

// The combined integer a play key is saved as, and back.
int32_t CombinePlayKey(const PlayKey& key);
PlayKey SplitPlayKey(int32_t value);

// A name that may become a file name: 1..15 ASCII letters, digits and blanks.
bool IsAllowedPlayerName(std::string_view name);

// value + addend, held at the nearest limit instead of wrapping.
int32_t SaturatingAdd(int32_t value, int32_t addend);

// The hue as the user file holds it: truncated toward zero.
int32_t HueAsSaved(float hue);

}  // namespace velmora
