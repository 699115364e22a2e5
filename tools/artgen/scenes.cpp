// The main background with its guide tabs, the dialog background, the splash
// logo, the window icon and the placeholders.
#include <algorithm>

#include <QLinearGradient>
#include <QPainter>
#include <QPen>
#include <QRadialGradient>

#include "paint.h"
#include "pieces.h"
#include "screen_layout.h"

namespace velmora::artgen {

namespace {

QColor TrayCard() { return Blue(0.80, 0.28); }

// A soft shadow under a rounded rectangle, made of widening faint outlines.
void DrawSoftShadow(QPainter& p, const QRectF& r, qreal radius, int spread, int alpha, QPointF offset) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(Qt::NoPen);
  for (int i = spread; i >= 1; --i) {
    const qreal a = alpha * (1.0 - qreal(i) / (spread + 1)) / spread * 2.2;
    p.setBrush(QColor(0, 0, 0, std::clamp(int(a), 0, 255)));
    p.drawPath(RoundRect(r.adjusted(-i, -i, i, i).translated(offset), radius + i));
  }
  p.restore();
}

void DrawBoard(QPainter& p) {
  // Panel around the board: the guide tabs sit on its flat band, so the band
  // is one colour everywhere a tab can go.
  const QRectF panel(4, 4, 472, 472);
  p.setPen(Qt::NoPen);
  p.setBrush(Blue(0.55, 0.50));
  p.drawPath(RoundRect(panel, 14));
  p.setBrush(palette::BoardBand());
  p.drawPath(RoundRect(panel.adjusted(1.5, 1.5, -1.5, -1.5), 12.5));

  // The board's dark frame, 5 pixels wide around the tiles.
  const QRectF frame(35, 35, 410, 410);
  p.setBrush(Blue(0.60, 0.42));
  p.drawPath(RoundRect(frame.adjusted(-1, -1, 1, 1), 7));
  p.setBrush(palette::GridLine());
  p.drawPath(RoundRect(frame, 6));

  // The wells between the blocks.
  p.setBrush(palette::BoardWell());
  p.drawRect(QRectF(40, 40, 400, 400));
  // Each block's frame, 2 pixels around its 3 x 3 tiles, then its empty cells.
  for (int br = 0; br < 3; ++br) {
    for (int bc = 0; bc < 3; ++bc) {
      const QRectF block = layout::BlockRect(br, bc);
      p.setBrush(palette::GridLine());
      p.drawPath(RoundRect(block.adjusted(-2, -2, 2, 2), 3));
    }
  }
  for (int r = 0; r < 9; ++r) {
    for (int c = 0; c < 9; ++c) {
      const QRectF cell = QRectF(layout::TileRect(r, c)).adjusted(1, 1, -1, -1);
      p.setBrush(VerticalGradient(cell, Blue(0.85, 0.20), Blue(0.78, 0.30)));
      p.drawPath(RoundRect(cell, 5));
    }
  }
  // Small gold studs where the wells cross.
  for (int i = 0; i < 2; ++i) {
    for (int j = 0; j < 2; ++j) {
      const QPointF c(170 + 140 * j, 170 + 140 * i);
      QPainterPath diamond;
      diamond.moveTo(c + QPointF(0, -5));
      diamond.lineTo(c + QPointF(5, 0));
      diamond.lineTo(c + QPointF(0, 5));
      diamond.lineTo(c + QPointF(-5, 0));
      diamond.closeSubpath();
      QLinearGradient g(c - QPointF(0, 5), c + QPointF(0, 5));
      g.setColorAt(0, palette::GoldLight());
      g.setColorAt(1, palette::GoldDark());
      p.setBrush(g);
      p.drawPath(diamond);
    }
  }
}

void DrawRightPanel(QPainter& p) {
  p.setPen(Qt::NoPen);
  // Name plate.
  const QRectF name(478, 3, 156, 31);
  DrawSoftShadow(p, name, 7, 3, 60, QPointF(0, 1));
  p.setBrush(Blue(0.55, 0.46));
  p.drawPath(RoundRect(name, 7));
  p.setBrush(VerticalGradient(name, Blue(0.75, 0.36), Blue(0.82, 0.26)));
  p.drawPath(RoundRect(name.adjusted(1, 1, -1, -1), 6));
  QLinearGradient gold(name.left(), 0, name.right(), 0);
  gold.setColorAt(0, palette::Gold().darker(160));
  gold.setColorAt(0.5, palette::Gold());
  gold.setColorAt(1, palette::Gold().darker(160));
  p.setBrush(gold);
  p.drawRect(QRectF(name.left() + 10, name.bottom() - 2.5, name.width() - 20, 1.2));

  // Type tray: the keys on the left, each count on a stripe to its right.
  const QRectF tray(476, 37, 160, 246);
  DrawSoftShadow(p, tray, 8, 3, 60, QPointF(0, 1));
  p.setBrush(Blue(0.55, 0.44));
  p.drawPath(RoundRect(tray, 8));
  p.setBrush(TrayCard());
  p.drawPath(RoundRect(tray.adjusted(1, 1, -1, -1), 7));
  for (int row = 0; row < 10; ++row) {
    const QRectF stripe(522, 41 + 24 * row, 110, 22);
    p.setBrush(row % 2 == 0 ? Blue(0.78, 0.34) : Blue(0.80, 0.31));
    p.drawPath(RoundRect(stripe, 5));
  }

  // Stats panel: a dark display with a gold edge.
  const QRectF stats(477, 318, 156, 48);
  DrawSoftShadow(p, stats, 8, 3, 60, QPointF(0, 1));
  QLinearGradient edge(stats.topLeft(), stats.bottomLeft());
  edge.setColorAt(0, palette::GoldLight());
  edge.setColorAt(1, palette::GoldDark());
  p.setBrush(edge);
  p.drawPath(RoundRect(stats, 8));
  const QRectF screen = stats.adjusted(2, 2, -2, -2);
  p.setBrush(VerticalGradient(screen, Blue(0.90, 0.12), Blue(0.85, 0.22)));
  p.drawPath(RoundRect(screen, 6));
  QRadialGradient glow(screen.center(), screen.width() * 0.6);
  glow.setColorAt(0, Blue(0.70, 0.40, 0.45));
  glow.setColorAt(1, Blue(0.70, 0.40, 0.0));
  p.setBrush(glow);
  p.drawPath(RoundRect(screen, 6));
}

}  // namespace

