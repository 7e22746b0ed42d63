#include "pages/page_image_edit.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include "model/kinds.h"
#include "model/korvane_doc.h"
#include "pages/thicken_dialog.h"
#include "res/dialog_195.h"

namespace {

using namespace dlg195;

struct ToolRow {
  int button;
  int code;
  int toolClass;
  bool size, shape, fill;  // what the button sends after the tool
};

const ToolRow kTools[] = {
    {IDC_TOOL_PEN, 0, 0, true, false, false},        {IDC_TOOL_ERASER, 2, 1, true, true, false},
    {IDC_TOOL_BRUSH, 4, 1, true, true, false},       {IDC_TOOL_FILL, 6, 2, false, false, false},
    {IDC_TOOL_LINE, 8, 0, true, false, true},        {IDC_TOOL_CIRCLE, 10, 3, true, false, true},
    {IDC_TOOL_ELLIPSE, 12, 3, true, false, true},    {IDC_TOOL_RECTANGLE, 14, 3, true, false, true},
    {IDC_TOOL_POLYGON, 16, 3, true, false, true},    {IDC_TOOL_SELECT, 18, 4, false, false, false},
};

const ToolRow* RowOfButton(int button) {
  for (const ToolRow& r : kTools)
    if (r.button == button) return &r;
  return nullptr;
}

}  // namespace

