#include "booklet.h"

#include <langinfo.h>
#include <locale.h>
#include <sys/stat.h>

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "arguments.h"
#include "board.h"
#include "engine_host.h"
#include "logic_solver.h"
#include "puzzle_builder.h"
#include "puzzle_code.h"
#include "puzzle_sheet.h"
#include "seed_tables.h"
#include "tool_support.h"

namespace velmora::puzzle_tool {

namespace {

using velmora::tools::LooksLikeOption;
using velmora::tools::ParseWholeNumber;

constexpr int kExitWriteFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kExitBuildFailed = 3;
constexpr int kMaxPuzzles = 100;

const char* kBookletUsage =
    "usage: velmora-puzzle --booklet FILE.pdf --type T --difficulty D [--counter C] [--count N]\n"
    "                      [--per-page P] [--solutions] [--paper a4|letter] [--seeds DIR]\n"
    "       velmora-puzzle --booklet FILE.pdf CODE... [--per-page P] [--solutions] [--paper a4|letter]\n"
    "                      [--seeds DIR]\n"
    "  N  puzzles in the booklet, 1..100 (default 6); C  the seedCreate counter to start at (default 0)\n"
    "  P  puzzles per page: 1, 2, 4 or 6 (default 4)\n";

struct BookletOptions {
  std::string file;
  int type = -1;
  int difficulty = -1;
  std::optional<int64_t> counter;
  std::optional<int64_t> count;
  std::vector<std::string> codes;
  int perPage = 4;
  bool solutions = false;
  std::optional<QPageSize::PageSizeId> paper;
  std::string seedsFolder;
};

struct BookletPuzzle {
  std::string code;
  std::array<char, 81> solution{};  // '1'..'9'
  std::array<bool, 81> given{};
};

int Usage(const std::string& problem) {
  std::fprintf(stderr, "velmora-puzzle: %s\n%s", problem.c_str(), kBookletUsage);
  return kExitUsage;
}

// Returns an error text, or nothing when the options are complete and consistent.
std::optional<std::string> ParseBookletArguments(int argc, char** argv, BookletOptions& options) {
  bool haveFile = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool hasValue = i + 1 < argc;
    auto number = [&](int64_t low, int64_t high) { return ParseWholeNumber(argv[++i], low, high); };
    if (arg == "--booklet") {
      if (!hasValue || haveFile) return "--booklet needs one output file name";
      if (LooksLikeOption(argv[i + 1]))
        return "--booklet needs one output file name, not the option " + std::string(argv[i + 1]) +
               " (for a file of that name, write ./" + argv[i + 1] + ")";
      options.file = argv[++i];
      haveFile = true;
      if (options.file.empty()) return "--booklet needs one output file name";
    } else if (arg == "--type") {
      if (!hasValue) return "--type needs a value";
      const auto v = number(0, 2);
      if (!v) return "--type must be 0 (Normal), 1 (Payback) or 2 (Blackout)";
      options.type = static_cast<int>(*v);
    } else if (arg == "--difficulty") {
      if (!hasValue) return "--difficulty needs a value";
      const auto v = number(0, 3);
      if (!v) return "--difficulty must be 0 (Easy), 1 (Medium), 2 (Hard) or 3 (Expert)";
      options.difficulty = static_cast<int>(*v);
    } else if (arg == "--counter") {
      if (!hasValue) return "--counter needs a value";
      options.counter = number(0, UINT32_MAX);
      if (!options.counter) return "--counter must be a whole number from 0 to 4294967295";
    } else if (arg == "--count") {
      if (!hasValue) return "--count needs a value";
      options.count = number(1, kMaxPuzzles);
      if (!options.count) return "--count must be a whole number from 1 to 100";
    } else if (arg == "--per-page") {
      if (!hasValue) return "--per-page needs a value";
      const auto v = number(1, 6);
      if (!v || (*v != 1 && *v != 2 && *v != 4 && *v != 6)) return "--per-page must be 1, 2, 4 or 6";
      options.perPage = static_cast<int>(*v);
    } else if (arg == "--solutions") {
      options.solutions = true;
    } else if (arg == "--paper") {
      if (!hasValue) return "--paper needs a value";
      const std::string_view paper = argv[++i];
      if (paper == "a4" || paper == "A4") {
        options.paper = QPageSize::A4;
      } else if (paper == "letter" || paper == "Letter") {
        options.paper = QPageSize::Letter;
      } else {
        return "--paper must be a4 or letter";
      }
    } else if (arg == "--seeds") {
      if (!hasValue || LooksLikeOption(argv[i + 1])) return "--seeds needs a folder";
      options.seedsFolder = argv[++i];
      // An empty folder name names no folder at all.
      if (options.seedsFolder.empty()) return "--seeds needs a folder";
    } else if (!arg.empty() && arg[0] != '-') {
      if (!IsValidPuzzleCode(arg) || arg.size() > 7) return "not a valid Puzzle Code: " + std::string(arg);
      options.codes.emplace_back(arg);
    } else {
      return "unknown option for a booklet: " + std::string(arg);
    }
  }
  if (!haveFile) return "--booklet needs one output file name";
  if (!options.codes.empty()) {
    if (options.type >= 0 || options.difficulty >= 0 || options.counter || options.count)
      return "give either Puzzle Codes or --type and --difficulty (with --counter and --count), not both";
    if (options.codes.size() > kMaxPuzzles) return "a booklet holds at most 100 puzzles";
  } else if (options.type < 0 || options.difficulty < 0) {
    return "a booklet needs Puzzle Codes or both --type and --difficulty";
  }
  const QFileInfo target(QString::fromStdString(options.file));
  if (target.isDir()) return "the booklet file is a folder: " + options.file;
  // The finished booklet is renamed over the name, so whatever is there already
  // must be a regular file (or a link to one, written through): a pipe or a
  // device such as /dev/null would otherwise be replaced by a plain file.
  struct stat status {};
  if (lstat(options.file.c_str(), &status) == 0) {
    if (stat(options.file.c_str(), &status) != 0) return "the booklet file is a link to nothing: " + options.file;
    if (!S_ISREG(status.st_mode)) return "the booklet file is not a regular file: " + options.file;
  }
  const QFileInfo folder(target.absolutePath());
  if (!folder.isDir() || !folder.isWritable()) return "cannot write into the folder of " + options.file;
  return std::nullopt;
}

// Builds one puzzle; false with the builder's own failure text when it cannot be built.
bool BuildPuzzle(BuildSettings& settings, const PrepareSeedSource& seeds, BookletPuzzle& out, std::string& failure) {
  ApplyDifficultyParameters(settings, settings.difficultyIndex);
  Board board;
  LogicSolver solver;
  ToolHost host;
  PuzzleBuilder builder(board, solver, settings, host, seeds);
  if (!builder.StartBuild()) {
    failure = host.failure.empty() ? "The puzzle could not be built." : host.failure;
    return false;
  }
  out.code = CurrentPuzzleCode(settings);
  for (int r = 0; r < 9; ++r) {
    for (int c = 0; c < 9; ++c) {
      out.solution[r * 9 + c] = static_cast<char>('1' + board.TypeAt(r, c));
      out.given[r * 9 + c] = !board.IsHidden(r, c);
    }
  }
  return true;
}

// The paper of the locale (LC_PAPER): Letter where the locale says 216 x 279 mm,
// A4 everywhere else.
QPageSize::PageSizeId LocalePaper() {
  setlocale(LC_PAPER, "");
  union {
    char* text;
    unsigned int number;
  } width{}, height{};
  width.text = nl_langinfo(_NL_PAPER_WIDTH);
  height.text = nl_langinfo(_NL_PAPER_HEIGHT);
  const bool letter = width.number == 216 && height.number == 279;
  setlocale(LC_PAPER, "C");
  return letter ? QPageSize::Letter : QPageSize::A4;
}

// One puzzle as the shared sheet drawing takes it: its givens alone, or every
// tile with the givens in bold for the solutions.
SheetPuzzle ToSheet(const BookletPuzzle& puzzle, bool solution) {
  SheetPuzzle sheet;
  for (int i = 0; i < 81; ++i) sheet.digits[i] = (solution || puzzle.given[i]) ? puzzle.solution[i] : 0;
  sheet.given = puzzle.given;
  sheet.label = QStringLiteral("Puzzle %1").arg(QString::fromStdString(puzzle.code));
  return sheet;
}

bool WriteBooklet(const BookletOptions& options, const std::vector<BookletPuzzle>& puzzles, QString& error) {
  const QString path = QString::fromStdString(options.file);
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    return false;
  }
  {
    QPdfWriter writer(&file);
    writer.setResolution(72);  // one unit is one point
    writer.setTitle(QStringLiteral("Velmora Sudoku puzzles"));
    writer.setCreator(QStringLiteral("velmora-puzzle " VELMORA_VERSION));
    writer.setPageLayout(QPageLayout(QPageSize(options.paper.value_or(LocalePaper())), QPageLayout::Portrait,
                                     QMarginsF(36, 36, 36, 36), QPageLayout::Point));
    QPainter p;
    if (!p.begin(&writer)) {
      file.cancelWriting();
      error = QStringLiteral("cannot start a PDF in %1").arg(path);
      return false;
    }
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF page = writer.pageLayout().paintRect(QPageLayout::Point);
    const QRectF area(0, 0, page.width(), page.height());
    const int columns = options.perPage >= 4 ? 2 : 1;
    const int rows = options.perPage / columns;
    const int sheets = static_cast<int>((puzzles.size() + options.perPage - 1) / options.perPage);
    const int totalPages = sheets * (options.solutions ? 2 : 1);
    QFont headFont(QStringLiteral("DejaVu Sans"));
    headFont.setPointSizeF(10);
    constexpr qreal kHead = 22;
    constexpr qreal kFoot = 16;

    int pageNumber = 0;
    for (int pass = 0; pass < (options.solutions ? 2 : 1); ++pass) {
      for (int sheet = 0; sheet < sheets; ++sheet) {
        if (pageNumber > 0 && !writer.newPage()) {
          p.end();
          file.cancelWriting();
          error = QStringLiteral("cannot add a page to %1").arg(path);
          return false;
        }
        ++pageNumber;
        p.setFont(headFont);
        p.setPen(QColor(0, 0, 0));
        p.drawText(QRectF(area.left(), area.top(), area.width(), kHead), Qt::AlignLeft | Qt::AlignTop,
                   pass == 0 ? QStringLiteral("Velmora Sudoku") : QStringLiteral("Velmora Sudoku - Solutions"));
        p.drawText(QRectF(area.left(), area.bottom() - kFoot, area.width(), kFoot), Qt::AlignHCenter | Qt::AlignBottom,
                   QStringLiteral("%1 / %2").arg(pageNumber).arg(totalPages));
        const QRectF body(area.left(), area.top() + kHead, area.width(), area.height() - kHead - kFoot);
        const qreal w = body.width() / columns;
        const qreal h = body.height() / rows;
        for (int k = 0; k < options.perPage; ++k) {
          const size_t index = static_cast<size_t>(sheet * options.perPage + k);
          if (index >= puzzles.size()) break;
          const QRectF cell(body.left() + (k % columns) * w, body.top() + (k / columns) * h, w, h);
          DrawSheetPuzzle(p, cell, ToSheet(puzzles[index], pass == 1), pass == 1);
        }
      }
    }
    if (!p.end()) {
      file.cancelWriting();
      error = QStringLiteral("cannot finish the PDF in %1").arg(path);
      return false;
    }
  }
  if (!file.commit()) {
    error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    return false;
  }
  return true;
}

}  // namespace

