#include "key_router.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

namespace velmora {

namespace {

// X11 and Wayland number their keys by position (evdev codes + 8): 10..18 are the
// main keyboard's 1..9 and 19 its 0, whatever the layout and Shift make of them.
bool KeyCodesArePositions() {
  static const bool positions = QGuiApplication::platformName() == QLatin1String("xcb") ||
                                QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
  return positions;
}

}  // namespace

int VirtualKeyOf(const QKeyEvent& event) {
  const int key = event.key();
  const bool keypad = event.modifiers().testFlag(Qt::KeypadModifier);
  // The key, not the character: Shift+3 is 3 (Qt reports '#'), Shift+Tab is Tab.
  const quint32 code = event.nativeScanCode();
  if (!keypad && KeyCodesArePositions() && code >= 10 && code <= 19)
    return key::kDigit0 + (code == 19 ? 0 : static_cast<int>(code) - 9);
  if (key == Qt::Key_Backtab) return key::kTab;
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return (keypad ? key::kNumpad0 : key::kDigit0) + (key - Qt::Key_0);
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return key::kLetterA + (key - Qt::Key_A);
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return key::kF1 + (key - Qt::Key_F1);
  switch (key) {
    case Qt::Key_Backspace: return key::kBackspace;
    case Qt::Key_Tab: return key::kTab;
    case Qt::Key_Return:
    case Qt::Key_Enter: return key::kEnter;
    case Qt::Key_Escape: return key::kEscape;
    case Qt::Key_Pause: return key::kPause;
    case Qt::Key_Space: return key::kSpace;
    case Qt::Key_PageUp: return key::kPageUp;
    case Qt::Key_PageDown: return key::kPageDown;
    case Qt::Key_End: return key::kEnd;
    case Qt::Key_Home: return key::kHome;
    case Qt::Key_Left: return key::kLeft;
    case Qt::Key_Up: return key::kUp;
    case Qt::Key_Right: return key::kRight;
    case Qt::Key_Down: return key::kDown;
    case Qt::Key_Insert: return key::kInsert;
    case Qt::Key_Delete: return key::kDelete;
    case Qt::Key_Shift: return key::kShift;
    case Qt::Key_Control: return key::kControl;
    case Qt::Key_Menu: return key::kApps;
    default: return 0;
  }
}

KeyRouter::KeyRouter() { qApp->installEventFilter(this); }

KeyRouter::~KeyRouter() {
  if (qApp) qApp->removeEventFilter(this);
}

void KeyRouter::Register(QWidget* window, Handler handler) {
  window_ = window;
  handler_ = std::move(handler);
}

void KeyRouter::Unregister() {
  window_ = nullptr;
  handler_ = nullptr;
}

// A key reaches the application filter first at the top-level QWindow and again at
// every widget that does not accept it; acting at the window level only sees it once.
bool KeyRouter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || !watched->isWindowType() || !window_ || !handler_) return false;
  if (static_cast<QWindow*>(watched) != window_->windowHandle()) return false;
  // A Wayland compositor may keep the keyboard on the window a popup opened
  // from (the Tile menu, the window menu). Qt would drop the keys there, that
  // window being blocked by the popup's modal run: they go to the popup.
  if (QWidget* popup = QApplication::activePopupWidget()) {
    QCoreApplication::sendEvent(popup->focusWidget() ? popup->focusWidget() : popup, event);
    return true;
  }
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->modifiers().testFlag(Qt::AltModifier) || key->key() == Qt::Key_Alt) return false;
  handler_({VirtualKeyOf(*key), key->modifiers().testFlag(Qt::ControlModifier),
            key->modifiers().testFlag(Qt::ShiftModifier), key->isAutoRepeat()});
  return true;
}

}  // namespace velmora
