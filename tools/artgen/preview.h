// Previews of the art in place: the main screen in the middle of a game and the
// New Game dialog, composed the way the game composes them. They are for looking
// at the art, not a part of it.
#pragma once

#include <QImage>
#include <vector>

namespace velmora::artgen {

QImage MainScreenPreview(const std::vector<QImage>& pictures);
QImage NewGameDialogPreview(const std::vector<QImage>& pictures);

}  // namespace velmora::artgen
