#include "platform/ui/row_list_widget.h"

#include <QCursor>
#include <QHoverEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionViewItem>
#include <algorithm>

CRowListWidget::CRowListWidget(QWidget* parent) : QListWidget(parent) {}

bool CRowListWidget::Arithmetic() const {
  return viewMode() == ListMode && flow() == TopToBottom && !isWrapping() && spacing() == 0 &&
         !gridSize().isValid() && uniformItemSizes() && movement() == Static &&
         layoutMode() == SinglePass && layoutDirection() == Qt::LeftToRight && modelColumn() == 0 &&
         !rootIndex().isValid();
}

void CRowListWidget::ExecutePendingLayout() const {
  // The rows may have changed since the last layout; a layout is cheap here, so run it now
  // as QListView does before it answers.
  const_cast<CRowListWidget*>(this)->executeDelayedItemsLayout();
}

QSize CRowListWidget::ItemSize() const {
  if (!m_item.isValid()) {
    const int n = count();
    if (n <= 0) return QSize();
    const QModelIndex sample = model()->index(n - 1, 0);
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QAbstractItemDelegate* delegate = itemDelegateForIndex(sample);
    m_item = delegate ? delegate->sizeHint(option, sample) : QSize();
  }
  return m_item;
}

QSize CRowListWidget::ContentsSize() const {
  const QSize item = ItemSize();
  return count() > 0 && item.isValid() ? QSize(item.width(), count() * item.height()) : QSize(0, 0);
}

bool CRowListWidget::Enabled(int row) const {
  return (model()->flags(model()->index(row, 0)) & Qt::ItemIsEnabled) != 0;
}

void CRowListWidget::RowsIn(const QRect& area, int* first, int* last) const {
  *first = 0;
  *last = -1;
  const int n = count();
  const int h = ItemSize().height();
  // The column starts at x = 0 and ends with the last row.
  if (n <= 0 || h <= 0 || area.right() < 0 || area.bottom() < 0 || area.top() > n * h) return;
  *first = area.top() < 0 ? 0 : std::min(area.top() / h, n - 1);
  *last = std::min(area.bottom() / h, n - 1);
}

void CRowListWidget::doItemsLayout() {
  if (!Arithmetic()) {
    QListWidget::doItemsLayout();
    return;
  }
  // Showing a scroll bar resizes the viewport; the state keeps that from asking for another
  // layout.
  const State old = state();
  setState(ExpandingState);
  m_item = QSize();
  QAbstractItemView::doItemsLayout();
  setState(old);
}

void CRowListWidget::rowsInserted(const QModelIndex& parent, int start, int end) {
  m_item = QSize();
  QListWidget::rowsInserted(parent, start, end);
}

void CRowListWidget::rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) {
  m_item = QSize();
  QListWidget::rowsAboutToBeRemoved(parent, start, end);
}

void CRowListWidget::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                                 const QList<int>& roles) {
  m_item = QSize();
  QListWidget::dataChanged(topLeft, bottomRight, roles);
}

QRect CRowListWidget::visualRect(const QModelIndex& index) const {
  if (!Arithmetic()) return QListWidget::visualRect(index);
  if (!index.isValid() || index.model() != model() || index.parent().isValid() || index.column() != 0)
    return QRect();
  ExecutePendingLayout();
  const QSize item = ItemSize();
  const QRect rect(0, index.row() * item.height(), std::max(item.width(), viewport()->width()), item.height());
  if (!rect.isValid()) return rect;
  return rect.translated(-horizontalOffset(), -verticalOffset());
}

QModelIndex CRowListWidget::indexAt(const QPoint& p) const {
  if (!Arithmetic()) return QListWidget::indexAt(p);
  ExecutePendingLayout();
  int first = 0, last = -1;
  RowsIn(QRect(p.x() + horizontalOffset(), p.y() + verticalOffset(), 1, 1), &first, &last);
  if (first > last) return QModelIndex();
  const QModelIndex index = model()->index(last, 0);
  return visualRect(index).contains(p) ? index : QModelIndex();
}

