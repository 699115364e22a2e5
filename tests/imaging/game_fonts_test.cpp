// The three game fonts and the fall-back from face to face.
#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

#include <cstring>

#include <gtest/gtest.h>

#include "fake_engine_host.h"
#include "game_fonts.h"
#include "imaging_texts.h"

namespace velmora {
namespace {

namespace texts = imaging::texts;

bool Installed(const char* family) {
  for (const QString& listed : QFontDatabase::families()) {
    if (listed.startsWith(QLatin1String(family), Qt::CaseInsensitive) &&
        (listed.size() == qsizetype(strlen(family)) || listed.at(qsizetype(strlen(family))) == QLatin1Char(' ')))
      return true;
  }
  return false;
}

std::string FaceFailed(const char* face) {
  return std::string(texts::kFontFailedBefore) + face + texts::kFontFailedAfter;
}

QString ChosenFamily(const QFont& font) {
  QString family = QFontInfo(font).family();
  const qsizetype bracket = family.indexOf(QLatin1String(" ["));
  return bracket < 0 ? family : family.left(bracket);
}

// The install step brings in the default face; without it these tests fail.
class GameFontsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(Installed(GameFonts::kDefaultFace)); }
  testing::FakeEngineHost host;
};

TEST_F(GameFontsTest, MissingGameFaceFallsBackFaceByFace) {
  if (Installed("Copperplate Gothic Bold") || Installed("Copperplate Gothic"))
    GTEST_SKIP() << "the game face is installed";
  GameFonts fonts(host);
  EXPECT_TRUE(fonts.CreateGameFonts());

  const bool tahoma = Installed("Tahoma");
  std::vector<std::string> expected;
  for (int i = 0; i < 3; ++i) {
    expected.push_back(FaceFailed("Copperplate Gothic Bold"));
    if (!tahoma) expected.push_back(FaceFailed("Tahoma Bold"));
  }
  std::vector<std::string> reported;
  for (const auto& report : host.reports) {
    reported.push_back(report.text);
    EXPECT_TRUE(report.logOnly);
  }
  EXPECT_EQ(reported, expected);

  for (int i = 0; i < 3; ++i) {
    EXPECT_TRUE(fonts.Created(i));
    EXPECT_EQ(fonts.Font(i).pixelSize(), imaging::kGameFontHeights[size_t(i)]);
    EXPECT_EQ(ChosenFamily(fonts.Font(i)), tahoma ? "Tahoma" : GameFonts::kDefaultFace);
  }
  EXPECT_EQ(fonts.Font(0).pixelSize(), 12);
  EXPECT_EQ(fonts.Font(2).pixelSize(), 20);
  if (!tahoma) {
    EXPECT_EQ(QFontInfo(fonts.Font(1)).weight(), GameFonts::kDefaultFaceWeight);
  }
}

TEST_F(GameFontsTest, InstalledFaceIsUsedWithoutReports) {
  if (!Installed("DejaVu Sans")) GTEST_SKIP() << "DejaVu Sans is not installed";
  GameFonts fonts(host);
  ASSERT_TRUE(fonts.SetGameFont(1, 16, QStringLiteral("DejaVu Sans")));
  EXPECT_TRUE(host.reports.empty());
  EXPECT_EQ(ChosenFamily(fonts.Font(1)), "DejaVu Sans");
  EXPECT_EQ(fonts.Font(1).weight(), QFont::Normal);
  EXPECT_FALSE(fonts.Font(1).italic());
  EXPECT_FALSE(fonts.Font(1).underline());
}

TEST_F(GameFontsTest, FaceNamedWithBoldIsFoundAsTheBoldStyle) {
  if (!Installed("DejaVu Sans")) GTEST_SKIP() << "DejaVu Sans is not installed";
  GameFonts fonts(host);
  ASSERT_TRUE(fonts.SetGameFont(0, 12, QStringLiteral("DejaVu Sans Bold")));
  EXPECT_TRUE(host.reports.empty());
  EXPECT_EQ(ChosenFamily(fonts.Font(0)), "DejaVu Sans");
  EXPECT_EQ(QFontInfo(fonts.Font(0)).weight(), QFont::Bold);
}

TEST_F(GameFontsTest, NoFaceAtAllStillLeavesAUsableFont) {
  if (Installed("Tahoma")) GTEST_SKIP() << "Tahoma is installed";
  GameFonts fonts(host, QStringLiteral("Velmora No Such Face"));
  EXPECT_FALSE(fonts.SetGameFont(2, 20, QStringLiteral("Velmora Missing Face")));
  std::vector<std::string> reported;
  for (const auto& report : host.reports) reported.push_back(report.text);
  EXPECT_EQ(reported, (std::vector<std::string>{FaceFailed("Velmora Missing Face"), FaceFailed("Tahoma Bold"),
                                                texts::kDefaultFontFailed}));
  EXPECT_FALSE(fonts.Created(2));
  EXPECT_EQ(fonts.Font(2).pixelSize(), 20);
}

TEST(GameFontsIndexTest, IndexOutsideTheThreeFontsIsReported) {
  testing::FakeEngineHost host;
  GameFonts fonts(host);
  EXPECT_FALSE(fonts.SetGameFont(3, 12, QStringLiteral("DejaVu Sans")));
  EXPECT_FALSE(fonts.SetGameFont(-1, 12, QStringLiteral("DejaVu Sans")));
  ASSERT_EQ(host.reports.size(), 2u);
  EXPECT_EQ(host.reports[0].text, texts::kInvalidFontSize);
  EXPECT_TRUE(host.reports[0].logOnly);
}

}  // namespace
}  // namespace velmora
