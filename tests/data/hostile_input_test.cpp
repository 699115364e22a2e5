// User files that were damaged or edited by hand: whatever they hold, loading
// them must neither crash nor hang, nothing the game would index with may come
// out of range, and a value the game cannot use costs the player only that value.
#include <gtest/gtest.h>

#include <random>
#include <iterator>
#include <string>
#include <vector>

#include "data_file.h"
#include "data_test_support.h"
#include "user_record.h"

namespace velmora {
namespace {

using testing::NewPlayer;
using testing::RecordingMessageBox;
using testing::ReplaceEntry;

class HostileInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    GDUSER record = NewPlayer("x");
    GameSnapshot game;
    game.gameActive = true;
    game.settings = record.settings;
    game.playKeys = {{true, 10}, {false, 20}};
    ASSERT_TRUE(record.SetFromGame(game));
    active = record.ComposeText();
  }
  bool Load(std::string_view text) {
    GDUSER record;
    return Load(text, record);
  }
  bool Load(std::string_view text, GDUSER& record) { return file.LoadText(text) && record.LoadFromDataFile(file); }

  RecordingMessageBox messages;
  DataFile file{messages};
  std::string active;
};

// A game in progress that names a Payback tile off the board or a Puzzle Code
// that does not decode cannot be continued: the player loads without it.
TEST_F(HostileInputTest, AGameThatCannotBeContinuedIsDroppedAndThePlayerKept) {
  GDUSER record;
  ASSERT_TRUE(Load(active, record));
  EXPECT_TRUE(record.gameActive);
  ASSERT_TRUE(Load(ReplaceEntry(active, "play40", "88"), record));
  EXPECT_TRUE(record.gameActive);
  for (const char* play : {"95", "9", "-1", "2147483647"}) {
    ASSERT_TRUE(Load(ReplaceEntry(ReplaceEntry(active, "play40", play), "gameRecordBAA", "42"), record)) << play;
    EXPECT_FALSE(record.gameActive) << play;
    EXPECT_EQ(record.GetResult(kResultGamesCompleted, 0, 0), 42) << play;
    EXPECT_EQ(record.PlayKeyCount(), 0u);
    EXPECT_EQ(record.GetPaybackPair(40), (PaybackPair{0, 0}));
  }
  for (const char* code : {"AB007", "CD49999"}) {
    ASSERT_TRUE(Load(ReplaceEntry(active, "gameCode", code), record)) << code;
    EXPECT_TRUE(record.gameActive);
    EXPECT_EQ(record.code, code);
  }
  for (const char* code : {"CD499999", "ZZ1", "ab007", "AB0O7"}) {
    ASSERT_TRUE(Load(ReplaceEntry(ReplaceEntry(active, "gameCode", code), "gameRecordBAA", "42"), record)) << code;
    EXPECT_FALSE(record.gameActive) << code;
    EXPECT_EQ(record.code, "") << code;
    EXPECT_EQ(record.GetResult(kResultGamesCompleted, 0, 0), 42) << code;
  }
  // Such a code is found by the tile lookup before the tile's own line and
  // gives an invalid tile word: that file does not load.
  EXPECT_FALSE(Load(ReplaceEntry(active, "gameCode", "tile00"), record));
}

TEST_F(HostileInputTest, AHueOrMouseActionTheGameCannotUseBecomesTheDefault) {
  GDUSER record;
  for (int hue : {0, 360}) {
    ASSERT_TRUE(Load(ReplaceEntry(active, "settingsHue", std::to_string(hue)), record));
    EXPECT_EQ(record.settings.hue, static_cast<float>(hue));
  }
  for (const char* hue : {"nan", "inf", "-inf", "1e30", "-0.5", "360.5", "1e999", "400"}) {
    ASSERT_TRUE(Load(ReplaceEntry(ReplaceEntry(active, "settingsHue", hue), "gameRecordBAA", "42"), record)) << hue;
    EXPECT_EQ(record.settings.hue, 220.0f) << hue;
    EXPECT_EQ(record.GetResult(kResultGamesCompleted, 0, 0), 42) << hue;
    EXPECT_TRUE(record.gameActive) << "the game goes on";
  }
  std::string text = ReplaceEntry(active, "settingsActionMouseButtonLeft", "4");
  text = ReplaceEntry(text, "settingsActionMouseButtonRight", "0");
  ASSERT_TRUE(Load(text, record));
  EXPECT_EQ(record.settings.actionMouseButtonLeft, 4);
  EXPECT_EQ(record.settings.actionMouseButtonRight, 0);
  text = ReplaceEntry(active, "settingsActionMouseButtonLeft", "5");
  text = ReplaceEntry(text, "settingsActionMouseButtonRight", "-1");
  ASSERT_TRUE(Load(text, record));
  EXPECT_EQ(record.settings.actionMouseButtonLeft, 1) << "Play, the new player's left button";
  EXPECT_EQ(record.settings.actionMouseButtonRight, 3) << "Note, the new player's right button";
}

