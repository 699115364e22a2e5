#include "art_loader.h"

#include <QCryptographicHash>
#include <QFile>
#include <QImageReader>
#include <QResource>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <limits>
#include <new>
#include <utility>
#include <vector>

#include "imaging_texts.h"
#include "png_image.h"
#include "second_thread.h"

namespace velmora {
namespace {

namespace texts = imaging::texts;

void LogOnly(Reporter& reporter, const char* text) { reporter.LogOnly(text); }

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

bool IsIntroPage(int index) { return index >= imaging::kFirstIntroPageIndex && index <= imaging::kLastIntroPageIndex; }

// The digests of the PNG files this build of the game was made with, one line
// each: relative path, size in bytes, BLAKE2b-256 in hex. Compiled in beside
// the built-in bitmaps; a program without them has none.
struct KnownPng {
  QByteArray path;
  qint64 size = 0;
  QByteArray digest;
};

std::vector<KnownPng> ReadKnownPngs() {
  std::vector<KnownPng> known;
  QFile file(QLatin1String(imaging::kResourcePngDigests));
  if (!file.open(QIODevice::ReadOnly)) return known;
  for (const QByteArray& line : file.readAll().split('\n')) {
    const QList<QByteArray> fields = line.simplified().split(' ');
    if (fields.size() != 3) continue;
    bool sized = false;
    const qint64 size = fields[1].toLongLong(&sized);
    if (sized) known.push_back({fields[0], size, fields[2].toLower()});
  }
  return known;
}

bool IsKnownPng(const std::vector<KnownPng>& known, const char* relativePath, const std::vector<uint8_t>& bytes) {
  for (const KnownPng& entry : known) {
    if (entry.path != relativePath) continue;
    if (entry.size != static_cast<qint64>(bytes.size())) return false;
    const QByteArrayView view(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
    return QCryptographicHash::hash(view, QCryptographicHash::Blake2b_256).toHex() == entry.digest;
  }
  return false;
}

}  // namespace

ArtLoader::ArtLoader(Reporter& reporter, QString workingFolder, QString resourceRoot)
    : reporter_(reporter), workingFolder_(std::move(workingFolder)), resourceRoot_(std::move(resourceRoot)) {}

bool ArtLoader::IsPngIndex(int index) { return PngFileOf(index) != nullptr; }

bool ArtLoader::IsBuildsOwnFile(int index, const std::vector<uint8_t>& bytes) {
  const char* file = PngFileOf(index);
  return file && IsKnownPng(ReadKnownPngs(), file, bytes);
}

uint64_t ArtLoader::MaxArtFolderBytes() {
  uint64_t bytes = 0;
  for (const imaging::PngArtFile& file : imaging::kPngArtFiles) bytes += MaxPngFileSize(file.width, file.height);
  return bytes;
}

QString ArtLoader::PngPath(int index) const {
  const char* file = PngFileOf(index);
  if (!file) return QString();
  // A working folder whose name could not be read is still the folder we run in:
  // the art is looked for relative to it, never at the root of the file system.
  const QString folder = workingFolder_.isEmpty() ? QStringLiteral(".") : workingFolder_;
  return folder + QLatin1Char('/') + QLatin1String(imaging::kArtFolder) + QLatin1Char('/') + QLatin1String(file);
}

QString ArtLoader::ResourcePath(int resourceId) const {
  return resourceRoot_ + QLatin1Char('/') + QString::number(resourceId) + QLatin1String(".bmp");
}

// The PNG files take most of the loading time, nearly all of it in zlib and
// libpng. They are read on a second thread, and on this one too once the
// built-in bitmaps are loaded; nothing is reported and no entry is touched
// until both threads are done. Then the results go into the table in index
// order, and the first failure in that order is reported and ends the load,
// exactly as a load of one entry after another would.
//
// Each file is read whole and compared with the digest of the build's own
// file of that name: the large picture of an entry is the build's file drawn
// larger, and is shown only while the file is that one.
//
// What the files may cost is bounded by what the game's own art needs: each
// fixed-size picture's file by its picture (MaxPngFileSize), an intro page by
// a picture twice the build's page on each side, and the twelve together by
// what the build's own twelve could ever need (MaxArtFolderBytes).
//
// The ten intro pages are shown only to a new player or in the tutorial, so
// the table keeps nothing of them: a page is read from its file when it
// opens, through the same bounds. A page must still decode now, for a damaged
// one to stop the game before its window shows: a file with the very bytes
// this build was made with is known to; any other is decoded once here to
// find out. A page takes its size from its file; the background and the
// generic dialog background must have theirs, and the table keeps their
// files' bytes.
bool ArtLoader::LoadGameArt(GameBitmapTable& table) {
  table.SetArtLoaded(false);
  table.ClearShifts();
  struct PngJob {
    const imaging::PngArtFile* art = nullptr;
    QImage image;                // a fixed-size picture, decoded
    std::vector<uint8_t> bytes;  // the file
    uint32_t width = 0;          // the picture's size
    uint32_t height = 0;
    bool own = false;
    bool loaded = false;
    std::string libpngMessages;
  };
  const std::vector<KnownPng> known = ReadKnownPngs();
  std::array<PngJob, imaging::kPngArtFiles.size()> jobs;
  for (size_t k = 0; k < jobs.size(); ++k) jobs[k].art = &imaging::kPngArtFiles[k];
  const uint64_t folderBudget = MaxArtFolderBytes();
  std::atomic<uint64_t> folderBytes{0};
  auto load = [&](PngJob& job) {
    const bool page = IsIntroPage(job.art->index);
    const uint32_t width = page ? imaging::kMaxIntroPageWidth : job.art->width;
    const uint32_t height = page ? imaging::kMaxIntroPageHeight : job.art->height;
    const uint64_t spent = folderBytes.load();
    const uint64_t left = spent < folderBudget ? folderBudget - spent : 0;
    if (!ReadPngFile(QFile::encodeName(PngPath(job.art->index)).toStdString(), job.bytes,
                     std::min(MaxPngFileSize(width, height), left)))
      return;
    folderBytes += job.bytes.size();
    job.own = IsKnownPng(known, job.art->relativePath, job.bytes);
    if (page && job.own) {
      job.width = job.art->width;
      job.height = job.art->height;
      job.loaded = true;
    } else {
      PngImage png;
      job.loaded = page ? DecodePngDataWithin(job.bytes.data(), job.bytes.size(), png, width, height)
                        : DecodePngData(job.bytes.data(), job.bytes.size(), png, width, height);
      job.width = png.width;
      job.height = png.height;
      job.libpngMessages = std::move(png.libpngMessages);
      if (!page && job.loaded) {
        job.image = ImageFromPng(png);
        job.loaded = !job.image.isNull();
      }
    }
    if (page) job.bytes = std::vector<uint8_t>();
  };
  std::atomic<size_t> nextJob{0};
  auto loadJobs = [&] {
    for (size_t k = nextJob++; k < jobs.size(); k = nextJob++) load(jobs[k]);
  };
  SecondThread second(loadJobs);  // without it, this thread reads them all below

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
  loadJobs();
  second.Join();
  // Two files read at once may pass the budget together.
  if (folderBytes.load() > folderBudget)
    for (PngJob& png : jobs) png.loaded = false;

  size_t job = 0;
  for (int index = 0; index < GameBitmapTable::Size(); ++index) {
    GameBitmap& entry = table.Entry(index);
    entry = GameBitmap();
    table.KeepPngData(index, {}, 0, 0);
    table.ReleaseSharpEntry(index);
    table.SetBuildsOwnFile(index, !IsPngIndex(index));
    if (IsPngIndex(index)) {
      PngJob& png = jobs[job++];
      if (!png.libpngMessages.empty() && reporter_.LogOn()) reporter_.Log(png.libpngMessages + "\n");
      if (!png.loaded) {
        LogOnly(reporter_, texts::kPngLoadFailed);
        LogOnly(reporter_, texts::kImageDataLoadFailed);
        return false;
      }
      table.SetBuildsOwnFile(index, png.own);
      entry = std::move(png.image);
      if (IsIntroPage(index)) {
        table.ReadWhenDrawn(index, QFile::encodeName(PngPath(index)).toStdString(), imaging::kMaxIntroPageWidth,
                            imaging::kMaxIntroPageHeight);
      } else {
        table.KeepPngData(index, std::move(png.bytes), png.width, png.height);
      }
      // The generic dialog background is cut into every dialog's own as it
      // opens: between dialogs its file's few bytes are all that is kept.
      if (index == imaging::kGenericDialogIndex) table.LetGoOfPixels(index);
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

namespace {

uint32_t Le32(const uchar* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t(p[3]) << 24); }
uint16_t Le16(const uchar* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

// The layout the art generator writes, used where the bytes lie (a compiled-in
// resource, which lives as long as the program): 32 bits a pixel with the
// standard blue, green, red, alpha masks, rows top-down from a 4-byte
// boundary. A read-only image over them, which copies them only if it is ever
// written to (the colour shift); a null image for any other bitmap.
QImage InPlaceBitmap(const uchar* data, size_t size) {
  constexpr size_t kHeaders = 14 + 56;  // file header, info header up to the alpha mask
  if (size < kHeaders || data[0] != 'B' || data[1] != 'M' || Le32(data + 14) < 56) return QImage();
  const uint32_t offset = Le32(data + 10);
  const auto width = static_cast<int32_t>(Le32(data + 18));
  const auto height = -static_cast<int32_t>(Le32(data + 22));  // top-down rows have a negative height
  constexpr int32_t kMaxSide = 4096;
  if (Le16(data + 26) != 1 || Le16(data + 28) != 32 || Le32(data + 30) != 3 || Le32(data + 54) != 0x00FF0000u ||
      Le32(data + 58) != 0x0000FF00u || Le32(data + 62) != 0x000000FFu || Le32(data + 66) != 0xFF000000u ||
      width <= 0 || width > kMaxSide || height <= 0 || height > kMaxSide)
    return QImage();
  const size_t stride = static_cast<size_t>(width) * 4;
  if (offset > size || (size - offset) / stride < static_cast<size_t>(height) ||
      reinterpret_cast<uintptr_t>(data + offset) % 4 != 0)
    return QImage();
  return QImage(data + offset, width, height, static_cast<qsizetype>(stride), QImage::Format_ARGB32);
}

}  // namespace

QImage ReadImageAs(const QString& path, const char* format) {
  // Told the format and not to guess, Qt's reader uses its own decoder at
  // once instead of first loading every image plugin to ask each about the file.
  QImageReader reader(path, format);
  reader.setAutoDetectImageFormat(false);
  return reader.read();
}

// A built-in bitmap as Format_ARGB32, or a null image when it cannot be read.
QImage ArtLoader::ReadResourceBitmap(int resourceId) const {
  const QString path = ResourcePath(resourceId);
  // Compiled-in bitmaps are used where they lie; any other goes through Qt's
  // reader (a folder's, in tests).
  const QResource resource(path);
  if (resource.isValid() && resource.compressionAlgorithm() == QResource::NoCompression) {
    const QImage image = InPlaceBitmap(resource.data(), static_cast<size_t>(resource.size()));
    if (!image.isNull()) return image;
  }
  QImage image = ReadImageAs(path, "bmp");
  if (image.isNull()) return image;
  // 24-bit bitmaps arrive as Format_RGB32 (alpha 255); the logo keeps its alpha.
  return std::move(image).convertToFormat(QImage::Format_ARGB32);
}

QImage ArtLoader::SharpPicture(int index) {
  if (!GameBitmapTable::IsValidIndex(index)) return QImage();
  QImage image = ReadImageAs(QLatin1String(imaging::kResourceSharpBitmapRoot) + QLatin1Char('/') +
                                 QString::number(GameBitmapTable::IdOf(index)) + QLatin1String(".png"),
                             "png");
  // Converted in place where it can be (an opaque picture arrives as Format_RGB32).
  if (!image.isNull()) image = std::move(image).convertToFormat(QImage::Format_ARGB32);
  if (!image.isNull()) image.setDevicePixelRatio(2);
  return image;
}

}  // namespace velmora
