#include "options_dialog.h"

#include "color_slider.h"
#include "skinned_dialog_service.h"

#include <QComboBox>
#include <QMouseEvent>
#include <QPainter>

namespace velmora {

namespace {

const char* const kCommands[] = {"Quick Play", "Play", "Quick Note", "Note", "Select Tile"};
const int kStatY[] = {120, 146, 172, 198, 224, 250, 276};
// Labels of the stats boxes from the bottom (Tiles Found) up.
const char* const kStatLabels[] = {"Tiles Found", "Free Plays", "Mistakes",  "Hints",
                                   "Game Type",   "Difficulty", "Game Timer"};

const std::pair<const char*, const char*> kKeys[] = {{"Arrow Keys", "Move the Cursor Tile"},
                                                     {"Page Up/Down", "Move the Cursor Tile"},
                                                     {"Home/End", "Move the Cursor Tile"},
                                                     {"Number keys 1-9", "Play"},
                                                     {"CTRL+Number key", "Note"},
                                                     {"Delete/Backspace", "Clear the Cursor Tile"},
                                                     {"Enter/Space", "Open the Play Menu"},
                                                     {"CTRL+Enter/Space", "Open the Note Menu"},
                                                     {"Tab", "Cycle the Active Number"},
                                                     {"F1", "Open the Help Page"},
                                                     {"F2", "Begin New Game"},
                                                     {"F3", "Print Puzzle"},
                                                     {"F4", "Toggle Show Guides"},
                                                     {"F5", "Hint"},
                                                     {"F6", "Free Play"},
                                                     {"F11", "Options"},
                                                     {"F12", "Play Beginner's Guide"}};
// Keys the list above has never named; they follow it on a page of their own.
const std::pair<const char*, const char*> kMoreKeys[] = {
    {"CTRL+Z", "Undo"}, {"CTRL+Y or CTRL+SHIFT+Z", "Redo"}, {"CTRL+M", "Fill In Candidates"}, {"P or Pause", "Pause"}};

std::string KeyList(const char* title, const std::pair<const char*, const char*>* begin,
                    const std::pair<const char*, const char*>* end) {
  std::string text = title;
  for (auto entry = begin; entry != end; ++entry)
    text += std::string("$n$L") + entry->first + ":$n$t$R" + entry->second;
  return text;
}

}  // namespace

const char* OptionsDialog::MouseExplanation() {
  return "$L  Each mouse button can be set to one of the"
         "$n$L  following commands."
         "$n$n$L  Quick Play:"
         "$n$L  Click to play the Active Number."
         "$n$n$L  Play:"
         "$n$L  Click to open the Play menu."
         "$n$n$L  Quick Note:"
         "$n$L  Click to make a note of the Active Number."
         "$n$n$L  Note:"
         "$n$L  Click to open the Note menu."
         "$n$n$L  Select Tile:"
         "$n$L  Click to select a tile, without making a play.";
}

std::string OptionsDialog::KeyboardExplanation() {
  return KeyList("Keyboard Commands", std::begin(kKeys), std::end(kKeys));
}

std::string OptionsDialog::MoreKeysExplanation() {
  return KeyList("More Keyboard Commands", std::begin(kMoreKeys), std::end(kMoreKeys)) +
         "$n$n$LRight-click outside the board:$n$t$RWindow menu" + "$n$LMenu key or SHIFT+F10:$n$t$RWindow menu";
}

OptionsDialog::OptionsDialog(PlayerSettings& settings, const GameBitmapTable* art, MessageReporter& reporter,
                             QWidget* parent)
    : SkinnedDialog("Op", QStringLiteral("Options"), QSize(370, 460), art, reporter, parent),
      settings_(settings),
      color_(this, reporter) {
  auto* ok = AddButton(kOk);
  auto* cancel = AddButton(kCancel);
  auto* explainMouse = AddButton(kExplainMouse);
  auto* explainKeys = AddButton(kExplainKeys);
  auto* tutorial = AddButton(kViewTutorial);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, [this] {
    result_ = kAccepted;
    done(QDialog::Accepted);
  });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  explainMouse->setAccessibleName(QStringLiteral("Explain Mouse Commands"));
  explainKeys->setAccessibleName(QStringLiteral("Explain Keyboard Commands"));
  connect(explainMouse, &QPushButton::clicked, this, [this] { ShowMessage(MouseExplanation()); });
  connect(explainKeys, &QPushButton::clicked, this, [this] {
    ShowMessage(KeyboardExplanation());
    ShowMessage(MoreKeysExplanation());
  });
  connect(tutorial, &QPushButton::clicked, this, [this] {
    viewTutorial_ = true;
    result_ = kAccepted;
    done(QDialog::Accepted);
  });
  auto* tips = AddButton(kUseTips);
  connect(tips, &QPushButton::clicked, this, [this, tips] {
    settings_.useTipsWindow = !settings_.useTipsWindow;
    tips->update();
  });
  for (int k = 0; k < kStatCount; ++k) {
    auto* box = AddButton(kFirstStat + k);
    connect(box, &QPushButton::clicked, this, [this, box, k] {
      bool* flag = StatFlag(kFirstStat + k);
      *flag = !*flag;
      box->update();
    });
  }

