// The seal dialogs over the real Qt control host, driven with QTest as the operator would.
#include <gtest/gtest.h>

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QListWidget>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QWidget>
#include <cstdlib>
#include <deque>
#include <memory>

#include "form_fixture.h"
#include "model/textutil.h"
#include "platform/numfmt.h"
#include "platform/ui/qt_control_host.h"
#include "res/dialog_257.h"
#include "res/dialog_266.h"
#include "res/dialog_267.h"
#include "scripted_prompter.h"
#include "seal/seal_dialogs.h"
#include "seal/seal_font_choice.h"
#include "modal_driver.h"
#include "temp_dir.h"

namespace {

CString U8(const char* utf8) { return CString::FromUtf8(utf8); }

// Font dialogs answered from a list of faces (an empty face: Cancel).
class FontAnswers : public IModalDialogs {
 public:
  FontAnswers() { m_previous = SetModalDialogs(this); }
  ~FontAnswers() override { SetModalDialogs(m_previous); }
  bool LayerDialog(LayerDialogData&) override { return false; }
  bool OutputModeDialog(OutputModeDialogData&) override { return false; }
  bool FontDialog(FontDialogData& data) override {
    asked.push_back(data);
    if (faces.empty()) return false;
    const CString face = faces.front();
    faces.pop_front();
    if (face.IsEmpty()) return false;
    data.faceName = face;
    return true;
  }
  std::deque<CString> faces;
  std::vector<FontDialogData> asked;

 private:
  IModalDialogs* m_previous = nullptr;
};

// A dialog's controls on a shown widget, the dialog attached and initialised.
template <class Dialog>
struct Running {
  template <class... Args>
  explicit Running(const DlgTemplate& tpl, Args&&... args) : dialog(std::forward<Args>(args)...) {
    widget.resize(CQtControlHost::TemplateSize(tpl));
    host = std::make_unique<CQtControlHost>(tpl, &widget);
    dialog.AttachHost(host.get());
    dialog.OnInitDialog();
    widget.show();
  }
  QWidget* W(int id) const { return host->GetControlWidget(id); }
  QLineEdit* Edit(int id) const { return qobject_cast<QLineEdit*>(W(id)); }
  QComboBox* Combo(int id) const { return qobject_cast<QComboBox*>(W(id)); }
  void Click(int id) { QTest::mouseClick(W(id), Qt::LeftButton, {}, QPoint(4, 4)); }
  void Retype(int id, const char* utf8) {
    QLineEdit* e = Edit(id);
    e->selectAll();
    e->insert(QString::fromUtf8(utf8));
  }
  void PickStyle(int d) { QTest::mouseClick(W(1618), Qt::LeftButton, {}, QPoint(d, 20)); }

  QtWarningGuard guard;
  QWidget widget;
  std::unique_ptr<CQtControlHost> host;
  Dialog dialog;
};

PersonalSealDialogData PersonalData() {
  PersonalSealDialogData d;
  d.width = 15;
  d.height = 15;
  d.round = 1;
  d.frame = 0.8;
  d.font = U8("IPAMincho");
  d.style = 3;
  d.shape = 0;
  for (int i = 0; i < SEAL_FONT_HISTORY; ++i) d.fontHist[i] = CString(numfmt::Format("Face%d", i));
  return d;
}

CorporateSealDialogData CorporateData() {
  CorporateSealDialogData d;
  for (int i = 0; i < SEAL_FONT_HISTORY; ++i) {
    d.sotoFont[i] = CString(numfmt::Format("Ring%d", i));
    d.uchiFont[i] = CString(numfmt::Format("Inner%d", i));
  }
  d.uchiText = {U8("代表取締役印"), U8("社長之印"), U8("銀行之印")};
  d.width = 21;
  d.height = 21;
  d.kaibunSize = 30;
  d.sotoSize = 1;
  d.uchiSize = 0.5;
  d.uchiwaku = 1;
  return d;
}

}  // namespace

