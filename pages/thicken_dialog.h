// CThickenImageDialog: how much the paint editor's thicken filter widens the ink, as separate X
// and Y amounts or one amount for both. The boxes show twice the slider positions, the amounts
// that reach the image; they change when the mouse releases a slider.
#pragma once

#include <functional>

#include "platform/ui/dialog.h"

class CThickenImageDialog : public CDialog {
 public:
  explicit CThickenImageDialog(QWidget* parent = nullptr);

  BOOL OnInitDialog() override;
  BOOL OnCommand(int id, int code) override;
  BOOL OnNotify(int id, NMUPDOWN& nm) override;
  void OnOK() override;
  void ShowSliders(int showXY);

  // The exchanged values: slider positions and the same-amount flag.
  int m_nX = 0;
  int m_nY = 0;
  int m_bSame = 0;
  int m_nXY = 0;

  // Runs a dialog modally: DoModal unless a test put its own runner in place.
  using Runner = std::function<int(CThickenImageDialog&)>;
  static Runner SetRunner(Runner runner);
  int Run();

 private:
  void ShowDoubled(int slider, int box);
};
