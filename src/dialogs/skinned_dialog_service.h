#pragma once
// The game window's secondary windows, drawn in the game's own skin. Each call
// runs one dialog (or, for the intro, the sequence of pages) modally over the
// game window.
#include <memory>

#include "dialog_service.h"

class QWidget;

namespace velmora {

class GameBitmapTable;
class MessageReporter;

class SkinnedDialogService : public DialogService {
 public:
  SkinnedDialogService(const GameBitmapTable& art, MessageReporter& reporter, QWidget* owner);
  ~SkinnedDialogService() override;

  ChoosePlayerAnswer ChoosePlayer(PlayerRoster& roster) override;
  ChoosePlayerAnswer ChangePlayer(PlayerRoster& roster, std::string_view playing) override;
  ContinueAnswer ContinueGame(std::string_view question, std::string_view details) override;
  NewGameAnswer NewGame(PlayerSettings& settings, bool gameInProgress) override;
  TileMenuAnswer TileMenu(int row, int column, bool noteMenu, bool fromMouse, TileMenuMemory& memory) override;
  OptionsAnswer Options(PlayerSettings& settings) override;
  void Intro(bool tutorialOnly, PlayerSettings& settings) override;
  void Results(const PuzzleResults& results) override;

 private:
  const GameBitmapTable& art_;
  MessageReporter& reporter_;
  QWidget* owner_;
  // Create New Player cancelled with no player at all, counted over the run.
  int emptyListCancels_ = 0;
};

}  // namespace velmora
