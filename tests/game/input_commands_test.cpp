// The key map, the right-click hit test, the button commands, Hint and Free Play.
#include <algorithm>

#include "game_rig.h"

namespace velmora {
namespace {

using testing::GameTest;
using testing::HiddenTiles;

class InputTest : public GameTest {
 protected:
  void SetUp() override { StartGame(kGameTypeNormal, kDifficultyMedium); }
  std::pair<int, int> Cursor() { return {session().cursorRow, session().cursorColumn}; }
};

TEST_F(InputTest, TabCyclesTheActiveNumberThroughTheEraser) {
  std::vector<int32_t> seen;
  for (int i = 0; i < 10; ++i) {
    game().OnKey(key::kTab, false);
    seen.push_back(session().activeNumber);
  }
  EXPECT_EQ(seen, (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 7, 8, kEraserType, 0}));
  const std::vector<int> lastTwo(host().redrawnControls.end() - 2, host().redrawnControls.end());
  EXPECT_EQ(lastTwo, (std::vector<int>{control::kFirstTray, control::kEraser}));

  // The next game begins with type 1 again, its tray button drawn pressed.
  for (int i = 0; i < 6; ++i) game().OnKey(key::kTab, false);
  ASSERT_EQ(session().activeNumber, 6);
  host().redrawnControls.clear();
  NextGame(kGameTypeNormal, kDifficultyEasy);
  EXPECT_EQ(session().activeNumber, 0);
  EXPECT_NE(std::find(host().redrawnControls.begin(), host().redrawnControls.end(), control::kFirstTray),
            host().redrawnControls.end());
}

// At the edge the Cursor Tile stays but still takes the focus.
TEST_F(InputTest, ArrowsAndTheNumericPadMoveTheCursorTile) {
  game().SetCursorTile(4, 4);
  const std::pair<int, std::pair<int, int>> moves[] = {
      {key::kLeft, {4, 3}},    {key::kNumpad6, {4, 4}},  {key::kUp, {3, 4}},      {key::kNumpad2, {4, 4}},
      {key::kNumpad7, {3, 3}}, {key::kNumpad3, {4, 4}},  {key::kNumpad9, {3, 5}}, {key::kNumpad1, {4, 4}},
      {key::kEnd, {4, 8}},     {key::kHome, {4, 0}},     {key::kLeft, {4, 0}},    {key::kHome, {4, 0}},
      {key::kPageUp, {0, 0}},  {key::kPageDown, {8, 0}}, {key::kNumpad4, {8, 0}}, {key::kNumpad8, {7, 0}},
      {key::kRight, {7, 1}},   {key::kDown, {8, 1}},
  };
  host().focused.clear();
  for (const auto& [code, target] : moves) {
    game().OnKey(code, false);
    EXPECT_EQ(Cursor(), target) << "key " << code;
    EXPECT_EQ(host().focused, std::vector<int>{control::TileId(target.first, target.second)}) << "key " << code;
    host().focused.clear();
  }
  EXPECT_TRUE(board().IsCursor(8, 1));
  EXPECT_FALSE(board().IsCursor(7, 1));
  EXPECT_EQ(host().invalidated.back(), ScreenArea::TileSpan(7, 1, 8, 1));
  // No numeric pad key plays.
  EXPECT_TRUE(session().playKeys.empty());
  EXPECT_EQ(session().mistakes, 0);
}

TEST_F(InputTest, EnterOpensThePlayMenuAndCtrlEnterTheNoteMenu) {
  auto [r, c] = HiddenTiles(board())[0];
  game().SetCursorTile(r, c);
  game().OnKey(key::kEnter, false);
  game().OnKey(key::kSpace, true);
  ASSERT_EQ(host().tileMenuCalls.size(), 2u);
  EXPECT_FALSE(host().tileMenuCalls[0].noteMenu);
  EXPECT_TRUE(host().tileMenuCalls[1].noteMenu);
  EXPECT_FALSE(host().tileMenuCalls[0].fromMouse);
  EXPECT_EQ(host().tileMenuCalls[0].row, r);
}

TEST_F(InputTest, EscapeAndKeysOutsidePlayDoNothing) {
  const size_t reports = host().reports.size();
  const auto cursor = Cursor();
  game().OnKey(key::kEscape, false);
  EXPECT_EQ(Cursor(), cursor);
  EXPECT_FALSE(host().ended);
  EXPECT_EQ(host().reports.size(), reports);
  EXPECT_NE(host().log.find("keyboard input received: code 27\n"), std::string::npos);

  session().gameState = GameState::Solved;
  for (int code : {key::kF2, key::kF5, key::kTab, key::kLeft, key::kDigit1 + 3}) game().OnKey(code, false);
  EXPECT_EQ(session().activeNumber, 0);
  EXPECT_EQ(Cursor(), cursor);
  EXPECT_EQ(host().newGameShownAt.size(), 1u);
  EXPECT_EQ(session().hints, 0);
}

TEST_F(InputTest, RightClicksHitTilesButNotTheGapsBetweenBlocks) {
  session().settings.actionMouseButtonRight = kSelectTile;
  int row = -1;
  for (int r = 0; r < 9 && row < 0; ++r)
    if (board().IsHidden(r, 3)) row = r;
  ASSERT_GE(row, 0);
  game().SetCursorTile(8, 8);
  const int y = 40 + 40 * row + 20 * (row / 3) + 5;
  for (int gapX : {160, 170, 179}) game().OnRightClick(gapX, y);
  EXPECT_EQ(Cursor(), std::make_pair(8, 8));
  game().OnRightClick(180, y);
  EXPECT_EQ(Cursor(), std::make_pair(row, 3));
  game().OnRightClick(440, y);  // right of the board
  EXPECT_EQ(Cursor(), std::make_pair(row, 3));
}

TEST_F(InputTest, ButtonsActOnlyWhileThePointerIsStillOverThem) {
  host().mouseOver = false;
  game().OnControlClicked(control::kFirstTray + 5);
  game().OnControlClicked(control::kHelp);
  EXPECT_EQ(session().activeNumber, 0);
  EXPECT_EQ(host().helpOpened, 0);
  host().mouseOver = true;
  game().OnControlClicked(control::kFirstTray + 5);
  game().OnControlClicked(control::kHelp);
  game().OnControlClicked(control::kPrint);
  EXPECT_EQ(session().activeNumber, 5);
  EXPECT_EQ(host().helpOpened, 1);
  EXPECT_EQ(host().printLabels, std::vector<std::string>{"Puzzle AB0, Normal - Medium"});
  EXPECT_EQ(host().mouseChecks.size(), 5u);
}

TEST_F(InputTest, NewGameWaitsWhileAHandOverIsPending) {
  for (int timer : {kChoosePlayerTimer, kNewGameTimer}) {
    game().StartGameTimer(timer, 500);
    game().OnKey(key::kF2, false);
    game().OnControlClicked(control::kNewGame);
    EXPECT_EQ(host().newGameShownAt.size(), 1u) << "timer " << timer;
    game().KillGameTimer(timer);
  }
  host().newGame = nullptr;  // cancel: the game goes on
  game().OnControlClicked(control::kNewGame);
  EXPECT_EQ(host().newGameShownAt.size(), 2u);
  EXPECT_TRUE(host().newGameInProgress.back());
  EXPECT_EQ(session().gameState, GameState::Playing);
  run->Settle();
  EXPECT_EQ(host().tipTexts.back(),
            "This is the 'New Game' menu. From here, you can create a new puzzle, or load a specific puzzle using its "
            "puzzle code.");
}

// F5 tells and counts a hint, F6 reveals a tile and tells which.
TEST_F(InputTest, HintAndFreePlayKeys) {
  game().OnKey(key::kF5, false);
  EXPECT_EQ(host().Messages().back().rfind("Hint: ", 0), 0u);
  EXPECT_EQ(session().hints, 1);
  run->Settle();
  EXPECT_EQ(host().tipTexts.back(), game().TipText(8));

  const int visible = board().VisibleTotal();
  game().OnKey(key::kF6, false);
  EXPECT_EQ(board().VisibleTotal(), visible + 1);
  EXPECT_EQ(session().freePlays, 1);
  const auto [r, c] = Cursor();
  EXPECT_TRUE(board().IsGiven(r, c));
  const std::string message = host().Messages().back();
  EXPECT_EQ(message.rfind("Free Play: The tile ", 0), 0u);
  const std::string digit(1, static_cast<char>('1' + board().TypeAt(r, c)));
  EXPECT_NE(message.find("'" + digit + "'."), std::string::npos);
}

TEST_F(InputTest, AFreePlayOnTheLastTileIsTheVictoryWithoutASentence) {
  PlayAllBut(1);
  const size_t messages = host().Messages().size();
  game().FreePlayCommand();
  EXPECT_EQ(session().gameState, GameState::Solved);
  EXPECT_EQ(host().Messages().size(), messages);
  EXPECT_EQ(session().freePlays, 0);
  EXPECT_EQ(host().results.size(), 1u);
  EXPECT_TRUE(host().results[0].perfect);
}

TEST_F(InputTest, OptionsApplyTheCopyAndOfferTheTutorialTenTimesAtMost) {
  host().options = [](PlayerSettings& settings) {
    settings.hue = 40.0f;
    settings.useTipsWindow = false;
    return OptionsAnswer::kViewTutorial;
  };
  game().OnKey(key::kF11, false);
  EXPECT_EQ(host().optionsShown, 10);
  EXPECT_EQ(host().introRuns, std::vector<bool>(10, true));
  EXPECT_EQ(host().hueShifts, std::vector<float>{-180.0f});
  EXPECT_FALSE(session().settings.useTipsWindow);
  EXPECT_EQ(host().tipsWindowHidden, 1);

  host().options = [](PlayerSettings& settings) {
    settings.hue = 300.0f;
    return OptionsAnswer::kCancel;
  };
  game().OnKey(key::kF11, false);
  EXPECT_FLOAT_EQ(session().appliedHue, 40.0f);
}

TEST_F(InputTest, F12ReplaysTheGuideFromItsSecondText) {
  game().OnTipsWindowClosed();
  game().OnKey(key::kF12, false);
  EXPECT_TRUE(session().settings.useTipsWindow);
  EXPECT_EQ(host().tipsWindowShown, 2);
  run->Advance(50);
  EXPECT_EQ(host().tipTexts.back(), game().TipText(15));
  // Tips queued while the guide runs are dropped.
  game().QueueTip(12);
  EXPECT_EQ(session().nextTip, 16);
  // The guide runs through its last text, then stops.
  for (int shown = 1; shown < 40 && host().timers.count(kTipTimer) == 1; ++shown)
    run->Advance(host().timers.at(kTipTimer).period);
  EXPECT_EQ(host().timers.count(kTipTimer), 0u);
  EXPECT_EQ(host().tipTexts.back(), game().TipText(30));
  EXPECT_EQ(host().tipTexts[host().tipTexts.size() - 2], game().TipText(29));
}

}  // namespace
}  // namespace velmora
