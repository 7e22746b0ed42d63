#include "imaging/monobmp.h"

#include <climits>
#include <cstring>

std::int64_t MonoBmpFile::Stride(std::int64_t width) {
  if (width <= 0) return 0;
  return ((width + 31) / 32) * 4;
}

std::int64_t MonoBmpFile::FileSize(std::int64_t width, std::int64_t height) {
  if (height < 0) height = -height;
  return kHeaderSize + height * Stride(width);
}

std::uint16_t MonoBmpFile::ReadU16(const BYTE* p, int offset) {
  return static_cast<std::uint16_t>(p[offset] | (p[offset + 1] << 8));
}

std::uint32_t MonoBmpFile::ReadU32(const BYTE* p, int offset) {
  return static_cast<std::uint32_t>(p[offset]) | (static_cast<std::uint32_t>(p[offset + 1]) << 8) |
         (static_cast<std::uint32_t>(p[offset + 2]) << 16) | (static_cast<std::uint32_t>(p[offset + 3]) << 24);
}

void MonoBmpFile::WriteU16(BYTE* p, int offset, std::uint16_t v) {
  p[offset] = static_cast<BYTE>(v & 0xFF);
  p[offset + 1] = static_cast<BYTE>(v >> 8);
}

void MonoBmpFile::WriteU32(BYTE* p, int offset, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[offset + i] = static_cast<BYTE>((v >> (8 * i)) & 0xFF);
}

COLORREF MonoBmpFile::PaletteColour(const BYTE* block, int entry) {
  const BYTE* e = block + kOffPalette + 4 * (entry ? 1 : 0);
  return RGB(e[2], e[1], e[0]);
}

bool MonoBmpFile::InkIsSetBit(const BYTE* block) {
  const BYTE* e = block + kOffPalette;
  return e[0] == 255 && e[1] == 255 && e[2] == 255;
}

void MonoBmpFile::WriteHeader(BYTE* block, int width, int height, COLORREF ink) {
  std::memset(block, 0, kHeaderSize);
  const std::int64_t stride = Stride(width);
  block[0] = 'B';
  block[1] = 'M';
  WriteU32(block, kOffFileSize, static_cast<std::uint32_t>(FileSize(width, height)));
  WriteU32(block, kOffBitsOffset, kHeaderSize);
  WriteU32(block, kOffInfoSize, kInfoHeaderSize);
  WriteU32(block, kOffWidth, static_cast<std::uint32_t>(width));
  WriteU32(block, kOffHeight, static_cast<std::uint32_t>(height));
  WriteU16(block, kOffPlanes, 1);
  WriteU16(block, kOffBitCount, 1);
  WriteU32(block, kOffCompression, 0);
  WriteU32(block, kOffImageSize, static_cast<std::uint32_t>(stride * (height < 0 ? -std::int64_t(height) : height)));
  WriteU32(block, kOffClrUsed, 2);
  WriteU32(block, kOffClrImportant, 0);
  WriteU32(block, kOffXPelsPerMeter, kPixelsPerMetre);
  WriteU32(block, kOffYPelsPerMeter, kPixelsPerMetre);
  // entry 0 black (already zero), entry 1 white
  block[kOffPalette + 4] = 255;
  block[kOffPalette + 5] = 255;
  block[kOffPalette + 6] = 255;
  block[kOffPalette + 0] = GetBValue(ink);
  block[kOffPalette + 1] = GetGValue(ink);
  block[kOffPalette + 2] = GetRValue(ink);
}

std::vector<BYTE> MonoBmpFile::Create(int width, int height, COLORREF ink) {
  if (width <= 0 || height <= 0) return {};
  const std::int64_t size = FileSize(width, height);
  if (size > INT_MAX) return {};
  std::vector<BYTE> block(static_cast<size_t>(size), 0xFF);
  WriteHeader(block.data(), width, height, ink);
  return block;
}

