// The art the build draws, through the game's own loader: every entry loads,
// at the size of the art table, in the table's pixel format.
#include <gtest/gtest.h>

#include <set>

#include "art_loader.h"
#include "fake_engine_host.h"
#include "image_operations.h"
#include "test_art.h"

namespace velmora {
namespace {

TEST(RealArtTest, LoadsEveryEntryAtItsSize) {
  testing::FakeEngineHost host;
  GameBitmapTable table;
  ArtLoader loader(host, QStringLiteral(VELMORA_RUNTIME_FOLDER));
  ASSERT_TRUE(loader.LoadGameArt(table));
  EXPECT_TRUE(host.reports.empty());
  for (int index = 0; index < GameBitmapTable::Size(); ++index) {
    EXPECT_EQ(table.Entry(index).size(), testing::ArtSize(index)) << "entry " << index;
    EXPECT_EQ(table.Entry(index).format(), QImage::Format_ARGB32) << "entry " << index;
  }
}

TEST(RealArtTest, SplashLogoCarriesItsAlpha) {
  testing::FakeEngineHost host;
  GameBitmapTable table;
  ArtLoader loader(host, QStringLiteral(VELMORA_RUNTIME_FOLDER));
  ASSERT_TRUE(loader.LoadResourceBitmap(311, table, 180));
  std::set<int> alphas;
  const QImage& logo = table.Entry(180);
  for (int y = 0; y < logo.height(); y += 3)
    for (int x = 0; x < logo.width(); x += 3) alphas.insert(qAlpha(logo.pixel(x, y)));
  EXPECT_TRUE(alphas.count(0)) << "no transparent pixels";
  EXPECT_TRUE(alphas.count(255)) << "no opaque pixels";
}

TEST(RealArtTest, MessageBackgroundsBuildFromIt) {
  testing::FakeEngineHost host;
  GameBitmapTable table;
  ASSERT_TRUE(ArtLoader(host, QStringLiteral(VELMORA_RUNTIME_FOLDER)).LoadGameArt(table));
  ImageOperations operations(host);
  MessageBackgrounds backgrounds;
  ASSERT_TRUE(operations.ChangeGameColor(table, 100.0f, backgrounds));
  EXPECT_TRUE(backgrounds.ready);
  EXPECT_TRUE(host.reports.empty());
}

}  // namespace
}  // namespace velmora
