#include "regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace velmora {

RegularFile::RegularFile(const std::string& path) {
  fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  struct stat info;
  if (fd_ >= 0 && (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode))) Close();
  if (fd_ >= 0) size_ = static_cast<uint64_t>(info.st_size);
}

ssize_t RegularFile::Read(void* out, size_t length) {
  size_t done = 0;
  while (done < length) {
    const ssize_t got = ::read(fd_, static_cast<uint8_t*>(out) + done, length - done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return -1;
    if (got == 0) break;
    done += static_cast<size_t>(got);
  }
  return static_cast<ssize_t>(done);
}

void RegularFile::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool ReadSmallFile(const std::string& path, std::string& text, size_t maxBytes) {
  text.clear();
  RegularFile file(path);
  if (!file.IsOpen() || file.Size() > maxBytes) return false;
  // One byte more than the file had is asked for, to tell a file that grew since.
  text.resize(static_cast<size_t>(file.Size()) + 1);
  const ssize_t read = file.Read(text.data(), text.size());
  if (read < 0 || static_cast<uint64_t>(read) > file.Size()) {
    text.clear();
    return false;
  }
  text.resize(static_cast<size_t>(read));
  return true;
}

}  // namespace velmora
