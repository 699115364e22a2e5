#include "game_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "format_time.h"
#include "player_roster.h"
#include "puzzle_code.h"

namespace velmora {
namespace {

QString Qt8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<int>(text.size())); }

const char* const kTypeNames[] = {"Normal", "Payback", "Blackout"};
const char* const kDifficultyNames[] = {"Easy", "Medium", "Hard", "Expert"};
const char* const kActionNames[] = {"Quick Play", "Play", "Quick Note", "Note", "Select Tile"};

}  // namespace

ChoosePlayerAnswer PlainGameDialogs::ChoosePlayer(PlayerRoster& roster) {
  QDialog dialog(owner_);
  dialog.setWindowTitle(QStringLiteral("Choose Player"));
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(new QLabel(QStringLiteral("Who is playing?")));
  auto* list = new QListWidget;
  std::vector<int> order;
  for (int i = 0; i < roster.PlayerCount(); ++i) order.push_back(i);
  std::sort(order.begin(), order.end(),
            [&](int a, int b) { return roster.Player(a)->GetName() < roster.Player(b)->GetName(); });
  for (int index : order) {
    auto* item = new QListWidgetItem(Qt8(roster.Player(index)->GetName()));
    item->setData(Qt::UserRole, index);
    list->addItem(item);
  }
  if (list->count() > 0) list->setCurrentRow(0);
  layout->addWidget(list);
  auto* nameRow = new QHBoxLayout;
  auto* name = new QLineEdit;
  name->setPlaceholderText(QStringLiteral("New player name"));
  name->setMaxLength(10);
  name->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[A-Za-z0-9]{0,10}")), name));
  auto* add = new QPushButton(QStringLiteral("Add Player"));
  nameRow->addWidget(name);
  nameRow->addWidget(add);
  layout->addLayout(nameRow);
  auto* buttons = new QHBoxLayout;
  auto* play = new QPushButton(QStringLiteral("Play"));
  auto* remove = new QPushButton(QStringLiteral("Remove Player"));
  auto* quit = new QPushButton(QStringLiteral("Quit"));
  buttons->addWidget(play);
  buttons->addWidget(remove);
  buttons->addWidget(quit);
  layout->addLayout(buttons);
  play->setDefault(true);

  ChoosePlayerAnswer answer{ChoosePlayerAnswer::kShowAgain, false};
  QObject::connect(play, &QPushButton::clicked, &dialog, [&] {
    if (!list->currentItem()) return;
    roster.SetCurrentPlayer(list->currentItem()->data(Qt::UserRole).toInt());
    answer = {ChoosePlayerAnswer::kChosen, false};
    dialog.done(1);
  });
  QObject::connect(add, &QPushButton::clicked, &dialog, [&] {
    const std::string wanted = name->text().toStdString();
    if (wanted.empty()) return;
    for (int i = 0; i < roster.PlayerCount(); ++i) {
      if (roster.Player(i)->GetName() == wanted) {
        QMessageBox::information(&dialog, QStringLiteral("Velmora Sudoku"),
                                 QStringLiteral("This player name is in use.  Please try another."));
        return;
      }
    }
    if (!roster.AddPlayer(wanted)) return;
    roster.SetCurrentPlayer(roster.PlayerCount() - 1);
    answer = {ChoosePlayerAnswer::kChosen, true};
    dialog.done(1);
  });
  // Enter in the name box adds the player rather than playing the one selected.
  QObject::connect(name, &QLineEdit::textChanged, &dialog, [&](const QString& text) {
    add->setDefault(!text.isEmpty());
    play->setDefault(text.isEmpty());
  });
  QObject::connect(remove, &QPushButton::clicked, &dialog, [&] {
    if (!list->currentItem()) return;
    const int index = list->currentItem()->data(Qt::UserRole).toInt();
    roster.RemovePlayer(index);
    roster.SetCurrentPlayer(roster.PlayerCount() > 0 ? 0 : -1);
    answer = {ChoosePlayerAnswer::kShowAgain, false};
    dialog.done(1);
  });
  QObject::connect(quit, &QPushButton::clicked, &dialog, [&] {
    answer = {ChoosePlayerAnswer::kQuit, false};
    dialog.done(0);
  });
  if (dialog.exec() == 0 && answer.outcome == ChoosePlayerAnswer::kShowAgain) {
    // Closed by the window manager: ask again, but not for ever.
    if (++chooseCancels_ >= 3) answer.outcome = ChoosePlayerAnswer::kQuit;
  }
  return answer;
}

