// The field page: field size and area offset, the nine anchors, head moves, the outline test
// and the preview of field, area and anchor; and what the fixed-field scanning-area page shares
// with it.
#include <cmath>
#include <cstdlib>

#include "model/drawingobject.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "output/lpt_port.h"
#include "pages/field_preview.h"
#include "pages/settings_pages.h"
#include "platform/gdi/gdi.h"
#include "platform/numfmt.h"
#include "platform/saturate.h"
#include "res/dialog_133.h"

// ---- CMachinePage -----------------------------------------------------------------------------

bool CMachinePage::MachineFree() const {
  const CKorvaneDoc* doc = GetDocument();
  return doc && !doc->IsEngravingBusy();
}

int CMachinePage::MoveToAnchor(int anchor) {
  if (!m_bInitialized || !MachineFree()) return 0;
  if (anchor >= 0 && anchor <= 8) m_nAnchor = anchor;
  const CPoint p = MovePoint(m_nAnchor);
  CLptPort::MoveHead(p.x, p.y);  // a move that does not arrive is told
  return m_nAnchor;
}

void CMachinePage::SetAnchorRadios(int anchor) {
  if (m_pControls)
    for (int i = 0; i < 9; ++i) m_pControls->SetCheck(1136 + i, i == anchor);
  m_nAnchor = anchor;
}

void CMachinePage::SendSpeed(CLptPort& port) const {
  int speed = 0;
  const CKorvaneDoc* doc = GetDocument();
  if (const CObjectList* list = doc ? doc->GetObjectList() : nullptr)
    if (const CDrawingObject* area = list->GetDrawingObject())
      if (area->m_pSetting) speed = area->m_pSetting->m_Layers[0].nSpeed;
  port.SendCommand(numfmt::Format("sp2;vs%d;", speed));
}

BOOL CMachinePage::SendShapeOutline(CLptPort& port, int shape) const {
  static const int kRectangle[] = {3, 6, 8, 5, 3};
  static const int kRhombus[] = {1, 7, 2, 4, 1};
  static const int kTriangle[] = {1, 8, 5, 1};
  static const int kInverted[] = {2, 6, 3, 2};
  const int* anchors = nullptr;
  int count = 0;
  switch (shape) {
    case 0: case 5: anchors = kRectangle, count = 5; break;
    case 2: anchors = kRhombus, count = 5; break;
    case 3: anchors = kTriangle, count = 4; break;
    case 4: anchors = kInverted, count = 4; break;
    default: return FALSE;
  }
  for (int i = 0; i < count; ++i) {
    const CPoint p = GetAnchorPoint(anchors[i]);
    if (i == 0) {
      port.PenUp(p.x, p.y);
    } else {
      port.PenDown(p.x, p.y);
    }
  }
  return TRUE;
}

void CMachinePage::InvalidatePreview() {
  if (m_pControls) m_pControls->Invalidate(1415);
}

void CMachinePage::OnDrawItem(int id, CDC& dc, const CRect& rect) {
  if (id == 1415) DrawPreview(dc, rect);
}

namespace {

// The nine anchors on a pixel rectangle: 0 centre, 1 top middle, 2 bottom middle, 3 top left,
// 4 left middle, 5 bottom left, 6 top right, 7 right middle, 8 bottom right.
bool AnchorOnRect(int anchor, int left, int top, int right, int bottom, int midX, int midY, CPoint& out) {
  static const int kCol[9] = {1, 1, 1, 0, 0, 0, 2, 2, 2};
  static const int kRow[9] = {1, 0, 2, 0, 1, 2, 0, 1, 2};
  if (anchor < 0 || anchor > 8) return false;
  const int xs[3] = {left, midX, right};
  const int ys[3] = {top, midY, bottom};
  out = CPoint(xs[kCol[anchor]], ys[kRow[anchor]]);
  return true;
}

}  // namespace

bool PreviewAnchorOnRect(int anchor, int left, int top, int right, int bottom, int midX, int midY, CPoint& out) {
  return AnchorOnRect(anchor, left, top, right, bottom, midX, midY, out);
}

// ---- CFieldPreview ----------------------------------------------------------------------------

CFieldPreview::CFieldPreview(CDC& dc, const CRect& client, double fieldX, double fieldY)
    : m_dc(dc), m_black(PS_SOLID, 1, 0x000000), m_white(0xFFFFFF), m_red(PS_SOLID, 1, 0x0000FF) {
  const int wc = client.Width(), hc = client.Height();
  int w = wc, h = hc, left = client.left, top = client.top;
  const double clientAspect = static_cast<double>(hc) / wc;
  const double fieldAspect = fieldY / fieldX;
  if (clientAspect > fieldAspect) {
    h = static_cast<int>(fieldY * wc / fieldX);
    top += (hc - h) / 2;
  } else if (clientAspect < fieldAspect) {
    w = static_cast<int>(fieldX * hc / fieldY);
    left += (wc - w) / 2;
  }
  m_frame = CRect(left, top, left + w, top + h);
  m_pOldPen = dc.SelectObject(&m_black);
  m_pOldBrush = dc.SelectObject(&m_white);
  dc.Rectangle(left, top, left + w, top + h);
}

