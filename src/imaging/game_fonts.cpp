#include "game_fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

#include <string>

#include "imaging_texts.h"

namespace velmora {
namespace {

namespace texts = imaging::texts;

QFont BuildFont(const QString& family, int height, QFont::Weight weight) {
  QFont font;
  font.setFamilies(QStringList{family});
  font.setPixelSize(height);
  font.setWeight(weight);
  font.setItalic(false);
  font.setUnderline(false);
  font.setStrikeOut(false);
  font.setStyleHint(QFont::SansSerif, QFont::PreferAntialias);
  return font;
}

// The family without the foundry that Qt appends when two foundries offer the
// same family ("URW Gothic [UKWN]").
QString WithoutFoundry(const QString& family) {
  const qsizetype bracket = family.indexOf(QLatin1String(" ["));
  return bracket < 0 ? family : family.left(bracket);
}

// QFont never fails: a missing family is silently replaced by another one,
// and exactMatch() is false. It is also false for an installed face that is
// listed under a foundry or lacks the weight asked for, so the family that
// was actually chosen decides then.
bool IsInstalled(const QFont& font, const QString& family) {
  const QFontInfo info(font);
  return info.exactMatch() || WithoutFoundry(info.family()).compare(family, Qt::CaseInsensitive) == 0;
}

void ReportFaceFailed(Reporter& reporter, const QString& face) {
  const std::string text = std::string(texts::kFontFailedBefore) + face.toStdString() + texts::kFontFailedAfter;
  reporter.LogOnly(text);
}

}  // namespace

bool GameFonts::MakeFont(const QString& face, int height, QFont& font) const {
  const QString requested = face.isEmpty() ? defaultFace_ : face;
  const QFont::Weight weight = face.isEmpty() ? defaultWeight_ : QFont::Normal;
  QFont candidate = BuildFont(requested, height, weight);
  if (IsInstalled(candidate, requested)) {
    font = candidate;
    return true;
  }
  // Windows names some bold faces "<family> Bold"; fontconfig lists them as
  // the Bold style of <family>.
  static const QString kBoldSuffix = QStringLiteral(" Bold");
  if (requested.endsWith(kBoldSuffix, Qt::CaseInsensitive) && requested.size() > kBoldSuffix.size()) {
    const QString family = requested.chopped(kBoldSuffix.size());
    candidate = BuildFont(family, height, QFont::Bold);
    if (IsInstalled(candidate, family)) {
      font = candidate;
      return true;
    }
  }
  return false;
}

bool GameFonts::SetGameFont(int index, int height, const QString& face) {
  if (index < 0 || index >= imaging::kGameFontCount) {
    reporter_.LogOnly(texts::kInvalidFontSize);
    return false;
  }
  const size_t slot = static_cast<size_t>(index);
  created_[slot] = false;

  const QString chain[] = {face, QString::fromLatin1(texts::kSecondFontFace), QString()};
  for (const QString& candidate : chain) {
    if (MakeFont(candidate, height, fonts_[slot])) {
      created_[slot] = true;
      return true;
    }
    if (candidate.isEmpty()) break;
    ReportFaceFailed(reporter_, candidate);
  }
  reporter_.LogOnly(texts::kDefaultFontFailed);
  fonts_[slot] = QFont();
  fonts_[slot].setPixelSize(height);
  return false;
}

bool GameFonts::CreateGameFonts() {
  bool all = true;
  for (int index = 0; index < imaging::kGameFontCount; ++index) {
    all = SetGameFont(index, imaging::kGameFontHeights[static_cast<size_t>(index)],
                      QString::fromLatin1(texts::kGameFontFace)) &&
          all;
  }
  return all;
}

// Without a thread, the font list is read when the window first asks for a font.
FontWarmUp::FontWarmUp() : thread_([] { QFontDatabase::families(); }) {}

}  // namespace velmora
