#include "form_test_pages.h"

#include "model/drawobject.h"
#include "model/kinds.h"
#include "model/textobject.h"

CTestPage::CTestPage(const DlgTemplate* tpl, int kind, int index, std::vector<PageBinding> bindings, FillFn fill)
    : CKorvanePage(tpl, kind, index), m_vBindings(std::move(bindings)), m_fill(std::move(fill)) {}

BOOL CTestPage::OnSetActive() {
  ++m_nActivations;
  if (m_bAdding) ++m_nAddingSeen;
  return CKorvanePage::OnSetActive();
}

const PageBinding* CTestPage::Bindings(int& count) const {
  count = static_cast<int>(m_vBindings.size());
  return m_vBindings.data();
}

void CTestPage::Fill(CDrawObject* copy) {
  ++m_nFills;
  if (m_bAdding) ++m_nAddingSeen;
  if (m_fill && m_pControls) m_fill(*this, copy);
}

namespace {

const DlgControl kRectangle[] = {
    {1183, CTL_EDIT, "", 60, 10, 50, 12}, {1184, CTL_UPDOWN, "", 110, 10, 10, 12, CS_NONE, 1183},
    {1186, CTL_EDIT, "", 60, 26, 50, 12}, {1187, CTL_UPDOWN, "", 110, 26, 10, 12, CS_NONE, 1186},
    {1195, CTL_EDIT, "", 60, 42, 50, 12}, {1196, CTL_UPDOWN, "", 110, 42, 10, 12, CS_NONE, 1195},
    {1205, CTL_CHECK, "縦横の比率を固定する", 10, 58, 100, 10},
    {1207, CTL_RADIO, "直角", 10, 72, 40, 10, CS_NONE, 1207},
    {1209, CTL_RADIO, "丸", 50, 72, 40, 10, CS_NONE, 1207},
    {1211, CTL_RADIO, "面取り", 90, 72, 40, 10, CS_NONE, 1207},
};
const DlgControl kTextString[] = {
    {1326, CTL_EDIT_MULTILINE, "", 10, 10, 150, 40},
    {1009, CTL_EDIT, "", 60, 56, 50, 12},
};
const DlgControl kTextChar[] = {{1500, CTL_LIST, "", 10, 10, 60, 80}};
const DlgControl kDrawing[] = {{1031, CTL_EDIT, "", 10, 10, 50, 12}, {1081, CTL_EDIT, "", 10, 26, 50, 12}};

#define COUNT(a) static_cast<int>(sizeof(a) / sizeof(a[0]))

}  // namespace

void FillRectanglePage(CTestPage& p, CDrawObject* o) {
  auto* r = static_cast<CRectangleObject*>(o);
  p.SetEditDouble(1183, r->m_dWidth, 3);
  p.SetEditDouble(1186, r->m_dHeight, 3);
  p.SetEditInt(1195, r->m_nRows);
  p.C()->SetCheck(1205, r->m_bKeepAspect ? 1 : 0);
  p.C()->CheckRadioButton(1207, r->m_nEdgeStyle == 0 ? 1207 : r->m_nEdgeStyle == 1 ? 1209 : 1211);
}

