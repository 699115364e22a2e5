#include "imaging_test_support.h"

#include <png.h>
#include <stdlib.h>

#include <csetjmp>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace velmora::testing {
namespace fs = std::filesystem;

TempFolder::TempFolder() {
  std::string pattern = (fs::temp_directory_path() / "velmora-imaging-XXXXXX").string();
  if (!mkdtemp(pattern.data())) std::abort();
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

bool DecodePngFile(const std::string& path, PngImage& image, uint32_t width, uint32_t height) {
  std::vector<uint8_t> bytes;  // none from a file that cannot be read: the decoder refuses that as no PNG
  static_cast<void>(ReadPngFile(path, bytes, MaxPngFileSize(width, height)));
  return DecodePngData(bytes.data(), bytes.size(), image, width, height);
}

namespace {

// Runs the libpng writer; kept apart so that the setjmp frame holds plain data only.
bool WritePngFile(std::FILE* file, const PngRecipe& recipe, png_bytep* rows) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, recipe.width, recipe.height, recipe.bitDepth, recipe.colorType, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!recipe.palette.empty()) {
    std::vector<png_color> colors;
    for (size_t i = 0; i + 2 < recipe.palette.size(); i += 3) {
      colors.push_back({recipe.palette[i], recipe.palette[i + 1], recipe.palette[i + 2]});
    }
    png_set_PLTE(png, info, colors.data(), static_cast<int>(colors.size()));
  }
  if (!recipe.transparency.empty()) {
    png_set_tRNS(png, info, recipe.transparency.data(), static_cast<int>(recipe.transparency.size()), nullptr);
  }
  png_set_rows(png, info, rows);
  png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

void Put16(std::string& out, uint32_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>((v >> 8) & 0xFF));
}
void Put32(std::string& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

std::string BmpFile(const QImage& source, bool alpha) {
  const QImage image = source.convertToFormat(QImage::Format_ARGB32);
  const uint32_t width = static_cast<uint32_t>(image.width());
  const uint32_t height = static_cast<uint32_t>(image.height());
  const uint32_t rowBytes = alpha ? width * 4 : (width * 3 + 3) & ~3u;
  const uint32_t headerBytes = alpha ? 124 : 40;
  const uint32_t offset = 14 + headerBytes;
  std::string out = "BM";
  Put32(out, offset + rowBytes * height);
  Put32(out, 0);
  Put32(out, offset);
  Put32(out, headerBytes);
  Put32(out, width);
  Put32(out, height);  // bottom-up
  Put16(out, 1);
  Put16(out, alpha ? 32 : 24);
  Put32(out, alpha ? 3 : 0);  // BI_BITFIELDS : BI_RGB
  Put32(out, rowBytes * height);
  Put32(out, 2835);
  Put32(out, 2835);
  Put32(out, 0);
  Put32(out, 0);
  if (alpha) {
    Put32(out, 0x00FF0000);
    Put32(out, 0x0000FF00);
    Put32(out, 0x000000FF);
    Put32(out, 0xFF000000);
    Put32(out, 0x73524742);     // 'sRGB'
    out.append(36 + 12, '\0');  // endpoints, gamma
    Put32(out, 4);              // LCS_GM_IMAGES
    out.append(12, '\0');       // profile data, size, reserved
  }
  const size_t pixelsAt = out.size();
  out.resize(pixelsAt + static_cast<size_t>(rowBytes) * height, '\0');
  char* line = out.data() + pixelsAt;
  for (int y = image.height() - 1; y >= 0; --y, line += rowBytes) {
    const auto* row = reinterpret_cast<const uint32_t*>(image.constScanLine(y));
    char* p = line;
    for (uint32_t x = 0; x < width; ++x) {
      *p++ = static_cast<char>(qBlue(row[x]));
      *p++ = static_cast<char>(qGreen(row[x]));
      *p++ = static_cast<char>(qRed(row[x]));
      if (alpha) *p++ = static_cast<char>(qAlpha(row[x]));
    }
  }
  return out;
}

}  // namespace

bool WritePng(const std::string& path, const PngRecipe& recipe) {
  std::vector<png_bytep> rows;
  for (const auto& row : recipe.rows) rows.push_back(const_cast<png_bytep>(row.data()));
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool written = WritePngFile(file, recipe, rows.data());
  std::fclose(file);
  return written;
}

void WriteBmp(const std::string& path, const QImage& image, bool alpha) { WriteBytes(path, BmpFile(image, alpha)); }

void WriteBytes(const std::string& path, const std::string& bytes) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

Bgra BgraAt(const QImage& image, int x, int y) {
  const uint8_t* p = image.constScanLine(y) + static_cast<size_t>(x) * 4;
  return {p[0], p[1], p[2], p[3]};
}

Bgra BgraAt(const std::vector<uint8_t>& pixels, uint32_t width, uint32_t x, uint32_t y) {
  const uint8_t* p = pixels.data() + (static_cast<size_t>(y) * width + x) * 4;
  return {p[0], p[1], p[2], p[3]};
}

QImage Filled(int width, int height, uint32_t argb) {
  QImage image(width, height, QImage::Format_ARGB32);
  image.fill(argb);
  return image;
}

int OpenFileCount() {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator("/proc/self/fd")) ++count;
  return count;
}

}  // namespace velmora::testing
