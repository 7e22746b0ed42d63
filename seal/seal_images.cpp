// Seal masks and seal images: the mask switches the seal bars use, and the conversion of the
// inner text or the ring text into one 1-bit image that takes the texts' place, so that the
// characters can be retouched like a picture.
#include <cmath>

#include "canvas/leftview.h"
#include "imaging/monoimagetool.h"
#include "model/bmpobject.h"
#include "model/drawingobject.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "platform/numfmt.h"
#include "platform/prompter.h"
#include "seal/seal_parts.h"

// ---------------------------------------------------------------------------------------------
// Masks

void CKorvaneDoc::ChooseMaskColor() {
  if (m_bPaintMode) return;
  COLORREF colour = RGB(0, 0, 0);
  if (!Prompter().ChooseColor(colour)) return;
  m_Settings.Mask.Color = static_cast<int>(colour);
  UpdateBothViews(HINT_REDRAW_ALL);
}

void CKorvaneDoc::ToggleSealMask() {
  if (m_bPaintMode) return;
  m_bMaskFlag = m_bMaskFlag ? 0 : 1;
  UpdateBothViews(HINT_REDRAW_ALL);
}

void CKorvaneDoc::SetMaskOrder(int order) {
  if (m_bPaintMode) return;
  m_Settings.Mask.Order = order ? 1 : 0;
  UpdateBothViews(HINT_REDRAW_ALL);
}

void CKorvaneDoc::SetMaskFlag(int which, int value) {
  if (which == 0) {
    m_bMaskFlag = value ? 1 : 0;
  } else if (which == 1) {
    m_bInnerMaskFlag = value ? 1 : 0;
  }
}

void CKorvaneDoc::SealCommandStub(int) {}

// ---------------------------------------------------------------------------------------------
// Clips

int CKorvaneDoc::FindSealFrameCircle(double* sizeX, double* sizeY, double* posX, double* posY) {
  if (!m_pObjectList) return 0;
  for (int i = 1; i < m_pObjectList->GetCount(); ++i) {
    CDrawObject* copy = CloneObject(i);
    if (!copy) continue;
    const bool found = !copy->m_bDeleted && copy->m_nType == TYPE_CIRCLE && copy->m_nGroupId == SEAL_PART_INNER_FRAME;
    if (found) {
      const auto* circle = static_cast<const CCircleObject*>(copy);
      if (sizeX) *sizeX = circle->m_dSizeX;
      if (sizeY) *sizeY = circle->m_dSizeY;
      if (posX) *posX = circle->m_dPosX;
      if (posY) *posY = circle->m_dPosY;
    }
    FreeObject(copy);
    if (found) return 1;
  }
  return 0;
}

void CKorvaneDoc::SetInnerImageClip(int frameFlag, ImageClipShape* clip) {
  if (!clip) return;
  if (frameFlag) {
    double width = 0.0, height = 0.0, x = 0.0, y = 0.0;
    // Without an inner frame there is nothing to clip to: the record stays as it was.
    if (!FindSealFrameCircle(&width, &height, &x, &y)) return;
    clip->nShape = 1;
    clip->dRadius = 0.0;
    clip->dWidth = width;
    clip->dHeight = height;
  } else {
    const CSettingsDrawingArea& area = m_Settings.DrawingArea;
    clip->nShape = area.OutlineIndex;
    clip->dRadius = area.OutlineIndex == 5 ? 2 * area.RoundSize : 0.0;
    clip->dWidth = area.Width;
    clip->dHeight = area.Height;
  }
  // The image is rendered at one pixel per machine unit whatever the engraving resolution, and
  // the paint editor reads the clip in image pixels: scale at that rate, not by the setting.
  clip->dWidth *= SEAL_IMAGE_DOTS_PER_MM;
  clip->dHeight *= SEAL_IMAGE_DOTS_PER_MM;
  if (clip->nShape == 5) clip->dRadius = DoubleToInt(clip->dRadius * SEAL_IMAGE_DOTS_PER_MM);
}

// ---------------------------------------------------------------------------------------------
// Conversions

namespace {

// Whether a live text of the kind and part is left to convert.
bool HasLiveSealText(const CObjectList& list, int kind, int part, int* firstIndex) {
  for (int i = 1; i < list.GetCount(); ++i) {
    const CDrawObject* o = list.GetObject(i);
    if (o && !o->m_bDeleted && o->m_nType == kind && o->m_nGroupId == part) {
      if (firstIndex) *firstIndex = i;
      return true;
    }
  }
  return false;
}

}  // namespace

void CKorvaneDoc::FinishSealImage(CBmpObject* image, int part, int layer, const char* utf8Name) {
  g_bModified = 1;
  image->SetName(CString::FromUtf8(utf8Name));
  // The image takes the texts' place: the same part and layer, so the seal bar's layer button
  // shows and hides it as it did the texts.
  m_pObjectList->DeleteGroup(part);
  image->m_nGroupId = part;
  image->m_nSealPart = part;
  image->m_nLayer = layer;
  image->m_crColor = LAYER_COLORS[layer];
  SyncSelectionLength();
  UpdateCanvasView(HINT_REDRAW_ALL);
  SetCurrentObject(0, FALSE, FALSE);
  m_nLastAction = HINT_SEAL_TEXT_TO_IMAGE;
  UpdateFormView(0);
}

void CKorvaneDoc::ConvertInnerTextToImage(int frameFlag) {
  if (m_bPaintMode || !m_pObjectList) return;
  // A second conversion finds no text left: rendering would give a blank image in place of the
  // one the operator may have retouched.
  int first = 0;
  if (!HasLiveSealText(*m_pObjectList, TYPE_TEXT1, SEAL_PART_INNER_TEXT, &first)) return;
  const int layer = m_pObjectList->GetObject(first)->m_nLayer;
  CLeftView* view = dynamic_cast<CLeftView*>(GetLeftView());
  int size = 0;
  std::vector<BYTE> block = CMonoImageTool::RenderDrawingToBmp(this, view, &size, frameFlag ? 1 : 0);
  if (block.empty()) return;
  CBmpObject* image = m_pObjectList->AddBmpFromImage(std::move(block));
  if (!image) return;
  ImageClipShape clip;
  SetInnerImageClip(frameFlag, &clip);
  image->m_Clip = clip;
  FinishSealImage(image, SEAL_PART_INNER_TEXT, layer, "内文字 (画像 オブジェクト)");
}

void CKorvaneDoc::ConvertRingTextToImage() {
  if (m_bPaintMode || !m_pObjectList) return;
  int index = 0;
  if (!HasLiveSealText(*m_pObjectList, TYPE_TEXT2, SEAL_PART_RING_TEXT, &index)) return;
  const int layer = m_pObjectList->GetObject(index)->m_nLayer;
  CLeftView* view = dynamic_cast<CLeftView*>(GetLeftView());
  int size = 0;
  std::vector<BYTE> block = CMonoImageTool::RenderObjectsToBmp(this, view, &size, &index, 1);
  if (block.empty()) return;
  CBmpObject* image = m_pObjectList->AddBmpFromImage(std::move(block));
  if (!image) return;
  FinishSealImage(image, SEAL_PART_RING_TEXT, layer, "廻文字 (画像 オブジェクト)");
}
