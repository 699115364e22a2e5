// What the main screen shows: tray counts, the stats panel and control faces.
#include "game_rig.h"

namespace velmora {
namespace {

using testing::GameTest;
using testing::HiddenTiles;

class ScreenTextsTest : public GameTest {
 protected:
  void SetFlags(bool clock, bool difficulty, bool type, bool hints, bool mistakes, bool freePlays, bool tiles) {
    PlayerSettings& s = session().settings;
    s.statClock = clock;
    s.statGameDifficulty = difficulty;
    s.statGameType = type;
    s.statHints = hints;
    s.statMistakes = mistakes;
    s.statFreePlays = freePlays;
    s.statTilesFound = tiles;
  }
  // The panel's text in the middle of each of the next n five-second periods.
  std::vector<std::string> Rotation(int n) {
    std::vector<std::string> texts;
    run->Advance(2500);
    for (int i = 0; i < n; ++i) {
      run->Advance(5000);
      texts.push_back(game().StatsPanelText());
    }
    return texts;
  }
};

TEST_F(ScreenTextsTest, TrayCountsTellWhatIsLeftOfEachType) {
  StartGame(kGameTypeNormal, kDifficultyMedium);
  EXPECT_EQ(game().TrayCountText(9), "Eraser");
  EXPECT_EQ(game().TrayCountText(2), "4 Remain");
  auto hidden = HiddenTiles(board());
  std::vector<std::pair<int, int>> twos;
  for (auto tile : hidden)
    if (board().TypeAt(tile.first, tile.second) == 2) twos.push_back(tile);
  PlayRight(twos[0].first, twos[0].second);
  EXPECT_EQ(game().TrayCountText(2), "3 Remain");
  PlayRight(twos[1].first, twos[1].second);
  PlayRight(twos[2].first, twos[2].second);
  EXPECT_EQ(game().TrayCountText(2), "1 Remains");
  PlayRight(twos[3].first, twos[3].second);
  EXPECT_EQ(game().TrayCountText(2), "All Found");
}

TEST_F(ScreenTextsTest, IgnoringMistakesTheTrayCountsWhatIsShown) {
  StartGame(kGameTypeNormal, kDifficultyMedium);
  session().settings.ignoreMistakes = true;
  EXPECT_EQ(game().TrayCountText(3), "5/9 Found");
  std::vector<std::string> counts;
  for (auto [r, c] : HiddenTiles(board())) {
    if (counts.size() == 6) break;
    if (board().TypeAt(r, c) == 3) continue;
    KeyPlay(r, c, 3);
    counts.push_back(game().TrayCountText(3));
  }
  EXPECT_EQ(board().ShownCountOfType(3), 11);
  EXPECT_EQ(counts,
            (std::vector<std::string>{"6/9 Found", "7/9 Found", "8/9 Found", "All Found", "1 Extra!", "2 Extra!"}));
  session().statisticShown = 4;
  EXPECT_EQ(game().StatsPanelText(), "Mistakes: N/A");
}

TEST_F(ScreenTextsTest, WithEveryStatisticEachShowsFiveSecondsInTurn) {
  StartGame(kGameTypeNormal, kDifficultyMedium);
  EXPECT_EQ(game().StatsPanelText(), "");  // the clock shows nothing in the first second
  const int left = 81 - board().VisibleTotal();
  EXPECT_EQ(Rotation(7), (std::vector<std::string>{"Difficulty\nMedium", "Game Type\nNormal", "Hints: 0", "Mistakes: 0",
                                                   "Free Plays: 0", std::to_string(left) + " Tiles Left", "0:00:37"}));
}

// A new game with some statistics chosen: two take turns, one stays shown,
// none shows the logo, and a Blackout count overrides them all.
TEST_F(ScreenTextsTest, TheChosenStatisticsTakeTurns) {
  struct Case {
    int type;
    bool clock, difficulty, hints, freePlays;
    std::vector<std::string> shown;
  };
  const Case cases[] = {
      {kGameTypeNormal, false, false, false, false, {"Velmora\nSudoku", "Velmora\nSudoku"}},
      {kGameTypeNormal, true, false, true, false, {"Hints: 0", "0:00:12", "Hints: 0", "0:00:22"}},
      {kGameTypeNormal, true, true, false, false, {"Difficulty\nHard", "0:00:12", "Difficulty\nHard", "0:00:22"}},
      {kGameTypeNormal, false, false, false, true, {"Free Plays: 0", "Free Plays: 0", "Free Plays: 0"}},
      {kGameTypeBlackout, false, false, false, false, {"Blackout\n27 Tiles Left"}},
  };
  for (const Case& test : cases) {
    Restart();
    StartGame(test.type, kDifficultyHard);
    SetFlags(test.clock, test.difficulty, false, test.hints, false, test.freePlays, false);
    EXPECT_EQ(Rotation(static_cast<int>(test.shown.size())), test.shown);
  }
}

TEST_F(ScreenTextsTest, FacesFollowTheTileAndTheGameState) {
  StartGame(kGameTypeNormal, kDifficultyMedium);
  auto [hr, hc] = HiddenTiles(board())[0];
  int gr = -1, gc = -1;
  for (int r = 0; r < 9 && gr < 0; ++r)
    for (int c = 0; c < 9 && gr < 0; ++c)
      if (board().IsGiven(r, c)) gr = r, gc = c;
  const int t = board().TypeAt(gr, gc);
  game().SetCursorTile(hr, hc);
  EXPECT_EQ(game().FaceOfControl(control::TileId(hr, hc), false), 60);
  EXPECT_EQ(game().FaceOfControl(control::TileId(hr, hc), true), 20);
  EXPECT_EQ(game().FaceOfControl(control::TileId(gr, gc), false), 11 + t);
  game().SetCursorTile(gr, gc);
  EXPECT_EQ(game().FaceOfControl(control::TileId(gr, gc), false), 31 + t);
  EXPECT_EQ(game().FaceOfControl(control::TileId(hr, hc), false), 40);
  EXPECT_EQ(game().FaceOfControl(control::TileId(hr, hc), true), 0);

  session().settings.ignoreMistakes = true;
  KeyPlay(hr, hc, 6);
  game().SetCursorTile(gr, gc);
  EXPECT_EQ(game().FaceOfControl(control::TileId(hr, hc), false), 41 + 6);
  EXPECT_EQ(game().FaceOfControl(control::TileId(hr, hc), true), 1 + 6);

  EXPECT_EQ(game().FaceOfControl(control::kFirstTray + 0, false), 80);
  EXPECT_EQ(game().FaceOfControl(control::kFirstTray + 4, false), 95);
  EXPECT_EQ(game().FaceOfControl(control::kFirstTray + 4, true), 84);
  EXPECT_EQ(game().FaceOfControl(control::kEraser, false), 100);
  game().SetActiveNumber(kEraserType);
  EXPECT_EQ(game().FaceOfControl(control::kEraser, false), 89);
  EXPECT_EQ(game().FaceOfControl(control::kShowGuides, false), 132);
  EXPECT_EQ(game().FaceOfControl(control::kNewGame, true), 130);
  EXPECT_EQ(game().FaceOfControl(control::kHelp, false), 188);
  EXPECT_EQ(game().FaceOfControl(42, false), -1);

  game().SetGameState(GameState::Prepared);
  EXPECT_EQ(game().FaceOfControl(control::TileId(gr, gc), false), 40);
  game().SetGameState(GameState::Solved);
  EXPECT_EQ(game().FaceOfControl(control::TileId(gr, gc), false), 0);
  EXPECT_EQ(game().FaceOfControl(control::kEraser, false), 101);
}

}  // namespace
}  // namespace velmora
