#include "files/places_bar.h"

#include "model/korvane_doc.h"
#include "platform/ui/modal_dialogs.h"
#include "res/dialog_256.h"

CString FolderOf(const CString& path) {
  const std::string& s = path.str();
  const size_t slash = s.find_last_of('/');
  if (slash == std::string::npos) return CString();
  return CString(s.substr(0, slash == 0 ? 1 : slash));
}

int CPlacesBar::ApplyPlacesBar(FileDialogRequest& request) {
  const CSettingsSystem& system = m_Doc.m_Settings.System;
  if (!system.Placesbar) return 0;
  bool any = false;
  for (const CString& folder : system.PlacesFolder) any = any || !folder.IsEmpty();
  if (!any) return 0;
  std::vector<CString> places;
  int folders = 5;
  if (system.PlacesbarHistory) {
    // The history place: the folder of the newest recent file, when there is one.
    if (IDocRecentFiles* recent = m_Doc.GetRecentFiles()) {
      const CString folder = FolderOf(recent->GetRecentFileName(1));
      if (!folder.IsEmpty()) places.push_back(folder);
    }
    folders = 4;
  }
  for (int i = 0; i < folders; ++i) {
    if (!system.PlacesFolder[i].IsEmpty()) places.push_back(system.PlacesFolder[i]);
  }
  request.usePlaces = true;
  request.places = std::move(places);
  return 1;
}

void CKorvaneDoc::EditPlacesBar() {
  CSettingsSystem& system = m_Settings.System;
  PlacesBarDialogData data;
  data.useHistory = system.PlacesbarHistory ? 1 : 0;
  const int shown = data.useHistory ? 4 : 5;
  for (int i = 0; i < shown; ++i) data.folders[i] = system.PlacesFolder[i];
  if (!ModalDialogs().PlacesBarDialog(data)) return;
  if (data.useHistory) {
    system.PlacesbarHistory = 1;
    for (int i = 0; i < 4; ++i) system.PlacesFolder[i] = data.folders[i];
    system.PlacesFolder[4] = CString();
  } else {
    system.PlacesbarHistory = 0;
    for (int i = 0; i < 5; ++i) system.PlacesFolder[i] = data.folders[i];
  }
}

// ---------------------------------------------------------------------------------------------
// Dialog 256

CPlacesBarDialog::CPlacesBarDialog(QWidget* parent) : CDialog(&PlacesBarDialogTemplate(), parent) {}

BOOL CPlacesBarDialog::OnInitDialog() {
  IControlHost* host = Host();
  if (!host) return TRUE;
  for (int i = 0; i < 5; ++i) host->SetDlgItemText(IDC_PLACES_FOLDER1 + i, m_strFolder[i]);
  host->SetCheck(IDC_PLACES_HISTORY, m_bUseHistory ? BST_CHECKED : BST_UNCHECKED);
  OnUseHistory();
  return TRUE;
}

void CPlacesBarDialog::OnOK() {
  if (IControlHost* host = Host()) {
    for (int i = 0; i < 5; ++i) m_strFolder[i] = host->GetDlgItemText(IDC_PLACES_FOLDER1 + i);
    m_bUseHistory = host->GetCheck(IDC_PLACES_HISTORY) == BST_CHECKED ? 1 : 0;
  }
  CDialog::OnOK();
}

BOOL CPlacesBarDialog::OnCommand(int id, int code) {
  if (code == BN_CLICKED && id >= IDC_PLACES_BROWSE1 && id < IDC_PLACES_BROWSE1 + 5) {
    BrowseFolder(id - IDC_PLACES_BROWSE1 + 1);
    return TRUE;
  }
  if (code == BN_CLICKED && id == IDC_PLACES_HISTORY) {
    OnUseHistory();
    return TRUE;
  }
  return CDialog::OnCommand(id, code);
}

void CPlacesBarDialog::OnUseHistory() {
  IControlHost* host = Host();
  if (!host) return;
  const BOOL enable = host->GetCheck(IDC_PLACES_HISTORY) == BST_CHECKED ? FALSE : TRUE;
  host->EnableWindow(IDC_PLACES_FOLDER1 + 4, enable);
  host->EnableWindow(IDC_PLACES_BROWSE1 + 4, enable);
}

void CPlacesBarDialog::BrowseFolder(int n) {
  IControlHost* host = Host();
  if (!host || n < 1 || n > 5) return;
  CString folder = host->GetDlgItemText(IDC_PLACES_FOLDER1 + n - 1);
  if (Prompter().BrowseFolder(CString::FromUtf8("フォルダの選択"), folder) && !folder.IsEmpty()) {
    host->SetDlgItemText(IDC_PLACES_FOLDER1 + n - 1, folder);
  }
}
