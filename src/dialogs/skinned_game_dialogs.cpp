#include "skinned_game_dialogs.h"

#include "message_reporter.h"

namespace velmora {

SkinnedGameDialogs::SkinnedGameDialogs(const GameBitmapTable& art, MessageReporter& reporter, QWidget* owner)
    : art_(art), reporter_(reporter), owner_(owner) {}

SkinnedGameDialogs::~SkinnedGameDialogs() = default;

}  // namespace velmora
