// What the print and preview sequence tells a view about the job in progress.
#pragma once

#include "platform/wintypes.h"

class QPrinter;

class CPrintInfo {
 public:
  // The printable area of the page in the view's logical units (MM_HIMETRIC: y negative, so
  // top is 0 and bottom is minus the height).
  CRect m_rectDraw;
  // Set while a preview is painted rather than a page printed.
  BOOL m_bPreview = FALSE;
  // Printing without the print dialog.
  BOOL m_bDirect = FALSE;
  // Set by the view's preparing step when the dialog was cancelled or the printer cannot start.
  BOOL m_bContinuePrinting = TRUE;
  // The design is one page.
  UINT m_nCurPage = 1;
  UINT GetMinPage() const { return 1; }
  UINT GetMaxPage() const { return 1; }
  // The printer of the job (the run's one printer).
  QPrinter* m_pPrinter = nullptr;
};
