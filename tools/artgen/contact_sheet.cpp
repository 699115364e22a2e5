#include "contact_sheet.h"

#include <QPainter>

#include "catalogue.h"
#include "paint.h"

namespace velmora::artgen {

namespace {

constexpr int kSheetWidth = 1400;
constexpr int kMargin = 12;
constexpr int kLabelHeight = 16;

struct Cell {
  QImage image;
  QString label;
  QRect place;  // picture area
};

}  // namespace

QImage ContactSheet(const std::vector<ArtEntry>& entries, const std::vector<QImage>& pictures, const QImage& icon) {
  std::vector<Cell> cells;
  for (size_t i = 0; i < entries.size(); ++i) {
    Cell c;
    c.image = pictures[i];
    c.label = QString::number(entries[i].id);
    if (c.image.width() > 300) {
      c.image = c.image.scaled(c.image.size() / 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
      c.label += QStringLiteral(" (50%)");
    }
    cells.push_back(std::move(c));
  }
  cells.push_back({icon, QString::number(kIconId) + QStringLiteral(" icon"), {}});

  // Flow the cells into rows.
  int x = kMargin;
  int y = kMargin;
  int rowHeight = 0;
  for (Cell& c : cells) {
    const int w = std::max(c.image.width(), 40);
    const int h = c.image.height() + kLabelHeight;
    if (x + w > kSheetWidth - kMargin) {
      x = kMargin;
      y += rowHeight + 8;
      rowHeight = 0;
    }
    c.place = QRect(x + (w - c.image.width()) / 2, y, c.image.width(), c.image.height());
    x += w + 8;
    rowHeight = std::max(rowHeight, h);
  }
  const int height = y + rowHeight + kMargin;

  QImage sheet(kSheetWidth, height, QImage::Format_RGB32);
  // A neutral checkerboard, so that the logo's and the icon's transparency shows.
  QPainter p(&sheet);
  for (int ty = 0; ty < height; ty += 8) {
    for (int tx = 0; tx < kSheetWidth; tx += 8) {
      p.fillRect(tx, ty, 8, 8, ((tx + ty) / 8) % 2 ? Grey(74) : Grey(84));
    }
  }
  TextStyle label;
  label.face = &Fonts().bold;
  label.size = 11;
  label.fill = Grey(235);
  for (const Cell& c : cells) {
    p.drawImage(c.place.topLeft(), c.image);
    if (c.image.width() <= 2) {
      p.setPen(Grey(200));
      p.drawRect(c.place.adjusted(-3, -3, 2, 2));
    }
    DrawLineAt(p, c.label, c.place.center().x() + 0.5, c.place.bottom() + 14, Align::Centre, label);
  }
  p.end();
  return sheet;
}

}  // namespace velmora::artgen
