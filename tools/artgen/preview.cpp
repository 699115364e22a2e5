#include "preview.h"

#include <QPainter>
#include <cmath>

#include "catalogue.h"
#include "paint.h"
#include "screen_layout.h"

namespace velmora::artgen {

namespace {

const QImage& Pic(const std::vector<QImage>& pictures, int id) { return pictures[size_t(id - kFirstBitmapId)]; }

// The game draws its texts in white with a dark grey shadow one pixel down and
// to the right; DejaVu Sans Bold stands in for the game's font here.
void GameText(QPainter& p, const QString& text, const QRect& area, int flags, int pixelSize, QColor shadow) {
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setBold(true);
  f.setPixelSize(pixelSize);
  p.setFont(f);
  p.setPen(shadow);
  p.drawText(area.translated(1, 1), flags, text);
  p.setPen(Qt::white);
  p.drawText(area, flags, text);
}

// The game's border shading of a dialog background (darkened edges, 8 pixels).
void ApplyBorder(QImage& img, int w, int h) {
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const bool bx = x < 8 || x >= w - 8;
      const bool by = y < 8 || y >= h - 8;
      if (!bx && !by) {
        continue;
      }
      const double dx = x < 8 ? 8 - x : x - (w - 8);
      const double dy = y < 8 ? 8 - y : y - (h - 8);
      const double v = bx && by ? std::sqrt(dx * dx + dy * dy) : bx ? dx : dy;
      QRgb px = img.pixel(x, y);
      int r = qRed(px), g = qGreen(px), b = qBlue(px);
      if (v >= 8) {
        r = 16, g = 32, b = 64;
      } else {
        const double l = std::pow(v * 0.125, 1.8);
        r = int(r + l * (16 - r));
        g = int(g + l * (32 - g));
        b = int(b + l * (64 - b));
      }
      img.setPixel(x, y, qRgb(r, g, b));
    }
  }
}

// The colour control's spectrum and swatch with their five-grey frame.
QImage Spectrum(int w, int h, double swatchHue = -1) {
  QImage img(w, h, QImage::Format_RGB32);
  for (int i = 0; i < h; ++i) {
    const double bright = 255 - i * (153.0 / h);
    for (int j = 0; j < w; ++j) {
      QColor c;
      if (swatchHue >= 0) {
        c = QColor::fromHsvF(float(swatchHue / 360.0), 1, 1);
        c = QColor(c.red(), c.green(), c.blue());
      } else {
        const double hue = j * 360.0 / w;
        c = QColor::fromHsvF(float(std::fmod(hue, 360.0) / 360.0), 0.8f, float(bright / 255.0));
      }
      int grey = -1;
      if (i == 0 || i == h - 1 || j == 0 || j == w - 1)
        grey = 28;
      else if (i == h - 2)
        grey = 98;
      else if (i == 1)
        grey = 56;
      else if (j == w - 2)
        grey = 78;
      else if (j == 1)
        grey = 70;
      img.setPixel(j, i, grey >= 0 ? qRgb(grey, grey, grey) : c.rgb());
    }
  }
  return img;
}

}  // namespace

QImage MainScreenPreview(const std::vector<QImage>& pictures) {
  QImage screen = Pic(pictures, 269).convertToFormat(QImage::Format_RGB32);
  QPainter p(&screen);
  // A game in progress: the solution, which tiles were given and which found.
  static const char* kSolution[9] = {"534678912", "672195348", "198342567", "859761423", "426853791",
                                     "713924856", "961537284", "287419635", "345286179"};
  static const char* kShown[9] = {"G.F.G..G.", "G..GGG...", ".GG....G.", "G...G...G", "G..G.G..G",
                                  "G...G...G", ".G..F.GG.", "...GGG..G", "....G..GG"};
  const int cursorR = 4, cursorC = 4;
  for (int r = 0; r < 9; ++r) {
    for (int c = 0; c < 9; ++c) {
      const int t = kSolution[r][c] - '1';
      const bool cursor = r == cursorR && c == cursorC;
      int face;
      if (kShown[r][c] == 'G') {
        face = cursor ? 31 + t : 11 + t;
      } else if (kShown[r][c] == 'F') {
        face = cursor ? 61 + t : 41 + t;
      } else {
        face = cursor ? 60 : 40;
      }
      p.drawImage(layout::TileRect(r, c).topLeft(), pictures[size_t(face)]);
    }
  }
  // Notes in one hidden tile.
  {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(10);
    p.setFont(f);
    p.setPen(Qt::white);
    const QRect tile = layout::TileRect(0, 1);
    for (int i : {1, 3, 8}) {
      p.drawText(QRect(tile.x() + 5 + 10 * (i % 3), tile.y() + 3 + 10 * (i / 3), 35, 37), Qt::AlignLeft | Qt::AlignTop,
                 QString::number(i + 1));
    }
  }
  // Guides for the Active Number 3 on the rows and columns still open to it.
  const int active = 2;
  for (int r : {1, 5, 7}) {
    p.drawImage(layout::LeftTabRect(r).topLeft(), Pic(pictures, 131 + 136));
    p.drawImage(layout::RightTabRect(r).topLeft(), Pic(pictures, 131 + 137));
  }
  for (int c : {0, 6, 8}) {
    p.drawImage(layout::TopTabRect(c).topLeft(), Pic(pictures, 131 + 134));
    p.drawImage(layout::BottomTabRect(c).topLeft(), Pic(pictures, 131 + 135));
  }
  for (int k = 0; k < 9; ++k) {
    p.drawImage(layout::TrayRect(k).topLeft(), pictures[size_t(k == active ? 80 + k : 91 + k)]);
  }
  p.drawImage(layout::TrayRect(9).topLeft(), pictures[100]);
  p.drawImage(layout::kPrintRect.topLeft(), pictures[125]);
  p.drawImage(layout::kHelpRect.topLeft(), pictures[188]);
  p.drawImage(layout::kShowGuidesRect.topLeft(), pictures[133]);
  p.drawImage(layout::kHintRect.topLeft(), pictures[129]);
  p.drawImage(layout::kFreePlayRect.topLeft(), pictures[127]);
  p.drawImage(layout::kNewGameRect.topLeft(), pictures[131]);
  p.drawImage(layout::kOptionsRect.topLeft(), pictures[182]);

  const QColor shadow(0x60, 0x60, 0x60);
  GameText(p, QStringLiteral("Player"), layout::kPlayerNameArea, Qt::AlignHCenter | Qt::AlignBottom, 15, shadow);
  static const char* kCounts[10] = {"2 Remain", "3 Remain", "1 Remains", "All Found", "4 Remain",
                                    "2 Remain", "3 Remain", "2 Remain",  "5 Remain",  "Eraser"};
  for (int k = 0; k < 10; ++k) {
    GameText(p, kCounts[k], layout::TrayCountArea(k), Qt::AlignHCenter | Qt::AlignBottom, 15, shadow);
  }
  GameText(p, QStringLiteral("Difficulty\nMedium"), layout::kStatsPanelArea, Qt::AlignHCenter | Qt::AlignVCenter, 15,
           shadow);
  p.end();
  return screen;
}

