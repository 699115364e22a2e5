#include "player_roster.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "data_test_support.h"

namespace velmora {
namespace {

using testing::NewPlayer;
using testing::RecordedSleeps;
using testing::RecordingMessageBox;
using testing::ReplaceEntry;
using testing::TempFolder;

namespace fs = std::filesystem;

constexpr const char* kUnableToSave =
    "Unable to save!  This can happen if your hard disk is full, or if the .user file\r\n"
    "is read-only or in use by another program.\r\n"
    "If you have moved the program, you may need to recreate the '..\\data\\users' directory.";

class PlayerRosterTest : public ::testing::Test {
 protected:
  // A user file as the game would have written it.
  void WriteUser(const std::string& fileName, int hints = 0) {
    GDUSER record = NewPlayer("x");
    record.hints = hints;
    folder.Write("data/users/" + fileName, record.ComposeText());
  }
  std::unique_ptr<PlayerRoster> Loaded(std::string* report = nullptr) {
    auto roster = std::make_unique<PlayerRoster>(messages, sleeps.Function());
    EXPECT_TRUE(roster->LoadGameDataFrom(folder.String(), report));
    return roster;
  }
  std::vector<std::string> Names(const PlayerRoster& roster) {
    std::vector<std::string> names;
    for (int i = 0; i < roster.PlayerCount(); ++i) names.push_back(roster.Player(i)->GetName());
    return names;
  }

  RecordingMessageBox messages;
  RecordedSleeps sleeps;
  TempFolder folder;
};

TEST_F(PlayerRosterTest, LoadsEveryUserFileAndMakesTheFirstPlayerCurrent) {
  WriteUser("Bea.user");
  WriteUser("Ann.user");
  folder.Write("data/users/notes.txt", "not a player");
  std::string report;
  auto roster = Loaded(&report);
  EXPECT_EQ(Names(*roster), (std::vector<std::string>{"Ann", "Bea"}));
  EXPECT_EQ(roster->CurrentPlayer(), 0);
  EXPECT_EQ(roster->DataPath(), folder.String() + "/data/");
  EXPECT_EQ(report, "data path: " + folder.String() + "/data/\nloading game data\nFailed to open seed file: " +
                        folder.String() + "/data/seeds/\nseeds: 0\nusers: 2\nload complete");
  EXPECT_TRUE(messages.shown.empty());
}

// A working folder whose name cannot be read (it was removed) must not move
// the data folder to the root of the file system.
TEST_F(PlayerRosterTest, AWorkingFolderThatCannotBeReadKeepsTheDataPathRelative) {
  fs::create_directory(folder.Path() / "gone");
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (chdir((folder.Path() / "gone").c_str()) != 0 || rmdir((folder.Path() / "gone").c_str()) != 0) _exit(3);
    PlayerRoster roster(messages, sleeps.Function());
    std::string report;
    roster.LoadGameData(&report);
    const bool relative = roster.DataPath() == "./data/" &&
                          report.starts_with(
                              "data path: ./data/\nloading game data\n"
                              "The working folder could not be read; data path kept relative: ./data/\n");
    _exit(relative ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST_F(PlayerRosterTest, SeedFilesComeFromTheDataFolder) {
  std::string seeds;
  for (int i = 0; i < 1000; ++i) seeds += std::to_string(i + 7) + ",";
  folder.Write("data/seeds/0000002000d3.seed", seeds);
  std::string report;
  auto roster = Loaded(&report);
  EXPECT_EQ(roster->PrepareSeedFor(3, 1500), 507);
  EXPECT_EQ(roster->PrepareSeedFor(1, 1500), 0);
  EXPECT_NE(report.find("\nseeds: 1\n"), std::string::npos);
}

TEST_F(PlayerRosterTest, NamesComeFromFileNames) {
  WriteUser("Abcdefghijklmnop.user");  // 16 characters before ".user": no name, passed over
  WriteUser("Abcdefghijklmno.user");   // 15: the longest name
  WriteUser("Ann Lee 2.user");
  WriteUser("a-b.user");
  std::string report;
  auto roster = Loaded(&report);
  EXPECT_EQ(Names(*roster), (std::vector<std::string>{"Abcdefghijklmno", "Ann Lee 2", "Player"}));
  EXPECT_NE(report.find("User file name gives no player name, passed over: " + folder.String() +
                        "/data/users/Abcdefghijklmnop.user\n"),
            std::string::npos)
      << report;
}

// Only a regular file that loads is a player. Anything else is passed over,
// named in the report, and never written or deleted: a new player of its name
// is refused, the file named to the player.
TEST_F(PlayerRosterTest, AFileThatIsNoPlayerIsPassedOverAndNeverReplaced) {
  WriteUser("Ann.user", 4);
  folder.Write("data/users/Big.user", std::string(1048576, ' '));
  folder.Write("data/users/Nul.user", std::string("gameActive\0", 11));
  folder.Write("data/users/Half.user", NewPlayer("x").ComposeText().substr(0, 400));
  const std::string users = folder.String() + "/data/users/";
  ASSERT_EQ(mkfifo((users + "Pipe.user").c_str(), 0600), 0);
  fs::create_directory(users + "Dir.user");
  fs::create_symlink("nowhere", users + "Gone.user");
  WriteUser("Zoe.user", 9);
  std::string report;
  auto roster = Loaded(&report);
  EXPECT_EQ(Names(*roster), (std::vector<std::string>{"Ann", "Zoe"}));
  EXPECT_EQ(roster->Player(1)->hints, 9) << "a failed file leaves the next one unaffected";
  EXPECT_NE(report.find("\nusers: 2\n"), std::string::npos);
  for (const char* line :
       {"Failed to open user file: %Big.user\n", "Failed to open user file: %Nul.user\n",
        "User file could not be loaded, passed over: %Half.user\n", "Not a regular file, passed over: %Pipe.user\n",
        "Not a regular file, passed over: %Dir.user\n", "Not a regular file, passed over: %Gone.user\n"}) {
    std::string expected = line;
    expected.replace(expected.find('%'), 1, users);
    EXPECT_NE(report.find(expected), std::string::npos) << expected << " in\n" << report;
  }
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "INPUT STREAM LARGER THAN MAXIMUM DATA FILE SIZE!\n" + users + "Big.user");

  std::vector<std::string> logged;
  roster->SetLog([&](std::string_view line) { logged.emplace_back(line); });
  for (const char* name : {"Big", "Nul", "Half", "Pipe", "Dir", "Gone"}) {
    EXPECT_EQ(roster->BlockingFileFor(name), users + name + ".user") << name;
    EXPECT_FALSE(roster->AddPlayer(name)) << name;
  }
  EXPECT_EQ(roster->BlockingFileFor("Ann"), "") << "a player's own file blocks nothing";
  EXPECT_EQ(roster->BlockingFileFor("Eve"), "");
  ASSERT_EQ(logged.size(), 6u);
  EXPECT_EQ(logged[0], "A file that is no player's has this name; not replaced: " + users + "Big.user\n");
  EXPECT_EQ(roster->PlayerCount(), 2);
  EXPECT_TRUE(sleeps.pauses.empty()) << "nothing was saved";
  EXPECT_EQ(folder.Read("data/users/Big.user").size(), 1048576u);
  EXPECT_EQ(folder.Read("data/users/Half.user"), NewPlayer("x").ComposeText().substr(0, 400));
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(users + "Gone.user")));

