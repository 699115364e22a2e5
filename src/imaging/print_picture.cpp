#include "print_picture.h"

#include <QFont>
#include <QPainter>

#include "imaging_texts.h"

namespace velmora {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kRing = 0xFF808080;
constexpr QRgb kCorner = 0xFFC0C0C0;

bool IsWhite(const QImage& image, int x, int y) {
  return image.valid(x, y) && (image.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF;
}

void WhitenTile(QImage& image, int left, int top) {
  for (int j = 0; j < 40; ++j) {
    for (int i = 0; i < 40; ++i) {
      QRgb color = (i == 0 || i == 39 || j == 0 || j == 39) ? kRing : kWhite;
      if ((i == 1 || i == 38) && (j == 1 || j == 38)) color = kCorner;
      if (image.valid(left + i, top + j)) image.setPixel(left + i, top + j, color);
    }
  }
}

}  // namespace

QImage PreparePrintPicture(QImage picture, const QString& topLabel, const QString& bottomLabel) {
  picture = picture.convertToFormat(QImage::Format_RGB32);
  {
    QPainter painter(&picture);
    painter.setPen(QColor(96, 96, 96));
    painter.drawText(QRect(15, 5, 465, 23), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, topLabel);
    painter.drawText(QRect(15, 445, 465, 23), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, bottomLabel);
  }
  for (int c = 0; c < 9; ++c) {
    for (int r = 0; r < 9; ++r) {
      const int x = 40 + 40 * c + 20 * (c / 3), y = 40 + 40 * r + 20 * (r / 3);
      if (!IsWhite(picture, x + 19, y + 31) && !IsWhite(picture, x + 25, y + 25)) WhitenTile(picture, x, y);
    }
  }
  return picture;
}

QRect PrintDestination(int width, int height) {
  if (width < height) {
    const int w = height / 2, h = width / 2;
    return {static_cast<int>(static_cast<float>(height / 2) * 0.2777778f),
            static_cast<int>(static_cast<float>(height / 2) * 0.6666667f), w, h};
  }
  return {static_cast<int>(static_cast<float>(height / 2) * 0.71428573f),
          static_cast<int>(static_cast<float>(height / 2) * 0.5f), width / 2, height / 2};
}

void DrawCleanGridPage(QPainter& painter, int resolution, QSize printable, const SheetPuzzle& puzzle) {
  // Laid out in points, as the puzzle tool lays out a booklet's page of one puzzle.
  constexpr qreal kHead = 22;
  constexpr qreal kFoot = 16;
  const qreal toDevice = resolution / 72.0;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.scale(toDevice, toDevice);
  const QRectF area(0, 0, printable.width() / toDevice, printable.height() / toDevice);
  painter.setFont(SheetFont(painter, 10));
  painter.setPen(QColor(0, 0, 0));
  painter.drawText(QRectF(area.left(), area.top(), area.width(), kHead), Qt::AlignLeft | Qt::AlignTop,
                   QString::fromLatin1(imaging::texts::kCleanGridHeading));
  // The clues bold and black, the player's own digits lighter, as on a booklet's solution page.
  DrawSheetPuzzle(painter, QRectF(area.left(), area.top() + kHead, area.width(), area.height() - kHead - kFoot), puzzle,
                  true);
  painter.restore();
}

}  // namespace velmora
