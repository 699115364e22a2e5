#include "game_dialog.h"

#include <QCloseEvent>
#include <QIcon>
#include <QPainter>
#include <QPaintEvent>
#include <QShowEvent>

#include "app_texts.h"
#include "art_loader.h"
#include "image_operations.h"
#include "process_exit.h"
#include "random_source.h"
#include "screen.h"
#include "screen_layout.h"
#include "splash_effect.h"
#include "window_placement.h"

namespace velmora {
namespace {

constexpr int kIconResource = 321;
constexpr unsigned kSplashFirstDelay = 500;
constexpr unsigned kSplashFrame = 10;
constexpr unsigned kChoosePlayerDelay = 300;

// Faces of the controls that do not depend on the game (table indices, up / pressed).
struct ButtonFaces {
  int id, up, pressed;
};
constexpr ButtonFaces kButtonFaces[] = {
    {layout::kNewGameId, 131, 130}, {layout::kHintId, 129, 128},   {layout::kPrintId, 125, 124},
    {layout::kFreePlayId, 127, 126}, {layout::kOptionsId, 182, 181}, {layout::kHelpId, 188, 187},
};

}  // namespace

void GameDialog::DataMessages::Show(std::string_view text, std::string_view caption) {
  boxes_.Show(text, caption, MessageButtons::Ok, false);
}

GameDialog::GameDialog(Clock& clock, MessageBoxes& boxes, KeyRouter& keys, const std::string& workingFolder)
    : clock_(clock),
      boxes_(boxes),
      keys_(keys),
      workingFolder_(workingFolder),
      dataMessages_(boxes),
      log_(dataMessages_),
      reporter_(log_, boxes, [this] { return MillisecondsSinceStart(); }),
      imageOps_(reporter_),
      fonts_(reporter_),
      roster_(dataMessages_, [this](std::chrono::milliseconds pause) {
        clock_.Sleep(static_cast<uint32_t>(pause.count()));
      }),
      timers_([this](int id) { OnTimer(id); }, this) {
  setWindowTitle(texts::kAppName);
  setWindowIcon(QIcon(QStringLiteral(":/icons/%1.png").arg(kIconResource)));
  setFixedSize(layout::kClientWidth, layout::kClientHeight);
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setAttribute(Qt::WA_OpaquePaintEvent);
  aboutText_ = std::string(texts::kAboutPrefix) + texts::kCreditLine;
  runStart_ = clock_.Now();
  log_.OpenFromEnvironment();
  SetBeforeProcessExit([this] { log_.Close(); });
  if (log_.IsOn()) Log("\n--------\nT=" + std::to_string(runStart_) + ": app started\n");
  reporter_.SetDefaultOwner(this);
  CreateControls();
}

GameDialog::~GameDialog() {
  splash_.reset();
  if (log_.IsOn()) Log("\n--------\nT=" + std::to_string(runStart_) + ": app exited\n");
  keys_.Unregister();
  SetBeforeProcessExit(nullptr);
  log_.Close();
}

void GameDialog::SystemMessage(std::string_view text) {
  boxes_.Show(text, texts::kAppName, MessageButtons::Ok, true);
}

bool GameDialog::CheckColorDepth() {
  const int depth = DisplayColorDepth(this);
  if (depth == 24 || depth == 32) return true;
  std::string text;
  for (const char* piece : texts::kDepthSteps) text += piece;
  boxes_.Show(text, texts::kDepthCaption, MessageButtons::Ok, true);
  Log("game message: Invalid Desktop Format\n");
  return false;
}

void GameDialog::Initialise() {
  if (!CheckColorDepth()) EndProcess(kExitColorDepth);
  keys_.Register(this, [this](int key, bool control) { OnKey(key, control); });

  SeedRandom(0);

  ArtLoader loader(reporter_, QString::fromStdString(workingFolder_));
  loader.LoadGameArt(art_);
  if (!art_.ArtLoaded()) {
    boxes_.Show(texts::kArtMissing, texts::kAppName, MessageButtons::Ok, true);
    reporter_.Report(texts::kArtMissingLog, false, true, false);
    EndProcess(kExitArtMissing);
  }
  if (imageOps_.BuildMessageBackgrounds(art_, backgrounds_))
    reporter_.SetBackgrounds(backgrounds_.images[0], backgrounds_.images[1], backgrounds_.images[2]);
  splash_ = std::make_unique<SplashEffect>(imageOps_, art_.Entry(imaging::kSplashLogoIndex));
  fonts_.CreateGameFonts();

  PlaceOnDesktop();
  LayoutControls();

  std::string report;
  roster_.LoadGameDataFrom(workingFolder_, &report);
  if (log_.IsOn()) Log("load data result: " + report + "\n");
  initialised_ = true;
}

void GameDialog::PlaceOnDesktop() {
  const QRect desktop = DesktopWorkArea(this);
  const QSize frame = WindowFrameSize(this);
  PlacementInput in;
  in.desktopWidth = desktop.width();
  in.desktopHeight = desktop.height();
  in.frameWidth = frame.width();
  in.frameHeight = frame.height();
  const Placement placement = PlaceGameWindow(in);
  if (placement.tooSmall && !firstPlacementWarningMade_) {
    firstPlacementWarningMade_ = true;
    reporter_.Report(texts::kLowResolution, false, true, false);
  }
  if (!MoveWindowFrame(this, desktop.topLeft() + QPoint(placement.x, placement.y)))
    reporter_.Report(texts::kPlacementFailed, false, true, false);
}

void GameDialog::CreateControls() {
  auto painter = [this](QPainter& p, int id, bool pressed, const QRect& rect) { PaintFace(p, id, pressed, rect); };
  auto add = [&](int id) {
    auto* button = new ControlButton(id, painter, this);
    button->setEnabled(false);
    controls_[id] = button;
    return button;
  };
  for (int r = 0; r < 9; ++r)
    for (int c = 0; c < 9; ++c) add(layout::TileId(r, c))->hide();
  for (int k = 0; k < 9; ++k) add(layout::kFirstTrayId + k);
  for (int id : {layout::kEraserId, layout::kPrintId, layout::kHelpId, layout::kShowGuidesId, layout::kHintId,
                 layout::kFreePlayId, layout::kNewGameId, layout::kOptionsId})
    add(id);
}

void GameDialog::LayoutControls() {
  for (int r = 0; r < 9; ++r)
    for (int c = 0; c < 9; ++c) controls_[layout::TileId(r, c)]->setGeometry(layout::TileRect(r, c));
  for (int k = 0; k < 9; ++k) controls_[layout::kFirstTrayId + k]->setGeometry(layout::TrayRect(k));
  controls_[layout::kEraserId]->setGeometry(layout::kEraserRect);
  controls_[layout::kPrintId]->setGeometry(layout::kPrintRect);
  controls_[layout::kHelpId]->setGeometry(layout::kHelpRect);
  controls_[layout::kShowGuidesId]->setGeometry(layout::kShowGuidesRect);
  controls_[layout::kHintId]->setGeometry(layout::kHintRect);
  controls_[layout::kFreePlayId]->setGeometry(layout::kFreePlayRect);
  controls_[layout::kNewGameId]->setGeometry(layout::kNewGameRect);
  controls_[layout::kOptionsId]->setGeometry(layout::kOptionsRect);
}

ControlButton* GameDialog::Control(int id) const {
  const auto found = controls_.find(id);
  return found == controls_.end() ? nullptr : found->second;
}

int GameDialog::FaceOfControl(int id, bool pressed) const {
  if (layout::IsTileId(id)) return gameState_ == GameState::Prepared ? 40 : 0;
  if ((id >= layout::kFirstTrayId && id < layout::kFirstTrayId + 9) || id == layout::kEraserId) return 101;
  if (id == layout::kShowGuidesId) return 132;
  for (const ButtonFaces& faces : kButtonFaces)
    if (faces.id == id) return pressed ? faces.pressed : faces.up;
  return -1;
}

void GameDialog::PaintFace(QPainter& painter, int id, bool pressed, const QRect& rect) const {
  if (!art_.ArtLoaded()) {
    painter.fillRect(rect, Qt::black);
    return;
  }
  const int face = FaceOfControl(id, pressed);
  if (!GameBitmapTable::IsValidIndex(face)) return;
  DrawBitmap(painter, face, rect);
}

// A plain copy of (part of) a table entry: the art's alpha bytes carry no meaning on screen.
void GameDialog::DrawBitmap(QPainter& painter, int index, const QRect& target, const QPoint& source) const {
  const GameBitmap& bitmap = art_.Entry(index);
  if (bitmap.isNull() || target.isEmpty()) return;
  const QImage part = ImageOperations::OpaqueCopy(bitmap.copy(QRect(source, target.size())));
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.drawImage(target.topLeft(), part);
}

void GameDialog::RenderArea(QPainter& painter, const QRect& area) const {
  DrawBitmap(painter, imaging::kMainBackgroundIndex, area, area.topLeft());
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
           std::to_string(area.right() + 1) + "," + std::to_string(area.bottom() + 1);
  }
  ++paintCount_;
  RenderArea(painter, area);
  if (splash_) {
    if (splash_->Running()) {
      painter.setCompositionMode(QPainter::CompositionMode_Source);
      painter.drawImage(splash_->Rect().topLeft(), ImageOperations::OpaqueCopy(splash_->Effect()));
      line += "; splash effect drawn";
    } else if (!IsTimerPending(kSplashTimer)) {
      StartGameTimer(kSplashTimer, kSplashFirstDelay);
    }
  }
  if (log_.IsOn()) Log(line + "\n");
}

void GameDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (shownOnce_) return;
  shownOnce_ = true;
  clientVisibleAt_ = clock_.Now();
  if (log_.IsOn()) Log("T+" + std::to_string(MillisecondsSinceStart()) + ": client visible\n");
}

void GameDialog::closeEvent(QCloseEvent* event) { QDialog::closeEvent(event); }

void GameDialog::reject() { QDialog::reject(); }

unsigned GameDialog::StartGameTimer(int id, unsigned periodMs) {
  if (id < 1 || id > 7) return 0;
  timerHandles_[id] = timers_.Start(id, periodMs);
  return timerHandles_[id];
}

int GameDialog::KillGameTimer(int id) {
  if (id < 1 || id > 7) {
    reporter_.Report(texts::kInvalidKillTimerId, false, true, false);
    return 0;
  }
  if (!timerHandles_[id]) return 0;
  timerHandles_[id] = 0;
  return timers_.Kill(id) ? 1 : 0;
}

void GameDialog::OnTimer(int id) {
  if (log_.IsOn()) Log("timer event received: id=" + std::to_string(id) + "\n");
  switch (id) {
    case kChoosePlayerTimer:
      OnChoosePlayerTimer();
      break;
    case kSplashTimer:
      OnSplashTimer();
      break;
    case kNewGameTimer:
    case kPaybackTimer:
    case kStatsTimer:
    case kTipTimer:
    case kGuideStartTimer:
      break;
    default:
      reporter_.Report(texts::kInvalidTimerId, false, true, false);
  }
}

void GameDialog::OnSplashTimer() {
  if (!splash_) {
    KillGameTimer(kSplashTimer);
    return;
  }
  const uint32_t now = clock_.Now();
  if (!splash_->Running()) {
    if (!splash_->StartSplash(now, 480, 480, this)) {
      reporter_.Report(texts::kSplashActivationFailed, false, true, false);
      EndSplash();
      return;
    }
    StartGameTimer(kSplashTimer, kSplashFrame);
    return;
  }
  splash_->StepSplash(now);
  if (splash_->Running()) {
    StartGameTimer(kSplashTimer, kSplashFrame);
    update(layout::kSplashRect);
    return;
  }
  EndSplash();
}

void GameDialog::EndSplash() {
  update(layout::kSplashRect);
  splash_.reset();
  KillGameTimer(kSplashTimer);
  if (!IsTimerPending(kChoosePlayerTimer)) StartGameTimer(kChoosePlayerTimer, kChoosePlayerDelay);
}

void GameDialog::OnChoosePlayerTimer() { KillGameTimer(kChoosePlayerTimer); }

void GameDialog::OnKey(int virtualKey, bool) {
  if (log_.IsOn()) Log("keyboard input received: code " + std::to_string(virtualKey) + "\n");
}

}  // namespace velmora
