// The game window as assistive technology sees it, on the puzzle AA1500 (laid
// out in tests/game/view_aids_test.cpp): the board, the controls, the announcements.
#include <gtest/gtest.h>

#include <QAccessible>
#include <functional>

#include "accessibility.h"
#include "game_window_rig.h"

namespace velmora {
namespace {

using testing::GameWindowRig;

// The puzzle as it begins, row by row: its givens, "-" for a hidden tile.
const char* const kRows[] = {"-27389416", "4--62573-", "-3617-52-", "-8--96147", "64-8-7952",
                             "-59--1683", "1-2753894", "374918265", "8954623-1"};

class WindowAccessibilityTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    rig = new GameWindowRig(VELMORA_RUNTIME_DIR, false);
    rig->dialogs->puzzleCode = "AA1500";
    playing = rig->WaitUntilPlaying();
  }
  static void TearDownTestSuite() {
    delete rig;
    rig = nullptr;
  }
  void SetUp() override { ASSERT_TRUE(playing) << "the game never began"; }

  static QAccessibleInterface* Window() { return QAccessible::queryAccessibleInterface(rig->window.get()); }
  static QAccessibleInterface* Of(int controlId) {
    return QAccessible::queryAccessibleInterface(rig->window->Control(controlId));
  }
  static Game& TheGame() { return rig->window->GetGame(); }
  static inline GameWindowRig* rig = nullptr;
  static inline bool playing = false;
};

TEST_F(WindowAccessibilityTest, TheBoardIsATableOfCellsNamedByTheirDigits) {
  QAccessibleInterface* board = Window()->child(0);
  ASSERT_TRUE(board && board->tableInterface());
  EXPECT_EQ(board->role(), QAccessible::Table);
  EXPECT_EQ(board->tableInterface()->rowCount(), 9);
  EXPECT_EQ(board->tableInterface()->columnCount(), 9);
  for (int r = 0; r < 9; ++r) {
    for (int c = 0; c < 9; ++c) {
      QAccessibleInterface* cell = board->tableInterface()->cellAt(r, c);
      ASSERT_TRUE(cell && cell->tableCellInterface());
      const QChar digit = QLatin1Char(kRows[r][c]);
      EXPECT_EQ(cell->text(QAccessible::Name),
                QStringLiteral("row %1, column %2, ").arg(r + 1).arg(c + 1) +
                    (digit == '-' ? QStringLiteral("empty") : digit + QString(", given")));
      EXPECT_EQ(cell->role(), QAccessible::Cell);
      EXPECT_EQ(cell->parent(), board);
      EXPECT_EQ(board->indexOfChild(cell), 9 * r + c);
      EXPECT_EQ(cell->tableCellInterface()->rowIndex() * 10 + cell->tableCellInterface()->columnIndex(), 10 * r + c);
    }
  }
  // The new game put the keyboard on the Cursor Tile, the first hidden tile.
  EXPECT_EQ(rig->window->focusWidget(), rig->window->Control(control::TileId(0, 0)));
  EXPECT_TRUE(board->tableInterface()->cellAt(0, 0)->state().selected);
  EXPECT_TRUE(Window()->child(1)->text(QAccessible::Name).startsWith("17 tiles left, no mistakes, time "));
}

// Every control that takes the keyboard (81 cells, 9 digits and the Eraser, 7
// commands) is named, as a cell, a button or (Show Guides) a check box.
TEST_F(WindowAccessibilityTest, EveryControlThatTakesTheKeyboardIsNamedInAFittingRole) {
  int controls = 0;
  std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* face) {
    for (int i = 0; i < face->childCount(); ++i) {
      QAccessibleInterface* child = face->child(i);
      walk(child);
      if (!child->state().focusable || child->state().invisible) continue;
      ++controls;
      const QAccessible::Role role = child->role();
      EXPECT_FALSE(child->text(QAccessible::Name).isEmpty()) << role;
      EXPECT_TRUE(role == QAccessible::Cell || role == QAccessible::Button || role == QAccessible::CheckBox) << role;
    }
  };
  walk(Window());
  EXPECT_EQ(controls, 81 + 10 + 7);
  for (int k = 0; k < 9; ++k) EXPECT_EQ(Of(control::kFirstTray + k)->state().selected, k == 0) << "the Active Number";
}

TEST_F(WindowAccessibilityTest, PlaysNotesGuidesAndTheActiveNumberAreAnnounced) {
  std::vector<std::pair<QAccessible::Event, QString>> told;
  a11y::SetWatcher([&](QAccessibleEvent& event) {
    told.emplace_back(event.type(), event.accessibleInterface()->text(QAccessible::Name));
  });
  rig->window->RedrawEverything();  // as at a game's start: what is told from now on is news
  auto heard = [&](QAccessible::Event type, const QString& name) {
    return std::find(told.begin(), told.end(), std::make_pair(type, name)) != told.end();
  };
  TheGame().OnKey(key::kDigit1 + 4, false);  // (0, 0) is a 5
  EXPECT_TRUE(heard(QAccessible::NameChanged, "row 1, column 1, 5, given"));
  EXPECT_TRUE(heard(QAccessible::NameChanged, "5, one left"));
  EXPECT_TRUE(heard(QAccessible::NameChanged, Window()->child(1)->text(QAccessible::Name)));  // the status
  TheGame().OnKey(key::kDown, false);
  TheGame().OnKey(key::kRight, false);
  EXPECT_EQ(rig->window->focusWidget(), rig->window->Control(control::TileId(1, 1))) << "the keyboard follows";
  TheGame().OnKey(key::kDigit1, true);
  EXPECT_TRUE(heard(QAccessible::NameChanged, "row 2, column 2, empty, note 1"));
  TheGame().OnKey(key::kF4, false);
  EXPECT_TRUE(heard(QAccessible::StateChanged, "Show Guides (F4)"));
  EXPECT_TRUE(Of(control::kShowGuides)->state().checked);
  TheGame().OnKey(key::kTab, false);
  EXPECT_TRUE(heard(QAccessible::SelectionRemove, "1, two left"));
  EXPECT_TRUE(heard(QAccessible::SelectionAdd, "2, two left"));
  a11y::SetWatcher({});
}

}  // namespace
}  // namespace velmora
