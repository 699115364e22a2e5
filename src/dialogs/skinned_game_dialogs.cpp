#include "skinned_game_dialogs.h"

#include "continue_game_dialog.h"
#include "message_reporter.h"
#include "intro_dialog.h"
#include "new_game_dialog.h"
#include "options_dialog.h"
#include "player_dialogs.h"
#include "results_dialog.h"
#include "tile_menu_dialog.h"

namespace velmora {

namespace {

// Room the menus leave free at the bottom of the desktop; the work area already
// excludes the panels of the desktop, so nothing more is kept.
constexpr int kMenuBottomMargin = 0;

}  // namespace

SkinnedGameDialogs::SkinnedGameDialogs(const GameBitmapTable& art, MessageReporter& reporter, QWidget* owner)
    : art_(art), reporter_(reporter), owner_(owner) {}

SkinnedGameDialogs::~SkinnedGameDialogs() = default;

ChoosePlayerAnswer SkinnedGameDialogs::ChoosePlayer(PlayerRoster& roster) {
  ChoosePlayerDialog dialog(roster, emptyListCancels_, &art_, reporter_, owner_);
  dialog.Run();
  if (dialog.ExitProgram()) return {ChoosePlayerAnswer::kQuit, false};
  if (dialog.Reopen()) return {ChoosePlayerAnswer::kShowAgain, false};
  return {ChoosePlayerAnswer::kChosen, dialog.PlayerCreated()};
}

int SkinnedGameDialogs::ContinueGame(std::string_view question, std::string_view details) {
  ContinueGameDialog dialog(question, details, &art_, reporter_, owner_);
  dialog.exec();
  return dialog.Result();
}

NewGameAnswer SkinnedGameDialogs::NewGame(PlayerSettings& settings, bool gameInProgress) {
  // The dialog edits a copy; the game takes it only when a game is to begin.
  PlayerSettings edited = settings;
  NewGameDialog dialog(gameInProgress, edited, &art_, reporter_, owner_);
  dialog.exec();
  if (dialog.ExitProgram()) return NewGameAnswer::kQuit;
  if (dialog.Cancelled()) return NewGameAnswer::kCancel;
  settings = edited;
  return NewGameAnswer::kOk;
}

TileMenuAnswer SkinnedGameDialogs::TileMenu(int, int, bool noteMenu, bool fromMouse, TileMenuMemory& memory) {
  TileMenuDialog dialog(fromMouse, kMenuBottomMargin, noteMenu, memory, &art_, reporter_, owner_);
  dialog.exec();
  if (dialog.Cancelled()) return {};
  return {true, dialog.ChosenType() == TileMenuDialog::kEraserChoice ? kTileMenuEraser : dialog.ChosenType()};
}

OptionsAnswer SkinnedGameDialogs::Options(PlayerSettings& settings) {
  PlayerSettings edited = settings;
  OptionsDialog dialog(edited, &art_, reporter_, owner_);
  dialog.exec();
  if (dialog.Result() != OptionsDialog::kAccepted) return OptionsAnswer::kCancel;
  settings = edited;
  return dialog.ViewTutorial() ? OptionsAnswer::kViewTutorial : OptionsAnswer::kOk;
}

void SkinnedGameDialogs::Intro(bool tutorialOnly, PlayerSettings& settings) {
  RunIntroSequence(tutorialOnly, settings.hue, art_, reporter_, owner_);
}

void SkinnedGameDialogs::Results(const PuzzleResults& results) {
  ResultsDialog dialog(results.playKeys, &art_, reporter_, owner_);
  dialog.SetResults(results);
  dialog.exec();
}

}  // namespace velmora
