// Writing the generated pictures: bitmaps in the Windows BMP format the game's
// resources use, and PNG files for the art folder.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace velmora::artgen {

// 32 bits per pixel, blue, green, red, alpha bytes: BITMAPV5HEADER with
// BI_BITFIELDS masks (so that readers keep the alpha), rows top-down from a
// 16-byte boundary, so that the game can use the pixels where they lie. The
// alpha is straight (not premultiplied); without `withAlpha` every pixel's is 255.
QByteArray EncodeBmp32(const QImage& image, bool withAlpha);
// PNG, 8 bits per channel, RGB for opaque pictures and RGBA otherwise.
QByteArray EncodePng(const QImage& image, bool withAlpha);
// An opaque picture as runs of one colour along each row (README.md: the
// large main background): "VRUN", width, height, run count (32-bit little
// endian), then height + 1 row offsets into the runs (32-bit), each run's
// pixel as Format_ARGB32 holds it, alpha 255 (32-bit), and each run's first
// column (16-bit).
QByteArray EncodeRuns(const QImage& image);

// Writes the bytes to the file, creating its folder.
bool WriteFile(const QString& path, const QByteArray& bytes, QString* error);

}  // namespace velmora::artgen
