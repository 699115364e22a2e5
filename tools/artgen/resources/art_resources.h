// The game's built-in bitmaps and window icon, compiled into the program as Qt
// resources by the velmora_art_resources library.
#pragma once

#include <QString>

namespace velmora::art {

// Makes sure the resources are registered. Linking velmora_art_resources
// already registers them at start-up; calling this as well is harmless.
void EnsureArtResources();

// ":/bitmaps/<id>.bmp" for a built-in bitmap id (24 bits per pixel, or 32 bits
// with alpha for the splash logo 311).
QString BitmapResourcePath(int bitmapId);

// ":/icons/321.png", the window icon (64 x 64 with alpha).
QString IconResourcePath();

}  // namespace velmora::art
