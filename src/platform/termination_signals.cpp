#include "termination_signals.h"

#include <QSocketNotifier>

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "process_exit.h"

namespace velmora {
namespace {

constexpr int kCaught[] = {SIGTERM, SIGHUP, SIGINT};

// The handler may only do what is safe in a signal handler: it writes the
// signal's number to a socket that the event loop watches.
volatile std::sig_atomic_t writeFd = -1;

void OnSignal(int signal) {
  const int saved = errno;
  const unsigned char number = static_cast<unsigned char>(signal);
  if (writeFd >= 0) {
    // A full socket already holds a request to end: nothing is lost.
    [[maybe_unused]] const ssize_t written = ::write(writeFd, &number, 1);
  }
  errno = saved;
}

void SetAction(int signal, void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(signal, &action, nullptr);
}

}  // namespace

TerminationSignals::TerminationSignals(std::function<void(int)> onSignal) : onSignal_(std::move(onSignal)) {
  int fds[2];
  if (writeFd >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, fds) != 0) return;
  readFd_ = fds[0];
  writeFd = fds[1];
  notifier_ = new QSocketNotifier(readFd_, QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::Drain);
  for (const int signal : kCaught) SetAction(signal, OnSignal);
}

TerminationSignals::~TerminationSignals() {
  if (!notifier_) return;
  for (const int signal : kCaught) SetAction(signal, SIG_DFL);
  const int fd = writeFd;
  writeFd = -1;
  ::close(fd);
  delete notifier_;
  ::close(readFd_);
}

void TerminationSignals::Drain() {
  unsigned char numbers[16];
  const ssize_t got = ::read(readFd_, numbers, sizeof numbers);
  if (got > 0 && onSignal_) onSignal_(numbers[0]);
}

void EndProcessBySignal(int signal) {
  RunBeforeProcessExit();
  std::fflush(nullptr);
  SetAction(signal, SIG_DFL);
  sigset_t only;
  sigemptyset(&only);
  sigaddset(&only, signal);
  sigprocmask(SIG_UNBLOCK, &only, nullptr);
  std::raise(signal);
  std::_Exit(128 + signal);  // a signal that does not end the process by default
}

}  // namespace velmora
