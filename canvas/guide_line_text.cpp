#include "canvas/guide_line_text.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/gdi/dc.h"
#include "platform/prompter.h"
#include "platform/ui/modal_dialogs.h"

namespace {

void FreeGuide(POINT*& p) {
  delete[] p;
  p = nullptr;
}

struct DdaCollect {
  POINT* out;
  int n;
  int capacity;
};

void CountPoint(int, int, void* data) { ++*static_cast<long long*>(data); }

void AddPoint(int x, int y, void* data) {
  auto* c = static_cast<DdaCollect*>(data);
  if (c->n < c->capacity) c->out[c->n++] = POINT{x, y};
}

}  // namespace

CGuideLineText::CGuideLineText() = default;

CGuideLineText::~CGuideLineText() {
  FreeGuide(m_pGuide1);
  FreeGuide(m_pGuide2);
}

bool CGuideLineText::BothGuides() const { return m_pGuide1 && m_pGuide2 && m_nGuide1 >= 1 && m_nGuide2 >= 1; }

int CGuideLineText::DensifyGuide(POINT*& points, int& count) {
  if (!points || count < 2) {
    Prompter().MessageBox("You need at least two points for a guide line.", "Not enough points!", MB_OK | MB_ICONERROR);
    count = 0;
    return 0;
  }
  long long total = 0;
  for (int i = 0; i + 1 < count; ++i)
    LineDDA(points[i].x, points[i].y, points[i + 1].x, points[i + 1].y, CountPoint, &total);
  if (total > kMaxPoints) {
    Prompter().MessageBox("Make your guide lines a bit shorter please!", "Too many points!", MB_OK | MB_ICONERROR);
    count = 0;
    return 0;
  }
  auto* dense = new POINT[static_cast<size_t>(total) + 1]();
  DdaCollect c{dense, 0, static_cast<int>(total)};
  for (int i = 0; i + 1 < count; ++i) LineDDA(points[i].x, points[i].y, points[i + 1].x, points[i + 1].y, AddPoint, &c);
  delete[] points;
  points = dense;
  count = c.n;
  return count != 0 ? 1 : 0;
}

int CGuideLineText::CaptureGuide(CDC* pDC, const RECT& client, POINT*& points, int& count) {
  points = new POINT[kCapturePoints]();
  int n = 0;
  bool first = true;
  GuideEvent e;
  while (m_source && m_source(e)) {
    // Positions are read as the unsigned words of the message parameter.
    const unsigned ux = static_cast<unsigned>(e.x) & 0xFFFF, uy = static_cast<unsigned>(e.y) & 0xFFFF;
    if (ux < static_cast<unsigned>(client.right) && uy < static_cast<unsigned>(client.bottom)) {
      const int x = static_cast<int>(ux), y = static_cast<int>(uy);
      if (first) {
        if (pDC) pDC->MoveTo(x, y);
        first = false;
      }
      if (n < kCapturePoints) {
        points[n++] = POINT{x, y};
        if (pDC) pDC->LineTo(x, y);
      }
    }
    if (e.buttonUp) break;
  }
  count = n;
  return 1;
}

int CGuideLineText::OnDrawText(CDC* pDC, const RECT& client) {
  if (m_bNextIsFirst) {
    if (pDC) pDC->PatBlt(0, 0, client.right, client.bottom, WHITENESS);
    FreeGuide(m_pGuide1);
    FreeGuide(m_pGuide2);
    m_nGuide2 = 0;
    CPen pen(PS_SOLID, 1, 0x00FF00);
    CPen* old = pDC ? pDC->SelectObject(&pen) : nullptr;
    CaptureGuide(pDC, client, m_pGuide1, m_nGuide1);
    if (pDC) pDC->SelectObject(old);
  } else {
    FreeGuide(m_pGuide2);
    CPen pen(PS_SOLID, 1, 0x0000FF);
    CPen* old = pDC ? pDC->SelectObject(&pen) : nullptr;
    CaptureGuide(pDC, client, m_pGuide2, m_nGuide2);
    if (pDC) pDC->SelectObject(old);
  }
  m_bNextIsFirst = !m_bNextIsFirst;
  if (!m_bNextIsFirst) return 0;
  DensifyGuide(m_pGuide1, m_nGuide1);
  return DensifyGuide(m_pGuide2, m_nGuide2);
}

