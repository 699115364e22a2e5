// The ten intro pages (480 x 360): a welcome, the colour page and a short
// illustrated tutorial. The pages carry all their words; the dialog adds only the
// orange buttons along the bottom (and, on the colour page, the swatch and the
// spectrum). They are never recoloured, so they keep the standard blue.
#include <QLinearGradient>
#include <QPainter>
#include <QPen>
#include <QStringList>
#include <array>
#include <cstdio>
#include <cstdlib>

#include "paint.h"
#include "pieces.h"
#include "screen_layout.h"

namespace velmora::artgen {

namespace {

constexpr int kFooterTop = 322;
constexpr int kTutorialFirstPage = 3;
constexpr int kTutorialSteps = 7;

// A complete, valid solution for the illustrations: the usual shifted pattern
// with its digits, bands and stacks reordered so that it does not look like one.
using Grid = std::array<std::array<int, 9>, 9>;

Grid SampleSolution() {
  static const int kDigits[9] = {4, 7, 1, 9, 3, 6, 2, 8, 5};
  static const int kRows[9] = {1, 0, 2, 5, 3, 4, 8, 6, 7};
  static const int kCols[9] = {2, 0, 1, 4, 5, 3, 7, 8, 6};
  Grid g{};
  for (int r = 0; r < 9; ++r) {
    for (int c = 0; c < 9; ++c) {
      const int rr = kRows[r];
      const int cc = kCols[c];
      g[r][c] = kDigits[(rr * 3 + rr / 3 + cc) % 9];
    }
  }
  return g;
}

// Tiles shown as given in the board illustrations ('#'), the rest are empty.
const char* kGivenMask[9] = {"#..#.#..#", ".#...#.#.", "..#.#...#", "#...#..#.", ".#.#.#.#.",
                             ".#..#...#", "#...#.#..", ".#.#...#.", "#..#.#..#"};

struct Highlight {
  enum Kind { None, Block, Column, Row, Cross } kind = None;
  int index = 0;         // block number (row-major), column or row
  int row = 0, col = 0;  // for Cross: the tile whose row, column and block are lit
  bool Covers(int r, int c) const {
    switch (kind) {
      case Block: return (r / 3) * 3 + c / 3 == index;
      case Column: return c == index;
      case Row: return r == index;
      case Cross: return r == row || c == col || (r / 3 == row / 3 && c / 3 == col / 3);
      default: return false;
    }
  }
};

struct BoardPicture {
  Grid digits{};  // 0 = empty tile
  Highlight highlight;
  int targetRow = -1, targetCol = -1;          // a gold-framed tile
  QString targetText;                          // what the framed tile shows
  std::array<std::array<bool, 9>, 9> faded{};  // digits drawn dimmer
};

constexpr qreal kCell = 20;
constexpr qreal kGap = 5;

QPointF CellOrigin(QPointF origin, int r, int c) {
  return origin + QPointF(c * kCell + (c / 3) * kGap, r * kCell + (r / 3) * kGap);
}

// A small game board in the style of the main screen: grey given tiles, blue
// empty tiles, an optional gold highlight over a block, column or row.
void DrawBoardPicture(QPainter& p, QPointF origin, const BoardPicture& b) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(Qt::NoPen);
  const qreal size = 9 * kCell + 2 * kGap;
  const QRectF frame(origin.x() - 5, origin.y() - 5, size + 10, size + 10);
  p.setBrush(QColor(0, 0, 0, 70));
  p.drawPath(RoundRect(frame.translated(0, 3), 8));
  p.setBrush(Blue(0.60, 0.45));
  p.drawPath(RoundRect(frame.adjusted(-1, -1, 1, 1), 9));
  p.setBrush(palette::BoardWell());
  p.drawPath(RoundRect(frame, 8));
  for (int br = 0; br < 3; ++br) {
    for (int bc = 0; bc < 3; ++bc) {
      const QPointF o = CellOrigin(origin, 3 * br, 3 * bc);
      p.setBrush(palette::GridLine());
      p.drawPath(RoundRect(QRectF(o, QSizeF(3 * kCell, 3 * kCell)).adjusted(-1.5, -1.5, 1.5, 1.5), 3));
    }
  }
  TextStyle digit;
  digit.face = &Fonts().black;
  digit.size = 15;
  digit.fill = Qt::white;
  digit.shadow = QColor(0, 0, 0, 110);
  digit.shadowOffset = QPointF(0.7, 0.9);
  for (int r = 0; r < 9; ++r) {
    for (int c = 0; c < 9; ++c) {
      const QRectF cell = QRectF(CellOrigin(origin, r, c), QSizeF(kCell, kCell)).adjusted(0.75, 0.75, -0.75, -0.75);
      const bool given = b.digits[r][c] != 0;
      const bool lit = b.highlight.Covers(r, c) && !(r == b.targetRow && c == b.targetCol);
      QColor top = given ? Grey(176) : Blue(0.45, 0.92);
      QColor bottom = given ? Grey(122) : Blue(0.80, 0.64);
      if (lit && !given) {
        top = Hsv(45, 0.35, 1.0);
        bottom = Hsv(38, 0.75, 0.85);
      } else if (lit) {
        top = Hsv(45, 0.30, 0.80);
        bottom = Hsv(38, 0.55, 0.62);
      }
      p.setBrush(Blue(0.9, 0.15));
      p.drawPath(RoundRect(cell, 3));
      p.setBrush(VerticalGradient(cell, top, bottom));
      p.drawPath(RoundRect(cell.adjusted(0.6, 0.6, -0.6, -0.6), 2.5));
      if (given) {
        TextStyle t = digit;
        if (b.faded[r][c]) {
          t.fill = QColor(255, 255, 255, 150);
        }
        DrawLine(p, QString::number(b.digits[r][c]), cell.adjusted(0, 0.5, 0, 0.5), Align::Centre, t);
      }
    }
  }
  if (b.targetRow >= 0) {
    const QRectF cell = QRectF(CellOrigin(origin, b.targetRow, b.targetCol), QSizeF(kCell, kCell));
    QPainterPath ring = RoundRect(cell.adjusted(-2, -2, 2, 2), 5).subtracted(RoundRect(cell.adjusted(1, 1, -1, -1), 3));
    QLinearGradient g(cell.topLeft(), cell.bottomLeft());
    g.setColorAt(0, palette::GoldLight());
    g.setColorAt(1, palette::GoldDark());
    p.setBrush(QColor(0, 0, 0, 120));
    p.drawPath(ring.translated(0.8, 1));
    p.setBrush(g);
    p.drawPath(ring);
    if (!b.targetText.isEmpty()) {
      DrawLine(p, b.targetText, cell.adjusted(0, 0.5, 0, 0.5), Align::Centre, digit);
    }
  }
  p.restore();
}

BoardPicture PuzzlePicture() {
  const Grid solution = SampleSolution();
  BoardPicture b;
  for (int r = 0; r < 9; ++r) {
    for (int c = 0; c < 9; ++c) {
      b.digits[r][c] = kGivenMask[r][c] == '#' ? solution[r][c] : 0;
    }
  }
  return b;
}

// The whole solution with one unit lit: every digit of that unit shown.
BoardPicture RulePicture(Highlight h) {
  BoardPicture b = PuzzlePicture();
  const Grid solution = SampleSolution();
  b.highlight = h;
  for (int r = 0; r < 9; ++r) {
    for (int c = 0; c < 9; ++c) {
      if (h.Covers(r, c)) {
        b.digits[r][c] = solution[r][c];
      } else if (b.digits[r][c] != 0) {
        b.faded[r][c] = true;
      }
    }
  }
  return b;
}

// The worked example: one empty tile whose row, column and block already hold
// eight different numbers between them. Returns the sentence that explains it.
BoardPicture ExamplePicture(QString* explanation) {
  const Grid solution = SampleSolution();
  const int tr = 4, tc = 6;
  const int answer = solution[tr][tc];
  BoardPicture b;
  b.targetRow = tr;
  b.targetCol = tc;
  b.highlight.kind = Highlight::Cross;
  b.highlight.row = tr;
  b.highlight.col = tc;
  b.targetText = QStringLiteral("?");
  bool seen[10] = {};
  seen[answer] = true;
  QList<int> inRow, inCol, inBlock;
  auto take = [&](int r, int c, QList<int>* into, int limit) {
    const int d = solution[r][c];
    if (into->size() >= limit || seen[d] || (r == tr && c == tc) || b.digits[r][c] != 0) {
      return;
    }
    seen[d] = true;
    b.digits[r][c] = d;
    into->append(d);
  };
  for (int c : {0, 2, 4, 8, 1, 3, 5, 7}) take(tr, c, &inRow, 3);
  for (int r : {1, 7, 0, 2, 8, 6}) take(r, tc, &inCol, 3);
  for (int r = 3; r < 6; ++r) {
    for (int c = 6; c < 9; ++c) {
      take(r, c, &inBlock, 3);
    }
  }
  int covered = 0;
  for (int d = 1; d <= 9; ++d) {
    covered += seen[d];
  }
  if (covered != 9) {
    std::fprintf(stderr, "velmora-artgen: the worked example leaves more than one number open\n");
    std::abort();
  }
  // A few more givens elsewhere, dimmed, so the board looks like a real game.
  for (const auto& rc : {std::pair{0, 1}, {2, 4}, {7, 1}, {8, 3}, {6, 4}, {1, 3}}) {
    if (b.digits[rc.first][rc.second] == 0 && rc.first != tr && rc.second != tc &&
        !(rc.first / 3 == tr / 3 && rc.second / 3 == tc / 3)) {
      b.digits[rc.first][rc.second] = solution[rc.first][rc.second];
      b.faded[rc.first][rc.second] = true;
    }
  }
  auto list = [](QList<int> v) {
    std::sort(v.begin(), v.end());
    QStringList s;
    for (int d : v) s << QString::number(d);
    if (s.size() == 1) return s[0];
    const QString last = s.takeLast();
    return s.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
  };
  *explanation = QStringLiteral(
                     "Look at the tile in the gold frame. Its row already holds %1, its column %2, "
                     "and its block %3.\nThat leaves only one number the tile can take: %4.")
                     .arg(list(inRow), list(inCol), list(inBlock))
                     .arg(answer);
  return b;
}

TextStyle BodyStyle() {
  TextStyle t;
  t.face = &Fonts().regular;
  t.size = 14.5;
  t.fill = Qt::white;
  t.shadow = QColor(0, 0, 0, 110);
  t.shadowOffset = QPointF(0.7, 1);
  return t;
}

// Paragraphs with a gap between them; returns the y below the last.
qreal DrawParagraphs(QPainter& p, const QStringList& paragraphs, QRectF box, const TextStyle& style) {
  qreal y = box.top();
  for (const QString& para : paragraphs) {
    y = DrawParagraph(p, para, QRectF(box.left(), y, box.width(), box.bottom() - y), 20, Align::Left, style);
    y += 9;
  }
  return y;
}

// Field, heading and footer shared by every page.
void DrawPageFrame(QPainter& p, int page, const QString& kicker, const QString& title) {
  p.setPen(Qt::NoPen);
  const QRectF field(0, 0, 480, kFooterTop);
  p.setBrush(VerticalGradient(field, Blue(0.62, 0.46), Blue(0.72, 0.30)));
  p.drawRect(field);
  // A soft light behind the heading.
  QRadialGradient glow(QPointF(120, 0), 260);
  glow.setColorAt(0, QColor(255, 255, 255, 40));
  glow.setColorAt(1, QColor(255, 255, 255, 0));
  p.setBrush(glow);
  p.drawRect(field);

  TextStyle k;
  k.face = &Fonts().bold;
  k.size = 11;
  k.tracking = 1.6;
  k.fill = palette::GoldLight();
  k.shadow = QColor(0, 0, 0, 120);
  k.shadowOffset = QPointF(0.7, 1);
  DrawLineAt(p, kicker, 22, 24, Align::Left, k);
  TextStyle t;
  t.face = &Fonts().black;
  t.size = 26;
  t.fill = Qt::white;
  t.shadow = QColor(0, 0, 0, 130);
  t.shadowOffset = QPointF(1.2, 1.8);
  DrawLineAt(p, title, 21, 51, Align::Left, t);
  QLinearGradient line(20, 0, 460, 0);
  line.setColorAt(0, palette::Gold());
  line.setColorAt(1, Hsv(42, 0.80, 0.98, 0.0));
  p.setBrush(line);
  p.drawRect(QRectF(22, 60, 438, 1.5));

  // Footer under the dialog's buttons.
  p.setBrush(palette::PageFooter());
  p.drawRect(QRectF(0, kFooterTop, 480, 360 - kFooterTop));
  p.setBrush(palette::GoldDark());
  p.drawRect(QRectF(0, kFooterTop, 480, 1));
  if (page >= kTutorialFirstPage) {
    const int step = page - kTutorialFirstPage;
    const qreal spacing = 14;
    const qreal x0 = 205 - spacing * (kTutorialSteps - 1) / 2.0;
    for (int i = 0; i < kTutorialSteps; ++i) {
      const QPointF c(x0 + i * spacing, 342.5);
      p.setBrush(i == step ? palette::Gold() : Blue(0.50, 0.50));
      p.drawEllipse(c, i == step ? 4.0 : 3.0, i == step ? 4.0 : 3.0);
    }
  }
}

QString TutorialKicker(int page) {
  return QStringLiteral("TUTORIAL  \u2022  STEP %1 OF %2").arg(page - kTutorialFirstPage + 1).arg(kTutorialSteps);
}

// A dark recess around a rectangle that the dialog fills itself.
void DrawPickerFrame(QPainter& p, const QRect& r) {
  p.setPen(Qt::NoPen);
  const QRectF f = QRectF(r).adjusted(-4, -4, 4, 4);
  p.setBrush(QColor(0, 0, 0, 80));
  p.drawPath(RoundRect(f.translated(0, 2), 6));
  p.setBrush(palette::GoldDark());
  p.drawPath(RoundRect(f, 6));
  p.setBrush(Blue(0.85, 0.14));
  p.drawPath(RoundRect(f.adjusted(1.5, 1.5, -1.5, -1.5), 4.5));
  p.setBrush(Blue(0.85, 0.10));
  p.drawRect(r);
}

// Three tiles for the basics page: a number in place (grey), an empty tile
// (blue) and an empty tile with notes, the small digits the game writes in it.
void DrawTileSamples(QPainter& p, QPointF origin) {
  p.drawImage(origin, TileFace(1, 5));
  p.drawImage(origin + QPointF(48, 0), TileFace(4, 0));
  p.drawImage(origin + QPointF(96, 0), TileFace(4, 0));
  TextStyle note;
  note.face = &Fonts().bold;
  note.size = 11;
  note.fill = Qt::white;
  for (int i : {1, 3, 8}) {
    DrawLineAt(p, QString::number(i + 1), origin.x() + 96 + 6 + 10 * (i % 3), origin.y() + 12 + 10 * (i / 3),
               Align::Left, note);
  }
}

// The numbers 1 to 9 as a 3 x 3 block of tiles.
void DrawNumberBlock(QPainter& p, QPointF origin) {
  for (int i = 0; i < 9; ++i) {
    p.drawImage(origin + QPointF(40 * (i % 3), 40 * (i / 3)), TileFace(4, i + 1));
  }
}

}  // namespace

