#include "render/qr_penalty.h"

#include <bit>

namespace qr {

namespace {

inline Line And(const Line& a, const Line& b) {
  return {{a.w[0] & b.w[0], a.w[1] & b.w[1], a.w[2] & b.w[2]}};
}

inline Line AndNot(const Line& a, const Line& b) {
  return {{a.w[0] & ~b.w[0], a.w[1] & ~b.w[1], a.w[2] & ~b.w[2]}};
}

// Bits where a and b agree.
inline Line Same(const Line& a, const Line& b) {
  return {{~(a.w[0] ^ b.w[0]), ~(a.w[1] ^ b.w[1]), ~(a.w[2] ^ b.w[2])}};
}

// Bit k of the result is bit k + S of a.
template <int S>
inline Line Down(const Line& a) {
  static_assert(S > 0 && S < 64);
  return {{a.w[0] >> S | a.w[1] << (64 - S), a.w[1] >> S | a.w[2] << (64 - S), a.w[2] >> S}};
}

// Bit k of the result is bit k - 1 of a.
inline Line Up1(const Line& a) { return {{a.w[0] << 1, a.w[1] << 1 | a.w[0] >> 63, a.w[2] << 1 | a.w[1] >> 63}}; }

inline int Count(const Line& a) {
  return std::popcount(a.w[0]) + std::popcount(a.w[1]) + std::popcount(a.w[2]);
}

// Bits first to last, both included.
Line Range(int first, int last) {
  Line r{};
  for (int b = first; b <= last; ++b) r.w[b >> 6] |= std::uint64_t{1} << (b & 63);
  return r;
}

}  // namespace

int RunPenalty(const Line* lines, int n) {
  // A run of length L >= 6 holds L - 5 windows of six equal modules and scores L - 2, that is
  // one per window and 3 more at its start.
  static_assert(kRunMinLength == 6, "the windows below are six modules wide");
  constexpr int kPerRunStart = kRunMinLength - 1 - kRunDiscount;
  const Line pairs = Range(1, n - 1);  // module k - 1 beside module k
  int windows = 0, starts = 0;
  for (int i = 0; i < n; ++i) {
    const Line& x = lines[i];
    const Line equal = And(Same(x, Down<1>(x)), pairs);
    const Line six = And(And(equal, Down<1>(equal)), And(And(Down<2>(equal), Down<3>(equal)), Down<4>(equal)));
    windows += Count(six);
    starts += Count(AndNot(six, Up1(equal)));
  }
  return windows + kPerRunStart * starts;
}

int BlockPenalty(const Line* rows, int n) {
  const Line pairs = Range(1, n - 1);
  int blocks = 0;
  for (int r = 0; r + 1 < n; ++r) {
    const Line& x = rows[r];
    const Line vertical = Same(x, rows[r + 1]);
    const Line horizontal = And(Same(x, Down<1>(x)), pairs);
    blocks += Count(And(And(vertical, Down<1>(vertical)), horizontal));
  }
  return kBlockWeight * blocks;
}

int FinderPenalty(const Line* lines, int n) {
  // Light, dark, light, dark x 3, light, dark, light, starting one bit before the pattern's first
  // module; the light bits at either end may be the edge.
  int patterns = 0;
  for (int i = 0; i < n; ++i) {
    const Line& x = lines[i];
    const Line dark = And(And(And(Down<1>(x), Down<3>(x)), And(Down<4>(x), Down<5>(x))), Down<7>(x));
    Line light = x;
    for (int k = 0; k < kLineWords; ++k)
      light.w[k] |= Down<2>(x).w[k] | Down<6>(x).w[k] | Down<8>(x).w[k];
    patterns += Count(AndNot(dark, light));
  }
  return kFinderWeight * patterns;
}

int BalancePenalty(int darkCount, int n) {
  const int modules = n * n;
  const int lightPercent = (modules - darkCount) * 100 / modules;
  const int off = lightPercent > 50 ? lightPercent - 50 : 50 - lightPercent;
  return off / 5 * kBalanceWeight;
}

int DarkCount(const Line* lines, int n) {
  int dark = 0;
  for (int i = 0; i < n; ++i) dark += Count(lines[i]);
  return dark;
}

int SymbolPenalty(const Line* rows, const Line* columns, int n) {
  if (n <= 0) return 0;
  return RunPenalty(rows, n) + RunPenalty(columns, n) + BlockPenalty(rows, n) + FinderPenalty(rows, n) +
         FinderPenalty(columns, n) + BalancePenalty(DarkCount(rows, n), n);
}

}  // namespace qr