TEST(SealDialogs, StylePictureSplitsAtThePickersThresholds) {
  const QImage picture = seal::StylePicture();
  EXPECT_EQ(picture.size(), QSize(470, 150));
  EXPECT_EQ(seal::StyleAtPicture(0), 0);
  EXPECT_EQ(seal::StyleAtPicture(66), 0);
  EXPECT_EQ(seal::StyleAtPicture(67), 1);
  EXPECT_EQ(seal::StyleAtPicture(132), 1);
  EXPECT_EQ(seal::StyleAtPicture(203), 2);
  EXPECT_EQ(seal::StyleAtPicture(274), 3);
  EXPECT_EQ(seal::StyleAtPicture(340), 4);
  EXPECT_EQ(seal::StyleAtPicture(405), 5);
  EXPECT_EQ(seal::StyleAtPicture(406), 6);
  // Every panel holds a drawing: some ink between each pair of splits.
  const int edges[] = {0, 67, 133, 204, 275, 341, 406, 470};
  for (int s = 0; s < 7; ++s) {
    int ink = 0;
    for (int x = edges[s] + 3; x < edges[s + 1] - 3; ++x)
      for (int y = 3; y < 147; ++y) ink += qGray(picture.pixel(x, y)) < 128;
    EXPECT_GT(ink, 50) << "style " << s;
  }
}

TEST(SealDialogs, StrictNumbersAndCodePage932) {
  double v = 0;
  EXPECT_TRUE(seal::ParseDialogNumber(" 12.5 ", v));
  EXPECT_DOUBLE_EQ(v, 12.5);
  EXPECT_TRUE(seal::ParseDialogNumber("-1e2", v));
  EXPECT_DOUBLE_EQ(v, -100);
  for (const char* bad : {"", "abc", "12a", "1.2.3", ".", "1e", "- 1"}) EXPECT_FALSE(seal::ParseDialogNumber(bad, v)) << bad;
  EXPECT_TRUE(FirstNonCp932Character(QString::fromUtf8("山田ｱ①abc")).isEmpty());
  EXPECT_EQ(FirstNonCp932Character(QString::fromUtf8("山한田")), QString::fromUtf8("한"));
}

TEST(SealDialogs, KindDialogTakesTheRadioOrMinusOne) {
  {
    Running<CSealKindDialog> r(g_Dialog266);
    r.dialog.OnOK();
    EXPECT_EQ(r.dialog.GetResult(), IDOK);
    EXPECT_EQ(r.dialog.m_nKind, -1);
  }
  Running<CSealKindDialog> r(g_Dialog266);
  r.Click(dlg266::IDC_CORPORATE);
  r.dialog.OnOK();
  EXPECT_EQ(r.dialog.m_nKind, 1);
}

