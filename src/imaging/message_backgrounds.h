#pragma once
// The message dialog's three backgrounds, 400 x 150, 400 x 300 and 400 x 450,
// cut from the generic dialog background with a dark border. The message
// reporter holds them; it can show messages once they are ready.
#include <QImage>

#include <array>

namespace velmora {

struct MessageBackgrounds {
  std::array<QImage, 3> images;
  bool ready = false;

  void Clear() {
    for (QImage& image : images) image = QImage();
    ready = false;
  }
};

}  // namespace velmora
