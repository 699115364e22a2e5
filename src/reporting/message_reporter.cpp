#include "message_reporter.h"

#include "reporting_texts.h"
#include "process_exit.h"

namespace velmora {

MessageReporter::MessageReporter(GameLog& log, MessageBoxes& boxes, MillisecondsSource sinceStart)
    : log_(log), boxes_(boxes), sinceStart_(std::move(sinceStart)) {
  // Until the game's own message dialog is set, a plain message box shows messages.
  presenter_ = [this](std::string_view text, bool question, QWidget*) {
    return boxes_.Show(text, texts::kAppName, question ? MessageButtons::YesNo : MessageButtons::Ok, true) ==
           kResultYes;
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

bool MessageReporter::Report(std::string_view text, ReportKind kind, QWidget* owner) {
  if (log_.IsOn()) log_.Write("game message: " + std::string(text) + "\n");
  if (!ready_) return false;
  if (!owner) owner = defaultOwner_;
  if (kind == ReportKind::kFatal) {
    boxes_.Show(texts::kFatalText, texts::kFatalCaption, MessageButtons::Ok, owner != nullptr);
    EndProcess(kExitFatal);
  }
  if (kind == ReportKind::kLogOnly) return false;
  messageOpen_ = true;
  const bool yes = presenter_(text, kind == ReportKind::kQuestion, owner);
  messageOpen_ = false;
  return yes;
}

}  // namespace velmora
