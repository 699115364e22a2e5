#pragma once
// The pixel operations behind the game's look: the hue shift to the player's
// game colour, the dark border of the dialog backgrounds, duplicates, window
// copies and the alpha fade. They work on Format_ARGB32 images (Format_RGB32
// is read the same way) and report failures through the reporter, log only,
// except for the one notice about images that are not 32-bit.
#include <QImage>
#include <QRect>

#include "engine_host.h"
#include "game_bitmap_table.h"
#include "message_backgrounds.h"

class QWidget;

namespace velmora {

class ImageOperations {
 public:
  explicit ImageOperations(Reporter& reporter) : reporter_(reporter) {}

  Reporter& GetReporter() { return reporter_; }

  // Recolours every pixel by `delta` degrees of hue, in place. An image that
  // is not 32-bit is left alone; the first such image of the run brings the
  // notice that the standard blue will be used. True when recoloured.
  bool ShiftHue(QImage& bitmap, float delta);

  // Recolours the art set (all entries but 139..156, the orange buttons, the
  // placeholders and the intro pages), at either size: the large pictures the
  // table holds now, and those it reads later by the shifts it records. The messages cut their backgrounds from the art when they show, so
  // they follow. Does nothing before the art has loaded. Logs its processing
  // time. A delta that is not finite shifts by nothing.
  bool ChangeGameColor(GameBitmapTable& table, float delta);

  // Darkens an 8-pixel ramp along the edges of the top-left width x height
  // area towards red 16, green 32, blue 64 and clears the ramp's alpha.
  bool ApplyBorder(QImage& bitmap, int width, int height);

  // Rebuilds the three message backgrounds from entry 157. On failure the
  // backgrounds stay not ready.
  bool BuildMessageBackgrounds(const GameBitmapTable& table, MessageBackgrounds& backgrounds);

  // A Format_ARGB32 copy with the same size and pixel bytes.
  bool DuplicateBitmap(const QImage& source, QImage& target);

  // The window's current look inside `rect` (window coordinates), as a
  // Format_ARGB32 image of exactly the rectangle's size, or of twice its size
  // (device pixel ratio 2) when `target` comes with a device pixel ratio above 1.
  bool CopyWindowArea(QImage& target, const QRect& rect, QWidget* window);

  // target = background faded towards overlay by overlay alpha x `alpha`
  // (0..1); the result's alpha is 0 except where the background shows through
  // unchanged. Sizes are the background's; the overlay must be at least as big.
  bool FadeBitmap(QImage& target, const QImage& background, const QImage& overlay, float alpha);

  // Windows show the game's images as plain copies; this is the copy to paint
  // (Format_RGB32, every pixel opaque, colours as they are).
  static QImage OpaqueCopy(const QImage& image);
  // The same picture for drawing, without a copy: a Format_RGB32 view of a
  // Format_ARGB32 image's own pixels (the screen ignores their alpha bytes),
  // which keeps them alive. Writing to the image afterwards detaches it from
  // the view, so a view must be made again after the image changes. Any other
  // format, and a picture not wholly opaque where windows keep alpha, gets an
  // OpaqueCopy.
  static QImage OpaqueView(const QImage& image);
  // Whether the windows' pixels keep alpha (a Wayland window's buffer, which
  // the compositor blends by it) rather than ignore it (X11's 24-bit windows).
  // A view keeps the picture's own alpha bytes, and Qt copies them as they are
  // wherever it draws a Format_RGB32 picture unscaled: where windows keep
  // alpha, a picture whose alpha bytes are not all 255 would be see-through.
  static void SetWindowsKeepAlpha(bool keep) { windowsKeepAlpha_ = keep; }

  // What the run remembers: whether the notice about non-32-bit images was
  // shown, and whether the splash has shown its whole logo.
  bool ColorNoticeShown() const { return colorNoticeShown_; }
  bool SplashWholeLogoShown() const { return splashWholeLogoShown_; }
  void SetSplashWholeLogoShown() { splashWholeLogoShown_ = true; }

 private:
  void LogOnly(const char* text);

  Reporter& reporter_;
  bool colorNoticeShown_ = false;
  bool splashWholeLogoShown_ = false;
  static inline bool windowsKeepAlpha_ = false;
};

}  // namespace velmora
