// What the document needs of its neighbours: the canvas view, the form view, the main frame, the
// project-file services, the origin wizard and the engraving engine. Each neighbour implements
// its interface (the two views alongside CView); the document reaches them only through these,
// and does nothing where a neighbour is absent.
#pragma once

#include <climits>

#include "model/geometry.h"
#include "platform/cstring.h"
#include "platform/prompter.h"
#include "platform/wintypes.h"

class CDrawObject;
class CKorvaneDoc;
class IEngraveSource;
class QWidget;

// The canvas view (CLeftView).
class IDocCanvasView {
 public:
  virtual ~IDocCanvasView() = default;
  // Invalidates a rectangle of the canvas window (client coordinates).
  virtual void InvalidateRect(const RECT& rect, BOOL erase) = 0;
  // Invalidates the area one list entry covers on screen.
  virtual void InvalidateObject(int index) = 0;
  // Invalidates the areas of every selected entry.
  virtual void InvalidateSelection() = 0;
  // Invalidates what one character record of a text entry can change on screen (the whole
  // entry where that cannot be told apart).
  virtual void InvalidateCharRecord(int index, int record) {
    (void)record;
    InvalidateObject(index);
  }
  // Bounds of all copies of an object in millimetres (y upward); FALSE for kinds it cannot measure.
  virtual BOOL CalcObject(CDrawObject* object, CDoubleRect& out) = 0;
  // FALSE when the canvas has no tracker; else the tracked list index (-1 for a multi-selection).
  virtual BOOL GetTrackerIndex(int& index) = 0;
  // The canvas's print and print-preview commands.
  virtual void FilePrint() {}
  virtual void FilePrintPreview() {}
  // Whether the renderer can draw yet (a project named at start waits for it).
  virtual int IsRendererReady() const { return 1; }
  // What the engraving engines capture outlines and rasters from; null when the view offers none.
  virtual IEngraveSource* GetEngraveSource() { return nullptr; }
  // After a job: the zoom index the job reported (a negative index leaves the zoom alone), and
  // the render mode (0 screen; the previous mode is returned).
  virtual void RestoreZoom(CKorvaneDoc* doc, int index) { (void)doc, (void)index; }
  virtual int SetRenderMode(int mode) {
    (void)mode;
    return 0;
  }
};

// The form view (CKorvaneView).
class IDocFormView {
 public:
  virtual ~IDocFormView() = default;
  // The mode caption above the property sheet.
  virtual void SetModeCaption(const CString& text) = 0;
  // Rewrites the selected line of the object list with the current object's text.
  virtual void RefreshSelectedLine() {}
  // The property sheet's active page index.
  virtual int GetActivePageIndex() { return 0; }
  // The fitted paint zoom (tenths) as a percentage.
  virtual void ShowZoomPercent(double zoom) { (void)zoom; }
  // In image editing: selects a paint tool on the image-edit page.
  virtual void ForwardToImageEditPage(int code) { (void)code; }
  // In image editing: the image-edit page's thicken amounts; 0 otherwise or when cancelled.
  virtual int QueryImageEditPage(int& x, int& y, int& same) {
    (void)x, (void)y, (void)same;
    return 0;
  }
  // Hides the progress bar and the abort button at the end of a threaded job.
  virtual void HideProgress() {}
  // The progress bar and the abort button of a threaded job: shown with a range, then moved.
  virtual void ShowProgress(int lo, int hi) { (void)lo, (void)hi; }
  virtual void SetProgressPos(int pos) { (void)pos; }
};

