#include "user_record.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <string>
#include <tuple>

#include "data_file.h"
#include "data_test_support.h"
#include "tile_word.h"

namespace velmora {
namespace {

using testing::NewPlayer;
using testing::RecordingMessageBox;
using testing::RemoveEntry;
using testing::ReplaceEntry;

// A new player's file, line by line.
std::string NewPlayerText() {
  std::string text =
      "gameActive = false;\n"
      "gameBlackoutCount = 0;\n"
      "gameCode = ;\n"
      "gameHints = 0;\n"
      "gameMistakes = 0;\n"
      "gameMulligans = 0;\n"
      "gamePaybackCount = 0;\n"
      "gamePaybackTime = 0;\n"
      "gamePlayKeyCount = 0;\n";
  // The results: best times (A..) start at -1, counts and sums (B.., C..) at 0;
  // then the game type (A to C) and the difficulty (A to D).
  for (char result : {'A', 'B', 'C'})
    for (char type : {'A', 'B', 'C'})
      for (char difficulty : {'A', 'B', 'C', 'D'})
        text += std::string("gameRecord") + result + type + difficulty + (result == 'A' ? " = -1;\n" : " = 0;\n");
  text +=
      "gameTime = 0;\n"
      "settingsActionMouseButtonLeft = 1;\n"
      "settingsActionMouseButtonRight = 3;\n"
      "settingsDifficulty = 0;\n"
      "settingsHue = 220;\n"
      "settingsIgnoreMistakes = false;\n"
      "settingsSeedCreate = 0;\n"
      "settingsSeedPrepare = 0;\n"
      "settingsStatClock = true;\n"
      "settingsStatGameDifficulty = true;\n"
      "settingsStatGameType = true;\n"
      "settingsStatHints = true;\n"
      "settingsStatMistakes = true;\n"
      "settingsStatMulligans = true;\n"
      "settingsStatTilesFound = true;\n"
      "settingsTutorial = true;\n"
      "settingsType = 0;\n"
      "settingsUseTipsWindow = true;\n";
  for (int row = 0; row < 9; ++row)
    for (int column = 0; column < 9; ++column)
      text += "tile" + std::to_string(row) + std::to_string(column) + " = 0;\n";
  for (int n = 0; n < 81; ++n) text += std::string("play") + (n < 10 ? "0" : "") + std::to_string(n) + " = 0;\n";
  return text;
}

// A game in progress with something in every field the file carries.
GameSnapshot SampleGame() {
  GameSnapshot game;
  game.gameActive = true;
  game.blackoutCount = 3;
  game.hints = 2;
  game.mistakes = 1;
  game.freePlays = 4;
  game.paybackCount = 5;
  game.paybackTime = 30000;
  game.playKeys = {{true, 1000}, {false, 2002}, {true, 123456}};
  game.gameTime = 98765;
  game.code = "BC1234";
  for (int i = 0; i < 81; ++i) game.paybackOrder[i] = {(i * 5) % 9, (i * 7) % 9};
  GDUSER defaults = NewPlayer("x");
  game.settings = defaults.settings;
  game.settings.tutorial = false;
  game.settings.actionMouseButtonLeft = 0;
  game.settings.actionMouseButtonRight = 4;
  game.settings.difficulty = 2;
  game.settings.difficultyName = "Hard";
  game.settings.type = 1;
  game.settings.gameTypeName = "Payback";
  game.settings.hue = 123.0f;
  game.settings.ignoreMistakes = true;
  game.settings.seedCreate = 4711;
  game.settings.seedPrepare = -99;
  game.settings.statHints = false;
  for (int row = 0; row < 9; ++row) {
    for (int column = 0; column < 9; ++column) {
      Tile& tile = game.board.At(row, column);
      tile.type = (row * 3 + row / 3 + column) % 9;
      tile.hidden = (row + column) % 3 == 0;
      tile.given = !tile.hidden && column % 2 == 0;
      tile.playedType = tile.given ? 0 : (tile.type + row) % 9;
      if (tile.hidden) tile.noteMask = (1u << (column % 9)) | (1u << 8);
    }
  }
  return game;
}

class UserRecordTest : public ::testing::Test {
 protected:
  bool Load(GDUSER& record, std::string_view text) {
    if (!file.LoadText(text)) return false;
    return record.LoadFromDataFile(file);
  }
  std::string ActiveText() {
    GDUSER record = NewPlayer("x");
    EXPECT_TRUE(record.SetFromGame(SampleGame()));
    return record.ComposeText();
  }

