#include "game_dialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCursor>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <QMenu>
#include <QMoveEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QPrintDialog>
#include <QPrinter>
#include <QPointer>
#include <QRegion>
#include <QShowEvent>
#include <QWindow>

#include "app_texts.h"
#include "art_loader.h"
#include "pause_cover.h"
#include "print_choice.h"
#include "print_picture.h"
#include "process_exit.h"
#include "puzzle_builder.h"
#include "puzzle_code.h"
#include "random_source.h"
#include "screen.h"
#include "screen_layout.h"
#include "shell.h"
#include "splash_effect.h"
#include "tips_window.h"
#include "window_placement.h"
#include "window_size.h"
#include "window_system.h"

namespace velmora {
namespace {

constexpr uint32_t kSplashFirstDelay = 500;
constexpr uint32_t kSplashFrame = 10;
constexpr QRgb kTextColor = 0xFFFFFF;
constexpr QRgb kShadowColor = 0x606060;
constexpr int kTextFont = 2;
constexpr int kNotesFont = 0;
// A notice (why Undo or Redo did nothing) shows this long, this wide.
constexpr int kNoticeFont = 0;
constexpr int kNoticeDuration = 4000;
constexpr int kNoticeWidth = 360;

// Guide tabs: arrows at both ends of a row (index 136 left, 137 right) or a column (134 top, 135 bottom).
constexpr int kRowTabLeft = 136, kRowTabRight = 137, kColumnTabTop = 134, kColumnTabBottom = 135;

QString Qt8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<int>(text.size())); }

// The print dialog over the game window. Qt would centre its client area less
// a guessed caption, which leaves it higher than the middle; it is placed
// instead as it is shown, when its size is known and before it is on screen.
class CentredPrintDialog : public QPrintDialog {
 public:
  CentredPrintDialog(QPrinter* printer, QWidget* parent, std::function<void(QWidget&)> place)
      : QPrintDialog(printer, parent), place_(std::move(place)) {}

 protected:
  void showEvent(QShowEvent* event) override {
    if (!event->spontaneous() && !placed_) {
      placed_ = true;
      place_(*this);  // moved, so Qt leaves the position alone
    }
    QPrintDialog::showEvent(event);
  }

 private:
  std::function<void(QWidget&)> place_;
  bool placed_ = false;
};

}  // namespace

QIcon GameWindowIcon() { return QIcon(QPixmap::fromImage(ReadImageAs(QStringLiteral(":/icons/321.png"), "png"))); }

void GameDialog::DataMessages::Show(std::string_view text, std::string_view caption) {
  if (log_ && log_->IsOn()) log_->Write("data message: " + std::string(text) + "\n");
  boxes_.Show(text, caption, MessageButtons::Ok, false);
}

GameDialog::GameDialog(Clock& clock, MessageBoxes& boxes, KeyRouter& keys, const std::string& workingFolder,
                       const TimersMaker& makeTimers)
    : clock_(clock),
      boxes_(boxes),
      keys_(keys),
      workingFolder_(workingFolder),
      dataMessages_(boxes),
      log_(dataMessages_),
      reporter_(log_, boxes, [this] { return MillisecondsSinceStart(); }),
      imageOps_(reporter_),
      fonts_(reporter_),
      roster_(dataMessages_,
              [this](std::chrono::milliseconds pause) { clock_.Sleep(static_cast<uint32_t>(pause.count())); }),
      timers_(makeTimers ? makeTimers([this](int id) { OnTimer(id); })
                         : std::make_unique<QtWindowTimers>([this](int id) { OnTimer(id); })),
      game_(*this, roster_) {
  setWindowTitle(texts::kAppName);
  setWindowIcon(GameWindowIcon());
  setFixedSize(layout::kClientWidth, layout::kClientHeight);
  // Fixed at 640 x 480: it can be minimised and closed, never maximised.
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setAttribute(Qt::WA_OpaquePaintEvent);
  runStart_ = clock_.Now();
  log_.OpenFromEnvironment();
  dataMessages_.SetLog(&log_);
  roster_.SetLog([this](std::string_view line) {
    if (log_.IsOn()) Log(line);
  });
  SetBeforeProcessExit([this] { log_.Close(); });
  if (log_.IsOn()) Log("\n--------\nT=" + std::to_string(runStart_) + ": app started\n");
  reporter_.SetDefaultOwner(this);
  InstallGameAccessibility();
  CreateControls();
}

GameDialog::~GameDialog() {
  tips_.reset();
  splash_.reset();
  game_.Session().playKeys.clear();
  if (log_.IsOn()) Log("\n--------\nT=" + std::to_string(runStart_) + ": app exited\n");
  keys_.Unregister();
  SetBeforeProcessExit(nullptr);
  log_.Close();
}

void GameDialog::SetDialogs(std::unique_ptr<DialogService> dialogs) {
  dialogs_ = std::move(dialogs);
  game_.SetDialogs(*dialogs_);
}

// ---- Start-up ----

bool GameDialog::CheckColorDepth() {
  // True colour at 8 bits a channel or more: 24, 32 and the 30 bits of deep-colour screens.
  const int depth = DisplayColorDepth(this);
  if (depth >= kLeastColorDepth) return true;
  std::string text;
  for (const char* piece : texts::kDepthSteps) text += piece;
  boxes_.Show(text, texts::kDepthCaption, MessageButtons::Ok, true);
  Log("game message: Invalid Desktop Format\n");
  return false;
}

