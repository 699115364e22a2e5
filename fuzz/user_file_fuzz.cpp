// Arbitrary bytes as the text of a user file. Loading must never crash, and
// whatever loads must survive a save: its composed text loads again into the
// same record with the same results, the results are ones a game can leave
// (counts and sums from 0, best times from -1), and the saved game it holds
// only names tiles on the board.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "data_file.h"
#include "user_record.h"

namespace {

class NoMessages : public velmora::SystemMessageBox {
 public:
  void Show(std::string_view, std::string_view) override {}
};

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  NoMessages messages;
  velmora::DataFile file(messages);
  if (!file.LoadText(std::string_view(reinterpret_cast<const char*>(data), size))) return 0;

  // The other lookups on the same text.
  std::string text;
  int32_t number = 0;
  float real = 0.0f;
  bool flag = false;
  file.ReadString("gameCode", text);
  file.ReadFloat("settingsHue", real);
  file.ReadBool("gameActive", flag);
  file.ReadInt("gameTime", number);
  int32_t seeds[velmora::kSeedsPerFile];
  file.ReadIntList(seeds);

  velmora::GDUSER record;
  if (!record.LoadFromDataFile(file)) return 0;

  const velmora::GameSnapshot game = record.SavedGame();
  for (const velmora::PaybackPair& pair : game.paybackOrder)
    Require(pair.row >= 0 && pair.row < 9 && pair.column >= 0 && pair.column < 9);
  for (int i = 0; i < velmora::kTileCount; ++i) {
    const velmora::Tile& tile = game.board.Tiles()[i];
    Require(tile.type >= 0 && tile.type < 9 && tile.playedType >= 0 && tile.playedType < 9);
  }
  Require(record.code.size() <= 7);
  for (int t = 0; t < velmora::kGameTypeCount; ++t) {
    for (int d = 0; d < velmora::kDifficultyCount; ++d) {
      Require(record.GetResult(velmora::kResultBestTime, t, d) >= -1);
      Require(record.GetResult(velmora::kResultGamesCompleted, t, d) >= 0);
      Require(record.GetResult(velmora::kResultTimeSum, t, d) >= 0);
    }
  }

  const std::string saved = record.ComposeText();
  velmora::DataFile again(messages);
  velmora::GDUSER reloaded;
  Require(again.LoadText(saved));
  Require(reloaded.LoadFromDataFile(again));
  for (int s = 0; s < velmora::kResultStatisticCount; ++s)
    for (int t = 0; t < velmora::kGameTypeCount; ++t)
      for (int d = 0; d < velmora::kDifficultyCount; ++d)
        Require(reloaded.GetResult(s, t, d) == record.GetResult(s, t, d));
  Require(reloaded.ComposeText() == saved);
  return 0;
}
