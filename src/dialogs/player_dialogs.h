#pragma once
// Choose Player lists the players to play as, remove, or add to; Create New
// Player asks for a new player's name (at most 10 letters, digits and blanks).
#include <functional>
#include <string>

#include "skinned_dialog.h"

class QLineEdit;
class QListWidget;

namespace velmora {

class PlayerRoster;

class CreatePlayerDialog : public SkinnedDialog {
  Q_OBJECT
 public:
  static constexpr int kNameBox = 1140, kDone = 1141, kCancel = 1142;
  static constexpr int kMaxName = 10;

  // name receives the new name on Done; it is cleared while the name is edited.
  CreatePlayerDialog(std::string& name, const GameBitmapTable* art, MessageReporter& reporter, QWidget* parent);
  bool Cancelled() const { return cancelled_; }
  QLineEdit* NameBox() const { return box_; }

  // Cleans a typed name in place: drops characters other than letters, digits
  // and blanks and all from the eleventh on, then leading blanks and, with
  // trimEnd, trailing ones. Returns validity (something left); changed tells
  // whether anything was dropped.
  static bool CleanName(std::string& text, bool trimEnd, bool& changed);

  int FaceOf(int id, bool pressed) const override;
  void accept() override;
  void reject() override;

 protected:
  std::vector<ControlPlace> ControlTable() const override;
  std::vector<Label> Labels() const override;
  void FirstShow() override;

 private:
  void NameChanged();
  void ShowDone(bool shown);

  std::string& name_;
  std::string pending_;
  bool cancelled_ = false;
  QLineEdit* box_ = nullptr;
};

class ChoosePlayerDialog : public SkinnedDialog {
  Q_OBJECT
 public:
  static constexpr int kList = 1137, kCreate = 1138, kRemove = 1139, kPlay = 1143;
  static constexpr int kMaxPlayers = 10000;

  // emptyListCancels: the run-long count of Create New Player cancelled while
  // no player exists.
  ChoosePlayerDialog(PlayerRoster& roster, int& emptyListCancels, const GameBitmapTable* art, MessageReporter& reporter,
                     QWidget* parent);

  // Runs the dialog (and Create New Player as often as needed) to its end.
  void Run();
  // Opened to change the player during a game: Escape and the close box leave
  // the dialog without a choice instead of insisting on one, and the player
  // who is playing cannot be removed.
  void SetCancellable(std::string playing = {}) {
    cancellable_ = true;
    playing_ = std::move(playing);
  }
  static constexpr const char* kPlayingNotRemoved =
      " is playing the game in progress and cannot be removed now.  Choose another player first.";
  bool Cancelled() const { return cancelled_; }
  bool ExitProgram() const { return exitProgram_; }
  bool Reopen() const { return reopen_; }
  bool PlayerCreated() const { return playerCreated_; }
  QListWidget* List() const { return list_; }
  // Called by Create New Player's runs; tests replace it to script the answers.
  std::function<bool(std::string& name)> askName;

  // Buttons for a list with or without players.
  void ActivateUsersExistScheme(bool playersExist);

  int FaceOf(int id, bool pressed) const override;
  void accept() override;
  void reject() override;

 protected:
  std::vector<ControlPlace> ControlTable() const override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void SelectionChanged();
  void RemoveSelected();
  void RequestCreate();
  void CreatePlayer();
  void Finish();
  void Cancel();

  PlayerRoster& roster_;
  int& emptyListCancels_;
  QListWidget* list_ = nullptr;
  bool exitProgram_ = false;
  bool reopen_ = false;
  bool playerCreated_ = false;
  bool createPending_ = false;
  bool finished_ = false;
  bool cancellable_ = false;
  bool cancelled_ = false;
  std::string playing_;
};

}  // namespace velmora
