// The deterministic software rasteriser behind memory DCs: draws into the selected CBitmap.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/gdi/dc_backend.h"
#include "platform/gdi/gdiobj.h"

class CRasterBackend : public CDCBackend {
 public:
  CRasterBackend(CDC* owner, int ppmX, int ppmY);
  ~CRasterBackend() override;

  int GetDeviceCaps(int index) const override;
  int PixelsPerMetreX() const override { return m_ppmX; }
  int PixelsPerMetreY() const override { return m_ppmY; }
  CBitmap* SelectBitmap(CBitmap* bitmap) override;
  CBitmap* GetSelectedBitmap() const override { return m_bitmap; }
  CBitmap* DefaultBitmap() { return &m_default; }

  void Rectangle(const RECT& r, const GdiDrawState& st) override;
  void Ellipse(const RECT& r, const GdiDrawState& st) override;
  void RoundRect(const RECT& r, int cornerW, int cornerH, const GdiDrawState& st) override;
  void Figures(const std::vector<DeviceFigure>& figures, bool fill, bool stroke,
               COLORREF fillColour, const GdiDrawState& st) override;
  void FillRegion(const gdi::SpanRegion& rgn, COLORREF colour) override;
  void PatBlt(const RECT& r, DWORD rop, const GdiDrawState& st) override;
  BOOL StretchBlt(int x, int y, int w, int h, const CDCBackend& src, int xs, int ys, int ws,
                  int hs, DWORD rop, const GdiDrawState& st, COLORREF srcBkColour) override;
  BOOL StretchDIBits(int x, int y, int w, int h, int xs, int ys, int ws, int hs, const void* bits,
                     const BITMAPINFO* bmi, DWORD rop, const GdiDrawState& st) override;
  COLORREF GetPixel(int x, int y) const override { return m_bitmap->PixelColour(x, y); }
  COLORREF SetPixel(int x, int y, COLORREF colour) override;
  BOOL FloodFill(int x, int y, COLORREF colour, UINT kind, COLORREF fillColour) override;
  void DrawFocusRect(const RECT& r) override;
  SIZE SurfaceSize() const override;
  bool CanGivePixels() const override { return true; }
  COLORREF SourcePixel(int x, int y) const override;
  int BitsPerPixelForBlit() const override { return m_bitmap->BitsPerPixel(); }

  // The coverage a pen leaves along figures given in pixel positions (see dc_backend.h).
  static gdi::SpanRegion StrokeCoverage(const std::vector<DeviceFigure>& figures, int width,
                                        const gdi::Clip& clip);
  // The same written over `out`, whose buffers are reused.
  static void StrokeCoverageInto(const std::vector<DeviceFigure>& figures, int width, const gdi::Clip& clip,
                                 gdi::SpanRegion& out);

 private:
  // Raw device value of a colour: palette index on 1 bit, 0x00RRGGBB on 32 bits.
  std::uint32_t DeviceValue(COLORREF c) const;
  std::uint32_t RawPixel(int x, int y) const;
  void PutRaw(int x, int y, std::uint32_t v);
  void PaintRegion(const gdi::SpanRegion& rgn, std::uint32_t value, int rop2);
  void PaintSpan(int y, int x0, int x1, std::uint32_t value, int rop2);
  gdi::Clip SurfaceClip() const;
  // Brush over `area`, pen on its one-pixel ring or along `outline` (wide pens).
  void ShapeWithOutline(const gdi::SpanRegion& area,
                        const std::function<DeviceFigure(double inset)>& outline,
                        const GdiDrawState& st);
  void PaintShape(const gdi::SpanRegion& fillArea, const gdi::SpanRegion& penArea, bool fill,
                  bool pen, COLORREF fillColour, const GdiDrawState& st);

  CDC* m_owner;
  int m_ppmX;
  int m_ppmY;
  CBitmap m_default;
  CBitmap* m_bitmap;
};
