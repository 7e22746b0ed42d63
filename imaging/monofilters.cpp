// The image filters of CMonoImageTool: thicken, outline, invert, fill, and the widening of glyph
// strokes.
#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#include "imaging/monoimagetool.h"

namespace {

// A block opened for a filter: rows bottom-up, picture row y is stored row height - 1 - y.
struct EditImage {
  BYTE* bits = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;
  int imageSize = 0;
  bool inkSet = false;  // ink is a 1 bit (palette entry 0 white)

  BYTE* Row(int y) const { return bits + static_cast<size_t>(height - 1 - y) * stride; }
};

bool OpenEdit(BYTE* block, size_t size, EditImage& e) {
  e.bits = CMonoImageTool::GetEditBits(block, size);
  if (!e.bits) return false;
  CMonoImageTool::ParseMonoBmp(block, size, nullptr, &e.height, nullptr, &e.stride, &e.imageSize);
  e.width = MonoBmpFile::Width(block);
  e.inkSet = MonoBmpFile::InkIsSetBit(block);
  return true;
}

// The edit rectangle limited to the image; false when nothing of it is inside.
bool ClipRect(const BYTE* block, const EditImage& e, const RECT* given, RECT& r) {
  r = CMonoImageTool::GetEditRect(block, given);
  r.left = std::max<LONG>(r.left, 0);
  r.top = std::max<LONG>(r.top, 0);
  r.right = std::min<LONG>(r.right, e.width - 1);
  r.bottom = std::min<LONG>(r.bottom, e.height - 1);
  return r.left <= r.right && r.top <= r.bottom;
}

// Ink of a byte as 1 bits.
inline BYTE InkBits(BYTE b, bool inkSet) { return inkSet ? b : static_cast<BYTE>(~b); }

// First pixel from x to xmax (inclusive) whose ink state is `ink`, or -1.
int FindPixel(const BYTE* row, int x, int xmax, bool inkSet, bool ink) {
  while (x <= xmax) {
    const int b = x >> 3;
    BYTE v = InkBits(row[b], inkSet);
    if (!ink) v = static_cast<BYTE>(~v);
    v &= static_cast<BYTE>(0xFF >> (x & 7));
    if (v) {
      const int found = b * 8 + std::countl_zero(v);
      return found <= xmax ? found : -1;
    }
    x = (b + 1) * 8;
  }
  return -1;
}

// Sets (or clears) the bits of columns x0..x1 of a row.
void SetSpan(BYTE* row, int x0, int x1, bool set) {
  if (x0 > x1) return;
  const int b0 = x0 >> 3, b1 = x1 >> 3;
  const BYTE m0 = static_cast<BYTE>(0xFF >> (x0 & 7));
  const BYTE m1 = static_cast<BYTE>(0xFF << (7 - (x1 & 7)));
  if (b0 == b1) {
    const BYTE m = m0 & m1;
    row[b0] = set ? (row[b0] | m) : (row[b0] & static_cast<BYTE>(~m));
    return;
  }
  row[b0] = set ? (row[b0] | m0) : (row[b0] & static_cast<BYTE>(~m0));
  if (b1 - b0 > 1) std::memset(row + b0 + 1, set ? 0xFF : 0x00, static_cast<size_t>(b1 - b0 - 1));
  row[b1] = set ? (row[b1] | m1) : (row[b1] & static_cast<BYTE>(~m1));
}

// The bits of byte b that lie within columns x0..x1.
BYTE SpanMask(int b, int x0, int x1) {
  const int lo = std::max(x0 - b * 8, 0);
  const int hi = std::min(x1 - b * 8, 7);
  if (lo > hi) return 0;
  return static_cast<BYTE>((0xFF >> lo) & (0xFF << (7 - hi)));
}

}  // namespace

BYTE* CMonoImageTool::GetEditBits(BYTE* block, size_t size) {
  int height = 0;
  BYTE* rows = ParseMonoBmp(block, size, nullptr, &height, nullptr, nullptr, nullptr);
  if (!rows || height < 1 || MonoBmpFile::Width(block) < 1) return nullptr;
  return rows;
}

RECT CMonoImageTool::GetEditRect(const BYTE* block, const RECT* given) {
  RECT r;
  if (given) {
    r = *given;
    // Right and bottom become inclusive; the most negative edge stays as it is (an empty
    // rectangle either way).
    if (r.right > INT32_MIN) r.right -= 1;
    if (r.bottom > INT32_MIN) r.bottom -= 1;
  } else if (block) {
    r.left = 0;
    r.top = 0;
    r.right = MonoBmpFile::Width(block) - 1;
    r.bottom = MonoBmpFile::Height(block) - 1;
  }
  return r;
}

