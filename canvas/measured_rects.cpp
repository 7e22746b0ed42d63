#include "canvas/measured_rects.h"

#include "model/drawobject.h"
#include "model/textobject.h"

struct CMeasuredRects::Entry {
  std::unique_ptr<CDrawObject> object;
  CObjectRenderer::MeasureState state;
  RECT rect{};
  int result = 0;
};

CMeasuredRects::CMeasuredRects() = default;
CMeasuredRects::~CMeasuredRects() = default;

bool CMeasuredRects::Keeps(int kind) { return kind == TYPE_TEXT1 || kind == TYPE_TEXT2; }

CMeasuredRects::Match CMeasuredRects::Find(int index, const CDrawObject& object,
                                           const CObjectRenderer::MeasureState& state, Kept* out) const {
  if (index < 0 || static_cast<size_t>(index) >= m_entries.size()) return Match::None;
  const Entry* e = m_entries[static_cast<size_t>(index)].get();
  if (!e || !(e->state == state) || !SameLayout(*e->object, object, true)) return Match::None;
  out->rect = e->rect;
  out->result = e->result;
  out->posX = e->object->m_dPosX;
  out->posY = e->object->m_dPosY;
  const bool same = e->object->m_dPosX == object.m_dPosX && e->object->m_dPosY == object.m_dPosY;
  return same ? Match::Same : Match::Moved;
}

void CMeasuredRects::Keep(int index, CDrawObject* object, const CObjectRenderer::MeasureState& state,
                          const RECT& rect, int result) {
  std::unique_ptr<CDrawObject> owned(object);
  if (index < 0 || !object) return;
  if (static_cast<size_t>(index) >= m_entries.size()) m_entries.resize(static_cast<size_t>(index) + 1);
  auto e = std::make_unique<Entry>();
  e->object = std::move(owned);
  e->state = state;
  e->rect = rect;
  e->result = result;
  m_entries[static_cast<size_t>(index)] = std::move(e);
}

void CMeasuredRects::Trim(int count) {
  if (count < 0) count = 0;
  if (static_cast<size_t>(count) < m_entries.size()) m_entries.resize(static_cast<size_t>(count));
}

namespace {

bool SameCommon(const CDrawObject& a, const CDrawObject& b, bool ignorePosition) {
  return a.m_nType == b.m_nType && a.m_bDeleted == b.m_bDeleted && a.m_crColor == b.m_crColor &&
         a.m_nInnerCornerStyle == b.m_nInnerCornerStyle && a.m_nOuterCornerStyle == b.m_nOuterCornerStyle &&
         a.m_nLayer == b.m_nLayer && a.m_nOutputMode == b.m_nOutputMode && a.m_dScanInterval == b.m_dScanInterval &&
         a.m_nFillDirection == b.m_nFillDirection && a.m_bMirrorX == b.m_bMirrorX && a.m_bMirrorY == b.m_bMirrorY &&
         (ignorePosition || (a.m_dPosX == b.m_dPosX && a.m_dPosY == b.m_dPosY));
}

// The font and the per-character fields both text kinds share.
template <class T>
bool SameTextFields(const T& a, const T& b) {
  return a.m_dCharWidth == b.m_dCharWidth && a.m_dCharHeight == b.m_dCharHeight && a.m_dAngle == b.m_dAngle &&
         a.m_nRows == b.m_nRows && a.m_nColumns == b.m_nColumns && a.m_dRowGap == b.m_dRowGap &&
         a.m_dColumnGap == b.m_dColumnGap && a.m_dLineWidthX == b.m_dLineWidthX &&
         a.m_dLineWidthY == b.m_dLineWidthY && a.m_nWeight == b.m_nWeight && a.m_bItalic == b.m_bItalic &&
         a.m_nCharSet == b.m_nCharSet && a.m_nFontExtra1 == b.m_nFontExtra1 && a.m_nFontExtra2 == b.m_nFontExtra2 &&
         a.m_nFontSize == b.m_nFontSize && a.m_bWidthDirection == b.m_bWidthDirection &&
         a.m_nReserved == b.m_nReserved && a.m_bTextChanged == b.m_bTextChanged &&
         a.m_strFaceName.str() == b.m_strFaceName.str() && a.m_strText.str() == b.m_strText.str() &&
         a.m_vCharRecords == b.m_vCharRecords;
}

}  // namespace

bool CMeasuredRects::SameLayout(const CDrawObject& a, const CDrawObject& b, bool ignorePosition) {
  if (!SameCommon(a, b, ignorePosition)) return false;
  if (a.m_nType == TYPE_TEXT1) {
    const auto* x = dynamic_cast<const CText1Object*>(&a);
    const auto* y = dynamic_cast<const CText1Object*>(&b);
    return x && y && SameTextFields(*x, *y) && x->m_dWidth == y->m_dWidth && x->m_dHeight == y->m_dHeight &&
           x->m_dCharGap == y->m_dCharGap && x->m_dLineGap == y->m_dLineGap && x->m_bVariable == y->m_bVariable &&
           x->m_nWriteDirection == y->m_nWriteDirection && x->m_nAlign == y->m_nAlign &&
           x->m_bCountUp == y->m_bCountUp && x->m_nCount == y->m_nCount && x->m_nCountStart == y->m_nCountStart &&
           x->m_nCountDigits == y->m_nCountDigits;
  }
  if (a.m_nType == TYPE_TEXT2) {
    const auto* x = dynamic_cast<const CText2Object*>(&a);
    const auto* y = dynamic_cast<const CText2Object*>(&b);
    return x && y && SameTextFields(*x, *y) && x->m_dRadiusX == y->m_dRadiusX && x->m_dRadiusY == y->m_dRadiusY &&
           x->m_dSpan == y->m_dSpan && x->m_nDirection == y->m_nDirection && x->m_bKeepAspect == y->m_bKeepAspect;
  }
  return false;
}
