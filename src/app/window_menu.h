#pragma once
// The game window's menu, opened by a right click off the board: one row per
// entry, each with the key that does the same (shown at the right, for
// reading only) and whether it can act now; an entry may be a check box or
// open a submenu of its own.
#include <QMenu>
#include <QPoint>
#include <functional>
#include <utility>
#include <vector>

namespace velmora {

struct WindowMenuEntry {
  WindowMenuEntry(const char* text, const char* keys, bool canAct, std::function<void()> run, int check = -1,
                  std::vector<WindowMenuEntry> entries = {})
      : label(text),
        keyText(keys),
        enabled(canAct),
        action(std::move(run)),
        checked(check),
        submenu(std::move(entries)) {}

  const char* label;    // with its & mnemonic; none: a separator line
  const char* keyText;  // the key shown beside it (or why it cannot act), or nullptr
  bool enabled;
  std::function<void()> action;
  int checked = -1;                      // -1: a plain entry; 0 or 1: a check box, and whether it is ticked
  std::vector<WindowMenuEntry> submenu;  // when not empty, the entry opens these
};

// Adds the entries to the menu in order (submenus and all), returning each
// action with the entry it stands for.
std::vector<std::pair<QAction*, const WindowMenuEntry*>> FillWindowMenu(QMenu& menu,
                                                                        const std::vector<WindowMenuEntry>& entries);
// Shows the entries at a screen point and runs the chosen one's action; shows
// nothing when no entry can act.
void RunWindowMenu(QWidget* owner, const QPoint& globalPos, const std::vector<WindowMenuEntry>& entries);

}  // namespace velmora
