#include "typeface.h"

#include <QFile>
#include <QTransform>

namespace velmora::artgen {

Typeface::Typeface(const QString& file) : file_(file) {
  QFile f(file);
  if (!f.open(QIODevice::ReadOnly)) {
    return;
  }
  data_ = f.readAll();
  raw_ = QRawFont(data_, kDesignSize, QFont::PreferNoHinting);
  valid_ = raw_.isValid();
}

QPainterPath Typeface::Path(const QString& text, qreal pixelSize, qreal tracking) const {
  QPainterPath out;
  if (!valid_ || text.isEmpty()) {
    return out;
  }
  const QList<quint32> glyphs = raw_.glyphIndexesForString(text);
  const QList<QPointF> advances = raw_.advancesForGlyphIndexes(glyphs, QRawFont::KernedAdvances);
  const qreal scale = pixelSize / kDesignSize;
  qreal pen = 0;
  for (qsizetype i = 0; i < glyphs.size(); ++i) {
    QPainterPath glyph = raw_.pathForGlyph(glyphs[i]);
    QTransform t;
    t.translate(pen, 0);
    t.scale(scale, scale);
    out.addPath(t.map(glyph));
    pen += advances[i].x() * scale + tracking;
  }
  out.setFillRule(Qt::WindingFill);
  return out;
}

qreal Typeface::Width(const QString& text, qreal pixelSize, qreal tracking) const {
  if (!valid_ || text.isEmpty()) {
    return 0;
  }
  const QList<quint32> glyphs = raw_.glyphIndexesForString(text);
  const QList<QPointF> advances = raw_.advancesForGlyphIndexes(glyphs, QRawFont::KernedAdvances);
  qreal w = 0;
  for (const QPointF& a : advances) {
    w += a.x() * pixelSize / kDesignSize + tracking;
  }
  return w - tracking;
}

qreal Typeface::CapHeight(qreal pixelSize) const { return raw_.capHeight() * pixelSize / kDesignSize; }

qreal Typeface::Ascent(qreal pixelSize) const { return raw_.ascent() * pixelSize / kDesignSize; }

qreal Typeface::Descent(qreal pixelSize) const { return raw_.descent() * pixelSize / kDesignSize; }

namespace {

Faces g_faces;

constexpr const char* kLatoDir = "/usr/share/fonts/truetype/lato/";

bool LoadOne(Typeface* face, const QString& file, const char* package, QString* error) {
  *face = Typeface(file);
  if (!face->IsValid()) {
    *error = QStringLiteral("cannot load the font %1 (Debian package %2; run scripts/install-deps.sh)")
                 .arg(file, QLatin1String(package));
    return false;
  }
  return true;
}

}  // namespace

bool Faces::Load(QString* error) {
  const QString lato = QLatin1String(kLatoDir);
  return LoadOne(&black, lato + "Lato-Black.ttf", "fonts-lato", error) &&
         LoadOne(&heavy, lato + "Lato-Heavy.ttf", "fonts-lato", error) &&
         LoadOne(&bold, lato + "Lato-Bold.ttf", "fonts-lato", error) &&
         LoadOne(&semibold, lato + "Lato-Semibold.ttf", "fonts-lato", error) &&
         LoadOne(&regular, lato + "Lato-Regular.ttf", "fonts-lato", error);
}

const Faces& Fonts() { return g_faces; }

bool LoadFonts(QString* error) { return g_faces.Load(error); }

}  // namespace velmora::artgen
