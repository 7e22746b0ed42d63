// The text kinds: straight and arc text drawn, engraved and captured copy by copy through the
// renderer's text layout.
#include <concepts>
#include <vector>

#include "canvas/leftview.h"
#include "canvas/leftview_copies.h"
#include "model/korvane_doc.h"
#include "model/textobject.h"

namespace {

int FillFlag(const CDrawObject* obj) { return obj->m_nOutputMode == 2 ? 1 : 0; }

// The renderer's text members, reached only where the renderer has them.
template <class R, class T>
concept DrawsText = requires(R r, CDC* dc, CKorvaneDoc* doc, T* obj, CDoubleRect* bounds) {
  r.DrawText1(dc, doc, 0.0, 0.0, 0.0, 0.0, obj, COLORREF{0}, 0, bounds);
};
template <class R, class T>
concept DrawsArcText = requires(R r, CDC* dc, CKorvaneDoc* doc, T* obj, CDoubleRect* bounds) {
  r.DrawText2(dc, doc, 0.0, 0.0, 0.0, 0.0, obj, COLORREF{0}, 0, bounds);
};
template <class R, class T>
concept CapturesText = requires(R r, CDC* dc, CKorvaneDoc* doc, T* obj, std::vector<POINT>& pts,
                                std::vector<BYTE>& types, std::vector<int>& counts) {
  r.GetText1Points(dc, doc, 0.0, 0.0, 0.0, 0.0, obj, pts, types, counts);
};
template <class R, class T>
concept CapturesArcText = requires(R r, CDC* dc, CKorvaneDoc* doc, T* obj, std::vector<POINT>& pts,
                                   std::vector<BYTE>& types, std::vector<int>& counts) {
  r.GetText2Points(dc, doc, 0.0, 0.0, 0.0, 0.0, obj, pts, types, counts);
};

template <class R>
void Text1(R* r, CDC* dc, CKorvaneDoc* doc, const CDoubleRect& c, CText1Object* obj, COLORREF colour, CDoubleRect* b) {
  if constexpr (DrawsText<R, CText1Object>) r->DrawText1(dc, doc, c.left, c.top, c.right, c.bottom, obj, colour, FillFlag(obj), b);
  else if (b) *b = c;
}
template <class R>
void Text2(R* r, CDC* dc, CKorvaneDoc* doc, const CDoubleRect& c, CText2Object* obj, COLORREF colour, CDoubleRect* b) {
  if constexpr (DrawsArcText<R, CText2Object>) r->DrawText2(dc, doc, c.left, c.top, c.right, c.bottom, obj, colour, FillFlag(obj), b);
  else if (b) *b = c;
}
template <class R>
void Text1Points(R* r, CDC* dc, CKorvaneDoc* doc, const CDoubleRect& c, CText1Object* obj, std::vector<POINT>& pts,
                 std::vector<BYTE>& types, std::vector<int>& counts) {
  if constexpr (CapturesText<R, CText1Object>) r->GetText1Points(dc, doc, c.left, c.top, c.right, c.bottom, obj, pts, types, counts);
}
template <class R>
void Text2Points(R* r, CDC* dc, CKorvaneDoc* doc, const CDoubleRect& c, CText2Object* obj, std::vector<POINT>& pts,
                 std::vector<BYTE>& types, std::vector<int>& counts) {
  if constexpr (CapturesArcText<R, CText2Object>) r->GetText2Points(dc, doc, c.left, c.top, c.right, c.bottom, obj, pts, types, counts);
}

}  // namespace

void CLeftView::DrawText1(CDC* pDC, CText1Object* obj) {
  Trace("---------CLeftView::DrawText1\n");
  ClearCaptured(obj);
  DrawCopies(obj, [&](const CDoubleRect& r) { Text1(m_pRenderer, pDC, m_pDoc, r, obj, obj->m_crColor, nullptr); });
}

void CLeftView::DrawText2(CDC* pDC, CText2Object* obj) {
  Trace("---------CLeftView::DrawText2\n");
  ClearCaptured(obj);
  DrawCopies(obj, [&](const CDoubleRect& r) { Text2(m_pRenderer, pDC, m_pDoc, r, obj, obj->m_crColor, nullptr); });
}

void CLeftView::EngraveText1(CDC* pDC, CText1Object* obj, CDoubleRect* bounds) {
  Trace("---------CLeftView::EngraveText1\n");
  ClearCaptured(obj);
  EngraveCopies(obj, bounds, [&](const CDoubleRect& r, CDoubleRect* drawn) {
    Text1(m_pRenderer, pDC, m_pDoc, r, obj, 0, drawn);
  });
}

void CLeftView::EngraveText2(CDC* pDC, CText2Object* obj, CDoubleRect* bounds) {
  Trace("---------CLeftView::EngraveText2\n");
  ClearCaptured(obj);
  EngraveCopies(obj, bounds, [&](const CDoubleRect& r, CDoubleRect* drawn) {
    Text2(m_pRenderer, pDC, m_pDoc, r, obj, 0, drawn);
  });
}

int CLeftView::TakeTextLists(std::vector<POINT>& points, std::vector<BYTE>& types, const std::vector<int>& counts) {
  long long total = 0;
  for (int c : counts) total += c > 0 ? c : 0;
  // The per-glyph counts must describe the lists; anything else is not handed on.
  if (total <= 0 || total > static_cast<long long>(points.size()) || total > static_cast<long long>(types.size()))
    return 0;
  m_pOutlinePoints = new POINT[total];
  m_pOutlineTypes = new BYTE[total];
  for (long long k = 0; k < total; ++k) {
    m_pOutlinePoints[k] = points[static_cast<size_t>(k)];
    m_pOutlineTypes[k] = types[static_cast<size_t>(k)];
  }
  return static_cast<int>(total);
}

int CLeftView::GetText1Points(CDC* pDC, CText1Object* obj) {
  Trace("---------CLeftView::GetText1Points\n");
  std::vector<POINT> points;
  std::vector<BYTE> types;
  std::vector<int> counts;
  ForEachCopy(GetCopyGrid(obj), [&](const CDoubleRect& r, int, int, int) {
    Text1Points(m_pRenderer, pDC, m_pDoc, r, obj, points, types, counts);
  });
  return TakeTextLists(points, types, counts);
}

int CLeftView::GetText2Points(CDC* pDC, CText2Object* obj) {
  Trace("---------CLeftView::GetText2Points\n");
  std::vector<POINT> points;
  std::vector<BYTE> types;
  std::vector<int> counts;
  ForEachCopy(GetCopyGrid(obj), [&](const CDoubleRect& r, int, int, int) {
    Text2Points(m_pRenderer, pDC, m_pDoc, r, obj, points, types, counts);
  });
  return TakeTextLists(points, types, counts);
}