int CRowListWidget::horizontalOffset() const {
  if (!Arithmetic()) return QListWidget::horizontalOffset();
  return horizontalScrollBar()->value();
}

int CRowListWidget::verticalOffset() const {
  if (!Arithmetic()) return QListWidget::verticalOffset();
  if (verticalScrollMode() != ScrollPerItem) return verticalScrollBar()->value();
  // Scrolled by rows: the bar's value is the top row.
  const int value = verticalScrollBar()->value();
  if (count() <= 0 || value < 0 || value > count() + 1) return 0;
  return std::min(value, count()) * ItemSize().height();
}

void CRowListWidget::scrollContentsBy(int dx, int dy) {
  if (!Arithmetic()) {
    QListWidget::scrollContentsBy(dx, dy);
    return;
  }
  // A scroll moves what is painted and what is waiting to be painted alike; repainting the
  // viewport keeps the two together.
  viewport()->update();
}

void CRowListWidget::updateGeometries() {
  if (!Arithmetic()) {
    QListWidget::updateGeometries();
    return;
  }
  QScrollBar* hbar = horizontalScrollBar();
  QScrollBar* vbar = verticalScrollBar();
  if (geometry().isEmpty() || count() <= 0) {
    hbar->setRange(0, 0);
    vbar->setRange(0, 0);
  } else {
    const QSize item = ItemSize();
    const QSize contents = ContentsSize();
    const QSize port = viewport()->size();
    const QSize area = contentsRect().size();
    // With both bars as needed, one bar can take the room that made the other needed; a bar
    // that its contents do not need stays hidden.
    const bool bothAuto = verticalScrollBarPolicy() == Qt::ScrollBarAsNeeded &&
                          horizontalScrollBarPolicy() == Qt::ScrollBarAsNeeded;

    hbar->setSingleStep(item.width());
    hbar->setPageStep(port.width());
    const bool vWants = contents.height() > area.height();
    const bool hWants = contents.width() > area.width() - (vWants ? vbar->width() : 0);
    if (bothAuto && !hWants)
      hbar->setRange(0, 0);
    else
      hbar->setRange(0, contents.width() - port.width());

    if (verticalScrollMode() == ScrollPerItem) {
      // Scrolled by rows: a page is the rows wholly shown, the range ends with the last row
      // at the bottom.
      const int steps = count();
      const int page = contents.height() <= port.height() ? steps + 1
                       : item.height() > 0             ? port.height() / item.height()
                                                       : 0;
      vbar->setSingleStep(1);
      vbar->setPageStep(page);
      vbar->setRange(0, steps - page);
    } else {
      vbar->setSingleStep(item.height());
      vbar->setPageStep(port.height());
      const bool hShown = contents.width() > area.width();
      const bool vNeeded = contents.height() > area.height() - (hShown ? hbar->height() : 0);
      if (bothAuto && !vNeeded)
        vbar->setRange(0, 0);
      else
        vbar->setRange(0, contents.height() - port.height());
    }
  }
  QAbstractItemView::updateGeometries();
  if (horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOff) hbar->setRange(0, 0);
}

