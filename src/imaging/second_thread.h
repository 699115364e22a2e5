#pragma once
// Work for the second core at start-up. The work runs on a thread of its own
// when one can be started; when none can, it is simply not run there, and the
// caller does it itself (each user below is written so that this thread picks
// up whatever the other did not). Joined at the latest when the object goes.
#include <functional>
#include <system_error>
#include <thread>

namespace velmora {

class SecondThread {
 public:
  explicit SecondThread(const std::function<void()>& work) {
    try {
      thread_ = std::thread(work);
    } catch (const std::system_error&) {
      // No thread: the caller's own share covers the work.
    }
  }
  ~SecondThread() { Join(); }
  SecondThread(const SecondThread&) = delete;
  SecondThread& operator=(const SecondThread&) = delete;

  void Join() {
    if (thread_.joinable()) thread_.join();
  }

 private:
  std::thread thread_;
};

}  // namespace velmora
