#pragma once
// Continue Game: the greeting with its question, the last game's details, and
// Yes / No. Yes (and Enter) answers 2; No, Escape and closing leave 0.
#include <string_view>

#include "skinned_dialog.h"

namespace velmora {

class ContinueGameDialog : public SkinnedDialog {
  Q_OBJECT
 public:
  static constexpr int kNo = 1171;
  static constexpr int kYes = 1172;
  static constexpr int kContinue = 2;

  ContinueGameDialog(std::string_view question, std::string_view details, const GameBitmapTable* art,
                     MessageReporter& reporter, QWidget* parent);
  int Result() const { return result_; }
  int FaceOf(int id, bool pressed) const override;
  // A question, told as an alert: its greeting and the last game's details.
  bool SpokenAsAlert() const override { return true; }

 protected:
  std::vector<ControlPlace> ControlTable() const override;
  std::vector<Label> Labels() const override;

 private:
  QString question_, details_;
  int result_ = 0;
};

}  // namespace velmora
