// Undo and Redo of the player's changes to the board, and filling in the
// candidate notes. Notes are set back directly; a play made with Ignore
// Mistakes on is undone and redone as the player would make it, through
// PlayTile, so that the Payback order, the tray counts and the counters are
// what those plays make of them. The play keys are those of the plays that
// stand: an undone play takes its own key back and a redone one puts it back,
// so that Undo and Redo never lengthen the list.
#include <algorithm>
#include <array>
#include <iterator>

#include "game.h"
#include "game_texts.h"

namespace velmora {

namespace {

constexpr uint32_t kAllTypes = (1u << kTypeCount) - 1;

const char* BarrierNotice(Barrier why) {
  switch (why) {
    case Barrier::kFoundTile: return texts::kCannotUndoFoundTile;
    case Barrier::kMistake: return texts::kCannotUndoMistake;
    case Barrier::kHint: return texts::kCannotUndoHint;
    case Barrier::kFreePlay: return texts::kCannotUndoFreePlay;
    case Barrier::kBlackoutReveal: return texts::kCannotUndoBlackoutReveal;
    case Barrier::kPaybackHide: return texts::kCannotUndoPaybackHide;
  }
  return texts::kCannotUndoFoundTile;
}

}  // namespace

// ---- The record ----

void Game::RecordNotes(int row, int column, uint32_t before) {
  const uint32_t after = board_.NoteMask(row, column);
  if (after == before) return;
  history_.Record(BoardChange::Notes({NoteEdit{row, column, before, after}}));
}

void Game::RecordAcceptedPlay(int row, int column, int type, int previousPlayedType, bool blackoutReveal,
                              int32_t time) {
  if (replaying_) return;
  if (freePlayUnderway_) {
    RecordBarrier(Barrier::kFreePlay);
  } else if (blackoutReveal) {
    RecordBarrier(Barrier::kBlackoutReveal);
  } else if (!session_.settings.ignoreMistakes) {
    RecordBarrier(Barrier::kFoundTile);
  } else {
    // The same type played again over itself takes it back (AcceptPlay).
    const bool playedBefore = previousPlayedType >= 0 && previousPlayedType < kTypeCount;
    const bool takesBack = playedBefore && board_.PlayedTypeAt(row, column) == type;
    history_.Record(BoardChange::Play(PlayEdit{row,
                                               column,
                                               playedBefore ? previousPlayedType : -1,
                                               takesBack ? -1 : type,
                                               board_.NoteMask(row, column),
                                               PlayKey{!takesBack, time},
                                               {}}));
  }
}

void Game::RecordBarrier(Barrier why) {
  if (!replaying_) history_.Record(BoardChange::Stop(why));
}

// ---- Undo and Redo ----

bool Game::CanUndo() const {
  if (session_.gameState != GameState::Playing) return false;
  const BoardChange* change = history_.LastDone();
  if (change == nullptr || change->kind == BoardChange::kBarrier) return false;
  return change->kind != BoardChange::kPlay || session_.settings.ignoreMistakes;
}

bool Game::CanRedo() const {
  if (session_.gameState != GameState::Playing) return false;
  const BoardChange* change = history_.NextToRedo();
  if (change == nullptr) return false;
  return change->kind != BoardChange::kPlay || session_.settings.ignoreMistakes;
}

void Game::Undo() {
  const MarksRefresh refresh(*this);
  if (session_.gameState != GameState::Playing) return;
  const BoardChange* last = history_.LastDone();
  if (last == nullptr) {
    host_.ShowNotice(texts::kNothingToUndo);
    return;
  }
  if (last->kind == BoardChange::kBarrier) {
    host_.ShowNotice(BarrierNotice(last->barrier));
    return;
  }
  if (last->kind == BoardChange::kPlay && !session_.settings.ignoreMistakes) {
    host_.ShowNotice(texts::kUndoNeedsIgnoreMistakes);
    return;
  }
  const BoardChange change = *last;
  history_.StepBack();
  if (change.kind == BoardChange::kNotes)
    ApplyNotes(change.notes, false);
  else
    ReplayPlay(change.play, false);
}

void Game::Redo() {
  const MarksRefresh refresh(*this);
  if (session_.gameState != GameState::Playing) return;
  const BoardChange* next = history_.NextToRedo();
  if (next == nullptr) {
    host_.ShowNotice(texts::kNothingToRedo);
    return;
  }
  if (next->kind == BoardChange::kPlay && !session_.settings.ignoreMistakes) {
    host_.ShowNotice(texts::kRedoNeedsIgnoreMistakes);
    return;
  }
  const BoardChange change = *next;
  history_.StepForward();
  if (change.kind == BoardChange::kNotes)
    ApplyNotes(change.notes, true);
  else
    ReplayPlay(change.play, true);
}

void Game::ApplyNotes(const std::vector<NoteEdit>& edits, bool forward) {
  // A change of one tile shows where it happened by taking the Cursor Tile there.
  if (edits.size() == 1) SetCursorTile(edits.front().row, edits.front().column);
  for (const NoteEdit& edit : edits) {
    board_.SetNoteMask(edit.row, edit.column, forward ? edit.after : edit.before);
    RedrawTile(edit.row, edit.column);
  }
}

// The type to play is the one the tile showed before (to undo) or after (to
// redo) the change; where that is a hidden tile, the other one, which played
// again over itself takes it back.
void Game::ReplayPlay(const PlayEdit& edit, bool forward) {
  const int shown = forward ? edit.after : edit.before;
  const int type = shown >= 0 ? shown : (forward ? edit.before : edit.after);
  SetCursorTile(edit.row, edit.column);
  // Before the play, which may win the game and save it.
  std::vector<PlayKey>& keys = session_.playKeys;
  if (forward) {
    keys.push_back(edit.key);
  } else {
    // Every later play has been undone: its key is the last one.
    const auto own = std::find(keys.rbegin(), keys.rend(), edit.key);
    if (own != keys.rend()) keys.erase(std::next(own).base());
  }
  replaying_ = true;
  PlayTile(edit.row, edit.column, kQuickPlay, PlaySource::Keys(type));
  replaying_ = false;
  // The play cleared the notes the tile had before it; a play undone gives them back.
  if (!forward && session_.gameState == GameState::Playing && board_.IsHidden(edit.row, edit.column) &&
      board_.NoteMask(edit.row, edit.column) != edit.notesBefore) {
    board_.SetNoteMask(edit.row, edit.column, edit.notesBefore);
    RedrawTile(edit.row, edit.column);
  }
  // And so do the notes it cleared around it, which a play redone clears again.
  if (session_.gameState != GameState::Playing) return;
  for (const NoteEdit& note : edit.peerNotes) {
    board_.SetNoteMask(note.row, note.column, forward ? note.after : note.before);
    RedrawTile(note.row, note.column);
  }
}

// ---- Candidates ----

std::vector<NoteEdit> Game::CandidateEdits() const {
  // The types each row, column and block shows: a given tile its own type, a
  // played one the type it shows (the played type while mistakes are ignored).
  std::array<uint32_t, kBoardSize> rows{}, columns{}, blocks{};
  const bool ignoreMistakes = session_.settings.ignoreMistakes;
  for (int row = 0; row < kBoardSize; ++row) {
    for (int column = 0; column < kBoardSize; ++column) {
      if (board_.IsHidden(row, column)) continue;
      const int type = board_.IsGiven(row, column) || !ignoreMistakes ? board_.TypeAt(row, column)
                                                                      : board_.PlayedTypeAt(row, column);
      if (type < 0 || type >= kTypeCount) continue;
      const uint32_t bit = 1u << type;
      rows[row] |= bit;
      columns[column] |= bit;
      blocks[(row / 3) * 3 + column / 3] |= bit;
    }
  }
  std::vector<NoteEdit> edits;
  for (int row = 0; row < kBoardSize; ++row) {
    for (int column = 0; column < kBoardSize; ++column) {
      if (!board_.IsHidden(row, column)) continue;
      const uint32_t seen = rows[row] | columns[column] | blocks[(row / 3) * 3 + column / 3];
      const uint32_t candidates = kAllTypes & ~seen;
      const uint32_t notes = board_.NoteMask(row, column);
      if (notes != candidates) edits.push_back(NoteEdit{row, column, notes, candidates});
    }
  }
  return edits;
}

bool Game::CanFillInCandidates() const {
  // While a Blackout puzzle is being created every tile asked for is revealed.
  if (session_.gameState != GameState::Playing || session_.blackoutCount > 0) return false;
  return !CandidateEdits().empty();
}

void Game::FillInCandidates() {
  const MarksRefresh refresh(*this);
  if (session_.gameState != GameState::Playing || session_.blackoutCount > 0) return;
  std::vector<NoteEdit> edits = CandidateEdits();
  if (edits.empty()) return;
  ApplyNotes(edits, true);
  history_.Record(BoardChange::Notes(std::move(edits)));
}

}  // namespace velmora
