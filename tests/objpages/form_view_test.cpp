// The object pages in the real form view and its sheet, on the Qt host: the form view refreshes
// the text pages after an engraving job (hint 10018) and after drawing data were loaded (10021).
#include <QApplication>
#include <QKeyEvent>
#include <QAbstractButton>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/korvane_view.h"
#include "imaging/monobmp.h"
#include "model/doc_hints.h"
#include "pages_fixture.h"
#include "platform/ui/qt_control_host.h"
#include "platform/ui/updown.h"
#include "res/dialog_101.h"
#include "res/dialog_135.h"
#include "res/dialog_139.h"
#include "res/dialog_141.h"
#include "res/dialog_281.h"

namespace {

std::vector<std::string>* g_warnings = nullptr;
void CollectWarnings(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type != QtDebugMsg && type != QtInfoMsg && g_warnings) g_warnings->push_back(message.toStdString());
}

class FormPages : public PagesTest {
 protected:
  void SetUp() override {
    PagesTest::SetUp();
    g_warnings = &warnings;
    previous = qInstallMessageHandler(CollectWarnings);
    RegisterObjectPages();
    view = std::make_unique<CKorvaneView>(doc.get());
    view->OnInitialUpdate();
  }
  void TearDown() override {
    view.reset();
    qInstallMessageHandler(previous);
    g_warnings = nullptr;
    EXPECT_TRUE(warnings.empty()) << warnings.front();
    PagesTest::TearDown();
  }
  IControlHost* PageHost(int kind, int index) {
    CKorvanePage* page = view->GetKindPage(kind, index);
    return page && page->HasHost() ? page->Host() : nullptr;
  }

  std::vector<std::string> warnings;
  QtMessageHandler previous = nullptr;
  std::unique_ptr<CKorvaneView> view;
};

TEST_F(FormPages, EngravingEndAndLoadedDrawingDataRefillTheTextPages) {
  const int i = Add(TYPE_TEXT1);
  auto* t = At<CText1Object>(i);
  t->m_bCountUp = 1;
  t->m_nCountDigits = 3;
  t->m_nCount = 41;
  view->ShowCurrentTypePages(i, TRUE);
  IControlHost* c = PageHost(TYPE_TEXT1, 0);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->GetDlgItemText(dlg139::IDC_TEXT).str(), "041");

  // A job advanced the count.
  t->m_nCount = 42;
  doc->UpdateAllViews(nullptr, HINT_ENGRAVING_ENDED, doc.get());
  EXPECT_EQ(c->GetDlgItemText(dlg139::IDC_TEXT).str(), "042");

  t->m_dPosX = 12.5;
  doc->UpdateAllViews(nullptr, HINT_DRAWING_DATA_LOADED, doc.get());
  EXPECT_EQ(c->GetDlgItemText(dlg139::IDC_OFFSET_X).str(), " 12.500");

  // The arc-text page in the same way.
  const int a = Add(TYPE_TEXT2);
  view->ShowCurrentTypePages(a, TRUE);
  IControlHost* arc = PageHost(TYPE_TEXT2, 0);
  ASSERT_NE(arc, nullptr);
  At<CText2Object>(a)->m_dRadiusX = 33;
  doc->UpdateAllViews(nullptr, HINT_ENGRAVING_ENDED, doc.get());
  EXPECT_EQ(arc->GetDlgItemText(dlg141::IDC_RADIUS_X).str(), " 33.000");
}

TEST_F(FormPages, EveryKindShowsItsPagesAndTheMultiLineTextKeepsItsLineBreaks) {
  for (int kind : {TYPE_LINE, TYPE_RECTANGLE, TYPE_CIRCLE, TYPE_TRIANGLE, TYPE_RHOMBIC, TYPE_POLYGON, TYPE_TEXT1,
                   TYPE_TEXT2, TYPE_BARCODE}) {
    const int i = Add(kind);
    view->ShowCurrentTypePages(i, TRUE);
    EXPECT_NE(PageHost(kind, 0), nullptr) << kind;
  }
  const int i = Add(TYPE_TEXT1);
  At<CText1Object>(i)->SetText(CString("AB\r\nC"));
  view->ShowCurrentTypePages(i, TRUE);
  IControlHost* c = PageHost(TYPE_TEXT1, 0);
  ASSERT_NE(c, nullptr);
  // The widget shows two lines and gives CR LF back.
  EXPECT_EQ(c->GetDlgItemText(dlg139::IDC_TEXT).str(), "AB\r\nC");
  c->SetDlgItemText(dlg139::IDC_TEXT, CString("X\r\nY\r\nZ"));
  EXPECT_EQ(c->GetDlgItemText(dlg139::IDC_TEXT).str(), "X\r\nY\r\nZ");
}

