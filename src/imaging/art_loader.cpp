#include "art_loader.h"

#include <QFile>

#include <array>
#include <atomic>
#include <cstring>
#include <limits>
#include <new>
#include <system_error>
#include <thread>
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
  // A working folder whose name could not be read is still the folder we run in:
  // the art is looked for relative to it, never at the root of the file system.
  const QString folder = workingFolder_.isEmpty() ? QStringLiteral(".") : workingFolder_;
  return folder + QLatin1Char('/') + QLatin1String(imaging::kArtFolder) + QLatin1Char('/') +
         QLatin1String(file);
}

QString ArtLoader::ResourcePath(int resourceId) const {
  return resourceRoot_ + QLatin1Char('/') + QString::number(resourceId) + QLatin1String(".bmp");
}

// The twelve PNG files take most of the loading time, nearly all of it in
// zlib and libpng. They decode on a second thread, and on this one too once
// the built-in bitmaps are loaded; nothing is reported and no entry is touched
// until both threads are done. Then the results go into the table in index
// order, and the first failure in that order is reported and ends the load,
// exactly as a load of one entry after another would.
bool ArtLoader::LoadGameArt(GameBitmapTable& table) {
  table.SetArtLoaded(false);
  struct PngJob {
    int index = 0;
    QImage image;
    bool decoded = false;
  };
  std::array<PngJob, imaging::kPngArtFiles.size()> jobs;
  for (size_t k = 0; k < jobs.size(); ++k) jobs[k].index = imaging::kPngArtFiles[k].index;
  std::atomic<size_t> nextJob{0};
  auto decodeJobs = [&] {
    for (size_t k = nextJob++; k < jobs.size(); k = nextJob++) jobs[k].decoded = DecodePngImage(jobs[k].index, jobs[k].image);
  };
  std::thread second;
  try {
    second = std::thread(decodeJobs);
  } catch (const std::system_error&) {
    // No second thread: this one decodes them all below.
  }

  std::array<QImage, imaging::kGameBitmapCount> resources;
  int firstResourceFailure = GameBitmapTable::Size();
  for (int index = 0; index < GameBitmapTable::Size(); ++index) {
    if (IsPngIndex(index)) continue;
    resources[static_cast<size_t>(index)] = ReadResourceBitmap(GameBitmapTable::IdOf(index));
    if (resources[static_cast<size_t>(index)].isNull()) {
      firstResourceFailure = index;
      break;
    }
  }
  decodeJobs();
  if (second.joinable()) second.join();

  size_t job = 0;
  for (int index = 0; index < GameBitmapTable::Size(); ++index) {
    GameBitmap& entry = table.Entry(index);
    entry = GameBitmap();
    if (IsPngIndex(index)) {
      PngJob& png = jobs[job++];
      if (!png.decoded) {
        LogOnly(reporter_, texts::kPngLoadFailed);
        LogOnly(reporter_, texts::kImageDataLoadFailed);
        return false;
      }
      entry = std::move(png.image);
    } else {
      if (index == firstResourceFailure) {
        LogOnly(reporter_, texts::kResourceLoadFailed);
        return false;
      }
      entry = std::move(resources[static_cast<size_t>(index)]);
    }
  }
  table.SetArtLoaded(true);
  return true;
}

// A built-in bitmap as Format_ARGB32, or a null image when it cannot be read.
QImage ArtLoader::ReadResourceBitmap(int resourceId) const {
  QImage image(ResourcePath(resourceId));
  if (image.isNull()) return image;
  // 24-bit bitmaps arrive as Format_RGB32 (alpha 255); the logo keeps its alpha.
  return std::move(image).convertToFormat(QImage::Format_ARGB32);
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
  QImage image = ReadResourceBitmap(resourceId);
  if (image.isNull()) {
    LogOnly(reporter_, texts::kResourceLoadFailed);
    return false;
  }
  entry = std::move(image);
  return true;
}

bool ArtLoader::LoadPngBitmap(GameBitmapTable& table, int index) {
  if (PngPath(index).isEmpty()) {
    LogOnly(reporter_, texts::kInvalidPngIndex);
    return false;
  }
  GameBitmap& entry = table.Entry(index);
  entry = GameBitmap();
  QImage image;
  if (!DecodePngImage(index, image)) {
    LogOnly(reporter_, texts::kPngLoadFailed);
    return false;
  }
  entry = std::move(image);
  return true;
}

// Reports nothing and touches nothing but `image`, so that several can run at once.
bool ArtLoader::DecodePngImage(int index, QImage& image) const {
  const QString path = PngPath(index);
  if (path.isEmpty()) return false;
  // Every picture has a known size; a file that claims another is refused
  // before anything is allocated for its pixels.
  const imaging::PngArtFile* art = PngArtOf(index);
  PngImage png;
  if (!DecodePng(QFile::encodeName(path).toStdString(), png, art->width, art->height)) return false;
  constexpr uint32_t kMaxSide = static_cast<uint32_t>(std::numeric_limits<int>::max() / 4);
  if (png.width == 0 || png.height == 0 || png.width > kMaxSide || png.height > kMaxSide) return false;

  // The image takes over the decoded buffer rather than a copy of it: rows of
  // width x 4 bytes are what Format_ARGB32 wants, and the buffer is freed with
  // the image's last copy.
  auto* pixels = new (std::nothrow) std::vector<uint8_t>(std::move(png.pixels));
  if (!pixels) return false;
  const int width = static_cast<int>(png.width);
  QImage decoded(
      pixels->data(), width, static_cast<int>(png.height), static_cast<qsizetype>(width) * 4, QImage::Format_ARGB32,
      [](void* buffer) { delete static_cast<std::vector<uint8_t>*>(buffer); }, pixels);
  if (decoded.isNull()) {
    delete pixels;
    return false;
  }
  image = std::move(decoded);
  return true;
}

}  // namespace velmora
