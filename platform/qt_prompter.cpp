#include "platform/qt_prompter.h"

#include <QPageSetupDialog>
#include "platform/ui/menu_template.h"

#include <QMenu>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <QColorDialog>
#include <QDateTime>
#include <QFileDialog>
#include <QHeaderView>
#include <QLocale>
#include <QTreeView>
#include <QMessageBox>
#include <QStringList>
#include <QSplitter>
#include <QUrl>

#include <optional>

int CQtPrompter::MessageBox(const CString& text, const CString& caption, UINT flags) {
  QMessageBox box(m_parent);
  box.setWindowTitle(caption.ToQString());
  box.setText(text.ToQString());
  switch (flags & MB_ICONMASK) {
    case MB_ICONHAND: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONEXCLAMATION: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONASTERISK: box.setIcon(QMessageBox::Information); break;
    default: break;
  }
  QList<QMessageBox::StandardButton> buttons;
  switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL: buttons = {QMessageBox::Ok, QMessageBox::Cancel}; break;
    case MB_YESNOCANCEL: buttons = {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel}; break;
    case MB_YESNO: buttons = {QMessageBox::Yes, QMessageBox::No}; break;
    default: buttons = {QMessageBox::Ok}; break;
  }
  QMessageBox::StandardButtons set;
  for (auto b : buttons) set |= b;
  box.setStandardButtons(set);
  int def = (flags & MB_DEFBUTTON3) ? 2 : (flags & MB_DEFBUTTON2) ? 1 : 0;
  if (def < buttons.size()) box.setDefaultButton(buttons[def]);
  switch (box.exec()) {
    case QMessageBox::Ok: return IDOK;
    case QMessageBox::Yes: return IDYES;
    case QMessageBox::No: return IDNO;
    default: return (flags & MB_TYPEMASK) == MB_OK ? IDOK : ((flags & MB_TYPEMASK) == MB_YESNO ? IDNO : IDCANCEL);
  }
}

namespace {
// "Name (*.a)|*.a|All (*.*)|*.*||" -> "Name (*.a) (*.a);;All (*.*) (*.*)". Qt reads the patterns
// from the last parenthesis, so they are always appended; the dialog hides that part
// (HideNameFilterDetails) and shows each description once, as the caller wrote it (two filters
// may differ only after the description's own parenthesis).
QStringList QtFilters(const CString& filter) {
  QStringList parts = filter.ToQString().split('|');
  QStringList out;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].isEmpty()) break;
    QString patterns = parts[i + 1];
    patterns.replace(';', ' ');
    out << parts[i].trimmed() + " (" + patterns + ")";
  }
  return out;
}
}  // namespace

namespace {

// The detail view's columns: name, size, type, date. Qt names a type in English ("Folder",
// "unknown") whatever the language, so the column goes; the date column gets the width of the
// longest date. The header's state is shared with every Qt program of the user through Qt's
// settings, so it is put back before the dialog is gone and writes it.
class ReadableColumns {
 public:
  explicit ReadableColumns(QFileDialog& dialog) {
    m_view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!m_view || !m_view->header()) return;
    QHeaderView* header = m_view->header();
    m_before = header->saveState();
    header->setSectionHidden(kTypeColumn, true);
    const QString longest =
        QLocale().toString(QDateTime(QDate(2000, 12, 28), QTime(23, 58, 58)), QLocale::ShortFormat);
    const int date = m_view->fontMetrics().horizontalAdvance(longest + QStringLiteral("MM"));
    if (header->sectionSize(kDateColumn) < date) header->resizeSection(kDateColumn, date);
  }
  ~ReadableColumns() {
    if (m_view && m_view->header() && !m_before.isEmpty()) m_view->header()->restoreState(m_before);
  }
  ReadableColumns(const ReadableColumns&) = delete;
  ReadableColumns& operator=(const ReadableColumns&) = delete;

 private:
  static constexpr int kTypeColumn = 2;
  static constexpr int kDateColumn = 3;
  QTreeView* m_view = nullptr;
  QByteArray m_before;
};

}  // namespace

