#include "new_game_dialog.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cctype>

#include "color_slider.h"
#include "message_reporter.h"
#include "skinned_dialog_service.h"

namespace velmora {

namespace {

const char* const kDifficultyNames[] = {"Easy", "Medium", "Hard", "Expert"};
const char* const kTypeNames[] = {"Normal", "Payback", "Blackout"};
const char* const kHiddenTiles[] = {"17", "34", "48", "52"};
const int kPaybackMinutes[] = {4, 3, 2, 1};
const int kBlackoutReveals[] = {45, 36, 27, 18};

constexpr char kExplainText[] =
    "$L  Ignore Mistakes:"
    "$n$L    This is for a true 'pencil-and-paper' game."
    "$n$L    If checked, you will not be notified should"
    "$n$L  you play a tile incorrectly.  This option can"
    "$n$L  be confusing, and is recommended for"
    "$n$L  experienced players, only.";

// The raised description panel in the background.
constexpr int kPanelLeft = 140, kPanelRight = 447, kPanelTop = 9, kPanelBottom = 148;

QString Latin(const std::string& text) { return QString::fromLatin1(text.data(), static_cast<int>(text.size())); }

}  // namespace

NewGameDialog::NewGameDialog(bool cancelAllowed, PlayerSettings& settings, const GameBitmapTable* art,
                             MessageReporter& reporter, QWidget* parent)
    : SkinnedDialog("NG", QStringLiteral("New Game"), QSize(458, 460), art, reporter, parent),
      cancelAllowed_(cancelAllowed),
      settings_(settings),
      color_(this, reporter) {
  auto* begin = AddButton(kBegin);
  auto* cancel = AddButton(kCancel);
  auto* explain = AddButton(kExplain);
  for (int t = 0; t < 3; ++t) {
    auto* radio = AddButton(kFirstType + t);
    radio->setText(kTypeNames[t]);
    connect(radio, &QPushButton::clicked, this, [this, t] { SelectType(t); });
  }
  for (int d = 0; d < 4; ++d) {
    auto* radio = AddButton(kFirstDifficulty + d);
    radio->setText(kDifficultyNames[d]);
    connect(radio, &QPushButton::clicked, this, [this, d] { SelectDifficulty(d); });
  }
  auto* ignore = AddButton(kIgnoreMistakes);
  connect(ignore, &QPushButton::clicked, this, [this] { ToggleIgnoreMistakes(); });
  explain->setAccessibleName(QStringLiteral("Explain Ignore Mistakes"));
  code_ = new QLineEdit(this);
  code_->setAccessibleName(QStringLiteral("Puzzle Code"));
  AddControl(kPuzzleCode, code_);

  descriptionBuilt_ = BuildDescriptionArea();
  if (!color_.BuildSpectrum(kSpectrumWidth, kSpectrumHeight) ||
      !color_.BuildSwatch(settings_.hue, swatchExists_, kSwatchX, kSwatchY, kSwatchWidth, kSwatchHeight))
    colorPicking_ = false;
  SelectDifficulty(settings_.difficulty);
  SelectType(settings_.type);
  code_->setMaxLength(7);
  cancel->setEnabled(cancelAllowed_);

  begin->setDefault(true);
  connect(begin, &QPushButton::clicked, this, [this] { Begin(); });
  connect(cancel, &QPushButton::clicked, this, [this] { reject(); });
  connect(explain, &QPushButton::clicked, this, [this] { ShowMessage(kExplainText); });
  connect(code_, &QLineEdit::textChanged, this, [this] { CodeChanged(); });
  if (colorPicking_) {
    slider_ = new ColorSlider(
        *this, QRect(kSpectrumX, kSpectrumY, kSpectrumWidth, kSpectrumHeight), [this] { return settings_.hue; },
        [this](float hue) { return PickHue(hue); });
    AddControl(kColorSlider, slider_);
  }
  // Tab reads the dialog as a page: the choices from the top, then the buttons.
  SetTabOrder({kFirstType, kFirstType + 1, kFirstType + 2, kFirstDifficulty, kFirstDifficulty + 1, kFirstDifficulty + 2,
               kFirstDifficulty + 3, kIgnoreMistakes, kExplain, kColorSlider, kPuzzleCode, kCancel, kBegin});
  begin->setFocus();
}

bool NewGameDialog::PickHue(float hue) {
  if (!color_.BuildSwatch(hue, swatchExists_, kSwatchX, kSwatchY, kSwatchWidth, kSwatchHeight)) return false;
  settings_.hue = hue;
  if (slider_) slider_->Announce();
  return true;
}

bool NewGameDialog::BuildDescriptionArea() {
  if (descriptionBuilt_) {
    LogFault("Attempted to rebuild graph image!");
    return true;
  }
  QImage& image = MutableBackground();
  if (image.isNull() || image.width() <= kPanelRight || image.height() <= kPanelBottom) {
    LogFault("Failed to retrieve pixel data from the background image!");
    LogFault("Failed to burn description area background!");
    return false;
  }
  auto grey = [&](int x, int y, int value) {
    image.setPixel(x, y, qRgba(value, value, value, qAlpha(image.pixel(x, y))));
  };
  for (int y = kPanelTop; y <= kPanelBottom; ++y)
    for (int x = kPanelLeft; x <= kPanelRight; ++x) {
      if (x == kPanelLeft || x == kPanelRight || y == kPanelTop || y == kPanelBottom) {
        grey(x, y, 28);
      } else if (x == kPanelLeft + 1) {
        grey(x, y, 70);
      } else if (x == kPanelRight - 1) {
        grey(x, y, 78);
      } else if (y == kPanelTop + 1) {
        grey(x, y, 56);
      } else if (y == kPanelBottom - 1) {
        grey(x, y, 98);
      } else {
        const QRgb pixel = image.pixel(x, y);
        image.setPixel(x, y,
                       qRgba(std::min(qRed(pixel) + 10, 255), std::min(qGreen(pixel) + 10, 255),
                             std::min(qBlue(pixel) + 10, 255), qAlpha(pixel)));
      }
    }
  return true;
}

void NewGameDialog::SelectType(int type) {
  if (type < 0 || type > 2) {
    LogFault("Invalid game type encountered in New Game dialogue!");
    return;
  }
  settings_.type = type;
  settings_.gameTypeName = kTypeNames[type];
  for (int t = 0; t < 3; ++t) Button(kFirstType + t)->update();
  update(Box(150, 19, 450, 164));
}

void NewGameDialog::SelectDifficulty(int difficulty) {
  if (difficulty < 0 || difficulty > 3) {
    LogFault("Failed to access difficulty control!");
    return;
  }
  settings_.difficulty = difficulty;
  settings_.difficultyName = kDifficultyNames[difficulty];
  for (int d = 0; d < 4; ++d) Button(kFirstDifficulty + d)->update();
  update(Box(150, 19, 450, 164));
}

void NewGameDialog::ToggleIgnoreMistakes() {
  settings_.ignoreMistakes = !settings_.ignoreMistakes;
  if (SkinButton* box = Button(kIgnoreMistakes)) {
    box->update();
  } else {
    LogFault("Failed to access ignore mistakes control!");
  }
}

std::string NewGameDialog::Description() const {
  const int type = settings_.type;
  const int d = settings_.difficulty;
  if (type < 0 || type > 2) {
    LogFault("INVALID GAME TYPE FOUND WHILE DRAWING DESCRIPTION STRING!");
    return {};
  }
  if (d < 0 || d > 3) {
    LogFault(type == 0 ? "INVALID NORMAL GAME DIFFICULTY FOUND WHILE DRAWING DESCRIPTION STRING!"
                       : "INVALID PAYBACK GAME DIFFICULTY FOUND WHILE DRAWING DESCRIPTION STRING!");
    return {};
  }
  std::string text = std::string(kTypeNames[type]) + " - " + kDifficultyNames[d] + ":\n";
  if (type == 0) {
    text += "In this game type, you will be given\n";
    text += "a standard Sudoku puzzle.\n";
    text += std::string("It will have roughly ") + kHiddenTiles[d] + " hidden tiles.";
  } else if (type == 1) {
    const std::string minutes = std::to_string(kPaybackMinutes[d]) + " minute" + (kPaybackMinutes[d] > 1 ? "s" : "");
    text += "In this game type, you must find a\n";
    text += "tile every " + minutes + ".  If you do, an\n";
    text += "additional " + minutes + " will be added.\n";
    text += "However, if the time runs out, one of\n";
    text += "your tiles will be hidden at random.";
  } else {
    const int reveal = kBlackoutReveals[d];
    text += "In this game type, you design your\n";
    text += "own puzzle. You will begin the game\n";
    text += "by choosing " + std::to_string(reveal) + " tile" + (reveal > 1 ? "s" : "") + " to reveal.\n";
    text += "Your goal is to solve the puzzle\n";
    text += "with as few mistakes as possible.";
  }
  return text;
}

bool NewGameDialog::IsValidCode(const std::string& code) {
  if (code.size() < 2 || code.size() > 7) return false;
  if (code[0] < 'A' || code[0] > 'C' || code[1] < 'A' || code[1] > 'D') return false;
  int number = 0;
  for (size_t i = 2; i < code.size(); ++i) {
    if (code[i] < '0' || code[i] > '9') return false;
    number = number * 10 + (code[i] - '0');
  }
  return number < 50000;
}

void NewGameDialog::CodeChanged() {
  std::string text = code_->text().left(7).toStdString();
  bool changed = false;
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') {
      c = static_cast<char>(c - 'a' + 'A');
      changed = true;
    } else if (!std::isalnum(static_cast<unsigned char>(c))) {
      break;
    }
  }
  if (!changed) return;
  code_->setText(Latin(text));
  code_->setCursorPosition(static_cast<int>(code_->text().size()));
}

