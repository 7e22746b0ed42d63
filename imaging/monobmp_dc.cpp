// The builders that read bitmaps through the drawing layer.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <memory>

#include "imaging/monoimagetool.h"
#include "platform/gdi/gdi.h"

namespace {

// A black and white block of width x height with the rows of `bitmap` read as a bottom-up DIB.
// Where the bitmap is narrower or lower than the block, the pixels stay background instead of
// showing as ink. Empty when the rows cannot be read.
std::vector<BYTE> ReadDibRows(CDC* dc, CBitmap* bitmap, int width, int height) {
  BITMAP bm;
  if (!dc || !dc->GetSafeHdc() || !bitmap || !bitmap->GetBitmap(&bm)) return {};
  std::vector<BYTE> block = MonoBmpFile::Create(width, height);
  if (block.empty()) return {};
  BYTE* bits = CMonoImageTool::GetBits(block.data());
  auto* info = reinterpret_cast<BITMAPINFO*>(CMonoImageTool::GetBitmapInfo(block.data()));
  const int lines = GetDIBits(dc->GetSafeHdc(), bitmap, 0, static_cast<UINT>(height), bits, info, DIB_RGB_COLORS);
  if (lines <= 0) return {};
  // Rows past `lines` were not written and are still background; columns past the bitmap's width
  // came back as 0 bits.
  if (bm.bmWidth < width) {
    const size_t stride = static_cast<size_t>(MonoBmpFile::Stride(width));
    for (int k = 0; k < lines; ++k) {
      BYTE* row = bits + static_cast<size_t>(k) * stride;
      for (int x = std::max<LONG>(bm.bmWidth, 0); x < width; ++x) row[x >> 3] |= static_cast<BYTE>(0x80 >> (x & 7));
    }
  }
  return block;
}

}  // namespace

std::vector<BYTE> CMonoImageTool::BuildMonoBmp(CDC* dc, CBitmap* bitmap, int width, int height, int* size,
                                               COLORREF ink) {
  if (size) *size = 0;
  std::vector<BYTE> block = ReadDibRows(dc, bitmap, width, height);
  if (block.empty()) return {};
  // The read wrote the bitmap's own two colours into the palette.
  BYTE* entry0 = block.data() + MonoBmpFile::kOffPalette;
  entry0[0] = GetBValue(ink);
  entry0[1] = GetGValue(ink);
  entry0[2] = GetRValue(ink);
  entry0[3] = 0;
  if (size) *size = static_cast<int>(block.size());
  return block;
}

std::vector<BYTE> CMonoImageTool::BmpFromBitmap(const CBitmap* bitmap) {
  BITMAP bm;
  if (!bitmap || !bitmap->GetBitmap(&bm)) return {};
  // Colour rows taken as 1-bit ones would be a wrong picture.
  if (bm.bmBitsPixel != 1 || bm.bmWidth <= 0 || bm.bmHeight <= 0 || bm.bmWidthBytes <= 0) return {};
  const size_t count = static_cast<size_t>(bm.bmWidthBytes) * static_cast<size_t>(bm.bmHeight);
  if (count > UINT32_MAX) return {};
  std::vector<BYTE> rows(count);
  if (bitmap->GetBitmapBits(static_cast<DWORD>(count), rows.data()) != count) return {};
  return BmpFromDeviceRows(bm.bmWidth, bm.bmHeight, bm.bmWidthBytes, rows.data());
}

CBitmap* CMonoImageTool::CopyRectToMonoBitmap(CDC* dc, const RECT& rect) {
  if (!dc || !dc->GetSafeHdc()) return nullptr;
  CBitmap* current = dc->GetCurrentBitmap();
  if (!current) return nullptr;
  const std::int64_t w = static_cast<std::int64_t>(rect.right) - rect.left;
  const std::int64_t h = static_cast<std::int64_t>(rect.bottom) - rect.top;
  if (w <= 0 || h <= 0 || w > INT_MAX || h > INT_MAX) return nullptr;
  const int width = static_cast<int>(w);
  const int height = static_cast<int>(h);
  const std::vector<BYTE> block = ReadDibRows(dc, current, width, height);
  if (block.empty()) return nullptr;

  auto bitmap = std::make_unique<CBitmap>();
  BITMAP out;
  if (!bitmap->CreateBitmap(width, height, 1, 1, nullptr) || !bitmap->GetBitmap(&out)) return nullptr;
  // Device rows run top-down and are only as long as the new bitmap's own rows, whatever the
  // width of the bitmap they were read from.
  const size_t rowBytes = static_cast<size_t>(out.bmWidthBytes);
  const size_t stride = static_cast<size_t>(MonoBmpFile::Stride(width));
  const size_t take = std::min(rowBytes, stride);
  const BYTE* bits = GetBits(block.data());
  std::vector<BYTE> rows(rowBytes * static_cast<size_t>(height), 0);
  for (int j = 0; j < height; ++j)
    std::memcpy(rows.data() + static_cast<size_t>(j) * rowBytes,
                bits + static_cast<size_t>(height - 1 - j) * stride, take);
  if (bitmap->SetBitmapBits(static_cast<DWORD>(rows.size()), rows.data()) != rows.size()) return nullptr;
  return bitmap.release();
}
