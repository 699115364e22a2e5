// Continue Game: layout, faces, texts and its answers.
#include <gtest/gtest.h>

#include "continue_game_dialog.h"
#include "dialog_rig.h"

namespace velmora::testing {
namespace {

const char kQuestion[] = "Welcome back Tess!\nWould you like to continue your last game?";
const char kDetails[] =
    "-Last Game Details-\nType: Normal\nDifficulty: Easy\nMistakes: 2\nTime Played: 1 minute, 5.0 seconds";

TEST(ContinueGame, OpensWithNoAndYesAndTheTexts) {
  DialogRig rig;
  ContinueGameDialog dialog(kQuestion, kDetails, &rig.art, rig.reporter, &rig.owner);
  ASSERT_TRUE(Open(dialog));
  EXPECT_EQ(dialog.size(), QSize(400, 240));
  EXPECT_EQ(dialog.Control(ContinueGameDialog::kNo)->geometry(), QRect(15, 197, 100, 28));
  EXPECT_EQ(dialog.Control(ContinueGameDialog::kYes)->geometry(), QRect(285, 197, 100, 28));
  EXPECT_TRUE(rig.ShowsFace(dialog, ContinueGameDialog::kNo, 315));
  EXPECT_TRUE(rig.ShowsFace(dialog, ContinueGameDialog::kYes, 317));
  // Both texts are drawn: white in the question's band and in each details row.
  const QImage shot = DialogRig::Shot(dialog);
  EXPECT_GT(DialogRig::WhitePixels(shot, QRect(0, 14, 400, 41)), 50);
  EXPECT_GT(DialogRig::WhitePixels(shot, QRect(0, 69, 400, 5 * SkinnedDialog::RowHeight())), 150);
  EXPECT_EQ(DialogRig::WhitePixels(shot, QRect(0, 55, 400, 13)), 0);
}

TEST(ContinueGame, YesContinuesAndEverythingElseBeginsANewGame) {
  DialogRig rig;
  using enum ContinueAnswer;
  const std::pair<std::function<void(ContinueGameDialog&)>, ContinueAnswer> cases[] = {
      {[](ContinueGameDialog& d) { QTest::mouseClick(d.Control(ContinueGameDialog::kYes), Qt::LeftButton); },
       kContinue},
      {[](ContinueGameDialog& d) { QTest::keyClick(&d, Qt::Key_Return); }, kContinue},
      {[](ContinueGameDialog& d) { QTest::mouseClick(d.Control(ContinueGameDialog::kNo), Qt::LeftButton); }, kNewGame},
      {[](ContinueGameDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }, kNewGame},
      {[](ContinueGameDialog& d) { d.close(); }, kNewGame},
  };
  int index = 0;
  for (const auto& [act, result] : cases) {
    ContinueGameDialog dialog(kQuestion, kDetails, &rig.art, rig.reporter, &rig.owner);
    ASSERT_TRUE(Open(dialog));
    act(dialog);
    EXPECT_FALSE(dialog.isVisible()) << "case " << index;
    EXPECT_EQ(dialog.Answer(), result) << "case " << index;
    ++index;
  }
}

}  // namespace
}  // namespace velmora::testing
