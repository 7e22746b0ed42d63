// Mask scoring of a QR Code symbol. The symbol is held as bit lines, one per row and one per
// column, so that each rule looks at many modules per machine word.
#pragma once

#include <cstdint>

namespace qr {

// One row or column of up to 177 modules: module k at bit k + 1. Bit 0 and every bit after the
// last module stay light, so the symbol's edge reads as a light module.
constexpr int kLineWords = 3;
struct Line {
  std::uint64_t w[kLineWords];
};

// A run of kRunMinLength or more modules of one colour scores its length minus kRunDiscount.
constexpr int kRunMinLength = 6;
constexpr int kRunDiscount = 2;
// Each 2 x 2 block of one colour.
constexpr int kBlockWeight = 3;
// Each dark-light-dark-light-dark pattern of widths 1:1:3:1:1 with a light module or the edge on
// either side.
constexpr int kFinderWeight = 40;
// Each full 5 percent by which the light share strays from one half.
constexpr int kBalanceWeight = 10;

// Runs along every given line (rows or columns) of a symbol of side n.
int RunPenalty(const Line* lines, int n);
// 2 x 2 blocks of one colour, over the rows of a symbol of side n.
int BlockPenalty(const Line* rows, int n);
// Finder-like patterns along every given line.
int FinderPenalty(const Line* lines, int n);
// The dark-light balance of a symbol of side n with darkCount dark modules.
int BalancePenalty(int darkCount, int n);
// Dark modules over the given lines.
int DarkCount(const Line* lines, int n);

// The whole score: the line rules along rows and columns, blocks and balance.
int SymbolPenalty(const Line* rows, const Line* columns, int n);

}  // namespace qr