int PlainGameDialogs::ContinueGame(std::string_view question, std::string_view details) {
  QMessageBox box(QMessageBox::Question, QStringLiteral("Continue Game"), Qt8(question), QMessageBox::Yes | QMessageBox::No,
                  owner_);
  box.setInformativeText(Qt8(details));
  box.setDefaultButton(QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes ? 2 : 1;
}

NewGameAnswer PlainGameDialogs::NewGame(PlayerSettings& settings, bool gameInProgress) {
  QDialog dialog(owner_);
  dialog.setWindowTitle(QStringLiteral("New Game"));
  auto* form = new QFormLayout(&dialog);
  auto* type = new QComboBox;
  for (const char* n : kTypeNames) type->addItem(n);
  type->setCurrentIndex(std::clamp(settings.type, 0, 2));
  auto* difficulty = new QComboBox;
  for (const char* n : kDifficultyNames) difficulty->addItem(n);
  difficulty->setCurrentIndex(std::clamp(settings.difficulty, 0, 3));
  auto* ignore = new QCheckBox(QStringLiteral("Ignore Mistakes"));
  ignore->setChecked(settings.ignoreMistakes);
  auto* code = new QLineEdit;
  code->setMaxLength(7);
  code->setPlaceholderText(QStringLiteral("optional, e.g. AB007"));
  QObject::connect(code, &QLineEdit::textEdited, code, [code](const QString& text) {
    const int at = code->cursorPosition();
    code->setText(text.toUpper());
    code->setCursorPosition(at);
  });
  form->addRow(QStringLiteral("Game type"), type);
  form->addRow(QStringLiteral("Difficulty"), difficulty);
  form->addRow(QString(), ignore);
  form->addRow(QStringLiteral("Puzzle Code"), code);
  auto* buttons = new QDialogButtonBox;
  auto* begin = buttons->addButton(QStringLiteral("Begin"), QDialogButtonBox::AcceptRole);
  auto* cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
  auto* quit = buttons->addButton(QStringLiteral("Quit"), QDialogButtonBox::DestructiveRole);
  cancel->setVisible(gameInProgress);
  begin->setDefault(true);
  form->addRow(buttons);

  NewGameAnswer answer = gameInProgress ? NewGameAnswer::kCancel : NewGameAnswer::kQuit;
  QObject::connect(begin, &QPushButton::clicked, &dialog, [&] {
    const std::string text = code->text().toStdString();
    if (!text.empty() && !IsValidPuzzleCode(text)) {
      QMessageBox::information(&dialog, QStringLiteral("New Game"), QStringLiteral("This Puzzle Code is not valid."));
      code->clear();
      return;
    }
    settings.type = type->currentIndex();
    settings.difficulty = difficulty->currentIndex();
    settings.ignoreMistakes = ignore->isChecked();
    settings.puzzleCode = text;
    settings.gameTypeName = kTypeNames[settings.type];
    settings.difficultyName = kDifficultyNames[settings.difficulty];
    answer = NewGameAnswer::kOk;
    dialog.done(1);
  });
  QObject::connect(cancel, &QPushButton::clicked, &dialog, [&] {
    answer = NewGameAnswer::kCancel;
    dialog.done(0);
  });
  QObject::connect(quit, &QPushButton::clicked, &dialog, [&] {
    if (QMessageBox::question(&dialog, QStringLiteral("Velmora Sudoku"), QStringLiteral("Exit now?")) !=
        QMessageBox::Yes)
      return;
    answer = NewGameAnswer::kQuit;
    dialog.done(0);
  });
  dialog.exec();
  return answer;
}

TileMenuAnswer PlainGameDialogs::TileMenu(int row, int column, bool noteMenu, bool fromMouse, TileMenuMemory& memory) {
  QDialog dialog(owner_);
  dialog.setWindowTitle(noteMenu ? QStringLiteral("Note") : QStringLiteral("Play"));
  auto* grid = new QGridLayout(&dialog);
  TileMenuAnswer answer;
  for (int t = 0; t < 9; ++t) {
    auto* button = new QPushButton(QString::number(t + 1));
    button->setFixedSize(36, 36);
    grid->addWidget(button, t / 3, t % 3);
    QObject::connect(button, &QPushButton::clicked, &dialog, [&, t] {
      answer = {true, t};
      dialog.done(1);
    });
  }
  auto* eraser = new QPushButton(QStringLiteral("Eraser"));
  grid->addWidget(eraser, 3, 0, 1, 3);
  QObject::connect(eraser, &QPushButton::clicked, &dialog, [&] {
    answer = {true, kTileMenuEraser};
    dialog.done(1);
  });
  if (!fromMouse) {
    auto* entry = new QLineEdit;
    entry->setMaxLength(1);
    entry->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[1-9]")), entry));
    grid->addWidget(entry, 4, 0, 1, 3);
    QObject::connect(entry, &QLineEdit::textEdited, &dialog, [&](const QString& text) {
      if (text.size() != 1) return;
      answer = {true, text.at(0).digitValue() - 1};
      dialog.done(1);
    });
    entry->setFocus();
  }
  (void)row;
  (void)column;
  dialog.move(memory.x, memory.y);
  dialog.exec();
  memory = {dialog.x(), dialog.y()};
  return answer;
}

OptionsAnswer PlainGameDialogs::Options(PlayerSettings& settings) {
  QDialog dialog(owner_);
  dialog.setWindowTitle(QStringLiteral("Options"));
  auto* form = new QFormLayout(&dialog);
  auto* left = new QComboBox;
  auto* right = new QComboBox;
  for (const char* n : kActionNames) {
    left->addItem(n);
    right->addItem(n);
  }
  left->setCurrentIndex(std::clamp(settings.actionMouseButtonLeft, 0, 4));
  right->setCurrentIndex(std::clamp(settings.actionMouseButtonRight, 0, 4));
  form->addRow(QStringLiteral("Left mouse button"), left);
  form->addRow(QStringLiteral("Right mouse button"), right);
  struct Flag {
    const char* label;
    bool* value;
  };
  const Flag flags[] = {{"Clock", &settings.statClock},         {"Difficulty", &settings.statGameDifficulty},
                        {"Game Type", &settings.statGameType},  {"Hints", &settings.statHints},
                        {"Mistakes", &settings.statMistakes},   {"Free Plays", &settings.statMulligans},
                        {"Tiles Left", &settings.statTilesFound}, {"Ignore Mistakes", &settings.ignoreMistakes}};
  std::vector<QCheckBox*> boxes;
  for (const Flag& flag : flags) {
    auto* box = new QCheckBox(QString::fromLatin1(flag.label));
    box->setChecked(*flag.value);
    form->addRow(QString(), box);
    boxes.push_back(box);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  auto* tutorial = buttons->addButton(QStringLiteral("View Tutorial"), QDialogButtonBox::ActionRole);
  form->addRow(buttons);
  OptionsAnswer answer = OptionsAnswer::kCancel;
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
    settings.actionMouseButtonLeft = left->currentIndex();
    settings.actionMouseButtonRight = right->currentIndex();
    for (size_t i = 0; i < boxes.size(); ++i) *flags[i].value = boxes[i]->isChecked();
    answer = OptionsAnswer::kOk;
    dialog.done(1);
  });
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, [&] { dialog.done(0); });
  QObject::connect(tutorial, &QPushButton::clicked, &dialog, [&] {
    answer = OptionsAnswer::kViewTutorial;
    dialog.done(0);
  });
  dialog.exec();
  return answer;
}

