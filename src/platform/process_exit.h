#pragma once
// Ending the process from wherever a failure is found, with the program's exit
// codes: -1 a fatal report, -4 an unsupported colour depth, -12 missing art,
// -16 another copy of the game already runs in the working folder.
#include <functional>

namespace velmora {

inline constexpr int kExitFatal = -1;
inline constexpr int kExitColorDepth = -4;
inline constexpr int kExitArtMissing = -12;
inline constexpr int kExitAlreadyRunning = -16;

// The process status of an exit code: the low byte, so -1, -4, -12 and -16
// become 255, 252, 244 and 240.
constexpr int ExitStatusOf(int code) { return code & 0xFF; }

// Runs just before the process ends (the log uses it to reach the disk).
void SetBeforeProcessExit(std::function<void()> hook);
// Runs that hook now, if there is one.
void RunBeforeProcessExit();

[[noreturn]] void EndProcess(int code);

}  // namespace velmora
