// The pause as the player sees it in a real game window, headless: the cover
// over the board and the tray, the click that lifts it, and the window's menu.
#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>

#include "playing_window_test.h"
#include "screen_layout.h"

namespace velmora {
namespace {

class PauseWindowTest : public testing::PlayingWindowTest {
 protected:
  // The lines from top to bottom (both included) whose pixels from left to
  // right are not all one colour.
  static int MixedLines(const QImage& image, int left, int right, int top, int bottom) {
    int mixed = 0;
    for (int y = top; y <= bottom; ++y)
      for (int x = left + 1; x <= right; ++x)
        if (image.pixel(x, y) != image.pixel(left, y)) {
          ++mixed;
          break;
        }
    return mixed;
  }
  static bool SameArea(const QImage& a, const QImage& b, const QRect& area) { return a.copy(area) == b.copy(area); }
};

const QRect kBoard(40, 40, 400, 400);
const QRect kTray = layout::FromEdges(480, 38, 630, 280);

// Each line of the cover is one colour from edge to edge (away from its
// rounded corners), but for the word "Paused" across the board's middle: no
// digit, note or tile edge shows.
TEST_F(PauseWindowTest, TheCoverHidesTheBoardAndTheTrayUntilAClick) {
  const QImage before = Screen();
  ASSERT_GT(MixedLines(before, 44, 435, 44, 435), 300) << "the tiles show";
  ASSERT_GT(MixedLines(before, 482, 627, 44, 275), 200) << "the tray shows";

  QTest::keyClick(Window().windowHandle(), Qt::Key_P);
  ASSERT_TRUE(TheGame().Paused());
  // The P held down repeats: its repeats neither resume nor pause again.
  for (int repeat = 0; repeat < 3; ++repeat) {
    QKeyEvent held(QEvent::KeyPress, Qt::Key_P, Qt::NoModifier, QStringLiteral("p"), true);
    QCoreApplication::sendEvent(Window().windowHandle(), &held);
    ASSERT_TRUE(TheGame().Paused()) << "repeat " << repeat;
  }
  const QImage paused = Screen();
  EXPECT_EQ(MixedLines(paused, 44, 435, 52, 190), 0);
  EXPECT_EQ(MixedLines(paused, 44, 435, 290, 428), 0);
  EXPECT_EQ(MixedLines(paused, 482, 627, 48, 269), 0);
  int white = 0;
  for (int y = 190; y < 290; ++y)
    for (int x = 44; x <= 435; ++x) white += paused.pixel(x, y) == qRgb(255, 255, 255) ? 1 : 0;
  EXPECT_GT(white, 200) << "Paused is written on the cover";
  EXPECT_TRUE(SameArea(before, paused, layout::kNewGameRect)) << "the buttons show through";

  // A click on a tile under the cover resumes and plays nothing.
  rig->dialogs->tileMenuCalls.clear();
  const Board board = TheGame().GetBoard();
  QTest::mouseClick(&Window(), Qt::LeftButton, {}, QPoint(200, 60));
  EXPECT_FALSE(TheGame().Paused());
  const QImage after = Screen();
  EXPECT_TRUE(SameArea(before, after, kBoard));
  EXPECT_TRUE(SameArea(before, after, kTray));
  EXPECT_TRUE(rig->dialogs->tileMenuCalls.empty());
  for (int i = 0; i < 81; ++i)
    EXPECT_EQ(TheGame().GetBoard().IsHidden(i / 9, i % 9), board.IsHidden(i / 9, i % 9)) << "tile " << i;
}

// The menu off the board names each entry's key; its Pause pauses. While
// paused, a right click only resumes: no menu, no play.
TEST_F(PauseWindowTest, TheWindowMenuPausesAndARightClickResumes) {
  QStringList texts;
  std::vector<bool> enabled;
  QTimer::singleShot(0, [&] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    for (QAction* action : menu->actions()) {
      texts << action->text();
      enabled.push_back(action->isEnabled());
    }
    menu->setActiveAction(menu->actions()[2]);
    QTest::keyClick(menu, Qt::Key_Return);
  });
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(600, 300), Window().mapToGlobal(QPoint(600, 300)));
  QCoreApplication::sendEvent(&Window(), &event);
  // Nothing to undo or redo yet; no tile has notes, so candidates can be filled
  // in. The window was given no settings file, so View has no size to keep.
  EXPECT_EQ(texts, QStringList({"&Undo\tCtrl+Z", "&Redo\tCtrl+Y", "&Pause\tP", "&Fill In Candidates\tCtrl+M", "&View",
                                "&Change Player...", "&About Velmora Sudoku..."}));
  EXPECT_EQ(enabled, std::vector<bool>({false, false, true, true, false, true, true}));
  ASSERT_TRUE(TheGame().Paused());

  bool menuShown = false, looked = false;
  QTimer::singleShot(0, [&] {
    if (QWidget* menu = QApplication::activePopupWidget()) {
      menuShown = true;
      menu->close();
    }
    looked = true;
  });
  rig->dialogs->tileMenuCalls.clear();
  QTest::mouseClick(&Window(), Qt::RightButton, {}, QPoint(600, 300));
  ASSERT_TRUE(QTest::qWaitFor([&looked] { return looked; }, 5000));
  EXPECT_FALSE(menuShown);
  EXPECT_FALSE(TheGame().Paused());
  EXPECT_TRUE(rig->dialogs->tileMenuCalls.empty());
}

}  // namespace
}  // namespace velmora
