// Puzzle Results: the graph burnt into the background, its labels, the
// statistics texts, and Done.
#include <gtest/gtest.h>

#include <cmath>

#include "dialog_rig.h"
#include "results_dialog.h"

namespace velmora::testing {
namespace {

PuzzleResults Results(uint32_t gameTime) {
  PuzzleResults results;
  results.gameTime = gameTime;
  results.hints = 1;
  results.mistakes = 2;
  results.freePlays = 3;
  results.bestTime = 6000;
  results.averageTime = 7215;
  results.puzzleCode = "AB123";
  results.kind = "Normal - Medium";
  return results;
}

class ResultsTest : public ::testing::Test {
 protected:
  std::unique_ptr<ResultsDialog> Make(const std::vector<PlayKey>& plays, const PuzzleResults& results) {
    auto dialog = std::make_unique<ResultsDialog>(plays, &rig.art, rig.reporter, &rig.owner);
    dialog->SetResults(results);
    return dialog;
  }
  // The bordered background without any graph, to compare with.
  QImage Plain() {
    ImageOperations operations(rig.reporter);
    QImage plain;
    operations.DuplicateBitmap(rig.art.Picture(GameBitmapTable::IndexOf(SkinnedDialog::kGenericBackgroundId)), plain);
    operations.ApplyBorder(plain, 480, 480);
    return plain;
  }
  static const SkinnedDialog::Label* Find(const std::vector<SkinnedDialog::Label>& labels, const QString& start) {
    for (const auto& label : labels)
      if (label.text.startsWith(start)) return &label;
    return nullptr;
  }
  DialogRig rig;
};

TEST_F(ResultsTest, GraphPixelsForAKnownGame) {
  // Two plays, at the middle and the end of a 1000 ms game: 79 tiles at the start.
  auto dialog = Make({{true, 500}, {true, 1000}}, Results(1000));
  ASSERT_TRUE(dialog->GraphBuilt());
  EXPECT_EQ(dialog->StartCount(), 79);
  EXPECT_EQ(dialog->StartHeight(), 216);
  const QImage& graph = dialog->Background();
  const QImage plain = Plain();
  auto rgb = [](QRgb p) { return std::array<int, 3>{qRed(p), qGreen(p), qBlue(p)}; };
  // Separator.
  EXPECT_EQ(graph.pixel(100, 84) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(graph.pixel(380, 85) & 0xFFFFFF, 0x202020u);
  EXPECT_EQ(graph.pixel(99, 84), plain.pixel(99, 84));
  // Frame.
  EXPECT_EQ(graph.pixel(20, 300) & 0xFFFFFF, 0x1C1C1Cu);
  EXPECT_EQ(graph.pixel(21, 300) & 0xFFFFFF, 0x464646u);
  EXPECT_EQ(graph.pixel(458, 300) & 0xFFFFFF, 0x4E4E4Eu);
  EXPECT_EQ(graph.pixel(200, 181) & 0xFFFFFF, 0x383838u);
  EXPECT_EQ(graph.pixel(200, 422) & 0xFFFFFF, 0x626262u);
  EXPECT_EQ(graph.pixel(200, 423) & 0xFFFFFF, 0x1C1C1Cu);
  // Column 100 (k = 80 of the first play): the curve row is trunc(424 - (80 * 2/220 + 216.34)) = 206.
  const int curve = static_cast<int>(424.0f - (80.0f * 2.0f / 220.0f + 79 * 2.738496f));
  ASSERT_EQ(curve, 206);
  const auto above = rgb(graph.pixel(100, 190)), abovePlain = rgb(plain.pixel(100, 190));
  const auto below = rgb(graph.pixel(100, 300)), belowPlain = rgb(plain.pixel(100, 300));
  const auto line = rgb(graph.pixel(100, curve + 1)), linePlain = rgb(plain.pixel(100, curve + 1));
  for (int c = 0; c < 3; ++c) {
    EXPECT_EQ(above[c], std::max(abovePlain[c] - 50, 0)) << c;
    EXPECT_EQ(below[c], std::min(belowPlain[c] + (424 - 300) / 5, 255)) << c;
    EXPECT_EQ(line[c], static_cast<int>(std::min(std::pow(double(linePlain[c]), 1.6 - 0.25), 255.0))) << c;
  }
  // Outside the graph nothing changed.
  EXPECT_EQ(graph.pixel(10, 300), plain.pixel(10, 300));
  EXPECT_EQ(graph.pixel(300, 170), plain.pixel(300, 170));
}

// Run at QT_SCALE_FACTOR=2 (see CMakeLists.txt): the screen shows the graph drawn
// again on a background of twice the size, with the curve in half-row steps.
TEST_F(ResultsTest, OnAScaledScreenTheGraphIsDrawnAtTwiceTheSize) {
  auto dialog = Make({{true, 500}, {true, 1000}}, Results(1000));
  if (dialog->devicePixelRatioF() == 1.0)
    GTEST_SKIP() << "needs a screen scaled to 2: runs with QT_SCALE_FACTOR=2 (ctest dialogs_results_at_scale_2)";
  ASSERT_EQ(dialog->devicePixelRatioF(), 2.0) << "runs with QT_SCALE_FACTOR=2 (ctest dialogs_results_at_scale_2)";
  const QImage screen = dialog->grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(screen.size(), QSize(960, 960));
  const QImage graph = ImageOperations::OpaqueCopy(dialog->Background());
  const QImage plain = Plain();
  // Away from the curve each pixel of the normal graph covers two by two.
  for (QPoint at : {QPoint(20, 300), QPoint(21, 300), QPoint(100, 190), QPoint(100, 300), QPoint(10, 300),
                    QPoint(200, 181), QPoint(100, 84)})
    for (QPoint in : {QPoint(0, 0), QPoint(1, 1)})
      EXPECT_EQ(screen.pixel(at * 2 + in), graph.pixel(at)) << at.x() << "," << at.y();
  // Column 100 of the graph is device column 200: the curve lies at device row
  // trunc(2 * 206.93) = 413, and row 416 is 1.5 rows below it, a step the normal graph has not.
  const int curve = static_cast<int>(2.0f * (424.0f - (80.0f * 2.0f / 220.0f + 79 * 2.738496f)));
  ASSERT_EQ(curve, 413);
  const QRgb shown = screen.pixel(200, 416), base = plain.pixel(100, 208);
  const int expected[3] = {qRed(base), qGreen(base), qBlue(base)};
  const int got[3] = {qRed(shown), qGreen(shown), qBlue(shown)};
  for (int c = 0; c < 3; ++c)
    EXPECT_EQ(got[c], static_cast<int>(std::min(std::pow(double(expected[c]), 1.6 - 0.25 * 1.5), 255.0))) << c;
}

TEST_F(ResultsTest, TheCurveEndsAtEightyOneAtTheRightEdge) {
  // The last play at a quarter of the game still draws to x 459.
  auto dialog = Make({{true, 100}, {true, 250}}, Results(1000));
  const QImage& graph = dialog->Background();
  const QImage plain = Plain();
  const int endCurve = static_cast<int>(424.0f - (80 * 2.738496f + 2.0f / 330.0f * 329.0f));
  EXPECT_LE(endCurve, 203);
  EXPECT_NE(graph.pixel(457, endCurve), plain.pixel(457, endCurve));
  // Above the curve at the right end the background is darkened; below it lightened.
  EXPECT_LT(qBlue(graph.pixel(457, 190)), qBlue(plain.pixel(457, 190)));
  EXPECT_GT(qBlue(graph.pixel(457, 260)), qBlue(plain.pixel(457, 260)));
}

TEST_F(ResultsTest, ClearedPlaysRaiseTheStartAndStepTheCurveDown) {
  // 81 - 3 + 1: three reveals and one tile hidden again.
  auto dialog = Make({{true, 100}, {false, 400}, {true, 600}, {true, 900}}, Results(1000));
  EXPECT_EQ(dialog->StartCount(), 79);
  EXPECT_EQ(dialog->StartHeight(), static_cast<int>(79 * 2.738496f));
  const auto labels = dialog->Labels();
  const auto* start = Find(labels, "79 tiles");
  ASSERT_NE(start, nullptr);
  EXPECT_EQ(start->rect, SkinnedDialog::Box(25, 426 - 216, 460, 446 - 216));
  // An empty play list draws no graph area, only the separator.
  auto empty = Make({}, Results(1000));
  EXPECT_TRUE(empty->GraphBuilt());
  EXPECT_EQ(empty->Background().pixel(200, 300), Plain().pixel(200, 300));
  EXPECT_EQ(empty->Background().pixel(200, 84) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(ResultsTest, TextsOfTheStatisticsAndTheAxes) {
  PuzzleResults results = Results(65000);
  results.perfect = true;
  results.newBest = true;
  results.bestTime = -1;
  auto dialog = Make({{true, 1000}}, results);
  const auto labels = dialog->Labels();
  ASSERT_NE(Find(labels, "Congratulations"), nullptr);
  EXPECT_EQ(Find(labels, "Congratulations")->text,
            QStringLiteral("Congratulations, you win! Perfect Game! Personal Best!"));
  EXPECT_EQ(Find(labels, "Solved in ")->text, QStringLiteral("Solved in 1 minute, 5.0 seconds."));
  EXPECT_EQ(Find(labels, "Best: ")->text, QStringLiteral("Best: No Data - Average: 12:01.5"));
  EXPECT_NE(Find(labels, "Solution - Puzzle AB123"), nullptr);
  EXPECT_NE(Find(labels, "81 tiles"), nullptr);
  EXPECT_NE(Find(labels, "Normal - Medium"), nullptr);
  EXPECT_EQ(Find(labels, "Mistakes")->rect, SkinnedDialog::Box(120, 112, 480, 132));
  EXPECT_EQ(Find(labels, "2")->rect, SkinnedDialog::Box(0, 112, 360, 132));
  EXPECT_EQ(Find(labels, "3")->rect, SkinnedDialog::Box(0, 134, 360, 154));
  EXPECT_EQ(Find(labels, "0:00")->text, QStringLiteral("0:00"));
  EXPECT_EQ(Find(labels, "1:05")->rect, SkinnedDialog::Box(20, 402, 455, 422));
  // Over an hour the start reads with hours; from a week on the end reads in weeks.
  auto long_ = Make({{true, 1000}}, Results(3600000));
  EXPECT_NE(Find(long_->Labels(), "0:00:00"), nullptr);
  EXPECT_EQ(ResultsDialog::EndTimeText(8u * 24 * 3600000), "Over 1 week");
  EXPECT_EQ(ResultsDialog::EndTimeText(15u * 24 * 3600000), "Over 2 weeks");
  EXPECT_EQ(ResultsDialog::EndTimeText(59u * 60000), "59:00");
  auto plain = Make({{true, 1000}}, Results(1000));
  EXPECT_EQ(Find(plain->Labels(), "Congratulations")->text, QStringLiteral("Congratulations, you win!"));
  EXPECT_EQ(Find(plain->Labels(), "Best: ")->text, QStringLiteral("Best: 10:00.0 - Average: 12:01.5"));
}

TEST_F(ResultsTest, OpensWithDoneAndClosesByMouseAndKeyboard) {
  for (int way = 0; way < 4; ++way) {
    auto dialog = Make({{true, 300}, {true, 600}}, Results(1000));
    ASSERT_TRUE(Open(*dialog));
    EXPECT_EQ(dialog->size(), QSize(480, 480));
    EXPECT_EQ(dialog->Control(ResultsDialog::kDone)->geometry(), QRect(190, 438, 100, 28));
    EXPECT_TRUE(rig.ShowsFace(*dialog, ResultsDialog::kDone, 298));
    if (way == 0) QTest::mouseClick(dialog->Control(ResultsDialog::kDone), Qt::LeftButton);
    if (way == 1) QTest::keyClick(dialog.get(), Qt::Key_Return);
    if (way == 2) QTest::keyClick(dialog.get(), Qt::Key_Escape);
    if (way == 3) dialog->close();
    EXPECT_FALSE(dialog->isVisible()) << way;
  }
}

}  // namespace
}  // namespace velmora::testing