std::vector<BYTE> CMonoImageTool::ThickenImage(BYTE* block, size_t size, int xAmount, int yAmount, const RECT* rect) {
  EditImage e;
  if (!OpenEdit(block, size, e)) return {};
  std::vector<BYTE> scratch(e.bits, e.bits + e.imageSize);
  RECT r;
  if (!ClipRect(block, e, rect, r)) return scratch;
  const long long x = std::max(xAmount, 0), y = std::max(yAmount, 0);
  const long long toLeft = x / 2, toRight = x - x / 2;
  const long long up = y - y / 2, down = y / 2;
  const EditImage before{scratch.data(), e.width, e.height, e.stride, e.imageSize, e.inkSet};
  for (int py = r.top; py <= r.bottom; ++py) {
    const BYTE* src = before.Row(py);
    const int y0 = static_cast<int>(std::max<long long>(r.top, py - up));
    const int y1 = static_cast<int>(std::min<long long>(r.bottom, py + down));
    int px = r.left;
    while (px <= r.right) {
      const int run0 = FindPixel(src, px, r.right, e.inkSet, true);
      if (run0 < 0) break;
      int run1 = FindPixel(src, run0, r.right, e.inkSet, false);
      run1 = run1 < 0 ? r.right : run1 - 1;
      // The union of the boxes of a run is one box over the whole run.
      const int x0 = static_cast<int>(std::max<long long>(r.left, run0 - toLeft));
      const int x1 = static_cast<int>(std::min<long long>(r.right, run1 + toRight));
      for (int yy = y0; yy <= y1; ++yy) SetSpan(e.Row(yy), x0, x1, e.inkSet);
      px = run1 + 1;
    }
  }
  return scratch;
}

std::vector<BYTE> CMonoImageTool::ExtractOutline(BYTE* block, size_t size, const RECT* rect) {
  EditImage e;
  if (!OpenEdit(block, size, e)) return {};
  std::vector<BYTE> scratch(e.bits, e.bits + e.imageSize);
  // In the copy ink is always a 0 bit.
  if (e.inkSet)
    for (BYTE& b : scratch) b = static_cast<BYTE>(~b);
  RECT r;
  if (!ClipRect(block, e, rect, r)) return scratch;
  const EditImage copy{scratch.data(), e.width, e.height, e.stride, e.imageSize, false};
  const int lastByte = (e.width - 1) >> 3;
  // Bits beyond the last column: outside the image, so never a reason to keep a pixel.
  const BYTE outside = static_cast<BYTE>(~SpanMask(lastByte, 0, e.width - 1));
  for (int y = r.top; y <= r.bottom; ++y) {
    const BYTE* cur = copy.Row(y);
    const BYTE* up = y > 0 ? copy.Row(y - 1) : nullptr;
    const BYTE* down = y + 1 < e.height ? copy.Row(y + 1) : nullptr;
    BYTE* out = e.Row(y);
    for (int b = r.left >> 3; b <= (r.right >> 3); ++b) {
      const BYTE mask = SpanMask(b, r.left, r.right);
      // Ink as 1 bits; a neighbour outside the image counts as ink, so it is not tested.
      BYTE c = static_cast<BYTE>(~cur[b]);
      if (b == lastByte) c |= outside;
      const BYTE u = up ? static_cast<BYTE>(~up[b]) : 0xFF;
      const BYTE d = down ? static_cast<BYTE>(~down[b]) : 0xFF;
      const BYTE prev = b > 0 ? static_cast<BYTE>(~cur[b - 1]) : 0xFF;
      BYTE next = 0xFF;
      if (b < lastByte) {
        next = static_cast<BYTE>(~cur[b + 1]);
        if (b + 1 == lastByte) next |= outside;
      }
      const BYTE left = static_cast<BYTE>((c >> 1) | ((prev & 1) << 7));
      const BYTE right = static_cast<BYTE>((c << 1) | (next >> 7));
      const BYTE interior = static_cast<BYTE>(c & u & d & left & right);
      const BYTE keep = static_cast<BYTE>(c & ~interior);
      const BYTE bits = e.inkSet ? keep : static_cast<BYTE>(~keep);
      out[b] = static_cast<BYTE>((out[b] & ~mask) | (bits & mask));
    }
  }
  return scratch;
}

