#include "app/korvane_view.h"

#include <algorithm>

#include <QMetaObject>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QThread>

#include "model/doc_hints.h"
#include "model/kinds.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "model/textutil.h"
#include "platform/numfmt.h"
#include "platform/ui/qt_control_host.h"
#include "res/dialog_101.h"

using namespace res;

namespace {

// The message field's colours: red on yellow.
constexpr COLORREF kCaptionText = 0x0000FF;
constexpr COLORREF kCaptionBack = 0x00FFFF;

int RememberSlot(int kind) {
  switch (kind) {
    case TYPE_DRAWING: return 0;
    case TYPE_TEXT1: return 1;
    case TYPE_TEXT2: return 2;
    default: return -1;
  }
}

}  // namespace

CKorvaneView::CKorvaneView(CKorvaneDoc* doc, QWidget* parent) : QWidget(parent) {
  setFont(CQtControlHost::DialogFont());
  const DlgTemplate& tpl = Dialog101();
  m_pHost = std::make_unique<CQtControlHost>(tpl, this);
  m_pHost->setParent(nullptr);
  m_pHost->SetOwner(this);
  resize(CQtControlHost::TemplateSize(tpl));
  setMinimumSize(CQtControlHost::DluToPixels(0, 0, 120, 80).size());
  CPageHelper::SetFormHost(this);
  AttachDocument(doc);
}

CKorvaneView::~CKorvaneView() {
  if (CPageHelper::GetFormHost() == this) CPageHelper::SetFormHost(nullptr);
  // The sheet lets go of its pages before they are freed.
  while (m_Sheet.GetPageCount()) m_Sheet.RemovePage(m_Sheet.GetPageCount() - 1);
  m_Pages.clear();
  if (m_pHost) m_pHost->SetOwner(nullptr);
}

void CKorvaneView::AttachDocument(CKorvaneDoc* doc) {
  if (m_pDoc == doc && CView::GetDocument() == doc) return;
  if (CView::GetDocument()) CView::GetDocument()->RemoveView(this);
  m_pDoc = doc;
  if (doc) doc->AddView(this);
}

QSize CKorvaneView::sizeHint() const {
  QSize hint = CQtControlHost::TemplateSize(Dialog101());
  QTabWidget* tabs = m_Sheet.GetSheetWindow();
  if (!tabs || m_Sheet.GetPageCount() == 0) return hint;
  // The pages of this kind, not the sheet, which only grows: a tall page shown once must not
  // leave empty room below a short one.
  QSize pages(0, 0);
  for (int i = 0; i < m_Sheet.GetPageCount(); ++i)
    if (const DlgTemplate* t = m_Sheet.GetPage(i)->GetTemplate())
      pages = pages.expandedTo(CQtControlHost::TemplateSize(*t));
  const int tabBar = tabs->tabBar()->sizeHint().height();
  constexpr int kMargin = 6;  // the sheet's frame around its pages, as the sheet sizes itself
  const QPoint at = tabs->pos();
  return hint.expandedTo(QSize(at.x() + pages.width() + 2 * kMargin, at.y() + tabBar + pages.height() + 2 * kMargin));
}

IControlHost* CKorvaneView::Controls() const { return m_pHost.get(); }

void CKorvaneView::SetFocus() { m_pHost->SetFocus(IDC_OBJECT_LIST); }

// ---- initial update and pages ------------------------------------------------------------------

void CKorvaneView::OnInitialUpdate() {
  IControlHost* c = Controls();
  c->ShowWindow(IDC_PROGRESS, FALSE);
  c->ShowWindow(IDC_ABORT, FALSE);
  ShowImageEditControls(FALSE);
  if (!m_bPagesCreated) CreatePages();
  FillObjectList();
  // "ＭＳ ゴシック", 16 pixels, bold.
  c->SetFont(IDC_MODE_CAPTION, 16, TRUE, CString::FromUtf8("ＭＳ ゴシック"));
  c->Invalidate(IDC_MODE_CAPTION);
}

void CKorvaneView::CreatePages() {
  if (m_bPagesCreated) return;
  m_Sheet.Create(this, kSheetX, kSheetY);
  m_bFieldFixedPages = m_pDoc && m_pDoc->m_Settings.System.FixField ? TRUE : FALSE;
  for (int kind : CKorvanePropertySheet::CreationOrder()) {
    // The image-edit page is built anew each time image editing starts.
    if (kind == TYPE_IMAGE) continue;
    m_Pages[kind] = CKorvanePropertySheet::CreatePagesOfKind(kind, m_bFieldFixedPages);
  }
  m_bPagesCreated = TRUE;
  ShowPagesForType(TYPE_DRAWING);
}

