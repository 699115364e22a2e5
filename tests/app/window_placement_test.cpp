#include <gtest/gtest.h>

#include "window_placement.h"

namespace velmora {
namespace {

TEST(WindowPlacement, CentredOnAWideDesktop) {
  const Placement p = PlaceGameWindow({1024, 768, 10, 30, 0, 0});
  EXPECT_EQ(p.width, 650);
  EXPECT_EQ(p.height, 510);
  EXPECT_EQ(p.x, 512 - 325);
  EXPECT_EQ(p.y, 384 - 255);
  EXPECT_FALSE(p.tooSmall);
  EXPECT_EQ(p.tileMenuX, p.x + 108);
  EXPECT_EQ(p.tileMenuY, p.y + 150);
}

TEST(WindowPlacement, RoomForTheTipsWindowMovesTheGameRight) {
  const Placement p = PlaceGameWindow({1280, 1024, 0, 0, 300, 480});
  EXPECT_EQ(p.x, 640 + 300 - (300 + 640) / 2);
  EXPECT_EQ(p.tipsX, p.x - 150 + 240);
  EXPECT_EQ(p.tipsY, p.y - 240 + 240);
  EXPECT_FALSE(p.tooSmall);
}

TEST(WindowPlacement, ANarrowOrLowDesktopPinsTheWindowAndWarns) {
  Placement p = PlaceGameWindow({600, 400, 0, 0, 0, 0});
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 0);
  EXPECT_TRUE(p.tooSmall);

  p = PlaceGameWindow({800, 600, 0, 0, 300, 480});  // wide enough for the game, not for the room
  EXPECT_EQ(p.x, 800 - 640);
  EXPECT_TRUE(p.tooSmall);
}

}  // namespace
}  // namespace velmora
