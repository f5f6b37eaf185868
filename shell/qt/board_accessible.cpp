#include "shell/qt/board_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>
#include <array>

#include "rules/board_geometry.h"
#include "shell/commands.h"
#include "shell/qt/board_view.h"
#include "shell/speech.h"

namespace {

// The side panel's texts, as children after the 64 squares, in this order.
enum PanelText { TURN, COUNT1, COUNT2, CLOCK1, CLOCK2, ANNOUNCEMENT, PANEL_TEXTS };
constexpr int SQUARES = 64;
// Where each text stands in the panel, in the game's pixels: the turn dots' column, the count
// fields, the clocks, the message box.
constexpr int PANEL_RECTS[PANEL_TEXTS][4] = {{380, 145, 14, 120}, {417, 116, 28, 20},
                                             {417, 216, 28, 20},  {400, 145, 104, 20},
                                             {400, 245, 104, 20}, {371, 285, 140, 46}};

QString spoken(const SpeechText& said) {
  return QString::fromUtf8(said.text);
}

class BoardAccessible;

// A square: child index (y - 1) * 8 + (x - 1), row y - 1 and column x - 1 of the table.
class SquareAccessible final : public QAccessibleInterface, public QAccessibleTableCellInterface {
 public:
  SquareAccessible(BoardAccessible* table, int index) : table_(table), index_(index) {}

  int x() const { return index_ % 8 + 1; }
  int y() const { return index_ / 8 + 1; }

  bool isValid() const override;
  QObject* object() const override { return nullptr; }
  QWindow* window() const override;
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override;
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text t) const override {
    return t == QAccessible::Name ? spoken(squareSpeech(x(), y())) : QString();
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override;
  QAccessible::Role role() const override { return QAccessible::Cell; }
  QAccessible::State state() const override;
  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TableCellInterface)
      return static_cast<QAccessibleTableCellInterface*>(this);
    return nullptr;
  }

  // QAccessibleTableCellInterface
  bool isSelected() const override { return false; }
  QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
  int columnIndex() const override { return x() - 1; }
  int rowIndex() const override { return y() - 1; }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override;

 private:
  BoardAccessible* table_;
  int index_;
};

// One of the panel's texts, readable as text too, so that a change can carry its new text.
class PanelTextAccessible final : public QAccessibleInterface, public QAccessibleTextInterface {
 public:
  PanelTextAccessible(BoardAccessible* table, int which) : table_(table), which_(which) {}

  bool isValid() const override;
  QObject* object() const override { return nullptr; }
  QWindow* window() const override;
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override;
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text t) const override;
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override;
  QAccessible::Role role() const override { return QAccessible::StaticText; }
  QAccessible::State state() const override {
    QAccessible::State s;
    s.readOnly = true;
    return s;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return nullptr;
  }

  // QAccessibleTextInterface: the name, read only, with no caret and no selection.
  void selection(int, int* start, int* end) const override { *start = *end = 0; }
  int selectionCount() const override { return 0; }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  int cursorPosition() const override { return 0; }
  void setCursorPosition(int) override {}
  QString text(int start, int end) const override {
    return text(QAccessible::Name).mid(start, end - start);
  }
  int characterCount() const override { return static_cast<int>(text(QAccessible::Name).size()); }
  QRect characterRect(int) const override { return QRect(); }
  int offsetAtPoint(const QPoint&) const override { return -1; }
  void scrollToSubstring(int, int) override {}
  QString attributes(int, int* start, int* end) const override {
    *start = 0;
    *end = characterCount();
    return QString();
  }

 private:
  BoardAccessible* table_;
  int which_;
};

