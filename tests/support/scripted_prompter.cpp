#include "scripted_prompter.h"

#include <gtest/gtest.h>

#include <QPrinter>
#include <algorithm>
#include <QTemporaryFile>

ScriptedPrompter::ScriptedPrompter() { m_previous = SetPrompter(this); }

ScriptedPrompter::~ScriptedPrompter() {
  SetPrompter(m_previous);
  VerifyAllUsed();
}

ScriptedPrompter& ScriptedPrompter::ExpectMessage(int answer, const char* contains) {
  Answer a;
  a.kind = "message";
  a.id = answer;
  if (contains) a.contains = contains;
  m_answers.push_back(a);
  return *this;
}

ScriptedPrompter& ScriptedPrompter::WhileShown(std::function<void()> action) {
  if (m_answers.empty()) ADD_FAILURE() << "WhileShown without a scripted question";
  else m_answers.back().whileShown = std::move(action);
  return *this;
}

ScriptedPrompter& ScriptedPrompter::ExpectFile(const CString& path) {
  Answer a;
  a.kind = "file";
  a.path = path;
  m_answers.push_back(a);
  return *this;
}

ScriptedPrompter& ScriptedPrompter::ExpectColour(bool ok, COLORREF colour) {
  Answer a;
  a.kind = "colour";
  a.ok = ok;
  a.colour = colour;
  m_answers.push_back(a);
  return *this;
}

ScriptedPrompter& ScriptedPrompter::ExpectFolder(const CString& folder) {
  Answer a;
  a.kind = "folder";
  a.path = folder;
  m_answers.push_back(a);
  return *this;
}

void ScriptedPrompter::VerifyAllUsed() {
  EXPECT_TRUE(m_answers.empty()) << m_answers.size() << " scripted answer(s) never asked for; next: "
                                 << (m_answers.empty() ? "" : m_answers.front().kind);
  m_answers.clear();
}

bool ScriptedPrompter::Next(const char* kind, const CString& text, Answer& out) {
  if (m_answers.empty() || m_answers.front().kind != kind) {
    ADD_FAILURE() << "unexpected " << kind << " question: " << text.ToUtf8();
    return false;
  }
  out = m_answers.front();
  m_answers.pop_front();
  if (out.whileShown) out.whileShown();
  if (!out.contains.empty() && text.str().find(out.contains) == std::string::npos)
    ADD_FAILURE() << "message \"" << text.ToUtf8() << "\" lacks \"" << CString(out.contains.c_str()).ToUtf8() << "\"";
  return true;
}

int ScriptedPrompter::MessageBox(const CString& text, const CString&, UINT flags) {
  m_log.push_back({"message", text, flags});
  Answer a;
  if (!Next("message", text, a)) return (flags & MB_TYPEMASK) == MB_OK ? IDOK : IDCANCEL;
  return a.id;
}

bool ScriptedPrompter::FileDialog(const FileDialogRequest& request, std::vector<CString>& paths) {
  m_log.push_back({"file", request.title, 0});
  paths.clear();
  Answer a;
  if (!Next("file", request.title, a) || a.path.IsEmpty()) return false;
  paths.push_back(a.path);
  return true;
}

bool ScriptedPrompter::ChooseColor(COLORREF& colour) {
  m_log.push_back({"colour", CString(), 0});
  Answer a;
  if (!Next("colour", CString(), a) || !a.ok) return false;
  colour = a.colour;
  return true;
}

bool ScriptedPrompter::BrowseFolder(const CString& title, CString& folder) {
  m_log.push_back({"folder", title, 0});
  Answer a;
  if (!Next("folder", title, a) || a.path.IsEmpty()) return false;
  folder = a.path;
  return true;
}

ScriptedPrompter& ScriptedPrompter::ExpectPrint(bool ok, const CString& pdfPath) {
  Answer a;
  a.kind = "print";
  a.ok = ok;
  a.path = pdfPath;
  m_answers.push_back(a);
  return *this;
}

ScriptedPrompter& ScriptedPrompter::ExpectPreview(int repaints) {
  Answer a;
  a.kind = "preview";
  a.repaints = repaints;
  m_answers.push_back(a);
  return *this;
}

bool ScriptedPrompter::PrintDialog(QPrinter& printer) {
  m_log.push_back(Asked{"print", CString(), 0});
  Answer a;
  if (!Next("print", CString("print dialog"), a)) return false;
  if (a.ok && !a.path.IsEmpty()) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(a.path.ToUtf8()));
  }
  return a.ok;
}

bool ScriptedPrompter::PrintPreview(QPrinter& printer, std::function<void(QPrinter&)> paint) {
  m_log.push_back(Asked{"preview", CString(), 0});
  Answer a;
  if (!Next("preview", CString("print preview"), a)) return false;
  // A preview paints on its own printer of the same page; a PDF file stands in for its pages.
  for (int i = 0; i < a.repaints; ++i) {
    QTemporaryFile file;
    file.open();
    QPrinter preview(QPrinter::HighResolution);
    preview.setPageLayout(printer.pageLayout());
    preview.setOutputFormat(QPrinter::PdfFormat);
    preview.setOutputFileName(file.fileName());
    if (paint) paint(preview);
  }
  return true;
}

ScriptedPrompter& ScriptedPrompter::ExpectPrinterSetup(bool ok, bool landscape) {
  Answer a;
  a.kind = "printer setup";
  a.ok = ok;
  a.repaints = landscape ? 1 : 0;
  m_answers.push_back(a);
  return *this;
}

ScriptedPrompter& ScriptedPrompter::ExpectMenu(UINT id) {
  Answer a;
  a.kind = "menu";
  a.id = static_cast<int>(id);
  m_answers.push_back(a);
  return *this;
}

bool ScriptedPrompter::PrinterSetup(QPrinter& printer) {
  m_log.push_back(Asked{"printer setup", CString(), 0});
  Answer a;
  if (!Next("printer setup", CString("printer setup"), a)) return false;
  if (a.ok && a.repaints) printer.setPageOrientation(QPageLayout::Landscape);
  return a.ok;
}

namespace {

void EnabledIds(const MenuTemplate& menu, const std::function<bool(UINT)>& enabled, std::vector<UINT>& out) {
  for (const MenuTemplate& item : menu.items) {
    if (item.IsPopup()) EnabledIds(item, enabled, out);
    else if (!item.IsSeparator() && (!enabled || enabled(item.id))) out.push_back(item.id);
  }
}

}  // namespace

UINT ScriptedPrompter::PopupMenu(const MenuTemplate& menu, QPoint screenPos, std::function<bool(UINT)> enabled) {
  m_log.push_back(Asked{"menu", CString(menu.text.c_str()), 0});
  m_lastMenu = menu;
  m_lastMenuX = screenPos.x();
  m_lastMenuY = screenPos.y();
  m_lastEnabled.clear();
  EnabledIds(menu, enabled, m_lastEnabled);
  Answer a;
  if (!Next("menu", CString("context menu"), a)) return 0;
  const UINT id = static_cast<UINT>(a.id);
  if (id == 0) return 0;
  if (std::find(m_lastEnabled.begin(), m_lastEnabled.end(), id) == m_lastEnabled.end()) {
    ADD_FAILURE() << "menu item " << id << " is not offered enabled";
    return 0;
  }
  return id;
}

QPoint ScriptedPrompter::LastMenuPos() const { return QPoint(m_lastMenuX, m_lastMenuY); }
