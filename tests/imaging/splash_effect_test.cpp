// The easing curve, the window copy and the splash over its 3000 ms.
#include <QPainter>
#include <QWidget>

#include <gtest/gtest.h>

#include <limits>

#include "fake_engine_host.h"
#include "image_operations.h"
#include "imaging_test_support.h"
#include "imaging_texts.h"
#include "pixel_math.h"
#include "splash_effect.h"

namespace velmora {
namespace {

namespace texts = imaging::texts;
using testing::Bgra;
using testing::BgraAt;

TEST(EaseAlphaTest, KnownSteps) {
  EXPECT_FLOAT_EQ(EaseAlpha(0.5f), 0.5f);
  EXPECT_NEAR(EaseAlpha(1.0f), 0.999985f, 1e-6f);
  EXPECT_NEAR(EaseAlpha(0.1f), 0.003296f, 1e-6f);
  EXPECT_FLOAT_EQ(EaseAlpha(0.1f), kEasingTable[6]);
  EXPECT_FLOAT_EQ(EaseAlpha(0.0f), 0.0f);
}

TEST(EaseAlphaTest, OutOfRangeStaysOnTheCurve) {
  EXPECT_FLOAT_EQ(EaseAlpha(-0.5f), 0.0f);
  EXPECT_FLOAT_EQ(EaseAlpha(7.0f), kEasingTable[63]);
  EXPECT_FLOAT_EQ(EaseAlpha(std::numeric_limits<float>::quiet_NaN()), 0.0f);
}

TEST(EaseAlphaTest, TableRisesFromZeroThroughHalf) {
  EXPECT_EQ(kEasingTable[0], 0.0f);
  EXPECT_EQ(kEasingTable[32], 0.5f);
  EXPECT_FLOAT_EQ(kEasingTable[16], 0.0625f);  // 4 * (1/4)^3
  EXPECT_FLOAT_EQ(kEasingTable[48], 0.9375f);  // 1 - 4 * (1/4)^3
  for (size_t k = 1; k < kEasingTable.size(); ++k) EXPECT_GT(kEasingTable[k], kEasingTable[k - 1]) << k;
}

// A window of two colours: (10, 200, 0) left of x = 240, (30, 60, 90) from there.
class TwoColourWindow : public QWidget {
 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(10, 200, 0));
    painter.fillRect(QRect(240, 0, width() - 240, height()), QColor(30, 60, 90));
  }
};

class SplashTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window.resize(480, 480);
    // The logo: opaque (250, 20, 255), with a transparent first column.
    logo = testing::Filled(400, 300, 0xFFFA14FFu);
    for (int y = 0; y < 300; ++y) logo.setPixel(0, y, 0x00FFFFFFu);
  }
  Bgra EffectAt(const SplashEffect& splash, int x, int y) { return BgraAt(splash.Effect(), x, y); }

  testing::FakeEngineHost host;
  ImageOperations operations{host};
  TwoColourWindow window;
  QImage logo;
  static constexpr uint32_t kStart = 5000;
  const Bgra left{0, 200, 10, 255};
  const Bgra right{90, 60, 30, 255};
};

TEST_F(SplashTest, CopyWindowAreaTakesTheRectangleAndBlackOutsideTheWindow) {
  QImage copy;
  ASSERT_TRUE(operations.CopyWindowArea(copy, QRect(200, 10, 80, 20), &window));
  EXPECT_EQ(copy.size(), QSize(80, 20));
  EXPECT_EQ(copy.format(), QImage::Format_ARGB32);
  EXPECT_EQ(BgraAt(copy, 39, 5), left);
  EXPECT_EQ(BgraAt(copy, 40, 5), right);
  // Outside the window the copy is black.
  ASSERT_TRUE(operations.CopyWindowArea(copy, QRect(470, 470, 20, 20), &window));
  EXPECT_EQ(BgraAt(copy, 5, 5), right);
  EXPECT_EQ(BgraAt(copy, 15, 15), (Bgra{0, 0, 0, 255}));
}

TEST_F(SplashTest, CopyWindowAreaWithoutAWindowFails) {
  QImage copy;
  EXPECT_FALSE(operations.CopyWindowArea(copy, QRect(0, 0, 10, 10), nullptr));
  EXPECT_TRUE(copy.isNull());
  ASSERT_EQ(host.reports.size(), 1u);
  EXPECT_EQ(host.reports[0].text, texts::kCopyContextFailed);
}

