// The document's life: construction, the new-document step with its save prompt, the first-start
// order, the defaults archive, the settings services and the update plumbing to the two views.
#include "model/korvane_doc.h"

#include <cstdarg>
#include <exception>

#include "files/machine_id.h"
#include "model/doc_archive.h"
#include "model/objectlist.h"
#include "platform/atomic_file.h"
#include "platform/paths.h"
#include "platform/prompter.h"
#include "platform/ui/object_clipboard.h"
#include "platform/ui/modal_dialogs.h"

int g_bModified = 0;

CKorvaneDoc::CKorvaneDoc() = default;

CKorvaneDoc::~CKorvaneDoc() {
  if (m_pObjectList) {
    if (!m_bSettingsSaved) {
      WriteSettings();
      SaveDefaults();
    }
    delete m_pObjectList;
    m_pObjectList = nullptr;
  }
  delete m_pEngine;
  m_pEngine = nullptr;
}

// ---------------------------------------------------------------------------------------------
// New document

BOOL CKorvaneDoc::OnNewDocument() {
  m_bPaintMode = 0;
  const CString title = GetTitle();
  if (!CDocument::OnNewDocument()) return FALSE;
  for (int& visible : m_bLayerVisible) visible = 1;

  if (m_pObjectList) {
    SetSealMode(0);
    // The design keeps its name until it is dropped: the save question offers it, and a
    // cancelled or failed save leaves the design under it.
    CDocument::SetTitle(title);
    if (!SaveModified()) return FALSE;
    // A clipboard block names objects of this design by index: it must not outlive it. What
    // other programs put on the clipboard stays.
    CQtObjectClipboard().ClearOwnData();
    m_pObjectList->RemoveAllButDrawing();
    m_strIncompleteLoad.Empty();
    m_strInsertTitle.Empty();
    m_FileStamp = CProjectFileStamp();
    ResetCurrentState();
    UpdateAllViews(nullptr, HINT_NEW_DOCUMENT, this);
    SetTitle("");
    return TRUE;
  }

  // First start. The reset runs before anything is read; the archive after the list exists, so
  // that it overrides the defaults the list gave its prototypes.
  g_bModified = 0;
  m_pObjectList = new CObjectList;
  CheckSettingsReset();
  ReadMachineId();
  ReadSettings();
  m_pObjectList->Initialize();
  LoadDefaults();
  ResetCurrentState();
  SetTitle("");
  return TRUE;
}

BOOL CKorvaneDoc::OnOpenDocument(const CString&) {
  OnNewDocument();
  return TRUE;
}

void CKorvaneDoc::ResetCurrentState() {
  m_nLastAction = HINT_NEW_DOCUMENT_ACTION;
  m_pCurrentObject = m_pObjectList ? m_pObjectList->GetObject(0) : nullptr;
  m_nCurrentKind = TYPE_DRAWING;
  m_nCurrentIndex = 0;
  m_nLastDeletedIndex = 0;
  m_nSelectCount = 0;
  m_vSelection.clear();
  SyncSelectionLength();
  m_Settings.System.ModeSpan = 0.0;
}

void CKorvaneDoc::OnStartup() {
  CheckFieldOrigin();
  UpdateAllViews(nullptr, HINT_ZOOM_CHANGED, this);
}

void CKorvaneDoc::UpdateAll() { UpdateAllViews(nullptr, -1, this); }

void CKorvaneDoc::DebugTrace(const char*, ...) {}

// ---------------------------------------------------------------------------------------------
// Defaults archive

void CKorvaneDoc::Serialize(CArchive& ar) {
  if (!m_pObjectList) return;
  CDrawObject* prototypes[ARCHIVE_PROTOTYPE_COUNT];
  for (int kind = 0; kind < ARCHIVE_PROTOTYPE_COUNT; ++kind) prototypes[kind] = m_pObjectList->GetPrototype(kind);
  if (ar.IsStoring()) {
    StorePrototypes(ar, prototypes);
  } else {
    LoadPrototypes(ar, prototypes);
  }
}

bool CKorvaneDoc::SaveDefaults() {
  if (!m_pObjectList) return true;
  try {
    CArchive ar;
    Serialize(ar);
    return atomicfile::Write(paths::CompanionFile(".arc"), ar.Buffer().data(), ar.Buffer().size()) ==
           atomicfile::Outcome::Written;
  } catch (const std::exception&) {
    return false;
  }
}

