// The paint editor's state, beginning and ending an edit, layout at a zoom, drawing, scrolling,
// sizing, cursors and the mouse routing. Tools: paint_tools.cpp; selection, clipboard, undo
// and filters: paint_selection.cpp.
#include "imaging/paint_editor.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include <QBitmap>
#include <QClipboard>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>

#include "canvas/leftview.h"
#include "imaging/dib_image.h"
#include "imaging/monoimagetool.h"
#include "imaging/paint_selection_clipboard.h"
#include "model/bmpobject.h"
#include "model/doc_seams.h"
#include "model/korvane_doc.h"
#include "platform/ui/rect_tracker.h"
#include "platform/ui/scrollview.h"
#include "render/saturate.h"

namespace {

// The workspace colour round the image (the system's application-workspace grey).
constexpr COLORREF kWorkspace = RGB(171, 171, 171);

enum CursorIndex { kPencil = 0, kCross = 1, kSizeAll = 2, kBucket = 3 };

// The editor's own tool cursors, drawn in code: black strokes with a white halo so they show on
// both colours of the image.
QCursor MakeCursor(int which) {
  QPixmap pix(32, 32);
  pix.fill(Qt::transparent);
  QPainter p(&pix);
  p.setRenderHint(QPainter::Antialiasing, false);
  auto stroke = [&p](auto&& draw) {
    p.setPen(QPen(Qt::white, 3));
    draw();
    p.setPen(QPen(Qt::black, 1));
    draw();
  };
  int hx = 0, hy = 0;
  switch (which) {
    case kPencil:  // pencil, tip at (13, 23)
      stroke([&p] {
        p.drawLine(13, 23, 15, 17);
        p.drawLine(13, 23, 19, 21);
        p.drawLine(15, 17, 26, 6);
        p.drawLine(19, 21, 30, 10);
        p.drawLine(26, 6, 30, 10);
      });
      hx = 13, hy = 23;
      break;
    case kCross:  // dashed crosshair, centre (16, 15)
      stroke([&p] {
        for (int d = 3; d < 14; d += 3) {
          p.drawLine(16 - d - 1, 15, 16 - d, 15);
          p.drawLine(16 + d, 15, 16 + d + 1, 15);
          p.drawLine(16, 15 - d - 1, 16, 15 - d);
          p.drawLine(16, 15 + d, 16, 15 + d + 1);
        }
        p.drawPoint(16, 15);
      });
      hx = 16, hy = 15;
      break;
    default:  // paint bucket, pouring point (8, 22)
      stroke([&p] {
        const QPoint body[] = {{12, 8}, {24, 14}, {18, 26}, {6, 20}};
        p.drawPolygon(body, 4);
        p.drawLine(12, 8, 14, 3);
        p.drawLine(14, 3, 20, 6);
        p.drawLine(6, 20, 8, 22);
      });
      hx = 8, hy = 22;
      break;
  }
  p.end();
  return QCursor(pix, hx, hy);
}

}  // namespace

CPaintEditor::CPaintEditor() {
  m_rcDirty.SetRectEmpty();
  m_rcSelect.SetRectEmpty();
  m_rcBrush.SetRectEmpty();
  m_szMargin = CSize(0, 0);
  for (CRect& r : m_rcStrip) r.SetRectEmpty();
}

CPaintEditor::~CPaintEditor() {
  // Only our own picture goes: one put there since belongs to whoever put it there.
  if (m_nOwnPicture != 0 && qGuiApp) ClearClipboardPicture(QGuiApplication::clipboard(), m_nOwnPicture);
  ClearHistory();
  delete m_pTracker;
  delete m_pFloating;
}

void CPaintEditor::NoteOwnClipboard() {
  if (qGuiApp) m_nOwnPicture = ClipboardPictureKey(QGuiApplication::clipboard());
}

void CPaintEditor::Attach(CScrollView* owner) {
  m_pOwner = owner;
  if (QGuiApplication::instance()) {
    m_hCursor[kPencil] = MakeCursor(kPencil);
    m_hCursor[kCross] = MakeCursor(kCross);
    m_hCursor[kSizeAll] = QCursor(Qt::SizeAllCursor);
    m_hCursor[kBucket] = MakeCursor(kBucket);
    m_hCursorShape[kPencil] = Qt::BitmapCursor;
    m_hCursorShape[kCross] = Qt::BitmapCursor;
    m_hCursorShape[kBucket] = Qt::BitmapCursor;
  }
  DeletePending();
  m_bLeftStroke = m_bRightStroke = 0;
}

