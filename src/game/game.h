#pragma once
// The game's rules without a window: the life of one game from choosing the
// player to the victory, every play, the Payback and Blackout types, the mouse
// and key commands, the tips, and what the main screen shows. The window hands
// every event to one of the entry points below and paints what the text and
// face queries answer; everything it is asked to do goes through GameHost.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "board.h"
#include "engine_host.h"
#include "game_host.h"
#include "game_session.h"
#include "key_codes.h"
#include "logic_solver.h"
#include "undo_history.h"

namespace velmora {

class PlayerRoster;
class GDUSER;

// The Cursor Tile's twelve moves.
enum class MoveDirection : int {
  kLeft,
  kUpLeft,
  kUp,
  kUpRight,
  kRight,
  kDownRight,
  kDown,
  kDownLeft,
  kRowStart,
  kRowEnd,
  kTop,
  kBottom,
};

// The viewing aids and comforts a player may turn on from the window menu's View.
enum class ViewAid : int {
  kHighlightActiveNumber,
  kHighlightCursorPeers,
  kMarkConflicts,
  kHighlightActiveNotes,  // the Active Number's highlight reaches the notes too
  kRemoveNotesOnPlay,     // a play clears its type from the notes of its row, column and block
};

// What a tile shows over its face while viewing aids are on.
struct TileMarks {
  bool activeNumber = false;  // it shows the Active Number's type
  bool cursorPeer = false;    // it shares a row, column or block with the Cursor Tile
  bool conflict = false;      // its type shows again in its row, column or block
  int activeNote = -1;        // the Active Number's type, noted here and marked among the notes; -1 for none
  bool Any() const { return activeNumber || cursorPeer || conflict || activeNote >= 0; }
  bool operator==(const TileMarks&) const = default;
};

// Which rows and columns get a pair of guide tabs.
struct GuideTabs {
  std::array<bool, 9> rows{};
  std::array<bool, 9> columns{};
  bool operator==(const GuideTabs&) const = default;
};

// Where a play comes from: a mouse button over the tile, or the keyboard at
// the Cursor Tile with the type of its quick play or note (none: the Tile
// menu chooses).
struct PlaySource {
  bool keyboard = false;
  std::optional<int> type;
  static PlaySource Mouse() { return {}; }
  static PlaySource Keys(std::optional<int> type = std::nullopt) { return {true, type}; }
};

// A Payback game's countdown as the program was left to start again: the
// player, the saved game's time (which tells that save from any later one),
// what was left of the countdown and how many tiles it may never take back.
struct KeptCountdown {
  std::string player;
  int32_t gameTime = 0;
  int32_t left = 0;
  int32_t paybackCount = 0;
  bool operator==(const KeptCountdown&) const = default;
};
// Its text form, carried in the environment of the program started again.
std::string FormatKeptCountdown(const KeptCountdown& kept);
std::optional<KeptCountdown> ParseKeptCountdown(std::string_view text);

class Game {
 public:
  // The dialogs may come later (SetDialogs), but before the splash ends.
  Game(GameHost& host, PlayerRoster& roster, DialogService* dialogs = nullptr);
  void SetDialogs(DialogService& dialogs) { dialogs_ = &dialogs; }
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  // ---- Entry points of the window ----

