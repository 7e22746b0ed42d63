// The device context: state, coordinate mapping, primitives, the path recorder and blits. One
// class for every target; the device itself sits behind CDCBackend (dc_backend.h).
#pragma once

#include <memory>
#include <vector>

#include "platform/gdi/dc_backend.h"
#include "platform/gdi/gdi_types.h"
#include "platform/gdi/font_text.h"
#include "platform/gdi/gdiobj.h"

class CFont;

class CDC {
 public:
  CDC();
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;
  virtual ~CDC();

  // --- attaching a device -------------------------------------------------------------------
  // A memory DC whose device resolution is pDC's (the screen's when pDC is null); it holds a
  // 1x1 monochrome bitmap until another is selected.
  BOOL CreateCompatibleDC(CDC* pDC);
  // Any other device (the painter back end for widgets and printers).
  BOOL AttachBackend(std::unique_ptr<CDCBackend> backend);
  BOOL DeleteDC();
  HDC GetSafeHdc() const { return m_backend ? const_cast<CDC*>(this) : nullptr; }
  static CDC* FromHandle(HDC h) { return h; }
  operator HDC() const { return GetSafeHdc(); }
  CDCBackend* GetBackend() const { return m_backend.get(); }
  int GetDeviceCaps(int index) const;

  // --- mapping -------------------------------------------------------------------------------
  int SetMapMode(int mode);
  int GetMapMode() const { return m_mapMode; }
  CPoint SetWindowOrg(int x, int y);
  CPoint SetWindowOrg(POINT p) { return SetWindowOrg(p.x, p.y); }
  CPoint GetWindowOrg() const { return m_windowOrg; }
  CPoint OffsetWindowOrg(int dx, int dy);
  CPoint SetViewportOrg(int x, int y);
  CPoint SetViewportOrg(POINT p) { return SetViewportOrg(p.x, p.y); }
  CPoint GetViewportOrg() const { return m_viewportOrg; }
  CPoint OffsetViewportOrg(int dx, int dy);
  // Extents as the mapping mode sets them (MM_HIMETRIC: 100000 logical units per metre, the
  // device's pixels per metre on the viewport side, y negative).
  CSize GetWindowExt() const;
  CSize GetViewportExt() const;

  // Points go through the origins; sizes only scale (sign kept, never mirrored). Every result
  // is rounded half away from zero.
  void LPtoDP(POINT* pts, int count = 1) const;
  void LPtoDP(RECT* r) const;
  void LPtoDP(SIZE* s) const;
  void DPtoLP(POINT* pts, int count = 1) const;
  void DPtoLP(RECT* r) const;
  void DPtoLP(SIZE* s) const;
  // Sizes between 0.01 mm and device pixels, whatever the mapping mode.
  void HIMETRICtoDP(SIZE* s) const;
  void DPtoHIMETRIC(SIZE* s) const;
  // Unrounded transforms, for code that scales outlines (text).
  DPOINT LPtoDPExact(double x, double y) const;
  DPOINT DPtoLPExact(double x, double y) const;
  // Device pixels per logical unit along each axis (negative when the axis is mirrored).
  double DeviceScaleX() const;
  double DeviceScaleY() const;

  // --- objects and modes ---------------------------------------------------------------------
  CPen* SelectObject(CPen* pen);
  CBrush* SelectObject(CBrush* brush);
  // Memory DCs: returns the previous bitmap, null when the bitmap cannot be selected (not
  // created, or selected into another DC).
  CBitmap* SelectObject(CBitmap* bitmap);
  // Stored for the text code; the DC itself never reads the font.
  CFont* SelectObject(CFont* font);
  CGdiObject* SelectStockObject(int index);
  CPen* GetCurrentPen() const { return m_pen; }
  CBrush* GetCurrentBrush() const { return m_brush; }
  CBitmap* GetCurrentBitmap() const;
  CFont* GetCurrentFont() const { return m_font; }

