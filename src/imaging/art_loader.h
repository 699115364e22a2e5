#pragma once
// Fills the game bitmap table at start-up: the built-in bitmaps from the
// program's compiled resources, twelve pictures from PNG files in the art
// folder below the working folder. Every failure is logged only: the message
// dialog cannot be shown before the art exists.
#include <QImage>
#include <QString>

#include <cstdint>
#include <vector>

#include "engine_host.h"
#include "game_bitmap_table.h"

namespace velmora {

class ArtLoader {
 public:
  // resourceRoot holds the built-in bitmaps as <id>.bmp; tests point it at a
  // folder of their own.
  ArtLoader(Reporter& reporter, QString workingFolder,
            QString resourceRoot = QString::fromLatin1(imaging::kResourceBitmapRoot));

  // Loads every entry in index order and stops at the first failure, which it
  // reports. Sets the table's art-loaded flag only when all 189 loaded.
  bool LoadGameArt(GameBitmapTable& table);
  // Entry `index` at twice the size (Format_ARGB32, device pixel ratio 2) as
  // the program holds it, or a null image. The table reads these when the
  // screen needs them (GameBitmapTable::SharpEntry).
  static QImage SharpPicture(int index);

  // The file of a PNG entry, or an empty string for an entry without one.
  QString PngPath(int index) const;
  QString ResourcePath(int resourceId) const;

  static bool IsPngIndex(int index);
  // True when these are the very bytes of the PNG file this build made for
  // entry `index` (its size and digest, compiled in).
  static bool IsBuildsOwnFile(int index, const std::vector<uint8_t>& bytes);
  // The most the twelve PNG files may hold together: what the build's own
  // pictures could ever need (MaxPngFileSize of each at its size).
  static uint64_t MaxArtFolderBytes();

 private:
  QImage ReadResourceBitmap(int resourceId) const;

  Reporter& reporter_;
  QString workingFolder_;
  QString resourceRoot_;
};

// The image in a file or resource of the given format ("png", "bmp"), read
// without loading Qt's image plugins; a null image when it cannot be read.
QImage ReadImageAs(const QString& path, const char* format);

}  // namespace velmora
