// velmora-artgen draws the game's whole art set.
//
//   velmora-artgen --out DIR             bitmaps/<id>.bmp, icons/321.png and art/... under DIR,
//                                        and digests/png-art.txt: each art/ file's path,
//                                        size and BLAKE2b-256, compiled into the game
//   velmora-artgen --out2x DIR           every picture drawn at twice the size, for
//                                        screens of a device pixel ratio above 1:
//                                        bitmaps2x/<id>.png under DIR, and the main
//                                        background as runs, bitmaps2x/269.runs
//   velmora-artgen --contact-sheet FILE  every picture with its id on one PNG
//   velmora-artgen --picture ID FILE     one picture as a PNG, at full size
//   velmora-artgen --preview FILE        the main screen in play and the New Game
//                                        dialog, composed from the art
//   velmora-artgen --desktop-icons DIR   the application icon at every hicolor size,
//                                        DIR/NxN/apps/io.github.velmora.Sudoku.png
//
// It needs no display: run it with QT_QPA_PLATFORM=offscreen.
#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QStringList>
#include <cstdio>

#include "catalogue.h"
#include "contact_sheet.h"
#include "desktop_icons.h"
#include "image_files.h"
#include "paint.h"
#include "preview.h"
#include "typeface.h"

using namespace velmora::artgen;