  RecordingMessageBox messages;
  DataFile file{messages};
};

TEST_F(UserRecordTest, ANewPlayersFileHoldsTheDefaultsInTheFixedOrder) {
  EXPECT_EQ(NewPlayer("Ann").ComposeText(), NewPlayerText());
}

TEST_F(UserRecordTest, ANewPlayersFileLoadsBackWithTheTutorialFlagCleared) {
  GDUSER record;
  ASSERT_TRUE(Load(record, NewPlayerText()));
  GDUSER expected = NewPlayer("");
  expected.settings.tutorial = false;
  expected.settings.difficultyName = "Easy";
  expected.settings.gameTypeName = "Normal";
  EXPECT_EQ(record.settings, expected.settings);
  EXPECT_EQ(record.GetResult(0, 2, 3), -1);
  EXPECT_EQ(record.GetResult(1, 2, 3), 0);
  EXPECT_FALSE(record.gameActive);
  EXPECT_EQ(record.code, "");

  // The tutorial entry is written but never read: a file without it loads the same.
  GDUSER without;
  ASSERT_TRUE(Load(without, RemoveEntry(NewPlayerText(), "settingsTutorial")));
  EXPECT_EQ(without.ComposeText(), record.ComposeText());
}

TEST_F(UserRecordTest, HueIsSavedTruncatedTowardZero) {
  GDUSER record = NewPlayer("x");
  record.settings.hue = 199.9f;
  const std::string text = record.ComposeText();
  EXPECT_NE(text.find("\nsettingsHue = 199;\n"), std::string::npos);
  GDUSER back;
  ASSERT_TRUE(Load(back, text));
  EXPECT_EQ(back.settings.hue, 199.0f);
  EXPECT_EQ(HueAsSaved(0.99f), 0);
}

// A play key is saved as its time with the flag in the lowest bit, under an
// index of four digits.
TEST_F(UserRecordTest, PlayKeysAreSavedWithTheFlagInTheLowestBit) {
  GameSnapshot game = SampleGame();
  game.playKeys.assign(1001, PlayKey{false, 10});
  game.playKeys[0] = {true, 1235};
  game.playKeys[1] = {false, 1235};
  game.playKeys[2] = {true, 0};
  game.playKeys[10].time = 20;
  game.playKeys[1000].time = 30;
  GDUSER record = NewPlayer("x");
  ASSERT_TRUE(record.SetFromGame(game));
  EXPECT_EQ(record.GetPlayKey(0), 1235);
  EXPECT_EQ(record.GetPlayKey(1), 1234);
  EXPECT_EQ(record.GetPlayKey(2), 1);
  const std::string text = record.ComposeText();
  for (const char* lines : {"\nplayKey0000 = 1235;\nplayKey0001 = 1234;\nplayKey0002 = 1;\n", "\nplayKey0010 = 20;\n",
                            "\nplayKey1000 = 30;\n", "\ngamePlayKeyCount = 1001;\n"})
    EXPECT_NE(text.find(lines), std::string::npos) << lines;

  GDUSER back;
  ASSERT_TRUE(Load(back, text));
  ASSERT_EQ(back.PlayKeyCount(), 1001u);
  EXPECT_EQ(std::vector<PlayKey>(back.playKeys.begin(), back.playKeys.begin() + 3),
            (std::vector<PlayKey>{{true, 1234}, {false, 1234}, {true, 0}}));
  EXPECT_EQ(back.playKeys[1000].time, 30);
}

TEST_F(UserRecordTest, PaybackPairsAreSavedAsRowTimesTenPlusColumn) {
  GameSnapshot game = SampleGame();
  game.paybackOrder[7] = {3, 4};
  game.paybackOrder[10] = {8, 0};
  GDUSER record = NewPlayer("x");
  ASSERT_TRUE(record.SetFromGame(game));
  const std::string text = record.ComposeText();
  EXPECT_NE(text.find("\nplay07 = 34;\n"), std::string::npos);
  EXPECT_NE(text.find("\nplay10 = 80;\n"), std::string::npos);
  GDUSER back;
  ASSERT_TRUE(Load(back, text));
  EXPECT_EQ(back.GetPaybackPair(7), (PaybackPair{3, 4}));
  EXPECT_EQ(back.GetPaybackPair(10), (PaybackPair{8, 0}));
}

TEST_F(UserRecordTest, AGameIsOnlyReadWhenItIsActive) {
  std::string inactive = NewPlayerText();
  inactive = inactive.substr(0, inactive.find("tile00"));
  inactive = ReplaceEntry(inactive, "gamePlayKeyCount", "12");
  GDUSER record;
  ASSERT_TRUE(Load(record, inactive)) << "no tile entries are needed without a game";
  EXPECT_EQ(record.PlayKeyCount(), 0u) << "whatever gamePlayKeyCount says";

  EXPECT_FALSE(Load(record, ReplaceEntry(inactive, "gameActive", "true")));
}

TEST_F(UserRecordTest, TileWordsAreValidatedAgainstTheIgnoreMistakesFlag) {
  const std::string text = ActiveText();  // mistakes are ignored in the sample game
  const std::string playedTile = std::to_string((1u << 3) | (1u << (9 + 5)));
  GDUSER record;
  EXPECT_TRUE(Load(record, ReplaceEntry(text, "tile44", playedTile)));
  EXPECT_FALSE(Load(record, ReplaceEntry(ReplaceEntry(text, "tile44", playedTile), "settingsIgnoreMistakes", "false")));
  EXPECT_FALSE(Load(record, ReplaceEntry(text, "tile44", "3"))) << "bits 0 and 1";
  EXPECT_FALSE(Load(record, ReplaceEntry(text, "tile44", std::to_string(1u | (1u << 18)))))
      << "a note on a tile that is not hidden";
  EXPECT_FALSE(Load(record, ReplaceEntry(text, "tile44", std::to_string(1u | (1u << 27) | (1u << 28)))));
  // The three top bits mean nothing: they are dropped, and the word is judged without them.
  ASSERT_TRUE(Load(record, ReplaceEntry(text, "tile44", "536870913")));  // bits 0 and 29
  EXPECT_EQ(record.tileWords[4 * 9 + 4], 1u);
  ASSERT_TRUE(Load(record, ReplaceEntry(text, "tile44", "-536870911")));  // bits 0, 29, 30 and 31
  EXPECT_EQ(record.tileWords[4 * 9 + 4], 1u);
  EXPECT_FALSE(Load(record, ReplaceEntry(text, "tile44", "-536870909"))) << "bits 0 and 1 with the top three";
}

TEST_F(UserRecordTest, ADifficultyOrTypeOutOfRangeLoadsWithAnEmptyName) {
  GDUSER record;
  ASSERT_TRUE(Load(record, ReplaceEntry(NewPlayerText(), "settingsDifficulty", "7")));
  EXPECT_EQ(record.settings.difficulty, 7);
  EXPECT_EQ(record.settings.difficultyName, "");
  EXPECT_EQ(record.settings.gameTypeName, "Normal");
  // What the game then looks up with that difficulty is answered without harm.
  EXPECT_EQ(record.GetResult(0, 0, record.settings.difficulty), 0);
  record.SetResult(0, 0, 7, 55);
  record.SetResult(3, 0, 0, 55);
  EXPECT_EQ(record.ComposeText().find("= 55;"), std::string::npos);

  ASSERT_TRUE(Load(record, ReplaceEntry(NewPlayerText(), "settingsType", "-1")));
  EXPECT_EQ(record.settings.gameTypeName, "");
  EXPECT_EQ(record.settings.difficultyName, "Easy");
}

// The viewing aids are lines of their own, each in its place in the key
// order and only while on; without them the file is a new player's, byte for byte.
TEST_F(UserRecordTest, ViewingAidsAreSavedOnlyWhileOn) {
  GDUSER record = NewPlayer("x");
  EXPECT_EQ(record.ComposeText(), NewPlayerText());

  record.settings.highlightActiveNumber = true;
  record.settings.markConflicts = true;
  record.settings.highlightActiveNotes = true;
  record.settings.removeNotesOnPlay = true;
  std::string expected = NewPlayerText();
  expected.insert(expected.find("settingsHue = "),
                  "settingsHighlightActiveNotes = true;\nsettingsHighlightActiveNumber = true;\n");
  expected.insert(expected.find("settingsSeedCreate = "),
                  "settingsMarkConflicts = true;\nsettingsRemoveNotesOnPlay = true;\n");
  EXPECT_EQ(record.ComposeText(), expected);

  GDUSER back;
  ASSERT_TRUE(Load(back, expected));
  EXPECT_TRUE(back.settings.highlightActiveNumber);
  EXPECT_FALSE(back.settings.highlightCursorPeers);
  EXPECT_TRUE(back.settings.markConflicts);
  EXPECT_TRUE(back.settings.highlightActiveNotes);
  EXPECT_TRUE(back.settings.removeNotesOnPlay);
  back.settings.highlightActiveNotes = back.settings.removeNotesOnPlay = false;

  // Turned off again, the lines go; a file without them (an older one) reads them as off.
  back.settings.highlightActiveNumber = back.settings.markConflicts = false;
  back.settings.highlightCursorPeers = true;
  const std::string peersOnly = back.ComposeText();
  EXPECT_EQ(peersOnly.find("settingsHighlightActiveNumber"), std::string::npos);
  EXPECT_EQ(peersOnly.find("settingsMarkConflicts"), std::string::npos);
  ASSERT_NE(peersOnly.find("settingsHighlightCursorPeers = true;\nsettingsHue = 220;"), std::string::npos);
  ASSERT_TRUE(Load(back, NewPlayerText()));
  EXPECT_FALSE(back.settings.highlightCursorPeers);
  // A value that is not a flag is off, and the rest of the file still loads.
  ASSERT_TRUE(Load(back, ReplaceEntry(peersOnly, "settingsHighlightCursorPeers", "1")));
  EXPECT_FALSE(back.settings.highlightCursorPeers);
}

TEST_F(UserRecordTest, EveryOtherEntryIsRequired) {
  const std::string text = ActiveText();
  for (const char* key : {"gameActive", "gameCode", "gamePlayKeyCount", "gameRecordCCD", "settingsHue",
                          "settingsUseTipsWindow", "tile88", "play80", "playKey0002"}) {
    GDUSER record;
    EXPECT_FALSE(Load(record, RemoveEntry(text, key))) << key;
  }
  GDUSER record;
  EXPECT_FALSE(Load(record, ReplaceEntry(text, "settingsStatClock", "1"))) << "a flag must be a word";
}

TEST_F(UserRecordTest, AHandedOverGameComesBackFromTheFileUnchanged) {
  const GameSnapshot game = SampleGame();
  GDUSER record = NewPlayer("Ann");
  record.SetResult(kResultBestTime, 1, 2, 4321);
  ASSERT_TRUE(record.SetFromGame(game));

  GDUSER back;
  back.SetName("Ann");
  ASSERT_TRUE(Load(back, record.ComposeText()));
  EXPECT_EQ(back.ComposeText(), record.ComposeText());
  EXPECT_EQ(back.settings, game.settings);
  EXPECT_EQ(back.GetResult(kResultBestTime, 1, 2), 4321);

  const GameSnapshot saved = back.SavedGame();
  auto fields = [](const GameSnapshot& g) {
    return std::tie(g.gameActive, g.blackoutCount, g.hints, g.mistakes, g.freePlays, g.paybackCount, g.paybackTime,
                    g.playKeys, g.gameTime, g.code, g.paybackOrder);
  };
  EXPECT_EQ(fields(saved), fields(game));
  EXPECT_TRUE(saved.gameActive);
  auto tile = [](const Tile& t) { return std::tuple(t.type, t.given, t.hidden, t.noteMask, t.playedType); };
  for (int i = 0; i < 81; ++i) EXPECT_EQ(tile(saved.board.Tiles()[i]), tile(game.board.Tiles()[i])) << "tile " << i;
}

TEST_F(UserRecordTest, AGameThatIsNotActiveClearsTheGameButKeepsThePaybackOrder) {
  GDUSER record = NewPlayer("x");
  ASSERT_TRUE(record.SetFromGame(SampleGame()));
  GameSnapshot over = SampleGame();
  over.gameActive = false;
  over.settings.hue = 10.0f;
  over.paybackOrder = {};
  ASSERT_TRUE(record.SetFromGame(over));
  EXPECT_FALSE(record.gameActive);
  EXPECT_EQ(record.code, "");
  EXPECT_EQ(record.hints + record.mistakes + record.freePlays + record.paybackCount + record.paybackTime, 0);
  EXPECT_EQ(record.blackoutCount, 0);
  EXPECT_EQ(record.gameTime, 0);
  EXPECT_EQ(record.PlayKeyCount(), 0u);
  EXPECT_EQ(record.tileWords, (std::array<uint32_t, 81>{}));
  EXPECT_EQ(record.settings.hue, 10.0f);
  EXPECT_EQ(record.paybackOrder, SampleGame().paybackOrder);
}

TEST_F(UserRecordTest, AGameThatCannotBeSavedLeavesTheRecordAsItWas) {
  GDUSER record = NewPlayer("x");
  ASSERT_TRUE(record.SetFromGame(SampleGame()));
  const std::string before = record.ComposeText();

  GameSnapshot notesOnVisible = SampleGame();
  notesOnVisible.gameTime = 1;
  notesOnVisible.board.At(8, 8).hidden = 0;
  notesOnVisible.board.At(8, 8).noteMask = 1;
  EXPECT_FALSE(record.SetFromGame(notesOnVisible));

  GameSnapshot noType = SampleGame();
  noType.board.At(0, 0).type = -1;
  EXPECT_FALSE(record.SetFromGame(noType));

  GameSnapshot badCode = SampleGame();
  badCode.code = "play00";
  EXPECT_FALSE(record.SetFromGame(badCode)) << "a code that could be read back as a key";

  GameSnapshot offBoard = SampleGame();
  offBoard.paybackOrder[80] = {9, 0};
  EXPECT_FALSE(record.SetFromGame(offBoard));

  GameSnapshot badHue = SampleGame();
  badHue.settings.hue = std::numeric_limits<float>::quiet_NaN();
  EXPECT_FALSE(record.SetFromGame(badHue));

  EXPECT_EQ(record.ComposeText(), before);
}

TEST(PlayerNameTest, SetNameReplacesEmptyAndOverlongNames) {
  GDUSER record;
  record.SetName("Abcdefghijklmno");
  EXPECT_EQ(record.GetName(), "Abcdefghijklmno");
  record.SetName("Abcdefghijklmnop");
  EXPECT_EQ(record.GetName(), "Player");
  record.SetName("Zed");
  record.SetName("");
  EXPECT_EQ(record.GetName(), "Player");
}

TEST(PlayerNameTest, OnlyLettersDigitsAndBlanksMayBecomeFileNames) {
  EXPECT_TRUE(IsAllowedPlayerName("Ann 2"));
  EXPECT_TRUE(IsAllowedPlayerName("Abcdefghijklmno"));
  EXPECT_FALSE(IsAllowedPlayerName("Abcdefghijklmnop"));
  EXPECT_FALSE(IsAllowedPlayerName(""));
  for (const char* name : {"..", "../x", "a/b", "a\\b", "a.b", "\xc3\xa9", "a\n"})
    EXPECT_FALSE(IsAllowedPlayerName(name)) << name;
}

}  // namespace
}  // namespace velmora