namespace {

// Geometry of a BMP whose header fields passed the checks.
struct BmpLayout {
  std::int64_t infoSize = 0;
  std::int64_t bitsOffset = 0;
  std::int64_t width = 0;
  std::int64_t height = 0;  // signed as stored
  std::int64_t stride = 0;
};

MonoBmpCheck CheckLayout(const BYTE* data, size_t size, BmpLayout& out) {
  using M = MonoBmpFile;
  if (!data || size < 2 || data[0] != 'B' || data[1] != 'M') return MONOBMP_UNREADABLE;
  // The bit count decides the message as soon as it is there to read.
  if (size >= static_cast<size_t>(M::kOffBitCount + 2) && M::ReadU16(data, M::kOffBitCount) != 1)
    return MONOBMP_NOT_MONOCHROME;
  if (size < static_cast<size_t>(M::kHeaderSize)) return MONOBMP_UNREADABLE;
  out.infoSize = M::ReadU32(data, M::kOffInfoSize);
  out.bitsOffset = M::ReadU32(data, M::kOffBitsOffset);
  out.width = M::ReadI32(data, M::kOffWidth);
  out.height = M::ReadI32(data, M::kOffHeight);
  if (out.infoSize < M::kInfoHeaderSize) return MONOBMP_UNREADABLE;
  if (M::ReadU16(data, M::kOffPlanes) != 1) return MONOBMP_UNREADABLE;
  if (M::ReadU32(data, M::kOffCompression) != 0) return MONOBMP_UNREADABLE;
  if (out.width <= 0 || out.height == 0) return MONOBMP_UNREADABLE;
  // The rows may not overlap the headers.
  if (out.bitsOffset < M::kFileHeaderSize + out.infoSize) return MONOBMP_UNREADABLE;
  out.stride = M::Stride(out.width);
  const std::int64_t rows = out.height < 0 ? -out.height : out.height;
  // Both factors are below 2^32, so the product cannot overflow 64 bits.
  const std::int64_t end = out.bitsOffset + rows * out.stride;
  if (end > static_cast<std::int64_t>(size)) return MONOBMP_UNREADABLE;
  // Every block we hand on has its size in an int.
  if (M::kHeaderSize + rows * out.stride > INT_MAX) return MONOBMP_UNREADABLE;
  return MONOBMP_VALID;
}

bool IsCanonicalLayout(const BmpLayout& l) {
  return l.infoSize == MonoBmpFile::kInfoHeaderSize && l.bitsOffset == MonoBmpFile::kHeaderSize && l.height > 0;
}

}  // namespace

MonoBmpCheck ValidateMonoBmp(const BYTE* data, size_t size, std::vector<BYTE>* canonical) {
  using M = MonoBmpFile;
  BmpLayout l;
  const MonoBmpCheck check = CheckLayout(data, size, l);
  if (check != MONOBMP_VALID || !canonical) return check;
  if (IsCanonicalLayout(l)) {
    canonical->assign(data, data + size);
    return MONOBMP_VALID;
  }
  const int width = static_cast<int>(l.width);
  const int height = static_cast<int>(l.height < 0 ? -l.height : l.height);
  std::vector<BYTE> out(static_cast<size_t>(M::FileSize(width, height)));
  M::WriteHeader(out.data(), width, height);
  // Keep the image's own resolution, which gives its size on the page.
  M::WriteU32(out.data(), M::kOffXPelsPerMeter, M::ReadU32(data, M::kOffXPelsPerMeter));
  M::WriteU32(out.data(), M::kOffYPelsPerMeter, M::ReadU32(data, M::kOffYPelsPerMeter));
  // Palette entries that lie between the info header and the rows; missing ones stay black/white.
  const std::int64_t palette = M::kFileHeaderSize + l.infoSize;
  for (int e = 0; e < 2; ++e) {
    const std::int64_t at = palette + 4 * e;
    if (at + 4 <= l.bitsOffset) {
      for (int i = 0; i < 3; ++i) out[M::kOffPalette + 4 * e + i] = data[at + i];
      out[M::kOffPalette + 4 * e + 3] = 0;
    }
  }
  const size_t stride = static_cast<size_t>(l.stride);
  for (int r = 0; r < height; ++r) {
    // Stored row r of the result is the bottom-up row r of the picture.
    const int src = l.height > 0 ? r : height - 1 - r;
    std::memcpy(out.data() + M::kHeaderSize + static_cast<size_t>(r) * stride,
                data + l.bitsOffset + static_cast<size_t>(src) * stride, stride);
  }
  *canonical = std::move(out);
  return MONOBMP_VALID;
}

bool IsCanonicalMonoBmp(const BYTE* data, size_t size) {
  BmpLayout l;
  return CheckLayout(data, size, l) == MONOBMP_VALID && IsCanonicalLayout(l);
}

const char* MonoBmpRefusalText(MonoBmpCheck check) {
  switch (check) {
    case MONOBMP_VALID: return "";
    case MONOBMP_NOT_MONOCHROME: return "モノクロBMPファイルを指定してください";
    case MONOBMP_UNREADABLE: break;
  }
  return "BMPファイルを読み取れません";
}
