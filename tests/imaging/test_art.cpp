#include "test_art.h"

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

struct SizeRange {
  int first;
  int last;
  int width;
  int height;
};

constexpr std::array<SizeRange, 33> kSizes = {{
    {0, 79, 40, 40},     {80, 101, 40, 24},   {102, 123, 24, 24},  {124, 125, 75, 22},
    {126, 127, 98, 22},  {128, 129, 52, 22},  {130, 131, 150, 22}, {132, 133, 138, 26},
    {134, 135, 20, 30},  {136, 137, 30, 20},  {138, 138, 640, 480}, {139, 140, 70, 25},
    {141, 142, 80, 25},  {143, 144, 70, 25},  {145, 146, 1, 1},    {147, 156, 480, 360},
    {157, 157, 480, 480}, {158, 159, 150, 28}, {160, 161, 150, 70}, {162, 163, 150, 28},
    {164, 165, 100, 28}, {166, 167, 100, 28}, {168, 169, 100, 28}, {170, 171, 24, 24},
    {172, 173, 24, 24},  {174, 175, 150, 50}, {176, 177, 100, 28}, {178, 179, 150, 28},
    {180, 180, 400, 300}, {181, 182, 150, 22}, {183, 184, 100, 28}, {185, 186, 100, 28},
    {187, 188, 75, 22},
}};

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

QSize ArtSize(int index) {
  for (const SizeRange& range : kSizes) {
    if (index >= range.first && index <= range.last) return QSize(range.width, range.height);
  }
  return QSize();
}

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
    const QImage picture = Picture(index, alpha);
    const bool written = alpha ? WriteBmp32Alpha(path.toStdString(), picture) : WriteBmp24(path.toStdString(), picture);
    if (!written) return false;
  }
  return true;
}

}  // namespace velmora::testing