CLeftView* CPaintEditor::View() const { return dynamic_cast<CLeftView*>(m_pOwner); }

IDocMainFrame* CPaintEditor::Frame() const { return m_pDoc ? m_pDoc->GetMainFrame() : nullptr; }

void CPaintEditor::DeletePending() {
  delete m_pPending;
  m_pPending = nullptr;
}

void CPaintEditor::ClearHistory() {
  DeletePending();
  m_Steps.clear();
  m_nUndoPos = 0;
  delete m_pCurrent;
  m_pCurrent = nullptr;
  m_bTrimmed = false;
  m_pSource = nullptr;
}

// ---- begin and end --------------------------------------------------------------------------

BOOL CPaintEditor::BeginEdit(CKorvaneDoc* doc, CBmpObject* object, SIZE* canvas) {
  ClearHistory();
  if (!object) return FALSE;
  m_pDoc = doc;
  auto* first = new CBmpEditObject(object);
  m_pCurrent = first;
  m_pSource = object;
  m_nClipPart = object->m_nGroupId;
  if (m_nClipPart == 4) {
    m_nClipShape = object->m_Clip.nShape;
    m_dClipCorner = object->m_Clip.dRadius;
    m_dClipW = object->m_Clip.dWidth;
    m_dClipH = object->m_Clip.dHeight;
  }
  m_nUndoPos = 0;
  DeletePending();
  delete m_pFloating;
  m_pFloating = new CDibImage();
  m_bPreviewHidden = 1;
  m_bPreviewFirst = 1;

  m_nImageW = first->m_nWidthBytes > 0 || first->m_nHeightPixels > 0 ? 0 : 0;
  int widthBytes = 0, height = 0, fileSize = 0, stride = 0, imageSize = 0;
  if (CMonoImageTool::ParseMonoBmp(first->m_Image.data(), first->m_Image.size(), &widthBytes, &height, &fileSize,
                                   &stride, &imageSize)) {
    BITMAPINFOHEADER hdr{};
    std::memcpy(&hdr, first->m_Image.data() + MonoBmpFile::kFileHeaderSize, sizeof(hdr));
    m_nImageW = hdr.biWidth;
    m_nImageH = hdr.biHeight < 0 ? -hdr.biHeight : hdr.biHeight;
  } else {
    m_nImageW = m_nImageH = 0;
  }
  if (m_nImageW <= 0 || m_nImageH <= 0) {
    ClearHistory();
    return FALSE;
  }
  m_bTrimmed = RowsTrimmed(*first);
  if (CScrollView* v = m_pOwner) m_ptScroll = CPoint(v->GetScrollPos(SB_HORZ), v->GetScrollPos(SB_VERT));
  SetZoom(10, canvas);
  m_nPenSize = 1;
  m_nTool = PAINT_SELECT;
  m_rcSelect.SetRectEmpty();
  m_bFloatDrag = 0;
  if (IDocMainFrame* f = Frame()) f->ClearMessagePane();
  m_bLeftStroke = m_bRightStroke = 0;
  m_bPolyStart = 1;
  m_bPolyOpen = 0;
  return TRUE;
}

void CPaintEditor::EndEdit(BOOL giveBack) {
  // A picture still floating is part of what the operator sees: it joins the image first.
  if (m_nTool == PAINT_FLOATING && m_pFloating && !m_pFloating->IsEmpty()) CancelSelection(0);
  if (giveBack && m_pSource && m_pCurrent && !m_pCurrent->m_Image.empty()) {
    // Only the picture: the object keeps its size, position and every other setting.
    m_pSource->m_Image = m_pCurrent->m_Image;
    m_pSource->UpdateImagePointers();
    g_bModified = 1;
  }
  ClearHistory();
  if (m_pFloating) m_pFloating->Free();
  m_rcSelect.SetRectEmpty();
  m_bFloatDrag = 0;
  m_bLeftStroke = m_bRightStroke = 0;
  m_nImageW = m_nImageH = 0;
}

