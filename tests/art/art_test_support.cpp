#include "art_test_support.h"

#include "art_sizes.h"

#include <QColor>
#include <QFile>
#include <algorithm>

namespace velmora::arttest {

QSize ExpectedSize(int id) { return velmora::testing::ArtEntrySize(id - kFirstId); }

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

QImage LoadRgb32(int id) { return LoadBitmap(id).convertToFormat(QImage::Format_RGB32); }

bool SameRgb(QRgb a, QRgb b) { return (a & 0xFFFFFF) == (b & 0xFFFFFF); }

double Luminance(QRgb c) { return (0.2126 * qRed(c) + 0.7152 * qGreen(c) + 0.0722 * qBlue(c)) / 255.0; }

// QColor's hue is -1 for greys; every use here first asks for some saturation.
double Hue(QRgb c) { return std::max(0.0f, QColor(c).hsvHueF()) * 360; }
double Saturation(QRgb c) { return QColor(c).hsvSaturationF(); }

QRect TileRect(int row, int column) {
  return QRect(40 + 40 * column + 20 * (column / 3), 40 + 40 * row + 20 * (row / 3), 40, 40);
}

QRect BlockRect(int blockRow, int blockColumn) {
  return QRect(TileRect(3 * blockRow, 3 * blockColumn).topLeft(), QSize(120, 120));
}

}  // namespace velmora::arttest
