#pragma once
// The printed puzzle: a picture of the game window's client area under two
// labels, every tile that shows no digit replaced by a plain white tile (so
// notes are not printed either), placed on one page. Or, on request, a clean
// grid: the digits shown in a vector grid on white, the puzzle named under it.
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QSize>
#include <QString>

#include "puzzle_sheet.h"

namespace velmora {

inline constexpr const char* kPrintJobName = "Velmora Sudoku Puzzle";

// Draws the top label (the puzzle) and the bottom label (the About text) onto
// the 640 x 480 client picture, then whitens the tiles that show no digit.
// A tile counts as showing one when its face is pure white at (19, 31) or (25, 25).
QImage PreparePrintPicture(QImage clientPicture, const QString& topLabel, const QString& bottomLabel);

// Where the picture lands on a page whose printable area is width x height device pixels.
QRect PrintDestination(int width, int height);

// The clean grid's page: the heading "Velmora Sudoku" and the grid under it
// (its given digits bold and black, the others a lighter grey),
// filling a printable area of `printable` device pixels at `resolution` dots per
// inch, the painter's origin at its top left corner.
void DrawCleanGridPage(QPainter& painter, int resolution, QSize printable, const SheetPuzzle& puzzle);

}  // namespace velmora
