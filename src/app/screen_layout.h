#pragma once
// The game window's fixed 640 x 480 layout: control ids and where everything sits.
#include <QRect>

namespace velmora::layout {

inline constexpr int kClientWidth = 640;
inline constexpr int kClientHeight = 480;

// Control ids.
inline constexpr int kFirstTileId = 1001;  // + 9 * column + row
inline constexpr int kFirstTrayId = 1082;  // + type
inline constexpr int kEraserId = 1181;
inline constexpr int kPrintId = 1129;
inline constexpr int kHelpId = 1202;
inline constexpr int kShowGuidesId = 1133;
inline constexpr int kHintId = 1119;
inline constexpr int kFreePlayId = 1131;
inline constexpr int kNewGameId = 1095;
inline constexpr int kOptionsId = 1176;

constexpr int TileId(int row, int column) { return kFirstTileId + 9 * column + row; }
constexpr bool IsTileId(int id) { return id >= kFirstTileId && id < kFirstTileId + 81; }
constexpr int RowOfTileId(int id) { return (id - kFirstTileId) % 9; }
constexpr int ColumnOfTileId(int id) { return (id - kFirstTileId) / 9; }

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