TEST_F(HostileInputTest, NegativeResultsReadAsNoneYet) {
  std::string text = ReplaceEntry(active, "gameRecordAAA", "-5");  // best time
  text = ReplaceEntry(text, "gameRecordABB", "-1");                // best time: none yet
  text = ReplaceEntry(text, "gameRecordACC", "77");                // best time
  text = ReplaceEntry(text, "gameRecordBAA", "-1");                // games completed
  text = ReplaceEntry(text, "gameRecordBCD", "-2147483648");       // games completed
  text = ReplaceEntry(text, "gameRecordCAA", "-100");              // time sum
  text = ReplaceEntry(text, "gameRecordCBA", "2147483647");        // time sum
  GDUSER record;
  ASSERT_TRUE(Load(text, record));
  EXPECT_EQ(record.GetResult(kResultBestTime, 0, 0), -1);
  EXPECT_EQ(record.GetResult(kResultBestTime, 1, 1), -1);
  EXPECT_EQ(record.GetResult(kResultBestTime, 2, 2), 77);
  EXPECT_EQ(record.GetResult(kResultGamesCompleted, 0, 0), 0);
  EXPECT_EQ(record.GetResult(kResultGamesCompleted, 2, 3), 0);
  EXPECT_EQ(record.GetResult(kResultTimeSum, 0, 0), 0);
  EXPECT_EQ(record.GetResult(kResultTimeSum, 1, 0), 2147483647);
}

TEST_F(HostileInputTest, ThePlayKeyCountMustMatchTheKeys) {
  EXPECT_FALSE(Load(ReplaceEntry(active, "gamePlayKeyCount", "3")));
  EXPECT_FALSE(Load(ReplaceEntry(active, "gamePlayKeyCount", "2147483647")));
  EXPECT_TRUE(Load(ReplaceEntry(active, "gamePlayKeyCount", "1"))) << "keys beyond the count are ignored";
  GDUSER record;
  ASSERT_TRUE(Load(ReplaceEntry(active, "gamePlayKeyCount", "-1"), record)) << "a negative count names no key";
  EXPECT_EQ(record.PlayKeyCount(), 0u);
}

// A saved file damaged the way a hand edit or a bad disk would: values
// replaced by other numbers, digits changed, lines dropped or repeated. Much of
// it still loads, and what loads must hold only values the game can use.
TEST_F(HostileInputTest, DamagedFilesLoadOnlyWithUsableValues) {
  std::vector<std::string> lines;
  for (size_t from = 0; from < active.size();) {
    const size_t end = active.find('\n', from);
    lines.push_back(active.substr(from, end - from));
    from = end == std::string::npos ? active.size() : end + 1;
  }
  static const char* kValues[] = {"0",   "1",          "-1",          "2",   "3",   "4",   "5",     "8",
                                  "9",   "80",         "81",          "255", "360", "361", "65535", "1e9",
                                  "nan", "2147483647", "-2147483648", "x",   "",    "true"};
  std::mt19937 random(20240601);
  int loadedCount = 0;
  for (int round = 0; round < 600; ++round) {
    std::vector<std::string> damaged = lines;
    const int edits = 1 + static_cast<int>(random() % 3);
    for (int e = 0; e < edits; ++e) {
      std::string& line = damaged[random() % damaged.size()];
      const size_t equals = line.find(" = ");
      const size_t semicolon = line.rfind(';');
      switch (random() % 4) {
        case 0:
          if (equals != std::string::npos && semicolon != std::string::npos && semicolon > equals)
            line = line.substr(0, equals + 3) + kValues[random() % std::size(kValues)] + line.substr(semicolon);
          break;
        case 1: {
          std::vector<size_t> digits;
          for (size_t i = 0; i < line.size(); ++i)
            if (line[i] >= '0' && line[i] <= '9') digits.push_back(i);
          if (!digits.empty()) line[digits[random() % digits.size()]] = static_cast<char>('0' + random() % 10);
          break;
        }
        case 2: line.clear(); break;
        default: line += "\n" + line; break;
      }
    }
    std::string text;
    for (const std::string& line : damaged) text += line + "\n";

    GDUSER record;
    if (!file.LoadText(text) || !record.LoadFromDataFile(file)) continue;
    ++loadedCount;
    SCOPED_TRACE("round " + std::to_string(round));
    const PlayerSettings& settings = record.settings;
    EXPECT_TRUE(settings.actionMouseButtonLeft >= 0 && settings.actionMouseButtonLeft < kPlayActionCount);
    EXPECT_TRUE(settings.actionMouseButtonRight >= 0 && settings.actionMouseButtonRight < kPlayActionCount);
    EXPECT_TRUE(settings.hue >= 0.0f && settings.hue <= 360.0f);
    // A difficulty or game type out of range loads by design, with an empty name.
    EXPECT_TRUE((settings.difficulty >= 0 && settings.difficulty <= 3) || settings.difficultyName.empty());
    EXPECT_TRUE((settings.type >= 0 && settings.type <= 2) || settings.gameTypeName.empty());
    for (const PaybackPair& pair : record.paybackOrder)
      EXPECT_TRUE(pair.row >= 0 && pair.row < 9 && pair.column >= 0 && pair.column < 9);
    const GameSnapshot saved = record.SavedGame();
    for (int r = 0; r < 9; ++r)
      for (int c = 0; c < 9; ++c) EXPECT_TRUE(saved.board.TypeAt(r, c) >= 0 && saved.board.TypeAt(r, c) < 9);
  }
  // The damage has to leave many files loadable, or none of the checks above ran.
  EXPECT_GT(loadedCount, 100);
}

}  // namespace
}  // namespace velmora
