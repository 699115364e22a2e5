// Options: layout and faces, commands, check boxes, the colour, the two
// explanations, and the ways out.
#include <gtest/gtest.h>

#include <QComboBox>

#include "dialog_rig.h"
#include "message_dialog.h"
#include "options_dialog.h"

namespace velmora::testing {
namespace {

class OptionsTest : public ::testing::Test {
 protected:
  OptionsTest() {
    settings.actionMouseButtonLeft = 0;
    settings.actionMouseButtonRight = 3;
    settings.statClock = true;
    settings.statHints = true;
    settings.hue = 220.0f;
  }
  std::unique_ptr<OptionsDialog> Make() {
    return std::make_unique<OptionsDialog>(settings, &rig.art, rig.reporter, &rig.owner);
  }
  DialogRig rig;
  PlayerSettings settings;
};

TEST_F(OptionsTest, OpensWithEveryControlInPlaceAndTheRightFaces) {
  auto dialog = Make();
  ASSERT_TRUE(Open(*dialog));
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Options"));
  EXPECT_EQ(dialog->size(), QSize(370, 460));
  const std::tuple<int, QRect, int> buttons[] = {{OptionsDialog::kOk, {260, 422, 100, 28}, 308},
                                                 {OptionsDialog::kCancel, {10, 422, 100, 28}, 296},
                                                 {OptionsDialog::kExplainMouse, {10, 65, 100, 28}, 300},
                                                 {OptionsDialog::kExplainKeys, {10, 172, 100, 28}, 300},
                                                 {OptionsDialog::kViewTutorial, {10, 224, 150, 28}, 310},
                                                 {OptionsDialog::kUseTips, {10, 276, 24, 24}, 303},
                                                 {1183, {200, 120, 24, 24}, 304},
                                                 {1184, {200, 146, 24, 24}, 303},
                                                 {1185, {200, 172, 24, 24}, 303},
                                                 {1186, {200, 198, 24, 24}, 304},
                                                 {1187, {200, 224, 24, 24}, 303},
                                                 {1188, {200, 250, 24, 24}, 303},
                                                 {1189, {200, 276, 24, 24}, 303}};
  for (const auto& [id, place, face] : buttons) {
    EXPECT_EQ(dialog->Control(id)->geometry(), place) << id;
    EXPECT_TRUE(rig.ShowsFace(*dialog, id, face)) << id;
  }
  for (int id : {OptionsDialog::kLeftButton, OptionsDialog::kRightButton}) {
    QComboBox* list = dialog->CommandList(id);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->pos(), id == OptionsDialog::kLeftButton ? QPoint(10, 30) : QPoint(200, 30));
    EXPECT_EQ(list->width(), 155);
    ASSERT_EQ(list->count(), 5);
    EXPECT_EQ(list->itemText(0), QStringLiteral("Quick Play"));
    EXPECT_EQ(list->itemText(4), QStringLiteral("Select Tile"));
  }
  EXPECT_EQ(dialog->CommandList(OptionsDialog::kLeftButton)->currentIndex(), 0);
  EXPECT_EQ(dialog->CommandList(OptionsDialog::kRightButton)->currentIndex(), 3);
}

TEST_F(OptionsTest, CommandsAndCheckBoxesEditTheSettings) {
  auto dialog = Make();
  ASSERT_TRUE(Open(*dialog));
  dialog->CommandList(OptionsDialog::kLeftButton)->setCurrentIndex(3);
  EXPECT_EQ(settings.actionMouseButtonLeft, 3);
  EXPECT_EQ(settings.actionMouseButtonRight, 3);  // both may hold the same command
  dialog->CommandList(OptionsDialog::kRightButton)->setCurrentIndex(4);
  EXPECT_EQ(settings.actionMouseButtonRight, 4);
  QTest::mouseClick(dialog->Control(1183), Qt::LeftButton);
  QTest::mouseClick(dialog->Control(1188), Qt::LeftButton);
  QTest::mouseClick(dialog->Control(1189), Qt::LeftButton);
  QTest::mouseClick(dialog->Control(OptionsDialog::kUseTips), Qt::LeftButton);
  EXPECT_FALSE(settings.statClock);
  EXPECT_TRUE(settings.statFreePlays);
  EXPECT_TRUE(settings.statTilesFound);
  EXPECT_TRUE(settings.statHints);
  EXPECT_FALSE(settings.statMistakes);
  EXPECT_TRUE(settings.useTipsWindow);
  EXPECT_TRUE(rig.ShowsFace(*dialog, 1183, 303));
  EXPECT_TRUE(rig.ShowsFace(*dialog, 1188, 304));
  EXPECT_TRUE(rig.ShowsFace(*dialog, OptionsDialog::kUseTips, 304));
}

TEST_F(OptionsTest, ClicksOnTheSpectrumPickTheHue) {
  auto dialog = Make();
  ASSERT_TRUE(Open(*dialog));
  QTest::mouseClick(dialog.get(), Qt::LeftButton, Qt::NoModifier, QPoint(200, 416));
  QTest::mouseClick(dialog.get(), Qt::LeftButton, Qt::NoModifier, QPoint(119, 380));
  EXPECT_FLOAT_EQ(settings.hue, 220.0f);
  QTest::mouseClick(dialog.get(), Qt::LeftButton, Qt::NoModifier, QPoint(360, 415));
  EXPECT_FLOAT_EQ(settings.hue, 360.0f);
  QTest::mouseClick(dialog.get(), Qt::LeftButton, Qt::NoModifier, QPoint(200, 340));
  EXPECT_FLOAT_EQ(settings.hue, 120.0f);
  EXPECT_EQ(DialogRig::Shot(*dialog).pixel(60, 370) & 0xFFFFFF, 0x00FF00u);
}

TEST_F(OptionsTest, TheExplanationsFillTheLargeMessage) {
  auto dialog = Make();
  ASSERT_TRUE(Open(*dialog));
  QTest::mouseClick(dialog->Control(OptionsDialog::kExplainKeys), Qt::LeftButton);
  // The keys added since follow the list on a page of their own.
  ASSERT_EQ(rig.messages.size(), 2u);
  MessageDialog more(rig.messages[1].text, MessageDialog::kNotice, rig.backgrounds.images, &rig.art, rig.reporter,
                     &rig.owner);
  std::vector<std::string> shown;
  for (const auto& line : more.Lines()) shown.push_back(line.text);
  EXPECT_EQ(shown, (std::vector<std::string>{
                       "More Keyboard Commands", "CTRL+Z:", "Undo", "CTRL+Y or CTRL+SHIFT+Z:", "Redo",
                       "CTRL+M:", "Fill In Candidates", "P or Pause:", "Pause", "",
                       "Right-click outside the board:", "Window menu", "Menu key or SHIFT+F10:", "Window menu"}));
  EXPECT_EQ(more.Height(), 300);
  rig.messages.erase(rig.messages.begin() + 1);
  QTest::mouseClick(dialog->Control(OptionsDialog::kExplainMouse), Qt::LeftButton);
  ASSERT_EQ(rig.messages.size(), 2u);
  MessageDialog keys(rig.messages[0].text, MessageDialog::kNotice, rig.backgrounds.images, &rig.art, rig.reporter,
                     &rig.owner);
  EXPECT_EQ(keys.Height(), 450);
  ASSERT_EQ(keys.Lines().size(), 35u);
  EXPECT_EQ(keys.Lines()[0].text, "Keyboard Commands");
  EXPECT_EQ(keys.Lines()[1].text, "Arrow Keys:");
  EXPECT_EQ(keys.Lines()[1].alignment, MessageDialog::kLeft);
  EXPECT_EQ(keys.Lines()[2].text, "Move the Cursor Tile");
  EXPECT_EQ(keys.Lines()[2].alignment, MessageDialog::kRight);
  EXPECT_EQ(keys.RowsOfLines().back(), 18);
  EXPECT_EQ(keys.Lines()[34].text, "Play Beginner's Guide");
  MessageDialog mouse(rig.messages[1].text, MessageDialog::kNotice, rig.backgrounds.images, &rig.art, rig.reporter,
                      &rig.owner);
  EXPECT_EQ(mouse.Lines().size(), 17u);
  EXPECT_EQ(mouse.Height(), 450);
}

TEST_F(OptionsTest, ResultsByMouseAndKeyboard) {
  struct Case {
    std::function<void(OptionsDialog&)> act;
    int result;
    bool tutorial;
  };
  const Case cases[] = {
      {[](OptionsDialog& d) { QTest::mouseClick(d.Control(OptionsDialog::kOk), Qt::LeftButton); }, 2, false},
      {[](OptionsDialog& d) { QTest::keyClick(&d, Qt::Key_Return); }, 2, false},
      {[](OptionsDialog& d) { QTest::mouseClick(d.Control(OptionsDialog::kViewTutorial), Qt::LeftButton); }, 2, true},
      {[](OptionsDialog& d) { QTest::mouseClick(d.Control(OptionsDialog::kCancel), Qt::LeftButton); }, 0, false},
      {[](OptionsDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }, 0, false},
      {[](OptionsDialog& d) { d.close(); }, 0, false}};
  int index = 0;
  for (const Case& c : cases) {
    auto dialog = Make();
    ASSERT_TRUE(Open(*dialog));
    c.act(*dialog);
    EXPECT_FALSE(dialog->isVisible()) << index;
    EXPECT_EQ(dialog->Result(), c.result) << index;
    EXPECT_EQ(dialog->ViewTutorial(), c.tutorial) << index;
    ++index;
  }
}

}  // namespace
}  // namespace velmora::testing
