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

CPageLine::CPageLine() : CSizedPage(&g_Dialog134, TYPE_LINE, 1155, 1158, 1174) {}

const PageBinding* CPageLine::Bindings(int& count) const {
  using namespace dlg134;
  static constexpr PageBinding kTable[] = {
      Length(IDC_OFFSET_X, IDC_SPIN_OFFSET_X), Length(IDC_OFFSET_Y, IDC_SPIN_OFFSET_Y),
      Length(IDC_SIZE_X, IDC_SPIN_SIZE_X),     Length(IDC_SIZE_Y, IDC_SPIN_SIZE_Y),
      Length(IDC_ANGLE, IDC_SPIN_ANGLE),       Count(IDC_ROWS, IDC_SPIN_ROWS),
      Count(IDC_COLUMNS, IDC_SPIN_COLUMNS),    Length(IDC_ROW_GAP, IDC_SPIN_ROW_GAP),
      Length(IDC_COLUMN_GAP, IDC_SPIN_COLUMN_GAP),
  };
  return Table(kTable, count);
}

void CPageLine::FillObject(CDrawObject* copy) {
  using namespace dlg134;
  auto* o = static_cast<CLineObject*>(copy);
  SetLength(IDC_OFFSET_X, o->m_dPosX);
  SetLength(IDC_OFFSET_Y, o->m_dPosY);
  SetLength(IDC_SIZE_X, o->m_dWidth);
  SetLength(IDC_SIZE_Y, o->m_dHeight);
  SetLength(IDC_ANGLE, o->m_dAngle);
  FillGrid(o, IDC_ROWS, IDC_COLUMNS, IDC_ROW_GAP, IDC_COLUMN_GAP);
  FillKeepAspect(o->m_bKeepAspect);
}

double CPageLine::GetSize(const CDrawObject* copy, bool x) const {
  auto* o = static_cast<const CLineObject*>(copy);
  return x ? o->m_dWidth : o->m_dHeight;
}

CPageRectangle::CPageRectangle() : CSizedPage(&g_Dialog135, TYPE_RECTANGLE, 1183, 1186, 1205) {}

const PageBinding* CPageRectangle::Bindings(int& count) const {
  using namespace dlg135;
  static constexpr PageBinding kTable[] = {
      Length(IDC_OFFSET_X, IDC_SPIN_OFFSET_X),   Length(IDC_OFFSET_Y, IDC_SPIN_OFFSET_Y),
      Length(IDC_SIZE_X, IDC_SPIN_SIZE_X),       Length(IDC_SIZE_Y, IDC_SPIN_SIZE_Y),
      Length(IDC_EDGE_SIZE, IDC_SPIN_EDGE_SIZE), Length(IDC_EDGE_RADIUS, IDC_SPIN_EDGE_RADIUS),
      Count(IDC_ROWS, IDC_SPIN_ROWS),            Count(IDC_COLUMNS, IDC_SPIN_COLUMNS),
      Length(IDC_ROW_GAP, IDC_SPIN_ROW_GAP),     Length(IDC_COLUMN_GAP, IDC_SPIN_COLUMN_GAP),
      Radio(IDC_CORNER_SQUARE, 0),               Radio(IDC_CORNER_ROUND, 1),
      Radio(IDC_CORNER_BEVEL, 2),
  };
  return Table(kTable, count);
}

void CPageRectangle::FillObject(CDrawObject* copy) {
  using namespace dlg135;
  auto* o = static_cast<CRectangleObject*>(copy);
  SetLength(IDC_OFFSET_X, o->m_dPosX);
  SetLength(IDC_OFFSET_Y, o->m_dPosY);
  SetLength(IDC_SIZE_X, o->m_dWidth);
  SetLength(IDC_SIZE_Y, o->m_dHeight);
  SetLength(IDC_EDGE_SIZE, o->m_dEdgeSize);
  SetLength(IDC_EDGE_RADIUS, o->m_dEdgeRadius);
  FillGrid(o, IDC_ROWS, IDC_COLUMNS, IDC_ROW_GAP, IDC_COLUMN_GAP);
  SetCornerRadios(o->m_nEdgeStyle);
  FillKeepAspect(o->m_bKeepAspect);
}

