#include "message_boxes.h"

#include <QMessageBox>
#include <QString>

namespace velmora {

int QtMessageBoxes::Show(std::string_view text, std::string_view caption, MessageButtons buttons, bool owned) {
  QMessageBox box(owned ? owner_ : nullptr);
  box.setWindowTitle(QString::fromUtf8(caption.data(), static_cast<int>(caption.size())));
  box.setText(QString::fromUtf8(text.data(), static_cast<int>(text.size())));
  box.setIcon(buttons == MessageButtons::YesNo ? QMessageBox::Question : QMessageBox::NoIcon);
  if (buttons == MessageButtons::YesNo) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes ? kResultYes : kResultNo;
  }
  box.setStandardButtons(QMessageBox::Ok);
  box.exec();
  return kResultOk;
}

}  // namespace velmora
