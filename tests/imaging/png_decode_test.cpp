// The PNG decoder where the PngSuite comparison cannot see: colours under
// alpha 0, the size limits, and broken files, written here with libpng.
#include <png.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <gtest/gtest.h>

#include <fstream>

#include "imaging_test_support.h"
#include "png_image.h"

namespace velmora {
namespace {

using testing::Bgra;
using testing::BgraAt;
using testing::DecodePngFile;
using testing::PngRecipe;

class PngDecodeTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const PngRecipe& recipe) {
    const std::string path = folder.File(name);
    EXPECT_TRUE(testing::WritePng(path, recipe));
    return path;
  }
  Bgra At(uint32_t x, uint32_t y) const { return BgraAt(image.pixels, image.width, x, y); }
  bool DecodeFile(const std::string& path, uint32_t w = 0, uint32_t h = 0) { return DecodePngFile(path, image, w, h); }

  testing::TempFolder folder;
  PngImage image;
};

uint32_t Crc(const std::string& bytes) {
  uint32_t c = 0xFFFFFFFFu;
  for (unsigned char b : bytes) {
    c ^= b;
    for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
  }
  return c ^ 0xFFFFFFFFu;
}

std::string Be32(uint32_t v) {
  return std::string{static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
                     static_cast<char>(v)};
}

std::string Chunk(const std::string& type, const std::string& data) {
  return Be32(static_cast<uint32_t>(data.size())) + type + data + Be32(Crc(type + data));
}

// A PNG file of a header and one byte of image data: it claims any size at all
// in 58 bytes.
std::string PngClaiming(uint32_t width, uint32_t height) {
  const std::string header = Be32(width) + Be32(height) + std::string{8, 2, 0, 0, 0};  // 8-bit RGB
  return std::string("\x89PNG\r\n\x1a\n", 8) + Chunk("IHDR", header) + Chunk("IDAT", std::string(1, '\x78')) +
         Chunk("IEND", "");
}

// `chunks` put into a PNG file just before its IEND chunk.
std::string WithChunksBeforeEnd(std::string png, const std::string& chunks) {
  png.insert(png.size() - 12, chunks);
  return png;
}

// The most memory this process has held, in kilobytes.
long PeakResidentKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
  return -1;
}

TEST_F(PngDecodeTest, SignatureCheck) {
  std::string other = testing::ReadBytes(Write("a.png", PngRecipe{1, 1, PNG_COLOR_TYPE_GRAY, 8, {{7}}}));
  other[1] = 'p';
  testing::WriteBytes(folder.File("other.png"), other);
  EXPECT_FALSE(DecodeFile(folder.File("other.png")));
  EXPECT_FALSE(image.loaded);
}

// PngSuite's reference makes transparent pixels black: the colour under alpha 0 is checked here.
TEST_F(PngDecodeTest, GrayAlphaKeepsAlpha) {
  ASSERT_TRUE(DecodeFile(Write("ga.png", PngRecipe{2, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {{40, 0, 90, 200}}})));
  EXPECT_EQ(At(0, 0), (Bgra{40, 40, 40, 0}));
  EXPECT_EQ(At(1, 0), (Bgra{90, 90, 90, 200}));
}

TEST_F(PngDecodeTest, PaletteWithTransparencyKeepsIt) {
  PngRecipe recipe{3, 1, PNG_COLOR_TYPE_PALETTE, 8, {{0, 1, 2}}};
  recipe.palette = {255, 0, 0, 0, 255, 0, 0, 0, 255};
  recipe.transparency = {0, 128};  // the third entry is opaque
  ASSERT_TRUE(DecodeFile(Write("pt.png", recipe)));
  EXPECT_EQ(At(0, 0), (Bgra{0, 0, 255, 0}));
  EXPECT_EQ(At(1, 0), (Bgra{0, 255, 0, 128}));
  EXPECT_EQ(At(2, 0), (Bgra{255, 0, 0, 255}));
}

