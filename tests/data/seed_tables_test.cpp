#include "seed_tables.h"

#include <gtest/gtest.h>

#include <string>

#include "data_test_support.h"

namespace velmora {
namespace {

using testing::RecordingMessageBox;
using testing::TempFolder;

// The seed file numbered `number` of a difficulty, each value telling its slot.
std::string SeedFileText(int difficulty, int number) {
  std::string text;
  for (int slot = number - 1000; slot < number; ++slot)
    text += "\r\n" + std::to_string(difficulty * 100000 + slot) + ",";
  return text;
}

class SeedTablesTest : public ::testing::Test {
 protected:
  void WriteSeedFile(int difficulty, int number) {
    folder.Write("seeds/" + SeedTables::SeedFileName(difficulty, number), SeedFileText(difficulty, number));
  }
  int Load() { return tables.LoadFromFolder(folder.String() + "/seeds/", messages); }

  RecordingMessageBox messages;
  TempFolder folder;
  SeedTables tables;
};

TEST_F(SeedTablesTest, SlotFifteenHundredOfExpertIsInTheSecondFile) {
  WriteSeedFile(3, 2000);
  EXPECT_EQ(Load(), 1);
  EXPECT_EQ(tables.PrepareSeedFor(3, 1500), 300000 + 1500) << "the 501st value of 0000002000d3.seed";
  EXPECT_EQ(tables.PrepareSeedFor(3, 1000), 301000);
  EXPECT_EQ(tables.PrepareSeedFor(3, 1999), 301999);
  EXPECT_EQ(tables.PrepareSeedFor(3, 999), 0) << "its file was not there";
  EXPECT_EQ(tables.PrepareSeedFor(2, 1500), 0) << "the other difficulty's file was not there";
  // Easy and Medium need no seed; other difficulties and seeds have none.
  EXPECT_EQ(tables.PrepareSeedFor(0, 5), 0);
  EXPECT_EQ(tables.PrepareSeedFor(1, 5), 0);
  EXPECT_EQ(tables.PrepareSeedFor(4, 5), -1);
  EXPECT_EQ(tables.PrepareSeedFor(-1, 5), -1);
  EXPECT_EQ(tables.PrepareSeedFor(3, 50000), 0);
  EXPECT_EQ(tables.PrepareSeedFor(3, -1), 0);
}

TEST_F(SeedTablesTest, AFullFolderFillsBothTables) {
  for (int difficulty = 2; difficulty <= 3; ++difficulty)
    for (int number = 1000; number <= 50000; number += 1000) WriteSeedFile(difficulty, number);
  EXPECT_EQ(Load(), 100);
  EXPECT_EQ(tables.PrepareSeedFor(2, 0), 200000);
  EXPECT_EQ(tables.PrepareSeedFor(2, 49999), 249999);
  EXPECT_EQ(tables.PrepareSeedFor(3, 49999), 349999);
}

TEST_F(SeedTablesTest, ABrokenFileIsSkippedAndTheOthersStillLoad) {
  WriteSeedFile(2, 1000);
  std::string shortList = SeedFileText(2, 2000);
  shortList.pop_back();  // the last value loses its comma
  folder.Write("seeds/" + SeedTables::SeedFileName(2, 2000), shortList);
  WriteSeedFile(2, 3000);
  EXPECT_EQ(Load(), 2);
  EXPECT_EQ(tables.PrepareSeedFor(2, 999), 200999);
  EXPECT_EQ(tables.PrepareSeedFor(2, 1000), 0);
  EXPECT_EQ(tables.PrepareSeedFor(2, 2000), 202000);
}

TEST_F(SeedTablesTest, LoadingAgainForgetsTheEarlierFolder) {
  WriteSeedFile(2, 1000);
  ASSERT_EQ(Load(), 1);
  std::filesystem::remove_all(folder.Path() / "seeds");
  EXPECT_EQ(Load(), 0);
  EXPECT_EQ(tables.PrepareSeedFor(2, 5), 0);
}

}  // namespace
}  // namespace velmora
