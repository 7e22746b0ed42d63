// The notification rules every dialog and page is written against, checked on the Qt host and
// on the test host alike.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>
#include <memory>

#include "fake_control_host.h"
#include "form_fixture.h"
#include "platform/ui/qt_control_host.h"

namespace {

enum : int { E = 10, ML = 11, CHK = 12, R1 = 13, R2 = 14, R3 = 15, LST = 16, CMB = 17, ST = 18, BTN = 21 };

const DlgControl kControls[] = {
    {E, CTL_EDIT, "", 5, 5, 60, 12},
    {ML, CTL_EDIT_MULTILINE, "", 5, 20, 60, 30},
    {CHK, CTL_CHECK, "グリッド", 5, 55, 60, 10},
    {R1, CTL_RADIO, "1", 5, 70, 20, 10, CS_NONE, R1},
    {R2, CTL_RADIO, "2", 30, 70, 20, 10, CS_NONE, R1},
    {R3, CTL_RADIO, "3", 55, 70, 20, 10, CS_NONE, R1},
    {LST, CTL_LIST, "", 80, 5, 60, 40},
    {CMB, CTL_COMBO, "", 80, 50, 60, 60},
    {ST, CTL_STATIC, "", 80, 70, 60, 10},
    {BTN, CTL_PUSH, "中止", 80, 85, 40, 14},
};
const DlgTemplate kTemplate{900, "rules", 160, 110, kControls, 10};

struct Owner : IControlOwner {
  std::vector<std::pair<int, int>> got;
  BOOL OnCommand(int id, int code) override {
    got.emplace_back(id, code);
    return TRUE;
  }
  BOOL OnNotify(int, NMUPDOWN&) override { return FALSE; }
  int Count(int id, int code) const {
    int n = 0;
    for (auto& [i, c] : got) n += i == id && c == code;
    return n;
  }
};

struct QtHost {
  QWidget window;
  CQtControlHost host{kTemplate, &window};
  IControlHost& Host() { return host; }
  void Type(int id, const char* utf8) {
    QWidget* w = host.GetControlWidget(id);
    for (QChar ch : QString::fromUtf8(utf8)) {
      // A surrogate pair arrives as one key press with both halves.
      static QString pending;
      pending += ch;
      if (ch.isHighSurrogate()) continue;
      QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, pending);
      QCoreApplication::sendEvent(w, &press);
      pending.clear();
    }
  }
  void Click(int id) { static_cast<QAbstractButton*>(host.GetControlWidget(id))->click(); }
  void ChooseRow(int id, int row) {
    if (auto* list = qobject_cast<QListWidget*>(host.GetControlWidget(id))) list->setCurrentRow(row);
    if (auto* combo = qobject_cast<QComboBox*>(host.GetControlWidget(id))) {
      combo->setCurrentIndex(row);
      emit combo->activated(row);
    }
  }
};

struct FakeHost {
  CFakeControlHost host{kTemplate};
  IControlHost& Host() { return host; }
  void Type(int id, const char* utf8) { host.TypeUtf8(id, utf8); }
  void Click(int id) { host.Click(id); }
  void ChooseRow(int id, int row) { host.ChooseRow(id, row); }
};

template <class H>
class HostRulesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    h = std::make_unique<H>();
    h->Host().SetOwner(&owner);
  }
  IControlHost& C() { return h->Host(); }
  QtWarningGuard warnings;
  std::unique_ptr<H> h;
  Owner owner;
};

using Hosts = ::testing::Types<QtHost, FakeHost>;
TYPED_TEST_SUITE(HostRulesTest, Hosts);

TYPED_TEST(HostRulesTest, CodeSetEditTextNotifiesOnceEvenWhenUnchanged) {
  for (int id : {E, ML}) {
    this->C().SetDlgItemText(id, CString(" 1.000"));
    EXPECT_EQ(this->owner.Count(id, EN_CHANGE), 1) << id;
    this->C().SetDlgItemText(id, CString(" 1.000"));
    EXPECT_EQ(this->owner.Count(id, EN_CHANGE), 2) << id;
    EXPECT_EQ(this->C().GetDlgItemText(id), " 1.000");
  }
  // Statics and buttons take texts silently.
  this->C().SetDlgItemText(ST, CString("x"));
  this->C().SetDlgItemText(BTN, CString("y"));
  EXPECT_EQ(this->owner.got.size(), 4u);
}

