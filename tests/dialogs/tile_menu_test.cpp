// The Tile menu: its two layouts, typing a type, choosing by mouse and
// keyboard, and how it is pulled back onto the desktop.
#include <gtest/gtest.h>

#include <QLineEdit>

#include "dialog_rig.h"
#include "tile_menu_dialog.h"

namespace velmora::testing {
namespace {

class TileMenuTest : public ::testing::Test {
 protected:
  std::unique_ptr<TileMenuDialog> Make(bool mouseOpened, bool noteMode = false) {
    return std::make_unique<TileMenuDialog>(mouseOpened, 0, noteMode, memory, &rig.art, rig.reporter, &rig.owner);
  }
  DialogRig rig;
  TileMenuMemory memory{260, 210};
};

TEST_F(TileMenuTest, FromTheMouseTheRowIsLowerAndOnlyCancelShows) {
  auto menu = Make(true);
  ASSERT_TRUE(Open(*menu));
  EXPECT_EQ(menu->size(), QSize(264, 180));
  for (int n = 0; n < 9; ++n) {
    EXPECT_EQ(menu->Control(TileMenuDialog::kFirstType + n)->geometry(), QRect(12 + 24 * n, 78, 24, 24));
    EXPECT_TRUE(rig.ShowsFace(*menu, TileMenuDialog::kFirstType + n, 244 + n)) << n;
  }
  EXPECT_EQ(menu->Control(TileMenuDialog::kEraser)->geometry(), QRect(228, 78, 24, 24));
  EXPECT_TRUE(rig.ShowsFace(*menu, TileMenuDialog::kEraser, 253));
  EXPECT_FALSE(menu->EntryBox()->isVisible());
  EXPECT_FALSE(menu->Control(TileMenuDialog::kOk)->isVisible());
  EXPECT_EQ(menu->Control(TileMenuDialog::kCancel)->geometry(), QRect(82, 140, 100, 28));
  EXPECT_TRUE(rig.ShowsFace(*menu, TileMenuDialog::kCancel, 296));
  const QImage shot = DialogRig::Shot(*menu);
  EXPECT_GT(DialogRig::WhitePixels(shot, QRect(0, 29, 264, 21)), 30);
  EXPECT_EQ(DialogRig::WhitePixels(shot, QRect(0, 105, 264, 33)), 0);
  // Held down, a type shows its pressed face.
  QTest::mousePress(menu->Control(TileMenuDialog::kFirstType + 4), Qt::LeftButton);
  EXPECT_TRUE(rig.ShowsFace(*menu, TileMenuDialog::kFirstType + 4, 237));
}

TEST_F(TileMenuTest, FromTheKeyboardItOffersTheBoxAndTheSecondLine) {
  auto menu = Make(false, true);
  ASSERT_TRUE(Open(*menu));
  EXPECT_EQ(menu->Control(TileMenuDialog::kFirstType)->geometry(), QRect(12, 40, 24, 24));
  EXPECT_EQ(menu->Control(TileMenuDialog::kEraser)->geometry(), QRect(228, 40, 24, 24));
  EXPECT_TRUE(menu->EntryBox()->isVisible());
  EXPECT_EQ(menu->EntryBox()->geometry(), QRect(117, 80, 30, 24));
  EXPECT_GT(DialogRig::WhitePixels(DialogRig::Shot(*menu), QRect(0, 110, 264, 28)), 15);
}

TEST_F(TileMenuTest, TypingAcceptsOneTypeAtATime) {
  auto menu = Make(false);
  ASSERT_TRUE(Open(*menu));
  QLineEdit* box = menu->EntryBox();
  QTest::keyClicks(box, "0");
  EXPECT_TRUE(box->text().isEmpty());
  EXPECT_FALSE(menu->Control(TileMenuDialog::kOk)->isVisible());
  QTest::keyClicks(box, "3");
  EXPECT_EQ(box->text(), QStringLiteral("3"));
  QTest::keyClicks(box, "7");
  EXPECT_EQ(box->text(), QStringLiteral("7"));
  EXPECT_EQ(menu->ChosenType(), 6);
  EXPECT_TRUE(menu->Control(TileMenuDialog::kOk)->isVisible());
  EXPECT_EQ(menu->Control(TileMenuDialog::kOk)->geometry(), QRect(148, 140, 100, 28));
  EXPECT_EQ(menu->Control(TileMenuDialog::kCancel)->pos(), QPoint(16, 140));
  EXPECT_TRUE(rig.ShowsFace(*menu, TileMenuDialog::kOk, 298));
  QTest::keyClicks(box, "q");
  EXPECT_TRUE(box->text().isEmpty());
  EXPECT_FALSE(menu->Control(TileMenuDialog::kOk)->isVisible());
  EXPECT_EQ(menu->Control(TileMenuDialog::kCancel)->pos(), QPoint(82, 140));
  QTest::keyClicks(box, "X");
  EXPECT_EQ(menu->ChosenType(), TileMenuDialog::kEraserChoice);
  QTest::keyClick(box, Qt::Key_Backspace);
  EXPECT_FALSE(menu->Control(TileMenuDialog::kOk)->isVisible());
}

TEST_F(TileMenuTest, ChoicesByMouseAndKeyboard) {
  struct Case {
    bool mouseOpened;
    std::function<void(TileMenuDialog&)> act;
    bool cancelled;
    int type;
  };
  const Case cases[] = {
      {true, [](TileMenuDialog& m) { QTest::mouseClick(m.Control(TileMenuDialog::kFirstType + 8), Qt::LeftButton); },
       false, 8},
      {true, [](TileMenuDialog& m) { QTest::mouseClick(m.Control(TileMenuDialog::kEraser), Qt::LeftButton); }, false,
       -1},
      {true, [](TileMenuDialog& m) { QTest::mouseClick(m.Control(TileMenuDialog::kCancel), Qt::LeftButton); }, true, 0},
      {true, [](TileMenuDialog& m) { QTest::keyClick(&m, Qt::Key_Escape); }, true, 0},
      {true, [](TileMenuDialog& m) { m.close(); }, true, 0},
      {false,
       [](TileMenuDialog& m) {
         QTest::keyClicks(m.EntryBox(), "5");
         QTest::keyClick(m.EntryBox(), Qt::Key_Return);
       },
       false, 4},
      {false,
       [](TileMenuDialog& m) {
         QTest::keyClicks(m.EntryBox(), "x");
         QTest::mouseClick(m.Control(TileMenuDialog::kOk), Qt::LeftButton);
       },
       false, -1},
      // Enter with nothing typed does nothing.
      {false, [](TileMenuDialog& m) { QTest::keyClick(m.EntryBox(), Qt::Key_Return); }, false, 0},
  };
  int index = 0;
  for (const Case& c : cases) {
    memory = {260, 210};
    auto menu = Make(c.mouseOpened);
    ASSERT_TRUE(Open(*menu));
    c.act(*menu);
    if (index == 7) {
      EXPECT_TRUE(menu->isVisible());
      break;
    }
    EXPECT_FALSE(menu->isVisible()) << index;
    EXPECT_EQ(menu->Cancelled(), c.cancelled) << index;
    if (!c.cancelled) {
      EXPECT_EQ(menu->ChosenType(), c.type) << index;
    }
    ++index;
  }
}

TEST(TileMenuPlacement, APositionOffTheDesktopIsPulledBackInside) {
  const QRect desktop(0, 0, 1024, 768);
  const QSize size(264, 180);
  EXPECT_EQ(TileMenuDialog::PullOntoDesktop(QRect(QPoint(100, 100), size), desktop, 40), QPoint(100, 100));
  EXPECT_EQ(TileMenuDialog::PullOntoDesktop(QRect(QPoint(900, 700), size), desktop, 40), QPoint(760, 548));
  EXPECT_EQ(TileMenuDialog::PullOntoDesktop(QRect(QPoint(-20, -5), size), desktop, 40), QPoint(0, 0));
  // Within the desktop but over the kept margin.
  EXPECT_EQ(TileMenuDialog::PullOntoDesktop(QRect(QPoint(10, 560), size), desktop, 40), QPoint(10, 548));
}

}  // namespace
}  // namespace velmora::testing
