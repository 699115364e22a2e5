#include "data_file.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>
#include <string>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "data_test_support.h"

namespace velmora {
namespace {

using testing::RecordingMessageBox;
using testing::TempFolder;

class DataFileTest : public ::testing::Test {
 protected:
  // A DataFile holding the text as if it had been read from a file.
  DataFile& With(std::string_view text) {
    EXPECT_TRUE(file.LoadText(text));
    return file;
  }

  RecordingMessageBox messages;
  DataFile file{messages};
  TempFolder folder;
};

TEST_F(DataFileTest, FlagsReadInAnyCaseAndRefuseOtherWords) {
  bool flag = false;
  EXPECT_TRUE(With("a = TRUE;").ReadBool("a", flag));
  EXPECT_TRUE(flag);
  EXPECT_TRUE(With("a = fAlSe;").ReadBool("a", flag));
  EXPECT_FALSE(flag);

  flag = true;
  EXPECT_FALSE(With("a = yes;").ReadBool("a", flag));
  EXPECT_TRUE(flag) << "a refused flag leaves the destination untouched";
}

// No digits read as 0 and the lookup still succeeds; out of range stops at the limit.
TEST_F(DataFileTest, IntegersDropBlanksAndEqualsSignsAnywhere) {
  const std::pair<const char*, int32_t> cases[] = {
      {"-12", -12}, {"abc", 0}, {"1 2", 12}, {"3=4", 34}, {"9999999999", 2147483647}, {"-2147483648", -2147483647 - 1}};
  for (const auto& [text, expected] : cases) {
    int32_t value = 5;
    EXPECT_TRUE(With("n = " + std::string(text) + ";").ReadInt("n", value)) << text;
    EXPECT_EQ(value, expected) << text;
  }
}

TEST_F(DataFileTest, FloatsTakeTheLongestNumberAndDoNotDependOnTheLocale) {
  const std::pair<const char*, float> cases[] = {{"199.9", 199.9f}, {"2.5xyz", 2.5f},    {"+7", 7.0f},
                                                 {"none", 0.0f},    {"1e999", INFINITY}, {"-1e-999", 0.0f}};
  for (const auto& [text, expected] : cases) {
    float value = 1.0f;
    EXPECT_TRUE(With("h = " + std::string(text) + ";").ReadFloat("h", value)) << text;
    EXPECT_FLOAT_EQ(value, expected) << text;
  }
}

TEST_F(DataFileTest, TextKeepsInnerBlanksAndDropsTheSixBracketCharacters) {
  std::string value;
  EXPECT_TRUE(With("s = A B_C;").ReadString("s", value));
  EXPECT_EQ(value, "A BC");
  EXPECT_TRUE(With("s =  = x=[\\]^`y ;").ReadString("s", value));
  EXPECT_EQ(value, "x=y ") << "only leading blanks and '=' are dropped";
  EXPECT_TRUE(With("s = ;").ReadString("s", value));
  EXPECT_EQ(value, "");
}

TEST_F(DataFileTest, TheFirstOccurrenceWinsEvenInsideAValue) {
  int32_t value = 0;
  EXPECT_TRUE(With("a = count;\ncount = 7;\n").ReadInt("count", value));
  EXPECT_EQ(value, 0) << "found inside a's value: ';' is skipped and \"\\ncount7\" has no leading digits";
  EXPECT_TRUE(With("xcount = 3;\ncount = 7;\n").ReadInt("count", value));
  EXPECT_EQ(value, 3) << "found inside the longer key xcount";
  EXPECT_TRUE(With("Count = 3;\ncount = 7;\n").ReadInt("count", value));
  EXPECT_EQ(value, 7) << "keys are case-sensitive";
}

TEST_F(DataFileTest, FindKeyAgreesWithAPlainSearch) {
  // Few distinct characters, so that sequences repeat and share index buckets.
  std::mt19937 random(99);
  const std::string alphabet = "ab1;= \n";
  for (int round = 0; round < 300; ++round) {
    std::string text(random() % 3000, ' ');
    for (char& c : text) c = alphabet[random() % alphabet.size()];
    ASSERT_TRUE(file.LoadText(text));
    for (int k = 0; k < 40; ++k) {
      std::string key;
      if (k % 2 == 0 && !text.empty()) {
        const size_t at = random() % text.size();
        key = text.substr(at, 1 + random() % 12);
      } else {
        key.resize(1 + random() % 8);
        for (char& c : key) c = alphabet[random() % alphabet.size()];
      }
      ASSERT_EQ(file.FindKey(key), std::string_view(text).find(key)) << "key \"" << key << "\" round " << round;
    }
  }
}

TEST_F(DataFileTest, AValueHoldsAtMostSixtyThreeCharacters) {
  const std::string sixtyThree(63, '7');
  std::string value;
  EXPECT_TRUE(With("s = " + sixtyThree + ";").ReadString("s", value));
  EXPECT_EQ(value, sixtyThree);
  EXPECT_FALSE(With("s = " + sixtyThree + "7;").ReadString("s", value));

  int32_t number = 0;
  // Dropped blanks do not count towards the limit.
  EXPECT_TRUE(With("n = " + std::string(100, ' ') + "5;").ReadInt("n", number));
  EXPECT_EQ(number, 5);
}

TEST_F(DataFileTest, LookupsFailWithoutKeyOrSemicolon) {
  int32_t value = 9;
  EXPECT_FALSE(With("a = 1;").ReadInt("b", value));
  EXPECT_FALSE(With("a = 1").ReadInt("a", value));
  EXPECT_FALSE(With("a").ReadInt("a", value)) << "a key at the very end has no value";
  EXPECT_EQ(value, 9);
}

TEST_F(DataFileTest, FilesUpToOneByteUnderTheLimitAreRead) {
  // Far beyond the 20000 bytes older versions allowed.
  const std::string big = "a = 1;" + std::string(kMaxDataFileSize - 1 - 6, ' ');
  ASSERT_TRUE(file.OpenForReading(folder.Write("big", big)));
  EXPECT_EQ(file.Text().size(), kMaxDataFileSize - 1);
  int32_t value = 0;
  EXPECT_TRUE(file.ReadInt("a", value));
  EXPECT_EQ(value, 1);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DataFileTest, AFileAtTheLimitIsRefusedWithTheSizeMessage) {
  EXPECT_FALSE(file.OpenForReading(folder.Write("huge", std::string(kMaxDataFileSize, 'x'))));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "INPUT STREAM LARGER THAN MAXIMUM DATA FILE SIZE!\n" + folder.String() + "/huge");
  EXPECT_EQ(messages.shown[0].caption, "ERROR");
}

TEST_F(DataFileTest, ANulByteFailsTheReadSilently) {
  EXPECT_FALSE(file.OpenForReading(folder.Write("nul", std::string("a\0 = 1;", 7))));
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DataFileTest, OnlyRegularFilesAreRead) {
  EXPECT_FALSE(file.OpenForReading(folder.String() + "/missing"));
  EXPECT_FALSE(file.OpenForReading(folder.String()));
  // A pipe with no writer would block an ordinary open for good.
  const std::string pipe = folder.String() + "/pipe.user";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_FALSE(file.OpenForReading(pipe));
  // A link to a regular file reads as that file.
  std::filesystem::create_symlink("one", folder.Path() / "link");
  folder.Write("one", "a = 1;");
  EXPECT_TRUE(file.OpenForReading(folder.String() + "/link"));
  EXPECT_EQ(file.Text(), "a = 1;");
  EXPECT_TRUE(file.OpenForReading(folder.Write("empty", "")));
  EXPECT_EQ(file.Text(), "");
}

TEST_F(DataFileTest, EachOpenForgetsThePreviousFile) {
  ASSERT_TRUE(file.OpenForReading(folder.Write("one", "a = 1;")));
  EXPECT_FALSE(file.OpenForReading(folder.String() + "/missing"));
  int32_t value = 0;
  EXPECT_FALSE(file.ReadInt("a", value));
  ASSERT_TRUE(file.OpenForReading(folder.Write("two", "b = 2;")));
  EXPECT_FALSE(file.ReadInt("a", value));
  EXPECT_TRUE(file.ReadInt("b", value));
}

std::string SeedText(int count, std::string_view separator = "") {
  std::string text;
  for (int i = 0; i < count; ++i) text += std::string(separator) + std::to_string(i * 3 - 5) + ",";
  return text;
}

TEST_F(DataFileTest, IntListReadsAThousandCommaTerminatedValues) {
  std::array<int32_t, kSeedsPerFile> values{};
  EXPECT_TRUE(With(SeedText(1000, "\r\n ")).ReadIntList(values));
  EXPECT_EQ(values[0], -5);
  EXPECT_EQ(values[999], 999 * 3 - 5);
  // A token of exactly ten characters, white space included, is read.
  std::string text = SeedText(999) + "\n\n12345678,";
  EXPECT_TRUE(With(text).ReadIntList(values));
  EXPECT_EQ(values[999], 12345678);
}

TEST_F(DataFileTest, IntListFailsOnShortListsLongTokensAndLongFiles) {
  std::array<int32_t, kSeedsPerFile> values{};
  values.fill(42);
  EXPECT_FALSE(With(SeedText(999)).ReadIntList(values));
  EXPECT_FALSE(With(SeedText(999) + "999").ReadIntList(values)) << "the last value needs its comma";
  EXPECT_FALSE(With(SeedText(999) + "12345678901,").ReadIntList(values));
  EXPECT_EQ(values[0], 42) << "a failed list writes nothing";

  std::string padded = SeedText(1000);
  padded += std::string(kMaxSeedFileSize - padded.size(), '\n');
  EXPECT_FALSE(With(padded).ReadIntList(values));
  padded.pop_back();
  EXPECT_TRUE(With(padded).ReadIntList(values));
}

TEST_F(DataFileTest, ARefusedWriteLeavesTheOldFileAsItWas) {
  const std::string path = folder.Write("out.user", "old");
  ASSERT_TRUE(file.OpenForWriting(path));
  EXPECT_FALSE(file.WriteText(""));
  EXPECT_EQ(folder.Read("out.user"), "old");

  // The message waits on the player: its replacement is already gone.
  std::vector<std::string> whileShown;
  messages.whileShown = [&] { whileShown = folder.List(""); };
  ASSERT_TRUE(file.OpenForWriting(path));
  EXPECT_FALSE(file.WriteText(std::string(kMaxDataFileSize, 'x')));
  EXPECT_EQ(whileShown, std::vector<std::string>{"out.user"});
  EXPECT_EQ(folder.Read("out.user"), "old");
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "OUTPUT STREAM LARGER THAN MAXIMUM DATA FILE SIZE!\n" + path);
  EXPECT_EQ(messages.shown[0].caption, "ERROR");
  EXPECT_EQ(folder.List(""), std::vector<std::string>{"out.user"});

