#include "message_reporter.h"

#include "reporting_texts.h"
#include "process_exit.h"

namespace velmora {

MessageReporter::MessageReporter(GameLog& log, MessageBoxes& boxes, MillisecondsSource sinceStart)
    : log_(log), boxes_(boxes), sinceStart_(std::move(sinceStart)) {
  // Until the game's own message dialog is set, a plain message box shows messages.
  presenter_ = [this](std::string_view text, bool question, QWidget*) {
    return boxes_.Show(text, texts::kAppName, question ? MessageButtons::YesNo : MessageButtons::Ok, true);
  };
}

void MessageReporter::SetBackgroundsBuilder(BackgroundsBuilder builder) {
  builder_ = std::move(builder);
  ready_ = static_cast<bool>(builder_);
}

std::array<QImage, 3> MessageReporter::Backgrounds() const {
  std::array<QImage, 3> built;
  if (!builder_) return built;
  if (!builder_(built)) built = {};
  return built;
}

int MessageReporter::Report(std::string_view text, bool question, bool logOnly, bool fatal, QWidget* owner) {
  if (log_.IsOn()) {
    log_.Write("game message: ");
    log_.Write(text);
    log_.Write("\n");
  }
  if (!ready_) return 0;
  if (!owner) owner = defaultOwner_;
  if (fatal) {
    boxes_.Show(texts::kFatalText, texts::kFatalCaption, MessageButtons::Ok, owner != nullptr);
    EndProcess(kExitFatal);
  }
  if (logOnly) return 0;
  messageOpen_ = true;
  const int answer = presenter_(text, question, owner);
  messageOpen_ = false;
  return answer;
}

}  // namespace velmora