bool WantsBooklet(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::string_view(argv[i]) == "--booklet") return true;
  }
  return false;
}

int RunBooklet(int argc, char** argv) {
  BookletOptions options;
  if (const auto problem = ParseBookletArguments(argc, argv, options)) return Usage(*problem);

  SeedSource seedSource;
  if (!seedSource.Load(options.seedsFolder)) return kExitUsage;
  const PrepareSeedSource* seeds = &seedSource.Seeds();

  // Every puzzle is built before the file is opened, so a failed build leaves nothing behind.
  std::vector<BookletPuzzle> puzzles;
  std::string failure;
  if (options.codes.empty()) {
    uint32_t counter = static_cast<uint32_t>(options.counter.value_or(0));
    for (long n = 0; n < options.count.value_or(6); ++n) {
      BuildSettings settings;
      settings.typeIndex = options.type;
      settings.difficultyIndex = options.difficulty;
      settings.seedCreate = counter;
      BookletPuzzle puzzle;
      if (!BuildPuzzle(settings, *seeds, puzzle, failure)) {
        std::fprintf(stderr, "%s\n", failure.c_str());
        return kExitBuildFailed;
      }
      counter = settings.seedCreate;
      puzzles.push_back(puzzle);
    }
  } else {
    for (const std::string& code : options.codes) {
      DecodedPuzzleCode decoded;
      DecodePuzzleCode(code, decoded);
      BuildSettings settings;
      settings.puzzleCode = code;
      settings.difficultyIndex = decoded.difficultyIndex;
      BookletPuzzle puzzle;
      if (!BuildPuzzle(settings, *seeds, puzzle, failure)) {
        std::fprintf(stderr, "%s (%s)\n", failure.c_str(), code.c_str());
        return kExitBuildFailed;
      }
      puzzles.push_back(puzzle);
    }
  }

  // The PDF writer and its fonts need a GUI application, never a display.
  // Qt's notices about the session (no runtime folder and the like) are not the user's concern.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "velmora-puzzle: %s\n", qPrintable(text));
  });
  int qtArgc = 1;
  char* qtArgv[] = {argv[0], nullptr};
  QGuiApplication application(qtArgc, qtArgv);
  QString error;
  if (!WriteBooklet(options, puzzles, error)) {
    std::fprintf(stderr, "velmora-puzzle: %s\n", qPrintable(error));
    return kExitWriteFailed;
  }
  return 0;
}

}  // namespace velmora::puzzle_tool