TEST_F(SplashTest, StartCentresTheRectangleAndCopiesTheWindow) {
  SplashEffect splash(operations, logo);
  EXPECT_FALSE(splash.Ready());
  ASSERT_TRUE(splash.StartSplash(kStart, 480, 480, &window));
  EXPECT_TRUE(splash.Running());
  EXPECT_TRUE(splash.Ready());
  EXPECT_EQ(splash.Rect(), QRect(QPoint(40, 90), QPoint(439, 389)));  // left 40, top 90, right 440, bottom 390
  ASSERT_EQ(splash.Background().size(), QSize(400, 300));
  EXPECT_EQ(BgraAt(splash.Background(), 199, 0), left);   // window x = 239
  EXPECT_EQ(BgraAt(splash.Background(), 200, 0), right);  // window x = 240
  EXPECT_EQ(splash.Effect(), splash.Background());
}

TEST_F(SplashTest, WithoutAWindowTheSplashFadesOverBlack) {
  SplashEffect splash(operations, logo);
  ASSERT_TRUE(splash.StartSplash(kStart, 480, 480, nullptr));
  EXPECT_EQ(BgraAt(splash.Background(), 100, 100), (Bgra{0, 0, 0, 255}));
  ASSERT_EQ(host.reports.size(), 1u);
  EXPECT_EQ(host.reports[0].text, texts::kCopyContextFailed);
}

// In, whole in the middle, out, over 3000 ms.
TEST_F(SplashTest, FadesInShowsTheWholeLogoAndFadesOut) {
  SplashEffect splash(operations, logo);
  ASSERT_TRUE(splash.StartSplash(kStart, 480, 480, &window));
  splash.StepSplash(kStart + 300);  // t = 0.1: alpha 0.4 eases to e[25]
  EXPECT_EQ(EffectAt(splash, 100, 100), (Bgra{60, 157, 67, 0}));
  EXPECT_EQ(EffectAt(splash, 0, 100), left);  // the logo's transparent column
  EXPECT_FALSE(operations.SplashWholeLogoShown());
  splash.StepSplash(kStart + 1500);
  EXPECT_EQ(EffectAt(splash, 100, 100), (Bgra{255, 20, 250, 0}));
  EXPECT_EQ(EffectAt(splash, 300, 299), (Bgra{255, 20, 250, 0}));
  EXPECT_EQ(EffectAt(splash, 0, 100), left);
  EXPECT_TRUE(operations.SplashWholeLogoShown());
  splash.StepSplash(kStart + 2900);  // t = 0.9667: alpha 0.1333 eases to e[8] = 1/128
  EXPECT_EQ(EffectAt(splash, 100, 100), (Bgra{1, 198, 11, 0}));
  splash.StepSplash(kStart + 2999);
  EXPECT_TRUE(splash.Running());
  splash.StepSplash(kStart + 3000);
  EXPECT_FALSE(splash.Running());
  EXPECT_TRUE(splash.Ready());
}

TEST_F(SplashTest, ClockBeforeTheStartCountsAsTheStart) {
  SplashEffect splash(operations, logo);
  ASSERT_TRUE(splash.StartSplash(kStart, 480, 480, &window));
  splash.StepSplash(kStart - 1000);
  EXPECT_TRUE(splash.Running());
  // Alpha 0: the background's colours (the fade clears the alpha byte).
  EXPECT_EQ(EffectAt(splash, 100, 100), (Bgra{0, 200, 10, 0}));
}

TEST_F(SplashTest, ClockWrapDuringTheSplash) {
  const uint32_t start = std::numeric_limits<uint32_t>::max() - 100;
  SplashEffect splash(operations, logo);
  ASSERT_TRUE(splash.StartSplash(start, 480, 480, &window));
  splash.StepSplash(start + 1500);  // the clock has wrapped past zero
  EXPECT_EQ(EffectAt(splash, 100, 100), (Bgra{255, 20, 250, 0}));
  EXPECT_TRUE(splash.Running());
  splash.StepSplash(start + 3000);
  EXPECT_FALSE(splash.Running());
}

// The whole logo is drawn once in the run: a second splash in the same run
// does not draw it again.
TEST_F(SplashTest, WholeLogoStepHappensOnceInTheRun) {
  {
    SplashEffect first(operations, logo);
    ASSERT_TRUE(first.StartSplash(kStart, 480, 480, &window));
    first.StepSplash(kStart + 1000);
  }
  SplashEffect second(operations, logo);
  ASSERT_TRUE(second.StartSplash(kStart, 480, 480, &window));
  second.StepSplash(kStart + 1500);
  EXPECT_EQ(second.Effect(), second.Background());
}

}  // namespace
}  // namespace velmora
