#pragma once
// Where the board lies in the game window's 640 x 480 client area, in client
// pixels: 3 x 3 blocks of 3 x 3 tiles of 40 pixels, the blocks 20 pixels
// apart. Plain numbers, for the game's right-click hit test as much as for
// the window and the art (screen_layout.h builds its rectangles on them).

namespace velmora::layout {

inline constexpr int kClientWidth = 640;
inline constexpr int kClientHeight = 480;

inline constexpr int kBoardOrigin = 40;  // the board's left and top edges
inline constexpr int kTileSize = 40;
inline constexpr int kBlockSize = 3 * kTileSize;
inline constexpr int kBlockStride = kBlockSize + 20;              // from one block to the next
inline constexpr int kBoardSize = 2 * kBlockStride + kBlockSize;  // 400
inline constexpr int kBoardLast = kBoardOrigin + kBoardSize - 1;  // the last pixel on the board

constexpr int TileX(int column) {
  return kBoardOrigin + kTileSize * column + (kBlockStride - kBlockSize) * (column / 3);
}
constexpr int TileY(int row) { return TileX(row); }
constexpr bool OnBoard(int x, int y) {
  return x >= kBoardOrigin && x <= kBoardLast && y >= kBoardOrigin && y <= kBoardLast;
}

}  // namespace velmora::layout
