#include "seed_tables.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "data_file.h"
#include "data_texts.h"

namespace velmora {

static_assert(SeedTables::kSlotsPerFile == static_cast<int>(kSeedsPerFile));

SeedTables::SeedTables() : hard_(kSlotsPerTable, 0), expert_(kSlotsPerTable, 0) {}

void SeedTables::Clear() {
  std::fill(hard_.begin(), hard_.end(), 0);
  std::fill(expert_.begin(), expert_.end(), 0);
}

std::vector<int32_t>& SeedTables::TableFor(int difficulty) { return difficulty == kFirstDifficulty ? hard_ : expert_; }

std::string SeedTables::SeedFileName(int difficulty, int fileNumber) {
  char name[32];
  std::snprintf(name, sizeof name, "%010dd%d.seed", fileNumber, difficulty);
  return name;
}

int SeedTables::LoadFromFolder(const std::string& seedsFolder, SystemMessageBox& messages,
                               const std::function<void(std::string_view)>& note) {
  Clear();
  std::error_code error;
  const bool folderExists = std::filesystem::is_directory(seedsFolder, error);
  if (!folderExists && note) note(texts::kSeedFileOpenFailed + seedsFolder);
  DataFile file(messages);
  int filesRead = 0;
  std::array<int32_t, kSeedsPerFile> seeds{};
  for (int difficulty = kFirstDifficulty; difficulty <= kLastDifficulty; ++difficulty) {
    std::vector<int32_t>& table = TableFor(difficulty);
    for (int number = kSlotsPerFile; number <= kSlotsPerTable; number += kSlotsPerFile) {
      const std::string path = seedsFolder + SeedFileName(difficulty, number);
      const bool read = file.OpenForReading(path) && file.ReadIntList(seeds);
      // Closed whatever happened, so that each file is read on its own.
      file.CloseInput();
      if (!read) {
        if (folderExists && note) note(texts::kSeedFileOpenFailed + path);
        continue;
      }
      std::copy(seeds.begin(), seeds.end(), table.begin() + (number - kSlotsPerFile));
      ++filesRead;
    }
  }
  return filesRead;
}

int32_t SeedTables::PrepareSeedFor(int difficulty, int creationSeed) const {
  if (difficulty == 0 || difficulty == 1) return 0;
  if (difficulty != kFirstDifficulty && difficulty != kLastDifficulty) return -1;
  if (creationSeed < 0 || creationSeed >= kSlotsPerTable) return 0;
  const std::vector<int32_t>& table = difficulty == kFirstDifficulty ? hard_ : expert_;
  return table[static_cast<size_t>(creationSeed)];
}

}  // namespace velmora
