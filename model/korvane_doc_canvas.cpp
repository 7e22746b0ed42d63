// The area capture: the canvas's next band becomes a bitmap object of the design under it.
#include <algorithm>

#include "canvas/leftview.h"
#include "imaging/monoimagetool.h"
#include "model/bmpobject.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"

void CKorvaneDoc::DropSelection() {
  m_bAreaCapture = 1;
  m_nLastAction = HINT_DROP_BAND_SELECTION;
  UpdateCanvasView(0);
}

void CKorvaneDoc::SelectionToImage(const CDoubleRect* mmRect) {
  m_bAreaCapture = 0;
  if (m_pMainFrame) m_pMainFrame->ToggleImageSelectionButton(0);
  if (!mmRect || !m_pObjectList) return;
  g_bModified = 1;
  CDoubleRect area = *mmRect;
  if (area.left > area.right) std::swap(area.left, area.right);
  if (area.bottom > area.top) std::swap(area.bottom, area.top);
  int size = 0;
  std::vector<BYTE> block =
      CMonoImageTool::RenderAreaToBmp(this, dynamic_cast<CLeftView*>(GetLeftView()), &size, &area);
  if (block.empty()) return;
  CBmpObject* object = m_pObjectList->AddBmpFromImage(std::move(block));
  if (!object) return;
  SyncSelectionLength();
  m_pCurrentObject = object;
  m_nCurrentKind = TYPE_BMP;
  m_nCurrentIndex = m_pObjectList->GetCount() - 1;
  m_nSelectCount = 1;
  m_nLastAction = HINT_OBJECTS_ADDED;
  UpdateFormView(TYPE_BMP);
  UpdateCanvasView(TYPE_BMP);
}
