// Lengths in millimetres (and, in the renderer, screen logical units) as doubles, with the
// member names and operators of the integer CSize, CPoint and CRect. Conversion to the integer
// types truncates toward zero.
#pragma once

#include "platform/wintypes.h"

class CDoublePoint;
class CDoubleRect;

class CDoubleSize {
 public:
  double cx = 0.0;
  double cy = 0.0;

  CDoubleSize() = default;
  CDoubleSize(double x, double y) : cx(x), cy(y) {}
  // Low 16 bits -> cx, high 16 bits -> cy, both signed.
  explicit CDoubleSize(DWORD packed)
      : cx(static_cast<int16_t>(packed & 0xFFFF)), cy(static_cast<int16_t>(packed >> 16)) {}

  operator CSize() const { return CSize(DoubleToInt(cx), DoubleToInt(cy)); }
  bool operator==(const CDoubleSize& s) const { return cx == s.cx && cy == s.cy; }
  bool operator!=(const CDoubleSize& s) const { return !(*this == s); }
  CDoubleSize& operator+=(const CDoubleSize& s) { cx += s.cx; cy += s.cy; return *this; }
  CDoubleSize& operator-=(const CDoubleSize& s) { cx -= s.cx; cy -= s.cy; return *this; }
  CDoubleSize operator+(const CDoubleSize& s) const { return CDoubleSize(cx + s.cx, cy + s.cy); }
  CDoubleSize operator-(const CDoubleSize& s) const { return CDoubleSize(cx - s.cx, cy - s.cy); }
  CDoubleSize operator-() const { return CDoubleSize(-cx, -cy); }
  inline CDoublePoint operator+(const CDoublePoint& p) const;
  inline CDoublePoint operator-(const CDoublePoint& p) const;
  inline CDoubleRect operator+(const CDoubleRect& r) const;
  inline CDoubleRect operator-(const CDoubleRect& r) const;
};

class CDoublePoint {
 public:
  double x = 0.0;
  double y = 0.0;

  CDoublePoint() = default;
  CDoublePoint(double ix, double iy) : x(ix), y(iy) {}
  explicit CDoublePoint(DWORD packed)
      : x(static_cast<int16_t>(packed & 0xFFFF)), y(static_cast<int16_t>(packed >> 16)) {}

  operator CPoint() const { return CPoint(DoubleToInt(x), DoubleToInt(y)); }
  void Offset(double dx, double dy) { x += dx; y += dy; }
  void Offset(const CDoublePoint& p) { x += p.x; y += p.y; }
  void Offset(const CDoubleSize& s) { x += s.cx; y += s.cy; }
  bool operator==(const CDoublePoint& p) const { return x == p.x && y == p.y; }
  bool operator!=(const CDoublePoint& p) const { return !(*this == p); }
  CDoublePoint& operator+=(const CDoubleSize& s) { x += s.cx; y += s.cy; return *this; }
  CDoublePoint& operator-=(const CDoubleSize& s) { x -= s.cx; y -= s.cy; return *this; }
  CDoublePoint& operator+=(const CDoublePoint& p) { x += p.x; y += p.y; return *this; }
  CDoublePoint& operator-=(const CDoublePoint& p) { x -= p.x; y -= p.y; return *this; }
  CDoublePoint operator+(const CDoubleSize& s) const { return CDoublePoint(x + s.cx, y + s.cy); }
  CDoublePoint operator-(const CDoubleSize& s) const { return CDoublePoint(x - s.cx, y - s.cy); }
  CDoublePoint operator+(const CDoublePoint& p) const { return CDoublePoint(x + p.x, y + p.y); }
  CDoubleSize operator-(const CDoublePoint& p) const { return CDoubleSize(x - p.x, y - p.y); }
  CDoublePoint operator-() const { return CDoublePoint(-x, -y); }
  inline CDoubleRect operator+(const CDoubleRect& r) const;
  inline CDoubleRect operator-(const CDoubleRect& r) const;
};

class CDoubleRect {
 public:
  // The order matters: (left, top) and (right, bottom) each have the layout of a CDoublePoint.
  double left = 0.0;
  double top = 0.0;
  double right = 0.0;
  double bottom = 0.0;