CKorvanePage* CKorvaneView::GetKindPage(int kind, int index) const {
  auto it = m_Pages.find(kind);
  if (it == m_Pages.end() || index < 0 || index >= static_cast<int>(it->second.size())) return nullptr;
  return it->second[index].get();
}

void CKorvaneView::ShowPagesForType(int kind) {
  if (!m_bPagesCreated) {
    CreatePages();
    if (kind == m_nPageKind) return;
  }
  if (kind == m_nPageKind) {
    m_Sheet.ActivateTypePage(kind);
    return;
  }
  for (int i = m_Sheet.GetPageCount() - 1; i >= 0; --i) m_Sheet.RemovePage(i);
  m_nPageKind = kind;
  if (kind == TYPE_IMAGE) m_Pages[TYPE_IMAGE] = CKorvanePropertySheet::CreatePagesOfKind(TYPE_IMAGE, false);
  auto it = m_Pages.find(kind);
  if (!CKorvanePropertySheet::KindHasPages(kind) || it == m_Pages.end() || it->second.empty()) return;
  for (auto& page : it->second) {
    // Controls made while the sheet adds the page must not write back to the document.
    page->m_bAdding = 1;
    page->m_bUpdating = 1;
    m_Sheet.AddPage(page.get());
    page->m_bUpdating = 0;
    page->m_bAdding = 0;
  }
  m_Sheet.ActivateTypePage(kind);
  updateGeometry();
  if (m_fnSizeHint) m_fnSizeHint();
}

void CKorvaneView::ShowCurrentTypePages(int line, BOOL select) {
  if (!m_pDoc) return;
  const int kind = m_pDoc->m_nCurrentKind;
  ShowPagesForType(kind);
  IControlHost* c = Controls();
  if (select) {
    int row = 0;
    CObjectList* list = m_pDoc->GetObjectList();
    if (list && line >= 0 && line < list->GetCount() && !list->GetObject(line)->m_bDeleted) row = RowOfEntry(line);
    c->SetCurSel(IDC_OBJECT_LIST, row);
  }
  if (kind == TYPE_IMAGE) {
    c->ShowWindow(IDC_OBJECT_LIST, FALSE);
    ShowImageEditControls(TRUE);
    c->CheckRadioButton(IDC_ZOOM_10, IDC_ZOOM_100);
    c->SetDlgItemText(IDC_FIT_PERCENT, CString());
  } else {
    if (!c->IsWindowVisible(IDC_OBJECT_LIST)) c->ShowWindow(IDC_OBJECT_LIST, TRUE);
    ShowImageEditControls(FALSE);
  }
}

void CKorvaneView::ShowImageEditControls(BOOL show) {
  for (int id : kImageEditControls) Controls()->ShowWindow(id, show);
}

void CKorvaneView::SelectObject(int n) {
  if (!m_pDoc) return;
  m_pDoc->SetCurrentObject(m_pDoc->VisibleToIndex(n), TRUE, TRUE);
  m_pDoc->FocusView(0);
}

void CKorvaneView::FillObjectList() {
  IControlHost* c = Controls();
  c->ResetContent(IDC_OBJECT_LIST);
  m_vRowIndex.clear();
  m_nRowEntries = 0;
  const CObjectList* list = m_pDoc ? m_pDoc->GetObjectList() : nullptr;
  if (!list) return;
  // One pass over the entries: finding each row's entry anew would make filling quadratic.
  m_vRowIndex = list->VisibleIndices();
  m_pRowList = list;
  m_nRowEntries = list->GetCount();
  m_nRowRemovals = list->GetRemovalCount();
  CString text;
  for (int index : m_vRowIndex) {
    text = CString();
    list->GetEntryText(index, text);
    c->AddString(IDC_OBJECT_LIST, text);
  }
}

