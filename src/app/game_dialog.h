#pragma once
// The game window: one 640 x 480 window that lives for the whole run and owns
// everything that does (the art, the fonts, the players, the message reporter,
// the window timers, the game). It starts the program, paints the main screen
// from what the game computes, turns clicks and keys into the game's entry
// points, and carries out what the game asks through GameHost.
#include <QDialog>
#include <QIcon>
#include <QPrinter>
#include <QImage>
#include <QLabel>
#include <QTimer>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "clock.h"
#include "control_button.h"
#include "game.h"
#include "game_accessibility.h"
#include "game_bitmap_table.h"
#include "game_fonts.h"
#include "game_host.h"
#include "game_log.h"
#include "image_operations.h"
#include "key_router.h"
#include "message_boxes.h"
#include "message_reporter.h"
#include "player_roster.h"
#include "print_choice.h"
#include "puzzle_sheet.h"
#include "system_message_box.h"
#include "window_menu.h"
#include "window_timers.h"

namespace velmora {

class DialogService;
class PauseCover;
class SplashEffect;
class TipsWindow;

class GameDialog : public QDialog, public GameHost {
  Q_OBJECT
 public:
  // Makes the window's timers, each expiry calling the handler with the timer's id.
  using TimersMaker = std::function<std::unique_ptr<WindowTimers>(std::function<void(int id)> handler)>;

  // workingFolder holds art/ and data/. The window's timers run on Qt's event
  // loop unless makeTimers makes others (tests move time by hand).
  GameDialog(Clock& clock, MessageBoxes& boxes, KeyRouter& keys, const std::string& workingFolder,
             const TimersMaker& makeTimers = {});
  // The game's secondary windows (the skinned ones, or a test's scripted ones):
  // given before Initialise.
  void SetDialogs(std::unique_ptr<DialogService> dialogs);
  ~GameDialog() override;

  // The start-up after the window exists: the display check, the art, the
  // fonts, the placement and the players. Ends the process on a display of the
  // wrong depth or missing art.
  void Initialise();
  // The session ends or the process is asked to end: the game saves itself as
  // leaving it does, without a question. False when a due save failed.
  [[nodiscard]] bool SaveForSessionEnd() { return game_.OnSessionEnd(); }

  // Reporter
  bool Report(std::string_view text, ReportKind kind) override { return reporter_.Report(text, kind, this); }
  bool LogOn() const override { return log_.IsOn(); }
  void Log(std::string_view text) override { log_.Write(text); }
  uint32_t MillisecondsSinceStart() const override { return clock_.Now() - runStart_; }

  // GameHost
  void SystemMessage(std::string_view text) override;
  void Invalidate(const ScreenArea& area) override;
  void Redraw(const ScreenArea& area) override;
  void RedrawControl(int controlId) override;
  void RedrawEverything() override;
  void ShowTileControls(bool show) override;
  void EnableBoardControls(bool enable) override;
  void EnableCommandButtons(bool enable) override;
  void FocusControl(int controlId) override;
  bool IsMouseOverControl(int controlId) override;
  uint32_t StartTimer(int id, uint32_t periodMs) override;
  bool StopTimer(int id) override;
  uint32_t Now() const override { return clock_.Now(); }
  void Sleep(uint32_t milliseconds) override;
  void OpenHelpPage() override;
  void PrintPuzzle(std::string_view label) override;
  void ShowPauseCover(bool show) override;
  void ShiftArtHue(float delta) override;
  void SetWindowTitle(std::string_view title) override;
  bool ShowTipsWindow() override;
  void HideTipsWindow() override;
  void ShowTipText(std::string_view text) override;
  void ShowNotice(std::string_view text) override;
  void EndGameWindow() override;

  const GameBitmapTable& Art() const { return art_; }
  const GameFonts& Fonts() const { return fonts_; }
  MessageReporter& Messages() { return reporter_; }
  Game& GetGame() { return game_; }
  TipsWindow* Tips() const { return tips_.get(); }
  // The 640 x 480 picture the Print command puts on the page.
  QImage ComposePrintPicture(const QString& topLabel);
  // Prints the window's picture on the printer as the Print command does, without asking.
  bool PrintPicture(QPrinter& printer, const QString& topLabel);
  // Prints the clean grid of the digits shown (or of the clues alone), named by
  // the label, without asking.
  bool PrintCleanGrid(QPrinter& printer, const QString& label, bool withEntries = true);
  // The digits the board shows, as the clean grid prints them: the clues as
  // given digits, the player's own (found or played) as the others, or left out.
  SheetPuzzle CleanGridPuzzle(const QString& label, bool withEntries = true) const;
  ControlButton* Control(int id) const;
  // The entries of the menu a right click off the board opens, as they stand now.
  std::vector<WindowMenuEntry> WindowMenu();
  std::vector<WindowMenuEntry> ViewMenu();
  // The window size the game runs at (percent) and the desktop user's settings
  // file, where the View menu's Window Size keeps a new one (no file: the menu
  // offers none).
  void SetWindowSize(const std::string& settingsPath, int runningPercent);
  // Window Size: keeps the size for the next start, and offers to start again
  // now (saving the game first, as leaving it does).
  void ChooseWindowSize(int percent);
  // Whether this run was started with the desktop's own window system chosen
  // (window_system.h), and View's choice of it: kept for the next start, which
  // the player is offered at once when it would run on another window system.
  void SetWindowSystem(bool desktopOwn) { desktopWindowSystem_ = desktopOwn; }
  void ChooseWindowSystem(bool desktopOwn);
  // The player chose to start again at a new window size: the window has closed
  // and the game was saved as leaving it saves.
  bool RestartRequested() const { return restartRequested_; }
  // The countdown of the Payback game saved to start again, for the next run.
  const std::optional<KeptCountdown>& CountdownToKeep() const { return countdownToKeep_; }
  // The rectangle of a screen area in client coordinates.
  QRect AreaRect(const ScreenArea& area) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void reject() override {}
  void accept() override {}

