#include "undo_history.h"

#include <utility>

namespace velmora {

void UndoHistory::Clear() {
  done_.clear();
  undone_.clear();
}

void UndoHistory::Record(BoardChange change) {
  undone_.clear();
  if (change.kind == BoardChange::kBarrier) done_.clear();
  done_.push_back(std::move(change));
}

void UndoHistory::StepBack() {
  if (done_.empty()) return;
  undone_.push_back(std::move(done_.back()));
  done_.pop_back();
}

void UndoHistory::StepForward() {
  if (undone_.empty()) return;
  done_.push_back(std::move(undone_.back()));
  undone_.pop_back();
}

void UndoHistory::AddPeerNotesToLastPlay(std::vector<NoteEdit> edits) {
  if (done_.empty() || done_.back().kind != BoardChange::kPlay) return;
  done_.back().play.peerNotes = std::move(edits);
}

}  // namespace velmora
