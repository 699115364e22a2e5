#include "print_choice.h"

#include <QVBoxLayout>

#include "app_texts.h"

namespace velmora {

PrintChoicePage::PrintChoicePage(bool cleanGrid, QWidget* parent)
    : QWidget(parent),
      screen_(new QRadioButton(QString::fromLatin1(texts::kPrintScreenChoice), this)),
      cleanGrid_(new QRadioButton(QString::fromLatin1(texts::kPrintCleanGridChoice), this)) {
  // The print dialog names its tab after the page's title.
  setWindowTitle(QString::fromLatin1(texts::kPrintChoiceTab));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(screen_);
  layout->addWidget(cleanGrid_);
  layout->addStretch(1);
  (cleanGrid ? cleanGrid_ : screen_)->setChecked(true);
}

}  // namespace velmora
