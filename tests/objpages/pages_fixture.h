// The object pages driven through the test control host over a real document: a page host for
// the page memory, a canvas that counts setter calls and a main frame that records timers.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

#include "fake_control_host.h"
#include "form_test_pages.h"
#include "model/drawobject.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "model/textobject.h"
#include "pages/object_pages.h"
#include "scripted_prompter.h"
#include "temp_dir.h"

// The test host with the trackbars and the read-only state the object pages use.
class CPageTestHost : public CFakeControlHost {
 public:
  using CFakeControlHost::CFakeControlHost;
  void SetReadOnly(int id, BOOL readOnly) override { m_readOnly[id] = readOnly; }
  BOOL IsReadOnly(int id) const override {
    auto it = m_readOnly.find(id);
    return it != m_readOnly.end() && it->second;
  }
  void SetSliderRange(int id, int min, int max) override { m_slider[id].min = min, m_slider[id].max = max; }
  void SetSliderPos(int id, int pos) override { m_slider[id].pos = pos; }
  int GetSliderPos(int id) const override {
    auto it = m_slider.find(id);
    return it == m_slider.end() ? 0 : it->second.pos;
  }
  void SetSliderTicFreq(int id, int freq) override { m_slider[id].freq = freq; }
  // The operator lets go of a trackbar at a position.
  void ReleaseSlider(IControlOwner& owner, int id, int pos);

  struct Slider {
    int min = 0, max = 100, pos = 0, freq = 0;
  };
  std::map<int, Slider> m_slider;
  std::map<int, BOOL> m_readOnly;
};

class RecordingFrame : public IDocMainFrame {
 public:
  void UpdateZoomPane(int) override {}
  void ShowSealModeBars(int) override {}
  void SetFrameTimer(UINT id, UINT elapse) override { timers.emplace_back(id, elapse); }
  std::vector<std::pair<UINT, UINT>> timers;
};

class PageFormHost : public IPageFormHost {
 public:
  CKorvaneDoc* doc = nullptr;
  std::map<int, int> remembered;
  CKorvaneDoc* GetPageDocument() override { return doc; }
  int GetRememberedPage(int kind) override { return remembered.count(kind) ? remembered[kind] : 0; }
  void SetRememberedPage(int kind, int index) override { remembered[kind] = index; }
};

class PagesTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  CObjectList& List() { return *doc->GetObjectList(); }
  // Adds an object of a kind and makes it current; returns its index.
  int Add(int kind);
  void Select(int index) { doc->SetCurrentObject(index, TRUE, TRUE); }
  template <class T>
  T* At(int index) {
    return static_cast<T*>(List().GetObject(index));
  }
  // Shows a page on its host, as the sheet does when it activates it.
  void Show(CPropertyPage& page, CPageTestHost& host) {
    page.AttachHost(&host);
    page.Activate();
  }
  std::string Text(CPageTestHost& host, int id) { return host.GetDlgItemText(id).str(); }
  // Setter calls so far (every setter call starts by invalidating the selection).
  int SetterCalls() const { return canvas.invalidations; }

  TempDir dir;
  ScriptedPrompter prompter;
  CountingCanvas canvas;
  RecordingFrame frame;
  PageFormHost formHost;
  std::unique_ptr<CKorvaneDoc> doc;
};

// A page and its host, built from the page's template.
template <class Page>
struct Driven {
  Page page;
  CPageTestHost host{*page.GetTemplate()};
};