// The main frame (CMainFrame).
class IDocMainFrame {
 public:
  virtual ~IDocMainFrame() = default;
  // The zoom pane shows the factor at a zoom index.
  virtual void UpdateZoomPane(int index) = 0;
  // Shows the bars of a seal mode: 0 none, 1 personal seal, 2 corporate seal.
  virtual void ShowSealModeBars(int mode) = 0;
  // Status pane 0: the cursor position in millimetres (canvas) or image pixels (paint editor).
  virtual void ShowCursorPosMm(double x, double y) { (void)x, (void)y; }
  virtual void ShowCursorPosPixels(int x, int y) { (void)x, (void)y; }
  virtual void ClearMessagePane() {}
  // Status pane 1 with a zoom factor.
  virtual void ShowZoomPane(double factor) { (void)factor; }
  // Status pane 2 with a move step (mm).
  virtual void ShowStepPane(double step) { (void)step; }
  // The main, object and layer bars together (entering and leaving image editing).
  virtual void ShowEditBars(int flag) { (void)flag; }
  // The template's menu bar (not 0) or none.
  virtual void ShowMenuBar(int flag) { (void)flag; }
  // Flag 1 disables, 0 enables the threaded-engraving button until the next update pass.
  virtual void ToggleEngraveThreadButton(int flag) { (void)flag; }
  // Flag 1 presses, 0 releases the image-selection button.
  virtual void ToggleImageSelectionButton(int flag) { (void)flag; }
  // Frame timer 2: the end of a threaded engraving job.
  virtual void SetEngraveEndTimer(UINT ms) { (void)ms; }
  // Any frame timer (one-shot): 2 engraving end, 3 enter and 4 leave image editing.
  virtual void SetFrameTimer(UINT id, UINT ms) { (void)id, (void)ms; }
  // The port-monitor window, while one is open.
  virtual void AppendPortMonitorText(const CString& text) { (void)text; }
  virtual void OnPortMonitorClosed() {}
  // Keyboard focus back to the canvas view.
  virtual void FocusCanvasView() {}
  // The window title follows the document's title ("" for none).
  virtual void UpdateFrameTitle(const CString& title) { (void)title; }
  // The main window: owner of the engraving boxes and of the progress dialog (null: the frame
  // object itself when it is a window).
  virtual QWidget* GetMainWindow() { return nullptr; }
  // One past the highest list index a paste could still read (what the clipboard's block
  // names); 0 when no block is there. A frame that cannot tell answers INT_MAX.
  virtual int GetPastableEnd() const { return INT_MAX; }
};

// The recent-file list of the application (16 entries, the newest first).
class IDocRecentFiles {
 public:
  virtual ~IDocRecentFiles() = default;
  // Puts the path first in the list (moving it up when it is there already).
  virtual void Add(const CString& path) = 0;
  // Entry n (1-based); empty when there is none.
  virtual CString GetRecentFileName(int n) const {
    (void)n;
    return CString();
  }
};

// The project-file services.
class IDocFileServices {
 public:
  virtual ~IDocFileServices() = default;
  // Each writes the design to the path; on success it clears the modified flag and sets the
  // document's title to the path. FALSE when nothing was saved.
  virtual BOOL SaveMrkBinary(CKorvaneDoc& doc, const CString& path) = 0;
  virtual BOOL SaveMrkText(CKorvaneDoc& doc, const CString& path) = 0;
  // Before a file dialog: puts the registered folders into it; returns what RestorePlacesBar needs.
  virtual int ApplyPlacesBar(FileDialogRequest& request) = 0;
  virtual void RestorePlacesBar(int state) = 0;
};

// The engraving side: the fixed-field origin wizard.
class IDocEngraveServices {
 public:
  virtual ~IDocEngraveServices() = default;
  // Runs the fixed-field origin wizard for machine model 1 to 3 and stores what it set.
  virtual void RunOriginWizardFix(CKorvaneDoc& doc, int model) = 0;
  // The origin-wizard command: the fixed-field wizard when the model is known, else the general
  // one; stores what it set.
  virtual void RunOriginWizard(CKorvaneDoc& doc) { (void)doc; }
};

// The engraving engine of a running job; the document owns it and deletes it through this base.
class IDocEngine {
 public:
  virtual ~IDocEngine() = default;
  // 1 when the engine may be deleted (no worker, or the worker has ended); else 0 with the stop
  // flag set.
  virtual int Stop() { return 1; }
  // Asks a worker to stop at its next test.
  virtual void RequestStop() {}
  // Whether a worker was started and has not ended yet.
  virtual bool IsWorkerRunning() const { return false; }
};
