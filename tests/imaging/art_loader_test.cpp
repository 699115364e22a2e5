// Loading the art table: the built-in bitmaps, the PNG files, the order and
// the first failure.
#include <png.h>

#include <QFile>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <tuple>

#include "art_loader.h"
#include "fake_engine_host.h"
#include "imaging_test_support.h"
#include "imaging_texts.h"
#include "test_art.h"

namespace velmora {
namespace {

namespace texts = imaging::texts;
using testing::Bgra;
using testing::BgraAt;

std::vector<std::string> Texts(const testing::FakeEngineHost& host) {
  std::vector<std::string> all;
  for (const auto& report : host.reports) all.push_back(report.text);
  return all;
}

class ArtLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resources = folder.QPath() + "/resources";
    working = folder.QPath() + "/work";
    ASSERT_TRUE(testing::WriteTestArt(resources, working));
  }
  ArtLoader Loader() { return ArtLoader(host, working, resources); }
  std::string ArtFile(const std::string& relative) { return working.toStdString() + "/art/" + relative; }
  void ExpectAllLogOnly() {
    for (const auto& report : host.reports) {
      EXPECT_TRUE(report.logOnly) << report.text;
      EXPECT_FALSE(report.fatal) << report.text;
    }
  }

  testing::TempFolder folder;
  QString resources;
  QString working;
  testing::FakeEngineHost host;
  GameBitmapTable table;
};

TEST_F(ArtLoaderTest, LoadsEveryEntryAtItsSize) {
  ArtLoader loader = Loader();
  ASSERT_TRUE(loader.LoadGameArt(table));
  EXPECT_TRUE(table.ArtLoaded());
  EXPECT_TRUE(host.reports.empty());
  for (int index = 0; index < GameBitmapTable::Size(); ++index) {
    const QImage entry = table.Picture(index);
    ASSERT_FALSE(entry.isNull()) << index;
    EXPECT_EQ(entry.format(), QImage::Format_ARGB32) << index;
    EXPECT_EQ(entry.size(), testing::ArtSize(index)) << index;
  }
  // The entry of bitmap id 288 is the generic dialog background.
  EXPECT_EQ(&table.ById(288), &table.Entry(157));
}

TEST_F(ArtLoaderTest, AlphaBytesFollowTheSource) {
  ASSERT_TRUE(Loader().LoadGameArt(table));
  // 24-bit resources are opaque, RGB PNG files carry alpha 0, the logo keeps its own.
  EXPECT_EQ(BgraAt(table.Entry(0), 5, 5).a, 255);
  EXPECT_EQ(BgraAt(table.Entry(138), 5, 5).a, 0);
  EXPECT_EQ(BgraAt(table.Entry(180), 0, 10).a, 0);
  EXPECT_EQ(BgraAt(table.Entry(180), 200, 10).a, 127);
  EXPECT_EQ(BgraAt(table.Entry(180), 399, 10).a, 254);
}

TEST_F(ArtLoaderTest, PngPixelsAreCopiedAsDecoded) {
  testing::PngRecipe recipe{480, 480, PNG_COLOR_TYPE_RGB_ALPHA, 8, {480, std::vector<uint8_t>(480 * 4, 0)}};
  const std::vector<uint8_t> first{10, 20, 30, 40, 50, 60, 70, 80};
  std::copy(first.begin(), first.end(), recipe.rows[0].begin());
  ASSERT_TRUE(testing::WritePng(ArtFile("dialogues/backgroundGeneric480x480.png"), recipe));
  ASSERT_TRUE(Loader().LoadGameArt(table));
  const QImage entry = table.Picture(157);
  ASSERT_EQ(entry.size(), QSize(480, 480));
  EXPECT_EQ(BgraAt(entry, 0, 0), (Bgra{30, 20, 10, 40}));
  EXPECT_EQ(BgraAt(entry, 1, 0), (Bgra{70, 60, 50, 80}));
}

TEST_F(ArtLoaderTest, PngPathsLieBelowTheArtFolder) {
  ArtLoader loader = Loader();
  EXPECT_EQ(loader.PngPath(138), working + "/art/background640x480.png");
  EXPECT_EQ(loader.PngPath(152), working + "/art/introDialogues/pages/IDPageGCTutorialBlocks.png");
  EXPECT_EQ(loader.PngPath(157), working + "/art/dialogues/backgroundGeneric480x480.png");
  EXPECT_TRUE(loader.PngPath(139).isEmpty());
  int pngEntries = 0;
  for (int index = 0; index < GameBitmapTable::Size(); ++index) pngEntries += ArtLoader::IsPngIndex(index);
  EXPECT_EQ(pngEntries, 12);
}

