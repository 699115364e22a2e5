#pragma once
// The game bitmap table: every picture the game draws, addressed by index
// 0..188 or by bitmap id 131..319. Entries are Format_ARGB32 (blue, green, red,
// alpha bytes); an entry whose load failed is a null image.
#include <QImage>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "imaging_constants.h"
#include "run_image.h"

namespace velmora {

using GameBitmap = QImage;

class GameBitmapTable {
 public:
  static constexpr int Size() { return imaging::kGameBitmapCount; }
  static constexpr bool IsValidIndex(int index) { return index >= 0 && index < imaging::kGameBitmapCount; }
  static constexpr int IdOf(int index) { return imaging::kFirstBitmapId + index; }
  static constexpr int IndexOf(int bitmapId) { return bitmapId - imaging::kFirstBitmapId; }

  // Index must be valid.
  GameBitmap& Entry(int index) { return entries_[static_cast<size_t>(index)]; }
  const GameBitmap& Entry(int index) const { return entries_[static_cast<size_t>(index)]; }
  GameBitmap& ById(int bitmapId) { return Entry(IndexOf(bitmapId)); }
  const GameBitmap& ById(int bitmapId) const { return Entry(IndexOf(bitmapId)); }

  // ---- The large set: every picture again at twice the size (device pixel
  // ratio 2), for screens scaled above 1 ----
  // Off until the game window turns it on. A large picture is read from the
  // program when first asked for, and recoloured by every hue shift applied to
  // the table so far (RecordShift), one after another: it is then pixel for
  // pixel what it would be had it been read at start-up and shifted with the
  // rest. A PNG entry has one only while its file is the build's own
  // (SetBuildsOwnFile); otherwise the screen enlarges the file's own picture.
  void SetSharpArt(bool on) { sharpArt_ = on; }
  bool SharpArt() const { return sharpArt_; }
  void SetBuildsOwnFile(int index, bool own) { ownFiles_[static_cast<size_t>(index)] = own; }
  bool BuildsOwnFile(int index) const { return ownFiles_[static_cast<size_t>(index)]; }
  // Entry `index` at twice the size, read now when not yet held and then held
  // until ReleaseSharpEntry: for the pictures of the game window, which are on
  // screen or about to be. A null image when there is none.
  const GameBitmap& SharpEntry(int index) const;
  // The same picture without holding it (the held one when there is one): for
  // a dialog, which keeps it only while it is open.
  GameBitmap SharpPicture(int index) const;
  // Reads these large pictures now, on two threads, and holds them.
  void LoadSharpEntries(const std::vector<int>& indices);
  void ReleaseSharpEntry(int index) {
    sharpEntries_[static_cast<size_t>(index)] = GameBitmap();
    sharpRuns_[static_cast<size_t>(index)] = RunImage();
    runsLooked_[static_cast<size_t>(index)] = false;
  }
  // A large picture the program holds as runs of one colour (the main
  // background): read when first asked for and held like a large entry, and
  // then the only form of that picture (SharpEntry gives a null image). The
  // screen expands only the part it draws. Null when there are none.
  const RunImage* SharpRuns(int index) const;
  // A held large picture, for the hue shift to change in place; a null image when none is held.
  GameBitmap& HeldSharpEntry(int index) { return sharpEntries_[static_cast<size_t>(index)]; }
  const GameBitmap& HeldSharpEntry(int index) const { return sharpEntries_[static_cast<size_t>(index)]; }
  // Every hue shift applied to the table, in order (degrees, in [0, 360));
  // recorded after the entries and the held large pictures were shifted.
  // Recolours the large pictures held as runs.
  void RecordShift(float delta);
  // For a table loaded afresh.
  void ClearShifts() { shifts_.clear(); }

  // The picture of entry `index` to draw: the entry itself; for an entry
  // kept only as the bytes of its PNG file, a picture decoded from them now
  // and recoloured by the shifts applied so far (the table keeps no pixels for
  // it); for an entry read when drawn, its file read and decoded now. A null
  // image when there is none.
  GameBitmap Picture(int index) const;
  // Keeps the bytes of entry `index`'s PNG file, checked to decode to a
  // picture of the given size, beside the entry (and forgets any file to read).
  void KeepPngData(int index, std::vector<uint8_t> bytes, uint32_t width, uint32_t height);
  // Entry `index` keeps nothing: Picture reads its PNG file each time, a
  // picture of at most maxWidth x maxHeight in a file no longer than such a
  // picture needs, and notes whether the file is the build's own.
  void ReadWhenDrawn(int index, std::string path, uint32_t maxWidth, uint32_t maxHeight);
  // Frees the entry's pixels when its file's bytes are kept: Picture decodes
  // them again when the picture is drawn.
  void LetGoOfPixels(int index);
  // True when the entry has no pixels of its own, only its file's bytes.
  bool KeptAsPngData(int index) const {
    return Entry(index).isNull() && !kept_[static_cast<size_t>(index)].bytes.empty();
  }

  // Set by LoadGameArt only when every entry loaded.
  bool ArtLoaded() const { return artLoaded_; }
  void SetArtLoaded(bool loaded) { artLoaded_ = loaded; }

 private:
  GameBitmap ReadSharp(int index) const;
  // The size the large picture of entry `index` must have, or an empty size
  // when it may have none (a PNG entry whose file is not the build's own).
  QSize SharpSize(int index) const;
  // Recolours a picture read after the table was shifted as the entries were.
  bool ReplayShifts(int index, GameBitmap& image) const;

  std::array<GameBitmap, imaging::kGameBitmapCount> entries_;
  mutable std::array<GameBitmap, imaging::kGameBitmapCount> sharpEntries_;
  mutable std::array<RunImage, imaging::kGameBitmapCount> sharpRuns_;
  mutable std::array<bool, imaging::kGameBitmapCount> runsLooked_{};
  struct KeptPng {
    std::vector<uint8_t> bytes;
    std::string path;  // a file read when drawn
    uint32_t width = 0;
    uint32_t height = 0;
  };
  std::array<KeptPng, imaging::kGameBitmapCount> kept_;
  // Whether each PNG entry's file is the build's own: as loaded, or as last read.
  mutable std::array<bool, imaging::kGameBitmapCount> ownFiles_{};
  std::vector<float> shifts_;
  bool sharpArt_ = false;
  bool artLoaded_ = false;
};

struct PngImage;
// A decoded PNG as a Format_ARGB32 picture that takes over the decoded pixels
// (no copy); a null image when `png` holds none.
QImage ImageFromPng(PngImage& png);

}  // namespace velmora
