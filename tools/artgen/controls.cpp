// Tiles, tray keys and buttons.
#include <QLinearGradient>
#include <QPainter>
#include <QPen>
#include <QRadialGradient>

#include "paint.h"
#include "pieces.h"

namespace velmora::artgen {

namespace {

QColor TrayCard() { return Blue(0.80, 0.28); }

// Fills the outline of `text` centred on its own bounding box at `centre`.
void DrawGlyphsCentred(QPainter& p, const QString& text, const Typeface& face, qreal size, QPointF centre,
                       const QColor& fill, const QColor& shadow, QPointF shadowOffset) {
  QPainterPath path = face.Path(text, size);
  const QRectF box = path.boundingRect();
  path.translate(centre - box.center());
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(Qt::NoPen);
  if (shadow.alpha() > 0) {
    p.setBrush(shadow);
    p.drawPath(path.translated(shadowOffset));
  }
  p.setBrush(fill);
  p.drawPath(path);
  p.restore();
}

// The Eraser's mark: two crossed bars with round ends.
void DrawCross(QPainter& p, QPointF centre, qreal half, qreal width, const QColor& fill, const QColor& shadow) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  for (int pass = 0; pass < 2; ++pass) {
    const QPointF offset = pass == 0 ? QPointF(1, 1) : QPointF(0, 0);
    QPen pen(pass == 0 ? shadow : fill, width, Qt::SolidLine, Qt::RoundCap);
    p.setPen(pen);
    const QPointF c = centre + offset;
    p.drawLine(c + QPointF(-half, -half), c + QPointF(half, half));
    p.drawLine(c + QPointF(-half, half), c + QPointF(half, -half));
  }
  p.restore();
}

// Gold ring inside `r`, `width` pixels wide, with a dark line along its inside.
void DrawGoldRing(QPainter& p, const QRectF& r, qreal radius, qreal width) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(Qt::NoPen);
  const QRectF inner = r.adjusted(width, width, -width, -width);
  const qreal innerRadius = std::max<qreal>(1, radius - width + 1);
  QPainterPath ring = RoundRect(r, radius).subtracted(RoundRect(inner, innerRadius));
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  g.setColorAt(0, palette::GoldLight());
  g.setColorAt(0.45, palette::Gold());
  g.setColorAt(1, palette::GoldDark());
  p.setBrush(g);
  p.drawPath(ring);
  QPainterPath edge = RoundRect(inner, innerRadius).subtracted(RoundRect(inner.adjusted(1, 1, -1, -1), innerRadius));
  p.setBrush(QColor(0, 0, 0, 90));
  p.drawPath(edge);
  p.restore();
}

PlateStyle BlueTileStyle(bool raised) {
  PlateStyle s;
  s.top = Blue(0.48, 0.90);
  s.bottom = Blue(0.82, 0.62);
  s.rim = Blue(0.90, 0.22);
  s.radius = 5;
  s.pressed = !raised;
  s.gloss = 0.28;
  return s;
}

PlateStyle GreyTileStyle(bool raised) {
  PlateStyle s;
  s.top = Grey(178);
  s.bottom = Grey(124);
  s.rim = Grey(44);
  s.radius = 5;
  s.pressed = !raised;
  s.gloss = 0.22;
  return s;
}

PlateStyle ButtonStyle(bool pressed, qreal radius) {
  PlateStyle s;
  s.top = Blue(0.50, 0.86);
  s.bottom = Blue(0.82, 0.52);
  s.rim = Blue(0.90, 0.16);
  s.radius = radius;
  s.pressed = pressed;
  s.gloss = 0.30;
  return s;
}

TextStyle CaptionStyle(qreal size) {
  TextStyle t;
  t.face = &Fonts().heavy;
  t.size = size;
  t.fill = Qt::white;
  t.shadow = QColor(0, 0, 0, 150);
  t.shadowOffset = QPointF(0.8, 1);
  return t;
}

}  // namespace

QImage TileFace(int set, int face) {
  const bool grey = set % 2 == 1;
  const bool gold = set == 2 || set == 3 || set == 6 || set == 7;
  const bool raised = set >= 4;
  QImage img = NewImage(40, 40, palette::GridLine());
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, true);
  const QRectF plate(1, 1, 38, 38);
  DrawPlate(p, plate, grey ? GreyTileStyle(raised) : BlueTileStyle(raised));
  if (gold) {
    DrawGoldRing(p, plate, 5, 3);
  }
  if (face >= 1 && face <= 9) {
    QPointF centre = raised ? QPointF(20, 21) : QPointF(20.5, 22);
    if (face == 7) {
      // Centred on its box the 7's stem stands left of the middle.
      centre.rx() += 1;
    }
    const QColor shadow = grey ? QColor(0, 0, 0, 110) : Blue(0.95, 0.25, 0.75);
    DrawGlyphsCentred(p, QString::number(face), Fonts().black, 34, centre, Qt::white, shadow, QPointF(1.2, 1.4));
  }
  return img;
}

