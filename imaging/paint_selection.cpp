// The paint editor's snapshots and undo, range selection, floating picture, cut, copy and
// paste, the image filters as the editor applies them, and saving the picture.
#include <algorithm>
#include <cstring>

#include <QCursor>

#include "canvas/canvas_frame.h"
#include "canvas/leftview.h"
#include "imaging/dib_image.h"
#include "imaging/monoimagetool.h"
#include "imaging/paint_editor.h"
#include "model/bmpobject.h"
#include "model/korvane_doc.h"
#include "platform/prompter.h"
#include "platform/ui/menu_template.h"
#include "res/menus.h"
#include "res/resource.h"

namespace {
constexpr int kMaxSnapshots = 10;
}

// ---- snapshots ------------------------------------------------------------------------------

int CPaintEditor::PushSnapshot(CBmpEditObject* snapshot) {
  while (m_nUndoPos > 0 && !m_Snapshots.empty()) {
    delete m_Snapshots.front();
    m_Snapshots.pop_front();
    --m_nUndoPos;
  }
  m_nUndoPos = 0;
  if (!snapshot) snapshot = MakeSnapshot();
  if (snapshot) {
    m_Snapshots.push_front(snapshot);
    m_pCurrent = snapshot;
  }
  while (static_cast<int>(m_Snapshots.size()) > kMaxSnapshots) {
    CBmpEditObject* oldest = m_Snapshots.back();
    m_Snapshots.pop_back();
    if (oldest == m_pCurrent) m_pCurrent = m_Snapshots.empty() ? nullptr : m_Snapshots.front();
    delete oldest;
  }
  return static_cast<int>(m_Snapshots.size());
}

CBmpEditObject* CPaintEditor::SnapshotFromBitmap(CDC& dc, CBitmap& bitmap) {
  if (!m_pCurrent || m_pCurrent->m_Image.size() < static_cast<size_t>(MonoBmpFile::kHeaderSize)) return nullptr;
  const size_t need = static_cast<size_t>(m_pCurrent->m_nStride) * m_nImageH + MonoBmpFile::kHeaderSize;
  std::vector<BYTE> buffer(need, 0);
  std::memcpy(buffer.data(), m_pCurrent->m_Image.data(), std::min(need, m_pCurrent->m_Image.size()));
  auto* info = reinterpret_cast<BITMAPINFO*>(buffer.data() + MonoBmpFile::kFileHeaderSize);
  if (GetDIBits(dc.GetSafeHdc(), &bitmap, 0, static_cast<UINT>(m_nImageH), buffer.data() + MonoBmpFile::kHeaderSize,
                info, DIB_RGB_COLORS) == 0)
    return nullptr;
  std::unique_ptr<CBmpObject> temp;
  if (m_pDoc) {
    temp.reset(m_pDoc->MakeBmpObjectFromImage(std::move(buffer)));
  } else {
    temp = std::make_unique<CBmpObject>();
    if (!temp->SetImage(std::move(buffer))) temp.reset();
  }
  if (!temp) return nullptr;
  auto* snap = new CBmpEditObject(temp.get());
  snap->CopyAttributes(m_pCurrent);
  return snap;
}

CBmpEditObject* CPaintEditor::MakeSnapshot() {
  CDC dc;
  CBitmap bitmap;
  if (!RenderToMemory(dc, bitmap)) return nullptr;
  return SnapshotFromBitmap(dc, bitmap);
}

void CPaintEditor::UndoRedo(int redo) {
  int pos = m_nUndoPos;
  if (redo) {
    if (--pos < 0) return;
  } else {
    if (++pos >= static_cast<int>(m_Snapshots.size())) return;
  }
  m_nUndoPos = pos;
  EndFloating();
  m_pCurrent = m_Snapshots[static_cast<size_t>(pos)];
  InvalidateAll(TRUE);
  UpdateView();
}

BOOL CPaintEditor::CanUndoRedo(int redo) const {
  if (redo) return m_nUndoPos > 0;
  return m_nUndoPos + 1 < static_cast<int>(m_Snapshots.size());
}

// ---- selection ------------------------------------------------------------------------------

CRect CPaintEditor::ClipToImage(CRect r) const {
  r.NormalizeRect();
  r.left = std::max<int>(r.left, 0);
  r.top = std::max<int>(r.top, 0);
  r.right = std::min<int>(r.right, m_nImageW);
  r.bottom = std::min<int>(r.bottom, m_nImageH);
  if (r.right <= r.left || r.bottom <= r.top) r.SetRectEmpty();
  return r;
}

void CPaintEditor::DropSelection() {
  if (m_rcSelect.IsRectEmpty()) return;
  CRect r = ImageToClient(m_rcSelect);
  r.InflateRect(1, 1);
  m_rcDirty = r;
  Invalidate(r, TRUE);
  m_rcSelect.SetRectEmpty();
  UpdateView();
}

void CPaintEditor::ShowContextMenu(int inside) {
  const MenuTemplate& menu = res::Menu(IDR_CONTEXT_MENU);
  const size_t sub = inside ? 2 : 3;
  CLeftView* view = View();
  // A paste from this menu lands where it opened.
  m_ptContext = CPoint(m_ptLast.cx, m_ptLast.cy);
  if (sub >= menu.items.size()) return;
  ICanvasFrame* frame = view ? view->GetCanvasFrame() : nullptr;
  QPoint screen = QCursor::pos();
  if (view) screen = view->viewport()->mapToGlobal(QPoint(m_ptLast.cx - m_ptScroll.x, m_ptLast.cy - m_ptScroll.y));
  // The current tool's entry is not offered.
  UINT current = 0;
  for (const PaintToolCommand& c : kPaintToolCommands)
    if (c.code == m_nTool) current = c.id;
  const UINT chosen = Prompter().PopupMenu(menu.items[sub], screen, [frame, current](UINT id) {
    if (id == current) return false;
    return frame ? frame->IsCommandEnabled(id) != FALSE : true;
  });
  if (chosen != 0 && frame && frame->IsCommandEnabled(chosen)) frame->OnCommand(chosen);
}