// ---- layout ---------------------------------------------------------------------------------

CRect CPaintEditor::ClientRect() const {
  CRect r(0, 0, 0, 0);
  if (m_pOwner) m_pOwner->GetClientRect(&r);
  return r;
}

int CPaintEditor::Zoom10(int v) const { return DoubleToInt(v * m_dZoom / 10.0); }

int CPaintEditor::WholeZoom() const { return static_cast<int>(m_dZoom); }

double CPaintEditor::SetZoom(int zoom, SIZE* canvas) {
  CancelPolygon();
  const CRect client = ClientRect();
  const int w = std::max(m_nImageW, 1), h = std::max(m_nImageH, 1);
  if (zoom > 0) {
    m_bZoomed = 1;
    m_szMargin = CSize(100, 100);
    m_dZoom = zoom;
    // A picture tens of millions of pixels long reaches past the int range when zoomed.
    m_nShownW = sat::Clamp(static_cast<std::int64_t>(zoom) * m_nImageW / 10);
    m_nShownH = sat::Clamp(static_cast<std::int64_t>(zoom) * m_nImageH / 10);
    m_nCanvasW = sat::Add(m_nShownW, 2 * m_szMargin.cx);
    m_nCanvasH = sat::Add(m_nShownH, 2 * m_szMargin.cy);
    if (client.Width() > m_nCanvasW) m_nCanvasW = client.Width() + m_szMargin.cx;
    if (client.Height() > m_nCanvasH) m_nCanvasH = client.Height() + m_szMargin.cy;
  } else {
    m_bZoomed = 0;
    // The fitted canvas is the client area: nothing to scroll.
    m_ptScroll = CPoint(0, 0);
    m_szMargin = CSize(5, 5);
    m_nCanvasW = client.Width();
    m_nCanvasH = client.Height();
    // A pane no wider than its margins still shows the image at one pixel of room, so the zoom
    // never reaches 0 (every "x 10 / zoom" divides by it).
    const int roomX = std::max(m_nCanvasW - 2 * static_cast<int>(m_szMargin.cx), 1);
    const int roomY = std::max(m_nCanvasH - 2 * static_cast<int>(m_szMargin.cy), 1);
    m_dZoom = std::min(roomX * 10.0 / w, roomY * 10.0 / h);
    m_nShownW = DoubleToInt(m_nImageW * m_dZoom / 10.0);
    m_nShownH = DoubleToInt(m_nImageH * m_dZoom / 10.0);
    m_szMargin = CSize((m_nCanvasW - m_nShownW) / 2, (m_nCanvasH - m_nShownH) / 2);
  }
  BuildGrid();
  if (canvas) *canvas = SIZE{m_nCanvasW, m_nCanvasH};
  const int mx = m_szMargin.cx, my = m_szMargin.cy;
  m_rcStrip[0] = CRect(0, 0, m_nCanvasW, my);
  m_rcStrip[1] = CRect(0, sat::Add(my, m_nShownH), m_nCanvasW, m_nCanvasH);
  m_rcStrip[2] = CRect(0, my, mx, sat::Add(my, m_nShownH));
  m_rcStrip[3] = CRect(sat::Add(mx, m_nShownW), my, m_nCanvasW, sat::Add(my, m_nShownH));
  m_rcDirty.SetRectEmpty();
  return m_dZoom;
}

void CPaintEditor::BuildGrid() {
  m_bGridShown = 0;
  m_GridBits.clear();
  m_nGridStride = 0;
  const int z = WholeZoom();
  if (!m_bGridOn || (z != 40 && z != 60 && z != 80) || m_nImageW <= 0 || m_nImageH <= 0) return;
  // The grid repeats every cell: one tile of two cells down and eight across is kept, and each
  // paint draws the grid for the part it shows.
  const int c = z / 10;
  const int gw = 8 * c, gh = 2 * c;
  m_nGridStride = ((gw + 31) / 32) * 4;
  m_GridBits.assign(static_cast<size_t>(m_nGridStride) * gh, 0);
  for (int y = 0; y < gh; ++y) GridRow(m_GridBits.data() + static_cast<size_t>(y) * m_nGridStride, 0, gw, y);
  m_bGridShown = 1;
}