TEST(SealDialogs, PersonalShapesPickerAndLines) {
  ScriptedPrompter prompter;
  Running<CPersonalSealDialog> r(g_Dialog257, PersonalData());
  IControlHost& h = *r.host;
  EXPECT_EQ(h.GetDlgItemText(1614), CString("15"));
  EXPECT_EQ(h.GetDlgItemText(1624), CString("0.8"));
  EXPECT_EQ(h.GetCheckedRadioButton(1611), 1611);
  EXPECT_FALSE(h.IsWindowVisible(1616));
  EXPECT_FALSE(h.IsWindowVisible(1621));
  EXPECT_FALSE(h.IsWindowVisible(1623));
  // Seven styles, none chosen on opening; the combo can be typed into and that changes nothing.
  EXPECT_EQ(h.GetCount(1619), 7);
  EXPECT_EQ(h.GetText(1619, 1), U8("姓or名 縦彫"));
  EXPECT_EQ(h.GetCurSel(1619), -1);
  ASSERT_TRUE(r.Combo(1619)->isEditable());
  QTest::keyClicks(r.Combo(1619)->lineEdit(), QStringLiteral("x"));
  EXPECT_EQ(r.dialog.GetStyle(), 3);
  // Only the fonts in use, the first chosen.
  EXPECT_EQ(h.GetCount(1625), 10);
  EXPECT_EQ(h.GetCurSel(1625), 0);

  r.Click(1613);
  EXPECT_TRUE(h.IsWindowVisible(1616));
  EXPECT_TRUE(h.IsWindowVisible(1621));
  r.Click(1612);
  EXPECT_FALSE(h.IsWindowVisible(1616));
  r.Click(1613);

  const std::pair<int, int> picks[] = {{66, 0}, {67, 1}, {405, 5}, {406, 6}, {200, 2}};
  for (auto [d, style] : picks) {
    r.PickStyle(d);
    EXPECT_EQ(r.dialog.GetStyle(), style) << d;
    EXPECT_EQ(h.GetCurSel(1619), style) << d;
  }

  qobject_cast<QPlainTextEdit*>(r.W(1617))->setPlainText(QString::fromUtf8("山田\n太郎"));
  r.Retype(1616, "2.5");
  r.dialog.OnOK();
  ASSERT_EQ(r.dialog.GetResult(), IDOK);
  const PersonalSealDialogData& d = r.dialog.m_Data;
  EXPECT_EQ(d.shape, 2);
  EXPECT_DOUBLE_EQ(d.round, 2.5);
  EXPECT_EQ(d.style, 2);
  ASSERT_EQ(d.lines.size(), 2u);
  EXPECT_EQ(d.lines[0], U8("山田"));
  EXPECT_EQ(d.lines[1], U8("太郎"));
  prompter.VerifyAllUsed();
}

TEST(SealDialogs, PersonalRefusesWhatItCannotTake) {
  ScriptedPrompter prompter;
  Running<CPersonalSealDialog> r(g_Dialog257, PersonalData());
  r.Retype(1614, "abc");
  prompter.ExpectMessage(IDOK, U8("数字を入力してください。").str().c_str());
  r.dialog.OnOK();
  EXPECT_NE(r.dialog.GetResult(), IDOK);
  EXPECT_TRUE(r.dialog.m_Data.lines.empty());

  // A size the seal cannot have is refused, naming the value and the range, not built at
  // another size.
  for (int id : {1614, 1615, 1624}) {
    r.Retype(id, "100000");
    prompter.ExpectMessage(IDOK, U8("100000 は範囲の外です。0 から 100 までの数字を入力してください。").str().c_str());
    r.dialog.OnOK();
    EXPECT_NE(r.dialog.GetResult(), IDOK);
    r.Retype(id, "12");
  }
  r.Retype(1614, "-1");
  prompter.ExpectMessage(IDOK, U8("-1 は範囲の外です。").str().c_str());
  r.dialog.OnOK();
  EXPECT_NE(r.dialog.GetResult(), IDOK);

  r.Retype(1614, "12");
  qobject_cast<QPlainTextEdit*>(r.W(1617))->setPlainText(QString::fromUtf8("山한"));
  prompter.ExpectMessage(IDOK, U8("この文字は使用できません: U+D55C").str().c_str());
  r.dialog.OnOK();
  EXPECT_NE(r.dialog.GetResult(), IDOK);
  EXPECT_DOUBLE_EQ(r.dialog.m_Data.width, 15);

  qobject_cast<QPlainTextEdit*>(r.W(1617))->setPlainText(QString::fromUtf8("山"));
  r.dialog.OnOK();
  EXPECT_EQ(r.dialog.GetResult(), IDOK);
  EXPECT_DOUBLE_EQ(r.dialog.m_Data.width, 12);
  prompter.VerifyAllUsed();
}