void GameDialog::Initialise() {
  if (!CheckColorDepth()) EndProcess(kExitColorDepth);
  keys_.Register(this, [this](const KeyPress& key) { OnKey(key); });

  SeedRandom(0);
  ArtLoader loader(reporter_, QString::fromStdString(workingFolder_));
  loader.LoadGameArt(art_);
  if (!art_.ArtLoaded()) {
    boxes_.Show(texts::kArtMissing, texts::kAppName, MessageButtons::Ok, true);
    reporter_.LogOnly(texts::kArtMissingLog);
    EndProcess(kExitArtMissing);
  }
  // The large pictures only where the screen can show them, each read when
  // it is first drawn (those of the first paint below, before the window shows).
  art_.SetSharpArt(devicePixelRatioF() > 1.0);
  RefreshScreenArt();
  // The message backgrounds are cut from the generic dialog background as it
  // is when a message shows, so that they hold no memory in between.
  reporter_.SetBackgroundsBuilder([this](std::array<QImage, 3>& images) {
    MessageBackgrounds built;
    if (!imageOps_.BuildMessageBackgrounds(art_, built)) return false;
    images = std::move(built.images);
    return true;
  });
  splash_ = std::make_unique<SplashEffect>(imageOps_, art_.Entry(imaging::kSplashLogoIndex),
                                           &art_.HeldSharpEntry(imaging::kSplashLogoIndex));
  fonts_.CreateGameFonts();

  PlaceOnDesktop(false);
  LayoutControls();
  game_.ResetSession();
  LoadFirstPaintArt();

  std::string report;
  roster_.LoadGameDataFrom(workingFolder_, &report);
  if (log_.IsOn()) Log("load data result: " + report + "\n");
}

// The large pictures the first paint draws, read before the window shows: the
// background and the faces of the controls on show. Everything else (the
// tiles' faces, the guides, the splash logo, the dialogs' pictures) is read
// when it is first drawn.
void GameDialog::LoadFirstPaintArt() {
  if (!art_.SharpArt()) return;
  // The large background is held as runs of one colour, read as they lie in
  // the program; the faces are decoded on two threads.
  const bool sharpBackground =
      art_.SharpRuns(imaging::kMainBackgroundIndex) || !art_.SharpEntry(imaging::kMainBackgroundIndex).isNull();
  std::vector<int> pictures;
  for (const auto& [id, button] : controls_)
    if (!button->isHidden()) pictures.push_back(game_.FaceOfControl(id, false));
  art_.LoadSharpEntries(pictures);
  // While the large background is shown, the normal one is decoded again only to print.
  if (sharpBackground) art_.LetGoOfPixels(imaging::kMainBackgroundIndex);
}

void GameDialog::PlaceOnDesktop(bool withTipsRoom) {
  tipsRoom_ = withTipsRoom;
  const QRect desktop = DesktopWorkArea(this);
  const QSize frame = WindowFrameSize(this);
  PlacementInput in;
  in.desktopWidth = desktop.width();
  in.desktopHeight = desktop.height();
  in.frameWidth = frame.width();
  in.frameHeight = frame.height();
  if (withTipsRoom) {
    in.roomWidth = kTipsClientWidth;
    in.roomHeight = kTipsClientHeight;
  }
  const Placement placement = PlaceGameWindow(in);
  if (placement.tooSmall && !placementWarningMade_) {
    placementWarningMade_ = true;
    reporter_.LogOnly(texts::kLowResolution);
  }
  game_.Session().tileMenuMemory = {desktop.left() + placement.tileMenuX, desktop.top() + placement.tileMenuY};
  if (!MoveWindowFrame(this, desktop.topLeft() + QPoint(placement.x, placement.y)))
    reporter_.LogOnly(texts::kPlacementFailed);
}

void GameDialog::CreateControls() {
  auto painter = [this](QPainter& p, int id, bool pressed, const QRect& rect) { PaintFace(p, id, pressed, rect); };
  auto add = [&](int id) {
    auto* button = new ControlButton(id, painter, this);
    button->setEnabled(false);
    connect(button, &QAbstractButton::clicked, this, [this, id] { game_.OnControlClicked(id); });
    controls_[id] = button;
    return button;
  };
  for (int r = 0; r < 9; ++r)
    for (int c = 0; c < 9; ++c) add(control::TileId(r, c))->hide();
  for (int k = 0; k < 9; ++k) add(control::kFirstTray + k);
  for (int id : {control::kEraser, control::kPrint, control::kHelp, control::kShowGuides, control::kHint,
                 control::kFreePlay, control::kNewGame, control::kOptions})
    add(id);
}

void GameDialog::LayoutControls() {
  for (int r = 0; r < 9; ++r)
    for (int c = 0; c < 9; ++c) controls_[control::TileId(r, c)]->setGeometry(layout::TileRect(r, c));
  for (int k = 0; k < 9; ++k) controls_[control::kFirstTray + k]->setGeometry(layout::TrayRect(k));
  controls_[control::kEraser]->setGeometry(layout::kEraserRect);
  controls_[control::kPrint]->setGeometry(layout::kPrintRect);
  controls_[control::kHelp]->setGeometry(layout::kHelpRect);
  controls_[control::kShowGuides]->setGeometry(layout::kShowGuidesRect);
  controls_[control::kHint]->setGeometry(layout::kHintRect);
  controls_[control::kFreePlay]->setGeometry(layout::kFreePlayRect);
  controls_[control::kNewGame]->setGeometry(layout::kNewGameRect);
  controls_[control::kOptions]->setGeometry(layout::kOptionsRect);
}

ControlButton* GameDialog::Control(int id) const {
  const auto found = controls_.find(id);
  return found == controls_.end() ? nullptr : found->second;
}

// ---- Painting ----

// (Part of) a table entry as it is: the art's alpha bytes carry no meaning on screen.
void GameDialog::DrawBitmap(QPainter& painter, int index, const QRect& target, const QPoint& source) const {
  if (!GameBitmapTable::IsValidIndex(index) || target.isEmpty()) return;
  // On a scaled screen the large picture fills the same window rectangle with
  // one of its pixels per device pixel (smoothly reduced at ratios below 2).
  // The painter's own scale, not the widget's: a window rendered into a picture
  // of 1:1 pixels (the printout) draws the normal art even on a scaled screen.
  const qreal ratio = painter.deviceTransform().m11();
  if (ratio > 1.0) {
    if (const RunImage* runs = art_.SharpRuns(index)) {
      DrawRuns(painter, *runs, target, source, ratio);
      return;
    }
  }
  const QImage* sharp = ratio > 1.0 ? &art_.SharpEntry(index) : nullptr;
  if (sharp && sharp->isNull()) sharp = nullptr;
  QImage* bitmap = nullptr;
  if (!sharp) {
    bitmap = &screenArt_[static_cast<size_t>(index)];
    if (bitmap->isNull()) *bitmap = ImageOperations::OpaqueView(art_.Picture(index));
    if (bitmap->isNull()) return;
  }
  const QPainter::CompositionMode mode = painter.compositionMode();
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  if (sharp) {
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, ratio < 2.0);
    painter.drawImage(QRectF(target), *sharp, QRectF(QRect(source * 2, target.size() * 2)));
    painter.restore();
  } else {
    painter.drawImage(target.topLeft(), *bitmap, QRect(source, target.size()));
  }
  painter.setCompositionMode(mode);
}

