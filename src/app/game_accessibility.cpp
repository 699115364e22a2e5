#include "game_accessibility.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QPointer>
#include <QWindow>

#include "accessibility.h"
#include "control_button.h"
#include "game_dialog.h"
#include "screen_layout.h"
#include "tips_window.h"

namespace velmora {

namespace {

QString Qt8(const std::string& text) { return QString::fromStdString(text); }

GameDialog* WindowOf(const QWidget* control) {
  return control ? qobject_cast<GameDialog*>(control->parentWidget()) : nullptr;
}

bool IsTray(int id) { return (id >= control::kFirstTray && id <= control::kLastTray) || id == control::kEraser; }
int TrayRow(int id) { return id == control::kEraser ? 9 : id - control::kFirstTray; }

// The rectangle of part of the window (client coordinates) on the screen.
QRect OnScreen(const QWidget& window, const QRect& area) {
  return a11y::ScreenPixels(QRect(window.mapToGlobal(area.topLeft()), area.size()));
}

class BoardAccessible;
class StatusAccessible;

// The game window: its children are the board, the status, and its controls
// but the tiles, which are the board's cells.
class GameWindowAccessible : public QAccessibleWidget {
 public:
  explicit GameWindowAccessible(GameDialog* window);
  ~GameWindowAccessible() override;

  GameDialog* Window() const { return static_cast<GameDialog*>(widget()); }
  QAccessibleInterface* Board() const { return QAccessible::accessibleInterface(board_); }
  QAccessibleInterface* Status() const { return QAccessible::accessibleInterface(status_); }

  int childCount() const override { return 2 + static_cast<int>(Others().size()); }
  QAccessibleInterface* child(int index) const override {
    if (index == 0) return Board();
    if (index == 1) return Status();
    const std::vector<QWidget*> others = Others();
    if (index < 2 || index - 2 >= static_cast<int>(others.size())) return nullptr;
    return QAccessible::queryAccessibleInterface(others[static_cast<size_t>(index - 2)]);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    if (!child) return -1;
    if (child == Board()) return 0;
    if (child == Status()) return 1;
    const std::vector<QWidget*> others = Others();
    for (size_t i = 0; i < others.size(); ++i)
      if (child->object() == others[i]) return static_cast<int>(i) + 2;
    return -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    for (int i = 0; i < childCount(); ++i) {
      QAccessibleInterface* candidate = child(i);
      if (candidate && !candidate->state().invisible && candidate->rect().contains(x, y)) return candidate;
    }
    return nullptr;
  }
  QRect rect() const override { return a11y::ScreenPixels(QAccessibleWidget::rect()); }
  // The player's name, drawn at the top right.
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Description && Window()->GetGame().DrawsPlayTexts())
      return Qt8("Player " + Window()->GetGame().PlayerNameText());
    return QAccessibleWidget::text(t);
  }

 private:
  // Every child control of the window but the tiles, in the order of creation.
  std::vector<QWidget*> Others() const {
    std::vector<QWidget*> others;
    for (QObject* object : widget()->children()) {
      auto* child = qobject_cast<QWidget*>(object);
      if (!child || child->isWindow()) continue;
      if (auto* button = qobject_cast<ControlButton*>(child); button && control::IsTile(button->Id())) continue;
      others.push_back(child);
    }
    return others;
  }

  QAccessible::Id board_ = 0;
  QAccessible::Id status_ = 0;
};

GameWindowAccessible* WindowAccessible(GameDialog* window) {
  return window ? dynamic_cast<GameWindowAccessible*>(QAccessible::queryAccessibleInterface(window)) : nullptr;
}

// The board: a table of 9 x 9 cells, read row by row. It stands for no widget
// of its own; its cells are the tile controls.
class BoardAccessible : public QAccessibleInterface, public QAccessibleTableInterface {
 public:
  explicit BoardAccessible(GameDialog* window) : window_(window) {}

  bool isValid() const override { return !window_.isNull(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return window_ ? window_->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(window_.data()); }
  QAccessibleInterface* child(int index) const override {
    return index >= 0 && index < kTileCount ? cellAt(index / kBoardSize, index % kBoardSize) : nullptr;
  }
  int childCount() const override { return window_ ? kTileCount : 0; }
  int indexOfChild(const QAccessibleInterface* child) const override {
    const auto* button = child ? qobject_cast<const ControlButton*>(child->object()) : nullptr;
    if (!button || !control::IsTile(button->Id())) return -1;
    return control::TileRow(button->Id()) * kBoardSize + control::TileColumn(button->Id());
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    for (int i = 0; i < kTileCount; ++i)
      if (QAccessibleInterface* cell = child(i); cell && cell->rect().contains(x, y)) return cell;
    return nullptr;
  }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return QStringLiteral("Board");
    if (t == QAccessible::Description)
      return QStringLiteral(
          "9 rows of 9 tiles. Arrow keys move the Cursor Tile; a digit plays it, "
          "Control and a digit notes it; Tab changes the Active Number.");
    return {};
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    if (!window_) return {};
    return OnScreen(*window_, {layout::kBoardOrigin, layout::kBoardOrigin, layout::kBoardSize, layout::kBoardSize});
  }
  QAccessible::Role role() const override { return QAccessible::Table; }
  QAccessible::State state() const override {
    QAccessible::State state;
    const ControlButton* first = window_ ? window_->Control(control::TileId(0, 0)) : nullptr;
    if (!first || first->isHidden()) state.invisible = true;
    if (!first || !first->isEnabled()) state.disabled = true;
    return state;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::TableInterface ? static_cast<QAccessibleTableInterface*>(this) : nullptr;
  }

