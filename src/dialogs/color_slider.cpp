#include "color_slider.h"

#include <QAccessible>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <algorithm>

#include "accessibility.h"
#include "skinned_dialog.h"

namespace velmora {

ColorSlider::ColorSlider(SkinnedDialog& dialog, const QRect& spectrum, std::function<float()> hue,
                         std::function<bool(float)> pick)
    : QWidget(&dialog), dialog_(dialog), hue_(std::move(hue)), pick_(std::move(pick)) {
  setGeometry(spectrum);
  setAccessibleName(QStringLiteral("Game Color"));
  // Reached by Tab only: a click on the spectrum stays the dialog's, as always.
  setFocusPolicy(Qt::TabFocus);
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

bool ColorSlider::SetHue(float hue) {
  return pick_(std::clamp(hue, 0.0f, kMaximum));  // the dialog's pick announces it
}

void ColorSlider::Announce() {
  QAccessibleValueChangeEvent event(this, static_cast<double>(Hue()));
  a11y::Announce(event);
}

void ColorSlider::keyPressEvent(QKeyEvent* event) {
  const float hue = Hue();
  switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Down: SetHue(hue - kStep); break;
    case Qt::Key_Right:
    case Qt::Key_Up: SetHue(hue + kStep); break;
    case Qt::Key_PageDown: SetHue(hue - kPageStep); break;
    case Qt::Key_PageUp: SetHue(hue + kPageStep); break;
    case Qt::Key_Home: SetHue(0.0f); break;
    case Qt::Key_End: SetHue(kMaximum); break;
    default: QWidget::keyPressEvent(event); return;
  }
  event->accept();
}

void ColorSlider::paintEvent(QPaintEvent*) {
  if (!hasFocus() || !dialog_.ShowsKeyboardFocus()) return;
  QPainter painter(this);
  SkinnedDialog::DrawFocusFrame(painter, rect());
}

void ColorSlider::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  dialog_.KeyboardFocusArrived(*event);
  update();
}

void ColorSlider::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  update();
}

}  // namespace velmora
