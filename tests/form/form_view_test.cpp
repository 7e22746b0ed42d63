// The form view over a started document: the list, the sheet's pages by kind, every update
// hint, the services to the document and the progress of a threaded engraving.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <thread>

#include "fake_control_host.h"
#include "form_fixture.h"
#include "model/doc_hints.h"
#include "model/textobject.h"
#include "platform/ui/qt_control_host.h"
#include "res/dialog_101.h"

using namespace res;

namespace {

class FormViewTest : public FormTest {
 protected:
  std::vector<std::string> Lines() {
    std::vector<std::string> lines;
    for (int i = 0; i < C().GetCount(IDC_OBJECT_LIST); ++i) lines.push_back(C().GetText(IDC_OBJECT_LIST, i).str());
    return lines;
  }
  int Sel() { return C().GetCurSel(IDC_OBJECT_LIST); }
  CTestPage* Active() { return dynamic_cast<CTestPage*>(view->Sheet().GetActivePage()); }
  void Select(int index) { doc->SetCurrentObject(index, TRUE, TRUE); }
  void SetText(int index, const char* text) {
    static_cast<CText1Object*>(List().GetObject(index))->SetText(CString(text));
  }
};

TEST_F(FormViewTest, InitialUpdateHidesTheExtrasAndShowsTheDrawingPages) {
  Add({TYPE_LINE, TYPE_TEXT1});
  StartView();
  EXPECT_FALSE(C().IsWindowVisible(IDC_PROGRESS));
  EXPECT_FALSE(C().IsWindowVisible(IDC_ABORT));
  for (int id : kImageEditControls) EXPECT_FALSE(C().IsWindowVisible(id)) << id;
  EXPECT_TRUE(C().IsWindowVisible(IDC_OBJECT_LIST));
  EXPECT_EQ(Lines().size(), 3u);
  EXPECT_EQ(Lines()[0], "drawing");
  QTabWidget* tabs = view->Sheet().GetSheetWindow();
  ASSERT_TRUE(tabs);
  EXPECT_EQ(tabs->pos(), QPoint(kSheetX, kSheetY));
  EXPECT_EQ(tabs->parentWidget(), view.get());
  EXPECT_EQ(view->GetPageKind(), TYPE_DRAWING);
  EXPECT_EQ(view->Sheet().GetPageCount(), 3);
  EXPECT_EQ(tabs->count(), 3);
  EXPECT_EQ(view->GetActivePageIndex(), 0);
  // The mode caption: 16-pixel bold, red on yellow.
  QWidget* caption = view->QtControls()->GetControlWidget(IDC_MODE_CAPTION);
  EXPECT_EQ(caption->font().pixelSize(), 16);
  EXPECT_TRUE(caption->font().bold());
  EXPECT_EQ(caption->palette().color(QPalette::WindowText), QColor(255, 0, 0));
  EXPECT_EQ(caption->palette().color(QPalette::Window), QColor(255, 255, 0));
  doc->SetSealMode(1);
  EXPECT_EQ(C().GetDlgItemText(IDC_MODE_CAPTION), CString::FromUtf8("実印作成中"));
}

TEST_F(FormViewTest, TheFixedFieldGivesTwoDrawingPages) {
  StartView(true);
  EXPECT_EQ(view->Sheet().GetPageCount(), 2);
  // Chosen once: switching the mode later keeps the pages built.
  doc->m_Settings.System.FixField = 0;
  Add({TYPE_LINE});
  Select(0);
  EXPECT_EQ(view->Sheet().GetPageCount(), 2);
}

TEST_F(FormViewTest, TextPagesStayForAnotherTextAndReopenTheLastPage) {
  Add({TYPE_TEXT1, TYPE_TEXT1, TYPE_RECTANGLE});
  SetText(1, "AB");
  SetText(2, "XYZ");
  StartView();
  Select(1);
  ASSERT_EQ(view->Sheet().GetPageCount(), 2);
  CTestPage* chars = Page(TYPE_TEXT1, 1);
  view->Sheet().SetActivePage(1);
  EXPECT_EQ(chars->C()->GetCount(1500), 2);
  const int fills = chars->m_nFills;
  Select(2);  // same kind: the pages stay, the character page is refilled
  EXPECT_EQ(view->Sheet().GetPage(1), chars);
  EXPECT_EQ(view->GetActivePageIndex(), 1);
  EXPECT_GT(chars->m_nFills, fills);
  EXPECT_EQ(chars->C()->GetCount(1500), 3);
  Select(3);
  EXPECT_EQ(view->Sheet().GetPageCount(), 1);
  EXPECT_EQ(view->Sheet().GetPage(0), Page(TYPE_RECTANGLE, 0));
  Select(1);
  EXPECT_EQ(view->GetActivePageIndex(), 1);  // the character page again
  // Kinds without pages leave the sheet empty.
  Add({TYPE_LINE});
  EXPECT_EQ(view->Sheet().GetPageCount(), 0);
  EXPECT_EQ(view->GetActivePageIndex(), -1);
}

TEST_F(FormViewTest, BuildingAndSwappingPagesWritesNothingBack) {
  Add({TYPE_RECTANGLE, TYPE_TEXT1});
  canvas.invalidations = 0;
  StartView();
  for (int index : {2, 1, 0, 1, 2, 0}) Select(index);
  EXPECT_EQ(canvas.invalidations, 0);
  EXPECT_EQ(Page(TYPE_RECTANGLE, 0)->C()->GetDlgItemText(1183).Left(1), " ");
}

TEST_F(FormViewTest, AListClickSelectsTheLinesObjectAndFocusesTheCanvas) {
  Add({TYPE_LINE, TYPE_RECTANGLE, TYPE_CIRCLE});
  StartView();
  canvas.focusCount = 0;
  ClickLine(2);
  EXPECT_EQ(doc->m_nCurrentIndex, 2);
  EXPECT_EQ(doc->m_nCurrentKind, TYPE_RECTANGLE);
  EXPECT_EQ(canvas.focusCount, 1);
  EXPECT_EQ(view->Sheet().GetPage(0), Page(TYPE_RECTANGLE, 0));
  // Deleted objects have no line; the lines map to visible positions.
  List().GetObject(1)->m_bDeleted = 1;
  view->FillObjectList();
  ClickLine(2);
  EXPECT_EQ(doc->m_nCurrentIndex, 3);
}

TEST_F(FormViewTest, AddDeleteAndPasteUpdateTheList) {
  Add({TYPE_LINE});
  StartView();
  Add({TYPE_RECTANGLE});
  EXPECT_EQ(Lines().size(), 3u);
  EXPECT_EQ(Sel(), 2);
  EXPECT_EQ(view->GetPageKind(), TYPE_RECTANGLE);
  ASSERT_EQ(doc->DeleteSelection(), 1);
  EXPECT_EQ(Lines().size(), 2u);
  EXPECT_EQ(Sel(), 0);
  EXPECT_EQ(view->GetPageKind(), TYPE_DRAWING);

  // Added with hint 12 (a multi-selection): the first line.
  doc->m_nLastAction = HINT_OBJECTS_ADDED;
  view->OnUpdate(nullptr, TYPE_MULTI, doc.get());
  EXPECT_EQ(Sel(), 0);
  // Pasted: the last line, the pages of the current kind.
  Select(1);
  doc->m_nLastAction = HINT_OBJECTS_PASTED;
  view->OnUpdate(nullptr, TYPE_MULTI, doc.get());
  EXPECT_EQ(Sel(), 1);
  EXPECT_EQ(view->GetPageKind(), TYPE_LINE);
}

TEST_F(FormViewTest, EveryOtherUpdateRow) {
  Add({TYPE_LINE, TYPE_TEXT1, TYPE_RECTANGLE});
  StartView();
  view->show();
  Select(2);
  const auto before = Lines();

  // Views-only hints leave the form alone.
  C().SetCurSel(IDC_OBJECT_LIST, -1);
  for (LPARAM hint : {HINT_ZOOM_CHANGED, HINT_LAYER_CHANGED, HINT_REDRAW_ALL}) view->OnUpdate(nullptr, hint, doc.get());
  EXPECT_EQ(Sel(), -1);
  // A property change is no list change either.
  doc->m_nLastAction = HINT_PROPERTY_CHANGED;
  view->OnUpdate(nullptr, 3, doc.get());
  EXPECT_EQ(Sel(), -1);

  // A mirror or an output mode after a choice changes objects in place: the chosen line stays.
  C().SetCurSel(IDC_OBJECT_LIST, 2);
  doc->m_nLastAction = HINT_SELECTION_CHANGED;
  for (LPARAM hint : {HINT_MIRROR_CHANGED, HINT_OUTPUT_MODE_CHANGED}) {
    view->OnUpdate(nullptr, hint, doc.get());
    EXPECT_EQ(Sel(), 2) << hint;
  }

  // Selection, moves and seal images select the hint's line.
  for (int code : {HINT_SELECTION_CHANGED, HINT_OBJECT_MOVED, HINT_OBJECTS_MOVED, HINT_SEAL_TEXT_TO_IMAGE}) {
    C().SetCurSel(IDC_OBJECT_LIST, -1);
    doc->m_nLastAction = code;
    view->OnUpdate(nullptr, 3, doc.get());
    EXPECT_EQ(Sel(), 3) << code;
  }
  // A line without a visible object: the first line.
  List().GetObject(3)->m_bDeleted = 1;
  doc->m_nLastAction = HINT_SEAL_TEXT_TO_IMAGE;
  view->OnUpdate(nullptr, 3, doc.get());
  EXPECT_EQ(Lines().size(), 3u);
  EXPECT_EQ(Sel(), 0);
  List().GetObject(3)->m_bDeleted = 0;

  // Engraving ended: the string page of the text kind is refilled.
  Select(2);
  CTestPage* string = Page(TYPE_TEXT1, 0);
  view->Sheet().SetActivePage(0);
  const int fills = string->m_nFills;
  view->OnUpdate(nullptr, HINT_ENGRAVING_ENDED, doc.get());
  EXPECT_EQ(string->m_nFills, fills + 1);

  // After a nudge the list has the keyboard focus.
  QApplication::setActiveWindow(view.get());
  QCoreApplication::processEvents();
  view->OnUpdate(nullptr, HINT_SELECTION_NUDGED, doc.get());
  EXPECT_EQ(QApplication::focusWidget(), view->QtControls()->GetControlWidget(IDC_OBJECT_LIST));

  // Drawing settings loaded: each drawing page refilled, page 0 active at the end.
  Select(0);
  view->Sheet().SetActivePage(2);
  std::vector<int> drawingFills;
  for (int i = 0; i < 3; ++i) drawingFills.push_back(Page(TYPE_DRAWING, i)->m_nFills);
  view->OnUpdate(nullptr, HINT_DRAWING_DATA_LOADED, doc.get());
  for (int i = 0; i < 3; ++i) EXPECT_GT(Page(TYPE_DRAWING, i)->m_nFills, drawingFills[i]) << i;
  EXPECT_EQ(view->GetActivePageIndex(), 0);
  EXPECT_EQ(Sel(), 0);

  // A new document: the list again, its first line and object 1.
  Select(3);
  view->OnUpdate(nullptr, HINT_NEW_DOCUMENT, doc.get());
  EXPECT_EQ(Lines(), before);
  EXPECT_EQ(Sel(), 0);
  EXPECT_EQ(doc->m_nCurrentIndex, 0);
  EXPECT_EQ(view->GetPageKind(), TYPE_DRAWING);
}

TEST_F(FormViewTest, ATextChangeRewritesTheSelectedLine) {
  Add({TYPE_TEXT1, TYPE_LINE});
  StartView();
  Select(1);
  ASSERT_TRUE(doc->SetObjectText(1326, CString("NEW")));
  EXPECT_NE(Lines()[1].find("( NEW )"), std::string::npos) << Lines()[1];
  EXPECT_EQ(Sel(), 1);
  EXPECT_EQ(Lines().size(), 3u);
  // With no line selected, the current object's own line.
  C().SetCurSel(IDC_OBJECT_LIST, -1);
  ASSERT_TRUE(doc->SetObjectText(1326, CString("AGAIN")));
  EXPECT_NE(Lines()[1].find("( AGAIN )"), std::string::npos);
  EXPECT_EQ(Sel(), 1);
}

TEST_F(FormViewTest, TypingIntoAPageReachesTheObjectAndItsListLine) {
  Add({TYPE_TEXT1});
  SetText(1, "AB");
  StartView();
  view->show();
  Select(1);
  view->Sheet().SetActivePage(0);
  auto* host = dynamic_cast<CQtControlHost*>(Page(TYPE_TEXT1, 0)->Host());
  ASSERT_TRUE(host);
  auto* edit = qobject_cast<QPlainTextEdit*>(host->GetControlWidget(1326));
  ASSERT_TRUE(edit);
  edit->moveCursor(QTextCursor::End);
  canvas.invalidations = 0;
  QKeyEvent key(QEvent::KeyPress, Qt::Key_C, Qt::NoModifier, QStringLiteral("C"));
  QCoreApplication::sendEvent(edit, &key);
  EXPECT_EQ(static_cast<CText1Object*>(List().GetObject(1))->m_strText, "ABC");
  EXPECT_EQ(canvas.invalidations, 1);  // one setter call
  EXPECT_NE(Lines()[1].find("( ABC )"), std::string::npos) << Lines()[1];
  EXPECT_EQ(Sel(), 1);
}

TEST_F(FormViewTest, ImageEditingSwapsTheListForTheZoomControls) {
  Add({TYPE_LINE});
  StartView();
  Select(1);
  const int built = CTestImageEditPage::s_nBuilt;
  doc->m_nCurrentKind = TYPE_IMAGE;
  C().SetDlgItemText(IDC_FIT_PERCENT, CString("85%"));
  view->ShowCurrentTypePages(1, FALSE);
  EXPECT_FALSE(C().IsWindowVisible(IDC_OBJECT_LIST));
  for (int id : kImageEditControls) EXPECT_TRUE(C().IsWindowVisible(id)) << id;
  EXPECT_EQ(C().GetCheckedRadioButton(IDC_ZOOM_10), IDC_ZOOM_100);
  EXPECT_EQ(C().GetDlgItemText(IDC_FIT_PERCENT), "");
  EXPECT_EQ(CTestImageEditPage::s_nBuilt, built + 1);
  EXPECT_EQ(view->Sheet().GetPageCount(), 1);

  // The document's calls reach the image-edit page only now.
  view->ForwardToImageEditPage(6);
  auto* page = dynamic_cast<CTestImageEditPage*>(view->GetKindPage(TYPE_IMAGE, 0));
  ASSERT_TRUE(page);
  EXPECT_EQ(page->m_vTools, std::vector<int>{6});
  int x = 0, y = 0, same = 0;
  EXPECT_EQ(view->QueryImageEditPage(x, y, same), 1);
  EXPECT_EQ(x * 100 + y * 10 + same, 341);

  doc->m_nCurrentKind = TYPE_LINE;
  view->ShowCurrentTypePages(1, TRUE);
  EXPECT_TRUE(C().IsWindowVisible(IDC_OBJECT_LIST));
  for (int id : kImageEditControls) EXPECT_FALSE(C().IsWindowVisible(id)) << id;
  x = 0;
  EXPECT_EQ(view->QueryImageEditPage(x, y, same), 0);
  EXPECT_EQ(x, 0);
  view->ForwardToImageEditPage(8);

  // Each image edit builds its page anew.
  doc->m_nCurrentKind = TYPE_IMAGE;
  view->ShowCurrentTypePages(1, FALSE);
  EXPECT_EQ(CTestImageEditPage::s_nBuilt, built + 2);
  EXPECT_TRUE(dynamic_cast<CTestImageEditPage*>(view->GetKindPage(TYPE_IMAGE, 0))->m_vTools.empty());
}

TEST_F(FormViewTest, TheFittedZoomRoundsHalfAwayFromZero) {
  StartView();
  view->ShowZoomPercent(8.46);
  EXPECT_EQ(C().GetDlgItemText(IDC_FIT_PERCENT), "85%");
  view->ShowZoomPercent(8.45);
  EXPECT_EQ(C().GetDlgItemText(IDC_FIT_PERCENT), "85%");
  view->ShowZoomPercent(100.0);
  EXPECT_EQ(C().GetDlgItemText(IDC_FIT_PERCENT), "1000%");
}

TEST_F(FormViewTest, ProgressFromAWorkerThreadIsQueuedNotBlocking) {
  StartView();
  IThreadEngraveHost* host = view.get();
  std::thread worker([host] {
    host->ShowProgress(0, 100);
    for (int pos = 0; pos <= 40; pos += 10) host->SetProgressPos(pos);
  });
  worker.join();  // the worker never waits for the form's thread
  EXPECT_FALSE(C().IsWindowVisible(IDC_PROGRESS));
  QCoreApplication::processEvents();
  EXPECT_TRUE(C().IsWindowVisible(IDC_PROGRESS));
  EXPECT_TRUE(C().IsWindowVisible(IDC_ABORT));
  EXPECT_EQ(C().GetProgressPos(IDC_PROGRESS), 40);
  std::thread ender([this] { view->HideProgress(); });
  ender.join();
  QCoreApplication::processEvents();
  EXPECT_FALSE(C().IsWindowVisible(IDC_PROGRESS));
  EXPECT_FALSE(C().IsWindowVisible(IDC_ABORT));
  // Calls queued for a view that is gone by then are dropped.
  std::thread late([host] { host->SetProgressPos(50); });
  late.join();
  view.reset();
  QCoreApplication::processEvents();
}

TEST_F(FormViewTest, ControlsOfLaterPiecesReachTheirHandlers) {
  StartView();
  std::vector<int> got;
  view->SetCommandHandler(IDC_ABORT, [&](int code) { got.push_back(code); });
  C().ShowWindow(IDC_ABORT, TRUE);
  static_cast<QAbstractButton*>(view->QtControls()->GetControlWidget(IDC_ABORT))->click();
  EXPECT_EQ(got, std::vector<int>{BN_CLICKED});
  int ended = 0;
  view->SetEngravingEndHandler([&] { ++ended; });
  view->ScheduleEngravingEnd();
  EXPECT_EQ(ended, 1);
}

}  // namespace
