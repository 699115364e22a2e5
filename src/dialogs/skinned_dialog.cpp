#include "skinned_dialog.h"

#include <QFontMetrics>
#include <QPainter>
#include <QShowEvent>

#include "game_bitmap_table.h"
#include "image_operations.h"
#include "message_reporter.h"
#include "screen.h"

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

}  // namespace

SkinButton::SkinButton(int id, SkinnedDialog& dialog) : QPushButton(&dialog), id_(id), dialog_(dialog) {
  setFlat(true);
  setCursor(Qt::ArrowCursor);
}

void SkinButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  dialog_.DrawFace(painter, *this);
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

int SkinnedDialog::Ask(std::string_view text, bool question) {
  // A dialog that is not on screen (Choose Player while Create New Player runs)
  // leaves its messages to its own owner.
  QWidget* owner = isVisible() || !parentWidget() ? this : parentWidget();
  return reporter_.Report(text, question, false, false, owner);
}

}  // namespace velmora
