// The engraving commands of the document: the layer choice, the normal job on this thread, the
// threaded job with its abort and its end through the frame's timer 2, and the counting texts.
#include <algorithm>
#include <climits>
#include <vector>

#include "canvas/leftview.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "model/textobject.h"
#include "model/textutil.h"
#include "output/engrave_engine.h"
#include "output/engrave_job.h"
#include "output/thread_engrave_engine.h"
#include "platform/numfmt.h"
#include "platform/prompter.h"
#include "platform/ui/modal_dialogs.h"

namespace {

constexpr UINT kEndDelayMs = 3000;

// The threaded engine reporting to the document: progress goes to the form view, the end to
// ScheduleEngravingEnd. The engine queues every report onto the user-interface thread, so the
// document is only ever called there. The host base comes first so that it outlives the engine
// part, whose destructor joins the worker.
class CDocThreadEngine : public IThreadEngraveHost, public CThreadEngraveEngineFix {
 public:
  explicit CDocThreadEngine(CKorvaneDoc* doc) : m_pDoc(doc) {}
  void ShowProgress(int lo, int hi) override {
    if (IDocFormView* form = m_pDoc->GetKorvaneView()) form->ShowProgress(lo, hi);
  }
  void SetProgressPos(int pos) override {
    if (IDocFormView* form = m_pDoc->GetKorvaneView()) form->SetProgressPos(pos);
  }
  void ScheduleEngravingEnd() override { m_pDoc->ScheduleEngravingEnd(); }

