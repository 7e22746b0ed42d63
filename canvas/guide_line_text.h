// CGuideLineText: a developer's test of text laid between two guide lines drawn on the canvas:
// the first guide along the top of the text, the second along its bottom. It works in device
// coordinates and has nothing to do with the design.
#pragma once

#include <functional>

#include "platform/gdi/font.h"
#include "platform/wintypes.h"

class CDC;

class CGuideLineText {
 public:
  CGuideLineText();
  virtual ~CGuideLineText();
  CGuideLineText(const CGuideLineText&) = delete;
  CGuideLineText& operator=(const CGuideLineText&) = delete;

  // One hand-drawn point: the position and whether the left button was released with it.
  struct GuideEvent {
    int x = 0;
    int y = 0;
    bool buttonUp = false;
  };
  // Where CaptureGuide takes its points from (the view's mouse events, or a test's list);
  // returns false when no point is left, which ends the capture as a release would.
  using EventSource = std::function<bool(GuideEvent&)>;
  void SetEventSource(EventSource source) { m_source = std::move(source); }

  int OnDrawText(CDC* pDC, const RECT& client);
  int QuickTest();
  int ArcTest(CDC* pDC);
  int ChooseFont();
  int ToggleGuides();
  int ToggleOutline();
  void Redraw(CDC* pDC, const RECT& client);
  int WarpText(CDC* pDC, const POINT* g1, const POINT* g2, int c1, int c2, const char* text, int outline);
  int DensifyGuide(POINT*& points, int& count);
  int CaptureGuide(CDC* pDC, const RECT& client, POINT*& points, int& count);
  int DrawGuide(CDC* pDC, const POINT* points, int count);
  int FillOrStrokePath(CDC* pDC, const POINT* points, const BYTE* types, int count, int outline);
  int ReplayPath(CDC* pDC, const POINT* points, const BYTE* types, int count);
  static void GetPathExtent(const POINT* points, int count, SIZE& size);
  // Both guides can be warped along: both exist with at least one point.
  bool BothGuides() const;

  static constexpr int kCapturePoints = 1000;
  static constexpr int kMaxPoints = 64000;

  LOGFONT m_lf{};
  int m_bNextIsFirst = 1;
  int m_bOutlineOnly = 0;
  int m_bShowGuides = 0;
  POINT* m_pGuide1 = nullptr;
  POINT* m_pGuide2 = nullptr;
  int m_nGuide1 = 0;
  int m_nGuide2 = 0;

 private:
  EventSource m_source;
};