  // QAccessibleTableInterface
  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override {
    if (!window_ || row < 0 || row >= kBoardSize || column < 0 || column >= kBoardSize) return nullptr;
    return QAccessible::queryAccessibleInterface(window_->Control(control::TileId(row, column)));
  }
  int selectedCellCount() const override { return static_cast<int>(selectedCells().size()); }
  QList<QAccessibleInterface*> selectedCells() const override {
    QList<QAccessibleInterface*> cells;
    if (!window_) return cells;
    const GameSession& session = window_->GetGame().Session();
    if (QAccessibleInterface* cell = cellAt(session.cursorRow, session.cursorColumn)) cells.push_back(cell);
    return cells;
  }
  QString columnDescription(int column) const override { return QStringLiteral("column %1").arg(column + 1); }
  QString rowDescription(int row) const override { return QStringLiteral("row %1").arg(row + 1); }
  int columnCount() const override { return kBoardSize; }
  int rowCount() const override { return kBoardSize; }
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override { return 0; }
  QList<int> selectedColumns() const override { return {}; }
  QList<int> selectedRows() const override { return {}; }
  bool isColumnSelected(int) const override { return false; }
  bool isRowSelected(int) const override { return false; }
  bool selectRow(int) override { return false; }
  bool selectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }
  void modelChange(QAccessibleTableModelChangeEvent*) override {}

 private:
  QPointer<GameDialog> window_;
};

// The tiles left, the mistakes and the time, as the game says them.
class StatusAccessible : public QAccessibleInterface {
 public:
  explicit StatusAccessible(GameDialog* window) : window_(window) {}

  bool isValid() const override { return !window_.isNull(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return window_ ? window_->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(window_.data()); }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name || !window_) return {};
    return Qt8(window_->GetGame().StatusSpoken());
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override { return window_ ? OnScreen(*window_, layout::kStatsPanelArea) : QRect(); }
  QAccessible::Role role() const override { return QAccessible::StatusBar; }
  QAccessible::State state() const override {
    QAccessible::State state;
    state.readOnly = true;
    return state;
  }

 private:
  QPointer<GameDialog> window_;
};

GameWindowAccessible::GameWindowAccessible(GameDialog* window) : QAccessibleWidget(window, QAccessible::Dialog) {
  board_ = QAccessible::registerAccessibleInterface(new BoardAccessible(window));
  status_ = QAccessible::registerAccessibleInterface(new StatusAccessible(window));
}

GameWindowAccessible::~GameWindowAccessible() {
  QAccessible::deleteAccessibleInterface(board_);
  QAccessible::deleteAccessibleInterface(status_);
}

// One tile: a cell of the board, at its row and column.
class TileAccessible : public QAccessibleWidget, public QAccessibleTableCellInterface {
 public:
  explicit TileAccessible(ControlButton* tile) : QAccessibleWidget(tile, QAccessible::Cell) {}

  int Id() const { return static_cast<ControlButton*>(widget())->Id(); }
  GameDialog* Window() const { return WindowOf(widget()); }

  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name) return QAccessibleWidget::text(t);
    GameDialog* window = Window();
    return window ? Qt8(window->GetGame().TileSpoken(rowIndex(), columnIndex())) : QString();
  }
  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.selectable = true;
    state.selected = isSelected();
    return state;
  }
  QAccessibleInterface* parent() const override {
    GameWindowAccessible* window = WindowAccessible(Window());
    return window ? window->Board() : QAccessibleWidget::parent();
  }
  QRect rect() const override { return a11y::ScreenPixels(QAccessibleWidget::rect()); }
  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TableCellInterface) return static_cast<QAccessibleTableCellInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  // QAccessibleTableCellInterface
  bool isSelected() const override {
    GameDialog* window = Window();
    return window && window->GetGame().GetBoard().IsCursor(rowIndex(), columnIndex());
  }
  QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
  int columnIndex() const override { return control::TileColumn(Id()); }
  int rowIndex() const override { return control::TileRow(Id()); }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override { return parent(); }
};

// A tray button, the Eraser, Show Guides or another command button.
class ControlAccessible : public QAccessibleWidget {
 public:
  explicit ControlAccessible(ControlButton* button)
      : QAccessibleWidget(button, button->Id() == control::kShowGuides ? QAccessible::CheckBox : QAccessible::Button) {}

