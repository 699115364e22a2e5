// Colours and drawing helpers shared by every picture of the art set.
//
// The game recolours most of its art at run time by turning every pixel's hue
// (the art is drawn at hue 220, the standard blue), so the blues here all sit on
// hue 220 and every grey is exactly neutral: a grey keeps its value under the
// recolouring while a blue follows the player's colour.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QString>

#include "typeface.h"

namespace velmora::artgen {

constexpr double kArtHue = 220.0;

QColor Hsv(double hueDegrees, double saturation, double value, double alpha = 1.0);
inline QColor Blue(double saturation, double value, double alpha = 1.0) {
  return Hsv(kArtHue, saturation, value, alpha);
}
inline QColor Grey(int v, int alpha = 255) { return QColor(v, v, v, alpha); }

namespace palette {
// Main screen.
QColor Backdrop();   // flat field behind the right-hand panel
QColor BoardBand();  // the frame around the board, where the guide tabs sit
QColor BoardWell();  // the gaps between the blocks
QColor GridLine();   // the lines between tiles and around each block
QColor Gold();
QColor GoldDark();
QColor GoldLight();
// Dialogs.
QColor DialogField();  // the generic dialog background
// Intro pages (never recoloured).
QColor PageField();
QColor PageFooter();  // the strip under the orange buttons
QColor Orange();
QColor OrangeDark();
}  // namespace palette

// Every picture is drawn in its own 1:1 coordinates; the drawing scale (1 or 2)
// sets how many device pixels one of them covers. A picture made by NewImage or
// ScaledImage has scale x its size in pixels and the scale as its device pixel
// ratio, so a QPainter on it draws the same shapes with finer detail.
int DrawScale();
void SetDrawScale(int scale);
QImage ScaledImage(int width, int height, QImage::Format format);

// A new picture filled with one colour.
QImage NewImage(int width, int height, const QColor& fill);

// Rounded rectangle path with a radius in pixels.
QPainterPath RoundRect(const QRectF& r, qreal radius);

// Vertical two-stop gradient brush over the rectangle.
QBrush VerticalGradient(const QRectF& r, const QColor& top, const QColor& bottom);

// One raised or pressed plate in the style of the game's buttons: a dark rim,
// a body shaded from `top` to `bottom`, a bright upper edge and a soft lower
// edge. Pressed plates are darker, with the shading reversed and an inner
// shadow along the top.
struct PlateStyle {
  QColor top;
  QColor bottom;
  QColor rim;
  qreal radius = 4;
  bool pressed = false;
  qreal gloss = 0.35;  // strength of the highlight on the upper half
};
void DrawPlate(QPainter& p, const QRectF& r, const PlateStyle& style);

// Text as filled outlines.
enum class Align { Left, Centre, Right };
struct TextStyle {
  const Typeface* face = nullptr;
  qreal size = 12;
  QColor fill = Qt::white;
  QColor shadow = QColor(0, 0, 0, 0);  // transparent: no shadow
  QPointF shadowOffset = QPointF(1, 1);
  QColor outline = QColor(0, 0, 0, 0);  // transparent: no outline
  qreal outlineWidth = 0;
  qreal tracking = 0;
};
// Draws one line with its capitals centred vertically in `box`; returns the
// text's width.
qreal DrawLine(QPainter& p, const QString& text, const QRectF& box, Align align, const TextStyle& style);
// Draws one line with its baseline at `baseline`, starting at x (Left),
// centred on x (Centre) or ending at x (Right).
qreal DrawLineAt(QPainter& p, const QString& text, qreal x, qreal baseline, Align align, const TextStyle& style);
// Breaks `text` into lines no wider than `width` (at blanks; "\n" forces a
// break) and draws them from `top` down with the given line height. Returns
// the y just below the last line.
qreal DrawParagraph(QPainter& p, const QString& text, const QRectF& box, qreal lineHeight, Align align,
                    const TextStyle& style);

// A filled triangle arrow pointing in the direction (dx, dy), centred on `c`.
QPainterPath ArrowPath(QPointF c, qreal length, qreal width, int dx, int dy);

}  // namespace velmora::artgen
