#include "app/frame_commands.h"

#include <climits>

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

#include "files/mrk_association.h"
#include "files/mrk_open_save.h"
#include "files/settings_fixed_field.h"
#include "model/doc_clipboard.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "platform/prompter.h"
#include "platform/ui/modal_dialogs.h"
#include "platform/ui/object_clipboard.h"
#include "res/resource.h"

namespace {

int NumberedCount(UINT first, UINT last) { return static_cast<int>(last - first + 1); }

// The menus carry only the first recent entry; the others follow it wherever it stands.
void AddRecentEntriesAfter(QAction* first, CCommandTable& table) {
  for (QObject* owner : first->associatedObjects()) {
    auto* menu = qobject_cast<QMenu*>(owner);
    if (!menu) continue;
    QAction* previous = first;
    for (UINT id = ID_FILE_MRU_FILE1 + 1; id <= ID_FILE_MRU_FILE16; ++id) {
      QAction* entry = table.Action(id);
      if (!menu->actions().contains(entry)) {
        const QList<QAction*> actions = menu->actions();
        const qsizetype at = actions.indexOf(previous);
        menu->insertAction(at + 1 < actions.size() ? actions[at + 1] : nullptr, entry);
      }
      previous = entry;
    }
  }
}

}  // namespace

const std::vector<UINT>& PendingFrameCommandIds() {
  static const std::vector<UINT> ids = [] {
    std::vector<UINT> v = {ID_SCAN_AREA_TO_IMAGE, ID_SELECTION_TO_IMAGE, ID_EDIT_IMAGE, ID_FILE_PRINT,
                           ID_FILE_PRINT_PREVIEW, ID_ENGRAVE, ID_ENGRAVE_THREAD, ID_ORIGIN_WIZARD, ID_PORT_SEND_STRING,
                           ID_PORT_CONSOLE, ID_PORT_MONITOR, ID_PSEAL_MASK, ID_CSEAL_MASK_1,
                           ID_CSEAL_MASK_0, ID_PSEAL_TEXT_TO_IMAGE, ID_CSEAL_RING_TO_IMAGE, ID_CSEAL_INNER_TO_IMAGE,
                           ID_SEAL_IMPORT_FOLDER, ID_SEAL_NEW, ID_SEAL_NEW2, ID_SEAL_MASK, ID_SEAL_MASK_ORDER_0,
                           ID_SEAL_MASK_ORDER_1, ID_SEAL_MASK_COLOR};
    for (UINT id = ID_PAINT_CUT; id <= ID_PAINT_POLYGON; ++id) v.push_back(id);
    return v;
  }();
  return ids;
}

void RegisterFrameCommands(CCommandTable& table, const CommandContext& ctx) {
  auto* commands = new CFrameCommands(table, ctx);
  commands->Register();
}

CFrameCommands::CFrameCommands(CCommandTable& table, const CommandContext& ctx, IObjectClipboard* clipboard)
    : QObject(&table), m_Table(table), m_Ctx(ctx), m_pClipboard(clipboard) {
  setObjectName(QStringLiteral("CFrameCommands"));
  if (!m_pClipboard) m_pClipboard = m_pOwnClipboard = new CQtObjectClipboard;
  // A block left by an earlier run names objects of another design.
  m_pClipboard->ClearOwnData();
}

CFrameCommands::~CFrameCommands() {
  SetFileDialogPlacesHook({});
  delete m_pOwnClipboard;
}

CFrameCommands* CFrameCommands::Of(CCommandTable& table) {
  return table.findChild<CFrameCommands*>(QStringLiteral("CFrameCommands"), Qt::FindDirectChildrenOnly);
}

void CFrameCommands::Focus() {
  if (m_Ctx.frame) m_Ctx.frame->FocusCanvasView();
}