void CPaintEditor::GridRow(BYTE* row, int x0, int width, int y) const {
  const int c = WholeZoom() / 10;
  const int r = y % c;
  for (int i = 0; i < width; ++i) {
    const int x = x0 + i;
    bool white;
    if (r == 0) white = (x % 2) != 0;   // dotted: black at every even column
    else if (r % 2 == 1) white = true;  // blank
    else white = (x % c) != 0;          // marker: black at each cell's first column
    if (white) row[i >> 3] |= static_cast<BYTE>(0x80 >> (i & 7));
  }
}

BOOL CPaintEditor::MakeGridPart(CBitmap& bitmap, const CRect& shown) const {
  if (!bitmap.CreateBitmap(shown.Width(), shown.Height(), 1, 1, nullptr)) return FALSE;
  const int c = WholeZoom() / 10;
  // The three kinds of rows, made once for the width shown.
  const int bytes = (shown.Width() + 7) / 8;
  std::vector<std::vector<BYTE>> kinds;
  for (int r = 0; r < std::min(c, 3); ++r) {
    std::vector<BYTE> row(static_cast<size_t>(bytes), 0);
    GridRow(row.data(), shown.left, shown.Width(), r == 2 ? 2 : r);
    kinds.push_back(std::move(row));
  }
  const int copy = std::min(bytes, bitmap.Stride());
  for (int j = 0; j < shown.Height(); ++j) {
    const int r = (shown.top + j) % c;
    const std::vector<BYTE>& row = kinds[r == 0 ? 0 : (r % 2 == 1 ? 1 : 2)];
    std::memcpy(bitmap.Row(j), row.data(), static_cast<size_t>(copy));
  }
  return TRUE;
}

void CPaintEditor::SetGrid(int on) {
  m_bGridOn = on ? 1 : 0;
  BuildGrid();
  InvalidateAll(FALSE);
  UpdateView();
}

// ---- drawing --------------------------------------------------------------------------------

void CPaintEditor::Invalidate(const RECT& client, BOOL erase) {
  if (m_pOwner) m_pOwner->InvalidateRect(&client, erase);
}

void CPaintEditor::InvalidateAll(BOOL erase) {
  m_rcDirty.SetRectEmpty();
  if (m_pOwner) m_pOwner->Invalidate(erase);
}

void CPaintEditor::UpdateView() {
  if (m_pOwner) m_pOwner->UpdateWindow();
}

void CPaintEditor::Redraw() {
  InvalidateAll(TRUE);
  UpdateView();
}

CRect CPaintEditor::ImageToClient(const RECT& image) const {
  CRect r(Zoom10(image.left), Zoom10(image.top), Zoom10(image.right), Zoom10(image.bottom));
  r.NormalizeRect();
  r.OffsetRect(m_szMargin.cx - m_ptScroll.x, m_szMargin.cy - m_ptScroll.y);
  return r;
}

BOOL CPaintEditor::PartialRects(CRect& src, CRect& dst) const {
  CRect r = m_rcDirty;
  r.OffsetRect(m_ptScroll.x - m_szMargin.cx, m_ptScroll.y - m_szMargin.cy);
  const double f = 10.0 / m_dZoom;
  int l = DoubleToInt(r.left * f), t = DoubleToInt(r.top * f);
  int rr = DoubleToInt(r.right * f), b = DoubleToInt(r.bottom * f);
  int step = 8;
  switch (WholeZoom()) {
    case 1: step = 20; break;
    case 2: step = 40; break;
    case 4: step = 80; break;
    case 6: step = 120; break;
    case 8: step = 160; break;
    default: break;
  }
  // Rounded out to whole steps in 64 bits: the ends may stand at the int range's ends.
  auto down = [step](std::int64_t v) {
    return sat::Clamp((v >= 0 ? v / step * step : -((-v + step - 1) / step) * step) - 8);
  };
  auto up = [step](std::int64_t v) {
    return sat::Clamp((v >= 0 ? (v + step - 1) / step * step : -((-v) / step) * step) + 8);
  };
  l = down(l);
  t = down(t);
  rr = up(rr);
  b = up(b);
  if (l < 1) l = 0;
  if (t < 1) t = 0;
  rr = std::min(rr, m_nImageW);
  b = std::min(b, m_nImageH);
  if (l > m_nImageW || t > m_nImageH || rr < 1 || b < 1 || rr <= l || b <= t) return FALSE;
  src = CRect(l, t, rr, b);
  dst = CRect(Zoom10(l), Zoom10(t), Zoom10(rr), Zoom10(b));
  dst.OffsetRect(m_szMargin.cx, m_szMargin.cy);
  return TRUE;
}