QImage NewGameDialogPreview(const std::vector<QImage>& pictures) {
  QImage bg = Pic(pictures, 288).convertToFormat(QImage::Format_RGB32);
  ApplyBorder(bg, 458, 460);
  // The description panel the dialog burns into its background.
  for (int y = 9; y <= 148; ++y) {
    for (int x = 140; x <= 447; ++x) {
      int g = -1;
      if (x == 140 || x == 447 || y == 9 || y == 148)
        g = 28;
      else if (x == 141)
        g = 70;
      else if (x == 446)
        g = 78;
      else if (y == 10)
        g = 56;
      else if (y == 147)
        g = 98;
      if (g >= 0) {
        bg.setPixel(x, y, qRgb(g, g, g));
      } else {
        const QRgb px = bg.pixel(x, y);
        bg.setPixel(x, y,
                    qRgb(std::min(255, qRed(px) + 10), std::min(255, qGreen(px) + 10), std::min(255, qBlue(px) + 10)));
      }
    }
  }
  QImage dlg = bg.copy(0, 0, 458, 460);
  QPainter p(&dlg);
  auto label = [&](const QString& text, QRect r, int flags) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(12);
    p.setFont(f);
    p.setPen(QColor(32, 32, 32));
    p.drawText(r, flags, text);
    p.setPen(Qt::white);
    p.drawText(r.translated(-1, -1), flags, text);
  };
  const int vl = Qt::AlignVCenter | Qt::AlignLeft;
  label("Puzzle Code", QRect(QPoint(188, 400), QPoint(288, 424)), vl);
  const char* diffs[4] = {"Easy", "Medium", "Hard", "Expert"};
  const char* types[3] = {"Normal", "Payback", "Blackout"};
  for (int k = 0; k < 4; ++k) label(diffs[k], QRect(QPoint(49, 172 + 30 * k), QPoint(149, 192 + 30 * k)), vl);
  for (int k = 0; k < 3; ++k) label(types[k], QRect(QPoint(49, 42 + 30 * k), QPoint(149, 62 + 30 * k)), vl);
  label("Click below to choose a color", QRect(QPoint(140, 290), QPoint(440, 315)), vl);
  label("Game Color", QRect(QPoint(10, 290), QPoint(110, 315)), vl);
  label(
      "Normal - Medium:\nIn this game type, you will be given\na standard Sudoku puzzle.\nIt will have roughly 34 hidden tiles.",
      QRect(QPoint(150, 19), QPoint(450, 164)), Qt::AlignLeft | Qt::AlignTop);
  label("Game Difficulty", QRect(QPoint(10, 145), QPoint(260, 170)), vl);
  label("Game Type", QRect(QPoint(10, 15), QPoint(260, 40)), vl);
  label("Ignore Mistakes (advanced)", QRect(QPoint(179, 200), QPoint(429, 225)), vl);
  p.drawImage(298, 400, Pic(pictures, 306));
  p.drawImage(10, 400, Pic(pictures, 296));
  p.drawImage(150, 234, Pic(pictures, 300));
  for (int k = 0; k < 3; ++k) p.drawImage(20, 40 + 30 * k, Pic(pictures, k == 0 ? 302 : 301));
  for (int k = 0; k < 4; ++k) p.drawImage(20, 170 + 30 * k, Pic(pictures, k == 1 ? 302 : 301));
  p.drawImage(150, 200, Pic(pictures, 303));
  p.fillRect(188, 425, 100, 24, Qt::white);
  p.drawImage(10, 315, Spectrum(120, 77, 220));
  p.drawImage(140, 315, Spectrum(308, 77));
  p.end();
  return dlg;
}

}  // namespace velmora::artgen