  if (!color_.BuildSpectrum(kSpectrumWidth, kSpectrumHeight) ||
      !color_.BuildSwatch(settings_.hue, swatchExists_, kSwatchX, kSwatchY, kSwatchWidth, kSwatchHeight))
    colorPicking_ = false;
  for (int id : {kLeftButton, kRightButton}) {
    auto* list = new QComboBox(this);
    list->setAccessibleName(id == kLeftButton ? QStringLiteral("Left Mouse Button")
                                              : QStringLiteral("Right Mouse Button"));
    AddControl(id, list);
    for (const char* command : kCommands) list->addItem(QString::fromLatin1(command));
    list->setCurrentIndex(id == kLeftButton ? settings_.actionMouseButtonLeft : settings_.actionMouseButtonRight);
    connect(list, &QComboBox::currentIndexChanged, this, [this, id] { CommandChanged(id); });
  }
  if (colorPicking_) {
    slider_ = new ColorSlider(
        *this, QRect(kSpectrumX, kSpectrumY, kSpectrumWidth, kSpectrumHeight), [this] { return settings_.hue; },
        [this](float hue) { return PickHue(hue); });
    AddControl(kColorSlider, slider_);
  }
  std::vector<int> order{kLeftButton, kRightButton, kExplainMouse, kExplainKeys, kViewTutorial, kUseTips};
  for (int k = 0; k < kStatCount; ++k) order.push_back(kFirstStat + k);
  for (int id : {kColorSlider, kCancel, kOk}) order.push_back(id);
  SetTabOrder(order);
  ok->setFocus();  // where the keyboard always began
}

bool OptionsDialog::PickHue(float hue) {
  if (!color_.BuildSwatch(hue, swatchExists_, kSwatchX, kSwatchY, kSwatchWidth, kSwatchHeight)) return false;
  settings_.hue = hue;
  if (slider_) slider_->Announce();
  return true;
}

QComboBox* OptionsDialog::CommandList(int id) const { return qobject_cast<QComboBox*>(Control(id)); }

bool* OptionsDialog::StatFlag(int id) const {
  switch (id - kFirstStat) {
    case 0: return &settings_.statClock;
    case 1: return &settings_.statGameDifficulty;
    case 2: return &settings_.statGameType;
    case 3: return &settings_.statHints;
    case 4: return &settings_.statMistakes;
    case 5: return &settings_.statFreePlays;
    case 6: return &settings_.statTilesFound;
    default: return nullptr;
  }
}

void OptionsDialog::CommandChanged(int id) {
  QComboBox* list = CommandList(id);
  const bool left = id == kLeftButton;
  int32_t& action = left ? settings_.actionMouseButtonLeft : settings_.actionMouseButtonRight;
  const int index = list ? list->currentIndex() : -1;
  if (index == action) return;
  if (index < 0) {
    LogFault(left ? "Unable to retrieve left mouse button input mode setting!"
                  : "Unable to retrieve right mouse button input mode setting!");
    LogFault(left ? "Unable to access left mouse button input mode control!"
                  : "Unable to access right mouse button input mode control!");
    return;
  }
  action = index;
}

