#include "instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace velmora {

InstanceLock::~InstanceLock() { Release(); }

namespace {

bool LockNow(int fd) {
  int locked;
  do {
    locked = ::flock(fd, LOCK_EX | LOCK_NB);
  } while (locked != 0 && errno == EINTR);
  return locked == 0;
}

}  // namespace

InstanceLock::Result InstanceLock::Acquire(const std::string& folder, int handed) {
  Release();
  const std::string path = folder + "/" + kLockFileName;
  // A handed descriptor on the lock file itself (the same file as the name
  // holds now, never through a link) whose lock is its own: locking it again
  // succeeds at once.
  struct stat named, given;
  if (handed >= 0 && ::fstat(handed, &given) == 0 && S_ISREG(given.st_mode) && ::lstat(path.c_str(), &named) == 0 &&
      S_ISREG(named.st_mode) && named.st_dev == given.st_dev && named.st_ino == given.st_ino) {
    if (LockNow(handed)) {
      ::fcntl(handed, F_SETFD, FD_CLOEXEC);
      fd_ = handed;
      return Result::kHeld;
    }
    ::close(handed);  // the lock file, held by another copy
  }
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
  if (!LockNow(fd)) {
    const bool running = errno == EWOULDBLOCK;
    ::close(fd);
    return running ? Result::kRunning : Result::kUnavailable;
  }
  fd_ = fd;
  return Result::kHeld;
}

int InstanceLock::HandOver() {
  const int fd = fd_;
  fd_ = -1;
  if (fd >= 0) ::fcntl(fd, F_SETFD, 0);
  return fd;
}

void InstanceLock::Release() {
  if (fd_ < 0) return;
  ::close(fd_);  // closing the only descriptor lets the lock go
  fd_ = -1;
}

}  // namespace velmora
