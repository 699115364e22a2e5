// Glyph outlines straight from a font file, so the art does not depend on which
// fonts the font database happens to match or on the desktop's hinting settings.
#pragma once

#include <QPainterPath>
#include <QRawFont>
#include <QString>

namespace velmora::artgen {

class Typeface {
 public:
  Typeface() = default;
  // Loads the font file; IsValid() tells whether that worked.
  explicit Typeface(const QString& file);

  bool IsValid() const { return valid_; }
  const QString& File() const { return file_; }

  // Outline of a single line of text at the given pixel size, with its baseline
  // at y = 0 and its pen starting at x = 0. `tracking` adds that many pixels
  // after every character.
  QPainterPath Path(const QString& text, qreal pixelSize, qreal tracking = 0) const;
  // Advance width of the same line.
  qreal Width(const QString& text, qreal pixelSize, qreal tracking = 0) const;

  // Heights above the baseline for the given pixel size.
  qreal CapHeight(qreal pixelSize) const;
  qreal Ascent(qreal pixelSize) const;
  qreal Descent(qreal pixelSize) const;

 private:
  QString file_;
  QByteArray data_;
  bool valid_ = false;
  // Metrics and outlines are taken at this size and scaled.
  static constexpr qreal kDesignSize = 200.0;
  QRawFont raw_;
};

// The faces the art uses. Load() fails (and names the missing file) when a
// font package is not installed.
struct Faces {
  Typeface black;     // Lato Black: digits and the logo
  Typeface heavy;     // Lato Heavy: button captions
  Typeface bold;      // Lato Bold: headings
  Typeface semibold;  // Lato Semibold
  Typeface regular;   // Lato Regular: running text on the intro pages

  bool Load(QString* error);
};

const Faces& Fonts();
bool LoadFonts(QString* error);

}  // namespace velmora::artgen
