// Drawing objects: pens, brushes, bitmaps and regions.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/gdi/gdi_types.h"
#include "platform/gdi/span_region.h"

// Base of every drawing object. An object knows the device contexts it is selected into, so that
// deleting it while selected puts the stock object back instead of leaving a dangling pointer.
class CGdiObject {
 public:
  CGdiObject() = default;
  CGdiObject(const CGdiObject&) = delete;
  CGdiObject& operator=(const CGdiObject&) = delete;
  virtual ~CGdiObject();

  // Releases what the object holds; it can be created again afterwards.
  BOOL DeleteObject();
  bool IsCreated() const { return m_bCreated; }
  HGDIOBJ GetSafeHandle() const { return m_bCreated ? const_cast<CGdiObject*>(this) : nullptr; }
  operator HGDIOBJ() const { return GetSafeHandle(); }

  // Bookkeeping for CDC only.
  void AttachToDC(CDC* dc);
  void DetachFromDC(CDC* dc);

  // Objects made by the handle-returning free functions (CreateBitmap, ...) live on the heap
  // until ::DeleteObject; objects of the caller's own are only emptied by it.
  bool IsHeapHandle() const { return m_bHeapHandle; }
  void SetHeapHandle(bool heap) { m_bHeapHandle = heap; }

 protected:
  virtual void ReleaseContents() {}
  void SetCreated(bool created) { m_bCreated = created; }
  void DeselectEverywhere();

 private:
  bool m_bCreated = false;
  bool m_bHeapHandle = false;
  std::vector<CDC*> m_selectedIn;
};

class CPen : public CGdiObject {
 public:
  CPen() = default;
  CPen(int style, int width, COLORREF colour) { CreatePen(style, width, colour); }
  BOOL CreatePen(int style, int width, COLORREF colour);
  BOOL CreatePenIndirect(const LOGPEN* lp);
  int GetLogPen(LOGPEN* lp) const;
  operator HPEN() const { return IsCreated() ? const_cast<CPen*>(this) : nullptr; }

  int Style() const { return m_style; }
  int Width() const { return m_width; }
  COLORREF Colour() const { return m_colour; }

 private:
  int m_style = PS_SOLID;
  int m_width = 0;
  COLORREF m_colour = 0;
};

class CBrush : public CGdiObject {
 public:
  CBrush() = default;
  explicit CBrush(COLORREF colour) { CreateSolidBrush(colour); }
  BOOL CreateSolidBrush(COLORREF colour);
  BOOL CreateBrushIndirect(const LOGBRUSH* lb);
  BOOL CreateStockObject(int index);
  int GetLogBrush(LOGBRUSH* lb) const;
  operator HBRUSH() const { return IsCreated() ? const_cast<CBrush*>(this) : nullptr; }

  bool IsNull() const { return m_style == BS_NULL; }
  COLORREF Colour() const { return m_colour; }

 private:
  UINT m_style = BS_SOLID;
  COLORREF m_colour = 0;
};

// A device bitmap of 1 bit (palette black, white) or 32 bits per pixel, kept top-down with
// rows padded to 4 bytes; a 1-bit row has its leftmost pixel in the most significant bit.
class CBitmap : public CGdiObject {
 public:
  CBitmap() = default;
  ~CBitmap() override;

  // planes must be 1; bitsPerPixel 1 or 32 (24 is kept as 32). bits: device rows, top-down,
  // each padded to an even number of bytes (as GetBitmapBits gives them), or null for black.
  BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
  BOOL CreateBitmapIndirect(const BITMAP* bm);
  // The format of the device behind pDC (a memory DC: its selected bitmap's).
  BOOL CreateCompatibleBitmap(CDC* pDC, int width, int height);
  int GetBitmap(BITMAP* bm) const;
  DWORD GetBitmapBits(DWORD count, void* bits) const;
  DWORD SetBitmapBits(DWORD count, const void* bits);
  static CBitmap* FromHandle(HBITMAP h) { return h; }
  operator HBITMAP() const { return IsCreated() ? const_cast<CBitmap*>(this) : nullptr; }
  // Takes over the pixels of a bitmap made by ::CreateBitmap (which is freed); FALSE for any
  // other handle or when this one is in use.
  BOOL Attach(HBITMAP h);
  // Hands the pixels over to a new heap bitmap for ::DeleteObject; null when not created.
  HBITMAP Detach();

