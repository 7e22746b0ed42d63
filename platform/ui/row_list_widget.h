#pragma once

#include <QListWidget>
#include <QPersistentModelIndex>
#include <QSize>

// The list box of dialogs and forms: one column of one-line rows, all of one height.
//
// QListView places its rows by walking every one of them after each insert or remove, even
// with uniform item sizes, and the walk runs again before the next paint, click or change of
// the current row.  With rows of one height in one column a row's place is arithmetic, so this
// view answers the geometry questions (where a row is, which row is at a point, the scroll
// ranges, the rows to paint, where the cursor keys lead) from the row count and one row's size,
// and an insert or remove costs what one row costs.  The answers are those QListView gives for
// the same rows.
//
// Whenever a setting leaves that simple shape (wrapping, a grid, spacing, icon mode, a row
// direction other than downwards, right-to-left, batched layout, uniform sizes off) the view
// falls back to QListView's own layout.  It draws no drop indicator or rubber band, which a
// list without drag and drop and with single selection never shows; hidden rows are not
// supported.
class CRowListWidget : public QListWidget {
 public:
  explicit CRowListWidget(QWidget* parent = nullptr);

  QRect visualRect(const QModelIndex& index) const override;
  QModelIndex indexAt(const QPoint& p) const override;
  void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
  void doItemsLayout() override;
  // QListWidget's own goes straight to QListView's placing, past scrollTo above.
  void scrollToItem(const QListWidgetItem* item, ScrollHint hint = EnsureVisible);

 protected:
  void rowsInserted(const QModelIndex& parent, int start, int end) override;
  void rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) override;
  void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                   const QList<int>& roles = QList<int>()) override;
  void scrollContentsBy(int dx, int dy) override;
  void paintEvent(QPaintEvent* e) override;
  bool viewportEvent(QEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void verticalScrollbarValueChanged(int value) override;
  void horizontalScrollbarValueChanged(int value) override;
  int horizontalOffset() const override;
  int verticalOffset() const override;
  QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
  void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;
  void updateGeometries() override;

 private:
  // True while the settings keep the rows in one plain column.
  bool Arithmetic() const;
  // The size of every row, as QListView takes it when sizes are uniform: the last row's hint.
  QSize ItemSize() const;
  // The width and height of all rows together, in contents coordinates.
  QSize ContentsSize() const;
  // The rows QListView finds under a contents-space rectangle: [first, last], empty when
  // first > last.
  void RowsIn(const QRect& area, int* first, int* last) const;
  bool Enabled(int row) const;
  void ExecutePendingLayout() const;
  // Takes the row under the mouse again after the rows moved under it.
  void HoverUnderCursor();

  mutable QSize m_item;  // invalid until measured after a change of rows or data
  QPersistentModelIndex m_hover;
};
