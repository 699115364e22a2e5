#include "window_timers.h"

#include <QTimerEvent>
#include <algorithm>

namespace velmora {

QtWindowTimers::QtWindowTimers(std::function<void(int)> handler, QObject* parent)
    : QObject(parent), handler_(std::move(handler)) {}

QtWindowTimers::~QtWindowTimers() {
  for (const auto& [id, qtId] : running_) killTimer(qtId);
}

unsigned QtWindowTimers::Start(int id, unsigned periodMs) {
  Kill(id);
  const int qtId = startTimer(static_cast<int>(std::max(periodMs, kMinimumTimerPeriod)), Qt::PreciseTimer);
  if (qtId == 0) return 0;
  running_[id] = qtId;
  return static_cast<unsigned>(id);
}

bool QtWindowTimers::Kill(int id) {
  const auto found = running_.find(id);
  if (found == running_.end()) return false;
  killTimer(found->second);
  running_.erase(found);
  return true;
}

void QtWindowTimers::timerEvent(QTimerEvent* event) {
  for (const auto& [id, qtId] : running_) {
    if (qtId == event->timerId()) {
      const int gameId = id;  // the handler may start or kill timers
      handler_(gameId);
      return;
    }
  }
}

}  // namespace velmora