  // Raster access for the back end and for tests.
  int Width() const { return m_width; }
  int Height() const { return m_height; }
  int BitsPerPixel() const { return m_bpp; }
  int Stride() const { return m_stride; }
  BYTE* Row(int y) { return m_bits.data() + static_cast<size_t>(y) * m_stride; }
  const BYTE* Row(int y) const { return m_bits.data() + static_cast<size_t>(y) * m_stride; }
  // The pixel as a colour; CLR_INVALID outside.
  COLORREF PixelColour(int x, int y) const {
    if (static_cast<unsigned>(x) >= static_cast<unsigned>(m_width) ||
        static_cast<unsigned>(y) >= static_cast<unsigned>(m_height))
      return CLR_INVALID;
    const BYTE* row = Row(y);
    if (m_bpp == 1) return ((row[x >> 3] >> (7 - (x & 7))) & 1) ? 0xFFFFFF : 0x000000;
    std::uint32_t v;
    std::memcpy(&v, row + 4 * x, 4);
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }

  // Memory DC bookkeeping.
  CDC* SelectedIn() const { return m_pDC; }
  void SetSelectedIn(CDC* dc) { m_pDC = dc; }

 protected:
  void ReleaseContents() override;

 private:
  int m_width = 0;
  int m_height = 0;
  int m_bpp = 0;
  int m_stride = 0;
  std::vector<BYTE> m_bits;
  CDC* m_pDC = nullptr;
};

class CRgn : public CGdiObject {
 public:
  CRgn() = default;

  BOOL CreateRectRgn(int x1, int y1, int x2, int y2);
  BOOL CreateRectRgnIndirect(const RECT* r);
  BOOL CreateEllipticRgn(int x1, int y1, int x2, int y2);
  BOOL CreateEllipticRgnIndirect(const RECT* r);
  BOOL CreateRoundRectRgn(int x1, int y1, int x2, int y2, int cornerW, int cornerH);
  BOOL CreatePolygonRgn(const POINT* pts, int count, int fillMode);
  BOOL CreatePolyPolygonRgn(const POINT* pts, const INT* counts, int polyCount, int fillMode);
  // Rectangles of an RGNDATA block (header type RDH_RECTANGLES); the transform must be null.
  BOOL CreateFromData(const void* xform, int bytes, const RGNDATA* data);
  // Combines two created regions into this one (which needs to exist); either may be this.
  int CombineRgn(const CRgn* a, const CRgn* b, int mode);
  int CopyRgn(const CRgn* src) { return CombineRgn(src, nullptr, RGN_COPY); }
  BOOL PtInRegion(int x, int y) const;
  BOOL PtInRegion(POINT p) const { return PtInRegion(p.x, p.y); }
  BOOL RectInRegion(const RECT* r) const;
  int OffsetRgn(int dx, int dy);
  int OffsetRgn(POINT p) { return OffsetRgn(p.x, p.y); }
  int GetRgnBox(RECT* r) const;
  void SetRectRgn(int x1, int y1, int x2, int y2);
  BOOL EqualRgn(const CRgn* other) const;
  // Rectangles as RGNDATA; with a null or short buffer only the needed size is returned.
  int GetRegionData(RGNDATA* data, int bytes) const;
  static CRgn* FromHandle(HRGN h) { return h; }
  operator HRGN() const { return IsCreated() ? const_cast<CRgn*>(this) : nullptr; }

  const gdi::SpanRegion& Spans() const { return m_spans; }
  void SetSpans(gdi::SpanRegion spans);

 protected:
  void ReleaseContents() override { m_spans.Clear(); }

 private:
  gdi::SpanRegion m_spans;
};

// Stock objects live as long as the program.
CGdiObject* GetStockObject(int index);

// Handle-style calls. CreateBitmap returns a heap bitmap (null on failure) that belongs to the
// caller until ::DeleteObject, which frees such objects and only empties the caller's own.
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
BOOL DeleteObject(HGDIOBJ obj);
// BITMAP for bitmaps, LOGPEN for pens, LOGBRUSH for brushes; returns the bytes written, 0 when
// the buffer is too small or the object is not created.
int GetObject(HGDIOBJ obj, int size, void* out);
LONG GetBitmapBits(HBITMAP bitmap, LONG count, void* bits);
