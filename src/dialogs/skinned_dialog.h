#pragma once
// The frame every secondary window of the game shares: a modal dialog of fixed
// client size, painted entirely from the game's art. Its background is a copy
// of the generic dialog background (bitmap 288) with the dark border applied at
// the client size; its buttons, radio buttons and check boxes are faces of the
// game bitmap table; its labels are white text over a dark shadow. Each dialog
// gives its control table, its faces, its labels and its log prefix.
#include <QDialog>
#include <QFocusEvent>
#include <QFont>
#include <QImage>
#include <QMargins>
#include <QPixmap>
#include <QPushButton>
#include <QRect>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine_host.h"

namespace velmora {

class GameBitmapTable;
class MessageReporter;
class SkinnedDialog;

// An owner-drawn push button: its look is the face its dialog chooses for it.
class SkinButton : public QPushButton {
  Q_OBJECT
 public:
  SkinButton(int id, SkinnedDialog& dialog);
  int Id() const { return id_; }
  SkinnedDialog& Dialog() const { return dialog_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  int id_;
  SkinnedDialog& dialog_;
};

class SkinnedDialog : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kGenericBackgroundId = 288;
  // The id of the keyboard's colour control, where a dialog has one (color_slider.h).
  static constexpr int kColorSlider = 2000;

  // Where a control goes, in client pixels.
  struct ControlPlace {
    int id, x, y, width, height;
  };
  enum class TextFormat {
    kLabel,              // one line, centred vertically, left-aligned
    kCentredBottom,      // one line, centred horizontally, on the bottom edge
    kMultiLineTopLeft,   // breaks at "\n" only, from the top-left
    kMultiLineCentred,   // breaks at "\n" only, each line centred, from the top
    kSingleLineCentred,  // one line, centred both ways
    kSingleLineRight     // one line, centred vertically, right-aligned
  };
  struct Label {
    QRect rect;
    QString text;
    TextFormat format = TextFormat::kLabel;
  };

  // prefix: the dialog's two-letter log prefix ("" for none). The background
  // is made here unless genericBackground is false (the message dialog brings
  // its own).
  SkinnedDialog(std::string prefix, const QString& title, QSize client, const GameBitmapTable* art,
                MessageReporter& reporter, QWidget* parent, bool genericBackground = true);
  ~SkinnedDialog() override;

  // The face each owner-drawn control shows: a bitmap id, or 0 when the
  // dialog does not draw that control (logged).
  virtual int FaceOf(int id, bool pressed) const = 0;

  // The rule of radio buttons (301 clear, 302 chosen) and check boxes (303,
  // 304): a control that is on shows the on look, and the other look while the
  // mouse holds it down; a control that is off the opposite.
  static int TwoStateFace(int clearLook, int onLook, bool on, bool pressed) {
    return on != pressed ? onLook : clearLook;
  }
  // The font every dialog text is drawn in, and the height of one of its rows.
  static const QFont& DefaultFont();
  static int RowHeight();
  // Rectangles as left, top, right, bottom (right and bottom outside).
  static QRect Box(int left, int top, int right, int bottom) {
    return QRect(QPoint(left, top), QSize(right - left, bottom - top));
  }
  // Draws text twice: dark at the rectangle, then white one pixel up and left.
  static void DrawShadowText(QPainter& painter, const QRect& rect, const QString& text, TextFormat format);

  // What assistive technology is told. A control's kind and state come from
  // its face: the radio button's and the check box's looks, or a push
  // button's. Its name is the one it was given (setAccessibleName), else a
  // radio button's or a check box's label beside it, else the caption its
  // face shows.
  enum class ControlKind { kPush, kRadio, kCheck };
  ControlKind KindOf(const SkinButton& button) const;
  bool IsOn(const SkinButton& button) const;
  QString SpokenName(const SkinButton& button) const;
  // The dialog's painted words that name no control, one label a line; an
  // alert is named by them (the message dialog, Puzzle Results).
  virtual QString SpokenText() const;
  virtual bool SpokenAsAlert() const { return false; }
  // Once the player moves the keyboard between the controls (Tab, an arrow),
  // the control that has it shows a frame; never before, so that the dialog
  // looks as it always did to a player who uses the mouse.
  bool ShowsKeyboardFocus() const { return keyboardFocus_; }
  void KeyboardFocusMoved();
  // A control got the keyboard: by a key that moves it, the frame shows from now on.
  void KeyboardFocusArrived(const QFocusEvent& event);
  // The frame around the control that has the keyboard, inside its rectangle.
  static void DrawFocusFrame(QPainter& painter, const QRect& rect);

