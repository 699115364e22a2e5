// The hue shift of single pixels and images, and the game colour change over
// the whole art table.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "fake_engine_host.h"
#include "image_operations.h"
#include "imaging_test_support.h"
#include "imaging_texts.h"
#include "pixel_math.h"

namespace velmora {
namespace {

namespace texts = imaging::texts;
using testing::Bgra;
using testing::BgraAt;

constexpr uint32_t Rgb(int r, int g, int b, int a = 0) {
  return (uint32_t(a) << 24) | (uint32_t(r) << 16) | (uint32_t(g) << 8) | uint32_t(b);
}

TEST(ShiftPixelHueTest, GreysNeverChange) {
  for (int v : {0, 1, 10, 128, 254, 255}) {
    for (float delta : {0.0f, 37.5f, 120.0f, 359.9f}) {
      EXPECT_EQ(ShiftPixelHue(Rgb(v, v, v), delta), Rgb(v, v, v)) << v << " " << delta;
    }
  }
}

TEST(ShiftPixelHueTest, AlphaIsKept) {
  EXPECT_EQ(ShiftPixelHue(Rgb(255, 0, 0, 0x7F), 120.0f), Rgb(0, 255, 0, 0x7F));
  EXPECT_EQ(ShiftPixelHue(Rgb(10, 10, 10, 0xFF), 120.0f), Rgb(10, 10, 10, 0xFF));
}

// Worked out apart from this code, one single-precision step at a time: pure
// red round the wheel, the standard blue (hue 220) of the art through each
// sector (V = 200/255, S = 0.8, H = 221.25; red loses one to truncation), and
// colours at random.
TEST(ShiftPixelHueTest, KnownAnswers) {
  struct Case {
    uint32_t pixel;
    float delta;
    uint32_t shifted;
  };
  const Case cases[] = {
      {0xFF0000u, 0.0f, 0xFF0000u},   {0xFF0000u, 60.0f, 0xFFFF00u},  {0xFF0000u, 120.0f, 0x00FF00u},
      {0xFF0000u, 240.0f, 0x0000FFu}, {0xFF0000u, 350.0f, 0xFF002Au}, {0x285AC8u, 0.0f, 0x275AC8u},
      {0x285AC8u, 60.0f, 0x9627C8u},  {0x285AC8u, 120.0f, 0xC8275Au}, {0x285AC8u, 180.0f, 0xC89627u},
      {0x285AC8u, 240.0f, 0x5AC827u}, {0x285AC8u, 300.0f, 0x27C896u}, {0xA54DCAu, 359.75f, 0xA44DCAu},
      {0x182530u, 95.5f, 0x30182Eu},  {0x1D6D13u, 0.0f, 0x1C6D13u},   {0xDED623u, 17.25f, 0xB0DE22u},
      {0x2ED91Eu, 333.3f, 0x81D91Eu}, {0x3F721Fu, 220.0f, 0x721E5Au}, {0xCB1971u, 0.0f, 0xCB1871u},
      {0x4494D6u, 17.25f, 0x446AD6u}, {0x3C9D5Cu, 0.0f, 0x3B9D5Bu},   {0x60BE31u, 220.0f, 0xBE308Eu},
      {0x201E69u, 180.0f, 0x66691Du}, {0xDAA0EEu, 220.0f, 0xA0EEC0u},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ShiftPixelHue(c.pixel, c.delta), c.shifted) << std::hex << c.pixel << " by " << c.delta;
  }
}

// Rows skip the work for a colour repeated from the pixel before; each pixel
// still keeps its own alpha.
TEST(ShiftRowHueTest, RepeatedColoursKeepTheirOwnAlpha) {
  uint32_t row[] = {Rgb(255, 0, 0, 1), Rgb(255, 0, 0, 200), Rgb(10, 10, 10, 5), Rgb(10, 10, 10, 6), Rgb(255, 0, 0, 7)};
  ShiftRowHue(row, 5, 120.0f);
  EXPECT_EQ(row[0], Rgb(0, 255, 0, 1));
  EXPECT_EQ(row[1], Rgb(0, 255, 0, 200));
  EXPECT_EQ(row[2], Rgb(10, 10, 10, 5));
  EXPECT_EQ(row[3], Rgb(10, 10, 10, 6));
  EXPECT_EQ(row[4], Rgb(0, 255, 0, 7));
}

TEST(WrapDegreesTest, BringsIntoOneTurn) {
  EXPECT_FLOAT_EQ(WrapDegrees(-10.0f), 350.0f);
  EXPECT_FLOAT_EQ(WrapDegrees(360.0f), 0.0f);
  EXPECT_FLOAT_EQ(WrapDegrees(719.0f), 359.0f);
  EXPECT_FLOAT_EQ(WrapDegrees(-700.0f), 20.0f);
  EXPECT_FLOAT_EQ(WrapDegrees(720.5f), 0.5f);  // whole part 720 does not exceed 720
  EXPECT_FLOAT_EQ(WrapDegrees(721.0f), 0.0f);
  EXPECT_FLOAT_EQ(WrapDegrees(-721.0f), 0.0f);
  EXPECT_FLOAT_EQ(WrapDegrees(std::numeric_limits<float>::quiet_NaN()), 0.0f);
  EXPECT_FLOAT_EQ(WrapDegrees(std::numeric_limits<float>::infinity()), 0.0f);
}

class HueShiftTest : public ::testing::Test {
 protected:
  testing::FakeEngineHost host;
  ImageOperations operations{host};
};

TEST_F(HueShiftTest, ShiftsEveryPixelOfAnImage) {
  QImage image = testing::Filled(3, 2, Rgb(255, 0, 0, 200));
  image.setPixel(1, 1, Rgb(10, 10, 10, 9));
  ASSERT_TRUE(operations.ShiftHue(image, 120.0f));
  EXPECT_EQ(BgraAt(image, 0, 0), (Bgra{0, 255, 0, 200}));
  EXPECT_EQ(BgraAt(image, 2, 1), (Bgra{0, 255, 0, 200}));
  EXPECT_EQ(BgraAt(image, 1, 1), (Bgra{10, 10, 10, 9}));
  EXPECT_TRUE(host.reports.empty());
}

TEST_F(HueShiftTest, OtherDepthsBringOneNoticeInTheRun) {
  QImage gray(4, 4, QImage::Format_Grayscale8);
  gray.fill(100);
  QImage rgb16(4, 4, QImage::Format_RGB16);
  rgb16.fill(Qt::red);
  const QImage before = rgb16.copy();
  EXPECT_FALSE(operations.ShiftHue(gray, 120.0f));
  EXPECT_FALSE(operations.ShiftHue(rgb16, 120.0f));
  EXPECT_EQ(rgb16, before);
  ASSERT_EQ(host.reports.size(), 1u);
  EXPECT_EQ(host.reports[0].text, texts::kColorProblem);
  EXPECT_FALSE(host.reports[0].logOnly);  // the player sees this one
  EXPECT_FALSE(host.reports[0].fatal);
  EXPECT_TRUE(operations.ColorNoticeShown());
}

TEST_F(HueShiftTest, EmptyImageIsReportedAndCountsAsNot32Bit) {
  QImage empty;
  EXPECT_FALSE(operations.ShiftHue(empty, 10.0f));
  ASSERT_EQ(host.reports.size(), 2u);
  EXPECT_EQ(host.reports[0].text, texts::kHueInfoFailed);
  EXPECT_TRUE(host.reports[0].logOnly);
  EXPECT_EQ(host.reports[1].text, texts::kColorProblem);
}

// A table with every entry a small image of pure red, marked loaded.
class ChangeGameColorTest : public HueShiftTest {
 protected:
  void SetUp() override {
    for (int i = 0; i < GameBitmapTable::Size(); ++i) table.Entry(i) = testing::Filled(4, 4, Rgb(255, 0, 0, 255));
    table.Entry(157) = testing::Filled(480, 480, Rgb(255, 0, 0, 255));
    table.SetArtLoaded(true);
  }
  Bgra Entry(int index) { return BgraAt(table.Entry(index), 1, 1); }