QImage MainBackground() {
  QImage img = NewImage(640, 480, palette::Backdrop());
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, true);
  DrawSoftShadow(p, QRectF(4, 4, 472, 472), 14, 4, 90, QPointF(0, 1));
  DrawBoard(p);
  DrawRightPanel(p);
  return img;
}

QImage GuideTab(int dx, int dy) {
  // The tab is drawn over the very piece of background it covers (every tab
  // position of one side shows the same band), then the arrow on top.
  QRect where;
  if (dx > 0) {
    where = layout::LeftTabRect(0);
  } else if (dx < 0) {
    where = layout::RightTabRect(0);
  } else if (dy > 0) {
    where = layout::TopTabRect(0);
  } else {
    where = layout::BottomTabRect(0);
  }
  static const QImage background1x = MainBackground();
  const QImage background = DrawScale() == 1 ? background1x : MainBackground();
  const int s = DrawScale();
  QImage img = background.copy(QRect(where.topLeft() * s, where.size() * s));
  img.setDevicePixelRatio(s);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(Qt::NoPen);
  // Arrow centred in the band part of the tab (away from the board's frame).
  const qreal length = 15;
  const qreal width = 16;
  QPointF c(where.width() / 2.0, where.height() / 2.0);
  if (dx > 0) c.setX(14);
  if (dx < 0) c.setX(16);
  if (dy > 0) c.setY(14);
  if (dy < 0) c.setY(16);
  const QPainterPath arrow = ArrowPath(c, length, width, dx, dy);
  p.setBrush(QColor(0, 0, 0, 120));
  p.drawPath(arrow.translated(0.8, 1.2));
  QLinearGradient g(c - QPointF(0, 8), c + QPointF(0, 8));
  g.setColorAt(0, palette::GoldLight());
  g.setColorAt(0.5, palette::Gold());
  g.setColorAt(1, palette::GoldDark());
  p.setBrush(g);
  p.drawPath(arrow);
  return img;
}