int CGuideLineText::QuickTest() {
  FreeGuide(m_pGuide1);
  FreeGuide(m_pGuide2);
  m_pGuide1 = new POINT[2]{{0, 0}, {500, 0}};
  m_nGuide1 = 2;
  m_pGuide2 = new POINT[2]{{0, 500}, {500, 500}};
  m_nGuide2 = 2;
  DensifyGuide(m_pGuide1, m_nGuide1);
  const int result = DensifyGuide(m_pGuide2, m_nGuide2);
  m_bNextIsFirst = 1;
  return result;
}

int CGuideLineText::ArcTest(CDC* pDC) {
  if (!pDC) return 0;
  pDC->SetArcDirection(AD_CLOCKWISE);
  auto flattened = [&](int l, int t, int r, int b, POINT*& out, int& count) {
    pDC->BeginPath();
    pDC->Arc(l, t, r, b, 100, 400, 600, 450);
    pDC->EndPath();
    pDC->FlattenPath();
    const int n = pDC->GetPath(nullptr, nullptr, 0);
    if (n <= 0) return false;
    std::vector<BYTE> types(static_cast<size_t>(n));
    POINT* pts = new POINT[static_cast<size_t>(n)]();
    if (pDC->GetPath(pts, types.data(), n) < 0) {
      delete[] pts;
      return false;
    }
    FreeGuide(out);
    out = pts;
    count = n;
    return true;
  };
  if (!flattened(0, 0, 700, 500, m_pGuide1, m_nGuide1) || !flattened(200, 200, 500, 300, m_pGuide2, m_nGuide2))
    return 0;
  DensifyGuide(m_pGuide1, m_nGuide1);
  DensifyGuide(m_pGuide2, m_nGuide2);
  return 1;
}

