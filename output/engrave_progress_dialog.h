// The modeless progress dialog of a job on the user-interface thread: a bar, a percentage and
// Cancel. While it is shown it is owned by the main window, which it disables; position updates
// and cancel checks pump the thread's events at most once per screen frame, so that windows
// repaint and Cancel or Esc reach it without the job spending its time in repaints.
#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>

#include "platform/wintypes.h"

class QLabel;
class QProgressBar;
class QPushButton;

class CEngraveProgressDialog : public QDialog {
 public:
  enum { IDD = 103, IDS_CAPTION = 104, IDC_PROGRESS = 1003, IDC_PERCENT = 1004 };

  explicit CEngraveProgressDialog(int captionId = IDS_CAPTION);
  ~CEngraveProgressDialog() override;

  // Shows the dialog modeless, owned by the parent's top-level window (the active window
  // when none is given), which it disables while it lives. 1 on success.
  // The bar and the percentage change together, at most once per frame.
  BOOL Create(QWidget* parent = nullptr);
  void SetRange(int lo, int hi);
  void SetPos(int pos);
  void SetStep(int step);
  // Pumps events (at most once per frame); returns the cancel flag and clears it.
  BOOL CheckCancelButton();
  void PumpMessages();
  // The cancel flag, left as it is.
  BOOL IsCancelPending() const { return m_bCancel; }
  // The least time between two pumps of a running job.
  static constexpr int kFrameMs = 16;
  // Enables the owner again when this dialog disabled it, and hides the window.
  BOOL DestroyWindow();

  // For the tests and the engine: the shown percentage text and the bar.
  QString GetPercentText() const;
  QProgressBar* GetProgressBar() const { return m_pProgress; }
  QPushButton* GetCancelButton() const { return m_pCancel; }
  BOOL IsCreated() const { return m_bCreated; }

 protected:
  // Cancel and Esc only set the flag; the dialog stays.
  void reject() override;
  void OnCancel();
  void OnInitDialog();
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  // PumpMessages when a frame has gone by since the last pump.
  void PumpPerFrame();

 private:
  QProgressBar* m_pProgress = nullptr;
  int m_nCaptionId;
  int m_nLower = 0;
  int m_nUpper = 100;
  int m_nStep = 1;
  int m_bCancel = 0;
  int m_bParentDisabled = 0;
  QPointer<QWidget> m_pParentWnd;  // the owner may go away while a job runs
  QLabel* m_pPercent = nullptr;
  QPushButton* m_pCancel = nullptr;
  BOOL m_bCreated = FALSE;
  bool m_bOwned = false;  // reparented to its owner by Create
  QElapsedTimer m_LastPump;
  QElapsedTimer m_LastShow;
  bool m_bRangeNew = true;  // the next position is the range's first
};
