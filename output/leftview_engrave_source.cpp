#include "output/leftview_engrave_source.h"

#include "canvas/leftview.h"

static_assert(CLeftView::kObjectTooLarge == IEngraveSource::kObjectRefused,
              "the view's refusal reaches the engines as it is");

int CLeftViewEngraveSource::GetOutlineType(int index) { return m_pView->GetOutlineType(index); }
int CLeftViewEngraveSource::SetOutlineData(int index) { return m_pView->SetOutlineData(index); }
const POINT* CLeftViewEngraveSource::OutlinePoints() const { return m_pView->m_pOutlinePoints.data(); }
const BYTE* CLeftViewEngraveSource::OutlineTypes() const { return m_pView->m_pOutlineTypes.data(); }
const SIZE* CLeftViewEngraveSource::CircleRadii() const { return m_pView->m_pCircleRadii.data(); }
void CLeftViewEngraveSource::ReleaseOutlinePoints() { m_pView->ReleaseOutlinePoints(); }
void CLeftViewEngraveSource::GetField(CDoubleRect* out) { m_pView->GetField(out); }
void CLeftViewEngraveSource::GetScanningArea(CDoubleRect* out) { m_pView->GetScanningArea(out); }
void CLeftViewEngraveSource::ConvertUnit(CDoubleRect* rect) { m_pView->ConvertUnit(rect); }
int CLeftViewEngraveSource::GetBitmapDC(CDC* pDC, int* size, CDoubleRect* bounds, int* oldZoom) {
  return m_pView->GetBitmapDC(pDC, size, bounds, oldZoom);
}
void CLeftViewEngraveSource::ReleaseBitmapDC(CDC* pDC) { CLeftView::ReleaseBitmapDC(pDC); }
void CLeftViewEngraveSource::GetFieldBMP(CDoubleRect* out) { m_pView->GetFieldBMP(out); }
void CLeftViewEngraveSource::GetScanningAreaBMP(CDoubleRect* out) { m_pView->GetScanningAreaBMP(out); }
