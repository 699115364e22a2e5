#pragma once
// The game window: one 640 x 480 window that lives for the whole run and owns
// everything that does (the art, the fonts, the players, the message reporter,
// the window timers). This is its start-up, its painting of the screen and its
// timers; the game's rules plug in on top.
#include <QDialog>
#include <QImage>
#include <array>
#include <map>
#include <memory>
#include <string>

#include "clock.h"
#include "control_button.h"
#include "engine_host.h"
#include "game_bitmap_table.h"
#include "game_fonts.h"
#include "game_log.h"
#include "image_operations.h"
#include "key_router.h"
#include "message_boxes.h"
#include "message_reporter.h"
#include "player_roster.h"
#include "system_message_box.h"
#include "window_timers.h"

namespace velmora {

class SplashEffect;

// Window timer ids.
enum GameTimer : int {
  kChoosePlayerTimer = 1,
  kNewGameTimer = 2,
  kPaybackTimer = 3,
  kStatsTimer = 4,
  kSplashTimer = 5,
  kTipTimer = 6,
  kGuideStartTimer = 7,
};

class GameDialog : public QDialog, public EngineHost {
  Q_OBJECT
 public:
  // workingFolder holds art/ and data/.
  GameDialog(Clock& clock, MessageBoxes& boxes, KeyRouter& keys, const std::string& workingFolder);
  ~GameDialog() override;

  // The start-up after the window exists: the display check, the art, the
  // fonts, the placement and the players. Ends the process on a display of the
  // wrong depth or missing art.
  void Initialise();

  // EngineHost
  int Report(std::string_view text, bool question, bool logOnly, bool fatal) override {
    return reporter_.Report(text, question, logOnly, fatal, this);
  }
  bool LogOn() const override { return log_.IsOn(); }
  void Log(std::string_view text) override { log_.Write(text); }
  uint32_t MillisecondsSinceStart() const override { return clock_.Now() - runStart_; }
  void SystemMessage(std::string_view text) override;
  void SetGameState(GameState state) override { gameState_ = state; }

  // Window timers by id 1..7; a timer is pending while its handle is not 0.
  unsigned StartGameTimer(int id, unsigned periodMs);
  int KillGameTimer(int id);
  bool IsTimerPending(int id) const { return id >= 1 && id <= 7 && timerHandles_[id] != 0; }

  const GameBitmapTable& Art() const { return art_; }
  PlayerRoster& Roster() { return roster_; }
  MessageReporter& Reporter() { return reporter_; }
  GameState State() const { return gameState_; }
  bool SplashExists() const { return splash_ != nullptr; }
  ControlButton* Control(int id) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

  // What happens when the splash has ended and timer 1 expires: the game's
  // first step (choosing a player).
  virtual void OnChoosePlayerTimer();
  virtual void OnKey(int virtualKey, bool control);

 private:
  class DataMessages : public SystemMessageBox {
   public:
    explicit DataMessages(MessageBoxes& boxes) : boxes_(boxes) {}
    void Show(std::string_view text, std::string_view caption) override;

   private:
    MessageBoxes& boxes_;
  };

  bool CheckColorDepth();
  void PlaceOnDesktop();
  void CreateControls();
  void LayoutControls();
  void PaintFace(QPainter& painter, int id, bool pressed, const QRect& rect) const;
  int FaceOfControl(int id, bool pressed) const;
  void DrawBitmap(QPainter& painter, int index, const QRect& target, const QPoint& source = {}) const;
  void RenderArea(QPainter& painter, const QRect& area) const;
  void OnTimer(int id);
  void OnSplashTimer();
  void EndSplash();

  Clock& clock_;
  MessageBoxes& boxes_;
  KeyRouter& keys_;
  std::string workingFolder_;
  uint32_t runStart_ = 0;
  uint32_t clientVisibleAt_ = 0;
  DataMessages dataMessages_;
  GameLog log_;
  MessageReporter reporter_;
  GameBitmapTable art_;
  ImageOperations imageOps_;
  MessageBackgrounds backgrounds_;
  GameFonts fonts_;
  PlayerRoster roster_;
  QtWindowTimers timers_;
  std::array<unsigned, 8> timerHandles_{};
  std::unique_ptr<SplashEffect> splash_;
  std::map<int, ControlButton*> controls_;
  GameState gameState_ = GameState::NoGame;
  std::string aboutText_;
  int paintCount_ = 0;
  bool initialised_ = false;
  bool shownOnce_ = false;
  bool firstPlacementWarningMade_ = false;
};

}  // namespace velmora
