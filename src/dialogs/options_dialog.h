#pragma once
// Options: the command of each mouse button, the stats panel items, the tips
// window, the game colour; explanations of the mouse and keyboard commands and
// a way into the tutorial. The dialog edits the settings it is given in place.
#include "game_color_control.h"
#include "skinned_dialog.h"
#include "user_record.h"

class QComboBox;

namespace velmora {

class ColorSlider;

class OptionsDialog : public SkinnedDialog {
  Q_OBJECT
 public:
  static constexpr int kOk = 1, kCancel = 2, kViewTutorial = 1173, kExplainKeys = 1174, kExplainMouse = 1175;
  static constexpr int kLeftButton = 1160, kRightButton = 1161, kUseTips = 1165, kFirstStat = 1183;
  static constexpr int kStatCount = 7;
  static constexpr int kAccepted = 2;
  static constexpr int kSpectrumX = 120, kSpectrumY = 340, kSpectrumWidth = 240, kSpectrumHeight = 75;
  static constexpr int kSwatchX = 10, kSwatchY = 340, kSwatchWidth = 100, kSwatchHeight = 75;

  OptionsDialog(PlayerSettings& settings, const GameBitmapTable* art, MessageReporter& reporter, QWidget* parent);

  int Result() const { return result_; }
  bool ViewTutorial() const { return viewTutorial_; }
  QComboBox* CommandList(int id) const;
  bool ColorPickingEnabled() const { return colorPicking_; }

  static const char* MouseExplanation();
  static std::string KeyboardExplanation();
  // The keys the game gained since that list was drawn up, shown after it.
  static std::string MoreKeysExplanation();

  int FaceOf(int id, bool pressed) const override;
  void reject() override;

 protected:
  std::vector<ControlPlace> ControlTable() const override;
  std::vector<Label> Labels() const override;
  void PaintPictures(QPainter& painter) override;
  void FirstShow() override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void CommandChanged(int id);
  // The colour at a hue, as a click on the spectrum picks it; false when the swatch could not be made.
  bool PickHue(float hue);
  bool* StatFlag(int id) const;

  PlayerSettings& settings_;
  GameColorControl color_;
  bool swatchExists_ = false;
  bool colorPicking_ = true;
  int result_ = 0;
  bool viewTutorial_ = false;
  ColorSlider* slider_ = nullptr;  // the keyboard's way to the colour
};

}  // namespace velmora
