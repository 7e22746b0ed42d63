// The places of the program's file dialogs: the operator's registered folders (and, first, the
// history place) as the side bar of a file dialog. The switches and folders are the settings
// file's SYSTEM "Placesbar", "PlacesbarHistory" and "PlacesFolder0" to "PlacesFolder4".
#pragma once

#include "model/doc_seams.h"
#include "platform/ui/dialog.h"

class CKorvaneDoc;

// The folder a path lies in ("" for a path without one).
CString FolderOf(const CString& path);

class CPlacesBar : public IDocFileServices {
 public:
  explicit CPlacesBar(CKorvaneDoc& doc) : m_Doc(doc) {}
  // 0, with the dialog's own side bar, when the switch is off or no folder is registered; else
  // the places (history first when its switch is on, then folders 1 to 4, or 1 to 5 without the
  // history place; empty ones left out) and 1.
  int ApplyPlacesBar(FileDialogRequest& request) override;
  // The places live in the request only; the file dialog that shows them puts back the side bar
  // Qt stores in the user's shared settings (CQtFileDialogSettingsKeeper), so nothing is left to
  // restore here.
  void RestorePlacesBar(int state) override { (void)state; }
  // Not a saver.
  BOOL SaveMrkBinary(CKorvaneDoc&, const CString&) override { return FALSE; }
  BOOL SaveMrkText(CKorvaneDoc&, const CString&) override { return FALSE; }

 private:
  CKorvaneDoc& m_Doc;
};

// Dialog 256 "プレースバーの登録".
class CPlacesBarDialog : public CDialog {
 public:
  explicit CPlacesBarDialog(QWidget* parent = nullptr);
  CString m_strFolder[5];  // edits 1478 to 1482
  int m_bUseHistory = 0;   // check box 1609

  BOOL OnInitDialog() override;
  void OnOK() override;
  BOOL OnCommand(int id, int code) override;
  // Edit 1482 and its browse button 1608 are off while the history place takes a row.
  void OnUseHistory();
  // The folder browser for row n (1 to 5) into edit 1477 + n.
  void BrowseFolder(int n);
};
