#include "platform/ui/docview.h"

#include <algorithm>

CDocument::~CDocument() {
  for (CView* view : m_views) view->m_pDocument = nullptr;
}

BOOL CDocument::OnNewDocument() {
  m_title.Empty();
  return TRUE;
}

void CDocument::AddView(CView* view) {
  if (!view || view->m_pDocument == this) return;
  if (view->m_pDocument) view->m_pDocument->RemoveView(view);
  m_views.push_back(view);
  view->m_pDocument = this;
}

void CDocument::RemoveView(CView* view) {
  auto it = std::find(m_views.begin(), m_views.end(), view);
  if (it == m_views.end()) return;
  m_views.erase(it);
  view->m_pDocument = nullptr;
}

void CDocument::UpdateAllViews(CView* sender, LPARAM hint, CObject* hintObject) {
  // A copy, because a view may attach or detach views while it is being told.
  const std::vector<CView*> views = m_views;
  for (CView* view : views) {
    if (view == sender) continue;
    // Detached (and perhaps destroyed) during this walk: do not touch it.
    if (std::find(m_views.begin(), m_views.end(), view) == m_views.end()) continue;
    view->OnUpdate(sender, hint, hintObject);
  }
}

CView::~CView() {
  if (m_pDocument) m_pDocument->RemoveView(this);
}
