#include "tips_window.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QResizeEvent>
#include <QTimerEvent>
#include <algorithm>

#include "accessibility.h"
#include "tip_wrap.h"

namespace velmora {
namespace {
constexpr QRgb kShadow = 0x202020;
constexpr QRgb kText = 0xFFFFFF;
constexpr int kMargin = 10;
}  // namespace

TipsWindow::TipsWindow(Reporter& reporter, ImageOperations& operations, const GameBitmapTable& art, QWidget* gameWindow,
                       bool panel)
    // A tool window of the game window: no task-bar entry of its own, and it
    // is minimised, restored and stacked with the game window.
    : QWidget(gameWindow, panel ? Qt::Widget : Qt::Tool), reporter_(reporter), operations_(operations), art_(art) {
  setWindowTitle(QStringLiteral("Tips"));
  // A touch larger than the desktop's default: the texts are read at a glance, beside a game.
  QFont face(QStringLiteral("DejaVu Sans"));
  face.setPixelSize(14);
  setFont(face);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(180, 120);
  setMaximumSize(kTipsMaximumClient, kTipsMaximumClient);
  resize(kTipsClientWidth, std::min(kTipsClientHeight, kTipsMaximumClient));
  if (panel) setFixedSize(kTipsClientWidth, kTipsClientHeight);
  RebuildBackground();
}

void TipsWindow::RebuildBackground() {
  QImage made;
  if (!operations_.DuplicateBitmap(art_.Picture(imaging::kGenericDialogIndex), made)) {
    reporter_.LogOnly("Ti - Failed to create background image!");
    return;
  }
  // The dialog background is 480 x 480; a tips window is never larger than 479 x 479.
  if (!operations_.ApplyBorder(made, width(), height())) {
    reporter_.LogOnly("Ti - Failed to apply border to background image!");
    return;
  }
  background_ = ImageOperations::OpaqueView(made);
  update();
}

void TipsWindow::Wrap() {
  std::replace(text_.begin(), text_.end(), '\n', ' ');
  const QFontMetrics metrics(font());
  text_ = WrapTipText(text_, width(), [&metrics](const std::string& piece) {
    return metrics.horizontalAdvance(QString::fromStdString(piece));
  });
}

void TipsWindow::SetText(const std::string& text) {
  if (!isVisible() || !isEnabled()) return;
  text_ = text.substr(0, 1023);
  Wrap();
  textHidden_ = true;
  if (pauseTimer_) killTimer(pauseTimer_);
  pauseTimer_ = startTimer(kTipsTextPause);
  update();
}

void TipsWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  if (!background_.isNull()) painter.drawImage(0, 0, background_);
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  if (textHidden_ || text_.empty()) return;
  const QRect area = rect().adjusted(kMargin, kMargin, -kMargin, -kMargin);
  if (area.width() <= 20 || area.height() <= 20) return;
  const QFontMetrics metrics(font());
  const QStringList lines = QString::fromStdString(text_).split('\n');
  for (QRgb color : {kShadow, kText}) {
    const int shift = color == kText ? -1 : 0;  // the white copy sits up and left of its shadow
    painter.setPen(QColor(color));
    int y = area.top() + shift;
    for (const QString& line : lines) {
      painter.drawText(QRect(area.left() + shift, y, area.width(), metrics.lineSpacing()), Qt::AlignLeft | Qt::AlignTop,
                       line);
      y += metrics.lineSpacing();
    }
  }
}

void TipsWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (event->oldSize().width() != event->size().width()) Wrap();
  if (backgroundTimer_) killTimer(backgroundTimer_);
  backgroundTimer_ = startTimer(kTipsBackgroundDelay);
}

void TipsWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  if (onClosed_) onClosed_();
}

void TipsWindow::timerEvent(QTimerEvent* event) {
  if (event->timerId() == backgroundTimer_) {
    killTimer(backgroundTimer_);
    backgroundTimer_ = 0;
    RebuildBackground();
    return;
  }
  if (event->timerId() == pauseTimer_) {
    killTimer(pauseTimer_);
    pauseTimer_ = 0;
    textHidden_ = false;
    update();
    QAccessibleEvent shown(this, QAccessible::DescriptionChanged);  // the new text, for a screen reader
    a11y::Announce(shown);
    return;
  }
  reporter_.LogOnly("Ti - Invalid timer ID encountered!");
}

}  // namespace velmora
