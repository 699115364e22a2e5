#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <csignal>
#include <filesystem>
#include <optional>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "instance_lock.h"
#include "key_router.h"
#include "window_system.h"
#include "window_timers.h"

namespace velmora {
namespace {

TEST(WindowTimers, RepeatUntilKilledAndRestartReplaces) {
  std::vector<int> fired;
  QtWindowTimers timers([&](int id) { fired.push_back(id); });
  EXPECT_NE(timers.Start(3, 20), 0u);
  ASSERT_TRUE(QTest::qWaitFor([&] { return fired.size() >= 3; }, 30000));
  const size_t firstRun = fired.size();
  for (int id : fired) EXPECT_EQ(id, 3);

  EXPECT_TRUE(timers.Kill(3));
  EXPECT_FALSE(timers.Kill(3));
  QTest::qWait(60);
  EXPECT_EQ(fired.size(), firstRun);

  timers.Start(5, 20);
  timers.Start(5, 5000);  // the same id again: the new period replaces the old
  QTest::qWait(100);
  EXPECT_EQ(fired.size(), firstRun);
  EXPECT_TRUE(timers.IsRunning(5));
}

TEST(WindowTimers, HandlerMayStopItsOwnTimer) {
  int count = 0;
  QtWindowTimers* self = nullptr;
  QtWindowTimers timers([&](int id) {
    ++count;
    self->Kill(id);
    self->Start(2, 5000);
  });
  self = &timers;
  timers.Start(1, 10);
  ASSERT_TRUE(QTest::qWaitFor([&] { return count > 0; }, 30000));
  QTest::qWait(80);
  EXPECT_EQ(count, 1);
  EXPECT_FALSE(timers.IsRunning(1));
  EXPECT_TRUE(timers.IsRunning(2));
}

// A precise timer never fires early: three expiries of 10 ms take 30 ms at least.
TEST(WindowTimers, ZeroPeriodRunsAtTheMinimum) {
  int count = 0;
  QtWindowTimers timers([&](int) { ++count; });
  QElapsedTimer clock;
  clock.start();
  timers.Start(6, 0);
  ASSERT_TRUE(QTest::qWaitFor([&] { return count >= 3; }, 30000));
  EXPECT_GE(clock.elapsed(), 30);
}

class KeyRoutingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    game.resize(200, 100);
    edit = new QLineEdit(&game);
    game.show();
    other.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&game));
    edit->setFocus();
    router.Register(&game, [this](const KeyPress& key) {
      keys.push_back(key.virtualKey);
      controls.push_back(key.control);
    });
  }

  QWidget game;
  QWidget other;
  QLineEdit* edit = nullptr;
  KeyRouter router;
  std::vector<int> keys;
  std::vector<bool> controls;
};

TEST_F(KeyRoutingTest, KeysOfTheWindowReachTheHandlerOnceAndStopThere) {
  QTest::keyClick(game.windowHandle(), Qt::Key_A);
  QTest::keyClick(game.windowHandle(), Qt::Key_F2);
  QTest::keyClick(game.windowHandle(), Qt::Key_5, Qt::ControlModifier);
  // The Control key is a key press of its own, as on every desktop.
  ASSERT_EQ(keys.size(), 4u);
  EXPECT_EQ(keys[0], 65);
  EXPECT_EQ(keys[1], 113);
  EXPECT_EQ(keys[2], 17);
  EXPECT_EQ(keys[3], 53);
  EXPECT_FALSE(controls[0]);
  EXPECT_TRUE(controls[3]);
  EXPECT_TRUE(edit->text().isEmpty()) << "the focused child never saw the key";
}

TEST_F(KeyRoutingTest, OtherWindowsAndAltCombinationsPassBy) {
  QTest::keyClick(other.windowHandle(), Qt::Key_F2);
  QTest::keyClick(game.windowHandle(), Qt::Key_X, Qt::AltModifier);
  EXPECT_TRUE(keys.empty());
  router.Unregister();
  QTest::keyClick(game.windowHandle(), Qt::Key_B);
  EXPECT_TRUE(keys.empty());
  EXPECT_EQ(edit->text(), "xb") << "Alt+X and, once unregistered, B reach the focused child";
}

