#include "game_bitmap_table.h"

#include <QResource>
#include <QString>

#include <atomic>
#include <limits>
#include <new>
#include <utility>

#include "art_loader.h"
#include "pixel_math.h"
#include "png_image.h"
#include "second_thread.h"

namespace velmora {

static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "decoded pixels are used byte for byte as Format_ARGB32 images");

namespace {

const imaging::PngArtFile* PngArtOf(int index) {
  for (const imaging::PngArtFile& file : imaging::kPngArtFiles) {
    if (file.index == index) return &file;
  }
  return nullptr;
}

}  // namespace

GameBitmap GameBitmapTable::Picture(int index) const {
  const GameBitmap& entry = Entry(index);
  const KeptPng& kept = kept_[static_cast<size_t>(index)];
  if (!entry.isNull()) return entry;
  PngImage png;
  if (!kept.path.empty()) {
    std::vector<uint8_t> bytes;
    ownFiles_[static_cast<size_t>(index)] = false;
    if (!ReadPngFile(kept.path, bytes, MaxPngFileSize(kept.width, kept.height)) ||
        !DecodePngDataWithin(bytes.data(), bytes.size(), png, kept.width, kept.height))
      return GameBitmap();
    ownFiles_[static_cast<size_t>(index)] = ArtLoader::IsBuildsOwnFile(index, bytes);
  } else if (kept.bytes.empty() || !DecodePngData(kept.bytes.data(), kept.bytes.size(), png, kept.width, kept.height)) {
    return GameBitmap();
  }
  GameBitmap image = ImageFromPng(png);
  if (!ReplayShifts(index, image)) return GameBitmap();
  return image;
}

void GameBitmapTable::LetGoOfPixels(int index) {
  if (!kept_[static_cast<size_t>(index)].bytes.empty()) Entry(index) = GameBitmap();
}

bool GameBitmapTable::ReplayShifts(int index, GameBitmap& image) const {
  if (image.isNull() || !imaging::IsShiftedIndex(index) || shifts_.empty()) return true;
  if (!image.bits()) return false;  // the copy-on-write detach could not allocate
  // One shift after another, as the entries were shifted (ImageOperations::ShiftHue).
  for (const float delta : shifts_) {
    const float wrapped = WrapDegrees(delta);
    for (int y = 0; y < image.height(); ++y)
      ShiftRowHue(reinterpret_cast<uint32_t*>(image.scanLine(y)), image.width(), wrapped);
  }
  return true;
}

void GameBitmapTable::KeepPngData(int index, std::vector<uint8_t> bytes, uint32_t width, uint32_t height) {
  KeptPng& kept = kept_[static_cast<size_t>(index)];
  kept = KeptPng();
  kept.bytes = std::move(bytes);
  kept.width = width;
  kept.height = height;
}

void GameBitmapTable::ReadWhenDrawn(int index, std::string path, uint32_t maxWidth, uint32_t maxHeight) {
  KeptPng& kept = kept_[static_cast<size_t>(index)];
  kept = KeptPng();
  kept.path = std::move(path);
  kept.width = maxWidth;
  kept.height = maxHeight;
}

QSize GameBitmapTable::SharpSize(int index) const {
  if (!sharpArt_ || !artLoaded_ || !IsValidIndex(index)) return QSize();
  if (const imaging::PngArtFile* png = PngArtOf(index)) {
    if (!BuildsOwnFile(index)) return QSize();
    return QSize(static_cast<int>(png->width), static_cast<int>(png->height)) * 2;
  }
  return Entry(index).size() * 2;
}

// The large picture as the program holds it, recoloured as the table has been.
// Only a picture of exactly twice the normal one's size is taken.
GameBitmap GameBitmapTable::ReadSharp(int index) const {
  const QSize size = SharpSize(index);
  if (size.isEmpty()) return GameBitmap();
  GameBitmap image = ArtLoader::SharpPicture(index);
  if (image.isNull() || image.size() != size || !ReplayShifts(index, image)) return GameBitmap();
  return image;
}

