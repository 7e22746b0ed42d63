// The shape pages, the multiple-selection page and what every object page shares.
#include "model/drawobject.h"
#include "model/korvane_doc.h"
#include "pages/object_page_util.h"
#include "pages/object_pages.h"
#include "res/dialog_134.h"
#include "res/dialog_135.h"
#include "res/dialog_136.h"
#include "res/dialog_137.h"
#include "res/dialog_138.h"
#include "res/dialog_144.h"
#include "res/dialog_148.h"

// ---- CObjectPage ---------------------------------------------------------------------------------

int CObjectPage::RefreshPage() {
  m_bInRefresh = 1;
  const int result = CKorvanePage::RefreshPage();
  m_bInRefresh = 0;
  return result;
}

void CObjectPage::Fill(CDrawObject* copy) {
  if (copy && copy->m_nType == GetPageKind()) FillObject(copy);
}

void CObjectPage::SetRadios(std::initializer_list<int> ids, int value) {
  if (!m_pControls) return;
  int i = 0;
  for (int id : ids) m_pControls->SetCheck(id, 0);
  for (int id : ids) {
    if (i++ == value) m_pControls->SetCheck(id, 1);
  }
}

int CObjectPage::GetTextLineCount(int id) const {
  if (!m_pControls) return 1;
  // The edit does not wrap, so its lines are the text's lines.
  const std::string s = m_pControls->GetDlgItemText(id).str();
  int lines = 1;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\n') ++lines;
    else if (s[i] == '\r' && (i + 1 >= s.size() || s[i + 1] != '\n')) ++lines;
  }
  return lines;
}

// ---- CSizedPage ----------------------------------------------------------------------------------

BOOL CSizedPage::OnCommand(int id, int code) {
  m_pControls = Host();
  if (id == m_nSizeX && code == EN_CHANGE) {
    OnChangeSizeX();
    return TRUE;
  }
  if (id == m_nSizeY && code == EN_CHANGE) {
    OnChangeSizeY();
    return TRUE;
  }
  if (id == m_nKeepAspectBox && code == BN_CLICKED) {
    OnKeepAspect();
    return TRUE;
  }
  return CKorvanePage::OnCommand(id, code);
}

void CSizedPage::OnKeepAspect() { m_nKeepAspect = ApplyCheck(m_nKeepAspectBox); }

void CSizedPage::FillKeepAspect(int flag) {
  const int on = m_bInRefresh ? (flag == 1) : (flag != 0);
  if (m_pControls) m_pControls->SetCheck(m_nKeepAspectBox, on);
  m_nKeepAspect = on;
}

void CSizedPage::OnChangeSize(int edit, int partner, bool x) {
  // Nothing couples while the page fills itself: a refill would otherwise rewrite the partner
  // from a half-filled page (a size of 0 filled first turns the other into 0 too).
  if (!m_bInitialized || m_bUpdating) return;
  if (!m_nKeepAspect) {
    ApplyEditDouble(edit);
    return;
  }
  CKorvaneDoc* doc = GetDocument();
  CDrawObject* copy = doc ? doc->CopyCurrentObject() : nullptr;
  if (!copy) return;
  const bool sameKind = copy->m_nType == GetPageKind();
  const double old = sameKind ? GetSize(copy, x) : 0.0;
  CKorvaneDoc::FreeObject(copy);
  ApplyEditDouble(edit);
  if (sameKind) KeepAspect(old, edit, partner);
}

// ---- the shape pages -----------------------------------------------------------------------------

using namespace objpage;

