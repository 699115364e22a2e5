#pragma once
// The keyboard's way to the game colour: a control laid over a dialog's hue
// spectrum that draws nothing of its own (a frame while it has the keyboard,
// once the player moves it with Tab) and lets every click through to the
// dialog. The arrow keys move the hue by 5 degrees, Page Up and Page Down by
// 30, Home and End to the spectrum's ends; each move picks the colour as a
// click on the spectrum would. Assistive technology sees a slider from 0 to 360.
#include <QWidget>
#include <functional>

namespace velmora {

class SkinnedDialog;

class ColorSlider : public QWidget {
  Q_OBJECT
 public:
  static constexpr float kStep = 5.0f, kPageStep = 30.0f, kMaximum = 360.0f;

  // hue: the colour now, in degrees; pick: makes a hue the colour as a click
  // on the spectrum does (and calls Announce), false when it could not.
  ColorSlider(SkinnedDialog& dialog, const QRect& spectrum, std::function<float()> hue,
              std::function<bool(float)> pick);

  float Hue() const { return hue_(); }
  // Picks the hue, held within 0..360; false when the dialog could not take it.
  bool SetHue(float hue);
  // The colour changed (by a key or a click on the spectrum): tells assistive technology.
  void Announce();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  SkinnedDialog& dialog_;
  std::function<float()> hue_;
  std::function<bool(float)> pick_;
};

}  // namespace velmora
