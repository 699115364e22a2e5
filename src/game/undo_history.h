#pragma once
// The record of one game's changes to the board, for Undo and Redo: what each
// change did to which tiles, and the changes that can never be undone, at
// which Undo stops and says why. Plain data; the game applies it (game_undo.cpp).
#include <cstdint>
#include <utility>
#include <vector>

#include "user_record.h"

namespace velmora {

// A change that cannot be undone.
enum class Barrier {
  kFoundTile,       // a correct play with Ignore Mistakes off
  kMistake,         // a counted mistake
  kHint,            // a Hint given
  kFreePlay,        // a Free Play used
  kBlackoutReveal,  // a tile revealed while creating a Blackout puzzle
  kPaybackHide,     // a found tile hidden again by Payback
};

// One tile's notes before and after a change.
struct NoteEdit {
  int row = 0, column = 0;
  uint32_t before = 0, after = 0;
  bool operator==(const NoteEdit&) const = default;
};

// A play made with Ignore Mistakes on: the type the tile showed before and
// after it, -1 for a hidden tile, the notes it had before (a play clears them)
// the play key it added, and the notes it cleared of that type around it,
// when the player asked for that.
struct PlayEdit {
  int row = 0, column = 0;
  int before = -1, after = -1;
  uint32_t notesBefore = 0;
  PlayKey key;
  std::vector<NoteEdit> peerNotes;
  bool operator==(const PlayEdit&) const = default;
};

struct BoardChange {
  enum Kind { kNotes, kPlay, kBarrier };
  Kind kind = kNotes;
  std::vector<NoteEdit> notes;            // kNotes: one tile, or every tile candidates were filled into
  PlayEdit play;                          // kPlay
  Barrier barrier = Barrier::kFoundTile;  // kBarrier

  static BoardChange Notes(std::vector<NoteEdit> edits) { return {kNotes, std::move(edits), {}, {}}; }
  static BoardChange Play(const PlayEdit& edit) { return {kPlay, {}, edit, {}}; }
  static BoardChange Stop(Barrier why) { return {kBarrier, {}, {}, why}; }
};

class UndoHistory {
 public:
  void Clear();
  // A new change drops whatever could be redone; a barrier also drops every
  // change before it, which can never be reached again.
  void Record(BoardChange change);
  // The change Undo would take back, or null.
  const BoardChange* LastDone() const { return done_.empty() ? nullptr : &done_.back(); }
  // The change Redo would make again, or null.
  const BoardChange* NextToRedo() const { return undone_.empty() ? nullptr : &undone_.back(); }
  // The notes a play cleared around it belong to the same step as the play.
  void AddPeerNotesToLastPlay(std::vector<NoteEdit> edits);
  // The last change done moves over to the ones to redo, and back.
  void StepBack();
  void StepForward();

 private:
  std::vector<BoardChange> done_;
  std::vector<BoardChange> undone_;  // the next to redo last
};

}  // namespace velmora