BOOL CPaintEditor::RenderToMemory(CDC& dc, CBitmap& bitmap, const CRect* part) {
  if (!m_pCurrent || m_nImageW <= 0 || m_nImageH <= 0) return FALSE;
  if (!dc.GetSafeHdc() && !dc.CreateCompatibleDC(nullptr)) return FALSE;
  const CRect whole(0, 0, m_nImageW, m_nImageH);
  const CRect area = part ? *part : whole;
  if (area.IsRectEmpty() || !bitmap.CreateBitmap(area.Width(), area.Height(), 1, 1, nullptr)) return FALSE;
  dc.SelectObject(&bitmap);
  // Image coordinates stay as they are: the bitmap holds the part from its top left corner.
  dc.SetWindowOrg(area.left, area.top);
  RenderImage(&dc);
  return TRUE;
}

void CPaintEditor::Draw(CDC* pDC) {
  if (!m_pOwner || !pDC) return;
  const int oldMode = pDC->SetMapMode(MM_TEXT);
  const CRect client = ClientRect();
  CRect visible = client;
  visible.OffsetRect(m_ptScroll.x, m_ptScroll.y);

  // The platform merges invalidations: whatever this paint has to cover joins the dirty area.
  if (!m_rcDirty.IsRectEmpty()) {
    RECT box{};
    if (pDC->GetClipBox(&box) != NULLREGION) {
      CRect clip(box);
      clip.OffsetRect(-m_ptScroll.x, -m_ptScroll.y);
      if (clip.left <= client.left && clip.top <= client.top && clip.right >= client.right &&
          clip.bottom >= client.bottom)
        m_rcDirty.SetRectEmpty();
      else
        m_rcDirty.UnionRect(m_rcDirty, clip);
    }
  }

  for (const CRect& strip : m_rcStrip) {
    CRect meet;
    if (meet.IntersectRect(strip, visible)) pDC->FillSolidRect(&meet, kWorkspace);
  }

  CRect src, dst;
  BOOL drawImage = m_pCurrent != nullptr;
  if (drawImage) {
    if (m_rcDirty.IsRectEmpty()) {
      src = CRect(0, 0, m_nImageW, m_nImageH);
      dst = CRect(m_szMargin.cx, m_szMargin.cy, sat::Add(m_szMargin.cx, m_nShownW), sat::Add(m_szMargin.cy, m_nShownH));
    } else {
      drawImage = PartialRects(src, dst);
    }
  }
  if (drawImage) {
    // Only the visible part is stretched: image pixels under the visible canvas, rounded out.
    CRect seen;
    if (!seen.IntersectRect(dst, visible)) drawImage = FALSE;
    if (drawImage) {
      const double f = 10.0 / m_dZoom;
      int l = DoubleToInt((seen.left - m_szMargin.cx) * f);
      int t = DoubleToInt((seen.top - m_szMargin.cy) * f);
      int r = sat::Add(DoubleToInt((seen.right - m_szMargin.cx) * f), 1);
      int b = sat::Add(DoubleToInt((seen.bottom - m_szMargin.cy) * f), 1);
      src = CRect(std::max<int>(l, src.left), std::max<int>(t, src.top), std::min<int>(r, src.right),
                  std::min<int>(b, src.bottom));
      dst = CRect(Zoom10(src.left), Zoom10(src.top), Zoom10(src.right), Zoom10(src.bottom));
      dst.OffsetRect(m_szMargin.cx, m_szMargin.cy);
      if (src.IsRectEmpty() || dst.IsRectEmpty()) drawImage = FALSE;
    }
  }
  if (drawImage) {
    // Only the part being drawn is rendered, and the grid only for the part shown.
    CDC image;
    CBitmap imageBitmap;
    if (RenderToMemory(image, imageBitmap, &src)) {
      CDC part;
      CBitmap partBitmap;
      part.CreateCompatibleDC(nullptr);
      if (partBitmap.CreateBitmap(dst.Width(), dst.Height(), 1, 1, nullptr)) {
        part.SelectObject(&partBitmap);
        part.SetBkColor(0xFFFFFF);
        part.StretchBlt(0, 0, dst.Width(), dst.Height(), &image, src.left, src.top, src.Width(), src.Height(),
                        SRCCOPY);
        CBitmap gridBitmap;
        CRect gridPart = dst;
        gridPart.OffsetRect(-m_szMargin.cx, -m_szMargin.cy);
        if (m_bGridShown && MakeGridPart(gridBitmap, gridPart)) {
          CDC grid;
          grid.CreateCompatibleDC(nullptr);
          grid.SelectObject(&gridBitmap);
          part.BitBlt(0, 0, dst.Width(), dst.Height(), &grid, 0, 0, SRCAND);
        }
        pDC->SetBkColor(0xFFFFFF);
        pDC->SetTextColor(0);
        pDC->BitBlt(dst.left, dst.top, dst.Width(), dst.Height(), &part, 0, 0, SRCCOPY);
      }
    }
  }

  if (m_pCurrent && m_nClipPart == 4) DrawClipMask(pDC);

  if (m_pCurrent && !m_rcSelect.IsRectEmpty()) {
    CRect frame(Zoom10(m_rcSelect.left), Zoom10(m_rcSelect.top), Zoom10(m_rcSelect.right),
                Zoom10(m_rcSelect.bottom));
    frame.NormalizeRect();
    frame.OffsetRect(m_szMargin.cx, m_szMargin.cy);
    CPen pen(PS_SOLID, m_bGridShown ? 2 : 1, m_nTool == PAINT_FLOATING ? 0xFF0000 : 0x0000FF);
    CPen* oldPen = pDC->SelectObject(&pen);
    CGdiObject* oldBrush = pDC->SelectStockObject(NULL_BRUSH);
    pDC->Rectangle(&frame);
    pDC->SelectObject(oldPen);
    if (oldBrush) pDC->SelectObject(static_cast<CBrush*>(oldBrush));
  }
  if (m_bBand) {
    CRect band = m_rcBand;
    band.NormalizeRect();
    band.OffsetRect(m_ptScroll.x, m_ptScroll.y);
    CPen pen(PS_SOLID, 1, 0x000000);
    CPen* oldPen = pDC->SelectObject(&pen);
    CGdiObject* oldBrush = pDC->SelectStockObject(NULL_BRUSH);
    pDC->Rectangle(band.left, band.top, band.right + 1, band.bottom + 1);
    pDC->SelectObject(oldPen);
    if (oldBrush) pDC->SelectObject(static_cast<CBrush*>(oldBrush));
  }
  m_rcDirty.SetRectEmpty();
  pDC->SetMapMode(oldMode);
}