  // The end of start-up, and the start of every new game.
  void ResetSession();
  // A window timer expired. Returns false for the splash timer, which the
  // window steps itself (it starts and stops it through StartGameTimer and
  // KillGameTimer so that the close guard sees it).
  bool OnTimer(int id);
  void OnSplashEnded();
  // A button released over a control (tiles, tray, Eraser, command buttons).
  void OnControlClicked(int controlId);
  // The right button released at a point of the client area.
  void OnRightClick(int x, int y);
  // Every key pressed in the game window; control, shift: the Control and
  // Shift keys are down.
  void OnKey(int virtualKey, bool control, bool shift = false);
  // The close box, the system menu's Close or Alt+F4.
  void OnCloseRequest();
  // The process is asked to end (a termination or hang-up signal) or the
  // desktop session is ending: the game is saved as leaving it saves, without
  // a question, a message or the pause after a save, since nobody may be there
  // to answer. False when a save was due and failed (logged).
  [[nodiscard]] bool OnSessionEnd();
  // The Payback countdown of the game in play, to be carried over when the
  // program starts again (a new window size); none outside a Payback game.
  std::optional<KeptCountdown> CountdownToKeep() const;
  // Given at start-up: that player's saved game goes on with this countdown
  // when it is continued, instead of a fresh one.
  void SetKeptCountdown(const KeptCountdown& kept) { keptCountdown_ = kept; }
  // P, the Pause key and the window menu's Pause: covers the board and stops
  // the game's clock and the Payback countdown.
  void PauseCommand();
  bool PauseAvailable() const { return session_.gameState == GameState::Playing && !session_.paused; }
  bool Paused() const { return session_.paused; }
  // Any key or click while paused: play goes on where it stopped.
  void Resume();
  // The window menu's Change Player...: saves the game as leaving it does, then
  // Choose Player; the one chosen goes on as at start, and leaving the dialog
  // goes on with the current player's game.
  void ChangePlayerCommand();
  bool ChangePlayerAvailable() const { return !BetweenGames() && !session_.paused && dialogs_ != nullptr; }
  // Whether the game can be left now as a close request leaves it: not while
  // the splash runs, a player is being chosen or the next game is on its way.
  bool CanBeLeft() const { return !BetweenGames(); }
  // The system menu's About item; it shows the About text only while a game is played.
  void OnAboutRequest(bool windowMinimised);
  bool AboutAvailable(bool windowMinimised) const {
    return !windowMinimised && session_.gameState == GameState::Playing;
  }
  // The desktop could not open the help page (it may say so after Help returned).
  void OnHelpPageNotOpened(const std::string& fullPath);
  // The player closed the tips window, or it was shown.
  void OnTipsWindowClosed();
  void OnTipsWindowShown();

  // ---- Operations ----

  uint32_t StartGameTimer(int id, uint32_t periodMs);
  int KillGameTimer(int id);
  void QueueTip(int index);
  void SetGameState(GameState state);

  void OnChoosePlayerTimer();
  void FollowChosenPlayer(bool newPlayer);
  bool ContinueLastGame(GDUSER& record);
  void NewGame();
  void BeginPlay(bool resuming, int32_t timeBefore);
  // Saves the player's game (the player is told when the file cannot be
  // written); true when saved or when there is no player to save.
  [[nodiscard]] bool SaveGame();

  void PlayTile(int row, int column, uint32_t action, PlaySource from);
  void ToggleShowGuides();
  void EraseCursorTile();
  void SetActiveNumber(int32_t type);
  void SetCursorTile(int row, int column);
  void MoveCursor(MoveDirection direction);

  void NewGameCommand();
  void HintCommand();
  void FreePlayCommand();
  void PrintCommand();
  void HelpCommand();
  void OptionsCommand();
  void ReplayGuide();

  int32_t PaybackPeriod();
  void OnPaybackTimer();
  void OnStatsTimer();
  void OnTipTimer();
  void OnGuideStartTimer();

  void ShowTipsWindow();
  void ShowTipText(const std::string& text, bool force);

  // ---- Undo, Redo and candidate notes (game_undo.cpp) ----

  // Whether Undo and Redo would change the board now; false outside play.
  bool CanUndo() const;
  bool CanRedo() const;
  // Takes back the last change of the board, or says why it cannot
  // (a notice that does not interrupt play) and changes nothing.
  void Undo();
  // Makes the last change undone again, or says why it cannot.
  void Redo();
  // Whether filling in candidates would change a tile's notes now.
  bool CanFillInCandidates() const;
  // Notes in every hidden tile each type that its row, column and block do
  // not show, replacing the notes it had: one step for Undo.
  void FillInCandidates();

  // ---- Viewing aids (game_view.cpp) ----

