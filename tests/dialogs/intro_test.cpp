// The intro pages: each page's look, the colour page, and walking the
// sequence by Next, Back, Cancel, Escape and closing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

#include "dialog_rig.h"
#include "intro_dialog.h"

namespace velmora::testing {
namespace {

using Step = std::function<void(IntroDialog&)>;

void Click(IntroDialog& page, int id) { QTest::mouseClick(page.Control(id), Qt::LeftButton); }

// Answers each page of a sequence as it opens with the next step, and notes its title.
class PageScript {
 public:
  explicit PageScript(std::vector<Step> steps) : steps_(std::move(steps)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      auto* page = qobject_cast<IntroDialog*>(QApplication::activeModalWidget());
      if (!page || !page->isVisible() || page->Result() != IntroDialog::kPreset || acting_) return;
      titles.push_back(page->windowTitle());
      acting_ = true;
      if (next_ < steps_.size()) {
        steps_[next_++](*page);
      } else {
        page->reject();  // more pages than steps: stop
      }
      acting_ = false;
    });
    timer_.start(5);
  }
  QStringList titles;

 private:
  std::vector<Step> steps_;
  size_t next_ = 0;
  bool acting_ = false;
  QTimer timer_;
};

Step Next() {
  return [](IntroDialog& p) { Click(p, IntroDialog::kNext); };
}
Step Back() {
  return [](IntroDialog& p) { Click(p, IntroDialog::kBack); };
}

TEST(IntroPage, ShowsItsPictureAndTheThreeOrangeButtons) {
  DialogRig rig;
  QPoint position(200, 150);
  float hue = 10.0f;
  IntroDialog page(4, position, hue, &rig.art, rig.reporter, &rig.owner);
  ASSERT_TRUE(Open(page));
  EXPECT_EQ(page.size(), QSize(480, 360));
  EXPECT_EQ(page.Control(IntroDialog::kCancel)->geometry(), QRect(10, 330, 80, 25));
  EXPECT_EQ(page.Control(IntroDialog::kBack)->geometry(), QRect(320, 330, 70, 25));
  EXPECT_EQ(page.Control(IntroDialog::kNext)->geometry(), QRect(400, 330, 70, 25));
  EXPECT_TRUE(rig.ShowsFace(page, IntroDialog::kCancel, 273));
  EXPECT_TRUE(rig.ShowsFace(page, IntroDialog::kBack, 271));
  EXPECT_TRUE(rig.ShowsFace(page, IntroDialog::kNext, 275));
  EXPECT_TRUE(rig.ShowsFace(DialogRig::Shot(page), QRect(0, 0, 480, 320), 282));
  EXPECT_FLOAT_EQ(hue, 10.0f);
}

TEST(IntroPage, TheColourPageStartsAt220AndPicksAlongItsSpectrum) {
  DialogRig rig;
  QPoint position(100, 100);
  float hue = 10.0f;
  IntroDialog page(IntroDialog::kColorPage, position, hue, &rig.art, rig.reporter, &rig.owner);
  EXPECT_FLOAT_EQ(hue, 220.0f);
  ASSERT_TRUE(page.ColorPage());
  ASSERT_TRUE(Open(page));
  QTest::mouseClick(&page, Qt::LeftButton, Qt::NoModifier, QPoint(119, 200));
  QTest::mouseClick(&page, Qt::LeftButton, Qt::NoModifier, QPoint(300, 301));
  EXPECT_FLOAT_EQ(hue, 220.0f);
  QTest::mouseClick(&page, Qt::LeftButton, Qt::NoModifier, QPoint(470, 300));
  EXPECT_FLOAT_EQ(hue, 360.0f);
  QTest::mouseClick(&page, Qt::LeftButton, Qt::NoModifier, QPoint(295, 100));
  EXPECT_FLOAT_EQ(hue, 180.0f);
  EXPECT_EQ(DialogRig::Shot(page).pixel(60, 200) & 0xFFFFFF, 0x00FFFFu);
}

TEST(IntroSequence, NextWalksAllTenPagesAndBackOnWelcomeStays) {
  DialogRig rig;
  float hue = 10.0f;
  PageScript script(
      {Back(), Next(), Next(), Back(), Next(), Next(), Next(), Next(), Next(), Next(), Next(), Next(), Next()});
  const int shown = RunIntroSequence(false, hue, rig.art, rig.reporter, &rig.owner);
  EXPECT_EQ(shown, 13);
  EXPECT_EQ(script.titles,
            (QStringList{"Welcome", "Welcome", "Color", "View Tutorial", "Color", "View Tutorial", "Basics",
                         "Game Board", "Rule 1: Blocks", "Rule 2: Columns", "Rule 3: Rows", "Examples", "Wrap Up"}));
  // The colour page sets 220 even without a click.
  EXPECT_FLOAT_EQ(hue, 220.0f);
}

TEST(IntroSequence, TheTutorialRunsFromBasicsAndBackRepeatsThePage) {
  DialogRig rig;
  float hue = 10.0f;
  PageScript script({Next(), Back(), Next(), Next(), Next(), Next(), Next(), Next()});
  EXPECT_EQ(RunIntroSequence(true, hue, rig.art, rig.reporter, &rig.owner), 8);
  EXPECT_EQ(script.titles, (QStringList{"Basics", "Game Board", "Game Board", "Rule 1: Blocks", "Rule 2: Columns",
                                        "Rule 3: Rows", "Examples", "Wrap Up"}));
  EXPECT_FLOAT_EQ(hue, 10.0f);
}

TEST(IntroSequence, CancelEscapeAndClosingEndTheRun) {
  DialogRig rig;
  const Step enders[] = {[](IntroDialog& p) { Click(p, IntroDialog::kCancel); },
                         [](IntroDialog& p) { QTest::keyClick(&p, Qt::Key_Escape); },
                         [](IntroDialog& p) { p.close(); }};
  for (const Step& end : enders) {
    float hue = 10.0f;
    PageScript script({Next(), end});
    EXPECT_EQ(RunIntroSequence(false, hue, rig.art, rig.reporter, &rig.owner), 2);
    EXPECT_EQ(script.titles, (QStringList{"Welcome", "Color"}));
  }
}

}  // namespace
}  // namespace velmora::testing