CFieldPreview::~CFieldPreview() {
  m_dc.SelectObject(m_pOldPen);
  m_dc.SelectObject(m_pOldBrush);
}

void CFieldPreview::SelectOutlinePen() {
  m_dc.SelectObject(&m_red);
  m_dc.SelectStockObject(NULL_BRUSH);
}

void CFieldPreview::DrawAnchorDot(const CPoint& p) {
  CBrush blackBrush(0x000000);
  m_dc.SelectObject(&m_black);
  m_dc.SelectObject(&blackBrush);
  m_dc.Ellipse(sat::Sub(p.x, 3), sat::Sub(p.y, 3), sat::Add(p.x, 3), sat::Add(p.y, 3));
  m_dc.SelectObject(&m_white);
}

// ---- CPageDrawField ---------------------------------------------------------------------------

using namespace dlg133;

CPageDrawField::CPageDrawField() : CMachinePage(&g_Dialog133, 2) {}

const PageBinding* CPageDrawField::Bindings(int& count) const {
  static const PageBinding kBindings[] = {
      {IDC_FIELD_X, BIND_EDIT_DOUBLE, IDC_SPIN_FIELD_X},
      {IDC_FIELD_Y, BIND_EDIT_DOUBLE, IDC_SPIN_FIELD_Y},
      {IDC_OFFSET_X, BIND_EDIT_DOUBLE, IDC_SPIN_OFFSET_X},
      {IDC_OFFSET_Y, BIND_EDIT_DOUBLE, IDC_SPIN_OFFSET_Y},
      {1136, BIND_RADIO, 0, 0, FALSE, 0}, {1137, BIND_RADIO, 0, 0, FALSE, 1}, {1138, BIND_RADIO, 0, 0, FALSE, 2},
      {1139, BIND_RADIO, 0, 0, FALSE, 3}, {1140, BIND_RADIO, 0, 0, FALSE, 4}, {1141, BIND_RADIO, 0, 0, FALSE, 5},
      {1142, BIND_RADIO, 0, 0, FALSE, 6}, {1143, BIND_RADIO, 0, 0, FALSE, 7}, {1144, BIND_RADIO, 0, 0, FALSE, 8},
  };
  count = static_cast<int>(sizeof(kBindings) / sizeof(kBindings[0]));
  return kBindings;
}

BOOL CPageDrawField::OnInitDialog() {
  if (!m_bInitialized)
    if (CKorvaneDoc* doc = GetDocument()) doc->StoreDrawFieldPage();
  return CMachinePage::OnInitDialog();
}

void CPageDrawField::Fill(CDrawObject* copy) {
  if (!copy || copy->m_nType != TYPE_DRAWING) return;
  const auto* field = static_cast<CDrawingObject*>(copy)->m_pField.get();
  if (!field || !m_pControls) return;
  SetEditDouble(IDC_FIELD_X, field->m_dFieldX, 3);
  SetEditDouble(IDC_FIELD_Y, field->m_dFieldY, 3);
  SetEditDouble(IDC_OFFSET_X, field->m_dPosX, 3);
  SetEditDouble(IDC_OFFSET_Y, field->m_dPosY, 3);
  SetAnchorRadios(field->m_nPlotterPosition);
}

BOOL CPageDrawField::OnCommand(int id, int code) {
  m_pControls = Host();
  if (code == BN_CLICKED && id == IDC_PLOTTER_MOVE) {
    OnPlotterMove();
    return TRUE;
  }
  if (code == BN_CLICKED && id == IDC_OUTLINE_TEST) {
    OnOutlineTest();
    return TRUE;
  }
  return CMachinePage::OnCommand(id, code);
}

void CPageDrawField::AfterChange(int id, int code) {
  CKorvaneDoc* doc = GetDocument();
  if (!doc) return;
  if (id >= 1136 && id <= 1144) {
    if (code != BN_CLICKED) return;
    if (!m_bUpdating) doc->LoadDrawFieldPage();
    InvalidatePreview();
    MoveToAnchor(id - 1136);
    return;
  }
  if (code != EN_CHANGE) return;
  if (!m_bUpdating) doc->LoadDrawFieldPage();
  InvalidatePreview();
  if ((id == IDC_OFFSET_X || id == IDC_OFFSET_Y) && m_bInitialized && !m_bUpdating) MoveToCurrentAnchor();
}

