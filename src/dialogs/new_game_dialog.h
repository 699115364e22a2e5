#pragma once
// New Game: the game type, the difficulty, Ignore Mistakes, the game colour and
// an optional Puzzle Code, with a raised panel that describes the chosen type
// and difficulty. The dialog edits the settings it is given in place.
#include <string>

#include "game_color_control.h"
#include "skinned_dialog.h"
#include "user_record.h"

class QLineEdit;

namespace velmora {

class ColorSlider;

class NewGameDialog : public SkinnedDialog {
  Q_OBJECT
 public:
  static constexpr int kBegin = 1, kCancel = 1144, kExplain = 1148, kPuzzleCode = 1190;
  static constexpr int kFirstType = 1120, kFirstDifficulty = 1124, kIgnoreMistakes = 1147;
  static constexpr int kSpectrumX = 140, kSpectrumY = 315, kSpectrumWidth = 308, kSpectrumHeight = 77;
  static constexpr int kSwatchX = 10, kSwatchY = 315, kSwatchWidth = 120, kSwatchHeight = 77;

  NewGameDialog(bool cancelAllowed, PlayerSettings& settings, const GameBitmapTable* art, MessageReporter& reporter,
                QWidget* parent);

  bool ExitProgram() const { return exitProgram_; }
  bool Cancelled() const { return cancelled_; }
  bool ColorPickingEnabled() const { return colorPicking_; }
  const GameColorControl& ColorControl() const { return color_; }
  QLineEdit* PuzzleCodeBox() const { return code_; }

  void SelectType(int type);
  void SelectDifficulty(int difficulty);
  void ToggleIgnoreMistakes();
  // The panel text for the settings' type and difficulty; empty when either is out of range.
  std::string Description() const;
  // A code of "A".."C", "A".."D" and digits forming a number below 50000.
  static bool IsValidCode(const std::string& code);

  int FaceOf(int id, bool pressed) const override;
  void reject() override;

 protected:
  std::vector<ControlPlace> ControlTable() const override;
  std::vector<Label> Labels() const override;
  void PaintPictures(QPainter& painter) override;
  void FirstShow() override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  bool BuildDescriptionArea();
  void CodeChanged();
  void Begin();
  // The colour at a hue, as a click on the spectrum picks it; false when the swatch could not be made.
  bool PickHue(float hue);

  bool cancelAllowed_;
  bool exitProgram_ = false;
  bool cancelled_ = false;
  PlayerSettings& settings_;
  GameColorControl color_;
  bool swatchExists_ = false;
  bool colorPicking_ = true;
  bool descriptionBuilt_ = false;
  QLineEdit* code_ = nullptr;
  ColorSlider* slider_ = nullptr;  // the keyboard's way to the colour
};

}  // namespace velmora
