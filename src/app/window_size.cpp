#include "window_size.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <vector>

#include "data_file.h"
#include "regular_file.h"

namespace velmora {
namespace {

constexpr std::string_view kFolderName = "velmora-sudoku";
constexpr std::string_view kFileName = "velmora-sudoku.conf";
constexpr std::string_view kSection = "window";
constexpr std::string_view kSizeKey = "size";
constexpr std::string_view kSystemKey = "system";
constexpr std::string_view kDesktopSystem = "desktop";

std::string_view Trim(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    lines.push_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

// One line of the text, read as the format reads it.
struct Line {
  enum Kind { kOther, kSection, kEntry } kind = kOther;
  std::string_view name;   // the section's, or the entry's key
  std::string_view value;  // the entry's
};

Line Read(std::string_view raw) {
  const std::string_view line = Trim(raw);
  if (line.empty() || line.front() == '#' || line.front() == ';') return {};
  if (line.front() == '[' && line.back() == ']') return {Line::kSection, Trim(line.substr(1, line.size() - 2)), {}};
  const size_t equals = line.find('=');
  if (equals == std::string_view::npos) return {};
  return {Line::kEntry, Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))};
}

// The settings are this desktop user's alone: a base folder made here is theirs only.
bool MakeFolder(const std::string& folder, mode_t mode) {
  return ::mkdir(folder.c_str(), mode) == 0 || errno == EEXIST;
}

// Sets one key of the settings file, keeping its other lines.
bool StoreSetting(const std::string& path, std::string_view key, std::string_view value);

// Nothing to show: the caller says what failed.
class Silent : public SystemMessageBox {
 public:
  void Show(std::string_view, std::string_view) override {}
};

}  // namespace

std::string UserSettingsPath() {
  // XDG_CONFIG_HOME counts only when it is an absolute path; otherwise the
  // desktop's settings live in ~/.config.
  std::string base;
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && config[0] == '/') {
    base = config;
  } else if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0') {
    base = std::string(home) + "/.config";
  } else {
    return {};
  }
  return base + "/" + std::string(kFolderName) + "/" + std::string(kFileName);
}

std::string SettingValue(std::string_view text, std::string_view section, std::string_view key) {
  std::string value;
  bool inSection = false;
  for (std::string_view raw : Lines(text)) {
    const Line line = Read(raw);
    if (line.kind == Line::kSection) inSection = line.name == section;
    if (inSection && line.kind == Line::kEntry && line.name == key) value = line.value;
  }
  return value;
}

std::string WithSetting(std::string_view text, std::string_view section, std::string_view key, std::string_view value) {
  const std::string entry = std::string(key) + "=" + std::string(value);
  std::vector<std::string> out;
  bool inSection = false, found = false;
  size_t sectionEnd = 0;  // after the last line that belongs to the section
  bool sectionSeen = false;
  for (std::string_view raw : Lines(text)) {
    const Line line = Read(raw);
    if (line.kind == Line::kSection) inSection = line.name == section;
    if (inSection && line.kind == Line::kEntry && line.name == key) {
      out.push_back(entry);
      found = true;
    } else {
      out.emplace_back(raw);
    }
    if (inSection && !Trim(raw).empty()) {
      sectionSeen = true;
      sectionEnd = out.size();
    }
  }
  if (!found && sectionSeen) {
    out.insert(out.begin() + static_cast<std::ptrdiff_t>(sectionEnd), entry);
  } else if (!found) {
    if (!out.empty() && !Trim(out.back()).empty()) out.emplace_back();
    out.push_back("[" + std::string(section) + "]");
    out.push_back(entry);
  }
  std::string result;
  for (const std::string& line : out) result += line + "\n";
  return result;
}

int ReadWindowSize(const std::string& path) {
  std::string text;
  if (path.empty() || !ReadSmallFile(path, text, kMaxSettingsFileSize)) return kNormalWindowSize;
  const std::string value = SettingValue(text, kSection, kSizeKey);
  for (int size : kWindowSizes)
    if (value == std::to_string(size)) return size;
  return kNormalWindowSize;
}

bool StoreWindowSize(const std::string& path, int percent) {
  return StoreSetting(path, kSizeKey, std::to_string(percent));
}

bool ReadDesktopWindowSystem(const std::string& path) {
  std::string text;
  if (path.empty() || !ReadSmallFile(path, text, kMaxSettingsFileSize)) return false;
  return SettingValue(text, kSection, kSystemKey) == kDesktopSystem;
}

bool StoreDesktopWindowSystem(const std::string& path, bool desktopOwn) {
  return StoreSetting(path, kSystemKey, desktopOwn ? kDesktopSystem : "x11");
}

namespace {
bool StoreSetting(const std::string& path, std::string_view key, std::string_view value) {
  const size_t slash = path.rfind('/');
  if (path.empty() || slash == std::string::npos || slash == 0) return false;
  const std::string folder = path.substr(0, slash);
  const std::string base = folder.substr(0, folder.rfind('/'));
  if (!base.empty() && !MakeFolder(base, 0700)) return false;
  if (!MakeFolder(folder, 0755)) return false;
  // What else the file holds stays; a file that cannot be read whole is not
  // one of ours to keep, and is replaced.
  std::string text;
  if (!ReadSmallFile(path, text, kMaxSettingsFileSize)) text.clear();
  Silent silent;
  DataFile file(silent);
  return file.OpenForWriting(path) && file.WriteText(WithSetting(text, kSection, key, value));
}
}  // namespace

bool WindowSizeFits(int percent, int areaWidth, int areaHeight, FrameAllowance frame) {
  // The game window and the Tips window beside it, 640 + 300 wide and 480 high.
  constexpr int kWidth = 940, kHeight = 480;
  const int frameWidth = std::max(frame.width, kFrameAllowance.width);
  const int frameHeight = std::max(frame.height, kFrameAllowance.height);
  return kWidth * percent / 100 + 2 * frameWidth <= areaWidth && kHeight * percent / 100 + frameHeight <= areaHeight;
}

int FittingWindowSize(int kept, int areaWidth, int areaHeight, FrameAllowance frame) {
  if (WindowSizeFits(kept, areaWidth, areaHeight, frame)) return kept;
  int fitting = kNormalWindowSize;
  for (int size : kWindowSizes)
    if (WindowSizeFits(size, areaWidth, areaHeight, frame)) fitting = std::max(fitting, size);
  return fitting;
}

std::string ScaleFactorFor(const char* current, int percent) {
  double factor = 1.0;
  if (current != nullptr) {
    const std::string_view text = Trim(current);
    double given = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), given);
    if (error == std::errc() && end == text.data() + text.size() && given > 0.0) factor = given;
  }
  char buffer[64];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, factor * percent / 100.0);
  return error == std::errc() ? std::string(buffer, end) : std::string("1");
}

}  // namespace velmora