void NewGameDialog::Begin() {
  settings_.puzzleCode.clear();
  const std::string code = code_->text().toStdString();
  if (!code.empty()) {
    if (!IsValidCode(code)) {
      ShowMessage("This Puzzle Code is not valid.");
      code_->clear();
      return;
    }
    settings_.puzzleCode = code;
  }
  accept();
}

void NewGameDialog::reject() {
  if (cancelAllowed_) {
    cancelled_ = true;
    done(QDialog::Rejected);
    return;
  }
  if (Ask("Exit now?")) {
    exitProgram_ = true;
    done(QDialog::Rejected);
  }
}

void NewGameDialog::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (colorPicking_ && at.x() >= kSpectrumX && at.x() <= kSpectrumX + kSpectrumWidth && at.y() >= kSpectrumY &&
      at.y() <= kSpectrumY + kSpectrumHeight && event->button() == Qt::LeftButton) {
    PickHue(static_cast<float>(at.x() - kSpectrumX) * 360.0f / static_cast<float>(kSpectrumWidth));
  }
  SkinnedDialog::mousePressEvent(event);
}

int NewGameDialog::FaceOf(int id, bool pressed) const {
  if (id == kBegin) return pressed ? 305 : 306;
  if (id == kCancel) return pressed ? 295 : 296;
  if (id == kExplain) return pressed ? 299 : 300;
  if (id >= kFirstType && id < kFirstType + 3)
    return TwoStateFace(301, 302, settings_.type == id - kFirstType, pressed);
  if (id >= kFirstDifficulty && id < kFirstDifficulty + 4)
    return TwoStateFace(301, 302, settings_.difficulty == id - kFirstDifficulty, pressed);
  if (id == kIgnoreMistakes) return TwoStateFace(303, 304, settings_.ignoreMistakes, pressed);
  return 0;
}

