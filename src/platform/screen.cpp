#include "screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace velmora {
namespace {
QScreen* ScreenOf(const QWidget* widget) {
  QScreen* screen = widget ? widget->screen() : nullptr;
  return screen ? screen : QGuiApplication::primaryScreen();
}
}  // namespace

int DisplayColorDepth(const QWidget* widget) {
  const QScreen* screen = ScreenOf(widget);
  return screen ? screen->depth() : 0;
}

QRect DesktopWorkArea(const QWidget* widget) {
  const QScreen* screen = ScreenOf(widget);
  return screen ? screen->availableGeometry() : QRect();
}

QSize WindowFrameSize(const QWidget* window) {
  return window->frameGeometry().size() - window->geometry().size();
}

bool MoveWindowFrame(QWidget* window, QPoint topLeft) {
  window->move(topLeft);
  return window->pos() == topLeft;
}

}  // namespace velmora