TEST(SealDialogs, PersonalFontListRotation) {
  ScriptedPrompter prompter;
  FontAnswers fonts;
  Running<CPersonalSealDialog> r(g_Dialog257, PersonalData());
  IControlHost& h = *r.host;
  fonts.faces = {CString("  Face4 "), CString("NewFace"), CString()};
  r.Click(1622);
  ASSERT_EQ(fonts.asked.size(), 1u);
  EXPECT_EQ(fonts.asked[0].faceName, CString("Face0"));
  EXPECT_EQ(fonts.asked[0].charSet, 128);
  EXPECT_TRUE(fonts.asked[0].faceOnly);
  const char* afterFour[] = {"Face4", "Face0", "Face1", "Face2", "Face3", "Face5", "Face6", "Face7", "Face8", "Face9"};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(r.dialog.m_Data.fontHist[i], CString(afterFour[i])) << i;
  EXPECT_EQ(h.GetDlgItemText(1623), CString("Face4"));
  EXPECT_EQ(h.GetText(1625, 0), CString("Face4"));
  EXPECT_EQ(h.GetCurSel(1625), 0);

  r.Click(1622);
  EXPECT_EQ(fonts.asked[1].faceName, CString("Face4"));
  EXPECT_EQ(r.dialog.m_Data.fontHist[0], CString("NewFace"));
  EXPECT_EQ(r.dialog.m_Data.fontHist[9], CString("Face8"));  // the old last entry dropped out

  r.Click(1622);  // cancelled: nothing moves
  EXPECT_EQ(r.dialog.m_Data.fontHist[0], CString("NewFace"));

  // A face picked in the combo goes first on OK.
  r.Combo(1625)->setCurrentIndex(3);
  r.dialog.OnOK();
  ASSERT_EQ(r.dialog.GetResult(), IDOK);
  EXPECT_EQ(r.dialog.m_Data.fontHist[0], CString("Face1"));
  EXPECT_EQ(r.dialog.m_Data.fontHist[1], CString("NewFace"));
  EXPECT_EQ(r.dialog.m_Data.fontHist[3], CString("Face0"));
}

TEST(SealDialogs, CorporateInnerControlsFollowTheChecks) {
  ScriptedPrompter prompter;
  Running<CCorporateSealDialog> r(g_Dialog267, CorporateData());
  IControlHost& h = *r.host;
  EXPECT_TRUE(h.GetDlgItemText(1636).IsEmpty());
  EXPECT_EQ(h.GetCount(1637), 10);
  EXPECT_EQ(h.GetCount(1649), 3);
  EXPECT_EQ(h.GetDlgItemText(1649), U8("代表取締役印"));
  EXPECT_TRUE(h.IsWindowEnabled(1636));

  r.Click(1632);  // inner frame off
  for (int id : {1628, 1636, 1637, 1638, 1616, 1626, 1634}) EXPECT_FALSE(h.IsWindowEnabled(id)) << id;
  for (int id : {1614, 1615, 1635}) EXPECT_TRUE(h.IsWindowEnabled(id)) << id;
  r.Click(1632);

  r.Click(1634);  // same font: the inner font goes
  EXPECT_FALSE(h.IsWindowVisible(1630));
  EXPECT_FALSE(h.IsWindowVisible(1644));
  r.Click(1634);
  EXPECT_TRUE(h.IsWindowVisible(1630));

  r.Click(1633);  // inner image
  EXPECT_EQ(h.GetDlgItemText(1643), U8("内枠彫刻画像ファイル"));
  for (int id : {1647, 1648, 1646}) EXPECT_TRUE(h.IsWindowVisible(id)) << id;
  for (int id : {1645, 1619, 1618, 1644, 1649, 1630, 1631, 1634}) EXPECT_FALSE(h.IsWindowVisible(id)) << id;
  r.dialog.OnClickStylePicker(400);
  EXPECT_EQ(r.dialog.GetStyle(), 0);
  r.Click(1633);
  EXPECT_EQ(h.GetDlgItemText(1643), U8("内枠彫刻文字"));
  r.PickStyle(400);
  EXPECT_EQ(r.dialog.GetStyle(), 5);
}