void CRowListWidget::scrollTo(const QModelIndex& index, ScrollHint hint) {
  if (!Arithmetic()) {
    QListWidget::scrollTo(index, hint);
    return;
  }
  if (index.parent().isValid() || index.column() != 0) return;
  const QRect rect = visualRect(index);
  if (!rect.isValid()) return;
  const QRect area = viewport()->rect();
  if (hint == EnsureVisible && area.contains(rect)) {
    viewport()->update(rect);
    return;
  }
  const bool above = hint == EnsureVisible && rect.top() < area.top();
  const bool below = hint == EnsureVisible && rect.bottom() > area.bottom();
  QScrollBar* vbar = verticalScrollBar();
  if (verticalScrollMode() == ScrollPerItem) {
    if (above) hint = PositionAtTop;
    else if (below) hint = PositionAtBottom;
    if (hint == EnsureVisible) return;
    // The rows that fit above and including this one, at least the row itself.
    const int h = rect.height();
    const int row = index.row();
    const int fit = std::min(row + 1, std::max(1, h > 0 ? area.height() / h : 1));
    switch (hint) {
      case PositionAtTop: vbar->setValue(row); break;
      case PositionAtBottom: vbar->setValue(row - fit + 1); break;
      case PositionAtCenter: vbar->setValue(row - fit / 2); break;
      default: break;
    }
    return;
  }
  int value = vbar->value();
  if (hint == PositionAtTop || above)
    value += rect.top();
  else if (hint == PositionAtBottom || below)
    value += std::min(rect.top(), rect.bottom() - area.height() + 1);
  else if (hint == PositionAtCenter)
    value += rect.top() - (area.height() - rect.height()) / 2;
  vbar->setValue(value);
}

void CRowListWidget::scrollToItem(const QListWidgetItem* item, ScrollHint hint) {
  scrollTo(indexFromItem(item), hint);
}

QModelIndex CRowListWidget::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) {
  if (!Arithmetic()) return QListWidget::moveCursor(cursorAction, modifiers);
  ExecutePendingLayout();
  const int n = count();
  const QModelIndex current = currentIndex();
  if (!current.isValid()) {
    for (int row = 0; row < n; ++row)
      if (Enabled(row)) return model()->index(row, 0);
    return QModelIndex();
  }
  const int h = ItemSize().height();
  if (h <= 0) return model()->index(0, 0);
  const int total = n * h;
  const int row = current.row();
  const int page = viewport()->height() / h;
  switch (cursorAction) {
    case MoveLeft:
    case MoveRight:
      // One column: there is nothing beside a row.
      return current;
    case MovePageUp:
      // The row a page above that still shows with the current row at the bottom; a disabled
      // one is refused by the caller, as with QListView.
      if (h < viewport()->height()) return model()->index(std::max(0, row + 1 - page), 0);
      [[fallthrough]];
    case MovePrevious:
    case MoveUp:
      for (int r = row - 1; r >= 0; --r)
        if (Enabled(r)) return model()->index(r, 0);
      return current;
    case MovePageDown:
      if (h < viewport()->height()) {
        // The last row that shows with the current row at the top.
        const int stop = row + page - 1;
        const int start = row * h + viewport()->height() + h - 2 > total - h
                              ? n - 1
                              : row + (viewport()->height() - 2) / h;
        return model()->index(std::min(start, stop), 0);
      }
      [[fallthrough]];
    case MoveNext:
    case MoveDown:
      for (int r = row + 1; r < n; ++r)
        if (Enabled(r)) return model()->index(r, 0);
      return current;
    case MoveHome:
      return model()->index(0, 0);
    case MoveEnd:
      return model()->index(n - 1, 0);
  }
  return current;
}

void CRowListWidget::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) {
  if (!Arithmetic()) {
    QListWidget::setSelection(rect, command);
    return;
  }
  if (!selectionModel()) return;
  ExecutePendingLayout();
  const QRect area = rect.translated(horizontalOffset(), verticalOffset());
  QItemSelection selection;
  auto rowAt = [&](int x, int y) {
    int first = 0, last = -1;
    RowsIn(QRect(x, y, 1, 1), &first, &last);
    return first > last ? -1 : last;
  };
  if (rect.width() == 1 && rect.height() == 1) {
    const int row = rowAt(area.left(), area.top());
    if (row >= 0 && Enabled(row)) selection.select(model()->index(row, 0), model()->index(row, 0));
  } else if (state() == DragSelectingState) {
    int first = 0, last = -1;
    RowsIn(area, &first, &last);
    if (first <= last) selection.select(model()->index(first, 0), model()->index(last, 0));
  } else {
    const int a = rowAt(area.left(), area.top());
    const int b = rowAt(area.right(), area.bottom());
    if (a >= 0 && b >= 0 && Enabled(a) && Enabled(b))
      selection.select(model()->index(std::min(a, b), 0), model()->index(std::max(a, b), 0));
  }
  selectionModel()->select(selection, command);
}