// Part of a large picture held as runs: only that part (and a rim of two
// pixels, for the smooth reduction below the scale 2 to read as it would from
// the whole picture) is expanded into pixels.
void GameDialog::DrawRuns(QPainter& painter, const RunImage& runs, const QRect& target, const QPoint& source,
                          qreal ratio) const {
  const QRect wanted(source * 2, target.size() * 2);
  const QRect expanded = wanted.adjusted(-2, -2, 2, 2).intersected(QRect(QPoint(0, 0), runs.Size()));
  const QImage part = runs.Expand(expanded);
  if (part.isNull()) return;
  const QPainter::CompositionMode mode = painter.compositionMode();
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.save();
  painter.setRenderHint(QPainter::SmoothPixmapTransform, ratio < 2.0);
  painter.drawImage(QRectF(target), part, QRectF(wanted.translated(-expanded.topLeft())));
  painter.restore();
  painter.setCompositionMode(mode);
}

// The screen shows the art through opaque views of the entries' own pixels,
// each made when the window first draws that picture; they are let go before
// the art changes, so that the entries are changed in place, not copied.
void GameDialog::RefreshScreenArt() {
  for (QImage& copy : screenArt_) copy = QImage();
}

void GameDialog::PaintFace(QPainter& painter, int id, bool pressed, const QRect& rect) const {
  if (!art_.ArtLoaded()) {
    painter.fillRect(rect, Qt::black);
    return;
  }
  const int face = game_.FaceOfControl(id, pressed);
  DrawBitmap(painter, face, rect);
  if (control::IsTile(id) && game_.DrawsNotes())
    DrawNotes(painter, control::TileRow(id), control::TileColumn(id), rect);
  // The page shows the puzzle as the game draws it without the viewing aids:
  // a tile's marks would hide the white of its digit from the printout.
  if (control::IsTile(id) && !composingPrint_) {
    const int row = control::TileRow(id), column = control::TileColumn(id);
    const TileMarks marks = game_.MarksOf(row, column);
    if (marks.Any()) DrawTileMarks(painter, marks, rect, game_.GetBoard().IsCursor(row, column) ? face : -1);
  }
}

