// User files that were damaged or edited by hand: whatever they hold, loading
// them must neither crash nor hang, and nothing the game would index with may
// come out of range.
#include <gtest/gtest.h>

#include <random>
#include <string>

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

TEST_F(HostileInputTest, RandomBytesNeverLoad) {
  std::mt19937 random(20240601);
  std::uniform_int_distribution<int> byte(1, 255);
  for (int round = 0; round < 200; ++round) {
    std::string bytes(static_cast<size_t>(random() % 4000), '\0');
    for (char& c : bytes) c = static_cast<char>(byte(random));
    EXPECT_FALSE(Load(bytes));
  }
}

TEST_F(HostileInputTest, EmptyAndNulTextsDoNotLoad) {
  EXPECT_FALSE(Load(""));
  EXPECT_FALSE(Load(std::string(active).replace(100, 1, 1, '\0')));
  EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace velmora