TEST_F(FormPages, KeysTypedIntoTheQtEditAndSpinClicksReachTheObject) {
  const int i = Add(TYPE_RECTANGLE);
  view->ShowCurrentTypePages(i, TRUE);
  auto* host = dynamic_cast<CQtControlHost*>(PageHost(TYPE_RECTANGLE, 0));
  ASSERT_NE(host, nullptr);
  auto* edit = qobject_cast<QLineEdit*>(host->GetControlWidget(dlg135::IDC_SIZE_X));
  ASSERT_NE(edit, nullptr);
  edit->selectAll();
  for (const char* key : {"3", "5", ".", "5"}) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromLatin1(key));
    QApplication::sendEvent(edit, &press);
  }
  EXPECT_EQ(edit->text().toStdString(), "35.5");
  EXPECT_DOUBLE_EQ(At<CRectangleObject>(i)->m_dWidth, 35.5);
  // A refused value comes back at once.
  edit->selectAll();
  QKeyEvent minus(QEvent::KeyPress, Qt::Key_Minus, Qt::NoModifier, QStringLiteral("-"));
  QApplication::sendEvent(edit, &minus);
  QKeyEvent one(QEvent::KeyPress, Qt::Key_1, Qt::NoModifier, QStringLiteral("1"));
  QApplication::sendEvent(edit, &one);
  // The lone "-" is no value yet; "-1" is refused and the kept width comes back.
  EXPECT_DOUBLE_EQ(At<CRectangleObject>(i)->m_dWidth, 35.5);
  EXPECT_EQ(edit->text().toStdString(), " 35.500");
  CSpinButtonCtrl* spin = host->GetSpin(dlg135::IDC_SPIN_ROWS);
  ASSERT_NE(spin, nullptr);
  const int rows = At<CRectangleObject>(i)->m_nRows;
  spin->State().Press(1);
  spin->State().Release();
  EXPECT_EQ(At<CRectangleObject>(i)->m_nRows, rows + 1);
  EXPECT_EQ(host->GetDlgItemText(dlg135::IDC_ROWS).str(), " " + std::to_string(rows + 1));
}

