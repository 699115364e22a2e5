#include "message_boxes.h"

#include <QMessageBox>
#include <QString>

#include "window_system.h"

namespace velmora {

int QtMessageBoxes::Show(std::string_view text, std::string_view caption, MessageButtons buttons, bool owned) {
  // On Wayland a window of no owner's lands wherever the compositor puts it:
  // there every box is the game window's once that shows.
  const bool ownedThere = OnWayland() && owner_ != nullptr && owner_->isVisible();
  QMessageBox box(owned || ownedThere ? owner_ : nullptr);
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
