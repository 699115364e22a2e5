#pragma once
// One owner-drawn control of the game window: a button whose whole face is a
// picture of the art table, chosen by the window for the control's state and
// whether the mouse holds it down right now.
#include <QAbstractButton>
#include <functional>

namespace velmora {

class ControlButton : public QAbstractButton {
  Q_OBJECT
 public:
  // face(id, pressed) paints the control's face into the painter's whole rectangle.
  using FacePainter = std::function<void(QPainter& painter, int id, bool pressed, const QRect& rect)>;

  ControlButton(int id, FacePainter painter, QWidget* parent);
  int Id() const { return id_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int id_;
  FacePainter facePainter_;
};

}  // namespace velmora
