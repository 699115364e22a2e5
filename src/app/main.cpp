// Velmora Sudoku: the game window is the program; when it closes, the program ends.
#include <QApplication>
#include <QDir>

#include "clock.h"
#include "game_dialog.h"
#include "key_router.h"
#include "message_boxes.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Velmora Sudoku"));

  velmora::SystemClock clock;
  velmora::QtMessageBoxes boxes;
  velmora::KeyRouter keys;
  velmora::GameDialog window(clock, boxes, keys, QDir::currentPath().toStdString());
  boxes.SetOwner(&window);
  window.Initialise();
  window.show();
  window.exec();
  return 0;
}
