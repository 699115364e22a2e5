#pragma once
// The application shell's own texts, exactly as the player or the log sees them.

#include "reporting_texts.h"

namespace velmora::texts {

inline constexpr const char* kAboutMenuItem = "&About Velmora Sudoku...";
inline constexpr const char* kUndoMenuItem = "&Undo";
inline constexpr const char* kUndoMenuKey = "Ctrl+Z";
inline constexpr const char* kRedoMenuItem = "&Redo";
inline constexpr const char* kRedoMenuKey = "Ctrl+Y";
inline constexpr const char* kFillInCandidatesMenuItem = "&Fill In Candidates";
inline constexpr const char* kFillInCandidatesMenuKey = "Ctrl+M";
inline constexpr const char* kPauseMenuItem = "&Pause";
inline constexpr const char* kPauseMenuKey = "P";
inline constexpr const char* kChangePlayerMenuItem = "&Change Player...";
inline constexpr const char* kHighlightActiveNumberMenuItem = "Highlight the &Active Number";
inline constexpr const char* kHighlightCursorPeersMenuItem = "Highlight the &Cursor's row, column and block";
inline constexpr const char* kMarkConflictsMenuItem = "Mark c&onflicts";
inline constexpr const char* kHighlightActiveNotesMenuItem = "Highlight the Active Number in &notes too";
inline constexpr const char* kRemoveNotesOnPlayMenuItem = "&Remove notes when a digit is placed";
inline constexpr const char* kViewMenuItem = "&View";
inline constexpr const char* kWindowSizeMenuItem = "&Window Size";
// The entries of Window Size, one for each of the sizes offered, in their order.
inline constexpr const char* kWindowSizeItems[] = {"&100 %", "1&50 %", "&200 %"};
// Beside a size the screen cannot hold, which the menu offers greyed.
inline constexpr const char* kWindowSizeTooLarge = "too large for this screen";
// Three rows, short enough for the smallest message box.
inline constexpr const char* kWindowSizeRestart =
    "The new window size applies from the next start.\n\nRestart now? Your game is saved first.";
// Followed by the settings file's path.
inline constexpr const char* kWindowSizeNotStored = "The window size could not be saved in\n";
// View's choice of the window system, kept in the same settings file.
inline constexpr const char* kDesktopWindowSystemMenuItem = "Use the &desktop's own window system";
inline constexpr const char* kWindowSystemRestart =
    "The window system changes from the next start.\n\nRestart now? Your game is saved first.";
inline constexpr const char* kWindowSystemNotStored = "The window system could not be saved in\n";
// On the cover over a paused game's board.
inline constexpr const char* kPausedCover = "Paused";
// The print dialog's page of what to print.
inline constexpr const char* kPrintChoiceTab = "P&uzzle";
inline constexpr const char* kPrintScreenChoice = "Print the &screen";
inline constexpr const char* kPrintCleanGridChoice = "Print a clean &grid";
inline constexpr const char* kPrintCluesOnlyChoice = "Print the &clues only";

inline constexpr const char* kArtMissing = "Failed to load the game art. Please re-install.";
inline constexpr const char* kArtMissingLog = "Failed to load game art!";
inline constexpr const char* kAlreadyRunning = "Velmora Sudoku is already running.";
inline constexpr const char* kLockUnavailable =
    "Velmora Sudoku cannot lock its folder, so it cannot tell whether another copy of the game is "
    "playing there.\n\nIf one is, close one of them: two copies would save over each other's players.";
inline constexpr const char* kLockUnavailableLog =
    "cannot lock the working folder; not guarding against a second copy: ";
inline constexpr const char* kDepthCaption = "Invalid Desktop Format";
inline constexpr const char* kDepthSteps[] = {
    "Velmora Sudoku requires a color depth of at least 24 bits.\n",
    "\nYou can follow these steps to correct the problem:",
    "\n-Click on the desktop with the right mouse button.",
    "\n-Choose 'Properties' from the pop-up menu.",
    "\n This will open the 'Display Properties' dialogue.",
    "\n-Click on the 'Settings' tab at the top of the menu.",
    "\n-In the 'Color Properties' box, select 24 or 32 bit.",
    "\n-Click the 'Apply' button.",
    "\n-The system will then change the setting temporarily.",
    "\n If there are any problems, wait 15 seconds, and the",
    "\n previous setting will be restored automatically.",
    "\n Otherwise, click the 'OK' button, and restart the game.",
};
inline constexpr const char* kLowResolution =
    "Your desktop resolution is lower than expected.\nThe Tips Window may overlap the game area.";
inline constexpr const char* kPlacementFailed = "Failed to position the game window!";
inline constexpr const char* kSplashActivationFailed = "Failed to activate splash effect!";

}  // namespace velmora::texts
