// Choose Player and Create New Player: names, the list and its buttons,
// removing and adding players, and the ways out.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTimer>

#include "dialog_rig.h"
#include "player_dialogs.h"
#include "player_roster.h"

namespace velmora::testing {
namespace {

TEST(CreatePlayerName, CleaningKeepsLettersDigitsAndInnerBlanks) {
  struct Case {
    const char* typed;
    bool trimEnd;
    const char* cleaned;
    bool valid, changed;
  };
  const Case cases[] = {{"  Bob ", false, "Bob ", true, true},
                        {"  Bob ", true, "Bob", true, true},
                        {"Bob", true, "Bob", true, false},
                        {"a-b!c", false, "abc", true, true},
                        {"Mary Ann", true, "Mary Ann", true, false},
                        {"   ", false, "", false, true},
                        {"", false, "", false, false},
                        {"abcdefghijkl", false, "abcdefghij", true, true},
                        {"-+", true, "", false, true}};
  for (const Case& c : cases) {
    std::string text = c.typed;
    bool changed = false;
    EXPECT_EQ(CreatePlayerDialog::CleanName(text, c.trimEnd, changed), c.valid) << c.typed;
    EXPECT_EQ(text, c.cleaned) << c.typed;
    EXPECT_EQ(changed, c.changed) << c.typed;
  }
}

TEST(CreatePlayer, DoneShowsOnlyForAValidNameAndStoresItTrimmed) {
  DialogRig rig;
  std::string name = "old";
  CreatePlayerDialog dialog(name, &rig.art, rig.reporter, &rig.owner);
  ASSERT_TRUE(Open(dialog));
  EXPECT_EQ(dialog.size(), QSize(238, 176));
  EXPECT_EQ(dialog.NameBox()->geometry(), QRect(40, 50, 160, 24));
  EXPECT_EQ(dialog.NameBox()->maxLength(), 10);
  EXPECT_FALSE(dialog.Control(CreatePlayerDialog::kDone)->isVisible());
  EXPECT_EQ(dialog.Control(CreatePlayerDialog::kCancel)->geometry(), QRect(69, 140, 100, 28));
  EXPECT_TRUE(rig.ShowsFace(dialog, CreatePlayerDialog::kCancel, 296));
  QTest::keyClicks(dialog.NameBox(), "  Bob ");
  EXPECT_EQ(dialog.NameBox()->text(), QStringLiteral("Bob "));
  EXPECT_TRUE(name.empty());
  EXPECT_EQ(dialog.Control(CreatePlayerDialog::kDone)->geometry(), QRect(130, 140, 100, 28));
  EXPECT_EQ(dialog.Control(CreatePlayerDialog::kCancel)->pos(), QPoint(10, 140));
  EXPECT_TRUE(rig.ShowsFace(dialog, CreatePlayerDialog::kDone, 298));
  QTest::keyClick(dialog.NameBox(), Qt::Key_Return);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_FALSE(dialog.Cancelled());
  EXPECT_EQ(name, "Bob");
}

TEST(CreatePlayer, EscapeAndCancelCancel) {
  DialogRig rig;
  for (int way = 0; way < 3; ++way) {
    std::string name;
    CreatePlayerDialog dialog(name, &rig.art, rig.reporter, &rig.owner);
    ASSERT_TRUE(Open(dialog));
    QTest::keyClicks(dialog.NameBox(), "Ann");
    if (way == 0) QTest::keyClick(&dialog, Qt::Key_Escape);
    if (way == 1) QTest::mouseClick(dialog.Control(CreatePlayerDialog::kCancel), Qt::LeftButton);
    if (way == 2) dialog.close();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(dialog.Cancelled());
    EXPECT_TRUE(name.empty());
  }
}

class ChoosePlayerTest : public ::testing::Test {
 protected:
  ChoosePlayerTest() {
    QDir().mkpath(folder.path() + "/data/users");
    QDir().mkpath(folder.path() + "/data/seeds");
    roster.LoadGameDataFrom(folder.path().toStdString(), nullptr);
  }
  void AddPlayers(std::initializer_list<const char*> names) {
    for (const char* name : names) ASSERT_TRUE(roster.AddPlayer(name));
  }
  std::unique_ptr<ChoosePlayerDialog> Make() {
    return std::make_unique<ChoosePlayerDialog>(roster, cancels, &rig.art, rig.reporter, &rig.owner);
  }
  std::vector<std::string> RosterNames() const {
    std::vector<std::string> names;
    for (int i = 0; i < roster.PlayerCount(); ++i) names.push_back(roster.Player(i)->GetName());
    return names;
  }
  // Runs the dialog, clicking Create New Player and giving it `name`.
  std::unique_ptr<ChoosePlayerDialog> RunCreating(const std::string& name) {
    auto dialog = Make();
    dialog->askName = [name](std::string& given) {
      given = name;
      return true;
    };
    ChoosePlayerDialog* shown = dialog.get();
    QTimer::singleShot(0, shown,
                       [shown] { QTest::mouseClick(shown->Control(ChoosePlayerDialog::kCreate), Qt::LeftButton); });
    dialog->Run();
    return dialog;
  }
  static QStringList ListNames(ChoosePlayerDialog& dialog) {
    QStringList names;
    for (int row = 0; row < dialog.List()->count(); ++row) names << dialog.List()->item(row)->text();
    return names;
  }

