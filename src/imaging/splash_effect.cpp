#include "splash_effect.h"

#include <QWidget>

#include <cstdint>

#include "imaging_constants.h"
#include "imaging_texts.h"
#include "pixel_math.h"

namespace velmora {

namespace texts = imaging::texts;

bool SplashEffect::StartSplash(uint32_t now, int width, int height, QWidget* window) {
  start_ = now;
  running_ = false;
  ready_ = false;
  rect_ = QRect(width / 2 - imaging::kSplashWidth / 2, height / 2 - imaging::kSplashHeight / 2, imaging::kSplashWidth,
                imaging::kSplashHeight);

  sharp_ = sharpLogo_ && !sharpLogo_->isNull() && window && window->devicePixelRatioF() > 1.0;
  const int scale = sharp_ ? 2 : 1;
  background_ = QImage(rect_.size() * scale, QImage::Format_ARGB32);
  if (background_.isNull()) {
    operations_.GetReporter().LogOnly(texts::kSplashBackgroundAllocFailed);
    return false;
  }
  background_.setDevicePixelRatio(scale);
  background_.fill(0xFF000000u);
  // The copy reports its own failure; the splash then fades over black.
  operations_.CopyWindowArea(background_, rect_, window);

  effect_ = background_.copy();
  if (effect_.isNull()) {
    operations_.GetReporter().LogOnly(texts::kSplashEffectCreateFailed);
    return false;
  }
  running_ = true;
  ready_ = true;
  return true;
}

void SplashEffect::StepSplash(uint32_t now) {
  if (!running_) return;
  // The millisecond clock wraps every 49.7 days; the difference read as
  // signed stays right across the wrap and is negative for a clock behind the start.
  const int32_t elapsed = static_cast<int32_t>(now - start_);
  float t = static_cast<float>(elapsed) * imaging::kSplashTimeScale;
  if (t >= 1.0f) {
    running_ = false;
    return;
  }
  if (t < 0.0f) t = 0.0f;

  float alpha;
  if (t > 0.75f) {
    alpha = 4.0f * (1.0f - t);
  } else if (t > 0.25f) {
    // The logo stands whole; it is drawn once in the run and then left alone.
    if (!operations_.SplashWholeLogoShown()) {
      operations_.SetSplashWholeLogoShown();
      operations_.FadeBitmap(effect_, background_, sharp_ ? *sharpLogo_ : logo_, 1.0f);
    }
    return;
  } else {
    alpha = 4.0f * t;
  }
  operations_.FadeBitmap(effect_, background_, sharp_ ? *sharpLogo_ : logo_, EaseAlpha(alpha));
}

}  // namespace velmora
