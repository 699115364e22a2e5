#pragma once
// The Tile menu: the types 1 to 9 and the eraser in one row, for the Play and
// Note menus. Opened from the keyboard it also has a box to type the type in.
// It opens where the player last left it, pulled back onto the desktop.
#include "game_session.h"
#include "skinned_dialog.h"

class QLineEdit;

namespace velmora {

class TileMenuDialog : public SkinnedDialog {
  Q_OBJECT
 public:
  static constexpr int kOk = 1, kCancel = 2, kEntry = 1149, kFirstType = 1151, kEraser = 1182;
  static constexpr int kEraserChoice = -1;

  TileMenuDialog(bool mouseOpened, int bottomMargin, bool noteMode, TileMenuMemory& position,
                 const GameBitmapTable* art, MessageReporter& reporter, QWidget* parent);

  // On Wayland, where no window may place itself, the menu opens as a popup
  // of the game window centred on the tile it is for (row and column).
  void OpenAtTile(int row, int column);
  // Until the menu is closed.
  void Run();

  bool Cancelled() const { return cancelled_; }
  int ChosenType() const { return chosenType_; }
  QLineEdit* EntryBox() const { return entry_; }
  // Moves a window rectangle inside the desktop, keeping bottomMargin free at its bottom.
  static QPoint PullOntoDesktop(const QRect& window, const QRect& desktop, int bottomMargin);

  int FaceOf(int id, bool pressed) const override;
  void accept() override;
  void reject() override;

 protected:
  std::vector<ControlPlace> ControlTable() const override;
  std::vector<Label> Labels() const override;
  std::optional<QPoint> FramePosition(QSize outer) const override;
  void FirstShow() override;

 private:
  void EntryChanged();
  void ShowOk(bool shown);
  void Remember();

  bool mouseOpened_;
  int bottomMargin_;
  bool noteMode_;
  TileMenuMemory& position_;
  bool cancelled_ = false;
  int chosenType_ = 0;
  QLineEdit* entry_ = nullptr;
  std::optional<QRect> tile_;  // in the game window's coordinates, for the popup
};

}  // namespace velmora