TEST(SealDialogs, CorporateImageHistoryAndPreview) {
  ScriptedPrompter prompter;
  TempDir dir;
  const QString bmp = QString::fromStdString(dir.Path() + "/inner.bmp");
  QFile file(bmp);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("BM");
  file.close();
  CorporateSealDialogData data = CorporateData();
  data.uchiImage = 1;
  data.uchiImageFile = {U8("/nowhere/missing.bmp")};
  Running<CCorporateSealDialog> r(g_Dialog267, data);
  EXPECT_TRUE(r.dialog.IsInnerImageMissing());
  EXPECT_EQ(r.Combo(1647)->palette().color(QPalette::Base), QColor(255, 0, 0));

  prompter.ExpectFile(CString::FromQString(bmp));
  r.Click(1646);
  EXPECT_FALSE(r.dialog.IsInnerImageMissing());
  prompter.ExpectFile(CString::FromQString(bmp) + " ");
  r.Click(1646);
  ASSERT_EQ(r.dialog.m_Data.uchiImageFile.size(), 2u);
  EXPECT_EQ(r.dialog.m_Data.uchiImageFile[0], CString::FromQString(bmp));
  ASSERT_FALSE(prompter.Log().empty());

  // Typing a name that is not there turns the combo red again.
  QTest::keyClicks(r.Combo(1647)->lineEdit(), QStringLiteral("x"));
  EXPECT_TRUE(r.dialog.IsInnerImageMissing());
  prompter.VerifyAllUsed();
}

TEST(SealDialogs, CorporateOkRangesAndHistory) {
  ScriptedPrompter prompter;
  FontAnswers fonts;
  Running<CCorporateSealDialog> r(g_Dialog267, CorporateData());
  // A face chosen before Cancel is already in the list the document lends.
  fonts.faces = {CString("Ring5")};
  r.Click(1638);
  EXPECT_EQ(r.dialog.m_Data.sotoFont[0], CString("Ring5"));
  EXPECT_EQ(r.dialog.m_Data.sotoFont[5], CString("Ring4"));
  EXPECT_EQ(r.host->GetCount(1637), 10);

  r.Retype(1614, "100.5");
  prompter.ExpectMessage(IDOK, U8("0 から 100 までの数字を入力してください。").str().c_str());
  r.dialog.OnOK();
  EXPECT_NE(r.dialog.GetResult(), IDOK);
  r.Retype(1614, "24");

  // A chosen history entry goes first, those above it move down.
  r.Combo(1649)->setCurrentIndex(2);
  r.Edit(1636)->insert(QString::fromUtf8("株式会社山田商事"));
  r.dialog.OnOK();
  ASSERT_EQ(r.dialog.GetResult(), IDOK);
  const CorporateSealDialogData& d = r.dialog.m_Data;
  ASSERT_EQ(d.uchiText.size(), 3u);
  EXPECT_EQ(d.uchiText[0], U8("銀行之印"));
  EXPECT_EQ(d.uchiText[1], U8("代表取締役印"));
  EXPECT_EQ(d.uchiText[2], U8("社長之印"));
  EXPECT_DOUBLE_EQ(d.width, 24);
  EXPECT_EQ(d.ringText, U8("株式会社山田商事"));
  prompter.VerifyAllUsed();
}

TEST(SealDialogs, CorporateTypedInnerTextIsNewAndCheckedForCodePage932) {
  ScriptedPrompter prompter;
  Running<CCorporateSealDialog> r(g_Dialog267, CorporateData());
  QLineEdit* inner = r.Combo(1649)->lineEdit();
  inner->selectAll();
  inner->insert(QString::fromUtf8("認印"));
  r.dialog.OnOK();
  ASSERT_EQ(r.dialog.GetResult(), IDOK);
  const std::vector<CString>& h = r.dialog.m_Data.uchiText;
  ASSERT_EQ(h.size(), 4u);
  EXPECT_EQ(h[0], U8("認印"));
  EXPECT_EQ(h[1], U8("代表取締役印"));

  Running<CCorporateSealDialog> again(g_Dialog267, CorporateData());
  again.Edit(1636)->insert(QString::fromUtf8("山田"));
  again.Edit(1636)->insert(QString::fromUtf8("\xF0\x9F\x98\x80"));
  prompter.ExpectMessage(IDOK, U8("この文字は使用できません: U+1F600").str().c_str());
  again.dialog.OnOK();
  EXPECT_NE(again.dialog.GetResult(), IDOK);
  prompter.VerifyAllUsed();
}