// Typed on the Qt host, a character code page 932 cannot hold never reaches the object as "?".
TEST_F(FormPages, ACharacterTheFilesCannotHoldIsRefusedAndTheEditShowsTheStoredTextAgain) {
  const CString refused = CString::FromUtf8("この文字は使用できません: U+D55C");
  const int q = Add(TYPE_BARCODE);
  At<CBarcodeObject>(q)->m_strText = CString("LOT-1");
  view->ShowCurrentTypePages(q, TRUE);
  auto* qr = dynamic_cast<CQtControlHost*>(PageHost(TYPE_BARCODE, 0));
  ASSERT_NE(qr, nullptr);
  auto* code = qobject_cast<QLineEdit*>(qr->GetControlWidget(dlg281::IDC_TEXT));
  auto* confirmCode = qobject_cast<QAbstractButton*>(qr->GetControlWidget(dlg281::IDC_CONFIRM));
  ASSERT_TRUE(code && confirmCode);
  code->setText(QString::fromUtf8("LOT-한국-9"));
  prompter.ExpectMessage(IDOK, refused.str().c_str());
  confirmCode->click();
  EXPECT_EQ(At<CBarcodeObject>(q)->m_strText.str(), "LOT-1");
  EXPECT_EQ(code->text().toStdString(), "LOT-1");
  // What the files hold goes through unchanged, double-byte characters included.
  code->setText(QString::fromUtf8("LOT-山-9"));
  confirmCode->click();
  EXPECT_EQ(At<CBarcodeObject>(q)->m_strText, CString::FromUtf8("LOT-山-9"));

  for (int kind : {TYPE_TEXT1, TYPE_TEXT2}) {
    SCOPED_TRACE(kind);
    const int t = Add(kind);
    const int textId = kind == TYPE_TEXT1 ? dlg139::IDC_TEXT : dlg141::IDC_TEXT;
    const int confirmId = kind == TYPE_TEXT1 ? dlg139::IDC_CONFIRM : dlg141::IDC_CONFIRM;
    auto stored = [&] {
      return kind == TYPE_TEXT1 ? At<CText1Object>(t)->m_strText : At<CText2Object>(t)->m_strText;
    };
    if (kind == TYPE_TEXT1) At<CText1Object>(t)->SetText(CString("AB"));
    else At<CText2Object>(t)->SetText(CString("AB"));
    view->ShowCurrentTypePages(t, TRUE);
    auto* host = dynamic_cast<CQtControlHost*>(PageHost(kind, 0));
    ASSERT_NE(host, nullptr);
    auto* confirm = qobject_cast<QAbstractButton*>(host->GetControlWidget(confirmId));
    ASSERT_NE(confirm, nullptr);
    QWidget* edit = host->GetControlWidget(textId);
    auto shown = [&] { return host->GetDlgItemText(textId).str(); };
    auto type = [&](const char* utf8) {
      if (auto* line = qobject_cast<QLineEdit*>(edit)) line->setText(QString::fromUtf8(utf8));
      else if (auto* plain = qobject_cast<QPlainTextEdit*>(edit)) plain->setPlainText(QString::fromUtf8(utf8));
      else FAIL() << "no text edit";
    };
    type("ABC한글");
    prompter.ExpectMessage(IDOK, refused.str().c_str());
    confirm->click();
    EXPECT_EQ(stored().str(), "AB");
    EXPECT_EQ(shown(), "AB");
    type("ABC");
    confirm->click();
    EXPECT_EQ(stored().str(), "ABC");
    // What a Japanese input method types for 〜 and − is held as the code page's own bytes.
    type("A\u301C\u2212\u2016");
    confirm->click();
    EXPECT_EQ(stored().str(), "A\x81\x60\x81\x7C\x81\x61");
  }
  prompter.VerifyAllUsed();
}

// A job advances a counting text: its line in the list shows the new count and stays selected,
// as the text page does. A threaded job's start leaves list, page and selection alone.
TEST_F(FormPages, TheListFollowsACounterAdvancedByAJobAndAThreadedStartKeepsTheSelection) {
  Add(TYPE_RECTANGLE);
  const int i = Add(TYPE_TEXT1);
  auto* t = At<CText1Object>(i);
  t->m_bCountUp = 1;
  t->m_nCountDigits = 3;
  t->m_nCount = 1;
  t->SetText(CString("001"));
  Add(TYPE_CIRCLE);
  view->FillObjectList();
  Select(i);
  IControlHost* form = view->Controls();
  const int row = doc->IndexToVisible(i);
  auto rowText = [&] { return form->GetText(res::IDC_OBJECT_LIST, row).str(); };
  ASSERT_NE(rowText().find("( 001 )"), std::string::npos) << rowText();
  ASSERT_EQ(form->GetCurSel(res::IDC_OBJECT_LIST), row);
  const int rows = form->GetCount(res::IDC_OBJECT_LIST);

  for (const char* shown : {"( 002 )", "( 003 )"}) {
    doc->AdvanceCounterTexts();
    doc->UpdateAllViews(nullptr, HINT_ENGRAVING_ENDED, doc.get());
    EXPECT_NE(rowText().find(shown), std::string::npos) << rowText();
    EXPECT_EQ(form->GetCount(res::IDC_OBJECT_LIST), rows);
    EXPECT_EQ(form->GetCurSel(res::IDC_OBJECT_LIST), row);
    EXPECT_EQ(PageHost(TYPE_TEXT1, 0)->GetDlgItemText(dlg139::IDC_TEXT).str(), t->m_strText.str());
  }
  // Every line is the document's own.
  for (int r = 0; r < rows; ++r) {
    CString text;
    ASSERT_TRUE(doc->GetListText(r + 1, text));
    EXPECT_EQ(form->GetText(res::IDC_OBJECT_LIST, r), text) << r;
  }

  // After a click the last action is a selection change; the threaded start's hint is no line.
  Select(i);
  doc->UpdateAllViews(nullptr, HINT_THREAD_ENGRAVING_STARTED, doc.get());
  EXPECT_EQ(form->GetCurSel(res::IDC_OBJECT_LIST), row);
  EXPECT_EQ(view->GetPageKind(), TYPE_TEXT1);
  EXPECT_EQ(doc->m_nCurrentIndex, i);
}

