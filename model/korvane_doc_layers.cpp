#include "model/korvane_doc.h"

// Showing and hiding layers changes no object: the modified flag stays as it was.

void CKorvaneDoc::ToggleLayerVisible(int layer) {
  if (layer < 0 || layer >= DOC_LAYER_COUNT) return;
  m_bLayerVisible[layer] = m_bLayerVisible[layer] ? 0 : 1;
  UpdateBothViews(HINT_REDRAW_ALL);
}

void CKorvaneDoc::SetLayerVisible(int layer, int visible) {
  if (layer < 0 || layer >= DOC_LAYER_COUNT) return;
  m_bLayerVisible[layer] = visible ? 1 : 0;
  UpdateBothViews(HINT_REDRAW_ALL);
}

void CKorvaneDoc::SetAllLayersVisible(int visible) {
  for (int& flag : m_bLayerVisible) flag = visible ? 1 : 0;
  UpdateBothViews(HINT_REDRAW_ALL);
}
