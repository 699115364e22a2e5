#pragma once

#include <QImage>
#include <vector>

namespace velmora::artgen {

struct ArtEntry;

// One picture showing every entry with its bitmap id (pictures wider than 300
// pixels at half size), then the window icon.
QImage ContactSheet(const std::vector<ArtEntry>& entries, const std::vector<QImage>& pictures, const QImage& icon);

}  // namespace velmora::artgen