TEST(VirtualKeys, MainKeysKeypadAndFunctionKeys) {
  auto code = [](int key, Qt::KeyboardModifiers modifiers) {
    return VirtualKeyOf(QKeyEvent(QEvent::KeyPress, key, modifiers));
  };
  const struct {
    int key;
    Qt::KeyboardModifiers modifiers;
    int code;
  } cases[] = {{Qt::Key_1, {}, 49},
               {Qt::Key_9, {}, 57},
               {Qt::Key_4, Qt::KeypadModifier, 100},
               {Qt::Key_7, Qt::KeypadModifier, 103},
               {Qt::Key_Left, Qt::KeypadModifier, 37},
               {Qt::Key_Enter, Qt::KeypadModifier, 13},
               {Qt::Key_Return, {}, 13},
               {Qt::Key_Space, {}, 32},
               {Qt::Key_Delete, {}, 46},
               {Qt::Key_Backspace, {}, 8},
               {Qt::Key_Home, {}, 36},
               {Qt::Key_End, {}, 35},
               {Qt::Key_PageUp, {}, 33},
               {Qt::Key_F1, {}, 112},
               {Qt::Key_F12, {}, 123},
               {Qt::Key_Down, {}, 40},
               {Qt::Key_Control, {}, 17},
               {Qt::Key_Menu, {}, 93},
               {Qt::Key_CapsLock, {}, 0}};
  for (const auto& test : cases) EXPECT_EQ(code(test.key, test.modifiers), test.code) << "Qt key " << test.key;
}

// P and the Pause key pause the game: the Pause key has a code of its own,
// and a letter is the same key with Shift or Control.
TEST(VirtualKeys, PauseAndTheLetterP) {
  EXPECT_EQ(VirtualKeyOf(QKeyEvent(QEvent::KeyPress, Qt::Key_Pause, {})), 19);
  EXPECT_EQ(VirtualKeyOf(QKeyEvent(QEvent::KeyPress, Qt::Key_P, {})), 80);
  EXPECT_EQ(VirtualKeyOf(QKeyEvent(QEvent::KeyPress, Qt::Key_P, Qt::ShiftModifier)), 80);
  EXPECT_EQ(VirtualKeyOf(QKeyEvent(QEvent::KeyPress, Qt::Key_P, Qt::ControlModifier)), 80);
}

// One holder per folder; a program the holder starts (a browser for the help
// page) does not inherit the lock, so it is free again once the holder lets go.
TEST(InstanceLockTest, OneHolderPerFolderAndNoneInherited) {
  QTemporaryDir dir;
  const std::string folder = dir.path().toStdString();
  InstanceLock first, second;
  ASSERT_EQ(first.Acquire(folder), InstanceLock::Result::kHeld);
  EXPECT_EQ(second.Acquire(folder), InstanceLock::Result::kRunning);

  // The pipe's write end closes when the child has become the new program.
  int started[2];
  ASSERT_EQ(pipe2(started, O_CLOEXEC), 0);
  const pid_t child = fork();
  if (child == 0) {
    execl("/bin/sleep", "sleep", "30", static_cast<char*>(nullptr));
    _exit(127);
  }
  ASSERT_GT(child, 0);
  close(started[1]);
  char byte;
  EXPECT_EQ(read(started[0], &byte, 1), 0);
  close(started[0]);
  first.Release();
  EXPECT_EQ(second.Acquire(folder), InstanceLock::Result::kHeld);
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  // The file stays, empty, for the next copy to lock.
  EXPECT_EQ(std::filesystem::file_size(folder + "/" + kLockFileName), 0u);

  // Where no lock file can be made, the game is told so.
  InstanceLock nowhere;
  EXPECT_EQ(nowhere.Acquire(folder + "/missing"), InstanceLock::Result::kUnavailable);
}

