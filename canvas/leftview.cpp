// The canvas view object: construction, the document's seams, the renderer binding, zoom and
// mode.
#include "canvas/leftview.h"

#include "model/doc_hints.h"
#include "model/korvane_doc.h"

// ---- What the renderer reads of the document ----------------------------------------------------

double CRenderDocAdapter::GetZoomFactor() const { return m_pDoc ? m_pDoc->GetZoomFactor() : 1.0; }

int CRenderDocAdapter::GetDrawX() const { return m_pDoc ? m_pDoc->m_Settings.System.DrawX : 0; }

int CRenderDocAdapter::GetDrawY() const { return m_pDoc ? m_pDoc->m_Settings.System.DrawY : 0; }

int CRenderDocAdapter::GetDpm() const { return m_pDoc ? m_pDoc->m_Settings.DrawingArea.DPM : 0; }

int CRenderDocAdapter::IsPaintMode() const { return m_pDoc ? m_pDoc->m_bPaintMode : 0; }

int CRenderDocAdapter::GetV2004String() const { return m_pDoc ? m_pDoc->m_Settings.System.V2004String : 0; }

// ---- Construction -------------------------------------------------------------------------------

CLeftView::CLeftView(CKorvaneDoc* doc, QWidget* parent) : QWidget(parent) {
  Trace("---------CLeftView::CLeftView\n");
  m_pRenderer = new CObjectRenderer();
  AttachDocument(doc);
}

CLeftView::~CLeftView() {
  Trace("---------CLeftView::~CLeftView\n");
  delete m_pRenderer;
  m_pRenderer = nullptr;
  ReleaseOutlinePoints();
  // The view base detaches from the document, if it is still there.
}

void CLeftView::AttachDocument(CKorvaneDoc* doc) {
  if (m_pDoc == doc && CView::GetDocument() == doc) return;
  if (CView::GetDocument()) CView::GetDocument()->RemoveView(this);
  m_pDoc = doc;
  m_RenderDoc = CRenderDocAdapter(doc);
  if (!doc) return;
  doc->AddView(this);
  CDC dc;
  MakeWindowDC(dc);
  BindForClient(&dc);
}

CKorvaneDoc* CLeftView::GetDocument() const { return m_pDoc; }

int CLeftView::IsRendererReady() const { return m_pRenderer ? m_pRenderer->IsInitialised() : 0; }

void CLeftView::Trace(const char*) {}

void CLeftView::OnUpdate(CView*, LPARAM, CObject*) {
  Trace("---------CLeftView::OnUpdate\n");
  update();
}

void CLeftView::SetFocus() { QWidget::setFocus(); }

// ---- The document's seams -------------------------------------------------------------------------

void CLeftView::InvalidateRect(const RECT& rect, BOOL) {
  Trace("---------CLeftView::InvalidateRect\n");
  update(QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top));
}

void CLeftView::InvalidateObject(int) {
  Trace("---------CLeftView::InvalidateObject\n");
  update();
}

void CLeftView::InvalidateSelection() {
  Trace("---------CLeftView::InvalidateSelection\n");
  update();
}

BOOL CLeftView::GetTrackerIndex(int& index) {
  // The selection tracker comes with mouse editing; until then nothing is tracked.
  index = 0;
  return FALSE;
}

// ---- Renderer binding, zoom and mode ----------------------------------------------------------

void CLeftView::MakeWindowDC(CDC& dc) {
  // Renderings and captures take only the device's resolution from the window's context; a
  // context of the screen's resolution gives the same without depending on the window.
  dc.CreateCompatibleDC(nullptr);
  dc.SetMapMode(MM_HIMETRIC);
}

void CLeftView::BindForOutput(CDC* dc) {
  if (m_pRenderer && m_pDoc) m_pRenderer->Init(dc, &m_RenderDoc);
}

void CLeftView::BindForClient(CDC* dc) {
  if (!m_pRenderer || !m_pDoc) return;
  const CRect client(0, 0, width(), height());
  m_pRenderer->InitForClient(dc, &m_RenderDoc, &client);
}

void CLeftView::RestoreZoom(CKorvaneDoc* doc, int index) {
  Trace("---------CLeftView::RestoreZoom\n");
  if (!doc || index < 0) return;
  doc->SetZoomQuiet(index);
  CDC dc;
  MakeWindowDC(dc);
  BindForClient(&dc);
}

int CLeftView::GetRenderMode() const {
  Trace("---------CLeftView::GetRenderMode\n");
  return m_pRenderer ? m_pRenderer->GetMode() : RENDER_SCREEN;
}

int CLeftView::SetRenderMode(int mode) {
  Trace("---------CLeftView::SetRenderMode\n");
  return m_pRenderer ? m_pRenderer->SetMode(mode) : RENDER_SCREEN;
}

int CLeftView::IsLayerEngraved(int layer) const {
  if (!m_pDoc || layer < 0 || layer >= DOC_LAYER_COUNT) return 1;
  return m_pDoc->m_bLayerEngrave[layer];
}

int CLeftView::IsLayerVisible(int layer) const {
  if (!m_pDoc || layer < 0 || layer >= DOC_LAYER_COUNT) return 1;
  return m_pDoc->m_bLayerVisible[layer];
}
