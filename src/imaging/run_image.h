#pragma once
// A large picture of few colours held as runs of one colour along each row:
// the main background at twice the size (1280 x 960, 4.9 MB of pixels) holds
// about 55 000 runs, a third of a megabyte, and the art generator writes it so
// (tools/artgen/README.md). Only the part a paint draws is expanded into
// pixels.
#include <QImage>
#include <QRect>

#include <cstdint>
#include <vector>

namespace velmora {

class RunImage {
 public:
  RunImage() = default;
  // The runs as the art generator writes them, for a picture of the given
  // device pixel ratio; an empty RunImage for bytes that do not hold a whole,
  // consistent picture.
  static RunImage FromBytes(const char* data, size_t size, qreal ratio);

  bool IsNull() const { return width_ == 0; }
  QSize Size() const { return QSize(width_, height_); }

  // The pixels of `area` (clipped to the picture) as a Format_ARGB32 image of
  // the picture's device pixel ratio; a null image when nothing is left.
  QImage Expand(const QRect& area) const;
  // Recolours every run as ShiftRowHue recolours a row of its pixels.
  void ShiftHue(float delta);

 private:
  int width_ = 0;
  int height_ = 0;
  qreal ratio_ = 1.0;
  std::vector<uint32_t> rowStarts_;  // height + 1 offsets into the runs
  std::vector<uint16_t> runStarts_;  // the first column of each run
  std::vector<uint32_t> colours_;    // each run's pixel, as Format_ARGB32 holds it
};

}  // namespace velmora