namespace {

// Each page's controls with the fields they show, in the order the page fills them.
namespace line {
using namespace dlg134;
using O = CLineObject;
constexpr Field<O> kFields[] = {
    Length(IDC_OFFSET_X, IDC_SPIN_OFFSET_X, &O::m_dPosX),     Length(IDC_OFFSET_Y, IDC_SPIN_OFFSET_Y, &O::m_dPosY),
    Length(IDC_SIZE_X, IDC_SPIN_SIZE_X, &O::m_dWidth),        Length(IDC_SIZE_Y, IDC_SPIN_SIZE_Y, &O::m_dHeight),
    Length(IDC_ANGLE, IDC_SPIN_ANGLE, &O::m_dAngle),          Count(IDC_ROWS, IDC_SPIN_ROWS, &O::m_nRows),
    Count(IDC_COLUMNS, IDC_SPIN_COLUMNS, &O::m_nColumns),     Length(IDC_ROW_GAP, IDC_SPIN_ROW_GAP, &O::m_dRowGap),
    Length(IDC_COLUMN_GAP, IDC_SPIN_COLUMN_GAP, &O::m_dColumnGap),
};
constexpr auto kTable = BindingsOf(kFields);
}  // namespace line

namespace rectangle {
using namespace dlg135;
using O = CRectangleObject;
constexpr Field<O> kFields[] = {
    Length(IDC_OFFSET_X, IDC_SPIN_OFFSET_X, &O::m_dPosX),     Length(IDC_OFFSET_Y, IDC_SPIN_OFFSET_Y, &O::m_dPosY),
    Length(IDC_SIZE_X, IDC_SPIN_SIZE_X, &O::m_dWidth),        Length(IDC_SIZE_Y, IDC_SPIN_SIZE_Y, &O::m_dHeight),
    Length(IDC_EDGE_SIZE, IDC_SPIN_EDGE_SIZE, &O::m_dEdgeSize),
    Length(IDC_EDGE_RADIUS, IDC_SPIN_EDGE_RADIUS, &O::m_dEdgeRadius),
    Count(IDC_ROWS, IDC_SPIN_ROWS, &O::m_nRows),              Count(IDC_COLUMNS, IDC_SPIN_COLUMNS, &O::m_nColumns),
    Length(IDC_ROW_GAP, IDC_SPIN_ROW_GAP, &O::m_dRowGap),     Length(IDC_COLUMN_GAP, IDC_SPIN_COLUMN_GAP, &O::m_dColumnGap),
    Radio(IDC_CORNER_SQUARE, 0),                              Radio(IDC_CORNER_ROUND, 1),
    Radio(IDC_CORNER_BEVEL, 2),
};
constexpr auto kTable = BindingsOf(kFields);
}  // namespace rectangle

namespace circle {
using namespace dlg136;
using O = CCircleObject;
constexpr Field<O> kFields[] = {
    Length(IDC_OFFSET_X, IDC_SPIN_OFFSET_X, &O::m_dPosX),     Length(IDC_OFFSET_Y, IDC_SPIN_OFFSET_Y, &O::m_dPosY),
    Length(IDC_SIZE_X, IDC_SPIN_SIZE_X, &O::m_dSizeX),        Length(IDC_SIZE_Y, IDC_SPIN_SIZE_Y, &O::m_dSizeY),
    Length(IDC_EDGE_SIZE, IDC_SPIN_EDGE_SIZE, &O::m_dEdgeSize), Count(IDC_ROWS, IDC_SPIN_ROWS, &O::m_nRows),
    Count(IDC_COLUMNS, IDC_SPIN_COLUMNS, &O::m_nColumns),     Length(IDC_ROW_GAP, IDC_SPIN_ROW_GAP, &O::m_dRowGap),
    Length(IDC_COLUMN_GAP, IDC_SPIN_COLUMN_GAP, &O::m_dColumnGap),
};
constexpr auto kTable = BindingsOf(kFields);
}  // namespace circle

namespace triangle {
using namespace dlg137;
using O = CTriangleObject;
constexpr Field<O> kFields[] = {
    Length(IDC_OFFSET_X, IDC_SPIN_OFFSET_X, &O::m_dPosX),     Length(IDC_OFFSET_Y, IDC_SPIN_OFFSET_Y, &O::m_dPosY),
    Length(IDC_SIZE_X, IDC_SPIN_SIZE_X, &O::m_dWidth),        Length(IDC_SIZE_Y, IDC_SPIN_SIZE_Y, &O::m_dHeight),
    Length(IDC_EDGE_SIZE, IDC_SPIN_EDGE_SIZE, &O::m_dEdgeSize), Count(IDC_ROWS, IDC_SPIN_ROWS, &O::m_nRows),
    Count(IDC_COLUMNS, IDC_SPIN_COLUMNS, &O::m_nColumns),     Length(IDC_ROW_GAP, IDC_SPIN_ROW_GAP, &O::m_dRowGap),
    Length(IDC_COLUMN_GAP, IDC_SPIN_COLUMN_GAP, &O::m_dColumnGap),
    Radio(IDC_APEX_UP, 0),                                    Radio(IDC_APEX_DOWN, 1),
};
constexpr auto kTable = BindingsOf(kFields);
}  // namespace triangle

namespace rhombic {
using namespace dlg138;
using O = CRhombicObject;
constexpr Field<O> kFields[] = {
    Length(IDC_OFFSET_X, IDC_SPIN_OFFSET_X, &O::m_dPosX),     Length(IDC_OFFSET_Y, IDC_SPIN_OFFSET_Y, &O::m_dPosY),
    Length(IDC_SIZE_X, IDC_SPIN_SIZE_X, &O::m_dWidth),        Length(IDC_SIZE_Y, IDC_SPIN_SIZE_Y, &O::m_dHeight),
    Length(IDC_EDGE_SIZE, IDC_SPIN_EDGE_SIZE, &O::m_dEdgeSize), Count(IDC_ROWS, IDC_SPIN_ROWS, &O::m_nRows),
    Count(IDC_COLUMNS, IDC_SPIN_COLUMNS, &O::m_nColumns),     Length(IDC_ROW_GAP, IDC_SPIN_ROW_GAP, &O::m_dRowGap),
    Length(IDC_COLUMN_GAP, IDC_SPIN_COLUMN_GAP, &O::m_dColumnGap),
};
constexpr auto kTable = BindingsOf(kFields);
}  // namespace rhombic

namespace polygon {
using namespace dlg144;
using O = CPolygonObject;
constexpr Field<O> kFields[] = {
    Length(IDC_OFFSET_X, IDC_SPIN_OFFSET_X, &O::m_dPosX),     Length(IDC_OFFSET_Y, IDC_SPIN_OFFSET_Y, &O::m_dPosY),
    Length(IDC_SIZE, IDC_SPIN_SIZE, &O::m_dSize),             Length(IDC_EDGE_SIZE, IDC_SPIN_EDGE_SIZE, &O::m_dEdgeSize),
    Count(IDC_EDGES, IDC_SPIN_EDGES, &O::m_nEdges),           Count(IDC_ROWS, IDC_SPIN_ROWS, &O::m_nRows),
    Count(IDC_COLUMNS, IDC_SPIN_COLUMNS, &O::m_nColumns),     Length(IDC_ROW_GAP, IDC_SPIN_ROW_GAP, &O::m_dRowGap),
    Length(IDC_COLUMN_GAP, IDC_SPIN_COLUMN_GAP, &O::m_dColumnGap),
};
constexpr auto kTable = BindingsOf(kFields);
}  // namespace polygon

}  // namespace

