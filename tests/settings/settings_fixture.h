// The work-area pages over a real document: a page memory host, a counting canvas, the port as
// a file (DRAVENTIS_LPT1) and a dialog service that counts save dialogs.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "fake_control_host.h"
#include "form_test_pages.h"
#include "model/drawingobject.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "pages/settings_pages.h"
#include "platform/ui/modal_dialogs.h"
#include "scripted_prompter.h"
#include "temp_dir.h"

class SettingsFormHost : public IPageFormHost {
 public:
  CKorvaneDoc* doc = nullptr;
  std::map<int, int> remembered;
  CKorvaneDoc* GetPageDocument() override { return doc; }
  int GetRememberedPage(int kind) override { return remembered.count(kind) ? remembered[kind] : 0; }
  void SetRememberedPage(int kind, int index) override { remembered[kind] = index; }
};

// Answers every save dialog with Cancel and counts them.
class CountingDialogs : public IModalDialogs {
 public:
  bool LayerDialog(LayerDialogData&) override { return false; }
  bool OutputModeDialog(OutputModeDialogData&) override { return false; }
  bool FontDialog(FontDialogData&) override { return false; }
  bool SaveFileDialog(const FileDialogRequest&, CString& path, int& filter) override {
    ++saves;
    if (answer.empty()) return false;
    path = answer.c_str();
    filter = 1;
    return true;
  }
  int saves = 0;
  std::string answer;
};

// A host that counts invalidations of the preview frame.
class CSettingsHost : public CFakeControlHost {
 public:
  using CFakeControlHost::CFakeControlHost;
  void Invalidate(int id) override {
    ++invalidated[id];
    CFakeControlHost::Invalidate(id);
  }
  std::map<int, int> invalidated;
};

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Writes the settings file the next start reads.
  void WriteSettingsFile(const std::string& text);
  // Starts the document (reads the settings file, makes the work area current).
  void Start();

  CObjectList& List() { return *doc->GetObjectList(); }
  CDrawingObject& Work() { return *List().GetDrawingObject(); }
  void Show(CPropertyPage& page, CFakeControlHost& host) {
    page.AttachHost(&host);
    page.Activate();
  }
  std::string Text(CFakeControlHost& host, int id) { return host.GetDlgItemText(id).str(); }
  // What the port received since the last call.
  std::string Port();

  TempDir dir;
  ScriptedPrompter prompter;
  CountingCanvas canvas;
  SettingsFormHost formHost;
  CountingDialogs dialogs;
  IModalDialogs* previousDialogs = nullptr;
  std::string portPath;
  size_t portRead = 0;
  std::unique_ptr<CKorvaneDoc> doc;
};

template <class Page>
struct Driven {
  Page page;
  CSettingsHost host{*page.GetTemplate()};
};