QImage ToolIconImage(int iconId) {
  QImage img(20, 20, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(QPen(Qt::black, 1.5));
  const bool filled = iconId == 216 || iconId == 218 || iconId == 220 || iconId == 222;
  if (filled) p.setBrush(Qt::black);
  switch (iconId) {
    case 229:  // pen
      p.drawLine(4, 16, 15, 5);
      p.drawLine(6, 18, 17, 7);
      p.drawLine(15, 5, 17, 7);
      p.drawLine(4, 16, 3, 19);
      p.drawLine(6, 18, 3, 19);
      break;
    case 225:  // eraser
      p.setBrush(Qt::white);
      p.drawPolygon(QPolygonF({QPointF(3, 13), QPointF(11, 5), QPointF(17, 11), QPointF(9, 19)}));
      p.setBrush(Qt::black);
      p.drawPolygon(QPolygonF({QPointF(3, 13), QPointF(6, 10), QPointF(12, 16), QPointF(9, 19)}));
      break;
    case 227:  // brush
      p.drawLine(15, 3, 9, 11);
      p.setBrush(Qt::black);
      p.drawEllipse(QRectF(4, 10, 7, 8));
      break;
    case 228:  // flood fill
      p.setBrush(Qt::white);
      p.drawPolygon(QPolygonF({QPointF(8, 3), QPointF(17, 10), QPointF(11, 17), QPointF(3, 10)}));
      p.setBrush(Qt::black);
      p.drawEllipse(QRectF(14, 13, 4, 5));
      break;
    case 224:  // line
      p.drawLine(3, 17, 17, 3);
      break;
    case 213:
    case 216:
      p.drawEllipse(QRectF(3, 3, 14, 14));
      break;
    case 217:
    case 218:
      p.drawEllipse(QRectF(2, 5, 16, 10));
      break;
    case 219:
    case 220:
      p.drawRect(QRectF(3, 4, 14, 12));
      break;
    case 222:
    case 223:
      p.drawPolygon(QPolygonF({QPointF(3, 16), QPointF(6, 4), QPointF(13, 8), QPointF(17, 3), QPointF(15, 17)}));
      break;
    case 226:  // range select: a dashed frame
      p.setPen(QPen(Qt::black, 1, Qt::DashLine));
      p.drawRect(QRectF(3.5, 4.5, 13, 11));
      break;
    default: break;
  }
  p.end();
  return img;
}

CPageImageEdit::CPageImageEdit() : CKorvanePage(&g_Dialog195, TYPE_IMAGE, 0) {}

const PageBinding* CPageImageEdit::Bindings(int& count) const {
  count = 0;
  return nullptr;
}

int CPageImageEdit::SpinSize() const {
  IControlHost* h = Host();
  return h ? h->GetPos32(IDC_SPIN_SIZE) : 1;
}

BOOL CPageImageEdit::OnInitDialog() {
  m_bInitializing = 1;
  CPropertyPage::OnInitDialog();
  m_pControls = Host();
  if (IControlHost* h = Host()) {
    h->AddString(IDC_SHAPE, CString::FromUtf8("□"));
    h->AddString(IDC_SHAPE, CString::FromUtf8("○"));
    // 1 to 100: the editor begins every edit with pen size 1, which the page can then send back.
    h->SetRange32(IDC_SPIN_SIZE, 1, 100);
    h->SetPos32(IDC_SPIN_SIZE, 1);
    h->SetDlgItemText(IDC_SIZE, "1");
    h->SetCurSel(IDC_SHAPE, 0);
  }
  CheckToolButton(18);
  EnableToolGroups(4);
  SetToolIcons(0);
  m_bInitialized = 1;
  m_bInitializing = 0;
  return FALSE;
}

BOOL CPageImageEdit::OnSetActive() {
  const BOOL result = CPropertyPage::OnSetActive();
  m_pControls = Host();
  CKorvaneDoc* doc = GetDocument();
  if (IControlHost* h = Host()) h->ShowWindow(IDC_MASK_DRAW, doc && doc->IsEditableBmp() ? TRUE : FALSE);
  SetTypePage(TYPE_IMAGE, 0);
  return result;
}

void CPageImageEdit::CheckToolButton(int code) {
  IControlHost* h = Host();
  if (!h) return;
  for (const ToolRow& r : kTools) h->SetCheck(r.button, 0);
  if (code < 0 || code > 19) return;
  for (const ToolRow& r : kTools)
    if (r.code == (code & ~1)) h->SetCheck(r.button, 1);
}

void CPageImageEdit::EnableToolGroups(int toolClass) {
  static const int kRows[5][4] = {{1, 0, 0, 0}, {1, 1, 0, 0}, {0, 0, 0, 0}, {1, 0, 1, 0}, {0, 0, 0, 1}};
  IControlHost* h = Host();
  if (!h || toolClass < 0 || toolClass > 4) return;
  const int* on = kRows[toolClass];
  for (int id : {IDC_SIZE_LABEL, IDC_SIZE, IDC_SPIN_SIZE}) h->EnableWindow(id, on[0]);
  for (int id : {IDC_SHAPE_LABEL, IDC_SHAPE}) h->EnableWindow(id, on[1]);
  for (int id : {IDC_FILL_LABEL, IDC_FILL}) h->EnableWindow(id, on[2]);
  for (int id : {IDC_THICKEN, IDC_OUTLINE, IDC_INVERT, IDC_BLACK, IDC_WHITE}) h->EnableWindow(id, on[3]);
}

void CPageImageEdit::SetToolIcons(int fill) {
  const int icons[10] = {229, 225, 227, 228, 224, fill ? 216 : 213, fill ? 218 : 217, fill ? 220 : 219,
                         fill ? 222 : 223, 226};
  IControlHost* h = Host();
  for (int i = 0; i < 10; ++i) {
    m_nIcons[i] = icons[i];
    if (h) h->SetButtonImage(kTools[i].button, ToolIconImage(icons[i]));
  }
}

int CPageImageEdit::IconOf(int button) const {
  for (int i = 0; i < 10; ++i)
    if (kTools[i].button == button) return m_nIcons[i];
  return 0;
}

void CPageImageEdit::OnTool(int button) {
  const ToolRow* r = RowOfButton(button);
  CKorvaneDoc* doc = GetDocument();
  IControlHost* h = Host();
  if (!r || !h) return;
  // Checkable push buttons do not exclude each other by themselves.
  CheckToolButton(r->code);
  EnableToolGroups(r->toolClass);
  if (!doc) return;
  doc->SetPaintTool(r->code);
  if (r->size) doc->SetPaintSize(SpinSize());
  if (r->shape) doc->SetPaintShape(h->GetCurSel(IDC_SHAPE));
  if (r->fill) doc->SetPaintFillMode(h->GetCheck(IDC_FILL));
}

void CPageImageEdit::SelectTool(int code) {
  if (code < 0 || code > 18 || (code & 1)) return;
  CheckToolButton(code);
  for (const ToolRow& r : kTools)
    if (r.code == code) OnTool(r.button);
}

int CPageImageEdit::GetThickenAmounts(int& x, int& y, int& same) {
  CThickenImageDialog dialog;
  if (dialog.Run() != IDOK) return 0;
  x = 2 * (dialog.m_bSame ? dialog.m_nXY : dialog.m_nX);
  y = 2 * dialog.m_nY;
  same = dialog.m_bSame;
  return 1;
}

void CPageImageEdit::OnThicken() {
  int x = 0, y = 0, same = 0;
  if (!GetThickenAmounts(x, y, same)) return;
  if (CKorvaneDoc* doc = GetDocument()) doc->PaintThicken(x, y, same ? 1 : 0);
}

BOOL CPageImageEdit::OnCommand(int id, int code) {
  m_pControls = Host();
  CKorvaneDoc* doc = GetDocument();
  IControlHost* h = Host();
  if (RowOfButton(id)) {
    if (code == BN_CLICKED) OnTool(id);
    return TRUE;
  }
  switch (id) {
    case IDC_SIZE:
      if (code == EN_CHANGE && !m_bInitializing && doc && h) {
        // A typed size goes through the spin, which keeps it within its range.
        const std::string text = h->GetDlgItemText(IDC_SIZE).c_str();
        const int typed = std::atoi(text.c_str());
        const int size = std::clamp(typed, 1, 100);
        h->SetPos32(IDC_SPIN_SIZE, size);
        doc->SetPaintSize(SpinSize());
        // A number out of range shows the size in use (its change notification finds it in range).
        if (!text.empty() && size != typed) h->SetDlgItemText(IDC_SIZE, std::to_string(size).c_str());
      }
      return TRUE;
    case IDC_SHAPE:
      if (code == CBN_SELCHANGE && !m_bInitializing && doc && h) doc->SetPaintShape(h->GetCurSel(IDC_SHAPE));
      return TRUE;
    case IDC_FILL:
      if (code == BN_CLICKED && !m_bInitializing && h) {
        const int state = h->GetCheck(IDC_FILL);
        if (doc) doc->SetPaintFillMode(state);
        SetToolIcons(state);
      }
      return TRUE;
    default: break;
  }
  if (code != BN_CLICKED || !doc) return FALSE;
  switch (id) {
    case IDC_THICKEN: OnThicken(); return TRUE;
    case IDC_OUTLINE: doc->PaintOutline(); return TRUE;
    case IDC_INVERT: doc->PaintInvert(); return TRUE;
    case IDC_BLACK: doc->PaintFill(0); return TRUE;
    case IDC_WHITE: doc->PaintFill(1); return TRUE;
    case IDC_UNDO: doc->PaintUndoRedo(0); return TRUE;
    case IDC_REDO: doc->PaintUndoRedo(1); return TRUE;
    case IDC_MASK_DRAW: doc->RedrawPaint(); return TRUE;
    default: return FALSE;
  }
}

BOOL CPageImageEdit::OnNotify(int id, NMUPDOWN& nm) {
  if (id != IDC_SPIN_SIZE) return FALSE;
  // The spin writes its position into the edit, whose change notification sends the size.
  IControlHost* h = Host();
  if (h && nm.hdr.code == UDN_DELTAPOS) {
    const int pos = std::clamp(nm.iPos + nm.iDelta, 1, 100);
    h->SetPos32(IDC_SPIN_SIZE, pos);
    h->SetDlgItemText(IDC_SIZE, std::to_string(pos).c_str());
    nm.iDelta = 0;
  }
  return TRUE;
}

void RegisterImageEditPages() {
  CKorvanePropertySheet::RegisterPage(TYPE_IMAGE, 0, [] { return std::make_unique<CPageImageEdit>(); });
}
