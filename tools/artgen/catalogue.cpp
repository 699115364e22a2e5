#include "catalogue.h"

#include <QSize>

#include "pieces.h"

namespace velmora::artgen {

namespace {

std::vector<ArtEntry> Build() {
  std::vector<ArtEntry> out;
  auto add = [&](int w, int h, Storage storage, QString label, std::function<QImage()> paint,
                 QString artPath = QString()) {
    ArtEntry e;
    e.id = kFirstBitmapId + int(out.size());
    e.width = w;
    e.height = h;
    e.storage = storage;
    e.artPath = std::move(artPath);
    e.label = std::move(label);
    e.paint = std::move(paint);
    out.push_back(std::move(e));
  };
  auto bitmap = [&](int w, int h, QString label, std::function<QImage()> paint) {
    add(w, h, Storage::Bitmap, std::move(label), std::move(paint));
  };
  auto png = [&](int w, int h, QString path, std::function<QImage()> paint) {
    add(w, h, Storage::PngFile, path, std::move(paint), path);
  };
  // A push button pair: pressed look first, normal look second.
  auto buttonPair = [&](const QString& caption, QSize size, ButtonPlace place) {
    bitmap(size.width(), size.height(), caption + " (pressed)",
           [=] { return CaptionButton(caption, size, true, place); });
    bitmap(size.width(), size.height(), caption, [=] { return CaptionButton(caption, size, false, place); });
  };

  // 0..79: eight sets of tile faces.
  static const char* kSetNames[8] = {"blue pressed", "grey given",  "blue pressed gold", "grey given gold",
                                     "blue",         "grey raised", "blue gold",         "grey raised gold"};
  for (int set = 0; set < 8; ++set) {
    for (int face = 0; face < 10; ++face) {
      bitmap(40, 40,
             QStringLiteral("tile %1 %2").arg(kSetNames[set]).arg(face == 0 ? QString("blank") : QString::number(face)),
             [=] { return TileFace(set, face); });
    }
  }
  // 80..101: type tray, lit set then normal set.
  for (int set = 0; set < 2; ++set) {
    for (int key = 0; key < 11; ++key) {
      const QString what = key < 9 ? QString::number(key + 1) : key == 9 ? QString("eraser") : QString("blank");
      bitmap(40, 24, QStringLiteral("tray %1%2").arg(what, set == 0 ? " lit" : ""),
             [=] { return TrayButton(set == 0, key); });
    }
  }
  // 102..123: small type buttons, pressed set then normal set.
  for (int set = 0; set < 2; ++set) {
    for (int key = 0; key < 11; ++key) {
      const QString what = key < 9 ? QString::number(key + 1) : key == 9 ? QString("eraser") : QString("blank");
      bitmap(24, 24, QStringLiteral("type %1%2").arg(what, set == 0 ? " pressed" : ""),
             [=] { return SmallTypeButton(set == 0, key); });
    }
  }
  buttonPair("Print", QSize(75, 22), ButtonPlace::MainScreen);                 // 124, 125
  buttonPair("Free Play", QSize(98, 22), ButtonPlace::MainScreen);             // 126, 127
  buttonPair("Hint", QSize(52, 22), ButtonPlace::MainScreen);                  // 128, 129
  buttonPair("Begin New Game", QSize(150, 22), ButtonPlace::MainScreen);       // 130, 131
  bitmap(138, 26, "Show Guides off", [] { return ShowGuidesButton(false); });  // 132
  bitmap(138, 26, "Show Guides on", [] { return ShowGuidesButton(true); });    // 133
  bitmap(20, 30, "guide arrow down", [] { return GuideTab(0, 1); });           // 134
  bitmap(20, 30, "guide arrow up", [] { return GuideTab(0, -1); });            // 135
  bitmap(30, 20, "guide arrow right", [] { return GuideTab(1, 0); });          // 136
  bitmap(30, 20, "guide arrow left", [] { return GuideTab(-1, 0); });          // 137
  png(640, 480, "background640x480.png", [] { return MainBackground(); });     // 138
  bitmap(70, 25, "< Back (pressed)", [] { return OrangeButton("Back", QSize(70, 25), true, ArrowSide::Left); });
  bitmap(70, 25, "< Back", [] { return OrangeButton("Back", QSize(70, 25), false, ArrowSide::Left); });
  bitmap(80, 25, "Cancel orange (pressed)",
         [] { return OrangeButton("Cancel", QSize(80, 25), true, ArrowSide::None); });
  bitmap(80, 25, "Cancel orange", [] { return OrangeButton("Cancel", QSize(80, 25), false, ArrowSide::None); });
  bitmap(70, 25, "Next > (pressed)", [] { return OrangeButton("Next", QSize(70, 25), true, ArrowSide::Right); });
  bitmap(70, 25, "Next >", [] { return OrangeButton("Next", QSize(70, 25), false, ArrowSide::Right); });
  bitmap(1, 1, "placeholder", [] { return Placeholder(); });  // 145
  bitmap(1, 1, "placeholder", [] { return Placeholder(); });  // 146
  static const char* kPages[kIntroPages] = {
      "introDialogues/pages/IDPageAWelcome.png",
      "introDialogues/pages/IDPageDColor.png",
      "introDialogues/pages/IDPageFDoTutorial.png",
      "introDialogues/pages/IDPageGATutorialBasics.png",
      "introDialogues/pages/IDPageGBTutorialGameBoard.png",
      "introDialogues/pages/IDPageGCTutorialBlocks.png",
      "introDialogues/pages/IDPageGDTutorialColumns.png",
      "introDialogues/pages/IDPageGETutorialRows.png",
      "introDialogues/pages/IDPageGFTutorialExamples.png",
      "introDialogues/pages/IDPageGGTutorialWrap.png",
  };
  for (int page = 0; page < kIntroPages; ++page) {  // 147..156
    png(480, 360, kPages[page], [=] { return IntroPage(page); });
  }
  png(480, 480, "dialogues/backgroundGeneric480x480.png", [] { return DialogBackground(); });  // 157
  buttonPair("Add Player", QSize(150, 28), ButtonPlace::Dialog);                               // 158, 159
  bitmap(150, 70, "Play (pressed)", [] { return LargeButton("Play", QSize(150, 70), true); });
  bitmap(150, 70, "Play", [] { return LargeButton("Play", QSize(150, 70), false); });
  buttonPair("Remove Player", QSize(150, 28), ButtonPlace::Dialog);  // 162, 163
  buttonPair("Cancel", QSize(100, 28), ButtonPlace::Dialog);         // 164, 165
  buttonPair("Done", QSize(100, 28), ButtonPlace::Dialog);           // 166, 167
  buttonPair("Explain", QSize(100, 28), ButtonPlace::Dialog);        // 168, 169
  bitmap(24, 24, "radio off", [] { return RadioButton(false); });    // 170
  bitmap(24, 24, "radio on", [] { return RadioButton(true); });      // 171
  bitmap(24, 24, "check off", [] { return CheckBox(false); });       // 172
  bitmap(24, 24, "check on", [] { return CheckBox(true); });         // 173
  bitmap(150, 50, "Begin (pressed)", [] { return LargeButton("Begin", QSize(150, 50), true); });
  bitmap(150, 50, "Begin", [] { return LargeButton("Begin", QSize(150, 50), false); });
  buttonPair("OK", QSize(100, 28), ButtonPlace::Dialog);                            // 176, 177
  buttonPair("Learn to Play", QSize(150, 28), ButtonPlace::Dialog);                 // 178, 179
  add(400, 300, Storage::BitmapAlpha, "splash logo", [] { return SplashLogo(); });  // 180
  buttonPair("Options", QSize(150, 22), ButtonPlace::MainScreen);                   // 181, 182
  buttonPair("No", QSize(100, 28), ButtonPlace::Dialog);                            // 183, 184
  buttonPair("Yes", QSize(100, 28), ButtonPlace::Dialog);                           // 185, 186
  buttonPair("Help", QSize(75, 22), ButtonPlace::MainScreen);                       // 187, 188
  return out;
}

}  // namespace

const std::vector<ArtEntry>& Catalogue() {
  static const std::vector<ArtEntry> entries = Build();
  return entries;
}

QImage PaintIcon() { return WindowIcon(); }

QString OutputPath(const ArtEntry& entry) {
  if (entry.storage == Storage::PngFile) {
    return QStringLiteral("art/") + entry.artPath;
  }
  return QStringLiteral("bitmaps/%1.bmp").arg(entry.id);
}

QString OutputPath2x(const ArtEntry& entry) { return QStringLiteral("bitmaps2x/%1.png").arg(entry.id); }

QString IconOutputPath() { return QStringLiteral("icons/%1.png").arg(kIconId); }

}  // namespace velmora::artgen
