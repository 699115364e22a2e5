// The player's clicks and keys, and the commands of the buttons.
#include "game.h"
#include "board_geometry.h"
#include "game_texts.h"
#include "hints.h"

namespace velmora {

namespace {

// The Options dialog comes back after the tutorial at most this often.
constexpr int kMaxOptionsRuns = 10;

}  // namespace

void Game::OnControlClicked(int controlId) {
  const MarksRefresh refresh(*this);
  // A click while paused only resumes.
  if (session_.paused) {
    Resume();
    return;
  }
  if (control::IsTile(controlId)) {
    // The tile controls are disabled outside play; a stray click is ignored too.
    if (session_.gameState != GameState::Playing) return;
    PlayTile(control::TileRow(controlId), control::TileColumn(controlId),
             static_cast<uint32_t>(session_.settings.actionMouseButtonLeft), PlaySource::Mouse());
    return;
  }
  // A button command counts only while the pointer is still over the button:
  // one released elsewhere, or pressed through the keyboard focus, does nothing.
  if (!host_.IsMouseOverControl(controlId)) return;
  if (controlId >= control::kFirstTray && controlId <= control::kLastTray) {
    SetActiveNumber(controlId - control::kFirstTray);
    return;
  }
  switch (controlId) {
    case control::kEraser: SetActiveNumber(kEraserType); break;
    case control::kNewGame: NewGameCommand(); break;
    case control::kHint: HintCommand(); break;
    case control::kPrint: PrintCommand(); break;
    case control::kFreePlay: FreePlayCommand(); break;
    case control::kShowGuides: ToggleShowGuides(); break;
    case control::kOptions: OptionsCommand(); break;
    case control::kHelp: HelpCommand(); break;
    default: break;
  }
}

void Game::OnRightClick(int x, int y) {
  const MarksRefresh refresh(*this);
  if (session_.paused) {
    Resume();
    return;
  }
  if (session_.gameState != GameState::Playing) return;
  if (!layout::OnBoard(x, y)) return;
  x -= layout::kBoardOrigin;
  y -= layout::kBoardOrigin;
  // The gaps between the blocks belong to no tile.
  constexpr int stride = layout::kBlockStride;
  if (x % stride >= layout::kBlockSize || y % stride >= layout::kBlockSize) return;
  const int column = (x / stride) * 3 + (x % stride) / layout::kTileSize;
  const int row = (y / stride) * 3 + (y % stride) / layout::kTileSize;
  PlayTile(row, column, static_cast<uint32_t>(session_.settings.actionMouseButtonRight), PlaySource::Mouse());
}

void Game::OnKey(int virtualKey, bool control, bool shift) {
  const MarksRefresh refresh(*this);
  LogText("keyboard input received: code " + std::to_string(virtualKey) + "\n");
  if (session_.gameState != GameState::Playing) return;
  if (session_.paused) {
    // Any key resumes and does nothing else. Shift and Control alone wait for
    // the key they go with, which then resumes: Control+Z must not resume
    // with Control and then act on the Z.
    if (virtualKey != key::kShift && virtualKey != key::kControl) Resume();
    return;
  }
  const int row = session_.cursorRow;
  const int column = session_.cursorColumn;
  if (virtualKey >= key::kDigit1 && virtualKey <= key::kDigit9) {
    PlayTile(row, column, control ? kQuickNote : kQuickPlay, PlaySource::Keys(virtualKey - key::kDigit1));
    return;
  }
  switch (virtualKey) {
    case key::kLeft:
    case key::kNumpad4: MoveCursor(MoveDirection::kLeft); break;
    case key::kUp:
    case key::kNumpad8: MoveCursor(MoveDirection::kUp); break;
    case key::kRight:
    case key::kNumpad6: MoveCursor(MoveDirection::kRight); break;
    case key::kDown:
    case key::kNumpad2: MoveCursor(MoveDirection::kDown); break;
    case key::kNumpad7: MoveCursor(MoveDirection::kUpLeft); break;
    case key::kNumpad9: MoveCursor(MoveDirection::kUpRight); break;
    case key::kNumpad1: MoveCursor(MoveDirection::kDownLeft); break;
    case key::kNumpad3: MoveCursor(MoveDirection::kDownRight); break;
    case key::kHome: MoveCursor(MoveDirection::kRowStart); break;
    case key::kEnd: MoveCursor(MoveDirection::kRowEnd); break;
    case key::kPageUp: MoveCursor(MoveDirection::kTop); break;
    case key::kPageDown: MoveCursor(MoveDirection::kBottom); break;
    case key::kEnter:
    case key::kSpace: PlayTile(row, column, control ? kNote : kPlay, PlaySource::Keys()); break;
    case key::kDelete:
    case key::kBackspace: EraseCursorTile(); break;
    case key::kTab: {
      const int32_t active = session_.activeNumber;
      if (active == kEraserType)
        SetActiveNumber(0);
      else if (active == 8)
        SetActiveNumber(kEraserType);
      else
        SetActiveNumber(active + 1);
      break;
    }
    case key::kF1: HelpCommand(); break;
    case key::kF2: NewGameCommand(); break;
    case key::kF3: PrintCommand(); break;
    case key::kF4: ToggleShowGuides(); break;
    case key::kF5: HintCommand(); break;
    case key::kF6: FreePlayCommand(); break;
    case key::kF11: OptionsCommand(); break;
    case key::kF12: ReplayGuide(); break;
    case key::kLetterP:
    case key::kPause: PauseCommand(); break;
    case key::kLetterZ:
      if (control && shift)
        Redo();
      else if (control)
        Undo();
      break;
    case key::kLetterY:
      if (control) Redo();
      break;
    case key::kLetterM:
      if (control) FillInCandidates();
      break;
    default: break;
  }
}

void Game::NewGameCommand() {
  // Timers 1 and 2 are the hand-overs to Choose Player and New Game.
  if (session_.TimerPending(kChoosePlayerTimer) || session_.TimerPending(kNewGameTimer)) return;
  NewGame();
}

void Game::HintCommand() {
  const HintResult hint = FindHint(board_);
  if (hint.found) {
    const std::string sentence = HintSentence(hint, engineHost_);
    QueueTip(8);
    Message(sentence);
    session_.hints = SaturatingAdd(session_.hints, 1);
    RecordBarrier(Barrier::kHint);
    host_.Invalidate(ScreenArea::StatsPanel());
  } else if (host_.Ask(HintSentence(hint, engineHost_))) {
    FreePlayCommand();
  }
  host_.RedrawControl(control::kHint);
}

void Game::FreePlayCommand() {
  int row = 0, column = 0;
  std::string sentence;
  if (ChooseFreePlayTile(board_, row, column)) {
    const int type = board_.TypeAt(row, column);
    SetCursorTile(row, column);
    host_.FocusControl(control::TileId(row, column));  // the keyboard follows the Cursor Tile
    freePlayUnderway_ = true;
    PlayTile(row, column, kQuickPlay, PlaySource::Keys(type));
    freePlayUnderway_ = false;
    // The last tile brings the victory, which says all there is to say.
    if (session_.gameState == GameState::Solved) {
      host_.RedrawControl(control::kFreePlay);
      return;
    }
    sentence = FreePlaySentence(row, column, type, engineHost_);
    session_.freePlays = SaturatingAdd(session_.freePlays, 1);
  } else {
    sentence = "There are no hidden tiles, so a Free Play will not be used.";
  }
  QueueTip(9);
  Message(sentence);
  host_.Invalidate(ScreenArea::StatsPanel());
  host_.RedrawControl(control::kFreePlay);
}

void Game::PrintCommand() {
  QueueTip(4);
  StartGameTimer(kStatsTimer, kStatsPeriod);
  host_.PrintPuzzle("Puzzle " + PuzzleCodeText() + ", " + session_.settings.gameTypeName + " - " +
                    session_.settings.difficultyName);
}

void Game::HelpCommand() {
  host_.OpenHelpPage();
  host_.RedrawControl(control::kHelp);
}

void Game::OnHelpPageNotOpened(const std::string& fullPath) { Message(texts::kHelpNotOpened + fullPath); }

void Game::OptionsCommand() {
  PlayerSettings copy = session_.settings;
  copy.hue = session_.appliedHue;
  QueueTip(11);

  OptionsAnswer answer = OptionsAnswer::kCancel;
  for (int run = 1; run <= kMaxOptionsRuns; ++run) {
    answer = dialogs_->Options(copy);
    if (answer != OptionsAnswer::kViewTutorial) break;
    dialogs_->Intro(true, copy);
  }
  // Asking for the tutorial also accepts the dialog.
  if (answer == OptionsAnswer::kCancel) return;

  host_.Redraw(ScreenArea::WholeWindow());
  const bool showTips = copy.useTipsWindow && !session_.settings.useTipsWindow;
  const bool hideTips = !copy.useTipsWindow && session_.settings.useTipsWindow;
  session_.settings = copy;
  if (copy.hue != session_.appliedHue) {
    host_.ShiftArtHue(copy.hue - session_.appliedHue);
    session_.appliedHue = copy.hue;
    host_.RedrawEverything();
  }
  if (showTips) {
    KillGameTimer(kGuideStartTimer);
    KillGameTimer(kTipTimer);
    ShowTipsWindow();
  } else if (hideTips) {
    KillGameTimer(kTipTimer);
    host_.HideTipsWindow();
  }
  MarkCursorTile();
}

}  // namespace velmora
