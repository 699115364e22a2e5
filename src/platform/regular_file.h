#pragma once
// Reading files that anyone could have put in the game's way: the art, and the
// desktop user's settings. Only a regular file is opened, and the open itself
// does not wait: a named pipe put in a file's place (or a link to one, or to a
// device) would block the open or the first read for good. The type is checked
// on what was opened, so a path changed in between cannot slip through.
#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace velmora {

// An open regular file, closed with the object.
class RegularFile {
 public:
  explicit RegularFile(const std::string& path);
  ~RegularFile() { Close(); }
  RegularFile(const RegularFile&) = delete;
  RegularFile& operator=(const RegularFile&) = delete;

  bool IsOpen() const { return fd_ >= 0; }
  // The length the file had when it was opened.
  uint64_t Size() const { return size_; }
  // Reads up to `length` bytes, fewer only at the end of the file; -1 on an error.
  ssize_t Read(void* out, size_t length);

 private:
  void Close();
  int fd_ = -1;
  uint64_t size_ = 0;
};

// Reads a whole regular file of at most maxBytes bytes into text. A longer
// file is refused unread (nothing is spent on it), as is one that grew past
// its length while it was read; text is then empty.
[[nodiscard]] bool ReadSmallFile(const std::string& path, std::string& text, size_t maxBytes);

}  // namespace velmora
