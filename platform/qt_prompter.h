// The program's prompter: real Qt dialogs.
#pragma once

#include <QColor>
#include <QString>
#include <QVariant>

#include <utility>
#include <vector>

#include "platform/prompter.h"

class QWidget;

// COLORREF (0x00BBGGRR) <-> QColor; the only place the two meet.
inline QColor ColorToQColor(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }
inline COLORREF QColorToColor(const QColor& c) { return RGB(c.red(), c.green(), c.blue()); }

// The file dialog (non-native QFileDialog) of a request: its filters, its places as the side bar,
// and, when asked, which filter (1-based) the operator chose. False when cancelled.
bool RunQtFileDialog(QWidget* parent, const FileDialogRequest& request, std::vector<CString>& paths,
                     int* filterIndex);

// Qt's non-native file dialog keeps its side bar in the user's shared Qt settings (QtProject,
// group "FileDialog"), which every Qt program of the user reads. A dialog that shows the places
// bar holds one of these from before it is built until after it is gone: the group is put back
// as it was.
class CQtFileDialogSettingsKeeper {
 public:
  CQtFileDialogSettingsKeeper();
  ~CQtFileDialogSettingsKeeper();
  CQtFileDialogSettingsKeeper(const CQtFileDialogSettingsKeeper&) = delete;
  CQtFileDialogSettingsKeeper& operator=(const CQtFileDialogSettingsKeeper&) = delete;

 private:
  bool m_bHadGroup = false;
  std::vector<std::pair<QString, QVariant>> m_values;
};

class CQtPrompter : public IPrompter {
 public:
  explicit CQtPrompter(QWidget* parent = nullptr) : m_parent(parent) {}
  void SetParent(QWidget* parent) { m_parent = parent; }
  int MessageBox(const CString& text, const CString& caption, UINT flags) override;
  bool FileDialog(const FileDialogRequest& request, std::vector<CString>& paths) override;
  bool ChooseColor(COLORREF& colour) override;
  bool BrowseFolder(const CString& title, CString& folder) override;
  bool PrintDialog(QPrinter& printer) override;
  bool PrintPreview(QPrinter& printer, std::function<void(QPrinter&)> paint) override;
  bool PrinterSetup(QPrinter& printer) override;
  UINT PopupMenu(const MenuTemplate& menu, QPoint screenPos, std::function<bool(UINT)> enabled) override;

 private:
  QWidget* m_parent;
};
