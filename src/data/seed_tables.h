#pragma once
// The preparation seeds of the Hard and Expert puzzles, one per creation seed,
// read from the seed files of a seeds folder. A slot whose file could not be
// read stays 0.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine_host.h"
#include "system_message_box.h"

namespace velmora {

class SeedTables : public PrepareSeedSource {
 public:
  // Files per difficulty and seeds per file; the file numbered N holds the
  // slots N - 1000 .. N - 1.
  static constexpr int kFilesPerDifficulty = 50;
  static constexpr int kSlotsPerFile = 1000;
  static constexpr int kSlotsPerTable = kFilesPerDifficulty * kSlotsPerFile;
  static constexpr int kFirstDifficulty = 2;  // Hard
  static constexpr int kLastDifficulty = 3;   // Expert

  SeedTables();

  // Reads every seed file of the folder (a path ending in '/') into freshly
  // zeroed tables. Returns the number of files read, 0..100. Each file that
  // could not be read is named to note (a missing folder once, as a whole).
  // Only regular files are read: a pipe in a file's place is passed over.
  int LoadFromFolder(const std::string& seedsFolder, SystemMessageBox& messages,
                     const std::function<void(std::string_view)>& note = {});

  // 0 for Easy and Medium, the table slot for Hard and Expert (0 when the
  // creation seed lies outside 0..49999), -1 for any other difficulty.
  int32_t PrepareSeedFor(int difficulty, int creationSeed) const override;

  // "0000001000d2.seed" for difficulty 2 and file number 1000.
  static std::string SeedFileName(int difficulty, int fileNumber);

  void Clear();

 private:
  std::vector<int32_t>& TableFor(int difficulty);

  std::vector<int32_t> hard_;
  std::vector<int32_t> expert_;
};

}  // namespace velmora
