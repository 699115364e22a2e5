#pragma once
// The size of the game's windows that the desktop user chose (the window
// menu's View > Window Size): 100, 150 or 200 %. It is kept for every player
// of this desktop user, beside the other programs' settings, in
//   $XDG_CONFIG_HOME/velmora-sudoku/velmora-sudoku.conf   (~/.config/... by default)
// as `size=150` under `[window]`, and applied when the program starts: Qt's
// scale factor is multiplied by it before the application object exists, so
// the desktop's own scaling is kept and every window, text and picture grows
// together. Without the file, or at 100, nothing changes.
#include <cstddef>
#include <string>
#include <string_view>

namespace velmora {

inline constexpr int kWindowSizes[] = {100, 150, 200};
inline constexpr int kNormalWindowSize = 100;
// The settings file is a few lines: a longer one is not read.
inline constexpr size_t kMaxSettingsFileSize = 4096;

// Where the settings file is, from XDG_CONFIG_HOME (an absolute path) or HOME;
// empty when neither names a folder.
std::string UserSettingsPath();

// The value of `key` in `[section]` of an ini-style text (the last one set
// there wins), or empty when it is not set. Blank lines and lines starting
// with '#' or ';' are comments.
std::string SettingValue(std::string_view text, std::string_view section, std::string_view key);
// The text with `key` in `[section]` set to `value`, every other line kept as
// it was: the key's lines in that section are changed in place, or the key is
// added at the end of the section, or the section at the end of the text.
std::string WithSetting(std::string_view text, std::string_view section, std::string_view key, std::string_view value);

// The size stored in the settings file: 100 when there is no such file, when
// it is not a regular file of at most kMaxSettingsFileSize bytes, or when it
// holds no size or another one than those offered.
int ReadWindowSize(const std::string& path);
// Stores a size in the settings file, keeping its other lines. The file's
// folder is made when missing; the new text goes to a file of its own beside
// it and takes the old one's place only when complete. False when it could not
// be stored (the old file is then as it was).
[[nodiscard]] bool StoreWindowSize(const std::string& path, int percent);

// The window system chosen beside the size (View > "Use the desktop's own
// window system"), as `system=desktop` under `[window]` (`system=x11`, or
// nothing, for X11 wherever an X server answers): true for the desktop's own.
bool ReadDesktopWindowSystem(const std::string& path);
// Stores the choice as StoreWindowSize stores a size.
[[nodiscard]] bool StoreDesktopWindowSystem(const std::string& path, bool desktopOwn);

// What a size needs of the desktop's work area, in the desktop's own pixels (as
// at 100 %): the game window's 640 x 480 client area with the Tips window's
// 300 beside it, each in a frame of the window manager's. Before the frames
// are known (at start-up) they are taken as kFrameAllowance, and never as less.
struct FrameAllowance {
  int width = 0, height = 0;  // around one window's client area
};
inline constexpr FrameAllowance kFrameAllowance{10, 40};
bool WindowSizeFits(int percent, int areaWidth, int areaHeight, FrameAllowance frame = kFrameAllowance);
// The size to show on that work area: `kept` when it fits, otherwise the
// largest size offered that fits, and the normal size when none does.
int FittingWindowSize(int kept, int areaWidth, int areaHeight, FrameAllowance frame = kFrameAllowance);

// The value for QT_SCALE_FACTOR that shows the windows at `percent`, given the
// variable's value now (nullptr when unset; a value Qt would not take counts as 1).
std::string ScaleFactorFor(const char* current, int percent);

}  // namespace velmora
