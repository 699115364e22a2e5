#include "game_log.h"

#include <cstdlib>

namespace velmora {

GameLog::GameLog(SystemMessageBox& messages) : file_(messages) {}

bool GameLog::Open(const std::string& path) {
  on_ = file_.OpenForAppending(path);
  return on_;
}

bool GameLog::OpenFromEnvironment() {
  const char* path = std::getenv(kLogVariable);
  if (!path || !*path) return false;
  return Open(path);
}

void GameLog::Write(std::string_view text) {
  if (on_) file_.AppendText(text);
}

void GameLog::Close() {
  if (!on_) return;
  file_.CloseOutput();
  on_ = false;
}

}  // namespace velmora
