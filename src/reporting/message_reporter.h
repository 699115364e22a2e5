#pragma once
// Every message, log line and fatal stop of the program goes through here.
// Until the message backgrounds exist nothing is shown, only logged.
#include <QImage>
#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "engine_host.h"
#include "game_log.h"
#include "message_boxes.h"

class QWidget;

namespace velmora {

class MessageReporter : public Reporter {
 public:
  // Shows a message modally over the owner; true for a question answered yes.
  // The game window sets the one it uses.
  using Presenter = std::function<bool(std::string_view text, bool question, QWidget* owner)>;
  using MillisecondsSource = std::function<uint32_t()>;

  MessageReporter(GameLog& log, MessageBoxes& boxes, MillisecondsSource sinceStart);

  void SetDefaultOwner(QWidget* owner) { defaultOwner_ = owner; }
  void SetPresenter(Presenter presenter) { presenter_ = std::move(presenter); }
  // The builder of the three message backgrounds (400 x 150, 300, 450), which
  // makes them from the art as it is then, each time a message shows; the
  // reporter shows messages from now on.
  using BackgroundsBuilder = std::function<bool(std::array<QImage, 3>&)>;
  void SetBackgroundsBuilder(BackgroundsBuilder builder);
  bool IsReady() const { return ready_; }
  // New backgrounds from the builder (null images without one, or when it fails).
  std::array<QImage, 3> Backgrounds() const;
  bool MessageOpen() const { return messageOpen_; }

  bool Report(std::string_view text, ReportKind kind) override { return Report(text, kind, nullptr); }
  bool Report(std::string_view text, ReportKind kind, QWidget* owner);
  bool LogOn() const override { return log_.IsOn(); }
  void Log(std::string_view text) override { log_.Write(text); }
  uint32_t MillisecondsSinceStart() const override { return sinceStart_(); }

 private:
  GameLog& log_;
  MessageBoxes& boxes_;
  MillisecondsSource sinceStart_;
  Presenter presenter_;
  QWidget* defaultOwner_ = nullptr;
  BackgroundsBuilder builder_;
  bool ready_ = false;
  bool messageOpen_ = false;
};

}  // namespace velmora
