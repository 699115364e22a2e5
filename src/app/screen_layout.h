#pragma once
// The game window's fixed 640 x 480 layout: control ids and where everything sits.
#include <QRect>

#include "game_host.h"

namespace velmora::layout {

inline constexpr int kClientWidth = 640;
inline constexpr int kClientHeight = 480;

// Control ids: the game's own numbering.
inline constexpr int kFirstTileId = control::kFirstTile;  // + 9 * column + row
inline constexpr int kFirstTrayId = control::kFirstTray;  // + type
inline constexpr int kEraserId = control::kEraser;
inline constexpr int kPrintId = control::kPrint;
inline constexpr int kHelpId = control::kHelp;
inline constexpr int kShowGuidesId = control::kShowGuides;
inline constexpr int kHintId = control::kHint;
inline constexpr int kFreePlayId = control::kFreePlay;
inline constexpr int kNewGameId = control::kNewGame;
inline constexpr int kOptionsId = control::kOptions;

constexpr int TileId(int row, int column) { return control::TileId(row, column); }
constexpr bool IsTileId(int id) { return control::IsTile(id); }
constexpr int RowOfTileId(int id) { return control::TileRow(id); }
constexpr int ColumnOfTileId(int id) { return control::TileColumn(id); }

inline QRect TileRect(int row, int column) {
  return {40 + 40 * column + 20 * (column / 3), 40 + 40 * row + 20 * (row / 3), 40, 40};
}
inline QRect TrayRect(int type) { return {480, 40 + 24 * type, 40, 24}; }
inline const QRect kEraserRect{480, 256, 40, 24};
inline const QRect kPrintRect{480, 290, 75, 22};
inline const QRect kHelpRect{555, 290, 75, 22};
inline const QRect kShowGuidesRect{480, 372, 138, 26};
inline const QRect kHintRect{480, 398, 52, 22};
inline const QRect kFreePlayRect{533, 398, 98, 22};
inline const QRect kNewGameRect{480, 420, 150, 22};
inline const QRect kOptionsRect{480, 450, 150, 22};

// Text areas (left, top, right, bottom in the original; here as rectangles).
inline QRect FromEdges(int left, int top, int right, int bottom) { return {left, top, right - left, bottom - top}; }
inline const QRect kBuildingTextArea = FromEdges(140, 200, 364, 250);
inline const QRect kPlayerNameArea = FromEdges(480, 0, 630, 30);
inline QRect TrayCountArea(int row) { return FromEdges(522, 38 + 24 * row, 630, 62 + 24 * row); }
inline const QRect kStatsPanelArea = FromEdges(480, 322, 630, 362);

// The splash logo's place in the window.
inline const QRect kSplashRect{40, 90, 400, 300};

}  // namespace velmora::layout
