#pragma once
// The print dialog's own page: what Print puts on paper, the picture of the
// game window (as it always did) or a clean grid of the digits on white.
#include <QRadioButton>
#include <QWidget>

namespace velmora {

class PrintChoicePage : public QWidget {
 public:
  explicit PrintChoicePage(bool cleanGrid, QWidget* parent = nullptr);
  bool CleanGrid() const { return cleanGrid_->isChecked(); }

 private:
  QRadioButton* screen_;
  QRadioButton* cleanGrid_;
};

}  // namespace velmora
