// New Game: layout and faces, cancelling and "Exit now?", the Puzzle Code box,
// the description panel and its texts, and picking the game colour.
#include <gtest/gtest.h>

#include <QLineEdit>

#include "dialog_rig.h"
#include "game_color_control.h"
#include "message_dialog.h"
#include "new_game_dialog.h"

namespace velmora::testing {
namespace {

class NewGameTest : public ::testing::Test {
 protected:
  NewGameTest() {
    settings.type = 1;
    settings.difficulty = 2;
    settings.hue = 220.0f;
  }
  std::unique_ptr<NewGameDialog> Make(bool cancelAllowed) {
    return std::make_unique<NewGameDialog>(cancelAllowed, settings, &rig.art, rig.reporter, &rig.owner);
  }
  static void ClickAt(NewGameDialog& dialog, int x, int y) {
    QTest::mouseClick(&dialog, Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
  }
  DialogRig rig;
  PlayerSettings settings;
};

TEST_F(NewGameTest, OpensWithEveryControlInPlaceAndTheRightFaces) {
  auto dialog = Make(true);
  ASSERT_TRUE(Open(*dialog));
  EXPECT_EQ(dialog->size(), QSize(458, 460));
  const std::pair<int, QRect> places[] = {{NewGameDialog::kBegin, {298, 400, 150, 50}},
                                          {NewGameDialog::kCancel, {10, 400, 100, 28}},
                                          {NewGameDialog::kExplain, {150, 234, 100, 28}},
                                          {NewGameDialog::kPuzzleCode, {188, 425, 100, 24}},
                                          {1120, {20, 40, 24, 24}},
                                          {1121, {20, 70, 24, 24}},
                                          {1122, {20, 100, 24, 24}},
                                          {1124, {20, 170, 24, 24}},
                                          {1125, {20, 200, 24, 24}},
                                          {1126, {20, 230, 24, 24}},
                                          {1127, {20, 260, 24, 24}},
                                          {NewGameDialog::kIgnoreMistakes, {150, 200, 24, 24}}};
  for (const auto& [id, place] : places) EXPECT_EQ(dialog->Control(id)->geometry(), place) << id;
  const std::pair<int, int> faces[] = {{NewGameDialog::kBegin, 306},
                                       {NewGameDialog::kCancel, 296},
                                       {NewGameDialog::kExplain, 300},
                                       {1120, 301},
                                       {1121, 302},
                                       {1122, 301},
                                       {1124, 301},
                                       {1125, 301},
                                       {1126, 302},
                                       {1127, 301},
                                       {NewGameDialog::kIgnoreMistakes, 303}};
  for (const auto& [id, face] : faces) EXPECT_TRUE(rig.ShowsFace(*dialog, id, face)) << id;
  EXPECT_EQ(dialog->PuzzleCodeBox()->maxLength(), 7);
  // The swatch and the spectrum sit at their places.
  const QImage shot = DialogRig::Shot(*dialog);
  EXPECT_EQ(shot.pixel(60, 350) & 0xFFFFFF, dialog->ColorControl().Swatch().pixel(50, 35) & 0xFFFFFF);
  EXPECT_EQ(shot.pixel(300, 350) & 0xFFFFFF, dialog->ColorControl().Spectrum().pixel(160, 35) & 0xFFFFFF);
}

TEST_F(NewGameTest, ClicksChooseTypeDifficultyAndIgnoreMistakes) {
  auto dialog = Make(true);
  ASSERT_TRUE(Open(*dialog));
  QTest::mouseClick(dialog->Control(1122), Qt::LeftButton);
  QTest::mouseClick(dialog->Control(1127), Qt::LeftButton);
  QTest::mouseClick(dialog->Control(NewGameDialog::kIgnoreMistakes), Qt::LeftButton);
  EXPECT_EQ(settings.type, 2);
  EXPECT_EQ(settings.gameTypeName, "Blackout");
  EXPECT_EQ(settings.difficulty, 3);
  EXPECT_EQ(settings.difficultyName, "Expert");
  EXPECT_TRUE(settings.ignoreMistakes);
  EXPECT_TRUE(rig.ShowsFace(*dialog, 1122, 302));
  EXPECT_TRUE(rig.ShowsFace(*dialog, 1121, 301));
  EXPECT_TRUE(rig.ShowsFace(*dialog, NewGameDialog::kIgnoreMistakes, 304));
  // A radio already chosen stays chosen.
  QTest::mouseClick(dialog->Control(1122), Qt::LeftButton);
  EXPECT_EQ(settings.type, 2);
  EXPECT_TRUE(rig.ShowsFace(*dialog, 1122, 302));
  QTest::mouseClick(dialog->Control(NewGameDialog::kIgnoreMistakes), Qt::LeftButton);
  EXPECT_FALSE(settings.ignoreMistakes);
}

TEST_F(NewGameTest, WithoutCancelEscapeAsksToExitAndNoKeepsTheDialog) {
  auto dialog = Make(false);
  ASSERT_TRUE(Open(*dialog));
  EXPECT_FALSE(dialog->Control(NewGameDialog::kCancel)->isVisible());
  rig.answer = false;
  QTest::keyClick(dialog.get(), Qt::Key_Escape);
  ASSERT_EQ(rig.messages.size(), 1u);
  EXPECT_EQ(rig.messages[0].text, "Exit now?");
  EXPECT_TRUE(rig.messages[0].question);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_FALSE(dialog->ExitProgram());
  rig.answer = true;
  dialog->close();
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_TRUE(dialog->ExitProgram());
  EXPECT_FALSE(dialog->Cancelled());
}

TEST_F(NewGameTest, WithCancelEscapeCloseAndCancelAllCancel) {
  const std::function<void(NewGameDialog&)> ways[] = {
      [](NewGameDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }, [](NewGameDialog& d) { d.close(); },
      [](NewGameDialog& d) { QTest::mouseClick(d.Control(NewGameDialog::kCancel), Qt::LeftButton); }};
  for (const auto& way : ways) {
    auto dialog = Make(true);
    ASSERT_TRUE(Open(*dialog));
    way(*dialog);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(dialog->Cancelled());
    EXPECT_FALSE(dialog->ExitProgram());
  }
  EXPECT_TRUE(rig.messages.empty());
}

TEST_F(NewGameTest, PuzzleCodeLettersTurnUpperCaseUpToTheFirstOtherCharacter) {
  auto dialog = Make(true);
  ASSERT_TRUE(Open(*dialog));
  QLineEdit* box = dialog->PuzzleCodeBox();
  QTest::keyClicks(box, "ab123");
  EXPECT_EQ(box->text(), QStringLiteral("AB123"));
  EXPECT_EQ(box->cursorPosition(), 5);
  box->clear();
  QTest::keyClicks(box, "a-b");
  EXPECT_EQ(box->text(), QStringLiteral("A-b"));
  box->clear();
  QTest::keyClicks(box, "ab123456789");
  EXPECT_EQ(box->text(), QStringLiteral("AB12345"));
}

TEST_F(NewGameTest, BeginChecksThePuzzleCode) {
  const std::pair<const char*, bool> codes[] = {{"AA", true},  {"CD49999", true}, {"AA50000", false}, {"DA1", false},
                                                {"A1", false}, {"BB12x", false},  {"", true}};
  for (const auto& [code, valid] : codes) {
    rig.messages.clear();
    settings.puzzleCode = "XX";
    auto dialog = Make(true);
    ASSERT_TRUE(Open(*dialog));
    dialog->PuzzleCodeBox()->setText(QString::fromLatin1(code));
    QTest::mouseClick(dialog->Control(NewGameDialog::kBegin), Qt::LeftButton);
    if (valid) {
      EXPECT_FALSE(dialog->isVisible()) << code;
      EXPECT_EQ(dialog->result(), QDialog::Accepted) << code;
      EXPECT_EQ(settings.puzzleCode, code);
      EXPECT_TRUE(rig.messages.empty()) << code;
    } else {
      EXPECT_TRUE(dialog->isVisible()) << code;
      ASSERT_EQ(rig.messages.size(), 1u) << code;
      EXPECT_EQ(rig.messages[0].text, "This Puzzle Code is not valid.");
      EXPECT_FALSE(rig.messages[0].question);
      EXPECT_TRUE(dialog->PuzzleCodeBox()->text().isEmpty()) << code;
    }
  }
}

TEST_F(NewGameTest, EnterBegins) {
  auto dialog = Make(false);
  ASSERT_TRUE(Open(*dialog));
  QTest::keyClick(dialog.get(), Qt::Key_Return);
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_FALSE(dialog->ExitProgram());
}

TEST_F(NewGameTest, DescriptionsNameTheNumbersThatApply) {
  auto dialog = Make(true);
  dialog->SelectType(1);
  dialog->SelectDifficulty(3);
  EXPECT_EQ(dialog->Description(),
            "Payback - Expert:\nIn this game type, you must find a\ntile every 1 minute.  If you do, an\n"
            "additional 1 minute will be added.\nHowever, if the time runs out, one of\n"
            "your tiles will be hidden at random.");
  dialog->SelectDifficulty(0);
  EXPECT_NE(dialog->Description().find("tile every 4 minutes.  If you do, an\nadditional 4 minutes will"),
            std::string::npos);
  dialog->SelectType(2);
  dialog->SelectDifficulty(3);
  EXPECT_NE(dialog->Description().find("by choosing 18 tiles to reveal.\n"), std::string::npos);
  dialog->SelectType(0);
  dialog->SelectDifficulty(2);
  EXPECT_EQ(dialog->Description(),
            "Normal - Hard:\nIn this game type, you will be given\na standard Sudoku puzzle.\n"
            "It will have roughly 48 hidden tiles.");
  // Out of range: nothing changes.
  dialog->SelectType(3);
  dialog->SelectDifficulty(-1);
  EXPECT_EQ(settings.type, 0);
  EXPECT_EQ(settings.difficulty, 2);
}

TEST_F(NewGameTest, TheDescriptionPanelIsBurntIntoTheBackground) {
  auto dialog = Make(true);
  const QImage& background = dialog->Background();
  const QImage generic = rig.art.Picture(GameBitmapTable::IndexOf(SkinnedDialog::kGenericBackgroundId));
  auto grey = [&](int x, int y) {
    const QRgb p = background.pixel(x, y);
    return qRed(p) == qGreen(p) && qGreen(p) == qBlue(p) ? qRed(p) : -1;
  };
  EXPECT_EQ(grey(140, 9), 28);
  EXPECT_EQ(grey(447, 148), 28);
  EXPECT_EQ(grey(141, 60), 70);
  EXPECT_EQ(grey(446, 60), 78);
  EXPECT_EQ(grey(200, 10), 56);
  EXPECT_EQ(grey(200, 147), 98);
  const QRgb inner = background.pixel(300, 80), original = generic.pixel(300, 80);
  EXPECT_EQ(qRed(inner), std::min(qRed(original) + 10, 255));
  EXPECT_EQ(qBlue(inner), std::min(qBlue(original) + 10, 255));
  EXPECT_EQ(background.pixel(139, 80), generic.pixel(139, 80));
}

TEST_F(NewGameTest, ClicksOnTheSpectrumPickTheHue) {
  auto dialog = Make(true);
  ASSERT_TRUE(Open(*dialog));
  ClickAt(*dialog, 139, 350);
  ClickAt(*dialog, 300, 393);
  ClickAt(*dialog, 300, 314);
  EXPECT_FLOAT_EQ(settings.hue, 220.0f);
  ClickAt(*dialog, 448, 392);
  EXPECT_FLOAT_EQ(settings.hue, 360.0f);
  // 360 degrees shows as red.
  EXPECT_EQ(DialogRig::Shot(*dialog).pixel(60, 350) & 0xFFFFFF, 0xFF0000u);
  ClickAt(*dialog, 140, 315);
  EXPECT_FLOAT_EQ(settings.hue, 0.0f);
  ClickAt(*dialog, 217, 330);
  EXPECT_FLOAT_EQ(settings.hue, 77.0f * 360.0f / 308.0f);
}

TEST_F(NewGameTest, ExplainShowsASixRowNotice) {
  auto dialog = Make(true);
  ASSERT_TRUE(Open(*dialog));
  QTest::mouseClick(dialog->Control(NewGameDialog::kExplain), Qt::LeftButton);
  ASSERT_EQ(rig.messages.size(), 1u);
  EXPECT_FALSE(rig.messages[0].question);
  MessageDialog shown(rig.messages[0].text, MessageDialog::kNotice, rig.backgrounds.images, &rig.art, rig.reporter,
                      &rig.owner);
  EXPECT_EQ(shown.Lines().size(), 6u);
  EXPECT_EQ(shown.Lines()[1].text, "    This is for a true 'pencil-and-paper' game.");
  EXPECT_EQ(shown.Height(), 300);
  EXPECT_TRUE(dialog->isVisible());
}

TEST(GameColorControlTest, SpectrumRunsThroughTheHuesDarkerDownwardsInAFrame) {
  DialogRig rig;
  GameColorControl control(nullptr, rig.reporter);
  ASSERT_TRUE(control.BuildSpectrum(308, 77));
  const QImage& spectrum = control.Spectrum();
  ASSERT_EQ(spectrum.size(), QSize(308, 77));
  auto at = [&](int x, int y) { return QColor(spectrum.pixel(x, y)); };
  EXPECT_EQ(at(0, 30).red(), 28);
  EXPECT_EQ(at(150, 0).red(), 28);
  EXPECT_EQ(at(150, 1).red(), 56);
  EXPECT_EQ(at(150, 75).red(), 98);
  EXPECT_EQ(at(1, 30).red(), 70);
  EXPECT_EQ(at(306, 30).red(), 78);
  // Red, yellow, green, cyan, blue, magenta at 80 % saturation along a row.
  const int row = 2;
  const int columns[] = {2, 52, 103, 154, 205, 256};
  const int hues[] = {0, 60, 120, 180, 240, 300};
  for (int k = 0; k < 6; ++k) {
    const QColor colour = at(columns[k], row);
    EXPECT_NEAR(colour.hsvHue(), hues[k], 4) << k;
    EXPECT_NEAR(colour.hsvSaturationF(), 0.8, 0.02) << k;
    EXPECT_NEAR(colour.value(), 255 - 2 * 153.0 / 77, 1.5) << k;
  }
  EXPECT_NEAR(at(154, 74).value(), 255 - 74 * 153.0 / 77, 1.5);
}

TEST(GameColorControlTest, SwatchIsTheFullColourInTheSameFrame) {
  DialogRig rig;
  GameColorControl control(nullptr, rig.reporter);
  bool exists = false;
  ASSERT_TRUE(control.BuildSwatch(360.0f, exists, 10, 315, 120, 77));
  EXPECT_TRUE(exists);
  EXPECT_EQ(control.Swatch().pixel(60, 40) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(control.Swatch().pixel(0, 40) & 0xFFFFFF, 0x1C1C1Cu);
  EXPECT_EQ(control.Swatch().pixel(60, 1) & 0xFFFFFF, 0x383838u);
  ASSERT_TRUE(control.BuildSwatch(240.0f, exists, 10, 315, 120, 77));
  EXPECT_EQ(control.Swatch().pixel(60, 40) & 0xFFFFFF, 0x0000FFu);
  EXPECT_FLOAT_EQ(GameColorControl::NormaliseHue(-30.0f), 330.0f);
  EXPECT_FLOAT_EQ(GameColorControl::NormaliseHue(721.0f), 0.0f);
  EXPECT_FLOAT_EQ(GameColorControl::NormaliseHue(700.0f), 340.0f);
}

}  // namespace
}  // namespace velmora::testing
