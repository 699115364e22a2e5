#include "skinned_dialog.h"

#include <QAccessible>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QShowEvent>
#include <algorithm>

#include "accessibility.h"
#include "dialog_accessibility.h"
#include "game_bitmap_table.h"
#include "image_operations.h"
#include "message_reporter.h"
#include "screen.h"
#include "window_system.h"

namespace velmora {

namespace {

constexpr QRgb kShadow = qRgb(32, 32, 32);
constexpr QRgb kText = qRgb(255, 255, 255);

int FlagsOf(SkinnedDialog::TextFormat format) {
  using F = SkinnedDialog::TextFormat;
  switch (format) {
    case F::kLabel: return Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    case F::kCentredBottom: return Qt::AlignHCenter | Qt::AlignBottom | Qt::TextSingleLine;
    case F::kMultiLineTopLeft: return Qt::AlignLeft | Qt::AlignTop;
    case F::kMultiLineCentred: return Qt::AlignHCenter | Qt::AlignTop;
    case F::kSingleLineCentred: return Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine;
    case F::kSingleLineRight: return Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine;
  }
  return Qt::AlignLeft | Qt::AlignTop;
}

// The caption each push button's face shows, by its normal look.
QString CaptionOfFace(int face) {
  if (face >= 244 && face <= 252) return QString::number(face - 243);  // the Tile menu's digits
  switch (face) {
    case 253: return QStringLiteral("Eraser");
    case 271: return QStringLiteral("Back");
    case 273:
    case 296: return QStringLiteral("Cancel");
    case 275: return QStringLiteral("Next");
    case 290: return QStringLiteral("Add Player");
    case 292: return QStringLiteral("Play");
    case 294: return QStringLiteral("Remove Player");
    case 298: return QStringLiteral("Done");
    case 300: return QStringLiteral("Explain");
    case 306: return QStringLiteral("Begin");
    case 308: return QStringLiteral("OK");
    case 310: return QStringLiteral("Learn to Play");
    case 315: return QStringLiteral("No");
    case 317: return QStringLiteral("Yes");
    default: return {};
  }
}

}  // namespace

SkinButton::SkinButton(int id, SkinnedDialog& dialog) : QPushButton(&dialog), id_(id), dialog_(dialog) {
  setFlat(true);
  setCursor(Qt::ArrowCursor);
}

void SkinButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  dialog_.DrawFace(painter, *this);
  if (hasFocus() && dialog_.ShowsKeyboardFocus()) SkinnedDialog::DrawFocusFrame(painter, rect());
}

void SkinButton::focusInEvent(QFocusEvent* event) {
  QPushButton::focusInEvent(event);
  dialog_.KeyboardFocusArrived(*event);
  update();
}

void SkinButton::focusOutEvent(QFocusEvent* event) {
  QPushButton::focusOutEvent(event);
  update();
}

SkinnedDialog::SkinnedDialog(std::string prefix, const QString& title, QSize client, const GameBitmapTable* art,
                             MessageReporter& reporter, QWidget* parent, bool genericBackground)
    : QDialog(parent), prefix_(std::move(prefix)), client_(client), art_(art), reporter_(reporter) {
  setWindowTitle(title);
  // Modal and of fixed size: a title and a close button, nothing to minimise or maximise.
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFont(DefaultFont());
  setModal(true);
  setFixedSize(client_);
  InstallDialogAccessibility();
  if (!genericBackground) return;
  ImageOperations operations(reporter_);
  // Only the part under the window is ever drawn, so only that part is kept.
  QImage generic = art_ ? art_->Picture(GameBitmapTable::IndexOf(kGenericBackgroundId)) : QImage();
  if (generic.width() >= client_.width() && generic.height() >= client_.height())
    generic = generic.copy(QRect(QPoint(0, 0), client_));
  if (!art_ || !operations.DuplicateBitmap(generic, background_)) {
    LogFault("Failed to create background image!");
    return;
  }
  if (!operations.ApplyBorder(background_, client_.width(), client_.height()))
    LogFault("Failed to apply border to background image!");
}

