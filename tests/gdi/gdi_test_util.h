// Small helpers of the drawing-layer tests: bitmaps in memory DCs and pictures as text.
#pragma once

#include <string>
#include <vector>

#include "platform/gdi/gdi.h"

namespace gditest {

// A memory DC with its own bitmap, white at the start.
struct Canvas {
  CDC dc;
  CBitmap bmp;
  CBitmap* old = nullptr;
  int w, h;
  Canvas(int width, int height, int bpp = 1) : w(width), h(height) {
    dc.CreateCompatibleDC(nullptr);
    bmp.CreateBitmap(width, height, 1, static_cast<UINT>(bpp), nullptr);
    old = dc.SelectObject(&bmp);
    dc.PatBlt(0, 0, width, height, WHITENESS);
  }
  ~Canvas() { dc.SelectObject(old); }
  // One text line per row: '#' for black, '.' for white, 'o' for any other colour.
  std::string Picture() const {
    std::string s;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        COLORREF c = bmp.PixelColour(x, y);
        s += c == 0 ? '#' : c == 0xFFFFFF ? '.' : 'o';
      }
      s += '\n';
    }
    return s;
  }
  int CountBlack() const {
    int n = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) n += bmp.PixelColour(x, y) == 0;
    return n;
  }
};

inline std::string Join(const std::vector<std::string>& rows) {
  std::string s;
  for (const std::string& r : rows) s += r + "\n";
  return s;
}

struct PathData {
  std::vector<POINT> pts;
  std::vector<BYTE> types;
};

inline PathData ReadPath(CDC& dc) {
  PathData d;
  int n = dc.GetPath(nullptr, nullptr, 0);
  if (n <= 0) return d;
  d.pts.resize(static_cast<size_t>(n));
  d.types.resize(static_cast<size_t>(n));
  dc.GetPath(d.pts.data(), d.types.data(), n);
  return d;
}

// "x,y:t x,y:t ..." for comparing whole paths at a glance.
inline std::string PathText(const PathData& d) {
  std::string s;
  for (size_t i = 0; i < d.pts.size(); ++i) {
    if (i) s += ' ';
    s += std::to_string(d.pts[i].x) + "," + std::to_string(d.pts[i].y) + ":" +
         std::to_string(d.types[i]);
  }
  return s;
}

}  // namespace gditest
