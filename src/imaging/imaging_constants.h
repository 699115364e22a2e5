#pragma once
// The numbers of the art table, the image operations and the splash.
#include <array>
#include <cstdint>

namespace velmora::imaging {

// The game bitmap table: entry i holds bitmap id 131 + i.
inline constexpr int kGameBitmapCount = 189;
inline constexpr int kFirstBitmapId = 131;
inline constexpr int kLastBitmapId = kFirstBitmapId + kGameBitmapCount - 1;

inline constexpr int kMainBackgroundIndex = 138;
inline constexpr int kGenericDialogIndex = 157;  // bitmap id 288
inline constexpr int kSplashLogoIndex = 180;     // bitmap id 311, the one image with alpha

// The hue shift leaves the orange buttons, the placeholders and the intro pages alone.
inline constexpr int kFirstUnshiftedIndex = 139;
inline constexpr int kLastUnshiftedIndex = 156;
inline constexpr bool IsShiftedIndex(int index) { return index < kFirstUnshiftedIndex || index > kLastUnshiftedIndex; }
// The ten intro pages, never recoloured: their large pictures are read when a page opens.
inline constexpr int kFirstIntroPageIndex = 147;
inline constexpr int kLastIntroPageIndex = 156;

// Where the built-in bitmaps live in the compiled resources: <root>/<id>.bmp.
inline constexpr const char* kResourceBitmapRoot = ":/bitmaps";
// Every picture again at twice the size, for scaled screens: <root>/<id>.png.
// A PNG entry's large picture is the build's own file drawn larger, so it is
// used only while the art folder holds that very file.
inline constexpr const char* kResourceSharpBitmapRoot = ":/bitmaps2x";
inline constexpr const char* kArtFolder = "art";
// The digests of the PNG art files the program was built with, compiled in.
inline constexpr const char* kResourcePngDigests = ":/digests/png-art.txt";

// The twelve entries that come from PNG files below the art folder, with the
// size each picture has: the background and the generic dialog background
// must have it; an intro page takes its size from its file (at most
// kMaxIntroPageWidth x kMaxIntroPageHeight) and is drawn from its top-left
// corner.
struct PngArtFile {
  int index;
  const char* relativePath;
  uint32_t width;
  uint32_t height;
};
inline constexpr std::array<PngArtFile, 12> kPngArtFiles = {{
    {138, "background640x480.png", 640, 480},
    {147, "introDialogues/pages/IDPageAWelcome.png", 480, 360},
    {148, "introDialogues/pages/IDPageDColor.png", 480, 360},
    {149, "introDialogues/pages/IDPageFDoTutorial.png", 480, 360},
    {150, "introDialogues/pages/IDPageGATutorialBasics.png", 480, 360},
    {151, "introDialogues/pages/IDPageGBTutorialGameBoard.png", 480, 360},
    {152, "introDialogues/pages/IDPageGCTutorialBlocks.png", 480, 360},
    {153, "introDialogues/pages/IDPageGDTutorialColumns.png", 480, 360},
    {154, "introDialogues/pages/IDPageGETutorialRows.png", 480, 360},
    {155, "introDialogues/pages/IDPageGFTutorialExamples.png", 480, 360},
    {156, "introDialogues/pages/IDPageGGTutorialWrap.png", 480, 360},
    {157, "dialogues/backgroundGeneric480x480.png", 480, 480},
}};

// An intro page's picture is at most twice the build's page on each side (the
// size of its large picture).
inline constexpr uint32_t kMaxIntroPageWidth = 960;
inline constexpr uint32_t kMaxIntroPageHeight = 720;

// Hues are degrees; the art is drawn in the standard blue.
inline constexpr float kStandardHue = 220.0f;
// Below this difference between the player's hue and the applied one nothing is shifted.
inline constexpr float kHueEpsilon = 0.001f;

// The border filter darkens an 8-pixel ramp towards this colour.
inline constexpr int kBorderWidth = 8;
inline constexpr int kBorderRed = 16;
inline constexpr int kBorderGreen = 32;
inline constexpr int kBorderBlue = 64;
inline constexpr float kBorderExponent = 1.8f;

// The message dialog's three backgrounds are cut from the generic dialog background.
inline constexpr int kMessageBackgroundWidth = 400;
inline constexpr std::array<int, 3> kMessageBackgroundHeights = {150, 300, 450};

// FadeBitmap: overlay alpha below 5/255 shows the background, above 250/255 counts as opaque.
inline constexpr float kFadeInvisibleAlpha = 0.019608f;
inline constexpr float kFadeOpaqueAlpha = 0.980392f;

// The splash: a 400 x 300 logo centred in the window, faded in and out over 3000 ms.
inline constexpr int kSplashWidth = 400;
inline constexpr int kSplashHeight = 300;
inline constexpr float kSplashTimeScale = 0.00033333333f;  // 1 / 3000 ms

// The three game fonts, by pixel height.
inline constexpr int kGameFontCount = 3;
inline constexpr std::array<int, kGameFontCount> kGameFontHeights = {12, 16, 20};

}  // namespace velmora::imaging
