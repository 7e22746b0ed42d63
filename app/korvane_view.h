// The form view: the right-hand pane of the main window. From top to bottom it shows the mode
// caption, the object list (one line per visible object) and the embedded property sheet whose
// pages follow the kind of the current object; on demand the progress of a threaded engraving
// with its abort button, and the image editor's zoom, grid, save and end controls in the
// list's place. It turns the document's update hints into list and page changes, remembers the
// active page per kind and passes calls between the document and the image-edit page.
#pragma once

#include <QScrollArea>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "model/doc_seams.h"
#include "model/kinds.h"
#include "output/thread_engrave_engine.h"
#include "pages/korvane_property_sheet.h"
#include "pages/page_helper.h"
#include "platform/ui/control_host.h"
#include "platform/ui/docview.h"

class CKorvaneDoc;
class CObjectList;
class CQtControlHost;

class CKorvaneView : public QWidget,
                     public CView,
                     public IDocFormView,
                     public IThreadEngraveHost,
                     public IControlOwner,
                     public IPageFormHost {
  Q_OBJECT
 public:
  // Attaches itself to the document (when one is given) and builds the controls of dialog 101.
  explicit CKorvaneView(CKorvaneDoc* doc = nullptr, QWidget* parent = nullptr);
  ~CKorvaneView() override;
  CKorvaneView(const CKorvaneView&) = delete;
  CKorvaneView& operator=(const CKorvaneView&) = delete;

  void AttachDocument(CKorvaneDoc* doc);
  CKorvaneDoc* GetKorvaneDocument() const { return m_pDoc; }

  // Hides the progress and image-edit controls, builds the sheet and every page, fills the
  // list and gives the mode caption its font.
  void OnInitialUpdate();

  // The form's natural size: dialog 101's template, and below it room for the pages of the kind
  // shown now, whose templates may reach further down or right than the form's own.
  QSize sizeHint() const override;
  // Told whenever the pages shown change, and with them the size hint (the pane that scrolls
  // the form sets it).
  void SetSizeHintHandler(std::function<void()> handler) { m_fnSizeHint = std::move(handler); }

  // ---- CView
  void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject) override;
  void SetFocus() override;

  // ---- pages
  void CreatePages();
  void ShowPagesForType(int kind);
  void ShowCurrentTypePages(int line, BOOL select);
  void SelectObject(int n);
  void FillObjectList();
  // Brings the list in line with the document after objects were added or deleted: rows of
  // deleted objects go, appended objects get rows; anything else refills it.
  void SyncObjectList();
  int GetRememberedPage(int kind) override;
  void SetRememberedPage(int kind, int index) override;
  CKorvaneDoc* GetPageDocument() override { return m_pDoc; }
  int GetPageKind() const { return m_nPageKind; }
  BOOL ArePagesCreated() const { return m_bPagesCreated; }
  CKorvanePropertySheet& Sheet() { return m_Sheet; }
  // The page object of a kind at a page index (null when none was built).
  CKorvanePage* GetKindPage(int kind, int index) const;

  // ---- IDocFormView
  void SetModeCaption(const CString& text) override;
  void RefreshSelectedLine() override;
  int GetActivePageIndex() override;
  void ShowZoomPercent(double zoom) override;
  void ForwardToImageEditPage(int code) override;
  int QueryImageEditPage(int& x, int& y, int& same) override;
  void HideProgress() override;

  // ---- IThreadEngraveHost; the progress calls may come from any thread.
  void ShowProgress(int lo, int hi) override;
  void SetProgressPos(int pos) override;
  void ScheduleEngravingEnd() override;

  // ---- controls
  IControlHost* Controls() const;
  CQtControlHost* QtControls() const { return m_pHost.get(); }
  BOOL OnCommand(int id, int code) override;
  BOOL OnNotify(int id, NMUPDOWN& nm) override;
  BOOL OnCtlColor(int id, COLORREF& text, COLORREF& back) override;
  // A control's handler that a later piece connects (abort, paint zoom, grid, save, end of
  // image editing); it gets the notification code.
  void SetCommandHandler(int id, std::function<void(int code)> handler);
  // What ScheduleEngravingEnd does.
  void SetEngravingEndHandler(std::function<void()> handler) { m_fnEngravingEnd = std::move(handler); }

  // The print commands of the frame: the document prints or previews through the canvas.
  void OnFilePrint();
  void OnFilePrintPreview();

 private:
  void ShowImageEditControls(BOOL show);
  void RefreshDrawingPages();
  // Rewrites the rows whose text changed (a counter advanced by a job), keeping the selection.
  void RefreshRowTexts();
  // Whether the rows show the list as it stands (its entries and removals, one row each).
  bool RowsCurrent() const;
  // The row of a list entry that is not deleted.
  int RowOfEntry(int index) const;
  void RunOnUiThread(std::function<void()> work);

  CKorvaneDoc* m_pDoc = nullptr;
  std::unique_ptr<CQtControlHost> m_pHost;
  CKorvanePropertySheet m_Sheet;
  // One object of each page class, by kind; the image-edit page is built anew each time.
  std::map<int, std::vector<std::unique_ptr<CKorvanePage>>> m_Pages;
  int m_nPageKind = TYPE_NONE;  // no kind shown yet
  BOOL m_bPagesCreated = FALSE;
  BOOL m_bFieldFixedPages = FALSE;  // which drawing pages were built
  int m_nRememberedPage[3] = {0, 0, 0};  // kinds 14, 6 and 7
  // What the object list shows: the list index of each row, and the object list's entry and
  // removal counts when it was last brought in line.
  std::vector<int> m_vRowIndex;
  const CObjectList* m_pRowList = nullptr;
  int m_nRowEntries = 0;
  unsigned m_nRowRemovals = 0;
  std::map<int, std::function<void(int)>> m_Handlers;
  std::function<void()> m_fnEngravingEnd;
  std::function<void()> m_fnSizeHint;
};

// The form view's pane: the view fills it, but never below its size hint, which then scrolls;
// the scroll range follows the pages of the kind shown.
class CFormScroller : public QScrollArea {
 public:
  CFormScroller(CKorvaneView* form, QWidget* parent);
  // Sizes the form anew for the pane and the form's hint.
  void Refit();

 protected:
  void resizeEvent(QResizeEvent* event) override;
};
