// The skinned dialogs as assistive technology sees them: names and roles, the
// radio buttons' and check boxes' states, the colour slider, the focus frame.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QDir>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <tuple>

#include "accessibility.h"
#include "color_slider.h"
#include "continue_game_dialog.h"
#include "dialog_rig.h"
#include "intro_dialog.h"
#include "message_dialog.h"
#include "new_game_dialog.h"
#include "options_dialog.h"
#include "player_dialogs.h"
#include "player_roster.h"
#include "results_dialog.h"
#include "tile_menu_dialog.h"

namespace velmora::testing {
namespace {

// Each control below an interface that takes the keyboard: its name and role.
void Controls(QAccessibleInterface* face, std::vector<std::pair<QString, QAccessible::Role>>& into) {
  for (int i = 0; i < face->childCount(); ++i) {
    QAccessibleInterface* child = face->child(i);
    if (!child || child->state().invisible) continue;
    if (child->state().focusable) into.emplace_back(child->text(QAccessible::Name), child->role());
    Controls(child, into);
  }
}

class DialogAccessibilityTest : public ::testing::Test {
 protected:
  DialogAccessibilityTest() {
    a11y::SetWatcher([this](QAccessibleEvent& event) {
      QAccessibleInterface* face = event.accessibleInterface();
      told.emplace_back(event.type(), face->text(QAccessible::Name), face->state().checked != 0);
    });
  }
  ~DialogAccessibilityTest() override { a11y::SetWatcher({}); }
  static QAccessibleInterface* Of(QWidget* widget) { return QAccessible::queryAccessibleInterface(widget); }

