// The object pages in the real form view and its sheet, on the Qt host: the form view refreshes
// the text pages after an engraving job (hint 10018) and after drawing data were loaded (10021).
#include <QApplication>
#include <QKeyEvent>
#include <QAbstractButton>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <string>
#include <vector>

#include "app/korvane_view.h"
#include "pages_fixture.h"
#include "platform/ui/qt_control_host.h"
#include "platform/ui/updown.h"
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
  EXPECT_DOUBLE_EQ(At<CRectangleObject>(i)->m_dWidth, 0.0);  // "-" reads as 0, accepted
  EXPECT_EQ(edit->text().toStdString(), " 0.000");
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

}  // namespace