// The seal's font choice offers the Japanese scalable faces by name only: no style, no size.
TEST(SealDialogs, TheFontChoiceOffersJapaneseFacesByNameOnly) {
  const QStringList faces = CSealFontChoice::Faces();
  ASSERT_FALSE(faces.isEmpty());
  for (const QString& face : faces) {
    EXPECT_TRUE(QFontDatabase::writingSystems(face).contains(QFontDatabase::Japanese)) << face.toStdString();
    EXPECT_TRUE(QFontDatabase::isScalable(face)) << face.toStdString();
  }
  for (const QString& latinOnly : QFontDatabase::families(QFontDatabase::Latin)) {
    if (!QFontDatabase::writingSystems(latinOnly).contains(QFontDatabase::Japanese)) {
      EXPECT_FALSE(faces.contains(latinOnly)) << latinOnly.toStdString();
    }
  }

  // Opened on the current face; the operator picks the last one and confirms.
  QString face = faces.first();
  bool sizeOrStyle = true;
  modal::WhenShown([&](QDialog& dialog) {
    sizeOrStyle = !dialog.findChildren<QAbstractSpinBox*>().isEmpty() || !dialog.findChildren<QComboBox*>().isEmpty();
    auto* list = dialog.findChild<QListWidget*>(QStringLiteral("faces"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->currentItem()->text(), faces.first());
    list->setCurrentRow(list->count() - 1);
    dialog.accept();
  });
  ASSERT_TRUE(ChooseSealFont(nullptr, face));
  EXPECT_FALSE(sizeOrStyle);
  EXPECT_EQ(face, faces.last());

  modal::WhenShown([](QDialog& dialog) { dialog.reject(); });
  EXPECT_FALSE(ChooseSealFont(nullptr, face));
  EXPECT_EQ(face, faces.last());
}

namespace {

// Opened on the program's default face (drawn in IPAMincho) or on none, OK keeps that face; a
// face that is not installed becomes the nearest installed one of its style, and the dialog says
// so; a typed name is what is returned, not the list's previous entry.
TEST(SealDialogs, TheFontChoiceKeepsItsFaceAndStandsInByStyle) {
  const QString msMincho = QString::fromUtf8("ＭＳ 明朝");
  for (const QString& given : {msMincho, QString()}) {
    QString face = given;
    QString listed;
    modal::WhenShown([&](QDialog& dialog) {
      auto* list = dialog.findChild<QListWidget*>(QStringLiteral("faces"));
      ASSERT_TRUE(list && list->currentItem());
      listed = list->currentItem()->text();
      dialog.accept();
    });
    ASSERT_TRUE(ChooseSealFont(nullptr, face));
    EXPECT_EQ(face, msMincho);
    EXPECT_EQ(listed, QStringLiteral("IPAMincho"));
  }

  QString face = QString::fromUtf8("ＨＧ正楷書体明朝");
  QString note;
  modal::WhenShown([&](QDialog& dialog) {
    auto* label = dialog.findChild<QLabel*>(QStringLiteral("note"));
    ASSERT_NE(label, nullptr);
    note = label->isVisibleTo(&dialog) ? label->text() : QString();
    if (const char* shots = std::getenv("KORVANE_SCREENSHOT_DIR"))
      dialog.grab().save(QString::fromUtf8(shots) + QStringLiteral("/seal_font_stand_in.png"));
    dialog.accept();
  });
  ASSERT_TRUE(ChooseSealFont(nullptr, face));
  EXPECT_EQ(face, QStringLiteral("IPAMincho"));
  EXPECT_TRUE(note.contains(QStringLiteral("IPAMincho"))) << note.toStdString();

  face = msMincho;
  modal::WhenShown([](QDialog& dialog) {
    auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("face"));
    ASSERT_NE(name, nullptr);
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("Sample Gothic"));
    dialog.accept();
  });
  ASSERT_TRUE(ChooseSealFont(nullptr, face));
  EXPECT_EQ(face, QStringLiteral("IPAGothic"));
}

}  // namespace