std::vector<SkinnedDialog::ControlPlace> NewGameDialog::ControlTable() const {
  std::vector<ControlPlace> table{{kBegin, 298, 400, 150, 50},
                                  {kCancel, 10, 400, 100, 28},
                                  {kExplain, 150, 234, 100, 28},
                                  {kPuzzleCode, 188, 425, 100, 24},
                                  {kIgnoreMistakes, 150, 200, 24, 24}};
  for (int t = 0; t < 3; ++t) table.push_back({kFirstType + t, 20, 40 + 30 * t, 24, 24});
  for (int d = 0; d < 4; ++d) table.push_back({kFirstDifficulty + d, 20, 170 + 30 * d, 24, 24});
  return table;
}

void NewGameDialog::FirstShow() {
  SkinnedDialog::FirstShow();
  if (!cancelAllowed_) Control(kCancel)->hide();
  Control(kBegin)->setFocus();
}

std::vector<SkinnedDialog::Label> NewGameDialog::Labels() const {
  std::vector<Label> labels;
  labels.push_back({Box(188, 400, 288, 424), QStringLiteral("Puzzle Code")});
  for (int k = 1; k <= 4; ++k)
    labels.push_back({Box(49, 172 + 30 * (k - 1), 149, 192 + 30 * (k - 1)), kDifficultyNames[k - 1]});
  for (int k = 5; k <= 7; ++k)
    labels.push_back({Box(49, 42 + 30 * (k - 5), 149, 62 + 30 * (k - 5)), kTypeNames[k - 5]});
  labels.push_back({Box(140, 290, 440, 315), QStringLiteral("Click below to choose a color")});
  labels.push_back({Box(10, 290, 110, 315), QStringLiteral("Game Color")});
  const std::string description = Description();
  if (description.empty()) return labels;  // the remaining labels are not drawn
  labels.push_back({Box(150, 19, 450, 164), Latin(description), TextFormat::kMultiLineTopLeft});
  labels.push_back({Box(10, 145, 260, 170), QStringLiteral("Game Difficulty")});
  labels.push_back({Box(10, 15, 260, 40), QStringLiteral("Game Type")});
  labels.push_back({Box(179, 200, 429, 225), QStringLiteral("Ignore Mistakes (advanced)")});
  return labels;
}

void NewGameDialog::PaintPictures(QPainter& painter) {
  if (!colorPicking_) return;
  painter.drawImage(QPoint(kSwatchX, kSwatchY), color_.Swatch());
  painter.drawImage(QPoint(kSpectrumX, kSpectrumY), color_.Spectrum());
}

// The game's call: the dialog run for it (SkinnedDialogService).
NewGameAnswer SkinnedDialogService::NewGame(PlayerSettings& settings, bool gameInProgress) {
  // The dialog edits a copy; the game takes it only when a game is to begin.
  PlayerSettings edited = settings;
  NewGameDialog dialog(gameInProgress, edited, &art_, reporter_, owner_);
  dialog.exec();
  if (dialog.ExitProgram()) return NewGameAnswer::kQuit;
  if (dialog.Cancelled()) return NewGameAnswer::kCancel;
  settings = edited;
  return NewGameAnswer::kOk;
}

}  // namespace velmora
