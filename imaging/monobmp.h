// MonoBmpFile: the complete bytes of a 1-bit BMP file held in one block. The same block is written
// to disk, read back, handed to the DIB calls (info header at 14, rows at 62) and scanned bit by
// bit by the tracer and the filters, so its layout is fixed here once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/wintypes.h"
#include "model/machine_units.h"

struct MonoBmpFile {
  // Offsets of the fields within the block (little-endian).
  static constexpr int kOffType = 0;           // "BM"
  static constexpr int kOffFileSize = 2;
  static constexpr int kOffBitsOffset = 10;    // offset of the pixel rows
  static constexpr int kOffInfoSize = 14;      // info header size
  static constexpr int kOffWidth = 18;
  static constexpr int kOffHeight = 22;        // positive: rows stored bottom-up
  static constexpr int kOffPlanes = 26;
  static constexpr int kOffBitCount = 28;
  static constexpr int kOffCompression = 30;
  static constexpr int kOffImageSize = 34;
  static constexpr int kOffXPelsPerMeter = 38;
  static constexpr int kOffYPelsPerMeter = 42;
  static constexpr int kOffClrUsed = 46;
  static constexpr int kOffClrImportant = 50;
  static constexpr int kOffPalette = 54;       // entry 0 (ink), then entry 1 (white); B, G, R, 0

  static constexpr int kFileHeaderSize = 14;
  static constexpr int kInfoHeaderSize = 40;
  static constexpr int kHeaderSize = 62;       // file header + info header + two palette entries
  static constexpr int kPixelsPerMetre = MACHINE_UNITS_PER_MM * 1000;  // one pixel per machine unit

  // Bytes per stored row: ceil(width / 8) padded to a multiple of 4. 0 for width <= 0.
  static std::int64_t Stride(std::int64_t width);
  // 62 + height x stride.
  static std::int64_t FileSize(std::int64_t width, std::int64_t height);

  // Little-endian field access; the caller guarantees the bytes are there.
  static std::uint16_t ReadU16(const BYTE* p, int offset);
  static std::uint32_t ReadU32(const BYTE* p, int offset);
  static std::int32_t ReadI32(const BYTE* p, int offset) {
    return static_cast<std::int32_t>(ReadU32(p, offset));
  }
  static void WriteU16(BYTE* p, int offset, std::uint16_t v);
  static void WriteU32(BYTE* p, int offset, std::uint32_t v);

  // Header fields of a block of at least 62 bytes.
  static LONG Width(const BYTE* block) { return ReadI32(block, kOffWidth); }
  static LONG Height(const BYTE* block) { return ReadI32(block, kOffHeight); }
  static LONG XPelsPerMeter(const BYTE* block) { return ReadI32(block, kOffXPelsPerMeter); }
  // Both resolutions of a header.
  static void SetPixelsPerMetre(BYTE* block, int ppm) {
    WriteU32(block, kOffXPelsPerMeter, static_cast<std::uint32_t>(ppm));
    WriteU32(block, kOffYPelsPerMeter, static_cast<std::uint32_t>(ppm));
  }
  static LONG YPelsPerMeter(const BYTE* block) { return ReadI32(block, kOffYPelsPerMeter); }
  // Palette entry 0 or 1 as a COLORREF.
  static COLORREF PaletteColour(const BYTE* block, int entry);
  // Palette entry 0 is white: the image keeps its ink in the 1 bits.
  static bool InkIsSetBit(const BYTE* block);

  // Fills the 62-byte header in the order every builder uses: black and white palette, then the
  // ink colour (when not black) written over entry 0.
  static void WriteHeader(BYTE* block, int width, int height, COLORREF ink = RGB(0, 0, 0));
  // A new block of width x height with every row background (1 bits); empty when the size is
  // not positive or the block would not fit in an int-sized file.
  static std::vector<BYTE> Create(int width, int height, COLORREF ink = RGB(0, 0, 0));
};

// Outcome of checking a BMP that comes from outside (a file, a project file, the clipboard).
enum MonoBmpCheck {
  MONOBMP_VALID = 1,           // usable; the canonical block is given back
  MONOBMP_UNREADABLE = 0,      // not a BMP we can take: "BMPファイルを読み取れません"
  MONOBMP_NOT_MONOCHROME = -1, // a BMP, but not 1 bit per pixel: "モノクロBMPファイルを指定してください"
};

// The one validator for every image taken from outside. A BMP is taken only when it is at least
// 62 bytes long, has an info header of at least 40 bytes, 1 plane, 1 bit per pixel, no
// compression, width > 0, height != 0, and its rows (offset to the rows + |height| x stride) lie
// inside the buffer. A top-down image, one with a larger header or with its rows elsewhere is
// rebuilt in the canonical layout (62-byte header, rows bottom-up at 62, its own resolution and
// palette kept); a canonical one is given back byte for byte. `canonical` is untouched on refusal
// and may be null to check only.
MonoBmpCheck ValidateMonoBmp(const BYTE* data, size_t size, std::vector<BYTE>* canonical);

// True when the block already has the canonical layout and its rows lie inside `size`: the
// condition under which the toolkit works on it in place.
bool IsCanonicalMonoBmp(const BYTE* data, size_t size);

// The message (UTF-8) that refuses an image for a check result; empty for MONOBMP_VALID.
const char* MonoBmpRefusalText(MonoBmpCheck check);