  GameBitmapTable table;
};

TEST_F(ChangeGameColorTest, LeavesTheIntroSetUntouched) {
  ASSERT_TRUE(operations.ChangeGameColor(table, 120.0f));
  const Bgra green{0, 255, 0, 255};
  const Bgra red{0, 0, 255, 255};
  for (int i = 0; i <= 138; ++i) EXPECT_EQ(Entry(i), green) << i;
  for (int i = 139; i <= 156; ++i) EXPECT_EQ(Entry(i), red) << i;
  for (int i = 157; i <= 188; ++i) EXPECT_EQ(Entry(i), green) << i;
}

TEST_F(ChangeGameColorTest, NegativeDeltaGoesTheOtherWayRound) {
  ASSERT_TRUE(operations.ChangeGameColor(table, -10.0f));
  // Pure red at hue 350: blue 255 * (1 - (1 - 5/6)) truncated.
  EXPECT_EQ(Entry(0), (Bgra{42, 0, 255, 255}));
}

TEST_F(ChangeGameColorTest, NonFiniteDeltaShiftsNothing) {
  table.Entry(0) = testing::Filled(2, 2, Rgb(40, 90, 200, 255));
  ASSERT_TRUE(operations.ChangeGameColor(table, std::numeric_limits<float>::quiet_NaN()));
  // A shift by 0 (which truncates once) and no more.
  EXPECT_EQ(Entry(0), (Bgra{200, 90, 39, 255}));
  EXPECT_EQ(Entry(1), (Bgra{0, 0, 255, 255}));
}

TEST_F(ChangeGameColorTest, LogsItsProcessingTime) {
  host.logOn = true;
  ASSERT_TRUE(operations.ChangeGameColor(table, 10.0f));
  const std::string prefix = texts::kColorChangedBefore;
  ASSERT_EQ(host.log.rfind(prefix, 0), 0u) << host.log;
  const std::string rest = host.log.substr(prefix.size());
  ASSERT_GE(rest.size(), 4u);
  EXPECT_EQ(rest.substr(rest.size() - 3), "ms\n");
  const std::string number = rest.substr(0, rest.size() - 3);
  EXPECT_FALSE(number.empty());
  EXPECT_EQ(number.find_first_not_of("0123456789"), std::string::npos) << number;
}

TEST_F(ChangeGameColorTest, LogsNothingWithTheLogOff) {
  ASSERT_TRUE(operations.ChangeGameColor(table, 10.0f));
  EXPECT_TRUE(host.log.empty());
}

TEST_F(ChangeGameColorTest, DoesNothingBeforeTheArtHasLoaded) {
  table.SetArtLoaded(false);
  EXPECT_FALSE(operations.ChangeGameColor(table, 120.0f));
  EXPECT_EQ(Entry(0), (Bgra{0, 0, 255, 255}));
}

}  // namespace
}  // namespace velmora
