// The paint editor's snapshots and undo, range selection, floating picture, cut, copy and
// paste, the image filters as the editor applies them, and saving the picture.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

#include <QCursor>

#include "canvas/canvas_frame.h"
#include "canvas/leftview.h"
#include "imaging/dib_image.h"
#include "imaging/monobmp.h"
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
  DropRedo();
  if (snapshot) PushWhole(snapshot);
  else CommitChange();
  KeepNewestSteps();
  return GetSnapshotCount();
}

void CPaintEditor::KeepNewestSteps() {
  while (static_cast<int>(m_Steps.size()) + 1 > kMaxSnapshots) m_Steps.pop_back();
}

void CPaintEditor::DropRedo() {
  const size_t newer = std::min(static_cast<size_t>(std::max(m_nUndoPos, 0)), m_Steps.size());
  m_Steps.erase(m_Steps.begin(), m_Steps.begin() + static_cast<std::ptrdiff_t>(newer));
  m_nUndoPos = 0;
}

void CPaintEditor::PushWhole(CBmpEditObject* snapshot) {
  const bool trimmed = RowsTrimmed(*snapshot);
  if (m_pCurrent) {
    UndoStep step;
    step.whole.reset(m_pCurrent);
    step.trimmed = m_bTrimmed;
    m_Steps.push_front(std::move(step));
  }
  m_pCurrent = snapshot;
  m_bTrimmed = trimmed;
}

void CPaintEditor::CommitChange() {
  if (!m_pCurrent) return;
  CRect changed;
  if (!m_bWholeSnapshots && ChangedRect(changed) && IsPlainSnapshot(*m_pCurrent) && LayPart(changed)) return;
  if (CBmpEditObject* snap = MakeWholeSnapshot()) PushWhole(snap);
}

void CPaintEditor::ApplyStep(UndoStep& step) {
  std::swap(step.trimmed, m_bTrimmed);
  if (step.whole) {
    CBmpEditObject* other = step.whole.release();
    step.whole.reset(m_pCurrent);
    m_pCurrent = other;
    return;
  }
  if (!m_pCurrent) return;
  const size_t stride = static_cast<size_t>(MonoBmpFile::Stride(m_nImageW));
  // The blocks never overlap, so the order they are swapped in does not matter.
  for (ByteBlock& block : step.blocks) {
    BYTE* row = m_pCurrent->m_Image.data() + MonoBmpFile::kHeaderSize + static_cast<size_t>(block.row0) * stride +
                block.col0;
    BYTE* kept = block.bytes.data();
    for (int k = 0; k < block.rows; ++k, row += stride, kept += block.cols)
      std::swap_ranges(kept, kept + block.cols, row);
  }
}

