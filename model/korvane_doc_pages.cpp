// Document services of the object pages: the paint timer and the barcode text.
#include <memory>

#include "model/drawobject.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "render/qr_encoder.h"

void CKorvaneDoc::StartPaintTimer() {
  if (m_pMainFrame) m_pMainFrame->SetFrameTimer(3, 100);
}

int CKorvaneDoc::SetBarcodeText(const CString& text) {
  if (!m_pCurrentObject || !m_pObjectList || m_nCurrentKind != TYPE_BARCODE) return 0;
  auto* object = static_cast<CBarcodeObject*>(m_pCurrentObject);
  // A text no symbol can hold would leave the object drawn as nothing at all.
  if (text.IsEmpty()) return 0;
  auto encoder = std::make_unique<CQrEncoder>();
  if (!encoder->EncodeData(object->m_nLevel, object->m_nVersion, TRUE, -1, text.c_str(), text.GetLength())) return 0;
  object->m_strText = text;
  if (auto* proto = static_cast<CBarcodeObject*>(m_pObjectList->GetPrototype(TYPE_BARCODE))) proto->m_strText = text;
  if (IDocFormView* form = GetKorvaneView()) form->RefreshSelectedLine();
  g_bModified = 1;
  m_nLastAction = HINT_PROPERTY_CHANGED;
  UpdateBothViews(TYPE_BARCODE);
  return 1;
}