  // The player's choice; false with no player.
  bool ViewAidOn(ViewAid aid) const;
  // A player is playing: the choice can be changed (and is saved with the game).
  bool ViewAidAvailable() const { return session_.gameState == GameState::Playing && CurrentRecord() != nullptr; }
  void ToggleViewAid(ViewAid aid);
  // The marks a tile shows now; none outside play.
  TileMarks MarksOf(int row, int column) const;

  // ---- What a screen reader is told (spoken_texts.cpp) ----

  // A tile as a cell of the board's table: "row 2, column 9, 6, given",
  // "row 2, column 3, empty, notes 1 and 7", "row 4, column 1, played 4", with
  // "conflict" or "highlighted" where a viewing aid marks it.
  std::string TileSpoken(int row, int column) const;
  // A tray button: its digit and how many are left ("3, two left"); "Eraser".
  std::string TraySpoken(int trayRow) const;
  // The tiles left, the mistakes and, withTime, the time (or the countdown).
  std::string StatusSpoken(bool withTime = true) const;
  // A command button's name with its key: "Hint (F5)"; empty for other ids.
  static std::string CommandSpoken(int controlId);

  // ---- What the window shows ----

  // The table index of a control's face; -1 for an id the game does not draw.
  int FaceOfControl(int controlId, bool pressed) const;
  // The type whose digit a tile shows while playing (a given or found tile, or
  // with Ignore Mistakes the type played into it), or -1 when it shows none.
  int ShownType(int row, int column) const;
  // Texts are drawn only while playing, or while a puzzle is being built (then
  // only the building text).
  bool DrawsPlayTexts() const { return session_.gameState == GameState::Playing; }
  std::string BuildingText() const;
  std::string PlayerNameText() const;
  // Tray rows 0..8 are the types, 9 the Eraser.
  std::string TrayCountText(int trayRow) const;
  std::string StatsPanelText() const;
  GuideTabs Guides() const;
  // Notes are drawn only while playing.
  bool DrawsNotes() const { return session_.gameState == GameState::Playing; }
  std::string TipText(int index) const;
  std::string WindowTitle() const;
  // The Puzzle Code entered, or the code of the seed the last build used.
  std::string PuzzleCodeText() const;
  const std::string& AboutText() const { return aboutText_; }

  // now + time before - game start, where now stands still while paused.
  uint32_t GameTime() const;

  const Board& GetBoard() const { return board_; }
  Board& GetBoard() { return board_; }
  const GameSession& Session() const { return session_; }
  GameSession& Session() { return session_; }
  bool NewPlayerFlag() const { return newPlayer_; }

 private:
  // The engine's view of the window: reports go to the host, and the game
  // states the builder passes through are set here.
  class EngineBridge : public EngineHost {
   public:
    explicit EngineBridge(Game& game) : game_(game) {}
    bool Report(std::string_view text, ReportKind kind) override;
    bool LogOn() const override;
    void Log(std::string_view text) override;
    uint32_t MillisecondsSinceStart() const override;
    void SystemMessage(std::string_view text) override;
    void SetGameState(GameState state) override { game_.SetGameState(state); }

   private:
    Game& game_;
  };

  void Message(const std::string& text) { host_.ShowMessage(text); }
  void LogOnly(const char* text) { host_.LogOnly(text); }
  void Fatal(const char* text) { host_.Fatal(text); }
  void LogText(const std::string& text);

  GDUSER* CurrentRecord();
  const GDUSER* CurrentRecord() const;

  // Redraws every tile whose marks are no longer those last drawn. Each entry
  // point of the window ends with it (MarksRefresh), so that whatever moved
  // the Cursor Tile, the Active Number or a type, the marks follow.
  void RefreshTileMarks();
  class MarksRefresh {
   public:
    explicit MarksRefresh(Game& game) : game_(game) {}
    ~MarksRefresh() { game_.RefreshTileMarks(); }
    MarksRefresh(const MarksRefresh&) = delete;
    MarksRefresh& operator=(const MarksRefresh&) = delete;

   private:
    Game& game_;
  };

