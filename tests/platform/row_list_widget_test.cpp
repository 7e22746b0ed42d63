// The dialogs' list box places its rows by arithmetic; it must answer every geometry question
// as a plain QListWidget with the same rows does, and draw the same pixels.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QScrollBar>
#include <array>
#include <functional>
#include <string>

#include "platform/ui/row_list_widget.h"

namespace {

// The same list twice: Qt's own and ours, each given every step.
struct ListPair {
  QListWidget plain;
  CRowListWidget rows;

  explicit ListPair(int n, QAbstractItemView::ScrollMode mode = QAbstractItemView::ScrollPerItem) {
    for (QListWidget* l : Both()) {
      l->setSelectionMode(QAbstractItemView::SingleSelection);
      l->setUniformItemSizes(true);
      l->setVerticalScrollMode(mode);
      l->resize(180, 150);
      for (int i = 0; i < n; ++i) l->addItem(Text(i));
      l->show();
    }
  }

  static QString Text(int i) {
    // Rows of unlike widths, so that the width taken for every row shows.
    return QStringLiteral("Object %1 %2").arg(i).arg(QString(i % 7 * 4, QLatin1Char('x')));
  }

  std::array<QListWidget*, 2> Both() { return {&plain, &rows}; }

  void Each(const std::function<void(QListWidget*)>& step) {
    for (QListWidget* l : Both()) step(l);
  }

  // Runs the posted layouts and repaints, as the event loop would.
  void Settle() {
    for (QListWidget* l : Both()) l->visualRect(l->model()->index(0, 0));
    QApplication::processEvents();
  }

  void ExpectSameGeometry(const std::string& where) {
    Settle();
    SCOPED_TRACE(where);
    for (auto bar : {&QAbstractScrollArea::verticalScrollBar, &QAbstractScrollArea::horizontalScrollBar}) {
      const QScrollBar* a = (plain.*bar)();
      const QScrollBar* b = (rows.*bar)();
      EXPECT_EQ(a->minimum(), b->minimum());
      EXPECT_EQ(a->maximum(), b->maximum());
      EXPECT_EQ(a->pageStep(), b->pageStep());
      EXPECT_EQ(a->singleStep(), b->singleStep());
      EXPECT_EQ(a->value(), b->value());
      EXPECT_EQ(a->isVisible(), b->isVisible());
    }
    ASSERT_EQ(plain.viewport()->size(), rows.viewport()->size());
    for (int r = 0; r < plain.count(); ++r) {
      const QRect a = plain.visualRect(plain.model()->index(r, 0));
      if (!a.intersects(plain.viewport()->rect().adjusted(0, -60, 0, 60))) continue;
      EXPECT_EQ(a, rows.visualRect(rows.model()->index(r, 0))) << "row " << r;
    }
    const QSize port = plain.viewport()->size();
    for (int y = -2; y < port.height() + 2; y += 3)
      for (int x : {-1, 0, 5, port.width() - 1, port.width() + 400}) {
        EXPECT_EQ(plain.indexAt(QPoint(x, y)).row(), rows.indexAt(QPoint(x, y)).row())
            << "at " << x << "," << y;
      }
  }

  void ExpectSamePixels(const std::string& where) {
    Settle();
    SCOPED_TRACE(where);
    const QImage a = plain.grab().toImage();
    const QImage b = rows.grab().toImage();
    EXPECT_EQ(a, b);
  }

  void Key(int key) {
    Each([key](QListWidget* l) {
      QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
      QApplication::sendEvent(l, &press);
    });
  }