void CFrameCommands::Register() {
  CKorvaneDoc* doc = m_Ctx.doc;
  IDocMainFrame* frame = m_Ctx.frame;
  CCommandTable& t = m_Table;
  if (!doc) return;

  // Rules only ever disable or set marks, so that the rules later pieces add to a row combine.
  const CommandUpdate noPaint = [doc](CCmdUI& ui) {
    if (doc->m_bPaintMode) ui.Enable(FALSE);
  };
  const CommandUpdate whenSelected = [this](CCmdUI& ui) {
    if (SelectedIndices().empty()) ui.Enable(FALSE);
  };

  // Every file dialog of the program, the drawing objects' bitmap dialogs included, gets the
  // places bar.
  SetFileDialogPlacesHook([doc](FileDialogRequest& request) { doc->ApplyPlacesBar(request); });

  // ---- drawing objects
  for (int kind = 0; kind < 8; ++kind) {
    t.Add(ID_ADD_LINE + kind, [this, doc, kind] {
      doc->AddNewObject(kind);
      Focus();
    });
  }
  t.Add(ID_ADD_BMP, [this, doc] {
    doc->AddNewObject(TYPE_BMP);
    Focus();
  });
  for (UINT id : {ID_ADD_BARCODE, ID_ADD_BARCODE2}) {
    t.Add(id, [this, doc] {
      doc->AddNewObject(TYPE_BARCODE);
      Focus();
    });
  }
  for (int n = 0; n < 8; ++n) t.Add(ID_SET_LAYER_0 + n, [doc, n] { doc->SetSelectionLayer(n); }, whenSelected);

  // ---- object clipboard (off in image editing: the current object is then the bitmap under edit)
  for (UINT id : {ID_EDIT_CUT, ID_CONTEXT_CUT}) {
    t.Add(id, [this] { CutObjectsToClipboard(); }, whenSelected);
    t.AddUpdate(id, noPaint);
  }
  for (UINT id : {ID_EDIT_COPY, ID_CONTEXT_COPY}) {
    t.Add(id, [this] { CopyObjectsToClipboard(); }, whenSelected);
    t.AddUpdate(id, noPaint);
  }
  for (UINT id : {ID_EDIT_CLEAR, ID_CONTEXT_DELETE}) {
    t.Add(id, [this] { OnEditDelete(); }, whenSelected);
    t.AddUpdate(id, noPaint);
  }
  const CommandUpdate canPaste = [this](CCmdUI& ui) {
    if (!m_pClipboard->HasData()) ui.Enable(FALSE);
  };
  t.Add(ID_EDIT_PASTE, [this] { PasteObjectsFromClipboard(); }, canPaste);
  t.AddUpdate(ID_EDIT_PASTE, noPaint);
  t.Add(ID_CONTEXT_PASTE, [this] { OnContextPaste(); }, canPaste);
  t.AddUpdate(ID_CONTEXT_PASTE, noPaint);

  // ---- project files
  t.Add(ID_FILE_NEW, [this] { OnFileNew(); }, noPaint);
  t.Add(ID_FILE_OPEN, [this] { OnFileOpen(); }, noPaint);
  t.Add(ID_FILE_INSERT, [this] { OnFileInsert(); }, noPaint);
  t.Add(ID_FILE_SAVE_MRK, [this] { OnFileSaveMrk(); });
  t.Add(ID_FILE_SAVE_AS_MRK, [this] { OnFileSaveAs(); });
  t.Add(ID_FILE_SAVE_AS_NAMED, [this] { OnFileSaveAsNamed(); }, noPaint);
  for (int n = 1; n <= NumberedCount(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE1 + 15); ++n) {
    const UINT id = ID_FILE_MRU_FILE1 + static_cast<UINT>(n - 1);
    t.Add(id, [this, n] { OpenMruFile(n); }, [this, doc, id, n](CCmdUI& ui) {
      IDocRecentFiles* recent = doc->GetRecentFiles();
      const CString path = recent ? recent->GetRecentFileName(n) : CString();
      QAction* action = m_Table.FindAction(id);
      if (n == 1 && action) AddRecentEntriesAfter(action, m_Table);
      if (path.IsEmpty()) {
        // An empty list shows one disabled placeholder.
        ui.Enable(FALSE);
        if (action) {
          action->setText(n == 1 ? QString::fromUtf8("最近使ったﾌｧｲﾙ") : QString());
          action->setVisible(n == 1);
        }
        return;
      }
      if (doc->m_bPaintMode) ui.Enable(FALSE);
      if (action) {
        QString shown = path.ToQString();
        shown.replace('&', QStringLiteral("&&"));
        action->setText(QStringLiteral("&%1 %2").arg(n).arg(shown));
        action->setVisible(true);
      }
    });
  }

  // ---- print (the form view's run) and the engraving side: their conditions, not their runs
  t.AddUpdate(ID_FILE_PRINT, noPaint);
  t.AddUpdate(ID_ENGRAVE, noPaint);

  // ---- zoom and move step
  t.Add(ID_ZOOM_IN, [doc, frame] {
    const double factor = doc->CycleZoom(TRUE);
    if (frame) frame->ShowZoomPane(factor);
  }, [doc](CCmdUI& ui) {
    if (!doc->CanCycleZoom(TRUE)) ui.Enable(FALSE);
  });
  t.AddUpdate(ID_ZOOM_IN, noPaint);
  t.Add(ID_ZOOM_OUT, [doc, frame] {
    const double factor = doc->CycleZoom(FALSE);
    if (frame) frame->ShowZoomPane(factor);
  }, [doc](CCmdUI& ui) {
    if (!doc->CanCycleZoom(FALSE)) ui.Enable(FALSE);
  });
  t.AddUpdate(ID_ZOOM_OUT, noPaint);
  t.Add(ID_STEP_UP, [doc, frame] {
    const double step = doc->CycleMoveStep(TRUE);
    if (frame) frame->ShowStepPane(step);
  }, noPaint);
  t.Add(ID_STEP_DOWN, [doc, frame] {
    const double step = doc->CycleMoveStep(FALSE);
    if (frame) frame->ShowStepPane(step);
  }, noPaint);
  for (int direction = 0; direction < 4; ++direction) {
    t.Add(ID_NUDGE_UP + direction, [doc, direction] { doc->NudgeSelection(direction); }, noPaint);
  }

  // ---- centring, mirroring, output mode, font, layer
  t.Add(ID_CENTER_BOTH, [doc] { doc->CenterSelection(TRUE, TRUE); }, noPaint);
  t.Add(ID_CENTER_HORZ, [doc] { doc->CenterSelection(TRUE, FALSE); }, noPaint);
  t.Add(ID_CENTER_VERT, [doc] { doc->CenterSelection(FALSE, TRUE); }, noPaint);
  t.Add(ID_MIRROR_X, [doc] { doc->MirrorSelection(TRUE, FALSE); }, noPaint);
  t.Add(ID_MIRROR_Y, [doc] { doc->MirrorSelection(FALSE, TRUE); }, noPaint);
  t.Add(ID_OUTPUT_MODE, [doc] { doc->OnOutputMode(); }, noPaint);
  t.Add(ID_FONT, [doc] { doc->OnFontCommand(); }, noPaint);
  t.Add(ID_LAYER_DIALOG, [doc] { doc->OnLayerDialog(); }, noPaint);

  // ---- options
  t.Add(ID_VIEW_GRID, [doc] {
    doc->m_Settings.System.GridShow = doc->m_Settings.System.GridShow ? 0 : 1;
    doc->UpdateAllViews(nullptr, HINT_REDRAW_ALL, doc);
  }, [doc](CCmdUI& ui) { ui.SetCheck(doc->m_Settings.System.GridShow ? 1 : 0); });
  t.Add(ID_V2004_FILL_TEXT, [doc] {
    doc->m_Settings.System.V2004String = doc->m_Settings.System.V2004String ? 0 : 1;
    doc->UpdateAllViews(nullptr, HINT_REDRAW_ALL, doc);
  }, [doc](CCmdUI& ui) { ui.SetCheck(doc->m_Settings.System.V2004String ? 1 : 0); });
  t.Add(ID_LAYER_SHOW_ALL, [doc] { doc->SetAllLayersVisible(1); });
  t.Add(ID_LAYER_HIDE_ALL, [doc] { doc->SetAllLayersVisible(0); });
  for (int n = 0; n < DOC_LAYER_COUNT; ++n) {
    // Layer-bar button n: its own image while the layer is shown, the bar's extra image n
    // (image n + 8 of the bar) while it is hidden.
    t.Add(ID_LAYER_TOGGLE_0 + n, [doc, n] { doc->ToggleLayerVisible(n); }, [doc, n](CCmdUI& ui) {
      const bool visible = doc->m_bLayerVisible[n] != 0;
      ui.SetCheck(visible ? 1 : 0);
      ui.SetImage(visible ? -1 : n);
    });
  }

  // ---- seal bars: the layer buttons, with the image the bar's extra bitmap holds for a hidden
  // layer (extra images in the order of the layer buttons)
  const auto sealButton = [doc](int layer, int extra) {
    return [doc, layer, extra](CCmdUI& ui) {
      const bool visible = doc->m_bLayerVisible[layer] != 0;
      ui.SetCheck(visible ? 1 : 0);
      ui.SetImage(visible ? -1 : extra);
    };
  };
  t.Add(ID_PSEAL_OUTER_FRAME, [doc] { doc->ToggleLayerVisible(0); }, sealButton(0, 0));
  t.Add(ID_PSEAL_INNER_TEXT, [doc] { doc->ToggleLayerVisible(1); }, sealButton(1, 1));
  t.AddUpdate(ID_PSEAL_MASK, sealButton(2, 2));
  for (int layer = 0; layer < 4; ++layer) {
    t.Add(ID_CSEAL_OUTER_FRAME + layer, [doc, layer] { doc->ToggleLayerVisible(layer); }, sealButton(layer, layer));
  }
  t.AddUpdate(ID_CSEAL_MASK_0, sealButton(4, 4));
  t.AddUpdate(ID_CSEAL_MASK_1, sealButton(5, 5));
  t.Add(ID_PSEAL_STUB, [doc] { doc->SealCommandStub(1); });
  t.Add(ID_CSEAL_STUB, [doc] { doc->SealCommandStub(2); });

  // ---- maintenance
  t.Add(ID_INIT_DATA_FILES, [doc] {
    if (Prompter().MessageBox(
            CString::FromUtf8("Draventis のデータを削除します\n削除後、Draventisは初期化されます\nデータファイルを削除してよろしいですか？"),
            CString::FromUtf8("データファイルの削除　確認"), MB_OKCANCEL) != IDOK) {
      return;
    }
    // Nothing is deleted now: the settings writer stores the request, the next start acts on it.
    doc->m_Settings.System.Reset = 1;
    Prompter().MessageBox(CString::FromUtf8("Draventisを再起動してください"), CString::FromUtf8("データファイルの削除　終了"),
                          MB_OK);
  });
  t.Add(ID_FIX_FIELD, [this, doc] {
    if (!IsFieldFixed(doc->m_Settings)) {
      // An unfixed field is fixed by running the origin wizard.
      m_Table.Execute(ID_ORIGIN_WIZARD);
      return;
    }
    const CString caption = CString::FromUtf8("確認");
    if (Prompter().MessageBox(CString::FromUtf8("フィールドの原点固定を解除してよろしいですか？"), caption,
                              MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK) {
      return;
    }
    ToggleFieldFixed(doc->m_Settings);
    Prompter().MessageBox(CString::FromUtf8("アプリケーションを再起動してください"), caption, MB_OK);
  }, [this, doc](CCmdUI& ui) {
    const bool fixed = IsFieldFixed(doc->m_Settings) != 0;
    ui.SetCheck(fixed ? 1 : 0);
    if (!fixed && !m_Table.HasRun(ID_ORIGIN_WIZARD)) ui.Enable(FALSE);
  });
  t.Add(ID_MRK_ASSOCIATION, [] { ToggleDocumentTypeRegistration(); },
        [](CCmdUI& ui) { ui.SetCheck(DocumentTypeRegistrationAsRead() ? 1 : 0); });
  t.Add(ID_USE_PLACES_BAR, [doc] {
    doc->m_Settings.System.Placesbar = doc->m_Settings.System.Placesbar ? 0 : 1;
  }, [doc](CCmdUI& ui) { ui.SetCheck(doc->m_Settings.System.Placesbar ? 1 : 0); });
  t.Add(ID_REGISTER_FOLDERS, [doc] { doc->EditPlacesBar(); }, [doc](CCmdUI& ui) {
    if (!doc->m_Settings.System.Placesbar) ui.Enable(FALSE);
  });

  if (m_Ctx.window) {
    m_Ctx.window->setAcceptDrops(true);
    m_Ctx.window->installEventFilter(this);
  }
}

// ---------------------------------------------------------------------------------------------
// Object clipboard

std::vector<int> CFrameCommands::SelectedIndices() const {
  const CKorvaneDoc* doc = m_Ctx.doc;
  std::vector<int> indices;
  if (!doc || !doc->GetObjectList()) return indices;
  if (doc->m_nSelectCount == 1) {
    if (doc->m_nCurrentIndex > 0 && doc->m_nCurrentIndex < doc->GetObjectList()->GetCount()) {
      indices.push_back(doc->m_nCurrentIndex);
    }
    return indices;
  }
  if (doc->m_nSelectCount > 1) {
    indices.resize(static_cast<size_t>(doc->GetSelectionLength()));
    indices.resize(static_cast<size_t>(doc->GetSelectedIndices(indices.data(), static_cast<int>(indices.size()))));
  }
  return indices;
}

void CFrameCommands::CopyObjectsToClipboard() {
  ObjectClipboardBlock block;
  block.nOperation = CLIPBOARD_COPY;
  block.indices = SelectedIndices();
  if (block.indices.empty()) return;
  if (!m_pClipboard->SetData(block.ToBytes())) return;
  m_nPasteCounter = 0;
  Focus();
}

void CFrameCommands::CutObjectsToClipboard() {
  // The block goes onto the clipboard first: objects are deleted only once it is there, so a
  // refusing clipboard loses nothing.
  ObjectClipboardBlock block;
  block.nOperation = CLIPBOARD_CUT;
  block.indices = SelectedIndices();
  if (block.indices.empty()) return;
  if (!m_pClipboard->SetData(block.ToBytes())) return;
  m_Ctx.doc->DeleteSelection();
  m_nPasteCounter = 0;
  Focus();
}

bool CFrameCommands::TakeBlock(ObjectClipboardBlock& block) const {
  std::vector<std::uint8_t> bytes;
  if (!m_pClipboard->GetData(bytes)) return false;
  if (!ObjectClipboardBlock::FromBytes(bytes.data(), bytes.size(), block)) return false;
  // Only what this document's cut or copy can have put there: the bytes exactly, the indices of
  // the list as it stands, ascending.
  if (bytes.size() != 8 + 4 * block.indices.size()) return false;
  if (block.nOperation != CLIPBOARD_CUT && block.nOperation != CLIPBOARD_COPY) return false;
  if (block.indices.empty()) return false;
  const CObjectList* list = m_Ctx.doc ? m_Ctx.doc->GetObjectList() : nullptr;
  if (!list) return false;
  const int count = list->GetCount();
  int previous = 0;
  for (int index : block.indices) {
    if (index <= previous || index >= count) return false;
    previous = index;
  }
  return true;
}

bool CFrameCommands::CanPaste() const {
  ObjectClipboardBlock block;
  return TakeBlock(block);
}

int CFrameCommands::GetPastableEnd() const {
  // Any block counts, even one a paste would refuse now: the list may grow back to it.
  std::vector<std::uint8_t> bytes;
  ObjectClipboardBlock block;
  if (!m_pClipboard->GetData(bytes) || !ObjectClipboardBlock::FromBytes(bytes.data(), bytes.size(), block)) return 0;
  int end = 0;
  for (int index : block.indices)
    if (index >= end) end = index == INT_MAX ? INT_MAX : index + 1;
  return end;
}

void CFrameCommands::PasteObjectsFromClipboard() {
  ObjectClipboardBlock block;
  if (!TakeBlock(block)) return;
  ++m_nPasteCounter;
  m_Ctx.doc->PasteObjects(block, m_nPasteCounter);
  Focus();
}

void CFrameCommands::OnContextPaste() {
  ObjectClipboardBlock block;
  if (!TakeBlock(block)) return;
  ++m_nPasteCounter;
  m_Ctx.doc->PasteObjectsAt(block);
  Focus();
}

void CFrameCommands::OnEditDelete() {
  if (SelectedIndices().empty()) return;
  m_Ctx.doc->DeleteSelection();
  m_nPasteCounter = 0;
  Focus();
}

// ---------------------------------------------------------------------------------------------
// Project files

void CFrameCommands::OnFileNew() { m_Ctx.doc->OnNewDocument(); }

void CFrameCommands::OnFileOpen() { m_Ctx.doc->PromptOpenMrkFile(1); }

void CFrameCommands::OnFileInsert() { m_Ctx.doc->PromptOpenMrkFile(0); }

void CFrameCommands::OnFileSaveMrk() { MrkSave(*m_Ctx.doc); }

void CFrameCommands::OnFileSaveAs() { SaveAsMrk(CString()); }

void CFrameCommands::OnFileSaveAsNamed() { SaveAsMrk(m_Ctx.doc->GetTitle()); }

BOOL CFrameCommands::SaveAsMrk(const CString& name) { return MrkSaveAs(*m_Ctx.doc, name); }

void CFrameCommands::OpenMruFile(int n) {
  IDocRecentFiles* recent = m_Ctx.doc->GetRecentFiles();
  if (!recent) return;
  const CString path = recent->GetRecentFileName(n);
  if (path.IsEmpty()) return;
  m_Ctx.doc->OpenMrkPath(path, 1);
}

void CFrameCommands::OnDropFiles(const QMimeData& data) {
  CKorvaneDoc* doc = m_Ctx.doc;
  // In image editing a drop would insert objects under the editor.
  if (!doc || doc->m_bPaintMode) return;
  std::vector<CString> paths;
  for (const QUrl& url : data.urls()) {
    if (!url.isLocalFile()) continue;
    const QString local = url.toLocalFile();
    if (QFileInfo(local).isDir()) continue;
    CString path;
    if (PathFromQString(local, path)) paths.push_back(path);
  }
  if (!paths.empty()) doc->OpenDroppedFiles(paths);
}

bool CFrameCommands::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_Ctx.window) {
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      if (drag->mimeData() && drag->mimeData()->hasUrls()) {
        drag->acceptProposedAction();
        return true;
      }
    } else if (event->type() == QEvent::Drop) {
      auto* drop = static_cast<QDropEvent*>(event);
      if (drop->mimeData()) OnDropFiles(*drop->mimeData());
      drop->acceptProposedAction();
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}
