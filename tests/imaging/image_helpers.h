// Small helpers for building and reading 1-bit images in tests, in picture coordinates
// (row 0 at the top), independent of the toolkit under test.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/monobmp.h"

namespace testimg {

inline std::vector<BYTE> Blank(int width, int height) { return MonoBmpFile::Create(width, height); }

inline BYTE* RowOf(std::vector<BYTE>& img, int y) {
  const int h = MonoBmpFile::Height(img.data());
  return img.data() + 62 + static_cast<size_t>(h - 1 - y) * MonoBmpFile::Stride(MonoBmpFile::Width(img.data()));
}
inline const BYTE* RowOf(const std::vector<BYTE>& img, int y) {
  return RowOf(const_cast<std::vector<BYTE>&>(img), y);
}

inline bool Bit(const std::vector<BYTE>& img, int x, int y) { return (RowOf(img, y)[x / 8] >> (7 - x % 8)) & 1; }
inline void SetBit(std::vector<BYTE>& img, int x, int y, bool v) {
  BYTE& b = RowOf(img, y)[x / 8];
  const BYTE m = static_cast<BYTE>(0x80 >> (x % 8));
  b = v ? (b | m) : (b & ~m);
}
// Ink with the standard palette is a 0 bit.
inline bool Ink(const std::vector<BYTE>& img, int x, int y) { return !Bit(img, x, y); }
inline void Paint(std::vector<BYTE>& img, int x, int y) { SetBit(img, x, y, false); }
inline void FillBox(std::vector<BYTE>& img, int x0, int y0, int x1, int y1) {
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) Paint(img, x, y);
}
inline int CountInk(const std::vector<BYTE>& img) {
  int n = 0;
  for (int y = 0; y < MonoBmpFile::Height(img.data()); ++y)
    for (int x = 0; x < MonoBmpFile::Width(img.data()); ++x) n += Ink(img, x, y);
  return n;
}
// "#" ink, "." background, one string per row from the top.
inline std::vector<BYTE> FromText(const std::vector<std::string>& rows) {
  const int h = static_cast<int>(rows.size());
  const int w = static_cast<int>(rows[0].size());
  std::vector<BYTE> img = Blank(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (rows[y][x] == '#') Paint(img, x, y);
  return img;
}

}  // namespace testimg