const RunImage* GameBitmapTable::SharpRuns(int index) const {
  if (!IsValidIndex(index)) return nullptr;
  RunImage& runs = sharpRuns_[static_cast<size_t>(index)];
  if (!runs.IsNull()) return &runs;
  const QSize size = SharpSize(index);
  if (runsLooked_[static_cast<size_t>(index)] || size.isEmpty()) return nullptr;
  runsLooked_[static_cast<size_t>(index)] = true;
  const QResource resource(QLatin1String(imaging::kResourceSharpBitmapRoot) + QLatin1Char('/') +
                           QString::number(IdOf(index)) + QLatin1String(".runs"));
  if (!resource.isValid()) return nullptr;
  const QByteArray bytes = resource.uncompressedData();
  RunImage read = RunImage::FromBytes(bytes.constData(), static_cast<size_t>(bytes.size()), 2);
  if (read.IsNull() || read.Size() != size) return nullptr;
  if (imaging::IsShiftedIndex(index))
    for (const float delta : shifts_) read.ShiftHue(WrapDegrees(delta));
  runs = std::move(read);
  return &runs;
}

void GameBitmapTable::RecordShift(float delta) {
  shifts_.push_back(delta);
  for (int index = 0; index < Size(); ++index)
    if (imaging::IsShiftedIndex(index)) sharpRuns_[static_cast<size_t>(index)].ShiftHue(WrapDegrees(delta));
}

const GameBitmap& GameBitmapTable::SharpEntry(int index) const {
  static const GameBitmap none;
  if (!IsValidIndex(index) || SharpRuns(index)) return none;
  GameBitmap& held = sharpEntries_[static_cast<size_t>(index)];
  if (held.isNull()) held = ReadSharp(index);
  return held;
}

GameBitmap GameBitmapTable::SharpPicture(int index) const {
  if (!IsValidIndex(index)) return GameBitmap();
  if (const RunImage* runs = SharpRuns(index)) return runs->Expand(QRect(QPoint(0, 0), runs->Size()));
  const GameBitmap& held = sharpEntries_[static_cast<size_t>(index)];
  return held.isNull() ? ReadSharp(index) : held;
}

void GameBitmapTable::LoadSharpEntries(const std::vector<int>& indices) {
  if (!sharpArt_) return;
  // Pictures held already, and those held as runs, are left out before the threads start.
  std::vector<char> wanted(indices.size(), 0);
  for (size_t k = 0; k < indices.size(); ++k)
    wanted[k] =
        IsValidIndex(indices[k]) && !SharpRuns(indices[k]) && sharpEntries_[static_cast<size_t>(indices[k])].isNull();
  std::vector<GameBitmap> read(indices.size());
  std::atomic<size_t> next{0};
  auto work = [&] {
    for (size_t k = next++; k < indices.size(); k = next++)
      if (wanted[k]) read[k] = ReadSharp(indices[k]);
  };
  SecondThread second(work);  // without it, this thread reads them all
  work();
  second.Join();
  for (size_t k = 0; k < indices.size(); ++k)
    if (!read[k].isNull()) sharpEntries_[static_cast<size_t>(indices[k])] = std::move(read[k]);
}

QImage ImageFromPng(PngImage& png) {
  constexpr uint32_t kMaxSide = static_cast<uint32_t>(std::numeric_limits<int>::max() / 4);
  if (!png.loaded || png.width == 0 || png.height == 0 || png.width > kMaxSide || png.height > kMaxSide)
    return QImage();
  // Rows of width x 4 bytes are what Format_ARGB32 wants; the buffer is freed
  // with the image's last copy.
  auto* pixels = new (std::nothrow) std::vector<uint8_t>(std::move(png.pixels));
  if (!pixels) return QImage();
  const int width = static_cast<int>(png.width);
  QImage image(
      pixels->data(), width, static_cast<int>(png.height), static_cast<qsizetype>(width) * 4, QImage::Format_ARGB32,
      [](void* buffer) { delete static_cast<std::vector<uint8_t>*>(buffer); }, pixels);
  if (image.isNull()) delete pixels;
  return image;
}

}  // namespace velmora