void CPageRectangle::SetCornerRadios(int style) {
  using namespace dlg135;
  SetRadios({IDC_CORNER_SQUARE, IDC_CORNER_ROUND, IDC_CORNER_BEVEL}, style);
}

double CPageRectangle::GetSize(const CDrawObject* copy, bool x) const {
  auto* o = static_cast<const CRectangleObject*>(copy);
  return x ? o->m_dWidth : o->m_dHeight;
}

CPageCircle::CPageCircle() : CSizedPage(&g_Dialog136, TYPE_CIRCLE, 1217, 1220, 1237) {}

const PageBinding* CPageCircle::Bindings(int& count) const {
  using namespace dlg136;
  static constexpr PageBinding kTable[] = {
      Length(IDC_OFFSET_X, IDC_SPIN_OFFSET_X), Length(IDC_OFFSET_Y, IDC_SPIN_OFFSET_Y),
      Length(IDC_SIZE_X, IDC_SPIN_SIZE_X),     Length(IDC_SIZE_Y, IDC_SPIN_SIZE_Y),
      Length(IDC_EDGE_SIZE, IDC_SPIN_EDGE_SIZE), Count(IDC_ROWS, IDC_SPIN_ROWS),
      Count(IDC_COLUMNS, IDC_SPIN_COLUMNS),    Length(IDC_ROW_GAP, IDC_SPIN_ROW_GAP),
      Length(IDC_COLUMN_GAP, IDC_SPIN_COLUMN_GAP),
  };
  return Table(kTable, count);
}

void CPageCircle::FillObject(CDrawObject* copy) {
  using namespace dlg136;
  auto* o = static_cast<CCircleObject*>(copy);
  SetLength(IDC_OFFSET_X, o->m_dPosX);
  SetLength(IDC_OFFSET_Y, o->m_dPosY);
  SetLength(IDC_SIZE_X, o->m_dSizeX);
  SetLength(IDC_SIZE_Y, o->m_dSizeY);
  SetLength(IDC_EDGE_SIZE, o->m_dEdgeSize);
  FillGrid(o, IDC_ROWS, IDC_COLUMNS, IDC_ROW_GAP, IDC_COLUMN_GAP);
  FillKeepAspect(o->m_bKeepAspect);
}

double CPageCircle::GetSize(const CDrawObject* copy, bool x) const {
  auto* o = static_cast<const CCircleObject*>(copy);
  return x ? o->m_dSizeX : o->m_dSizeY;
}

CPageTriangle::CPageTriangle() : CSizedPage(&g_Dialog137, TYPE_TRIANGLE, 1245, 1248, 1268) {}

const PageBinding* CPageTriangle::Bindings(int& count) const {
  using namespace dlg137;
  static constexpr PageBinding kTable[] = {
      Length(IDC_OFFSET_X, IDC_SPIN_OFFSET_X), Length(IDC_OFFSET_Y, IDC_SPIN_OFFSET_Y),
      Length(IDC_SIZE_X, IDC_SPIN_SIZE_X),     Length(IDC_SIZE_Y, IDC_SPIN_SIZE_Y),
      Length(IDC_EDGE_SIZE, IDC_SPIN_EDGE_SIZE), Count(IDC_ROWS, IDC_SPIN_ROWS),
      Count(IDC_COLUMNS, IDC_SPIN_COLUMNS),    Length(IDC_ROW_GAP, IDC_SPIN_ROW_GAP),
      Length(IDC_COLUMN_GAP, IDC_SPIN_COLUMN_GAP), Radio(IDC_APEX_UP, 0),
      Radio(IDC_APEX_DOWN, 1),
  };
  return Table(kTable, count);
}

void CPageTriangle::FillObject(CDrawObject* copy) {
  using namespace dlg137;
  auto* o = static_cast<CTriangleObject*>(copy);
  SetLength(IDC_OFFSET_X, o->m_dPosX);
  SetLength(IDC_OFFSET_Y, o->m_dPosY);
  SetLength(IDC_SIZE_X, o->m_dWidth);
  SetLength(IDC_SIZE_Y, o->m_dHeight);
  SetLength(IDC_EDGE_SIZE, o->m_dEdgeSize);
  FillGrid(o, IDC_ROWS, IDC_COLUMNS, IDC_ROW_GAP, IDC_COLUMN_GAP);
  SetApexRadios(o->m_nDirection);
  FillKeepAspect(o->m_bKeepAspect);
}