void PlainGameDialogs::Intro(bool tutorialOnly, PlayerSettings&) {
  const QString text =
      tutorialOnly
          ? QStringLiteral("Fill every row, column and 3 x 3 block with the digits 1 to 9, each once.\n\n"
                           "Pick a digit in the tray on the right, then click a tile to play it. "
                           "The right mouse button notes candidates.")
          : QStringLiteral("Welcome to Velmora Sudoku!\n\nFill every row, column and 3 x 3 block with the digits "
                           "1 to 9, each once. Every puzzle can be solved by logic alone.");
  QMessageBox::information(owner_, QStringLiteral("Velmora Sudoku"), text);
}

void PlainGameDialogs::Results(const PuzzleResults& results) {
  QString text = QStringLiteral("Puzzle %1 solved!\n%2\n\nTime: %3\nHints: %4\nMistakes: %5\nFree Plays: %6\n")
                     .arg(Qt8(results.puzzleCode), Qt8(results.kind),
                          Qt8(FormatTime(results.gameTime, TimeStyle::ShortClockTenths)))
                     .arg(results.hints)
                     .arg(results.mistakes)
                     .arg(results.freePlays);
  text += QStringLiteral("Best: %1   Average: %2\n")
              .arg(Qt8(FormatTime(int64_t{results.bestTime} * 100, TimeStyle::ShortClockTenths)),
                   Qt8(FormatTime(int64_t{results.averageTime} * 100, TimeStyle::ShortClockTenths)));
  if (results.perfect) text += QStringLiteral("\nA perfect game!");
  if (results.newBest) text += QStringLiteral("\nA new best time!");
  QMessageBox::information(owner_, QStringLiteral("Puzzle Results"), text);
}

}  // namespace velmora