void CKorvaneView::SyncObjectList() {
  IControlHost* c = Controls();
  const CObjectList* list = m_pDoc ? m_pDoc->GetObjectList() : nullptr;
  if (!list || list != m_pRowList || list->GetRemovalCount() != m_nRowRemovals || list->GetCount() < m_nRowEntries ||
      c->GetCount(IDC_OBJECT_LIST) != static_cast<int>(m_vRowIndex.size())) {
    FillObjectList();
    return;
  }
  // Both row lists ascend: a row shown but no longer visible was deleted; a visible entry not
  // shown must be one appended since. Anything else (an entry back from deletion) refills.
  const std::vector<int> now = list->VisibleIndices();
  std::vector<int> gone;
  size_t i = 0, j = 0;
  while (i < m_vRowIndex.size() || j < now.size()) {
    if (i < m_vRowIndex.size() && j < now.size() && m_vRowIndex[i] == now[j]) {
      ++i, ++j;
    } else if (i < m_vRowIndex.size() && (j == now.size() || m_vRowIndex[i] < now[j])) {
      gone.push_back(static_cast<int>(i++));
    } else if (now[j] < m_nRowEntries) {
      FillObjectList();
      return;
    } else {
      break;
    }
  }
  // Each removal moves the rows after it: many of them cost more than a new fill.
  constexpr size_t kMostRemovals = 64;
  if (gone.size() > kMostRemovals) {
    FillObjectList();
    return;
  }
  for (auto row = gone.rbegin(); row != gone.rend(); ++row) {
    c->DeleteString(IDC_OBJECT_LIST, *row);
    m_vRowIndex.erase(m_vRowIndex.begin() + *row);
  }
  CString text;
  for (; j < now.size(); ++j) {
    text = CString();
    list->GetEntryText(now[j], text);
    c->AddString(IDC_OBJECT_LIST, text);
    m_vRowIndex.push_back(now[j]);
  }
  m_nRowEntries = list->GetCount();
}

bool CKorvaneView::RowsCurrent() const {
  const CObjectList* list = m_pDoc ? m_pDoc->GetObjectList() : nullptr;
  return list && list == m_pRowList && list->GetCount() == m_nRowEntries && list->GetRemovalCount() == m_nRowRemovals &&
         Controls()->GetCount(IDC_OBJECT_LIST) == static_cast<int>(m_vRowIndex.size());
}

int CKorvaneView::RowOfEntry(int index) const {
  if (RowsCurrent()) {
    const auto at = std::lower_bound(m_vRowIndex.begin(), m_vRowIndex.end(), index);
    if (at != m_vRowIndex.end() && *at == index) return static_cast<int>(at - m_vRowIndex.begin());
  }
  return m_pDoc->IndexToVisible(index);
}

void CKorvaneView::RefreshRowTexts() {
  IControlHost* c = Controls();
  const CObjectList* list = m_pDoc ? m_pDoc->GetObjectList() : nullptr;
  if (!list || list != m_pRowList || c->GetCount(IDC_OBJECT_LIST) != static_cast<int>(m_vRowIndex.size())) {
    FillObjectList();
    if (m_pDoc && m_pDoc->m_nCurrentIndex >= 0) c->SetCurSel(IDC_OBJECT_LIST, m_pDoc->IndexToVisible(m_pDoc->m_nCurrentIndex));
    return;
  }
  const int selected = c->GetCurSel(IDC_OBJECT_LIST);
  CString text;
  for (size_t row = 0; row < m_vRowIndex.size(); ++row) {
    text = CString();
    list->GetEntryText(m_vRowIndex[row], text);
    const int r = static_cast<int>(row);
    if (text == c->GetText(IDC_OBJECT_LIST, r)) continue;
    c->DeleteString(IDC_OBJECT_LIST, r);
    c->InsertString(IDC_OBJECT_LIST, r, text);
  }
  if (selected >= 0) c->SetCurSel(IDC_OBJECT_LIST, selected);
}

int CKorvaneView::GetRememberedPage(int kind) {
  const int slot = RememberSlot(kind);
  return slot < 0 ? 0 : m_nRememberedPage[slot];
}

void CKorvaneView::SetRememberedPage(int kind, int index) {
  const int slot = RememberSlot(kind);
  if (slot >= 0) m_nRememberedPage[slot] = index;
}

void CKorvaneView::RefreshDrawingPages() {
  const int count = m_bFieldFixedPages ? 2 : 3;
  for (int i = 0; i < count; ++i) {
    m_Sheet.SetActivePage(i);
    CKorvanePage* page = GetKindPage(TYPE_DRAWING, i);
    if (page && page->HasHost()) page->RefreshPage();
  }
  m_Sheet.SetActivePage(0);
}