// A descriptor handed over holding the lock (the launcher's, or the game's
// own as it starts again) is taken over and handed on; another file's is left alone.
TEST(InstanceLockTest, AHandedLockIsTakenOverAndHandedOn) {
  QTemporaryDir dir;
  const std::string folder = dir.path().toStdString();
  const int handed = open((folder + "/" + kLockFileName).c_str(), O_RDONLY | O_CREAT, 0644);
  const int other = open((folder + "/other").c_str(), O_RDONLY | O_CREAT, 0644);
  ASSERT_EQ(flock(handed, LOCK_EX | LOCK_NB), 0);
  InstanceLock lock, second;
  EXPECT_EQ(lock.Acquire(folder, other), InstanceLock::Result::kRunning);
  EXPECT_EQ(lock.Acquire(folder, handed), InstanceLock::Result::kHeld);
  EXPECT_EQ(lock.HandOver(), handed);  // still locked, and inherited by the program to come
  EXPECT_EQ(fcntl(handed, F_GETFD) | fcntl(other, F_GETFD), 0);
  EXPECT_EQ(second.Acquire(folder), InstanceLock::Result::kRunning);
  close(handed);
  EXPECT_EQ(second.Acquire(folder), InstanceLock::Result::kHeld);
}

// Something other than a regular file under the lock file's name is no lock:
// it is neither waited on (a named pipe would block the open for good), nor
// followed (a dangling link would make a file somewhere else), nor taken for
// another copy of the game.
TEST(InstanceLockTest, ALockFileThatIsNotARegularFileIsRefusedAtOnce) {
  QTemporaryDir dir;
  const std::string folder = dir.path().toStdString();
  const std::string outside = folder + "/outside";
  std::string lockName = "/";
  lockName += kLockFileName;
  std::filesystem::create_directories(folder + "/pipe");
  ASSERT_EQ(mkfifo((folder + "/pipe" + lockName).c_str(), 0600), 0);
  std::filesystem::create_directories(folder + "/folder" + lockName);
  std::filesystem::create_directories(folder + "/dangling");
  std::filesystem::create_symlink(outside, folder + "/dangling" + lockName);
  for (const char* place : {"/pipe", "/folder", "/dangling"}) {
    InstanceLock lock;
    EXPECT_EQ(lock.Acquire(folder + place), InstanceLock::Result::kUnavailable) << place;
  }
  EXPECT_FALSE(std::filesystem::exists(outside));
}

// X11 wherever an X server answers, unless the desktop user named a window system (the
// launcher's default is none) or chose the desktop's own on a Wayland desktop.
TEST(WindowSystem, XWhereverAnXServerAnswers) {
  const char* before = std::getenv(kPlatformVariable);
  const std::optional<std::string> kept = before ? std::optional<std::string>(before) : std::nullopt;
  struct Case {
    const char *asked, *launchers;
    bool desktopOwn, wayland, x;
    std::string platform;
  };
  for (const Case& c : std::vector<Case>{{nullptr, nullptr, false, true, true, "xcb"},
                                         {nullptr, nullptr, false, true, false, ""},
                                         {"", nullptr, false, false, true, "xcb"},
                                         {"wayland", nullptr, false, true, true, ""},
                                         {"xcb", nullptr, true, true, true, ""},
                                         {"xcb", "xcb", true, true, true, "wayland;xcb"},
                                         {"xcb", "xcb", false, true, true, "xcb"},
                                         {nullptr, nullptr, true, false, true, "xcb"}}) {
    setenv(kPlatformVariable, c.asked ? c.asked : "", 1);
    if (!c.asked) unsetenv(kPlatformVariable);
    setenv(kDefaultPlatformVariable, c.launchers ? c.launchers : "", 1);
    EXPECT_EQ(PlatformFor(AskedPlatform(), c.desktopOwn, c.wayland, c.x), c.platform) << c.platform;
  }
  if (kept)
    setenv(kPlatformVariable, kept->c_str(), 1);
  else
    unsetenv(kPlatformVariable);
  unsetenv(kDefaultPlatformVariable);
}

}  // namespace
}  // namespace velmora