  int Id() const { return static_cast<ControlButton*>(widget())->Id(); }

  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name) return QAccessibleWidget::text(t);
    const GameDialog* window = WindowOf(widget());
    if (IsTray(Id()) && window) return Qt8(const_cast<GameDialog*>(window)->GetGame().TraySpoken(TrayRow(Id())));
    return Qt8(Game::CommandSpoken(Id()));
  }
  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    GameDialog* window = WindowOf(widget());
    if (!window) return state;
    const GameSession& session = window->GetGame().Session();
    if (Id() == control::kShowGuides) {
      state.checkable = true;
      state.checked = session.showGuides;
    } else if (IsTray(Id())) {
      state.selectable = true;
      const int32_t active = session.activeNumber;
      const bool eraser = active < 0 || active > 8;
      state.selected = Id() == control::kEraser ? eraser : !eraser && TrayRow(Id()) == active;
    }
    return state;
  }
  QRect rect() const override { return a11y::ScreenPixels(QAccessibleWidget::rect()); }
};

// The tips window: its text is its description.
class TipsAccessible : public QAccessibleWidget {
 public:
  explicit TipsAccessible(TipsWindow* tips) : QAccessibleWidget(tips, QAccessible::Window) {}
  QString text(QAccessible::Text t) const override {
    const auto* tips = static_cast<TipsWindow*>(widget());
    if (t == QAccessible::Description) return tips->TextHidden() ? QString() : Qt8(tips->Text());
    return QAccessibleWidget::text(t);
  }
  QRect rect() const override { return a11y::ScreenPixels(QAccessibleWidget::rect()); }
};

// The notice over the board (why Undo did nothing): an alert, spoken as it shows.
class NoticeAccessible : public QAccessibleWidget {
 public:
  explicit NoticeAccessible(QLabel* notice) : QAccessibleWidget(notice, QAccessible::AlertMessage) {}
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return static_cast<QLabel*>(widget())->text();
    return QAccessibleWidget::text(t);
  }
  QRect rect() const override { return a11y::ScreenPixels(QAccessibleWidget::rect()); }
};

QAccessibleInterface* GameInterfaces(const QString& className, QObject* object) {
  // The window's one label is the notice (told apart by its parent: Qt may ask before it has a name).
  if (className == QLatin1String("QLabel") && qobject_cast<GameDialog*>(object->parent()))
    return new NoticeAccessible(static_cast<QLabel*>(object));
  if (className == QLatin1String("velmora::ControlButton")) {
    auto* button = static_cast<ControlButton*>(object);
    if (!WindowOf(button)) return nullptr;
    if (control::IsTile(button->Id())) return new TileAccessible(button);
    return new ControlAccessible(button);
  }
  if (className == QLatin1String("velmora::GameDialog"))
    return new GameWindowAccessible(static_cast<GameDialog*>(object));
  if (className == QLatin1String("velmora::TipsWindow")) return new TipsAccessible(static_cast<TipsWindow*>(object));
  return nullptr;
}

}  // namespace

void InstallGameAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(GameInterfaces);
    return true;
  }();
  static_cast<void>(installed);
}

GameAnnouncer::Told GameAnnouncer::TellingOf(QAccessibleInterface& face) {
  const QAccessible::State state = face.state();
  return {face.text(QAccessible::Name).toStdString(), state.checked || state.selected};
}

void GameAnnouncer::ControlRedrawn(int controlId) {
  if (!a11y::Listening()) return;
  QWidget* control = window_.Control(controlId);
  QAccessibleInterface* face = control ? QAccessible::queryAccessibleInterface(control) : nullptr;
  if (!face) return;
  const Told now = TellingOf(*face);
  const auto told = told_.find(controlId);
  const bool known = told != told_.end();
  const bool renamed = !known || told->second.name != now.name;
  const bool turned = known && told->second.on != now.on;
  told_[controlId] = now;
  if (renamed) {
    QAccessibleEvent event(control, QAccessible::NameChanged);
    a11y::Announce(event);
  }
  if (!turned) return;
  if (controlId == control::kShowGuides) {
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(control, changed);
    a11y::Announce(event);
  } else {
    QAccessibleEvent event(control, now.on ? QAccessible::SelectionAdd : QAccessible::SelectionRemove);
    a11y::Announce(event);
  }
}

void GameAnnouncer::StatusRedrawn() {
  if (!a11y::Listening()) return;
  // The clock moves on every half second: only the counts are news.
  const std::string now = window_.GetGame().StatusSpoken(false);
  if (now == status_) return;
  status_ = now;
  GameWindowAccessible* window = WindowAccessible(&window_);
  if (QAccessibleInterface* status = window ? window->Status() : nullptr) {
    QAccessibleEvent event(status, QAccessible::NameChanged);
    a11y::Announce(event);
  }
}

void GameAnnouncer::Forget() {
  told_.clear();
  status_.clear();
  if (!a11y::Listening()) return;
  std::vector<int> ids{control::kEraser, control::kShowGuides};
  for (int id = control::kFirstTile; id <= control::kLastTray; ++id) ids.push_back(id);
  for (int id : ids)
    if (QAccessibleInterface* face = QAccessible::queryAccessibleInterface(window_.Control(id)))
      told_[id] = TellingOf(*face);
  status_ = window_.GetGame().StatusSpoken(false);
}

}  // namespace velmora
