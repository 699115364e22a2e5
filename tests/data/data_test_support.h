#pragma once
// Helpers of the player-data tests: a message box that records, a sleep that
// only counts, and a fresh folder per test that is removed afterwards.
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "system_message_box.h"
#include "user_record.h"

namespace velmora::testing {

class RecordingMessageBox : public SystemMessageBox {
 public:
  struct Shown {
    std::string text;
    std::string caption;
  };
  void Show(std::string_view text, std::string_view caption) override {
    shown.push_back({std::string(text), std::string(caption)});
    if (whileShown) whileShown();
  }
  std::vector<Shown> shown;
  std::function<void()> whileShown;  // runs while a message is up
};

class RecordedSleeps {
 public:
  auto Function() {
    return [this](std::chrono::milliseconds pause) { pauses.push_back(pause); };
  }
  std::vector<std::chrono::milliseconds> pauses;
};

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::string String() const { return path_.string(); }
  // Writes bytes to a file below the folder, making its folders.
  std::string Write(const std::string& relative, std::string_view bytes) const;
  std::string Read(const std::string& relative) const;
  bool Exists(const std::string& relative) const;
  // The names of the files of a folder below this one, sorted.
  std::vector<std::string> List(const std::string& relative) const;

 private:
  std::filesystem::path path_;
};

// Replaces the whole line of a key ("key = ...;\n") in a user file's text.
std::string ReplaceEntry(std::string text, std::string_view key, std::string_view value);
// Removes the whole line of a key.
std::string RemoveEntry(std::string text, std::string_view key);

// A new player's record as the roster makes it.
GDUSER NewPlayer(std::string_view name);

}  // namespace velmora::testing
