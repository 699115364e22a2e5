#pragma once
// A test suite over one game window in play (a new game for a player who has
// none), made once for the suite: the window tests share its set-up.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>

#include "game_window_rig.h"

namespace velmora::testing {

class PlayingWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    rig = new GameWindowRig(VELMORA_RUNTIME_DIR, false);
    playing = rig->WaitUntilPlaying();
  }
  static void TearDownTestSuite() {
    delete rig;
    rig = nullptr;
  }
  void SetUp() override { ASSERT_TRUE(playing) << "the game never began"; }

  GameDialog& Window() { return *rig->window; }
  Game& TheGame() { return rig->window->GetGame(); }
  QImage Screen() {
    QCoreApplication::processEvents();
    return Window().grab().toImage().convertToFormat(QImage::Format_RGB32);
  }

  static inline GameWindowRig* rig = nullptr;
  static inline bool playing = false;
};

}  // namespace velmora::testing