void OptionsDialog::reject() {
  result_ = 0;
  done(QDialog::Rejected);
}

void OptionsDialog::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (colorPicking_ && event->button() == Qt::LeftButton && at.x() >= kSpectrumX &&
      at.x() <= kSpectrumX + kSpectrumWidth && at.y() >= kSpectrumY && at.y() <= kSpectrumY + kSpectrumHeight) {
    PickHue(static_cast<float>(at.x() - kSpectrumX) * 1.5f);
  }
  SkinnedDialog::mousePressEvent(event);
}

int OptionsDialog::FaceOf(int id, bool pressed) const {
  switch (id) {
    case kOk: return pressed ? 307 : 308;
    case kCancel: return pressed ? 295 : 296;
    case kExplainKeys:
    case kExplainMouse: return pressed ? 299 : 300;
    case kViewTutorial: return pressed ? 309 : 310;
    case kUseTips: return TwoStateFace(303, 304, settings_.useTipsWindow, pressed);
    default: break;
  }
  if (const bool* flag = StatFlag(id)) return TwoStateFace(303, 304, *flag, pressed);
  return 0;
}

std::vector<SkinnedDialog::ControlPlace> OptionsDialog::ControlTable() const {
  std::vector<ControlPlace> table{{kOk, 260, 422, 100, 28},          {kCancel, 10, 422, 100, 28},
                                  {kExplainMouse, 10, 65, 100, 28},  {kExplainKeys, 10, 172, 100, 28},
                                  {kViewTutorial, 10, 224, 150, 28}, {kLeftButton, 10, 30, 155, 200},
                                  {kRightButton, 200, 30, 155, 200}, {kUseTips, 10, 276, 24, 24}};
  for (int k = 0; k < kStatCount; ++k) table.push_back({kFirstStat + k, 200, kStatY[k], 24, 24});
  return table;
}

void OptionsDialog::FirstShow() {
  SkinnedDialog::FirstShow();
  // The table's height counts the open drop-down; the closed list is one row high.
  for (int id : {kLeftButton, kRightButton}) {
    QComboBox* list = CommandList(id);
    list->resize(list->width(), list->sizeHint().height());
  }
}

std::vector<SkinnedDialog::Label> OptionsDialog::Labels() const {
  std::vector<Label> labels{{Box(125, 320, 425, 340), QStringLiteral("Click below to choose a color")},
                            {Box(15, 320, 115, 340), QStringLiteral("Game Color")},
                            {Box(10, 150, 195, 170), QStringLiteral("Keyboard Commands")},
                            {Box(10, 10, 260, 30), QStringLiteral("Left Mouse Button")},
                            {Box(200, 10, 450, 30), QStringLiteral("Right Mouse Button")},
                            {Box(200, 100, 385, 120), QStringLiteral("Stats Panel Items")}};
  for (int k = 6; k <= 12; ++k)
    labels.push_back({Box(228, 435 - 26 * k, 413, 455 - 26 * k), QString::fromLatin1(kStatLabels[k - 6])});
  labels.push_back({Box(39, 278, 289, 298), QStringLiteral("Use Tips Window")});
  return labels;
}

void OptionsDialog::PaintPictures(QPainter& painter) {
  if (!colorPicking_) return;
  painter.drawImage(QPoint(kSwatchX, kSwatchY), color_.Swatch());
  painter.drawImage(QPoint(kSpectrumX, kSpectrumY), color_.Spectrum());
}

// The game's call: the dialog run for it (SkinnedDialogService).
OptionsAnswer SkinnedDialogService::Options(PlayerSettings& settings) {
  PlayerSettings edited = settings;
  OptionsDialog dialog(edited, &art_, reporter_, owner_);
  dialog.exec();
  if (dialog.Result() != OptionsDialog::kAccepted) return OptionsAnswer::kCancel;
  settings = edited;
  return dialog.ViewTutorial() ? OptionsAnswer::kViewTutorial : OptionsAnswer::kOk;
}

}  // namespace velmora
