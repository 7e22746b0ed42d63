// Small pages over the real control ids of a few kinds, standing in for the object and settings
// pages in the tests of the page cycle, the sheet and the form view; and a canvas view that
// counts what the form view and the setters ask of it.
#pragma once

#include <functional>
#include <vector>

#include "model/doc_seams.h"
#include "pages/korvane_property_sheet.h"
#include "platform/ui/docview.h"

class CDrawObject;

class CTestPage : public CKorvanePage {
 public:
  using FillFn = std::function<void(CTestPage&, CDrawObject*)>;
  CTestPage(const DlgTemplate* tpl, int kind, int index, std::vector<PageBinding> bindings, FillFn fill);

  IControlHost* C() const { return m_pControls; }
  int m_nFills = 0;
  int m_nActivations = 0;
  int m_nAddingSeen = 0;  // fills or activations seen while the adding flag was set

  BOOL OnSetActive() override;
  // Runs after every handled notification (the keep-aspect coupling of a test, say).
  std::function<void(CTestPage&, int id, int code)> m_after;
  // Exposed for the tests of the helper's operations.
  using CPageHelper::m_pControls;

 protected:
  const PageBinding* Bindings(int& count) const override;
  void Fill(CDrawObject* copy) override;
  void AfterChange(int id, int code) override {
    if (m_after) m_after(*this, id, code);
  }

 private:
  std::vector<PageBinding> m_vBindings;
  FillFn m_fill;
};

// The image-edit stand-in: records the tools chosen and answers the thicken query.
class CTestImageEditPage : public CTestPage, public IImageEditPage {
 public:
  CTestImageEditPage();
  void SelectTool(int code) override { m_vTools.push_back(code); }
  int GetThickenAmounts(int& x, int& y, int& same) override {
    x = 3, y = 4, same = 1;
    return 1;
  }
  std::vector<int> m_vTools;
  static int s_nBuilt;
};

// Fills the rectangle page's controls from a rectangle.
void FillRectanglePage(CTestPage& page, CDrawObject* rectangle);

// Rectangle page ids: width 1183 (spin 1184), height 1186 (spin 1187), rows 1195 (spin 1196),
// keep-aspect 1205, corner radios 1207/1209/1211.
const DlgTemplate& RectanglePageTemplate();
// Straight-text string page: text 1326, width 1009; character page: the list 1500.
const DlgTemplate& TextStringPageTemplate();
const DlgTemplate& TextCharPageTemplate();
// One template per drawing page, each with edit 1031 or 1081 as its only control.
const DlgTemplate& DrawingPageTemplate();

// Registers stand-ins for kinds 1, 6, 7, 14 (three free and two fixed pages) and 19; the
// destructor unregisters them.
class TestPagesRegistration {
 public:
  TestPagesRegistration();
  ~TestPagesRegistration();
};

// A canvas view that only counts.
class CountingCanvas : public CView, public IDocCanvasView {
 public:
  void OnUpdate(CView*, LPARAM hint, CObject*) override { hints.push_back(static_cast<int>(hint)); }
  void SetFocus() override { ++focusCount; }
  void InvalidateRect(const RECT&, BOOL) override {}
  // Every setter starts with one of these, accepted or not.
  void InvalidateObject(int) override { ++invalidations; }
  void InvalidateSelection() override { ++invalidations; }
  BOOL CalcObject(CDrawObject*, CDoubleRect&) override { return FALSE; }
  BOOL GetTrackerIndex(int& index) override {
    index = -1;
    return FALSE;
  }
  std::vector<int> hints;
  int focusCount = 0;
  int invalidations = 0;
};
