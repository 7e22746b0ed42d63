// Paint mode: entering and leaving image editing of a bitmap object, the paint zoom, the
// forwarders to the canvas's paint editor, saving its picture, and the scanning area as an image.
#include <memory>

#include "canvas/leftview.h"
#include "imaging/monoimagetool.h"
#include "imaging/paint_editor.h"
#include "model/bmpobject.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "platform/prompter.h"
#include "platform/ui/modal_dialogs.h"

namespace {

constexpr int kPaintEndTimer = 4;
constexpr UINT kPaintTimerMs = 100;

}  // namespace

void CKorvaneDoc::StartPaintEndTimer() {
  if (m_pMainFrame) m_pMainFrame->SetFrameTimer(kPaintEndTimer, kPaintTimerMs);
}

CPaintEditor* CKorvaneDoc::GetPaintEditor() const {
  auto* view = dynamic_cast<CLeftView*>(GetLeftView());
  return view ? view->GetPaintEditor() : nullptr;
}

int CKorvaneDoc::BeginPaintMode() {
  if (m_bPaintMode || !m_pCurrentObject || m_nCurrentKind != TYPE_BMP) return 0;
  auto* object = dynamic_cast<CBmpObject*>(m_pCurrentObject);
  auto* view = dynamic_cast<CLeftView*>(GetLeftView());
  if (!object || !view) return 0;
  if (m_pMainFrame) {
    m_pMainFrame->ShowMenuBar(0);
    m_pMainFrame->ShowEditBars(0);
  }
  m_nPaintZoom = 100;
  if (!view->BeginImageEditView(this, object)) {
    // Refused (an empty picture): the operator keeps the menu and the bars.
    if (m_pMainFrame) {
      m_pMainFrame->ShowMenuBar(1);
      m_pMainFrame->ShowEditBars(1);
      if (m_nSealMode) m_pMainFrame->ShowSealModeBars(m_nSealMode);
    }
    return 0;
  }
  m_bPaintMode = 1;
  m_nPaintSavedZoom = m_Settings.System.ZoomStep;
  m_Settings.System.ZoomStep = ZOOM_STEP_DEFAULT;
  if (m_pMainFrame) m_pMainFrame->UpdateZoomPane(ZOOM_STEP_DEFAULT);
  m_nLastAction = HINT_SELECTION_CHANGED;
  m_nCurrentKind = TYPE_IMAGE;
  UpdateFormView(TYPE_IMAGE);
  UpdateCanvasView(HINT_REDRAW_ALL);
  if (m_pMainFrame) m_pMainFrame->FocusCanvasView();
  return 1;
}

void CKorvaneDoc::EndPaintMode() {
  if (!m_bPaintMode) return;
  if (m_pMainFrame) m_pMainFrame->ShowMenuBar(1);
  SetPaintZoom(10);
  m_bPaintMode = 0;
  if (auto* view = dynamic_cast<CLeftView*>(GetLeftView())) view->EndImageEditView(this);
  if (m_pPaintDesignObject) {
    delete m_pPaintDesignObject;
    m_pPaintDesignObject = nullptr;
  }
  SetZoom(m_nPaintSavedZoom);
  // The pages follow the current object: a command during image editing (an add, a choice) may
  // have made another object current, and its pages must not be taken for the bitmap's.
  if (m_nCurrentKind == TYPE_IMAGE) m_nCurrentKind = m_pCurrentObject ? m_pCurrentObject->m_nType : TYPE_DRAWING;
  // The form selects the line of the hint's index: the current object's own.
  m_nLastAction = HINT_SELECTION_CHANGED;
  UpdateFormView(m_nCurrentIndex);
  UpdateCanvasView(HINT_REDRAW_ALL);
  if (m_pMainFrame) {
    // The pane's pixel position belonged to the editor; the canvas shows millimetres once the
    // pointer moves on it.
    m_pMainFrame->ClearMessagePane();
    m_pMainFrame->ShowEditBars(1);
    if (m_nSealMode) m_pMainFrame->ShowSealModeBars(m_nSealMode);
    m_pMainFrame->FocusCanvasView();
  }
}

double CKorvaneDoc::SetPaintZoom(int zoom) {
  if (zoom == m_nPaintZoom && zoom != 0) return 0.0;
  m_nPaintZoom = zoom;
  double result = 0.0;
  if (auto* view = dynamic_cast<CLeftView*>(GetLeftView())) result = view->SetImageEditZoom(zoom);
  UpdateCanvasView(HINT_REDRAW_ALL);
  return result;
}

void CKorvaneDoc::ShowPaintZoom(double zoom) {
  if (IDocFormView* form = GetKorvaneView()) form->ShowZoomPercent(zoom);
}

void CKorvaneDoc::RestoreZoom() { SetZoom(m_nPaintSavedZoom); }

BOOL CKorvaneDoc::IsEditableBmp() const {
  auto* object = dynamic_cast<CBmpObject*>(m_pCurrentObject);
  return object && object->m_nType == TYPE_BMP && object->m_nGroupId != 0;
}

void CKorvaneDoc::RedrawPaint() {
  if (CPaintEditor* editor = GetPaintEditor()) editor->Redraw();
}

