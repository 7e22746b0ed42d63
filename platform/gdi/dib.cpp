#include "platform/gdi/dib.h"

#include <cstring>
#include <limits>

#include "platform/gdi/gdiobj.h"

namespace {

bool NearestWhite(COLORREF c) {
  int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
  long d0 = long(r) * r + long(g) * g + long(b) * b;
  long d1 = long(255 - r) * (255 - r) + long(255 - g) * (255 - g) + long(255 - b) * (255 - b);
  return d1 < d0;
}

bool ReadHeader(const BITMAPINFO* bmi, BITMAPINFOHEADER& h) {
  if (!bmi) return false;
  std::memcpy(&h, bmi, sizeof h);
  return h.biSize >= sizeof(BITMAPINFOHEADER);
}

}  // namespace

int GetDIBits(HDC, HBITMAP bitmap, UINT startScan, UINT lines, void* bits, BITMAPINFO* bmi,
              UINT usage) {
  BITMAPINFOHEADER h;
  if (!bitmap || !bitmap->IsCreated() || usage != DIB_RGB_COLORS || !ReadHeader(bmi, h)) return 0;
  const int H = bitmap->Height();
  BYTE* palette = reinterpret_cast<BYTE*>(bmi) + h.biSize;
  if (!bits) {
    h.biWidth = bitmap->Width();
    h.biHeight = H;
    h.biPlanes = 1;
    if (h.biBitCount == 0) h.biBitCount = static_cast<WORD>(bitmap->BitsPerPixel());
    h.biCompression = BI_RGB;
    h.biSizeImage = static_cast<DWORD>(DibStride(h.biWidth, h.biBitCount)) * H;
    std::memcpy(bmi, &h, sizeof h);
    if (h.biBitCount == 1) {
      const BYTE pal[8] = {0, 0, 0, 0, 255, 255, 255, 0};
      std::memcpy(palette, pal, sizeof pal);
    }
    return H;
  }
  const int bpp = h.biBitCount;
  if ((bpp != 1 && bpp != 24 && bpp != 32) || h.biCompression != BI_RGB || h.biWidth <= 0 ||
      h.biHeight == 0 || h.biHeight == std::numeric_limits<LONG>::min())
    return 0;
  if (startScan >= static_cast<UINT>(H)) return 0;
  const int count = static_cast<int>(std::min<UINT>(lines, static_cast<UINT>(H) - startScan));
  const bool bottomUp = h.biHeight > 0;
  const int w = h.biWidth;
  const size_t stride = static_cast<size_t>(DibStride(w, bpp));
  const int copyW = std::min(w, bitmap->Width());
  BYTE* out = static_cast<BYTE*>(bits);
  for (int k = 0; k < count; ++k) {
    int scan = static_cast<int>(startScan) + k;
    int y = bottomUp ? H - 1 - scan : scan;
    BYTE* row = out + stride * static_cast<size_t>(k);
    std::memset(row, 0, stride);
    if (bpp == 1 && bitmap->BitsPerPixel() == 1) {
      const BYTE* src = bitmap->Row(y);
      std::memcpy(row, src, static_cast<size_t>((copyW + 7) / 8));
      if (copyW % 8) row[copyW / 8] &= static_cast<BYTE>(0xFF << (8 - copyW % 8));
      continue;
    }
    for (int x = 0; x < copyW; ++x) {
      COLORREF c = bitmap->PixelColour(x, y);
      if (bpp == 1) {
        if (NearestWhite(c)) row[x >> 3] |= static_cast<BYTE>(0x80 >> (x & 7));
      } else {
        BYTE* q = row + static_cast<size_t>(x) * (bpp / 8);
        q[0] = GetBValue(c);
        q[1] = GetGValue(c);
        q[2] = GetRValue(c);
      }
    }
  }
  if (bpp == 1) {
    const BYTE pal[8] = {0, 0, 0, 0, 255, 255, 255, 0};
    std::memcpy(palette, pal, sizeof pal);
  }
  return count;
}

int SetDIBits(HDC, HBITMAP bitmap, UINT startScan, UINT lines, const void* bits,
              const BITMAPINFO* bmi, UINT usage) {
  BITMAPINFOHEADER h;
  if (!bitmap || !bitmap->IsCreated() || !bits || usage != DIB_RGB_COLORS || !ReadHeader(bmi, h))
    return 0;
  const int bpp = h.biBitCount;
  if ((bpp != 1 && bpp != 24 && bpp != 32) || h.biCompression != BI_RGB || h.biWidth <= 0 ||
      h.biHeight == 0 || h.biHeight == std::numeric_limits<LONG>::min())
    return 0;
  const int H = bitmap->Height();
  if (startScan >= static_cast<UINT>(H)) return 0;
  const int count = static_cast<int>(std::min<UINT>(lines, static_cast<UINT>(H) - startScan));
  const bool bottomUp = h.biHeight > 0;
  const size_t stride = static_cast<size_t>(DibStride(h.biWidth, bpp));
  const int copyW = std::min<int>(h.biWidth, bitmap->Width());
  COLORREF pal[2] = {0, 0xFFFFFF};
  if (bpp == 1) {
    const BYTE* p = reinterpret_cast<const BYTE*>(bmi) + h.biSize;
    for (int i = 0; i < 2; ++i) pal[i] = RGB(p[4 * i + 2], p[4 * i + 1], p[4 * i]);
  }
  const BYTE* in = static_cast<const BYTE*>(bits);
  for (int k = 0; k < count; ++k) {
    int scan = static_cast<int>(startScan) + k;
    int y = bottomUp ? H - 1 - scan : scan;
    const BYTE* row = in + stride * static_cast<size_t>(k);
    BYTE* dst = bitmap->Row(y);
    for (int x = 0; x < copyW; ++x) {
      COLORREF c;
      if (bpp == 1) c = pal[(row[x >> 3] >> (7 - (x & 7))) & 1];
      else {
        const BYTE* q = row + static_cast<size_t>(x) * (bpp / 8);
        c = RGB(q[2], q[1], q[0]);
      }
      if (bitmap->BitsPerPixel() == 1) {
        BYTE m = static_cast<BYTE>(0x80 >> (x & 7));
        if (NearestWhite(c)) dst[x >> 3] |= m;
        else dst[x >> 3] &= static_cast<BYTE>(~m);
      } else {
        std::uint32_t v = (std::uint32_t(GetRValue(c)) << 16) | (std::uint32_t(GetGValue(c)) << 8) |
                          GetBValue(c);
        std::memcpy(dst + 4 * x, &v, 4);
      }
    }
  }
  return count;
}