QImage DialogBackground() {
  QImage img = NewImage(480, 480, palette::DialogField());
  return img;
}

QImage SplashLogo() {
  QImage img = ScaledImage(400, 300, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, true);
  const QRectF badge(24, 34, 352, 232);
  DrawSoftShadow(p, badge, 26, 14, 150, QPointF(0, 5));
  p.setPen(Qt::NoPen);
  QLinearGradient rim(badge.topLeft(), badge.bottomLeft());
  rim.setColorAt(0, palette::GoldLight());
  rim.setColorAt(0.5, palette::Gold());
  rim.setColorAt(1, palette::GoldDark());
  p.setBrush(rim);
  p.drawPath(RoundRect(badge, 26));
  const QRectF face = badge.adjusted(4, 4, -4, -4);
  p.setBrush(VerticalGradient(face, Blue(0.70, 0.55), Blue(0.90, 0.20)));
  p.drawPath(RoundRect(face, 22));
  QRadialGradient glow(QPointF(200, 90), 200);
  glow.setColorAt(0, QColor(255, 255, 255, 70));
  glow.setColorAt(1, QColor(255, 255, 255, 0));
  p.setBrush(glow);
  p.drawPath(RoundRect(face, 22));

  // Emblem: a small 3 x 3 block of tiles, the centre one gold.
  const qreal cell = 20;
  const QPointF origin(200 - 1.5 * cell - 2, 52);
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) {
      const QRectF t(origin.x() + c * (cell + 2), origin.y() + r * (cell + 2), cell, cell);
      const bool centre = r == 1 && c == 1;
      p.setBrush(centre ? VerticalGradient(t, palette::GoldLight(), palette::GoldDark())
                        : VerticalGradient(t, Blue(0.40, 0.98), Blue(0.75, 0.70)));
      p.drawPath(RoundRect(t, 4));
    }
  }

  TextStyle title;
  title.face = &Fonts().black;
  title.size = 66;
  title.fill = Qt::white;
  title.shadow = QColor(0, 0, 0, 140);
  title.shadowOffset = QPointF(2, 3);
  DrawLineAt(p, QStringLiteral("Velmora"), 200, 186, Align::Centre, title);

  TextStyle sub;
  sub.face = &Fonts().bold;
  sub.size = 30;
  sub.tracking = 9;
  sub.fill = palette::Gold();
  sub.shadow = QColor(0, 0, 0, 140);
  sub.shadowOffset = QPointF(1.5, 2);
  DrawLineAt(p, QStringLiteral("SUDOKU"), 200 + 4.5, 232, Align::Centre, sub);
  p.end();
  return img.convertToFormat(QImage::Format_ARGB32);
}

QImage WindowIcon() {
  QImage img(64, 64, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(Qt::NoPen);
  const QRectF outer(2, 2, 60, 60);
  QLinearGradient rim(outer.topLeft(), outer.bottomLeft());
  rim.setColorAt(0, palette::GoldLight());
  rim.setColorAt(1, palette::GoldDark());
  p.setBrush(rim);
  p.drawPath(RoundRect(outer, 12));
  const QRectF face = outer.adjusted(3, 3, -3, -3);
  p.setBrush(VerticalGradient(face, Blue(0.75, 0.45), Blue(0.90, 0.18)));
  p.drawPath(RoundRect(face, 9));
  const qreal cell = 14;
  const qreal gap = 2;
  const qreal start = 32 - 1.5 * cell - gap;
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) {
      const QRectF t(start + c * (cell + gap), start + r * (cell + gap), cell, cell);
      const bool centre = r == 1 && c == 1;
      p.setBrush(centre ? VerticalGradient(t, palette::GoldLight(), palette::GoldDark())
                        : VerticalGradient(t, Blue(0.35, 1.0), Blue(0.70, 0.75)));
      p.drawPath(RoundRect(t, 3));
    }
  }
  p.end();
  return img.convertToFormat(QImage::Format_ARGB32);
}

QImage Placeholder() {
  QImage img = ScaledImage(1, 1, QImage::Format_RGB32);
  img.fill(Qt::black);
  return img;
}

}  // namespace velmora::artgen
