#include "platform/ui/modal_dialogs.h"

#include <atomic>
#include <vector>

bool IModalDialogs::SaveFileDialog(const FileDialogRequest& request, CString& path, int& filterIndex) {
  std::vector<CString> paths;
  if (!Prompter().FileDialog(request, paths) || paths.empty() || paths.front().IsEmpty()) return false;
  path = paths.front();
  filterIndex = 1;
  return true;
}

bool IModalDialogs::ColorBoxDialog(ColorBoxDialogData&) { return false; }

bool IModalDialogs::SealKindDialog(SealKindDialogData&) { return false; }
bool IModalDialogs::PersonalSealDialog(PersonalSealDialogData&) { return false; }
bool IModalDialogs::CorporateSealDialog(CorporateSealDialogData&) { return false; }
bool IModalDialogs::PlacesBarDialog(PlacesBarDialogData&) { return false; }

bool IModalDialogs::ExecDialog(QDialog&) { return false; }


namespace {

class CancellingDialogs : public IModalDialogs {
 public:
  bool LayerDialog(LayerDialogData&) override { return false; }
  bool OutputModeDialog(OutputModeDialogData&) override { return false; }
  bool FontDialog(FontDialogData&) override { return false; }
};

CancellingDialogs g_cancelling;
std::atomic<IModalDialogs*> g_dialogs{nullptr};

}  // namespace

IModalDialogs& ModalDialogs() {
  IModalDialogs* d = g_dialogs.load();
  return d ? *d : g_cancelling;
}

IModalDialogs* SetModalDialogs(IModalDialogs* dialogs) { return g_dialogs.exchange(dialogs); }
