// The canvas view object: construction, the document's seams, the renderer binding, zoom and
// mode.
#include "canvas/leftview.h"

#include "model/doc_hints.h"
#include "model/korvane_doc.h"
#include "canvas/cull_bounds.h"
#include "canvas/guide_line_text.h"
#include "canvas/object_tracker.h"
#include "imaging/paint_editor.h"

// ---- What the renderer reads of the document ----------------------------------------------------

double CRenderDocAdapter::GetZoomFactor() const { return m_pDoc ? m_pDoc->GetZoomFactor() : 1.0; }

int CRenderDocAdapter::GetDrawX() const { return m_pDoc ? m_pDoc->m_Settings.System.DrawX : 0; }

int CRenderDocAdapter::GetDrawY() const { return m_pDoc ? m_pDoc->m_Settings.System.DrawY : 0; }

int CRenderDocAdapter::GetDpm() const { return m_pDoc ? m_pDoc->m_Settings.DrawingArea.DPM : 0; }

int CRenderDocAdapter::IsPaintMode() const { return m_pDoc ? m_pDoc->m_bPaintMode : 0; }

int CRenderDocAdapter::GetV2004String() const { return m_pDoc ? m_pDoc->m_Settings.System.V2004String : 0; }

// ---- Construction -------------------------------------------------------------------------------

CLeftView::CLeftView(CKorvaneDoc* doc, QWidget* parent) : CScrollView(parent) {
  Trace("---------CLeftView::CLeftView\n");
  m_pRenderer = new CObjectRenderer();
  m_pCull = std::make_unique<CCullBounds>();
  m_pPaintEditor = new CPaintEditor();
  m_pGuideLineText = new CGuideLineText();
  PreCreateWindow();
  Create();
  AttachDocument(doc);
}

CLeftView::~CLeftView() {
  Trace("---------CLeftView::~CLeftView\n");
  OnDestroy();
  delete m_pTracker;
  m_pTracker = nullptr;
  delete m_pBandTracker;
  m_pBandTracker = nullptr;
  delete m_pPaintEditor;
  m_pPaintEditor = nullptr;
  delete m_pGuideLineText;
  m_pGuideLineText = nullptr;
  delete m_pRenderer;
  m_pRenderer = nullptr;
  delete[] m_pConnotation;
  m_pConnotation = nullptr;
  ReleaseOutlinePoints();
  // The view base detaches from the document, if it is still there.
}

BOOL CLeftView::PreCreateWindow() {
  Trace("---------CLeftView::PreCreateWindow\n");
  if (m_pPaintEditor) m_pPaintEditor->Attach(this);
  return TRUE;
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

void CLeftView::SetFocus() { QWidget::setFocus(); }

// ---- The document's seams -------------------------------------------------------------------------

void CLeftView::InvalidateRect(const RECT& rect, BOOL erase) {
  Trace("---------CLeftView::InvalidateRect\n");
  CScrollView::InvalidateRect(&rect, erase);
}

BOOL CLeftView::GetTrackerIndex(int& index) {
  index = GetTrackObject();
  return index == -2 ? FALSE : TRUE;
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
  CRect client;
  GetClientRect(&client);
  m_pRenderer->InitForClient(dc, &m_RenderDoc, &client);
  // A binding given back after a capture or a job fits the client and the zoom as they are now,
  // which need not be what the last paint was bound to (a scroll bar shown since, a zoom read
  // with a design): the page then lies elsewhere and nothing else would repaint it.
  int extent[2] = {0, 0};
  m_pRenderer->GetExtent(extent);
  if (m_bPaintedExtentKnown && (extent[0] != m_nPaintedExtent[0] || extent[1] != m_nPaintedExtent[1]))
    Invalidate(TRUE);
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
