#include "window_size.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdlib>

#include <QSettings>
#include <QString>

#include "regular_file.h"

namespace velmora {
namespace {

constexpr std::string_view kFolderName = "velmora-sudoku";
constexpr std::string_view kFileName = "velmora-sudoku.conf";
constexpr std::string_view kSizeKey = "window/size";

std::string_view Trim(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

// The settings are this desktop user's alone: a base folder made here is theirs only.
bool MakeFolder(const std::string& folder, mode_t mode) {
  return ::mkdir(folder.c_str(), mode) == 0 || errno == EEXIST;
}

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

std::string ReadSetting(const std::string& path, std::string_view key) {
  std::string text;
  if (path.empty() || !ReadSmallFile(path, text, kMaxSettingsFileSize)) return {};
  const QSettings settings(QString::fromStdString(path), QSettings::IniFormat);
  return settings.value(QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()))).toString().toStdString();
}

bool StoreSetting(const std::string& path, std::string_view key, std::string_view value) {
  const size_t slash = path.rfind('/');
  if (path.empty() || slash == std::string::npos || slash == 0) return false;
  const std::string folder = path.substr(0, slash);
  const std::string base = folder.substr(0, folder.rfind('/'));
  if (!base.empty() && !MakeFolder(base, 0700)) return false;
  if (!MakeFolder(folder, 0755)) return false;
  // What else the file holds stays; a regular file that cannot be read whole
  // is not one of ours to keep, and anything else in its place is not ours to replace.
  std::string text;
  struct stat info {};
  if (!ReadSmallFile(path, text, kMaxSettingsFileSize) && ::lstat(path.c_str(), &info) == 0 &&
      (!S_ISREG(info.st_mode) || ::unlink(path.c_str()) != 0))
    return false;
  QSettings settings(QString::fromStdString(path), QSettings::IniFormat);
  settings.setValue(QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size())),
                    QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
  settings.sync();
  // A format error only says that some line of the old file was not understood.
  return settings.status() != QSettings::AccessError;
}

int ReadWindowSize(const std::string& path) {
  const std::string value = ReadSetting(path, kSizeKey);
  for (int size : kWindowSizes)
    if (value == std::to_string(size)) return size;
  return kNormalWindowSize;
}

bool StoreWindowSize(const std::string& path, int percent) {
  return StoreSetting(path, kSizeKey, std::to_string(percent));
}

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
