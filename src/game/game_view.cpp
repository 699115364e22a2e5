// The viewing aids: the tiles of the Active Number, the Cursor Tile's row,
// column and block, and types that clash. They only add marks over the
// tiles' faces; with all of them off nothing is drawn or redrawn for them.
#include "game.h"
#include "game_texts.h"
#include "player_roster.h"
#include "user_record.h"

namespace velmora {

namespace {

// The setting behind an aid, of a const or a changeable settings block.
template <typename Settings>
auto& AidFlag(Settings& settings, ViewAid aid) {
  switch (aid) {
    case ViewAid::kHighlightActiveNumber: return settings.highlightActiveNumber;
    case ViewAid::kHighlightCursorPeers: return settings.highlightCursorPeers;
    case ViewAid::kHighlightActiveNotes: return settings.highlightActiveNotes;
    case ViewAid::kRemoveNotesOnPlay: return settings.removeNotesOnPlay;
    case ViewAid::kMarkConflicts: break;
  }
  return settings.markConflicts;
}

bool SameBlock(int row, int column, int otherRow, int otherColumn) {
  return row / 3 == otherRow / 3 && column / 3 == otherColumn / 3;
}

}  // namespace

bool Game::ViewAidOn(ViewAid aid) const {
  if (CurrentRecord() == nullptr) return false;
  return AidFlag(session_.settings, aid);
}

void Game::ToggleViewAid(ViewAid aid) {
  const MarksRefresh refresh(*this);
  GDUSER* record = CurrentRecord();
  if (!ViewAidAvailable() || record == nullptr) return;
  bool& flag = AidFlag(session_.settings, aid);
  flag = !flag;
  // The game's copy of the settings is what a save hands to the record; the
  // record's own copy is what the next game starts from.
  AidFlag(record->settings, aid) = flag;
  // Saved at once, as the game stands, without the pause that follows a
  // player's own save: a tick in a menu should not hold up play.
  if (!StoreGameInRecord(*record) || !roster_.SaveUserFile(roster_.CurrentPlayer())) LogOnly(texts::kViewAidNotSaved);
}

TileMarks Game::MarksOf(int row, int column) const {
  TileMarks marks;
  const PlayerSettings& settings = session_.settings;
  if (session_.gameState != GameState::Playing || session_.paused) return marks;
  if (!settings.highlightActiveNumber && !settings.highlightCursorPeers && !settings.markConflicts) return marks;
  const int type = ShownType(row, column);
  if (settings.highlightActiveNumber && type >= 0 && type == session_.activeNumber) marks.activeNumber = true;
  if (settings.highlightActiveNumber && settings.highlightActiveNotes && type < 0 && session_.activeNumber >= 0 &&
      session_.activeNumber < kTypeCount && (board_.NoteMask(row, column) & (1u << session_.activeNumber)) != 0)
    marks.activeNote = session_.activeNumber;
  if (settings.highlightCursorPeers && !board_.IsCursor(row, column)) {
    const int cursorRow = session_.cursorRow;
    const int cursorColumn = session_.cursorColumn;
    marks.cursorPeer = board_.IsCursor(cursorRow, cursorColumn) &&
                       (row == cursorRow || column == cursorColumn || SameBlock(row, column, cursorRow, cursorColumn));
  }
  if (settings.markConflicts && type >= 0) {
    for (int r = 0; r < kBoardSize && !marks.conflict; ++r) {
      for (int c = 0; c < kBoardSize; ++c) {
        if (r == row && c == column) continue;
        if (r != row && c != column && !SameBlock(row, column, r, c)) continue;
        if (ShownType(r, c) == type) {
          marks.conflict = true;
          break;
        }
      }
    }
  }
  return marks;
}

void Game::RefreshTileMarks() {
  for (int row = 0; row < kBoardSize; ++row) {
    for (int column = 0; column < kBoardSize; ++column) {
      TileMarks& drawn = drawnMarks_[static_cast<size_t>(row * kBoardSize + column)];
      const TileMarks now = MarksOf(row, column);
      if (now == drawn) continue;
      drawn = now;
      RedrawTile(row, column);
    }
  }
}

}  // namespace velmora
