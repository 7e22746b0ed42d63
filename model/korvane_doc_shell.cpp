// What the application shell asks of the document: the save question before a design is dropped
// and the title that the main frame shows.
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

  // The save dialog starts without a name; a cancelled or failed save gives the title back.
  const CString title = GetTitle();
  SetTitle("");
  FileDialogRequest request;
  request.save = true;
  request.defaultExt = "mrk";
  request.filter = CString::FromUtf8("mrkファイル (*.mrk)|*.mrk|mrkファイル (*.mrk v2004 形式)|*.mrk||");
  request.overwritePrompt = true;
  const int places = ApplyPlacesBar(request);
  CString path;
  int filter = 1;
  const bool chosen = ModalDialogs().SaveFileDialog(request, path, filter);
  RestorePlacesBar(places);
  // The design is dropped only once it is safely on disk; a failed save keeps it, and the
  // modified flag with it.
  const BOOL saved = chosen ? ((filter == 2) ? SaveMrkText(path) : SaveMrkBinary(path)) : FALSE;
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
