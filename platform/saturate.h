// Int arithmetic on coordinates that came from doubles: any finite value read from a file gives
// a coordinate, so sums and differences are taken in 64 bits and saturated at the int range
// instead of overflowing. A double itself becomes an int through DoubleToInt.
#pragma once

#include <cstdint>
#include <limits>

#include "platform/wintypes.h"

namespace sat {

inline int Clamp(std::int64_t v) {
  if (v > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (v < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(v);
}
inline int Add(int a, int b) { return Clamp(static_cast<std::int64_t>(a) + b); }
inline int Sub(int a, int b) { return Clamp(static_cast<std::int64_t>(a) - b); }
// |a - b|, the size of a span.
inline int Distance(int a, int b) {
  const std::int64_t d = static_cast<std::int64_t>(a) - b;
  return Clamp(d < 0 ? -d : d);
}
// |a - b| / 2, the half size of a span.
inline int HalfSpan(int a, int b) {
  const std::int64_t d = static_cast<std::int64_t>(a) - b;
  return Clamp((d < 0 ? -d : d) / 2);
}
// (a + b) / 2, the middle of a span.
inline int Mid(int a, int b) { return static_cast<int>((static_cast<std::int64_t>(a) + b) / 2); }
// 2 * centre - v: v mirrored about centre.
inline int Mirror(int v, int centre) { return Clamp(2 * static_cast<std::int64_t>(centre) - v); }

}  // namespace sat
