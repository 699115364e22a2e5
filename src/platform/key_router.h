#pragma once
// Routes every key press addressed to one window (the game window) or any of its
// child controls to a single handler, before the window's own focus and dialog
// navigation sees it. Keys of other windows, modal dialogs included, pass by.
// Alt combinations keep their usual meaning.
#include <QObject>
#include <QPointer>
#include <functional>

#include "key_codes.h"

class QKeyEvent;
class QWidget;

namespace velmora {

// The virtual-key code (key_codes.h) of a key event, 0 for keys the game has no code for.
// The code names the key pressed, not the character it types: Shift+Tab gives
// Tab, and the main keyboard's digit keys give their digits with Shift held or
// on layouts that put other characters there (on X11 and Wayland, which number
// keys by their place on the keyboard).
// Keypad digits give the numeric-pad codes; with Num Lock off the keypad sends
// arrows, Home, End, Page Up and Page Down, which map to those.
int VirtualKeyOf(const QKeyEvent& event);

// One key press as the game window is handed it.
struct KeyPress {
  int virtualKey = 0;
  bool control = false;   // the Control key is down
  bool shift = false;     // the Shift key is down
  bool repeated = false;  // a repeat of a key held down
};

class KeyRouter : public QObject {
  Q_OBJECT
 public:
  // A routed key is always consumed.
  using Handler = std::function<void(const KeyPress& key)>;

  // Installs itself on the application.
  KeyRouter();
  ~KeyRouter() override;

  void Register(QWidget* window, Handler handler);
  void Unregister();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPointer<QWidget> window_;
  Handler handler_;
};

}  // namespace velmora
