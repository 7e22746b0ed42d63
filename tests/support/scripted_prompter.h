// A prompter for tests: each question must have been scripted, in order; anything else fails
// the test and is answered "cancel".
#pragma once

#include <QPoint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/prompter.h"
#include "platform/ui/menu_template.h"

class ScriptedPrompter : public IPrompter {
 public:
  struct Asked {
    std::string kind;  // "message", "file", "colour", "folder"
    CString text;
    UINT flags = 0;
  };

  // Installs itself; restores the previous prompter when destroyed.
  ScriptedPrompter();
  ~ScriptedPrompter() override;

  // The next message box gets `answer`; when `contains` is given its text must contain it.
  ScriptedPrompter& ExpectMessage(int answer, const char* contains = nullptr);
  // What happens while the last scripted question is shown, before it is answered (a timer
  // that fires, a job that ends under it).
  ScriptedPrompter& WhileShown(std::function<void()> action);
  // The next file dialog gets `path` (empty: cancelled).
  ScriptedPrompter& ExpectFile(const CString& path);
  ScriptedPrompter& ExpectColour(bool ok, COLORREF colour = 0);
  ScriptedPrompter& ExpectFolder(const CString& folder);

  // Fails the test when scripted answers were left unused.
  void VerifyAllUsed();
  const std::vector<Asked>& Log() const { return m_log; }

  int MessageBox(const CString& text, const CString& caption, UINT flags) override;
  bool FileDialog(const FileDialogRequest& request, std::vector<CString>& paths) override;
  bool ChooseColor(COLORREF& colour) override;
  bool BrowseFolder(const CString& title, CString& folder) override;
  // The next print dialog: ok, and the printer then writes a PDF file at pdfPath (empty: keep
  // the printer's output as it is).
  ScriptedPrompter& ExpectPrint(bool ok, const CString& pdfPath = CString());
  // The next print preview calls its paint that many times, each on a PDF printer.
  ScriptedPrompter& ExpectPreview(int repaints);
  bool PrintDialog(QPrinter& printer) override;
  bool PrintPreview(QPrinter& printer, std::function<void(QPrinter&)> paint) override;
  // The next page setup: ok, and then the printer's page orientation becomes landscape when
  // `landscape` is set.
  ScriptedPrompter& ExpectPrinterSetup(bool ok, bool landscape = false);
  bool PrinterSetup(QPrinter& printer) override;
  // The next context menu chooses id (0: closed without a choice); an id that the menu does not
  // offer enabled fails the test and chooses nothing.
  ScriptedPrompter& ExpectMenu(UINT id);
  UINT PopupMenu(const MenuTemplate& menu, QPoint screenPos, std::function<bool(UINT)> enabled) override;
  // The last menu shown, where, and which of its command ids were enabled.
  const MenuTemplate& LastMenu() const { return m_lastMenu; }
  QPoint LastMenuPos() const;
  const std::vector<UINT>& LastMenuEnabled() const { return m_lastEnabled; }

 private:
  struct Answer {
    std::string kind;
    int id = 0;
    std::string contains;
    bool ok = false;
    COLORREF colour = 0;
    CString path;
    int repaints = 0;
    std::function<void()> whileShown;
  };
  bool Next(const char* kind, const CString& text, Answer& out);

  MenuTemplate m_lastMenu;
  int m_lastMenuX = 0;
  int m_lastMenuY = 0;
  std::vector<UINT> m_lastEnabled;
  std::deque<Answer> m_answers;
  std::vector<Asked> m_log;
  IPrompter* m_previous = nullptr;
};
