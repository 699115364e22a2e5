#include "player_dialogs.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QListWidget>
#include <algorithm>
#include <cctype>

#include "player_roster.h"
#include "skinned_dialog_service.h"

namespace velmora {

namespace {

constexpr char kMaxPlayersText[] =
    "The maximum number of players has been reached. You must remove an existing player before creating a new one.";

QString Latin(const std::string& text) { return QString::fromLatin1(text.data(), static_cast<int>(text.size())); }

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// The list keeps its names sorted without regard to letter case.
class NameItem : public QListWidgetItem {
 public:
  explicit NameItem(const QString& name) : QListWidgetItem(name) {}
  bool operator<(const QListWidgetItem& other) const override {
    return text().compare(other.text(), Qt::CaseInsensitive) < 0;
  }
};

}  // namespace

// ---- Create New Player ----

CreatePlayerDialog::CreatePlayerDialog(std::string& name, const GameBitmapTable* art, MessageReporter& reporter,
                                       QWidget* parent)
    : SkinnedDialog("CU", QStringLiteral("Create New Player"), QSize(238, 176), art, reporter, parent), name_(name) {
  box_ = new QLineEdit(this);
  box_->setAccessibleName(QStringLiteral("Your name"));
  AddControl(kNameBox, box_);
  box_->setMaxLength(kMaxName);
  auto* done = AddButton(kDone);
  auto* cancel = AddButton(kCancel);
  done->setDefault(true);
  connect(done, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(box_, &QLineEdit::textChanged, this, [this] { NameChanged(); });
}

bool CreatePlayerDialog::CleanName(std::string& text, bool trimEnd, bool& changed) {
  changed = false;
  if (text.empty()) return false;
  for (size_t i = text.size(); i-- > 0;) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const bool allowed = c == ' ' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    if (!allowed || i >= static_cast<size_t>(kMaxName)) {
      text.erase(i, 1);
      changed = true;
    }
  }
  if (text.empty()) return false;
  const size_t first = text.find_first_not_of(' ');
  if (first != 0) {
    text.erase(0, first == std::string::npos ? text.size() : first);
    changed = true;
  }
  if (text.empty()) return false;
  if (!trimEnd) return true;
  const size_t last = text.find_last_not_of(' ');
  if (last + 1 < text.size()) {
    text.erase(last + 1);
    changed = true;
  }
  return !text.empty();
}

void CreatePlayerDialog::ShowDone(bool shown) {
  Control(kDone)->setVisible(shown);
  Control(kDone)->setEnabled(shown);
  Control(kCancel)->move(shown ? 10 : 69, 140);
}

void CreatePlayerDialog::NameChanged() {
  std::string text = box_->text().left(kMaxName + 1).toStdString();
  bool changed = false;
  const bool valid = CleanName(text, false, changed);
  ShowDone(valid);
  if (changed) {
    box_->setText(Latin(text));
    box_->setCursorPosition(static_cast<int>(box_->text().size()));
  }
  name_.clear();
  pending_ = text;
}

void CreatePlayerDialog::accept() {
  std::string text = pending_;
  bool changed = false;
  if (!CleanName(text, true, changed)) return;
  name_ = text;
  cancelled_ = false;
  done(QDialog::Accepted);
}

void CreatePlayerDialog::reject() {
  cancelled_ = true;
  done(QDialog::Rejected);
}

int CreatePlayerDialog::FaceOf(int id, bool pressed) const {
  if (id == kDone) return pressed ? 297 : 298;
  if (id == kCancel) return pressed ? 295 : 296;
  return 0;
}

std::vector<SkinnedDialog::ControlPlace> CreatePlayerDialog::ControlTable() const {
  return {{kNameBox, 40, 50, 160, 24}, {kCancel, 10, 140, 100, 28}, {kDone, 130, 140, 100, 28}};
}

void CreatePlayerDialog::FirstShow() {
  SkinnedDialog::FirstShow();
  ShowDone(false);
  box_->setFocus();
}

std::vector<SkinnedDialog::Label> CreatePlayerDialog::Labels() const {
  return {{Box(11, 20, 238, 40), QStringLiteral("Please enter your name."), TextFormat::kCentredBottom},
          {Box(11, 90, 238, 130), QStringLiteral("Maximum 10 characters.\nLetters and Numbers, only."),
           TextFormat::kMultiLineCentred}};
}

// ---- Choose Player ----

ChoosePlayerDialog::ChoosePlayerDialog(PlayerRoster& roster, int& emptyListCancels, const GameBitmapTable* art,
                                       MessageReporter& reporter, QWidget* parent)
    : SkinnedDialog("MU", QStringLiteral("Choose Player"), QSize(188, 356), art, reporter, parent),
      roster_(roster),
      emptyListCancels_(emptyListCancels) {
  list_ = new QListWidget(this);
  list_->setAccessibleName(QStringLiteral("Players"));
  AddControl(kList, list_);
  list_->setSortingEnabled(true);
  auto* play = AddButton(kPlay);
  auto* create = AddButton(kCreate);
  auto* remove = AddButton(kRemove);
  play->setDefault(true);
  connect(play, &QPushButton::clicked, this, [this] { Finish(); });
  connect(create, &QPushButton::clicked, this, [this] { RequestCreate(); });
  connect(remove, &QPushButton::clicked, this, [this] { RemoveSelected(); });
  askName = [this](std::string& name) {
    CreatePlayerDialog dialog(name, Art(), Reporter(), parentWidget());
    dialog.exec();
    return !dialog.Cancelled();
  };
  for (int i = 0; i < roster_.PlayerCount(); ++i) list_->addItem(new NameItem(Latin(roster_.Player(i)->GetName())));
  connect(list_, &QListWidget::currentRowChanged, this, [this] { SelectionChanged(); });
  if (list_->count() > 0) {
    list_->setCurrentRow(0);
    ActivateUsersExistScheme(true);
    play->setFocus();
  } else {
    ActivateUsersExistScheme(false);
    createPending_ = true;
  }
}

void ChoosePlayerDialog::ActivateUsersExistScheme(bool playersExist) {
  QWidget* create = Control(kCreate);
  QWidget* play = Control(kPlay);
  QWidget* remove = Control(kRemove);
  if (!create || !play || !remove) {
    LogFault("Failed to get control handle in ActivateUsersExistScheme()!");
    return;
  }
  create->setGeometry(20, playersExist ? 290 : 210, 150, 28);
  create->setVisible(true);
  create->setEnabled(true);
  for (QWidget* control : {play, remove}) {
    control->setVisible(playersExist);
    control->setEnabled(playersExist);
  }
}

void ChoosePlayerDialog::Run() {
  while (!finished_) {
    if (createPending_) {
      createPending_ = false;
      CreatePlayer();
      continue;
    }
    exec();
    if (!createPending_) finished_ = true;
  }
}

void ChoosePlayerDialog::Finish() {
  // Accepting with no player selected asks for a new one instead.
  if (!list_->currentItem()) {
    RequestCreate();
    return;
  }
  finished_ = true;
  done(QDialog::Accepted);
}

void ChoosePlayerDialog::accept() { Finish(); }

void ChoosePlayerDialog::RequestCreate() {
  if (list_->count() >= kMaxPlayers) {
    ShowMessage(kMaxPlayersText);
    return;
  }
  // Leaves the modal run (hiding this window); Run() goes on to Create New Player.
  createPending_ = true;
  if (isVisible()) done(QDialog::Rejected);
}

void ChoosePlayerDialog::CreatePlayer() {
  std::string name;
  if (!askName(name)) {
    reopen_ = true;
    if (list_->count() == 0) {
      if (++emptyListCancels_ == 1) {
        ShowMessage("Please enter a name for your player.");
      } else if (Ask("Exit now?")) {
        exitProgram_ = true;
        finished_ = true;
        return;
      } else {
        emptyListCancels_ = 0;
      }
    }
    if (!list_->currentItem()) {
      createPending_ = true;
    } else {
      finished_ = true;
    }
    return;
  }
  finished_ = true;
  if (list_->count() >= kMaxPlayers) {
    ShowMessage(kMaxPlayersText);
    reopen_ = true;
    return;
  }
  for (int row = 0; row < list_->count(); ++row) {
    if (SameIgnoringCase(list_->item(row)->text().toStdString(), name)) {
      ShowMessage("This player name is in use.  Please try another.");
      reopen_ = true;
      return;
    }
  }
  if (!roster_.AddPlayer(name)) {
    // A file of that name that could not be read may still hold a player's
    // data: it is never replaced, and the player is told which file it is.
    const std::string blocking = roster_.BlockingFileFor(name);
    if (!blocking.empty())
      ShowMessage("This player's file exists but could not be read:\n" + blocking + "\nPlease try another name.");
    reopen_ = true;
    return;
  }
  roster_.SetCurrentPlayer(roster_.PlayerCount() - 1);
  // An earlier cancel asked for Choose Player again; the new player now takes its place.
  reopen_ = false;
  playerCreated_ = true;
}

void ChoosePlayerDialog::SelectionChanged() {
  if (QListWidgetItem* item = list_->currentItem()) {
    const std::string name = item->text().toStdString();
    bool found = false;
    for (int i = 0; i < roster_.PlayerCount(); ++i) {
      if (roster_.Player(i)->GetName() == name) {
        roster_.SetCurrentPlayer(i);
        found = true;
        break;
      }
    }
    if (!found) LogFault("Unable to find a GDUSER for this player name!");
  }
  ActivateUsersExistScheme(true);
}

void ChoosePlayerDialog::RemoveSelected() {
  QListWidgetItem* item = list_->currentItem();
  if (!item) return;
  const std::string name = item->text().toStdString();
  // The player whose game is in play keeps their file while it is.
  if (!playing_.empty() && name == playing_) {
    ShowMessage(name + kPlayingNotRemoved);
    return;
  }
  if (!Ask("Remove " + name + "?")) return;
  delete list_->takeItem(list_->row(item));
  for (int i = 0; i < roster_.PlayerCount(); ++i) {
    if (roster_.Player(i)->GetName() == name) {
      roster_.RemovePlayer(i);
      break;
    }
  }
  if (list_->count() == 0) {
    roster_.SetCurrentPlayer(-1);
    ActivateUsersExistScheme(false);
  } else {
    ActivateUsersExistScheme(true);
    list_->setCurrentRow(0);
    SelectionChanged();
  }
}

void ChoosePlayerDialog::Cancel() {
  cancelled_ = true;
  finished_ = true;
  done(QDialog::Rejected);
}

void ChoosePlayerDialog::reject() {
  if (cancellable_) {
    Cancel();
    return;
  }
  // Escape does not leave: the game needs a player.
  ShowMessage("Please select a Player.");
}

void ChoosePlayerDialog::closeEvent(QCloseEvent* event) {
  event->ignore();
  if (cancellable_) {
    Cancel();
    return;
  }
  if (!Ask("Exit now?")) return;
  exitProgram_ = true;
  finished_ = true;
  done(QDialog::Rejected);
}

int ChoosePlayerDialog::FaceOf(int id, bool pressed) const {
  if (id == kPlay) return pressed ? 291 : 292;
  if (id == kCreate) return pressed ? 289 : 290;
  if (id == kRemove) return pressed ? 293 : 294;
  return 0;
}

std::vector<SkinnedDialog::ControlPlace> ChoosePlayerDialog::ControlTable() const {
  const bool playersExist = list_->count() > 0;
  return {{kList, 20, 10, 150, 190},
          {kPlay, 20, 210, 150, 70},
          {kCreate, 20, playersExist ? 290 : 210, 150, 28},
          {kRemove, 20, 320, 150, 28}};
}

// The game's call: the dialog run for it (SkinnedDialogService).
ChoosePlayerAnswer SkinnedDialogService::ChoosePlayer(PlayerRoster& roster) {
  ChoosePlayerDialog dialog(roster, emptyListCancels_, &art_, reporter_, owner_);
  dialog.Run();
  if (dialog.ExitProgram()) return {ChoosePlayerAnswer::kQuit, false};
  if (dialog.Reopen()) return {ChoosePlayerAnswer::kShowAgain, false};
  return {ChoosePlayerAnswer::kChosen, dialog.PlayerCreated()};
}

ChoosePlayerAnswer SkinnedDialogService::ChangePlayer(PlayerRoster& roster, std::string_view playing) {
  ChoosePlayerDialog dialog(roster, emptyListCancels_, &art_, reporter_, owner_);
  dialog.SetCancellable(std::string(playing));
  dialog.Run();
  if (dialog.Cancelled()) return {ChoosePlayerAnswer::kCancelled, false};
  if (dialog.ExitProgram()) return {ChoosePlayerAnswer::kQuit, false};
  if (dialog.Reopen()) return {ChoosePlayerAnswer::kShowAgain, false};
  return {ChoosePlayerAnswer::kChosen, dialog.PlayerCreated()};
}

}  // namespace velmora
