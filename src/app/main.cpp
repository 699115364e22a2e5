// Velmora Sudoku: the game window is the program; when it closes, the program ends.
#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QScreen>
#include <QSessionManager>

#include <fcntl.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "app_texts.h"
#include "clock.h"
#include "game_dialog.h"
#include "game_fonts.h"
#include "image_operations.h"
#include "instance_lock.h"
#include "key_router.h"
#include "message_boxes.h"
#include "message_dialog.h"
#include "process_exit.h"
#include "skinned_dialog_service.h"
#include "termination_signals.h"
#include "window_size.h"
#include "window_system.h"

namespace {

const char* kUsage = "usage: velmora-sudoku [--help | --version]\n";
// Printed after the usage line.
const char* kHelp =
    "Velmora Sudoku, a single-player Sudoku game. It runs in the current folder, which\n"
    "holds art/, data/seeds/ and data/users/; the installed velmora-sudoku command\n"
    "prepares the player's own folder (VELMORA_HOME, by default\n"
    "~/.local/share/velmora-sudoku) and starts the game there.\n"
    "  --help     print this text and exit\n"
    "  --version  print the version and exit\n"
    "Environment: VELMORA_LOG=FILE writes a diagnostic log to FILE.\n"
    "The window size chosen in the game is kept in\n"
    "${XDG_CONFIG_HOME:-~/.config}/velmora-sudoku/velmora-sudoku.conf.\n"
    "See velmora-sudoku(6).\n";

// The Payback countdown that a run started again for a new window size hands
// to the next (player/saved game time/ms left/tiles never taken back).
const char* kKeptCountdownVariable = "VELMORA_KEPT_COUNTDOWN";

// The window while its game may hold unsaved progress.
velmora::GameDialog* liveWindow = nullptr;

// Qt's scale factor as the desktop set it, and as the game runs at the window
// size the player chose.
class ScaleFactor {
 public:
  explicit ScaleFactor(int windowSize) {
    if (const char* value = std::getenv(kVariable)) desktop_ = value;
    if (windowSize == velmora::kNormalWindowSize) return;
    const std::string scaled = velmora::ScaleFactorFor(desktop_ ? desktop_->c_str() : nullptr, windowSize);
    ::setenv(kVariable, scaled.c_str(), 1);
    changed_ = true;
  }
  // Once Qt has read it: the programs the game starts (the help page's browser)
  // and a restarted game see the desktop's own.
  void Restore() {
    if (!changed_) return;
    if (desktop_)
      ::setenv(kVariable, desktop_->c_str(), 1);
    else
      ::unsetenv(kVariable);
    changed_ = false;
  }

 private:
  static constexpr const char* kVariable = "QT_SCALE_FACTOR";
  std::optional<std::string> desktop_;
  bool changed_ = false;
};

// The window system Qt is asked for (window_system.h): X11 wherever an X
// server answers, unless QT_QPA_PLATFORM names one or the desktop user chose
// the desktop's own. Put back as it was once Qt has read it.
class PlatformChoice {
 public:
  explicit PlatformChoice(bool desktopOwn) {
    if (const char* value = std::getenv(velmora::kPlatformVariable)) before_ = value;
    if (!desktopOwn) probe_.emplace();
    const std::string platform = velmora::PlatformFor(velmora::AskedPlatform(), desktopOwn, velmora::WaylandDesktop(),
                                                      probe_ && probe_->Answers());
    if (platform.empty()) return;
    ::setenv(velmora::kPlatformVariable, platform.c_str(), 1);
    changed_ = true;
  }
  // Once Qt has connected: the probe's connection is let go only now.
  void Restore() {
    probe_.reset();
    if (!changed_) return;
    if (before_)
      ::setenv(velmora::kPlatformVariable, before_->c_str(), 1);
    else
      ::unsetenv(velmora::kPlatformVariable);
    changed_ = false;
  }

