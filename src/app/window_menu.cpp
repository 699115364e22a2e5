#include "window_menu.h"

#include <QAction>
#include <algorithm>

namespace velmora {

namespace {

// An entry that can act: enabled, and for a submenu, with an entry of its own that can act.
bool CanAct(const WindowMenuEntry& entry) {
  if (!entry.enabled) return false;
  return entry.submenu.empty() || std::any_of(entry.submenu.begin(), entry.submenu.end(), CanAct);
}

}  // namespace

std::vector<std::pair<QAction*, const WindowMenuEntry*>> FillWindowMenu(QMenu& menu,
                                                                        const std::vector<WindowMenuEntry>& entries) {
  std::vector<std::pair<QAction*, const WindowMenuEntry*>> actions;
  for (const WindowMenuEntry& entry : entries) {
    if (entry.label == nullptr) {
      menu.addSeparator();
      continue;
    }
    if (!entry.submenu.empty()) {
      QMenu* sub = menu.addMenu(QString::fromLatin1(entry.label));
      sub->setEnabled(CanAct(entry));
      const auto inner = FillWindowMenu(*sub, entry.submenu);
      actions.insert(actions.end(), inner.begin(), inner.end());
      continue;
    }
    // The text after a tab is drawn as the entry's key; unlike a shortcut it
    // never acts by itself, so the key reaches the game's own key map.
    QString text = QString::fromLatin1(entry.label);
    if (entry.keyText != nullptr) text += QLatin1Char('\t') + QString::fromLatin1(entry.keyText);
    QAction* action = menu.addAction(text);
    action->setEnabled(entry.enabled);
    if (entry.checked >= 0) {
      action->setCheckable(true);
      action->setChecked(entry.checked > 0);
    }
    actions.emplace_back(action, &entry);
  }
  return actions;
}

void RunWindowMenu(QWidget* owner, const QPoint& globalPos, const std::vector<WindowMenuEntry>& entries) {
  if (std::none_of(entries.begin(), entries.end(), CanAct)) return;
  QMenu menu(owner);
  const auto actions = FillWindowMenu(menu, entries);
  const QAction* chosen = menu.exec(globalPos);
  for (const auto& [action, entry] : actions)
    if (action == chosen && entry->action) entry->action();
}

}  // namespace velmora
