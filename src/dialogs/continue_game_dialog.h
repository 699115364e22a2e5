#pragma once
// Continue Game: the greeting with its question, the last game's details, and
// Yes / No. Yes (and Enter) continue; No, Escape and closing begin a new game.
#include <string_view>

#include "dialog_service.h"
#include "skinned_dialog.h"

namespace velmora {

class ContinueGameDialog : public SkinnedDialog {
  Q_OBJECT
 public:
  static constexpr int kNo = 1171;
  static constexpr int kYes = 1172;

  ContinueGameDialog(std::string_view question, std::string_view details, const GameBitmapTable* art,
                     MessageReporter& reporter, QWidget* parent);
  ContinueAnswer Answer() const { return answer_; }
  int FaceOf(int id, bool pressed) const override;
  // A question, told as an alert: its greeting and the last game's details.
  bool SpokenAsAlert() const override { return true; }

 protected:
  std::vector<ControlPlace> ControlTable() const override;
  std::vector<Label> Labels() const override;

 private:
  QString question_, details_;
  ContinueAnswer answer_ = ContinueAnswer::kNewGame;
};

}  // namespace velmora
