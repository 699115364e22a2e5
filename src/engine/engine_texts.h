#pragma once
// The engine's own texts, exactly as the player or the log sees them.

namespace velmora::texts {

inline constexpr const char* kInvalidBoardFound = "INVALID BOARD FOUND!";
inline constexpr const char* kUnableToFillBoard = "Unable to fill a board!";
inline constexpr const char* kInvalidDifficultyFromCode = "Main - INVALID DIFFICULTY INDEX - PUZZLE CODE!";
inline constexpr const char* kInvalidTypeFromCode = "Main - INVALID TYPE INDEX - PUZZLE CODE!";
inline constexpr const char* kPrepareLimitExceeded = "PREPARE LIMIT EXCEEDED!";
inline constexpr const char* kInvalidBlackoutCount = "Invalid blackout title count found!";
inline constexpr const char* kInvalidOrdinal = "Invalid friendly numeral value found!";
inline constexpr const char* kInvalidHintStyle = "Invalid hint style found while searching for hint!";

inline constexpr const char* kHintPrefix = "Hint: ";
inline constexpr const char* kOnlyOneHiddenTile = "has only one hidden tile.";
inline constexpr const char* kNoHintQuestion = "A hint was not found.\n\nWould you like to use a Free Play?";
inline constexpr const char* kNoHiddenTilesForFreePlay = "There are no hidden tiles, so a Free Play will not be used.";

inline constexpr const char* kGameTypeNames[] = {"Normal", "Payback", "Blackout"};
inline constexpr const char* kDifficultyNames[] = {"Easy", "Medium", "Hard", "Expert"};

}  // namespace velmora::texts
