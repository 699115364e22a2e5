// Payback's countdown and Blackout's reveals.
#include <regex>
#include <utility>
#include <vector>

#include "game_rig.h"

namespace velmora {
namespace {

using testing::GameTest;
using testing::HiddenTiles;

class PaybackTest : public GameTest {};

TEST_F(PaybackTest, AnExpiryBeforeAnythingIsFoundHidesNothing) {
  // The countdown is 4, 3, 2 or 1 minutes from Easy to Expert.
  const std::pair<int, uint32_t> periods[] = {
      {kDifficultyEasy, 240000}, {kDifficultyMedium, 180000}, {kDifficultyHard, 120000}, {kDifficultyExpert, 60000}};
  StartGame(kGameTypePayback, kDifficultyEasy);
  for (const auto& [difficulty, period] : periods) {
    SCOPED_TRACE(difficulty);
    if (difficulty != kDifficultyEasy) NextGame(kGameTypePayback, difficulty);
    const int visible = board().VisibleTotal();
    EXPECT_EQ(session().paybackCount, visible);
    EXPECT_EQ(host().timers.at(kPaybackTimer).period, period);
    run->Advance(period);
    EXPECT_EQ(board().VisibleTotal(), visible);
    EXPECT_TRUE(session().playKeys.empty());
    EXPECT_EQ(session().paybackStart, host().now);
    EXPECT_EQ(host().timers.at(kPaybackTimer).start, host().now);
    EXPECT_EQ(host().timers.at(kPaybackTimer).period, period);
  }
}

TEST_F(PaybackTest, AnExpiryTakesBackAFoundTileWhichCanBeFoundAgain) {
  StartGame(kGameTypePayback, kDifficultyMedium);
  const int visible = board().VisibleTotal();
  auto [r, c] = HiddenTiles(board())[0];
  run->Advance(60000);
  PlayRight(r, c);
  EXPECT_EQ(session().paybackTime, 120000 + 180000);
  run->Advance(299999);
  EXPECT_FALSE(board().IsHidden(r, c));
  run->Advance(1);
  EXPECT_TRUE(board().IsHidden(r, c));
  EXPECT_FALSE(board().IsGiven(r, c));
  EXPECT_EQ(board().VisibleTotal(), visible);
  EXPECT_EQ(session().playKeys.back(), (PlayKey{false, 360000}));
  EXPECT_EQ(session().paybackTime, 180000);
  EXPECT_EQ(session().paybackOrder[visible], (PaybackPair{}));
  run->Settle();
  EXPECT_EQ(host().tipTexts.back(), "PAYBACK! A random tile has been hidden.");
  PlayRight(r, c);
  EXPECT_EQ(session().paybackOrder[visible], (PaybackPair{r, c}));
}

TEST_F(PaybackTest, ACorrectPlayAddsAFullPeriodToTheTimeLeft) {
  StartGame(kGameTypePayback, kDifficultyExpert);
  run->Advance(30000);
  PlayRight(HiddenTiles(board())[0].first, HiddenTiles(board())[0].second);
  EXPECT_EQ(session().paybackTime, 90000);
  EXPECT_EQ(host().timers.at(kPaybackTimer).period, 90000u);
  run->Settle();
  EXPECT_EQ(host().tipTexts.back(), "Well done! You now have 1 minute, 30.0 seconds to find another tile.");
  EXPECT_EQ(game().StatsPanelText(), "Payback Time\n0:01:30");
  run->Advance(89500);
  EXPECT_EQ(game().StatsPanelText(), "Payback!");
}

// A resumed game's expiry is written with the game time, as every play key is,
// so the list stays in time order across the restart.
TEST_F(PaybackTest, AResumedGameKeepsItsFoundTilesAndItsClock) {
  StartGame(kGameTypePayback, kDifficultyExpert);
  auto hidden = HiddenTiles(board());
  run->Advance(280000);  // four expiries with nothing to take back
  PlayRight(hidden[0].first, hidden[0].second);
  EXPECT_EQ(session().paybackTime, 20000 + 60000);
  run->Advance(20000);
  game().OnCloseRequest();
  const std::string saved = folder.UserFile("Ann");
  ASSERT_NE(saved.find("gamePaybackTime = 80000;"), std::string::npos);
  folder.WriteUserFile("Ann",
                       std::regex_replace(saved, std::regex("gamePaybackTime = 80000;"), "gamePaybackTime = 4000;"));

  Restart();
  host().choosePlayer = testing::ChooseExisting("Ann");
  game().OnSplashEnded();
  run->Advance(300);
  ASSERT_EQ(session().gameState, GameState::Playing);
  EXPECT_EQ(session().timeBefore, 300000);
  EXPECT_EQ(session().paybackTime, 10000);
  EXPECT_EQ(host().timers.at(kPaybackTimer).period, 10000u);
  EXPECT_EQ(session().paybackCount, board().VisibleTotal());

  run->Advance(1000);
  PlayRight(hidden[1].first, hidden[1].second);
  EXPECT_EQ(session().paybackTime, 9000 + 60000);
  run->Advance(69000);
  // Only what was found after the resume can be taken back.
  EXPECT_FALSE(board().IsHidden(hidden[0].first, hidden[0].second));
  EXPECT_TRUE(board().IsHidden(hidden[1].first, hidden[1].second));
  const PlayKey expiry = session().playKeys.back();
  EXPECT_FALSE(expiry.flag);
  EXPECT_EQ(expiry.time, 300000 + 70000);
  EXPECT_EQ(static_cast<uint32_t>(expiry.time), game().GameTime());
  for (size_t i = 1; i < session().playKeys.size(); ++i)
    EXPECT_LE(session().playKeys[i - 1].time, session().playKeys[i].time) << "play key " << i;
}

// The countdown of a Payback game replaced through New Game must not reach
// into the next game, whose given tiles it would hide.
TEST_F(PaybackTest, ACountdownLeftOverFromAnEarlierGameStopsAtItsNextExpiry) {
  StartGame(kGameTypePayback, kDifficultyExpert);
  PlayRight(HiddenTiles(board())[0].first, HiddenTiles(board())[0].second);
  NextGame(kGameTypeNormal, kDifficultyEasy);
  const Board before = board();
  ASSERT_EQ(host().timers.count(kPaybackTimer), 1u);
  run->Advance(60000 + 60000);
  EXPECT_EQ(host().timers.count(kPaybackTimer), 0u);
  EXPECT_TRUE(session().playKeys.empty());
  for (int i = 0; i < 81; ++i) {
    EXPECT_EQ(std::pair(board().IsHidden(i / 9, i % 9), board().IsGiven(i / 9, i % 9)),
              std::pair(before.IsHidden(i / 9, i % 9), before.IsGiven(i / 9, i % 9)))
        << "tile " << i;
  }
}

class BlackoutTest : public GameTest {};

TEST_F(BlackoutTest, ExpertRevealsEighteenTilesChosenByClicks) {
  StartGame(kGameTypeBlackout, kDifficultyExpert);
  EXPECT_EQ(session().blackoutCount, 18);
  EXPECT_EQ(board().VisibleTotal(), 0);
  run->Advance(1000);
  EXPECT_EQ(game().StatsPanelText(), "Blackout\n18 Tiles Left");

  auto hidden = HiddenTiles(board());
  for (int i = 0; i < 17; ++i) {
    game().OnControlClicked(control::TileId(hidden[i].first, hidden[i].second));
    run->Settle();
  }
  EXPECT_TRUE(host().tileMenuCalls.empty());
  EXPECT_EQ(session().blackoutCount, 1);
  EXPECT_EQ(game().StatsPanelText(), "Blackout\n1 Tile Left");

  // A revealed tile is given: clicking it again does not use a reveal.
  game().OnControlClicked(control::TileId(hidden[0].first, hidden[0].second));
  EXPECT_EQ(session().blackoutCount, 1);

  game().OnControlClicked(control::TileId(hidden[17].first, hidden[17].second));
  EXPECT_EQ(session().blackoutCount, 0);
  EXPECT_EQ(board().VisibleTotal(), 18);
  // Rows 0 and 1 alone: rows 3 and 4 can change places and every rule still holds.
  EXPECT_EQ(host().Messages().back(),
            "The Blackout puzzle is ready.  Good luck!  This puzzle may have more than one answer, and the game "
            "expects its own.");
  EXPECT_EQ(session().playKeys.size(), 18u);
  EXPECT_EQ(session().mistakes, 0);
}

TEST_F(BlackoutTest, RevealsThatFixTheAnswerGetThePlainReadyMessage) {
  // CA shares its solution with the Expert puzzle AD, whose given tiles (below)
  // singles alone solve; more revealed tiles only help.
  StartGame(kGameTypeBlackout, kDifficultyEasy, "CA");
  const char* expertGivens =
      "3..6..8.1"
      "..7....4."
      ".6..5...."
      ".532...7."
      "...1....2"
      ".9..7...."
      ".3.84.6.5"
      ".82593.1."
      ".1....9..";
  ASSERT_EQ(session().blackoutCount, 45);
  std::vector<std::pair<int, int>> reveals, others;
  for (int i = 0; i < 81; ++i) {
    const int r = i / 9, c = i % 9;
    if (expertGivens[i] == '.') {
      others.push_back({r, c});
      continue;
    }
    ASSERT_EQ(board().TypeAt(r, c), expertGivens[i] - '1') << "the solution of AD at " << r << "," << c;
    reveals.push_back({r, c});
  }
  ASSERT_EQ(reveals.size(), 29u);
  reveals.insert(reveals.end(), others.begin(), others.begin() + 16);
  for (auto [r, c] : reveals) {
    game().OnControlClicked(control::TileId(r, c));
    run->Settle();
  }
  EXPECT_EQ(session().blackoutCount, 0);
  EXPECT_EQ(host().Messages().back(), "The Blackout puzzle is ready.  Good luck!");
}

}  // namespace
}  // namespace velmora
