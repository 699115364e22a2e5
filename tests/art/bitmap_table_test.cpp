// The whole bitmap table: every id at its size, stored the way the loader
// expects, and the twelve PNG files under their exact names.
#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QImageReader>
#include <set>

#include "art_test_support.h"

namespace velmora::arttest {
namespace {

quint32 Le32(const QByteArray& b, int at) {
  return quint32(quint8(b[at])) | quint32(quint8(b[at + 1])) << 8 | quint32(quint8(b[at + 2])) << 16 |
         quint32(quint8(b[at + 3])) << 24;
}
quint16 Le16(const QByteArray& b, int at) { return quint16(quint8(b[at]) | quint8(b[at + 1]) << 8); }

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(BitmapTable, EveryIdLoadsAtItsListedSize) {
  for (int id = kFirstId; id <= kLastId; ++id) {
    const QImage image = LoadBitmap(id);
    ASSERT_FALSE(image.isNull()) << "bitmap " << id;
    EXPECT_EQ(image.size(), ExpectedSize(id)) << "bitmap " << id;
  }
}

TEST(BitmapTable, ExactlyTheBuiltInIdsHaveResources) {
  std::set<QString> found;
  QDirIterator it(QStringLiteral(":/bitmaps"));
  while (it.hasNext()) {
    found.insert(QFileInfo(it.next()).fileName());
  }
  std::set<QString> expected;
  for (int id = kFirstId; id <= kLastId; ++id) {
    if (!PngFileOf(id)) {
      expected.insert(QStringLiteral("%1.bmp").arg(id));
    }
  }
  EXPECT_EQ(expected.size(), 177u);
  EXPECT_EQ(found, expected);
}

// Every built-in bitmap: 32 bits a pixel with the blue, green, red, alpha
// masks, rows top-down from a 16-byte boundary, so that the game uses the
// pixels where they lie; opaque except the splash logo.
TEST(BitmapTable, ResourceBitmapsAre32BitTopDownWithAlphaMasks) {
  for (int id = kFirstId; id <= kLastId; ++id) {
    if (PngFileOf(id)) {
      continue;
    }
    const QByteArray b = ReadAll(QStringLiteral(":/bitmaps/%1.bmp").arg(id));
    ASSERT_GE(b.size(), 14 + 124) << "bitmap " << id;
    EXPECT_EQ(b.left(2), QByteArray("BM")) << "bitmap " << id;
    EXPECT_EQ(Le32(b, 2), quint32(b.size())) << "bitmap " << id;
    EXPECT_EQ(Le32(b, 14), 124u) << "bitmap " << id;
    EXPECT_EQ(Le16(b, 28), 32) << "bitmap " << id;
    EXPECT_EQ(Le32(b, 30), 3u) << "bitmap " << id;  // BI_BITFIELDS
    EXPECT_EQ(Le32(b, 54), 0x00FF0000u);
    EXPECT_EQ(Le32(b, 58), 0x0000FF00u);
    EXPECT_EQ(Le32(b, 62), 0x000000FFu);
    EXPECT_EQ(Le32(b, 66), 0xFF000000u);
    const QSize size = ExpectedSize(id);
    const quint32 offset = Le32(b, 10);
    EXPECT_EQ(offset % 16, 0u) << "bitmap " << id;
    EXPECT_EQ(int(Le32(b, 18)), size.width()) << "bitmap " << id;
    EXPECT_EQ(int(Le32(b, 22)), -size.height()) << "bitmap " << id << " (top-down rows)";
    ASSERT_EQ(b.size(), qsizetype(offset) + size.width() * size.height() * 4) << "bitmap " << id;
    if (id == 311) continue;
    bool opaque = true;
    for (qsizetype at = offset + 3; at < b.size(); at += 4) opaque = opaque && quint8(b[at]) == 255;
    EXPECT_TRUE(opaque) << "bitmap " << id;
  }
}

TEST(SplashLogo, HasARealAlphaChannel) {
  const QImage logo = LoadBitmap(311);
  ASSERT_FALSE(logo.isNull());
  ASSERT_TRUE(logo.hasAlphaChannel());
  const QImage argb = logo.convertToFormat(QImage::Format_ARGB32);
  int clear = 0, solid = 0, partial = 0;
  for (int y = 0; y < argb.height(); ++y) {
    for (int x = 0; x < argb.width(); ++x) {
      const int a = qAlpha(argb.pixel(x, y));
      (a == 0 ? clear : a == 255 ? solid : partial)++;
    }
  }
  const int total = argb.width() * argb.height();
  // The background shows around the logo, the logo itself is opaque, and its
  // edges and shadow fade.
  EXPECT_GT(clear, total / 20);
  EXPECT_GT(solid, total / 3);
  EXPECT_GT(partial, 500);
  // The corners are clear: the logo is a shape, not a rectangle.
  EXPECT_EQ(qAlpha(argb.pixel(0, 0)), 0);
  EXPECT_EQ(qAlpha(argb.pixel(399, 299)), 0);
  // Straight (not premultiplied) colour: an opaque pixel in the middle is not black.
  EXPECT_GT(Luminance(argb.pixel(200, 150)) + Luminance(argb.pixel(200, 100)), 0.05);
}

TEST(WindowIcon, IsA64PixelPngWithAlpha) {
  const QByteArray b = ReadAll(QStringLiteral(":/icons/321.png"));
  ASSERT_GE(b.size(), 8);
  EXPECT_EQ(b.left(8), QByteArray("\x89PNG\r\n\x1a\n", 8));
  const QImage icon = QImage::fromData(b, "PNG");
  ASSERT_FALSE(icon.isNull());
  EXPECT_EQ(icon.size(), QSize(64, 64));
  EXPECT_TRUE(icon.hasAlphaChannel());
  EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);
  EXPECT_EQ(qAlpha(icon.pixel(32, 32)), 255);
}

TEST(ArtFiles, TwelvePngFilesUnderTheirExactNames) {
  int count = 0;
  for (int id = kFirstId; id <= kLastId; ++id) {
    const auto file = PngFileOf(id);
    if (!file) {
      continue;
    }
    ++count;
    const QString path = RuntimeArtDir() + '/' + *file;
    const QByteArray b = ReadAll(path);
    ASSERT_GE(b.size(), 33) << qPrintable(path);
    // The game's decoder checks the signature and reads 8 bits per channel
    // only, grey or RGB with or without alpha.
    EXPECT_EQ(b.left(8), QByteArray("\x89PNG\r\n\x1a\n", 8)) << qPrintable(path);
    EXPECT_EQ(b.mid(12, 4), QByteArray("IHDR")) << qPrintable(path);
    EXPECT_EQ(quint8(b[24]), 8) << qPrintable(path) << ": bit depth";
    const int colourType = quint8(b[25]);
    EXPECT_TRUE(colourType == 0 || colourType == 2 || colourType == 4 || colourType == 6)
        << qPrintable(path) << ": colour type " << colourType;
    QImageReader reader(path, "png");
    const QImage image = reader.read();
    ASSERT_FALSE(image.isNull()) << qPrintable(path) << ": " << qPrintable(reader.errorString());
    EXPECT_EQ(image.size(), ExpectedSize(id)) << qPrintable(path);
  }
  EXPECT_EQ(count, 12);
}

TEST(ArtFiles, NothingElseInTheArtFolder) {
  QDirIterator it(RuntimeArtDir(), QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString rel = QDir(RuntimeArtDir()).relativeFilePath(it.next());
    bool known = false;
    for (int id = kFirstId; id <= kLastId; ++id) {
      known = known || PngFileOf(id) == rel;
    }
    EXPECT_TRUE(known) << "unexpected file art/" << qPrintable(rel);
  }
}

double MeanLuminance(const QImage& img) {
  double sum = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) sum += Luminance(img.pixel(x, y));
  return sum / (img.width() * img.height());
}