bool RunQtFileDialog(QWidget* parent, const FileDialogRequest& given, std::vector<CString>& paths, int* filterIndex) {
  paths.clear();
  FileDialogRequest request = given;
  ApplyFileDialogPlacesHook(request);
  ApplyFileDialogStartFolder(request);
  const QStringList filters = QtFilters(request.filter);
  // Before the dialog reads the shared settings, and gone only after it has written them.
  std::optional<CQtFileDialogSettingsKeeper> keeper;
  if (request.usePlaces) keeper.emplace();
  QFileDialog dlg(parent, request.title.ToQString(), request.initialPath.ToQString());
  dlg.setOption(QFileDialog::DontUseNativeDialog, true);
  dlg.setOption(QFileDialog::HideNameFilterDetails, true);
  if (!filters.isEmpty()) dlg.setNameFilters(filters);
  if (request.usePlaces) {
    QList<QUrl> urls;
    for (const CString& place : request.places) urls << QUrl::fromLocalFile(place.ToQString());
    dlg.setSidebarUrls(urls);
    // Wide enough that the operator can read the folder names.
    if (auto* splitter = dlg.findChild<QSplitter*>(QStringLiteral("splitter"))) splitter->setSizes({200, 560});
  }
  dlg.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  if (request.save) {
    dlg.setFileMode(QFileDialog::AnyFile);
    if (!request.overwritePrompt) dlg.setOption(QFileDialog::DontConfirmOverwrite, true);
  } else {
    dlg.setFileMode(request.multiSelect ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
  }
  if (!request.defaultExt.IsEmpty()) dlg.setDefaultSuffix(request.defaultExt.ToQString());
  bool accepted = false;
  {
    ReadableColumns columns(dlg);
    accepted = dlg.exec() == QDialog::Accepted;
  }
  if (!accepted) return false;
  for (const QString& f : dlg.selectedFiles()) {
    // A name the code page cannot hold could be neither opened nor written as shown.
    const CString path = CString::FromQString(f);
    if (path.ToQString() != f) {
      Prompter().MessageBox(CString::FromUtf8("ファイル名に使用できない文字が含まれています"), CString::FromUtf8("Draventis"),
                            MB_OK | MB_ICONEXCLAMATION);
      paths.clear();
      return false;
    }
    paths.push_back(path);
  }
  if (filterIndex) {
    // Qt reports the filter in full or, with the details hidden, as the combo shows it.
    const QString selected = dlg.selectedNameFilter();
    int index = static_cast<int>(filters.indexOf(selected));
    for (int i = 0; index < 0 && i < filters.size(); ++i) {
      if (filters[i].startsWith(selected + QStringLiteral(" ("))) index = i;
    }
    *filterIndex = index + 1;
  }
  return !paths.empty();
}

bool CQtPrompter::FileDialog(const FileDialogRequest& request, std::vector<CString>& paths) {
  return RunQtFileDialog(m_parent, request, paths, nullptr);
}

bool CQtPrompter::ChooseColor(COLORREF& colour) {
  QColor c = QColorDialog::getColor(ColorToQColor(colour), m_parent);
  if (!c.isValid()) return false;
  colour = QColorToColor(c);
  return true;
}

bool CQtPrompter::BrowseFolder(const CString& title, CString& folder) {
  QString dir = QFileDialog::getExistingDirectory(m_parent, title.ToQString(), folder.ToQString(),
                                                  QFileDialog::DontUseNativeDialog | QFileDialog::ShowDirsOnly);
  if (dir.isEmpty()) return false;
  folder = CString::FromQString(dir);
  return true;
}

bool CQtPrompter::PrintDialog(QPrinter& printer) {
  QPrintDialog dialog(&printer, m_parent);
  return dialog.exec() == QDialog::Accepted;
}

bool CQtPrompter::PrintPreview(QPrinter& printer, std::function<void(QPrinter&)> paint) {
  QPrintPreviewDialog dialog(&printer, m_parent);
  // Every repaint of the preview runs the whole print sequence again.
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, [&paint](QPrinter* p) {
    if (p && paint) paint(*p);
  });
  dialog.exec();
  return true;
}

bool CQtPrompter::PrinterSetup(QPrinter& printer) {
  QPageSetupDialog dialog(&printer, m_parent);
  return dialog.exec() == QDialog::Accepted;
}

namespace {

void FillMenu(QMenu& qmenu, const MenuTemplate& menu, const std::function<bool(UINT)>& enabled) {
  for (const MenuTemplate& item : menu.items) {
    if (item.IsSeparator()) {
      qmenu.addSeparator();
    } else if (item.IsPopup()) {
      QMenu* sub = qmenu.addMenu(QString::fromStdString(item.text));
      FillMenu(*sub, item, enabled);
    } else {
      QAction* action = qmenu.addAction(QString::fromStdString(item.text));
      action->setData(item.id);
      action->setEnabled(!enabled || enabled(item.id));
    }
  }
}

}  // namespace

UINT CQtPrompter::PopupMenu(const MenuTemplate& menu, QPoint screenPos, std::function<bool(UINT)> enabled) {
  QMenu qmenu(m_parent);
  FillMenu(qmenu, menu, enabled);
  QAction* chosen = qmenu.exec(screenPos);
  return chosen ? chosen->data().toUInt() : 0;
}