  void EnableBoardControls(bool enable);
  void MarkCursorTile();
  void RedrawTile(int row, int column) { host_.RedrawControl(control::TileId(row, column)); }
  bool ClearNotes(int row, int column);
  // The player clears a tile's notes (the Eraser, Delete, Backspace): recorded for Undo.
  bool EraseNotes(int row, int column);
  // `time`: the game time of the play, its play key's time.
  void AcceptPlay(int row, int column, int type, int previousPlayedType, int32_t time);
  void Victory();
  // What a save hands to the player's record.
  GameSnapshot Snapshot() const;
  // Hands the game to the player's record; false (after the fatal report) when
  // the record refuses it.
  [[nodiscard]] bool StoreGameInRecord(GDUSER& record);
  // The close request's own guard: a player being chosen, the next game about
  // to start, the splash.
  bool BetweenGames() const;
  void ChooseStatistic(int32_t period);
  // The clock as play sees it: it stands at the moment of the pause while paused.
  uint32_t PlayNow() const { return session_.paused ? session_.pausedAt : host_.Now(); }
  // Ends the game on the screen before another player's comes: its timers, its board.
  void LeaveGameForOtherPlayer();
  // Stops the game's clock and the timers that follow it (the Payback
  // countdown, the tips, the Beginner's Guide), and starts them again with
  // what was left; ReleaseClock returns how long the clock stood still.
  void HoldClock();
  uint32_t ReleaseClock();
  int RosterIndexOf(const std::string& name) const;
  // The game in play, kept aside while another player sets up a game of
  // their own, and taken up again as it was when they go back instead.
  void SuspendGame(const std::string& owner);
  bool ResumeSuspendedGame();

  bool BeginPaybackPlay(bool resuming);
  bool BeginBlackoutPlay(bool resuming);
  void OnPaybackCorrectPlay();
  // revealRow, revealColumn: the tile about to be revealed by the play that announces, or -1.
  void BlackoutAnnouncement(int revealRow = -1, int revealColumn = -1);
  void BlackoutInstruction();

  // Undo's record of the changes as they are made (game_undo.cpp).
  void RecordNotes(int row, int column, uint32_t before);
  // A play about to be accepted: a change Undo can take back, or one it stops at.
  void RecordAcceptedPlay(int row, int column, int type, int previousPlayedType, bool blackoutReveal, int32_t time);
  void RecordBarrier(Barrier why);
  // What each hidden tile's notes become when candidates are filled in.
  std::vector<NoteEdit> CandidateEdits() const;
  void ApplyNotes(const std::vector<NoteEdit>& edits, bool forward);
  void ReplayPlay(const PlayEdit& edit, bool forward);
  // A play of `type` at a tile clears that type from the notes of its row,
  // column and block, when the player asked for it: the notes changed.
  std::vector<NoteEdit> RemovePeerNotes(int row, int column, int type);

  GameHost& host_;
  DialogService* dialogs_;
  PlayerRoster& roster_;
  EngineBridge engineHost_{*this};
  Board board_;
  LogicSolver solver_;
  GameSession session_;
  bool newPlayer_ = false;
  // Choose Player is open over a game to change the player: the roster's
  // current player follows the dialog's list and is not the game's owner.
  bool changingPlayer_ = false;
  // The stats rotation passes over a statistic that is already showing by
  // moving this on; it lasts for the whole run.
  int32_t statisticOffset_ = 0;
  std::string aboutText_;
  // The changes of the game in progress, for Undo and Redo; not saved.
  UndoHistory history_;
  struct SuspendedGame {
    Board board;
    GameSession session;
    UndoHistory history;
    std::string owner;
  };
  // Set while the player chosen at Change Player has not begun a game yet.
  std::optional<SuspendedGame> suspended_;
  // The countdown a game had when the program was started again for it.
  std::optional<KeptCountdown> keptCountdown_;
  bool replaying_ = false;         // Undo or Redo is making a play
  bool freePlayUnderway_ = false;  // the play being made is a Free Play
  // The marks of each tile as last drawn, row by row.
  std::array<TileMarks, kTileCount> drawnMarks_{};
};

}  // namespace velmora