  // Text through the selected font (the stock system font when none is selected).
  BOOL TextOut(int x, int y, const char* s, int n) { return gditext::TextOut(*this, x, y, s, n); }
  BOOL TextOut(int x, int y, const CString& s) { return gditext::TextOut(*this, x, y, s); }
  BOOL GetTextMetrics(TEXTMETRIC* tm) const { return gditext::GetTextMetrics(*this, tm); }
  BOOL GetCharABCWidths(UINT f, UINT l, ABC* a) const { return gditext::GetCharABCWidths(*this, f, l, a); }
  BOOL GetCharABCWidthsFloat(UINT f, UINT l, ABCFLOAT* a) const {
    return gditext::GetCharABCWidthsFloat(*this, f, l, a);
  }
  BOOL GetTextExtentPoint32(const char* s, int n, SIZE* sz) const {
    return gditext::GetTextExtentPoint32(*this, s, n, sz);
  }
  CSize GetTextExtent(const char* s, int n) const { return gditext::GetTextExtent(*this, s, n); }
  CSize GetTextExtent(const CString& s) const { return gditext::GetTextExtent(*this, s); }

  int SetROP2(int mode);
  int GetROP2() const { return m_rop2; }
  int SetPolyFillMode(int mode);
  int GetPolyFillMode() const { return m_polyFillMode; }
  int SetStretchBltMode(int mode);
  int GetStretchBltMode() const { return m_stretchMode; }
  COLORREF SetTextColor(COLORREF c);
  COLORREF GetTextColor() const { return m_textColour; }
  COLORREF SetBkColor(COLORREF c);
  COLORREF GetBkColor() const { return m_bkColour; }
  int SetBkMode(int mode);
  int GetBkMode() const { return m_bkMode; }
  UINT SetTextAlign(UINT flags);
  UINT GetTextAlign() const { return m_textAlign; }

  // --- lines and shapes (logical coordinates) ------------------------------------------------
  CPoint MoveTo(int x, int y);
  CPoint MoveTo(POINT p) { return MoveTo(p.x, p.y); }
  BOOL LineTo(int x, int y);
  BOOL LineTo(POINT p) { return LineTo(p.x, p.y); }
  CPoint GetCurrentPosition() const { return m_cp; }
  BOOL Polyline(const POINT* pts, int count);
  BOOL Polygon(const POINT* pts, int count);
  BOOL PolyPolygon(const POINT* pts, const INT* counts, int polyCount);
  BOOL Rectangle(int x1, int y1, int x2, int y2);
  BOOL Rectangle(const RECT* r) { return Rectangle(r->left, r->top, r->right, r->bottom); }
  BOOL RoundRect(int x1, int y1, int x2, int y2, int cornerW, int cornerH);
  BOOL RoundRect(const RECT* r, POINT corner) {
    return RoundRect(r->left, r->top, r->right, r->bottom, corner.x, corner.y);
  }
  BOOL Ellipse(int x1, int y1, int x2, int y2);
  BOOL Ellipse(const RECT* r) { return Ellipse(r->left, r->top, r->right, r->bottom); }
  // Counter-clockwise (as seen on the device) from the radial through (x3, y3) to the radial
  // through (x4, y4).
  BOOL Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  BOOL Arc(const RECT* r, POINT start, POINT end) {
    return Arc(r->left, r->top, r->right, r->bottom, start.x, start.y, end.x, end.y);
  }
  BOOL PolyDraw(const POINT* pts, const BYTE* types, int count);
  // Bezier segments from the current position: each three points are two controls and an end
  // point, which becomes the current position. count must be a multiple of 3.
  BOOL PolyBezierTo(const POINT* pts, int count);
  // AD_COUNTERCLOCKWISE (the default) or AD_CLOCKWISE: the direction Arc turns, on the device,
  // from its start radial to its end radial; drawn and in paths alike. Returns the previous one.
  int SetArcDirection(int direction);
  int GetArcDirection() const { return m_arcDirection; }