void CKorvaneDoc::SaveSettingsAtExit() {
  if (!m_pObjectList || m_bSettingsSaved) return;
  m_bSettingsSaved = true;
  std::string lost;  // file-system paths, UTF-8
  if (!WriteSettings()) lost += SettingsFilePath() + "\n";
  if (!SaveDefaults()) lost += paths::CompanionFile(".arc") + "\n";
  if (lost.empty()) return;
  // Otherwise the next start silently comes up with the old settings, or with none.
  Prompter().MessageBox(CString::FromUtf8(lost + "設定を保存できませんでした。今回の設定は次回の起動に引き継がれません。"),
                        CString(), MB_OK | MB_ICONWARNING);
}

void CKorvaneDoc::LoadDefaults() {
  if (!m_pObjectList) return;
  const std::string path = paths::CompanionFile(".arc");
  if (!fileio::Exists(path)) return;
  std::vector<std::uint8_t> bytes;
  if (!fileio::ReadAll(path, bytes)) return;
  try {
    CArchive ar(std::move(bytes));
    Serialize(ar);
  } catch (const std::exception&) {
    // A damaged archive is not an error: the built-in defaults stay.
  }
}

// ---------------------------------------------------------------------------------------------
// Settings, machine id, origin, project files, seal mode

void CKorvaneDoc::CheckSettingsReset() { ::CheckSettingsReset(); }

BOOL CKorvaneDoc::DeleteSettingsFiles() { return ::DeleteSettingsFiles() ? TRUE : FALSE; }

void CKorvaneDoc::ReadMachineId() { ::ReadMachineId(m_Settings); }

void CKorvaneDoc::ReadSettings() {
  ::ReadSettings(m_Settings);
  CopySettingsToListDefaults();
}

bool CKorvaneDoc::WriteSettings() {
  CopyListDefaultsToSettings();
  return ::WriteSettings(m_Settings);
}

void CKorvaneDoc::CopySettingsToListDefaults() {
  if (!m_pObjectList) return;
  for (int kind = 0; kind < PROTOTYPE_COUNT; ++kind) {
    const CSettingsObjectOutput& from = m_Settings.ObjectProperty.Object[kind];
    CObjectOutputDefaults& to = m_pObjectList->m_OutputDefaults[kind];
    to.nOutputMode = from.OutputMode;
    to.nFillDirection = from.FillDirection;
    to.nScanInterval = from.ScanInterval;
  }
  const CSettingsTextFont* fonts[2] = {&m_Settings.ObjectProperty.Text1, &m_Settings.ObjectProperty.Text2};
  CTextDefaults* texts[2] = {&m_pObjectList->m_Text1Defaults, &m_pObjectList->m_Text2Defaults};
  for (int k = 0; k < 2; ++k) {
    texts[k]->bItalic = fonts[k]->Italic;
    texts[k]->nFontSize = fonts[k]->FontSize;
    texts[k]->nCharSet = fonts[k]->CharSet;
    texts[k]->nWeight = fonts[k]->Weight;
    texts[k]->SetFaceName(fonts[k]->FontName);
  }
}

void CKorvaneDoc::CopyListDefaultsToSettings() {
  if (!m_pObjectList) return;
  for (int kind = 0; kind < PROTOTYPE_COUNT; ++kind) {
    const CObjectOutputDefaults& from = m_pObjectList->m_OutputDefaults[kind];
    CSettingsObjectOutput& to = m_Settings.ObjectProperty.Object[kind];
    to.OutputMode = from.nOutputMode;
    to.FillDirection = from.nFillDirection;
    to.ScanInterval = from.nScanInterval;
  }
  CSettingsTextFont* fonts[2] = {&m_Settings.ObjectProperty.Text1, &m_Settings.ObjectProperty.Text2};
  const CTextDefaults* texts[2] = {&m_pObjectList->m_Text1Defaults, &m_pObjectList->m_Text2Defaults};
  for (int k = 0; k < 2; ++k) {
    fonts[k]->Italic = texts[k]->bItalic;
    fonts[k]->FontSize = texts[k]->nFontSize;
    fonts[k]->CharSet = texts[k]->nCharSet;
    fonts[k]->Weight = texts[k]->nWeight;
    fonts[k]->SetFontName(CString(texts[k]->szFaceName));
  }
}

void CKorvaneDoc::CheckFieldOrigin() {
  const int model = m_Settings.MachineModel;
  if (model == 0 || m_Settings.System.FieldMachine != 0) return;
  Prompter().MessageBox(CString::FromUtf8("フィールド原点の設定を行います"), CString::FromUtf8("フィールド原点の設定"), MB_OK);
  RunOriginWizardFix(model);
}