// The size in the header is checked before anything is allocated for the
// pixels: a file that names a size it was not asked for, or above 4096 on a
// side when no size is asked for, is refused at once.
TEST_F(PngDecodeTest, AHeaderOfAnotherSizeIsRefusedBeforeAnyPixelMemory) {
  const std::string huge = PngClaiming(1000000, 1000000);
  ASSERT_EQ(huge.size(), 58u);
  testing::WriteBytes(folder.File("huge.png"), huge);
  const int filesBefore = testing::OpenFileCount();
  EXPECT_FALSE(DecodeFile(folder.File("huge.png")));
  EXPECT_EQ(image.failure, PngFailure::kRefusedSize);
  EXPECT_FALSE(DecodeFile(folder.File("huge.png"), 640, 480));
  EXPECT_EQ(image.failure, PngFailure::kRefusedSize);
  EXPECT_FALSE(image.loaded);
  EXPECT_TRUE(image.pixels.empty());
  EXPECT_EQ(testing::OpenFileCount(), filesBefore);

  for (const auto& [width, height] : {std::pair{4097u, 1u}, std::pair{1u, 4097u}}) {
    testing::WriteBytes(folder.File("big.png"), PngClaiming(width, height));
    EXPECT_FALSE(DecodeFile(folder.File("big.png")));
    EXPECT_EQ(image.failure, PngFailure::kRefusedSize) << width << " x " << height;
  }
  // 4096 on a side is allowed in: this one then fails on its one byte of image data.
  testing::WriteBytes(folder.File("edge.png"), PngClaiming(4096, 1));
  EXPECT_FALSE(DecodeFile(folder.File("edge.png")));
  EXPECT_EQ(image.failure, PngFailure::kUndecodable);

  // A good picture decodes only at the size asked for, neither larger nor smaller.
  const std::string two = Write("two.png", PngRecipe{2, 1, PNG_COLOR_TYPE_GRAY, 8, {{1, 2}}});
  EXPECT_TRUE(DecodeFile(two, 2, 1));
  EXPECT_EQ(image.failure, PngFailure::kNone);
  for (const auto& [width, height] : {std::pair{3u, 1u}, std::pair{1u, 1u}, std::pair{2u, 2u}}) {
    EXPECT_FALSE(DecodeFile(two, width, height)) << width << " x " << height;
    EXPECT_EQ(image.failure, PngFailure::kRefusedSize);
    EXPECT_FALSE(image.loaded);
  }
}

// A named pipe (or a link to one) in a picture's place would block an open or
// a read for good; a device would be read without end. Neither is opened.
TEST_F(PngDecodeTest, OnlyRegularFilesAreRead) {
  const std::string pipe = folder.File("pipe.png");
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  const std::string link = folder.File("link.png");
  ASSERT_EQ(symlink(pipe.c_str(), link.c_str()), 0);
  std::vector<uint8_t> bytes;
  for (const std::string& path : {pipe, link, std::string("/dev/zero"), folder.Path().string()})
    EXPECT_FALSE(ReadPngFile(path, bytes, 1 << 20)) << path;
  // A link to a regular file is read as the file.
  const std::string good = Write("good.png", PngRecipe{1, 1, PNG_COLOR_TYPE_GRAY, 8, {{9}}});
  ASSERT_EQ(symlink(good.c_str(), folder.File("good-link.png").c_str()), 0);
  EXPECT_TRUE(DecodeFile(folder.File("good-link.png"), 1, 1));
}

// What a file may cost is set by the picture it must hold: a file longer than
// such a picture can need is refused unread, and a file that is read is read
// only up to the length it had when it was opened.
TEST_F(PngDecodeTest, AFileLongerThanItsPictureNeedsIsRefusedUnread) {
  // 480 x 360: 360 rows of a filter byte and 1920 bytes, twice over, and 64 KiB.
  EXPECT_EQ(MaxPngFileSize(480, 360), 2u * 360 * 1921 + 65536);
  EXPECT_EQ(MaxPngFileSize(0, 0), 2ull * 4096 * 16385 + 65536);

  const std::string small =
      testing::ReadBytes(Write("small.png", PngRecipe{2, 2, PNG_COLOR_TYPE_GRAY, 8, {{1, 2}, {3, 4}}}));
  const std::string padded = WithChunksBeforeEnd(small, Chunk("prVt", std::string(70000, 'x')));
  testing::WriteBytes(folder.File("padded.png"), padded);
  ASSERT_GT(padded.size(), MaxPngFileSize(2, 2));
  std::vector<uint8_t> bytes;
  EXPECT_FALSE(ReadPngFile(folder.File("padded.png"), bytes, padded.size() - 1));
  EXPECT_TRUE(bytes.empty());
  ASSERT_TRUE(ReadPngFile(folder.File("padded.png"), bytes, padded.size()));
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), padded);
}

// Compressed text is what made a small file expensive: each zTXt chunk of a
// few kilobytes inflates to megabytes, and libpng keeps a thousand of them.
// Text never makes pixels, so it is passed over unread.
TEST_F(PngDecodeTest, CompressedTextCostsNoMemory) {
  std::ofstream reset("/proc/self/clear_refs");
  if (!(reset << "5" << std::flush)) GTEST_SKIP() << "the peak resident size cannot be reset here";
  reset.close();

  const std::string inflated(4 << 20, 'a');
  uLongf packedSize = compressBound(inflated.size());
  std::string packed(packedSize, '\0');
  ASSERT_EQ(compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
                      reinterpret_cast<const Bytef*>(inflated.data()), inflated.size(), 9),
            Z_OK);
  packed.resize(packedSize);
  std::string text;
  for (int k = 0; k < 60; ++k) text += Chunk("zTXt", std::string("Comment\0\0", 9) + packed);

  std::vector<std::vector<uint8_t>> rows(360, std::vector<uint8_t>(480, 0x33));
  const std::string plain = testing::ReadBytes(Write("plain.png", PngRecipe{480, 360, PNG_COLOR_TYPE_GRAY, 8, rows}));
  const std::string wordy = WithChunksBeforeEnd(plain, text);
  ASSERT_LT(wordy.size(), MaxPngFileSize(480, 360));  // 60 x 4 MiB of text in about 250 KB
  testing::WriteBytes(folder.File("wordy.png"), wordy);

  const long before = PeakResidentKb();
  ASSERT_TRUE(DecodeFile(folder.File("wordy.png"), 480, 360));
  EXPECT_EQ(At(479, 359), (Bgra{0x33, 0x33, 0x33, 0}));
  EXPECT_LT(PeakResidentKb() - before, 32 * 1024) << "kilobytes more at the peak";
}

