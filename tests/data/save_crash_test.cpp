// Saves cut short by a killed process, and two processes saving the same
// player at once: the user file always holds one complete text, old or new.
// The processes are forks of the test running the roster's own save, since
// the game itself cannot be made to save in a loop without a display.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <set>
#include <string>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "data_file.h"
#include "data_test_support.h"
#include "player_roster.h"

namespace velmora {
namespace {

using testing::NewPlayer;
using testing::RecordingMessageBox;
using testing::TempFolder;

constexpr int kVersions = 7;

class SaveCrashTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int v = 0; v < kVersions; ++v) {
      GDUSER record = NewPlayer("Ann");
      Fill(record, v);
      texts.insert(record.ComposeText());
    }
    GDUSER first = NewPlayer("Ann");
    Fill(first, 0);
    folder.Write("data/users/Ann.user", first.ComposeText());
  }

  // Version v of Ann: lengths differ from one version to the next, so a
  // file cut short or mixed from two saves matches none of them.
  static void Fill(GDUSER& record, int v) {
    record.hints = v;
    record.settings.tutorial = false;  // as every loaded player has it
    record.playKeys.assign(static_cast<size_t>(v) * 40, PlayKey{true, 1000 + v});
  }

  // A process that saves Ann again and again, starting with version first;
  // it ends after `saves` saves, or never when saves is 0, or stops itself
  // (SIGSTOP) at step stopAtStep of its saves, three a save (ReplacementStep).
  pid_t StartSaving(int first, int saves, int stopAtStep = 0) {
    const pid_t child = fork();
    if (child != 0) return child;
    stepsBeforeStop = stopAtStep;
    if (stopAtStep > 0)
      SetReplacementStepHook([](ReplacementStep) {
        if (--stepsBeforeStop == 0) raise(SIGSTOP);
      });
    RecordingMessageBox quiet;
    PlayerRoster roster(quiet, [](std::chrono::milliseconds) {});
    if (!roster.LoadGameDataFrom(folder.String(), nullptr) || roster.PlayerCount() != 1) _exit(3);
    roster.SetCurrentPlayer(0);
    for (int i = 0; saves == 0 || i < saves; ++i) {
      Fill(*roster.Player(0), (first + i) % kVersions);
      if (!roster.SavePlayer(false)) _exit(4);
    }
    _exit(0);
  }

  // Waits until the saver has stopped itself, then kills it there.
  static void KillWhenStopped(pid_t saver) {
    int status = 0;
    ASSERT_EQ(waitpid(saver, &status, WUNTRACED), saver);
    ASSERT_TRUE(WIFSTOPPED(status)) << "the saver ended before its step, status " << status;
    kill(saver, SIGKILL);
    ASSERT_EQ(waitpid(saver, &status, 0), saver);
    ASSERT_TRUE(WIFSIGNALED(status));
  }

  static inline int stepsBeforeStop = 0;
  bool Complete(const std::string& text) const { return texts.count(text) == 1; }

  TempFolder folder;
  std::set<std::string> texts;
};

// Two savers at once, each killed at a step of its first three saves: each save goes
// through a file of its own, so neither can rename the other's unfinished text into place.
TEST_F(SaveCrashTest, AKilledSaveLeavesTheOldOrTheNewFileComplete) {
  constexpr int kSteps = 9;
  for (int step = 1; step <= kSteps; ++step) {
    const pid_t savers[2] = {StartSaving(step, 0, step), StartSaving(step + 3, 0, kSteps + 1 - step)};
    ASSERT_GT(savers[0], 0);
    ASSERT_GT(savers[1], 0);
    for (const pid_t saver : savers) KillWhenStopped(saver);
    ASSERT_TRUE(Complete(folder.Read("data/users/Ann.user"))) << "step " << step;
  }
}

// Saves killed half-way leave their unfinished files; the player's next save
// removes them once they are older than a save can take, and touches nothing
// else: another player's, a name of another form, a folder.
TEST_F(SaveCrashTest, ThePlayersNextSaveRemovesWhatKilledSavesLeft) {
  namespace fs = std::filesystem;
  // Saves killed with their file made and empty, and written but not renamed.
  for (const int step : {1, 2}) {
    const pid_t saver = StartSaving(step, 0, step);
    ASSERT_GT(saver, 0);
    KillWhenStopped(saver);
  }
  const fs::path users = folder.Path() / "data/users";
  folder.Write("data/users/Bob.user.tmp.Ab12Cd", "Bob's");
  folder.Write("data/users/Ann.user.tmp.longer1", "not a replacement");
  fs::create_directory(users / "Ann.user.tmp.Folder");
  std::vector<std::string> left;
  for (const std::string& name : folder.List("data/users")) {
    const timespec anHourAgo[2] = {{std::time(nullptr) - 3600, 0}, {std::time(nullptr) - 3600, 0}};
    utimensat(AT_FDCWD, (users / name).c_str(), anHourAgo, AT_SYMLINK_NOFOLLOW);
    if (name.rfind("Ann.user.tmp.", 0) == 0 && name.size() == 19 && name != "Ann.user.tmp.Folder") left.push_back(name);
  }
  ASSERT_EQ(left.size(), 2u) << "the saves were not cut short";
  folder.Write("data/users/Ann.user.tmp.Fresh1", "a save of another copy, under way");

  const pid_t saver = StartSaving(1, 1);
  int status = 0;
  ASSERT_EQ(waitpid(saver, &status, 0), saver);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
  EXPECT_EQ(folder.List("data/users"),
            (std::vector<std::string>{"Ann.user", "Ann.user.tmp.Folder", "Ann.user.tmp.Fresh1", "Ann.user.tmp.longer1",
                                      "Bob.user.tmp.Ab12Cd"}));
}

TEST_F(SaveCrashTest, TwoProcessesSavingTheSamePlayerNeverLeaveAPartialFile) {
  const pid_t one = StartSaving(0, 150);
  const pid_t two = StartSaving(3, 150);
  ASSERT_GT(one, 0);
  ASSERT_GT(two, 0);
  int running = 2;
  int reads = 0;
  int partial = 0;
  while (running > 0) {
    if (!Complete(folder.Read("data/users/Ann.user"))) ++partial;
    ++reads;
    int status = 0;
    const pid_t ended = waitpid(-1, &status, WNOHANG);
    if (ended == one || ended == two) {
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
      --running;
    }
  }
  EXPECT_EQ(partial, 0) << "of " << reads << " reads";
  EXPECT_TRUE(Complete(folder.Read("data/users/Ann.user")));
  EXPECT_EQ(folder.List("data/users"), std::vector<std::string>{"Ann.user"}) << "no temporary file is left";
}

}  // namespace
}  // namespace velmora
