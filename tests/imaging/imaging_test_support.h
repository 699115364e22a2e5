#pragma once
// Helpers of the imaging tests: a fresh folder per test, PNG files of any
// colour type written with libpng, 24-bit and alpha BMP files, and pixels.
#include <QImage>
#include <QString>

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "png_image.h"

namespace velmora::testing {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  QString QPath() const { return QString::fromStdString(path_.string()); }
  std::string File(const std::string& relative) const { return (path_ / relative).string(); }

 private:
  std::filesystem::path path_;
};

// What a test PNG is made of: raw (already packed) rows for the colour type
// (PNG_COLOR_TYPE_*) and bit depth, with an optional palette (r, g, b triples)
// and tRNS bytes.
struct PngRecipe {
  PngRecipe(uint32_t w, uint32_t h, int type, int depth, std::vector<std::vector<uint8_t>> pixelRows)
      : width(w), height(h), colorType(type), bitDepth(depth), rows(std::move(pixelRows)) {}
  uint32_t width, height;
  int colorType, bitDepth;
  std::vector<std::vector<uint8_t>> rows;
  std::vector<uint8_t> palette;
  std::vector<uint8_t> transparency;
};
// Writes the file with libpng; false when libpng refused.
bool WritePng(const std::string& path, const PngRecipe& recipe);
// A PNG file read and decoded as the art loader reads and decodes it.
bool DecodePngFile(const std::string& path, PngImage& image, uint32_t width = 0, uint32_t height = 0);

// A Windows BMP file as the program's resources hold them: 24-bit, or 32-bit
// with an alpha mask.
void WriteBmp(const std::string& path, const QImage& image, bool alpha);

void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);

// Bytes of a pixel as the image stores them in memory: blue, green, red, alpha.
struct Bgra {
  int b = 0, g = 0, r = 0, a = 0;
  bool operator==(const Bgra&) const = default;
};
Bgra BgraAt(const QImage& image, int x, int y);
Bgra BgraAt(const std::vector<uint8_t>& pixels, uint32_t width, uint32_t x, uint32_t y);
// A Format_ARGB32 image of one colour.
QImage Filled(int width, int height, uint32_t argb);

// Number of open file descriptors of this process.
int OpenFileCount();

}  // namespace velmora::testing