// Drawn as shapes, not pictures, so that they are sharp at every scale: a tint
// in the player's colour over the Cursor Tile's row, column and block; a ring
// in a bright shade of it around each tile of the Active Number; and for a
// clash a red wash with a red frame, which shows through the other two (the
// Cursor Tile's gold frame is drawn again over it).
void GameDialog::DrawTileMarks(QPainter& painter, const TileMarks& marks, const QRect& rect, int cursorFace) const {
  painter.save();
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter.setRenderHint(QPainter::Antialiasing, true);
  const float hue = game_.Session().appliedHue;
  const QRectF tile = QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5);
  if (marks.cursorPeer) {
    QColor tint = HueColor(hue, 0.7, 1.0);
    tint.setAlpha(64);
    painter.fillRect(rect, tint);
  }
  if (marks.conflict) {
    painter.fillRect(rect, QColor(230, 30, 30, 90));
    painter.setPen(QPen(QColor(255, 70, 60), 2.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(tile.adjusted(1.0, 1.0, -1.0, -1.0));
    // The Cursor Tile's gold frame (the outer 5 pixels of its face) stays on top.
    if (cursorFace >= 0) {
      painter.save();
      painter.setClipRegion(QRegion(rect).subtracted(QRegion(rect.adjusted(5, 5, -5, -5))));
      DrawBitmap(painter, cursorFace, rect);
      painter.restore();
    }
  }
  if (marks.activeNumber) {
    painter.setPen(QPen(HueColor(hue, 0.6, 1.0), 3.0));
    painter.setBrush(Qt::NoBrush);
    const qreal inset = marks.conflict ? 5.0 : 3.0;
    painter.drawEllipse(tile.adjusted(inset, inset, -inset, -inset));
  }
  painter.restore();
}

void GameDialog::DrawNotes(QPainter& painter, int row, int column, const QRect& rect) const {
  const uint32_t notes = game_.GetBoard().NoteMask(row, column);
  if (!notes) return;
  painter.setFont(fonts_.Font(kNotesFont));
  painter.setPen(QColor(kTextColor));
  // The Active Number's note, when the player has it marked among the notes,
  // stands dark on a disc in a light shade of the player's colour.
  const int marked = game_.MarksOf(row, column).activeNote;
  for (int i = 0; i < 9; ++i) {
    if (!(notes & (1u << i))) continue;
    const QRect cell(rect.left() + 5 + 10 * (i % 3), rect.top() + 3 + 10 * (i / 3), 40, 40);
    if (i == marked) {
      painter.save();
      painter.setRenderHint(QPainter::Antialiasing, true);
      painter.setPen(Qt::NoPen);
      painter.setBrush(HueColor(game_.Session().appliedHue, 0.3, 1.0));
      const QFontMetricsF metrics(painter.font());
      const QRectF glyph = metrics.tightBoundingRect(QString(QChar('1' + i)));
      const QPointF centre(cell.left() + glyph.center().x(), cell.top() + metrics.ascent() + glyph.center().y());
      painter.drawEllipse(centre, 6.0, 6.0);
      painter.setPen(QColor(20, 28, 48));
      painter.drawText(cell, Qt::AlignLeft | Qt::AlignTop, QString(QChar('1' + i)));
      painter.restore();
      continue;
    }
    painter.drawText(cell, Qt::AlignLeft | Qt::AlignTop, QString(QChar('1' + i)));
  }
}

void GameDialog::DrawGuides(QPainter& painter, const QRect&) const {
  const GuideTabs tabs = game_.Guides();
  for (int r = 0; r < 9; ++r) {
    if (!tabs.rows[r]) continue;
    DrawBitmap(painter, kRowTabLeft, layout::LeftTabRect(r));
    DrawBitmap(painter, kRowTabRight, layout::RightTabRect(r));
  }
  for (int c = 0; c < 9; ++c) {
    if (!tabs.columns[c]) continue;
    DrawBitmap(painter, kColumnTabTop, layout::TopTabRect(c));
    DrawBitmap(painter, kColumnTabBottom, layout::BottomTabRect(c));
  }
}

void GameDialog::RenderArea(QPainter& painter, const QRect& area) const {
  DrawBitmap(painter, imaging::kMainBackgroundIndex, area, area.topLeft());
  DrawGuides(painter, area);
  DrawGameTexts(painter, area);
}

// Each text is drawn twice: a dark shadow one pixel right and down, then the text.
// A two-line text fills its area from the top, one line in each half, so that
// both lines fit whatever the font's own line spacing.
void GameDialog::DrawGameText(QPainter& painter, const std::string& text, QRect area, bool cycling) const {
  const size_t newline = text.find('\n');
  painter.setFont(fonts_.Font(kTextFont));
  DrawBitmap(painter, imaging::kMainBackgroundIndex, area.adjusted(0, 0, 1, 1), area.topLeft());
  auto draw = [&](const QRect& where, QRgb color) {
    painter.setPen(QColor(color));
    if (newline == std::string::npos) {
      const int flags = Qt::AlignHCenter | (cycling ? Qt::AlignVCenter : Qt::AlignBottom);
      painter.drawText(where, flags, Qt8(text));
      return;
    }
    const int half = where.height() / 2;
    const QRect first(where.left(), where.top(), where.width(), half);
    const QRect second(where.left(), where.top() + half, where.width(), where.height() - half);
    painter.drawText(first, Qt::AlignCenter, Qt8(std::string_view(text).substr(0, newline)));
    painter.drawText(second, Qt::AlignCenter, Qt8(std::string_view(text).substr(newline + 1)));
  };
  draw(area.translated(1, 1), kShadowColor);
  draw(area, kTextColor);
}

void GameDialog::DrawGameTexts(QPainter& painter, const QRect& area) const {
  const int left = area.left(), top = area.top();
  const int right = area.x() + area.width(), bottom = area.y() + area.height();
  const bool building = game_.Session().building;
  if (building && area.intersects(layout::kBuildingTextArea))
    DrawGameText(painter, game_.BuildingText(), layout::kBuildingTextArea, false);
  // Edges as FromEdges gives them: right and bottom just outside.
  const auto rightOf = [](const QRect& r) { return r.x() + r.width(); };
  const auto bottomOf = [](const QRect& r) { return r.y() + r.height(); };
  if (!game_.DrawsPlayTexts() || right <= layout::kPlayerNameArea.left()) return;

  if (top < bottomOf(layout::kPlayerNameArea))
    DrawGameText(painter, game_.PlayerNameText(), layout::kPlayerNameArea, false);
  const QRect tray = layout::TrayCountArea(0).united(layout::TrayCountArea(9));
  const bool outsideTray = left > rightOf(tray) || top > bottomOf(tray) || right < tray.left() || bottom < tray.top();
  if (!outsideTray) {
    for (int k = 0; k <= 9; ++k) {
      const QRect count = layout::TrayCountArea(k);
      const int rowTop = count.top(), rowBottom = bottomOf(count);
      if ((rowTop <= top || rowTop <= bottom) && (rowBottom >= top || rowBottom >= bottom))
        DrawGameText(painter, game_.TrayCountText(k), count, false);
    }
  }
  const QRect& stats = layout::kStatsPanelArea;
  const bool outsideStats =
      (top < stats.top() && bottom < stats.top()) || (top > bottomOf(stats) && bottom > bottomOf(stats));
  if (!outsideStats) DrawGameText(painter, game_.StatsPanelText(), stats, true);
}

void GameDialog::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  if (isMinimized()) return;
  if (!art_.ArtLoaded()) {
    painter.fillRect(event->rect(), Qt::black);
    return;
  }
  const QRect area = event->rect();
  std::string line;
  if (log_.IsOn()) {
    line = "T+" + std::to_string(MillisecondsSinceStart()) + ": draw pass " + std::to_string(paintCount_) +
           "; region; " + std::to_string(area.left()) + "," + std::to_string(area.top()) + " - " +
           std::to_string(area.x() + area.width()) + "," + std::to_string(area.y() + area.height());
  }
  ++paintCount_;
  RenderArea(painter, area);
  if (splash_) {
    if (splash_->Running()) {
      painter.setCompositionMode(QPainter::CompositionMode_Source);
      // A large effect is reduced smoothly between the scales 1 and 2.
      painter.setRenderHint(QPainter::SmoothPixmapTransform,
                            splash_->Effect().devicePixelRatio() > painter.deviceTransform().m11());
      painter.drawImage(splash_->Rect().topLeft(), ImageOperations::OpaqueView(splash_->Effect()));
      line += "; splash effect drawn";
    } else if (!game_.Session().TimerPending(kSplashTimer)) {
      game_.StartGameTimer(kSplashTimer, kSplashFirstDelay);
    }
  }
  if (log_.IsOn()) Log(line + "\n");
}

// ---- Events ----

void GameDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (shownOnce_) return;
  shownOnce_ = true;
  // The pointer as the window's own events place it, whatever the window system says of the screen.
  if (QWindow* handle = windowHandle()) handle->installEventFilter(this);
  // The start-up placement could not know the frame the window manager adds:
  // place the window again by its real frame as soon as it has one.
  WhenFramed(this, [this](QMargins) { PlaceOnDesktop(tipsRoom_); });
  game_.Session().clientVisibleTime = clock_.Now();
  if (log_.IsOn()) Log("T+" + std::to_string(MillisecondsSinceStart()) + ": client visible\n");
}