CPaintEditor::ByteBlock CPaintEditor::CutBlock(int row0, int rows, size_t col0, size_t cols) const {
  ByteBlock block;
  if (rows <= 0 || cols == 0) return block;
  block.row0 = row0, block.rows = rows, block.col0 = col0, block.cols = cols;
  block.bytes.resize(cols * static_cast<size_t>(rows));
  const size_t stride = static_cast<size_t>(MonoBmpFile::Stride(m_nImageW));
  const BYTE* row = m_pCurrent->m_Image.data() + MonoBmpFile::kHeaderSize + static_cast<size_t>(row0) * stride + col0;
  for (int k = 0; k < rows; ++k, row += stride)
    std::memcpy(block.bytes.data() + static_cast<size_t>(k) * cols, row, cols);
  return block;
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

CBmpEditObject* CPaintEditor::MakeWholeSnapshot() {
  CDC dc;
  CBitmap bitmap;
  if (!RenderToMemory(dc, bitmap)) return nullptr;
  return SnapshotFromBitmap(dc, bitmap);
}

namespace {

// The rectangle of points, grown by pad on every side (image pixels, 64-bit so that no
// coordinate overflows).
struct Box {
  long long l = 0, t = 0, r = 0, b = 0;
  bool any = false;
  void Add(long long x0, long long y0, long long x1, long long y1) {
    if (x0 > x1) std::swap(x0, x1);
    if (y0 > y1) std::swap(y0, y1);
    if (!any) {
      l = x0, t = y0, r = x1, b = y1, any = true;
      return;
    }
    l = std::min(l, x0), t = std::min(t, y0), r = std::max(r, x1), b = std::max(b, y1);
  }
};

}  // namespace

BOOL CPaintEditor::ChangedRect(CRect& changed) const {
  changed.SetRectEmpty();
  Box box;
  long long pad = 2;
  if (m_pPending && m_pPending->m_pShape) {
    const CPaintShape* shape = m_pPending->m_pShape.get();
    long long pen = 1;
    switch (m_pPending->Tool()) {
      case PAINT_PEN:
      case PAINT_ERASER:
      case PAINT_BRUSH:
        pen = static_cast<const CPaintStrokeShape*>(shape)->nPenSize;
        for (const PaintPoint& p : m_pPending->m_Points) box.Add(p.x, p.y, p.x, p.y);
        break;
      case PAINT_LINE: {
        const auto* s = static_cast<const CPaintLineShape*>(shape);
        pen = s->nPenSize;
        box.Add(s->x0, s->y0, s->x1, s->y1);
        break;
      }
      case PAINT_CIRCLE: {
        const auto* s = static_cast<const CPaintCircleShape*>(shape);
        pen = s->nPenSize;
        const long long r = std::llabs(static_cast<long long>(s->radius));
        box.Add(s->cx - r, s->cy - r, s->cx + r, s->cy + r);
        break;
      }
      case PAINT_ELLIPSE: {
        const auto* s = static_cast<const CPaintEllipseShape*>(shape);
        pen = s->nPenSize;
        box.Add(s->x0, s->y0, s->x1, s->y1);
        break;
      }
      case PAINT_RECT: {
        const auto* s = static_cast<const CPaintRectShape*>(shape);
        pen = s->nPenSize;
        box.Add(s->x0, s->y0, s->x1, s->y1);
        break;
      }
      case PAINT_POLYGON:
        pen = static_cast<const CPaintPolygonShape*>(shape)->nPenSize;
        for (const PaintPoint& p : m_pPending->m_Points) box.Add(p.x, p.y, p.x, p.y);
        break;
      case PAINT_SELECT: break;  // a band draws nothing into the picture
      default: return FALSE;     // a record this does not know: the whole picture
    }
    // Wide pens, round caps and the swept squares of the brush all stay within the pen's width.
    pad += std::llabs(pen);
  }
  if (m_nTool == PAINT_FLOATING && m_pFloating && !m_pFloating->IsEmpty())
    box.Add(m_rcSelect.left, m_rcSelect.top, m_rcSelect.right, m_rcSelect.bottom);
  if (!box.any) return TRUE;
  // Whole bytes of the stored rows: the part starts on a byte and ends on one or at the edge.
  const long long l = std::max<long long>(0, box.l - pad) / 8 * 8;
  const long long t = std::max<long long>(0, box.t - pad);
  const long long r = std::min<long long>(m_nImageW, (box.r + pad + 1 + 7) / 8 * 8);
  const long long b = std::min<long long>(m_nImageH, box.b + pad + 1);
  if (r <= l || b <= t) return TRUE;
  changed = CRect(static_cast<int>(l), static_cast<int>(t), static_cast<int>(r), static_cast<int>(b));
  return TRUE;
}

bool CPaintEditor::IsPlainSnapshot(const CBmpEditObject& snap) const {
  using M = MonoBmpFile;
  const size_t stride = static_cast<size_t>(M::Stride(m_nImageW));
  if (snap.m_Image.size() != stride * static_cast<size_t>(m_nImageH) + M::kHeaderSize) return false;
  // The palette a read-back writes: with another, every pixel's bit would read back otherwise.
  static constexpr BYTE kPalette[8] = {0, 0, 0, 0, 255, 255, 255, 0};
  if (std::memcmp(snap.m_Image.data() + M::kOffPalette, kPalette, sizeof kPalette) != 0) return false;
  return true;
}

bool CPaintEditor::RowsTrimmed(const CBmpEditObject& snap) const {
  using M = MonoBmpFile;
  const size_t stride = static_cast<size_t>(M::Stride(m_nImageW));
  if (m_nImageW <= 0 || m_nImageH <= 0) return false;
  if (snap.m_Image.size() < M::kHeaderSize + stride * static_cast<size_t>(m_nImageH)) return false;
  const size_t used = static_cast<size_t>(m_nImageW + 7) / 8;
  const BYTE past = m_nImageW % 8 ? static_cast<BYTE>(0xFF >> (m_nImageW % 8)) : 0;
  const BYTE* row = snap.m_Image.data() + M::kHeaderSize;
  for (int y = 0; y < m_nImageH; ++y, row += stride) {
    if (row[used - 1] & past) return false;
    for (size_t k = used; k < stride; ++k)
      if (row[k]) return false;
  }
  return true;
}

bool CPaintEditor::LayPart(const CRect& part) {
  using M = MonoBmpFile;
  const size_t stride = static_cast<size_t>(M::Stride(m_nImageW));
  // Rendered and read back first: the picture changes only once the part is in hand.
  std::vector<BYTE> block;
  size_t partStride = 0;
  const int w = part.Width(), h = part.Height();
  if (!part.IsRectEmpty()) {
    CDC dc;
    CBitmap bitmap;
    if (!RenderToMemory(dc, bitmap, &part)) return false;
    partStride = static_cast<size_t>(M::Stride(w));
    block.resize(M::kHeaderSize + partStride * static_cast<size_t>(h));
    M::WriteHeader(block.data(), w, h);
    auto* info = reinterpret_cast<BITMAPINFO*>(block.data() + M::kFileHeaderSize);
    if (GetDIBits(dc.GetSafeHdc(), &bitmap, 0, static_cast<UINT>(h), block.data() + M::kHeaderSize, info,
                  DIB_RGB_COLORS) != h)
      return false;
  }
  // Stored row k of the part is picture row part.bottom - 1 - k, stored at height - 1 - that.
  const bool none = part.IsRectEmpty();
  const int row0 = none ? m_nImageH : m_nImageH - part.bottom;
  const int rows = none ? 0 : h;
  const size_t col0 = none ? 0 : static_cast<size_t>(part.left / 8);
  const size_t cols = none ? 0 : static_cast<size_t>(w + 7) / 8;
  const size_t used = static_cast<size_t>(m_nImageW + 7) / 8;
  UndoStep step;
  step.trimmed = m_bTrimmed;
  step.area = part;
  if (m_bTrimmed) {
    step.blocks.push_back(CutBlock(row0, rows, col0, cols));
  } else {
    // Bits past the edge, which a read-back leaves clear, are cleared in every row: the step keeps
    // them, the part's rows whole to their end and the last bytes of all others.
    step.blocks.push_back(CutBlock(row0, rows, col0, stride - col0));
    step.blocks.push_back(CutBlock(0, row0, used - 1, stride - used + 1));
    step.blocks.push_back(CutBlock(row0 + rows, m_nImageH - row0 - rows, used - 1, stride - used + 1));
    const BYTE keep = m_nImageW % 8 ? static_cast<BYTE>(0xFF << (8 - m_nImageW % 8)) : 0xFF;
    BYTE* row = m_pCurrent->m_Image.data() + M::kHeaderSize;
    for (int y = 0; y < m_nImageH; ++y, row += stride) {
      row[used - 1] &= keep;
      std::memset(row + used, 0, stride - used);
    }
    m_bTrimmed = true;
  }
  BYTE* to = m_pCurrent->m_Image.data() + M::kHeaderSize + static_cast<size_t>(row0) * stride + col0;
  for (int k = 0; k < rows; ++k, to += stride)
    std::memcpy(to, block.data() + M::kHeaderSize + static_cast<size_t>(k) * partStride, cols);
  m_Steps.push_front(std::move(step));
  return true;
}

void CPaintEditor::UndoRedo(int redo) {
  int pos = m_nUndoPos;
  if (redo) {
    if (--pos < 0) return;
  } else {
    if (++pos > static_cast<int>(m_Steps.size())) return;
  }
  UndoStep& step = m_Steps[static_cast<size_t>(redo ? pos : pos - 1)];
  m_nUndoPos = pos;
  const bool floating = m_bFloatDrag || m_nTool == PAINT_FLOATING;
  EndFloating();
  ApplyStep(step);
  if (step.whole || floating) {
    InvalidateAll(TRUE);
  } else if (!step.area.IsRectEmpty()) {
    // Only the part changed: the rest of the view shows what it showed.
    InvalidatePadded(step.area, std::max(WholeZoom(), 2), FALSE);
  }
  UpdateView();
}

BOOL CPaintEditor::CanUndoRedo(int redo) const {
  if (redo) return m_nUndoPos > 0;
  return m_nUndoPos < static_cast<int>(m_Steps.size());
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
  const CRect sel = ClipToImage(m_rcSelect);
  const bool selected = !m_rcSelect.IsRectEmpty();
  if (selected && sel.IsRectEmpty()) return;
  // A filter of the whole picture takes longer than a frame on a large one.
  std::optional<PaintBusyCursor> busy;
  if (!selected) busy.emplace();
  RECT r = sel;
  if (selected && !m_bWholeSnapshots && IsPlainSnapshot(*m_pCurrent)) {
    // The filters write only within the selection: its bytes are kept and it is filtered in place.
    DropRedo();
    UndoStep step;
    step.trimmed = m_bTrimmed;
    step.area = sel;
    const size_t col0 = static_cast<size_t>(sel.left / 8);
    const size_t cols = static_cast<size_t>(sel.right + 7) / 8 - col0;
    step.blocks.push_back(CutBlock(m_nImageH - sel.bottom, sel.Height(), col0, cols));
    filter(m_pCurrent->m_Image.data(), m_pCurrent->m_Image.size(), &r);
    m_Steps.push_front(std::move(step));
    KeepNewestSteps();
  } else {
    auto* copy = new CBmpEditObject(m_pCurrent);
    filter(copy->m_Image.data(), copy->m_Image.size(), selected ? &r : nullptr);
    copy->UpdateImagePointers();
    copy->ParseImage();
    PushSnapshot(copy);
  }
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
  std::unique_ptr<CBmpEditObject> snap(MakeWholeSnapshot());
  if (!snap || snap->m_Image.empty()) return FALSE;
  return CMonoImageTool::WriteBmpFile(path, snap->m_Image.data(), snap->m_Image.size()) > 0;
}
