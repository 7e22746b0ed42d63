// The fixed-field scanning-area page: the area's place, size, frame and shape in the machine's
// fixed field, the anchors by machine model, head moves turned by the scan angle, home return,
// machine origin, the outline test and the preview.
#include <cstdlib>
#include <vector>

#include "files/settings_fixed_field.h"
#include "model/drawingobject.h"
#include "model/korvane_doc.h"
#include "output/lpt_port.h"
#include "pages/field_preview.h"
#include "pages/settings_pages.h"
#include "platform/gdi/gdi.h"
#include "platform/numfmt.h"
#include "platform/saturate.h"
#include "res/dialog_190.h"

using namespace dlg190;

namespace {

// The combo's rows, in row order.
const char* const kShapeRows[] = {"四角形(角)", "四角形(角丸)", "円形", "菱形", "三角形", "逆三角形"};

}  // namespace

CPageDrawAreaFix::CPageDrawAreaFix() : CMachinePage(&g_Dialog190, 0) {}

const PageBinding* CPageDrawAreaFix::Bindings(int& count) const {
  static const PageBinding kBindings[] = {
      {IDC_OFFSET_X, BIND_EDIT_DOUBLE, IDC_SPIN_OFFSET_X},
      {IDC_OFFSET_Y, BIND_EDIT_DOUBLE, IDC_SPIN_OFFSET_Y},
      {IDC_WIDTH, BIND_EDIT_DOUBLE, IDC_SPIN_WIDTH},
      {IDC_HEIGHT, BIND_EDIT_DOUBLE, IDC_SPIN_HEIGHT},
      {IDC_ROUND, BIND_EDIT_DOUBLE, IDC_SPIN_ROUND},
      {IDC_FRAME, BIND_EDIT_DOUBLE, IDC_SPIN_FRAME},
      {1136, BIND_RADIO, 0, 0, FALSE, 0}, {1137, BIND_RADIO, 0, 0, FALSE, 1}, {1138, BIND_RADIO, 0, 0, FALSE, 2},
      {1139, BIND_RADIO, 0, 0, FALSE, 3}, {1140, BIND_RADIO, 0, 0, FALSE, 4}, {1141, BIND_RADIO, 0, 0, FALSE, 5},
      {1142, BIND_RADIO, 0, 0, FALSE, 6}, {1143, BIND_RADIO, 0, 0, FALSE, 7}, {1144, BIND_RADIO, 0, 0, FALSE, 8},
  };
  count = static_cast<int>(sizeof(kBindings) / sizeof(kBindings[0]));
  return kBindings;
}

int CPageDrawAreaFix::ComboIndexToShape(int row) {
  if (row == 0) return 0;
  if (row == 1) return 5;
  return row - 1;
}

int CPageDrawAreaFix::ShapeToComboIndex(int shape) {
  if (shape == 0) return 0;
  if (shape == 5) return 1;
  return shape + 1;
}

BOOL CPageDrawAreaFix::OnInitDialog() {
  m_pControls = Host();
  if (m_pControls && m_pControls->GetCount(IDC_SHAPE) == 0)
    for (const char* row : kShapeRows) m_pControls->AddString(IDC_SHAPE, CString::FromUtf8(row));
  if (!m_bInitialized)
    if (CKorvaneDoc* doc = GetDocument()) doc->StoreDrawAreaFixPage();
  return CMachinePage::OnInitDialog();
}

void CPageDrawAreaFix::SetShapeCombo(int shape) {
  if (m_pControls) m_pControls->SetCurSel(IDC_SHAPE, ShapeToComboIndex(shape));
}

void CPageDrawAreaFix::ShowCornerControls(int shape) {
  if (!m_pControls) return;
  const BOOL show = shape == 5;
  m_pControls->ShowWindow(IDC_ROUND_LABEL, show);
  m_pControls->ShowWindow(IDC_ROUND, show);
  m_pControls->ShowWindow(IDC_SPIN_ROUND, show);
}

void CPageDrawAreaFix::Fill(CDrawObject* copy) {
  if (!copy || copy->m_nType != TYPE_DRAWING || !m_pControls) return;
  const auto* d = static_cast<CDrawingObject*>(copy);
  const CDrawingAreaObject* a = d->m_pArea.get();
  const CDrawingFieldObject* f = d->m_pField.get();
  if (!a || !f) return;
  if (const CKorvaneDoc* doc = GetDocument()) m_pControls->SetCheck(IDC_MOVE_ON_CHANGE, doc->m_bMoveOnChange != 0);
  SetEditDouble(IDC_OFFSET_X, a->m_dPosX, 3);
  SetEditDouble(IDC_OFFSET_Y, a->m_dPosY, 3);
  SetEditDouble(IDC_WIDTH, a->m_dWidth, 3);
  SetEditDouble(IDC_HEIGHT, a->m_dHeight, 3);
  SetEditDouble(IDC_FRAME, a->m_dFrameWidth, 3);
  SetEditDouble(IDC_ROUND, a->m_dCornerRadius, 3);
  SetShapeCombo(a->m_nOutlineStyle);
  SetAnchorRadios(f->m_nPlotterPosition);
  // On every fill: a shape loaded from a file must show or hide the radius as well.
  ShowCornerControls(a->m_nOutlineStyle);
}