int CGuideLineText::ChooseFont() {
  m_lf = LOGFONT{};
  FontDialogData data;
  if (ModalDialogs().FontDialog(data)) {
    const std::string face = data.faceName.str();
    std::strncpy(m_lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    m_lf.lfCharSet = static_cast<BYTE>(data.charSet);
    m_lf.lfItalic = static_cast<BYTE>(data.italic);
    m_lf.lfWeight = data.weight;
    m_lf.lfHeight = -72;
  }
  return BothGuides() ? 1 : 0;
}

int CGuideLineText::ToggleGuides() {
  m_bShowGuides = !m_bShowGuides;
  return BothGuides() ? 1 : 0;
}

int CGuideLineText::ToggleOutline() {
  m_bOutlineOnly = !m_bOutlineOnly;
  return BothGuides() ? 1 : 0;
}

void CGuideLineText::Redraw(CDC* pDC, const RECT& client) {
  if (!pDC) return;
  pDC->PatBlt(0, 0, client.right, client.bottom, WHITENESS);
  if (!BothGuides()) return;
  if (m_bShowGuides) {
    CPen blue(PS_SOLID, 1, 0xFF0000), red(PS_SOLID, 1, 0x0000FF);
    CPen* old = pDC->SelectObject(&blue);
    DrawGuide(pDC, m_pGuide1, m_nGuide1);
    pDC->SelectObject(&red);
    DrawGuide(pDC, m_pGuide2, m_nGuide2);
    pDC->SelectObject(old);
  }
  CFont font;
  CFont* oldFont = nullptr;
  if (m_lf.lfHeight != 0) {
    font.CreateFontIndirect(&m_lf);
    oldFont = pDC->SelectObject(&font);
  }
  WarpText(pDC, m_pGuide1, m_pGuide2, m_nGuide1, m_nGuide2, "This is a test", m_bOutlineOnly);
  if (m_lf.lfHeight != 0) pDC->SelectObject(oldFont);
}

int CGuideLineText::DrawGuide(CDC* pDC, const POINT* points, int count) {
  if (!pDC || !points || count < 1) return 1;
  if (count >= 2) pDC->Polyline(points, count);
  CBrush green(0x00FF00), red(0x0000FF);
  CBrush* old = pDC->SelectObject(&green);
  pDC->Ellipse(points[0].x - 5, points[0].y - 5, points[0].x + 5, points[0].y + 5);
  pDC->SelectObject(&red);
  const POINT& e = points[count - 1];
  pDC->Ellipse(e.x - 5, e.y - 5, e.x + 5, e.y + 5);
  pDC->SelectObject(old);
  return 1;
}

void CGuideLineText::GetPathExtent(const POINT* points, int count, SIZE& size) {
  for (int i = 0; i < count; ++i) {
    size.cx = std::max<LONG>(size.cx, points[i].x);
    size.cy = std::max<LONG>(size.cy, points[i].y);
  }
}

int CGuideLineText::WarpText(CDC* pDC, const POINT* g1, const POINT* g2, int c1, int c2, const char* text,
                             int outline) {
  // Without a point on each guide there is nothing to lay the text along.
  if (!pDC || !text || !g1 || !g2 || c1 < 1 || c2 < 1) return 0;
  pDC->SetBkMode(TRANSPARENT);
  pDC->BeginPath();
  pDC->TextOut(0, 0, text, static_cast<int>(std::strlen(text)));
  pDC->EndPath();
  const int n = pDC->GetPath(nullptr, nullptr, 0);
  if (n <= 0) return 1;
  std::vector<POINT> pts(static_cast<size_t>(n));
  std::vector<BYTE> types(static_cast<size_t>(n));
  if (pDC->GetPath(pts.data(), types.data(), n) < 0) return 0;
  SIZE extent{};
  pDC->GetTextExtentPoint32(text, static_cast<int>(std::strlen(text)), &extent);
  GetPathExtent(pts.data(), n, extent);
  if (extent.cx <= 0 || extent.cy <= 0) return 1;
  for (POINT& p : pts) {
    const float fx = static_cast<float>(p.x) / static_cast<float>(extent.cx);
    const float fy = static_cast<float>(p.y) / static_cast<float>(extent.cy);
    // Glyph points left of the origin (or past the extent) take the guides' end points.
    const int i1 = std::clamp(static_cast<int>((c1 - 1) * fx), 0, c1 - 1);
    const int i2 = std::clamp(static_cast<int>(fx * (c2 - 1)), 0, c2 - 1);
    p.x = static_cast<int>(g2[i2].x * fy + g1[i1].x * (1 - fy));
    p.y = static_cast<int>(g2[i2].y * fy + g1[i1].y * (1 - fy));
  }
  FillOrStrokePath(pDC, pts.data(), types.data(), n, outline);
  return 1;
}

int CGuideLineText::FillOrStrokePath(CDC* pDC, const POINT* points, const BYTE* types, int count, int outline) {
  pDC->BeginPath();
  ReplayPath(pDC, points, types, count);
  pDC->CloseFigure();
  pDC->EndPath();
  if (outline) {
    pDC->StrokePath();
    return 1;
  }
  const int oldRop = pDC->SetROP2(R2_MERGEPENNOT);
  CPen nullPen(PS_NULL, 0, 0);
  CBrush black(0x000000);
  CPen* oldPen = pDC->SelectObject(&nullPen);
  CBrush* oldBrush = pDC->SelectObject(&black);
  pDC->FillPath();
  pDC->SelectObject(oldBrush);
  pDC->SelectObject(oldPen);
  pDC->SetROP2(oldRop);
  return 1;
}

int CGuideLineText::ReplayPath(CDC* pDC, const POINT* points, const BYTE* types, int count) {
  for (int i = 0; i < count; ++i) {
    const BYTE t = types[i];
    if (t == PT_LINETO || t == (PT_LINETO | PT_CLOSEFIGURE)) {
      pDC->LineTo(points[i]);
    } else if (t == PT_BEZIERTO || t == (PT_BEZIERTO | PT_CLOSEFIGURE)) {
      if (i + 2 < count) pDC->PolyBezierTo(points + i, 3);
      i += 2;
    } else if (t == PT_MOVETO) {
      pDC->MoveTo(points[i]);
    }
  }
  return 1;
}
