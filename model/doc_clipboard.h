// The object clipboard block: int32 operation (0 cut, 1 copy), int32 count, count int32 list
// indices, little-endian. The indices mean something only to the running document.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

enum ObjectClipboardOperation : int { CLIPBOARD_CUT = 0, CLIPBOARD_COPY = 1 };

struct ObjectClipboardBlock {
  int nOperation = CLIPBOARD_COPY;
  std::vector<int> indices;

  std::vector<std::uint8_t> ToBytes() const;
  // False when the bytes are too short for the header or for the count they claim.
  static bool FromBytes(const void* data, std::size_t size, ObjectClipboardBlock& out);
};
