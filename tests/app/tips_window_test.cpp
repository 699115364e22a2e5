#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <QDeadlineTimer>

#include "fake_engine_host.h"
#include "image_operations.h"
#include "tip_wrap.h"
#include "tips_window.h"

namespace velmora {
namespace {

int SevenPixelsEach(const std::string& piece) { return static_cast<int>(piece.size()) * 7; }

TEST(TipWrapping, BreaksAtBlanksWithinTheFoundLineLength) {
  const std::string tip =
      "The information in the upper-right part of the screen can help you decide which number to play.";
  // 300 wide: 280 available; line lengths 66, 62 ... are tried until 38 characters (266 px) fit: L = 36.
  const std::string wrapped = WrapTipText(tip, 300, SevenPixelsEach);
  std::string rejoined = wrapped;
  std::replace(rejoined.begin(), rejoined.end(), '\n', ' ');
  EXPECT_EQ(rejoined, tip) << "only blanks become line breaks";
  const QStringList lines = QString::fromStdString(wrapped).split('\n');
  ASSERT_GE(lines.size(), 3);
  for (const QString& line : lines) EXPECT_LE(line.size(), 36) << line.toStdString();
  EXPECT_EQ(lines[0], "The information in the upper-right");
}

TEST(TipWrapping, NarrowWindowsAndUnbreakableTexts) {
  EXPECT_EQ(WrapTipText("a few words here", 20, SevenPixelsEach), "a few words here");
  const std::string solid(200, 'x');
  EXPECT_EQ(WrapTipText(solid, 300, SevenPixelsEach), solid) << "no blank: nothing to break, and no hang";
  EXPECT_EQ(WrapTipText("", 300, SevenPixelsEach), "");
}

class TipsWindowTest : public ::testing::Test {
 protected:
  TipsWindowTest() : operations(host) {
    art.Entry(imaging::kGenericDialogIndex) = QImage(480, 480, QImage::Format_ARGB32);
    art.Entry(imaging::kGenericDialogIndex).fill(QColor(40, 70, 140));
  }
  testing::FakeEngineHost host;
  ImageOperations operations;
  GameBitmapTable art;
};

TEST_F(TipsWindowTest, ANewTextShowsAfterASecond) {
  TipsWindow window(host, operations, art, nullptr);
  window.SetText("not shown: the window is hidden");
  EXPECT_TRUE(window.Text().empty());
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  const QDeadlineTimer pause(kTipsTextPause);
  window.SetText("This is the Tips Window. It displays helpful information about the game.");
  EXPECT_TRUE(window.TextHidden());
  // The text waits for its pause, not for the next paint or event (checked
  // only while the pause cannot have passed yet).
  QCoreApplication::processEvents();
  EXPECT_TRUE(window.TextHidden() || pause.hasExpired());
  EXPECT_TRUE(QTest::qWaitFor([&] { return !window.TextHidden(); }, 60000));
  EXPECT_NE(window.Text().find('\n'), std::string::npos) << "wrapped to the window's width";
}

TEST_F(TipsWindowTest, SizeStaysWithinItsLimits) {
  TipsWindow window(host, operations, art, nullptr);
  EXPECT_EQ(window.size(), QSize(300, 479));
  window.resize(1000, 1000);
  EXPECT_LE(window.width(), 479);
  EXPECT_LE(window.height(), 479);
  window.resize(10, 10);
  EXPECT_GE(window.width(), 180);
  EXPECT_GE(window.height(), 120);
}

}  // namespace
}  // namespace velmora
