#pragma once
// Window timers by id: a started timer fires every period until it is killed;
// starting an id that is running restarts it with the new period. As with the
// desktop's own window timers, periods below 10 ms run at 10 ms.
#include <QObject>
#include <functional>
#include <map>

namespace velmora {

inline constexpr unsigned kMinimumTimerPeriod = 10;

class WindowTimers {
 public:
  virtual ~WindowTimers() = default;
  // Returns the timer's handle (never 0) or 0 when it could not be started.
  virtual unsigned Start(int id, unsigned periodMs) = 0;
  // True when a running timer was stopped.
  virtual bool Kill(int id) = 0;
};

// Window timers on Qt's event loop; every expiry calls the handler with the id.
// They keep firing while a modal dialog runs its own loop.
class QtWindowTimers : public QObject, public WindowTimers {
  Q_OBJECT
 public:
  explicit QtWindowTimers(std::function<void(int id)> handler, QObject* parent = nullptr);
  ~QtWindowTimers() override;

  unsigned Start(int id, unsigned periodMs) override;
  bool Kill(int id) override;
  bool IsRunning(int id) const { return running_.count(id) != 0; }

 protected:
  void timerEvent(QTimerEvent* event) override;

 private:
  std::function<void(int)> handler_;
  std::map<int, int> running_;  // game id -> Qt timer id
};

}  // namespace velmora
