// The tile faces, tray keys and type buttons: readable, distinct digits in the
// colours the game recolours, and the white the printout looks for.
#include <gtest/gtest.h>

#include "art_test_support.h"

namespace velmora::arttest {
namespace {

// Table index -> bitmap id.
int Id(int index) { return kFirstId + index; }

QImage Face(int set, int face) { return LoadRgb32(Id(10 * set + face)); }

bool IsWhite(QRgb c) { return SameRgb(c, qRgb(255, 255, 255)); }

int CountDifferent(const QImage& a, const QImage& b) {
  int n = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      n += !SameRgb(a.pixel(x, y), b.pixel(x, y));
    }
  }
  return n;
}

bool GoldSet(int set) { return set == 2 || set == 3 || set == 6 || set == 7; }

TEST(TileFaces, DigitsDifferFromEachOtherAndFromTheBlankFace) {
  for (int set = 0; set < 8; ++set) {
    for (int a = 0; a < 10; ++a) {
      for (int b = a + 1; b < 10; ++b) {
        EXPECT_GT(CountDifferent(Face(set, a), Face(set, b)), 60) << "set " << set << ": faces " << a << ", " << b;
      }
    }
  }
}

TEST(TileFaces, EachSetDiffersFromEveryOtherSet) {
  for (int face = 0; face < 10; ++face) {
    for (int a = 0; a < 8; ++a) {
      for (int b = a + 1; b < 8; ++b) {
        EXPECT_GT(CountDifferent(Face(a, face), Face(b, face)), 40) << "face " << face << ": sets " << a << ", " << b;
      }
    }
  }
}

// The printout takes a tile as played when the pixel (19, 31) or (25, 25) of
// its face is pure white, and replaces every other tile by a white one.
TEST(TileFaces, DigitFacesShowPureWhiteWhereThePrintoutLooks) {
  for (int set = 0; set < 8; ++set) {
    for (int face = 1; face <= 9; ++face) {
      const QImage img = Face(set, face);
      EXPECT_TRUE(IsWhite(img.pixel(19, 31)) || IsWhite(img.pixel(25, 25))) << "set " << set << " digit " << face;
    }
  }
}

TEST(TileFaces, BlankFacesShowNoPureWhiteWhereThePrintoutLooks) {
  for (int set = 0; set < 8; ++set) {
    const QImage img = Face(set, 0);
    EXPECT_FALSE(IsWhite(img.pixel(19, 31))) << "set " << set;
    EXPECT_FALSE(IsWhite(img.pixel(25, 25))) << "set " << set;
  }
}

// Inside the frame and away from the digit's white, the blue sets are blue of
// the art's hue 220 (which the game turns to the player's colour) and the grey
// sets are exactly neutral (which the game leaves alone).
TEST(TileFaces, BlueSetsAreHue220AndGreySetsAreNeutral) {
  for (int set = 0; set < 8; ++set) {
    const int inset = GoldSet(set) ? 6 : 4;
    for (int face = 0; face < 10; ++face) {
      const QImage img = Face(set, face);
      int blue = 0;
      for (int y = inset; y < 40 - inset; ++y) {
        for (int x = inset; x < 40 - inset; ++x) {
          const QRgb c = img.pixel(x, y);
          if (set % 2 == 1) {
            ASSERT_TRUE(qRed(c) == qGreen(c) && qGreen(c) == qBlue(c))
                << "grey set " << set << " face " << face << " pixel " << x << "," << y;
          } else if (Saturation(c) > 0.2) {
            ++blue;
            ASSERT_NEAR(Hue(c), 220.0, 4.0) << "blue set " << set << " face " << face << " pixel " << x << "," << y;
          }
        }
      }
      if (set % 2 == 0) {
        EXPECT_GT(blue, 300) << "blue set " << set << " face " << face;
      }
    }
  }
}

TEST(TileFaces, OnlyTheCursorSetsCarryAGoldFrame) {
  for (int set = 0; set < 8; ++set) {
    const QImage img = Face(set, 0);
    int gold = 0;
    for (int i = 4; i < 36; ++i) {
      for (const QRgb c : {img.pixel(i, 2), img.pixel(2, i), img.pixel(i, 37), img.pixel(37, i)}) {
        const double h = Hue(c);
        gold += Saturation(c) > 0.4 && h > 25 && h < 60;
      }
    }
    if (GoldSet(set)) {
      EXPECT_EQ(gold, 4 * 32) << "set " << set;
    } else {
      EXPECT_EQ(gold, 0) << "set " << set;
    }
  }
}

// Tiles sit side by side with no gap in a block: their outermost ring is the
// board's grid colour, the same on every face, so the grid lines run straight.
TEST(TileFaces, EveryFaceHasTheSameOuterRing) {
  const QRgb ring = Face(0, 0).pixel(20, 0);
  for (int set = 0; set < 8; ++set) {
    for (int face = 0; face < 10; ++face) {
      const QImage img = Face(set, face);
      for (int i = 0; i < 40; ++i) {
        ASSERT_TRUE(SameRgb(img.pixel(i, 0), ring) && SameRgb(img.pixel(i, 39), ring) &&
                    SameRgb(img.pixel(0, i), ring) && SameRgb(img.pixel(39, i), ring))
            << "set " << set << " face " << face << " at " << i;
      }
    }
  }
}

TEST(TrayAndTypeButtons, DigitsAndEraserDiffer) {
  // Tray: indices 80..101; type buttons: 102..123. Each set: digits 1..9, X, blank.
  for (int first : {80, 91, 102, 113}) {
    for (int a = 0; a < 11; ++a) {
      for (int b = a + 1; b < 11; ++b) {
        EXPECT_GT(CountDifferent(LoadRgb32(Id(first + a)), LoadRgb32(Id(first + b))), 30)
            << "indices " << first + a << ", " << first + b;
      }
    }
  }
}

TEST(TrayAndTypeButtons, TheActiveNumberStandsOut) {
  // Lit tray keys (80..90) against the normal ones (91..101).
  for (int k = 0; k < 11; ++k) {
    EXPECT_GT(CountDifferent(LoadRgb32(Id(80 + k)), LoadRgb32(Id(91 + k))), 40 * 24 / 3) << "key " << k;
  }
}

}  // namespace
}  // namespace velmora::arttest
