// The program's modal dialogs over Qt, installed at start (SetModalDialogs). Dialogs whose
// forms are not built yet cancel.
#pragma once

#include "platform/ui/modal_dialogs.h"

class QWidget;

class CQtModalDialogs : public IModalDialogs {
 public:
  explicit CQtModalDialogs(QWidget* parent = nullptr) : m_pParent(parent) {}
  void SetParent(QWidget* parent) { m_pParent = parent; }

  bool LayerDialog(LayerDialogData& data) override;
  bool OutputModeDialog(OutputModeDialogData& data) override;
  bool ColorBoxDialog(ColorBoxDialogData& data) override;
  bool EngraveLayerDialog(EngraveLayerDialogData& data) override;
  // Scalable faces only; the size comes back in tenths of a point.
  bool FontDialog(FontDialogData& data) override;
  // The save dialog that tells which of its filters was chosen.
  bool SaveFileDialog(const FileDialogRequest& request, CString& path, int& filterIndex) override;
  bool PlacesBarDialog(PlacesBarDialogData& data) override;
  bool ExecDialog(QDialog& dialog) override;
  // The seal dialogs (seal/seal_dialogs.h).
  bool SealKindDialog(SealKindDialogData& data) override;
  bool PersonalSealDialog(PersonalSealDialogData& data) override;
  bool CorporateSealDialog(CorporateSealDialogData& data) override;

 private:
  QWidget* m_pParent;
};
