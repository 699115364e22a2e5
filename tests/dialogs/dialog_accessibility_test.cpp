// The skinned dialogs as assistive technology sees them: each dialog's role and
// name, every control that takes the keyboard named in a role that fits it,
// radio buttons and check boxes reporting and announcing their state, the colour
// control as a slider moved by keys, and the focus frame, shown only once the
// keyboard has moved.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QDir>
#include <QTemporaryDir>
#include <functional>
#include <memory>

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

using Named = std::vector<std::pair<QString, QAccessible::Role>>;

// The controls below a dialog that take the keyboard, with their names and roles.
void Controls(QAccessibleInterface* face, Named& into) {
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
      told.push_back({event.type(), face->text(QAccessible::Name), face->state().checked != 0});
    });
  }
  ~DialogAccessibilityTest() override { a11y::SetWatcher({}); }
  static QAccessibleInterface* Of(QWidget* widget) { return QAccessible::queryAccessibleInterface(widget); }

  struct Told {
    QAccessible::Event type;
    QString name;
    bool checked;
    bool operator==(const Told&) const = default;
  };
  DialogRig rig;
  PlayerSettings settings;
  std::vector<Told> told;
};

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
  results.puzzleCode = "AA1500";
  results.kind = "Normal - Easy";
  const auto& b = rig.backgrounds.images;
  using R = QAccessible::Role;
  const R button = R::Button, radio = R::RadioButton, check = R::CheckBox;
  const struct {
    std::function<SkinnedDialog*()> make;
    R role;
    QString name;  // what it begins with
    Named controls;
  } cases[] = {
      {[&] { return new NewGameDialog(true, settings, &rig.art, rig.reporter, &rig.owner); },
       R::Dialog,
       "New Game",
       {{"Begin", button},
        {"Cancel", button},
        {"Explain Ignore Mistakes", button},
        {"Normal", radio},
        {"Payback", radio},
        {"Blackout", radio},
        {"Easy", radio},
        {"Medium", radio},
        {"Hard", radio},
        {"Expert", radio},
        {"Ignore Mistakes (advanced)", check},
        {"Puzzle Code", R::EditableText},
        {"Game Color", R::Slider}}},
      {[&] { return new OptionsDialog(settings, &rig.art, rig.reporter, &rig.owner); },
       R::Dialog,
       "Options",
       {{"OK", button},
        {"Cancel", button},
        {"Explain Mouse Commands", button},
        {"Explain Keyboard Commands", button},
        {"Learn to Play", button},
        {"Use Tips Window", check},
        {"Game Timer", check},
        {"Difficulty", check},
        {"Game Type", check},
        {"Hints", check},
        {"Mistakes", check},
        {"Free Plays", check},
        {"Tiles Found", check},
        {"Left Mouse Button", R::ComboBox},
        {"Right Mouse Button", R::ComboBox},
        {"Game Color", R::Slider}}},
      {[&] { return new TileMenuDialog(false, 0, false, where, &rig.art, rig.reporter, &rig.owner); },
       R::Dialog,
       "Tile",
       {{"1", button},
        {"2", button},
        {"3", button},
        {"4", button},
        {"5", button},
        {"6", button},
        {"7", button},
        {"8", button},
        {"9", button},
        {"Eraser", button},
        {"Cancel", button},
        {"Digit, or x for the eraser", R::EditableText}}},
      {[&] { return new ChoosePlayerDialog(roster, cancels, &rig.art, rig.reporter, &rig.owner); },
       R::Dialog,
       "Choose Player",
       {{"Players", R::List},
        {"Ann", R::ListItem},
        {"Play", button},
        {"Add Player", button},
        {"Remove Player", button}}},
      {[&] { return new CreatePlayerDialog(name, &rig.art, rig.reporter, &rig.owner); },
       R::Dialog,
       "Create New Player",
       {{"Your name", R::EditableText}, {"Cancel", button}}},
      {[&] {
         return new ContinueGameDialog("Welcome back Ann!", "-Last Game Details-", &rig.art, rig.reporter, &rig.owner);
       },
       R::AlertMessage,
       "Welcome back Ann!\n-Last Game Details-",
       {{"No", button}, {"Yes", button}}},
      {[&] { return new IntroDialog(1, introAt, hue, &rig.art, rig.reporter, &rig.owner); },
       R::Dialog,
       "Color",
       {{"Cancel", button}, {"Back", button}, {"Next", button}, {"Game Color", R::Slider}}},
      {[&] { return new MessageDialog("This tile is not a '4'.", 0, b, &rig.art, rig.reporter, &rig.owner); },
       R::AlertMessage,
       "This tile is not a '4'.",
       {{"OK", button}}},
      {[&] {
         return new MessageDialog("$LF12:$n$t$RPlay Beginner's Guide$nExit now?", 1, b, &rig.art, rig.reporter,
                                  &rig.owner);
       },
       R::AlertMessage,
       "F12: Play Beginner's Guide\nExit now?",
       {{"No", button}, {"Yes", button}}},
      {[&] {
         auto* dialog = new ResultsDialog({{true, 1000}}, &rig.art, rig.reporter, &rig.owner);
         dialog->SetResults(results);
         return dialog;
       },
       R::AlertMessage,
       "Congratulations, you win!\nSolved in 1 minute, 5.0 seconds.\n",
       {{"Done", button}}},
  };
  for (const auto& c : cases) {
    std::unique_ptr<SkinnedDialog> dialog(c.make());
    ASSERT_TRUE(Open(*dialog));
    QAccessibleInterface* face = Of(dialog.get());
    EXPECT_EQ(face->role(), c.role) << c.name.toStdString();
    EXPECT_TRUE(face->text(QAccessible::Name).startsWith(c.name)) << face->text(QAccessible::Name).toStdString();
    Named controls;
    Controls(face, controls);
    std::sort(controls.begin(), controls.end());
    Named expected = c.controls;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(controls, expected) << c.name.toStdString();
  }
}

TEST_F(DialogAccessibilityTest, RadioButtonsAndCheckBoxesReportAndAnnounceTheirState) {
  settings.type = 1;  // Payback
  NewGameDialog dialog(true, settings, &rig.art, rig.reporter, &rig.owner);
  ASSERT_TRUE(Open(dialog));
  EXPECT_TRUE(Of(dialog.Control(NewGameDialog::kFirstType + 1))->state().checked);
  EXPECT_FALSE(Of(dialog.Control(NewGameDialog::kFirstType + 2))->state().checked);
  QTest::mouseClick(dialog.Control(NewGameDialog::kFirstType + 2), Qt::LeftButton);
  Of(dialog.Control(NewGameDialog::kIgnoreMistakes))
      ->actionInterface()
      ->doAction(QAccessibleActionInterface::toggleAction());
  EXPECT_EQ(settings.type, 2);
  EXPECT_TRUE(settings.ignoreMistakes);
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
    EXPECT_EQ(told[0].type, QAccessible::ValueChanged);
  }
  EXPECT_EQ(Of(dialog.Control(OptionsDialog::kLeftButton))->text(QAccessible::Value), "Quick Play");
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
