// Fakes for the document's tests: views that record every update, a canvas that measures objects
// by their position and size, scripted dialogs and project-file services, and a fixture that
// starts a document in a temporary folder.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "platform/ui/modal_dialogs.h"
#include "scripted_prompter.h"
#include "temp_dir.h"

struct UpdateRecord {
  std::string view;   // "form" or "canvas"
  LPARAM hint = 0;
  int lastAction = 0;
  int kind = 0;
  int index = 0;
  bool operator==(const UpdateRecord&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const UpdateRecord& r) {
  return os << "{" << r.view << " hint " << r.hint << " last " << r.lastAction << " kind " << r.kind << " index "
            << r.index << "}";
}

class UpdateLog {
 public:
  std::vector<UpdateRecord> records;
  void Clear() { records.clear(); }
};

class RecordingView : public CView {
 public:
  RecordingView(std::string name, UpdateLog& log) : m_name(std::move(name)), m_log(log) {}
  void OnUpdate(CView*, LPARAM hint, CObject* hintObject) override {
    auto* doc = dynamic_cast<CKorvaneDoc*>(hintObject);
    m_log.records.push_back({m_name, hint, doc ? doc->m_nLastAction : 0, doc ? doc->m_nCurrentKind : 0,
                             doc ? doc->m_nCurrentIndex : 0});
  }
  void SetFocus() override { ++focusCount; }
  int focusCount = 0;

 private:
  std::string m_name;
  UpdateLog& m_log;
};

class FakeFormView : public RecordingView, public IDocFormView {
 public:
  explicit FakeFormView(UpdateLog& log) : RecordingView("form", log) {}
  void SetModeCaption(const CString& text) override { caption = text; }
  CString caption = "unset";
};

// Measures an object as one copy of its width and height about its position.
class FakeCanvasView : public RecordingView, public IDocCanvasView {
 public:
  explicit FakeCanvasView(UpdateLog& log) : RecordingView("canvas", log) {}
  void InvalidateRect(const RECT&, BOOL) override { ++invalidatedRects; }
  void InvalidateObject(int index) override { invalidatedObjects.push_back(index); }
  void InvalidateSelection() override { ++invalidatedSelections; }
  BOOL CalcObject(CDrawObject* object, CDoubleRect& out) override;
  BOOL GetTrackerIndex(int& index) override {
    index = trackerIndex;
    return hasTracker;
  }

  bool hasTracker = false;
  int trackerIndex = -1;
  int invalidatedRects = 0;
  int invalidatedSelections = 0;
  std::vector<int> invalidatedObjects;
};

class FakeMainFrame : public IDocMainFrame {
 public:
  void UpdateZoomPane(int index) override { zoomPane.push_back(index); }
  void ShowSealModeBars(int mode) override { sealBars.push_back(mode); }
  std::vector<int> zoomPane;
  std::vector<int> sealBars;
};

class FakeFileServices : public IDocFileServices {
 public:
  BOOL SaveMrkBinary(CKorvaneDoc&, const CString& path) override { return Save("binary", path); }
  BOOL SaveMrkText(CKorvaneDoc&, const CString& path) override { return Save("text", path); }
  int ApplyPlacesBar(FileDialogRequest&) override { return ++applied; }
  void RestorePlacesBar(int state) override { restored.push_back(state); }

  BOOL result = TRUE;
  std::vector<std::string> saves;
  int applied = 0;
  std::vector<int> restored;