bool CRowListWidget::viewportEvent(QEvent* e) {
  // The row under the mouse is drawn as hovered; QListView keeps it privately.
  switch (e->type()) {
    case QEvent::HoverEnter:
    case QEvent::HoverMove:
      m_hover = indexAt(static_cast<QHoverEvent*>(e)->position().toPoint());
      break;
    case QEvent::HoverLeave:
    case QEvent::Leave:
      m_hover = QPersistentModelIndex();
      break;
    default:
      break;
  }
  return QListWidget::viewportEvent(e);
}

void CRowListWidget::mouseMoveEvent(QMouseEvent* e) {
  const State now = state();
  if (now != ExpandingState && now != CollapsingState && now != DraggingState && now != EditingState)
    m_hover = indexAt(e->position().toPoint());
  QListWidget::mouseMoveEvent(e);
}

void CRowListWidget::HoverUnderCursor() {
  const QPoint at = viewport()->mapFromGlobal(QCursor::pos());
  if (viewport()->rect().contains(at)) m_hover = indexAt(at);
}

void CRowListWidget::verticalScrollbarValueChanged(int value) {
  QListWidget::verticalScrollbarValueChanged(value);
  HoverUnderCursor();
}

void CRowListWidget::horizontalScrollbarValueChanged(int value) {
  QListWidget::horizontalScrollbarValueChanged(value);
  HoverUnderCursor();
}

void CRowListWidget::paintEvent(QPaintEvent* e) {
  if (!Arithmetic()) {
    QListWidget::paintEvent(e);
    return;
  }
  if (!itemDelegate()) return;
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  QPainter painter(viewport());

  int first = 0, last = -1;
  RowsIn(e->rect().translated(horizontalOffset(), verticalOffset()), &first, &last);

  const QModelIndex current = currentIndex();
  const QItemSelectionModel* selections = selectionModel();
  const bool focus = (hasFocus() || viewport()->hasFocus()) && current.isValid();
  const bool alternate = alternatingRowColors();
  const QStyle::State base = option.state;
  const bool enabled = (base & QStyle::State_Enabled) != 0;
  // Rows are as wide as the viewport, or as the widest row when that can be scrolled to.
  const int maxWidth = horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOff
                           ? viewport()->width()
                           : std::max(viewport()->width(), ContentsSize().width());

  for (int row = first; row <= last; ++row) {
    const QModelIndex index = model()->index(row, 0);
    option.rect = visualRect(index);
    option.rect.setWidth(std::min(maxWidth, option.rect.width()));
    option.state = base;
    if (selections && selections->isSelected(index)) option.state |= QStyle::State_Selected;
    if (enabled) {
      QPalette::ColorGroup group = QPalette::Normal;
      if (!(model()->flags(index) & Qt::ItemIsEnabled)) {
        option.state &= ~QStyle::State_Enabled;
        group = QPalette::Disabled;
      }
      option.palette.setCurrentColorGroup(group);
    }
    if (focus && current == index) {
      option.state |= QStyle::State_HasFocus;
      if (state() == EditingState) option.state |= QStyle::State_Editing;
    }
    if (index == m_hover)
      option.state |= QStyle::State_MouseOver;
    else
      option.state &= ~QStyle::State_MouseOver;
    if (alternate) {
      if (row & 1)
        option.features |= QStyleOptionViewItem::Alternate;
      else
        option.features &= ~QStyleOptionViewItem::Alternate;
      const QStyle::State kept = option.state;
      option.state &= ~QStyle::State_Selected;
      style()->drawPrimitive(QStyle::PE_PanelItemViewRow, &option, &painter, this);
      option.state = kept;
    }
    itemDelegateForIndex(index)->paint(&painter, option, index);
  }
}