// ---- document updates --------------------------------------------------------------------------

void CKorvaneView::OnUpdate(CView* sender, LPARAM hint, CObject* hintObject) {
  (void)sender;
  if (!m_pDoc) return;
  IControlHost* c = Controls();
  switch (hint) {
    case HINT_ZOOM_CHANGED:
    case HINT_LAYER_CHANGED:
    case HINT_REDRAW_ALL:
    // A mirror or an output mode changes the chosen objects in place: the hint is no list line,
    // and the choice stays where it is.
    case HINT_MIRROR_CHANGED:
    case HINT_OUTPUT_MODE_CHANGED:
    // A threaded job leaves the selection as it is; its hint carries no list line.
    case HINT_THREAD_ENGRAVING_STARTED:
      return;
    case HINT_NEW_DOCUMENT:
      FillObjectList();
      c->SetCurSel(IDC_OBJECT_LIST, 0);
      SelectObject(1);
      return;
    case HINT_ENGRAVING_ENDED:
      // A finished job advanced the counting texts: their rows and the text page show the new count.
      RefreshRowTexts();
      // The new count also rebuilds the characters, so the character page shows them afresh too.
      if (m_nPageKind == TYPE_TEXT1 || m_nPageKind == TYPE_TEXT2) {
        for (int index = 0; CKorvanePage* page = GetKindPage(m_nPageKind, index); ++index) {
          if (page->HasHost()) page->RefreshPage();
        }
      }
      return;
    case HINT_SELECTION_NUDGED:
      c->SetFocus(IDC_OBJECT_LIST);
      return;
    case HINT_DRAWING_DATA_LOADED:
      // Loads and seal imports add objects along with the settings.
      SyncObjectList();
      ShowCurrentTypePages(m_pDoc->m_nCurrentIndex, TRUE);
      RefreshDrawingPages();
      return;
    default:
      break;
  }
  auto* doc = dynamic_cast<CKorvaneDoc*>(hintObject);
  if (!doc) return;
  const int line = static_cast<int>(hint);
  switch (doc->m_nLastAction) {
    case HINT_OBJECTS_ADDED:
    case HINT_OBJECTS_PASTED:
      SyncObjectList();
      // The current object's line: the new object's, the first for a multi-selection, and the
      // work area's while a seal is built part by part.
      ShowCurrentTypePages(doc->m_nCurrentKind == TYPE_MULTI ? 0 : doc->m_nCurrentIndex, TRUE);
      break;
    case HINT_OBJECTS_DELETED:
      SyncObjectList();
      ShowCurrentTypePages(0, TRUE);
      break;
    case HINT_SEAL_TEXT_TO_IMAGE:
      SyncObjectList();
      ShowCurrentTypePages(line, TRUE);
      break;
    case HINT_SELECTION_CHANGED:
    case HINT_OBJECT_MOVED:
    case HINT_OBJECTS_MOVED:
      ShowCurrentTypePages(line, TRUE);
      break;
    default:
      break;
  }
}

// ---- services to the document ------------------------------------------------------------------

void CKorvaneView::SetModeCaption(const CString& text) { Controls()->SetDlgItemText(IDC_MODE_CAPTION, text); }

void CKorvaneView::RefreshSelectedLine() {
  if (!m_pDoc) return;
  IControlHost* c = Controls();
  int row = c->GetCurSel(IDC_OBJECT_LIST);
  // No line selected: the current object's own line.
  if (row < 0) row = m_pDoc->m_nCurrentIndex >= 0 ? m_pDoc->IndexToVisible(m_pDoc->m_nCurrentIndex) : 0;
  if (row < 0 || row >= c->GetCount(IDC_OBJECT_LIST)) return;
  CString text;
  // The rows' map names the entry when it is in line; counting visible entries walks the list.
  if (RowsCurrent()) {
    if (!m_pDoc->GetObjectList()->GetEntryText(m_vRowIndex[static_cast<size_t>(row)], text)) return;
  } else if (!m_pDoc->GetListText(row + 1, text)) {
    return;
  }
  c->DeleteString(IDC_OBJECT_LIST, row);
  c->InsertString(IDC_OBJECT_LIST, row, text);
  c->SetCurSel(IDC_OBJECT_LIST, row);
}

int CKorvaneView::GetActivePageIndex() { return m_Sheet.GetActiveIndex(); }