void CPaintEditor::DrawClipMask(CDC* dc) {
  const CRect shown(m_szMargin.cx, m_szMargin.cy, sat::Add(m_szMargin.cx, m_nShownW), sat::Add(m_szMargin.cy, m_nShownH));
  const double z = m_dZoom / 10.0;
  const int ix = DoubleToInt((m_nShownW - z * m_dClipW) / 2);
  const int iy = DoubleToInt((m_nShownH - z * m_dClipH) / 2);
  CRect in = shown;
  in.DeflateRect(ix, iy);
  CRgn outer, shape;
  outer.CreateRectRgnIndirect(&shown);
  const int midX = (in.left + in.right) / 2, midY = (in.top + in.bottom) / 2;
  switch (m_nClipShape) {
    case 1: shape.CreateEllipticRgnIndirect(&in); break;
    case 2: {
      const POINT pts[] = {{midX, in.top}, {in.right, midY}, {midX, in.bottom}, {in.left, midY}};
      shape.CreatePolygonRgn(pts, 4, ALTERNATE);
      break;
    }
    case 3: {
      const POINT pts[] = {{midX, in.top}, {in.right, in.bottom}, {in.left, in.bottom}};
      shape.CreatePolygonRgn(pts, 3, ALTERNATE);
      break;
    }
    case 4: {
      const POINT pts[] = {{in.left, in.top}, {in.right, in.top}, {midX, in.bottom}};
      shape.CreatePolygonRgn(pts, 3, ALTERNATE);
      break;
    }
    case 5: {
      // The corner follows the zoom like the rest of the shape.
      const int corner = DoubleToInt(m_dClipCorner * z);
      shape.CreateRoundRectRgn(in.left, in.top, in.right, in.bottom, corner, corner);
      break;
    }
    default: shape.CreateRectRgnIndirect(&in); break;
  }
  CRgn mask;
  mask.CreateRectRgn(0, 0, 0, 0);
  mask.CombineRgn(&outer, &shape, RGN_DIFF);
  CBrush brush(kWorkspace);
  dc->FillRgn(&mask, &brush);
}

