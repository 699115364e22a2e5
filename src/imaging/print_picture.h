#pragma once
// The printed puzzle: a picture of the game window's client area under two
// labels, every tile that shows no digit replaced by a plain white tile (so
// notes are not printed either), placed on one page.
#include <QImage>
#include <QRect>
#include <QString>

namespace velmora {

inline constexpr const char* kPrintJobName = "Velmora Sudoku Puzzle";

// Draws the top label (the puzzle) and the bottom label (the About text) onto
// the 640 x 480 client picture, then whitens the tiles that show no digit.
// A tile counts as showing one when its face is pure white at (19, 31) or (25, 25).
QImage PreparePrintPicture(QImage clientPicture, const QString& topLabel, const QString& bottomLabel);

// Where the picture lands on a page whose printable area is width x height device pixels.
QRect PrintDestination(int width, int height);

}  // namespace velmora
