#include "image_files.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>

#include <cstdint>
#include <vector>

namespace velmora::artgen {

namespace {

void Put16(QByteArray& b, quint16 v) {
  b.append(char(v & 0xFF));
  b.append(char(v >> 8));
}

void Put32(QByteArray& b, quint32 v) {
  for (int i = 0; i < 4; ++i) {
    b.append(char((v >> (8 * i)) & 0xFF));
  }
}

void PutFileHeader(QByteArray& b, quint32 fileSize, quint32 pixelOffset) {
  b.append('B');
  b.append('M');
  Put32(b, fileSize);
  Put32(b, 0);
  Put32(b, pixelOffset);
}

constexpr quint32 kPixelsPerMetre = 3780;  // 96 dpi

}  // namespace

QByteArray EncodeBmp32(const QImage& source, bool withAlpha) {
  const QImage image = source.convertToFormat(QImage::Format_ARGB32);
  const int w = image.width();
  const int h = image.height();
  const quint32 pixelBytes = quint32(w) * quint32(h) * 4;
  // The pixels start on a 16-byte boundary after the 14 + 124 header bytes.
  const quint32 offset = 144;
  QByteArray b;
  b.reserve(int(offset + pixelBytes));
  PutFileHeader(b, offset + pixelBytes, offset);
  Put32(b, 124);  // BITMAPV5HEADER
  Put32(b, quint32(w));
  Put32(b, quint32(-h));  // negative: top-down
  Put16(b, 1);
  Put16(b, 32);
  Put32(b, 3);  // BI_BITFIELDS
  Put32(b, pixelBytes);
  Put32(b, kPixelsPerMetre);
  Put32(b, kPixelsPerMetre);
  Put32(b, 0);
  Put32(b, 0);
  Put32(b, 0x00FF0000);  // red mask
  Put32(b, 0x0000FF00);  // green mask
  Put32(b, 0x000000FF);  // blue mask
  Put32(b, 0xFF000000);  // alpha mask
  Put32(b, 0x73524742);  // 'sRGB'
  for (int i = 0; i < 9; ++i) {
    Put32(b, 0);  // endpoints
  }
  Put32(b, 0);  // gamma red, green, blue
  Put32(b, 0);
  Put32(b, 0);
  Put32(b, 4);  // LCS_GM_IMAGES
  Put32(b, 0);  // profile data, size, reserved
  Put32(b, 0);
  Put32(b, 0);
  while (quint32(b.size()) < offset) {
    b.append('\0');
  }
  for (int y = 0; y < h; ++y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < w; ++x) {
      b.append(char(qBlue(row[x])));
      b.append(char(qGreen(row[x])));
      b.append(char(qRed(row[x])));
      b.append(char(withAlpha ? qAlpha(row[x]) : 255));
    }
  }
  return b;
}

QByteArray EncodePng(const QImage& source, bool withAlpha) {
  const QImage image = source.convertToFormat(withAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "png");
  // For PNG, Qt maps quality 0 to zlib's strongest compression.
  writer.setQuality(0);
  writer.write(image);
  return bytes;
}

QByteArray EncodeRuns(const QImage& source) {
  const QImage image = source.convertToFormat(QImage::Format_RGB32);
  std::vector<uint32_t> rowStarts, colours;
  std::vector<uint16_t> starts;
  for (int y = 0; y < image.height(); ++y) {
    rowStarts.push_back(static_cast<uint32_t>(colours.size()));
    const auto* row = reinterpret_cast<const uint32_t*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (x > 0 && row[x] == row[x - 1]) continue;
      starts.push_back(static_cast<uint16_t>(x));
      colours.push_back(row[x] | 0xFF000000u);
    }
  }
  rowStarts.push_back(static_cast<uint32_t>(colours.size()));
  QByteArray bytes("VRUN");
  auto put32 = [&](uint32_t v) {
    for (int k = 0; k < 4; ++k) bytes.append(static_cast<char>((v >> (8 * k)) & 0xFF));
  };
  put32(static_cast<uint32_t>(image.width()));
  put32(static_cast<uint32_t>(image.height()));
  put32(static_cast<uint32_t>(colours.size()));
  for (uint32_t v : rowStarts) put32(v);
  for (uint32_t v : colours) put32(v);
  for (uint16_t v : starts) {
    bytes.append(static_cast<char>(v & 0xFF));
    bytes.append(static_cast<char>(v >> 8));
  }
  return bytes;
}

bool WriteFile(const QString& path, const QByteArray& bytes, QString* error) {
  if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
    *error = QStringLiteral("cannot create the folder of %1").arg(path);
    return false;
  }
  QSaveFile out(path);
  if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
    *error = QStringLiteral("cannot write %1").arg(path);
    return false;
  }
  return true;
}

}  // namespace velmora::artgen
