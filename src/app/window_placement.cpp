#include "window_placement.h"

#include <algorithm>

#include "board_geometry.h"

namespace velmora {

Placement PlaceGameWindow(const PlacementInput& in) {
  Placement p;
  p.width = layout::kClientWidth + in.frameWidth;
  p.height = layout::kClientHeight + in.frameHeight;
  const int w = in.desktopWidth, h = in.desktopHeight;

  p.x = w / 2 + in.roomWidth - (in.roomWidth + p.width) / 2;
  if (p.x + p.width >= w) {
    p.x = w - p.width;
    p.tooSmall = true;
  }
  if (p.x < 0) p.x = 0;

  if (h / 2 < p.height / 2) {
    p.y = 0;
    p.tooSmall = true;
  } else {
    p.y = h / 2 - p.height / 2;
  }

  p.tileMenuX = p.x + 108;
  p.tileMenuY = p.y + 150;
  return p;
}

WindowRect KeepTipsOnDesktop(WindowRect tips, WindowRect game, WindowRect desktop) {
  const int right = desktop.x + desktop.width, bottom = desktop.y + desktop.height;
  if (tips.x >= desktop.x && tips.y >= desktop.y && tips.x + tips.width <= right && tips.y + tips.height <= bottom)
    return tips;
  const int roomLeft = game.x - desktop.x, roomRight = right - (game.x + game.width);
  const bool left = roomLeft >= tips.width || (roomRight < tips.width && roomLeft >= roomRight);
  tips.x = left ? game.x - tips.width : game.x + game.width;
  tips.y = game.y;
  tips.x = std::max(desktop.x, std::min(tips.x, right - tips.width));
  tips.y = std::max(desktop.y, std::min(tips.y, bottom - tips.height));
  return tips;
}

}  // namespace velmora
