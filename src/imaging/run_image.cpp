#include "run_image.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "pixel_math.h"

namespace velmora {

namespace {

uint32_t Le32(const char* p) {
  const auto* b = reinterpret_cast<const unsigned char*>(p);
  return b[0] | (b[1] << 8) | (b[2] << 16) | (uint32_t(b[3]) << 24);
}

}  // namespace

RunImage RunImage::FromBytes(const char* data, size_t size, qreal ratio) {
  RunImage runs;
  constexpr size_t kHeader = 16;
  constexpr uint32_t kMaxSide = 8192;
  if (!data || size < kHeader || std::memcmp(data, "VRUN", 4) != 0) return runs;
  const uint32_t width = Le32(data + 4), height = Le32(data + 8), count = Le32(data + 12);
  if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide || count < height ||
      count > uint64_t(width) * height)
    return runs;
  if (size != kHeader + 4 * (uint64_t(height) + 1) + 6 * uint64_t(count)) return runs;
  const char* p = data + kHeader;
  runs.rowStarts_.resize(height + 1);
  for (auto& start : runs.rowStarts_) start = Le32(p), p += 4;
  runs.colours_.resize(count);
  for (auto& colour : runs.colours_) colour = Le32(p), p += 4;
  runs.runStarts_.resize(count);
  for (auto& start : runs.runStarts_) {
    start = static_cast<uint16_t>(static_cast<unsigned char>(p[0]) | (static_cast<unsigned char>(p[1]) << 8));
    p += 2;
  }
  // Every row starts with a run at column 0 and its runs start left to right within the picture.
  if (runs.rowStarts_.front() != 0 || runs.rowStarts_.back() != count) return RunImage();
  for (uint32_t y = 0; y < height; ++y) {
    const uint32_t begin = runs.rowStarts_[y], end = runs.rowStarts_[y + 1];
    if (end <= begin || end > count || runs.runStarts_[begin] != 0) return RunImage();
    for (uint32_t k = begin + 1; k < end; ++k)
      if (runs.runStarts_[k] <= runs.runStarts_[k - 1] || runs.runStarts_[k] >= width) return RunImage();
  }
  runs.width_ = static_cast<int>(width);
  runs.height_ = static_cast<int>(height);
  runs.ratio_ = ratio;
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
