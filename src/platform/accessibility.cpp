#include "accessibility.h"

#include <QGuiApplication>
#include <QScreen>

namespace velmora::a11y {

namespace {

std::function<void(QAccessibleEvent&)>& Watcher() {
  static std::function<void(QAccessibleEvent&)> watcher;
  return watcher;
}

}  // namespace

bool Listening() { return QAccessible::isActive() || Watcher(); }

void Announce(QAccessibleEvent& event) {
  if (Watcher()) Watcher()(event);
  QAccessible::updateAccessibility(&event);
}

void SetWatcher(std::function<void(QAccessibleEvent& event)> watcher) { Watcher() = std::move(watcher); }

QRect ScreenPixels(const QRect& rect) {
  const QScreen* screen = QGuiApplication::screenAt(rect.center());
  if (!screen) screen = QGuiApplication::primaryScreen();
  const qreal ratio = screen ? screen->devicePixelRatio() : 1.0;
  if (ratio == 1.0) return rect;
  // Qt scales about the screen's corner, which keeps its place.
  const QPointF origin = screen->geometry().topLeft();
  const QPointF topLeft = origin + (QPointF(rect.topLeft()) - origin) * ratio;
  return {topLeft.toPoint(), (QSizeF(rect.size()) * ratio).toSize()};
}

}  // namespace velmora::a11y
