#pragma once
// What the game window shows over a paused game: a plain cover in the player's
// colour over the board and over the type tray, with "Paused" on the board's.
// It lies over the whole client area and takes every click there, so that a
// click anywhere on the window only resumes play; outside the two covers it
// draws nothing and the window shows through.
#include <QColor>
#include <QFont>
#include <QRect>
#include <QWidget>
#include <functional>

namespace velmora {

// A colour of the player's hue (degrees, any turn), saturation and value 0..1.
QColor HueColor(float hue, double saturation, double value);

class PauseCover : public QWidget {
 public:
  // hue: the art's hue in degrees now; clicked: a mouse button went down on the window.
  PauseCover(QWidget* parent, std::function<float()> hue, std::function<void()> clicked, const QFont& font);

  // Where the covers lie, in client pixels.
  static QRect BoardCover();
  static QRect TrayCover();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void PaintCover(QPainter& painter, const QRect& where, float hue) const;

  std::function<float()> hue_;
  std::function<void()> clicked_;
  QFont font_;
};

}  // namespace velmora
