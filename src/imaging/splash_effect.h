#pragma once
// The start-up splash: the logo (entry 180) fades in over the window's own
// look, stays, and fades out again, over 3000 ms. The game window calls
// StartSplash from its splash timer, then StepSplash every 10 ms while
// Running(), and paints Effect() as a plain copy into Rect().
#include <QImage>
#include <QRect>

#include <cstdint>

#include "image_operations.h"

class QWidget;

namespace velmora {

class SplashEffect {
 public:
  // `logo` must outlive the effect (it is the game bitmap table's entry), and
  // so must `sharpLogo` when given, the logo at twice the size (a null image
  // when not loaded), which the effect uses on a window of device pixel ratio
  // above 1. Both are read where they lie, so a colour change reaches them.
  SplashEffect(ImageOperations& operations, const QImage& logo, const QImage* sharpLogo = nullptr)
      : operations_(operations), logo_(logo), sharpLogo_(sharpLogo) {}

  // Remembers `now`, centres the 400 x 300 splash rectangle in a window of
  // width x height, copies the window's look there as the background and
  // makes the effect image (at twice the size, device pixel ratio 2, on a
  // scaled window when the large logo is there). A failed copy is reported and leaves a black
  // background.
  bool StartSplash(uint32_t now, int width, int height, QWidget* window);
  // Advances the effect to `now`; clears Running() once 3000 ms have passed.
  void StepSplash(uint32_t now);

  bool Running() const { return running_; }
  // True once StartSplash succeeded.
  bool Ready() const { return ready_; }
  const QRect& Rect() const { return rect_; }
  const QImage& Effect() const { return effect_; }
  const QImage& Background() const { return background_; }

 private:
  ImageOperations& operations_;
  const QImage& logo_;
  const QImage* sharpLogo_;
  bool sharp_ = false;  // the effect runs at twice the size
  uint32_t start_ = 0;
  QRect rect_;
  QImage background_;
  QImage effect_;
  bool running_ = false;
  bool ready_ = false;
};

}  // namespace velmora
