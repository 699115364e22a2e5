#include "window_menu.h"

#include <QAction>
#include <algorithm>

namespace velmora {
namespace {

// The entries that act when chosen, in the order FillWindowMenu adds them.
void CollectActing(const std::vector<WindowMenuEntry>& entries, std::vector<const WindowMenuEntry*>& acting) {
  for (const WindowMenuEntry& entry : entries) {
    if (entry.submenu.empty())
      acting.push_back(&entry);
    else
      CollectActing(entry.submenu, acting);
  }
}

}  // namespace

std::vector<QAction*> FillWindowMenu(QMenu& menu, const std::vector<WindowMenuEntry>& entries) {
  std::vector<QAction*> actions;
  for (const WindowMenuEntry& entry : entries) {
    if (!entry.submenu.empty()) {
      QMenu* sub = menu.addMenu(QString::fromLatin1(entry.label));
      sub->setEnabled(entry.enabled);
      const std::vector<QAction*> inner = FillWindowMenu(*sub, entry.submenu);
      actions.insert(actions.end(), inner.begin(), inner.end());
      continue;
    }
    // The text after a tab is drawn as the entry's key; unlike a shortcut it
    // never acts by itself, so the key reaches the game's own key map.
    QString text = QString::fromLatin1(entry.label);
    if (entry.keyText != nullptr) text += QLatin1Char('\t') + QString::fromLatin1(entry.keyText);
    QAction* action = menu.addAction(text);
    action->setEnabled(entry.enabled);
    if (entry.checked.has_value()) {
      action->setCheckable(true);
      action->setChecked(*entry.checked);
    }
    actions.push_back(action);
  }
  return actions;
}

void RunWindowMenu(QWidget* owner, const QPoint& globalPos, const std::vector<WindowMenuEntry>& entries) {
  if (std::none_of(entries.begin(), entries.end(), [](const WindowMenuEntry& entry) { return entry.enabled; })) return;
  QMenu menu(owner);
  const std::vector<QAction*> actions = FillWindowMenu(menu, entries);
  std::vector<const WindowMenuEntry*> acting;
  CollectActing(entries, acting);
  const QAction* chosen = menu.exec(globalPos);
  for (size_t i = 0; i < actions.size() && i < acting.size(); ++i)
    if (actions[i] == chosen && acting[i]->action) acting[i]->action();
}

}  // namespace velmora
