// The message dialog: mark-up, wrapping, the three sizes, buttons and results,
// and the presenter the game window's reporter uses.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QTimer>

#include "dialog_rig.h"
#include "message_dialog.h"

namespace velmora::testing {
namespace {

class MessageTest : public ::testing::Test {
 protected:
  std::unique_ptr<MessageDialog> Make(const std::string& text, int kind = MessageDialog::kNotice) {
    return std::make_unique<MessageDialog>(text, kind, rig.backgrounds.images, &rig.art, rig.reporter, &rig.owner);
  }
  static std::string Rows(int count) {
    std::string text = "row 1";
    for (int k = 2; k <= count; ++k) text += "$nrow " + std::to_string(k);
    return text;
  }
  DialogRig rig;
};

TEST_F(MessageTest, AShortNoticeIsCentredInTheSmallBoxWithOneOk) {
  auto dialog = Make("This Puzzle Code is not valid.");
  ASSERT_TRUE(Open(*dialog));
  EXPECT_EQ(dialog->size(), QSize(400, 150));
  EXPECT_EQ(dialog->Control(MessageDialog::kOk)->geometry(), QRect(150, 94, 100, 28));
  EXPECT_FALSE(dialog->Control(MessageDialog::kCancel)->isVisible());
  EXPECT_TRUE(rig.ShowsFace(*dialog, MessageDialog::kOk, 308));
  // The white text's extent is centred on the text rectangle both ways.
  const QImage shot = DialogRig::Shot(*dialog);
  const QImage background = ImageOperations::OpaqueCopy(rig.backgrounds.images[0]);
  int left = 400, right = 0, top = 150, bottom = 0;
  for (int y = 0; y < 90; ++y)
    for (int x = 0; x < 400; ++x)
      if ((shot.pixel(x, y) & 0xFFFFFF) != (background.pixel(x, y) & 0xFFFFFF)) {
        left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = std::max(bottom, y);
      }
  ASSERT_LT(left, right) << left << " " << right << " " << top << " " << bottom;
  EXPECT_NEAR((left + right + 1) / 2.0, 199.0, 3.0);
  EXPECT_NEAR((top + bottom + 1) / 2.0, (15 + 79) / 2.0 - 0.5, 4.0);
}

TEST_F(MessageTest, AQuestionHasNoAndYes) {
  auto dialog = Make("Exit now?", MessageDialog::kQuestion);
  ASSERT_TRUE(Open(*dialog));
  EXPECT_EQ(dialog->Control(MessageDialog::kCancel)->geometry(), QRect(72, 94, 100, 28));
  EXPECT_EQ(dialog->Control(MessageDialog::kOk)->geometry(), QRect(228, 94, 100, 28));
  EXPECT_TRUE(rig.ShowsFace(*dialog, MessageDialog::kCancel, 315));
  EXPECT_TRUE(rig.ShowsFace(*dialog, MessageDialog::kOk, 317));
}

TEST_F(MessageTest, ResultsByMouseAndKeyboard) {
  struct Case {
    int kind;
    std::function<void(MessageDialog&)> act;
    int result;
  };
  const Case cases[] = {
      {MessageDialog::kQuestion,
       [](MessageDialog& d) { QTest::mouseClick(d.Control(MessageDialog::kOk), Qt::LeftButton); }, 6},
      {MessageDialog::kQuestion,
       [](MessageDialog& d) { QTest::mouseClick(d.Control(MessageDialog::kCancel), Qt::LeftButton); }, 7},
      {MessageDialog::kQuestion, [](MessageDialog& d) { d.close(); }, 7},
      {MessageDialog::kQuestion, [](MessageDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }, 7},
      {MessageDialog::kQuestion, [](MessageDialog& d) { QTest::keyClick(&d, Qt::Key_Return); }, 6},
      {MessageDialog::kNotice,
       [](MessageDialog& d) { QTest::mouseClick(d.Control(MessageDialog::kOk), Qt::LeftButton); }, 2},
      {MessageDialog::kNotice, [](MessageDialog& d) { QTest::keyClick(&d, Qt::Key_Return); }, 2},
      {MessageDialog::kNotice, [](MessageDialog& d) { d.close(); }, 1},
  };
  int index = 0;
  for (const Case& c : cases) {
    auto dialog = Make("Exit now?", c.kind);
    ASSERT_TRUE(Open(*dialog));
    c.act(*dialog);
    EXPECT_FALSE(dialog->isVisible()) << "case " << index;
    EXPECT_EQ(dialog->Result(), c.result) << "case " << index;
    ++index;
  }
}

TEST_F(MessageTest, SizeFollowsTheRowsAndTwentyRowsBlankTheText) {
  EXPECT_EQ(Make(Rows(2))->Height(), 150);
  EXPECT_EQ(Make(Rows(3))->Height(), 300);
  EXPECT_EQ(Make(Rows(8))->Height(), 300);
  EXPECT_EQ(Make(Rows(9))->Height(), 450);
  auto nineteen = Make(Rows(19));
  EXPECT_EQ(nineteen->Height(), 450);
  EXPECT_FALSE(nineteen->Blanked());
  ASSERT_TRUE(Open(*nineteen));
  EXPECT_EQ(nineteen->size(), QSize(400, 450));
  EXPECT_EQ(nineteen->Control(MessageDialog::kOk)->geometry(), QRect(150, 394, 100, 28));
  EXPECT_GT(DialogRig::WhitePixels(DialogRig::Shot(*nineteen), QRect(14, 5, 372, 380)), 100);

  auto twenty = Make(Rows(20));
  EXPECT_EQ(twenty->Height(), 150);
  EXPECT_TRUE(twenty->Blanked());
  ASSERT_TRUE(Open(*twenty));
  EXPECT_EQ(twenty->size(), QSize(400, 150));
  EXPECT_EQ(DialogRig::WhitePixels(DialogRig::Shot(*twenty), QRect(0, 0, 400, 90)), 0);
  // Rows on the same row as the one before do not count.
  std::string sameRows = Rows(19);
  for (int k = 0; k < 5; ++k) sameRows += "$n$tbeside";
  EXPECT_EQ(Make(sameRows)->Height(), 450);
  // Plain texts count their line breaks.
  EXPECT_EQ(Make("a\nb\nc")->Height(), 150);
  EXPECT_EQ(Make("a\nb\nc\nd")->Height(), 300);
}

TEST_F(MessageTest, MarkUpGivesAlignedRecordsOnSharedRows) {
  auto dialog = Make("$n$LArrow Keys:$n$t$RMove the Cursor Tile");
  ASSERT_TRUE(dialog->Parsed());
  const auto& lines = dialog->Lines();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].text, "");
  EXPECT_EQ(lines[1].text, "Arrow Keys:");
  EXPECT_EQ(lines[1].alignment, MessageDialog::kLeft);
  EXPECT_EQ(lines[2].text, "Move the Cursor Tile");
  EXPECT_EQ(lines[2].alignment, MessageDialog::kRight);
  EXPECT_TRUE(lines[2].sameRow);
  EXPECT_EQ(dialog->RowsOfLines(), (std::vector<int>{1, 2, 2}));
  EXPECT_EQ(dialog->Height(), 150);
  // Drawn: the left text starts at the left edge, the right one ends at the right edge, one row.
  ASSERT_TRUE(Open(*dialog));
  const QImage shot = DialogRig::Shot(*dialog);
  const int rowTop = 15 + 2 * SkinnedDialog::RowHeight() - 1;
  const QRect row(0, rowTop, 400, SkinnedDialog::RowHeight());
  EXPECT_GT(DialogRig::WhitePixels(shot, QRect(13, row.top(), 60, row.height())), 10);
  EXPECT_GT(DialogRig::WhitePixels(shot, QRect(326, row.top(), 60, row.height())), 10);
  EXPECT_EQ(DialogRig::WhitePixels(shot, QRect(180, row.top(), 40, row.height())), 0);
  EXPECT_EQ(DialogRig::WhitePixels(shot, QRect(0, 0, 400, rowTop - SkinnedDialog::RowHeight())), 0);
}

