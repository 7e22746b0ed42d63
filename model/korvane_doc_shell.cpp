// What the application shell asks of the document: the save question before a design is dropped
// and the title that the main frame shows.
#include "files/mrk_open_save.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "platform/prompter.h"
#include "platform/ui/modal_dialogs.h"

BOOL CKorvaneDoc::SaveModified() {
  if (!m_pObjectList || m_pObjectList->GetDrawableCount() <= 0 || !g_bModified) return TRUE;
  const int answer = Prompter().MessageBox(CString::FromUtf8("データを保存しますか？"), CString::FromUtf8("確認"),
                                           MB_YESNOCANCEL);
  if (answer == IDNO) {
    g_bModified = 0;
    SetTitle("");
    return TRUE;
  }
  if (answer != IDYES) return FALSE;

  // The save dialog offers the file the design is named after; a cancelled or failed save
  // gives the title back.
  const CString title = GetTitle();
  SetTitle("");
  // The design is dropped only once it is safely on disk; a failed save says so and keeps it,
  // and the modified flag with it.
  const BOOL saved = MrkSaveAs(*this, title);
  if (!saved) {
    SetTitle(title);
    return FALSE;
  }
  g_bModified = 0;
  SetTitle("");
  return TRUE;
}

void CKorvaneDoc::SetTitle(const CString& title) {
  CDocument::SetTitle(title);
  if (m_pMainFrame) m_pMainFrame->UpdateFrameTitle(title);
}