  using Told = std::tuple<QAccessible::Event, QString, bool>;  // and whether it is checked
  DialogRig rig;
  PlayerSettings settings;
  std::vector<Told> told;
};

// Every dialog: its role, its name (an alert's is its words), and each of its
// controls that takes the keyboard named, in one of the roles the dialogs use.
TEST_F(DialogAccessibilityTest, EveryDialogAndEachOfItsControlsIsNamedInAFittingRole) {
  QTemporaryDir folder;
  QDir().mkpath(folder.path() + "/data/users");
  SilentSystemBox box;
  PlayerRoster roster{box, [](std::chrono::milliseconds) {}};
  roster.LoadGameDataFrom(folder.path().toStdString(), nullptr);
  ASSERT_TRUE(roster.AddPlayer("Ann"));
  int cancels = 0;
  std::string name;
  TileMenuMemory where{200, 200};
  QPoint introAt(100, 100);
  float hue = 220.0f;
  PuzzleResults results;
  results.gameTime = 65000;
  const auto& b = rig.backgrounds.images;
  using R = QAccessible::Role;
  const struct {
    std::function<SkinnedDialog*()> make;
    R role;
    QString name;  // what it begins with
    size_t controls;
  } cases[] = {
      {[&] { return new NewGameDialog(true, settings, &rig.art, rig.reporter, &rig.owner); }, R::Dialog, "New Game",
       13},
      {[&] { return new OptionsDialog(settings, &rig.art, rig.reporter, &rig.owner); }, R::Dialog, "Options", 16},
      {[&] { return new TileMenuDialog(false, 0, false, where, &rig.art, rig.reporter, &rig.owner); }, R::Dialog,
       "Tile", 12},
      {[&] { return new ChoosePlayerDialog(roster, cancels, &rig.art, rig.reporter, &rig.owner); }, R::Dialog,
       "Choose Player", 5},
      {[&] { return new CreatePlayerDialog(name, &rig.art, rig.reporter, &rig.owner); }, R::Dialog, "Create New Player",
       2},
      {[&] { return new ContinueGameDialog("Welcome back Ann!", "Mistakes: 0", &rig.art, rig.reporter, &rig.owner); },
       R::AlertMessage, "Welcome back Ann!\nMistakes: 0", 2},
      {[&] { return new IntroDialog(1, introAt, hue, &rig.art, rig.reporter, &rig.owner); }, R::Dialog, "Color", 4},
      {[&] { return new MessageDialog("This tile is not a '4'.", 0, b, &rig.art, rig.reporter, &rig.owner); },
       R::AlertMessage, "This tile is not a '4'.", 1},
      {[&] { return new MessageDialog("$LF12:$n$t$RHelp$nExit now?", 1, b, &rig.art, rig.reporter, &rig.owner); },
       R::AlertMessage, "F12: Help\nExit now?", 2},
      {[&] {
         auto* dialog = new ResultsDialog({{true, 1000}}, &rig.art, rig.reporter, &rig.owner);
         dialog->SetResults(results);
         return dialog;
       },
       R::AlertMessage, "Congratulations, you win!\nSolved in 1 minute, 5.0 seconds.\n", 1},
  };
  const R fitting[] = {R::Button,   R::RadioButton, R::CheckBox, R::EditableText,
                       R::ComboBox, R::Slider,      R::List,     R::ListItem};
  for (const auto& c : cases) {
    std::unique_ptr<SkinnedDialog> dialog(c.make());
    ASSERT_TRUE(Open(*dialog));
    QAccessibleInterface* face = Of(dialog.get());
    EXPECT_EQ(face->role(), c.role) << c.name.toStdString();
    EXPECT_TRUE(face->text(QAccessible::Name).startsWith(c.name)) << face->text(QAccessible::Name).toStdString();
    std::vector<std::pair<QString, R>> controls;
    Controls(face, controls);
    EXPECT_EQ(controls.size(), c.controls) << c.name.toStdString();
    for (const auto& [named, role] : controls) {
      EXPECT_FALSE(named.isEmpty()) << c.name.toStdString() << " " << role;
      EXPECT_NE(std::find(std::begin(fitting), std::end(fitting), role), std::end(fitting)) << named.toStdString();
    }
  }
}

TEST_F(DialogAccessibilityTest, RadioButtonsAndCheckBoxesReportAndAnnounceTheirState) {
  settings.type = 1;  // Payback
  NewGameDialog dialog(true, settings, &rig.art, rig.reporter, &rig.owner);
  ASSERT_TRUE(Open(dialog));
  QTest::mouseClick(dialog.Control(NewGameDialog::kFirstType + 2), Qt::LeftButton);
  Of(dialog.Control(NewGameDialog::kIgnoreMistakes))
      ->actionInterface()
      ->doAction(QAccessibleActionInterface::toggleAction());
  EXPECT_EQ(settings.type, 2);
  EXPECT_TRUE(settings.ignoreMistakes);
  // Each told with the state it reports now.
  EXPECT_EQ(told, (std::vector<Told>{{QAccessible::StateChanged, "Payback", false},
                                     {QAccessible::StateChanged, "Blackout", true},
                                     {QAccessible::StateChanged, "Ignore Mistakes (advanced)", true}}));
}

TEST_F(DialogAccessibilityTest, TheColourIsASliderTheKeysMove) {
  settings.hue = 220.0f;
  OptionsDialog dialog(settings, &rig.art, rig.reporter, &rig.owner);
  ASSERT_TRUE(Open(dialog));
  QWidget* slider = dialog.Control(SkinnedDialog::kColorSlider);
  QAccessibleValueInterface* value = Of(slider)->valueInterface();
  ASSERT_TRUE(value);
  const std::pair<Qt::Key, float> moves[] = {{Qt::Key_Right, 225.0f}, {Qt::Key_Down, 220.0f}, {Qt::Key_PageUp, 250.0f},
                                             {Qt::Key_End, 360.0f},   {Qt::Key_Up, 360.0f},   {Qt::Key_Home, 0.0f}};
  for (const auto& [key, hue] : moves) {
    told.clear();
    QTest::keyClick(slider, key);
    EXPECT_FLOAT_EQ(settings.hue, hue) << key;
    EXPECT_DOUBLE_EQ(value->currentValue().toDouble(), hue);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(std::get<0>(told[0]), QAccessible::ValueChanged);
  }
  QAccessibleInterface* list = Of(dialog.Control(OptionsDialog::kLeftButton));
  EXPECT_EQ(list->text(QAccessible::Name) + ": " + list->text(QAccessible::Value), "Left Mouse Button: Quick Play");
}

TEST_F(DialogAccessibilityTest, TheFocusFrameShowsOnlyOnceTheKeyboardMoves) {
  NewGameDialog dialog(true, settings, &rig.art, rig.reporter, &rig.owner);
  ASSERT_TRUE(Open(dialog));
  dialog.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  QImage opened = DialogRig::Shot(dialog);
  dialog.Control(NewGameDialog::kExplain)->setFocus();
  EXPECT_TRUE(DialogRig::Shot(dialog) == opened) << "the keyboard given by the program draws no frame";
  QTest::keyClick(dialog.focusWidget(), Qt::Key_Tab);  // Explain is followed by the colour
  ASSERT_EQ(dialog.focusWidget(), dialog.Control(SkinnedDialog::kColorSlider));
  const QImage framed = DialogRig::Shot(dialog);
  const QRect spectrum = dialog.focusWidget()->geometry();
  EXPECT_EQ(framed.pixel(spectrum.topLeft()) & 0xFFFFFF, 0x202020u);
  EXPECT_EQ(framed.pixel(spectrum.topLeft() + QPoint(1, 1)) & 0xFFFFFF, 0xFFFFFFu);
  QImage outside = framed;
  for (QImage* image : {&outside, &opened}) QPainter(image).fillRect(spectrum, Qt::black);
  EXPECT_TRUE(outside == opened) << "only the control with the keyboard changed";
}

}  // namespace
}  // namespace velmora::testing