  // With nothing but files that are no player's, nobody is counted, so nobody is current.
  for (const char* name : {"Ann.user", "Zoe.user"}) fs::remove(folder.Path() / "data/users" / name);
  auto unreadable = Loaded(&report);
  EXPECT_EQ(unreadable->PlayerCount(), 0);
  EXPECT_EQ(unreadable->CurrentPlayer(), -1);
}

// Each player is saved to and removed from the file it came from, and no two
// players share a name: the file named after the player wins over another
// that gives the same name, which is passed over.
TEST_F(PlayerRosterTest, EachPlayerKeepsItsOwnFileAndNoNameIsShared) {
  WriteUser("Ann.bak.user", 1);
  WriteUser("Ann.user", 2);
  WriteUser("my-save.user", 3);
  WriteUser("our-save.user", 4);
  const std::string users = folder.String() + "/data/users/";
  std::string report;
  auto roster = Loaded(&report);
  EXPECT_EQ(Names(*roster), (std::vector<std::string>{"Ann", "Player"}));
  EXPECT_EQ(roster->Player(0)->hints, 2);
  EXPECT_EQ(roster->Player(0)->GetFileName(), "Ann.user");
  EXPECT_EQ(roster->Player(1)->hints, 3);
  EXPECT_EQ(roster->Player(1)->GetFileName(), "my-save.user");
  EXPECT_NE(report.find("Duplicate player name encountered!  Passed over: " + users + "Ann.bak.user\n"),
            std::string::npos)
      << report;
  EXPECT_NE(report.find("Duplicate player name encountered!  Passed over: " + users + "our-save.user\n"),
            std::string::npos);
  EXPECT_NE(report.find("\nusers: 2\n"), std::string::npos);

  roster->Player(1)->hints = 33;
  roster->SetCurrentPlayer(1);
  ASSERT_TRUE(roster->SavePlayer(false));
  EXPECT_NE(folder.Read("data/users/my-save.user").find("gameHints = 33;"), std::string::npos);
  EXPECT_FALSE(folder.Exists("data/users/Player.user"));
  ASSERT_TRUE(roster->RemovePlayer(1));
  EXPECT_EQ(Names(*roster), std::vector<std::string>{"Ann"});
  EXPECT_EQ(folder.List("data/users"), (std::vector<std::string>{"Ann.bak.user", "Ann.user", "our-save.user"}));
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_NE(folder.Read("data/users/Ann.bak.user").find("gameHints = 1;"), std::string::npos);

  // A file that cannot be deleted would bring its player back at the next
  // start: the player leaves the list, and the log names the file.
  std::vector<std::string> logged;
  roster->SetLog([&](std::string_view line) { logged.emplace_back(line); });
  std::filesystem::remove(folder.Path() / "data/users/Ann.user");
  std::filesystem::create_directories(folder.Path() / "data/users/Ann.user/kept");
  ASSERT_TRUE(roster->RemovePlayer(0));
  EXPECT_TRUE(Names(*roster).empty());
  EXPECT_EQ(logged, std::vector<std::string>{"Unable to delete user file!\nPath: " + users + "Ann.user\n"});
}

TEST_F(PlayerRosterTest, AFileThatLoadsOnlyPartlyIsDropped) {
  folder.Write("data/users/Empty.user", "");
  std::mt19937 random(7);
  std::string noise(3000, ' ');
  for (char& c : noise) c = static_cast<char>(1 + random() % 255);
  folder.Write("data/users/Noise.user", noise);
  WriteUser("Ann.user");
  auto roster = Loaded();
  EXPECT_EQ(Names(*roster), std::vector<std::string>{"Ann"});
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PlayerRosterTest, ANewPlayerIsSavedWithTheDefaultsAndTheUsersFolderIsMade) {
  auto roster = Loaded();
  ASSERT_FALSE(fs::exists(folder.Path() / "data/users"));
  ASSERT_TRUE(roster->AddPlayer("Ann"));
  ASSERT_EQ(roster->PlayerCount(), 1);
  EXPECT_EQ(roster->CurrentPlayer(), -1) << "adding does not choose the player";
  EXPECT_EQ(folder.Read("data/users/Ann.user"), NewPlayer("Ann").ComposeText());
  EXPECT_TRUE(roster->Player(0)->settings.tutorial);
  EXPECT_EQ(sleeps.pauses, std::vector<std::chrono::milliseconds>{std::chrono::milliseconds(250)});
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(folder.List("data/users"), std::vector<std::string>{"Ann.user"}) << "no temporary file is left";
}

// A name in use (exactly, or once cut to 15 characters) or no name adds no
// player and writes no file.
TEST_F(PlayerRosterTest, ANameInUseAddsNothingAndLongNamesAreCut) {
  WriteUser("Abcdefghijklmno.user", 6);
  auto roster = Loaded();
  for (const char* name : {"Abcdefghijklmno", "Abcdefghijklmnopqrst", ""}) {
    EXPECT_FALSE(roster->AddPlayer(name)) << name;
  }
  EXPECT_EQ(roster->PlayerCount(), 1);
  EXPECT_TRUE(sleeps.pauses.empty());
  EXPECT_NE(folder.Read("data/users/Abcdefghijklmno.user").find("gameHints = 6;"), std::string::npos);
  ASSERT_TRUE(roster->AddPlayer("Zbcdefghijklmnopqrst"));
  EXPECT_EQ(roster->Player(1)->GetName(), "Zbcdefghijklmno");
  EXPECT_TRUE(folder.Exists("data/users/Zbcdefghijklmno.user"));
  EXPECT_TRUE(roster->AddPlayer("abcdefghijklmno")) << "names are compared exactly";
}

TEST_F(PlayerRosterTest, NoNameCanLeadOutOfTheUsersFolder) {
  auto roster = Loaded();
  for (const char* name : {"../Evil", "..", "a/b", "Tom.", "x\\y"}) EXPECT_FALSE(roster->AddPlayer(name)) << name;
  EXPECT_EQ(roster->PlayerCount(), 0);
  EXPECT_EQ(folder.List(""), std::vector<std::string>{});
  EXPECT_EQ(roster->UserFilePath("../Evil"), "");
  EXPECT_EQ(roster->UserFilePath("Ann 2"), folder.String() + "/data/users/Ann 2.user");

  // A record renamed by hand is still saved to its own file.
  ASSERT_TRUE(roster->AddPlayer("Ann"));
  roster->Player(0)->SetName("../../Evil");
  roster->SetCurrentPlayer(0);
  EXPECT_TRUE(roster->SavePlayer(false));
  EXPECT_FALSE(fs::exists(folder.Path() / "Evil.user"));
  EXPECT_EQ(folder.List("data/users"), std::vector<std::string>{"Ann.user"});
}

TEST_F(PlayerRosterTest, RemovingAnInvalidIndexChangesNothing) {
  WriteUser("Ann.user");
  auto roster = Loaded();
  EXPECT_FALSE(roster->RemovePlayer(1));
  EXPECT_FALSE(roster->RemovePlayer(-1));
  EXPECT_EQ(roster->PlayerCount(), 1);
  EXPECT_TRUE(folder.Exists("data/users/Ann.user"));
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0].text, "ATTEMPTED TO REMOVE AN INVALID USER INDEX!");
  EXPECT_EQ(messages.shown[0].caption, "ERROR");
}