SkinnedDialog::~SkinnedDialog() = default;

const QFont& SkinnedDialog::DefaultFont() {
  static const QFont font = [] {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(13);
    f.setStyleHint(QFont::SansSerif);
    return f;
  }();
  return font;
}

int SkinnedDialog::RowHeight() {
  static const int height = QFontMetrics(DefaultFont()).height();
  return height;
}

void SkinnedDialog::DrawShadowText(QPainter& painter, const QRect& rect, const QString& text, TextFormat format) {
  const int flags = FlagsOf(format);
  painter.setPen(QColor(kShadow));
  painter.drawText(rect, flags, text);
  painter.setPen(QColor(kText));
  painter.drawText(rect.translated(-1, -1), flags, text);
}

QWidget* SkinnedDialog::Control(int id) const {
  const auto found = controls_.find(id);
  return found == controls_.end() ? nullptr : found->second;
}

SkinButton* SkinnedDialog::Button(int id) const { return qobject_cast<SkinButton*>(Control(id)); }

SkinButton* SkinnedDialog::AddButton(int id) {
  auto* button = new SkinButton(id, *this);
  button->setAutoDefault(false);
  AddControl(id, button);
  return button;
}

void SkinnedDialog::AddControl(int id, QWidget* widget) {
  widget->setParent(this);
  controls_[id] = widget;
}

void SkinnedDialog::SetClientSize(QSize client) {
  client_ = client;
  setFixedSize(client_);
}

void SkinnedDialog::PlaceControls(const std::vector<ControlPlace>& table) {
  for (const ControlPlace& place : table) {
    QWidget* control = Control(place.id);
    if (!control) {
      LogFault("Invalid ID found while setting control dimensions!");
      continue;
    }
    control->setGeometry(place.x, place.y, place.width, place.height);
  }
}

std::optional<QPoint> SkinnedDialog::FramePosition(QSize outer) const {
  QWidget* parent = parentWidget() ? parentWidget()->window() : nullptr;
  if (!parent) return std::nullopt;
  const QRect frame = parent->frameGeometry();
  return QPoint(frame.left() + frame.width() / 2 - outer.width() / 2,
                frame.top() + frame.height() / 2 - outer.height() / 2);
}

void SkinnedDialog::PlaceWindow() {
  setFixedSize(client_);
  // On Wayland the compositor places a window (a dialog over the game window
  // it is a transient child of); only a popup goes where its owner says.
  if (OnWayland()) {
    if (windowType() == Qt::Popup)
      if (const std::optional<QPoint> at = FramePosition(client_)) move(*at);
    return;
  }
  // The window manager frames a dialog as it framed the game window.
  QWidget* parent = parentWidget() ? parentWidget()->window() : nullptr;
  expectedFrame_ = FrameMargins(parent);
  const auto outer = [this](QMargins frame) {
    return client_ + QSize(frame.left() + frame.right(), frame.top() + frame.bottom());
  };
  const std::optional<QPoint> at = FramePosition(outer(expectedFrame_));
  if (!at) return;
  MoveWindowFrame(this, *at, expectedFrame_);
  WhenFramed(this, [this, outer](QMargins frame) {
    if (frame == expectedFrame_) return;
    if (const std::optional<QPoint> corrected = FramePosition(outer(frame))) MoveWindowFrame(this, *corrected);
  });
}

void SkinnedDialog::FirstShow() {
  setFixedSize(client_);
  PlaceControls(ControlTable());
}

void SkinnedDialog::setVisible(bool visible) {
  // Placed before the window is shown, so that the window manager puts the
  // frame, not the client area, at the chosen corner.
  if (visible && !placed_) {
    placed_ = true;
    PlaceWindow();
  }
  QDialog::setVisible(visible);
}

void SkinnedDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (laidOut_) return;
  FirstShow();
  laidOut_ = true;
  // Connected after the dialog's own handlers, so that each click is told
  // once the dialog has acted on it.
  for (const auto& [id, control] : controls_) {
    control->installEventFilter(this);  // for the keys that move the keyboard between controls
    if (auto* button = qobject_cast<SkinButton*>(control))
      connect(button, &QAbstractButton::clicked, this, [this] { AnnounceStateChanges(); });
  }
  AnnounceStateChanges();
}

