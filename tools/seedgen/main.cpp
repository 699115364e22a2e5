// velmora-seedgen: makes and checks the seed tables of the Hard and Expert
// puzzles. Each entry is the first preparation seed whose hidden tiles the
// solver accepts for the solution of that creation seed, so the tables are
// fully determined by the game's own fill, hide and solve.
//
//   velmora-seedgen generate DIR [--jobs N]   write the 100 seed files into DIR
//   velmora-seedgen check DIR [--first] [--sample N] [--jobs N]
//       confirm every entry (or N random ones) is accepted; with --first also
//       that no smaller seed is, i.e. that the entry is the one generate makes.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "arguments.h"
#include "prepare_seed_search.h"
#include "seed_tables.h"

namespace {

using namespace velmora;
using velmora::tools::LooksLikeOption;
using velmora::tools::ParseWholeNumber;

constexpr int kDifficulties[] = {kDifficultyHard, kDifficultyExpert};
constexpr int kNumbersPerLine = 20;
constexpr int32_t kSearchLimit = 1 << 30;

// The usage text on stderr, after the problem when there is one; status 2.
int Usage(const std::string& problem = {}) {
  if (!problem.empty()) std::fprintf(stderr, "velmora-seedgen: %s\n", problem.c_str());
  std::fputs(
      "usage: velmora-seedgen generate DIR [--jobs N]\n"
      "       velmora-seedgen check DIR [--first] [--sample N] [--jobs N]\n",
      stderr);
  return 2;
}

class StderrMessages : public SystemMessageBox {
 public:
  void Show(std::string_view text, std::string_view caption) override { std::cerr << caption << ": " << text << "\n"; }
};

// Runs work(job) for job 0..jobs-1 in child processes (the random source is one
// per process) and returns true when all of them succeed.
template <typename Work>
bool RunInProcesses(int jobs, Work work) {
  std::vector<pid_t> children;
  for (int job = 0; job < jobs; ++job) {
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) std::_Exit(work(job) ? 0 : 1);
    if (pid < 0) return false;
    children.push_back(pid);
  }
  bool ok = true;
  for (pid_t child : children) {
    int status = 0;
    waitpid(child, &status, 0);
    ok = ok && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }
  return ok;
}

bool WriteSeedFile(const std::string& path, const std::vector<int32_t>& values) {
  const std::string temporary = path + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    for (size_t i = 0; i < values.size(); ++i) {
      out << values[i] << ',';
      if ((i + 1) % kNumbersPerLine == 0) out << '\n';
    }
    out.flush();
    if (!out) return false;
  }
  return std::rename(temporary.c_str(), path.c_str()) == 0;
}

// One job makes every file whose index (over both difficulties) falls to it.
bool GenerateFiles(const std::string& folder, int job, int jobs) {
  PrepareSeedSearch search;
  int index = 0;
  for (int difficulty : kDifficulties) {
    for (int file = 1; file <= SeedTables::kFilesPerDifficulty; ++file, ++index) {
      if (index % jobs != job) continue;
      const int number = file * SeedTables::kSlotsPerFile;
      std::vector<int32_t> values;
      for (int creationSeed = number - SeedTables::kSlotsPerFile; creationSeed < number; ++creationSeed) {
        if (!search.Fill(creationSeed)) {
          std::fprintf(stderr, "creation seed %d does not fill\n", creationSeed);
          return false;
        }
        const int32_t seed = search.FirstAccepted(difficulty, kSearchLimit);
        if (seed < 0) return false;
        values.push_back(seed);
      }
      if (!WriteSeedFile(folder + SeedTables::SeedFileName(difficulty, number), values)) {
        std::fprintf(stderr, "cannot write %s\n", SeedTables::SeedFileName(difficulty, number).c_str());
        return false;
      }
    }
  }
  return true;
}

struct Entry {
  int difficulty;
  int creationSeed;
};

bool CheckEntries(const SeedTables& tables, const std::vector<Entry>& entries, bool first, int job, int jobs) {
  PrepareSeedSearch search;
  bool ok = true;
  for (size_t i = static_cast<size_t>(job); i < entries.size(); i += static_cast<size_t>(jobs)) {
    const auto [difficulty, creationSeed] = entries[i];
    const int32_t seed = tables.PrepareSeedFor(difficulty, creationSeed);
    const bool filled = search.Fill(creationSeed);
    const bool accepted = filled && seed >= 0 && search.Accepts(difficulty, seed);
    const bool isFirst = !first || (accepted && search.FirstAccepted(difficulty, seed) == -1);
    if (!accepted || !isFirst) {
      std::printf("difficulty %d creation seed %d: entry %d %s\n", difficulty, creationSeed, seed,
                  accepted ? "is not the first accepted seed" : "is not accepted");
      ok = false;
    }
  }
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  const std::string mode = argv[1];
  std::string folder = argv[2];
  // An empty name is no folder (and must not become "/").
  if (folder.empty()) return Usage("DIR is empty: name the folder of the seed files");
  if (LooksLikeOption(folder)) return Usage("DIR must come before the options (found " + folder + ")");
  if (folder.back() != '/') folder += '/';
  int jobs = 2, sample = 0;
  bool first = false;
  for (int i = 3; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--jobs" && i + 1 < argc) {
      const auto value = ParseWholeNumber(argv[++i], 1, 64);
      if (!value) return Usage("--jobs must be a whole number from 1 to 64");
      jobs = static_cast<int>(*value);
    } else if (arg == "--sample" && i + 1 < argc) {
      const auto value = ParseWholeNumber(argv[++i], 0, INT_MAX);
      if (!value) return Usage("--sample must be a whole number from 0 to " + std::to_string(INT_MAX));
      sample = static_cast<int>(*value);
    } else if (arg == "--first") {
      first = true;
    } else {
      return Usage();
    }
  }

  const auto start = std::chrono::steady_clock::now();
  auto seconds = [&start] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(); };

  if (mode == "generate") {
    if (!RunInProcesses(jobs, [&](int job) { return GenerateFiles(folder, job, jobs); })) {
      std::fprintf(stderr, "seed generation failed\n");
      return 1;
    }
    std::printf("wrote 100 seed files to %s in %.1f s\n", folder.c_str(), seconds());
    return 0;
  }
  if (mode != "check") return Usage();

  StderrMessages messages;
  SeedTables tables;
  const int files = tables.LoadFromFolder(folder, messages);
  if (files != 2 * SeedTables::kFilesPerDifficulty) {
    std::printf("only %d of 100 seed files could be read from %s\n", files, folder.c_str());
    return 1;
  }
  std::vector<Entry> entries;
  for (int difficulty : kDifficulties)
    for (int seed = 0; seed < SeedTables::kSlotsPerTable; ++seed) entries.push_back({difficulty, seed});
  if (sample > 0 && sample < static_cast<int>(entries.size())) {
    std::mt19937 random(static_cast<unsigned>(std::random_device{}()));
    std::shuffle(entries.begin(), entries.end(), random);
    entries.resize(static_cast<size_t>(sample));
  }
  const bool ok = RunInProcesses(jobs, [&](int job) { return CheckEntries(tables, entries, first, job, jobs); });
  std::printf("%s: %zu entries checked%s in %.1f s\n", ok ? "ok" : "FAILED", entries.size(),
              first ? " (each the first accepted seed)" : "", seconds());
  return ok ? 0 : 1;
}
