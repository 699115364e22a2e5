#include "paint.h"

#include <QLinearGradient>
#include <QPen>
#include <QStringList>
#include <cmath>

namespace velmora::artgen {

QColor Hsv(double hueDegrees, double saturation, double value, double alpha) {
  double h = std::fmod(hueDegrees, 360.0);
  if (h < 0) {
    h += 360.0;
  }
  return QColor::fromHsvF(float(h / 360.0), float(saturation), float(value), float(alpha));
}

namespace palette {
QColor Backdrop() { return Blue(0.80, 0.22); }
QColor BoardBand() { return Blue(0.78, 0.30); }
QColor BoardWell() { return Blue(0.80, 0.20); }
QColor GridLine() { return Blue(0.85, 0.12); }
QColor Gold() { return Hsv(42, 0.80, 0.98); }
QColor GoldDark() { return Hsv(34, 0.90, 0.70); }
QColor GoldLight() { return Hsv(48, 0.45, 1.00); }
QColor DialogField() { return Blue(0.62, 0.46); }
QColor PageField() { return Blue(0.55, 0.40); }
QColor PageFooter() { return Blue(0.75, 0.22); }
QColor Orange() { return Hsv(30, 0.88, 1.00); }
QColor OrangeDark() { return Hsv(18, 0.92, 0.80); }
}  // namespace palette

namespace {
int drawScale = 1;
}  // namespace

int DrawScale() { return drawScale; }
void SetDrawScale(int scale) { drawScale = scale; }

QImage ScaledImage(int width, int height, QImage::Format format) {
  QImage image(width * drawScale, height * drawScale, format);
  image.setDevicePixelRatio(drawScale);
  return image;
}

QImage NewImage(int width, int height, const QColor& fill) {
  QImage image = ScaledImage(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(fill);
  return image;
}

QPainterPath RoundRect(const QRectF& r, qreal radius) {
  QPainterPath path;
  path.addRoundedRect(r, radius, radius);
  return path;
}

QBrush VerticalGradient(const QRectF& r, const QColor& top, const QColor& bottom) {
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  g.setColorAt(0, top);
  g.setColorAt(1, bottom);
  return QBrush(g);
}

void DrawPlate(QPainter& p, const QRectF& r, const PlateStyle& s) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(Qt::NoPen);
  // Rim.
  p.setBrush(s.rim);
  p.drawPath(RoundRect(r, s.radius));
  const QRectF body = r.adjusted(1, 1, -1, -1);
  const qreal inner = std::max<qreal>(0, s.radius - 1);
  const QPainterPath bodyPath = RoundRect(body, inner);
  if (!s.pressed) {
    p.setBrush(VerticalGradient(body, s.top, s.bottom));
    p.drawPath(bodyPath);
    // Gloss over the upper half.
    if (s.gloss > 0) {
      QRectF upper = body.adjusted(0, 0, 0, -body.height() * 0.5);
      QLinearGradient g(upper.topLeft(), upper.bottomLeft());
      g.setColorAt(0, QColor(255, 255, 255, int(255 * s.gloss * 0.9)));
      g.setColorAt(1, QColor(255, 255, 255, int(255 * s.gloss * 0.15)));
      p.save();
      p.setClipPath(bodyPath);
      p.setBrush(g);
      p.drawRect(upper);
      p.restore();
    }
    // Bright upper edge and shaded lower edge.
    p.save();
    p.setClipPath(bodyPath);
    p.setBrush(QColor(255, 255, 255, 120));
    p.drawPath(bodyPath.subtracted(RoundRect(body.adjusted(0, 1, 0, 0), inner)));
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawPath(bodyPath.subtracted(RoundRect(body.adjusted(0, 0, 0, -1.5), inner)));
    p.restore();
  } else {
    p.setBrush(VerticalGradient(body, s.bottom.darker(125), s.top.darker(112)));
    p.drawPath(bodyPath);
    // Inner shadow along the top and left.
    p.save();
    p.setClipPath(bodyPath);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawPath(bodyPath.subtracted(RoundRect(body.adjusted(1, 2, 0, 0), inner)));
    p.setBrush(QColor(255, 255, 255, 40));
    p.drawPath(bodyPath.subtracted(RoundRect(body.adjusted(0, 0, 0, -1), inner)));
    p.restore();
  }
  p.restore();
}

namespace {

void PaintText(QPainter& p, const QPainterPath& path, const TextStyle& s) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(Qt::NoPen);
  if (s.shadow.alpha() > 0) {
    p.setBrush(s.shadow);
    p.drawPath(path.translated(s.shadowOffset));
    if (s.outline.alpha() > 0 && s.outlineWidth > 0) {
      QPen pen(s.shadow, s.outlineWidth * 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
      p.strokePath(path.translated(s.shadowOffset), pen);
    }
  }
  if (s.outline.alpha() > 0 && s.outlineWidth > 0) {
    QPen pen(s.outline, s.outlineWidth * 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.strokePath(path, pen);
  }
  p.setBrush(s.fill);
  p.drawPath(path);
  p.restore();
}

}  // namespace

qreal DrawLineAt(QPainter& p, const QString& text, qreal x, qreal baseline, Align align, const TextStyle& s) {
  const qreal w = s.face->Width(text, s.size, s.tracking);
  qreal left = x;
  if (align == Align::Centre) {
    left = x - w / 2;
  } else if (align == Align::Right) {
    left = x - w;
  }
  PaintText(p, s.face->Path(text, s.size, s.tracking).translated(left, baseline), s);
  return w;
}

qreal DrawLine(QPainter& p, const QString& text, const QRectF& box, Align align, const TextStyle& s) {
  const qreal baseline = box.center().y() + s.face->CapHeight(s.size) / 2;
  qreal x = box.left();
  if (align == Align::Centre) {
    x = box.center().x();
  } else if (align == Align::Right) {
    x = box.right();
  }
  return DrawLineAt(p, text, x, baseline, align, s);
}

qreal DrawParagraph(QPainter& p, const QString& text, const QRectF& box, qreal lineHeight, Align align,
                    const TextStyle& s) {
  QStringList lines;
  for (const QString& para : text.split('\n')) {
    const QStringList words = para.split(' ', Qt::SkipEmptyParts);
    QString line;
    for (const QString& word : words) {
      const QString candidate = line.isEmpty() ? word : line + ' ' + word;
      if (!line.isEmpty() && s.face->Width(candidate, s.size, s.tracking) > box.width()) {
        lines << line;
        line = word;
      } else {
        line = candidate;
      }
    }
    lines << line;
  }
  qreal baseline = box.top() + s.face->CapHeight(s.size) + (lineHeight - s.size) / 2;
  qreal x = box.left();
  if (align == Align::Centre) {
    x = box.center().x();
  } else if (align == Align::Right) {
    x = box.right();
  }
  for (const QString& line : lines) {
    DrawLineAt(p, line, x, baseline, align, s);
    baseline += lineHeight;
  }
  return baseline - s.face->CapHeight(s.size) - (lineHeight - s.size) / 2;
}

QPainterPath ArrowPath(QPointF c, qreal length, qreal width, int dx, int dy) {
  // Tip at c + (dx, dy) * length / 2, base at the other end.
  const QPointF dir(dx, dy);
  const QPointF side(-dy, dx);
  const QPointF tip = c + dir * (length / 2);
  const QPointF base = c - dir * (length / 2);
  QPainterPath path;
  path.moveTo(tip);
  path.lineTo(base + side * (width / 2));
  path.lineTo(base - side * (width / 2));
  path.closeSubpath();
  return path;
}

}  // namespace velmora::artgen