  const QImage& Background() const { return background_; }
  bool LaidOut() const { return laidOut_; }
  QWidget* Control(int id) const;
  SkinButton* Button(int id) const;
  // Paints the face of an owner-drawn control; used by SkinButton.
  void DrawFace(QPainter& painter, SkinButton& button);

 protected:
  SkinButton* AddButton(int id);
  void AddControl(int id, QWidget* widget);
  // The order Tab takes through the controls, by id.
  void SetTabOrder(const std::vector<int>& ids);
  // Places each control of the table; an id the dialog does not know is logged.
  void PlaceControls(const std::vector<ControlPlace>& table);
  // `sharp` is the same picture at twice the size (device pixel ratio 2), shown
  // instead on a scaled screen; null when there is none.
  void SetBackground(QImage background, QImage sharp = QImage()) {
    background_ = std::move(background);
    sharpBackground_ = std::move(sharp);
    backgroundView_ = QImage();
  }
  // For pictures burnt into the background once. The screen then shows this
  // background at every scale, unless the dialog burns the same pictures into
  // MutableSharpBackground() too.
  QImage& MutableBackground() {
    backgroundView_ = QImage();
    sharpBackground_ = QImage();
    return background_;
  }
  QImage& MutableSharpBackground() {
    backgroundView_ = QImage();
    return sharpBackground_;
  }
  void SetClientSize(QSize client);
  // Where the window's outer corner goes when it is first shown, for an outer
  // size of client plus frame: centred on the parent window (none without a
  // parent: the window system places it). Dialogs that keep their own
  // position override it.
  virtual std::optional<QPoint> FramePosition(QSize outer) const;
  // The first-show work: size and place the controls.
  virtual void FirstShow();
  virtual std::vector<ControlPlace> ControlTable() const = 0;
  // What the log says of a control the dialog has no face for.
  virtual const char* UnknownFaceText() const { return "Invalid ID found while drawing ownder-drawn control!"; }
  virtual std::vector<Label> Labels() const { return {}; }
  // Pictures the dialog paints after its labels.
  virtual void PaintPictures(QPainter&) {}

  // A log-only line: prefix, " - ", text.
  void LogFault(std::string_view text) const;
  // A message or a yes/no question over this dialog (true for yes).
  void ShowMessage(std::string_view text) { Report(text, ReportKind::kMessage); }
  [[nodiscard]] bool Ask(std::string_view question) { return Report(question, ReportKind::kQuestion); }
  MessageReporter& Reporter() const { return reporter_; }
  const GameBitmapTable* Art() const { return art_; }

  void setVisible(bool visible) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  bool Report(std::string_view text, ReportKind kind);
  // Puts the window where FramePosition says before the window manager frames
  // it, counting on the frame the parent window has, and once the real frame
  // is known places it again if that frame differs.
  void PlaceWindow();

  const QPixmap* Face(int bitmapId);
  // The label drawn just right of a control, or null.
  const Label* LabelBeside(const QRect& control, const std::vector<Label>& labels) const;
  // After a click: each radio button and check box that turned tells it.
  void AnnounceStateChanges();

  std::string prefix_;
  QSize client_;
  const GameBitmapTable* art_;
  MessageReporter& reporter_;
  QImage background_;
  QImage sharpBackground_;
  QImage backgroundView_;  // what is drawn: a view of the background's own pixels
  std::map<int, QPixmap> faces_;
  std::map<int, QWidget*> controls_;
  bool laidOut_ = false;
  bool placed_ = false;
  QMargins expectedFrame_;
  bool keyboardFocus_ = false;
  bool keyMoving_ = false;          // the key being pressed may move the keyboard
  std::map<int, bool> toldStates_;  // the on/off state each two-state control was last told as
};

}  // namespace velmora
