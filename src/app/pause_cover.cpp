#include "pause_cover.h"

#include <QContextMenuEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "app_texts.h"
#include "screen_layout.h"

namespace velmora {

namespace {

constexpr int kPausedTextHeight = 44;  // pixels
constexpr QRgb kTextColor = 0xFFFFFF;
constexpr QRgb kShadowColor = 0x303030;

}  // namespace

QColor HueColor(float hue, double saturation, double value) {
  double h = static_cast<double>(hue) / 360.0;
  h -= static_cast<double>(static_cast<long>(h));
  if (h < 0) h += 1.0;
  return QColor::fromHsvF(static_cast<float>(h), static_cast<float>(saturation), static_cast<float>(value));
}

PauseCover::PauseCover(QWidget* parent, std::function<float()> hue, std::function<void()> clicked, const QFont& font)
    : QWidget(parent), hue_(std::move(hue)), clicked_(std::move(clicked)), font_(font) {
  setGeometry(0, 0, layout::kClientWidth, layout::kClientHeight);
  font_.setPixelSize(kPausedTextHeight);
  hide();
}

QRect PauseCover::BoardCover() {
  return {layout::kBoardOrigin, layout::kBoardOrigin, layout::kBoardSize, layout::kBoardSize};
}

// The tray's buttons and their count texts, with the texts' shadows.
QRect PauseCover::TrayCover() {
  return layout::FromEdges(layout::TrayRect(0).left() - 2, layout::TrayCountArea(0).top() - 2,
                           layout::TrayCountArea(0).right() + 3, layout::TrayRect(9).bottom() + 3);
}

void PauseCover::PaintCover(QPainter& painter, const QRect& where, float hue) const {
  const QRectF box = QRectF(where).adjusted(1.5, 1.5, -1.5, -1.5);
  QLinearGradient fill(box.topLeft(), box.bottomLeft());
  fill.setColorAt(0.0, HueColor(hue, 0.55, 0.50));
  fill.setColorAt(1.0, HueColor(hue, 0.65, 0.25));
  QPainterPath path;
  path.addRoundedRect(box, 8, 8);
  painter.fillPath(path, fill);
  painter.setPen(QPen(HueColor(hue, 0.30, 0.90), 3));
  painter.drawPath(path);
}

void PauseCover::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const float hue = hue_();
  PaintCover(painter, BoardCover(), hue);
  PaintCover(painter, TrayCover(), hue);
  painter.setFont(font_);
  const QString text = QString::fromLatin1(texts::kPausedCover);
  painter.setPen(QColor(kShadowColor));
  painter.drawText(BoardCover().translated(2, 2), Qt::AlignCenter, text);
  painter.setPen(QColor(kTextColor));
  painter.drawText(BoardCover(), Qt::AlignCenter, text);
}

void PauseCover::mousePressEvent(QMouseEvent* event) {
  event->accept();
  clicked_();
}

void PauseCover::mouseReleaseEvent(QMouseEvent* event) { event->accept(); }
void PauseCover::mouseDoubleClickEvent(QMouseEvent* event) { event->accept(); }

// The right button's press has already resumed play; its menu request ends here.
void PauseCover::contextMenuEvent(QContextMenuEvent* event) { event->accept(); }

}  // namespace velmora