TEST_F(ArtLoaderTest, MissingBackgroundStopsAtItsEntry) {
  std::filesystem::remove(ArtFile("background640x480.png"));
  ASSERT_FALSE(Loader().LoadGameArt(table));
  EXPECT_FALSE(table.ArtLoaded());
  for (int index = 0; index < 138; ++index) EXPECT_FALSE(table.Entry(index).isNull()) << index;
  for (int index = 138; index < GameBitmapTable::Size(); ++index) EXPECT_TRUE(table.Entry(index).isNull()) << index;
  EXPECT_EQ(Texts(host), (std::vector<std::string>{texts::kPngLoadFailed, texts::kImageDataLoadFailed}));
  ExpectAllLogOnly();
}

// A 16-bit file stops the loading as a missing file does, and so does a
// background or generic dialog background of any size but its own.
TEST_F(ArtLoaderTest, SixteenBitOrWrongSizeFixedArtStopsLikeAMissingFile) {
  struct Case {
    const char* file;
    testing::PngRecipe recipe;
    int index;
  };
  const Case cases[] = {
      {"introDialogues/pages/IDPageAWelcome.png",
       {480, 360, PNG_COLOR_TYPE_GRAY, 16, {360, std::vector<uint8_t>(960, 1)}},
       147},
      {"background640x480.png", {639, 480, PNG_COLOR_TYPE_GRAY, 8, {480, std::vector<uint8_t>(639, 7)}}, 138},
      {"dialogues/backgroundGeneric480x480.png",
       {480, 481, PNG_COLOR_TYPE_GRAY, 8, {481, std::vector<uint8_t>(480, 7)}},
       157},
  };
  for (const Case& bad : cases) {
    host.reports.clear();
    table = GameBitmapTable();
    const std::string good = testing::ReadBytes(ArtFile(bad.file));
    ASSERT_TRUE(testing::WritePng(ArtFile(bad.file), bad.recipe));
    ASSERT_FALSE(Loader().LoadGameArt(table)) << bad.file;
    EXPECT_FALSE(table.ArtLoaded());
    EXPECT_FALSE(table.Picture(bad.index - 1).isNull()) << bad.file;
    EXPECT_TRUE(table.Picture(bad.index).isNull()) << bad.file;
    EXPECT_EQ(Texts(host), (std::vector<std::string>{texts::kPngLoadFailed, texts::kImageDataLoadFailed}));
    std::ofstream(ArtFile(bad.file), std::ios::binary | std::ios::trunc) << good;
  }
}

// An intro page takes its size from its file, up to 960 x 720, in a file of at most
// 2 x 720 x (960 x 4 + 1) + 64 KiB = 5 596 576 bytes; the twelve files together at most
// 18 920 352 (the background's 2 524 096, the dialog's 1 909 696, ten pages of 1 448 656).
TEST_F(ArtLoaderTest, AnIntroPageHasTheSizeOfItsFileWithinWhatTheArtNeeds) {
  const std::string wrap = ArtFile("introDialogues/pages/IDPageGGTutorialWrap.png");
  testing::PngRecipe narrower{479, 2, PNG_COLOR_TYPE_GRAY, 8, {2, std::vector<uint8_t>(479, 7)}};
  narrower.rows[1][478] = 200;
  ASSERT_TRUE(testing::WritePng(ArtFile("introDialogues/pages/IDPageAWelcome.png"), narrower));
  ASSERT_TRUE(testing::WritePng(wrap, {960, 720, PNG_COLOR_TYPE_GRAY, 8, {720, std::vector<uint8_t>(960, 9)}}));
  ASSERT_TRUE(Loader().LoadGameArt(table));
  EXPECT_TRUE(host.reports.empty());
  const QImage welcome = table.Picture(147);
  ASSERT_EQ(welcome.size(), QSize(479, 2));
  EXPECT_EQ(BgraAt(welcome, 478, 1), (Bgra{200, 200, 200, 0}));
  EXPECT_EQ(BgraAt(welcome, 0, 0), (Bgra{7, 7, 7, 0}));
  EXPECT_EQ(table.Picture(156).size(), QSize(960, 720));
  EXPECT_EQ(table.Picture(148).size(), QSize(480, 360));
  ASSERT_TRUE(testing::WritePng(wrap, {961, 1, PNG_COLOR_TYPE_GRAY, 8, {1, std::vector<uint8_t>(961, 9)}}));
  EXPECT_FALSE(Loader().LoadGameArt(table));

  // Page files of 1 x 1 pictures padded by a private chunk: Wrap Up, and the nine others.
  ASSERT_TRUE(testing::WritePng(wrap, {1, 1, PNG_COLOR_TYPE_GRAY, 8, {{5}}}));
  const std::string tiny = testing::ReadBytes(wrap);
  auto padded = [&](uint32_t bytes) {
    const uint32_t data = bytes - static_cast<uint32_t>(tiny.size()) - 12;
    const std::string length{static_cast<char>(data >> 24), static_cast<char>(data >> 16), static_cast<char>(data >> 8),
                             static_cast<char>(data)};
    return std::string(tiny).insert(tiny.size() - 12, length + "prVt" + std::string(data, 'x') + "CRC!");
  };
  for (const auto& [wrapBytes, otherBytes, loads] : std::vector<std::tuple<uint32_t, uint32_t, bool>>{
           {5596576, 0, true}, {5596577, 0, false}, {1850000, 1850000, true}, {1900000, 1900000, false}}) {
    host.reports.clear();
    testing::WriteBytes(wrap, padded(wrapBytes));
    for (const imaging::PngArtFile& page : imaging::kPngArtFiles)
      if (page.index >= 147 && page.index <= 155 && otherBytes > 0)
        testing::WriteBytes(ArtFile(page.relativePath), padded(otherBytes));
    EXPECT_EQ(Loader().LoadGameArt(table), loads) << wrapBytes;
    EXPECT_EQ(host.reports.size(), loads ? 0u : 2u) << wrapBytes;  // kPngLoadFailed, kImageDataLoadFailed
  }
}