  void Click(QPoint at, bool twice = false) {
    Each([&](QListWidget* l) {
      const QPointF local(at);
      const QPointF global(l->viewport()->mapToGlobal(at));
      for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent e(type, local, global, Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(l->viewport(), &e);
      }
      if (twice) {
        QMouseEvent e(QEvent::MouseButtonDblClick, local, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
        QApplication::sendEvent(l->viewport(), &e);
      }
    });
  }
};

TEST(RowListWidget, PlacesRowsAsQListViewAfterInsertsAndRemovesAnywhere) {
  for (auto mode : {QAbstractItemView::ScrollPerItem, QAbstractItemView::ScrollPerPixel}) {
    ListPair lists(400, mode);
    lists.ExpectSameGeometry("filled");
    lists.Each([](QListWidget* l) { l->insertItem(0, QStringLiteral("first")); });
    lists.ExpectSameGeometry("inserted at the start");
    lists.Each([](QListWidget* l) { l->insertItem(200, ListPair::Text(1234)); });
    lists.ExpectSameGeometry("inserted in the middle");
    lists.Each([](QListWidget* l) { l->addItem(QStringLiteral("a much wider last row than any before it")); });
    lists.ExpectSameGeometry("added at the end, wider");
    lists.Each([](QListWidget* l) { l->verticalScrollBar()->setValue(l->verticalScrollBar()->maximum() / 2); });
    lists.ExpectSameGeometry("scrolled to the middle");
    lists.Each([](QListWidget* l) { delete l->takeItem(0); });
    lists.ExpectSameGeometry("removed the first");
    lists.Each([](QListWidget* l) { delete l->takeItem(l->count() - 1); });
    lists.ExpectSameGeometry("removed the last");
    lists.Each([](QListWidget* l) {
      l->verticalScrollBar()->setValue(l->verticalScrollBar()->maximum());
      l->horizontalScrollBar()->setValue(l->horizontalScrollBar()->maximum());
    });
    lists.ExpectSameGeometry("scrolled to the end both ways");
    lists.Each([](QListWidget* l) { delete l->takeItem(l->count() / 2); });
    lists.ExpectSameGeometry("removed in the middle");
    lists.Each([](QListWidget* l) { l->resize(260, 90); });
    lists.ExpectSameGeometry("resized");
    lists.Each([](QListWidget* l) {
      while (l->count() > 3) delete l->takeItem(1);
    });
    lists.ExpectSameGeometry("short enough to need no scrolling");
    lists.Each([](QListWidget* l) { l->clear(); });
    lists.ExpectSameGeometry("empty");
  }
}

TEST(RowListWidget, ScrollsToARowAsQListView) {
  for (auto mode : {QAbstractItemView::ScrollPerItem, QAbstractItemView::ScrollPerPixel}) {
    ListPair lists(300, mode);
    for (auto hint : {QAbstractItemView::EnsureVisible, QAbstractItemView::PositionAtTop,
                      QAbstractItemView::PositionAtBottom, QAbstractItemView::PositionAtCenter}) {
      for (int row : {0, 1, 150, 3, 298, 299, 140, 160, 2}) {
        lists.Each([&](QListWidget* l) { l->scrollTo(l->model()->index(row, 0), hint); });
        lists.ExpectSameGeometry("row " + std::to_string(row) + " hint " + std::to_string(hint));
      }
    }
  }
}

TEST(RowListWidget, KeysAndClicksChooseTheSameRows) {
  ListPair lists(120);
  // A disabled row is stepped over by the keys and not chosen by a click.
  lists.Each([](QListWidget* l) { l->item(5)->setFlags(l->item(5)->flags() & ~Qt::ItemIsEnabled); });
  const int keys[] = {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down,
                      Qt::Key_Up,   Qt::Key_Up,   Qt::Key_PageDown, Qt::Key_PageDown, Qt::Key_Left,
                      Qt::Key_Right, Qt::Key_PageUp, Qt::Key_End, Qt::Key_Down, Qt::Key_PageUp,
                      Qt::Key_Home, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_PageUp,
                      Qt::Key_End, Qt::Key_PageUp, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_PageDown,
                      Qt::Key_PageDown, Qt::Key_Up, Qt::Key_Up, Qt::Key_PageDown};
  int step = 0;
  for (int key : keys) {
    lists.Key(key);
    EXPECT_EQ(lists.plain.currentRow(), lists.rows.currentRow()) << "after key " << step << " " << key;
    lists.ExpectSameGeometry("after key " + std::to_string(step++));
  }
  lists.Each([](QListWidget* l) { l->scrollTo(l->model()->index(3, 0), QAbstractItemView::PositionAtTop); });
  for (QPoint at : {QPoint(10, 3), QPoint(10, 30), QPoint(150, 40), QPoint(10, 200)}) {
    lists.Click(at);
    EXPECT_EQ(lists.plain.currentRow(), lists.rows.currentRow());
  }
  int plainDouble = -1, rowsDouble = -1;
  QObject::connect(&lists.plain, &QListWidget::itemDoubleClicked,
                   [&](QListWidgetItem* i) { plainDouble = lists.plain.row(i); });
  QObject::connect(&lists.rows, &QListWidget::itemDoubleClicked,
                   [&](QListWidgetItem* i) { rowsDouble = lists.rows.row(i); });
  lists.Click(QPoint(20, 25), true);
  EXPECT_GE(plainDouble, 0);
  EXPECT_EQ(plainDouble, rowsDouble);
}

TEST(RowListWidget, DrawsTheSamePixels) {
  ListPair lists(200);
  // Only one of the two windows can hold the focus; neither takes it, so both draw alike.
  lists.Each([](QListWidget* l) { l->setFocusPolicy(Qt::NoFocus); l->clearFocus(); });
  lists.Each([](QListWidget* l) { l->item(7)->setFlags(l->item(7)->flags() & ~Qt::ItemIsEnabled); });
  lists.ExpectSamePixels("top");
  lists.Each([](QListWidget* l) { l->setCurrentRow(4); });
  lists.ExpectSamePixels("a row chosen");
  lists.Each([](QListWidget* l) {
    l->setCurrentRow(150);
    l->scrollTo(l->model()->index(150, 0));
  });
  lists.ExpectSamePixels("chosen further down");
  lists.Each([](QListWidget* l) { l->horizontalScrollBar()->setValue(7); });
  lists.ExpectSamePixels("scrolled sideways");
  lists.Each([](QListWidget* l) {
    l->setAlternatingRowColors(true);
    delete l->takeItem(0);
  });
  lists.ExpectSamePixels("alternating colours after a remove");
}

}  // namespace
