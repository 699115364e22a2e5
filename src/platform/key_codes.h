#pragma once
// The desktop's virtual-key codes, which the key map, the key router and the
// log all use: one table, plain C++, for the game's rules and the platform alike.

namespace velmora::key {

inline constexpr int kBackspace = 8, kTab = 9, kEnter = 13, kShift = 16, kControl = 17, kPause = 19, kEscape = 27;
inline constexpr int kSpace = 32;
inline constexpr int kApps = 93;  // the Menu key
inline constexpr int kPageUp = 33, kPageDown = 34, kEnd = 35, kHome = 36;
inline constexpr int kLeft = 37, kUp = 38, kRight = 39, kDown = 40, kInsert = 45, kDelete = 46;
inline constexpr int kDigit0 = 48, kDigit1 = 49, kDigit9 = 57, kLetterA = 65;
inline constexpr int kLetterM = 77, kLetterP = 80, kLetterY = 89, kLetterZ = 90;
inline constexpr int kNumpad0 = 96, kNumpad1 = 97, kNumpad2 = 98, kNumpad3 = 99, kNumpad4 = 100, kNumpad6 = 102;
inline constexpr int kNumpad7 = 103, kNumpad8 = 104, kNumpad9 = 105;
inline constexpr int kF1 = 112, kF2 = 113, kF3 = 114, kF4 = 115, kF5 = 116, kF6 = 117, kF10 = 121, kF11 = 122,
                     kF12 = 123;

}  // namespace velmora::key
