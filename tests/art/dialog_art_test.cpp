// The dialog background with the controls the dialogs put on it, and the intro
// pages with their orange buttons and the colour page's picker.
#include <gtest/gtest.h>

#include <QRect>
#include <cstring>

#include "art_test_support.h"

namespace velmora::arttest {
namespace {

struct Placed {
  int id;
  int x, y;
};

void ExpectCornersMatch(const QImage& field, const Placed& c, const char* where) {
  const QImage img = LoadRgb32(c.id);
  const QPoint corners[] = {{0, 0}, {img.width() - 1, 0}, {0, img.height() - 1}, {img.width() - 1, img.height() - 1}};
  for (const QPoint& p : corners) {
    EXPECT_TRUE(SameRgb(img.pixel(p), field.pixel(QPoint(c.x, c.y) + p)))
        << where << ": bitmap " << c.id << " at " << c.x << "," << c.y << " corner " << p.x() << "," << p.y();
  }
}

TEST(DialogArt, ControlsBlendIntoTheDialogBackgroundWhereTheDialogsPutThem) {
  const QImage field = LoadRgb32(288);
  const std::vector<Placed> placed = {
      // New Game
      {305, 298, 400},
      {306, 298, 400},
      {295, 10, 400},
      {296, 10, 400},
      {299, 150, 234},
      {300, 150, 234},
      {301, 20, 40},
      {302, 20, 70},
      {301, 20, 260},
      {302, 20, 170},
      {303, 150, 200},
      {304, 150, 200},
      // Options
      {307, 260, 422},
      {308, 260, 422},
      {309, 10, 224},
      {310, 10, 224},
      {303, 200, 120},
      {304, 10, 276},
      // Tile menu: the row of type buttons and the eraser
      {233, 12, 40},
      {244, 12, 78},
      {241, 204, 40},
      {252, 204, 78},
      {242, 228, 40},
      {253, 228, 78},
      {297, 148, 140},
      {298, 148, 140},
      // Choose Player, Create New Player, Puzzle Results, Continue Game
      {291, 20, 210},
      {292, 20, 210},
      {289, 20, 290},
      {290, 20, 210},
      {293, 20, 320},
      {294, 20, 320},
      {297, 190, 438},
      {314, 15, 197},
      {315, 15, 197},
      {316, 285, 197},
      {317, 285, 197},
      // Message dialog, 300 pixels high
      {314, 72, 244},
      {317, 228, 244},
      {308, 150, 244},
  };
  for (const Placed& c : placed) {
    ExpectCornersMatch(field, c, "dialog");
  }
}

TEST(DialogArt, BackgroundIsDarkEnoughForWhiteLabels) {
  const QImage field = LoadRgb32(288);
  double brightest = 0;
  for (int y = 8; y < 472; ++y) {
    for (int x = 8; x < 472; ++x) {
      brightest = std::max(brightest, Luminance(field.pixel(x, y)));
    }
  }
  EXPECT_LT(brightest, 0.45);
}

TEST(DialogArt, BackgroundIsTheArtBlue) {
  const QImage field = LoadRgb32(288);
  for (int y = 0; y < field.height(); y += 3) {
    for (int x = 0; x < field.width(); x += 3) {
      const QRgb c = field.pixel(x, y);
      if (Saturation(c) > 0.2) {
        ASSERT_NEAR(Hue(c), 220.0, 5.0) << "pixel " << x << "," << y;
      }
    }
  }
}

constexpr int kFirstPageId = 278;

TEST(IntroPages, OrangeButtonsBlendIntoEveryPage) {
  for (int page = 0; page < 10; ++page) {
    const QImage img = LoadRgb32(kFirstPageId + page);
    for (const Placed& c : {Placed{272, 10, 330}, Placed{273, 10, 330}, Placed{270, 320, 330}, Placed{271, 320, 330},
                            Placed{274, 400, 330}, Placed{275, 400, 330}}) {
      ExpectCornersMatch(img, c, qPrintable(QStringLiteral("page %1").arg(page)));
    }
  }
}

// The box around the pixels of a rectangle that pass a test (empty when none do).
template <typename Test>
QRect BoxOf(const QImage& img, const QRect& area, Test test) {
  QRect box;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (test(img.pixel(x, y))) box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

// Each page in its place: its title in white along the top, longer titles
// wider, and the board picture of the tutorial lighting in gold the unit the
// page is about (a block, a column, a row, all three around a tile, or one tile).
TEST(IntroPages, EachPageShowsItsTitleAndLightsItsUnit) {
  enum Lit { kNothing, kBlock, kColumn, kRow, kCross, kTile, kNotChecked };
  struct Page {
    const char* title;
    Lit lit;
  };
  const Page pages[10] = {
      {"Velmora Sudoku", kNothing},
      {"Choose your color", kNotChecked},  // the spectrum holds every hue
      {"Take the tutorial?", kNothing},
      {"The basics", kNothing},
      {"The game board", kNothing},
      {"Rule 1: Blocks", kBlock},
      {"Rule 2: Columns", kColumn},
      {"Rule 3: Rows", kRow},
      {"Examples", kCross},
      {"You're ready!", kTile},
  };
  const auto white = [](QRgb c) { return Luminance(c) > 0.85; };
  const auto gold = [](QRgb c) { return Saturation(c) > 0.3 && Hue(c) > 30 && Hue(c) < 55 && Luminance(c) > 0.4; };
  const QRect titleBand(0, 34, 480, 26);
  const QRect boardArea(262, 82, 203, 203);  // the right half below the title
  int titleRight[10];
  for (int page = 0; page < 10; ++page) {
    SCOPED_TRACE(pages[page].title);
    const QImage img = LoadRgb32(kFirstPageId + page);
    const QRect title = BoxOf(img, titleBand, white);
    ASSERT_FALSE(title.isEmpty());
    EXPECT_NEAR(title.left(), 22, 2);
    titleRight[page] = title.right();

    const QRect lit = BoxOf(img, boardArea, gold);
    switch (pages[page].lit) {
      case kNothing: EXPECT_TRUE(lit.isEmpty()); break;
      case kBlock:  // three tiles square
        EXPECT_NEAR(lit.width(), 60, 4);
        EXPECT_NEAR(lit.height(), 60, 4);
        break;
      case kColumn:  // one tile wide, the board high
        EXPECT_LT(lit.width(), 24);
        EXPECT_GT(lit.height(), 180);
        break;
      case kRow:
        EXPECT_GT(lit.width(), 180);
        EXPECT_LT(lit.height(), 24);
        break;
      case kCross:
        EXPECT_GT(lit.width(), 180);
        EXPECT_GT(lit.height(), 180);
        break;
      case kTile:
        EXPECT_LT(lit.width(), 26);
        EXPECT_LT(lit.height(), 26);
        EXPECT_GT(lit.width(), 16);
        break;
      case kNotChecked: break;
    }
  }
  for (int a = 0; a < 10; ++a)
    for (int b = 0; b < 10; ++b)
      if (std::strlen(pages[a].title) >= std::strlen(pages[b].title) + 2) {
        EXPECT_GT(titleRight[a], titleRight[b]) << pages[a].title << " and " << pages[b].title;
      }
}

TEST(IntroPages, ColourPageLeavesTheSwatchAndSpectrumPlacesClear) {
  // The dialog draws the swatch at (10, 100), 100 x 200, and the spectrum at
  // (120, 100), 350 x 200, over the page: nothing of the page may hide there,
  // and the page frames both places.
  const QImage img = LoadRgb32(279);
  for (const QRect& r : {QRect(10, 100, 100, 200), QRect(120, 100, 350, 200)}) {
    const QRgb inside = img.pixel(r.topLeft());
    for (int y = r.top(); y <= r.bottom(); ++y) {
      for (int x = r.left(); x <= r.right(); ++x) {
        ASSERT_TRUE(SameRgb(img.pixel(x, y), inside)) << "pixel " << x << "," << y;
      }
    }
    EXPECT_FALSE(SameRgb(img.pixel(r.left() - 2, r.center().y()), inside));
    EXPECT_FALSE(SameRgb(img.pixel(r.center().x(), r.bottom() + 2), inside));
  }
}

}  // namespace
}  // namespace velmora::arttest
