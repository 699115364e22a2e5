#include "window_menu.h"

#include <QAction>
#include <algorithm>

namespace velmora {

std::vector<QAction*> FillWindowMenu(QMenu& menu, const std::vector<WindowMenuEntry>& entries) {
  std::vector<QAction*> actions;
  for (const WindowMenuEntry& entry : entries) {
    // The text after a tab is drawn as the entry's key; unlike a shortcut it
    // never acts by itself, so the key reaches the game's own key map.
    QString text = QString::fromLatin1(entry.label);
    if (entry.keyText != nullptr) text += QLatin1Char('\t') + QString::fromLatin1(entry.keyText);
    QAction* action = menu.addAction(text);
    action->setEnabled(entry.enabled);
    actions.push_back(action);
  }
  return actions;
}

void RunWindowMenu(QWidget* owner, const QPoint& globalPos, const std::vector<WindowMenuEntry>& entries) {
  if (std::none_of(entries.begin(), entries.end(), [](const WindowMenuEntry& entry) { return entry.enabled; })) return;
  QMenu menu(owner);
  const std::vector<QAction*> actions = FillWindowMenu(menu, entries);
  const QAction* chosen = menu.exec(globalPos);
  for (size_t i = 0; i < actions.size(); ++i)
    if (actions[i] == chosen && entries[i].action) entries[i].action();
}

}  // namespace velmora