void GameDialog::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  // The window has one size: a window manager that stretches it to the whole
  // screen anyway is undone.
  if (event->type() == QEvent::WindowStateChange && (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
    setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
}

void GameDialog::moveEvent(QMoveEvent* event) {
  QDialog::moveEvent(event);
  // The tips window stands where it was put beside the game window (or where
  // the player moved it) and goes wherever the game window goes, rather than
  // being left behind over the board; where that would take it off the
  // desktop, it goes beside the game window on the side that has room.
  const QPoint moved = event->pos() - event->oldPos();
  if (!tips_ || moved.isNull() || !tips_->isWindow()) return;
  const auto rect = [](const QRect& r) { return WindowRect{r.x(), r.y(), r.width(), r.height()}; };
  const WindowRect followed = rect(tips_->frameGeometry().translated(moved));
  const WindowRect kept = KeepTipsOnDesktop(followed, rect(frameGeometry()), rect(DesktopWorkArea(this)));
  if (kept == followed)
    tips_->move(tips_->pos() + moved);
  else
    MoveWindowFrame(tips_.get(), QPoint(kept.x, kept.y), FrameMargins(tips_.get()));
}

bool GameDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == windowHandle()) {
    switch (event->type()) {
      case QEvent::MouseMove:
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease: pointer_ = static_cast<QMouseEvent*>(event)->position(); break;
      case QEvent::Enter: pointer_ = static_cast<QEnterEvent*>(event)->position(); break;
      case QEvent::Leave: pointer_.reset(); break;
      default: break;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void GameDialog::closeEvent(QCloseEvent* event) {
  if (closing_) {
    event->accept();
    return;
  }
  event->ignore();
  game_.OnCloseRequest();
}

// Right clicks on the board play; elsewhere they open the window's menu
// (Pause, Change Player, and the About box, which desktops without a window
// menu would otherwise leave out of reach) whenever one of its entries can
// act. The Menu key is a key like any other: the key map gives it nothing to do.
void GameDialog::contextMenuEvent(QContextMenuEvent* event) {
  if (event->reason() != QContextMenuEvent::Mouse) return;
  const QPoint at = event->pos();
  if (layout::OnBoard(at.x(), at.y()) || game_.Paused()) {
    game_.OnRightClick(at.x(), at.y());  // while paused, anywhere: it resumes
    return;
  }
  RunWindowMenu(this, event->globalPos(), WindowMenu());
}

// In the menu's order; each entry is enabled only where it can act.
std::vector<WindowMenuEntry> GameDialog::WindowMenu() {
  const bool minimised = isMinimized();
  return {
      {texts::kUndoMenuItem, texts::kUndoMenuKey, !minimised && game_.CanUndo(), [this] { game_.Undo(); }},
      {texts::kRedoMenuItem, texts::kRedoMenuKey, !minimised && game_.CanRedo(), [this] { game_.Redo(); }},
      {texts::kPauseMenuItem, texts::kPauseMenuKey, !minimised && game_.PauseAvailable(),
       [this] { game_.PauseCommand(); }},
      {texts::kFillInCandidatesMenuItem, texts::kFillInCandidatesMenuKey, !minimised && game_.CanFillInCandidates(),
       [this] { game_.FillInCandidates(); }},
      {texts::kViewMenuItem, nullptr, !minimised, nullptr, -1, ViewMenu()},
      {texts::kChangePlayerMenuItem, nullptr, !minimised && game_.ChangePlayerAvailable(),
       [this] { game_.ChangePlayerCommand(); }},
      {texts::kAboutMenuItem, nullptr, game_.AboutAvailable(minimised),
       [this] { game_.OnAboutRequest(isMinimized()); }},
  };
}

// Window Size, kept in the desktop user's settings file (none: no size to keep),
// then the viewing aids, ticked while on, which change only while a player plays.
std::vector<WindowMenuEntry> GameDialog::ViewMenu() {
  const bool available = game_.ViewAidAvailable() && !game_.Paused();
  auto aid = [this, available](const char* label, ViewAid which) {
    return WindowMenuEntry{label, nullptr, available, [this, which] { game_.ToggleViewAid(which); },
                           game_.ViewAidOn(which) ? 1 : 0};
  };
  std::vector<WindowMenuEntry> entries{{texts::kWindowSizeMenuItem, nullptr,
                                        game_.CanBeLeft() && !settingsPath_.empty(), nullptr, -1, WindowSizeEntries()},
                                       {nullptr, nullptr, false, nullptr},
                                       aid(texts::kHighlightActiveNumberMenuItem, ViewAid::kHighlightActiveNumber),
                                       aid(texts::kHighlightCursorPeersMenuItem, ViewAid::kHighlightCursorPeers),
                                       aid(texts::kMarkConflictsMenuItem, ViewAid::kMarkConflicts),
                                       {nullptr, nullptr, false, nullptr},
                                       aid(texts::kHighlightActiveNotesMenuItem, ViewAid::kHighlightActiveNotes),
                                       aid(texts::kRemoveNotesOnPlayMenuItem, ViewAid::kRemoveNotesOnPlay)};
  // Offered on a Wayland desktop (through XWayland or not), and wherever it is on, to turn it off.
  const bool onWaylandDesktop = OnWayland() || (WaylandDesktop() && QGuiApplication::platformName() == "xcb");
  if (onWaylandDesktop || desktopWindowSystem_)
    entries.insert(entries.begin() + 1,
                   {texts::kDesktopWindowSystemMenuItem, nullptr, game_.CanBeLeft() && !settingsPath_.empty(),
                    [this] { ChooseWindowSystem(!desktopWindowSystem_); }, desktopWindowSystem_ ? 1 : 0});
  return entries;
}

// Only the sizes that the screen's work area holds, with the Tips window beside
// the game window, can be chosen; the others say why they cannot.
std::vector<WindowMenuEntry> GameDialog::WindowSizeEntries() {
  // In the desktop's own pixels, as at 100 %.
  const auto desktop = [this](int length) { return length * windowSize_ / kNormalWindowSize; };
  const QRect area = DesktopWorkArea(this);
  const QSize frame = WindowFrameSize(this);
  const FrameAllowance framed{desktop(frame.width()), desktop(frame.height())};
  std::vector<WindowMenuEntry> entries;
  for (size_t i = 0; i < std::size(kWindowSizes); ++i) {
    const int percent = kWindowSizes[i];
    const bool fits =
        percent == kNormalWindowSize || WindowSizeFits(percent, desktop(area.width()), desktop(area.height()), framed);
    entries.push_back({texts::kWindowSizeItems[i], fits ? nullptr : texts::kWindowSizeTooLarge, fits,
                       [this, percent] { ChooseWindowSize(percent); }, percent == storedWindowSize_ ? 1 : 0});
  }
  return entries;
}

void GameDialog::SetWindowSize(const std::string& settingsPath, int runningPercent) {
  settingsPath_ = settingsPath;
  windowSize_ = storedWindowSize_ = runningPercent;
}

void GameDialog::ChooseWindowSize(int percent) {
  if (percent != storedWindowSize_) {
    if (!StoreWindowSize(settingsPath_, percent)) {
      ShowMessage(texts::kWindowSizeNotStored + settingsPath_);
      return;
    }
    storedWindowSize_ = percent;
  }
  // Back to the size this run shows: nothing more to do.
  if (percent == windowSize_) return;
  OfferRestart(texts::kWindowSizeRestart);
}

void GameDialog::ChooseWindowSystem(bool desktopOwn) {
  if (!StoreDesktopWindowSystem(settingsPath_, desktopOwn)) {
    ShowMessage(texts::kWindowSystemNotStored + settingsPath_);
    return;
  }
  desktopWindowSystem_ = desktopOwn;
  if (WindowSystemChangesWith(desktopOwn)) OfferRestart(texts::kWindowSystemRestart);
}

void GameDialog::OfferRestart(const char* question) {
  if (!Ask(question)) return;
  // Saved as a close request saves; a save that failed has told the player,
  // who stays with the game rather than leave it unsaved.
  if (!game_.CanBeLeft() || !game_.SaveGame()) return;
  // A Payback game goes on in the next run with the countdown it has now.
  countdownToKeep_ = game_.CountdownToKeep();
  restartRequested_ = true;
  EndGameWindow();
}

void GameDialog::ShowPauseCover(bool show) {
  if (!cover_) {
    if (!show) return;
    cover_ = new PauseCover(
        this, [this] { return game_.Session().appliedHue; }, [this] { game_.Resume(); }, fonts_.Font(kTextFont));
  }
  cover_->setVisible(show);
  if (show) cover_->raise();
}

void GameDialog::OnKey(const KeyPress& press) {
  // A key held down repeats: the P that paused must not resume the game (and
  // pause it again) as long as it is held, so repeats do not resume.
  if (game_.Paused() && press.repeated) return;
  // The keyboard's way to the window menu a right click opens (while paused,
  // they resume, as any key does).
  if (!game_.Paused() && !press.control &&
      (press.virtualKey == key::kApps || (press.virtualKey == key::kF10 && press.shift))) {
    OpenWindowMenuFromKeys();
    return;
  }
  game_.OnKey(press.virtualKey, press.control, press.shift);
}

void GameDialog::OpenWindowMenuFromKeys() {
  const GameSession& session = game_.Session();
  const QRect tile = layout::TileRect(session.cursorRow, session.cursorColumn);
  const bool onBoard = game_.DrawsPlayTexts() && Control(control::TileId(0, 0))->isVisible();
  RunWindowMenu(this, mapToGlobal(onBoard ? tile.center() : layout::kNewGameRect.topLeft()), WindowMenu());
}

void GameDialog::OnTimer(int id) {
  if (!game_.OnTimer(id)) OnSplashTimer();
}

void GameDialog::OnSplashTimer() {
  if (!splash_) {
    game_.KillGameTimer(kSplashTimer);
    return;
  }
  const uint32_t now = clock_.Now();
  if (!splash_->Running()) {
    art_.SharpEntry(imaging::kSplashLogoIndex);  // the large logo is read as the splash begins
    if (!splash_->StartSplash(now, layout::kBoardSquare.width(), layout::kBoardSquare.height(), this)) {
      reporter_.LogOnly(texts::kSplashActivationFailed);
      EndSplash();
      return;
    }
    game_.StartGameTimer(kSplashTimer, kSplashFrame);
    return;
  }
  splash_->StepSplash(now);
  if (splash_->Running()) {
    game_.StartGameTimer(kSplashTimer, kSplashFrame);
    update(layout::kSplashRect);
    return;
  }
  EndSplash();
}

void GameDialog::EndSplash() {
  update(layout::kSplashRect);
  splash_.reset();
  art_.ReleaseSharpEntry(imaging::kSplashLogoIndex);  // shown once in the run
  game_.OnSplashEnded();
}

// ---- GameHost ----

void GameDialog::SystemMessage(std::string_view text) { boxes_.Show(text, texts::kAppName, MessageButtons::Ok, true); }

QRect GameDialog::AreaRect(const ScreenArea& area) const {
  switch (area.kind) {
    case ScreenArea::kTiles:
      return layout::TileRect(area.row, area.column).united(layout::TileRect(area.row2, area.column2));
    case ScreenArea::kTrayCount: return layout::TrayCountArea(area.row);
    case ScreenArea::kGuideBands: return layout::kGuideBandsArea;
    case ScreenArea::kStatsPanel: return layout::kStatsPanelArea;
    case ScreenArea::kBuildingText: return layout::kBuildingTextArea;
    case ScreenArea::kWholeWindow: break;
  }
  return rect();
}

namespace {
// The four bands around the board that hold the guide tabs.
QRegion GuideBandsRegion() { return QRegion(layout::kGuideBandsArea).subtracted(QRegion(layout::kBoardArea)); }
}  // namespace

void GameDialog::Invalidate(const ScreenArea& area) {
  if (area.kind == ScreenArea::kGuideBands)
    update(GuideBandsRegion());
  else
    update(AreaRect(area));
  if (area.kind == ScreenArea::kTrayCount) announcer_.ControlRedrawn(control::kFirstTray + area.row);
  if (area.kind == ScreenArea::kStatsPanel) announcer_.StatusRedrawn();
}

void GameDialog::Redraw(const ScreenArea& area) {
  if (area.kind == ScreenArea::kGuideBands)
    repaint(GuideBandsRegion());
  else
    repaint(AreaRect(area));
  if (area.kind == ScreenArea::kTrayCount) announcer_.ControlRedrawn(control::kFirstTray + area.row);
}

void GameDialog::RedrawControl(int controlId) {
  if (ControlButton* button = Control(controlId)) button->update();
  announcer_.ControlRedrawn(controlId);
}

void GameDialog::RedrawEverything() {
  update();
  for (auto& [id, button] : controls_) button->update();
  announcer_.Forget();
}

void GameDialog::ShowTileControls(bool show) {
  if (!show) KeepFocusOffControls(true, false, false);
  for (int r = 0; r < 9; ++r)
    for (int c = 0; c < 9; ++c) controls_[control::TileId(r, c)]->setVisible(show);
  // Back from the window (a game taken up again), the keyboard goes to the Cursor Tile.
  if (show && (focusWidget() == nullptr || focusWidget() == this))
    FocusControl(control::TileId(game_.Session().cursorRow, game_.Session().cursorColumn));
}

void GameDialog::EnableBoardControls(bool enable) {
  if (!enable) KeepFocusOffControls(true, true, false);
  for (int r = 0; r < 9; ++r)
    for (int c = 0; c < 9; ++c) controls_[control::TileId(r, c)]->setEnabled(enable);
  for (int k = 0; k < 9; ++k) controls_[control::kFirstTray + k]->setEnabled(enable);
  controls_[control::kEraser]->setEnabled(enable);
}

void GameDialog::EnableCommandButtons(bool enable) {
  if (!enable) KeepFocusOffControls(false, false, true);
  for (int id :
       {control::kPrint, control::kHelp, control::kFreePlay, control::kHint, control::kOptions, control::kShowGuides})
    controls_[id]->setEnabled(enable);
  controls_[control::kNewGame]->setEnabled(true);
}

void GameDialog::KeepFocusOffControls(bool tiles, bool tray, bool commands) {
  const auto* focused = qobject_cast<ControlButton*>(focusWidget());
  if (!focused) return;
  const int id = focused->Id();
  const bool isTray = (id >= control::kFirstTray && id <= control::kLastTray) || id == control::kEraser;
  const bool going = control::IsTile(id) ? tiles : isTray ? tray : commands && id != control::kNewGame;
  if (going) setFocus(Qt::OtherFocusReason);
}

void GameDialog::FocusControl(int controlId) {
  if (ControlButton* button = Control(controlId)) button->setFocus();
}

bool GameDialog::IsMouseOverControl(int controlId) {
  const ControlButton* button = Control(controlId);
  if (!button) return false;
  const QRect r = button->geometry();
  const QPoint mouse = pointer_ ? pointer_->toPoint() : QPoint(-1, -1);
  const bool hit =
      mouse.x() >= r.left() && mouse.x() < r.x() + r.width() && mouse.y() >= r.top() && mouse.y() < r.y() + r.height();
  if (log_.IsOn()) {
    Log("control: " + std::to_string(r.left()) + "," + std::to_string(r.top()) + " - " +
        std::to_string(r.x() + r.width()) + "," + std::to_string(r.y() + r.height()) +
        "  mouse: " + std::to_string(mouse.x()) + "," + std::to_string(mouse.y()) + (hit ? "->HIT\n" : "->miss\n"));
  }
  return hit;
}

uint32_t GameDialog::StartTimer(int id, uint32_t periodMs) { return timers_->Start(id, periodMs); }

bool GameDialog::StopTimer(int id) { return timers_->Kill(id); }

void GameDialog::Sleep(uint32_t milliseconds) { clock_.Sleep(milliseconds); }

void GameDialog::OpenHelpPage() {
  QPointer<GameDialog> window(this);
  OpenWithDefaultProgram("help.html", [window](const std::string& fullPath) {
    if (window && !window->closing_) window->game_.OnHelpPageNotOpened(fullPath);
  });
}

void GameDialog::CentreOnWindow(QWidget& dialog) {
  const QMargins expected = FrameMargins(this);
  const auto corner = [this, &dialog](QMargins frame) {
    const QRect game = frameGeometry();
    const QSize outer = dialog.size() + QSize(frame.left() + frame.right(), frame.top() + frame.bottom());
    return QPoint(game.left() + (game.width() - outer.width()) / 2, game.top() + (game.height() - outer.height()) / 2);
  };
  MoveWindowFrame(&dialog, corner(expected), expected);
  // A dialog's frame may differ from the game window's (openbox gives it a
  // thicker bottom edge).
  WhenFramed(&dialog, [&dialog, expected, corner](QMargins frame) {
    if (frame != expected) MoveWindowFrame(&dialog, corner(frame));
  });
}

void GameDialog::PrintPuzzle(std::string_view label) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(QString::fromLatin1(kPrintJobName));
  // Over the game window, as every dialog of the game is.
  CentredPrintDialog dialog(&printer, this, [this](QWidget& shown) { CentreOnWindow(shown); });
  auto* choice = new PrintChoicePage(printChoice_);  // the dialog owns its pages
  dialog.setOptionTabs({choice});
  if (dialog.exec() != QDialog::Accepted) return;
  printChoice_ = choice->Choice();
  // Busy while the page is composed and sent, not while the player chooses a printer.
  QApplication::setOverrideCursor(Qt::WaitCursor);
  if (printChoice_ == PrintChoice::kScreen)
    PrintPicture(printer, Qt8(label));
  else
    PrintCleanGrid(printer, Qt8(label), printChoice_ == PrintChoice::kCleanGrid);
  QApplication::restoreOverrideCursor();
}

// Painted at the window's own 640 x 480 whatever the screen's scale, so that the
// tiles sit where the whitening looks for them; the print dialog never shows in it.
QImage GameDialog::ComposePrintPicture(const QString& topLabel) {
  // A notice is no part of the puzzle, nor are the viewing aids' marks.
  if (notice_) notice_->hide();
  QImage client(QSize(layout::kClientWidth, layout::kClientHeight), QImage::Format_RGB32);
  client.setDevicePixelRatio(1);
  composingPrint_ = true;
  render(&client);
  composingPrint_ = false;
  // A picture decoded for the page alone (the normal background on a scaled
  // screen) is not kept.
  for (int index = 0; index < GameBitmapTable::Size(); ++index)
    if (art_.KeptAsPngData(index)) screenArt_[static_cast<size_t>(index)] = QImage();
  return PreparePrintPicture(client, topLabel, QString::fromStdString(game_.AboutText()));
}

bool GameDialog::PrintPicture(QPrinter& printer, const QString& topLabel) {
  const QImage picture = ComposePrintPicture(topLabel);
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
  painter.drawImage(PrintDestination(page.width(), page.height()), picture);
  return painter.end();
}

// A tile found without Ignore Mistakes becomes a given one, so the board alone
// cannot tell the puzzle's clues from the player's finds: the puzzle is built
// again from its code, on a board of its own, the random source left as the
// game had it. A Blackout puzzle's clues are the player's reveals, which no
// build knows: there (and should a build differ) every given tile counts.
std::array<bool, kTileCount> GameDialog::PuzzleClues() const {
  const Board& board = game_.GetBoard();
  std::array<bool, kTileCount> clues{};
  for (int i = 0; i < kTileCount; ++i) clues[i] = board.IsGiven(i / kBoardSize, i % kBoardSize);
  BuildSettings build;
  build.puzzleCode = game_.PuzzleCodeText();
  DecodedPuzzleCode code;
  if (!DecodePuzzleCode(build.puzzleCode, code) || code.typeIndex == kGameTypeBlackout ||
      !ApplyDifficultyParameters(build, code.difficultyIndex))
    return clues;
  Board built;
  LogicSolver solver;
  SilentEngineHost quiet;
  const uint32_t random = RandomState();
  const bool done = PuzzleBuilder(built, solver, build, quiet, roster_).StartBuild();
  SeedRandom(random);
  if (!done) return clues;
  for (int i = 0; i < kTileCount; ++i)
    if (built.TypeAt(i / kBoardSize, i % kBoardSize) != board.TypeAt(i / kBoardSize, i % kBoardSize)) return clues;
  for (int i = 0; i < kTileCount; ++i) clues[i] = !built.IsHidden(i / kBoardSize, i % kBoardSize);
  return clues;
}

SheetPuzzle GameDialog::CleanGridPuzzle(const QString& label, bool withEntries) const {
  SheetPuzzle puzzle;
  const std::array<bool, kTileCount> clues = PuzzleClues();
  for (int r = 0; r < kBoardSize; ++r) {
    for (int c = 0; c < kBoardSize; ++c) {
      const int type = game_.ShownType(r, c);
      const int i = r * kBoardSize + c;
      puzzle.given[i] = clues[i];
      if (type >= 0 && type < kTypeCount && (withEntries || puzzle.given[i]))
        puzzle.digits[i] = static_cast<char>('1' + type);
    }
  }
  puzzle.label = label;
  return puzzle;
}

bool GameDialog::PrintCleanGrid(QPrinter& printer, const QString& label, bool withEntries) {
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
  DrawCleanGridPage(painter, printer.resolution(), page.size(), CleanGridPuzzle(label, withEntries));
  return painter.end();
}

void GameDialog::ShiftArtHue(float delta) {
  // The screen's views go first, so that the art is recoloured in place
  // rather than copied away from them.
  RefreshScreenArt();
  imageOps_.ChangeGameColor(art_, delta);  // messages cut their backgrounds when shown
  if (tips_) tips_->RebuildBackground();
  RedrawEverything();
}

void GameDialog::SetWindowTitle(std::string_view title) { setWindowTitle(Qt8(title)); }

bool GameDialog::ShowTipsWindow() {
  const bool first = !tips_;
  // A Wayland window cannot be placed beside another: the game window grows to hold it.
  const bool panel = OnWayland();
  if (first) {
    tips_ = std::make_unique<TipsWindow>(reporter_, imageOps_, art_, this, panel);
    tips_->SetClosedHandler([this] { game_.OnTipsWindowClosed(); });
  }
  if (panel) {
    HoldTipsPanel(true);
    return tips_->isVisible();
  }
  PlaceOnDesktop(true);
  if (first) {
    // Beside the game window, touching its left edge, tops aligned, held inside the desktop.
    const QRect game = frameGeometry();
    const QSize frame = WindowFrameSize(this);
    const QRect desktop = DesktopWorkArea(this);
    QRect where(QPoint(game.left() - tips_->width() - frame.width(), game.top()), tips_->size() + frame);
    if (where.left() < desktop.left())
      where.moveLeft(desktop.left());
    else if (where.right() > desktop.right())
      where.moveRight(desktop.right());
    if (where.top() < desktop.top())
      where.moveTop(desktop.top());
    else if (where.bottom() > desktop.bottom())
      where.moveBottom(desktop.bottom());
    tips_->move(where.topLeft());
  }
  tips_->show();
  activateWindow();
  return tips_->isVisible();
}

void GameDialog::HideTipsWindow() {
  if (!tips_) return;
  tips_->hide();
  if (!tips_->isWindow()) HoldTipsPanel(false);
}

void GameDialog::HoldTipsPanel(bool hold) {
  // The game keeps its 640 x 480 where they are; the panel stands right of them.
  setFixedSize(layout::kClientWidth + (hold ? kTipsClientWidth : 0), layout::kClientHeight);
  tips_->setGeometry(layout::kClientWidth, 0, kTipsClientWidth, kTipsClientHeight);
  tips_->setVisible(hold);
}

void GameDialog::ShowTipText(std::string_view text) {
  if (tips_ && tips_->isVisible()) tips_->SetText(std::string(text));
}

void GameDialog::ShowNotice(std::string_view text) {
  if (!notice_) {
    notice_ = new QLabel(this);
    notice_->setObjectName(QStringLiteral("notice"));
    notice_->setAttribute(Qt::WA_TransparentForMouseEvents);
    notice_->setFocusPolicy(Qt::NoFocus);
    notice_->setWordWrap(true);
    notice_->setAlignment(Qt::AlignCenter);
    notice_->setFont(fonts_.Font(kNoticeFont));
    notice_->setStyleSheet(
        QStringLiteral("QLabel { color: white; background: rgba(0, 0, 0, 190); "
                       "border: 1px solid rgba(255, 255, 255, 120); padding: 6px; }"));
    noticeTimer_ = new QTimer(this);
    noticeTimer_->setSingleShot(true);
    connect(noticeTimer_, &QTimer::timeout, notice_, &QWidget::hide);
  }
  notice_->setText(Qt8(text));
  notice_->setFixedWidth(kNoticeWidth);
  notice_->adjustSize();
  // Over the lower part of the board, centred on it.
  const QRect board(layout::kBoardOrigin, layout::kBoardOrigin, layout::kBoardSize, layout::kBoardSize);
  notice_->move(board.center().x() - notice_->width() / 2, board.bottom() - notice_->height() - 20);
  notice_->show();
  notice_->raise();
  noticeTimer_->start(kNoticeDuration);
}

void GameDialog::EndGameWindow() {
  closing_ = true;
  QDialog::done(0);
}

}  // namespace velmora
