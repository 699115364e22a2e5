#include "tile_menu_dialog.h"

#include <QEventLoop>
#include <QLineEdit>

#include "screen.h"
#include "screen_layout.h"
#include "skinned_dialog_service.h"
#include "window_system.h"

namespace velmora {

namespace {

constexpr int kButtonSize = 24;
constexpr int kCancelAlone = 82, kCancelBeside = 16, kOkX = 148, kButtonsY = 140;

}  // namespace

TileMenuDialog::TileMenuDialog(bool mouseOpened, int bottomMargin, bool noteMode, TileMenuMemory& position,
                               const GameBitmapTable* art, MessageReporter& reporter, QWidget* parent)
    : SkinnedDialog("PT", QStringLiteral("Tile"), QSize(264, 180), art, reporter, parent),
      mouseOpened_(mouseOpened),
      bottomMargin_(bottomMargin),
      noteMode_(noteMode),
      position_(position) {
  for (int n = 0; n < 9; ++n) {
    auto* button = AddButton(kFirstType + n);
    connect(button, &QPushButton::clicked, this, [this, n] {
      chosenType_ = n;
      accept();
    });
  }
  auto* eraser = AddButton(kEraser);
  connect(eraser, &QPushButton::clicked, this, [this] {
    chosenType_ = kEraserChoice;
    accept();
  });
  auto* cancel = AddButton(kCancel);
  auto* ok = AddButton(kOk);
  ok->setDefault(true);
  ok->setEnabled(false);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  entry_ = new QLineEdit(this);
  entry_->setAccessibleName(QStringLiteral("Digit, or x for the eraser"));
  AddControl(kEntry, entry_);
  entry_->setAlignment(Qt::AlignCenter);
  if (mouseOpened_) {
    entry_->setEnabled(false);
    entry_->hide();
  } else {
    entry_->setMaxLength(3);
    connect(entry_, &QLineEdit::textChanged, this, [this] { EntryChanged(); });
  }
}

QPoint TileMenuDialog::PullOntoDesktop(const QRect& window, const QRect& desktop, int bottomMargin) {
  // Right and bottom edges as the window system counts them: just outside the rectangle.
  const int right = window.left() + window.width(), bottom = window.top() + window.height();
  const int desktopRight = desktop.left() + desktop.width(), desktopBottom = desktop.top() + desktop.height();
  QPoint at = window.topLeft();
  if (window.left() < desktop.left()) {
    at.setX(desktop.left());
  } else if (right > desktopRight) {
    at.setX(window.left() - (right - desktopRight));
  }
  if (window.top() < desktop.top()) {
    at.setY(desktop.top());
  } else if (bottom > desktopBottom - bottomMargin) {
    at.setY(window.top() - (bottom - (desktopBottom - bottomMargin)));
  }
  return at;
}

void TileMenuDialog::OpenAtTile(int row, int column) {
  if (!OnWayland() || !parentWidget()) return;
  tile_ = layout::TileRect(row, column);
  // A click off the popup closes it as Cancel does.
  setWindowFlags(Qt::Popup);
}

void TileMenuDialog::Run() {
  if (!tile_) {
    exec();
    return;
  }
  // The popup holds the pointer already. Run modally, it would block the game
  // window, where the compositor leaves the keyboard (the keys are handed on to
  // the popup from there).
  setModal(false);
  QEventLoop loop;
  connect(this, &QDialog::finished, &loop, &QEventLoop::quit);
  show();
  loop.exec();
}

std::optional<QPoint> TileMenuDialog::FramePosition(QSize outer) const {
  if (tile_) {
    // Relative to the game window, which Qt turns into the popup's place on its surface.
    const QWidget* game = parentWidget()->window();
    return game->mapToGlobal(tile_->center()) - QPoint(outer.width() / 2, outer.height() / 2);
  }
  const QRect window(QPoint(position_.x, position_.y), outer);
  return PullOntoDesktop(window, DesktopWorkArea(this), bottomMargin_);
}

void TileMenuDialog::FirstShow() {
  PlaceControls(ControlTable());
  ShowOk(false);
  if (!mouseOpened_) entry_->setFocus();
}

void TileMenuDialog::ShowOk(bool shown) {
  Control(kOk)->setVisible(shown);
  Control(kOk)->setEnabled(shown);
  Control(kCancel)->move(shown ? kCancelBeside : kCancelAlone, kButtonsY);
}

void TileMenuDialog::EntryChanged() {
  const QString text = entry_->text();
  if (text.size() == 1) {
    const QChar c = text.at(0);
    if (c >= QLatin1Char('1') && c <= QLatin1Char('9')) {
      chosenType_ = c.digitValue() - 1;
      ShowOk(true);
      return;
    }
    if (c == QLatin1Char('x') || c == QLatin1Char('X')) {
      chosenType_ = kEraserChoice;
      ShowOk(true);
      return;
    }
    entry_->clear();  // not a type: refused
    return;
  }
  const QString read = text.left(2);
  if (read.size() == 2) {
    // A new character after one already there replaces it.
    entry_->setText(read.mid(1, 1));
    return;
  }
  if (read.isEmpty()) ShowOk(false);
  entry_->setCursorPosition(std::min<int>(2, static_cast<int>(entry_->text().size())));
}

// The outer corner, as the menu was placed by it.
void TileMenuDialog::Remember() {
  const QPoint at = frameGeometry().topLeft();
  position_ = {at.x(), at.y()};
}

void TileMenuDialog::accept() {
  cancelled_ = false;
  Remember();
  done(QDialog::Accepted);
}

void TileMenuDialog::reject() {
  cancelled_ = true;
  Remember();
  done(QDialog::Rejected);
}

int TileMenuDialog::FaceOf(int id, bool pressed) const {
  if (id >= kFirstType && id < kFirstType + 9) return (pressed ? 233 : 244) + (id - kFirstType);
  if (id == kEraser) return pressed ? 242 : 253;
  if (id == kCancel) return pressed ? 295 : 296;
  if (id == kOk) return pressed ? 297 : 298;
  return 0;
}

std::vector<SkinnedDialog::ControlPlace> TileMenuDialog::ControlTable() const {
  const int y = mouseOpened_ ? 78 : 40;
  std::vector<ControlPlace> table;
  for (int n = 0; n < 9; ++n) table.push_back({kFirstType + n, 12 + kButtonSize * n, y, kButtonSize, kButtonSize});
  table.push_back({kEraser, 228, y, kButtonSize, kButtonSize});
  table.push_back({kEntry, 117, 80, 30, 24});
  table.push_back({kCancel, kCancelBeside, kButtonsY, 100, 28});
  table.push_back({kOk, kOkX, kButtonsY, 100, 28});
  return table;
}

std::vector<SkinnedDialog::Label> TileMenuDialog::Labels() const {
  const QString first =
      QStringLiteral("Click on the number to ") + (noteMode_ ? "note" : "play") + (mouseOpened_ ? "." : "-");
  std::vector<Label> labels{
      {mouseOpened_ ? Box(10, 30, 254, 50) : Box(10, 10, 254, 50), first, TextFormat::kMultiLineCentred}};
  if (!mouseOpened_)
    labels.push_back(
        {Box(10, 110, 254, 160), QStringLiteral("-or type it in the box above."), TextFormat::kMultiLineCentred});
  return labels;
}

// Room the menus leave free at the bottom of the desktop; the work area already
// excludes the panels of the desktop, so nothing more is kept.
constexpr int kMenuBottomMargin = 0;

// The game's call: the dialog run for it (SkinnedDialogService).
TileMenuAnswer SkinnedDialogService::TileMenu(int row, int column, bool noteMenu, bool fromMouse,
                                              TileMenuMemory& memory) {
  TileMenuDialog dialog(fromMouse, kMenuBottomMargin, noteMenu, memory, &art_, reporter_, owner_);
  dialog.OpenAtTile(row, column);
  dialog.Run();
  if (dialog.Cancelled()) return {};
  return {true, dialog.ChosenType() == TileMenuDialog::kEraserChoice ? kTileMenuEraser : dialog.ChosenType()};
}

}  // namespace velmora