void CKorvaneDoc::EditDesignAsImage() {
  if (m_bPaintMode || !m_pObjectList) return;
  auto* view = dynamic_cast<CLeftView*>(GetLeftView());
  if (!view) return;
  const CString path = RenderDesignToTemp();
  std::unique_ptr<CBmpObject> object = m_pObjectList->NewBmpFromFile(path);
  if (!object || !object->m_bLoaded) return;
  m_bPaintMode = 1;
  if (!view->BeginImageEditView(this, object.get())) {
    m_bPaintMode = 0;
    return;
  }
  delete m_pPaintDesignObject;
  m_pPaintDesignObject = object.release();
  UpdateCanvasView(HINT_REDRAW_ALL);
}

CBmpObject* CKorvaneDoc::MakeBmpObjectFromImage(std::vector<BYTE> image) {
  if (!m_pObjectList) {
    auto object = std::make_unique<CBmpObject>();
    if (!object->SetImage(std::move(image))) return nullptr;
    return object.release();
  }
  std::unique_ptr<CBmpObject> object = m_pObjectList->NewBmpFromImage(std::move(image));
  if (!object || object->m_Image.empty()) return nullptr;
  return object.release();
}

// ---- forwarders -----------------------------------------------------------------------------

void CKorvaneDoc::OnPaintThicken() {
  int x = 0, y = 0, same = 0;
  IDocFormView* form = GetKorvaneView();
  if (form && form->QueryImageEditPage(x, y, same)) PaintThicken(x, y, same);
}

void CKorvaneDoc::PaintThicken(int x, int y, int same) {
  if (CPaintEditor* e = GetPaintEditor()) e->Thicken(x, y, same);
}

void CKorvaneDoc::PaintOutline() {
  if (CPaintEditor* e = GetPaintEditor()) e->ExtractOutline();
}

void CKorvaneDoc::PaintInvert() {
  if (CPaintEditor* e = GetPaintEditor()) e->Invert();
}

void CKorvaneDoc::PaintFill(int white) {
  if (CPaintEditor* e = GetPaintEditor()) e->FillSelection(white);
}

int CKorvaneDoc::SetPaintTool(int code) {
  CPaintEditor* e = GetPaintEditor();
  return e ? e->SetTool(code) : 0;
}

int CKorvaneDoc::GetPaintTool() const {
  CPaintEditor* e = GetPaintEditor();
  return e ? e->m_nTool : 0;
}

int CKorvaneDoc::SetPaintSize(int size) {
  CPaintEditor* e = GetPaintEditor();
  if (!e) return 0;
  const int dropped = e->CancelPolygon();
  e->m_nPenSize = size;
  return dropped;
}

int CKorvaneDoc::SetPaintShape(int shape) {
  CPaintEditor* e = GetPaintEditor();
  if (!e) return 0;
  const int dropped = e->CancelPolygon();
  e->m_nPenShape = shape;
  return dropped;
}

int CKorvaneDoc::SetPaintFillMode(int fill) {
  CPaintEditor* e = GetPaintEditor();
  if (!e) return 0;
  const int dropped = e->CancelPolygon();
  e->m_bFill = fill ? 1 : 0;
  return dropped;
}

void CKorvaneDoc::SetPaintGrid(int on) {
  if (CPaintEditor* e = GetPaintEditor()) e->SetGrid(on ? 1 : 0);
}

void CKorvaneDoc::PaintUndoRedo(int redo) {
  if (CPaintEditor* e = GetPaintEditor()) e->UndoRedo(redo);
}

BOOL CKorvaneDoc::CanPaintUndoRedo(int redo) const {
  CPaintEditor* e = GetPaintEditor();
  return e ? e->CanUndoRedo(redo) : FALSE;
}

CBitmap* CKorvaneDoc::PaintCopyCut(int copy) {
  CPaintEditor* e = GetPaintEditor();
  return e ? e->CopySelection(copy) : nullptr;
}

BOOL CKorvaneDoc::PaintPaste(CBitmap* bitmap) {
  CPaintEditor* e = GetPaintEditor();
  if (!e || !e->PasteBitmap(bitmap)) return FALSE;
  if (IDocFormView* form = GetKorvaneView()) form->ForwardToImageEditPage(18);
  return TRUE;
}

void CKorvaneDoc::SelectPaintTool(int code) {
  if (IDocFormView* form = GetKorvaneView()) form->ForwardToImageEditPage(code);
}

void CKorvaneDoc::SavePaintImage() {
  if (!m_bPaintMode) return;
  CPaintEditor* e = GetPaintEditor();
  if (!e) return;
  FileDialogRequest request;
  request.save = true;
  request.filter = CString::FromUtf8("ビットマップファイル (*.bmp)|*.bmp|");
  request.defaultExt = "bmp";
  const int places = ApplyPlacesBar(request);
  CString path;
  int filter = 1;
  const bool chosen = ModalDialogs().SaveFileDialog(request, path, filter);
  RestorePlacesBar(places);
  if (!chosen) return;
  if (!e->SaveImage(path)) AfxMessageBox(CString::FromUtf8("画像ファイルを保存できませんでした"), MB_OK | MB_ICONERROR);
}

void CKorvaneDoc::ScanAreaToImage() {
  g_bModified = 1;
  if (!m_pObjectList) return;
  int size = 0;
  std::vector<BYTE> block =
      CMonoImageTool::RenderAreaToBmp(this, dynamic_cast<CLeftView*>(GetLeftView()), &size, nullptr);
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
