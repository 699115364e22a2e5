// The main screen of a real game window, headless: where the controls sit,
// what the screen shows at chosen points, right clicks and key plays.
#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QFontInfo>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QWindow>
#include <QCoreApplication>
#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "playing_window_test.h"
#include "image_operations.h"
#include "print_picture.h"
#include "screen_layout.h"
#include "window_menu.h"

namespace velmora {
namespace {

class MainScreenTest : public testing::PlayingWindowTest {
 protected:
  // The art entry as the screen shows it, at a point of the entry.
  QRgb ArtPixel(int index, QPoint at) { return ImageOperations::OpaqueCopy(Window().Art().Entry(index)).pixel(at); }
  void ExpectTileShows(const QImage& screen, int row, int column, int faceIndex) {
    const QRect tile = layout::TileRect(row, column);
    for (QPoint at : {QPoint(2, 2), QPoint(20, 33), QPoint(37, 20), QPoint(8, 30)})
      EXPECT_EQ(screen.pixel(tile.topLeft() + at), ArtPixel(faceIndex, at))
          << "tile " << row << "," << column << " at " << at.x() << "," << at.y() << " face " << faceIndex;
  }
};

TEST_F(MainScreenTest, ControlsSitWhereTheLayoutPutsThem) {
  EXPECT_EQ(Window().size(), QSize(640, 480));
  for (int r = 0; r < 9; ++r)
    for (int c = 0; c < 9; ++c) {
      ASSERT_NE(Window().Control(control::TileId(r, c)), nullptr);
      EXPECT_EQ(Window().Control(control::TileId(r, c))->geometry(), layout::TileRect(r, c));
      EXPECT_TRUE(Window().Control(control::TileId(r, c))->isVisible());
    }
  EXPECT_EQ(Window().Control(1005)->geometry(), QRect(40, 220, 40, 40)) << "tile row 4, column 0";
  EXPECT_EQ(Window().Control(1019)->geometry(), QRect(120, 40, 40, 40)) << "tile row 0, column 2";
  EXPECT_EQ(Window().Control(1028)->geometry(), QRect(180, 40, 40, 40)) << "tile row 0, column 3, after the gap";
  EXPECT_EQ(Window().Control(1082 + 8)->geometry(), QRect(480, 232, 40, 24));
  EXPECT_EQ(Window().Control(control::kEraser)->geometry(), QRect(480, 256, 40, 24));
  EXPECT_EQ(Window().Control(control::kFreePlay)->geometry(), QRect(533, 398, 98, 22));
  EXPECT_EQ(Window().Control(control::kOptions)->geometry(), QRect(480, 450, 150, 22));
}

TEST_F(MainScreenTest, TheScreenShowsTheFacesOfTheTiles) {
  const QImage screen = Screen();
  const Board& board = TheGame().GetBoard();
  for (int r = 0; r < 9; ++r) {
    for (int c = 0; c < 9; ++c) {
      const bool cursor = board.IsCursor(r, c);
      int face = 0;
      if (board.IsGiven(r, c))
        face = (cursor ? 31 : 11) + board.TypeAt(r, c);
      else if (board.IsHidden(r, c))
        face = cursor ? 60 : 40;
      else
        continue;
      ExpectTileShows(screen, r, c, face);
    }
  }
  // The first tile that is not given carries the cursor when play begins.
  EXPECT_TRUE(board.IsCursor(0, 0));
  // The background shows between the blocks.
  EXPECT_EQ(screen.pixel(160, 300), ArtPixel(imaging::kMainBackgroundIndex, QPoint(160, 300)));
}

TEST_F(MainScreenTest, TextsAreDrawnInTheTrayAndStatsPanel) {
  const QImage screen = Screen();
  const QImage background = ImageOperations::OpaqueCopy(Window().Art().Entry(imaging::kMainBackgroundIndex));
  auto differs = [&](const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x) count += screen.pixel(x, y) != background.pixel(x, y) ? 1 : 0;
    return count;
  };
  EXPECT_GT(differs(layout::TrayCountArea(0)), 30) << TheGame().TrayCountText(0);
  EXPECT_GT(differs(layout::TrayCountArea(9)), 30) << "Eraser";
  EXPECT_GT(differs(layout::kPlayerNameArea), 30);
  EXPECT_EQ(differs(QRect(10, 10, 25, 25)), 0) << "nothing drawn in a guide band with guides off";
}

// Which points hit a tile is worked out by the game (InputTest.RightClicksHitTilesButNotTheGapsBetweenBlocks):
// here the window hands its right click over.
TEST_F(MainScreenTest, ARightClickOnATileOpensTheNoteMenu) {
  rig->dialogs->tileMenuCalls.clear();
  // A hidden tile in column 3, row 0 (a given tile takes no note menu).
  ASSERT_TRUE(TheGame().GetBoard().IsHidden(0, 3));
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(180, 50), Window().mapToGlobal(QPoint(180, 50)));
  QCoreApplication::sendEvent(&Window(), &event);
  ASSERT_EQ(rig->dialogs->tileMenuCalls.size(), 1u);
  EXPECT_EQ(rig->dialogs->tileMenuCalls[0].row, 0);
  EXPECT_EQ(rig->dialogs->tileMenuCalls[0].column, 3);
  EXPECT_TRUE(rig->dialogs->tileMenuCalls[0].noteMenu) << "a new player's right button notes";
  EXPECT_TRUE(rig->dialogs->tileMenuCalls[0].fromMouse);
}

