#pragma once
// One copy of the game per working folder. The copy that starts first holds an
// advisory lock on a file in the folder for as long as it runs; a second copy
// finds it held and leaves without touching anything. The kernel drops the
// lock when the holder ends, however it ends, so a copy that crashed or was
// killed leaves nothing to clean up and the next copy simply takes the lock.
#include <string>

namespace velmora {

inline constexpr const char* kLockFileName = "velmora-sudoku.lock";
// The environment variable naming a descriptor that holds the lock already.
inline constexpr const char* kLockFdVariable = "VELMORA_LOCK_FD";

class InstanceLock {
 public:
  enum class Result {
    kHeld,         // this process holds the folder
    kRunning,      // another copy holds it
    kUnavailable,  // no lock can be had here: the file cannot be made, opened or
                   // locked, or something other than a regular file has its name
  };

  InstanceLock() = default;
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  // Tries once, without waiting, to lock the folder's lock file, creating it
  // (empty) when it does not exist yet. The file stays when the lock is let go:
  // removing it would let two copies lock two different files of one name.
  // `handed` is a descriptor the process was started with (by the launcher, or
  // by the game starting itself again) that holds the lock already: it is
  // taken over when it is open on this very lock file, so that the lock is
  // never free between the two; any other descriptor is left alone.
  [[nodiscard]] Result Acquire(const std::string& folder, int handed = -1);
  void Release();
  // Gives up the held lock's descriptor, still locked and now inherited by a
  // program this process becomes (execv): -1 when none is held.
  int HandOver();

 private:
  int fd_ = -1;
};

}  // namespace velmora
