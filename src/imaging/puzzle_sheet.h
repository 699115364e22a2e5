#pragma once
// A puzzle on paper: a 9 x 9 grid of vector lines with its digits and a label
// under it, black on white. Drawn by the puzzle tool's booklets and by the
// game's clean printout alike, so that the two look the same.
#include <QFont>
#include <QPainter>
#include <QRectF>
#include <QString>
#include <array>

namespace velmora {

struct SheetPuzzle {
  std::array<char, 81> digits{};  // row by row: '1'..'9', or 0 for an empty tile
  std::array<bool, 81> given{};   // given digits are black, the others grey
  QString label;                  // under the grid, centred
};

// Draws one grid with its label, as large as fits and centred in `cell`. The
// painter's units are points (1/72 inch) whatever the device's resolution; with
// boldGiven the given digits are bold (a solution page, where every tile is
// filled, and the game's clean grid, where the player's own digits stand beside them).
void DrawSheetPuzzle(QPainter& painter, const QRectF& cell, const SheetPuzzle& puzzle, bool boldGiven);

// The font size in the device's points that measures `units` painter units,
// where the painter's units are points scaled to the device (exactly `units` on
// a 72 dpi device).
qreal SheetPointSize(const QPainter& painter, qreal units);
// The sheet's face (DejaVu Sans) at that size, bold on request, kept apart from
// the screen's fonts.
QFont SheetFont(const QPainter& painter, qreal units, bool bold = false);

}  // namespace velmora
