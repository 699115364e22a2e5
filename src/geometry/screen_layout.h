#pragma once
// The game window's fixed 640 x 480 client area: where every control, text and
// guide tab sits, in client pixels. The window places its controls and draws its
// texts here, and the art generator paints the main background around the same
// places, so the two always agree.
#include <QRect>

#include "board_geometry.h"

namespace velmora::layout {

// A rectangle given by its edges; right and bottom lie just outside it.
constexpr QRect FromEdges(int left, int top, int right, int bottom) { return {left, top, right - left, bottom - top}; }

// The square left of the tray that the board stands in, with the guide tabs'
// bands around the board, 30 pixels wide and 10 in from the square's edges.
inline constexpr QRect kBoardSquare{0, 0, 2 * kBoardOrigin + kBoardSize, 2 * kBoardOrigin + kBoardSize};
inline constexpr QRect kGuideBandsArea = FromEdges(10, 10, 470, 470);
inline constexpr QRect kBoardArea{kBoardOrigin, kBoardOrigin, kBoardSize, kBoardSize};

// The board (board_geometry.h): 9 x 9 tiles with a gap between the 3 x 3 blocks.
constexpr QRect TileRect(int row, int column) { return {TileX(column), TileY(row), kTileSize, kTileSize}; }
// The 120 x 120 area of block (blockRow, blockColumn), both 0..2.
constexpr QRect BlockRect(int blockRow, int blockColumn) {
  return {TileX(3 * blockColumn), TileY(3 * blockRow), kBlockSize, kBlockSize};
}

// The type tray: rows 0..8 the types, row 9 the Eraser; the count text beside each.
constexpr QRect TrayRect(int row) { return {480, 40 + 24 * row, 40, 24}; }
inline constexpr QRect kEraserRect = TrayRect(9);
constexpr QRect TrayCountArea(int row) { return FromEdges(522, 38 + 24 * row, 630, 62 + 24 * row); }

// The command buttons.
inline constexpr QRect kPrintRect{480, 290, 75, 22};
inline constexpr QRect kHelpRect{555, 290, 75, 22};
inline constexpr QRect kShowGuidesRect{480, 372, 138, 26};
inline constexpr QRect kHintRect{480, 398, 52, 22};
inline constexpr QRect kFreePlayRect{533, 398, 98, 22};
inline constexpr QRect kNewGameRect{480, 420, 150, 22};
inline constexpr QRect kOptionsRect{480, 450, 150, 22};

// The texts drawn straight onto the window.
inline constexpr QRect kBuildingTextArea = FromEdges(140, 200, 364, 250);
inline constexpr QRect kPlayerNameArea = FromEdges(480, 0, 630, 30);
inline constexpr QRect kStatsPanelArea = FromEdges(480, 322, 630, 362);

// Guide tabs: 30 x 20 left and right of each row, 20 x 30 above and below each column.
constexpr QRect LeftTabRect(int row) { return {10, TileY(row) + 10, 30, 20}; }
constexpr QRect RightTabRect(int row) { return {440, TileY(row) + 10, 30, 20}; }
constexpr QRect TopTabRect(int column) { return {TileX(column) + 10, 10, 20, 30}; }
constexpr QRect BottomTabRect(int column) { return {TileX(column) + 10, 440, 20, 30}; }

// The splash logo fades in over this rectangle, centred in the board's square.
inline constexpr QRect kSplashRect{40, 90, 400, 300};

// The colour intro page (480 x 360): the swatch and the spectrum.
inline constexpr QRect kIntroSwatchRect{10, 100, 100, 200};
inline constexpr QRect kIntroSpectrumRect{120, 100, 350, 200};

}  // namespace velmora::layout