  CDoubleRect() = default;
  CDoubleRect(double l, double t, double r, double b) : left(l), top(t), right(r), bottom(b) {}
  CDoubleRect(const CDoublePoint& p, const CDoubleSize& s) : left(p.x), top(p.y), right(p.x + s.cx), bottom(p.y + s.cy) {}
  CDoubleRect(const CDoublePoint& tl, const CDoublePoint& br) : left(tl.x), top(tl.y), right(br.x), bottom(br.y) {}

  operator CRect() const { return CRect(DoubleToInt(left), DoubleToInt(top), DoubleToInt(right), DoubleToInt(bottom)); }

  // References into the rectangle's own members: writing through them changes the rectangle.
  CDoublePoint& TopLeft() { return *reinterpret_cast<CDoublePoint*>(&left); }
  CDoublePoint& BottomRight() { return *reinterpret_cast<CDoublePoint*>(&right); }
  const CDoublePoint& TopLeft() const { return *reinterpret_cast<const CDoublePoint*>(&left); }
  const CDoublePoint& BottomRight() const { return *reinterpret_cast<const CDoublePoint*>(&right); }

  double Width() const { return right - left; }
  double Height() const { return bottom - top; }
  CDoubleSize Size() const { return CDoubleSize(Width(), Height()); }
  CDoublePoint CenterPoint() const { return CDoublePoint((left + right) / 2, (top + bottom) / 2); }
  bool IsRectNull() const { return left == 0.0 && top == 0.0 && right == 0.0 && bottom == 0.0; }
  void SetRectEmpty() { left = top = right = bottom = 0.0; }
  void SetRect(double l, double t, double r, double b) { left = l; top = t; right = r; bottom = b; }
  void CopyRect(const CDoubleRect& r) { *this = r; }
  void SwapLeftRight() { double t = left; left = right; right = t; }
  bool PtInRect(const CDoublePoint& p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  bool EqualRect(const CDoubleRect& r) const { return left == r.left && top == r.top && right == r.right && bottom == r.bottom; }
  bool operator==(const CDoubleRect& r) const { return EqualRect(r); }
  bool operator!=(const CDoubleRect& r) const { return !EqualRect(r); }
  void InflateRect(double dx, double dy) { left -= dx; top -= dy; right += dx; bottom += dy; }
  void DeflateRect(double dx, double dy) { left += dx; top += dy; right -= dx; bottom -= dy; }
  void OffsetRect(double dx, double dy) { left += dx; right += dx; top += dy; bottom += dy; }
  void OffsetRect(const CDoublePoint& p) { OffsetRect(p.x, p.y); }
  void OffsetRect(const CDoubleSize& s) { OffsetRect(s.cx, s.cy); }
  CDoubleRect& operator+=(const CDoublePoint& p) { OffsetRect(p.x, p.y); return *this; }
  CDoubleRect& operator-=(const CDoublePoint& p) { OffsetRect(-p.x, -p.y); return *this; }
  CDoubleRect& operator+=(const CDoubleSize& s) { OffsetRect(s.cx, s.cy); return *this; }
  CDoubleRect& operator-=(const CDoubleSize& s) { OffsetRect(-s.cx, -s.cy); return *this; }
  CDoubleRect operator+(const CDoublePoint& p) const { CDoubleRect r(*this); r += p; return r; }
  CDoubleRect operator-(const CDoublePoint& p) const { CDoubleRect r(*this); r -= p; return r; }
  CDoubleRect operator+(const CDoubleSize& s) const { CDoubleRect r(*this); r += s; return r; }
  CDoubleRect operator-(const CDoubleSize& s) const { CDoubleRect r(*this); r -= s; return r; }
};

static_assert(sizeof(CDoubleRect) == 4 * sizeof(double), "CDoubleRect must stay four packed doubles");
static_assert(sizeof(CDoublePoint) == 2 * sizeof(double), "CDoublePoint must stay two packed doubles");

inline CDoublePoint CDoubleSize::operator+(const CDoublePoint& p) const { return CDoublePoint(cx + p.x, cy + p.y); }
inline CDoublePoint CDoubleSize::operator-(const CDoublePoint& p) const { return CDoublePoint(cx - p.x, cy - p.y); }
inline CDoubleRect CDoubleSize::operator+(const CDoubleRect& r) const { return r + *this; }
inline CDoubleRect CDoubleSize::operator-(const CDoubleRect& r) const { return r - *this; }
inline CDoubleRect CDoublePoint::operator+(const CDoubleRect& r) const { return r + *this; }
inline CDoubleRect CDoublePoint::operator-(const CDoubleRect& r) const { return r - *this; }
