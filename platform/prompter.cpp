#include "platform/prompter.h"

#include <QPoint>
#include <atomic>

namespace {

// Before the program or a test installs a prompter every question is answered "cancel", so
// nothing can block and nothing destructive is confirmed by accident.
class RefusingPrompter : public IPrompter {
 public:
  int MessageBox(const CString&, const CString&, UINT flags) override {
    switch (flags & MB_TYPEMASK) {
      case MB_OK: return IDOK;
      case MB_YESNO: return IDNO;
      default: return IDCANCEL;
    }
  }
  bool FileDialog(const FileDialogRequest&, std::vector<CString>&) override { return false; }
  bool ChooseColor(COLORREF&) override { return false; }
  bool BrowseFolder(const CString&, CString&) override { return false; }
};

RefusingPrompter g_refusing;
std::atomic<IPrompter*> g_prompter{nullptr};

}  // namespace

IPrompter& Prompter() {
  IPrompter* p = g_prompter.load();
  return p ? *p : g_refusing;
}

IPrompter* SetPrompter(IPrompter* prompter) { return g_prompter.exchange(prompter); }

int AfxMessageBox(const CString& text, UINT flags) { return Prompter().MessageBox(text, "Draventis", flags); }

bool IPrompter::PrintDialog(QPrinter&) { return false; }

bool IPrompter::PrintPreview(QPrinter&, std::function<void(QPrinter&)>) { return false; }

bool IPrompter::PrinterSetup(QPrinter&) { return false; }
UINT IPrompter::PopupMenu(const MenuTemplate&, QPoint, std::function<bool(UINT)>) { return 0; }
