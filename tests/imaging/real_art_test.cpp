// The art the build draws, through the game's own loader: the built-in
// bitmaps as any reader sees them, the intro pages kept until shown and
// checked at start-up when they are not the build's own.
#include <gtest/gtest.h>

#include <QFile>
#include <QResource>

#include <filesystem>
#include <fstream>

#include "art_loader.h"
#include "fake_engine_host.h"
#include "imaging_test_support.h"
#include "image_operations.h"
#include "imaging_texts.h"
#include "png_image.h"
#include "test_art.h"

namespace velmora {
namespace {

// The table holds no pixels for the intro pages: each is its own file's
// picture when its page opens.
TEST(RealArtTest, IntroPagesAreDecodedWhenShown) {
  testing::FakeEngineHost host;
  GameBitmapTable table;
  ArtLoader loader(host, QStringLiteral(VELMORA_RUNTIME_FOLDER));
  ASSERT_TRUE(loader.LoadGameArt(table));
  EXPECT_TRUE(host.reports.empty());
  for (int index = 147; index <= 156; ++index) {
    EXPECT_TRUE(table.Entry(index).isNull()) << index;
    PngImage png;
    ASSERT_TRUE(testing::DecodePngFile(QFile::encodeName(loader.PngPath(index)).toStdString(), png)) << index;
    EXPECT_EQ(table.Picture(index), ImageFromPng(png)) << index;
  }
}

TEST(RealArtTest, BuiltInBitmapsReadAsQtReadsThem) {
  testing::FakeEngineHost host;
  GameBitmapTable table;
  ArtLoader loader(host, QStringLiteral(VELMORA_RUNTIME_FOLDER));
  ASSERT_TRUE(loader.LoadGameArt(table));
  for (int index = 0; index < GameBitmapTable::Size(); ++index) {
    if (ArtLoader::IsPngIndex(index)) continue;
    const int id = GameBitmapTable::IdOf(index);
    const QImage qt = QImage(loader.ResourcePath(id)).convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(table.Entry(index), qt) << id;
    // Used where it lies in the program, not copied.
    const QResource resource(loader.ResourcePath(id));
    const uchar* pixels = table.Entry(index).constBits();
    EXPECT_TRUE(pixels > resource.data() && pixels < resource.data() + resource.size()) << id;
  }
}

// A page whose bytes are not the ones the game was built with is decoded at
// start-up to find out whether it can be shown: a damaged one stops the load.
TEST(RealArtTest, AnIntroPageOtherThanTheBuildsIsDecodedToBeSure) {
  namespace fs = std::filesystem;
  testing::TempFolder folder;
  fs::copy(fs::path(VELMORA_RUNTIME_FOLDER) / "art", folder.Path() / "art", fs::copy_options::recursive);
  const fs::path pages = folder.Path() / "art/introDialogues/pages";
  const std::string welcome = testing::ReadBytes((pages / "IDPageAWelcome.png").string());
  const std::string blocks = testing::ReadBytes((pages / "IDPageGCTutorialBlocks.png").string());
  {
    // Another page's picture in the Blocks page's place: not the build's bytes, but a picture.
    std::ofstream(pages / "IDPageGCTutorialBlocks.png", std::ios::binary | std::ios::trunc) << welcome;
    testing::FakeEngineHost host;
    GameBitmapTable table;
    ASSERT_TRUE(ArtLoader(host, folder.QPath()).LoadGameArt(table));
    EXPECT_EQ(table.Picture(152), table.Picture(147));
  }
  {
    // One byte of the page's own file changed in the middle of the picture data:
    // the size is still the build's.
    std::string damaged = blocks;
    damaged[damaged.size() / 2] = static_cast<char>(damaged[damaged.size() / 2] ^ 0x55);
    std::ofstream(pages / "IDPageGCTutorialBlocks.png", std::ios::binary | std::ios::trunc) << damaged;
    testing::FakeEngineHost host;
    GameBitmapTable table;
    EXPECT_FALSE(ArtLoader(host, folder.QPath()).LoadGameArt(table));
    EXPECT_FALSE(table.ArtLoaded());
    ASSERT_EQ(host.reports.size(), 2u);
    EXPECT_EQ(host.reports[0].text, imaging::texts::kPngLoadFailed);
    EXPECT_EQ(host.reports[1].text, imaging::texts::kImageDataLoadFailed);
  }
}

// The table keeps nothing of an intro page: the page is read from its file each
// time it opens, and shows what the file then holds (nothing once it is removed).
TEST(RealArtTest, AnIntroPageIsReadWhenItOpens) {
  namespace fs = std::filesystem;
  testing::TempFolder folder;
  fs::copy(fs::path(VELMORA_RUNTIME_FOLDER) / "art", folder.Path() / "art", fs::copy_options::recursive);
  const fs::path pages = folder.Path() / "art/introDialogues/pages";
  testing::FakeEngineHost host;
  GameBitmapTable table;
  ASSERT_TRUE(ArtLoader(host, folder.QPath()).LoadGameArt(table));
  PngImage color;
  ASSERT_TRUE(testing::DecodePngFile((pages / "IDPageDColor.png").string(), color));
  const QImage colorPicture = ImageFromPng(color);
  ASSERT_NE(table.Picture(152), colorPicture);
  EXPECT_TRUE(table.BuildsOwnFile(152));

  fs::remove(pages / "IDPageAWelcome.png");
  fs::copy_file(pages / "IDPageDColor.png", pages / "IDPageGCTutorialBlocks.png", fs::copy_options::overwrite_existing);
  EXPECT_TRUE(table.Picture(147).isNull());
  EXPECT_EQ(table.Picture(152), colorPicture);
  EXPECT_FALSE(table.BuildsOwnFile(152));  // its large picture is no longer the build's
}

// On a scaled screen a large picture is read when first drawn, perhaps after
// colour changes: it must then be what it would have been had it been read at
// start-up and shifted with the rest (each large picture as the program holds
// it, shifted 100 and then 250 degrees, one shift after the other), and so
// must one held from before the shifts. The main background, held as runs,
// expands to the pixels of its PNG, in part too.
TEST(RealArtTest, LargePicturesReadLateAreShiftedAsIfReadAtStart) {
  testing::FakeEngineHost host;
  GameBitmapTable table;
  ASSERT_TRUE(ArtLoader(host, QStringLiteral(VELMORA_RUNTIME_FOLDER)).LoadGameArt(table));
  table.SetSharpArt(true);
  ImageOperations operations(host);
  auto shiftedAtStart = [&](int index) {
    QImage image = ArtLoader::SharpPicture(index);
    EXPECT_TRUE(operations.ShiftHue(image, 100.0f));
    EXPECT_TRUE(operations.ShiftHue(image, 250.0f));
    return image;
  };
  // A second table holds its large pictures from before the shifts.
  GameBitmapTable early;
  ASSERT_TRUE(ArtLoader(host, QStringLiteral(VELMORA_RUNTIME_FOLDER)).LoadGameArt(early));
  early.SetSharpArt(true);
  ASSERT_EQ(early.SharpEntry(5).size(), QSize(80, 80));
  ASSERT_NE(early.SharpRuns(imaging::kMainBackgroundIndex), nullptr);
  for (GameBitmapTable* shifted : {&table, &early}) {
    ASSERT_TRUE(operations.ChangeGameColor(*shifted, 100.0f));
    ASSERT_TRUE(operations.ChangeGameColor(*shifted, 250.0f));
  }
  EXPECT_EQ(early.SharpEntry(5), shiftedAtStart(5));
  EXPECT_EQ(early.SharpRuns(imaging::kMainBackgroundIndex)->Expand(QRect(0, 0, 1280, 960)),
            shiftedAtStart(imaging::kMainBackgroundIndex));
  for (int index : {5, 80, 160, 180, 185}) {
    const QImage expected = shiftedAtStart(index);
    ASSERT_FALSE(expected.isNull()) << index;
    EXPECT_EQ(table.SharpEntry(index), expected) << index;
    EXPECT_NE(expected, ArtLoader::SharpPicture(index)) << index << ": the shift changes the picture";
  }
  // The orange buttons are never recoloured.
  EXPECT_EQ(table.SharpPicture(140), ArtLoader::SharpPicture(140));

  const RunImage* runs = table.SharpRuns(imaging::kMainBackgroundIndex);
  ASSERT_NE(runs, nullptr);
  const QImage background = shiftedAtStart(imaging::kMainBackgroundIndex);
  ASSERT_EQ(background.size(), QSize(1280, 960));
  EXPECT_EQ(runs->Expand(QRect(0, 0, 1280, 960)), background);
  for (const QRect part : {QRect(1043, 643, 217, 81), QRect(0, 77, 1, 300), QRect(1279, 959, 1, 1)})
    EXPECT_EQ(runs->Expand(part), background.copy(part)) << part.x() << "," << part.y();
  EXPECT_TRUE(table.SharpEntry(imaging::kMainBackgroundIndex).isNull()) << "held as runs only";
}

}  // namespace
}  // namespace velmora
