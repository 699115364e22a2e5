#include "instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace velmora {

InstanceLock::~InstanceLock() { Release(); }

InstanceLock::Result InstanceLock::Acquire(const std::string& folder) {
  Release();
  const std::string path = folder + "/" + kLockFileName;
  // Close-on-exec: a program the game starts (the help page's browser) must not
  // inherit the lock and keep it after the game has ended. No link is followed,
  // and the open does not wait: a named pipe in the file's place would block
  // it for good. Only a regular file is a lock file.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK, 0644);
  if (fd < 0) return Result::kUnavailable;
  struct stat info;
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return Result::kUnavailable;
  }
  int locked;
  do {
    locked = ::flock(fd, LOCK_EX | LOCK_NB);
  } while (locked != 0 && errno == EINTR);
  if (locked != 0) {
    const bool running = errno == EWOULDBLOCK;
    ::close(fd);
    return running ? Result::kRunning : Result::kUnavailable;
  }
  fd_ = fd;
  return Result::kHeld;
}

void InstanceLock::Release() {
  if (fd_ < 0) return;
  ::close(fd_);  // closing the only descriptor lets the lock go
  fd_ = -1;
}

}  // namespace velmora