QImage TrayButton(bool lit, int key) {
  QImage img = NewImage(40, 24, TrayCard());
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, true);
  const QRectF plate(1, 1, 38, 22);
  PlateStyle s = ButtonStyle(false, 5);
  if (lit) {
    s.top = Blue(0.55, 1.00);
    s.bottom = Blue(0.92, 0.62);
  }
  if (key == 10 && !lit) {
    // Blank key: shown while there is no game, so it looks switched off.
    s.top = Blue(0.45, 0.50);
    s.bottom = Blue(0.70, 0.36);
    s.gloss = 0.12;
  }
  DrawPlate(p, plate, s);
  if (lit) {
    DrawGoldRing(p, plate, 5, 2.5);
  }
  const QColor shadow = Blue(0.95, 0.20, 0.8);
  if (key >= 0 && key <= 8) {
    DrawGlyphsCentred(p, QString::number(key + 1), Fonts().black, 21, QPointF(20, 12), Qt::white, shadow,
                      QPointF(1, 1.2));
  } else if (key == 9) {
    DrawCross(p, QPointF(20, 12), 5, 3.4, Qt::white, shadow);
  }
  return img;
}

QImage SmallTypeButton(bool pressed, int key) {
  QImage img = NewImage(24, 24, palette::DialogField());
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, true);
  const QRectF plate(1, 1, 22, 22);
  DrawPlate(p, plate, ButtonStyle(pressed, 4));
  const QColor shadow = Blue(0.95, 0.20, 0.8);
  const QPointF centre = pressed ? QPointF(12.5, 12.5) : QPointF(12, 12);
  if (key >= 0 && key <= 8) {
    DrawGlyphsCentred(p, QString::number(key + 1), Fonts().black, 19, centre, Qt::white, shadow, QPointF(1, 1));
  } else if (key == 9) {
    DrawCross(p, centre, 4.5, 3, Qt::white, shadow);
  }
  return img;
}

QImage CaptionButton(const QString& caption, QSize size, bool pressed, ButtonPlace place) {
  const QColor field = place == ButtonPlace::MainScreen ? palette::Backdrop() : palette::DialogField();
  QImage img = NewImage(size.width(), size.height(), field);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, true);
  const QRectF plate(1, 1, size.width() - 2, size.height() - 2);
  DrawPlate(p, plate, ButtonStyle(pressed, size.height() >= 26 ? 6 : 5));
  const qreal textSize = size.height() >= 26 ? 15 : 13;
  QRectF box = plate;
  if (pressed) {
    box.translate(0.7, 1);
  }
  DrawLine(p, caption, box, Align::Centre, CaptionStyle(textSize));
  return img;
}

QImage LargeButton(const QString& caption, QSize size, bool pressed) {
  QImage img = NewImage(size.width(), size.height(), palette::DialogField());
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, true);
  const QRectF plate(1, 1, size.width() - 2, size.height() - 2);
  PlateStyle s = ButtonStyle(pressed, 10);
  s.top = Blue(0.38, 0.98);
  s.bottom = Blue(0.85, 0.58);
  DrawPlate(p, plate, s);
  DrawGoldRing(p, plate, 10, 3);
  const qreal textSize = size.height() >= 60 ? 30 : 24;
  TextStyle t = CaptionStyle(textSize);
  t.face = &Fonts().black;
  t.shadowOffset = QPointF(1.2, 1.6);
  const qreal mark = size.height() >= 60 ? 22 : 17;
  const qreal gap = 10;
  const qreal textWidth = t.face->Width(caption, textSize);
  const qreal total = mark + gap + textWidth;
  qreal left = (size.width() - total) / 2;
  QPointF shift = pressed ? QPointF(1, 1) : QPointF(0, 0);
  // Play mark: a rounded triangle in white with the caption's shadow.
  const QPointF markCentre = QPointF(left + mark / 2, size.height() / 2.0) + shift;
  QPainterPath tri = ArrowPath(markCentre, mark * 0.95, mark, 1, 0);
  p.setPen(Qt::NoPen);
  p.setBrush(t.shadow);
  p.drawPath(tri.translated(t.shadowOffset));
  p.setBrush(Qt::white);
  p.drawPath(tri);
  QRectF box(left + mark + gap, 0, textWidth, size.height());
  DrawLine(p, caption, box.translated(shift), Align::Left, t);
  return img;
}

