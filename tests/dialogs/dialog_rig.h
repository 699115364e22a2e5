#pragma once
// The game's art, message reporter and an owner window, as the game window
// holds them, for opening dialogs one at a time. Messages the dialogs show go
// to a recording presenter that answers every question with `answer`.
#include <QImage>
#include <QTest>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "art_loader.h"
#include "fake_platform.h"
#include "game_bitmap_table.h"
#include "game_log.h"
#include "image_operations.h"
#include "message_backgrounds.h"
#include "message_reporter.h"
#include "skinned_dialog.h"
#include "system_message_box.h"

namespace velmora::testing {

class SilentSystemBox : public SystemMessageBox {
 public:
  void Show(std::string_view, std::string_view) override {}
};

struct ShownMessage {
  std::string text;
  bool question;
  QWidget* owner;
};

class DialogRig {
 public:
  DialogRig() {
    ArtLoader loader(reporter, QStringLiteral(VELMORA_RUNTIME_DIR));
    loader.LoadGameArt(art);
    ImageOperations operations(reporter);
    operations.BuildMessageBackgrounds(art, backgrounds);
    reporter.SetBackgroundsBuilder([this](std::array<QImage, 3>& images) {
      images = backgrounds.images;
      return backgrounds.ready;
    });
    reporter.SetPresenter([this](std::string_view text, bool question, QWidget* shownOver) {
      messages.push_back({std::string(text), question, shownOver});
      return answer;
    });
    owner.setFixedSize(640, 480);
    owner.move(150, 100);
    owner.show();
  }

  // The picture the dialog shows, as the screen would have it.
  static QImage Shot(QWidget& dialog) { return dialog.grab().toImage().convertToFormat(QImage::Format_RGB32); }
  // The pure white pixels of an area of a shot: where text is drawn.
  static int WhitePixels(const QImage& shot, const QRect& area) {
    int white = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x) white += (shot.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF;
    return white;
  }

  // True when the shot shows bitmap `id` laid from the top-left of `place`.
  bool ShowsFace(const QImage& shot, const QRect& place, int id) const {
    const QImage face = ImageOperations::OpaqueCopy(art.Picture(GameBitmapTable::IndexOf(id)));
    if (face.isNull() || place.width() > face.width() || place.height() > face.height()) return false;
    for (int y = 0; y < place.height(); ++y)
      for (int x = 0; x < place.width(); ++x)
        if ((shot.pixel(place.x() + x, place.y() + y) & 0xFFFFFF) != (face.pixel(x, y) & 0xFFFFFF)) return false;
    return true;
  }
  bool ShowsFace(SkinnedDialog& dialog, int controlId, int id) const {
    QWidget* control = dialog.Control(controlId);
    return control && control->isVisible() && ShowsFace(Shot(dialog), control->geometry(), id);
  }

  SilentSystemBox systemBox;
  GameLog log{systemBox};
  RecordingMessageBoxes boxes;
  MessageReporter reporter{log, boxes, [] { return 0u; }};
  GameBitmapTable art;
  MessageBackgrounds backgrounds;
  QWidget owner;
  std::vector<ShownMessage> messages;
  bool answer = true;  // to every question
};

// Shows a dialog as the game does and waits until it is on screen.
inline bool Open(QWidget& dialog) {
  dialog.show();
  return QTest::qWaitForWindowExposed(&dialog);
}

}  // namespace velmora::testing
