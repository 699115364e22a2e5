#include <gtest/gtest.h>

#include "window_placement.h"

// Where the window lands on an ordinary desktop, with and without the Tips
// window beside it, is measured on the real window under a window manager
// (tests/e2e/window_manager_test.sh). What is left here are desktops too small
// for the window, which the end-to-end tests do not set up.

namespace velmora {
namespace {

TEST(WindowPlacement, ADesktopTooSmallPinsTheWindowToItsCornerAndWarns) {
  // 600 x 400 holds neither 642 x 501 nor its half: the window goes to (0, 0).
  Placement p = PlaceGameWindow({600, 400, 2, 21, 0, 0});
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 0);
  EXPECT_TRUE(p.tooSmall);

  // 800 wide holds the 642 wide window but not 300 more for the Tips window:
  // the window keeps to the right edge, 800 - 642 = 158, and warns.
  p = PlaceGameWindow({800, 600, 2, 21, 300, 480});
  EXPECT_EQ(p.x, 158);
  EXPECT_EQ(p.y, 300 - 250);
  EXPECT_TRUE(p.tooSmall);

  // 1024 x 768 holds both: no warning.
  EXPECT_FALSE(PlaceGameWindow({1024, 768, 2, 21, 300, 480}).tooSmall);
}

}  // namespace
}  // namespace velmora
