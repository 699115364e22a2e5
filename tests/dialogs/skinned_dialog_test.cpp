// The shared frame: background, control places, faces by the
// two-state rule, shadowed labels, the font, and the diagnostics it logs.
#include <gtest/gtest.h>

#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QTemporaryDir>

#include "dialog_rig.h"
#include "skinned_dialog.h"

namespace velmora::testing {
namespace {

constexpr int kDone = 1, kRadio = 5, kUnknown = 77, kFaceless = 78;

class FrameDialog : public SkinnedDialog {
 public:
  FrameDialog(DialogRig& rig, QSize client, bool withUnknown = false)
      : SkinnedDialog("XX", QStringLiteral("Frame"), client, &rig.art, rig.reporter, &rig.owner),
        withUnknown_(withUnknown) {
    AddButton(kDone);
    AddButton(kRadio);
    if (withUnknown) AddButton(kFaceless);
  }
  int FaceOf(int id, bool pressed) const override {
    if (id == kDone) return pressed ? 297 : 298;
    if (id == kRadio) return TwoStateFace(301, 302, radioOn, pressed);
    return 0;
  }
  bool radioOn = true;

 protected:
  std::vector<ControlPlace> ControlTable() const override {
    std::vector<ControlPlace> table{{kDone, 30, 100, 100, 28}, {kRadio, 20, 40, 24, 24}};
    if (withUnknown_) {
      table.push_back({kUnknown, 0, 0, 10, 10});
      table.push_back({kFaceless, 200, 150, 24, 24});
    }
    return table;
  }
  std::vector<Label> Labels() const override { return {{Box(60, 40, 200, 64), QStringLiteral("Game Type")}}; }

 private:
  bool withUnknown_;
};

TEST(SkinnedFrame, BackgroundIsTheGenericOneBorderedAtTheClientSize) {
  DialogRig rig;
  ASSERT_TRUE(rig.art.ArtLoaded());
  FrameDialog dialog(rig, QSize(264, 180));
  const QImage& background = dialog.Background();
  const QImage generic = rig.art.Picture(GameBitmapTable::IndexOf(SkinnedDialog::kGenericBackgroundId));
  // Only the part under the window is kept.
  ASSERT_EQ(background.size(), QSize(264, 180));
  // The border shades the edges of the client area only.
  EXPECT_NE(background.pixel(263, 90), generic.pixel(263, 90));
  EXPECT_NE(background.pixel(130, 179), generic.pixel(130, 179));
  EXPECT_EQ(background.pixel(130, 100), generic.pixel(130, 100));
}

TEST(SkinnedFrame, FirstShowPlacesTheControlsAtTheClientSize) {
  DialogRig rig;
  FrameDialog dialog(rig, QSize(264, 180));
  ASSERT_TRUE(Open(dialog));
  EXPECT_TRUE(dialog.LaidOut());
  EXPECT_EQ(dialog.size(), QSize(264, 180));
  EXPECT_EQ(dialog.Control(kDone)->geometry(), QRect(30, 100, 100, 28));
  EXPECT_EQ(dialog.Control(kRadio)->geometry(), QRect(20, 40, 24, 24));
  // The window keeps its size: the player cannot stretch it.
  EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
}

TEST(SkinnedFrame, FacesFollowTheDataAndThePressedState) {
  DialogRig rig;
  FrameDialog dialog(rig, QSize(264, 180));
  ASSERT_TRUE(Open(dialog));
  EXPECT_TRUE(rig.ShowsFace(dialog, kDone, 298));
  EXPECT_TRUE(rig.ShowsFace(dialog, kRadio, 302));
  // Held down, a chosen radio shows the clear look, and a push button its pressed face.
  QTest::mousePress(dialog.Control(kRadio), Qt::LeftButton);
  EXPECT_TRUE(rig.ShowsFace(dialog, kRadio, 301));
  QTest::mouseRelease(dialog.Control(kRadio), Qt::LeftButton);
  QTest::mousePress(dialog.Control(kDone), Qt::LeftButton);
  EXPECT_TRUE(rig.ShowsFace(dialog, kDone, 297));
  QTest::mouseRelease(dialog.Control(kDone), Qt::LeftButton);
  // Off, the radio shows clear, and chosen while held.
  dialog.radioOn = false;
  EXPECT_TRUE(rig.ShowsFace(dialog, kRadio, 301));
  QTest::mousePress(dialog.Control(kRadio), Qt::LeftButton);
  EXPECT_TRUE(rig.ShowsFace(dialog, kRadio, 302));
  QTest::mouseRelease(dialog.Control(kRadio), Qt::LeftButton);
}

TEST(SkinnedFrame, LabelsAreWhiteOverADarkShadowInTheReadableFont) {
  DialogRig rig;
  FrameDialog dialog(rig, QSize(264, 180));
  ASSERT_TRUE(Open(dialog));
  const QImage shot = DialogRig::Shot(dialog);
  const QImage background = ImageOperations::OpaqueCopy(dialog.Background());
  const QRect label(59, 39, 141, 25);
  int white = 0, dark = 0, changedOutside = 0;
  for (int y = 0; y < 180; ++y)
    for (int x = 0; x < 264; ++x) {
      const QRgb pixel = shot.pixel(x, y);
      const bool changed = (pixel & 0xFFFFFF) != (background.pixel(x, y) & 0xFFFFFF);
      if (!label.contains(x, y)) {
        const bool onControl =
            dialog.Control(kDone)->geometry().contains(x, y) || dialog.Control(kRadio)->geometry().contains(x, y);
        if (changed && !onControl) ++changedOutside;
        continue;
      }
      if (qRed(pixel) >= 235 && qGreen(pixel) >= 235 && qBlue(pixel) >= 235) ++white;
      if (changed && qRed(pixel) <= 48 && qGreen(pixel) <= 48 && qBlue(pixel) <= 48) ++dark;
    }
  EXPECT_GT(white, 20);
  EXPECT_GT(dark, 5);
  EXPECT_EQ(changedOutside, 0);
  EXPECT_EQ(QFontInfo(SkinnedDialog::DefaultFont()).family(), QStringLiteral("DejaVu Sans"));
  EXPECT_EQ(SkinnedDialog::RowHeight(), QFontMetrics(SkinnedDialog::DefaultFont()).height());
}

// What the game log holds after a dialog was made from the rig and opened.
QByteArray LoggedWhileOpening(bool withArt, QSize client, bool withUnknown) {
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("game.log"));
  {
    DialogRig rig;
    if (!withArt) rig.art = GameBitmapTable();
    EXPECT_TRUE(rig.log.Open(path.toStdString()));
    FrameDialog dialog(rig, client, withUnknown);
    EXPECT_EQ(dialog.Background().isNull(), !withArt);
    EXPECT_TRUE(Open(dialog));
    dialog.grab();
    rig.log.Close();
  }
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly));
  return file.readAll();
}

TEST(SkinnedFrame, LogsFaultsWithItsPrefix) {
  const QByteArray log = LoggedWhileOpening(true, QSize(264, 180), true);
  EXPECT_TRUE(log.contains("game message: XX - Invalid ID found while setting control dimensions!")) << log.constData();
  EXPECT_TRUE(log.contains("game message: XX - Invalid ID found while drawing ownder-drawn control!"))
      << log.constData();
}

TEST(SkinnedFrame, WithoutArtItStillOpensAndLogsTheBackground) {
  EXPECT_TRUE(LoggedWhileOpening(false, QSize(200, 100), false).contains("XX - Failed to create background image!"));
}

}  // namespace
}  // namespace velmora::testing