namespace {

int Fail(const QString& message) {
  std::fprintf(stderr, "velmora-artgen: %s\n", qPrintable(message));
  return 1;
}

int Usage() {
  std::fprintf(stderr,
               "usage: velmora-artgen --out DIR\n"
               "       velmora-artgen --out2x DIR\n"
               "       velmora-artgen --contact-sheet FILE\n"
               "       velmora-artgen --picture ID FILE\n"
               "       velmora-artgen --preview FILE\n"
               "       velmora-artgen --desktop-icons DIR\n");
  return 2;
}

// Draws every entry and checks it against its listed size.
bool PaintAll(std::vector<QImage>* pictures, QString* error) {
  for (const ArtEntry& e : Catalogue()) {
    QImage image = e.paint();
    if (image.width() != e.width * DrawScale() || image.height() != e.height * DrawScale()) {
      *error = QStringLiteral("bitmap %1 came out %2 x %3 instead of %4 x %5")
                   .arg(e.id)
                   .arg(image.width())
                   .arg(image.height())
                   .arg(e.width * DrawScale())
                   .arg(e.height * DrawScale());
      return false;
    }
    pictures->push_back(std::move(image));
  }
  return true;
}

QByteArray Encode(const ArtEntry& e, const QImage& image) {
  switch (e.storage) {
    case Storage::Bitmap: return EncodeBmp32(image, false);
    case Storage::BitmapAlpha: return EncodeBmp32(image, true);
    case Storage::PngFile: return EncodePng(image, false);
  }
  return {};
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments().mid(1);
  if (args.size() < 2) {
    return Usage();
  }
  QString error;
  if (!LoadFonts(&error)) {
    return Fail(error);
  }
  QElapsedTimer timer;
  timer.start();

  if (args[0] == "--out" && args.size() == 2) {
    std::vector<QImage> pictures;
    if (!PaintAll(&pictures, &error)) {
      return Fail(error);
    }
    const QString dir = args[1] + '/';
    QByteArray digests;
    for (size_t i = 0; i < pictures.size(); ++i) {
      const ArtEntry& e = Catalogue()[i];
      const QByteArray bytes = Encode(e, pictures[i]);
      if (!WriteFile(dir + OutputPath(e), bytes, &error)) {
        return Fail(error);
      }
      if (e.storage == Storage::PngFile) {
        digests += QString(e.artPath).toUtf8() + ' ' + QByteArray::number(bytes.size()) + ' ' +
                   QCryptographicHash::hash(bytes, QCryptographicHash::Blake2b_256).toHex() + '\n';
      }
    }
    if (!WriteFile(dir + QStringLiteral("digests/png-art.txt"), digests, &error)) {
      return Fail(error);
    }
    if (!WriteFile(dir + IconOutputPath(), EncodePng(PaintIcon(), true), &error)) {
      return Fail(error);
    }
    std::printf("velmora-artgen: %zu pictures and the icon written to %s in %lld ms\n", pictures.size(),
                qPrintable(args[1]), static_cast<long long>(timer.elapsed()));
    return 0;
  }
  if (args[0] == "--out2x" && args.size() == 2) {
    SetDrawScale(2);
    std::vector<QImage> pictures;
    if (!PaintAll(&pictures, &error)) {
      return Fail(error);
    }
    const QString dir = args[1] + '/';
    for (size_t i = 0; i < pictures.size(); ++i) {
      const ArtEntry& e = Catalogue()[i];
      const bool alpha = e.storage == Storage::BitmapAlpha;
      if (!WriteFile(dir + OutputPath2x(e), EncodePng(pictures[i], alpha), &error)) {
        return Fail(error);
      }
      // The main background, of few colours, also as runs: the game holds it so.
      if (e.id == kMainBackgroundId &&
          !WriteFile(dir + QStringLiteral("bitmaps2x/%1.runs").arg(e.id), EncodeRuns(pictures[i]), &error)) {
        return Fail(error);
      }
    }
    std::printf("velmora-artgen: %zu pictures at twice the size written to %s in %lld ms\n", pictures.size(),
                qPrintable(args[1]), static_cast<long long>(timer.elapsed()));
    return 0;
  }
  if (args[0] == "--contact-sheet" && args.size() == 2) {
    std::vector<QImage> pictures;
    if (!PaintAll(&pictures, &error)) {
      return Fail(error);
    }
    const QImage sheet = ContactSheet(Catalogue(), pictures, PaintIcon());
    if (!WriteFile(args[1], EncodePng(sheet, false), &error)) {
      return Fail(error);
    }
    return 0;
  }
  if (args[0] == "--preview" && args.size() == 2) {
    std::vector<QImage> pictures;
    if (!PaintAll(&pictures, &error)) {
      return Fail(error);
    }
    const QImage screen = MainScreenPreview(pictures);
    const QImage dialog = NewGameDialogPreview(pictures);
    QImage both(screen.width() + 16 + dialog.width(), std::max(screen.height(), dialog.height()), QImage::Format_RGB32);
    both.fill(QColor(60, 60, 60));
    QPainter p(&both);
    p.drawImage(0, 0, screen);
    p.drawImage(screen.width() + 16, 0, dialog);
    p.end();
    return WriteFile(args[1], EncodePng(both, false), &error) ? 0 : Fail(error);
  }
  if (args[0] == "--desktop-icons" && args.size() == 2) {
    for (int size : kDesktopIconSizes) {
      const QString path = QStringLiteral("%1/%2x%2/apps/%3.png").arg(args[1]).arg(size).arg(DesktopIconName());
      if (!WriteFile(path, EncodePng(DesktopIcon(size), true), &error)) {
        return Fail(error);
      }
    }
    return 0;
  }
  if (args[0] == "--picture" && args.size() == 3) {
    bool ok = false;
    const int id = args[1].toInt(&ok);
    if (ok && id == kIconId) {
      return WriteFile(args[2], EncodePng(PaintIcon(), true), &error) ? 0 : Fail(error);
    }
    if (!ok || id < kFirstBitmapId || id > kLastBitmapId) {
      return Fail(QStringLiteral("no bitmap id %1").arg(args[1]));
    }
    const ArtEntry& e = Catalogue()[size_t(id - kFirstBitmapId)];
    const bool alpha = e.storage == Storage::BitmapAlpha;
    return WriteFile(args[2], EncodePng(e.paint(), alpha), &error) ? 0 : Fail(error);
  }
  return Usage();
}
