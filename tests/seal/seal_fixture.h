// A started document in a temporary folder with a real canvas view, a form view and a main
// frame that record what they are told, and the seal dialogs answered from a script.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <vector>

#include "canvas/leftview.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "platform/ui/modal_dialogs.h"
#include "scripted_prompter.h"
#include "temp_dir.h"

class SealFormView : public CView, public IDocFormView {
 public:
  void OnUpdate(CView*, LPARAM hint, CObject*) override { hints.push_back(static_cast<int>(hint)); }
  void SetFocus() override {}
  void SetModeCaption(const CString& text) override { caption = text; }
  std::vector<int> hints;
  CString caption = "unset";
};

class SealFrame : public IDocMainFrame {
 public:
  void UpdateZoomPane(int) override {}
  void ShowSealModeBars(int mode) override { bars.push_back(mode); }
  std::vector<int> bars;
};

class SealDialogs : public IModalDialogs {
 public:
  SealDialogs() { m_previous = SetModalDialogs(this); }
  ~SealDialogs() override { SetModalDialogs(m_previous); }
  bool LayerDialog(LayerDialogData&) override { return false; }
  bool OutputModeDialog(OutputModeDialogData&) override { return false; }
  bool FontDialog(FontDialogData&) override { return false; }
  bool SaveFileDialog(const FileDialogRequest&, CString& path, int& filter) override {
    ++saveAsked;
    if (savePath.IsEmpty()) return false;
    path = savePath;
    filter = 1;
    return true;
  }
  bool SealKindDialog(SealKindDialogData& d) override {
    d.kind = kind;
    return kindOk;
  }
  // Each seal dialog: `edit` changes what the document filled in; the answer is `ok`.
  bool PersonalSealDialog(PersonalSealDialogData& d) override {
    shownPersonal = d;
    if (editPersonal) editPersonal(d);
    return personalOk;
  }
  bool CorporateSealDialog(CorporateSealDialogData& d) override {
    shownCorporate = d;
    if (editCorporate) editCorporate(d);
    return corporateOk;
  }

  int kind = -1;
  bool kindOk = true;
  bool personalOk = true;
  bool corporateOk = true;
  std::function<void(PersonalSealDialogData&)> editPersonal;
  std::function<void(CorporateSealDialogData&)> editCorporate;
  PersonalSealDialogData shownPersonal;
  CorporateSealDialogData shownCorporate;
  CString savePath;
  int saveAsked = 0;

 private:
  IModalDialogs* m_previous = nullptr;
};

class SealTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  CObjectList& List() { return *doc->GetObjectList(); }
  // Live entries after the work area, in list order.
  std::vector<CDrawObject*> Live();
  std::vector<CDrawObject*> LivePart(int part, int kind = -1);
  // A personal seal of the shape and size with one line of text per entry.
  void BuildPersonal(int shape, double w, double h, int style, std::vector<CString> lines, double radius = 0.0);
  void BuildCorporate(const CString& ring, const CString& inner, int uchiwaku = 1, int tenmaru = 0);

  TempDir dir;
  ScriptedPrompter prompter;
  SealDialogs dialogs;
  SealFormView form;
  SealFrame frame;
  std::unique_ptr<CKorvaneDoc> doc;
  std::unique_ptr<CLeftView> view;
};

inline CString U(const char* utf8) { return CString::FromUtf8(utf8); }