BOOL CPageDrawAreaFix::OnCommand(int id, int code) {
  m_pControls = Host();
  if (id == IDC_SHAPE) {
    if (code == CBN_SELCHANGE) OnShapeChange();
    return TRUE;
  }
  if (code == BN_CLICKED) {
    switch (id) {
      case IDC_MOVE_ON_CHANGE: OnMoveOnChange(); return TRUE;
      case IDC_PLOTTER_MOVE: OnPlotterMove(); return TRUE;
      case IDC_OUTLINE_TEST: OnOutlineTest(); return TRUE;
      case IDC_HOME_RETURN: OnHomeReturn(); return TRUE;
      case IDC_MACHINE_ORIGIN: OnMachineOrigin(); return TRUE;
      default: break;
    }
  }
  return CMachinePage::OnCommand(id, code);
}

void CPageDrawAreaFix::OnShapeChange() {
  if (!m_pControls) return;
  const int row = m_pControls->GetCurSel(IDC_SHAPE);
  if (row < 0) return;
  const int shape = ComboIndexToShape(row);
  ApplyValue(IDC_SHAPE_SETTER, shape);
  if (m_bUpdating) return;
  if (CKorvaneDoc* doc = GetDocument()) doc->LoadDrawAreaFixPage();
  ShowCornerControls(shape);
  InvalidatePreview();
}

void CPageDrawAreaFix::OnMoveOnChange() {
  if (CKorvaneDoc* doc = GetDocument(); doc && m_pControls)
    doc->m_bMoveOnChange = m_pControls->GetCheck(IDC_MOVE_ON_CHANGE);
}

void CPageDrawAreaFix::AfterChange(int id, int code) {
  CKorvaneDoc* doc = GetDocument();
  if (!doc) return;
  if (id >= 1136 && id <= 1144) {
    if (code != BN_CLICKED) return;
    if (!m_bUpdating) doc->LoadDrawAreaFixPage();
    InvalidatePreview();
    MoveToAnchor(id - 1136);
    return;
  }
  if (code != EN_CHANGE || m_bUpdating) return;
  doc->LoadDrawAreaFixPage();
  if (id == IDC_ROUND || id == IDC_FRAME) {
    InvalidatePreview();
    return;
  }
  if (!m_bInitialized) return;
  InvalidatePreview();
  if (doc->m_bMoveOnChange) MoveToCurrentAnchor();
}

CPoint CPageDrawAreaFix::GetAnchorPoint(int anchor) const {
  const CKorvaneDoc* doc = GetDocument();
  if (!doc) return CPoint(0, 0);
  switch (doc->m_Settings.System.FieldMachine) {
    case 1: return doc->GetAnchorModel1(anchor);
    case 2: return doc->GetAnchorModel2(anchor);
    case 3: case 4: return doc->GetAnchorModel3(anchor);
    default: return CPoint(0, 0);
  }
}

CPoint CPageDrawAreaFix::MovePoint(int anchor) const {
  const CPoint p = GetAnchorPoint(anchor);
  const CPoint centre = GetAnchorPoint(0);
  const CKorvaneDoc* doc = GetDocument();
  return doc ? doc->RotateAbout(p.x, p.y, centre.x, centre.y) : p;
}

void CPageDrawAreaFix::OnHomeReturn() {
  if (!MachineFree()) return;
  const CSettingsSystem& sys = GetDocument()->m_Settings.System;
  if (sys.FieldMachine == 1 || sys.FieldMachine == 2) {
    CLptPort::MoveHead(sys.FieldOriginY, sys.FieldOriginX);
  } else {
    CLptPort::MoveHead(sys.FieldOriginX, sys.FieldOriginY);
  }
}

void CPageDrawAreaFix::OnMachineOrigin() {
  if (!MachineFree()) return;
  const int model = GetDocument()->m_Settings.System.FieldMachine;
  if (model == 1) {
    CLptPort::MoveHead(0, 11000);
  } else if (model >= 2 && model <= 4) {
    CLptPort::MoveHead(0, 0);
  }
}