  ASSERT_TRUE(file.OpenForWriting(path));
  EXPECT_TRUE(file.WriteText(std::string(kMaxDataFileSize - 1, 'x')));
}

TEST_F(DataFileTest, AnUnfinishedReplacementIsAbandoned) {
  const std::string path = folder.Write("out.user", "old");
  {
    DataFile writer(messages);
    ASSERT_TRUE(writer.OpenForWriting(path));
  }
  EXPECT_EQ(folder.Read("out.user"), "old");
  EXPECT_EQ(folder.List(""), std::vector<std::string>{"out.user"});
}

TEST_F(DataFileTest, ReadOnlyFilesAndFoldersCannotBeReplaced) {
  const std::string path = folder.Write("locked.user", "old");
  std::filesystem::permissions(path, std::filesystem::perms::owner_read);
  EXPECT_FALSE(file.OpenForWriting(path));
  EXPECT_EQ(folder.Read("locked.user"), "old");

  std::filesystem::create_directory(folder.Path() / "dir.user");
  EXPECT_FALSE(file.OpenForWriting(folder.String() + "/dir.user"));
  EXPECT_FALSE(file.OpenForWriting(folder.String() + "/missing/x.user"));
  const std::string pipe = folder.String() + "/pipe.user";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_FALSE(file.OpenForWriting(pipe));
  EXPECT_EQ(folder.List(""), (std::vector<std::string>{"dir.user", "locked.user", "pipe.user"}));
}

