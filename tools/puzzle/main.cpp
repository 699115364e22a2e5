// velmora-puzzle: builds a puzzle from a Puzzle Code or from a seedCreate
// counter and prints it, for scripts, tests and players who want to look.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "arguments.h"
#include "board.h"
#include "booklet.h"
#include "engine_host.h"
#include "hints.h"
#include "logic_solver.h"
#include "puzzle_builder.h"
#include "puzzle_code.h"
#include "seed_tables.h"
#include "tool_support.h"

namespace {

using namespace velmora;
using velmora::puzzle_tool::SeedSource;
using velmora::puzzle_tool::ToolHost;
using velmora::tools::LooksLikeOption;
using velmora::tools::ParseWholeNumber;

constexpr int kExitUsage = 2;
constexpr int kExitBuildFailed = 3;

const char* kUsage =
    "usage: velmora-puzzle CODE [--seeds DIR]\n"
    "       velmora-puzzle --counter N --type T --difficulty D [--seeds DIR]\n"
    "       velmora-puzzle --hint CODE [--seeds DIR]\n"
    "  CODE  a Puzzle Code such as AB007 (type letter A-C, difficulty letter A-D, seed 0-49999)\n"
    "  T     game type: 0 Normal, 1 Payback, 2 Blackout\n"
    "  D     difficulty: 0 Easy, 1 Medium, 2 Hard, 3 Expert\n"
    "  DIR   folder of the Hard and Expert seed files (without it every entry is 0)\n";

const char* kMoreUsage =
    "\n"
    "       velmora-puzzle --booklet FILE.pdf --type T --difficulty D [--counter C] [--count N]\n"
    "                      [--per-page P] [--solutions] [--paper a4|letter] [--seeds DIR]\n"
    "       velmora-puzzle --booklet FILE.pdf CODE... [--per-page P] [--solutions] [--paper a4|letter]\n"
    "  writes a PDF booklet of N puzzles (1..100, default 6) from the seedCreate counter C (default 0),\n"
    "  or of the puzzles of the codes given, P to a page (1, 2, 4 or 6, default 4), with their\n"
    "  solutions at the end on request, on the locale's paper unless --paper says otherwise.\n"
    "\n"
    "Exit status: 0 done, 2 bad arguments or an invalid code, 3 the build failed,\n"
    "1 the booklet could not be written. See velmora-puzzle(6).\n";

struct Options {
  std::string code;
  bool hint = false;
  bool fromCounter = false;
  int64_t counter = -1;
  int type = -1;
  int difficulty = -1;
  std::string seedsFolder;
};

std::optional<Options> ParseArguments(int argc, char** argv) {
  Options options;
  bool haveCode = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    // An option followed by another option has lost its value.
    const bool hasValue = i + 1 < argc && !LooksLikeOption(argv[i + 1]);
    if (arg == "--seeds" && hasValue) {
      options.seedsFolder = argv[++i];
      // An empty folder name names no folder at all.
      if (options.seedsFolder.empty()) return std::nullopt;
    } else if (arg == "--hint" && hasValue && !haveCode) {
      options.hint = true;
      options.code = argv[++i];
      haveCode = true;
    } else if (arg == "--counter" && hasValue) {
      const auto value = ParseWholeNumber(argv[++i], 0, UINT32_MAX);
      if (!value) return std::nullopt;
      options.counter = *value;
      options.fromCounter = true;
    } else if (arg == "--type" && hasValue) {
      const auto value = ParseWholeNumber(argv[++i], 0, 2);
      if (!value) return std::nullopt;
      options.type = static_cast<int>(*value);
    } else if (arg == "--difficulty" && hasValue) {
      const auto value = ParseWholeNumber(argv[++i], 0, 3);
      if (!value) return std::nullopt;
      options.difficulty = static_cast<int>(*value);
    } else if (!arg.empty() && arg[0] != '-' && !haveCode) {
      options.code = std::string(arg);
      haveCode = true;
    } else {
      return std::nullopt;
    }
  }
  if (options.fromCounter) {
    if (haveCode || options.type < 0 || options.difficulty < 0) return std::nullopt;
  } else if (!haveCode || options.type >= 0 || options.difficulty >= 0) {
    return std::nullopt;
  }
  return options;
}

void PrintBoard(const Board& board, bool puzzleView) {
  for (int r = 0; r < 9; ++r) {
    std::string line;
    for (int c = 0; c < 9; ++c)
      line += (puzzleView && board.IsHidden(r, c)) ? '.' : static_cast<char>('1' + board.TypeAt(r, c));
    std::printf("%s\n", line.c_str());
  }
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      std::fputs(kMoreUsage, stdout);
      return 0;
    }
    if (arg == "--version") {
      std::printf("velmora-puzzle %s\n", VELMORA_VERSION);
      return 0;
    }
  }
  if (velmora::puzzle_tool::WantsBooklet(argc, argv)) return velmora::puzzle_tool::RunBooklet(argc, argv);
  const auto parsed = ParseArguments(argc, argv);
  if (!parsed) {
    std::fputs(kUsage, stderr);
    return kExitUsage;
  }
  const Options& options = *parsed;

  SeedSource seedSource;
  if (!seedSource.Load(options.seedsFolder)) return kExitUsage;
  const PrepareSeedSource* seeds = &seedSource.Seeds();

  BuildSettings settings;
  if (options.fromCounter) {
    settings.typeIndex = options.type;
    settings.difficultyIndex = options.difficulty;
    settings.seedCreate = static_cast<uint32_t>(options.counter);
  } else {
    DecodedPuzzleCode decoded;
    if (!DecodePuzzleCode(options.code, decoded)) {
      std::fprintf(stderr, "velmora-puzzle: not a valid Puzzle Code: %s\n", options.code.c_str());
      return kExitUsage;
    }
    settings.puzzleCode = options.code;
    settings.difficultyIndex = decoded.difficultyIndex;
  }
  ApplyDifficultyParameters(settings, settings.difficultyIndex);

  Board board;
  LogicSolver solver;
  ToolHost host;
  PuzzleBuilder builder(board, solver, settings, host, *seeds);
  if (!builder.StartBuild()) {
    std::fprintf(stderr, "%s\n", host.failure.empty() ? "The puzzle could not be built." : host.failure.c_str());
    return kExitBuildFailed;
  }

  if (options.hint) {
    std::printf("%s\n", HintSentence(FindHint(board), host).c_str());
    return 0;
  }
  std::printf("code %s\n", options.fromCounter ? CurrentPuzzleCode(settings).c_str() : options.code.c_str());
  std::printf("seedPrepare %d\n", settings.seedPrepare);
  PrintBoard(board, false);
  PrintBoard(board, true);
  if (options.fromCounter) std::printf("counter %u\n", settings.seedCreate);
  return 0;
}