CPoint CPageDrawField::GetAnchorPoint(int anchor) const {
  const CKorvaneDoc* doc = GetDocument();
  if (!doc || !m_pControls || anchor < 0 || anchor > 8) return CPoint(0, 0);
  const CSettingsDrawingArea& area = doc->m_Settings.DrawingArea;
  const CSettingsDrawingData& data = doc->m_Settings.DrawingData;
  const double fx = numfmt::Atof(m_pControls->GetDlgItemText(IDC_FIELD_X));
  const double fy = numfmt::Atof(m_pControls->GetDlgItemText(IDC_FIELD_Y));
  const double ox = numfmt::Atof(m_pControls->GetDlgItemText(IDC_OFFSET_X));
  const double oy = numfmt::Atof(m_pControls->GetDlgItemText(IDC_OFFSET_Y));
  double x = fx / 2 + (data.ChangeX ? -ox : ox);
  double y = fy / 2 + (data.ChangeY ? -oy : oy);
  const double halfW = (data.ChangeX ? -area.Width : area.Width) / 2;
  const double halfH = (data.ChangeY ? -area.Height : area.Height) / 2;
  if (anchor == 1 || anchor == 3 || anchor == 6) y += halfH;
  if (anchor == 2 || anchor == 5 || anchor == 8) y -= halfH;
  if (anchor == 3 || anchor == 4 || anchor == 5) x -= halfW;
  if (anchor == 6 || anchor == 7 || anchor == 8) x += halfW;
  const int mx = DoubleToInt(x * 40 * data.ScaleX);
  const int my = DoubleToInt(y * 40 * data.ScaleY);
  return data.ChangeXY ? CPoint(my, mx) : CPoint(mx, my);
}

void CPageDrawField::OnOutlineTest() {
  if (!MachineFree()) return;
  CKorvaneDoc* doc = GetDocument();
  CLptPort port;
  SendSpeed(port);
  if (port.LostCommands() > 0) {
    port.ReportLost();  // once, instead of once per move of the outline
    return;
  }
  const int shape = doc->m_Settings.DrawingArea.OutlineIndex;
  // The rounded rectangle belongs to the fixed field; this page has no outline for it.
  if (shape != 5 && SendShapeOutline(port, shape)) {
    MoveToCurrentAnchor();
    return;
  }
  if (shape != 1) return;
  const CPoint centre = GetAnchorPoint(0);
  const CPoint corner = GetAnchorPoint(3);
  int rx = sat::Distance(centre.x, corner.x);
  int ry = sat::Distance(centre.y, corner.y);
  if (doc->m_Settings.DrawingData.ChangeXY) std::swap(rx, ry);
  MoveToAnchor(0);
  port.Circle(rx, ry);
  MoveToAnchor(0);
}

void CPageDrawField::DrawPreview(CDC& dc, const CRect& client) {
  const CKorvaneDoc* doc = GetDocument();
  if (!doc || !m_pControls) return;
  const CString fxText = m_pControls->GetDlgItemText(IDC_FIELD_X);
  const CString fyText = m_pControls->GetDlgItemText(IDC_FIELD_Y);
  if (fxText.IsEmpty() || fyText.IsEmpty()) return;
  const double fx = numfmt::Atof(fxText);
  const double fy = numfmt::Atof(fyText);
  // A field without size cannot be fitted: nothing to show, as for an empty text.
  if (!(fx > 0) || !(fy > 0)) return;
  const int wc = client.Width(), hc = client.Height();
  dc.FillSolidRect(&client, 0xFFFFFF);
  if (wc <= 0 || hc <= 0) return;

  CFieldPreview preview(dc, client, fx, fy);
  const CRect& frame = preview.Frame();
  const int w = frame.Width(), h = frame.Height(), left = frame.left, top = frame.top;

  const CSettingsDrawingArea& area = doc->m_Settings.DrawingArea;
  const double sw = w * area.Width / fx;
  const double sh = h * area.Height / fy;
  const double dx = numfmt::Atof(m_pControls->GetDlgItemText(IDC_OFFSET_X)) * w / fx;
  const double dy = -(numfmt::Atof(m_pControls->GetDlgItemText(IDC_OFFSET_Y)) * h / fy);
  const int l = DoubleToInt(left + (w - sw) / 2 + dx);
  const int t = DoubleToInt(top + (h - sh) / 2 + dy);
  const int r = DoubleToInt(l + sw);
  const int b = DoubleToInt(t + sh);
  const int mx = sat::Mid(l, r), my = sat::Mid(t, b);

  preview.SelectOutlinePen();
  switch (area.OutlineIndex) {
    case 0: dc.Rectangle(l, t, r, b); break;
    case 1: dc.Ellipse(l, t, r, b); break;
    case 2: {
      const POINT pts[] = {{mx, t}, {l, my}, {mx, b}, {r, my}, {mx, t}};
      dc.Polyline(pts, 5);
      break;
    }
    case 3: {
      const POINT pts[] = {{mx, t}, {l, b}, {r, b}, {mx, t}};
      dc.Polyline(pts, 4);
      break;
    }
    case 4: {
      const POINT pts[] = {{l, t}, {mx, b}, {r, t}, {l, t}};
      dc.Polyline(pts, 4);
      break;
    }
    default: break;
  }
  CPoint dot;
  if (PreviewAnchorOnRect(doc->m_Settings.DrawingField.PlotIndex, l, t, r, b, mx, my, dot)) preview.DrawAnchorDot(dot);
}
