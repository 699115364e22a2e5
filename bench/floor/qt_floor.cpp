// The floor under the game's start-up figures: a bare Qt Widgets program that
// shows one 640 x 480 picture and nothing else, started and measured as the
// game is (bench/scaled_startup_bench.sh).
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QWidget>

namespace {

class Picture : public QWidget {
 public:
  Picture() : image_(640, 480, QImage::Format_RGB32) {
    for (int y = 0; y < image_.height(); ++y)
      for (int x = 0; x < image_.width(); ++x) image_.setPixel(x, y, qRgb(x * 255 / 640, y * 255 / 480, 160));
    setFixedSize(image_.size());
    setWindowTitle(QStringLiteral("Qt floor"));
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), image_);
  }

 private:
  QImage image_;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  Picture window;
  window.show();
  return app.exec();
}