TEST_F(MainScreenTest, ARightClickOffTheBoardOffersTheAboutBox) {
  const size_t shown = rig->boxes.shown.size();
  QTimer::singleShot(0, [] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    const QList<QAction*> actions = menu->actions();
    EXPECT_EQ(actions.size(), 7);
    EXPECT_EQ(actions.back()->text(), "&About Velmora Sudoku...");
    menu->setActiveAction(actions.back());
    QTest::keyClick(menu, Qt::Key_Return);
  });
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(600, 300), Window().mapToGlobal(QPoint(600, 300)));
  QCoreApplication::sendEvent(&Window(), &event);
  ASSERT_EQ(rig->boxes.shown.size(), shown + 1);
  EXPECT_EQ(rig->boxes.shown.back().text, TheGame().AboutText());
  EXPECT_EQ(TheGame().AboutText().rfind("Velmora Sudoku v1.02 - ", 0), 0u);
}

TEST_F(MainScreenTest, AKeyPlaysTheCursorTileAndTheScreenFollows) {
  Board& board = TheGame().GetBoard();
  TheGame().SetCursorTile(0, 0);
  ASSERT_TRUE(board.IsHidden(0, 0));
  const int type = board.TypeAt(0, 0);
  QTest::keyClick(Window().windowHandle(), static_cast<Qt::Key>(Qt::Key_1 + type));
  EXPECT_FALSE(board.IsHidden(0, 0));
  EXPECT_TRUE(board.IsGiven(0, 0));
  ExpectTileShows(Screen(), 0, 0, 31 + type);
}

