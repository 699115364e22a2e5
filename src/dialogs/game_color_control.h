#pragma once
// The game colour picker: a hue spectrum the player clicks and a swatch of the
// chosen colour, both framed in the dialogs' five panel greys. It builds the
// two images; its dialog copies them onto the window and turns clicks into hues.
#include <QImage>

class QWidget;

namespace velmora {

class MessageReporter;

class GameColorControl {
 public:
  GameColorControl(QWidget* owner, MessageReporter& reporter) : owner_(owner), reporter_(reporter) {}

  bool BuildSpectrum(int width, int height);
  // Builds the swatch for `hue` (degrees), or rebuilds it when swatchExists and
  // repaints its rectangle at (x, y) of the owner.
  bool BuildSwatch(float hue, bool& swatchExists, int x, int y, int width, int height);
  const QImage& Spectrum() const { return spectrum_; }
  const QImage& Swatch() const { return swatch_; }

  // Hexcone HSV; components 0..1, hue in degrees.
  static void HsvToRgb(float hue, float saturation, float value, float& red, float& green, float& blue);
  static void RgbToHsv(float red, float green, float blue, float& hue, float& saturation, float& value);
  // Into [0, 360); a hue beyond +-720 becomes 0.
  static float NormaliseHue(float hue);
  // The frame greys at (x, y) of a width x height picture; -1 inside.
  static int FrameGrey(int x, int y, int width, int height);

 private:
  void LogFault(const char* text) const;

  QWidget* owner_;
  MessageReporter& reporter_;
  QImage spectrum_;
  QImage swatch_;
};

}  // namespace velmora