  // --- fills, blits and pixels ---------------------------------------------------------------
  void FillRect(const RECT* r, CBrush* brush);
  void FillSolidRect(const RECT* r, COLORREF colour);
  void FillSolidRect(int x, int y, int cx, int cy, COLORREF colour);
  BOOL FillRgn(CRgn* rgn, CBrush* brush);
  BOOL PatBlt(int x, int y, int w, int h, DWORD rop);
  BOOL BitBlt(int x, int y, int w, int h, CDC* src, int xs, int ys, DWORD rop);
  BOOL StretchBlt(int x, int y, int w, int h, CDC* src, int xs, int ys, int ws, int hs, DWORD rop);
  // Returns the number of rows drawn (hs), 0 on failure.
  int StretchDIBits(int x, int y, int w, int h, int xs, int ys, int ws, int hs, const void* bits,
                    const BITMAPINFO* bmi, UINT usage, DWORD rop);
  COLORREF SetPixel(int x, int y, COLORREF colour);
  COLORREF SetPixel(POINT p, COLORREF colour) { return SetPixel(p.x, p.y, colour); }
  BOOL SetPixelV(int x, int y, COLORREF colour) { return SetPixel(x, y, colour) != CLR_INVALID; }
  // Raster scans read every pixel through here, so the common case stays inline.
  COLORREF GetPixel(int x, int y) const {
    if (m_pixels && m_mapMode == MM_TEXT)
      return m_pixels->PixelColour(x - m_windowOrg.x + m_viewportOrg.x,
                                   y - m_windowOrg.y + m_viewportOrg.y);
    return GetPixelMapped(x, y);
  }
  COLORREF GetPixel(POINT p) const { return GetPixel(p.x, p.y); }
  // Fills with the brush the area round (x, y) that is bounded by `border`.
  BOOL FloodFill(int x, int y, COLORREF border);
  BOOL ExtFloodFill(int x, int y, COLORREF colour, UINT kind);
  void DrawFocusRect(const RECT* r);
  // The bounding box of what drawing can reach (the device's clip, else its whole surface), in
  // logical units; the region kind as GetClipBox answers it (SIMPLEREGION, NULLREGION).
  int GetClipBox(RECT* r) const;
  // Inverts a frame of the given edge widths inside rect, after inverting the last one (when
  // given) to take it away. The brushes are accepted for the callers' sake; frames are inverted.
  void DrawDragRect(const RECT* rect, SIZE size, const RECT* rectLast, SIZE sizeLast,
                    CBrush* brush = nullptr, CBrush* brushLast = nullptr);

  // --- paths ---------------------------------------------------------------------------------
  BOOL BeginPath();
  BOOL EndPath();
  BOOL AbortPath();
  BOOL CloseFigure();
  BOOL FlattenPath();
  // With count 0: the number of points; else copies up to count points and types and returns
  // how many; -1 without a finished path or when count is too small.
  int GetPath(POINT* pts, BYTE* types, int count) const;
  BOOL FillPath();
  BOOL StrokePath();
  BOOL StrokeAndFillPath();

  // The recorder for outline producers outside the DC (glyph outlines), in logical units.
  bool IsPathOpen() const { return m_pathState == PathState::Open; }
  // A path never holds more than this many points: one that would is abandoned (GetPath gives
  // -1, filling and stroking draw nothing) instead of exhausting memory.
  static constexpr size_t kMaxPathPoints = 50000000;
  bool PathOverflowed() const { return m_pathOverflow; }
  BOOL PathMoveTo(POINT p);
  BOOL PathLineTo(POINT p);
  BOOL PathBezierTo(POINT c1, POINT c2, POINT end);
  BOOL PathCloseFigure() { return CloseFigure(); }
  // Fills figures given like a path (PT_* types, Bezier triplets, logical units) with a colour
  // under the given fill mode, outside any path.
  BOOL FillFigures(const POINT* pts, const BYTE* types, int count, COLORREF colour,
                   int fillMode = WINDING);