// Ctrl+Z, Ctrl+Shift+Z and Ctrl+Y reach the game with the Shift key's state;
// Undo's notice shows over the window and leaves the keyboard with the game.
TEST_F(MainScreenTest, UndoKeysReachTheGameAndTheNoticeLeavesTheKeyboardAlone) {
  Board& board = TheGame().GetBoard();
  int row = -1, column = -1;
  for (int r = 8; r >= 0 && row < 0; --r)
    for (int c = 8; c >= 0 && row < 0; --c)
      if (board.IsHidden(r, c) && board.NoteMask(r, c) == 0) row = r, column = c;
  ASSERT_GE(row, 0);
  TheGame().SetCursorTile(row, column);
  QWindow* window = Window().windowHandle();
  QTest::keyClick(window, Qt::Key_3, Qt::ControlModifier);
  ASSERT_EQ(board.NoteMask(row, column), 1u << 2);
  QTest::keyClick(window, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(board.NoteMask(row, column), 0u);
  QTest::keyClick(window, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(board.NoteMask(row, column), 1u << 2);
  QTest::keyClick(window, Qt::Key_Z, Qt::ControlModifier);
  QTest::keyClick(window, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(board.NoteMask(row, column), 1u << 2);

  QTest::keyClick(window, Qt::Key_Y, Qt::ControlModifier);  // nothing to redo
  auto* notice = Window().findChild<QLabel*>(QStringLiteral("notice"));
  ASSERT_NE(notice, nullptr);
  EXPECT_TRUE(notice->isVisible());
  EXPECT_EQ(notice->text().toStdString(), "There is nothing to redo.");
  EXPECT_FALSE(notice->hasFocus());
  QTest::keyClick(window, Qt::Key_3, Qt::ControlModifier);
  EXPECT_EQ(board.NoteMask(row, column), 0u) << "the next key still plays";
  // The printed puzzle does not carry the notice.
  Window().ComposePrintPicture(QStringLiteral("Puzzle"));
  EXPECT_FALSE(notice->isVisible());
}

// At scale 1 the large pictures are not even loaded.
TEST_F(MainScreenTest, LeavesTheLargeArtUnloadedOnAnUnscaledScreen) {
  if (Window().devicePixelRatioF() != 1.0) GTEST_SKIP() << "needs an unscaled screen";
  const QImage screen = Screen();
  EXPECT_EQ(screen.size(), QSize(640, 480));
  for (int i = 0; i < GameBitmapTable::Size(); ++i) EXPECT_TRUE(Window().Art().SharpEntry(i).isNull()) << i;
}

// Runs at the screen scale 2 (QT_SCALE_FACTOR, ctest app_sharp_at_scale_2, see
// CMakeLists.txt): every device pixel of a tile is the large picture's own, so
// edges change within one device pixel instead of in steps of two as in an
// enlarged small picture.
TEST_F(MainScreenTest, ShowsTheLargeArtOnAScaledScreen) {
  if (Window().devicePixelRatioF() == 1.0)
    GTEST_SKIP() << "needs a screen scaled to 2: runs with QT_SCALE_FACTOR=2 (ctest app_sharp_at_scale_2)";
  const QImage screen = Screen();
  const int face = TheGame().FaceOfControl(control::TileId(0, 0), false);
  const QImage& sharp = Window().Art().SharpEntry(face);
  ASSERT_EQ(Window().devicePixelRatioF(), 2.0);
  ASSERT_EQ(screen.size(), QSize(1280, 960));
  ASSERT_EQ(sharp.size(), QSize(80, 80));
  const QImage art = ImageOperations::OpaqueCopy(sharp);
  const QPoint origin = layout::TileRect(0, 0).topLeft() * 2;
  int mismatches = 0, finerSteps = 0;
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 80; ++x) {
      const QRgb shown = screen.pixel(origin + QPoint(x, y));
      mismatches += shown != art.pixel(x, y);
      if (x % 2 == 1) finerSteps += shown != screen.pixel(origin + QPoint(x - 1, y));
    }
  EXPECT_EQ(mismatches, 0) << "the tile shows the large picture pixel for pixel";
  EXPECT_GT(finerSteps, 0) << "an enlarged small picture never changes between device columns 2k and 2k+1";
  // The large pictures of the dialogs (158..179: Add Player to Learn to Play;
  // 183..186: No, Yes) are read by a dialog as it opens, not held for the run.
  for (int i = 158; i <= 186; ++i) {
    if (i > 179 && i < 183) continue;
    EXPECT_TRUE(Window().Art().HeldSharpEntry(i).isNull()) << i;
  }
}

// Also run at the screen scales 1.5 and 2 (QT_SCALE_FACTOR, see CMakeLists.txt):
// the page must not depend on the scale.
TEST_F(MainScreenTest, PrintingWhitensTheTilesWithoutADigit) {
  const Board& board = TheGame().GetBoard();
  int hiddenRow = -1, hiddenColumn = -1, givenRow = -1, givenColumn = -1;
  for (int r = 0; r < 9; ++r)
    for (int c = 0; c < 9; ++c) {
      if (board.IsHidden(r, c) && hiddenRow < 0) hiddenRow = r, hiddenColumn = c;
      if (board.IsGiven(r, c) && !board.IsCursor(r, c) && givenRow < 0) givenRow = r, givenColumn = c;
    }
  ASSERT_GE(hiddenRow, 0);
  ASSERT_GE(givenRow, 0);
  const QImage printed = Window().ComposePrintPicture("Puzzle AA, Normal - Easy");
  EXPECT_EQ(printed.size(), QSize(640, 480));
  const QPoint hidden = layout::TileRect(hiddenRow, hiddenColumn).topLeft();
  EXPECT_EQ(printed.pixel(hidden + QPoint(20, 20)) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(printed.pixel(hidden) & 0xFFFFFF, 0x808080u);
  EXPECT_EQ(printed.pixel(hidden + QPoint(1, 38)) & 0xFFFFFF, 0xC0C0C0u);
  ExpectTileShows(printed, givenRow, givenColumn,
                  TheGame().FaceOfControl(control::TileId(givenRow, givenColumn), false));
  bool labelDrawn = false;
  for (int x = 15; x < 200 && !labelDrawn; ++x)
    for (int y = 5; y < 28 && !labelDrawn; ++y) labelDrawn = (printed.pixel(x, y) & 0xFFFFFF) == 0x606060;
  EXPECT_TRUE(labelDrawn) << "the top label is drawn in grey 96";

  // The page itself, read back from the PDF: white inside exactly the hidden tiles.
  QTemporaryDir folder;
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setFullPage(true);
  printer.setOutputFileName(folder.filePath("puzzle.pdf"));
  ASSERT_TRUE(Window().PrintPicture(printer, "Puzzle AA, Normal - Easy"));
  constexpr int kDotsPerInch = 100;
  ASSERT_EQ(QProcess::execute("pdftoppm", {"-r", QString::number(kDotsPerInch), "-png", "-singlefile",
                                           folder.filePath("puzzle.pdf"), folder.filePath("page")}),
            0)
      << "pdftoppm (poppler-utils) renders the page";
  const QImage page(folder.filePath("page.png"));
  ASSERT_FALSE(page.isNull());
  const QRect full = printer.pageLayout().fullRectPixels(printer.resolution());
  const QRect where = PrintDestination(full.width(), full.height());
  const double toPage = double(kDotsPerInch) / printer.resolution();
  auto pagePixel = [&](QPoint inPicture) {
    const double x = (where.x() + (inPicture.x() + 0.5) * where.width() / 640.0) * toPage;
    const double y = (where.y() + (inPicture.y() + 0.5) * where.height() / 480.0) * toPage;
    return page.pixel(int(x), int(y));
  };
  auto white = [](QRgb p) { return qRed(p) > 240 && qGreen(p) > 240 && qBlue(p) > 240; };
  for (int r = 0; r < 9; ++r)
    for (int c = 0; c < 9; ++c) {
      const QPoint tile = layout::TileRect(r, c).topLeft();
      for (QPoint at : {QPoint(7, 7), QPoint(32, 7), QPoint(7, 32), QPoint(32, 32)})
        EXPECT_EQ(white(pagePixel(tile + at)), board.IsHidden(r, c))
            << "tile " << r << "," << c << (board.IsHidden(r, c) ? " is hidden" : " shows its digit");
    }
}

// Qt keeps one font engine for a face at a pixel size: a clean grid's label
// at 12 pixels on the 1200 dpi page has a point size of 0.73, which the window
// menu's 12-pixel labels then took for theirs once a menu had been shown (the
// style draws them at the point size of the engine), and shrank to specks.
TEST_F(MainScreenTest, APrintLeavesTheWindowMenusLettersAsTheyWere) {
  QMenu menu;
  FillWindowMenu(menu, Window().WindowMenu());
  menu.grab();
  QTemporaryDir folder;
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(folder.filePath("grid.pdf"));
  ASSERT_TRUE(Window().PrintCleanGrid(printer, "Puzzle AA, Normal - Easy"));
  EXPECT_DOUBLE_EQ(QFontInfo(menu.font()).pointSizeF(), menu.font().pointSizeF());
}

// The dialog also offers what to print, the screen first until a print says
// otherwise (a dialog left without printing keeps it).
TEST_F(MainScreenTest, ThePrintDialogShowsTheNormalCursor) {
  for (int shown = 1; shown <= 2; ++shown) {
    bool dialogSeen = false, busyInDialog = true, screenFirst = false;
    QTimer::singleShot(0, [&] {
      QWidget* dialog = QApplication::activeModalWidget();
      dialogSeen = qobject_cast<QPrintDialog*>(dialog) != nullptr;
      busyInDialog = QApplication::overrideCursor() != nullptr;
      if (dialog) {
        for (auto* button : dialog->findChildren<QRadioButton*>())
          if (button->text() == QStringLiteral("Print the &screen")) screenFirst = button->isChecked();
        QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
      }
    });
    Window().PrintPuzzle("Puzzle AA, Normal - Easy");
    EXPECT_TRUE(dialogSeen);
    EXPECT_FALSE(busyInDialog);
    EXPECT_TRUE(screenFirst) << "dialog " << shown << ": no choice made, the screen's picture is offered, checked";
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "no busy cursor left behind";
  }
}

// The real game window played to its victory, each key handled with its paints as
// in the running game: every tray row then reads "All Found", the last type's too,
// and the About menu, which does nothing once the game is solved, is no longer offered.
TEST(GameWindowVictory, TheTrayReadsAllFoundAndNoAboutMenuIsOffered) {
  testing::GameWindowRig rig(VELMORA_RUNTIME_DIR, false);
  ASSERT_TRUE(rig.WaitUntilPlaying());
  Game& game = rig.window->GetGame();
  const Board& board = game.GetBoard();
  int lastType = -1;
  for (int r = 0; r < 9; ++r)
    for (int c = 0; c < 9; ++c) {
      if (!board.IsHidden(r, c)) continue;
      lastType = board.TypeAt(r, c);
      game.SetCursorTile(r, c);
      QTest::keyClick(rig.window->windowHandle(), static_cast<Qt::Key>(Qt::Key_1 + lastType));
      QCoreApplication::processEvents();
    }
  ASSERT_EQ(game.Session().gameState, GameState::Solved);
  ASSERT_EQ(rig.dialogs->resultsShown, 1);
  QCoreApplication::processEvents();
  // What the screen shows (a grab would paint the window afresh, without texts now).
  const QImage screen =
      rig.window->screen()->grabWindow(rig.window->winId()).toImage().convertToFormat(QImage::Format_RGB32);
  const QImage background = ImageOperations::OpaqueCopy(rig.window->Art().Entry(imaging::kMainBackgroundIndex));
  for (int k = 0; k < 9; ++k) {
    const QRect area = layout::TrayCountArea(k);
    int drawn = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x) drawn += screen.pixel(x, y) != background.pixel(x, y) ? 1 : 0;
    EXPECT_GT(drawn, 30) << "tray row " << k + 1 << (k == lastType ? ", the last type played," : "")
                         << " shows its text";
  }

  bool menuShown = false, looked = false;
  QTimer::singleShot(0, [&menuShown, &looked] {
    if (QWidget* menu = QApplication::activePopupWidget()) {
      menuShown = true;
      menu->close();
    }
    looked = true;
  });
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(600, 300), rig.window->mapToGlobal(QPoint(600, 300)));
  QCoreApplication::sendEvent(rig.window.get(), &event);
  ASSERT_TRUE(QTest::qWaitFor([&looked] { return looked; }, 5000));
  EXPECT_FALSE(menuShown);
}

// The rows of digits of a clean grid read back from its PDF (pdftotext -layout),
// '.' for an empty tile; the columns are told apart by where the digits stand
// (places side by side are one column: a bold digit may stand a place off).
std::vector<std::string> GridRowsOf(const QString& pdf, QString& text) {
  QProcess reader;
  reader.start("pdftotext", {"-layout", pdf, "-"});
  if (!reader.waitForFinished(30000) || reader.exitCode() != 0) return {};
  text = QString::fromUtf8(reader.readAllStandardOutput());
  std::vector<QString> lines;
  std::set<int> columns;
  for (const QString& line : text.split('\n')) {
    if (!line.contains(QRegularExpression("^[ 1-9]*[1-9][ 1-9]*$"))) continue;
    lines.push_back(line);
    for (int i = 0; i < line.size(); ++i)
      if (line[i] != ' ') columns.insert(i);
  }
  std::vector<int> where;
  for (int column : columns)
    if (!columns.count(column - 1)) where.push_back(column);
  std::vector<std::string> rows;
  for (const QString& line : lines) {
    std::string row(where.size(), '.');
    for (int i = 0; i < line.size(); ++i)
      if (line[i] != ' ') row[std::upper_bound(where.begin(), where.end(), i) - where.begin() - 1] = line[i].toLatin1();
    rows.push_back(row);
  }
  return rows;
}

// The clean grid prints what the board shows: the givens and the tiles played
// (a wrong one too, as Ignore Mistakes shows it), not the notes, in their rows
// and columns, with the puzzle named under the grid.
TEST(CleanGridPrint, PrintsTheDigitsTheBoardShows) {
  testing::GameWindowRig rig(VELMORA_RUNTIME_DIR, true);
  ASSERT_TRUE(rig.WaitUntilPlaying());
  Game& game = rig.window->GetGame();
  QWindow* window = rig.window->windowHandle();
  // AA (the puzzle tool's own output): the top row is ..5..7891, its solution 345627891.
  game.SetCursorTile(0, 0);
  QTest::keyClick(window, Qt::Key_3);  // right
  game.SetCursorTile(0, 1);
  QTest::keyClick(window, Qt::Key_1);  // wrong (a 4), kept as played
  game.SetCursorTile(0, 3);
  QTest::keyClick(window, Qt::Key_6, Qt::ControlModifier);  // a note
  ASSERT_EQ(game.GetBoard().NoteMask(0, 3), 1u << 5);

  QTemporaryDir folder;
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(folder.filePath("grid.pdf"));
  ASSERT_TRUE(rig.window->PrintCleanGrid(printer, "Puzzle AA, Normal - Easy"));
  QString text;
  const std::vector<std::string> rows = GridRowsOf(folder.filePath("grid.pdf"), text);
  const std::vector<std::string> expected = {"315..7891", "92.3.854.", "16.954237", ".53286179", "8761..4..",
                                             "2914.5368", "739841625", "6825.37.4", ".147629.3"};
  EXPECT_EQ(rows, expected) << text.toStdString();
  EXPECT_TRUE(text.contains("Puzzle AA, Normal - Easy")) << text.toStdString();
  EXPECT_TRUE(text.contains("Velmora Sudoku")) << text.toStdString();
}

TEST(PrintPlacement, PortraitAndLandscapePages) {
  EXPECT_EQ(PrintDestination(4800, 6400), QRect(888, 2133, 3200, 2400));
  EXPECT_EQ(PrintDestination(6400, 4800), QRect(1714, 1200, 3200, 2400));
}

}  // namespace
}  // namespace velmora
