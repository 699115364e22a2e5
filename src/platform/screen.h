#pragma once
// The display as the game window sees it: colour depth, the desktop's work
// area, the border and caption the window manager adds around a window, and
// placing a window by its outer corner.
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <functional>

class QWidget;

namespace velmora {

// The least colour depth the game draws correctly on, in bits per pixel.
inline constexpr int kLeastColorDepth = 24;

// Bits per pixel of the screen the widget is on (of the primary screen before it is shown).
int DisplayColorDepth(const QWidget* widget);
// The desktop area that windows may use (without panels and task bars).
QRect DesktopWorkArea(const QWidget* widget);
// The border and caption the window manager has put around the window's client
// area; all 0 before the window manager has framed it (or when it draws none),
// including while a reading of a frame still being made has a negative side.
QMargins FrameMargins(const QWidget* window);
// Width and height of the border and caption around the client area; 0 x 0 before
// the window manager has framed the window.
QSize WindowFrameSize(const QWidget* window);
// Moves the window so that its outer corner (frame included) is at the point.
// Before the window is first shown the window manager places the frame there
// itself; a window on screen has its client area moved by the frame reported
// (by the expected frame before it is framed), whatever frame Qt assumes at
// that moment. False when the move did not take.
bool MoveWindowFrame(QWidget* window, QPoint topLeft, QMargins expectedFrame = {});
// Calls then(margins) once the window manager has framed the shown window,
// checking every few milliseconds for up to a second; not at all when the
// window is hidden or destroyed first, or no frame comes.
void WhenFramed(QWidget* window, std::function<void(QMargins)> then);

}  // namespace velmora