 private:
  class DataMessages : public SystemMessageBox {
   public:
    explicit DataMessages(MessageBoxes& boxes) : boxes_(boxes) {}
    void Show(std::string_view text, std::string_view caption) override;
    // Every message shown also goes to the log, once it exists.
    void SetLog(GameLog* log) { log_ = log; }

   private:
    MessageBoxes& boxes_;
    GameLog* log_ = nullptr;
  };

  bool CheckColorDepth();
  void PlaceOnDesktop(bool withTipsRoom);
  void CreateControls();
  void LayoutControls();
  void PaintFace(QPainter& painter, int id, bool pressed, const QRect& rect) const;
  void DrawNotes(QPainter& painter, int row, int column, const QRect& rect) const;
  // The viewing aids' marks over a tile's face (the face's own, for the Cursor Tile, else -1).
  void DrawTileMarks(QPainter& painter, const TileMarks& marks, const QRect& rect, int cursorFace) const;
  void DrawBitmap(QPainter& painter, int index, const QRect& target, const QPoint& source = {}) const;
  void DrawRuns(QPainter& painter, const RunImage& runs, const QRect& target, const QPoint& source, qreal ratio) const;
  void RefreshScreenArt();
  void LoadFirstPaintArt();
  void RenderArea(QPainter& painter, const QRect& area) const;
  void DrawGuides(QPainter& painter, const QRect& area) const;
  void DrawGameTexts(QPainter& painter, const QRect& area) const;
  void DrawGameText(QPainter& painter, const std::string& text, QRect area, bool cycling) const;
  void OnTimer(int id);
  void OnSplashTimer();
  void EndSplash();
  void OnKey(const KeyPress& press);
  // The Menu key and Shift+F10: the window menu, over the Cursor Tile.
  void OpenWindowMenuFromKeys();
  // Before controls are disabled or hidden: a control of theirs that has the
  // keyboard gives it to the window, rather than Qt passing it from one
  // control to the next as each of them goes.
  void KeepFocusOffControls(bool tiles, bool tray, bool commands);
  // Places a dialog being shown centred on the game window, frames included.
  void CentreOnWindow(QWidget& dialog);
  // The tiles the puzzle shows as it is built (its clues).
  std::array<bool, kTileCount> PuzzleClues() const;
  std::vector<WindowMenuEntry> WindowSizeEntries();
  // Asks whether to start again now, and if so saves the game and closes the window.
  void OfferRestart(const char* question);
  // On Wayland the Tips window is a panel the game window grows to hold, right of the board.
  void HoldTipsPanel(bool hold);

  Clock& clock_;
  MessageBoxes& boxes_;
  KeyRouter& keys_;
  std::string workingFolder_;
  uint32_t runStart_ = 0;
  DataMessages dataMessages_;
  GameLog log_;
  MessageReporter reporter_;
  GameBitmapTable art_;
  mutable std::array<QImage, imaging::kGameBitmapCount> screenArt_;  // views made on first draw
  ImageOperations imageOps_;
  GameFonts fonts_;
  PlayerRoster roster_;
  std::unique_ptr<WindowTimers> timers_;
  Game game_;
  std::unique_ptr<DialogService> dialogs_;
  std::unique_ptr<SplashEffect> splash_;
  std::unique_ptr<TipsWindow> tips_;
  QLabel* notice_ = nullptr;  // made when the first notice shows
  QTimer* noticeTimer_ = nullptr;
  std::map<int, ControlButton*> controls_;
  PauseCover* cover_ = nullptr;  // a child, made when first needed
  int paintCount_ = 0;
  bool shownOnce_ = false;
  bool closing_ = false;
  bool placementWarningMade_ = false;
  bool tipsRoom_ = false;                           // the last placement kept room for the tips window
  PrintChoice printChoice_ = PrintChoice::kScreen;  // the print dialog's choice, kept for the run
  bool composingPrint_ = false;                     // the window is being drawn for the page
  std::string settingsPath_;
  int windowSize_ = 100;        // what this run shows
  int storedWindowSize_ = 100;  // what the next start shows
  bool restartRequested_ = false;
  bool desktopWindowSystem_ = false;  // what the next start uses
  // Where the pointer is over the window, in its own coordinates (none while it is elsewhere).
  std::optional<QPointF> pointer_;
  std::optional<KeptCountdown> countdownToKeep_;
  GameAnnouncer announcer_{*this};  // what assistive technology is told of the changes
};

// The game's icon, for its windows and boxes.
QIcon GameWindowIcon();

}  // namespace velmora
