#pragma once
// The requests to end that reach a desktop program as signals: SIGTERM (a
// logout, a shutdown, `kill`), SIGHUP (the terminal or the session went away)
// and SIGINT (Ctrl+C in the terminal that started the game). Left to the
// system they end the process on the spot; caught here, they are handed to
// the program in its own event loop, where it may save before it ends.
#include <QObject>

#include <functional>

class QSocketNotifier;

namespace velmora {

class TerminationSignals : public QObject {
 public:
  // From now on the three signals run `onSignal` (with the signal's number) in
  // this thread's event loop, nested dialog loops included. One object at a
  // time; the signals end the process again once it is gone.
  explicit TerminationSignals(std::function<void(int signal)> onSignal);
  ~TerminationSignals() override;
  TerminationSignals(const TerminationSignals&) = delete;
  TerminationSignals& operator=(const TerminationSignals&) = delete;

  // False when the signals could not be caught (they then end the process as before).
  bool Active() const { return notifier_ != nullptr; }

 private:
  void Drain();

  std::function<void(int)> onSignal_;
  int readFd_ = -1;
  QSocketNotifier* notifier_ = nullptr;
};

// Ends the process as the signal would have: the before-exit hook runs (the
// log reaches the disk), then the signal's own action, so that whoever started
// the game sees it ended by that signal.
[[noreturn]] void EndProcessBySignal(int signal);

}  // namespace velmora