// ---- scrolling and sizing -------------------------------------------------------------------

void CPaintEditor::OnHScroll(int pos) {
  CancelPolygon();
  if (pos == m_ptScroll.x) return;
  const int d = pos - m_ptScroll.x;
  m_ptScroll.x = pos;
  const CRect client = ClientRect();
  CRect band = client;
  if (d < 0) {
    m_rcDirty = CRect(d, client.top, std::min<int>(-d, client.Width()), client.bottom);
    band.right = -d;
  } else {
    m_rcDirty = CRect(std::max<int>(client.Width() - d, 0), client.top, client.Width() + d, client.bottom);
    band.left = client.Width() - d;
  }
  Invalidate(band, FALSE);
  UpdateView();
}

void CPaintEditor::OnVScroll(int pos) {
  CancelPolygon();
  if (pos == m_ptScroll.y) return;
  const int d = pos - m_ptScroll.y;
  m_ptScroll.y = pos;
  const CRect client = ClientRect();
  CRect band = client;
  if (d < 0) {
    m_rcDirty = CRect(client.left, d, client.right, std::min<int>(-d, client.Height()));
    band.bottom = -d;
  } else {
    m_rcDirty = CRect(client.left, std::max<int>(client.Height() - d, 0), client.right, client.Height() + d);
    band.top = client.Height() - d;
  }
  Invalidate(band, FALSE);
  UpdateView();
}

void CPaintEditor::OnSize(int hpos, int vpos) {
  if (!m_pCurrent) return;
  if (m_bZoomed) {
    SIZE canvas{};
    SetZoom(WholeZoom(), &canvas);
    m_ptScroll = CPoint(hpos, vpos);
    if (CScrollView* v = m_pOwner) {
      if (v->GetTotalDeviceSize().cx != canvas.cx || v->GetTotalDeviceSize().cy != canvas.cy)
        v->SetScrollSizes(MM_TEXT, canvas);
    }
  } else {
    const double z = SetZoom(0, nullptr);
    if (m_pDoc) m_pDoc->ShowPaintZoom(z);
  }
}

// ---- cursor and mouse -----------------------------------------------------------------------

BOOL CPaintEditor::ViewToImage(int x, int y, PaintPoint& out) {
  out.cx = sat::Add(x, m_ptScroll.x);
  out.cy = sat::Add(y, m_ptScroll.y);
  const int mx = m_szMargin.cx, my = m_szMargin.cy;
  if (m_pCurrent && out.cx >= mx && out.cx <= sat::Add(mx, m_nShownW) && out.cy >= my &&
      out.cy <= sat::Add(my, m_nShownH)) {
    out.x = DoubleToInt((static_cast<double>(out.cx) - mx) * 10.0 / m_dZoom);
    out.y = DoubleToInt((static_cast<double>(out.cy) - my) * 10.0 / m_dZoom);
    if (IDocMainFrame* f = Frame()) f->ShowCursorPosPixels(out.x, out.y);
    return TRUE;
  }
  if (IDocMainFrame* f = Frame()) f->ClearMessagePane();
  out.x = out.y = -1;
  return FALSE;
}