TEST_F(ArtLoaderTest, MissingResourceStopsAtItsEntry) {
  ASSERT_TRUE(QFile::remove(resources + "/181.bmp"));  // entry 50
  ASSERT_FALSE(Loader().LoadGameArt(table));
  EXPECT_FALSE(table.ArtLoaded());
  EXPECT_FALSE(table.Entry(49).isNull());
  EXPECT_TRUE(table.Entry(50).isNull());
  EXPECT_TRUE(table.Entry(51).isNull());
  EXPECT_EQ(Texts(host), (std::vector<std::string>{texts::kResourceLoadFailed}));
  ExpectAllLogOnly();
}

// The PNG files decode beside the built-in bitmaps, yet with two faults the one
// at the lower index is the one reported, whichever kind it is.
TEST_F(ArtLoaderTest, WithTwoFaultsTheLowerIndexIsReported) {
  ASSERT_TRUE(QFile::remove(resources + "/270.bmp"));         // entry 139, after the background
  std::filesystem::remove(ArtFile("background640x480.png"));  // entry 138
  ASSERT_FALSE(Loader().LoadGameArt(table));
  EXPECT_FALSE(table.Entry(137).isNull());
  EXPECT_TRUE(table.Entry(138).isNull());
  EXPECT_TRUE(table.Entry(147).isNull());
  EXPECT_EQ(Texts(host), (std::vector<std::string>{texts::kPngLoadFailed, texts::kImageDataLoadFailed}));

  host.reports.clear();
  table = GameBitmapTable();
  ASSERT_TRUE(QFile::remove(resources + "/181.bmp"));  // entry 50, before any PNG file
  ASSERT_FALSE(Loader().LoadGameArt(table));
  EXPECT_FALSE(table.Entry(49).isNull());
  EXPECT_TRUE(table.Entry(50).isNull());
  EXPECT_TRUE(table.Entry(138).isNull());
  EXPECT_EQ(Texts(host), (std::vector<std::string>{texts::kResourceLoadFailed}));
}

TEST_F(ArtLoaderTest, ReloadAfterFailureClearsTheFlag) {
  ASSERT_TRUE(Loader().LoadGameArt(table));
  std::filesystem::remove(ArtFile("dialogues/backgroundGeneric480x480.png"));
  EXPECT_FALSE(Loader().LoadGameArt(table));
  EXPECT_FALSE(table.ArtLoaded());
  EXPECT_TRUE(table.Entry(157).isNull());
}

// The same loader reads bitmaps compiled into the program as Qt resources
// (here only the first, 131, is there, so the load stops at the second).
TEST(ArtLoaderResourceTest, ReadsCompiledInBitmaps) {
  testing::FakeEngineHost host;
  GameBitmapTable table;
  ArtLoader loader(host, QStringLiteral("/nonexistent"), QStringLiteral(":/imaging-test/bitmaps"));
  EXPECT_EQ(loader.ResourcePath(131), QStringLiteral(":/imaging-test/bitmaps/131.bmp"));

  EXPECT_FALSE(loader.LoadGameArt(table));
  const QImage& tile = table.Entry(0);
  ASSERT_EQ(tile.size(), QSize(4, 3));
  EXPECT_EQ(tile.format(), QImage::Format_ARGB32);
  EXPECT_EQ(BgraAt(tile, 0, 0), (Bgra{77, 2, 1, 255}));
  EXPECT_EQ(BgraAt(tile, 3, 2), (Bgra{77, 42, 31, 255}));

  EXPECT_TRUE(table.Entry(1).isNull());
  ASSERT_EQ(host.reports.size(), 1u);
  EXPECT_EQ(host.reports[0].text, texts::kResourceLoadFailed);
}

}  // namespace
}  // namespace velmora
