// The interface between CDC and the device it draws on.
//
// CDC keeps all state (mapping, origins, selected objects, raster operation, modes, the path
// recorder) and turns every drawing call into device coordinates before it reaches a back end;
// a back end only draws. The raster back end (raster_backend.h) draws into the CBitmap selected
// into a memory DC; a painter back end for widgets and printers implements the same interface
// over QPainter and is attached with CDC::AttachBackend, so callers never see the difference.
//
// Device coordinates: integer rectangles are pixel rectangles, right and bottom excluded.
// Figures carry doubles: for fills a point is a position on the continuous plane whose unit
// squares are the pixels (pixel (x, y) covers [x, x+1) x [y, y+1)); for strokes an integer
// point names the pixel it lies on.
#pragma once

#include <vector>

#include "platform/gdi/gdi_types.h"
#include "platform/gdi/span_region.h"

struct DPOINT {
  double x = 0;
  double y = 0;
};

// One figure: a polyline, closed when `closed` (the closing edge is implied).
struct DeviceFigure {
  std::vector<DPOINT> points;
  bool closed = false;
};

// What a drawing call needs of the DC's state, already in device units.
struct GdiDrawState {
  int penStyle = PS_SOLID;       // PS_SOLID, PS_NULL or PS_INSIDEFRAME (others draw solid)
  int penWidth = 1;              // device pixels, at least 1
  COLORREF penColour = 0;
  bool brushNull = false;
  COLORREF brushColour = 0xFFFFFF;
  int rop2 = R2_COPYPEN;
  int polyFillMode = ALTERNATE;
  int stretchMode = BLACKONWHITE;
  COLORREF textColour = 0;
  COLORREF bkColour = 0xFFFFFF;
  int bkMode = OPAQUE;

  bool PenNull() const { return penStyle == PS_NULL; }
};

class CDCBackend {
 public:
  virtual ~CDCBackend() = default;

  // Device description: HORZRES, VERTRES, BITSPIXEL, PLANES, LOGPIXELSX/Y, HORZSIZE, VERTSIZE.
  virtual int GetDeviceCaps(int index) const = 0;
  // Device pixels per metre, used by MM_HIMETRIC.
  virtual int PixelsPerMetreX() const = 0;
  virtual int PixelsPerMetreY() const = 0;

  // Memory DCs only: select a bitmap (null: the DC's own 1x1 monochrome bitmap); returns the
  // previous one, or null when the device cannot hold bitmaps or the bitmap is unusable.
  virtual CBitmap* SelectBitmap(CBitmap* bitmap) { (void)bitmap; return nullptr; }
  virtual CBitmap* GetSelectedBitmap() const { return nullptr; }

  // Rectangle and ellipse inside a normalised pixel rectangle: brush inside, pen on the border
  // (an inside-frame pen stays within the rectangle).
  virtual void Rectangle(const RECT& r, const GdiDrawState& st) = 0;
  virtual void Ellipse(const RECT& r, const GdiDrawState& st) = 0;
  // Rounded rectangle whose corners are quarters of a cornerW x cornerH ellipse (both positive).
  virtual void RoundRect(const RECT& r, int cornerW, int cornerH, const GdiDrawState& st) = 0;
  // Fills the figures together under st.polyFillMode with fillColour (when fill), then strokes
  // each with the pen (when stroke). A 1-pixel pen leaves out the last pixel of an open figure.
  virtual void Figures(const std::vector<DeviceFigure>& figures, bool fill, bool stroke,
                       COLORREF fillColour, const GdiDrawState& st) = 0;
  // Devices that paint whole cells can hand the cells of figures to the path cache and paint
  // cells from it. FigureCells gives what Figures would cover (no pen when penWidth is 0),
  // within `clip`; PaintCells paints cells as Figures paints them, within the device's clip.
  virtual bool PaintsCells() const { return false; }
  virtual void FigureCells(const std::vector<DeviceFigure>& figures, bool fill, int penWidth,
                           int fillMode, const gdi::Clip& clip, gdi::SpanRegion& area,
                           gdi::SpanRegion& pen) const {
    (void)figures; (void)fill; (void)penWidth; (void)fillMode; (void)clip;
    area.Clear();
    pen.Clear();
  }
  virtual void PaintCells(const gdi::SpanRegion& area, const gdi::SpanRegion& pen, const RECT& box,
                          bool fill, bool stroke, COLORREF fillColour, const GdiDrawState& st) {
    (void)area; (void)pen; (void)box; (void)fill; (void)stroke; (void)fillColour; (void)st;
  }
  // Fills a pixel region (R2_COPYPEN).
  virtual void FillRegion(const gdi::SpanRegion& rgn, COLORREF colour) = 0;
  // A ternary raster operation with the brush as pattern on a normalised pixel rectangle.
  virtual void PatBlt(const RECT& r, DWORD rop, const GdiDrawState& st) = 0;
  // Copies from another device. Signed extents; opposite signs mirror. The source must be able
  // to give pixels (SourcePixel); otherwise the call fails.
  virtual BOOL StretchBlt(int x, int y, int w, int h, const CDCBackend& src, int xs, int ys,
                          int ws, int hs, DWORD rop, const GdiDrawState& st,
                          COLORREF srcBkColour) = 0;
  // Draws a device-independent bitmap; ys counts rows as the DIB stores them.
  virtual BOOL StretchDIBits(int x, int y, int w, int h, int xs, int ys, int ws, int hs,
                             const void* bits, const BITMAPINFO* bmi, DWORD rop,
                             const GdiDrawState& st) = 0;
  virtual COLORREF GetPixel(int x, int y) const = 0;
  // Sets a pixel and returns the colour it got; CLR_INVALID outside.
  virtual COLORREF SetPixel(int x, int y, COLORREF colour) = 0;
  // Fills with fillColour, 4-connected, the area round (x, y): FLOODFILLBORDER stops at
  // `colour`, FLOODFILLSURFACE spreads over `colour`.
  virtual BOOL FloodFill(int x, int y, COLORREF colour, UINT kind, COLORREF fillColour) = 0;
  // Inverts a dotted frame (every other pixel) just inside r.
  virtual void DrawFocusRect(const RECT& r) = 0;

  // Size of the drawing surface in pixels.
  virtual SIZE SurfaceSize() const = 0;
  // The pixels drawing can reach: the whole surface unless the device is clipped.
  virtual RECT ClipBox() const {
    const SIZE s = SurfaceSize();
    return RECT{0, 0, s.cx, s.cy};
  }
  // Pixel reads for blits from this device; false when it has no readable pixels. A back end
  // that copies whole images may instead take the source's GetSelectedBitmap() rows directly.
  virtual bool CanGivePixels() const { return false; }
  // Raw pixel value for blits: a palette index (0 or 1) when BitsPerPixelForBlit is 1, else the
  // colour as a COLORREF.
  virtual COLORREF SourcePixel(int x, int y) const { (void)x; (void)y; return 0; }
  virtual int BitsPerPixelForBlit() const { return 32; }
};
