#include "screen.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace velmora {
namespace {
QScreen* ScreenOf(const QWidget* widget) {
  QScreen* screen = widget ? widget->screen() : nullptr;
  return screen ? screen : QGuiApplication::primaryScreen();
}

constexpr int kFramePollMs = 10;
constexpr int kFramePolls = 100;

void PollFrame(QPointer<QWidget> window, std::function<void(QMargins)> then, int pollsLeft) {
  if (!window || !window->isVisible()) return;
  const QMargins margins = FrameMargins(window);
  if (!margins.isNull()) {
    then(margins);
    return;
  }
  if (pollsLeft <= 0) return;
  QTimer::singleShot(kFramePollMs, window, [window, then = std::move(then), pollsLeft]() mutable {
    PollFrame(window, std::move(then), pollsLeft - 1);
  });
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

QMargins FrameMargins(const QWidget* window) {
  // The window system's own answer (on X11 the window manager's _NET_FRAME_EXTENTS),
  // asked afresh each time: it stays 0 until the window has been framed.
  const QWindow* handle = window ? window->windowHandle() : nullptr;
  return handle ? handle->frameMargins() : QMargins();
}

QSize WindowFrameSize(const QWidget* window) {
  const QMargins margins = FrameMargins(window);
  return QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
}

bool MoveWindowFrame(QWidget* window, QPoint topLeft, QMargins expectedFrame) {
  const bool created = window->testAttribute(Qt::WA_WState_Created);
  if (created && FrameMargins(window).isNull()) {
    // On screen without a frame yet: Qt would take the point for the client's
    // corner, so the client goes where the frame will leave it.
    window->move(topLeft + QPoint(expectedFrame.left(), expectedFrame.top()));
    return window->pos() == topLeft + QPoint(expectedFrame.left(), expectedFrame.top());
  }
  window->move(topLeft);
  return window->pos() == topLeft;
}

void WhenFramed(QWidget* window, std::function<void(QMargins)> then) {
  PollFrame(QPointer<QWidget>(window), std::move(then), kFramePolls);
}

}  // namespace velmora