  // Called by a drawing object that goes away while selected here.
  void OnObjectDeleted(CGdiObject* obj);

 private:
  enum class PathState { None, Open, Closed };
  GdiDrawState DrawState() const;
  // Fills and strokes the recorded path; on a device that paints cells, an equal path drawn
  // before in the same mapping is painted from the path cache.
  void DrawPath(bool fill, bool stroke, COLORREF fillColour, const GdiDrawState& st);
  static constexpr int kMaxCachedPathPoints = 20000;
  static constexpr double kMaxCachedPathExtent = 2048;
  // Paths no wider and no taller than this on the device (pen included) are not cached.
  static constexpr double kFewPathPixels = 4;
  bool FewPixelsOnDevice(const POINT* pts, int count, int penWidth) const;
  // Whether a path whose points (Bezier control points included) lie in the logical box paints
  // no cell on a device that paints cells: no cell centre lies in reach of its fill, and a pen of
  // at most one pixel would round every point to one pixel. False when it may paint.
  bool PaintsNoCell(const RECT& box, bool fill, bool stroke, const GdiDrawState& st) const;
  int DeviceLength(int logical) const;
  RECT DeviceRect(int x1, int y1, int x2, int y2) const;
  DPOINT ToDevice(POINT p) const { return LPtoDPExact(p.x, p.y); }
  bool UpPositive() const;  // the device y axis runs opposite to logical y
  void ReplaceSelected(CGdiObject** slot, CGdiObject* obj);
  void InvertFrame(const RECT& logical, SIZE size);
  COLORREF GetPixelMapped(int x, int y) const;
  void RefreshPixels() { m_pixels = m_backend ? m_backend->GetSelectedBitmap() : nullptr; }

  // path recorder
  void PathAdd(POINT p, BYTE type);
  void PathStartFigureAtCP();
  void AddEllipseFigure(double l, double t, double r, double b);
  void AddRoundRectFigure(double l, double t, double r, double b, double w, double h);
  void AddRectFigure(int l, int t, int r, int b);
  // logical figure (PT_* types) to device figures, Beziers flattened
  std::vector<DeviceFigure> ToDeviceFigures(const POINT* pts, const BYTE* types, int count) const;
  void ToDeviceFigures(const POINT* pts, const BYTE* types, int count, std::vector<DeviceFigure>& out) const;
  // arc control points in logical units: start point then Bezier triplets
  std::vector<DPOINT> ArcBeziers(int x1, int y1, int x2, int y2, int x3, int y3, int x4,
                                 int y4) const;

  std::unique_ptr<CDCBackend> m_backend;
  const CBitmap* m_pixels = nullptr;  // the raster back end's bitmap, for GetPixel
  int m_mapMode = MM_TEXT;
  CPoint m_windowOrg;
  CPoint m_viewportOrg;
  CPen* m_pen = nullptr;
  CBrush* m_brush = nullptr;
  CFont* m_font = nullptr;
  int m_rop2 = R2_COPYPEN;
  int m_polyFillMode = ALTERNATE;
  int m_stretchMode = BLACKONWHITE;
  int m_bkMode = OPAQUE;
  COLORREF m_textColour = 0;
  COLORREF m_bkColour = 0xFFFFFF;
  UINT m_textAlign = TA_LEFT | TA_TOP;
  CPoint m_cp;
  int m_arcDirection = AD_COUNTERCLOCKWISE;

  PathState m_pathState = PathState::None;
  std::vector<POINT> m_pathPts;
  bool m_pathOverflow = false;
  std::vector<BYTE> m_pathTypes;
  bool m_figureOpen = false;   // a LineTo continues the last figure
};
