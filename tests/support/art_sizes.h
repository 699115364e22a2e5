#pragma once
// The size of every entry of the art table, by table index (bitmap id − 131);
// the one list the art tests and the imaging tests check against.
#include <QSize>

namespace velmora::testing {

inline QSize ArtEntrySize(int index) {
  struct Range {
    int first, last, width, height;
  };
  static constexpr Range kRanges[] = {
      {0, 79, 40, 40},      {80, 101, 40, 24},    {102, 123, 24, 24},  {124, 125, 75, 22},  {126, 127, 98, 22},
      {128, 129, 52, 22},   {130, 131, 150, 22},  {132, 133, 138, 26}, {134, 135, 20, 30},  {136, 137, 30, 20},
      {138, 138, 640, 480}, {139, 140, 70, 25},   {141, 142, 80, 25},  {143, 144, 70, 25},  {145, 146, 1, 1},
      {147, 156, 480, 360}, {157, 157, 480, 480}, {158, 159, 150, 28}, {160, 161, 150, 70}, {162, 163, 150, 28},
      {164, 169, 100, 28},  {170, 173, 24, 24},   {174, 175, 150, 50}, {176, 177, 100, 28}, {178, 179, 150, 28},
      {180, 180, 400, 300}, {181, 182, 150, 22},  {183, 186, 100, 28}, {187, 188, 75, 22},
  };
  for (const Range& r : kRanges)
    if (index >= r.first && index <= r.last) return QSize(r.width, r.height);
  return QSize();
}

}  // namespace velmora::testing
