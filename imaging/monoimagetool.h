// CMonoImageTool: the 1-bit image toolkit. It is made as a plain local object wherever it is
// needed; apart from the outline export, which keeps its output file, every operation works only
// on its arguments.
//
// Blocks are MonoBmpFile images (imaging/monobmp.h) given as a pointer and the number of bytes
// the holder owns. Every operation checks the block against that size before it reads a row, so
// nothing that came from outside is ever trusted.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "imaging/monobmp.h"
#include "platform/cstring.h"
#include "platform/wintypes.h"

class CMonoImageTool {
 public:
  CMonoImageTool() = default;
  CMonoImageTool(const CMonoImageTool&) = delete;
  CMonoImageTool& operator=(const CMonoImageTool&) = delete;
  virtual ~CMonoImageTool();

  // --- Building and inspecting blocks ---

  // The pixel rows, block + 62 (null for a null block).
  static BYTE* GetBits(BYTE* block) { return block ? block + MonoBmpFile::kHeaderSize : nullptr; }
  static const BYTE* GetBits(const BYTE* block) { return block ? block + MonoBmpFile::kHeaderSize : nullptr; }
  // The info header and palette, block + 14, as the DIB calls take them (null for a null block).
  static BYTE* GetBitmapInfo(BYTE* block) { return block ? block + MonoBmpFile::kFileHeaderSize : nullptr; }
  static const BYTE* GetBitmapInfo(const BYTE* block) {
    return block ? block + MonoBmpFile::kFileHeaderSize : nullptr;
  }

  // Checks a block of `size` bytes and reports its geometry. Null unless the block is a 1-bit BMP
  // in the canonical layout whose rows lie inside `size` (see IsCanonicalMonoBmp); otherwise the
  // rows (block + 62), and into each output that is not null: width in whole bytes (width / 8),
  // height, file size (62 + height x stride), stride, image size (height x stride).
  static BYTE* ParseMonoBmp(BYTE* block, size_t size, int* widthBytes, int* height, int* fileSize,
                            int* stride, int* imageSize);
  static const BYTE* ParseMonoBmp(const BYTE* block, size_t size, int* widthBytes, int* height,
                                  int* fileSize, int* stride, int* imageSize);

  // Writes a block to a file (62 + height x stride bytes, from the header). The file is written
  // through a temporary one, so a failed write keeps what was there. 1 written, 0 refused block
  // or failed write.
  static int WriteBmpFile(const CString& path, const BYTE* block, size_t size);

  // The core of building a block from a device bitmap: `height` device rows of `rowBytes` bytes
  // each, top row first, stored bottom-up with the black and white palette. Each stored row takes
  // the device row's bytes (never more than the stride); the rest of the stride is padding (0).
  // Empty when the arguments do not describe an image.
  static std::vector<BYTE> BmpFromDeviceRows(int width, int height, int rowBytes, const BYTE* rows);
};