TEST_F(MessageTest, OtherMarksAndOverlongLines) {
  auto dialog = Make("$c$$centre$n$lleft in$n$rright in$nlast");
  ASSERT_TRUE(dialog->Parsed());
  const auto& lines = dialog->Lines();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].text, "centre");
  EXPECT_EQ(lines[0].alignment, MessageDialog::kCentre);
  EXPECT_EQ(lines[1].alignment, MessageDialog::kLeftInset);
  EXPECT_EQ(lines[2].alignment, MessageDialog::kRightInset);
  EXPECT_EQ(lines[3].text, "last");
  // 255 characters between two "$n" stay; 256 show as an empty row.
  const std::string fits(255, 'x'), tooLong(256, 'y');
  auto longLines = Make("a$n" + fits + "$n" + tooLong + "$nb");
  ASSERT_EQ(longLines->Lines().size(), 4u);
  EXPECT_EQ(longLines->Lines()[1].text, fits);
  EXPECT_EQ(longLines->Lines()[2].text, "");
  EXPECT_EQ(longLines->Lines()[3].text, "b");
}

TEST_F(MessageTest, AnUnknownMarkIsNotShownAndAnswersAsCancelled) {
  auto question = Make("Really?$n$xNo such mark", MessageDialog::kQuestion);
  EXPECT_FALSE(question->Valid());
  EXPECT_EQ(question->Run(), 7);
  EXPECT_FALSE(question->isVisible());
  auto notice = Make("Ends in a lone mark$n$");
  EXPECT_FALSE(notice->Valid());
  EXPECT_EQ(notice->Run(), 0);
}