// In a pane as small as a 1024 x 600 window leaves it, every control of every page of every kind
// can be scrolled to: the form's scroll range follows the pages shown, not the first ones.
TEST_F(FormPages, EveryControlOfEveryPageLiesWithinTheScrollRange) {
  QWidget window;
  window.resize(420, 380);
  CFormScroller scroller(view.get(), &window);
  // The fixture owns the view: the pane lets go of it again, however the test ends.
  struct GiveBack {
    CFormScroller& pane;
    CKorvaneView& form;
    ~GiveBack() {
      form.SetSizeHintHandler(nullptr);
      pane.takeWidget();
    }
  } giveBack{scroller, *view};
  scroller.resize(window.size());
  window.show();
  QApplication::processEvents();

  std::vector<int> indices = {0};
  for (int kind : {TYPE_LINE, TYPE_RECTANGLE, TYPE_CIRCLE, TYPE_TRIANGLE, TYPE_RHOMBIC, TYPE_POLYGON, TYPE_TEXT1,
                   TYPE_TEXT2, TYPE_BARCODE})
    indices.push_back(Add(kind));
  ASSERT_NE(List().AddBmpFromImage(MonoBmpFile::Create(40, 30)), nullptr);
  indices.push_back(List().GetCount() - 1);
  view->SyncObjectList();
  int checked = 0;
  auto checkShown = [&](const std::string& what) {
    QApplication::processEvents();
    const QRect reach(QPoint(0, 0), view->size());
    // The scroll bars reach the whole form.
    EXPECT_EQ(scroller.verticalScrollBar()->maximum(), std::max(0, view->height() - scroller.viewport()->height()));
    for (int p = 0; p < view->Sheet().GetPageCount(); ++p) {
      view->Sheet().SetActivePage(p);
      QApplication::processEvents();
      QWidget* page = view->Sheet().GetPage(p)->GetPageWindow();
      ASSERT_NE(page, nullptr);
      for (QWidget* control : page->findChildren<QWidget*>()) {
        if (!control->isVisibleTo(view.get()) || control->width() <= 1) continue;
        const QRect at(control->mapTo(view.get(), QPoint(0, 0)), control->size());
        EXPECT_TRUE(reach.contains(at)) << what << ", page " << p << ": control at " << at.x() << "," << at.y() << " "
                                        << at.width() << "x" << at.height() << " outside the form's "
                                        << reach.width() << "x" << reach.height();
        ++checked;
      }
    }
  };
  for (int index : indices) {
    Select(index);
    view->ShowCurrentTypePages(index, TRUE);
    checkShown("kind " + std::to_string(doc->m_nCurrentKind));
  }
  // Two objects at once: the multi-selection's pages.
  std::vector<int> flags(static_cast<size_t>(List().GetCount()), 0);
  flags[static_cast<size_t>(indices[1]) - 1] = flags[static_cast<size_t>(indices[2]) - 1] = 1;
  doc->SetMultiSelection(flags.data(), static_cast<int>(flags.size()));
  view->ShowCurrentTypePages(0, TRUE);
  ASSERT_EQ(doc->m_nCurrentKind, TYPE_MULTI);
  checkShown("the multi-selection");
  EXPECT_GT(checked, 300);
  // For a look by eye: the straight text page scrolled to its bottom.
  if (const char* dir = std::getenv("KORVANE_SCREENSHOT_DIR")) {
    Select(indices[7]);
    QApplication::processEvents();
    scroller.verticalScrollBar()->setValue(scroller.verticalScrollBar()->maximum());
    QApplication::processEvents();
    EXPECT_TRUE(window.grab().save(QString::fromUtf8(dir) + "/form_text_page_bottom.png"));
  }
  // Back on a short page the form shrinks again: no empty room stays below it.
  Select(indices[1]);
  QApplication::processEvents();
  EXPECT_LE(view->height(), std::max(view->sizeHint().height(), scroller.maximumViewportSize().height()));
}

}  // namespace
