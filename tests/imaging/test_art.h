#pragma once
// A complete art set of the real sizes, made on the spot: every built-in
// bitmap as a BMP file in a resource folder (the logo with alpha) and the
// twelve PNG files in an art folder. Tests and benchmarks load it in place of
// the generated art.
#include <QSize>
#include <QString>

namespace velmora::testing {

// The size of table entry `index` in the game's art set.
QSize ArtSize(int index);

// Writes <resourceFolder>/<id>.bmp for every built-in bitmap and
// <workingFolder>/art/... for the PNG entries. Each picture is a gradient
// with a hue of its own, so that hue shifts have work to do.
bool WriteTestArt(const QString& resourceFolder, const QString& workingFolder);

}  // namespace velmora::testing
