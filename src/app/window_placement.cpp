#include "window_placement.h"

namespace velmora {

Placement PlaceGameWindow(const PlacementInput& in) {
  Placement p;
  p.width = 640 + in.frameWidth;
  p.height = 480 + in.frameHeight;
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

}  // namespace velmora
