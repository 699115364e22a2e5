#pragma once
// Where the game window goes on the desktop, leaving room beside it for the
// tips window when that is in use.

namespace velmora {

struct PlacementInput {
  int desktopWidth = 0, desktopHeight = 0;
  int frameWidth = 0, frameHeight = 0;  // border and caption around the 640 x 480 client area
  int roomWidth = 0, roomHeight = 0;    // kept free for the tips window
};

struct Placement {
  int x = 0, y = 0;
  int width = 0, height = 0;         // outer size
  bool tooSmall = false;             // the desktop cannot hold the window and the room
  int tileMenuX = 0, tileMenuY = 0;  // the Tile menu's first outer corner
};

Placement PlaceGameWindow(const PlacementInput& in);

// A window's outer rectangle on the screen.
struct WindowRect {
  int x = 0, y = 0, width = 0, height = 0;
  bool operator==(const WindowRect&) const = default;
};

// Where the Tips window stands once the game window has moved, `tips` being
// where the same move takes it: there while that lies on the desktop, else
// beside the game window, tops aligned, on the side that has room (the left
// first; with room on neither, the roomier one), held inside the desktop.
WindowRect KeepTipsOnDesktop(WindowRect tips, WindowRect game, WindowRect desktop);

}  // namespace velmora
