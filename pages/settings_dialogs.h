// The document's small modal dialogs: the layer choice, the layers of an engraving job, the
// output mode of an object and the colour box. Each is filled by its caller before DoModal and
// read back after IDOK; the swatches show the layer colours.
#pragma once

#include "platform/ui/dialog.h"

// The layer of the selection: radios "0" to "7"; -1 (none checked) for a mixed selection, and
// after OK when the operator chose nothing.
class CLayerDlg : public CDialog {
 public:
  explicit CLayerDlg(QWidget* parent = nullptr);
  BOOL OnInitDialog() override;
  void OnOK() override;
  BOOL OnCtlColor(int id, COLORREF& text, COLORREF& back) override;

  int m_nLayer = -1;
};

// Which of the used layers an engraving job takes.
class CEngraveLayerDlg : public CDialog {
 public:
  explicit CEngraveLayerDlg(QWidget* parent = nullptr);
  BOOL OnInitDialog() override;
  void OnOK() override;
  BOOL OnCommand(int id, int code) override;
  BOOL OnCtlColor(int id, COLORREF& text, COLORREF& back) override;

  // Boxes and swatches of the used layers only, each box checked.
  void CheckUsedLayers();
  // The used layers' boxes take the display flags.
  void CheckShownLayers();
  void OnAllLayers();
  void OnShownLayers();
  void OnLayer(int n);

  // The check states of the boxes "0 : " to "7 : ".
  int m_nLayer[8] = {};
  // The caller's eight used-layer flags and eight display flags; set before DoModal.
  const int* m_pUsedLayers = nullptr;
  const int* m_pShownLayers = nullptr;

 private:
  void ReadChecks();
};

// Output mode (0 clockwise outline, 1 counter-clockwise outline, 2 fill), fill direction
// (0 horizontal, 1 vertical) and the scan interval as typed, in mm.
class COutputModeDialog : public CDialog {
 public:
  explicit COutputModeDialog(QWidget* parent = nullptr);
  BOOL OnInitDialog() override;
  // Refused, with the interval selected, while the interval is not a number above 0.
  void OnOK() override;

  CString m_strScanInterval;
  int m_nOutputMode = -1;
  int m_nFillDirection = -1;
};

// Eight swatches, one per layer colour; the chosen index after OK (-1 before, and when none).
class CColorBoxDialog : public CDialog {
 public:
  explicit CColorBoxDialog(QWidget* parent = nullptr);
  BOOL OnInitDialog() override;
  void OnOK() override;
  BOOL OnCtlColor(int id, COLORREF& text, COLORREF& back) override;

  int m_nColor = -1;
};
