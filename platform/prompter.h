// Every modal question the program asks goes through the prompter: the program installs one over
// Qt dialogs, tests install a scripted one, so no test ever blocks on a dialog.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/cstring.h"
#include "platform/wintypes.h"

class QPrinter;
class QPoint;
struct MenuTemplate;

struct FileDialogRequest {
  bool save = false;           // save dialog (else open)
  CString title;               // caption, may be empty
  CString filter;              // "Name (*.ext)|*.ext|...|" as the system writes it
  CString defaultExt;          // without the dot
  CString initialPath;         // file name or folder to start from
  bool multiSelect = false;
  bool overwritePrompt = true; // save dialogs ask before replacing a file
  bool usePlaces = false;      // the dialog's side bar shows `places` instead of its own
  std::vector<CString> places; // folders, top to bottom
};

// The places of every file dialog whose caller did not give them (the frame installs the
// document's places bar here, so the drawing objects' bitmap dialogs get them too).
using FileDialogPlacesHook = std::function<void(FileDialogRequest&)>;
void SetFileDialogPlacesHook(FileDialogPlacesHook hook);
// Applies the hook to a request that has no places of its own.
void ApplyFileDialogPlacesHook(FileDialogRequest& request);
// The folder a project dialog (default extension "mrk") starts in when its caller named no
// folder: the frame installs the folder of the current or last project.
using FileDialogStartFolderHook = std::function<CString()>;
void SetFileDialogStartFolderHook(FileDialogStartFolderHook hook);
// Puts the hook's folder in front of a project request's initial path that names no folder.
void ApplyFileDialogStartFolder(FileDialogRequest& request);

class IPrompter {
 public:
  virtual ~IPrompter() = default;
  // A message box; flags as MB_*; the answer as ID*.
  virtual int MessageBox(const CString& text, const CString& caption, UINT flags) = 0;
  // File open/save; false when cancelled. `paths` gets one path, or several with multiSelect.
  virtual bool FileDialog(const FileDialogRequest& request, std::vector<CString>& paths) = 0;
  // Colour choice; false when cancelled.
  virtual bool ChooseColor(COLORREF& colour) = 0;
  // Folder choice; false when cancelled.
  virtual bool BrowseFolder(const CString& title, CString& folder) = 0;
  // The print dialog on the run's printer; false when cancelled (the default cancels).
  virtual bool PrintDialog(QPrinter& printer);
  // The print preview: paint is called for every repaint of the preview; false when it could
  // not be shown (the default shows nothing).
  virtual bool PrintPreview(QPrinter& printer, std::function<void(QPrinter&)> paint);
  // The page setup on the run's printer; false when cancelled (the default cancels).
  virtual bool PrinterSetup(QPrinter& printer);
  // A context menu (a popup's items) at a screen position; the chosen command id, 0 for none
  // (the default chooses nothing). enabled, when given, tells which command items are offered.
  virtual UINT PopupMenu(const MenuTemplate& menu, QPoint screenPos,
                         std::function<bool(UINT)> enabled = std::function<bool(UINT)>());
};

// The prompter in force; never null (a refusing one stands in until one is installed).
IPrompter& Prompter();
// Installs a prompter and returns the previous one (nullptr restores the refusing default).
IPrompter* SetPrompter(IPrompter* prompter);

// The application's message box: caption "Draventis".
int AfxMessageBox(const CString& text, UINT flags = MB_OK);
