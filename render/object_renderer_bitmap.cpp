// Bitmap objects drawn into their copy's place, and the dot conversions of glyph bitmaps.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "model/bmpobject.h"
#include "model/objectlist.h"
#include "platform/gdi/gdi.h"
#include "render/object_renderer.h"

namespace {

constexpr int kInfoHeaderSize = 40;

// A private copy of the image's header and two-entry colour table: the colours are changed for
// one drawing without touching the object's image.
struct MonoInfo {
  BITMAPINFOHEADER header;
  RGBQUAD colours[2];
};

RGBQUAD ToQuad(COLORREF c) {
  RGBQUAD q{};
  q.rgbBlue = GetBValue(c);
  q.rgbGreen = GetGValue(c);
  q.rgbRed = GetRValue(c);
  q.rgbReserved = 0;
  return q;
}

bool IsBlack(const RGBQUAD& q) { return q.rgbBlue == 0 && q.rgbGreen == 0 && q.rgbRed == 0; }

// The dot count of v HIMETRIC units at p device pixels per metre: the tenths digit decides
// whether the count goes up; negative values are truncated toward zero.
int HimetricAxisToDots(double v, int p) {
  const double d = v * p / 100000;
  const int t = DoubleToInt(v * p / 10000);
  return (t % 10 > 4) ? DoubleToInt(d + 1) : DoubleToInt(d);
}

// The conversion does not depend on the mapping mode, which is left as the caller set it.
void PixelsPerMetre(CDC* dc, int& px, int& py) {
  CSize metre(100000, 100000);
  dc->HIMETRICtoDP(&metre);
  px = metre.cx;
  py = metre.cy;
}

}  // namespace

void CObjectRenderer::DrawBmp(CDC* dc, double left, double top, double right, double bottom, CBmpObject* obj,
                              CDoubleRect* out, BOOL screen) {
  if (out != nullptr) out->SetRect(left, top, right, bottom);
  if (obj->m_pBitmapInfo == nullptr || obj->m_pBits == nullptr) return;

  MonoInfo info{};
  std::memcpy(&info, obj->m_pBitmapInfo, kInfoHeaderSize + 2 * sizeof(RGBQUAD));
  const int srcW = info.header.biWidth;
  const int srcH = std::abs(info.header.biHeight);

  const double w = LengthToLogicalAxis(0, obj->m_dWidth);
  const double h = LengthToLogicalAxis(1, obj->m_dHeight);
  double x = left, y = top, dw = w, dh = -h;
  if (obj->m_bMirrorX) {
    x = left + w;
    dw = -w;
  }
  if (obj->m_bMirrorY) {
    y = top - h;
    dh = h;
  }

  int previousMode = 0;
  bool modeSet = false;
  static const int kModes[3] = {BLACKONWHITE, WHITEONBLACK, COLORONCOLOR};
  if (obj->m_nStretchMode >= 0 && obj->m_nStretchMode <= 2) {
    previousMode = dc->SetStretchBltMode(kModes[obj->m_nStretchMode]);
    modeSet = true;
  }

  const RGBQUAD white = ToQuad(0xFFFFFF);
  if (screen) {
    const COLORREF layer = (obj->m_nLayer >= 0 && obj->m_nLayer < LAYER_COUNT) ? LAYER_COLORS[obj->m_nLayer] : 0;
    const int ink = IsBlack(info.colours[0]) ? 0 : 1;
    if (!obj->m_bInvert) {
      info.colours[ink] = ToQuad(layer);
    } else {
      info.colours[1 - ink] = ToQuad(layer);
      info.colours[ink] = white;
    }
  } else if (obj->m_bInvert) {
    std::swap(info.colours[0], info.colours[1]);
  }

  dc->StretchDIBits(DoubleToInt(x), DoubleToInt(y), DoubleToInt(dw), DoubleToInt(dh), 0, 0, srcW, srcH,
                    obj->m_pBits, reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS, SRCAND);

  if (modeSet) dc->SetStretchBltMode(previousMode);
}

void CObjectRenderer::HimetricToDots(int out[2], CDC* dc, double cx, double cy) const {
  int px = 0, py = 0;
  PixelsPerMetre(dc, px, py);
  out[0] = HimetricAxisToDots(cx, px);
  out[1] = HimetricAxisToDots(cy, py);
}

void CObjectRenderer::PathToDots(RECT* dotBounds, CDC* dc, POINT* dots, const POINT* path, int count,
                                 CDoubleRect* pathBounds) const {
  int px = 0, py = 0;
  PixelsPerMetre(dc, px, py);
  *dotBounds = RECT{};
  for (int i = 0; i < count; ++i) {
    dots[i].x = HimetricAxisToDots(path[i].x, px);
    dots[i].y = HimetricAxisToDots(-static_cast<double>(path[i].y), py);
    if (i == 0) {
      *dotBounds = RECT{dots[0].x, dots[0].y, dots[0].x, dots[0].y};
      continue;
    }
    dotBounds->left = std::min(dotBounds->left, dots[i].x);
    dotBounds->top = std::min(dotBounds->top, dots[i].y);
    dotBounds->right = std::max(dotBounds->right, dots[i].x);
    dotBounds->bottom = std::max(dotBounds->bottom, dots[i].y);
  }
  if (pathBounds != nullptr) GetPointsBounds(path, count, pathBounds, nullptr);
}

void CObjectRenderer::OffsetPoints(int out[2], POINT* pts, int count, int left, int top, int right, int bottom,
                                   int marginX, int marginY) {
  const int dx = marginX - left;
  const int dy = marginY - top;
  for (int i = 0; i < count; ++i) {
    pts[i].x += dx;
    pts[i].y += dy;
  }
  out[0] = right + 2 * marginX - left + 1;
  out[1] = bottom + 2 * marginY - top + 1;
}

void CObjectRenderer::GetPointsBounds(const POINT* pts, int count, CDoubleRect* out, const double* margin) {
  if (out == nullptr) return;
  if (count <= 0) {
    out->SetRectEmpty();
    return;
  }
  // Extremes in whole units first: every int converts to double exactly and in order.
  LONG left = pts[0].x, right = pts[0].x, top = pts[0].y, bottom = pts[0].y;
  for (int i = 1; i < count; ++i) {
    left = std::min(left, pts[i].x);
    right = std::max(right, pts[i].x);
    top = std::max(top, pts[i].y);
    bottom = std::min(bottom, pts[i].y);
  }
  out->SetRect(left, top, right, bottom);
  if (margin != nullptr) {
    out->left -= margin[0];
    out->right += margin[0];
    out->top += margin[1];
    out->bottom -= margin[1];
  }
}
