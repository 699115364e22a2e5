// The viewing aids as drawn: each marked tile changes and every other pixel of
// the window stays as it was; the marks are shapes drawn at the screen's own
// resolution (this suite also runs on a screen scaled by 2).
#include <QColor>
#include <QPainter>

#include "playing_window_test.h"
#include "screen_layout.h"

namespace velmora {
namespace {

using testing::PlayingWindowTest;

class ViewAidsWindowTest : public PlayingWindowTest {
 protected:
  // A window rectangle in the grabbed picture's own pixels.
  static QRect Device(const QImage& image, const QRect& area) {
    const qreal scale = image.devicePixelRatio();
    return QRect(qRound(area.x() * scale), qRound(area.y() * scale), qRound(area.width() * scale),
                 qRound(area.height() * scale));
  }
  static bool SameTile(const QImage& a, const QImage& b, int row, int column) {
    const QRect area = Device(a, layout::TileRect(row, column));
    return a.copy(area) == b.copy(area);
  }
  // A pixel at window coordinates (the device pixel at its top left).
  static QColor At(const QImage& image, int x, int y) {
    const QRect area = Device(image, QRect(x, y, 1, 1));
    return image.pixelColor(area.topLeft());
  }
  // Every tile marked now differs from `before`, every other tile and the
  // rest of the window are pixel for pixel as they were.
  void ExpectOnlyMarkedTilesChanged(const QImage& before, const QImage& after) {
    int marked = 0;
    for (int r = 0; r < 9; ++r) {
      for (int c = 0; c < 9; ++c) {
        const bool changed = !SameTile(before, after, r, c);
        EXPECT_EQ(changed, TheGame().MarksOf(r, c).Any()) << "tile " << r << "," << c;
        marked += changed;
      }
    }
    EXPECT_GT(marked, 0);
    // Outside the board nothing moved (the painter works in window pixels).
    QImage a = before, b = after;
    for (QImage* image : {&a, &b}) {
      QPainter painter(image);
      painter.fillRect(QRect(40, 40, 400, 400), Qt::black);
    }
    EXPECT_TRUE(a == b) << "something outside the board changed";
  }
  // Whether the marks were drawn for the screen's pixels: on a scaled screen
  // some 2 x 2 block of device pixels in the tile is not one colour, which a
  // picture drawn at window size and then enlarged never has.
  static bool DrawnAtScreenResolution(const QImage& image, int row, int column) {
    if (image.devicePixelRatio() < 2.0) return true;
    const QRect area = Device(image, layout::TileRect(row, column));
    for (int y = area.top(); y + 1 <= area.bottom(); y += 2)
      for (int x = area.left(); x + 1 <= area.right(); x += 2) {
        const QRgb p = image.pixel(x, y);
        if (image.pixel(x + 1, y) != p || image.pixel(x, y + 1) != p || image.pixel(x + 1, y + 1) != p) return true;
      }
    return false;
  }
  // A given tile's position and type.
  std::pair<int, int> SomeGivenTile() {
    for (int r = 0; r < 9; ++r)
      for (int c = 0; c < 9; ++c)
        if (TheGame().GetBoard().IsGiven(r, c)) return {r, c};
    return {-1, -1};
  }
};

TEST_F(ViewAidsWindowTest, EachAidMarksItsTilesAndNothingElse) {
  Game& game = TheGame();
  const auto [row, column] = SomeGivenTile();
  ASSERT_GE(row, 0);
  const int type = game.GetBoard().TypeAt(row, column);
  game.SetActiveNumber(type);
  const QImage plain = Screen();

  // The Active Number: a ring.
  game.ToggleViewAid(ViewAid::kHighlightActiveNumber);
  const QImage ringed = Screen();
  ExpectOnlyMarkedTilesChanged(plain, ringed);
  ASSERT_TRUE(game.MarksOf(row, column).activeNumber)
      << row << "," << column << " type " << type << " active " << game.Session().activeNumber << " shown "
      << game.GetBoard().IsHidden(row, column);
  const QRect tile = layout::TileRect(row, column);
  const QColor ring = At(ringed, tile.left() + 3, tile.center().y());
  // A bright shade of the player's colour.
  EXPECT_GT(ring.valueF(), 0.85);
  EXPECT_GT(ring.hsvSaturationF(), 0.4);
  EXPECT_NEAR(ring.hsvHueF() * 360.0, game.Session().appliedHue, 12.0);
  EXPECT_TRUE(DrawnAtScreenResolution(ringed, row, column));
  game.ToggleViewAid(ViewAid::kHighlightActiveNumber);
  EXPECT_TRUE(Screen() == plain) << "off again, the window is as it was";

  // The Cursor Tile's row, column and block: a tint.
  game.ToggleViewAid(ViewAid::kHighlightCursorPeers);
  const QImage tinted = Screen();
  ExpectOnlyMarkedTilesChanged(plain, tinted);
  int peers = 0;
  for (int r = 0; r < 9; ++r)
    for (int c = 0; c < 9; ++c) peers += game.MarksOf(r, c).cursorPeer;
  EXPECT_EQ(peers, 20);
  game.ToggleViewAid(ViewAid::kHighlightCursorPeers);
  EXPECT_TRUE(Screen() == plain);

  // A clash: with Ignore Mistakes a wrong type stands, and both tiles get a red frame.
  game.ToggleViewAid(ViewAid::kMarkConflicts);
  EXPECT_TRUE(Screen() == plain) << "no clash yet, nothing marked";
  game.Session().settings.ignoreMistakes = true;
  int hiddenRow = -1, hiddenColumn = -1;
  for (int c = 0; c < 9 && hiddenRow < 0; ++c)
    if (game.GetBoard().IsHidden(row, c)) hiddenRow = row, hiddenColumn = c;
  ASSERT_GE(hiddenRow, 0) << "the row of a given tile has a hidden one";
  game.SetCursorTile(hiddenRow, hiddenColumn);
  game.OnKey(key::kDigit1 + type, false);  // the given tile's type, again in its row
  const QImage clash = Screen();
  EXPECT_TRUE(game.MarksOf(row, column).conflict);
  EXPECT_TRUE(game.MarksOf(hiddenRow, hiddenColumn).conflict);
  const QColor frame = At(clash, tile.left() + 2, tile.center().y());
  EXPECT_GT(frame.red(), 180);
  EXPECT_LT(frame.green(), 120);
  EXPECT_TRUE(DrawnAtScreenResolution(clash, row, column));

  // The other tile of the clash is the Cursor Tile: its gold frame stays on top.
  game.ToggleViewAid(ViewAid::kMarkConflicts);
  const QImage unmarked = Screen();
  const QRect cursor = layout::TileRect(hiddenRow, hiddenColumn);
  for (const QPoint& at : {cursor.topLeft() + QPoint(2, 20), cursor.topLeft() + QPoint(20, 37)})
    EXPECT_EQ(At(clash, at.x(), at.y()).rgb(), At(unmarked, at.x(), at.y()).rgb()) << at.x() << "," << at.y();
}

}  // namespace
}  // namespace velmora
