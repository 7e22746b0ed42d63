// A document wired for engraving: a canvas view that offers a FakeSource (leaving out the
// layers the document does not engrave), a form view and a frame that record what the commands
// do to them, and "LPT1" on a file.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <cstdlib>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "model/drawingobject.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "output/fake_source.h"
#include "output/thread_engrave_engine.h"
#include "platform/ui/modal_dialogs.h"
#include "scripted_prompter.h"
#include "temp_dir.h"

// A UTF-8 text as the prompter sees it (code page 932), for ExpectMessage.
inline const char* U(const char* utf8) {
  static std::deque<std::string> kept;
  kept.push_back(CString::FromUtf8(utf8).str());
  return kept.back().c_str();
}

class LayerSource : public FakeSource {
 public:
  explicit LayerSource(CKorvaneDoc& doc) : FakeSource(doc), m_rDoc(doc) {}
  // Called as each entry is looked at.
  std::function<void(int)> onCapture;
  int GetOutlineType(int index) override {
    if (onCapture) onCapture(index);
    CDrawObject* o = m_rDoc.GetObjectList()->GetObject(index);
    if (o && !m_rDoc.m_bLayerEngrave[o->m_nLayer]) return 13;
    return FakeSource::GetOutlineType(index);
  }

 private:
  CKorvaneDoc& m_rDoc;
};

class EngraveCanvas : public CView, public IDocCanvasView {
 public:
  explicit EngraveCanvas(IEngraveSource* source) : m_pSource(source) {}
  void OnUpdate(CView*, LPARAM hint, CObject*) override { hints.push_back(static_cast<int>(hint)); }
  void InvalidateRect(const RECT&, BOOL) override {}
  void InvalidateObject(int) override {}
  void InvalidateSelection() override {}
  // The bounds an object was given (mm, y up); others cannot be measured.
  BOOL CalcObject(CDrawObject* object, CDoubleRect& out) override {
    const auto it = bounds.find(object);
    if (it == bounds.end()) return FALSE;
    out = it->second;
    return TRUE;
  }
  BOOL GetTrackerIndex(int&) override { return FALSE; }
  IEngraveSource* GetEngraveSource() override { return m_pSource; }
  void RestoreZoom(CKorvaneDoc*, int index) override { restored.push_back(index); }
  int SetRenderMode(int mode) override {
    modes.push_back(mode);
    return 0;
  }
  IEngraveSource* m_pSource;
  std::vector<int> hints, restored, modes;
  std::map<CDrawObject*, CDoubleRect> bounds;
};

class EngraveForm : public CView, public IDocFormView {
 public:
  void OnUpdate(CView*, LPARAM, CObject*) override {}
  void SetModeCaption(const CString&) override {}
  void ShowProgress(int lo, int hi) override {
    shown = true;
    range = {lo, hi};
  }
  void SetProgressPos(int pos) override { positions.push_back(pos); }
  void HideProgress() override {
    shown = false;
    ++hides;
  }
  bool shown = false;
  std::pair<int, int> range{0, 0};
  std::vector<int> positions;
  int hides = 0;
};

class EngraveFrame : public IDocMainFrame {
 public:
  void UpdateZoomPane(int) override {}
  void ShowSealModeBars(int) override {}
  void ToggleEngraveThreadButton(int flag) override { buttonDisabled = flag != 0; }
  void SetEngraveEndTimer(UINT ms) override { timers.push_back(ms); }
  void AppendPortMonitorText(const CString& text) override { monitor.push_back(text.str()); }
  bool buttonDisabled = false;
  std::vector<UINT> timers;
  std::vector<std::string> monitor;
};

// The engrave-layer dialog answered by the test.
class LayerDialogs : public IModalDialogs {
 public:
  LayerDialogs() : m_previous(SetModalDialogs(this)) {}
  ~LayerDialogs() override { SetModalDialogs(m_previous); }
  bool LayerDialog(LayerDialogData&) override { return false; }
  bool OutputModeDialog(OutputModeDialogData&) override { return false; }
  bool FontDialog(FontDialogData&) override { return false; }
  bool EngraveLayerDialog(EngraveLayerDialogData& data) override {
    ++shown;
    last = data;
    if (!answer) return false;
    for (int n = 0; n < 8; ++n) data.checks[n] = checks[n];
    return true;
  }
  int shown = 0;
  bool answer = false;
  int checks[8] = {0, 0, 0, 0, 0, 0, 0, 0};
  EngraveLayerDialogData last;

 private:
  IModalDialogs* m_previous;
};

class DocEngraveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_bModified = 0;
    ASSERT_TRUE(doc.OnNewDocument());
    portPath = dir.File("lpt1.out");
    setenv("DRAVENTIS_LPT1", portPath.c_str(), 1);
    auto* area = dynamic_cast<CDrawingObject*>(doc.GetObjectList()->GetObject(0));
    ASSERT_TRUE(area && area->m_pSetting);
    area->m_pSetting->m_Layers[0].nSpeed = 8;
    doc.m_Settings.DrawingData.HOME = 0;
    doc.SetMainFrame(&frame);
    doc.AddView(&form);
    doc.AddView(&canvas);
  }
  void TearDown() override {
    // A worker still running belongs to this test's port file.
    delete doc.m_pEngine;
    doc.m_pEngine = nullptr;
    doc.RemoveView(&canvas);
    doc.RemoveView(&form);
    unsetenv("DRAVENTIS_LPT1");
    g_bModified = 0;
  }
  std::string Take() {
    std::string bytes = ReadFileBytes(portPath);
    std::remove(portPath.c_str());
    return bytes;
  }
  // A square on a layer.
  int AddOn(int layer, double cx) {
    const int index = source.AddSquare(cx, 0, 10);
    doc.GetObjectList()->GetObject(index)->m_nLayer = layer;
    return index;
  }
  // Lets the current worker end and delivers what it queued.
  void FinishWorker() {
    auto* engine = dynamic_cast<CThreadEngraveEngine*>(doc.m_pEngine);
    ASSERT_TRUE(engine);
    engine->WaitForWorker();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
  }

  TempDir dir;
  ScriptedPrompter prompter;
  LayerDialogs dialogs;
  CKorvaneDoc doc;
  LayerSource source{doc};
  EngraveCanvas canvas{&source};
  EngraveForm form;
  EngraveFrame frame;
  std::string portPath;
};