// Tab and Shift+Tab from any control, an arrow from a button (the arrows
// edit a text box, a list and the colour) may move the keyboard: seen here
// before the control acts on the key. A control that then gets the keyboard
// for Tab (KeyboardFocusArrived) shows the frame. Qt's focus reason alone will
// not tell: a dialog being shown hands its first control the keyboard as Tab
// would, and an arrow that finds no other control moves nothing.
bool SkinnedDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    const bool tab = key == Qt::Key_Tab || key == Qt::Key_Backtab;
    const bool arrow = key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
    keyMoving_ = tab || (arrow && qobject_cast<SkinButton*>(watched));
  }
  return QDialog::eventFilter(watched, event);
}

void SkinnedDialog::KeyboardFocusArrived(const QFocusEvent& event) {
  const bool tab = event.reason() == Qt::TabFocusReason || event.reason() == Qt::BacktabFocusReason;
  if (tab && keyMoving_) KeyboardFocusMoved();
  keyMoving_ = false;
}

SkinnedDialog::ControlKind SkinnedDialog::KindOf(const SkinButton& button) const {
  switch (FaceOf(button.Id(), false)) {
    case 301:
    case 302: return ControlKind::kRadio;
    case 303:
    case 304: return ControlKind::kCheck;
    default: return ControlKind::kPush;
  }
}

bool SkinnedDialog::IsOn(const SkinButton& button) const {
  const int face = FaceOf(button.Id(), false);
  return face == 302 || face == 304;
}

const SkinnedDialog::Label* SkinnedDialog::LabelBeside(const QRect& control, const std::vector<Label>& labels) const {
  for (const Label& label : labels) {
    const int gap = label.rect.left() - (control.x() + control.width());
    const bool sameRow = label.rect.top() < control.y() + control.height() && control.y() < label.rect.bottom();
    if (gap >= 0 && gap <= 12 && sameRow) return &label;
  }
  return nullptr;
}

QString SkinnedDialog::SpokenName(const SkinButton& button) const {
  if (!button.accessibleName().isEmpty()) return button.accessibleName();
  if (KindOf(button) != ControlKind::kPush) {
    const std::vector<Label> labels = Labels();
    if (const Label* label = LabelBeside(button.geometry(), labels)) return label->text;
  }
  return CaptionOfFace(FaceOf(button.Id(), false));
}

QString SkinnedDialog::SpokenText() const {
  const std::vector<Label> labels = Labels();
  std::vector<const Label*> naming;
  QStringList names;
  for (const auto& [id, control] : controls_) {
    names << control->accessibleName();
    const auto* button = qobject_cast<const SkinButton*>(control);
    if (button && KindOf(*button) != ControlKind::kPush)
      if (const Label* label = LabelBeside(button->geometry(), labels)) naming.push_back(label);
  }
  QStringList lines;
  for (const Label& label : labels)
    if (std::find(naming.begin(), naming.end(), &label) == naming.end() && !names.contains(label.text))
      lines << label.text;
  return lines.join(QLatin1Char('\n'));
}

void SkinnedDialog::KeyboardFocusMoved() {
  if (keyboardFocus_) return;
  keyboardFocus_ = true;
  if (QWidget* focused = focusWidget()) focused->update();
}

void SkinnedDialog::DrawFocusFrame(QPainter& painter, const QRect& rect) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setBrush(Qt::NoBrush);
  // Dark outside and white inside: it shows on every face and background.
  painter.setPen(QPen(QColor(kShadow), 1));
  painter.drawRect(rect.adjusted(0, 0, -1, -1));
  painter.setPen(QPen(QColor(kText), 1));
  painter.drawRect(rect.adjusted(1, 1, -2, -2));
  painter.restore();
}

void SkinnedDialog::SetTabOrder(const std::vector<int>& ids) {
  for (size_t i = 1; i < ids.size(); ++i) {
    QWidget* before = Control(ids[i - 1]);
    QWidget* after = Control(ids[i]);
    if (before && after) setTabOrder(before, after);
  }
}

