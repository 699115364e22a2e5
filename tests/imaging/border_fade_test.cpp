// The border filter, the message backgrounds, duplicates, the fade and the
// opaque copy for painting.
#include <gtest/gtest.h>

#include <QPainter>

#include "fake_engine_host.h"
#include "image_operations.h"
#include "imaging_test_support.h"
#include "imaging_texts.h"

namespace velmora {
namespace {

namespace texts = imaging::texts;
using testing::Bgra;
using testing::BgraAt;

constexpr uint32_t Argb(int a, int r, int g, int b) {
  return (uint32_t(a) << 24) | (uint32_t(r) << 16) | (uint32_t(g) << 8) | uint32_t(b);
}

const Bgra kBorderTarget{64, 32, 16, 0};

class ImageOperationsTest : public ::testing::Test {
 protected:
  testing::FakeEngineHost host;
  ImageOperations operations{host};
};

class ApplyBorderTest : public ImageOperationsTest {
 protected:
  void SetUp() override { image = testing::Filled(480, 480, Argb(255, 200, 150, 100)); }
  QImage image;
  const Bgra original{100, 150, 200, 255};
};

TEST_F(ApplyBorderTest, RampsTowardTheBorderColourWithinTheAreaOnly) {
  ASSERT_TRUE(operations.ApplyBorder(image, 400, 150));
  EXPECT_EQ(BgraAt(image, 0, 0), kBorderTarget);   // v = sqrt(128) >= 8
  EXPECT_EQ(BgraAt(image, 0, 75), kBorderTarget);  // left ramp starts at 8
  EXPECT_EQ(BgraAt(image, 8, 8), original);
  EXPECT_EQ(BgraAt(image, 200, 75), original);
  EXPECT_TRUE(host.reports.empty());
  // l = (7/8)^1.8 on the right edge and the bottom edge.
  EXPECT_EQ(BgraAt(image, 399, 75), (Bgra{71, 57, 55, 0}));
  EXPECT_EQ(BgraAt(image, 200, 149), (Bgra{71, 57, 55, 0}));
  // Diagonal ramp near the corner: v = sqrt(2).
  EXPECT_EQ(BgraAt(image, 7, 7), (Bgra{98, 144, 191, 0}));
  // v = 1 just inside the left and top ramps.
  EXPECT_EQ(BgraAt(image, 7, 75), (Bgra{99, 147, 195, 0}));
  EXPECT_EQ(BgraAt(image, 200, 7), (Bgra{99, 147, 195, 0}));
  // The first column of the right ramp keeps its colour but loses its alpha.
  EXPECT_EQ(BgraAt(image, 392, 75), (Bgra{100, 150, 200, 0}));
  EXPECT_EQ(BgraAt(image, 391, 75), original);
  // Outside the area nothing changes.
  EXPECT_EQ(BgraAt(image, 400, 0), original);
  EXPECT_EQ(BgraAt(image, 479, 479), original);
  EXPECT_EQ(BgraAt(image, 200, 150), original);
  EXPECT_EQ(BgraAt(image, 0, 150), original);
}

TEST_F(ApplyBorderTest, AreaLargerThanTheImageFails) {
  const QImage before = image.copy();
  EXPECT_FALSE(operations.ApplyBorder(image, 481, 100));
  EXPECT_EQ(image, before);
  QImage empty;
  EXPECT_FALSE(operations.ApplyBorder(empty, 10, 10));
  ASSERT_EQ(host.reports.size(), 2u);
  EXPECT_EQ(host.reports[0].text, texts::kBorderInfoFailed);
  EXPECT_TRUE(host.reports[0].logOnly);
}

TEST_F(ApplyBorderTest, SharedCopiesKeepTheirPixels) {
  const QImage shared = image;  // implicitly shared until written
  ASSERT_TRUE(operations.ApplyBorder(image, 400, 150));
  EXPECT_EQ(BgraAt(shared, 0, 0), original);
}

class MessageBackgroundsTest : public ImageOperationsTest {
 protected:
  void SetUp() override { table.Entry(157) = testing::Filled(480, 480, Argb(255, 200, 150, 100)); }
  GameBitmapTable table;
  MessageBackgrounds backgrounds;
};

TEST_F(MessageBackgroundsTest, ThreeHeightsFromTheGenericBackground) {
  ASSERT_TRUE(operations.BuildMessageBackgrounds(table, backgrounds));
  EXPECT_TRUE(backgrounds.ready);
  const int heights[] = {150, 300, 450};
  for (size_t i = 0; i < 3; ++i) {
    const QImage& image = backgrounds.images[i];
    EXPECT_EQ(BgraAt(image, 0, 0), kBorderTarget) << i;
    EXPECT_EQ(BgraAt(image, 200, heights[i] - 1), (Bgra{71, 57, 55, 0})) << i;
    EXPECT_EQ(BgraAt(image, 200, heights[i] - 9), (Bgra{100, 150, 200, 255})) << i;
    EXPECT_EQ(BgraAt(image, 200, heights[i]), (Bgra{100, 150, 200, 255})) << i;
  }
  // The art itself keeps its pixels.
  EXPECT_EQ(BgraAt(table.Entry(157), 0, 0), (Bgra{100, 150, 200, 255}));
}

TEST_F(MessageBackgroundsTest, MissingSourceLeavesThemNotReady) {
  host.logOn = true;
  ASSERT_TRUE(operations.BuildMessageBackgrounds(table, backgrounds));
  table.Entry(157) = QImage();
  EXPECT_FALSE(operations.BuildMessageBackgrounds(table, backgrounds));
  EXPECT_FALSE(backgrounds.ready);
  EXPECT_TRUE(backgrounds.images[0].isNull());
  EXPECT_EQ(host.log, texts::kBackgroundCreateFailed);
}

TEST_F(MessageBackgroundsTest, SourceTooSmallForTheBorderLeavesThemNotReady) {
  host.logOn = true;
  table.Entry(157) = testing::Filled(400, 200, Argb(255, 1, 2, 3));  // 400 x 300 does not fit
  EXPECT_FALSE(operations.BuildMessageBackgrounds(table, backgrounds));
  EXPECT_FALSE(backgrounds.ready);
  EXPECT_EQ(host.log, texts::kBackgroundBorderFailed);
}

TEST_F(ImageOperationsTest, DuplicateCopiesTheBytesAsTheyAre) {
  QImage source = testing::Filled(3, 2, Argb(0, 200, 100, 50));  // colour under alpha 0 survives
  source.setPixel(2, 1, Argb(128, 1, 2, 3));
  QImage copy;
  ASSERT_TRUE(operations.DuplicateBitmap(source, copy));
  EXPECT_EQ(copy.format(), QImage::Format_ARGB32);
  EXPECT_EQ(copy.size(), source.size());
  EXPECT_EQ(BgraAt(copy, 0, 0), (Bgra{50, 100, 200, 0}));
  EXPECT_EQ(BgraAt(copy, 2, 1), (Bgra{3, 2, 1, 128}));
  copy.setPixel(0, 0, Argb(9, 9, 9, 9));
  EXPECT_EQ(BgraAt(source, 0, 0), (Bgra{50, 100, 200, 0}));
}

TEST_F(ImageOperationsTest, DuplicateOfNothingFails) {
  QImage copy = testing::Filled(1, 1, 0);
  EXPECT_FALSE(operations.DuplicateBitmap(QImage(), copy));
  EXPECT_FALSE(copy.isNull());
  ASSERT_EQ(host.reports.size(), 1u);
  EXPECT_EQ(host.reports[0].text, texts::kDuplicateInfoFailed);
}

class FadeBitmapTest : public ImageOperationsTest {
 protected:
  QImage Fade(int overlayAlpha, float m) {
    const QImage background = testing::Filled(2, 2, Argb(0x33, 10, 200, 0));
    const QImage overlay = testing::Filled(2, 2, Argb(overlayAlpha, 250, 20, 255));
    QImage target;
    EXPECT_TRUE(operations.FadeBitmap(target, background, overlay, m));
    return target;
  }
};

TEST_F(FadeBitmapTest, OpaqueOverlayAtFullAlphaGivesTheOverlay) {
  EXPECT_EQ(BgraAt(Fade(255, 1.0f), 1, 1), (Bgra{255, 20, 250, 0}));
}

TEST_F(FadeBitmapTest, NearlyInvisibleOverlayGivesTheBackground) {
  EXPECT_EQ(BgraAt(Fade(4, 1.0f), 0, 0), (Bgra{0, 200, 10, 0x33}));
  // 5/255 is still below the 0.019608 threshold.
  EXPECT_EQ(BgraAt(Fade(5, 1.0f), 0, 0), (Bgra{0, 200, 10, 0x33}));
  EXPECT_EQ(BgraAt(Fade(6, 1.0f), 0, 0), (Bgra{6, 195, 15, 0}));
}

TEST_F(FadeBitmapTest, PartialAlphaWeighsTheOverlay) {
  EXPECT_EQ(BgraAt(Fade(128, 1.0f), 0, 0), (Bgra{128, 109, 130, 0}));
  EXPECT_EQ(BgraAt(Fade(200, 0.5f), 0, 0), (Bgra{100, 129, 104, 0}));
}

TEST_F(FadeBitmapTest, AlphaAboveTheOpaqueThresholdCountsAsOpaque) {
  EXPECT_EQ(BgraAt(Fade(250, 0.5f), 0, 0).r, 130);  // 10 + 0.5 * 240
  EXPECT_EQ(BgraAt(Fade(249, 0.5f), 0, 0).r, 127);  // 10 + 0.5 * 249/255 * 240
}

TEST_F(FadeBitmapTest, SmallerOverlayFails) {
  QImage target;
  EXPECT_FALSE(operations.FadeBitmap(target, testing::Filled(4, 4, 0), testing::Filled(3, 4, 0), 1.0f));
  EXPECT_FALSE(operations.FadeBitmap(target, QImage(), testing::Filled(3, 4, 0), 1.0f));
  ASSERT_EQ(host.reports.size(), 2u);
  EXPECT_EQ(host.reports[0].text, texts::kFadeTargetReadFailed);
  EXPECT_EQ(host.reports[1].text, texts::kFadeInfoFailed);
}

TEST(OpaqueCopyTest, KeepsTheColourUnderAnyAlpha) {
  QImage image = testing::Filled(2, 1, Argb(0, 200, 100, 50));
  image.setPixel(1, 0, Argb(77, 1, 2, 3));
  const QImage opaque = ImageOperations::OpaqueCopy(image);
  EXPECT_EQ(opaque.format(), QImage::Format_RGB32);
  EXPECT_EQ(opaque.pixel(0, 0), qRgb(200, 100, 50));
  EXPECT_EQ(opaque.pixel(1, 0), qRgb(1, 2, 3));
  EXPECT_EQ(BgraAt(image, 0, 0), (Bgra{50, 100, 200, 0}));  // the source is left alone
}

// Qt copies a Format_RGB32 picture's words as they are where it draws it unscaled:
// into a buffer that keeps alpha (a Wayland window's) the art must arrive opaque.
TEST(OpaqueViewTest, IsOpaqueInAWindowBufferWithAlpha) {
  const QImage image = testing::Filled(2, 1, Argb(0, 200, 100, 50));
  ImageOperations::SetWindowsKeepAlpha(true);
  QImage buffer(2, 1, QImage::Format_ARGB32_Premultiplied);
  buffer.fill(Qt::transparent);
  QPainter painter(&buffer);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.drawImage(0, 0, ImageOperations::OpaqueView(image));
  painter.end();
  ImageOperations::SetWindowsKeepAlpha(false);
  EXPECT_EQ(buffer.pixel(1, 0), qRgba(200, 100, 50, 255));
  EXPECT_EQ(ImageOperations::OpaqueView(image).constBits(), image.constBits()) << "X11: a view, no copy";
}

}  // namespace
}  // namespace velmora
