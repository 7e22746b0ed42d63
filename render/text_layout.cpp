#include "render/text_layout.h"

#include <algorithm>
#include <cstring>

#include "model/textutil.h"

namespace textlayout {

CDoubleRect LineRect(int vertical, int i, double left, double top, double right, double bottom,
                     double size, double step) {
  if (vertical == 1) {
    const double l = left + i * step;
    return CDoubleRect(l, top, l + size, bottom);
  }
  const double t = top - i * step;
  return CDoubleRect(left, t, right, t - size);
}

bool IsBlankCode(UINT code) { return code == 0x20 || code == 0x8140; }

UINT CharCode(const CString& ch) {
  const int len = ch.GetLength();
  if (len <= 0) return 0;
  const UINT first = static_cast<unsigned char>(ch.GetAt(0));
  if (len == 1) return first;
  return first * 256 + static_cast<unsigned char>(ch.GetAt(1));
}

bool IsBlankChar(const CString& ch) { return ch.GetLength() > 0 && IsBlankCode(CharCode(ch)); }

void HalveBlank(float& a, float& b, float& c) {
  b = (a + b + c) / 2;
  a = 0;
  c = 0;
}

bool PlaceLineCells(int align, int vertical, const CDoubleRect& line, double pitch,
                    const CharMetrics* chars, int m, RECT* cells) {
  if (align < 0 || align > 3 || (vertical != 0 && vertical != 1)) return false;
  if (m <= 0) return true;
  const double lx = line.left, ty = line.top, rx = line.right, by = line.bottom;
  const double w = rx - lx;
  const double d = by - ty;  // negative
  double sumB = 0, advance = 0, sumCy = 0, extent = 0;
  for (int j = 0; j < m; ++j) {
    sumB += chars[j].b;
    advance += chars[j].b + pitch;
    sumCy += chars[j].cy;
    extent += chars[j].cy + pitch;
  }
  advance -= pitch;
  extent -= pitch;

  const int mode = align + 4 * vertical;
  if (vertical == 0) {
    // Every cell is centred on the line vertically.
    for (int j = 0; j < m; ++j) {
      const double c = ty + d / 2 + chars[j].offsetY;
      const int half = chars[j].cy / 2;
      cells[j].top = DoubleToInt(c + half);
      cells[j].bottom = DoubleToInt(c - half);
    }
    auto forward = [&](double x, double gap, bool spread) {
      for (int j = 0; j < m; ++j) {
        cells[j].left = DoubleToInt(chars[j].offsetX + x);
        cells[j].right = DoubleToInt(cells[j].left + chars[j].b);
        x += chars[j].b + (spread ? gap : pitch);
      }
    };
    switch (mode) {
      case 0: forward(lx, 0, false); break;
      case 1: {
        double x = rx;
        for (int j = m - 1; j >= 0; --j) {
          cells[j].right = DoubleToInt(chars[j].offsetX + x);
          cells[j].left = DoubleToInt(cells[j].right - chars[j].b);
          x -= chars[j].b + pitch;
        }
        break;
      }
      case 2: forward(lx + (w - advance) / 2, 0, false); break;
      default: forward(lx, m > 1 ? (w - sumB) / (m - 1) : 0, true); break;
    }
    return true;
  }

  // Vertical writing: every cell is centred in its column by its full advance.
  for (int j = 0; j < m; ++j) {
    const CharMetrics& ch = chars[j];
    cells[j].left = DoubleToInt(ch.a + ch.offsetX + lx + (w - (ch.a + ch.b + ch.c)) / 2);
    cells[j].right = DoubleToInt(cells[j].left + ch.b);
  }
  auto downward = [&](double y, double gap, bool spread) {
    for (int j = 0; j < m; ++j) {
      cells[j].top = DoubleToInt(chars[j].offsetY + y);
      cells[j].bottom = sat::Sub(cells[j].top, chars[j].cy);
      y -= chars[j].cy + (spread ? gap : pitch);
    }
  };
  switch (mode) {
    case 4: downward(ty, 0, false); break;
    case 5: {
      double y = by;
      for (int j = m - 1; j >= 0; --j) {
        cells[j].bottom = DoubleToInt(chars[j].offsetY + y);
        cells[j].top = sat::Add(cells[j].bottom, chars[j].cy);
        y += chars[j].cy + pitch;
      }
      break;
    }
    case 6: downward(ty + (d + extent) / 2, 0, false); break;
    default: downward(ty, m > 1 ? (-d - sumCy) / (m - 1) : 0, true); break;
  }
  return true;
}

ArcAngles ArcGuideAngles(double start, double span, int lower) {
  const double half = span / 2;
  ArcAngles a;
  if (!lower) {
    a.first = start + half + 90;
    a.last = a.first - span;
  } else {
    a.first = start + 270 - half;
    a.last = a.first + span;
  }
  return a;
}

double ArcStep(int n, double span, int lower) {
  if (n <= 1) return 0;
  return lower ? span / (n - 1) : -span / (n - 1);
}

int ArcPlaceAngle(int i, double step, double first) { return DoubleToInt(i * step + first); }

void PackCharRecords(const CString* lines, int lineCount, int capacity, CTextCharRecord* packed,
                     const CTextCharRecord* records, int recordCount) {
  CTextUtil util;
  int out = 0;
  int src = 0;
  for (int k = 0; k < lineCount; ++k) {
    const int m = util.GetCharCount(lines[k]);
    for (int j = 0; j < m; ++j, ++src) {
      if (out >= capacity) return;
      packed[out++] = (src >= 0 && src < recordCount) ? records[src] : CTextCharRecord{};
    }
    src += 2;  // CR and LF
  }
}

}  // namespace textlayout
