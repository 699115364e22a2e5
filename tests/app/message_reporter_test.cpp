#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "fake_platform.h"
#include "game_log.h"
#include "message_reporter.h"

namespace velmora {
namespace {

class NoDataMessages : public SystemMessageBox {
 public:
  void Show(std::string_view, std::string_view) override {}
};

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class ReporterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = std::filesystem::temp_directory_path() /
             ("velmora-reporter-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder);
  }
  void TearDown() override { std::filesystem::remove_all(folder); }
  void MakeReady() {
    reporter.SetBackgroundsBuilder([](std::array<QImage, 3>& images) {
      images = {QImage(400, 150, QImage::Format_ARGB32), QImage(400, 300, QImage::Format_ARGB32),
                QImage(400, 450, QImage::Format_ARGB32)};
      return true;
    });
  }

  std::filesystem::path folder;
  NoDataMessages dataMessages;
  GameLog log{dataMessages};
  testing::RecordingMessageBoxes boxes;
  MessageReporter reporter{log, boxes, [] { return 1234u; }};
};

TEST_F(ReporterTest, BeforeTheBackgroundsExistEverythingIsOnlyLogged) {
  ASSERT_TRUE(log.Open((folder / "game.log").string()));
  reporter.ShowMessage("hello");
  reporter.Fatal("stop");  // before readiness, a fatal report goes on
  EXPECT_TRUE(boxes.shown.empty());
  log.Close();
  EXPECT_EQ(ReadFile(folder / "game.log"), "game message: hello\r\ngame message: stop\r\n");
}

// The backgrounds are made for each message from the art as it is then, so a
// colour change between two messages shows in the second.
TEST_F(ReporterTest, ABuilderMakesTheBackgroundsForEachMessage) {
  QRgb colour = qRgb(10, 20, 30);
  reporter.SetBackgroundsBuilder([&colour](std::array<QImage, 3>& images) {
    for (QImage& image : images) {
      image = QImage(400, 450, QImage::Format_ARGB32);
      image.fill(colour);
    }
    return true;
  });
  EXPECT_TRUE(reporter.IsReady());
  EXPECT_EQ(reporter.Backgrounds()[2].pixel(0, 0), qRgb(10, 20, 30));
  colour = qRgb(200, 100, 0);
  EXPECT_EQ(reporter.Backgrounds()[0].pixel(5, 5), qRgb(200, 100, 0));
}

TEST_F(ReporterTest, MessagesQuestionsAndLogOnlyLines) {
  MakeReady();
  ASSERT_TRUE(reporter.IsReady());
  reporter.LogOnly("just the log");
  EXPECT_TRUE(boxes.shown.empty());

  reporter.ShowMessage("A notice.");
  boxes.answer = kResultYes;
  EXPECT_TRUE(reporter.Ask("Continue?"));
  boxes.answer = kResultNo;
  EXPECT_FALSE(reporter.Ask("Continue?"));
  ASSERT_EQ(boxes.shown.size(), 3u);
  EXPECT_EQ(boxes.shown[0].text, "A notice.");
  EXPECT_EQ(boxes.shown[0].buttons, MessageButtons::Ok);
  EXPECT_EQ(boxes.shown[1].buttons, MessageButtons::YesNo);
}

TEST_F(ReporterTest, TheGamesOwnDialogTakesOverShowing) {
  MakeReady();
  std::string seen;
  reporter.SetPresenter([&](std::string_view text, bool question, QWidget*) {
    seen = std::string(text);
    return question;
  });
  EXPECT_TRUE(reporter.Ask("Sure?"));
  EXPECT_EQ(seen, "Sure?");
  EXPECT_TRUE(boxes.shown.empty());
}

// The process status is the low byte of -1, and the log keeps the report that
// stopped the program.
TEST_F(ReporterTest, AFatalReportIsLoggedAndEndsWithStatus255) {
  MakeReady();
  ASSERT_TRUE(log.Open((folder / "game.log").string()));
  EXPECT_EXIT(reporter.Fatal("INVALID BOARD FOUND!"), ::testing::ExitedWithCode(255), "");
  EXPECT_EQ(ReadFile(folder / "game.log"), "game message: INVALID BOARD FOUND!\r\n");
}

TEST_F(ReporterTest, WithTheLogOffNothingIsWritten) {
  EXPECT_FALSE(log.IsOn());
  reporter.LogOnly("quiet");
  EXPECT_TRUE(std::filesystem::is_empty(folder));
  unsetenv(kLogVariable);
  EXPECT_FALSE(log.OpenFromEnvironment());
  setenv(kLogVariable, (folder / "env.log").c_str(), 1);
  EXPECT_TRUE(log.OpenFromEnvironment());
  unsetenv(kLogVariable);
  reporter.LogOnly("on");
  log.Close();
  EXPECT_EQ(ReadFile(folder / "env.log"), "game message: on\r\n");
}

}  // namespace
}  // namespace velmora