// A text of n four-letter words wider than the text rectangle is cut into
// rows of about perLine = length / (width / 372 + 1) characters: the count
// before the j-th space of a row is 5j - 1, so the break follows the first
// space where 5j - 1 >= perLine, and every row but the last holds
// j = (perLine + 5) / 5 words.
TEST_F(MessageTest, PlainTextsWrapAfterSpacesOnlyPastTheLastBreak) {
  const std::string shortText = "Exit now?";
  EXPECT_EQ(MessageDialog::WrapPlainText(shortText), shortText);
  const QFontMetrics metrics(SkinnedDialog::DefaultFont());
  bool breakOnTheCount = false;  // some length has 5j - 1 == perLine exactly
  for (int words = 30; words < 45; ++words) {
    std::string text;
    for (int k = 1; k <= words; ++k) text += k < words ? "abcd " : "abcd.";
    const int width = metrics.horizontalAdvance(QString::fromLatin1(text.c_str()));
    ASSERT_GE(width, 372);
    const int perLine = static_cast<int>(text.size()) / (width / 372 + 1);
    const int perRow = (perLine + 5) / 5;
    breakOnTheCount |= perLine % 5 == 4;
    std::string expected;
    for (int k = 1; k <= words; ++k) {
      expected += k < words ? "abcd " : "abcd.";
      if (k % perRow == 0 && k < words) expected += '\n';
    }
    EXPECT_EQ(MessageDialog::WrapPlainText(text), expected) << words << " words, " << perLine << " per line";
  }
  EXPECT_TRUE(breakOnTheCount);
  std::string longText;
  for (int k = 0; k < 30; ++k) longText += "word" + std::to_string(k) + " ";
  longText += "end.";
  // A break near the end: the long part before it stays one line.
  const std::string lateBreak = longText + "\nLast line.";
  EXPECT_EQ(MessageDialog::WrapPlainText(lateBreak), lateBreak);
  // Every wrapped row of the dialog fits the text rectangle.
  auto dialog = Make(longText);
  ASSERT_TRUE(Open(*dialog));
  const QImage shot = DialogRig::Shot(*dialog);
  EXPECT_EQ(DialogRig::WhitePixels(shot, QRect(0, 0, 12, dialog->Height())), 0);
  EXPECT_EQ(DialogRig::WhitePixels(shot, QRect(388, 0, 12, dialog->Height())), 0);
}

TEST_F(MessageTest, ThePresenterAsksOverTheOwnerAndReturnsTheAnswer) {
  rig.reporter.SetPresenter(MakeMessagePresenter(rig.art, rig.reporter));
  QTimer::singleShot(0, [&] {
    auto* open = qobject_cast<MessageDialog*>(QApplication::activeModalWidget());
    if (!open) return;
    QTest::mouseClick(open->Control(MessageDialog::kOk), Qt::LeftButton);
  });
  EXPECT_TRUE(rig.reporter.Report("Exit now?", ReportKind::kQuestion, &rig.owner));
  EXPECT_FALSE(rig.reporter.MessageOpen());
}

}  // namespace
}  // namespace velmora::testing