CPageLine::CPageLine() : CSizedPage(&g_Dialog134, TYPE_LINE, 1155, 1158, 1174) {}
const PageBinding* CPageLine::Bindings(int& count) const { return Table(line::kTable, count); }
double CPageLine::GetSize(const CDrawObject* copy, bool x) const { return SizeIn(copy, line::kFields, x); }

void CPageLine::FillObject(CDrawObject* copy) {
  auto* o = static_cast<CLineObject*>(copy);
  FillFields(o, line::kFields);
  FillKeepAspect(o->m_bKeepAspect);
}

CPageRectangle::CPageRectangle() : CSizedPage(&g_Dialog135, TYPE_RECTANGLE, 1183, 1186, 1205) {}
const PageBinding* CPageRectangle::Bindings(int& count) const { return Table(rectangle::kTable, count); }
double CPageRectangle::GetSize(const CDrawObject* copy, bool x) const { return SizeIn(copy, rectangle::kFields, x); }

void CPageRectangle::FillObject(CDrawObject* copy) {
  auto* o = static_cast<CRectangleObject*>(copy);
  FillFields(o, rectangle::kFields);
  SetCornerRadios(o->m_nEdgeStyle);
  FillKeepAspect(o->m_bKeepAspect);
}

void CPageRectangle::SetCornerRadios(int style) {
  using namespace dlg135;
  SetRadios({IDC_CORNER_SQUARE, IDC_CORNER_ROUND, IDC_CORNER_BEVEL}, style);
}

CPageCircle::CPageCircle() : CSizedPage(&g_Dialog136, TYPE_CIRCLE, 1217, 1220, 1237) {}
const PageBinding* CPageCircle::Bindings(int& count) const { return Table(circle::kTable, count); }
double CPageCircle::GetSize(const CDrawObject* copy, bool x) const { return SizeIn(copy, circle::kFields, x); }

void CPageCircle::FillObject(CDrawObject* copy) {
  auto* o = static_cast<CCircleObject*>(copy);
  FillFields(o, circle::kFields);
  FillKeepAspect(o->m_bKeepAspect);
}

CPageTriangle::CPageTriangle() : CSizedPage(&g_Dialog137, TYPE_TRIANGLE, 1245, 1248, 1268) {}
const PageBinding* CPageTriangle::Bindings(int& count) const { return Table(triangle::kTable, count); }
double CPageTriangle::GetSize(const CDrawObject* copy, bool x) const { return SizeIn(copy, triangle::kFields, x); }

void CPageTriangle::FillObject(CDrawObject* copy) {
  auto* o = static_cast<CTriangleObject*>(copy);
  FillFields(o, triangle::kFields);
  SetApexRadios(o->m_nDirection);
  FillKeepAspect(o->m_bKeepAspect);
}

