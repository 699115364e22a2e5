#pragma once
// The game window's menu, opened by a right click off the board: one row per
// entry, each with the key that does the same (shown at the right, for
// reading only) and whether it can act now.
#include <QMenu>
#include <QPoint>
#include <functional>
#include <vector>

namespace velmora {

struct WindowMenuEntry {
  const char* label;    // with its & mnemonic
  const char* keyText;  // the key shown beside it, or nullptr
  bool enabled;
  std::function<void()> action;
};

// Adds the entries to the menu in order, returning their actions.
std::vector<QAction*> FillWindowMenu(QMenu& menu, const std::vector<WindowMenuEntry>& entries);
// Shows the entries at a screen point and runs the chosen one's action; shows
// nothing when no entry can act.
void RunWindowMenu(QWidget* owner, const QPoint& globalPos, const std::vector<WindowMenuEntry>& entries);

}  // namespace velmora
