// Integer value types, flags and colours as the system's classes use them.
#pragma once

#include <cstdint>
#include <cmath>
#include <limits>

using BOOL = int;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using LONG = std::int32_t;
using COLORREF = std::uint32_t;

#ifndef TRUE
#define TRUE 1
#define FALSE 0
#endif

// The one way a double becomes an int: truncation toward zero, saturating at the int range;
// NaN gives 0.
inline int DoubleToInt(double v) {
  if (std::isnan(v)) return 0;
  if (v >= 2147483647.0) return std::numeric_limits<int>::max();
  if (v <= -2147483648.0) return std::numeric_limits<int>::min();
  return static_cast<int>(v);
}

// 0x00BBGGRR
constexpr COLORREF RGB(int r, int g, int b) {
  return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr BYTE GetRValue(COLORREF c) { return static_cast<BYTE>(c & 0xFF); }
constexpr BYTE GetGValue(COLORREF c) { return static_cast<BYTE>((c >> 8) & 0xFF); }
constexpr BYTE GetBValue(COLORREF c) { return static_cast<BYTE>((c >> 16) & 0xFF); }
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

struct POINT {
  LONG x = 0;
  LONG y = 0;
};

struct SIZE {
  LONG cx = 0;
  LONG cy = 0;
};

struct RECT {
  LONG left = 0;
  LONG top = 0;
  LONG right = 0;
  LONG bottom = 0;
};

class CSize;
class CRect;

class CPoint : public POINT {
 public:
  CPoint() = default;
  CPoint(int ix, int iy) { x = ix; y = iy; }
  CPoint(const POINT& p) : POINT(p) {}
  explicit CPoint(DWORD packed) {
    x = static_cast<int16_t>(packed & 0xFFFF);
    y = static_cast<int16_t>(packed >> 16);
  }
  void Offset(int dx, int dy) { x += dx; y += dy; }
  void Offset(const POINT& p) { x += p.x; y += p.y; }
  bool operator==(const POINT& p) const { return x == p.x && y == p.y; }
  bool operator!=(const POINT& p) const { return !(*this == p); }
  CPoint& operator+=(const POINT& p) { x += p.x; y += p.y; return *this; }
  CPoint& operator-=(const POINT& p) { x -= p.x; y -= p.y; return *this; }
  CPoint& operator+=(const SIZE& s) { x += s.cx; y += s.cy; return *this; }
  CPoint& operator-=(const SIZE& s) { x -= s.cx; y -= s.cy; return *this; }
  CPoint operator+(const SIZE& s) const { return CPoint(x + s.cx, y + s.cy); }
  CPoint operator-(const SIZE& s) const { return CPoint(x - s.cx, y - s.cy); }
  CPoint operator+(const POINT& p) const { return CPoint(x + p.x, y + p.y); }
  CPoint operator-() const { return CPoint(-x, -y); }
  inline CSize operator-(const POINT& p) const;
};

class CSize : public SIZE {
 public:
  CSize() = default;
  CSize(int icx, int icy) { cx = icx; cy = icy; }
  CSize(const SIZE& s) : SIZE(s) {}
  bool operator==(const SIZE& s) const { return cx == s.cx && cy == s.cy; }
  bool operator!=(const SIZE& s) const { return !(*this == s); }
  CSize& operator+=(const SIZE& s) { cx += s.cx; cy += s.cy; return *this; }
  CSize& operator-=(const SIZE& s) { cx -= s.cx; cy -= s.cy; return *this; }
  CSize operator+(const SIZE& s) const { return CSize(cx + s.cx, cy + s.cy); }
  CSize operator-(const SIZE& s) const { return CSize(cx - s.cx, cy - s.cy); }
  CSize operator-() const { return CSize(-cx, -cy); }
};

inline CSize CPoint::operator-(const POINT& p) const { return CSize(x - p.x, y - p.y); }

class CRect : public RECT {
 public:
  CRect() = default;
  CRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
  CRect(const RECT& r) : RECT(r) {}
  CRect(const POINT& tl, const SIZE& s) { left = tl.x; top = tl.y; right = tl.x + s.cx; bottom = tl.y + s.cy; }
  CRect(const POINT& tl, const POINT& br) { left = tl.x; top = tl.y; right = br.x; bottom = br.y; }

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  CSize Size() const { return CSize(Width(), Height()); }
  CPoint TopLeft() const { return CPoint(left, top); }
  CPoint BottomRight() const { return CPoint(right, bottom); }
  CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }
  bool IsRectEmpty() const { return right <= left || bottom <= top; }
  bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
  bool PtInRect(const POINT& p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  void SetRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
  void SetRectEmpty() { left = top = right = bottom = 0; }
  void CopyRect(const RECT& r) { *static_cast<RECT*>(this) = r; }
  bool EqualRect(const RECT& r) const { return left == r.left && top == r.top && right == r.right && bottom == r.bottom; }
  bool operator==(const RECT& r) const { return EqualRect(r); }
  bool operator!=(const RECT& r) const { return !EqualRect(r); }
  void InflateRect(int dx, int dy) { left -= dx; top -= dy; right += dx; bottom += dy; }
  void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
  void OffsetRect(int dx, int dy) { left += dx; right += dx; top += dy; bottom += dy; }
  void OffsetRect(const POINT& p) { OffsetRect(p.x, p.y); }
  void OffsetRect(const SIZE& s) { OffsetRect(s.cx, s.cy); }
  void NormalizeRect() {
    if (left > right) { LONG t = left; left = right; right = t; }
    if (top > bottom) { LONG t = top; top = bottom; bottom = t; }
  }
  // Intersection of two normalised rectangles; empty (all zero) when they do not overlap.
  bool IntersectRect(const RECT& a, const RECT& b) {
    CRect r(a.left > b.left ? a.left : b.left, a.top > b.top ? a.top : b.top,
            a.right < b.right ? a.right : b.right, a.bottom < b.bottom ? a.bottom : b.bottom);
    if (r.IsRectEmpty()) { SetRectEmpty(); return false; }
    *this = r;
    return true;
  }
  // Bounding union of two rectangles; an empty one does not count.
  bool UnionRect(const RECT& a, const RECT& b) {
    CRect ra(a), rb(b);
    if (ra.IsRectEmpty()) { *this = rb; return !rb.IsRectEmpty(); }
    if (rb.IsRectEmpty()) { *this = ra; return true; }
    SetRect(a.left < b.left ? a.left : b.left, a.top < b.top ? a.top : b.top,
            a.right > b.right ? a.right : b.right, a.bottom > b.bottom ? a.bottom : b.bottom);
    return true;
  }
};

// Message-box flags and answers, as the prompter takes and gives them.
constexpr UINT MB_OK = 0x0;
constexpr UINT MB_OKCANCEL = 0x1;
constexpr UINT MB_YESNOCANCEL = 0x3;
constexpr UINT MB_YESNO = 0x4;
constexpr UINT MB_TYPEMASK = 0xF;
constexpr UINT MB_ICONHAND = 0x10;
constexpr UINT MB_ICONERROR = MB_ICONHAND;
constexpr UINT MB_ICONSTOP = MB_ICONHAND;
constexpr UINT MB_ICONQUESTION = 0x20;
constexpr UINT MB_ICONEXCLAMATION = 0x30;
constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr UINT MB_ICONASTERISK = 0x40;
constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr UINT MB_ICONMASK = 0xF0;
constexpr UINT MB_DEFBUTTON1 = 0x000;
constexpr UINT MB_DEFBUTTON2 = 0x100;
constexpr UINT MB_DEFBUTTON3 = 0x200;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;
