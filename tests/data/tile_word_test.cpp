#include "tile_word.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

constexpr uint32_t Type(int n) { return 1u << n; }
constexpr uint32_t Played(int n) { return 1u << (9 + n); }
constexpr uint32_t Note(int n) { return 1u << (18 + n); }

TEST(TileWordTest, ValidityFollowsTheWordsRules) {
  EXPECT_TRUE(IsValidTileWord(Type(4), false));
  EXPECT_TRUE(IsValidTileWord(Type(8) | kTileWordGivenBit, false));
  EXPECT_TRUE(IsValidTileWord(Type(0) | kTileWordHiddenBit | Note(0) | Note(8), false));

  EXPECT_FALSE(IsValidTileWord(0, false)) << "no solution type";
  EXPECT_FALSE(IsValidTileWord(Type(0) | Type(1), false));
  EXPECT_FALSE(IsValidTileWord(Type(2) | Note(3), false)) << "notes on a tile that is not hidden";
  EXPECT_FALSE(IsValidTileWord(Type(2) | Note(3) | kTileWordGivenBit, true));
  EXPECT_FALSE(IsValidTileWord(Type(2) | kTileWordGivenBit | kTileWordHiddenBit, false));
  EXPECT_FALSE(IsValidTileWord(Type(2) | (1u << 31), false)) << "bits the program never writes";
}

TEST(TileWordTest, APlayedTypeIsRefusedOnlyWhenMistakesAreNotIgnored) {
  EXPECT_FALSE(IsValidTileWord(Type(3) | Played(5), false));
  EXPECT_TRUE(IsValidTileWord(Type(3) | Played(5), true));
  EXPECT_FALSE(IsValidTileWord(Type(3) | Played(5) | Played(6), true));
}

TEST(TileWordTest, BuildingKeepsThePlayedTypeOnlyWhenMistakesAreIgnored) {
  Tile tile;
  tile.type = 6;
  tile.playedType = 2;
  tile.hidden = 1;
  tile.noteMask = (1u << 1) | (1u << 7) | (1u << 20);  // bits past 8 are not notes
  EXPECT_EQ(BuildTileWord(tile, false), Type(6) | Note(1) | Note(7) | kTileWordHiddenBit);
  EXPECT_EQ(BuildTileWord(tile, true), Type(6) | Played(2) | Note(1) | Note(7) | kTileWordHiddenBit);

  tile.type = -1;
  EXPECT_FALSE(IsValidTileWord(BuildTileWord(tile, false), false)) << "no type gives no valid word";
}

TEST(TileWordTest, ApplyingPutsEveryFieldBack) {
  Tile tile;
  tile.type = 5;
  tile.playedType = 7;
  tile.hidden = 1;
  tile.noteMask = 0b100100001;
  Tile back;
  ApplyTileWord(BuildTileWord(tile, true), true, back);
  EXPECT_EQ(back.type, 5);
  EXPECT_EQ(back.playedType, 7);
  EXPECT_EQ(back.hidden, 1);
  EXPECT_EQ(back.given, 0);
  EXPECT_EQ(back.noteMask, 0b100100001u);

  Tile withoutPlayed;
  withoutPlayed.playedType = 3;
  ApplyTileWord(Type(1) | Played(7) | kTileWordGivenBit, false, withoutPlayed);
  EXPECT_EQ(withoutPlayed.playedType, 3) << "the played type is only taken when mistakes are ignored";
  EXPECT_EQ(withoutPlayed.given, 1);
}

}  // namespace
}  // namespace velmora
