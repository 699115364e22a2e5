#include "control_button.h"

#include <QPainter>

namespace velmora {

ControlButton::ControlButton(int id, FacePainter painter, QWidget* parent)
    : QAbstractButton(parent), id_(id), facePainter_(std::move(painter)) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void ControlButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  facePainter_(painter, id_, isDown(), rect());
}

}  // namespace velmora
