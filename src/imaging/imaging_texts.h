#pragma once
// The texts that the art loading and the image operations report, word for word.

namespace velmora::imaging::texts {

// Art loading.
inline constexpr const char* kPngLoadFailed = "Failed to load .PNG image.";
inline constexpr const char* kImageDataLoadFailed = "Failed to load image data into game bitmap!";
inline constexpr const char* kResourceLoadFailed = "Failed to load bitmap resource!";

// The clean printout's heading.
inline constexpr const char* kCleanGridHeading = "Velmora Sudoku";

// Fonts.
inline constexpr const char* kGameFontFace = "Copperplate Gothic Bold";
inline constexpr const char* kSecondFontFace = "Tahoma Bold";
inline constexpr const char* kFontFailedBefore = "Failed to set the game font (";
inline constexpr const char* kFontFailedAfter = ")";
inline constexpr const char* kDefaultFontFailed = "Failed to set the default system font!";
inline constexpr const char* kInvalidFontSize = "Invalid game font size encountered!";

// Hue shift and the game colour.
inline constexpr const char* kHueInfoFailed = "Failed to get bitmap info on hue shift.";
inline constexpr const char* kColorProblem =
    "There was a problem changing the game color.  The standard blue will be used.";
inline constexpr const char* kColorChangedBefore = "T+game color changed; processing time: ";
inline constexpr const char* kColorChangedAfter = "ms\n";

// Border filter.
inline constexpr const char* kBorderInfoFailed = "Failed to get bitmap info on apply border.";
inline constexpr const char* kBorderAllocFailed = "Failed to allocate memory for the filter image's pixel data!";
inline constexpr const char* kBorderReadFailed = "Failed to retrieve pixel data from the filter image!";
inline constexpr const char* kBorderWriteFailed = "Failed to set pixel data while filtering image!";

// Message backgrounds: written to the log as they are.
inline constexpr const char* kBackgroundCreateFailed = "game message: ME(util) - Failed to create background image!\n";
inline constexpr const char* kBackgroundBorderFailed =
    "game message: ME(util) - Failed to apply border to background image!\n";

// Duplicates.
inline constexpr const char* kDuplicateInfoFailed = "Failed to get bitmap info on create duplicate.";
inline constexpr const char* kDuplicateAllocFailed = "Failed to allocate memory for source image's pixel data!";
inline constexpr const char* kDuplicateReadFailed = "Failed to retrieve pixel data from source image!";
inline constexpr const char* kDuplicateCreateFailed = "Failed to create target image!";

// Window copies.
inline constexpr const char* kCopyContextFailed = "Unable to create device context while copying a device context!";
inline constexpr const char* kCopyBitmapFailed = "Unable to create compatible bitmap while copying a device context!";
inline constexpr const char* kCopySelectFailed = "Unable to select target bitmap while copying a device context!";
inline constexpr const char* kCopyFailed = "An error occurred while copying a device context!";

// Fades.
inline constexpr const char* kFadeInfoFailed = "Failed to get bitmap info on fade.";
inline constexpr const char* kFadeSourceAllocFailed =
    "Failed to allocate memory for source image's pixel data on fade!";
inline constexpr const char* kFadeTargetAllocFailed =
    "Failed to allocate memory for target image's pixel data on fade!";
inline constexpr const char* kFadeSourceReadFailed = "Failed to retrieve pixel data from source image on fade!";
inline constexpr const char* kFadeTargetReadFailed = "Failed to retrieve pixel data from target image on fade!";
inline constexpr const char* kFadeWriteFailed = "Failed to set bits of product image on bitmap fade!";

// Splash.
inline constexpr const char* kSplashBackgroundAllocFailed =
    "Ef - Failed to allocate memory for the splash background bitmap!";
inline constexpr const char* kSplashEffectCreateFailed = "Ef - Failed to create effect bitmap for splash effect!";
inline constexpr const char* kSplashAllocFailed = "Failed to allocate memory for splash effect!";
inline constexpr const char* kSplashStartFailed = "Failed to activate splash effect!";

}  // namespace velmora::imaging::texts
