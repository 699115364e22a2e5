#pragma once
// The game's own texts, exactly as the player or the log sees them.

namespace velmora::texts {

inline constexpr const char* kWindowTitlePrefix = "Velmora Sudoku - Puzzle ";
inline constexpr const char* kAboutText = "Velmora Sudoku v1.02 - written for Linux by the Velmora Sudoku team";
inline constexpr const char* kBuildingPuzzle = "Building Puzzle....";
inline constexpr const char* kDefaultPlayerName = "Player";

// Life cycle.
inline constexpr const char* kInvalidTimer = "Invalid timer ID encountered!";
inline constexpr const char* kInvalidKillTimer = "Invalid timer ID encountered on KillGameTimer()!";
inline constexpr const char* kIgnoreMistakesNotAllowedPrefix = "Ignore Mistakes is not allowed in ";
inline constexpr const char* kIgnoreMistakesNotAllowedSuffix = " games.  It has been switched off.";
inline constexpr const char* kHueDeltaTooSmall = "Hue shift delta smaller than epsilon.";
inline constexpr const char* kInvalidPuzzleCode = "Invalid puzzle code received on begin new game!";
inline constexpr const char* kInvalidDifficulty = "Invalid difficulty setting encountered on new game launch!";
inline constexpr const char* kInvalidType = "Invalid type setting encountered on new game launch!";
inline constexpr const char* kBuildFailed = "There was a problem building this puzzle. Please try another.";
inline constexpr const char* kNoCursorTile = "Unable to set the keyboard cursor tile for this puzzle!";
inline constexpr const char* kSaveFailed = "Failed to validate tile data while preparing user file!";
inline constexpr const char* kInvalidGameState = "INVALID GAME STATE!";
inline constexpr const char* kExitWhilePlaying = "Puzzle saved. Exit now?";
inline constexpr const char* kExit = "Exit now?";
inline constexpr const char* kSavedAtSessionEnd = "The game was saved as the program was asked to end.";
inline constexpr const char* kSaveAtSessionEndFailed = "The game could not be saved as the program was asked to end!";

// Plays.
inline constexpr const char* kInvalidMouseAction = "Invalid play action encountered while processing mouse play!";
inline constexpr const char* kGuidesNotAvailable = "Guides are not available while Ignore Mistakes is enabled.";

// Payback and Blackout.
inline constexpr const char* kInvalidPaybackDifficulty = "Invalid payback difficulty setting encountered on retrieve!";
inline constexpr const char* kInvalidBlackoutDifficulty =
    "Invalid blackout difficulty setting encountered on begin play!";
inline constexpr const char* kBlackoutReady = "The Blackout puzzle is ready.  Good luck!";
// Added to the ready message when the revealed tiles do not fix every other tile.
inline constexpr const char* kBlackoutSeveralAnswers =
    "  This puzzle may have more than one answer, and the game expects its own.";

// Input.
inline constexpr const char* kInvalidMoveDirection = "Invalid move direction found while browsing game tiles.";
// Followed by the help page's full path.
inline constexpr const char* kHelpNotOpened = "The help page could not be opened:\n";

// Undo and Redo: notices shown over the window without interrupting play.
inline constexpr const char* kNothingToUndo = "There is nothing to undo.";
inline constexpr const char* kNothingToRedo = "There is nothing to redo.";
inline constexpr const char* kCannotUndoFoundTile = "The last change cannot be undone: it is a found tile.";
inline constexpr const char* kCannotUndoMistake = "The last change cannot be undone: it is a counted mistake.";
inline constexpr const char* kCannotUndoHint = "The last change cannot be undone: it is a Hint.";
inline constexpr const char* kCannotUndoFreePlay = "The last change cannot be undone: it is a Free Play.";
inline constexpr const char* kCannotUndoBlackoutReveal = "The last change cannot be undone: it is a Blackout reveal.";
inline constexpr const char* kCannotUndoPaybackHide =
    "The last change cannot be undone: it is a tile hidden again by Payback.";
inline constexpr const char* kUndoNeedsIgnoreMistakes =
    "The last change is a play made with Ignore Mistakes on: it can be undone only while Ignore Mistakes is on.";
inline constexpr const char* kRedoNeedsIgnoreMistakes =
    "The next change is a play made with Ignore Mistakes on: it can be redone only while Ignore Mistakes is on.";

// Screen texts.
inline constexpr const char* kInvalidCycleCategory = "Invalid cycle category found while drawing game text!";
inline constexpr const char* kLogo = "Velmora\nSudoku";

// Tips.
inline constexpr const char* kInvalidTipIndex = "Invalid game tip string index encountered!";
inline constexpr const char* kTipsWindowIntro =
    "This is the Tips Window. It displays helpful information about the game.";

// Log only: a viewing aid was turned on or off but the player's file could not be written.
inline constexpr const char* kViewAidNotSaved = "A viewing aid was changed, but the player's file could not be saved.";

}  // namespace velmora::texts
