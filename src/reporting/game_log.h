#pragma once
// The diagnostic log: off unless the environment names a file in VELMORA_LOG.
// With it off, no file is opened and nothing is written anywhere.
#include <memory>
#include <string>
#include <string_view>

#include "data_file.h"

namespace velmora {

inline constexpr const char* kLogVariable = "VELMORA_LOG";

class GameLog {
 public:
  explicit GameLog(SystemMessageBox& messages);

  // Switches the log on and starts the file; false (log stays off) when it cannot be opened.
  bool Open(const std::string& path);
  // The file named by VELMORA_LOG, when set and not empty.
  bool OpenFromEnvironment();
  bool IsOn() const { return on_; }
  void Write(std::string_view text);
  void Close();

 private:
  DataFile file_;
  bool on_ = false;
};

}  // namespace velmora