 private:
  std::optional<velmora::XServerProbe> probe_;
  std::optional<std::string> before_;
  bool changed_ = false;
};

// A size kept in the settings that the screen cannot hold is left there for a
// larger screen; the program starts again at the largest size that fits, which
// it is told in this variable, read (and removed) as it starts.
constexpr const char* kFittingSizeVariable = "VELMORA_FITTING_WINDOW_SIZE";

// The size the variable names (0 when it names none offered), removed at once
// so that no program the game starts sees it.
int TakeFittingSize() {
  const char* value = std::getenv(kFittingSizeVariable);
  int size = 0;
  for (int offered : velmora::kWindowSizes)
    if (value != nullptr && std::to_string(offered) == value) size = offered;
  ::unsetenv(kFittingSizeVariable);
  return size;
}

// The descriptor that holds the working folder's lock already, handed to
// the game by the launcher (or by the game as it starts itself again), or -1.
// Taken only when it is open on the lock file of the folder the game runs in,
// and closed on exec from now on, so that nothing the game starts keeps the
// lock; the variable is taken out of the environment.
int HandedLock() {
  const char* value = std::getenv(velmora::kLockFdVariable);
  int fd = -1;
  if (value && *value) {
    const char* end = value + std::strlen(value);
    const auto [stop, error] = std::from_chars(value, end, fd);
    if (error != std::errc() || stop != end) fd = -1;
  }
  ::unsetenv(velmora::kLockFdVariable);
  struct stat given, named;
  if (fd < 0 || ::fstat(fd, &given) != 0 || ::lstat(velmora::kLockFileName, &named) != 0 ||
      given.st_dev != named.st_dev || given.st_ino != named.st_ino)
    return -1;
  ::fcntl(fd, F_SETFD, FD_CLOEXEC);
  return fd;
}

// Runs the game until its window closes, returning the program's status.
// `restart` is set when the player asked for the game to start again (a new
// window size), or when the kept size does not fit the screen (`fittingSize`
// is then the size to start again at): by the time this returns, everything
// has been left as an ordinary end leaves it (the game saved, the display
// closed), except that the lock's descriptor is then handed out in
// `heldLock`, still locked, for the program that starts again to take over.
int RunGame(int argc, char** argv, int handedLock, bool& restart, int& heldLock, int& fittingSize) {
  // Handed over by the run before this one, for this run alone.
  std::optional<velmora::KeptCountdown> keptCountdown;
  if (const char* kept = std::getenv(kKeptCountdownVariable)) {
    keptCountdown = velmora::ParseKeptCountdown(kept);
    ::unsetenv(kKeptCountdownVariable);
  }
  const std::string settingsPath = velmora::UserSettingsPath();
  const int fitted = TakeFittingSize();
  const int windowSize = fitted != 0 ? fitted : velmora::ReadWindowSize(settingsPath);
  ScaleFactor scale(windowSize);
  const bool desktopWindowSystem = velmora::ReadDesktopWindowSystem(settingsPath);
  PlatformChoice platform(desktopWindowSystem);
  // The window's class names the program as its desktop entry does
  // (StartupWMClass), whatever name the program file was started by.
  std::vector<char*> qtArguments(argv, argv + argc);
  char nameOption[] = "-name";
  char resourceName[] = "velmora-sudoku";
  qtArguments.insert(qtArguments.begin() + 1, {nameOption, resourceName});
  int qtArgumentCount = static_cast<int>(qtArguments.size());
  qtArguments.push_back(nullptr);
  QApplication application(qtArgumentCount, qtArguments.data());
  scale.Restore();
  platform.Restore();
  velmora::ImageOperations::SetWindowsKeepAlpha(velmora::OnWayland());
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (fitted == 0 && windowSize != velmora::kNormalWindowSize && screen != nullptr) {
    // The work area in the desktop's own pixels, as at 100 %: the frames are not known yet.
    const QRect area = screen->availableGeometry();
    const int size = velmora::FittingWindowSize(windowSize, area.width() * windowSize / velmora::kNormalWindowSize,
                                                area.height() * windowSize / velmora::kNormalWindowSize);
    if (size != windowSize) {
      fittingSize = size;
      restart = true;
      // A countdown and a lock handed over go on to the run at the size that fits.
      if (keptCountdown) ::setenv(kKeptCountdownVariable, velmora::FormatKeptCountdown(*keptCountdown).c_str(), 1);
      if (handedLock >= 0) ::fcntl(handedLock, F_SETFD, 0);
      heldLock = handedLock;
      return 0;
    }
  }
  QApplication::setApplicationName(QStringLiteral("Velmora Sudoku"));
  const std::string workingFolder = QDir::currentPath().toStdString();
  QGuiApplication::setDesktopFileName(QStringLiteral("io.github.velmora.Sudoku"));

  velmora::SystemClock clock;
  velmora::QtMessageBoxes boxes;
  // Two copies on one working folder would each save over the other's players:
  // the second one says so and leaves before it opens or writes any file.
  velmora::InstanceLock lock;
  bool guarded = true;
  switch (lock.Acquire(workingFolder.empty() ? std::string(".") : workingFolder, handedLock)) {
    case velmora::InstanceLock::Result::kHeld: break;
    case velmora::InstanceLock::Result::kRunning:
      QApplication::setWindowIcon(velmora::GameWindowIcon());
      boxes.Show(velmora::texts::kAlreadyRunning, velmora::texts::kAppName, velmora::MessageButtons::Ok, false);
      return velmora::ExitStatusOf(velmora::kExitAlreadyRunning);
    case velmora::InstanceLock::Result::kUnavailable:
      // A folder that cannot hold the lock file (or something else under its
      // name): the player is told that a second copy would go unnoticed, and
      // plays on.
      guarded = false;
      std::fprintf(stderr, "velmora-sudoku: %s%s/%s\n", velmora::texts::kLockUnavailableLog, workingFolder.c_str(),
                   velmora::kLockFileName);
      QApplication::setWindowIcon(velmora::GameWindowIcon());
      boxes.Show(velmora::texts::kLockUnavailable, velmora::texts::kAppName, velmora::MessageButtons::Ok, false);
      break;
  }

  // The font list is read on the second core while the window and the art load.
  velmora::FontWarmUp fontWarmUp;
  velmora::KeyRouter keys;
  velmora::GameDialog window(clock, boxes, keys, workingFolder);
  window.SetWindowSize(settingsPath, windowSize);
  window.SetWindowSystem(desktopWindowSystem);
  if (keptCountdown) window.GetGame().SetKeptCountdown(*keptCountdown);
  boxes.SetOwner(&window);
  // The game's secondary windows and its messages are drawn from the art the
  // window loads, over the window.
  window.SetDialogs(std::make_unique<velmora::SkinnedDialogService>(window.Art(), window.Messages(), &window));
  window.Messages().SetPresenter(velmora::MakeMessagePresenter(window.Art(), window.Messages()));
  // A logout, a shutdown or a kill saves the game first, as leaving it does:
  // the desktop session asks for the data before it ends, and the signals
  // that end the process are caught and end it once the game is saved.
  QObject::connect(
      &application, &QGuiApplication::commitDataRequest, &window,
      [&window](QSessionManager&) { (void)window.SaveForSessionEnd(); }, Qt::DirectConnection);
  velmora::TerminationSignals endRequests([&window](int signal) {
    (void)window.SaveForSessionEnd();
    velmora::EndProcessBySignal(signal);
  });
  // When the display goes away (the X server ends with the session), Qt ends
  // the process with exit(1) from inside its event loop: the game is saved on
  // the way out, as at any other end of the session.
  liveWindow = &window;
  std::atexit([] {
    if (liveWindow) (void)liveWindow->SaveForSessionEnd();
  });
  window.Initialise();
  if (!guarded && window.LogOn())
    window.Log(std::string(velmora::texts::kLockUnavailableLog) + workingFolder + "/" + velmora::kLockFileName + "\n");
  window.show();
  window.exec();
  liveWindow = nullptr;  // the game has been left, and saved as it was left
  restart = window.RestartRequested();
  if (restart) heldLock = lock.HandOver();
  // The game started again goes on with the countdown its Payback game had.
  if (restart && window.CountdownToKeep())
    ::setenv(kKeptCountdownVariable, velmora::FormatKeptCountdown(*window.CountdownToKeep()).c_str(), 1);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // Pictures are large buffers, many of them short-lived (the splash, a
  // dialog's background, a decoded page): each gets pages of its own that go
  // back to the system when it is freed. By default the C library raises this
  // threshold once such a buffer is freed, and later ones then stay in the
  // heap for the rest of the run.
  mallopt(M_MMAP_THRESHOLD, 128 * 1024);
  // Answered before any window, display connection or file exists.
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(kUsage, stdout);
      std::fputs(kHelp, stdout);
      return 0;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("velmora-sudoku %s\n", VELMORA_VERSION);
      return 0;
    }
    // Anything else is a mistake, said before the game touches a file.
    std::fprintf(stderr, "velmora-sudoku: unknown argument '%s'\n%s", argv[i], kUsage);
    return 2;
  }
  const int handedLock = HandedLock();
  bool restart = false;
  int heldLock = -1;
  int fittingSize = 0;
  const int status = RunGame(argc, argv, handedLock, restart, heldLock, fittingSize);
  if (!restart) return status;
  // The same program again, with the same arguments, in the same folder, and
  // the folder's lock held all the while.
  if (heldLock >= 0) ::setenv(velmora::kLockFdVariable, std::to_string(heldLock).c_str(), 1);
  if (fittingSize != 0) ::setenv(kFittingSizeVariable, std::to_string(fittingSize).c_str(), 1);
  std::fflush(nullptr);
  ::execv("/proc/self/exe", argv);
  std::fprintf(stderr, "velmora-sudoku: could not start again: %s\n", std::strerror(errno));
  return 0;
}