void CPageDrawAreaFix::OnOutlineTest() {
  if (!MachineFree()) return;
  const CKorvaneDoc* doc = GetDocument();
  CLptPort port;
  SendSpeed(port);
  if (port.LostCommands() > 0) {
    port.ReportLost();  // once, instead of once per move of the outline
    return;
  }
  const int shape = doc->m_Settings.DrawingArea.OutlineIndex;
  if (SendShapeOutline(port, shape)) {
    MoveToCurrentAnchor();
    return;
  }
  if (shape != 1) return;
  const CPoint centre = GetAnchorPoint(0);
  const CPoint corner = GetAnchorPoint(3);
  const int rx = sat::Distance(centre.x, corner.x);
  const int ry = sat::Distance(centre.y, corner.y);
  const int model = doc->m_Settings.System.FieldMachine;
  int from = m_nAnchor;
  if (model == 1) {
    from = 6;
    MoveToAnchor(from);
  } else if (model >= 2 && model <= 4) {
    from = 0;
    MoveToAnchor(from);
  }
  port.Circle(rx, ry);
  MoveToAnchor(from);
  MoveToCurrentAnchor();
}

namespace {

// Turns device points about the area's centre by minus the scan angle.
void Rotate(const CKorvaneDoc& doc, std::vector<POINT>& pts, int cx, int cy) {
  for (POINT& p : pts) {
    const CPoint r = doc.RotateAbout(p.x, p.y, cx, cy);
    p.x = r.x, p.y = r.y;
  }
}

}  // namespace

void CPageDrawAreaFix::DrawPreview(CDC& dc, const CRect& client) {
  const CKorvaneDoc* doc = GetDocument();
  dc.FillSolidRect(&client, 0xFFFFFF);
  if (!doc) return;
  const int wc = client.Width(), hc = client.Height();
  const CDoubleSize field = GetFixedFieldSize(doc->m_Settings);
  // Without a field (the mode turned off, or an origin at zero) there is nothing to fit.
  if (wc <= 0 || hc <= 0 || !(field.cx > 0) || !(field.cy > 0)) return;
  const double fw0 = field.cx, fh0 = field.cy;
  CFieldPreview preview(dc, client, fw0, fh0);
  const CRect& frame = preview.Frame();
  const int fw = frame.Width(), fh = frame.Height(), left = frame.left, top = frame.top;

  const CSettingsDrawingArea& area = doc->m_Settings.DrawingArea;
  // Values read from a file may lie far outside the frame: every pixel saturates.
  const int l = DoubleToInt(left + fw * area.OffsetX / fw0);
  const int t = DoubleToInt(top + fh * area.OffsetY / fh0);
  const int r = DoubleToInt(l + fw * area.Width / fw0);
  const int b = DoubleToInt(t + fh * area.Height / fh0);
  const int a2 = sat::Sub(r, l) / 2, b2 = sat::Sub(b, t) / 2;
  const int cx = sat::Mid(l, r), cy = sat::Mid(t, b);
  const int la = sat::Add(l, a2), tb = sat::Add(t, b2);
  const int shape = area.OutlineIndex;
  const bool turned = doc->m_Settings.DrawingData.ScanAngle != 0;

  preview.SelectOutlinePen();
  std::vector<POINT> poly;
  switch (shape) {
    case 0: poly = {{l, t}, {r, t}, {r, b}, {l, b}, {l, t}}; break;
    case 2: poly = {{la, t}, {l, tb}, {la, b}, {r, tb}, {la, t}}; break;
    case 3: poly = {{la, t}, {l, b}, {r, b}, {la, t}}; break;
    case 4: poly = {{l, t}, {la, b}, {r, t}, {l, t}}; break;
    default: break;
  }
  const double radius = area.RoundSize;
  const int cornerW = DoubleToInt(fw * 2 * radius / fw0);
  const int cornerH = DoubleToInt(fh * 2 * radius / fh0);
  if (!turned) {
    if (shape == 0) {
      dc.Rectangle(l, t, r, b);
    } else if (shape == 1) {
      dc.Ellipse(l, t, r, b);
    } else if (shape == 5) {
      dc.RoundRect(l, t, r, b, cornerW, cornerH);
    } else if (!poly.empty()) {
      dc.Polyline(poly.data(), static_cast<int>(poly.size()));
    }
  } else if (!poly.empty()) {
    Rotate(*doc, poly, cx, cy);
    dc.Polyline(poly.data(), static_cast<int>(poly.size()));
  } else if (shape == 1 || shape == 5) {
    // The curved outlines as flattened path points, each turned.
    dc.BeginPath();
    if (shape == 1) {
      dc.Ellipse(l, t, r, b);
    } else {
      dc.RoundRect(l, t, r, b, cornerW, cornerH);
    }
    dc.EndPath();
    dc.FlattenPath();
    const int n = dc.GetPath(nullptr, nullptr, 0);
    if (n > 0) {
      std::vector<POINT> pts(n);
      std::vector<BYTE> types(n);
      if (dc.GetPath(pts.data(), types.data(), n) == n) {
        Rotate(*doc, pts, cx, cy);
        dc.PolyDraw(pts.data(), types.data(), n);
      }
    }
  }

  CPoint dot;
  if (PreviewAnchorOnRect(doc->m_Settings.DrawingField.PlotIndex, l, t, r, b, la, tb, dot)) {
    if (turned) dot = doc->RotateAbout(dot.x, dot.y, cx, cy);
    preview.DrawAnchorDot(dot);
  }
}
