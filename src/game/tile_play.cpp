// Every change the player makes to a tile, the Cursor Tile, the Active Number
// and Show Guides.
#include "game.h"
#include "game_texts.h"

namespace velmora {

namespace {

bool IsType(int value) { return value >= 0 && value < kTypeCount; }

char Digit(int type) { return static_cast<char>('1' + type); }

int TrayControlOf(int32_t activeNumber) {
  return IsType(activeNumber) ? control::kFirstTray + activeNumber : control::kEraser;
}

std::string Number(int64_t value) { return std::to_string(value); }

}  // namespace

bool Game::ClearNotes(int row, int column) {
  if (board_.NoteMask(row, column) == 0) return false;
  board_.SetNoteMask(row, column, 0);
  return true;
}

bool Game::EraseNotes(int row, int column) {
  const uint32_t before = board_.NoteMask(row, column);
  if (!ClearNotes(row, column)) return false;
  RecordNotes(row, column, before);
  return true;
}

void Game::SetCursorTile(int row, int column) {
  board_.SetCursor(session_.cursorRow, session_.cursorColumn, false);
  RedrawTile(session_.cursorRow, session_.cursorColumn);
  board_.SetCursor(row, column, true);
  session_.cursorRow = row;
  session_.cursorColumn = column;
  RedrawTile(row, column);
}

void Game::MarkCursorTile() {
  board_.SetCursor(session_.cursorRow, session_.cursorColumn, true);
  RedrawTile(session_.cursorRow, session_.cursorColumn);
}

void Game::SetActiveNumber(int32_t type) {
  const int32_t old = session_.activeNumber;
  session_.activeNumber = type;
  host_.RedrawControl(TrayControlOf(type));
  if (old == type) return;
  // The guide tabs follow the Active Number.
  if (session_.showGuides) host_.Redraw(ScreenArea::WholeWindow());
  host_.RedrawControl(TrayControlOf(old));
  QueueTip(1);
}

void Game::PlayTile(int row, int column, uint32_t action, PlaySource from) {
  LogText("tile played: x=" + Number(row) + ", y=" + Number(column) + ", action=" + Number(action) +
          ", keyboard=" + Number(from.keyboard ? 1 : 0) + ", typeOverride=" + Number(from.type.value_or(-1)) + "\n");
  if (row < 0 || row >= kBoardSize || column < 0 || column >= kBoardSize) return;
  const bool ignoreMistakes = session_.settings.ignoreMistakes;

  // While Blackout reveals are left, any request on a tile reveals it.
  const bool blackoutReveal = session_.blackoutCount > 0;
  if (blackoutReveal) {
    if (board_.IsGiven(row, column)) return;
    if (ignoreMistakes && !board_.IsHidden(row, column)) return;
    SetCursorTile(row, column);
    from = PlaySource::Keys(board_.TypeAt(row, column));
    session_.blackoutCount -= 1;
    BlackoutAnnouncement(row, column);
    action = kQuickPlay;
  }
  const bool keyboard = from.keyboard;

  if (board_.IsGiven(row, column)) return;
  if (!ignoreMistakes && !board_.IsHidden(row, column)) return;

  const int oldRow = session_.cursorRow;
  const int oldColumn = session_.cursorColumn;
  if (!keyboard) SetCursorTile(row, column);

  int type = session_.activeNumber;
  if (action > kSelectTile) {
    if (!keyboard && !IsType(session_.activeNumber)) LogOnly(texts::kInvalidMouseAction);
    return;
  }
  if (!keyboard && !IsType(session_.activeNumber)) {
    if (action == kQuickPlay || action == kQuickNote) {
      if (board_.IsHidden(row, column)) {
        if (EraseNotes(row, column)) RedrawTile(row, column);
        SetCursorTile(row, column);
        return;
      }
      type = board_.PlayedTypeAt(row, column);
    } else if (action == kSelectTile) {
      SetCursorTile(row, column);
      return;
    }
  }

  switch (action) {
    case kPlay:
    case kNote: {
      const TileMenuAnswer answer =
          dialogs_->TileMenu(row, column, action == kNote, !keyboard, session_.tileMenuMemory);
      if (!answer.chosen) {
        MarkCursorTile();
        return;
      }
      if (answer.type != kTileMenuEraser) {
        type = answer.type;
        break;
      }
      QueueTip(5);
      if (board_.IsHidden(row, column)) {
        if (EraseNotes(row, column)) RedrawTile(row, column);
        SetCursorTile(row, column);
        return;
      }
      if (board_.IsGiven(row, column)) {
        SetCursorTile(row, column);
        return;
      }
      type = board_.PlayedTypeAt(row, column);
      break;
    }
    case kSelectTile: SetCursorTile(row, column); return;
    default:  // Quick Play, Quick Note
      if (keyboard) type = from.type.value_or(-1);
      break;
  }
  if (!IsType(type)) return;

  if (action == kQuickNote || action == kNote) {
    if (!ignoreMistakes || board_.IsHidden(row, column)) {
      const uint32_t before = board_.NoteMask(row, column);
      board_.ToggleNote(row, column, type);
      RecordNotes(row, column, before);
      RedrawTile(row, column);
    } else {
      SetCursorTile(row, column);
    }
    return;
  }

  bool accepted = false;
  int previousPlayedType = -1;
  if (!ignoreMistakes) {
    accepted = board_.IsHidden(row, column) && board_.TypeAt(row, column) == type;
  } else {
    accepted = true;
    previousPlayedType = board_.IsHidden(row, column) ? -1 : board_.PlayedTypeAt(row, column);
  }

  if (accepted) {
    const auto time = static_cast<int32_t>(GameTime());
    RecordAcceptedPlay(row, column, type, previousPlayedType, blackoutReveal, time);
    AcceptPlay(row, column, type, previousPlayedType, time);
  } else {
    session_.mistakes = SaturatingAdd(session_.mistakes, 1);
    RecordBarrier(Barrier::kMistake);
    Message(std::string("This tile is not a") + (type == 7 ? "n" : "") + " '" + Digit(type) + "'.");
    MarkCursorTile();
  }

  if (!keyboard) {
    host_.Invalidate(ScreenArea::Tile(oldRow, oldColumn));
    host_.Invalidate(ScreenArea::Tile(session_.cursorRow, session_.cursorColumn));
  }
  host_.Invalidate(ScreenArea::StatsPanel());
}

void Game::AcceptPlay(int row, int column, int type, int previousPlayedType, int32_t time) {
  const bool ignoreMistakes = session_.settings.ignoreMistakes;
  if (session_.settings.type == kGameTypePayback) OnPaybackCorrectPlay();

  bool undo = false;
  if (!ignoreMistakes) {
    board_.SetGiven(row, column, true);
  } else if (static_cast<uint32_t>(previousPlayedType) >= static_cast<uint32_t>(kTypeCount)) {
    board_.SetPlayedType(row, column, type);
  } else if (board_.PlayedTypeAt(row, column) == type) {
    undo = true;  // the same type again takes it back
  } else {
    board_.SetPlayedType(row, column, type);
  }

  // Undo and Redo keep the play keys themselves (ReplayPlay).
  if (!replaying_) session_.playKeys.push_back(PlayKey{!undo, time});
  board_.SetHidden(row, column, undo);
  ClearNotes(row, column);
  RedrawTile(row, column);
  // Undo and Redo set the notes around a play back as they were recorded.
  if (!undo && !replaying_ && session_.settings.removeNotesOnPlay)
    history_.AddPeerNotesToLastPlay(RemovePeerNotes(row, column, type));

  host_.Invalidate(ScreenArea::TrayCount(type));
  if (IsType(previousPlayedType) && previousPlayedType != type)
    host_.Invalidate(ScreenArea::TrayCount(previousPlayedType));
  if (session_.showGuides) host_.Invalidate(ScreenArea::GuideBands());

  if (!undo) {
    const int index = board_.VisibleTotal() - 1;
    if (index >= 0 && index < kTileCount) session_.paybackOrder[index] = PaybackPair{row, column};
  }

  if (board_.AllFound(true, ignoreMistakes)) {
    // No text is drawn once the game is solved: the last type's tray count is
    // drawn now, so that it reads "All Found" like the others.
    host_.Redraw(ScreenArea::TrayCount(type));
    Victory();
    return;
  }
  if (!ignoreMistakes && !undo && board_.ShownCountOfType(type) > 8)
    ShowTipText(std::string("All tiles of type '") + Digit(type) + "' have been found.  Well done!", false);
}

std::vector<NoteEdit> Game::RemovePeerNotes(int row, int column, int type) {
  std::vector<NoteEdit> edits;
  const uint32_t bit = 1u << type;
  for (int r = 0; r < kBoardSize; ++r) {
    for (int c = 0; c < kBoardSize; ++c) {
      const bool peer = r == row || c == column || (r / 3 == row / 3 && c / 3 == column / 3);
      const uint32_t notes = board_.NoteMask(r, c);
      if (!peer || (notes & bit) == 0) continue;
      edits.push_back(NoteEdit{r, c, notes, notes & ~bit});
      board_.SetNoteMask(r, c, notes & ~bit);
      RedrawTile(r, c);
    }
  }
  return edits;
}

void Game::ToggleShowGuides() {
  session_.showGuides = !session_.showGuides;
  if (session_.showGuides && session_.settings.ignoreMistakes) {
    session_.showGuides = false;
    Message(texts::kGuidesNotAvailable);
    return;
  }
  host_.RedrawControl(control::kShowGuides);
  host_.Invalidate(ScreenArea::GuideBands());
  if (session_.showGuides) QueueTip(14);
}

GuideTabs Game::Guides() const {
  GuideTabs tabs;
  const int type = session_.activeNumber;
  if (!session_.showGuides || !IsType(type)) return tabs;
  if (!session_.settings.ignoreMistakes) {
    if (board_.HiddenCountOfType(type) == 0) return tabs;
    for (int i = 0; i < kBoardSize; ++i) {
      tabs.rows[i] = board_.TypeHiddenStateInRow(type, true, i);
      tabs.columns[i] = board_.TypeHiddenStateInColumn(type, true, i);
    }
  } else {
    for (int i = 0; i < kBoardSize; ++i) {
      tabs.rows[i] = board_.PlayedTypeHiddenStateInRow(type, true, i);
      tabs.columns[i] = board_.PlayedTypeHiddenStateInColumn(type, true, i);
    }
  }
  return tabs;
}

void Game::EraseCursorTile() {
  const int row = session_.cursorRow;
  const int column = session_.cursorColumn;
  if (session_.settings.ignoreMistakes && !board_.IsHidden(row, column)) {
    PlayTile(row, column, kQuickPlay, PlaySource::Keys(board_.PlayedTypeAt(row, column)));
  } else if (board_.IsHidden(row, column) && EraseNotes(row, column)) {
    RedrawTile(row, column);
  }
}

void Game::MoveCursor(MoveDirection direction) {
  const int row = session_.cursorRow;
  const int column = session_.cursorColumn;
  int toRow = row, toColumn = column;
  switch (direction) {
    case MoveDirection::kLeft: toColumn = column - 1; break;
    case MoveDirection::kUpLeft:
      toRow = row - 1;
      toColumn = column - 1;
      break;
    case MoveDirection::kUp: toRow = row - 1; break;
    case MoveDirection::kUpRight:
      toRow = row - 1;
      toColumn = column + 1;
      break;
    case MoveDirection::kRight: toColumn = column + 1; break;
    case MoveDirection::kDownRight:
      toRow = row + 1;
      toColumn = column + 1;
      break;
    case MoveDirection::kDown: toRow = row + 1; break;
    case MoveDirection::kDownLeft:
      toRow = row + 1;
      toColumn = column - 1;
      break;
    case MoveDirection::kRowStart: toColumn = 0; break;
    case MoveDirection::kRowEnd: toColumn = 8; break;
    case MoveDirection::kTop: toRow = 0; break;
    case MoveDirection::kBottom: toRow = 8; break;
    default: LogOnly(texts::kInvalidMoveDirection); break;
  }
  const bool onBoard = toRow >= 0 && toRow < kBoardSize && toColumn >= 0 && toColumn < kBoardSize;
  if (onBoard) {
    SetCursorTile(toRow, toColumn);
    host_.Invalidate(ScreenArea::TileSpan(row, column, toRow, toColumn));
  }
  host_.FocusControl(control::TileId(session_.cursorRow, session_.cursorColumn));
}

}  // namespace velmora
