#pragma once
// The player-data texts, exactly as the player (or a reader of the code) sees them.

namespace velmora::texts {

inline constexpr const char* kErrorCaption = "ERROR";
inline constexpr const char* kWarningCaption = "Warning";
inline constexpr const char* kInputStreamTooLarge = "INPUT STREAM LARGER THAN MAXIMUM DATA FILE SIZE!";
inline constexpr const char* kOutputStreamTooLarge = "OUTPUT STREAM LARGER THAN MAXIMUM DATA FILE SIZE!";
inline constexpr const char* kInvalidRemoveIndex = "ATTEMPTED TO REMOVE AN INVALID USER INDEX!";
inline constexpr const char* kRemoveIndexNotFound = "USER INDEX MARKED FOR REMOVAL NOT FOUND!";
inline constexpr const char* kUnableToSave =
    "Unable to save!  This can happen if your hard disk is full, or if the .user file\r\n"
    "is read-only or in use by another program.\r\n"
    "If you have moved the program, you may need to recreate the '..\\data\\users' directory.";

// Names of a record's derived fields and its fallback name.
inline constexpr const char* kDefaultPlayerName = "Player";

// The roster's notes, for the start-up report and the log.
inline constexpr const char* kSeedFileOpenFailed = "Failed to open seed file: ";
inline constexpr const char* kUserFileOpenFailed = "Failed to open user file: ";
inline constexpr const char* kUserFileNotRegular = "Not a regular file, passed over: ";
inline constexpr const char* kUserFileNotLoaded = "User file could not be loaded, passed over: ";
inline constexpr const char* kUserFileNameUnusable = "User file name gives no player name, passed over: ";
inline constexpr const char* kDuplicateUserFile = "Duplicate player name encountered!  Passed over: ";
inline constexpr const char* kUserFileInTheWay = "A file that is no player's has this name; not replaced: ";
inline constexpr const char* kWorkingFolderUnknown = "The working folder could not be read; data path kept relative: ";
inline constexpr const char* kDeleteUserFileFailed = "Unable to delete user file!\nPath: ";
inline constexpr const char* kSaveOutOfMemory = "FAILED TO SAVE - OUT OF MEMORY!";

// The start-up report.
inline constexpr const char* kReportDataPath = "data path: ";
inline constexpr const char* kReportLoading = "loading game data\n";
inline constexpr const char* kReportSeeds = "seeds: ";
inline constexpr const char* kReportUsers = "users: ";
inline constexpr const char* kReportComplete = "load complete";

}  // namespace velmora::texts
