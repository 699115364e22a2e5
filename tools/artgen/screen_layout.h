// Where the game window puts its controls and texts (client pixels). The main
// background is drawn around these places, and the pictures that sit on it are
// drawn over the very colours they cover.
#pragma once

#include <QPoint>
#include <QRect>

namespace velmora::artgen::layout {

constexpr int kTileSize = 40;
constexpr int kBlockGap = 20;

// Top-left corner of the tile in row r, column c.
constexpr int TileX(int c) { return 40 + 40 * c + 20 * (c / 3); }
constexpr int TileY(int r) { return 40 + 40 * r + 20 * (r / 3); }
inline QRect TileRect(int r, int c) { return QRect(TileX(c), TileY(r), kTileSize, kTileSize); }
// The 120 x 120 area of block (br, bc), br and bc 0..2.
inline QRect BlockRect(int br, int bc) { return QRect(TileX(3 * bc), TileY(3 * br), 120, 120); }
inline QRect BoardRect() { return QRect(40, 40, 400, 400); }

// Type tray: rows 0..8 the digits, row 9 the Eraser.
inline QRect TrayButtonRect(int row) { return QRect(480, 40 + 24 * row, 40, 24); }
inline QRect TrayCountRect(int row) { return QRect(522, 38 + 24 * row, 108, 24); }

inline QRect PrintRect() { return QRect(480, 290, 75, 22); }
inline QRect HelpRect() { return QRect(555, 290, 75, 22); }
inline QRect ShowGuidesRect() { return QRect(480, 372, 138, 26); }
inline QRect HintRect() { return QRect(480, 398, 52, 22); }
inline QRect FreePlayRect() { return QRect(533, 398, 98, 22); }
inline QRect NewGameRect() { return QRect(480, 420, 150, 22); }
inline QRect OptionsRect() { return QRect(480, 450, 150, 22); }

inline QRect PlayerNameRect() { return QRect(480, 0, 150, 30); }
inline QRect StatsPanelRect() { return QRect(480, 322, 150, 40); }
inline QRect BuildingTextRect() { return QRect(140, 200, 224, 50); }

// Guide tabs: 30 x 20 left and right of each row, 20 x 30 above and below
// each column.
inline QRect LeftTabRect(int r) { return QRect(10, 50 + 40 * r + 20 * (r / 3), 30, 20); }
inline QRect RightTabRect(int r) { return QRect(440, 50 + 40 * r + 20 * (r / 3), 30, 20); }
inline QRect TopTabRect(int c) { return QRect(50 + 40 * c + 20 * (c / 3), 10, 20, 30); }
inline QRect BottomTabRect(int c) { return QRect(50 + 40 * c + 20 * (c / 3), 440, 20, 30); }

// The splash logo is faded in over this rectangle.
inline QRect SplashRect() { return QRect(40, 90, 400, 300); }

// Intro pages (480 x 360): the orange buttons and, on the colour page, the
// swatch and the spectrum.
inline QRect IntroCancelRect() { return QRect(10, 330, 80, 25); }
inline QRect IntroBackRect() { return QRect(320, 330, 70, 25); }
inline QRect IntroNextRect() { return QRect(400, 330, 70, 25); }
inline QRect IntroSwatchRect() { return QRect(10, 100, 100, 200); }
inline QRect IntroSpectrumRect() { return QRect(120, 100, 350, 200); }

}  // namespace velmora::artgen::layout