int CMonoImageTool::InvertImage(BYTE* block, size_t size, const RECT* rect) {
  EditImage e;
  if (!OpenEdit(block, size, e)) return 0;
  RECT r;
  if (!ClipRect(block, e, rect, r)) return 1;
  for (int y = r.top; y <= r.bottom; ++y) {
    BYTE* row = e.Row(y);
    for (int b = r.left >> 3; b <= (r.right >> 3); ++b) row[b] ^= SpanMask(b, r.left, r.right);
  }
  return 1;
}

int CMonoImageTool::FillImage(BYTE* block, size_t size, int colour, const RECT* rect) {
  EditImage e;
  if (!OpenEdit(block, size, e)) return 0;
  RECT r;
  if (!ClipRect(block, e, rect, r)) return 1;
  // White is the 1 bit with the standard palette; with a white entry 0, black is.
  const bool set = (colour != 0) != e.inkSet;
  for (int y = r.top; y <= r.bottom; ++y) SetSpan(e.Row(y), r.left, r.right, set);
  return 1;
}

BYTE* CMonoImageTool::WidenBmp(BYTE* block, size_t size, int xAmount, int yAmount) {
  int height = 0, stride = 0, imageSize = 0;
  BYTE* rows = ParseMonoBmp(block, size, nullptr, &height, nullptr, &stride, &imageSize);
  if (!rows) return nullptr;
  const int width = MonoBmpFile::Width(block);
  xAmount = std::max(xAmount, 0);
  yAmount = std::max(yAmount, 0);
  if (!xAmount && !yAmount) return rows;
  std::vector<BYTE> copy(rows, rows + imageSize);
  if (xAmount && yAmount) {
    WidenRows(xAmount, copy.data(), rows, width, height, stride);
    WidenColumns(yAmount, rows, copy.data(), width, height, stride);
  } else if (xAmount) {
    WidenRows(xAmount, rows, copy.data(), width, height, stride);
  } else {
    WidenColumns(yAmount, rows, copy.data(), width, height, stride);
  }
  return rows;
}

void CMonoImageTool::WidenRows(int amount, BYTE* dst, const BYTE* src, int width, int height, int stride) {
  if (!dst || !src || width <= 0 || height <= 0 || stride < (width + 7) / 8) return;
  const long long n = std::max(amount, 0);
  const long long toLeft = n - n / 2, toRight = n / 2;
  for (int r = 0; r < height; ++r) {
    const BYTE* s = src + static_cast<size_t>(r) * stride;
    BYTE* d = dst + static_cast<size_t>(r) * stride;
    int x = 0;
    while (x < width) {
      // Skip bytes without ink with one comparison.
      if ((x & 7) == 0 && s[x >> 3] == 0xFF) {
        x += 8;
        continue;
      }
      const int run0 = FindPixel(s, x, width - 1, false, true);
      if (run0 < 0) break;
      int run1 = FindPixel(s, run0, width - 1, false, false);
      run1 = run1 < 0 ? width - 1 : run1 - 1;
      const int x0 = static_cast<int>(std::max<long long>(0, run0 - toLeft));
      const int x1 = static_cast<int>(std::min<long long>(width - 1, run1 + toRight));
      SetSpan(d, x0, x1, false);
      x = run1 + 1;
    }
  }
}

void CMonoImageTool::WidenColumns(int amount, BYTE* dst, const BYTE* src, int width, int height, int stride) {
  if (!dst || !src || width <= 0 || height <= 0 || stride < (width + 7) / 8) return;
  const long long n = std::max(amount, 0);
  const long long below = n - n / 2, above = n / 2;  // in stored rows: below is downward in the picture
  const int bytes = (width + 7) / 8;
  const BYTE lastMask = SpanMask(bytes - 1, 0, width - 1);
  for (int r = 0; r < height; ++r) {
    const BYTE* s = src + static_cast<size_t>(r) * stride;
    const int r0 = static_cast<int>(std::max<long long>(0, r - below));
    const int r1 = static_cast<int>(std::min<long long>(height - 1, r + above));
    for (int b = 0; b < bytes; ++b) {
      if (s[b] == 0xFF) continue;
      BYTE ink = static_cast<BYTE>(~s[b]);
      if (b == bytes - 1) ink &= lastMask;  // padding bits are background
      if (!ink) continue;
      for (int rr = r0; rr <= r1; ++rr) dst[static_cast<size_t>(rr) * stride + b] &= static_cast<BYTE>(~ink);
    }
  }
}
