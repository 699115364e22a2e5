#pragma once
// The tips window: a small resizable window beside the game window that shows
// one text at a time — a tip, a remark, or a step of the Beginner's Guide. The
// game decides what to show; this window wraps the text to its width and
// draws it on a bordered background, each new text appearing after a second.
#include <QImage>
#include <QWidget>
#include <functional>
#include <string>

#include "engine_host.h"
#include "game_bitmap_table.h"
#include "image_operations.h"

namespace velmora {

inline constexpr int kTipsClientWidth = 300;
inline constexpr int kTipsClientHeight = 480;
inline constexpr int kTipsMaximumClient = 479;
inline constexpr int kTipsTextPause = 1000;       // ms before a new text shows
inline constexpr int kTipsBackgroundDelay = 200;  // ms after a resize

class TipsWindow : public QWidget {
  Q_OBJECT
 public:
  // dialogBackground: the generic dialog background the window's own is cut from.
  // As a panel it is a part of the game window, of fixed size, where it is put.
  TipsWindow(Reporter& reporter, ImageOperations& operations, const GameBitmapTable& art, QWidget* gameWindow,
             bool panel = false);

  void SetText(const std::string& text);
  const std::string& Text() const { return text_; }
  bool TextHidden() const { return textHidden_; }
  // Rebuilds the background (after a change of the game colour).
  void RebuildBackground();
  // Called when the player closes the window.
  void SetClosedHandler(std::function<void()> handler) { onClosed_ = std::move(handler); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void timerEvent(QTimerEvent* event) override;

 private:
  void Wrap();

  Reporter& reporter_;
  ImageOperations& operations_;
  const GameBitmapTable& art_;  // the generic dialog background is its own's
  QImage background_;
  std::string text_;
  bool textHidden_ = false;
  int pauseTimer_ = 0;
  int backgroundTimer_ = 0;
  std::function<void()> onClosed_;
};

}  // namespace velmora
