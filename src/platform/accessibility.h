#pragma once
// What the game tells assistive technology (a screen reader, a magnifier) as
// it happens: the one door every announcement of the game window and the
// dialogs goes through. With nothing listening it costs a test and nothing more.
#include <QAccessible>
#include <functional>

namespace velmora::a11y {

// Whether anything listens: the desktop's accessibility bridge, or a watcher.
bool Listening();
// Hands the event to the desktop's accessibility bridge and the watcher.
void Announce(QAccessibleEvent& event);
// Sees every announcement (tests); an empty function stops watching.
void SetWatcher(std::function<void(QAccessibleEvent& event)> watcher);

// The rectangle an interface reports, in the screen's own pixels. The AT-SPI
// bridge of Qt 6.4 reports extents in Qt's scaled coordinates as they are, so
// at a window size of 150 or 200 % a magnifier would look at a point two
// thirds or half of the way to the control; the game's own interfaces report
// what the screen shows instead.
QRect ScreenPixels(const QRect& rect);

}  // namespace velmora::a11y