HBITMAP CPaintEditor::CopySelection(int copy) {
  if (m_rcSelect.IsRectEmpty()) return nullptr;
  const CRect sel = ClipToImage(m_rcSelect);
  // A selection wholly outside the picture copies nothing and changes nothing.
  if (sel.IsRectEmpty()) return nullptr;
  CDC full;
  CBitmap fullBitmap;
  if (!RenderToMemory(full, fullBitmap)) return nullptr;
  CDC part;
  part.CreateCompatibleDC(nullptr);
  CBitmap partBitmap;
  if (!partBitmap.CreateBitmap(sel.Width(), sel.Height(), 1, 1, nullptr)) return nullptr;
  part.SelectObject(&partBitmap);
  part.BitBlt(0, 0, sel.Width(), sel.Height(), &full, sel.left, sel.top, SRCCOPY);
  HBITMAP result = CMonoImageTool::CopyRectToMonoBitmap(&part, CRect(0, 0, sel.Width(), sel.Height()));
  if (!copy) {
    m_rcSelect = sel;
    FillSelection(1);
  }
  CRect r = ImageToClient(m_rcSelect);
  r.InflateRect(2, 2);
  m_rcSelect.SetRectEmpty();
  m_rcDirty = r;
  Invalidate(r, TRUE);
  UpdateView();
  return result;
}

BOOL CPaintEditor::PasteBitmap(HBITMAP bitmap) {
  if (!m_pCurrent || !m_pFloating) return FALSE;
  PaintPoint pt;
  if (!ViewToImage(m_ptContext.x - m_ptScroll.x, m_ptContext.y - m_ptScroll.y, pt)) return FALSE;
  if (!m_pFloating->Attach(bitmap)) return FALSE;
  m_nTool = PAINT_FLOATING;
  m_rcSelect = CRect(pt.x, pt.y, pt.x + m_pFloating->m_nWidth, pt.y + m_pFloating->m_nHeight);
  m_rcSelect.NormalizeRect();
  m_bFloatDrag = 0;
  InvalidateAll(TRUE);
  UpdateView();
  return TRUE;
}

void CPaintEditor::CancelSelection(int flag) {
  if (!m_bFloatDrag && flag == 1) return;
  PushSnapshot(nullptr);
  CRect r = ImageToClient(m_rcSelect);
  r.InflateRect(1, 1);
  m_rcDirty = r;
  Invalidate(r, TRUE);
  m_nTool = PAINT_SELECT;
  m_rcSelect.SetRectEmpty();
  if (m_pFloating) m_pFloating->Free();
  UpdateView();
  m_bFloatDrag = 0;
}

void CPaintEditor::EndFloating() {
  if (!m_bFloatDrag && m_nTool != PAINT_FLOATING) return;
  if (m_nTool == PAINT_FLOATING) m_nTool = PAINT_SELECT;
  m_rcSelect.SetRectEmpty();
  if (m_pFloating) m_pFloating->Free();
  m_bFloatDrag = 0;
}

// ---- filters --------------------------------------------------------------------------------

template <class F>
void CPaintEditor::ApplyFilter(F&& filter, int growX, int growY) {
  if (!m_pCurrent) return;
  auto* copy = new CBmpEditObject(m_pCurrent);
  const CRect sel = ClipToImage(m_rcSelect);
  const bool selected = !m_rcSelect.IsRectEmpty();
  if (selected && sel.IsRectEmpty()) {
    delete copy;
    return;
  }
  RECT r = sel;
  filter(copy->m_Image.data(), copy->m_Image.size(), selected ? &r : nullptr);
  copy->UpdateImagePointers();
  copy->ParseImage();
  PushSnapshot(copy);
  if (!selected) {
    InvalidateAll(TRUE);
  } else {
    CRect area = ImageToClient(m_rcSelect);
    area.InflateRect(growX, growY);
    m_rcDirty = area;
    Invalidate(area, TRUE);
  }
  UpdateView();
}

void CPaintEditor::Thicken(int x, int y, int same) {
  if (same) y = x;
  ApplyFilter([x, y](BYTE* b, size_t n, const RECT* r) { CMonoImageTool::ThickenImage(b, n, x, y, r); }, x, y);
}

void CPaintEditor::ExtractOutline() {
  ApplyFilter([](BYTE* b, size_t n, const RECT* r) { CMonoImageTool::ExtractOutline(b, n, r); }, 1, 1);
}

void CPaintEditor::Invert() {
  ApplyFilter([](BYTE* b, size_t n, const RECT* r) { CMonoImageTool::InvertImage(b, n, r); }, 1, 1);
}

void CPaintEditor::FillSelection(int white) {
  ApplyFilter([white](BYTE* b, size_t n, const RECT* r) { CMonoImageTool::FillImage(b, n, white ? 1 : 0, r); }, 1,
              1);
}

BOOL CPaintEditor::SaveImage(const CString& path) {
  std::unique_ptr<CBmpEditObject> snap(MakeSnapshot());
  if (!snap || snap->m_Image.empty()) return FALSE;
  return CMonoImageTool::WriteBmpFile(path, snap->m_Image.data(), snap->m_Image.size()) > 0;
}
