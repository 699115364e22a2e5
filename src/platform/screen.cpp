#include "screen.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#include <optional>

namespace velmora {
namespace {
QScreen* ScreenOf(const QWidget* widget) {
  QScreen* screen = widget ? widget->screen() : nullptr;
  return screen ? screen : QGuiApplication::primaryScreen();
}

// On X11 the window manager's own word, _NET_FRAME_EXTENTS (left, right, top,
// bottom, in the screen's pixels), read afresh and given in the window's own
// pixels as Qt gives it: none until it has framed the window. Nothing on other
// window systems.
std::optional<QMargins> X11FrameExtents(const QWindow& handle) {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
  if (!connection) return std::nullopt;
  static const xcb_atom_t extents = [connection] {
    constexpr char kName[] = "_NET_FRAME_EXTENTS";
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> atom(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, sizeof kName - 1, kName), nullptr),
        &std::free);
    return atom ? atom->atom : xcb_atom_t(XCB_ATOM_NONE);
  }();
  QMargins margins;
  if (extents == XCB_ATOM_NONE) return margins;
  std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
      xcb_get_property_reply(
          connection,
          xcb_get_property(connection, 0, static_cast<xcb_window_t>(handle.winId()), extents, XCB_ATOM_CARDINAL, 0, 4),
          nullptr),
      &std::free);
  if (reply && reply->type == XCB_ATOM_CARDINAL && reply->format == 32 &&
      xcb_get_property_value_length(reply.get()) == 16) {
    const auto* sides = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    const qreal ratio = handle.devicePixelRatio();
    const auto side = [ratio](uint32_t pixels) { return qRound(static_cast<qreal>(pixels) / ratio); };
    margins = QMargins(side(sides[0]), side(sides[2]), side(sides[1]), side(sides[3]));
  }
  return margins;
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
  const QWindow* handle = window ? window->windowHandle() : nullptr;
  if (!handle || !handle->handle()) return {};
  // Qt's own answer reads the same property once it is there, but before that
  // it measures the frame window around the client, which it may catch half
  // made (under openbox once 0, 0, -338, -182, and once a bottom edge 14
  // pixels too thick), and keeps that until the property comes.
  if (const std::optional<QMargins> extents = X11FrameExtents(*handle)) return *extents;
  return handle->frameMargins();
}

QSize WindowFrameSize(const QWidget* window) {
  const QMargins margins = FrameMargins(window);
  return QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
}

bool MoveWindowFrame(QWidget* window, QPoint topLeft, QMargins expectedFrame) {
  if (!window->testAttribute(Qt::WA_WState_Created)) {
    window->move(topLeft);
    return window->pos() == topLeft;
  }
  // On screen: the client area goes where the frame leaves it, the frame being
  // the one the window manager reports (the expected one until it has framed
  // the window). Qt's move() adds the frame it assumes at that moment, which
  // may lag behind the window manager's report (none yet, or an older one):
  // whatever it adds, a second move by what the first one missed settles it.
  const QMargins reported = FrameMargins(window);
  const QMargins frame = reported.isNull() ? expectedFrame : reported;
  const QPoint client = topLeft + QPoint(frame.left(), frame.top());
  const QPoint asked = client - (window->geometry().topLeft() - window->pos());
  window->move(asked);
  const QPoint missed = client - window->geometry().topLeft();
  if (!missed.isNull()) window->move(asked + missed);
  return window->geometry().topLeft() == client;
}

void WhenFramed(QWidget* window, std::function<void(QMargins)> then) {
  PollFrame(QPointer<QWidget>(window), std::move(then), kFramePolls);
}

}  // namespace velmora
