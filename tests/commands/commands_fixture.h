// A started document with faked views and frame, the frame commands registered on a table with
// a fake clipboard, the program's file services and a recent list, all in a temporary folder.
#pragma once

#include <gtest/gtest.h>

#include <functional>

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QtGlobal>
#include <QString>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "app/frame_commands.h"
#include "fake_object_clipboard.h"
#include "files/mrk_open_save.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "platform/ui/command_table.h"
#include "platform/ui/modal_dialogs.h"
#include "platform_notes.h"
#include "scripted_prompter.h"
#include "temp_dir.h"

// A UTF-8 text as the prompter sees it (code page 932), for ExpectMessage.
inline const char* U(const char* utf8) {
  static std::deque<std::string> kept;
  kept.push_back(CString::FromUtf8(utf8).str());
  return kept.back().c_str();
}

class CmdCanvasView : public CView, public IDocCanvasView {
 public:
  void OnUpdate(CView*, LPARAM hint, CObject*) override { hints.push_back(hint); }
  void InvalidateRect(const RECT&, BOOL) override {}
  void InvalidateObject(int) override {}
  void InvalidateSelection() override {}
  BOOL CalcObject(CDrawObject*, CDoubleRect&) override { return FALSE; }
  BOOL GetTrackerIndex(int&) override { return FALSE; }
  int IsRendererReady() const override { return ready; }
  std::vector<LPARAM> hints;
  int ready = 1;
};

class CmdFormView : public CView, public IDocFormView {
 public:
  void OnUpdate(CView*, LPARAM hint, CObject*) override { hints.push_back(hint); }
  void SetModeCaption(const CString&) override {}
  std::vector<LPARAM> hints;
};

class CmdMainFrame : public IDocMainFrame {
 public:
  void UpdateZoomPane(int) override {}
  void ShowSealModeBars(int) override {}
  void ShowZoomPane(double factor) override { zoom.push_back(factor); }
  void ShowStepPane(double step) override { steps.push_back(step); }
  void FocusCanvasView() override { ++focus; }
  std::vector<double> zoom, steps;
  int focus = 0;
};

// The application's recent-file list as the document sees it: 16 entries, newest first.
class FakeRecentFiles : public IDocRecentFiles {
 public:
  void Add(const CString& path) override {
    for (auto it = paths.begin(); it != paths.end(); ++it) {
      if (*it == path) {
        paths.erase(it);
        break;
      }
    }
    paths.insert(paths.begin(), path);
    if (paths.size() > 16) paths.resize(16);
  }
  CString GetRecentFileName(int n) const override {
    return n >= 1 && n <= GetCount() ? paths[static_cast<size_t>(n - 1)] : CString();
  }
  int GetCount() const { return static_cast<int>(paths.size()); }
  std::vector<CString> paths;
};

// The save dialog and the places dialog, scripted.
class CmdDialogs : public IModalDialogs {
 public:
  CmdDialogs() { m_previous = SetModalDialogs(this); }
  ~CmdDialogs() override {
    SetModalDialogs(m_previous);
    EXPECT_TRUE(saves.empty() && places.empty()) << "scripted dialog answers never asked for";
  }
  struct Save {
    std::string path;  // empty: cancelled
    int filter = 1;
  };
  bool LayerDialog(LayerDialogData&) override { return false; }
  bool OutputModeDialog(OutputModeDialogData&) override { return false; }
  bool FontDialog(FontDialogData&) override { return false; }
  bool SaveFileDialog(const FileDialogRequest& request, CString& path, int& filter) override {
    requests.push_back(request);
    if (saves.empty()) {
      ADD_FAILURE() << "unexpected save dialog";
      return false;
    }
    const Save s = saves.front();
    saves.pop_front();
    if (s.path.empty()) return false;
    path = s.path.c_str();
    filter = s.filter;
    return true;
  }
  bool PlacesBarDialog(PlacesBarDialogData& data) override {
    shownPlaces = data;
    if (places.empty()) {
      ADD_FAILURE() << "unexpected places dialog";
      return false;
    }
    auto answer = places.front();
    places.pop_front();
    if (answer.first) data = answer.second;
    return answer.first;
  }
  std::deque<Save> saves;
  std::deque<std::pair<bool, PlacesBarDialogData>> places;
  PlacesBarDialogData shownPlaces;
  std::vector<FileDialogRequest> requests;