class BoardAccessible final : public QAccessibleWidget, public QAccessibleTableInterface {
 public:
  // Made when a reader first asks for the board: the names it can read now are the ones told.
  explicit BoardAccessible(QWidget* view) : QAccessibleWidget(view, QAccessible::Table) {
    for (int i = 0; i < childCount(); ++i)
      told_[static_cast<size_t>(i)] = child(i)->text(QAccessible::Name);
    toldFocus_ = keyFocusSquare().code();
  }
  // The squares and texts are Qt's to delete at its end too; each goes only if still there.
  ~BoardAccessible() override {
    for (size_t i = 0; i < children_.size(); ++i) {
      if (children_[i] && QAccessible::accessibleInterface(ids_[i]) == children_[i])
        QAccessible::deleteAccessibleInterface(ids_[i]);
    }
  }

  // The game's pixel (px, py) of the view on the screen.
  QRect screenRect(int px, int py, int width, int height) const {
    const QRect whole = QAccessibleWidget::rect();
    return QRect(whole.x() + px, whole.y() + py, width, height);
  }
  bool hasKeyFocus() const { return widget()->hasFocus(); }
  const QString& announcement() const { return announcement_; }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return QString::fromUtf8(SPEECH_BOARD);
    if (t == QAccessible::Description) return announcement_;
    return QAccessibleWidget::text(t);
  }
  int childCount() const override { return SQUARES + PANEL_TEXTS; }
  QAccessibleInterface* child(int index) const override {
    if (index < 0 || index >= childCount()) return nullptr;
    QAccessibleInterface*& made = children_[static_cast<size_t>(index)];
    if (!made) {
      auto* self = const_cast<BoardAccessible*>(this);
      made = index < SQUARES ? static_cast<QAccessibleInterface*>(new SquareAccessible(self, index))
                             : new PanelTextAccessible(self, index - SQUARES);
      ids_[static_cast<size_t>(index)] = QAccessible::registerAccessibleInterface(made);
    }
    return made;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    for (int i = 0; i < childCount(); ++i) {
      if (children_[static_cast<size_t>(i)] == child) return i;
    }
    return -1;
  }
  QAccessibleInterface* childAt(int sx, int sy) const override {
    const QRect whole = QAccessibleWidget::rect();
    const int x = squareAtPixel(sx - whole.x());
    const int y = squareAtPixel(sy - whole.y());
    return x && y ? cellAt(y - 1, x - 1) : nullptr;
  }
  QAccessibleInterface* focusChild() const override {
    if (!hasKeyFocus()) return nullptr;
    const Square s = keyFocusSquare();
    return cellAt(s.y - 1, s.x - 1);
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  // QAccessibleTableInterface: eight rows 1..8 of eight columns a..h, nothing selectable.
  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override {
    if (row < 0 || row >= 8 || column < 0 || column >= 8) return nullptr;
    return child(row * 8 + column);
  }
  int selectedCellCount() const override { return 0; }
  QList<QAccessibleInterface*> selectedCells() const override { return {}; }
  QString columnDescription(int column) const override {
    return QString::fromLatin1(squareName(column + 1, 1).text, 1);
  }
  QString rowDescription(int row) const override { return QString::number(row + 1); }
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override { return 0; }
  int columnCount() const override { return 8; }
  int rowCount() const override { return 8; }
  QList<int> selectedColumns() const override { return {}; }
  QList<int> selectedRows() const override { return {}; }
  bool isColumnSelected(int) const override { return false; }
  bool isRowSelected(int) const override { return false; }
  bool selectRow(int) override { return false; }
  bool selectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }
  void modelChange(QAccessibleTableModelChangeEvent*) override {}

  // Sends NameChanged for every child whose name differs from the one last told, and Focus
  // when the keys' square has moved; then the announcement.
  void tellChanges(const QString& said) {
    const QString before = announcement_;
    if (!said.isEmpty()) announcement_ = said;
    for (int i = 0; i < childCount(); ++i) {
      QAccessibleInterface* c = child(i);
      const QString name = c->text(QAccessible::Name);
      QString& told = told_[static_cast<size_t>(i)];
      if (name == told && !(i == SQUARES + ANNOUNCEMENT && !said.isEmpty())) continue;
      told = name;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
      if (i == SQUARES + ANNOUNCEMENT) continue;  // said by the announcement event below
#endif
      QAccessibleEvent changed(c, QAccessible::NameChanged);
      QAccessible::updateAccessibility(&changed);
    }
    const Square focus = keyFocusSquare();
    if (hasKeyFocus() && focus.code() != toldFocus_) {
      toldFocus_ = focus.code();
      QAccessibleEvent moved(cellAt(focus.y - 1, focus.x - 1), QAccessible::Focus);
      QAccessible::updateAccessibility(&moved);
    }
    if (said.isEmpty()) return;
    // The announcement's text is replaced by an event that carries the new text itself, so a
    // reader that asks only later (after the computer's reply, say) still has each one.
    QAccessibleTextUpdateEvent replaced(child(SQUARES + ANNOUNCEMENT), 0, before, said);
    QAccessible::updateAccessibility(&replaced);
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent event(widget(), said);
    QAccessible::updateAccessibility(&event);
#else
    // No announcement event before Qt 6.8: the board's description changes with it, which a
    // reader says for the object that has the focus.
    QAccessibleEvent described(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&described);
#endif
  }

 private:
  mutable std::array<QAccessibleInterface*, SQUARES + PANEL_TEXTS> children_{};
  mutable std::array<QAccessible::Id, SQUARES + PANEL_TEXTS> ids_{};
  std::array<QString, SQUARES + PANEL_TEXTS> told_;  // each child's name when last told
  int toldFocus_ = 0;                                // the keys' square code when last told
  QString announcement_;                             // the latest, until the next
};

