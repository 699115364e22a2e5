// The window size kept in the desktop user's settings file: the file's
// reading and writing, the scale factor the program starts with, and the
// window menu's View > Window Size in a real game window. What the sizes look
// like on the screen is measured under a window manager
// (tests/e2e/window_size_test.sh).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>
#include <optional>
#include <string>

#include "app_texts.h"
#include "playing_window_test.h"
#include "window_size.h"

namespace velmora {
namespace {

std::string ReadAll(const std::string& path) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) return "(unreadable)";
  return file.readAll().toStdString();
}

void WriteAll(const std::string& path, const std::string& text) {
  QFile file(QString::fromStdString(path));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(text.data(), static_cast<qint64>(text.size()));
}

// An environment variable set for one test, and put back as it was.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value)
      ::setenv(name, value, 1);
    else
      ::unsetenv(name);
  }
  ~ScopedVariable() {
    if (old_)
      ::setenv(name_, old_->c_str(), 1);
    else
      ::unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(WindowSizeSettings, TheFileIsFoundAsTheBaseDirectorySpecificationSays) {
  {
    ScopedVariable config("XDG_CONFIG_HOME", "/srv/conf");
    ScopedVariable home("HOME", "/home/ada");
    EXPECT_EQ(UserSettingsPath(), "/srv/conf/velmora-sudoku/velmora-sudoku.conf");
  }
  {
    // A relative or empty XDG_CONFIG_HOME is ignored.
    ScopedVariable config("XDG_CONFIG_HOME", "conf");
    ScopedVariable home("HOME", "/home/ada");
    EXPECT_EQ(UserSettingsPath(), "/home/ada/.config/velmora-sudoku/velmora-sudoku.conf");
  }
  {
    ScopedVariable config("XDG_CONFIG_HOME", nullptr);
    ScopedVariable home("HOME", nullptr);
    EXPECT_EQ(UserSettingsPath(), "");
  }
}

TEST(WindowSizeSettings, ValuesAreReadFromTheirSectionAndChangedInPlace) {
  // Spaces and CR LF line ends are allowed; comments and other sections are not read.
  EXPECT_EQ(SettingValue("[window]\r\n size = 150 \r\n", "window", "size"), "150");
  EXPECT_EQ(SettingValue("size=150\n[other]\nsize=200\n", "window", "size"), "");
  EXPECT_EQ(SettingValue("[window]\n# size=200\n; size=200\n", "window", "size"), "");
  EXPECT_EQ(SettingValue("[window]\nsize=150\n[other]\n[window]\nsize=200\n", "window", "size"), "200");

  // A new file, and a file without the section.
  EXPECT_EQ(WithSetting("", "window", "size", "150"), "[window]\nsize=150\n");
  EXPECT_EQ(WithSetting("[other]\nkey=1", "window", "size", "150"), "[other]\nkey=1\n\n[window]\nsize=150\n");
  // The key's line is changed where it stands; everything else stays.
  EXPECT_EQ(WithSetting("# mine\n[window]\nsize = 200\nother=x\n[next]\nsize=9\n", "window", "size", "150"),
            "# mine\n[window]\nsize=150\nother=x\n[next]\nsize=9\n");
  // A section without the key gets it after its last line.
  EXPECT_EQ(WithSetting("[window]\nother=x\n\n[next]\nk=v\n", "window", "size", "200"),
            "[window]\nother=x\nsize=200\n\n[next]\nk=v\n");
}

TEST(WindowSizeSettings, OnlyASmallRegularFileWithAnOfferedSizeIsTaken) {
  QTemporaryDir folder;
  const std::string path = folder.path().toStdString() + "/velmora-sudoku.conf";
  EXPECT_EQ(ReadWindowSize(path), 100) << "no file";
  EXPECT_EQ(ReadWindowSize(""), 100) << "no home";
  WriteAll(path, "[window]\nsize=150\n");
  EXPECT_EQ(ReadWindowSize(path), 150);
  WriteAll(path, "[window]\nsize=200\n");
  EXPECT_EQ(ReadWindowSize(path), 200);
  WriteAll(path, "[window]\nsize=175\n");
  EXPECT_EQ(ReadWindowSize(path), 100) << "a size not offered";
  WriteAll(path, "[window]\nsize=1500\n");
  EXPECT_EQ(ReadWindowSize(path), 100);
  // 4096 bytes are read; one more and the file is not one of ours.
  const std::string setting = "[window]\nsize=200\n";
  WriteAll(path, setting + "#" + std::string(4096 - setting.size() - 2, 'x') + "\n");
  EXPECT_EQ(ReadWindowSize(path), 200);
  WriteAll(path, setting + "#" + std::string(4096 - setting.size() - 1, 'x') + "\n");
  EXPECT_EQ(ReadWindowSize(path), 100);

  // Neither a named pipe (whose opening would wait for a writer), nor a link
  // to an endless device, nor a folder is read: each gives the normal size at once.
  const std::string fifo = folder.path().toStdString() + "/fifo.conf";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(ReadWindowSize(fifo), 100);
  const std::string zero = folder.path().toStdString() + "/zero.conf";
  ASSERT_EQ(::symlink("/dev/zero", zero.c_str()), 0);
  EXPECT_EQ(ReadWindowSize(zero), 100);
  EXPECT_EQ(ReadWindowSize(folder.path().toStdString()), 100);
}

TEST(WindowSizeSettings, AStoredSizeReplacesTheFileWholeAndKeepsItsOtherLines) {
  QTemporaryDir config;
  // Neither the base folder nor the program's folder exists yet.
  const std::string base = config.path().toStdString() + "/config";
  const std::string path = base + "/velmora-sudoku/velmora-sudoku.conf";
  ASSERT_TRUE(StoreWindowSize(path, 150));
  EXPECT_EQ(ReadAll(path), "[window]\nsize=150\n");
  struct stat info {};
  ASSERT_EQ(::stat(base.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u) << "the base folder is the user's alone";

  WriteAll(path, "# the player's note\n[window]\nsize=150\n[other]\nkey=1\n");
  ASSERT_TRUE(StoreWindowSize(path, 200));
  EXPECT_EQ(ReadAll(path), "# the player's note\n[window]\nsize=200\n[other]\nkey=1\n");
  // The choice of the window system goes beside the size.
  EXPECT_FALSE(ReadDesktopWindowSystem(path));
  ASSERT_TRUE(StoreDesktopWindowSystem(path, true) && ReadDesktopWindowSystem(path));
  EXPECT_EQ(ReadAll(path), "# the player's note\n[window]\nsize=200\nsystem=desktop\n[other]\nkey=1\n");
  EXPECT_FALSE(StoreDesktopWindowSystem(path, false) && ReadDesktopWindowSystem(path));
  WriteAll(path, "# the player's note\n[window]\nsize=200\n[other]\nkey=1\n");
  EXPECT_EQ(QDir(QString::fromStdString(base + "/velmora-sudoku")).entryList(QDir::Files | QDir::Hidden),
            QStringList({"velmora-sudoku.conf"}))
      << "no temporary file is left beside it";

  // A named pipe in the file's place is left alone, and nothing waits for it.
  ASSERT_EQ(::unlink(path.c_str()), 0);
  ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
  EXPECT_FALSE(StoreWindowSize(path, 150));
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

TEST(WindowSizeSettings, TheSizeMultipliesTheDesktopsOwnScaleFactor) {
  EXPECT_EQ(ScaleFactorFor(nullptr, 150), "1.5");
  EXPECT_EQ(ScaleFactorFor(nullptr, 200), "2");
  EXPECT_EQ(ScaleFactorFor("2", 150), "3");
  EXPECT_EQ(ScaleFactorFor("1.25", 200), "2.5");
  EXPECT_EQ(ScaleFactorFor(" 1.25 ", 150), "1.875");
  // Values Qt does not take count as 1, as Qt counts them.
  EXPECT_EQ(ScaleFactorFor("big", 200), "2");
  EXPECT_EQ(ScaleFactorFor("0", 150), "1.5");
  EXPECT_EQ(ScaleFactorFor("-2", 150), "1.5");
}

// The menu's View > Window Size in a game in play: the size is stored at
// once, and starting again is offered only for a size other than the one shown.
class WindowSizeMenuTest : public testing::PlayingWindowTest {
 protected:
  // The entries of View > Window Size as the menu stands now.
  std::vector<WindowMenuEntry> SizeEntries() {
    for (const WindowMenuEntry& entry : Window().WindowMenu()) {
      if (std::string(entry.label) != texts::kViewMenuItem) continue;
      EXPECT_TRUE(entry.enabled);
      EXPECT_EQ(entry.submenu.size(), 8u) << "Window Size, a line, the three viewing aids, a line, the two comforts";
      if (entry.submenu.empty()) return {};
      EXPECT_EQ(std::string(entry.submenu[0].label), texts::kWindowSizeMenuItem);
      EXPECT_TRUE(entry.submenu[0].enabled);
      return entry.submenu[0].submenu;
    }
    ADD_FAILURE() << "no View menu";
    return {};
  }
  std::vector<bool> Checks() {
    std::vector<bool> checks;
    for (const WindowMenuEntry& entry : SizeEntries()) checks.push_back(entry.checked > 0);
    return checks;
  }
};

TEST_F(WindowSizeMenuTest, AChosenSizeIsStoredAndStartingAgainSavesTheGameFirst) {
  QTemporaryDir config;
  const std::string path = config.path().toStdString() + "/velmora-sudoku/velmora-sudoku.conf";
  Window().SetWindowSize(path, 100);
  std::vector<WindowMenuEntry> sizes = SizeEntries();
  ASSERT_EQ(sizes.size(), 3u);
  EXPECT_EQ(std::string(sizes[0].label), "&100 %");
  EXPECT_EQ(std::string(sizes[1].label), "1&50 %");
  EXPECT_EQ(std::string(sizes[2].label), "&200 %");
  EXPECT_EQ(Checks(), std::vector<bool>({true, false, false}));

  // Where the size cannot be stored (a plain file in its folder's place), the
  // player is told so, and nothing is asked or changed.
  WriteAll(config.path().toStdString() + "/velmora-sudoku", "not a folder");
  rig->boxes.shown.clear();
  sizes[1].action();
  ASSERT_EQ(rig->boxes.shown.size(), 1u);
  EXPECT_EQ(rig->boxes.shown[0].text, std::string(texts::kWindowSizeNotStored) + path);
  EXPECT_EQ(rig->boxes.shown[0].buttons, MessageButtons::Ok);
  EXPECT_EQ(Checks(), std::vector<bool>({true, false, false}));
  ASSERT_TRUE(QFile::remove(config.path() + "/velmora-sudoku"));

  // 150 %, and not now: stored, asked once, and the game goes on.
  rig->boxes.shown.clear();
  rig->boxes.answer = kResultNo;
  sizes[1].action();
  EXPECT_EQ(ReadAll(path), "[window]\nsize=150\n");
  ASSERT_EQ(rig->boxes.shown.size(), 1u);
  EXPECT_EQ(rig->boxes.shown[0].text, texts::kWindowSizeRestart);
  EXPECT_EQ(rig->boxes.shown[0].buttons, MessageButtons::YesNo);
  EXPECT_FALSE(Window().RestartRequested());
  EXPECT_TRUE(Window().isVisible());
  EXPECT_EQ(Checks(), std::vector<bool>({false, true, false}));

  // Back to the size shown now: stored, and nothing to ask.
  rig->boxes.shown.clear();
  SizeEntries()[0].action();
  EXPECT_EQ(ReadAll(path), "[window]\nsize=100\n");
  EXPECT_TRUE(rig->boxes.shown.empty());

  // 200 %, and now: the game is saved as leaving saves, and the window closes.
  const std::string userFile = rig->Folder().toStdString() + "/data/users/Tess.user";
  ASSERT_NE(ReadAll(userFile).find("gameActive = false;"), std::string::npos) << ReadAll(userFile);
  rig->boxes.answer = kResultYes;
  SizeEntries()[2].action();
  EXPECT_EQ(ReadAll(path), "[window]\nsize=200\n");
  EXPECT_NE(ReadAll(userFile).find("gameActive = true;"), std::string::npos) << "the game in play was not saved";
  EXPECT_TRUE(Window().RestartRequested());
  EXPECT_FALSE(Window().isVisible());
}

}  // namespace
}  // namespace velmora
