// The painter back end: CDC drawing on a widget (inside its paint event) or a printer through
// QPainter. Device units are the painter's device pixels; MM_HIMETRIC maps through the device's
// own resolution (96 dpi for the screen, the printer's for a printer), so 1000 logical units
// print 10 mm wide. On pixel devices (widgets, images) fills and pens cover exactly the pixels
// the raster back end covers (wide pens on ellipses and rounded rectangles excepted, which are
// drawn as outlines); on printers every shape is drawn as an aliased outline at the printer's
// resolution, with the same geometry.
#pragma once

#include <QRect>
#include <memory>
#include <vector>

#include "platform/gdi/dc.h"
#include "platform/gdi/dc_backend.h"

class QColor;
class QImage;
class QPainter;
class QPaintDevice;
class QPrinter;
class QWidget;

class CPainterBackend : public CDCBackend {
 public:
  // The painter must be active on its device, with one clip and transform, for the whole life
  // of the back end.
  CPainterBackend(QPainter& painter, int pixelsPerMetreX, int pixelsPerMetreY);

  int GetDeviceCaps(int index) const override;
  int PixelsPerMetreX() const override { return m_ppmX; }
  int PixelsPerMetreY() const override { return m_ppmY; }

  void Rectangle(const RECT& r, const GdiDrawState& st) override;
  void Ellipse(const RECT& r, const GdiDrawState& st) override;
  void RoundRect(const RECT& r, int cornerW, int cornerH, const GdiDrawState& st) override;
  void Figures(const std::vector<DeviceFigure>& figures, bool fill, bool stroke,
               COLORREF fillColour, const GdiDrawState& st) override;
  bool PaintsCells() const override { return m_exact; }
  void FigureCells(const std::vector<DeviceFigure>& figures, bool fill, int penWidth, int fillMode,
                   const gdi::Clip& clip, gdi::SpanRegion& area, gdi::SpanRegion& pen) const override;
  void PaintCells(const gdi::SpanRegion& area, const gdi::SpanRegion& pen, const RECT& box, bool fill,
                  bool stroke, COLORREF fillColour, const GdiDrawState& st) override;
  void FillRegion(const gdi::SpanRegion& rgn, COLORREF colour) override;
  void PatBlt(const RECT& r, DWORD rop, const GdiDrawState& st) override;
  BOOL StretchBlt(int x, int y, int w, int h, const CDCBackend& src, int xs, int ys, int ws,
                  int hs, DWORD rop, const GdiDrawState& st, COLORREF srcBkColour) override;
  BOOL StretchDIBits(int x, int y, int w, int h, int xs, int ys, int ws, int hs, const void* bits,
                     const BITMAPINFO* bmi, DWORD rop, const GdiDrawState& st) override;
  // A painter's device gives no pixels back.
  COLORREF GetPixel(int x, int y) const override;
  COLORREF SetPixel(int x, int y, COLORREF colour) override;
  BOOL FloodFill(int x, int y, COLORREF colour, UINT kind, COLORREF fillColour) override;
  void DrawFocusRect(const RECT& r) override;
  SIZE SurfaceSize() const override;
  RECT ClipBox() const override;

 private:
  // Sets the painter's composition for a pen or brush raster operation; false when the
  // operation leaves the device unchanged.
  bool ApplyRop2(int rop2);
  gdi::Clip SurfaceClip() const;
  void PaintSpans(const gdi::SpanRegion& rgn, const QColor& colour);
  // Whether cells may be written straight into m_direct now, and the writing itself.
  bool Direct() const;
  void WriteSpans(const gdi::SpanRegion& rgn, unsigned int value);
  void PaintShape(const gdi::SpanRegion& area, const gdi::SpanRegion& penArea, bool fill, bool pen,
                  COLORREF fillColour, const GdiDrawState& st);
  bool ApplyBlitRop(DWORD rop, QImage& image);
  void ResetComposition();

  QPainter& m_painter;
  int m_ppmX;
  int m_ppmY;
  bool m_rasterOps;
  bool m_exact;
  // The image that plain copies are written into directly, and its clip rectangles (the painter's
  // clip when the back end was made, which it keeps while the back end lives).
  QImage* m_direct = nullptr;
  bool m_directClipped = false;
  std::vector<QRect> m_directClip;
};

// A device context over a QPainter. Screen: 96 dots per inch whatever the monitor (the design's
// scale on screen is the zoom's, not the monitor's).
class CPainterDC : public CDC {
 public:
  // On a widget, inside its paint event.
  CPainterDC(QPainter& painter, QWidget* widget);
  // On an image (a window surface) at the image's dots per metre.
  CPainterDC(QPainter& painter, QImage* image);
  // On a printer (or a PDF printer) at its resolution.
  CPainterDC(QPainter& painter, QPrinter* printer);
};

// Pixels per metre of a resolution in dots per inch, rounded.
int DotsPerInchToPixelsPerMetre(int dpi);
