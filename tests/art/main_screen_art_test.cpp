// The main background against the game window's layout: the board's frame
// under the tiles, the guide tabs and buttons on the colours they cover, and
// dark fields where the game writes its white texts.
#include <gtest/gtest.h>

#include <QRect>

#include "art_test_support.h"

namespace velmora::arttest {
namespace {

int Id(int index) { return kFirstId + index; }

QImage Background() { return LoadRgb32(Id(138)); }
QImage Picture(int index) { return LoadRgb32(Id(index)); }

// The colour of the lines between tiles, taken from a tile face's outer ring.
QRgb GridColour() { return Picture(40).pixel(20, 0); }

TEST(MainBackground, EmptyCellsSitExactlyUnderTheTiles) {
  const QImage bg = Background();
  const QRgb grid = GridColour();
  for (int r = 0; r < 9; ++r) {
    for (int c = 0; c < 9; ++c) {
      const QRect t = TileRect(r, c);
      // The tile's outermost ring is grid colour on the background too ...
      for (int i = 4; i < 36; ++i) {
        ASSERT_TRUE(SameRgb(bg.pixel(t.left() + i, t.top()), grid)) << "tile " << r << "," << c;
        ASSERT_TRUE(SameRgb(bg.pixel(t.left() + i, t.bottom()), grid)) << "tile " << r << "," << c;
        ASSERT_TRUE(SameRgb(bg.pixel(t.left(), t.top() + i), grid)) << "tile " << r << "," << c;
        ASSERT_TRUE(SameRgb(bg.pixel(t.right(), t.top() + i), grid)) << "tile " << r << "," << c;
      }
      // ... and the cell inside it is not.
      EXPECT_FALSE(SameRgb(bg.pixel(t.left() + 3, t.center().y()), grid)) << "tile " << r << "," << c;
      EXPECT_FALSE(SameRgb(bg.pixel(t.center().x(), t.top() + 3), grid)) << "tile " << r << "," << c;
    }
  }
}

TEST(MainBackground, BlockFramesFollowTheBlocksAndTheGapsShowBetweenThem) {
  const QImage bg = Background();
  const QRgb grid = GridColour();
  for (int br = 0; br < 3; ++br) {
    for (int bc = 0; bc < 3; ++bc) {
      const QRect b = BlockRect(br, bc);
      for (int i = 4; i < 116; ++i) {
        // Two pixels of frame all round each block.
        for (int d = 1; d <= 2; ++d) {
          ASSERT_TRUE(SameRgb(bg.pixel(b.left() - d, b.top() + i), grid)) << "block " << br << "," << bc;
          ASSERT_TRUE(SameRgb(bg.pixel(b.right() + d, b.top() + i), grid)) << "block " << br << "," << bc;
          ASSERT_TRUE(SameRgb(bg.pixel(b.left() + i, b.top() - d), grid)) << "block " << br << "," << bc;
          ASSERT_TRUE(SameRgb(bg.pixel(b.left() + i, b.bottom() + d), grid)) << "block " << br << "," << bc;
        }
        // The 20-pixel gaps between blocks are a different surface in the middle.
        if (bc < 2) {
          ASSERT_FALSE(SameRgb(bg.pixel(b.right() + 10, b.top() + i), grid)) << "block " << br << "," << bc;
        }
        if (br < 2) {
          ASSERT_FALSE(SameRgb(bg.pixel(b.left() + i, b.bottom() + 10), grid)) << "block " << br << "," << bc;
        }
      }
    }
  }
}

struct Tab {
  int index;
  QRect (*where)(int);
};

QRect LeftTab(int r) { return QRect(10, 50 + 40 * r + 20 * (r / 3), 30, 20); }
QRect RightTab(int r) { return QRect(440, 50 + 40 * r + 20 * (r / 3), 30, 20); }
QRect TopTab(int c) { return QRect(50 + 40 * c + 20 * (c / 3), 10, 20, 30); }
QRect BottomTab(int c) { return QRect(50 + 40 * c + 20 * (c / 3), 440, 20, 30); }

TEST(MainBackground, GuideTabsBlendIntoTheBoardFrameAtEveryRowAndColumn) {
  const QImage bg = Background();
  // Indices 134 down (above the board), 135 up (below), 136 right (left of it),
  // 137 left (right of it).
  const Tab tabs[] = {{134, TopTab}, {135, BottomTab}, {136, LeftTab}, {137, RightTab}};
  for (const Tab& tab : tabs) {
    const QImage img = Picture(tab.index);
    for (int k = 0; k < 9; ++k) {
      const QRect at = tab.where(k);
      ASSERT_EQ(img.size(), at.size());
      int arrow = 0;
      for (int y = 0; y < at.height(); ++y) {
        for (int x = 0; x < at.width(); ++x) {
          const bool corner = (x < 3 || x >= at.width() - 3) && (y < 3 || y >= at.height() - 3);
          const bool same = SameRgb(img.pixel(x, y), bg.pixel(at.left() + x, at.top() + y));
          if (corner) {
            ASSERT_TRUE(same) << "tab " << tab.index << " position " << k << " pixel " << x << "," << y;
          }
          arrow += !same;
        }
      }
      EXPECT_GT(arrow, 60) << "tab " << tab.index << " shows no arrow";
    }
  }
}

struct Control {
  int index;
  QRect rect;
};

TEST(MainBackground, ControlsBlendIntoTheBackgroundAtTheirPlaces) {
  const QImage bg = Background();
  std::vector<Control> controls = {
      {124, {480, 290, 75, 22}},  {125, {480, 290, 75, 22}},  {187, {555, 290, 75, 22}},  {188, {555, 290, 75, 22}},
      {132, {480, 372, 138, 26}}, {133, {480, 372, 138, 26}}, {128, {480, 398, 52, 22}},  {129, {480, 398, 52, 22}},
      {126, {533, 398, 98, 22}},  {127, {533, 398, 98, 22}},  {130, {480, 420, 150, 22}}, {131, {480, 420, 150, 22}},
      {181, {480, 450, 150, 22}}, {182, {480, 450, 150, 22}},
  };
  for (int k = 0; k < 9; ++k) {
    const QRect tray(480, 40 + 24 * k, 40, 24);
    controls.push_back({80 + k, tray});
    controls.push_back({91 + k, tray});
    controls.push_back({101, tray});  // the blank key shows on every row
  }
  controls.push_back({89, {480, 256, 40, 24}});
  controls.push_back({100, {480, 256, 40, 24}});
  controls.push_back({101, {480, 256, 40, 24}});
  for (const Control& c : controls) {
    const QImage img = Picture(c.index);
    ASSERT_EQ(img.size(), c.rect.size()) << "index " << c.index;
    const QPoint corners[] = {
        {0, 0}, {c.rect.width() - 1, 0}, {0, c.rect.height() - 1}, {c.rect.width() - 1, c.rect.height() - 1}};
    for (const QPoint& p : corners) {
      EXPECT_TRUE(SameRgb(img.pixel(p), bg.pixel(c.rect.topLeft() + p)))
          << "index " << c.index << " corner " << p.x() << "," << p.y();
    }
  }
}

TEST(MainBackground, TextAreasAreDarkEnoughForWhiteText) {
  const QImage bg = Background();
  std::vector<QRect> areas = {
      QRect(QPoint(480, 0), QPoint(629, 29)),     // player name
      QRect(QPoint(480, 322), QPoint(629, 361)),  // stats panel
      QRect(QPoint(140, 200), QPoint(363, 249)),  // "Building Puzzle...." over the empty board
  };
  for (int k = 0; k < 10; ++k) {
    areas.push_back(QRect(QPoint(522, 38 + 24 * k), QPoint(629, 61 + 24 * k)));  // tray counts
  }
  for (const QRect& a : areas) {
    double brightest = 0;
    for (int y = a.top(); y <= a.bottom(); ++y) {
      for (int x = a.left(); x <= a.right(); ++x) {
        brightest = std::max(brightest, Luminance(bg.pixel(x, y)));
      }
    }
    EXPECT_LT(brightest, 0.40) << "area at " << a.x() << "," << a.y();
  }
}

TEST(MainBackground, ColoursAreTheArtBlueGoldOrNeutral) {
  const QImage bg = Background();
  for (int y = 0; y < bg.height(); ++y) {
    for (int x = 0; x < bg.width(); ++x) {
      const QRgb c = bg.pixel(x, y);
      if (Saturation(c) < 0.25 || Luminance(c) < 0.04) {
        continue;
      }
      const double h = Hue(c);
      ASSERT_TRUE(std::abs(h - 220) <= 5 || (h >= 25 && h <= 55)) << "pixel " << x << "," << y << " hue " << h;
    }
  }
}

}  // namespace
}  // namespace velmora::arttest
