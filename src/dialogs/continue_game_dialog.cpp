#include "continue_game_dialog.h"

#include "skinned_dialog_service.h"

namespace velmora {

ContinueGameDialog::ContinueGameDialog(std::string_view question, std::string_view details, const GameBitmapTable* art,
                                       MessageReporter& reporter, QWidget* parent)
    : SkinnedDialog("LG", QStringLiteral("Continue Game"), QSize(400, 240), art, reporter, parent),
      question_(QString::fromLatin1(question.data(), static_cast<int>(question.size()))),
      details_(QString::fromLatin1(details.data(), static_cast<int>(details.size()))) {
  auto* no = AddButton(kNo);
  auto* yes = AddButton(kYes);
  yes->setDefault(true);
  connect(yes, &QPushButton::clicked, this, [this] {
    answer_ = ContinueAnswer::kContinue;
    accept();
  });
  connect(no, &QPushButton::clicked, this, &QDialog::reject);
}

int ContinueGameDialog::FaceOf(int id, bool pressed) const {
  if (id == kNo) return pressed ? 314 : 315;
  if (id == kYes) return pressed ? 316 : 317;
  return 0;
}

std::vector<SkinnedDialog::ControlPlace> ContinueGameDialog::ControlTable() const {
  return {{kNo, 15, 197, 100, 28}, {kYes, 285, 197, 100, 28}};
}

std::vector<SkinnedDialog::Label> ContinueGameDialog::Labels() const {
  return {{Box(15, 15, 385, 55), question_, TextFormat::kMultiLineCentred},
          {Box(31, 70, 371, 254), details_, TextFormat::kMultiLineCentred}};
}

// The game's call: the dialog run for it (SkinnedDialogService).
ContinueAnswer SkinnedDialogService::ContinueGame(std::string_view question, std::string_view details) {
  ContinueGameDialog dialog(question, details, &art_, reporter_, owner_);
  dialog.exec();
  return dialog.Answer();
}

}  // namespace velmora
