#include "intro_dialog.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>

#include "color_slider.h"
#include "game_bitmap_table.h"
#include "skinned_dialog_service.h"

namespace velmora {

namespace {

const char* const kTitles[] = {"Welcome",        "Color",           "View Tutorial", "Basics",   "Game Board",
                               "Rule 1: Blocks", "Rule 2: Columns", "Rule 3: Rows",  "Examples", "Wrap Up"};

}  // namespace

const char* IntroDialog::PageTitle(int page) { return page >= 0 && page < kPageCount ? kTitles[page] : ""; }

IntroDialog::IntroDialog(int page, QPoint& position, float& hue, const GameBitmapTable* art, MessageReporter& reporter,
                         QWidget* parent)
    : SkinnedDialog("ID", QString::fromLatin1(PageTitle(page)), QSize(480, 360), art, reporter, parent, false),
      position_(position),
      hue_(hue),
      color_(this, reporter) {
  if (art && page >= 0 && page < kPageCount)
    SetBackground(art->Picture(kFirstPageIndex + page),
                  devicePixelRatioF() > 1.0 ? art->SharpPicture(kFirstPageIndex + page) : QImage());
  auto* cancel = AddButton(kCancel);
  auto* back = AddButton(kBack);
  auto* next = AddButton(kNext);
  next->setDefault(true);
  connect(back, &QPushButton::clicked, this, [this] { End(kBackResult); });
  connect(cancel, &QPushButton::clicked, this, [this] { End(kCancelResult); });
  connect(next, &QPushButton::clicked, this, [this] { End(kNextResult); });
  if (page == kColorPage) {
    hue_ = kStartHue;
    colorPage_ = color_.BuildSpectrum(kSpectrumWidth, kSpectrumHeight) &&
                 color_.BuildSwatch(kStartHue, swatchExists_, kSwatchX, kSwatchY, kSwatchWidth, kSwatchHeight);
    if (!colorPage_) LogFault("Unable to build color selection bitmaps!");
  }
  if (colorPage_) {
    slider_ = new ColorSlider(
        *this, QRect(kSpectrumX, kSpectrumY, kSpectrumWidth, kSpectrumHeight), [this] { return hue_; },
        [this](float picked) { return PickHue(picked); });
    AddControl(kColorSlider, slider_);
  }
}

bool IntroDialog::PickHue(float hue) {
  if (!color_.BuildSwatch(hue, swatchExists_, kSwatchX, kSwatchY, kSwatchWidth, kSwatchHeight)) return false;
  hue_ = hue;
  if (slider_) slider_->Announce();
  return true;
}

void IntroDialog::End(int result) {
  result_ = result;
  accept();
}

void IntroDialog::accept() {
  if (result_ == kPreset) result_ = kNextResult;
  position_ = frameGeometry().topLeft();
  done(QDialog::Accepted);
}

void IntroDialog::reject() {
  if (result_ == kPreset) result_ = kCancelResult;
  position_ = frameGeometry().topLeft();
  done(QDialog::Rejected);
}

void IntroDialog::closeEvent(QCloseEvent* event) {
  event->ignore();
  result_ = kClosedResult;
  reject();
}

std::optional<QPoint> IntroDialog::FramePosition(QSize) const { return position_; }

void IntroDialog::FirstShow() { PlaceControls(ControlTable()); }

void IntroDialog::PaintPictures(QPainter& painter) {
  if (!colorPage_) return;
  painter.drawImage(QPoint(kSwatchX, kSwatchY), color_.Swatch());
  painter.drawImage(QPoint(kSpectrumX, kSpectrumY), color_.Spectrum());
}

void IntroDialog::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (colorPage_ && event->button() == Qt::LeftButton && at.x() >= kSpectrumX &&
      at.x() <= kSpectrumX + kSpectrumWidth && at.y() >= kSpectrumY && at.y() <= kSpectrumY + kSpectrumHeight) {
    PickHue(static_cast<float>(at.x() - kSpectrumX) * 360.0f / static_cast<float>(kSpectrumWidth));
  }
  SkinnedDialog::mousePressEvent(event);
}

int IntroDialog::FaceOf(int id, bool pressed) const {
  if (id == kBack) return pressed ? 270 : 271;
  if (id == kCancel) return pressed ? 272 : 273;
  if (id == kNext) return pressed ? 274 : 275;
  return 0;
}

std::vector<SkinnedDialog::ControlPlace> IntroDialog::ControlTable() const {
  return {{kCancel, 10, 330, 80, 25}, {kBack, 320, 330, 70, 25}, {kNext, 400, 330, 70, 25}};
}

int RunIntroSequence(bool tutorialOnly, float& hue, const GameBitmapTable& art, MessageReporter& reporter,
                     QWidget* owner) {
  QPoint position = (owner ? owner->window()->frameGeometry().topLeft() : QPoint()) + QPoint(80, 60);
  const int first = tutorialOnly ? IntroDialog::kFirstTutorialPage : 0;
  int page = first;
  int shown = 0;
  while (page < IntroDialog::kPageCount) {
    IntroDialog dialog(page, position, hue, &art, reporter, owner);
    dialog.exec();
    ++shown;
    const int result = dialog.Result();
    if (result == IntroDialog::kCancelResult || result == IntroDialog::kClosedResult) break;
    if (result == IntroDialog::kBackResult) {
      if (page > 0 && !tutorialOnly) --page;
    } else {
      ++page;
    }
  }
  return shown;
}

// The game's call: the dialog run for it (SkinnedDialogService).
void SkinnedDialogService::Intro(bool tutorialOnly, PlayerSettings& settings) {
  RunIntroSequence(tutorialOnly, settings.hue, art_, reporter_, owner_);
}

}  // namespace velmora