QImage OrangeButton(const QString& caption, QSize size, bool pressed, ArrowSide arrow) {
  QImage img = NewImage(size.width(), size.height(), palette::PageFooter());
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, true);
  const QRectF plate(1, 1, size.width() - 2, size.height() - 2);
  PlateStyle s;
  s.top = Hsv(38, 0.70, 1.0);
  s.bottom = palette::OrangeDark();
  s.rim = Hsv(15, 0.95, 0.35);
  s.radius = 6;
  s.pressed = pressed;
  s.gloss = 0.30;
  DrawPlate(p, plate, s);
  TextStyle t = CaptionStyle(14);
  t.shadow = Hsv(15, 0.95, 0.30, 0.8);
  const QPointF shift = pressed ? QPointF(0.7, 1) : QPointF(0, 0);
  const qreal chevron = 7;
  const qreal gap = 5;
  const qreal textWidth = t.face->Width(caption, t.size);
  const qreal total = textWidth + (arrow == ArrowSide::None ? 0 : chevron + gap);
  qreal left = (size.width() - total) / 2;
  const qreal cy = size.height() / 2.0;
  auto drawChevron = [&](qreal x, int dir) {
    QPainterPath path;
    const qreal h = 4.5;
    path.moveTo(x + (dir > 0 ? 0 : chevron - 1), cy - h);
    path.lineTo(x + (dir > 0 ? chevron - 1 : 0), cy);
    path.lineTo(x + (dir > 0 ? 0 : chevron - 1), cy + h);
    for (int pass = 0; pass < 2; ++pass) {
      QPen pen(pass == 0 ? t.shadow : QColor(Qt::white), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
      p.setPen(pen);
      p.setBrush(Qt::NoBrush);
      p.drawPath(path.translated(shift + (pass == 0 ? t.shadowOffset : QPointF(0, 0))));
    }
  };
  if (arrow == ArrowSide::Left) {
    drawChevron(left, -1);
    left += chevron + gap;
  }
  DrawLine(p, caption, QRectF(left, 0, textWidth, size.height()).translated(shift), Align::Left, t);
  if (arrow == ArrowSide::Right) {
    drawChevron(left + textWidth + gap, 1);
  }
  return img;
}

namespace {

// The square of a check box, `r` its outer bounds; `on` adds the tick.
void DrawCheckSquare(QPainter& p, const QRectF& r, bool on) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(Qt::NoPen);
  p.setBrush(Blue(0.90, 0.12));
  p.drawPath(RoundRect(r, 4));
  const QRectF well = r.adjusted(1.5, 1.5, -1.5, -1.5);
  p.setBrush(VerticalGradient(well, Blue(0.85, 0.16), Blue(0.75, 0.34)));
  p.drawPath(RoundRect(well, 3));
  // A faint light edge along the bottom, as if the square were pressed into the surface.
  QPainterPath lower;
  lower.addRect(QRectF(r.left(), r.center().y(), r.width(), r.height()));
  p.setBrush(QColor(255, 255, 255, 60));
  p.drawPath(RoundRect(r, 4).subtracted(RoundRect(r.adjusted(0, 0, 0, -1), 4)).intersected(lower));
  if (on) {
    QPainterPath tick;
    tick.moveTo(r.left() + r.width() * 0.22, r.top() + r.height() * 0.52);
    tick.lineTo(r.left() + r.width() * 0.42, r.top() + r.height() * 0.72);
    tick.lineTo(r.left() + r.width() * 0.80, r.top() + r.height() * 0.26);
    const qreal w = r.width() * 0.17;
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 0, 0, 120), w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(tick.translated(0.8, 1));
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, palette::GoldLight());
    g.setColorAt(1, palette::Gold());
    p.setPen(QPen(QBrush(g), w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(tick);
  }
  p.restore();
}

}  // namespace

QImage ShowGuidesButton(bool on) {
  QImage img = NewImage(138, 26, palette::Backdrop());
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, true);
  const QRectF plate(1, 1, 136, 24);
  PlateStyle s = ButtonStyle(false, 6);
  if (on) {
    s.top = Blue(0.32, 0.98);
    s.bottom = Blue(0.72, 0.72);
  }
  DrawPlate(p, plate, s);
  DrawCheckSquare(p, QRectF(6, 5, 16, 16), on);
  TextStyle t = CaptionStyle(14);
  DrawLine(p, QStringLiteral("Show Guides"), QRectF(24, 1, 110, 24), Align::Centre, t);
  return img;
}

QImage RadioButton(bool on) {
  QImage img = NewImage(24, 24, palette::DialogField());
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(Qt::NoPen);
  const QRectF outer(2, 2, 20, 20);
  p.setBrush(Blue(0.90, 0.12));
  p.drawEllipse(outer);
  const QRectF well = outer.adjusted(1.5, 1.5, -1.5, -1.5);
  p.setBrush(VerticalGradient(well, Blue(0.85, 0.16), Blue(0.75, 0.36)));
  p.drawEllipse(well);
  if (on) {
    const QRectF dot = outer.adjusted(5, 5, -5, -5);
    p.setBrush(QColor(0, 0, 0, 110));
    p.drawEllipse(dot.translated(0.6, 0.9));
    QRadialGradient g(dot.center() - QPointF(2, 2), dot.width());
    g.setColorAt(0, palette::GoldLight());
    g.setColorAt(0.6, palette::Gold());
    g.setColorAt(1, palette::GoldDark());
    p.setBrush(g);
    p.drawEllipse(dot);
  }
  return img;
}

QImage CheckBox(bool on) {
  QImage img = NewImage(24, 24, palette::DialogField());
  QPainter p(&img);
  DrawCheckSquare(p, QRectF(2, 2, 20, 20), on);
  return img;
}

}  // namespace velmora::artgen
