// The game's bitmap table as the game loads it, for the art tests.
#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

namespace velmora::arttest {

constexpr int kFirstId = 131;
constexpr int kLastId = 319;

// The size the game expects for a bitmap id.
QSize ExpectedSize(int id);

// The PNG file (path below the art folder, '/' separated) the game reads for
// an id, or nothing for ids that come from the program's resources.
std::optional<QString> PngFileOf(int id);

// The picture of an id, loaded the way the game's loader does: from
// :/bitmaps/<id>.bmp or from the art folder in build/runtime.
QImage LoadBitmap(int id);
QImage LoadRgb32(int id);  // the same with its alpha dropped, for comparing colours
QString RuntimeArtDir();

// Pixel helpers.
bool SameRgb(QRgb a, QRgb b);
double Luminance(QRgb c);  // 0..1
// Hue in degrees (0..360) and saturation (0..1) in the hexcone model.
double Hue(QRgb c);
double Saturation(QRgb c);

// Tile geometry of the game window.
QRect TileRect(int row, int column);
QRect BlockRect(int blockRow, int blockColumn);

}  // namespace velmora::arttest
