// The text kinds: straight and arc text drawn, engraved and captured copy by copy through the
// renderer's text layout.
#include <vector>

#include "canvas/leftview.h"
#include "canvas/leftview_copies.h"
#include "model/korvane_doc.h"
#include "model/textobject.h"
#include "render/text_layout.h"

namespace {

int FillFlag(const CDrawObject* obj) { return obj->m_nOutputMode == 2 ? 1 : 0; }

}  // namespace

void CLeftView::DrawText1(CDC* pDC, CText1Object* obj) {
  Trace("---------CLeftView::DrawText1\n");
  ClearCaptured(obj);
  DrawCopies(obj, [&](const CDoubleRect& r) {
    m_pRenderer->DrawText1(pDC, &m_RenderDoc, r.left, r.top, r.right, r.bottom, obj, obj->m_crColor, FillFlag(obj),
                            nullptr);
  });
}

void CLeftView::DrawText2(CDC* pDC, CText2Object* obj) {
  Trace("---------CLeftView::DrawText2\n");
  ClearCaptured(obj);
  DrawCopies(obj, [&](const CDoubleRect& r) {
    m_pRenderer->DrawText2(pDC, &m_RenderDoc, r.left, r.top, r.right, r.bottom, obj, obj->m_crColor, FillFlag(obj),
                            nullptr);
  });
}

void CLeftView::EngraveText1(CDC* pDC, CText1Object* obj, CDoubleRect* bounds) {
  Trace("---------CLeftView::EngraveText1\n");
  ClearCaptured(obj);
  EngraveCopies(obj, bounds, [&](const CDoubleRect& r, CDoubleRect* drawn) {
    m_pRenderer->DrawText1(pDC, &m_RenderDoc, r.left, r.top, r.right, r.bottom, obj, 0, FillFlag(obj), drawn);
  });
}

void CLeftView::EngraveText2(CDC* pDC, CText2Object* obj, CDoubleRect* bounds) {
  Trace("---------CLeftView::EngraveText2\n");
  ClearCaptured(obj);
  EngraveCopies(obj, bounds, [&](const CDoubleRect& r, CDoubleRect* drawn) {
    m_pRenderer->DrawText2(pDC, &m_RenderDoc, r.left, r.top, r.right, r.bottom, obj, 0, FillFlag(obj), drawn);
  });
}

int CLeftView::TakeTextLists(std::vector<POINT>& points, std::vector<BYTE>& types, const std::vector<int>& counts) {
  long long total = 0;
  for (int c : counts) total += c > 0 ? c : 0;
  // The per-glyph counts must describe the lists; anything else is not handed on.
  if (total <= 0 || total > static_cast<long long>(points.size()) || total > static_cast<long long>(types.size()))
    return 0;
  m_pOutlinePoints.assign(points.begin(), points.begin() + total);
  m_pOutlineTypes.assign(types.begin(), types.begin() + total);
  return static_cast<int>(total);
}

int CLeftView::GetText1Points(CDC* pDC, CText1Object* obj) {
  Trace("---------CLeftView::GetText1Points\n");
  TextOutlineLists lists;
  ForEachCopy(GetCopyGrid(obj), [&](const CDoubleRect& r, int, int, int) {
    m_pRenderer->GetText1Points(pDC, &m_RenderDoc, r.left, r.top, r.right, r.bottom, obj, lists);
  });
  if (lists.overflowed) return kObjectTooLarge;
  return TakeTextLists(lists.points, lists.types, lists.counts);
}

int CLeftView::GetText2Points(CDC* pDC, CText2Object* obj) {
  Trace("---------CLeftView::GetText2Points\n");
  TextOutlineLists lists;
  ForEachCopy(GetCopyGrid(obj), [&](const CDoubleRect& r, int, int, int) {
    m_pRenderer->GetText2Points(pDC, &m_RenderDoc, r.left, r.top, r.right, r.bottom, obj, lists);
  });
  if (lists.overflowed) return kObjectTooLarge;
  return TakeTextLists(lists.points, lists.types, lists.counts);
}
