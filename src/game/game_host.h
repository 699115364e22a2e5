#pragma once
// Everything the game asks of its window but the dialogs (dialog_service.h). The
// Qt game window implements it; the tests implement it with a scripted host
// whose clock moves by hand. The game names what to redraw (a tile, a tray
// row, the stats panel...); where that is on the screen is the window's business.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine_host.h"
#include "game_session.h"
#include "dialog_service.h"
#include "user_record.h"

namespace velmora {

class PlayerRoster;

// Control ids of the game window.
namespace control {
inline constexpr int kFirstTile = 1001;  // tile (row, column) is 1001 + 9 * column + row
inline constexpr int kLastTile = 1081;
inline constexpr int kFirstTray = 1082;  // tray button of type k is 1082 + k
inline constexpr int kLastTray = 1090;
inline constexpr int kNewGame = 1095;
inline constexpr int kHint = 1119;
inline constexpr int kPrint = 1129;
inline constexpr int kFreePlay = 1131;
inline constexpr int kShowGuides = 1133;
inline constexpr int kOptions = 1176;
inline constexpr int kEraser = 1181;
inline constexpr int kHelp = 1202;

constexpr int TileId(int row, int column) { return kFirstTile + 9 * column + row; }
constexpr bool IsTile(int id) { return id >= kFirstTile && id <= kLastTile; }
constexpr int TileRow(int id) { return (id - kFirstTile) % 9; }
constexpr int TileColumn(int id) { return (id - kFirstTile) / 9; }
}  // namespace control

// A part of the main screen, named by what it shows.
struct ScreenArea {
  enum Kind {
    kTiles,         // the tiles from (row, column) to (row2, column2), both included
    kTrayCount,     // the count text of tray row `row` (0..8 a type, 9 the Eraser's)
    kGuideBands,    // the four bands around the board that hold the guide tabs
    kStatsPanel,    // the cycling statistic
    kBuildingText,  // where "Building Puzzle...." stands
    kWholeWindow,   // the whole client area: background, guides and texts
  };
  Kind kind = kWholeWindow;
  int row = 0, column = 0, row2 = 0, column2 = 0;

  static ScreenArea Tile(int r, int c) { return {kTiles, r, c, r, c}; }
  // The smallest rectangle covering both tiles.
  static ScreenArea TileSpan(int r, int c, int r2, int c2) { return {kTiles, r, c, r2, c2}; }
  static ScreenArea TrayCount(int trayRow) { return {kTrayCount, trayRow, 0, 0, 0}; }
  static ScreenArea GuideBands() { return {kGuideBands}; }
  static ScreenArea StatsPanel() { return {kStatsPanel}; }
  static ScreenArea BuildingText() { return {kBuildingText}; }
  static ScreenArea WholeWindow() { return {kWholeWindow}; }

  bool operator==(const ScreenArea&) const = default;
};

// The whole window as the game sees it: reports and the log (Reporter, which
// the engine and the dialogs use on their own too), the main screen, the timers
// and the few services left. One interface: the game calls every part of it,
// so a front end or a test host implements all of it whichever way it is cut.
class GameHost : public Reporter {
 public:
  // ---- The main screen: what to draw again, the controls' state, the colour,
  // the title and the tips window beside it.
  // Drawing: Invalidate repaints later, Redraw at once.
  virtual void Invalidate(const ScreenArea& area) = 0;
  virtual void Redraw(const ScreenArea& area) = 0;
  virtual void RedrawControl(int controlId) = 0;
  // The whole window and every control.
  virtual void RedrawEverything() = 0;

  // The 81 tile controls.
  virtual void ShowTileControls(bool show) = 0;
  // The tiles, the type tray and the Eraser.
  virtual void EnableBoardControls(bool enable) = 0;
  // Print, Help, Free Play, Hint, Options and Show Guides; New Game stays enabled.
  virtual void EnableCommandButtons(bool enable) = 0;
  virtual void FocusControl(int controlId) = 0;
  // Whether the mouse pointer is inside the control now; logs the test.
  virtual bool IsMouseOverControl(int controlId) = 0;

  // The cover that hides the board and the tray while the game is paused; it
  // takes every click on the window while shown.
  virtual void ShowPauseCover(bool show) = 0;

  // Recolours the art by a hue difference in degrees.
  virtual void ShiftArtHue(float delta) = 0;
  virtual void SetWindowTitle(std::string_view title) = 0;
  // Returns whether the tips window is visible afterwards.
  virtual bool ShowTipsWindow() = 0;
  virtual void HideTipsWindow() = 0;
  virtual void ShowTipText(std::string_view text) = 0;
  // A short notice over the window (why Undo or Redo did nothing) that
  // leaves the keyboard and the mouse with the game and goes by itself.
  virtual void ShowNotice(std::string_view text) = 0;

  // ---- Time: the window's timers by id, the clock and a pause.
  // (Re)starts timer id with a period, returning its handle (0 on failure).
  virtual uint32_t StartTimer(int id, uint32_t periodMs) = 0;
  // Stops it, returning whether it was stopped.
  virtual bool StopTimer(int id) = 0;
  virtual uint32_t Now() const = 0;
  virtual void Sleep(uint32_t milliseconds) = 0;

  // ---- The rest.
  // A plain system message box with an OK button.
  virtual void SystemMessage(std::string_view text) = 0;
  virtual void OpenHelpPage() = 0;
  // Prints the window's picture under a label naming the puzzle.
  virtual void PrintPuzzle(std::string_view label) = 0;
  // Closes the game window, which ends the program.
  virtual void EndGameWindow() = 0;
};

}  // namespace velmora
