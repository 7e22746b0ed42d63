// The document/view framework the system's document and its two views stand on: a document owns
// a list of attached views and tells them about changes with update-all-views.
//
// Update-all-views is synchronous and re-entrant: a view may change the document (and so cause a
// nested update) from inside its OnUpdate. The walk goes over a copy of the view list, skips the
// sender, and skips a view that was detached while the walk was under way.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/cstring.h"
#include "platform/wintypes.h"

using LPARAM = std::intptr_t;

// Base of everything that can travel as a hint object.
class CObject {
 public:
  virtual ~CObject() = default;
};

class CView;

class CDocument : public CObject {
 public:
  CDocument() = default;
  ~CDocument() override;
  CDocument(const CDocument&) = delete;
  CDocument& operator=(const CDocument&) = delete;

  // The framework's new-document step: drops the title. Derived documents call it first.
  virtual BOOL OnNewDocument();

  // Views attach themselves; a view is attached to at most one document.
  void AddView(CView* view);
  void RemoveView(CView* view);
  // The attached views in the order they were added.
  const std::vector<CView*>& GetViews() const { return m_views; }

  // Calls OnUpdate(sender, hint, hintObject) on every attached view except the sender.
  void UpdateAllViews(CView* sender, LPARAM hint = 0, CObject* hintObject = nullptr);

  const CString& GetTitle() const { return m_title; }
  virtual void SetTitle(const CString& title) { m_title = title; }

 private:
  std::vector<CView*> m_views;
  CString m_title;
};

class CView : public CObject {
 public:
  CView() = default;
  // Detaches from its document.
  ~CView() override;
  CView(const CView&) = delete;
  CView& operator=(const CView&) = delete;

  CDocument* GetDocument() const { return m_pDocument; }

  // The document changed; hint and hint object as the document sent them.
  virtual void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject) = 0;
  // Keyboard focus to the view's window; views without a window ignore it.
  virtual void SetFocus() {}

 private:
  friend class CDocument;
  CDocument* m_pDocument = nullptr;
};
