#include "art_loader.h"

#include <QFile>

#include <cstring>
#include <limits>
#include <utility>

#include "imaging_texts.h"
#include "png_image.h"

namespace velmora {
namespace {

namespace texts = imaging::texts;

static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN,
              "decoded pixels are copied byte for byte into Format_ARGB32 images");

void LogOnly(Reporter& reporter, const char* text) { reporter.Report(text, false, true, false); }

const imaging::PngArtFile* PngArtOf(int index) {
  for (const imaging::PngArtFile& file : imaging::kPngArtFiles) {
    if (file.index == index) return &file;
  }
  return nullptr;
}

const char* PngFileOf(int index) {
  const imaging::PngArtFile* file = PngArtOf(index);
  return file ? file->relativePath : nullptr;
}

}  // namespace

ArtLoader::ArtLoader(Reporter& reporter, QString workingFolder, QString resourceRoot)
    : reporter_(reporter), workingFolder_(std::move(workingFolder)), resourceRoot_(std::move(resourceRoot)) {}

bool ArtLoader::IsPngIndex(int index) { return PngFileOf(index) != nullptr; }

QString ArtLoader::PngPath(int index) const {
  const char* file = PngFileOf(index);
  if (!file) return QString();
  return workingFolder_ + QLatin1Char('/') + QLatin1String(imaging::kArtFolder) + QLatin1Char('/') +
         QLatin1String(file);
}

QString ArtLoader::ResourcePath(int resourceId) const {
  return resourceRoot_ + QLatin1Char('/') + QString::number(resourceId) + QLatin1String(".bmp");
}

bool ArtLoader::LoadGameArt(GameBitmapTable& table) {
  table.SetArtLoaded(false);
  for (int index = 0; index < GameBitmapTable::Size(); ++index) {
    if (IsPngIndex(index)) {
      if (!LoadPngBitmap(table, index)) {
        LogOnly(reporter_, texts::kImageDataLoadFailed);
        return false;
      }
    } else if (!LoadResourceBitmap(GameBitmapTable::IdOf(index), table, index)) {
      return false;
    }
  }
  table.SetArtLoaded(true);
  return true;
}

bool ArtLoader::LoadSharpArt(GameBitmapTable& table) const {
  if (!table.ArtLoaded()) return false;
  for (int index = 0; index < GameBitmapTable::Size(); ++index) {
    if ((index >= imaging::kFirstIntroPageIndex && index <= imaging::kLastIntroPageIndex) ||
        index == imaging::kGenericDialogIndex)
      continue;
    QImage image = SharpPicture(index);
    if (image.isNull() || image.size() != table.Entry(index).size() * 2) {
      for (int i = 0; i < GameBitmapTable::Size(); ++i) table.SharpEntry(i) = GameBitmap();
      return false;
    }
    table.SharpEntry(index) = std::move(image);
  }
  return true;
}

QImage ArtLoader::SharpPicture(int index) {
  if (!GameBitmapTable::IsValidIndex(index)) return QImage();
  QImage image(QLatin1String(imaging::kResourceSharpBitmapRoot) + QLatin1Char('/') +
               QString::number(GameBitmapTable::IdOf(index)) + QLatin1String(".png"));
  if (!image.isNull()) image = image.convertToFormat(QImage::Format_ARGB32);
  if (!image.isNull()) image.setDevicePixelRatio(2);
  return image;
}

bool ArtLoader::LoadResourceBitmap(int resourceId, GameBitmapTable& table, int index) {
  if (!GameBitmapTable::IsValidIndex(index)) {
    LogOnly(reporter_, texts::kInvalidGameBitmap);
    return false;
  }
  GameBitmap& entry = table.Entry(index);
  entry = GameBitmap();
  QImage image(ResourcePath(resourceId));
  if (image.isNull()) {
    LogOnly(reporter_, texts::kResourceLoadFailed);
    return false;
  }
  // 24-bit bitmaps arrive as Format_RGB32 (alpha 255); the logo keeps its alpha.
  image = image.convertToFormat(QImage::Format_ARGB32);
  if (image.isNull()) {
    LogOnly(reporter_, texts::kResourceLoadFailed);
    return false;
  }
  entry = std::move(image);
  return true;
}

bool ArtLoader::LoadPngBitmap(GameBitmapTable& table, int index) {
  const QString path = PngPath(index);
  if (path.isEmpty()) {
    LogOnly(reporter_, texts::kInvalidPngIndex);
    return false;
  }
  GameBitmap& entry = table.Entry(index);
  entry = GameBitmap();

  // Every picture has a known size; a file that claims another is refused
  // before anything is allocated for its pixels.
  const imaging::PngArtFile* art = PngArtOf(index);
  PngImage png;
  if (!DecodePng(QFile::encodeName(path).toStdString(), png, art->width, art->height)) {
    LogOnly(reporter_, texts::kPngLoadFailed);
    return false;
  }
  constexpr uint32_t kMaxSide = static_cast<uint32_t>(std::numeric_limits<int>::max() / 4);
  if (png.width == 0 || png.height == 0 || png.width > kMaxSide || png.height > kMaxSide) return false;

  QImage image(static_cast<int>(png.width), static_cast<int>(png.height), QImage::Format_ARGB32);
  if (image.isNull()) return false;
  const size_t rowBytes = static_cast<size_t>(png.width) * 4;
  for (uint32_t y = 0; y < png.height; ++y) {
    std::memcpy(image.scanLine(static_cast<int>(y)), png.pixels.data() + rowBytes * y, rowBytes);
  }
  entry = std::move(image);
  return true;
}

}  // namespace velmora
