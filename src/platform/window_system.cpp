#include "window_system.h"

#include <QGuiApplication>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace velmora {

std::string PlatformFor(const char* asked, bool desktopOwn, bool waylandDesktop, bool xServerAnswers) {
  if (asked != nullptr && asked[0] != '\0') return {};
  // X11 as a fall-back, should Qt's Wayland plugin be missing.
  if (desktopOwn && waylandDesktop) return "wayland;xcb";
  if (xServerAnswers) return "xcb";
  return {};
}

const char* AskedPlatform() {
  const char* asked = std::getenv(kPlatformVariable);
  const char* launchers = std::getenv(kDefaultPlatformVariable);
  if (asked != nullptr && launchers != nullptr && std::strcmp(asked, launchers) == 0) return nullptr;
  return asked;
}

XServerProbe::XServerProbe() {
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || display[0] == '\0') return;
  connection_ = xcb_connect(display, nullptr);
  if (xcb_connection_has_error(connection_) == 0) return;
  xcb_disconnect(connection_);
  connection_ = nullptr;
}

XServerProbe::~XServerProbe() {
  if (connection_ != nullptr) xcb_disconnect(connection_);
}

bool WaylandDesktop() {
  const char* display = std::getenv("WAYLAND_DISPLAY");
  return display != nullptr && display[0] != '\0';
}

bool OnWayland() { return QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

bool WindowSystemChangesWith(bool desktopOwn) {
  const std::string next = PlatformFor(AskedPlatform(), desktopOwn, WaylandDesktop(), XServerProbe().Answers());
  if (next.empty()) return false;  // named by the desktop user, or left to Qt as before
  return QGuiApplication::platformName().toStdString() != next.substr(0, next.find(';'));
}

}  // namespace velmora
