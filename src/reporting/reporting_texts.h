#pragma once
// The texts of the reporter, exactly as the player sees them.

namespace velmora::texts {

inline constexpr const char* kAppName = "Velmora Sudoku";
inline constexpr const char* kFatalText = "The program has encountered a problem, and must close.";
inline constexpr const char* kFatalCaption = "Error";

}  // namespace velmora::texts