 private:
  IModalDialogs* m_previous = nullptr;
};

// Runs `act` on the modal dialog once one is up (polling, so that a slow start cannot leave a
// dialog waiting for the operator); after five seconds without one, every open dialog is closed
// and the test fails.
inline void WhenModal(std::function<void(QWidget*)> act, int triesLeft = 100) {
  QTimer::singleShot(triesLeft == 100 ? 0 : 50, [act = std::move(act), triesLeft]() mutable {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      act(modal);
      return;
    }
    if (triesLeft > 0) {
      WhenModal(std::move(act), triesLeft - 1);
      return;
    }
    ADD_FAILURE() << "no modal dialog came up";
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (auto* dialog = qobject_cast<QDialog*>(w)) dialog->reject();
    }
  });
}

// Qt warnings fail the test, but for the offscreen platform's own notes.
inline std::vector<std::string>& QtWarnings() {
  static std::vector<std::string> warnings;
  return warnings;
}
inline void CollectQtWarnings(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtDebugMsg || type == QtInfoMsg) return;
  if (IsPlatformNote(text)) return;
  QtWarnings().push_back(text.toStdString());
}

class CommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QtWarnings().clear();
    m_previousHandler = qInstallMessageHandler(CollectQtWarnings);
    g_bModified = 0;
    recent = std::make_unique<FakeRecentFiles>();
    doc = std::make_unique<CKorvaneDoc>();
    files = std::make_unique<CMrkProjectFiles>(*doc);
    doc->SetMainFrame(&frame);
    doc->SetFileServices(files.get());
    doc->SetRecentFiles(recent.get());
    ASSERT_TRUE(doc->OnNewDocument());
    doc->AddView(&canvas);
    doc->AddView(&form);
    g_bModified = 0;
    commands = new CFrameCommands(table, CommandContext{doc.get(), nullptr, &frame, nullptr, nullptr}, &clipboard);
    commands->Register();
  }
  void TearDown() override {
    delete commands;
    doc.reset();
    g_bModified = 0;
    qInstallMessageHandler(m_previousHandler);
    EXPECT_TRUE(QtWarnings().empty()) << QtWarnings().front();
  }
  QtMessageHandler m_previousHandler = nullptr;
  CObjectList& List() { return *doc->GetObjectList(); }
  // Adds objects of the kinds; each at its own place so copies can be told apart.
  void Add(std::initializer_list<int> kinds) {
    for (int kind : kinds) {
      ASSERT_EQ(doc->AddNewObject(kind), kind);
      List().GetObject(List().GetCount() - 1)->m_dPosX = 3.0 * List().GetCount();
    }
  }
  void SelectOne(int index) { doc->SetCurrentObject(index, FALSE, FALSE); }
  void SelectMany(std::initializer_list<int> indices) {
    std::vector<int> flags(static_cast<size_t>(List().GetCount() - 1), 0);
    for (int index : indices) flags[static_cast<size_t>(index - 1)] = 1;
    doc->SetMultiSelection(flags.data(), static_cast<int>(flags.size()));
  }
  bool Enabled(UINT id) { return table.Update(id).m_bEnabled; }
  int Checked(UINT id) { return table.Update(id).m_nCheck; }

  TempDir dir;
  ScriptedPrompter prompter;
  CmdDialogs dialogs;
  CmdMainFrame frame;
  CmdCanvasView canvas;
  CmdFormView form;
  CFakeObjectClipboard clipboard;
  std::unique_ptr<FakeRecentFiles> recent;
  std::unique_ptr<CKorvaneDoc> doc;
  std::unique_ptr<CMrkProjectFiles> files;
  CCommandTable table;
  CFrameCommands* commands = nullptr;
};
