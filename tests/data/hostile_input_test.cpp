// User files that were damaged or edited by hand: whatever they hold, loading
// them must neither crash nor hang, and nothing the game would index with may
// come out of range.
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
    return file.LoadText(text) && record.LoadFromDataFile(file);
  }

  RecordingMessageBox messages;
  DataFile file{messages};
  std::string active;
};

TEST_F(HostileInputTest, PaybackEntriesMustNameATileOnTheBoard) {
  ASSERT_TRUE(Load(active));
  EXPECT_TRUE(Load(ReplaceEntry(active, "play40", "88")));
  EXPECT_FALSE(Load(ReplaceEntry(active, "play40", "95")));
  EXPECT_FALSE(Load(ReplaceEntry(active, "play40", "9"))) << "column 9";
  EXPECT_FALSE(Load(ReplaceEntry(active, "play40", "-1")));
  EXPECT_FALSE(Load(ReplaceEntry(active, "play40", "2147483647")));
}

TEST_F(HostileInputTest, TheCodeMustBeEmptyOrAPuzzleCode) {
  EXPECT_TRUE(Load(ReplaceEntry(active, "gameCode", "AB007")));
  EXPECT_TRUE(Load(ReplaceEntry(active, "gameCode", "CD49999")));
  EXPECT_FALSE(Load(ReplaceEntry(active, "gameCode", "CD499999"))) << "eight characters";
  EXPECT_FALSE(Load(ReplaceEntry(active, "gameCode", "ZZ1")));
  // Such a code would be found by the tile lookup before the tile's own line.
  EXPECT_FALSE(Load(ReplaceEntry(active, "gameCode", "tile00")));
}

TEST_F(HostileInputTest, TheHueMustBeAColourThePickerCanGive) {
  EXPECT_TRUE(Load(ReplaceEntry(active, "settingsHue", "0")));
  EXPECT_TRUE(Load(ReplaceEntry(active, "settingsHue", "360")));
  for (const char* hue : {"nan", "inf", "-inf", "1e30", "-0.5", "360.5", "1e999"})
    EXPECT_FALSE(Load(ReplaceEntry(active, "settingsHue", hue))) << hue;
}

TEST_F(HostileInputTest, MouseButtonsMustHoldOneOfTheFivePlayActions) {
  EXPECT_TRUE(Load(ReplaceEntry(active, "settingsActionMouseButtonLeft", "4")));
  EXPECT_FALSE(Load(ReplaceEntry(active, "settingsActionMouseButtonLeft", "5")));
  EXPECT_FALSE(Load(ReplaceEntry(active, "settingsActionMouseButtonRight", "-1")));
}

TEST_F(HostileInputTest, ThePlayKeyCountMustMatchTheKeys) {
  EXPECT_FALSE(Load(ReplaceEntry(active, "gamePlayKeyCount", "3")));
  EXPECT_FALSE(Load(ReplaceEntry(active, "gamePlayKeyCount", "-1")));
  EXPECT_FALSE(Load(ReplaceEntry(active, "gamePlayKeyCount", "2147483647")));
  EXPECT_TRUE(Load(ReplaceEntry(active, "gamePlayKeyCount", "1"))) << "keys beyond the count are ignored";
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
  static const char* kValues[] = {"0",    "1",     "-1",         "2",           "3",   "4",  "5",  "8",
                                  "9",    "80",    "81",         "255",         "360", "361", "65535",
                                  "1e9",  "nan",   "2147483647", "-2147483648", "x",   "",   "true"};
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
    if (settings.difficulty < 0 || settings.difficulty > 3) EXPECT_EQ(settings.difficultyName, "");
    if (settings.type < 0 || settings.type > 2) EXPECT_EQ(settings.gameTypeName, "");
    for (const PaybackPair& pair : record.paybackOrder)
      EXPECT_TRUE(pair.row >= 0 && pair.row < 9 && pair.column >= 0 && pair.column < 9);
    const GameSnapshot saved = record.SavedGame();
    for (int r = 0; r < 9; ++r)
      for (int c = 0; c < 9; ++c) EXPECT_TRUE(saved.board.TypeAt(r, c) >= 0 && saved.board.TypeAt(r, c) < 9);
  }
  // The damage has to leave many files loadable, or none of the checks above ran.
  EXPECT_GT(loadedCount, 100);
}

TEST_F(HostileInputTest, EmptyAndNulTextsDoNotLoad) {
  EXPECT_FALSE(Load(""));
  EXPECT_FALSE(Load(std::string(active).replace(100, 1, 1, '\0')));
  EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace velmora
