// Every picture of the art set, one function per kind.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace velmora::artgen {

// Tile faces, 40 x 40. Sets 0..7 as the game uses them: even sets blue, odd
// sets grey; sets 2, 3, 6, 7 with the gold Cursor Tile frame; sets 0..3 the
// pressed (sunken) look and sets 4..7 the raised look. Face 0 is blank,
// faces 1..9 carry the digit.
QImage TileFace(int set, int face);

// Type tray buttons, 40 x 24, and the small type buttons of the Tile menu,
// 24 x 24. `key` 0..8 is the digit key + 1, 9 the Eraser's X, 10 blank.
// `lit` is the chosen (Active Number or held down) look.
QImage TrayButton(bool lit, int key);
QImage SmallTypeButton(bool pressed, int key);

// Captioned buttons. Main-screen buttons sit on the right-hand panel, dialog
// buttons on the dialog background, orange buttons on the intro pages' footer.
enum class ButtonPlace { MainScreen, Dialog };
QImage CaptionButton(const QString& caption, QSize size, bool pressed, ButtonPlace place);
// The two large dialog buttons (Play, Begin) with a play mark before the caption.
QImage LargeButton(const QString& caption, QSize size, bool pressed);
enum class ArrowSide { None, Left, Right };
QImage OrangeButton(const QString& caption, QSize size, bool pressed, ArrowSide arrow);
QImage ShowGuidesButton(bool on);
QImage RadioButton(bool on);
QImage CheckBox(bool on);

// Guide tabs: the arrow pointing in (dx, dy) on the board's frame.
QImage GuideTab(int dx, int dy);

// Whole pictures.
QImage MainBackground();
QImage DialogBackground();
QImage SplashLogo();
QImage WindowIcon();
QImage Placeholder();
QImage IntroPage(int page);

// Intro page count and the file names under the art folder.
constexpr int kIntroPages = 10;

}  // namespace velmora::artgen
