#include "test_art.h"

#include "art_sizes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QColor>
#include <QImage>

#include <array>
#include <cstdint>

#include "game_bitmap_table.h"
#include "imaging_constants.h"
#include "imaging_test_support.h"

namespace velmora::testing {
namespace {

QImage Picture(int index, bool alpha) {
  const QSize size = ArtSize(index);
  QImage image(size, QImage::Format_ARGB32);
  // A colour of its own per entry, shaded across and down.
  const QColor base = QColor::fromHsv((index * 37) % 360, 200, 230);  // green stays below 255 after dithering
  const int red = base.red();
  const int green = base.green();
  const int blue = base.blue();
  for (int y = 0; y < size.height(); ++y) {
    auto* row = reinterpret_cast<uint32_t*>(image.scanLine(y));
    const int down = 128 + (y * 127) / size.height();
    for (int x = 0; x < size.width(); ++x) {
      const int across = 96 + (x * 159) / size.width();
      const int a = alpha ? (x * 255) / size.width() : 255;
      // A one-step dither, so that no two neighbours share a colour: the
      // hardest case for anything that skips repeated colours.
      const int dither = (x ^ y) & 1;
      row[x] = qRgba(red * down / 255, green * across / 255 + dither, blue * down / 255, a);
    }
  }
  return image;
}

}  // namespace

QSize ArtSize(int index) { return ArtEntrySize(index); }

bool WriteTestArt(const QString& resourceFolder, const QString& workingFolder) {
  if (!QDir().mkpath(resourceFolder)) return false;
  for (int index = 0; index < GameBitmapTable::Size(); ++index) {
    bool isPng = false;
    for (const imaging::PngArtFile& file : imaging::kPngArtFiles) {
      if (file.index != index) continue;
      isPng = true;
      const QString path = workingFolder + "/art/" + file.relativePath;
      if (!QDir().mkpath(QFileInfo(path).absolutePath())) return false;
      if (!Picture(index, false).convertToFormat(QImage::Format_RGB32).save(path, "PNG")) return false;
    }
    if (isPng) continue;
    const bool alpha = index == imaging::kSplashLogoIndex;
    const QString path = resourceFolder + "/" + QString::number(GameBitmapTable::IdOf(index)) + ".bmp";
    WriteBmp(path.toStdString(), Picture(index, alpha), alpha);
  }
  return true;
}

}  // namespace velmora::testing
