// The life of one game: choosing the player, continuing a saved game, building
// a new one, beginning play, the victory, saving and leaving.
#include <algorithm>
#include <cmath>

#include "format_time.h"
#include "game.h"
#include "game_texts.h"
#include "player_roster.h"
#include "puzzle_builder.h"
#include "puzzle_code.h"

namespace velmora {

namespace {

// New Game keeps "Building Puzzle...." on the screen at least this long.
constexpr uint32_t kMinimumBuildingTime = 1000;
constexpr float kHueEpsilon = 0.001f;

BuildSettings ToBuildSettings(const GameSession& session) {
  BuildSettings build;
  build.typeIndex = session.settings.type;
  build.difficultyIndex = session.settings.difficulty;
  build.puzzleCode = session.settings.puzzleCode;
  build.seedCreate = static_cast<uint32_t>(session.settings.seedCreate);
  build.seedPrepare = session.settings.seedPrepare;
  build.hiddenPerType = session.hiddenPerType;
  build.minVisiblePerBlock = session.minVisiblePerBlock;
  return build;
}

}  // namespace

void Game::OnChoosePlayerTimer() {
  KillGameTimer(kChoosePlayerTimer);
  const ChoosePlayerAnswer answer = dialogs_->ChoosePlayer(roster_);
  if (answer.outcome == ChoosePlayerAnswer::kQuit) {
    host_.EndGameWindow();
  } else if (answer.outcome == ChoosePlayerAnswer::kShowAgain) {
    StartGameTimer(kChoosePlayerTimer, kChoosePlayerDelay);
  } else {
    FollowChosenPlayer(answer.newPlayer);
  }
}

// The roster's current player was just chosen: their settings, and their game
// in progress or a new one.
void Game::FollowChosenPlayer(bool newPlayer) {
  newPlayer_ = newPlayer;
  host_.Redraw(ScreenArea::WholeWindow());
  GDUSER* record = CurrentRecord();
  if (record != nullptr) session_.settings = record->settings;
  if (newPlayer_) {
    dialogs_->Intro(false, session_.settings);
  } else if (record != nullptr && record->gameActive && ContinueLastGame(*record)) {
    BeginPlay(true, record->gameTime);
    return;
  }
  StartGameTimer(kNewGameTimer, kNewGameAfterChoiceDelay);
}

bool Game::ContinueLastGame(GDUSER& record) {
  const std::string question = "Welcome back " + record.GetName() + "!\nWould you like to continue your last game?";
  const std::string details = "-Last Game Details-\nType: " + session_.settings.gameTypeName +
                              "\nDifficulty: " + session_.settings.difficultyName +
                              "\nMistakes: " + std::to_string(record.mistakes) +
                              "\nTime Played: " + FormatTime(record.gameTime, TimeStyle::Words);
  const ContinueAnswer answer = dialogs_->ContinueGame(question, details);
  host_.Redraw(ScreenArea::WholeWindow());
  if (answer != ContinueAnswer::kContinue) return false;

  const GameSnapshot saved = record.SavedGame();
  session_.playKeys.insert(session_.playKeys.end(), saved.playKeys.begin(), saved.playKeys.end());
  if (session_.settings.hue != session_.appliedHue) {
    host_.ShiftArtHue(session_.settings.hue - session_.appliedHue);
    session_.appliedHue = session_.settings.hue;
  }
  session_.blackoutCount = saved.blackoutCount;
  session_.settings.puzzleCode = saved.code;
  session_.hints = saved.hints;
  session_.mistakes = saved.mistakes;
  session_.freePlays = saved.freePlays;
  const bool ignoreMistakes = session_.settings.ignoreMistakes;
  for (int row = 0; row < kBoardSize; ++row) {
    for (int column = 0; column < kBoardSize; ++column) {
      const Tile& from = saved.board.At(row, column);
      Tile& to = board_.At(row, column);
      to.given = from.given;
      to.hidden = from.hidden;
      to.type = from.type;
      to.noteMask |= from.noteMask;
      if (ignoreMistakes) to.playedType = from.playedType;
    }
  }
  return true;
}

void Game::NewGame() {
  KillGameTimer(kNewGameTimer);
  // A new player's settings hold the colour picked on the intro's colour page
  // (the default hue when none was picked): the first game is played in it.
  PlayerSettings copy = session_.settings;
  if (session_.gameState == GameState::Playing) QueueTip(10);

  // After Change Player, the player who was playing can be gone back to.
  const bool canGoBack = session_.gameState == GameState::Playing || suspended_.has_value();
  const NewGameAnswer answer = dialogs_->NewGame(copy, canGoBack);
  const uint32_t closedAt = host_.Now();
  if (answer == NewGameAnswer::kQuit) {
    host_.EndGameWindow();
    return;
  }
  if (answer == NewGameAnswer::kCancel) {
    if (session_.gameState != GameState::Playing) ResumeSuspendedGame();
    return;
  }

  host_.ShowTileControls(false);
  session_.building = true;
  host_.Redraw(ScreenArea::WholeWindow());
  host_.Redraw(ScreenArea::BuildingText());

  if (copy.ignoreMistakes && copy.type == kGameTypePayback) {
    Message(texts::kIgnoreMistakesNotAllowedPrefix + copy.gameTypeName + texts::kIgnoreMistakesNotAllowedSuffix);
    copy.ignoreMistakes = false;
  }

  const float hueDelta = copy.hue - session_.appliedHue;
  bool shiftHue = hueDelta != 0.0f;
  if (shiftHue && std::fabs(hueDelta) < kHueEpsilon) {
    LogOnly(texts::kHueDeltaTooSmall);
    copy.hue = session_.settings.hue;
    shiftHue = false;
  }

  ResetSession();
  session_.settings = copy;
  if (shiftHue) {
    host_.ShiftArtHue(hueDelta);
    session_.appliedHue += hueDelta;
  }

  PlayerSettings& settings = session_.settings;
  int type = settings.type;
  int difficulty = settings.difficulty;
  if (!settings.puzzleCode.empty()) {
    DecodedPuzzleCode decoded;
    if (DecodePuzzleCode(settings.puzzleCode, decoded)) {
      type = decoded.typeIndex;
      difficulty = decoded.difficultyIndex;
    } else {
      settings.puzzleCode.clear();
      Fatal(texts::kInvalidPuzzleCode);
      return;
    }
  }

  if (type == kGameTypeNormal || type == kGameTypePayback) {
    if (difficulty < 0 || difficulty >= kDifficultyCount) {
      Fatal(texts::kInvalidDifficulty);
      return;
    }
    session_.hiddenPerType = kHiddenPerType[difficulty];
    session_.minVisiblePerBlock = kMinVisiblePerBlock[difficulty];
  } else if (type != kGameTypeBlackout) {
    Fatal(texts::kInvalidType);
    return;
  }

  BuildSettings build = ToBuildSettings(session_);
  PuzzleBuilder builder(board_, solver_, build, engineHost_, roster_);
  const bool built = builder.StartBuild();
  settings.type = build.typeIndex;
  settings.difficulty = build.difficultyIndex;
  settings.gameTypeName = GameTypeName(build.typeIndex);
  settings.difficultyName = DifficultyName(build.difficultyIndex);
  settings.seedCreate = static_cast<int32_t>(build.seedCreate);
  settings.seedPrepare = build.seedPrepare;

  if (!built) {
    // Nothing is being built any more; the screen should not go on saying so.
    session_.building = false;
    host_.Redraw(ScreenArea::WholeWindow());
    Message(texts::kBuildFailed);
    return;
  }
  const uint32_t elapsed = host_.Now() - closedAt;
  if (elapsed < kMinimumBuildingTime) host_.Sleep(kMinimumBuildingTime - elapsed);
  BeginPlay(false, 0);
}

void Game::BeginPlay(bool resuming, int32_t timeBefore) {
  session_.gameStart = host_.Now();
  session_.timeBefore = timeBefore;
  history_.Clear();  // each game, new or continued, starts with nothing to undo
  suspended_.reset();
  session_.blackoutCount = 0;
  if (session_.settings.type == kGameTypePayback) BeginPaybackPlay(resuming);
  keptCountdown_.reset();
  if (session_.settings.type == kGameTypeBlackout && !BeginBlackoutPlay(resuming)) return;

  StartGameTimer(kStatsTimer, kStatsPeriod);

  bool cursorSet = false;
  for (int row = 0; row < kBoardSize && !cursorSet; ++row) {
    for (int column = 0; column < kBoardSize && !cursorSet; ++column) {
      if (board_.IsGiven(row, column)) continue;
      SetCursorTile(row, column);
      cursorSet = true;
    }
  }
  if (!cursorSet) LogOnly(texts::kNoCursorTile);

  session_.building = false;
  host_.ShowTileControls(true);
  SetGameState(GameState::Playing);
  // The keyboard is on the board, at the Cursor Tile, from the first key on.
  host_.FocusControl(control::TileId(session_.cursorRow, session_.cursorColumn));
  if (session_.settings.ignoreMistakes) session_.showGuides = false;

  host_.RedrawControl(control::kNewGame);
  host_.RedrawEverything();
  if (session_.settings.useTipsWindow) ShowTipsWindow();
  if (newPlayer_) StartGameTimer(kGuideStartTimer, kGuideStartDelay);
  newPlayer_ = false;
  if (session_.settings.type == kGameTypeBlackout && session_.blackoutCount > 0) BlackoutInstruction();

  host_.SetWindowTitle(WindowTitle());
  LogText("\nT+" + std::to_string(host_.MillisecondsSinceStart()) + ": begin play\n");
}

std::string Game::PuzzleCodeText() const {
  BuildSettings code;
  code.typeIndex = session_.settings.type;
  code.difficultyIndex = session_.settings.difficulty;
  code.puzzleCode = session_.settings.puzzleCode;
  code.seedCreate = static_cast<uint32_t>(session_.settings.seedCreate);
  return CurrentPuzzleCode(code);
}

std::string Game::WindowTitle() const { return texts::kWindowTitlePrefix + PuzzleCodeText(); }

void Game::Victory() {
  SetGameState(GameState::Solved);
  KillGameTimer(kPaybackTimer);
  KillGameTimer(kStatsTimer);
  KillGameTimer(kTipTimer);
  QueueTip(7);

  PuzzleResults results;
  results.gameTime = GameTime();
  results.hints = session_.hints;
  results.mistakes = session_.mistakes;
  results.freePlays = session_.freePlays;
  results.perfect = session_.hints == 0 && session_.mistakes == 0 && session_.freePlays == 0;

  const int type = session_.settings.type;
  const int difficulty = session_.settings.difficulty;
  const int32_t completion = static_cast<int32_t>(std::max<uint32_t>(results.gameTime, 100) / 100);
  if (GDUSER* record = CurrentRecord()) {
    // Counts and sums only grow from 0 and stop at their largest value, so
    // there is always at least one game to divide by.
    const int32_t games =
        SaturatingAdd(std::max<int32_t>(record->GetResult(kResultGamesCompleted, type, difficulty), 0), 1);
    const int32_t sum =
        SaturatingAdd(std::max<int32_t>(record->GetResult(kResultTimeSum, type, difficulty), 0), completion);
    record->SetResult(kResultGamesCompleted, type, difficulty, games);
    record->SetResult(kResultTimeSum, type, difficulty, sum);
    results.averageTime = sum / games;
    // A best time of -1 stands for no completed game yet, so any time beats it.
    const int32_t best = record->GetResult(kResultBestTime, type, difficulty);
    if (best < 0 || completion < best) {
      record->SetResult(kResultBestTime, type, difficulty, completion);
      results.newBest = true;
    }
    results.bestTime = record->GetResult(kResultBestTime, type, difficulty);
  }

  results.puzzleCode = PuzzleCodeText();
  results.kind = session_.settings.gameTypeName + " - " + session_.settings.difficultyName;
  results.playKeys = session_.playKeys;
  // The win is on the disk before its results show: the results stay open as
  // long as the player likes, and a logout or a kill meanwhile loses nothing.
  // A save that fails has told the player; the results show all the same.
  static_cast<void>(SaveGame());
  dialogs_->Results(results);

  StartGameTimer(kNewGameTimer, kNewGameAfterVictoryDelay);
}

GameSnapshot Game::Snapshot() const {
  GameSnapshot game;
  game.gameActive = session_.gameState == GameState::Playing;
  game.blackoutCount = session_.blackoutCount;
  game.hints = session_.hints;
  game.mistakes = session_.mistakes;
  game.freePlays = session_.freePlays;
  game.paybackCount = session_.paybackCount;
  game.paybackTime = session_.paybackTime;
  game.playKeys = session_.playKeys;
  game.gameTime = static_cast<int32_t>(GameTime());
  game.board = board_;
  game.code = session_.settings.puzzleCode;
  game.paybackOrder = session_.paybackOrder;
  game.settings = session_.settings;
  return game;
}

bool Game::StoreGameInRecord(GDUSER& record) {
  if (record.SetFromGame(Snapshot())) return true;
  Fatal(texts::kSaveFailed);
  return false;
}

bool Game::SaveGame() {
  GDUSER* record = CurrentRecord();
  if (record == nullptr) return true;
  return StoreGameInRecord(*record) && roster_.SavePlayer(false);
}

bool Game::BetweenGames() const {
  return session_.TimerPending(kChoosePlayerTimer) || session_.TimerPending(kNewGameTimer) ||
         session_.TimerPending(kSplashTimer) || changingPlayer_;
}

void Game::OnCloseRequest() {
  if (BetweenGames()) return;
  QueueTip(6);
  // Saved before the question, so that "Puzzle saved." is true when it is
  // asked. A save that failed has told the player so; the plain question then
  // lets the player stay with the game rather than lose it.
  const bool saved = SaveGame();
  const char* question = saved && session_.gameState == GameState::Playing ? texts::kExitWhilePlaying : texts::kExit;
  const bool leave = host_.Ask(question);
  // Saved again after the answer, whatever it is, so that the time spent on
  // the question counts as played. After a failed save the player has been
  // told once; a second attempt would only say it again.
  if (saved) static_cast<void>(SaveGame());
  if (leave) host_.EndGameWindow();
}

bool Game::OnSessionEnd() {
  // Only a game in play holds progress that is not on the disk: a win is saved
  // as it happens, and outside play (a player being chosen, a new game being
  // set up) a save would write "no game" over the game a player kept.
  GDUSER* record = CurrentRecord();
  if (BetweenGames() || record == nullptr || session_.gameState != GameState::Playing) return true;
  // Nothing here waits on a person: what a save would show or stop the game
  // for goes to the log, and the caller ends the process all the same.
  std::string withheld;
  if (!record->SetFromGame(Snapshot())) {
    withheld = texts::kSaveFailed;
  } else if (roster_.SaveUserFile(roster_.CurrentPlayer(), &withheld)) {
    LogOnly(texts::kSavedAtSessionEnd);
    return true;
  }
  if (!withheld.empty()) host_.LogOnly(withheld);
  LogOnly(texts::kSaveAtSessionEndFailed);
  return false;
}

}  // namespace velmora
