#include "run_image.h"

#include <algorithm>
#include <limits>

#include "pixel_math.h"

namespace velmora {

RunImage RunImage::FromImage(const QImage& image) {
  RunImage runs;
  if (image.isNull() || image.format() != QImage::Format_ARGB32 || image.width() > std::numeric_limits<uint16_t>::max())
    return runs;
  runs.rowStarts_.reserve(static_cast<size_t>(image.height()) + 1);
  for (int y = 0; y < image.height(); ++y) {
    runs.rowStarts_.push_back(static_cast<uint32_t>(runs.colours_.size()));
    const auto* row = reinterpret_cast<const uint32_t*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (x > 0 && row[x] == row[x - 1]) continue;
      runs.runStarts_.push_back(static_cast<uint16_t>(x));
      runs.colours_.push_back(row[x]);
    }
  }
  runs.rowStarts_.push_back(static_cast<uint32_t>(runs.colours_.size()));
  runs.runStarts_.shrink_to_fit();
  runs.colours_.shrink_to_fit();
  runs.width_ = image.width();
  runs.height_ = image.height();
  runs.ratio_ = image.devicePixelRatio();
  return runs;
}

QImage RunImage::Expand(const QRect& area) const {
  const QRect part = area.intersected(QRect(0, 0, width_, height_));
  if (part.isEmpty()) return QImage();
  QImage image(part.size(), QImage::Format_ARGB32);
  if (image.isNull()) return image;
  image.setDevicePixelRatio(ratio_);
  const auto firstRun = runStarts_.begin();
  for (int y = 0; y < part.height(); ++y) {
    const uint32_t begin = rowStarts_[static_cast<size_t>(part.top() + y)];
    const uint32_t end = rowStarts_[static_cast<size_t>(part.top() + y) + 1];
    // The run that covers the area's first column: the last one starting at or before it.
    size_t run = static_cast<size_t>(
        std::upper_bound(firstRun + begin, firstRun + end, static_cast<uint16_t>(part.left())) - firstRun - 1);
    auto* out = reinterpret_cast<uint32_t*>(image.scanLine(y));
    for (int x = part.left(); x <= part.right(); ++x) {
      while (run + 1 < end && runStarts_[run + 1] <= x) ++run;
      out[x - part.left()] = colours_[run];
    }
  }
  return image;
}

void RunImage::ShiftHue(float delta) {
  if (colours_.empty()) return;
  ShiftRowHue(colours_.data(), static_cast<int>(colours_.size()), delta);
}

}  // namespace velmora
