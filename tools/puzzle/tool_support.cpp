#include "tool_support.h"

#include <cstdio>

namespace velmora::puzzle_tool {

bool ToolHost::Report(std::string_view text, ReportKind) {
  if (failure.empty()) failure = text;
  return false;
}

void ToolHost::SystemMessage(std::string_view text) {
  if (failure.empty()) failure = text;
}

void StderrMessages::Show(std::string_view text, std::string_view caption) {
  std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(caption.size()), caption.data(), static_cast<int>(text.size()),
               text.data());
}

bool SeedSource::Load(const std::string& seedsFolder) {
  if (seedsFolder.empty()) return true;
  std::string folder = seedsFolder;
  if (folder.back() != '/') folder += '/';
  StderrMessages messages;
  const auto note = [](std::string_view line) {
    std::fprintf(stderr, "velmora-puzzle: %.*s\n", static_cast<int>(line.size()), line.data());
  };
  if (tables_.LoadFromFolder(folder, messages, note) == 0) {
    std::fprintf(stderr, "velmora-puzzle: no seed files could be read from %s\n", folder.c_str());
    return false;
  }
  loaded_ = true;
  return true;
}

}  // namespace velmora::puzzle_tool
