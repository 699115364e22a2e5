#pragma once
// The display as the game window sees it: colour depth, the desktop's work
// area, the size the window manager adds around the client area, and moving
// the window.
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace velmora {

// Bits per pixel of the screen the widget is on (of the primary screen before it is shown).
int DisplayColorDepth(const QWidget* widget);
// The desktop area that windows may use (without panels and task bars).
QRect DesktopWorkArea(const QWidget* widget);
// Width and height of the border and caption around the client area; 0 x 0 before
// the window manager has framed the window.
QSize WindowFrameSize(const QWidget* window);
// Moves the window's outer frame to the point; false when that did not take.
bool MoveWindowFrame(QWidget* window, QPoint topLeft);

}  // namespace velmora