// A save replaces the file's text and nothing else: its permission bits stay,
// and a link stays a link, its target holding the new text. The new text is
// written beside the target under a fresh name; whatever stands at a name
// from an earlier scheme (here a link to another file) is not followed.
TEST_F(DataFileTest, ASaveKeepsTheModeAndWritesThroughALink) {
  namespace fs = std::filesystem;
  const std::string path = folder.Write("users/Ann.user", "old");
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);  // 0640
  const std::string victim = folder.Write("victim", "keep");
  fs::create_symlink("../victim", folder.Path() / "users/Ann.user.tmp");
  ASSERT_TRUE(file.OpenForWriting(path));
  ASSERT_TRUE(file.WriteText("new"));
  EXPECT_EQ(folder.Read("users/Ann.user"), "new");
  EXPECT_EQ(fs::status(path).permissions() & fs::perms::mask, static_cast<fs::perms>(0640));
  EXPECT_EQ(folder.Read("victim"), "keep");

  // Bea's file is a relative link into another folder.
  const std::string target = folder.Write("elsewhere/bea-data", "old");
  fs::permissions(target, static_cast<fs::perms>(0640));
  const fs::path link = folder.Path() / "users/Bea.user";
  fs::create_symlink("../elsewhere/bea-data", link);
  ASSERT_TRUE(file.OpenForWriting(link.string()));
  ASSERT_TRUE(file.WriteText("new text"));
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(link)));
  EXPECT_EQ(fs::read_symlink(link), "../elsewhere/bea-data");
  EXPECT_EQ(folder.Read("elsewhere/bea-data"), "new text");
  EXPECT_EQ(fs::status(target).permissions() & fs::perms::mask, static_cast<fs::perms>(0640));
  EXPECT_EQ(folder.List("elsewhere"), std::vector<std::string>{"bea-data"}) << "no temporary file is left";
  EXPECT_EQ(folder.List("users"), (std::vector<std::string>{"Ann.user", "Ann.user.tmp", "Bea.user"}));
}

