// Writing the generated pictures: bitmaps in the Windows BMP format the game's
// resources use, and PNG files for the art folder.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace velmora::artgen {

// 24 bits per pixel, BITMAPINFOHEADER, rows bottom-up and padded to 4 bytes.
QByteArray EncodeBmp24(const QImage& image);
// 32 bits per pixel with a straight (not premultiplied) alpha channel:
// BITMAPV5HEADER with BI_BITFIELDS masks, so that readers keep the alpha.
QByteArray EncodeBmp32Alpha(const QImage& image);
// PNG, 8 bits per channel, RGB for opaque pictures and RGBA otherwise.
QByteArray EncodePng(const QImage& image, bool withAlpha);

// Writes the bytes to the file, creating its folder.
bool WriteFile(const QString& path, const QByteArray& bytes, QString* error);

}  // namespace velmora::artgen