void SkinnedDialog::AnnounceStateChanges() {
  for (const auto& [id, control] : controls_) {
    const auto* button = qobject_cast<const SkinButton*>(control);
    if (!button || KindOf(*button) == ControlKind::kPush) continue;
    const bool on = IsOn(*button);
    const auto told = toldStates_.find(id);
    const bool changed = told != toldStates_.end() && told->second != on;
    toldStates_[id] = on;
    if (!changed) continue;
    QAccessible::State checked;
    checked.checked = true;
    QAccessibleStateChangeEvent event(control, checked);
    a11y::Announce(event);
  }
}

void SkinnedDialog::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (background_.isNull()) {
    painter.fillRect(rect(), Qt::black);
    LogFault("Unable to select game bitmap while drawing!");
  } else {
    const bool sharp = !sharpBackground_.isNull() && devicePixelRatioF() > 1.0;
    if (backgroundView_.isNull()) backgroundView_ = ImageOperations::OpaqueView(sharp ? sharpBackground_ : background_);
    const int scale = backgroundView_.devicePixelRatio() > 1.0 ? 2 : 1;
    // A picture smaller than the window (an intro page's file may be) leaves black around it.
    if (backgroundView_.width() < client_.width() * scale || backgroundView_.height() < client_.height() * scale)
      painter.fillRect(rect(), Qt::black);
    // Between the scales 1 and 2 the large picture is reduced smoothly.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, sharp && devicePixelRatioF() < 2.0);
    painter.drawImage(QPoint(0, 0), backgroundView_, QRect(QPoint(0, 0), client_ * scale));
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  }
  painter.setFont(DefaultFont());
  for (const Label& label : Labels()) DrawShadowText(painter, label.rect, label.text, label.format);
  PaintPictures(painter);
}

const QPixmap* SkinnedDialog::Face(int bitmapId) {
  const auto found = faces_.find(bitmapId);
  if (found != faces_.end()) return &found->second;
  if (!art_ || bitmapId < imaging::kFirstBitmapId || bitmapId >= imaging::kFirstBitmapId + GameBitmapTable::Size())
    return nullptr;
  // The large picture on a scaled screen: the same size in the dialog, finer.
  // The dialog keeps it while it is open; the table does not.
  const QImage sharp = devicePixelRatioF() > 1.0 ? art_->SharpPicture(GameBitmapTable::IndexOf(bitmapId)) : QImage();
  const QImage& image = !sharp.isNull() ? sharp : art_->ById(bitmapId);
  if (image.isNull()) return nullptr;
  return &faces_.emplace(bitmapId, QPixmap::fromImage(ImageOperations::OpaqueView(image))).first->second;
}

void SkinnedDialog::DrawFace(QPainter& painter, SkinButton& button) {
  if (!art_) return;
  const int bitmapId = FaceOf(button.Id(), button.isDown());
  if (bitmapId == 0) {
    LogFault(UnknownFaceText());
    return;
  }
  const QPixmap* face = Face(bitmapId);
  if (!face) {
    LogFault("Failed to select a bitmap into the device context!");
    return;
  }
  // The face is laid from the control's top-left and repeats if the control is
  // larger. A large face is reduced smoothly between the scales 1 and 2.
  const qreal ratio = painter.deviceTransform().m11();
  painter.setRenderHint(QPainter::SmoothPixmapTransform, face->devicePixelRatio() > ratio);
  painter.drawTiledPixmap(button.rect(), *face);
}

void SkinnedDialog::LogFault(std::string_view text) const {
  std::string line = prefix_.empty() ? std::string() : prefix_ + " - ";
  line += text;
  reporter_.LogOnly(line);
}

bool SkinnedDialog::Report(std::string_view text, ReportKind kind) {
  // A dialog that is not on screen (Choose Player while Create New Player runs)
  // leaves its messages to its own owner.
  QWidget* owner = isVisible() || !parentWidget() ? this : parentWidget();
  return reporter_.Report(text, kind, owner);
}

}  // namespace velmora