void CKorvaneView::ShowZoomPercent(double zoom) {
  const int percent = CTextUtil().Round(zoom * 10.0);
  Controls()->SetDlgItemText(IDC_FIT_PERCENT, numfmt::Format("%d%%", percent));
}

void CKorvaneView::ForwardToImageEditPage(int code) {
  if (m_nPageKind != TYPE_IMAGE) return;
  if (auto* page = dynamic_cast<IImageEditPage*>(GetKindPage(TYPE_IMAGE, 0))) page->SelectTool(code);
}

int CKorvaneView::QueryImageEditPage(int& x, int& y, int& same) {
  if (m_nPageKind != TYPE_IMAGE) return 0;
  auto* page = dynamic_cast<IImageEditPage*>(GetKindPage(TYPE_IMAGE, 0));
  return page ? page->GetThickenAmounts(x, y, same) : 0;
}

void CKorvaneView::HideProgress() {
  RunOnUiThread([this] {
    Controls()->ShowWindow(IDC_PROGRESS, FALSE);
    Controls()->ShowWindow(IDC_ABORT, FALSE);
  });
}

void CKorvaneView::RunOnUiThread(std::function<void()> work) {
  if (QThread::currentThread() == thread()) {
    work();
  } else {
    // Another thread only queues the change; the form's thread carries it out.
    QMetaObject::invokeMethod(this, std::move(work), Qt::QueuedConnection);
  }
}

void CKorvaneView::ShowProgress(int lo, int hi) {
  RunOnUiThread([this, lo, hi] {
    Controls()->SetProgressRange(IDC_PROGRESS, lo, hi);
    Controls()->SetProgressPos(IDC_PROGRESS, lo);
    Controls()->ShowWindow(IDC_PROGRESS, TRUE);
    Controls()->ShowWindow(IDC_ABORT, TRUE);
  });
}

void CKorvaneView::SetProgressPos(int pos) {
  RunOnUiThread([this, pos] { Controls()->SetProgressPos(IDC_PROGRESS, pos); });
}

void CKorvaneView::ScheduleEngravingEnd() {
  if (m_fnEngravingEnd) m_fnEngravingEnd();
}

// ---- controls ----------------------------------------------------------------------------------

void CKorvaneView::SetCommandHandler(int id, std::function<void(int)> handler) { m_Handlers[id] = std::move(handler); }

BOOL CKorvaneView::OnCommand(int id, int code) {
  if (id == IDC_OBJECT_LIST) {
    if (code == LBN_SELCHANGE) {
      const int row = Controls()->GetCurSel(IDC_OBJECT_LIST);
      if (row >= 0) SelectObject(row + 1);
    }
    return TRUE;
  }
  auto it = m_Handlers.find(id);
  if (it == m_Handlers.end() || !it->second) return FALSE;
  it->second(code);
  return TRUE;
}

BOOL CKorvaneView::OnNotify(int id, NMUPDOWN& nm) {
  (void)id, (void)nm;
  return FALSE;
}

BOOL CKorvaneView::OnCtlColor(int id, COLORREF& text, COLORREF& back) {
  if (id != IDC_MODE_CAPTION) return FALSE;
  text = kCaptionText;
  back = kCaptionBack;
  return TRUE;
}

void CKorvaneView::OnFilePrint() {
  if (m_pDoc) m_pDoc->PrintOrPreview(1);
}

void CKorvaneView::OnFilePrintPreview() {
  if (m_pDoc) m_pDoc->PrintOrPreview(0);
}

// ---- the pane that scrolls the form --------------------------------------------------------------

CFormScroller::CFormScroller(CKorvaneView* form, QWidget* parent) : QScrollArea(parent) {
  setWidget(form);
  if (form) form->SetSizeHintHandler([this] { Refit(); });
}

void CFormScroller::resizeEvent(QResizeEvent* event) {
  QScrollArea::resizeEvent(event);
  Refit();
}

void CFormScroller::Refit() {
  QWidget* form = widget();
  if (!form) return;
  // The room without scroll bars, less the bar a too small side needs.
  const QSize hint = form->sizeHint();
  QSize room = maximumViewportSize();
  if (room.height() < hint.height()) room.rwidth() -= verticalScrollBar()->sizeHint().width();
  if (room.width() < hint.width()) room.rheight() -= horizontalScrollBar()->sizeHint().height();
  form->resize(room.expandedTo(hint));
}