// `bytes` deflated as the next part of `stream`, flushed but not finished.
std::string DeflateMore(z_stream& stream, const std::string& bytes) {
  std::string out(compressBound(bytes.size()) + 64, '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
  stream.avail_in = static_cast<uInt>(bytes.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  EXPECT_EQ(deflate(&stream, Z_SYNC_FLUSH), Z_OK);
  return std::string(out.data(), reinterpret_cast<char*>(stream.next_out));
}

// Compressed data after the rows (here 256 MiB of zeros in 256 kB, never ended) is
// not inflated: the reading stops once the rows are read, and the picture shows.
TEST_F(PngDecodeTest, CompressedDataAfterTheRowsIsNotInflated) {
  z_stream rows{}, zeros{};
  ASSERT_EQ(deflateInit(&rows, 9), Z_OK);
  ASSERT_EQ(deflateInit2(&zeros, 9, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY), Z_OK);  // no header of its own
  std::string raw;
  for (int y = 0; y < 16; ++y) raw += std::string(1, '\0') + std::string(16, '\x40');  // filter byte, 16 grays
  std::string data = DeflateMore(rows, raw);
  // A raw stream of 1 MiB of zeros starts with a literal: it may follow anything, and itself.
  const std::string mebibyte = DeflateMore(zeros, std::string(1 << 20, '\0'));
  for (int k = 0; k < 256; ++k) data += mebibyte;
  deflateEnd(&rows);
  deflateEnd(&zeros);
  const std::string header = Be32(16) + Be32(16) + std::string{8, 0, 0, 0, 0};  // 8-bit gray
  const std::string file =
      std::string("\x89PNG\r\n\x1a\n", 8) + Chunk("IHDR", header) + Chunk("IDAT", data) + Chunk("IEND", "");
  ASSERT_TRUE(DecodePngData(reinterpret_cast<const uint8_t*>(file.data()), file.size(), image, 16, 16));
  EXPECT_EQ(At(15, 15), (Bgra{0x40, 0x40, 0x40, 0}));
}

TEST_F(PngDecodeTest, FailureClearsAnEarlierImage) {
  ASSERT_TRUE(DecodeFile(Write("ok.png", PngRecipe{1, 1, PNG_COLOR_TYPE_GRAY, 8, {{5}}})));
  EXPECT_FALSE(DecodePngData(reinterpret_cast<const uint8_t*>("not a picture"), 13, image));
  EXPECT_FALSE(image.loaded);
  EXPECT_EQ(image.width, 0u);
  EXPECT_TRUE(image.pixels.empty());
}

// A file that starts right but ends early fails inside libpng; the error path
// must close the file (and free both structures, which a leak checker sees).
TEST_F(PngDecodeTest, TruncatedFileFailsAndClosesTheFile) {
  std::vector<std::vector<uint8_t>> rows(64, std::vector<uint8_t>(64 * 3));
  for (size_t y = 0; y < rows.size(); ++y)
    for (size_t i = 0; i < rows[y].size(); ++i) rows[y][i] = static_cast<uint8_t>(y * 7 + i * 13);
  const std::string whole = testing::ReadBytes(Write("whole.png", PngRecipe{64, 64, PNG_COLOR_TYPE_RGB, 8, rows}));
  ASSERT_TRUE(DecodeFile(folder.File("whole.png")));

  const int filesBefore = testing::OpenFileCount();
  for (size_t length : {size_t{8}, size_t{20}, size_t{40}, whole.size() / 2, whole.size() - 13}) {
    const std::string path = folder.File("cut" + std::to_string(length) + ".png");
    testing::WriteBytes(path, whole.substr(0, length));
    EXPECT_FALSE(DecodeFile(path)) << length;
    EXPECT_FALSE(image.loaded);
  }
  EXPECT_EQ(testing::OpenFileCount(), filesBefore);
}

TEST_F(PngDecodeTest, CorruptDataFailsAndClosesTheFile) {
  std::vector<std::vector<uint8_t>> rows(16, std::vector<uint8_t>(16, 0x5A));
  std::string bytes = testing::ReadBytes(Write("g.png", PngRecipe{16, 16, PNG_COLOR_TYPE_GRAY, 8, rows}));
  const size_t idat = bytes.find("IDAT");
  ASSERT_NE(idat, std::string::npos);
  bytes[idat + 6] = static_cast<char>(bytes[idat + 6] ^ 0xFF);  // inside the compressed data: CRC mismatch
  testing::WriteBytes(folder.File("bad.png"), bytes);
  const int filesBefore = testing::OpenFileCount();
  EXPECT_FALSE(DecodeFile(folder.File("bad.png")));
  EXPECT_EQ(testing::OpenFileCount(), filesBefore);
}

}  // namespace
}  // namespace velmora
