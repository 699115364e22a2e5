#include "desktop_icons.h"

#include <QLinearGradient>
#include <QPainter>
#include <cmath>

#include "paint.h"

namespace velmora::artgen {

QImage DesktopIcon(int size) {
  QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(Qt::NoPen);

  const bool small = size <= 24;
  // The card: a margin of 1/32 of the size, a gold rim of 1/20 (at least a pixel).
  const int margin = size >= 32 ? int(std::lround(size / 32.0)) : 0;
  const int rim = std::max(1, int(std::lround(size / 20.0)));
  const QRectF outer(margin, margin, size - 2 * margin, size - 2 * margin);
  const qreal outerRadius = small ? size / 8.0 : size * 12.0 / 64.0;
  QLinearGradient gold(outer.topLeft(), outer.bottomLeft());
  gold.setColorAt(0, palette::GoldLight());
  gold.setColorAt(1, palette::GoldDark());
  p.setBrush(gold);
  p.drawPath(RoundRect(outer, outerRadius));
  const QRectF face = outer.adjusted(rim, rim, -rim, -rim);
  p.setBrush(VerticalGradient(face, Blue(0.75, 0.45), Blue(0.90, 0.18)));
  p.drawPath(RoundRect(face, std::max<qreal>(1, outerRadius - rim)));

  // Three by three tiles with whole-pixel cells and gaps, centred on the face.
  const int gap = std::max(1, int(std::lround(size / 32.0)));
  const int inner = int(face.width());
  const int cell = std::max(2, (inner - 2 * gap - 2 * std::max(1, int(std::lround(size / 12.0)))) / 3);
  const int grid = 3 * cell + 2 * gap;
  const qreal start = std::floor(face.left() + (inner - grid) / 2.0);
  const qreal tileRadius = small ? 0.5 : cell * 3.0 / 14.0;
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) {
      const QRectF t(start + c * (cell + gap), start + r * (cell + gap), cell, cell);
      const bool centre = r == 1 && c == 1;
      if (small) {
        p.setBrush(centre ? palette::Gold() : Blue(0.45, 0.95));
      } else {
        p.setBrush(centre ? VerticalGradient(t, palette::GoldLight(), palette::GoldDark())
                          : VerticalGradient(t, Blue(0.35, 1.0), Blue(0.70, 0.75)));
      }
      p.drawPath(RoundRect(t, tileRadius));
    }
  }
  p.end();
  return img.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace velmora::artgen