// A write that fails half-way (here the file-size limit of the process)
// leaves the old file as it was and removes the unfinished one.
TEST_F(DataFileTest, AWriteThatFailsKeepsTheOldFileAndRemovesTheNewOne) {
  const std::string path = folder.Write("out.user", "old");
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{10, 10};
    setrlimit(RLIMIT_FSIZE, &limit);
    DataFile writer(messages);
    const bool opened = writer.OpenForWriting(path);
    const bool written = writer.WriteText(std::string(1000, 'x'));
    _exit(opened && !written ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(folder.Read("out.user"), "old");
  EXPECT_EQ(folder.List(""), std::vector<std::string>{"out.user"});
}

TEST_F(DataFileTest, AppendTextWritesLineFeedsAsCrLfAndKeepsTheStreamOpen) {
  const std::string path = folder.Write("log.txt", "from an earlier run");
  ASSERT_TRUE(file.OpenForAppending(path));
  EXPECT_TRUE(file.AppendText("a\nb"));
  EXPECT_TRUE(file.AppendText(""));
  EXPECT_TRUE(file.AppendText("\n"));
  EXPECT_EQ(folder.Read("log.txt"), "a\r\nb\r\n") << "written through at once, the earlier run's text gone";
  file.CloseOutput();
  EXPECT_FALSE(file.AppendText("late"));
}

}  // namespace
}  // namespace velmora
