#include "art_test_support.h"

#include <QFile>
#include <algorithm>

namespace velmora::arttest {

QSize ExpectedSize(int id) {
  const int i = id - kFirstId;
  struct Range {
    int first, last, w, h;
  };
  static const Range kRanges[] = {
      {0, 79, 40, 40},      {80, 101, 40, 24},    {102, 123, 24, 24},   {124, 125, 75, 22},
      {126, 127, 98, 22},   {128, 129, 52, 22},   {130, 131, 150, 22},  {132, 133, 138, 26},
      {134, 135, 20, 30},   {136, 137, 30, 20},   {138, 138, 640, 480}, {139, 140, 70, 25},
      {141, 142, 80, 25},   {143, 144, 70, 25},   {145, 146, 1, 1},     {147, 156, 480, 360},
      {157, 157, 480, 480}, {158, 159, 150, 28},  {160, 161, 150, 70},  {162, 163, 150, 28},
      {164, 169, 100, 28},  {170, 173, 24, 24},   {174, 175, 150, 50},  {176, 177, 100, 28},
      {178, 179, 150, 28},  {180, 180, 400, 300}, {181, 182, 150, 22},  {183, 186, 100, 28},
      {187, 188, 75, 22},
  };
  for (const Range& r : kRanges) {
    if (i >= r.first && i <= r.last) {
      return QSize(r.w, r.h);
    }
  }
  return QSize();
}

std::optional<QString> PngFileOf(int id) {
  switch (id - kFirstId) {
    case 138: return QStringLiteral("background640x480.png");
    case 147: return QStringLiteral("introDialogues/pages/IDPageAWelcome.png");
    case 148: return QStringLiteral("introDialogues/pages/IDPageDColor.png");
    case 149: return QStringLiteral("introDialogues/pages/IDPageFDoTutorial.png");
    case 150: return QStringLiteral("introDialogues/pages/IDPageGATutorialBasics.png");
    case 151: return QStringLiteral("introDialogues/pages/IDPageGBTutorialGameBoard.png");
    case 152: return QStringLiteral("introDialogues/pages/IDPageGCTutorialBlocks.png");
    case 153: return QStringLiteral("introDialogues/pages/IDPageGDTutorialColumns.png");
    case 154: return QStringLiteral("introDialogues/pages/IDPageGETutorialRows.png");
    case 155: return QStringLiteral("introDialogues/pages/IDPageGFTutorialExamples.png");
    case 156: return QStringLiteral("introDialogues/pages/IDPageGGTutorialWrap.png");
    case 157: return QStringLiteral("dialogues/backgroundGeneric480x480.png");
    default: return std::nullopt;
  }
}

QString RuntimeArtDir() { return QStringLiteral(VELMORA_RUNTIME_ART_DIR); }

QImage LoadBitmap(int id) {
  if (const auto file = PngFileOf(id)) {
    return QImage(RuntimeArtDir() + '/' + *file);
  }
  return QImage(QStringLiteral(":/bitmaps/%1.bmp").arg(id));
}

bool SameRgb(QRgb a, QRgb b) { return (a & 0xFFFFFF) == (b & 0xFFFFFF); }

double Luminance(QRgb c) { return (0.2126 * qRed(c) + 0.7152 * qGreen(c) + 0.0722 * qBlue(c)) / 255.0; }

double Hue(QRgb c) {
  const double r = qRed(c) / 255.0, g = qGreen(c) / 255.0, b = qBlue(c) / 255.0;
  const double mx = std::max({r, g, b}), mn = std::min({r, g, b});
  if (mx == mn) {
    return 0;
  }
  double h;
  if (mx == r) {
    h = 60 * (g - b) / (mx - mn);
  } else if (mx == g) {
    h = 120 + 60 * (b - r) / (mx - mn);
  } else {
    h = 240 + 60 * (r - g) / (mx - mn);
  }
  return h < 0 ? h + 360 : h;
}

double Saturation(QRgb c) {
  const int mx = std::max({qRed(c), qGreen(c), qBlue(c)});
  const int mn = std::min({qRed(c), qGreen(c), qBlue(c)});
  return mx == 0 ? 0 : double(mx - mn) / mx;
}

QRect TileRect(int row, int column) {
  return QRect(40 + 40 * column + 20 * (column / 3), 40 + 40 * row + 20 * (row / 3), 40, 40);
}

QRect BlockRect(int blockRow, int blockColumn) {
  return QRect(TileRect(3 * blockRow, 3 * blockColumn).topLeft(), QSize(120, 120));
}

}  // namespace velmora::arttest
