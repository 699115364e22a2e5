#include "puzzle_sheet.h"

#include <QColor>
#include <QFont>
#include <QPaintDevice>
#include <QPen>
#include <algorithm>

namespace velmora {

qreal SheetPointSize(const QPainter& painter, qreal units) {
  // A font's point size is turned into device pixels at the device's resolution;
  // the painter's scale to points then applies once more.
  const int dpi = painter.device() ? painter.device()->logicalDpiY() : 72;
  return units * (72.0 / (dpi > 0 ? dpi : 72));
}

QFont SheetFont(const QPainter& painter, qreal units, bool bold) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPointSizeF(SheetPointSize(painter, units));
  font.setBold(bold);
  // Qt shares one font engine among fonts of a face at one pixel size, with
  // the point size of whichever came first: on a 1200 dpi printer a sheet's
  // 12-pixel text is 0.73 points, which the screen's 12-pixel texts would then
  // take for theirs. A strategy of their own keeps such fonts apart (at 72 dpi,
  // a booklet's, a point is a point and the font is left as it always was).
  if (painter.device() && painter.device()->logicalDpiY() != 72) font.setStyleStrategy(QFont::ForceOutline);
  return font;
}

void DrawSheetPuzzle(QPainter& p, const QRectF& cell, const SheetPuzzle& puzzle, bool boldGiven) {
  const qreal labelHeight = std::clamp(cell.height() * 0.08, 14.0, 22.0);
  const qreal side = std::min(cell.width() * 0.9, (cell.height() - labelHeight) * 0.92);
  const qreal left = cell.left() + (cell.width() - side) / 2;
  const qreal top = cell.top() + (cell.height() - labelHeight - side) / 2;
  const qreal pitch = side / 9;

  const QFont digitFont = SheetFont(p, pitch * 0.58);
  const QFont givenFont = SheetFont(p, pitch * 0.58, boldGiven);
  for (int r = 0; r < 9; ++r) {
    for (int c = 0; c < 9; ++c) {
      const int i = r * 9 + c;
      if (puzzle.digits[i] < '1' || puzzle.digits[i] > '9') continue;
      p.setFont(puzzle.given[i] ? givenFont : digitFont);
      p.setPen(puzzle.given[i] ? QColor(0, 0, 0) : QColor(90, 90, 90));
      p.drawText(QRectF(left + c * pitch, top + r * pitch, pitch, pitch), Qt::AlignCenter,
                 QString(QChar(puzzle.digits[i])));
    }
  }

  const qreal thin = std::max(0.4, side / 600);
  const qreal thick = std::max(1.5, side / 120);
  p.setBrush(Qt::NoBrush);
  for (int k = 0; k <= 9; ++k) {
    if (k % 3 == 0) continue;
    p.setPen(QPen(QColor(0, 0, 0), thin, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(left + k * pitch, top), QPointF(left + k * pitch, top + side));
    p.drawLine(QPointF(left, top + k * pitch), QPointF(left + side, top + k * pitch));
  }
  p.setPen(QPen(QColor(0, 0, 0), thick, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  for (int k = 0; k <= 9; k += 3) {
    p.drawLine(QPointF(left + k * pitch, top), QPointF(left + k * pitch, top + side));
    p.drawLine(QPointF(left, top + k * pitch), QPointF(left + side, top + k * pitch));
  }

  p.setFont(SheetFont(p, labelHeight * 0.55));
  p.setPen(QColor(0, 0, 0));
  p.drawText(QRectF(left, top + side, side, labelHeight), Qt::AlignCenter, puzzle.label);
}

}  // namespace velmora