bool SquareAccessible::isValid() const {
  return table_->isValid();
}
QWindow* SquareAccessible::window() const {
  return table_->window();
}
QAccessibleInterface* SquareAccessible::parent() const {
  return table_;
}
QAccessibleInterface* SquareAccessible::table() const {
  return table_;
}
QRect SquareAccessible::rect() const {
  return table_->screenRect(tileLeft(x()), tileTop(y()), TILE_SIZE, TILE_SIZE);
}
QAccessible::State SquareAccessible::state() const {
  QAccessible::State s;
  s.focusable = true;
  s.readOnly = true;
  s.focused = table_->hasKeyFocus() && table_->focusChild() == this;
  return s;
}

bool PanelTextAccessible::isValid() const {
  return table_->isValid();
}
QWindow* PanelTextAccessible::window() const {
  return table_->window();
}
QAccessibleInterface* PanelTextAccessible::parent() const {
  return table_;
}
QString PanelTextAccessible::text(QAccessible::Text t) const {
  if (t != QAccessible::Name) return QString();
  switch (which_) {
    case TURN:
      return spoken(sideToMoveSpeech());
    case COUNT1:
    case COUNT2:
      return spoken(discCountSpeech(which_ - COUNT1 + 1));
    case CLOCK1:
    case CLOCK2:
      return spoken(clockSpeech(which_ - CLOCK1 + 1));
    default:
      return table_->announcement();
  }
}
QRect PanelTextAccessible::rect() const {
  const int* r = PANEL_RECTS[which_];
  return table_->screenRect(r[0], r[1], r[2], r[3]);
}

QAccessibleInterface* boardFactory(const QString&, QObject* object) {
  if (auto* view = dynamic_cast<BoardView*>(object)) return new BoardAccessible(view);
  return nullptr;
}

}  // namespace

void installBoardAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(boardFactory);
    return true;
  }();
  (void)installed;
}

void updateBoardAccessible(QWidget* view, const QString& announcement) {
  // With no reader listening there is nobody to tell, and the names are not even built.
  if (!view || !QAccessible::isActive()) return;
  if (auto* board = dynamic_cast<BoardAccessible*>(QAccessible::queryAccessibleInterface(view)))
    board->tellChanges(announcement);
}
