#include "art_resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE declares the registration function, which lives in the
// global namespace, so it is called from here.
static void InitVelmoraArtResources() {
  Q_INIT_RESOURCE(velmora_art);
  Q_INIT_RESOURCE(velmora_art_2x);
}

namespace velmora::art {

void EnsureArtResources() { InitVelmoraArtResources(); }

QString BitmapResourcePath(int bitmapId) { return QStringLiteral(":/bitmaps/%1.bmp").arg(bitmapId); }

QString IconResourcePath() { return QStringLiteral(":/icons/321.png"); }

}  // namespace velmora::art