namespace {

void FillTextString(CTestPage& p, CDrawObject* o) {
  auto* t = static_cast<CText1Object*>(o);
  p.C()->SetDlgItemText(1326, t->m_strText);
  p.SetEditDouble(1009, t->m_dWidth, 3);
}

void FillTextChar(CTestPage& p, CDrawObject* o) { p.FillCharList(1500, static_cast<CText1Object*>(o)->m_strText); }

std::unique_ptr<CKorvanePage> MakeRectangle() {
  return std::make_unique<CTestPage>(&RectanglePageTemplate(), TYPE_RECTANGLE, 0,
                                     std::vector<PageBinding>{{1183, BIND_EDIT_DOUBLE, 1184},
                                                              {1186, BIND_EDIT_DOUBLE, 1187},
                                                              {1195, BIND_EDIT_INT, 1196, 0, FALSE},
                                                              {1205, BIND_CHECK},
                                                              {1207, BIND_RADIO, 0, 3, TRUE, 0},
                                                              {1209, BIND_RADIO, 0, 3, TRUE, 1},
                                                              {1211, BIND_RADIO, 0, 3, TRUE, 2}},
                                     FillRectanglePage);
}

std::unique_ptr<CKorvanePage> MakeText(int kind, int index) {
  if (index == 0)
    return std::make_unique<CTestPage>(&TextStringPageTemplate(), kind, 0,
                                       std::vector<PageBinding>{{1326, BIND_EDIT_TEXT}, {1009, BIND_EDIT_DOUBLE}},
                                       kind == TYPE_TEXT1 ? CTestPage::FillFn(FillTextString) : nullptr);
  return std::make_unique<CTestPage>(&TextCharPageTemplate(), kind, 1, std::vector<PageBinding>{},
                                     kind == TYPE_TEXT1 ? CTestPage::FillFn(FillTextChar) : nullptr);
}

std::unique_ptr<CKorvanePage> MakeDrawing(int index) {
  return std::make_unique<CTestPage>(&DrawingPageTemplate(), TYPE_DRAWING, index,
                                     std::vector<PageBinding>{{1031, BIND_EDIT_DOUBLE}, {1081, BIND_EDIT_DOUBLE}},
                                     nullptr);
}

}  // namespace

int CTestImageEditPage::s_nBuilt = 0;

CTestImageEditPage::CTestImageEditPage()
    : CTestPage(&DrawingPageTemplate(), TYPE_IMAGE, 0, std::vector<PageBinding>{}, nullptr) {
  ++s_nBuilt;
}

const DlgTemplate& RectanglePageTemplate() {
  static const DlgTemplate t{1501, "四角形", 200, 160, kRectangle, COUNT(kRectangle)};
  return t;
}
const DlgTemplate& TextStringPageTemplate() {
  static const DlgTemplate t{1502, "文字列", 200, 160, kTextString, COUNT(kTextString)};
  return t;
}
const DlgTemplate& TextCharPageTemplate() {
  static const DlgTemplate t{1503, "文字", 200, 160, kTextChar, COUNT(kTextChar)};
  return t;
}
const DlgTemplate& DrawingPageTemplate() {
  static const DlgTemplate t{1504, "描画", 200, 160, kDrawing, COUNT(kDrawing)};
  return t;
}

TestPagesRegistration::TestPagesRegistration() {
  using S = CKorvanePropertySheet;
  S::RegisterPage(TYPE_RECTANGLE, 0, MakeRectangle);
  for (int kind : {TYPE_TEXT1, TYPE_TEXT2})
    for (int i = 0; i < 2; ++i) S::RegisterPage(kind, i, [kind, i] { return MakeText(kind, i); });
  for (int i = 0; i < 3; ++i) S::RegisterPage(TYPE_DRAWING, i, [i] { return MakeDrawing(i); }, PAGE_FIELD_FREE);
  for (int i = 0; i < 2; ++i) S::RegisterPage(TYPE_DRAWING, i, [i] { return MakeDrawing(i); }, PAGE_FIELD_FIXED);
  S::RegisterPage(TYPE_IMAGE, 0, [] { return std::make_unique<CTestImageEditPage>(); });
}

TestPagesRegistration::~TestPagesRegistration() {
  using S = CKorvanePropertySheet;
  S::UnregisterPage(TYPE_RECTANGLE, 0);
  for (int kind : {TYPE_TEXT1, TYPE_TEXT2})
    for (int i = 0; i < 2; ++i) S::UnregisterPage(kind, i);
  for (int i = 0; i < 3; ++i) S::UnregisterPage(TYPE_DRAWING, i, PAGE_FIELD_FREE);
  for (int i = 0; i < 2; ++i) S::UnregisterPage(TYPE_DRAWING, i, PAGE_FIELD_FIXED);
  S::UnregisterPage(TYPE_IMAGE, 0);
}
