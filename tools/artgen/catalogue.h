// The game's bitmap table as the art generator sees it: every bitmap id 131..319
// with its size, how it is stored and how it is drawn, plus the window icon.
#pragma once

#include <QImage>
#include <QString>
#include <functional>
#include <vector>

namespace velmora::artgen {

constexpr int kFirstBitmapId = 131;
constexpr int kLastBitmapId = 319;
constexpr int kIconId = 321;
// The main background: at twice the size also written as runs (bitmaps2x/269.runs).
constexpr int kMainBackgroundId = 269;

enum class Storage {
  Bitmap,       // resource :/bitmaps/<id>.bmp, opaque (every alpha byte 255)
  BitmapAlpha,  // resource :/bitmaps/<id>.bmp, with its alpha channel
  PngFile,      // art/<path>, loaded from the art folder at run time
};

struct ArtEntry {
  int id = 0;
  int width = 0;
  int height = 0;
  Storage storage = Storage::Bitmap;
  QString artPath;  // for PngFile: the path below the art folder, with '/'
  QString label;    // a few words for the contact sheet
  std::function<QImage()> paint;
};

// All 189 entries in id order.
const std::vector<ArtEntry>& Catalogue();

// The window icon, resource :/icons/321.png.
QImage PaintIcon();

// Path of an entry's output below the generator's output folder.
QString OutputPath(const ArtEntry& entry);
QString IconOutputPath();
// Path of an entry's picture at twice the size: bitmaps2x/<id>.png.
QString OutputPath2x(const ArtEntry& entry);

}  // namespace velmora::artgen
