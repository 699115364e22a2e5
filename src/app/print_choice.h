#pragma once
// The print dialog's own page: what Print puts on paper, the picture of the
// game window (as it always did), a clean grid of the digits on white (the
// clues in bold black, the player's own digits in a lighter grey), or the
// clean grid of the clues alone.
#include <QRadioButton>
#include <QWidget>

namespace velmora {

enum class PrintChoice { kScreen, kCleanGrid, kCluesOnly };

class PrintChoicePage : public QWidget {
 public:
  explicit PrintChoicePage(PrintChoice choice, QWidget* parent = nullptr);
  PrintChoice Choice() const;

 private:
  QRadioButton* screen_;
  QRadioButton* cleanGrid_;
  QRadioButton* cluesOnly_;
};

}  // namespace velmora