TYPED_TEST(HostRulesTest, EveryTypedCharacterNotifies) {
  this->h->Type(E, "12");
  EXPECT_EQ(this->owner.Count(E, EN_CHANGE), 2);
  EXPECT_EQ(this->C().GetDlgItemText(E), "12");
  // "-" and "." alone are typeable: the page reads them as 0 but the edit keeps them.
  this->C().SetDlgItemText(E, CString());
  this->h->Type(E, "-.");
  EXPECT_EQ(this->C().GetDlgItemText(E), "-.");
}

TYPED_TEST(HostRulesTest, CodeSetChoicesStaySilentAndClicksNotify) {
  IControlHost& c = this->C();
  c.AddString(LST, CString("a"));
  c.AddString(LST, CString("b"));
  c.AddString(CMB, CString("x"));
  c.AddString(CMB, CString("y"));
  // Filled rows choose none until code or the operator does.
  EXPECT_EQ(c.GetCurSel(CMB), -1);
  EXPECT_EQ(c.GetCurSel(LST), -1);
  c.SetCheck(CHK, 1);
  c.CheckRadioButton(R1, R2);
  EXPECT_EQ(c.SetCurSel(LST, 1), 1);
  EXPECT_EQ(c.SetCurSel(CMB, 1), 1);
  EXPECT_EQ(c.SetCurSel(LST, 2), LB_ERR);
  c.ResetContent(CMB);
  EXPECT_TRUE(this->owner.got.empty());
  EXPECT_EQ(c.GetCheck(CHK), 1);
  EXPECT_EQ(c.GetCurSel(LST), -1);

  this->h->Click(CHK);
  this->h->Click(R3);
  this->h->Click(BTN);
  c.SetCurSel(LST, 0);
  this->h->ChooseRow(LST, 1);
  c.AddString(CMB, CString("z"));
  c.AddString(CMB, CString("w"));
  this->h->ChooseRow(CMB, 1);
  const std::vector<std::pair<int, int>> want = {
      {CHK, BN_CLICKED}, {R3, BN_CLICKED}, {BTN, BN_CLICKED}, {LST, LBN_SELCHANGE}, {CMB, CBN_SELCHANGE}};
  EXPECT_EQ(this->owner.got, want);
  EXPECT_EQ(c.GetCheck(CHK), 0);
  EXPECT_EQ(c.GetCheckedRadioButton(R1), R3);
  EXPECT_EQ(c.GetCheck(R2), 0);
  EXPECT_EQ(c.GetCurSel(LST), 1);
  EXPECT_EQ(c.GetText(CMB, 1), "w");
}

TYPED_TEST(HostRulesTest, ARadioGroupCanShowNone) {
  IControlHost& c = this->C();
  c.CheckRadioButton(R1, R1);
  EXPECT_EQ(c.GetCheckedRadioButton(R1), R1);
  c.CheckRadioButton(R1, -1);
  EXPECT_EQ(c.GetCheckedRadioButton(R1), -1);
  for (int id : {R1, R2, R3}) EXPECT_EQ(c.GetCheck(id), 0);
}

TYPED_TEST(HostRulesTest, TextsStayCodePage932) {
  IControlHost& c = this->C();
  const CString area = CString::FromUtf8("編集エリア");
  c.SetDlgItemText(E, area);
  c.SetDlgItemText(ST, area);
  c.InsertString(LST, 0, area);
  EXPECT_EQ(c.GetDlgItemText(E), area);
  EXPECT_EQ(c.GetDlgItemText(ST), area);
  EXPECT_EQ(c.GetText(LST, 0), area);
  EXPECT_EQ(c.GetDlgItemText(E).GetLength(), 10);  // five double-byte characters
  c.SetDlgItemText(E, CString());
  this->h->Type(E, "a\xF0\x9F\x98\x80");  // an emoji code page 932 has no character for
  EXPECT_EQ(c.GetDlgItemText(E), "a?");
}

}  // namespace