QImage IntroPage(int page) {
  QImage img = NewImage(480, 360, palette::PageFooter());
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, true);
  const TextStyle body = BodyStyle();
  TextStyle strong = body;
  strong.face = &Fonts().bold;
  const QRectF textColumn(22, 74, 228, 240);
  const QPointF boardAt(268, 88);

  switch (page) {
    case 0: {
      DrawPageFrame(p, page, QStringLiteral("WELCOME TO"), QStringLiteral("Velmora Sudoku"));
      const qreal y = DrawParagraphs(p, {QStringLiteral("Thank you for playing!")}, textColumn, strong);
      DrawParagraphs(p,
                     {QStringLiteral("These pages help you get started. First you choose a color for your "
                                     "game, then a short tutorial explains the rules."),
                      QStringLiteral("Click Next to go on, or Cancel to go straight to the game.")},
                     QRectF(22, y, 228, 314 - y), body);
      DrawBoardPicture(p, boardAt, PuzzlePicture());
      break;
    }
    case 1: {
      DrawPageFrame(p, page, QStringLiteral("GAME COLOR"), QStringLiteral("Choose your color"));
      TextStyle note = body;
      note.size = 13;
      DrawParagraph(p,
                    QStringLiteral("Click anywhere on the spectrum to color the game. You can change the "
                                   "color later in the New Game and Options menus."),
                    QRectF(22, 65, 440, 30), 15, Align::Left, note);
      DrawPickerFrame(p, layout::kIntroSwatchRect);
      DrawPickerFrame(p, layout::kIntroSpectrumRect);
      TextStyle small = body;
      small.face = &Fonts().semibold;
      small.size = 12;
      small.fill = palette::GoldLight();
      DrawLine(p, QStringLiteral("Your color"), QRectF(10, 306, 100, 14), Align::Centre, small);
      DrawLine(p, QStringLiteral("Click a color to choose it"), QRectF(120, 306, 350, 14), Align::Centre, small);
      break;
    }
    case 2: {
      DrawPageFrame(p, page, QStringLiteral("LEARN TO PLAY"), QStringLiteral("Take the tutorial?"));
      DrawParagraphs(p,
                     {QStringLiteral("New to Sudoku? The next seven pages explain the rules and the game "
                                     "board in a couple of minutes."),
                      QStringLiteral("Click Next to begin the tutorial, or Cancel to skip it and start playing."),
                      QStringLiteral("You can take the tutorial again at any time with Learn to Play in the "
                                     "Options menu.")},
                     textColumn, body);
      DrawNumberBlock(p, QPointF(310, 110));
      break;
    }
    case 3: {
      DrawPageFrame(p, page, TutorialKicker(page), QStringLiteral("The basics"));
      DrawParagraphs(p,
                     {QStringLiteral("Sudoku is a puzzle of logic: no math and no guessing."),
                      QStringLiteral("The goal is to fill every empty tile of the board with a number from "
                                     "1 to 9, following three simple rules."),
                      QStringLiteral("Every puzzle has exactly one solution, and careful reasoning always "
                                     "finds it.")},
                     textColumn, body);
      DrawNumberBlock(p, QPointF(310, 84));
      DrawTileSamples(p, QPointF(306, 226));
      TextStyle small = body;
      small.size = 11;
      small.face = &Fonts().semibold;
      DrawLine(p, QStringLiteral("number"), QRectF(298, 268, 56, 14), Align::Centre, small);
      DrawLine(p, QStringLiteral("empty"), QRectF(346, 268, 56, 14), Align::Centre, small);
      DrawLine(p, QStringLiteral("notes"), QRectF(394, 268, 56, 14), Align::Centre, small);
      break;
    }
    case 4: {
      DrawPageFrame(p, page, TutorialKicker(page), QStringLiteral("The game board"));
      DrawParagraphs(p,
                     {QStringLiteral("The board is a grid of 81 tiles: 9 rows and 9 columns."),
                      QStringLiteral("Gaps divide it into 9 blocks of 3 \u00d7 3 tiles."),
                      QStringLiteral("Grey tiles show the numbers already in place. Each blue tile is "
                                     "empty: your task is to find its number.")},
                     textColumn, body);
      DrawBoardPicture(p, boardAt, PuzzlePicture());
      break;
    }
    case 5:
    case 6:
    case 7: {
      static const char* kTitles[3] = {"Rule 1: Blocks", "Rule 2: Columns", "Rule 3: Rows"};
      static const char* kUnits[3] = {"block", "column", "row"};
      const int rule = page - 5;
      DrawPageFrame(p, page, TutorialKicker(page), QString::fromLatin1(kTitles[rule]));
      const QString unit = QString::fromLatin1(kUnits[rule]);
      const qreal y =
          DrawParagraphs(p, {QStringLiteral("Each %1 must hold every number from 1 to 9, exactly once.").arg(unit)},
                         textColumn, strong);
      DrawParagraphs(p,
                     {QStringLiteral("No number may appear twice in the same %1.").arg(unit),
                      rule == 0   ? QStringLiteral("A block is one of the nine 3 \u00d7 3 squares of tiles.")
                      : rule == 1 ? QStringLiteral("A column runs from the top of the board to the bottom.")
                                  : QStringLiteral("A row runs from the left of the board to the right.")},
                     QRectF(22, y, 228, 314 - y), body);
      Highlight h;
      h.kind = rule == 0 ? Highlight::Block : rule == 1 ? Highlight::Column : Highlight::Row;
      h.index = rule == 0 ? 4 : rule == 1 ? 2 : 6;
      DrawBoardPicture(p, boardAt, RulePicture(h));
      break;
    }
    case 8: {
      DrawPageFrame(p, page, TutorialKicker(page), QStringLiteral("Examples"));
      QString explanation;
      const BoardPicture example = ExamplePicture(&explanation);
      const QStringList parts = explanation.split('\n');
      const qreal y = DrawParagraphs(p, parts, textColumn, body);
      DrawParagraphs(p,
                     {QStringLiteral("When a tile could still take more than one number, make a note of "
                                     "them and come back later.")},
                     QRectF(22, y, 228, 314 - y), body);
      DrawBoardPicture(p, boardAt, example);
      break;
    }
    case 9: {
      DrawPageFrame(p, page, TutorialKicker(page), QStringLiteral("You're ready!"));
      DrawParagraphs(p,
                     {QStringLiteral("Click a tile to play a number, or right-click it to make a note."),
                      QStringLiteral("Stuck? Ask for a Hint, or take a Free Play to reveal a tile. Show "
                                     "Guides points to where the Active Number can still go."),
                      QStringLiteral("Click Next to finish the tutorial. Have fun!")},
                     textColumn, body);
      // A game well on its way: more numbers in place, the cursor on an empty tile.
      BoardPicture game = PuzzlePicture();
      const Grid solution = SampleSolution();
      for (int r = 0; r < 9; ++r) {
        for (int c = 0; c < 9; ++c) {
          if (game.digits[r][c] == 0 && (r * 7 + c * 5) % 3 != 0) {
            game.digits[r][c] = solution[r][c];
          }
        }
      }
      game.digits[4][2] = 0;
      game.targetRow = 4;
      game.targetCol = 2;
      DrawBoardPicture(p, boardAt, game);
      break;
    }
    default: break;
  }
  p.end();
  return img;
}

}  // namespace velmora::artgen
