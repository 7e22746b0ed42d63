// Int arithmetic on coordinates that came from doubles: any finite value read from a file gives
// a coordinate, so sums and differences are taken in 64 bits and saturated at the int range
// instead of overflowing.
#pragma once

#include <cstdint>

namespace sat {

inline int Clamp(std::int64_t v) {
  if (v > 2147483647LL) return 2147483647;
  if (v < -2147483647LL - 1) return -2147483647 - 1;
  return static_cast<int>(v);
}
inline int Add(int a, int b) { return Clamp(static_cast<std::int64_t>(a) + b); }
inline int Sub(int a, int b) { return Clamp(static_cast<std::int64_t>(a) - b); }
// |a - b| / 2, the half size of a span.
inline int HalfSpan(int a, int b) {
  const std::int64_t d = static_cast<std::int64_t>(a) - b;
  return Clamp((d < 0 ? -d : d) / 2);
}

}  // namespace sat
