#pragma once
// The game window as assistive technology sees it. The board is a table of
// 9 x 9 cells (the tile controls), each named by the game from its own state;
// the tray buttons are named by their digit and how many are left, with the
// Active Number selected; Show Guides is a check box; the other command
// buttons are named with their key; the tiles left, the mistakes and the time
// are a status object. The window's look and its key map are untouched: this
// is another view of what the game already answers.
#include <map>
#include <string>

#include "game.h"

class QAccessibleInterface;

namespace velmora {

class GameDialog;

// Puts the window's interfaces in place (once for the run; every later call does nothing).
void InstallGameAccessibility();

// Tells assistive technology what changed on the main screen as the window
// draws it again: a cell's or a tray button's new words, the Active Number,
// Show Guides, the status. The window calls it where it redraws; nothing is
// computed while nothing listens.
class GameAnnouncer {
 public:
  explicit GameAnnouncer(GameDialog& window) : window_(window) {}

  // A control was drawn again: its words or its state may have changed.
  void ControlRedrawn(int controlId);
  // The stats panel was drawn again: the tiles left or the mistakes may have changed.
  void StatusRedrawn();
  // Everything was drawn again (a game begins, comes back or goes): the words
  // are taken as they are now, without a word to the listener.
  void Forget();

 private:
  struct Told {
    std::string name;
    bool on = false;  // the Active Number's button; Show Guides ticked
  };
  static Told TellingOf(QAccessibleInterface& face);

  GameDialog& window_;
  std::map<int, Told> told_;  // by control id
  std::string status_;
};

}  // namespace velmora