  DialogRig rig;
  QTemporaryDir folder;
  SilentSystemBox systemBox;
  PlayerRoster roster{systemBox, [](std::chrono::milliseconds) {}};
  int cancels = 0;
};

TEST_F(ChoosePlayerTest, ListsThePlayersSortedWithTheButtonsInPlace) {
  AddPlayers({"Zoe", "amy", "Bob"});
  auto dialog = Make();
  ASSERT_TRUE(Open(*dialog));
  EXPECT_EQ(dialog->size(), QSize(188, 356));
  EXPECT_EQ(ListNames(*dialog), (QStringList{"amy", "Bob", "Zoe"}));
  EXPECT_EQ(dialog->List()->geometry(), QRect(20, 10, 150, 190));
  EXPECT_EQ(dialog->Control(ChoosePlayerDialog::kPlay)->geometry(), QRect(20, 210, 150, 70));
  EXPECT_EQ(dialog->Control(ChoosePlayerDialog::kCreate)->geometry(), QRect(20, 290, 150, 28));
  EXPECT_EQ(dialog->Control(ChoosePlayerDialog::kRemove)->geometry(), QRect(20, 320, 150, 28));
  EXPECT_TRUE(rig.ShowsFace(*dialog, ChoosePlayerDialog::kPlay, 292));
  EXPECT_TRUE(rig.ShowsFace(*dialog, ChoosePlayerDialog::kCreate, 290));
  EXPECT_TRUE(rig.ShowsFace(*dialog, ChoosePlayerDialog::kRemove, 294));
  // The first row is chosen, and choosing a row makes that player current.
  EXPECT_EQ(roster.CurrentPlayer(), 1);
  dialog->List()->setCurrentRow(2);
  EXPECT_EQ(roster.CurrentPlayer(), 0);
}

TEST_F(ChoosePlayerTest, PlayAndEnterPlayAsTheChosenPlayer) {
  AddPlayers({"Zoe", "amy"});
  for (int way = 0; way < 2; ++way) {
    auto dialog = Make();
    QTimer::singleShot(0, dialog.get(), [&] {
      dialog->List()->setCurrentRow(1);
      if (way == 0) QTest::mouseClick(dialog->Control(ChoosePlayerDialog::kPlay), Qt::LeftButton);
      if (way == 1) QTest::keyClick(dialog.get(), Qt::Key_Return);
    });
    dialog->Run();
    EXPECT_FALSE(dialog->ExitProgram());
    EXPECT_FALSE(dialog->Reopen());
    EXPECT_FALSE(dialog->PlayerCreated());
    EXPECT_EQ(roster.CurrentPlayer(), 0);
  }
}

TEST_F(ChoosePlayerTest, RemovingAsksAndRemovesThatPlayerWhateverTheOrder) {
  AddPlayers({"Zoe", "amy", "Bob"});
  auto dialog = Make();
  ASSERT_TRUE(Open(*dialog));
  dialog->List()->setCurrentRow(2);  // Zoe, the first in the roster
  rig.answer = false;
  QTest::mouseClick(dialog->Control(ChoosePlayerDialog::kRemove), Qt::LeftButton);
  ASSERT_EQ(rig.messages.size(), 1u);
  EXPECT_EQ(rig.messages[0].text, "Remove Zoe?");
  EXPECT_EQ(rig.messages[0].owner, dialog.get());
  EXPECT_TRUE(rig.messages[0].question);
  EXPECT_EQ(roster.PlayerCount(), 3);
  rig.answer = true;
  QTest::mouseClick(dialog->Control(ChoosePlayerDialog::kRemove), Qt::LeftButton);
  EXPECT_EQ(RosterNames(), (std::vector<std::string>{"amy", "Bob"}));
  EXPECT_EQ(ListNames(*dialog), (QStringList{"amy", "Bob"}));
  EXPECT_FALSE(QFile::exists(folder.path() + "/data/users/Zoe.user"));
  EXPECT_EQ(dialog->List()->currentRow(), 0);
  EXPECT_EQ(roster.CurrentPlayer(), 0);
}

// Opened during Ann's game, the dialog keeps Ann (and her file) whatever is
// answered, and still removes anybody else.
TEST_F(ChoosePlayerTest, ThePlayerWhoIsPlayingIsNotRemoved) {
  AddPlayers({"Ann", "Bob"});
  auto dialog = Make();
  dialog->SetCancellable("Ann");
  ASSERT_TRUE(Open(*dialog));
  rig.answer = true;
  for (const int row : {0, 1}) {
    dialog->List()->setCurrentRow(row);
    QTest::mouseClick(dialog->Control(ChoosePlayerDialog::kRemove), Qt::LeftButton);
  }
  EXPECT_EQ(rig.messages[0].text,
            "Ann is playing the game in progress and cannot be removed now.  Choose another player first.");
  EXPECT_EQ(RosterNames(), std::vector<std::string>{"Ann"});
}

TEST_F(ChoosePlayerTest, RemovingTheLastPlayerLeavesCreateNewPlayerAlone) {
  AddPlayers({"Bob"});
  auto dialog = Make();
  ASSERT_TRUE(Open(*dialog));
  QTest::mouseClick(dialog->Control(ChoosePlayerDialog::kRemove), Qt::LeftButton);
  EXPECT_EQ(roster.PlayerCount(), 0);
  EXPECT_FALSE(dialog->Control(ChoosePlayerDialog::kPlay)->isVisible());
  EXPECT_FALSE(dialog->Control(ChoosePlayerDialog::kRemove)->isVisible());
  EXPECT_TRUE(dialog->Control(ChoosePlayerDialog::kCreate)->isVisible());
  EXPECT_EQ(dialog->Control(ChoosePlayerDialog::kCreate)->geometry(), QRect(20, 210, 150, 28));
  EXPECT_TRUE(rig.ShowsFace(*dialog, ChoosePlayerDialog::kCreate, 290));
}

TEST_F(ChoosePlayerTest, WithNoPlayersItAsksForANameUntilGivenOneOrTheGameEnds) {
  std::vector<std::string> answers{"", "", "", "Tess"};
  size_t asked = 0;
  auto dialog = Make();
  dialog->askName = [&](std::string& name) {
    name = answers[asked++];
    return !name.empty();
  };
  rig.answer = false;  // No to "Exit now?"
  dialog->Run();
  ASSERT_EQ(asked, 4u);
  // First the reminder, then "Exit now?"; its No starts the count again.
  ASSERT_EQ(rig.messages.size(), 3u);
  EXPECT_EQ(rig.messages[0].text, "Please enter a name for your player.");
  EXPECT_EQ(rig.messages[1].text, "Exit now?");
  EXPECT_TRUE(rig.messages[1].question);
  EXPECT_EQ(rig.messages[2].text, "Please enter a name for your player.");
  // Choose Player never showed, so the messages show over the game window.
  EXPECT_EQ(rig.messages[0].owner, &rig.owner);
  EXPECT_EQ(cancels, 1);
  // The cancels before the name do not send the new player back to Choose Player.
  EXPECT_TRUE(dialog->PlayerCreated());
  EXPECT_FALSE(dialog->Reopen());
  EXPECT_FALSE(dialog->ExitProgram());
  EXPECT_EQ(RosterNames(), (std::vector<std::string>{"Tess"}));
  EXPECT_EQ(roster.CurrentPlayer(), 0);
  EXPECT_TRUE(QFile::exists(folder.path() + "/data/users/Tess.user"));
  // A later cancellation with the count still standing asks at once; Yes ends the game.
  roster.RemovePlayer(0);
  auto again = Make();
  again->askName = [](std::string&) { return false; };
  rig.messages.clear();
  rig.answer = true;
  again->Run();
  ASSERT_EQ(rig.messages.size(), 1u);
  EXPECT_EQ(rig.messages[0].text, "Exit now?");
  EXPECT_TRUE(again->ExitProgram());
}

TEST_F(ChoosePlayerTest, ANameInUseInAnyCaseIsRefusedAndTheDialogReopens) {
  AddPlayers({"Bob"});
  auto dialog = RunCreating("bob");
  ASSERT_EQ(rig.messages.size(), 1u);
  EXPECT_EQ(rig.messages[0].text, "This player name is in use.  Please try another.");
  EXPECT_TRUE(dialog->Reopen());
  EXPECT_FALSE(dialog->PlayerCreated());
  EXPECT_EQ(roster.PlayerCount(), 1);

  // A file of that name that could not be read is no player, yet it is kept
  // and the player is told which file stands in the way.
  const QString cid = folder.path() + "/data/users/Cid.user";
  QFile damaged(cid);
  ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
  damaged.write("gameActive = maybe;\n");
  damaged.close();
  roster.LoadGameDataFrom(folder.path().toStdString(), nullptr);
  ASSERT_EQ(RosterNames(), std::vector<std::string>{"Bob"});
  rig.messages.clear();
  auto second = RunCreating("Cid");
  ASSERT_EQ(rig.messages.size(), 1u);
  EXPECT_EQ(rig.messages[0].text,
            "This player's file exists but could not be read:\n" + cid.toStdString() + "\nPlease try another name.");
  EXPECT_TRUE(second->Reopen());
  EXPECT_FALSE(second->PlayerCreated());
  EXPECT_EQ(RosterNames(), std::vector<std::string>{"Bob"});
  ASSERT_TRUE(damaged.open(QIODevice::ReadOnly));
  EXPECT_EQ(damaged.readAll(), QByteArray("gameActive = maybe;\n"));
}

TEST_F(ChoosePlayerTest, EscapeOnlyRemindsAndClosingAsksToExit) {
  AddPlayers({"Bob"});
  auto dialog = Make();
  ASSERT_TRUE(Open(*dialog));
  QTest::keyClick(dialog.get(), Qt::Key_Escape);
  EXPECT_TRUE(dialog->isVisible());
  ASSERT_EQ(rig.messages.size(), 1u);
  EXPECT_EQ(rig.messages[0].text, "Please select a Player.");
  rig.answer = false;
  dialog->close();
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(rig.messages.back().text, "Exit now?");
  EXPECT_EQ(rig.messages.size(), 2u);
  rig.answer = true;
  dialog->close();
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_TRUE(dialog->ExitProgram());
}

// Opened to change the player during a game, the dialog can be left: Escape
// and the close box leave it at once, with no reminder and no exit question.
TEST_F(ChoosePlayerTest, ToChangeThePlayerEscapeOrClosingLeavesIt) {
  AddPlayers({"Bob", "Ann"});
  for (int way = 0; way < 2; ++way) {
    auto dialog = Make();
    dialog->SetCancellable();
    ASSERT_TRUE(Open(*dialog));
    if (way == 0) QTest::keyClick(dialog.get(), Qt::Key_Escape);
    if (way == 1) dialog->close();
    EXPECT_FALSE(dialog->isVisible()) << way;
    EXPECT_TRUE(dialog->Cancelled()) << way;
    EXPECT_FALSE(dialog->ExitProgram()) << way;
    EXPECT_TRUE(rig.messages.empty()) << way;
  }
}

}  // namespace
}  // namespace velmora::testing
