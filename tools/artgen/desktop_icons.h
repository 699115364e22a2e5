// The desktop's application icon, drawn afresh at each of the hicolor theme's
// sizes so that small sizes stay sharp instead of being shrunk from one bitmap.
#pragma once

#include <QImage>
#include <QString>
#include <array>

namespace velmora::artgen {

// The sizes the menu entry's icon is installed at (share/icons/hicolor/NxN/apps).
constexpr std::array<int, 7> kDesktopIconSizes = {16, 24, 32, 48, 64, 128, 256};

// The icon's name in the icon theme, the same as the menu entry's and the
// metainfo's id.
inline QString DesktopIconName() { return QStringLiteral("io.github.velmora.Sudoku"); }

// The icon at size x size pixels: the gold-rimmed blue card with a 3 x 3 block
// of tiles and the gold centre tile of the window icon. Edges of the rim and
// the tiles lie on whole pixels at every size.
QImage DesktopIcon(int size);

}  // namespace velmora::artgen
