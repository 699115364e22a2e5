#include "print_choice.h"

#include <QVBoxLayout>

#include "app_texts.h"

namespace velmora {

PrintChoicePage::PrintChoicePage(PrintChoice choice, QWidget* parent)
    : QWidget(parent),
      screen_(new QRadioButton(QString::fromLatin1(texts::kPrintScreenChoice), this)),
      cleanGrid_(new QRadioButton(QString::fromLatin1(texts::kPrintCleanGridChoice), this)),
      cluesOnly_(new QRadioButton(QString::fromLatin1(texts::kPrintCluesOnlyChoice), this)) {
  // The print dialog names its tab after the page's title.
  setWindowTitle(QString::fromLatin1(texts::kPrintChoiceTab));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(screen_);
  layout->addWidget(cleanGrid_);
  layout->addWidget(cluesOnly_);
  layout->addStretch(1);
  switch (choice) {
    case PrintChoice::kScreen: screen_->setChecked(true); break;
    case PrintChoice::kCleanGrid: cleanGrid_->setChecked(true); break;
    case PrintChoice::kCluesOnly: cluesOnly_->setChecked(true); break;
  }
}

PrintChoice PrintChoicePage::Choice() const {
  if (cleanGrid_->isChecked()) return PrintChoice::kCleanGrid;
  if (cluesOnly_->isChecked()) return PrintChoice::kCluesOnly;
  return PrintChoice::kScreen;
}

}  // namespace velmora