void CPageTriangle::SetApexRadios(int direction) {
  using namespace dlg137;
  SetRadios({IDC_APEX_UP, IDC_APEX_DOWN}, direction);
}

double CPageTriangle::GetSize(const CDrawObject* copy, bool x) const {
  auto* o = static_cast<const CTriangleObject*>(copy);
  return x ? o->m_dWidth : o->m_dHeight;
}

CPageRhombic::CPageRhombic() : CSizedPage(&g_Dialog138, TYPE_RHOMBIC, 1279, 1282, 1296) {}

const PageBinding* CPageRhombic::Bindings(int& count) const {
  using namespace dlg138;
  static constexpr PageBinding kTable[] = {
      Length(IDC_OFFSET_X, IDC_SPIN_OFFSET_X), Length(IDC_OFFSET_Y, IDC_SPIN_OFFSET_Y),
      Length(IDC_SIZE_X, IDC_SPIN_SIZE_X),     Length(IDC_SIZE_Y, IDC_SPIN_SIZE_Y),
      Length(IDC_EDGE_SIZE, IDC_SPIN_EDGE_SIZE), Count(IDC_ROWS, IDC_SPIN_ROWS),
      Count(IDC_COLUMNS, IDC_SPIN_COLUMNS),    Length(IDC_ROW_GAP, IDC_SPIN_ROW_GAP),
      Length(IDC_COLUMN_GAP, IDC_SPIN_COLUMN_GAP),
  };
  return Table(kTable, count);
}

void CPageRhombic::FillObject(CDrawObject* copy) {
  using namespace dlg138;
  auto* o = static_cast<CRhombicObject*>(copy);
  SetLength(IDC_OFFSET_X, o->m_dPosX);
  SetLength(IDC_OFFSET_Y, o->m_dPosY);
  SetLength(IDC_SIZE_X, o->m_dWidth);
  SetLength(IDC_SIZE_Y, o->m_dHeight);
  SetLength(IDC_EDGE_SIZE, o->m_dEdgeSize);
  FillGrid(o, IDC_ROWS, IDC_COLUMNS, IDC_ROW_GAP, IDC_COLUMN_GAP);
  FillKeepAspect(o->m_bKeepAspect);
}

double CPageRhombic::GetSize(const CDrawObject* copy, bool x) const {
  auto* o = static_cast<const CRhombicObject*>(copy);
  return x ? o->m_dWidth : o->m_dHeight;
}

CPagePolygon::CPagePolygon() : CObjectPage(&g_Dialog144, TYPE_POLYGON, 0) {}

const PageBinding* CPagePolygon::Bindings(int& count) const {
  using namespace dlg144;
  static constexpr PageBinding kTable[] = {
      Length(IDC_OFFSET_X, IDC_SPIN_OFFSET_X),   Length(IDC_OFFSET_Y, IDC_SPIN_OFFSET_Y),
      Length(IDC_SIZE, IDC_SPIN_SIZE),           Length(IDC_EDGE_SIZE, IDC_SPIN_EDGE_SIZE),
      Count(IDC_EDGES, IDC_SPIN_EDGES),          Count(IDC_ROWS, IDC_SPIN_ROWS),
      Count(IDC_COLUMNS, IDC_SPIN_COLUMNS),      Length(IDC_ROW_GAP, IDC_SPIN_ROW_GAP),
      Length(IDC_COLUMN_GAP, IDC_SPIN_COLUMN_GAP),
  };
  return Table(kTable, count);
}

void CPagePolygon::FillObject(CDrawObject* copy) {
  using namespace dlg144;
  auto* o = static_cast<CPolygonObject*>(copy);
  SetLength(IDC_OFFSET_X, o->m_dPosX);
  SetLength(IDC_OFFSET_Y, o->m_dPosY);
  SetLength(IDC_SIZE, o->m_dSize);
  SetLength(IDC_EDGE_SIZE, o->m_dEdgeSize);
  SetEditInt(IDC_EDGES, o->m_nEdges);
  FillGrid(o, IDC_ROWS, IDC_COLUMNS, IDC_ROW_GAP, IDC_COLUMN_GAP);
}

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