TEST_F(PlayerRosterTest, ASaveIntoAReadOnlyFileWarnsThenPausesAndKeepsTheFile) {
  WriteUser("Ann.user", 6);
  auto roster = Loaded();
  const std::string before = folder.Read("data/users/Ann.user");
  fs::permissions(folder.Path() / "data/users/Ann.user", fs::perms::owner_read | fs::perms::group_read);
  roster->Player(0)->hints = 1;
  EXPECT_FALSE(roster->SavePlayer(false));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, kUnableToSave);
  EXPECT_EQ(messages.shown[0].caption, "Warning");
  EXPECT_EQ(sleeps.pauses, std::vector<std::chrono::milliseconds>{std::chrono::milliseconds(250)});
  EXPECT_EQ(folder.Read("data/users/Ann.user"), before);
}

TEST_F(PlayerRosterTest, ASaveThatIsTooLongKeepsTheOldFile) {
  WriteUser("Ann.user", 6);
  auto roster = Loaded();
  const std::string before = folder.Read("data/users/Ann.user");
  GDUSER& ann = *roster->Player(0);
  GameSnapshot game;
  game.gameActive = true;
  game.settings = ann.settings;
  game.playKeys.assign(60000, PlayKey{false, 1000000});
  ASSERT_TRUE(ann.SetFromGame(game));
  EXPECT_FALSE(roster->SavePlayer(false));
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0].text,
            "OUTPUT STREAM LARGER THAN MAXIMUM DATA FILE SIZE!\n" + folder.String() + "/data/users/Ann.user");
  EXPECT_EQ(messages.shown[1].text, kUnableToSave);
  EXPECT_EQ(folder.Read("data/users/Ann.user"), before);
  EXPECT_EQ(folder.List("data/users"), std::vector<std::string>{"Ann.user"});
}

TEST_F(PlayerRosterTest, SavingWithoutAChosenPlayerDoesNothing) {
  auto roster = Loaded();
  EXPECT_FALSE(roster->SavePlayer(false));
  EXPECT_FALSE(roster->SavePlayer(true));
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_FALSE(fs::exists(folder.Path() / "data/users"));
}

TEST_F(PlayerRosterTest, SavePlayerPicksTheNewestOrTheCurrentPlayer) {
  WriteUser("Ann.user");
  WriteUser("Bea.user");
  auto roster = Loaded();
  roster->Player(0)->hints = 11;
  roster->Player(1)->hints = 22;
  roster->SetCurrentPlayer(0);
  ASSERT_TRUE(roster->SavePlayer(true));
  EXPECT_NE(folder.Read("data/users/Bea.user").find("gameHints = 22;"), std::string::npos);
  EXPECT_EQ(folder.Read("data/users/Ann.user").find("gameHints = 11;"), std::string::npos);
  ASSERT_TRUE(roster->SavePlayer(false));
  EXPECT_NE(folder.Read("data/users/Ann.user").find("gameHints = 11;"), std::string::npos);
  EXPECT_EQ(sleeps.pauses.size(), 2u);
}

}  // namespace
}  // namespace velmora
