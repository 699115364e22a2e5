// Every file of PngSuite: a decoder that succeeds must give the pixels Qt's
// own reader sees, put into blue, green, red, alpha bytes by the decoder's
// rules; 16-bit files and the corrupt x*.png files must fail.
#include <QDir>
#include <QImage>

#include <gtest/gtest.h>

#include <string>

#include "imaging_test_support.h"
#include "png_image.h"

namespace velmora {
namespace {

using testing::Bgra;

struct Header {
  bool valid = false;
  int bitDepth = 0;
  int colorType = 0;
  bool transparency = false;  // a tRNS chunk
};

// Reads the header and the chunk names straight from the bytes, apart from
// the decoder under test.
Header ReadHeader(const std::string& bytes) {
  Header header;
  if (bytes.size() < 33 || bytes.compare(12, 4, "IHDR") != 0) return header;
  header.valid = true;
  header.bitDepth = static_cast<uint8_t>(bytes[24]);
  header.colorType = static_cast<uint8_t>(bytes[25]);
  size_t at = 8;
  while (at + 8 <= bytes.size()) {
    const uint32_t length = (uint32_t(uint8_t(bytes[at])) << 24) | (uint32_t(uint8_t(bytes[at + 1])) << 16) |
                            (uint32_t(uint8_t(bytes[at + 2])) << 8) | uint32_t(uint8_t(bytes[at + 3]));
    if (bytes.compare(at + 4, 4, "tRNS") == 0) header.transparency = true;
    at += 12 + static_cast<size_t>(length);
  }
  return header;
}

// After the expand transformation: gray and palette and RGB images gain an
// alpha channel only through tRNS.
bool HasAlphaAfterExpand(const Header& header) {
  return header.colorType == 4 || header.colorType == 6 || header.transparency;
}

std::vector<std::string> SuiteFiles() {
  const QDir dir(QStringLiteral(VELMORA_PNGSUITE_DIR));
  std::vector<std::string> names;
  for (const QString& name : dir.entryList({"*.png"}, QDir::Files, QDir::Name)) names.push_back(name.toStdString());
  return names;
}

class PngSuiteTest : public ::testing::TestWithParam<std::string> {};

TEST(PngSuiteFiles, AreAllThere) { EXPECT_EQ(SuiteFiles().size(), 175u); }

TEST_P(PngSuiteTest, DecodesRightOrFailsCleanly) {
  const std::string name = GetParam();
  const std::string path = std::string(VELMORA_PNGSUITE_DIR) + "/" + name;
  const Header header = ReadHeader(testing::ReadBytes(path));
  const bool corrupt = name[0] == 'x';

  const int filesBefore = testing::OpenFileCount();
  PngImage image;
  const bool decoded = testing::DecodePngFile(path, image);
  EXPECT_EQ(testing::OpenFileCount(), filesBefore);
  EXPECT_EQ(decoded, image.loaded);
  // The same bytes held in memory decode alike; cut short, they fail.
  const std::string bytes = testing::ReadBytes(path);
  const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
  PngImage fromMemory, cut;
  EXPECT_EQ(DecodePngData(data, bytes.size(), fromMemory), decoded);
  EXPECT_EQ(fromMemory.pixels, image.pixels);
  EXPECT_FALSE(DecodePngData(data, bytes.size() - 13, cut));

  if (corrupt || header.bitDepth == 16) {
    EXPECT_FALSE(decoded);
    EXPECT_TRUE(image.pixels.empty());
    return;
  }
  ASSERT_TRUE(header.valid);
  ASSERT_TRUE(decoded);

  const QImage reference = QImage(QString::fromStdString(path)).convertToFormat(QImage::Format_ARGB32);
  ASSERT_FALSE(reference.isNull());
  ASSERT_EQ(image.width, static_cast<uint32_t>(reference.width()));
  ASSERT_EQ(image.height, static_cast<uint32_t>(reference.height()));
  ASSERT_EQ(image.pixels.size(), size_t{image.width} * image.height * 4);
  const bool alpha = HasAlphaAfterExpand(header);
  int mismatches = 0;
  for (int y = 0; y < reference.height(); ++y) {
    for (int x = 0; x < reference.width(); ++x) {
      const QRgb rgb = reference.pixel(x, y);
      const Bgra expected{qBlue(rgb), qGreen(rgb), qRed(rgb), alpha ? qAlpha(rgb) : 0};
      Bgra actual = testing::BgraAt(image.pixels, image.width, x, y);
      // Qt's reader turns the transparent grey of a grey image with tRNS into
      // transparent black; only the alpha of such a pixel is comparable.
      if (alpha && qAlpha(rgb) == 0 && actual.a == 0) actual = expected;
      if (actual != expected && ++mismatches <= 3) {
        ADD_FAILURE() << name << " (" << x << "," << y << "): got " << actual.b << "," << actual.g << "," << actual.r
                      << "," << actual.a << " expected " << expected.b << "," << expected.g << "," << expected.r << ","
                      << expected.a;
      }
    }
  }
  EXPECT_EQ(mismatches, 0) << name;
}

INSTANTIATE_TEST_SUITE_P(PngSuite, PngSuiteTest, ::testing::ValuesIn(SuiteFiles()),
                         [](const ::testing::TestParamInfo<std::string>& file) {
                           return file.param.substr(0, file.param.size() - 4);
                         });

}  // namespace
}  // namespace velmora
