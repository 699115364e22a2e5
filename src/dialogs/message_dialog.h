#pragma once
// The message dialog: every notice and yes/no question of the game. Texts with
// "$n" are mark-up, one line record per "$n" ("$L" left, "$R" right, "$c"
// centre, "$l"/"$r" inset, "$t" same row as the line before, "$$" nothing);
// other texts are wrapped after spaces to fit 372 pixels. The dialog is 400
// pixels wide and 150, 300 or 450 high by its number of rows.
#include <QImage>
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "message_reporter.h"
#include "skinned_dialog.h"

namespace velmora {

class MessageDialog : public SkinnedDialog {
  Q_OBJECT
 public:
  static constexpr int kOk = 1178;
  static constexpr int kCancel = 1179;
  static constexpr int kNotice = 0;
  static constexpr int kQuestion = 1;
  // Results: Yes 6, No 7 (and a closed question); OK 2, a closed notice 1.
  static constexpr int kYes = 6, kNo = 7, kOkPressed = 2, kClosed = 1;
  static constexpr int kTextWidth = 372;
  static constexpr size_t kMaxText = 1023;

  enum Alignment { kCentre = 0, kLeft = 1, kRight = 2, kLeftInset = 3, kRightInset = 4 };
  struct LineRecord {
    int alignment = kCentre;
    int start = 0, end = 0;
    bool sameRow = false;
    std::string text;
  };

  MessageDialog(std::string_view text, int kind, const std::array<QImage, 3>& backgrounds, const GameBitmapTable* art,
                MessageReporter& reporter, QWidget* parent);

  // Runs the dialog modally and returns its result; an invalid mark-up text
  // is not shown and answers as if cancelled (notice 0, question 7).
  int Run();
  int Result() const { return result_; }
  int Kind() const { return kind_; }
  bool Valid() const { return valid_; }
  bool Parsed() const { return parsed_; }
  bool Blanked() const { return blanked_; }
  int Height() const { return height_; }
  const std::vector<LineRecord>& Lines() const { return lines_; }
  int FaceOf(int id, bool pressed) const override;

  // The text rectangle's row of a line record, counted as the painter does.
  std::vector<int> RowsOfLines() const;
  QRect TextRect() const;

  // Wraps a plain text for the 372-pixel rule in the dialog font.
  static std::string WrapPlainText(const std::string& text);

  void reject() override;
  // An alert, named by its words: each row a line, its pieces on one row joined.
  QString SpokenText() const override;
  bool SpokenAsAlert() const override { return true; }

 protected:
  std::vector<ControlPlace> ControlTable() const override;
  void FirstShow() override;
  void PaintPictures(QPainter& painter) override;

 private:
  bool Parse();
  void ChooseSize();

  std::string text_;
  int kind_;
  std::array<QImage, 3> backgrounds_;
  std::vector<LineRecord> lines_;
  std::string wrapped_;
  int result_ = 0;
  int height_ = 150;
  int inset_ = 0;
  bool parsed_ = false;
  bool valid_ = true;
  bool blanked_ = false;
};

// The MessageReporter's presenter: shows each message in a MessageDialog over
// the owner, on the reporter's current message backgrounds.
MessageReporter::Presenter MakeMessagePresenter(const GameBitmapTable& art, MessageReporter& reporter);

}  // namespace velmora
