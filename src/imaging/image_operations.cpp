#include "image_operations.h"

#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <string>

#include "imaging_constants.h"
#include "imaging_texts.h"
#include "pixel_math.h"

namespace velmora {
namespace {

namespace texts = imaging::texts;

// Formats whose pixels are 32-bit words 0xAARRGGBB, that is blue, green, red,
// alpha bytes in memory.
bool IsBgra32(const QImage& image) {
  switch (image.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied: return true;
    default: return false;
  }
}

uint32_t* Row(QImage& image, int y) { return reinterpret_cast<uint32_t*>(image.scanLine(y)); }
const uint32_t* Row(const QImage& image, int y) { return reinterpret_cast<const uint32_t*>(image.constScanLine(y)); }

constexpr uint32_t kBorderColor = (static_cast<uint32_t>(imaging::kBorderRed) << 16) |
                                  (static_cast<uint32_t>(imaging::kBorderGreen) << 8) |
                                  static_cast<uint32_t>(imaging::kBorderBlue);

// Distance into the border ramp along one axis: 8..1 on the near side, 0..7
// on the far side, 0 outside the ramp.
int RampDistance(int position, int extent, bool& inBorder) {
  if (position < imaging::kBorderWidth) {
    inBorder = true;
    return imaging::kBorderWidth - position;
  }
  if (position >= extent - imaging::kBorderWidth) {
    inBorder = true;
    return position - (extent - imaging::kBorderWidth);
  }
  inBorder = false;
  return 0;
}

uint32_t BorderPixel(uint32_t pixel, float v) {
  if (v >= static_cast<float>(imaging::kBorderWidth)) return kBorderColor;
  const float l = std::pow(v * 0.125f, imaging::kBorderExponent);
  const uint32_t red = BlendToward(static_cast<int>((pixel >> 16) & 0xFF), imaging::kBorderRed, l);
  const uint32_t green = BlendToward(static_cast<int>((pixel >> 8) & 0xFF), imaging::kBorderGreen, l);
  const uint32_t blue = BlendToward(static_cast<int>(pixel & 0xFF), imaging::kBorderBlue, l);
  return (red << 16) | (green << 8) | blue;
}

uint32_t FadeChannel(uint32_t background, uint32_t overlay, float weight) {
  const float value =
      static_cast<float>(background) + weight * (static_cast<float>(overlay) - static_cast<float>(background));
  return static_cast<uint32_t>(std::clamp(static_cast<int>(value), 0, 255));
}

}  // namespace

void ImageOperations::LogOnly(const char* text) { reporter_.LogOnly(text); }

bool ImageOperations::ShiftHue(QImage& bitmap, float delta) {
  int bitsPerPixel = 0;
  if (bitmap.isNull()) {
    LogOnly(texts::kHueInfoFailed);
  } else if (IsBgra32(bitmap)) {
    bitsPerPixel = 32;
  }
  if (bitsPerPixel != 32) {
    if (!colorNoticeShown_) {
      colorNoticeShown_ = true;
      reporter_.ShowMessage(texts::kColorProblem);
    }
    return false;
  }
  // Callers pass [0, 360) already; a wrap keeps any other value from leaving
  // the colour wheel.
  delta = WrapDegrees(delta);
  const int width = bitmap.width();
  for (int y = 0; y < bitmap.height(); ++y) {
    uint32_t* row = Row(bitmap, y);
    ShiftRowHue(row, width, delta);
  }
  return true;
}

bool ImageOperations::ChangeGameColor(GameBitmapTable& table, float delta) {
  if (!table.ArtLoaded()) return false;
  const auto start = std::chrono::steady_clock::now();
  delta = WrapDegrees(delta);
  for (int index = 0; index < GameBitmapTable::Size(); ++index) {
    if (!imaging::IsShiftedIndex(index)) continue;
    // An entry kept as its file's bytes is recoloured when it is decoded.
    if (!table.KeptAsPngData(index)) ShiftHue(table.Entry(index), delta);
    if (!table.HeldSharpEntry(index).isNull()) ShiftHue(table.HeldSharpEntry(index), delta);
  }
  // Pictures decoded later are shifted by the same steps when decoded.
  table.RecordShift(delta);
  if (reporter_.LogOn()) {
    const auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    reporter_.Log(std::string(texts::kColorChangedBefore) + std::to_string(spent.count()) + texts::kColorChangedAfter);
  }
  return true;
}

bool ImageOperations::ApplyBorder(QImage& bitmap, int width, int height) {
  if (bitmap.isNull() || !IsBgra32(bitmap) || width <= 0 || height <= 0 || width > bitmap.width() ||
      height > bitmap.height()) {
    LogOnly(texts::kBorderInfoFailed);
    return false;
  }
  if (!bitmap.bits()) {  // the copy-on-write detach could not allocate
    LogOnly(texts::kBorderAllocFailed);
    return false;
  }
  for (int y = 0; y < height; ++y) {
    bool rowInBorder = false;
    const int dy = RampDistance(y, height, rowInBorder);
    uint32_t* row = Row(bitmap, y);
    for (int x = 0; x < width; ++x) {
      bool columnInBorder = false;
      const int dx = RampDistance(x, width, columnInBorder);
      if (!columnInBorder && !rowInBorder) {
        // Jump over the untouched middle of the row.
        x = std::max(x, width - imaging::kBorderWidth - 1);
        continue;
      }
      float v;
      if (columnInBorder && rowInBorder) {
        v = std::sqrt(static_cast<float>(dx * dx + dy * dy));
      } else {
        v = static_cast<float>(columnInBorder ? dx : dy);
      }
      row[x] = BorderPixel(row[x], v);
    }
  }
  return true;
}

bool ImageOperations::BuildMessageBackgrounds(const GameBitmapTable& table, MessageBackgrounds& backgrounds) {
  // The old images are overwritten rather than freed first, so that a colour
  // change reuses their memory.
  backgrounds.ready = false;
  const QImage source = table.Picture(imaging::kGenericDialogIndex);
  for (size_t i = 0; i < backgrounds.images.size(); ++i) {
    QImage& background = backgrounds.images[i];
    if (!DuplicateBitmap(source, background)) {
      if (reporter_.LogOn()) reporter_.Log(texts::kBackgroundCreateFailed);
      backgrounds.Clear();
      return false;
    }
    if (!ApplyBorder(background, imaging::kMessageBackgroundWidth, imaging::kMessageBackgroundHeights[i])) {
      if (reporter_.LogOn()) reporter_.Log(texts::kBackgroundBorderFailed);
      backgrounds.Clear();
      return false;
    }
  }
  backgrounds.ready = true;
  return true;
}

bool ImageOperations::DuplicateBitmap(const QImage& source, QImage& target) {
  if (source.isNull()) {
    LogOnly(texts::kDuplicateInfoFailed);
    return false;
  }
  // The bytes are copied as they are; only images of other layouts are converted.
  const QImage pixels = IsBgra32(source) ? source : source.convertToFormat(QImage::Format_ARGB32);
  if (pixels.isNull()) {
    LogOnly(texts::kDuplicateReadFailed);
    return false;
  }
  // A target of the same shape that nothing else shares is written in place.
  const bool reuse = &target != &source && target.size() == source.size() && target.format() == QImage::Format_ARGB32 &&
                     target.isDetached();
  QImage copy = reuse ? std::move(target) : QImage(source.size(), QImage::Format_ARGB32);
  if (copy.isNull()) {
    LogOnly(texts::kDuplicateAllocFailed);
    return false;
  }
  const size_t rowBytes = static_cast<size_t>(source.width()) * 4;
  for (int y = 0; y < source.height(); ++y) std::memcpy(copy.scanLine(y), pixels.constScanLine(y), rowBytes);
  target = std::move(copy);
  return true;
}

bool ImageOperations::CopyWindowArea(QImage& target, const QRect& rect, QWidget* window) {
  if (!window || rect.isEmpty()) {
    LogOnly(texts::kCopyContextFailed);
    return false;
  }
  // A target of device pixel ratio 2 takes the window's look at twice the size.
  const int scale = target.devicePixelRatio() > 1.0 ? 2 : 1;
  QImage copy(rect.size() * scale, QImage::Format_ARGB32);
  if (copy.isNull()) {
    LogOnly(texts::kCopyBitmapFailed);
    return false;
  }
  copy.setDevicePixelRatio(scale);
  // Whatever lies outside the window copies as black.
  copy.fill(0xFF000000u);
  const QRect inside = rect.intersected(window->rect());
  if (!inside.isEmpty()) {
    const QPixmap grabbed = window->grab(inside);
    if (grabbed.isNull()) {
      LogOnly(texts::kCopyFailed);
      return false;
    }
    QPainter painter;
    if (!painter.begin(&copy)) {
      LogOnly(texts::kCopySelectFailed);
      return false;
    }
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    // On a scaled screen the grab has more device pixels than the rectangle.
    painter.drawPixmap(QRect(inside.topLeft() - rect.topLeft(), inside.size()), grabbed);
    painter.end();
  }
  target = std::move(copy);
  return true;
}

bool ImageOperations::FadeBitmap(QImage& target, const QImage& background, const QImage& overlay, float alpha) {
  if (background.isNull() || !IsBgra32(background)) {
    LogOnly(texts::kFadeInfoFailed);
    return false;
  }
  if (overlay.isNull() || !IsBgra32(overlay) || overlay.width() < background.width() ||
      overlay.height() < background.height()) {
    LogOnly(texts::kFadeTargetReadFailed);
    return false;
  }
  if (target.size() != background.size() || target.format() != QImage::Format_ARGB32) {
    target = QImage(background.size(), QImage::Format_ARGB32);
    target.setDevicePixelRatio(background.devicePixelRatio());
  }
  if (target.isNull() || !target.bits()) {
    LogOnly(texts::kFadeWriteFailed);
    return false;
  }
  const int width = background.width();
  for (int y = 0; y < background.height(); ++y) {
    const uint32_t* back = Row(background, y);
    const uint32_t* over = Row(overlay, y);
    uint32_t* out = Row(target, y);
    for (int x = 0; x < width; ++x) {
      const uint32_t b = back[x];
      const uint32_t o = over[x];
      const float a = static_cast<float>(o >> 24) / 255.0f;
      if (a < imaging::kFadeInvisibleAlpha) {
        out[x] = b;
        continue;
      }
      const float weight = a <= imaging::kFadeOpaqueAlpha ? alpha * a : alpha;
      out[x] = (FadeChannel((b >> 16) & 0xFF, (o >> 16) & 0xFF, weight) << 16) |
               (FadeChannel((b >> 8) & 0xFF, (o >> 8) & 0xFF, weight) << 8) | FadeChannel(b & 0xFF, o & 0xFF, weight);
    }
  }
  return true;
}

QImage ImageOperations::OpaqueCopy(const QImage& image) {
  if (image.isNull()) return QImage();
  QImage copy = IsBgra32(image) ? image.copy() : image.convertToFormat(QImage::Format_ARGB32);
  if (copy.isNull()) return QImage();
  // A plain conversion to Format_RGB32 would blend with black by alpha; the
  // screen shows the colour bytes as they are.
  for (int y = 0; y < copy.height(); ++y) {
    uint32_t* row = Row(copy, y);
    for (int x = 0; x < copy.width(); ++x) row[x] |= 0xFF000000u;
  }
  copy.reinterpretAsFormat(QImage::Format_RGB32);
  return copy;
}

namespace {
bool WhollyOpaque(const QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    const uint32_t* row = Row(image, y);
    for (int x = 0; x < image.width(); ++x)
      if ((row[x] >> 24) != 0xFF) return false;
  }
  return true;
}
}  // namespace

QImage ImageOperations::OpaqueView(const QImage& image) {
  if (image.isNull() || image.format() != QImage::Format_ARGB32) return OpaqueCopy(image);
  if (windowsKeepAlpha_ && !WhollyOpaque(image)) return OpaqueCopy(image);
  auto* owner = new QImage(image);  // shares the pixels and keeps them for the view
  QImage view(
      owner->constBits(), owner->width(), owner->height(), owner->bytesPerLine(), QImage::Format_RGB32,
      [](void* kept) { delete static_cast<QImage*>(kept); }, owner);
  if (view.isNull()) {
    delete owner;
    return OpaqueCopy(image);
  }
  view.setDevicePixelRatio(image.devicePixelRatio());
  return view;
}

}  // namespace velmora