void CKorvaneDoc::RunOriginWizardFix(int model) {
  if (m_pEngraveServices) m_pEngraveServices->RunOriginWizardFix(*this, model);
}

BOOL CKorvaneDoc::SaveMrkBinary(const CString& path) {
  return m_pFileServices ? m_pFileServices->SaveMrkBinary(*this, path) : FALSE;
}

BOOL CKorvaneDoc::SaveMrkText(const CString& path) {
  return m_pFileServices ? m_pFileServices->SaveMrkText(*this, path) : FALSE;
}

int CKorvaneDoc::ApplyPlacesBar(FileDialogRequest& request) {
  return m_pFileServices ? m_pFileServices->ApplyPlacesBar(request) : 0;
}

void CKorvaneDoc::RestorePlacesBar(int state) {
  if (m_pFileServices) m_pFileServices->RestorePlacesBar(state);
}

void CKorvaneDoc::SetSealMode(int mode) {
  const bool changed = (mode != m_nSealMode);
  m_nSealMode = mode;
  IDocFormView* form = GetKorvaneView();
  if (!form) return;
  // A fresh seal starts unmasked: its mask layers are hidden (layer 2 of a personal seal, layers
  // 4 and 5 of a corporate one), every other layer shown.
  auto hidden = [mode](int layer) { return (mode == 1 && layer == 2) || (mode == 2 && (layer == 4 || layer == 5)); };
  bool repaint = m_bMaskFlag || m_bInnerMaskFlag;
  for (int i = 0; i < DOC_LAYER_COUNT; ++i) repaint = repaint || m_bLayerVisible[i] != (hidden(i) ? 0 : 1);
  m_bMaskFlag = 0;
  m_bInnerMaskFlag = 0;
  // No repaint when nothing shown changes (the new-document step calls this before its save
  // prompt). The repaint is deferred, so it shows the layers as they are left below.
  if (repaint) {
    SetAllLayersVisible(1);
    for (int i = 0; i < DOC_LAYER_COUNT; ++i)
      if (hidden(i)) m_bLayerVisible[i] = 0;
  }
  const char* caption = mode == 1 ? "実印作成中" : mode == 2 ? "法人印作成中" : "";
  form->SetModeCaption(CString::FromUtf8(caption));
  if (changed && m_pMainFrame) m_pMainFrame->ShowSealModeBars(mode);
}

void CKorvaneDoc::SetFont(const CString& face, int sizeTenths) {
  m_Settings.System.FontName = face;
  m_Settings.System.FontSize = sizeTenths / 10;
}

// ---------------------------------------------------------------------------------------------
// Views

CView* CKorvaneDoc::FindFormView() const {
  for (CView* view : GetViews()) {
    if (dynamic_cast<IDocFormView*>(view)) return view;
  }
  return nullptr;
}

CView* CKorvaneDoc::FindCanvasView() const {
  for (CView* view : GetViews()) {
    if (dynamic_cast<IDocCanvasView*>(view)) return view;
  }
  return nullptr;
}

IDocFormView* CKorvaneDoc::GetKorvaneView() const { return dynamic_cast<IDocFormView*>(FindFormView()); }

IDocCanvasView* CKorvaneDoc::GetLeftView() const { return dynamic_cast<IDocCanvasView*>(FindCanvasView()); }

void CKorvaneDoc::UpdateFormView(LPARAM hint) { UpdateAllViews(FindCanvasView(), hint, this); }

void CKorvaneDoc::UpdateCanvasView(LPARAM hint) { UpdateAllViews(FindFormView(), hint, this); }

void CKorvaneDoc::UpdateBothViews(LPARAM hint) { UpdateAllViews(nullptr, hint, this); }

void CKorvaneDoc::InvalidateLeftView(const RECT& rect) {
  if (IDocCanvasView* canvas = GetLeftView()) canvas->InvalidateRect(rect, TRUE);
}

void CKorvaneDoc::FocusView(int which) {
  CView* view = which == 1 ? FindFormView() : which == 0 ? FindCanvasView() : nullptr;
  if (view) view->SetFocus();
}

void CKorvaneDoc::PrintOrPreview(int flag) {
  IDocCanvasView* canvas = GetLeftView();
  if (!canvas) return;
  if (flag) {
    canvas->FilePrint();
  } else {
    canvas->FilePrintPreview();
  }
}