 private:
  BOOL Save(const char* format, const CString& path) {
    saves.push_back(std::string(format) + ":" + path.str());
    if (result) g_bModified = 0;
    return result;
  }
};

class FakeEngraveServices : public IDocEngraveServices {
 public:
  void RunOriginWizardFix(CKorvaneDoc&, int model) override { wizardModels.push_back(model); }
  std::vector<int> wizardModels;
};

// Answers the document's own dialogs in order; anything unscripted fails the test.
class ScriptedDialogs : public IModalDialogs {
 public:
  ScriptedDialogs() { m_previous = SetModalDialogs(this); }
  ~ScriptedDialogs() override {
    SetModalDialogs(m_previous);
    EXPECT_TRUE(layers.empty() && colorBoxes.empty() && outputModes.empty() && fonts.empty() && saves.empty())
        << "scripted dialog answers never asked for";
  }
  struct Save {
    CString path;  // empty: cancelled
    int filter = 1;
  };
  std::deque<std::pair<bool, LayerDialogData>> layers;
  std::deque<std::pair<bool, ColorBoxDialogData>> colorBoxes;
  std::deque<std::pair<bool, OutputModeDialogData>> outputModes;
  std::deque<std::pair<bool, FontDialogData>> fonts;
  std::deque<Save> saves;
  LayerDialogData shownLayer;
  ColorBoxDialogData shownColorBox;
  OutputModeDialogData shownOutputMode;
  FontDialogData shownFont;

  bool LayerDialog(LayerDialogData& data) override { return Answer(layers, data, shownLayer, "layer"); }
  bool ColorBoxDialog(ColorBoxDialogData& data) override {
    return Answer(colorBoxes, data, shownColorBox, "colour box");
  }
  bool OutputModeDialog(OutputModeDialogData& data) override {
    return Answer(outputModes, data, shownOutputMode, "output-mode");
  }
  bool FontDialog(FontDialogData& data) override { return Answer(fonts, data, shownFont, "font"); }
  bool SaveFileDialog(const FileDialogRequest& request, CString& path, int& filter) override {
    lastSaveFilter = request.filter;
    if (saves.empty()) {
      ADD_FAILURE() << "unexpected save dialog";
      return false;
    }
    Save s = saves.front();
    saves.pop_front();
    if (s.path.IsEmpty()) return false;
    path = s.path;
    filter = s.filter;
    return true;
  }
  CString lastSaveFilter;

 private:
  template <class T>
  bool Answer(std::deque<std::pair<bool, T>>& queue, T& data, T& shown, const char* what) {
    shown = data;
    if (queue.empty()) {
      ADD_FAILURE() << "unexpected " << what << " dialog";
      return false;
    }
    auto answer = queue.front();
    queue.pop_front();
    if (answer.first) data = answer.second;
    return answer.first;
  }
  IModalDialogs* m_previous = nullptr;
};

// A started document in a temporary folder, with both views attached and every neighbour faked.
class DocumentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_bModified = 0;
    doc = std::make_unique<CKorvaneDoc>();
    doc->SetMainFrame(&frame);
    doc->SetFileServices(&files);
    doc->SetEngraveServices(&engrave);
    ASSERT_TRUE(doc->OnNewDocument());
    doc->AddView(&form);
    doc->AddView(&canvas);
    g_bModified = 0;
  }
  void TearDown() override {
    doc.reset();
    g_bModified = 0;
  }

  CObjectList& List() { return *doc->GetObjectList(); }
  // Adds objects of the given kinds without recording their hints.
  void Add(std::initializer_list<int> kinds) {
    for (int kind : kinds) ASSERT_EQ(doc->AddNewObject(kind), kind);
    log.Clear();
  }
  std::vector<UpdateRecord> Records() const { return log.records; }
  // Selects list entries as a multi-selection through the flag array, as the canvas does.
  void SelectMany(std::initializer_list<int> indices) {
    std::vector<int> flags(List().GetCount(), 0);
    for (int index : indices) flags[index - 1] = 1;
    doc->SetMultiSelection(flags.data(), static_cast<int>(flags.size()));
    log.Clear();
  }

  TempDir dir;
  ScriptedPrompter prompter;
  ScriptedDialogs dialogs;
  UpdateLog log;
  FakeFormView form{log};
  FakeCanvasView canvas{log};
  FakeMainFrame frame;
  FakeFileServices files;
  FakeEngraveServices engrave;
  std::unique_ptr<CKorvaneDoc> doc;
};
