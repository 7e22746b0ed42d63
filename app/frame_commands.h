// The main frame's command rows: every menu, tool-bar, key and context-menu command that calls
// one document operation, the object clipboard, the project-file commands, the recent files and
// dropped files. The frame builds its table and then calls RegisterFrameCommands once.
#pragma once

#include <vector>

#include <QObject>

#include "platform/cstring.h"
#include "platform/ui/command_table.h"
#include "platform/wintypes.h"

class CKorvaneDoc;
class CKorvaneView;
class CLeftView;
class IDocMainFrame;
class IObjectClipboard;
class QEvent;
class QMainWindow;
class QMimeData;

struct CommandContext {
  CKorvaneDoc* doc;
  QMainWindow* window;
  IDocMainFrame* frame;
  CLeftView* canvas;
  CKorvaneView* form;
};

// Adds the rows to the table. The window (when given) accepts dropped files from then on.
void RegisterFrameCommands(CCommandTable& table, const CommandContext& ctx);

// The frame-side handlers behind the rows; one per table, owned by it.
class CFrameCommands : public QObject {
  Q_OBJECT
 public:
  // `clipboard` null: the system clipboard.
  CFrameCommands(CCommandTable& table, const CommandContext& ctx, IObjectClipboard* clipboard = nullptr);
  ~CFrameCommands() override;

  // The rows of this table's frame commands (the registration behind RegisterFrameCommands).
  void Register();
  // The handlers of one table (null before registration).
  static CFrameCommands* Of(CCommandTable& table);

  // Object clipboard
  void CopyObjectsToClipboard();
  void CutObjectsToClipboard();
  void PasteObjectsFromClipboard();
  void OnContextPaste();
  void OnEditDelete();
  int GetPasteCounter() const { return m_nPasteCounter; }
  // Whether a block that a paste would take is on the clipboard.
  bool CanPaste() const;
  // One past the highest list index the clipboard's block names, 0 without a block.
  int GetPastableEnd() const;

  // Project files
  void OnFileNew();
  void OnFileOpen();
  void OnFileInsert();
  void OnFileSaveMrk();
  void OnFileSaveAs();
  void OnFileSaveAsNamed();
  // The save dialog with both formats; TRUE when a file was written.
  BOOL SaveAsMrk(const CString& name);
  void OpenMruFile(int n);
  // Files dropped on the frame: the local files of the URLs, in order.
  void OnDropFiles(const QMimeData& data);

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Focus();
  std::vector<int> SelectedIndices() const;
  // The clipboard's block when it is one a paste may take.
  bool TakeBlock(struct ObjectClipboardBlock& block) const;

  CCommandTable& m_Table;
  CommandContext m_Ctx;
  IObjectClipboard* m_pClipboard;
  IObjectClipboard* m_pOwnClipboard = nullptr;
  int m_nPasteCounter = 0;
};

// The commands that have an entry but whose operation another part of the program wires; until
// then they have no run and stay disabled.
const std::vector<UINT>& PendingFrameCommandIds();