 private:
  CKorvaneDoc* m_pDoc;
};

CLeftView* CanvasOf(const CKorvaneDoc& doc) { return dynamic_cast<CLeftView*>(doc.GetLeftView()); }

void RestoreCanvasZoom(CKorvaneDoc& doc, int index) {
  if (IDocCanvasView* canvas = doc.GetLeftView()) canvas->RestoreZoom(&doc, index);
}

void SetCanvasRenderMode(CKorvaneDoc& doc, int mode) {
  if (IDocCanvasView* canvas = doc.GetLeftView()) canvas->SetRenderMode(mode);
}

QWidget* MainWindowOf(IDocMainFrame* frame) {
  if (!frame) return nullptr;
  if (QWidget* window = frame->GetMainWindow()) return window;
  return dynamic_cast<QWidget*>(frame);
}

// The engraved objects whose marks leave the machine's field. The normal field: a design point
// lands at its distance from the scanning area's place plus the field's offset from the field's
// centre. The fixed field: the area's corner sits at the area's offset from the field origin,
// and the design is scaled from that corner.
std::vector<CString> ObjectsOutsideField(const CKorvaneDoc& doc) {
  std::vector<CString> names;
  IDocCanvasView* canvas = doc.GetLeftView();
  const CObjectList* list = doc.GetObjectList();
  if (!canvas || !list) return names;
  const CKorvaneSettings& s = doc.m_Settings;
  const CSettingsDrawingField& field = s.DrawingField;
  const CSettingsDrawingArea& area = s.DrawingArea;
  const bool fixed = s.System.FixField != 0;
  constexpr double kTolerance = 0.05;  // mm: the machine's own rounding at the edge
  const auto outside = [&](double x0, double x1, double y0, double y1) {
    double lo[2], hi[2];
    if (fixed) {
      const double left0 = (area.Width / 2 + x0) * s.DrawingData.ScaleX + area.OffsetX;
      const double left1 = (area.Width / 2 + x1) * s.DrawingData.ScaleX + area.OffsetX;
      const double top0 = (area.Height / 2 - y0) * s.DrawingData.ScaleY + area.OffsetY;
      const double top1 = (area.Height / 2 - y1) * s.DrawingData.ScaleY + area.OffsetY;
      lo[0] = std::min(left0, left1), hi[0] = std::max(left0, left1);
      lo[1] = std::min(top0, top1), hi[1] = std::max(top0, top1);
    } else {
      const double dx = field.OffsetX - area.OffsetX + field.FieldX / 2;
      const double dy = field.OffsetY - area.OffsetY + field.FieldY / 2;
      lo[0] = std::min(x0, x1) + dx, hi[0] = std::max(x0, x1) + dx;
      lo[1] = std::min(y0, y1) + dy, hi[1] = std::max(y0, y1) + dy;
    }
    return lo[0] < -kTolerance || hi[0] > field.FieldX + kTolerance || lo[1] < -kTolerance ||
           hi[1] > field.FieldY + kTolerance;
  };
  for (int i = 1; i < list->GetCount(); ++i) {
    CDrawObject* object = list->GetObject(i);
    if (!object || object->m_bDeleted) continue;
    const int layer = object->m_nLayer;
    if (layer >= 0 && layer < DOC_LAYER_COUNT && !doc.m_bLayerEngrave[layer]) continue;
    CDoubleRect r;
    if (!canvas->CalcObject(object, r)) continue;
    if (outside(r.left, r.right, r.bottom, r.top)) names.emplace_back(object->GetName());
  }
  return names;
}

bool ConfirmLaserOutput(const CKorvaneDoc& doc) {
  CString text = CString::FromUtf8("レーザー出力を確認してください");
  const std::vector<CString> outside = ObjectsOutsideField(doc);
  if (!outside.empty()) {
    constexpr size_t kNamesShown = 10;
    text += CString::FromUtf8("\n\n次のオブジェクトは機械のフィールドの外まで彫刻されます");
    for (size_t k = 0; k < outside.size() && k < kNamesShown; ++k) text += "\n  " + outside[k];
    if (outside.size() > kNamesShown)
      text += CString::FromUtf8(numfmt::Format("\n  ほか %d 個", static_cast<int>(outside.size() - kNamesShown)));
  }
  return Prompter().MessageBox(text, CString::FromUtf8("確認"), MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

}  // namespace

int CKorvaneDoc::ChooseEngraveLayers() {
  if (!m_Settings.System.FixField) {
    // A fixed-field job may have left layers out; a normal job engraves every layer again.
    for (int& flag : m_bLayerEngrave) flag = 1;
    return 1;
  }
  if (!m_pObjectList) return 0;
  int used[LAYER_COUNT];
  const int count = m_pObjectList->GetUsedLayers(used);
  if (count == 0) return 0;
  if (count == 1) {
    for (int& flag : m_bLayerEngrave) flag = 1;
    return 1;
  }
  EngraveLayerDialogData data;
  for (int n = 0; n < LAYER_COUNT; ++n) {
    data.used[n] = used[n];
    data.shown[n] = m_bLayerVisible[n];
    data.checks[n] = used[n];
  }
  if (!ModalDialogs().EngraveLayerDialog(data)) return 0;
  int chosen[LAYER_COUNT];
  int any = 0;
  for (int n = 0; n < LAYER_COUNT; ++n) {
    chosen[n] = used[n] && data.checks[n] ? 1 : 0;
    any |= chosen[n];
  }
  // No used layer checked is an empty job: it would only park the head and use up a serial.
  if (!any) return 0;
  for (int n = 0; n < LAYER_COUNT; ++n) m_bLayerEngrave[n] = chosen[n];
  return 1;
}

int CKorvaneDoc::StartEngraving() {
  int oldZoom = -1;
  if (!ChooseEngraveLayers()) return -1;
  if (!ConfirmLaserOutput(*this)) return -1;
  const int fixed = m_Settings.System.FixField;
  int result = -1;
  {
    CEngraveEngineFix engine;
    engine.SetOwnerWindow(MainWindowOf(m_pMainFrame));
    IDocCanvasView* canvas = GetLeftView();
    if (IEngraveSource* source = canvas ? canvas->GetEngraveSource() : nullptr) {
      engine.Attach(this, source);
    } else if (CLeftView* view = CanvasOf(*this)) {
      engine.Attach(this, view);
    }
    m_bNormalEngraving = 1;
    result = fixed ? engine.StartFix(&oldZoom) : engine.Start(&oldZoom);
    m_bNormalEngraving = 0;
  }  // the engine goes here: the progress dialog closes and the main window is enabled again
  if (result == 0) {
    Prompter().MessageBox(CString::FromUtf8("彫刻データの出力は強制終了しました"), CString::FromUtf8("データ出力終了"),
                          MB_OK);
  } else if (result == 1) {
    // Only a job that reached the machine uses up its serial numbers.
    AdvanceCounterTexts();
  }
  RestoreCanvasZoom(*this, oldZoom);
  UpdateAllViews(nullptr, HINT_ENGRAVING_ENDED, this);
  return oldZoom;
}

int CKorvaneDoc::StartThreadEngraving() {
  const int zoom = m_Settings.System.ZoomStep;
  if (!ChooseEngraveLayers()) {
    if (m_pMainFrame) m_pMainFrame->ToggleEngraveThreadButton(0);
    return -1;
  }
  m_pEngraveMainWindow = MainWindowOf(m_pMainFrame);
  if (m_pEngine) EndEngraving();
  if (m_pEngine) {
    // Its worker still sends; a second stream into the port would mix the two jobs.
    if (m_pMainFrame) m_pMainFrame->ToggleEngraveThreadButton(0);
    return -1;
  }
  if (!ConfirmLaserOutput(*this)) {
    if (m_pMainFrame) m_pMainFrame->ToggleEngraveThreadButton(0);
    return -1;
  }
  IDocCanvasView* canvas = GetLeftView();
  m_bEngraveRunning = 1;
  auto* engine = new CDocThreadEngine(this);
  m_pEngine = engine;
  m_bEngraveFixVariant = m_Settings.System.FixField ? 1 : 0;
  int attached = 0;
  if (IEngraveSource* source = canvas ? canvas->GetEngraveSource() : nullptr) {
    attached = engine->Attach(this, source, engine);
  } else if (CLeftView* view = CanvasOf(*this)) {
    attached = engine->Attach(this, view, engine);
  }
  int oldZoom = -1;
  int started = 0;
  if (attached) started = m_bEngraveFixVariant ? engine->StartFix(&oldZoom) : engine->Start(&oldZoom);
  if (!started) {
    // No worker: nothing would ever arm the end timer, so the job ends here.
    delete engine;
    m_pEngine = nullptr;
    m_bEngraveRunning = 0;
    m_bEngraveFixVariant = 0;
    m_pEngraveMainWindow = nullptr;
    if (m_pMainFrame) m_pMainFrame->ToggleEngraveThreadButton(0);
    RestoreCanvasZoom(*this, oldZoom);
    // A refusal may come after the capture, which measured the design at another zoom and kept
    // outlines in its objects: the views show it afresh, as after a normal job.
    UpdateAllViews(nullptr, HINT_ENGRAVING_ENDED, this);
    return oldZoom;
  }
  RestoreCanvasZoom(*this, oldZoom);
  SetCanvasRenderMode(*this, 0);
  m_Settings.System.ZoomStep = zoom;
  UpdateAllViews(nullptr, HINT_THREAD_ENGRAVING_STARTED, this);
  return oldZoom;
}

void CKorvaneDoc::AdvanceCounterTexts() {
  if (!m_pObjectList) return;
  CText1Object* proto = dynamic_cast<CText1Object*>(m_pObjectList->GetPrototype(TYPE_TEXT1));
  bool changed = false;
  for (int i = 1; i < m_pObjectList->GetCount(); ++i) {
    CDrawObject* object = m_pObjectList->GetObject(i);
    if (!object || object->m_bDeleted || object->m_nType != TYPE_TEXT1) continue;
    auto* text = static_cast<CText1Object*>(object);
    if (!text->m_bCountUp) continue;
    // A counter at the largest number stays there rather than wrapping to a negative serial.
    if (text->m_nCount < INT_MAX) ++text->m_nCount;
    const CString shown = text->CounterText();
    text->SetText(shown);
    if (proto) {
      proto->m_nCount = text->m_nCount;
      proto->SetText(shown);
    }
    changed = true;
  }
  // The next serial must survive the end of the program: the save question has to come.
  if (changed) g_bModified = 1;
}

void CKorvaneDoc::EndEngraving() {
  if (!m_pEngine) return;
  if (!m_pEngine->Stop()) {
    // The worker still writes to the port: the job stays current and the end is tried again.
    if (m_pMainFrame) m_pMainFrame->SetEngraveEndTimer(kEndDelayMs);
    return;
  }
  if (IDocFormView* form = GetKorvaneView()) form->HideProgress();
  if (m_pMainFrame) m_pMainFrame->ToggleEngraveThreadButton(0);
  delete m_pEngine;
  m_pEngine = nullptr;
  m_bEngraveRunning = 0;
  m_bEngraveFixVariant = 0;
  m_pEngraveMainWindow = nullptr;
}

void CKorvaneDoc::ScheduleEngravingEnd() {
  if (m_pMainFrame) m_pMainFrame->SetEngraveEndTimer(kEndDelayMs);
}

void CKorvaneDoc::AbortEngraving() {
  if (!m_pEngine) return;
  m_pEngine->RequestStop();
  if (m_pMainFrame) m_pMainFrame->SetEngraveEndTimer(kEndDelayMs);
}

void CKorvaneDoc::OnEngraveEndTimer() { EndEngraving(); }

void CKorvaneDoc::RunOriginWizard() {
  if (m_pEngraveServices) m_pEngraveServices->RunOriginWizard(*this);
}

// A normal job on the stack, a current engine, or a worker that still holds the port.
BOOL CKorvaneDoc::IsEngravingBusy() const {
  return m_bNormalEngraving != 0 || m_pEngine != nullptr || IsWorkerPortClaimed() ? TRUE : FALSE;
}
