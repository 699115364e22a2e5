#pragma once
// The game window's menu, opened by a right click off the board: one row per
// entry, each with the key that does the same (shown at the right, for
// reading only) and whether it can act now. An entry may open a submenu of
// its own entries instead, and an entry may carry a check mark.
#include <QMenu>
#include <QPoint>
#include <functional>
#include <optional>
#include <vector>

namespace velmora {

struct WindowMenuEntry {
  const char* label;    // with its & mnemonic
  const char* keyText;  // the key shown beside it, or nullptr
  bool enabled;
  std::function<void()> action;
  std::optional<bool> checked = std::nullopt;  // set for an entry with a check mark, on or off
  std::vector<WindowMenuEntry> submenu = {};   // when not empty, the entry opens these
};

// Adds the entries to the menu in order, submenus with their own entries,
// returning the actions that run an entry's action (depth first, in order).
std::vector<QAction*> FillWindowMenu(QMenu& menu, const std::vector<WindowMenuEntry>& entries);
// Shows the entries at a screen point and runs the chosen one's action; shows
// nothing when no entry can act.
void RunWindowMenu(QWidget* owner, const QPoint& globalPos, const std::vector<WindowMenuEntry>& entries);

}  // namespace velmora