void CPageTriangle::SetApexRadios(int direction) {
  using namespace dlg137;
  SetRadios({IDC_APEX_UP, IDC_APEX_DOWN}, direction);
}

CPageRhombic::CPageRhombic() : CSizedPage(&g_Dialog138, TYPE_RHOMBIC, 1279, 1282, 1296) {}
const PageBinding* CPageRhombic::Bindings(int& count) const { return Table(rhombic::kTable, count); }
double CPageRhombic::GetSize(const CDrawObject* copy, bool x) const { return SizeIn(copy, rhombic::kFields, x); }

void CPageRhombic::FillObject(CDrawObject* copy) {
  auto* o = static_cast<CRhombicObject*>(copy);
  FillFields(o, rhombic::kFields);
  FillKeepAspect(o->m_bKeepAspect);
}

CPagePolygon::CPagePolygon() : CObjectPage(&g_Dialog144, TYPE_POLYGON, 0) {}
const PageBinding* CPagePolygon::Bindings(int& count) const { return Table(polygon::kTable, count); }
void CPagePolygon::FillObject(CDrawObject* copy) { FillFields(static_cast<CPolygonObject*>(copy), polygon::kFields); }

// ---- CPageObjects --------------------------------------------------------------------------------

CPageObjects::CPageObjects() : CObjectPage(&g_Dialog148, TYPE_MULTI, 0) {}

const PageBinding* CPageObjects::Bindings(int& count) const {
  using namespace dlg148;
  static constexpr PageBinding kTable[] = {
      Length(IDC_OFFSET_X, IDC_SPIN_OFFSET_X), Length(IDC_OFFSET_Y, IDC_SPIN_OFFSET_Y),
      Length(IDC_SIZE_X, IDC_SPIN_SIZE_X),     Length(IDC_SIZE_Y, IDC_SPIN_SIZE_Y),
  };
  return Table(kTable, count);
}

void CPageObjects::FillObject(CDrawObject* copy) {
  using namespace dlg148;
  auto* o = static_cast<CMultiObject*>(copy);
  SetLength(IDC_SIZE_X, o->m_dSizeX);
  SetLength(IDC_SIZE_Y, o->m_dSizeY);
  SetLength(IDC_OFFSET_X, o->m_dPosX);
  SetLength(IDC_OFFSET_Y, o->m_dPosY);
}

int CPageObjects::RefreshPage() {
  const int result = CObjectPage::RefreshPage();
  if (result)
    if (CKorvaneDoc* doc = GetDocument()) doc->SetMultiFlag(0);
  return result;
}

BOOL CPageObjects::OnCommand(int id, int code) {
  using namespace dlg148;
  m_pControls = Host();
  if (code != EN_CHANGE) return FALSE;
  switch (id) {
    case IDC_OFFSET_X:
    case IDC_OFFSET_Y:
      ApplyEditDouble(id);
      ApplyBounds();
      return TRUE;
    case IDC_SIZE_X: OnChangeSize(IDC_SIZE_X, IDC_SIZE_Y, true); return TRUE;
    case IDC_SIZE_Y: OnChangeSize(IDC_SIZE_Y, IDC_SIZE_X, false); return TRUE;
    default: return FALSE;
  }
}

void CPageObjects::OnChangeSize(int edit, int partner, bool x) {
  if (!m_bInitialized) return;
  if (m_bUpdating) {
    // A refill: the bounds follow the page, nothing is coupled or scaled.
    ApplyBounds();
    return;
  }
  CKorvaneDoc* doc = GetDocument();
  CDrawObject* copy = doc ? doc->CopyCurrentObject() : nullptr;
  if (!copy) return;
  if (copy->m_nType != TYPE_MULTI) {
    CKorvaneDoc::FreeObject(copy);
    return;
  }
  auto* multi = static_cast<CMultiObject*>(copy);
  if (multi->m_bValid) {
    ApplyEditDouble(edit, 0);
  } else {
    const double old = x ? multi->m_dSizeX : multi->m_dSizeY;
    // Index 1 marks the partner's follow-up, which the first change has already scaled.
    ApplyEditDouble(edit, m_bAspect);
    KeepAspect(old, edit, partner);
  }
  CKorvaneDoc::FreeObject(copy);
  ApplyBounds();
}

void CPageObjects::ApplyBounds() {
  using namespace dlg148;
  CKorvaneDoc* doc = GetDocument();
  if (!doc || !m_pControls) return;
  doc->SetMultiBounds(GetEditDouble(IDC_SIZE_X), GetEditDouble(IDC_SIZE_Y), GetEditDouble(IDC_OFFSET_X),
                      GetEditDouble(IDC_OFFSET_Y));
}