// The white of a caption: its box, and the mean row of its pixels.
struct Caption {
  QRect box;
  double row = 0;
};
Caption CaptionOf(const QImage& img) {
  Caption caption;
  int count = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (Luminance(img.pixel(x, y)) > 0.85) {
        caption.box |= QRect(x, y, 1, 1);
        caption.row += y;
        ++count;
      }
  if (count > 0) caption.row /= count;
  return caption;
}

TEST(BitmapTable, PressedLooksAreDarkerWithTheCaptionLower) {
  // Pairs of the table: pressed (lower id) then normal, or off then on.
  struct Pair {
    int first, second;
    bool captioned;  // a push button whose caption sinks when pressed
  };
  static const Pair kPairs[] = {
      {255, 256, true},  {257, 258, true},  {259, 260, true},  {261, 262, true},  {263, 264, false}, {270, 271, false},
      {272, 273, false}, {274, 275, false}, {289, 290, true},  {291, 292, false}, {293, 294, true},  {295, 296, true},
      {297, 298, true},  {299, 300, true},  {301, 302, false}, {303, 304, false}, {305, 306, false}, {307, 308, true},
      {309, 310, true},  {312, 313, true},  {314, 315, true},  {316, 317, true},  {318, 319, true}};
  for (const Pair& pair : kPairs) {
    const QImage pressed = LoadRgb32(pair.first);
    const QImage normal = LoadRgb32(pair.second);
    ASSERT_EQ(pressed.size(), normal.size());
    EXPECT_LT(MeanLuminance(pressed) + 0.04, MeanLuminance(normal)) << pair.first << " and " << pair.second;
    if (pair.captioned) {
      EXPECT_GT(CaptionOf(pressed).row, CaptionOf(normal).row + 0.5) << pair.first << " and " << pair.second;
    }
  }
}

TEST(BitmapTable, CaptionsAreAsWideAsTheirWords) {
  // Buttons of one size, from the longest caption to the shortest: each
  // caption is drawn wider than the next, pressed and normal alike.
  static const std::vector<std::vector<std::pair<int, const char*>>> kBySize = {
      {{299, "Explain"}, {295, "Cancel"}, {297, "Done"}, {316, "Yes"}, {314, "No"}},
      {{293, "Remove Player"}, {309, "Learn to Play"}, {289, "Add Player"}},
      {{261, "Begin New Game"}, {312, "Options"}},
      {{255, "Print"}, {318, "Help"}},
  };
  for (const auto& buttons : kBySize) {
    for (int look = 0; look < 2; ++look) {
      for (size_t i = 0; i + 1 < buttons.size(); ++i) {
        const int wider = buttons[i].first + look, narrower = buttons[i + 1].first + look;
        const QRect a = CaptionOf(LoadRgb32(wider)).box;
        const QRect b = CaptionOf(LoadRgb32(narrower)).box;
        EXPECT_GT(a.width(), b.width()) << buttons[i].second << " (" << wider << ") and " << buttons[i + 1].second
                                        << " (" << narrower << ")";
      }
    }
  }
}

}  // namespace
}  // namespace velmora::arttest
