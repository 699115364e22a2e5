#pragma once
// The window system the game runs on. The game places its windows itself (its
// dialogs centred on the game window, the Tips window beside it, the Tile menu
// where the player left it), which X11 allows and a Wayland compositor does
// not; so wherever an X server answers (XWayland, on a Wayland desktop) the
// game asks Qt for X11, unless QT_QPA_PLATFORM names a window system or the
// desktop user chose the desktop's own (View > "Use the desktop's own window
// system"). On Wayland itself the game keeps to what the protocol lets a
// client do (docs/ARCHITECTURE.md).
#include <string>

struct xcb_connection_t;

namespace velmora {

inline constexpr const char* kPlatformVariable = "QT_QPA_PLATFORM";
// Set by the launcher beside QT_QPA_PLATFORM when the value is its own default
// rather than the desktop user's: the game then chooses as if it were unset.
inline constexpr const char* kDefaultPlatformVariable = "VELMORA_DEFAULT_PLATFORM";

// What QT_QPA_PLATFORM is set to for this start, or empty to leave it as it
// is: `asked` is the desktop user's value (nullptr when unset), `desktopOwn`
// the desktop user's choice, `waylandDesktop` whether a Wayland compositor is
// there (WAYLAND_DISPLAY), `xServerAnswers` whether an X server accepts a
// connection on DISPLAY.
std::string PlatformFor(const char* asked, bool desktopOwn, bool waylandDesktop, bool xServerAnswers);

// QT_QPA_PLATFORM as the desktop user set it: nullptr when unset, or when it
// holds the launcher's default.
const char* AskedPlatform();
// A connection to the X server on DISPLAY, when one accepts it, held until
// this is destroyed. Keep it until Qt has made its own: an X server whose
// last client leaves resets, and a connection that arrives while it resets
// is closed with the others, so Qt could not start.
class XServerProbe {
 public:
  XServerProbe();
  ~XServerProbe();
  XServerProbe(const XServerProbe&) = delete;
  XServerProbe& operator=(const XServerProbe&) = delete;
  bool Answers() const { return connection_ != nullptr; }

 private:
  xcb_connection_t* connection_ = nullptr;
};
// WAYLAND_DISPLAY is set: the desktop is a Wayland compositor's.
bool WaylandDesktop();
// Qt runs the windows on Wayland itself (not XWayland): only once the
// application object exists.
bool OnWayland();
// Whether a start with that choice of the desktop user's would run on another
// window system than this run does.
bool WindowSystemChangesWith(bool desktopOwn);

}  // namespace velmora
