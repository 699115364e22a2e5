#pragma once
// The three game fonts (pixel heights 12, 16 and 20) in the game's face,
// "Copperplate Gothic Bold". Where that face is not installed the game falls
// back to "Tahoma Bold", then to its default face, URW Gothic Demi (Debian's
// fonts-urw-base35, a free wide geometric sans that keeps the captions' broad,
// heavy look at small sizes).
#include <QFont>
#include <QString>

#include <array>
#include <utility>

#include "engine_host.h"
#include "imaging_constants.h"
#include "second_thread.h"

namespace velmora {

class GameFonts {
 public:
  // The default face that the install step brings in.
  static constexpr const char* kDefaultFace = "URW Gothic";
  static constexpr QFont::Weight kDefaultFaceWeight = QFont::DemiBold;

  explicit GameFonts(Reporter& reporter, QString defaultFace = QString::fromLatin1(kDefaultFace),
                     QFont::Weight defaultWeight = kDefaultFaceWeight)
      : reporter_(reporter), defaultFace_(std::move(defaultFace)), defaultWeight_(defaultWeight) {}

  // Creates fonts 0, 1 and 2 in the game's face. True when all three got a face.
  bool CreateGameFonts();
  // Creates font `index` at `height` pixels in `face` (empty: the default face),
  // falling back face by face; every fallback is logged. False when even the
  // default face is missing: the slot then holds the toolkit's own font, so
  // text still shows.
  bool SetGameFont(int index, int height, const QString& face);

  // Index must be 0..2.
  const QFont& Font(int index) const { return fonts_[static_cast<size_t>(index)]; }
  bool Created(int index) const { return created_[static_cast<size_t>(index)]; }

  // A font of `face` (empty: the default face) at `height` pixels, or nothing
  // when the face is not installed. A face named "<family> Bold" is also found
  // as the bold style of <family>.
  bool MakeFont(const QString& face, int height, QFont& font) const;

 private:
  Reporter& reporter_;
  QString defaultFace_;
  QFont::Weight defaultWeight_;
  std::array<QFont, imaging::kGameFontCount> fonts_;
  std::array<bool, imaging::kGameFontCount> created_{};
};

// Qt reads the system's font list the first time a font is used, which costs
// more than anything else the game window does at start-up apart from the
// art. This reads it on another thread while the window is made, so that
// CreateGameFonts finds it done (Qt's font database may be used from any
// thread; matching the faces stays with the window, whose thread keeps the
// fonts it loads). Made once the application object exists; waits for the
// thread when destroyed.
class FontWarmUp {
 public:
  FontWarmUp();

 private:
  SecondThread thread_;
};

}  // namespace velmora