void CPaintEditor::UpdateCursor(const PaintPoint& pt) {
  int which = -1;
  switch (m_nTool) {
    case PAINT_PEN: which = kPencil; break;
    case PAINT_ERASER:
    case PAINT_BRUSH: which = kCross; break;
    case PAINT_FLOOD: which = kBucket; break;
    case PAINT_FLOATING: which = m_rcSelect.PtInRect(CPoint(pt.x, pt.y)) ? kSizeAll : kCross; break;
    default: return;
  }
  if (which == m_nCursorShown && m_nTool != PAINT_FLOATING) return;
  m_nCursorShown = which;
  m_curShown = m_hCursor[which];
  if (CLeftView* v = View()) v->viewport()->setCursor(m_curShown);
}

void CPaintEditor::DrawBrushPreview(const PaintPoint& pt) {
  CLeftView* v = View();
  if (!v) return;
  const int s = m_nPenSize;
  CRect r(Zoom10(pt.x - s / 2), Zoom10(pt.y - s / 2), Zoom10(pt.x + s / 2), Zoom10(pt.y + s / 2));
  r.NormalizeRect();
  r.OffsetRect(m_szMargin.cx - m_ptScroll.x, m_szMargin.cy - m_ptScroll.y);
  std::unique_ptr<CDC> dc = v->GetDC();
  if (!dc) return;
  const SIZE edge{1, 1};
  if (m_bPreviewHidden || m_rcBrush.IsRectEmpty())
    dc->DrawDragRect(&r, edge, nullptr, edge);
  else
    dc->DrawDragRect(&r, edge, &m_rcBrush, edge);
  m_rcBrush = r;
  m_bPreviewHidden = 0;
  m_bPreviewFirst = 0;
  v->viewport()->update(QRect(0, 0, v->viewport()->width(), v->viewport()->height()));
}

void CPaintEditor::OnNcMouseMove() {
  CLeftView* v = View();
  if (v && !m_bPreviewHidden && !m_rcBrush.IsRectEmpty()) {
    std::unique_ptr<CDC> dc = v->GetDC();
    const SIZE edge{1, 1};
    if (dc) dc->DrawDragRect(&m_rcBrush, edge, nullptr, edge);
    v->viewport()->update();
  }
  m_rcBrush.SetRectEmpty();
  m_bPreviewHidden = 1;
}

void CPaintEditor::OnLButtonDown(UINT, int x, int y) {
  if (m_bRightStroke) return;
  PaintPoint pt;
  if (!ViewToImage(x, y, pt)) return;
  BeginTool(pt, 0);
  UpdateCursor(pt);
}

void CPaintEditor::OnRButtonDown(UINT, int x, int y) {
  if (m_bLeftStroke) return;
  PaintPoint pt;
  if (!ViewToImage(x, y, pt)) return;
  UpdateCursor(pt);
  BeginTool(pt, 1);
}

void CPaintEditor::OnLButtonUp(UINT, int x, int y) {
  PaintPoint pt;
  if (!ViewToImage(x, y, pt)) {
    EndStroke();
    return;
  }
  UpdateCursor(pt);
  FinishTool(pt);
}

void CPaintEditor::OnRButtonUp(UINT flags, int x, int y) { OnLButtonUp(flags, x, y); }

void CPaintEditor::OnMouseMove(UINT flags, int x, int y) {
  PaintPoint pt;
  if (!ViewToImage(x, y, pt)) return;
  UpdateCursor(pt);
  const bool left = (flags & MK_LBUTTON) != 0, right = (flags & MK_RBUTTON) != 0;
  if ((m_nTool == PAINT_ERASER || m_nTool == PAINT_BRUSH) && !left && !right) DrawBrushPreview(pt);
  if (left && right) {
    if (m_bLeftStroke || m_bRightStroke) ContinueTool(pt);
  } else if (left) {
    if (m_bLeftStroke) {
      ContinueTool(pt);
    } else if (m_bRightStroke) {
      FinishTool(pt);
      BeginTool(pt, 0);
    } else {
      BeginTool(pt, 0);
    }
  } else if (right) {
    if (m_bRightStroke) {
      ContinueTool(pt);
    } else if (m_bLeftStroke) {
      FinishTool(pt);
      BeginTool(pt, 1);
    } else {
      BeginTool(pt, 1);
    }
  } else if (m_bLeftStroke || m_bRightStroke) {
    EndStroke();
  }
}
