#pragma once
// The intro pages: ten pictures that welcome a new player, let them pick the
// game colour and teach the rules. Each page is one run of an IntroDialog with
// Cancel, Back and Next; RunIntroSequence walks the pages.
#include <QPoint>

#include "game_color_control.h"
#include "skinned_dialog.h"

namespace velmora {

class ColorSlider;

class IntroDialog : public SkinnedDialog {
  Q_OBJECT
 public:
  static constexpr int kBack = 1166, kCancel = 1167, kNext = 1168;
  static constexpr int kPageCount = 10, kColorPage = 1, kFirstTutorialPage = 3;
  static constexpr int kFirstPageIndex = 147;  // table index of the Welcome picture
  // Results: Back 0, Cancel (and Escape) 1, closed 2, Next (and Enter) 3; 4 until answered.
  static constexpr int kBackResult = 0, kCancelResult = 1, kClosedResult = 2, kNextResult = 3, kPreset = 4;
  static constexpr int kSpectrumX = 120, kSpectrumY = 100, kSpectrumWidth = 350, kSpectrumHeight = 200;
  static constexpr int kSwatchX = 10, kSwatchY = 100, kSwatchWidth = 100, kSwatchHeight = 200;
  static constexpr float kStartHue = 220.0f;

  // position: the window's top-left, kept by the caller between pages. hue:
  // the game colour, edited on the colour page (set to 220 at once there).
  IntroDialog(int page, QPoint& position, float& hue, const GameBitmapTable* art, MessageReporter& reporter,
              QWidget* parent);

  static const char* PageTitle(int page);
  int Result() const { return result_; }
  bool ColorPage() const { return colorPage_; }

  int FaceOf(int id, bool pressed) const override;
  void accept() override;
  void reject() override;

 protected:
  std::vector<ControlPlace> ControlTable() const override;
  const char* UnknownFaceText() const override { return "INVALID CONTROL ID FOUND WHILE DRAWING INTRO DIALOGUE!"; }
  std::optional<QPoint> FramePosition(QSize outer) const override;
  void FirstShow() override;
  void PaintPictures(QPainter& painter) override;
  void mousePressEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void End(int result);
  // The colour at a hue, as a click on the spectrum picks it; false when the swatch could not be made.
  bool PickHue(float hue);

  QPoint& position_;
  float& hue_;
  GameColorControl color_;
  bool swatchExists_ = false;
  bool colorPage_ = false;
  int result_ = kPreset;
  ColorSlider* slider_ = nullptr;  // the keyboard's way to the colour (the colour page)
};

// Shows the pages from Welcome (or, tutorialOnly, from Basics) to Wrap Up over
// owner; Back on the first page of the run shows it again; Cancel, Escape and
// closing end the run. Returns how many pages were shown.
int RunIntroSequence(bool tutorialOnly, float& hue, const GameBitmapTable& art, MessageReporter& reporter,
                     QWidget* owner);

}  // namespace velmora
