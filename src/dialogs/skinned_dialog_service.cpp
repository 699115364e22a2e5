#include "skinned_dialog_service.h"

#include "message_reporter.h"

namespace velmora {

SkinnedDialogService::SkinnedDialogService(const GameBitmapTable& art, MessageReporter& reporter, QWidget* owner)
    : art_(art), reporter_(reporter), owner_(owner) {}

SkinnedDialogService::~SkinnedDialogService() = default;

}  // namespace velmora
