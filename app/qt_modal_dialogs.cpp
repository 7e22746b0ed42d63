#include "app/qt_modal_dialogs.h"

#include <cmath>

#include <QFont>
#include <QDialog>
#include <QFontDialog>

#include "files/places_bar.h"
#include "pages/settings_dialogs.h"
#include "platform/qt_prompter.h"
#include "seal/seal_dialogs.h"
#include "seal/seal_font_choice.h"

bool CQtModalDialogs::FontDialog(FontDialogData& data) {
  if (data.faceOnly) {
    QString face = data.faceName.ToQString();
    if (!ChooseSealFont(m_pParent, face)) return false;
    data.faceName = CString::FromQString(face);
    data.charSet = 128;
    return true;
  }
  QFont initial(data.faceName.ToQString());
  if (data.pointSizeTenths > 0) initial.setPointSizeF(data.pointSizeTenths / 10.0);
  initial.setItalic(data.italic != 0);
  initial.setWeight(data.weight >= 700 ? QFont::Bold : QFont::Normal);
  QFontDialog dialog(initial, m_pParent);
  dialog.setOption(QFontDialog::DontUseNativeDialog, true);
  dialog.setOption(QFontDialog::ScalableFonts, true);
  if (dialog.exec() != QDialog::Accepted) return false;
  const QFont font = dialog.selectedFont();
  data.faceName = CString::FromQString(font.family());
  data.italic = font.italic() ? 1 : 0;
  data.weight = font.weight() >= QFont::Bold ? 700 : 400;
  data.pointSizeTenths = static_cast<int>(std::lround(font.pointSizeF() * 10.0));
  // Every face the system lays out is a Japanese-capable one.
  data.charSet = 128;
  return true;
}

bool CQtModalDialogs::SaveFileDialog(const FileDialogRequest& request, CString& path, int& filterIndex) {
  std::vector<CString> paths;
  int chosen = 1;
  if (!RunQtFileDialog(m_pParent, request, paths, &chosen) || paths.empty() || paths.front().IsEmpty()) return false;
  path = paths.front();
  filterIndex = chosen > 0 ? chosen : 1;
  return true;
}

bool CQtModalDialogs::PlacesBarDialog(PlacesBarDialogData& data) {
  CPlacesBarDialog dialog(m_pParent);
  for (int i = 0; i < 5; ++i) dialog.m_strFolder[i] = data.folders[i];
  dialog.m_bUseHistory = data.useHistory;
  if (dialog.DoModal() != IDOK) return false;
  for (int i = 0; i < 5; ++i) data.folders[i] = dialog.m_strFolder[i];
  data.useHistory = dialog.m_bUseHistory;
  return true;
}

bool CQtModalDialogs::LayerDialog(LayerDialogData& data) {
  CLayerDlg dialog(m_pParent);
  dialog.m_nLayer = data.layer;
  if (dialog.DoModal() != IDOK) return false;
  data.layer = dialog.m_nLayer;
  return true;
}

bool CQtModalDialogs::OutputModeDialog(OutputModeDialogData& data) {
  COutputModeDialog dialog(m_pParent);
  dialog.m_nOutputMode = data.outputMode;
  dialog.m_nFillDirection = data.fillDirection;
  dialog.m_strScanInterval = data.scanInterval;
  if (dialog.DoModal() != IDOK) return false;
  data.outputMode = dialog.m_nOutputMode;
  data.fillDirection = dialog.m_nFillDirection;
  data.scanInterval = dialog.m_strScanInterval;
  return true;
}

bool CQtModalDialogs::ColorBoxDialog(ColorBoxDialogData& data) {
  CColorBoxDialog dialog(m_pParent);
  dialog.m_nColor = data.color;
  if (dialog.DoModal() != IDOK) return false;
  data.color = dialog.m_nColor;
  return true;
}

bool CQtModalDialogs::EngraveLayerDialog(EngraveLayerDialogData& data) {
  CEngraveLayerDlg dialog(m_pParent);
  dialog.m_pUsedLayers = data.used;
  dialog.m_pShownLayers = data.shown;
  for (int i = 0; i < 8; ++i) dialog.m_nLayer[i] = data.checks[i];
  if (dialog.DoModal() != IDOK) return false;
  for (int i = 0; i < 8; ++i) data.checks[i] = dialog.m_nLayer[i];
  return true;
}

bool CQtModalDialogs::SealKindDialog(SealKindDialogData& data) {
  CSealKindDialog dialog(m_pParent);
  dialog.m_nKind = data.kind;
  if (dialog.DoModal() != IDOK) return false;
  data.kind = dialog.m_nKind;
  return true;
}

bool CQtModalDialogs::PersonalSealDialog(PersonalSealDialogData& data) {
  CPersonalSealDialog dialog(data, m_pParent);
  if (dialog.DoModal() != IDOK) return false;
  data = dialog.m_Data;
  return true;
}

bool CQtModalDialogs::CorporateSealDialog(CorporateSealDialogData& data) {
  CCorporateSealDialog dialog(data, m_pParent);
  const int result = dialog.DoModal();
  // The font lists change in place, whatever the answer.
  for (int i = 0; i < SEAL_FONT_HISTORY; ++i) {
    data.sotoFont[i] = dialog.m_Data.sotoFont[i];
    data.uchiFont[i] = dialog.m_Data.uchiFont[i];
  }
  if (result != IDOK) return false;
  data = dialog.m_Data;
  return true;
}

bool CQtModalDialogs::ExecDialog(QDialog& dialog) { return dialog.exec() == QDialog::Accepted; }
