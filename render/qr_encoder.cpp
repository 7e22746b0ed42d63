#include "render/qr_encoder.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "platform/gdi/gdi.h"
#include "render/qr_penalty.h"

namespace {

// Check codewords per block of the longest Reed-Solomon code.
constexpr int kMaxEcc = 30;

// Error-correction blocks of one level. The blocks of the second group carry one data codeword
// more than those of the first; every block of the level has the same count of check codewords.
struct LevelBlocks {
  int eccPerBlock;
  int shortBlocks;
  int shortData;  // data codewords in each block of the first group
  int longBlocks;

  constexpr int Blocks() const { return shortBlocks + longBlocks; }
  constexpr int DataCodewords() const { return shortBlocks * shortData + longBlocks * (shortData + 1); }
  constexpr int TotalCodewords() const { return DataCodewords() + Blocks() * eccPerBlock; }
};

struct VersionRow {
  int number;
  // Row and column centres of the alignment patterns; 0 after the last.
  std::array<int, 7> alignment;
  // By level L, M, Q, H.
  std::array<LevelBlocks, 4> levels;
};

// Per version: number, alignment centres, then for L, M, Q and H {check codewords per block,
// blocks of the first group, data codewords in each of them, blocks of the second group}.
constexpr VersionRow kVersions[41] = {
    {0, {}, {}},
    {1, {}, {{{7, 1, 19, 0}, {10, 1, 16, 0}, {13, 1, 13, 0}, {17, 1, 9, 0}}}},
    {2, {6, 18}, {{{10, 1, 34, 0}, {16, 1, 28, 0}, {22, 1, 22, 0}, {28, 1, 16, 0}}}},
    {3, {6, 22}, {{{15, 1, 55, 0}, {26, 1, 44, 0}, {18, 2, 17, 0}, {22, 2, 13, 0}}}},
    {4, {6, 26}, {{{20, 1, 80, 0}, {18, 2, 32, 0}, {26, 2, 24, 0}, {16, 4, 9, 0}}}},
    {5, {6, 30}, {{{26, 1, 108, 0}, {24, 2, 43, 0}, {18, 2, 15, 2}, {22, 2, 11, 2}}}},
    {6, {6, 34}, {{{18, 2, 68, 0}, {16, 4, 27, 0}, {24, 4, 19, 0}, {28, 4, 15, 0}}}},
    {7, {6, 22, 38}, {{{20, 2, 78, 0}, {18, 4, 31, 0}, {18, 2, 14, 4}, {26, 4, 13, 1}}}},
    {8, {6, 24, 42}, {{{24, 2, 97, 0}, {22, 2, 38, 2}, {22, 4, 18, 2}, {26, 4, 14, 2}}}},
    {9, {6, 26, 46}, {{{30, 2, 116, 0}, {22, 3, 36, 2}, {20, 4, 16, 4}, {24, 4, 12, 4}}}},
    {10, {6, 28, 50}, {{{18, 2, 68, 2}, {26, 4, 43, 1}, {24, 6, 19, 2}, {28, 6, 15, 2}}}},
    {11, {6, 30, 54}, {{{20, 4, 81, 0}, {30, 1, 50, 4}, {28, 4, 22, 4}, {24, 3, 12, 8}}}},
    {12, {6, 32, 58}, {{{24, 2, 92, 2}, {22, 6, 36, 2}, {26, 4, 20, 6}, {28, 7, 14, 4}}}},
    {13, {6, 34, 62}, {{{26, 4, 107, 0}, {22, 8, 37, 1}, {24, 8, 20, 4}, {22, 12, 11, 4}}}},
    {14, {6, 26, 46, 66}, {{{30, 3, 115, 1}, {24, 4, 40, 5}, {20, 11, 16, 5}, {24, 11, 12, 5}}}},
    {15, {6, 26, 48, 70}, {{{22, 5, 87, 1}, {24, 5, 41, 5}, {30, 5, 24, 7}, {24, 11, 12, 7}}}},
    {16, {6, 26, 50, 74}, {{{24, 5, 98, 1}, {28, 7, 45, 3}, {24, 15, 19, 2}, {30, 3, 15, 13}}}},
    {17, {6, 30, 54, 78}, {{{28, 1, 107, 5}, {28, 10, 46, 1}, {28, 1, 22, 15}, {28, 2, 14, 17}}}},
    {18, {6, 30, 56, 82}, {{{30, 5, 120, 1}, {26, 9, 43, 4}, {28, 17, 22, 1}, {28, 2, 14, 19}}}},
    {19, {6, 30, 58, 86}, {{{28, 3, 113, 4}, {26, 3, 44, 11}, {26, 17, 21, 4}, {26, 9, 13, 16}}}},
    {20, {6, 34, 62, 90}, {{{28, 3, 107, 5}, {26, 3, 41, 13}, {30, 15, 24, 5}, {28, 15, 15, 10}}}},
    {21, {6, 28, 50, 72, 94}, {{{28, 4, 116, 4}, {26, 17, 42, 0}, {28, 17, 22, 6}, {30, 19, 16, 6}}}},
    {22, {6, 26, 50, 74, 98}, {{{28, 2, 111, 7}, {28, 17, 46, 0}, {30, 7, 24, 16}, {24, 34, 13, 0}}}},
    {23, {6, 30, 54, 78, 102}, {{{30, 4, 121, 5}, {28, 4, 47, 14}, {30, 11, 24, 14}, {30, 16, 15, 14}}}},
    {24, {6, 28, 54, 80, 106}, {{{30, 6, 117, 4}, {28, 6, 45, 14}, {30, 11, 24, 16}, {30, 30, 16, 2}}}},
    {25, {6, 32, 58, 84, 110}, {{{26, 8, 106, 4}, {28, 8, 47, 13}, {30, 7, 24, 22}, {30, 22, 15, 13}}}},
    {26, {6, 30, 58, 86, 114}, {{{28, 10, 114, 2}, {28, 19, 46, 4}, {28, 28, 22, 6}, {30, 33, 16, 4}}}},
    {27, {6, 34, 62, 90, 118}, {{{30, 8, 122, 4}, {28, 22, 45, 3}, {30, 8, 23, 26}, {30, 12, 15, 28}}}},
    {28, {6, 26, 50, 74, 98, 122}, {{{30, 3, 117, 10}, {28, 3, 45, 23}, {30, 4, 24, 31}, {30, 11, 15, 31}}}},
    {29, {6, 30, 54, 78, 102, 126}, {{{30, 7, 116, 7}, {28, 21, 45, 7}, {30, 1, 23, 37}, {30, 19, 15, 26}}}},
    {30, {6, 26, 52, 78, 104, 130}, {{{30, 5, 115, 10}, {28, 19, 47, 10}, {30, 15, 24, 25}, {30, 23, 15, 25}}}},
    {31, {6, 30, 56, 82, 108, 134}, {{{30, 13, 115, 3}, {28, 2, 46, 29}, {30, 42, 24, 1}, {30, 23, 15, 28}}}},
    {32, {6, 34, 60, 86, 112, 138}, {{{30, 17, 115, 0}, {28, 10, 46, 23}, {30, 10, 24, 35}, {30, 19, 15, 35}}}},
    {33, {6, 30, 58, 86, 114, 142}, {{{30, 17, 115, 1}, {28, 14, 46, 21}, {30, 29, 24, 19}, {30, 11, 15, 46}}}},
    {34, {6, 34, 62, 90, 118, 146}, {{{30, 13, 115, 6}, {28, 14, 46, 23}, {30, 44, 24, 7}, {30, 59, 16, 1}}}},
    {35, {6, 30, 54, 78, 102, 126, 150}, {{{30, 12, 121, 7}, {28, 12, 47, 26}, {30, 39, 24, 14}, {30, 22, 15, 41}}}},
    {36, {6, 24, 50, 76, 102, 128, 154}, {{{30, 6, 121, 14}, {28, 6, 47, 34}, {30, 46, 24, 10}, {30, 2, 15, 64}}}},
    {37, {6, 28, 54, 80, 106, 132, 158}, {{{30, 17, 122, 4}, {28, 29, 46, 14}, {30, 49, 24, 10}, {30, 24, 15, 46}}}},
    {38, {6, 32, 58, 84, 110, 136, 162}, {{{30, 4, 122, 18}, {28, 13, 46, 32}, {30, 48, 24, 14}, {30, 42, 15, 32}}}},
    {39, {6, 26, 54, 82, 110, 138, 166}, {{{30, 20, 117, 4}, {28, 40, 47, 7}, {30, 43, 24, 22}, {30, 10, 15, 67}}}},
    {40, {6, 30, 58, 86, 114, 142, 170}, {{{30, 19, 118, 6}, {28, 18, 47, 31}, {30, 34, 24, 34}, {30, 20, 15, 61}}}},
};

// The codewords a version holds: every module that no function pattern or format and version
// area takes, eight to a codeword (the remainder bits are left over).
constexpr int RawCodewords(int version) {
  int modules = (16 * version + 128) * version + 64;
  if (version >= 2) {
    const int align = version / 7 + 2;
    modules -= (25 * align - 10) * align - 55;
  }
  if (version >= 7) modules -= 36;
  return modules / 8;
}

constexpr bool VersionTableConsistent() {
  for (int v = 1; v <= 40; ++v) {
    const VersionRow& row = kVersions[v];
    if (row.number != v) return false;
    for (const LevelBlocks& level : row.levels)
      if (level.TotalCodewords() != RawCodewords(v) || level.eccPerBlock > kMaxEcc) return false;
    // As many centres as the version's alignment grid is wide, the first at 6, the last 7 from
    // the far edge.
    const int count = v == 1 ? 0 : v / 7 + 2;
    for (int i = 0; i < 7; ++i)
      if ((row.alignment[i] != 0) != (i < count)) return false;
    if (count > 0 && (row.alignment[0] != 6 || row.alignment[count - 1] != 4 * v + 10)) return false;
  }
  return true;
}
static_assert(VersionTableConsistent(), "the version table disagrees with the symbol geometry");

// GF(256) over x^8 + x^4 + x^3 + x^2 + 1.
struct GaloisTables {
  std::array<BYTE, 256> exp{};
  std::array<BYTE, 256> log{};
};

constexpr GaloisTables MakeGaloisTables() {
  GaloisTables t;
  int x = 1;
  for (int i = 0; i < 255; ++i) {
    t.exp[i] = static_cast<BYTE>(x);
    t.log[x] = static_cast<BYTE>(i);
    x <<= 1;
    if (x & 0x100) x ^= 0x11D;
  }
  t.exp[255] = t.exp[0];
  return t;
}

constexpr GaloisTables kGf = MakeGaloisTables();

// Generator polynomials (x - a^0)(x - a^1)...(x - a^(n-1)) for every length n up to 30, as
// exponents of a; entry 0 is the leading coefficient (always a^0).
struct GeneratorTable {
  std::array<std::array<BYTE, kMaxEcc + 1>, kMaxEcc + 1> exps{};
};

constexpr GeneratorTable MakeGenerators() {
  GeneratorTable g;
  for (int n = 1; n <= kMaxEcc; ++n) {
    std::array<int, kMaxEcc + 1> coef{};  // coefficient values, highest degree first
    coef[0] = 1;
    int degree = 0;
    for (int i = 0; i < n; ++i) {
      // multiply by (x + a^i)
      std::array<int, kMaxEcc + 1> next{};
      for (int k = 0; k <= degree; ++k) {
        next[k] ^= coef[k];
        if (coef[k] != 0) next[k + 1] ^= kGf.exp[(kGf.log[coef[k]] + i) % 255];
      }
      coef = next;
      ++degree;
    }
    for (int k = 0; k <= n; ++k) g.exps[n][k] = kGf.log[coef[k]];
  }
  return g;
}

constexpr GeneratorTable kGenerators = MakeGenerators();

// Character-count-indicator widths per version group (1-9, 10-26, 27-40), by mode.
const int kCountBits[3][4] = {{10, 9, 8, 8}, {12, 11, 16, 10}, {14, 13, 16, 12}};

struct SegmentThresholds {
  int byteToNumeric;
  int byteToAlnum;
  int alnumToNumeric;
  int alnumStart;
  int numericStart;
  int numericLookAhead;
};
const SegmentThresholds kThresholds[3] = {
    {6, 11, 13, 6, 4, 7}, {8, 15, 15, 7, 4, 8}, {9, 16, 17, 8, 5, 9}};

const int kGroupFirst[3] = {1, 10, 27};
const int kGroupLast[3] = {9, 26, 40};

// Level bits in the format information, by level L, M, Q, H.
const int kLevelBits[4] = {1, 0, 3, 2};

inline unsigned char U(char c) { return static_cast<unsigned char>(c); }

// The remainder of value * x^(generatorBits - 1) divided by the generator (BCH check bits).
int Bch(int value, int generator, int generatorBits) {
  int r = value << (generatorBits - 1);
  for (int bit = 30; bit >= generatorBits - 1; --bit)
    if (r & (1 << bit)) r ^= generator << (bit - (generatorBits - 1));
  return r;
}

constexpr bool MaskCondition(int mask, int row, int column) {
  const int i = row, j = column;
  switch (mask) {
    case 0: return (i + j) % 2 == 0;
    case 1: return i % 2 == 0;
    case 2: return j % 3 == 0;
    case 3: return (i + j) % 3 == 0;
    case 4: return (i / 2 + j / 3) % 2 == 0;
    case 5: return (i * j) % 2 + (i * j) % 3 == 0;
    case 6: return ((i * j) % 2 + (i * j) % 3) % 2 == 0;
    default: return ((i * j) % 3 + (i + j) % 2) % 2 == 0;
  }
}

// Every mask repeats after 12 rows and after 12 columns, so twelve lines per mask and direction
// cover any symbol: row r takes rows[r % 12], column c takes columns[c % 12].
constexpr int kMaskPeriod = 12;
static_assert(qr::kLineWords * 64 >= CQrEncoder::kMaxModules + 2, "a line holds a row and its light edges");
struct MaskLines {
  qr::Line rows[8][kMaskPeriod];
  qr::Line columns[8][kMaskPeriod];
};

constexpr MaskLines MakeMaskLines() {
  MaskLines t{};
  for (int m = 0; m < 8; ++m) {
    for (int line = 0; line < kMaskPeriod; ++line) {
      for (int k = 0; k < CQrEncoder::kMaxModules; ++k) {
        const std::uint64_t bit = std::uint64_t{1} << ((k + 1) & 63);
        if (MaskCondition(m, line, k)) t.rows[m][line].w[(k + 1) >> 6] |= bit;
        if (MaskCondition(m, k, line)) t.columns[m][line].w[(k + 1) >> 6] |= bit;
      }
    }
  }
  return t;
}

constexpr MaskLines kMaskLines = MakeMaskLines();

inline bool LineBit(const qr::Line& line, int k) { return (line.w[(k + 1) >> 6] >> ((k + 1) & 63)) & 1; }
inline void SetLineBit(qr::Line& line, int k) { line.w[(k + 1) >> 6] |= std::uint64_t{1} << ((k + 1) & 63); }

}  // namespace

CQrEncoder::CQrEncoder() = default;

CQrEncoder::~CQrEncoder() { DeleteSymbol(); }

void CQrEncoder::DeleteSymbol() {
  if (!m_pDC) return;
  m_pDC->SelectObject(m_pOldBitmap);
  m_pOldBitmap = nullptr;
  if (m_pBitmap) m_pBitmap->DeleteObject();
  delete m_pBitmap;
  m_pBitmap = nullptr;
  m_pDC->DeleteDC();
  delete m_pDC;
  m_pDC = nullptr;
}

int CQrEncoder::Encode(int level, CString text) { return CreateSymbolBitmap(level, 0, 1, -1, text); }

int CQrEncoder::CreateSymbolBitmap(int level, int version, int allowGrowth, int mask, CString text) {
  m_bEncoded = EncodeData(level, version, allowGrowth, mask, text.c_str(), text.GetLength());
  if (!m_bEncoded) return 0;

  const int side = m_nModuleCount + 2 * kQuietZone;
  auto* bitmap = new CBitmap;
  auto* dc = new CDC;
  CBitmap* old = nullptr;
  if (!bitmap->CreateBitmap(side, side, 1, 1, nullptr) || !dc->CreateCompatibleDC(nullptr) ||
      (old = dc->SelectObject(bitmap)) == nullptr) {
    // Keep the previous symbol when the new one cannot be made.
    dc->DeleteDC();
    delete dc;
    bitmap->DeleteObject();
    delete bitmap;
    m_bEncoded = 0;
    return 0;
  }
  DeleteSymbol();
  m_pDC = dc;
  m_pBitmap = bitmap;
  m_pOldBitmap = old;
  m_nSymbolSide = side;

  m_pDC->PatBlt(0, 0, side, side, WHITENESS);
  for (int c = 0; c < m_nModuleCount; ++c)
    for (int r = 0; r < m_nModuleCount; ++r)
      if (m_byModule[c][r]) m_pDC->SetPixel(c + kQuietZone, r + kQuietZone, RGB(0, 0, 0));
  return 1;
}

int CQrEncoder::GetModule(int column, int row) const {
  if (column < 0 || row < 0 || column >= m_nModuleCount || row >= m_nModuleCount) return 0;
  return m_byModule[column][row] ? 1 : 0;
}

int CQrEncoder::EncodeData(int level, int version, int allowGrowth, int mask, const char* text,
                           int length) {
  // Out-of-range arguments would index past the tables and the matrix.
  if (level < 0 || level > 3 || version < -1 || version > 40 || mask < -1 || mask > 7 || !text)
    return 0;
  m_nLevel = level;
  m_nMask = mask;
  if (length <= 0) length = static_cast<int>(std::strlen(text));
  if (length <= 0) return 0;

  int v = GetMinVersion(version, text, length);
  if (v == 0) return 0;
  if (version > 0) {
    if (version >= v)
      v = version;
    else if (!allowGrowth)
      return 0;
  }
  m_nVersion = v;
  const LevelBlocks& blocks = kVersions[v].levels[level];
  const int dataCodewords = blocks.DataCodewords();
  const int capacityBits = dataCodewords * 8;

  const int terminator = capacityBits - m_nBitCount < 4 ? capacityBits - m_nBitCount : 4;
  if (terminator > 0) m_nBitCount = AppendBits(m_nBitCount, 0, terminator);
  BYTE pad = 0xEC;
  for (int i = (m_nBitCount + 7) / 8; i < dataCodewords; ++i) {
    m_byData[i] = pad;
    pad = pad == 0xEC ? 0x11 : 0xEC;
  }

  // Blocks: the short ones then the long ones, whose last data codeword comes after all others.
  const int blockCount = blocks.Blocks();
  const int shortData = blocks.shortData;
  const int eccLength = blocks.eccPerBlock;
  auto blockData = [&](int b) { return b < blocks.shortBlocks ? shortData : shortData + 1; };
  m_nTotalCodewords = blocks.TotalCodewords();

  int out = 0;
  for (int k = 0; k < shortData; ++k) {
    int start = 0;
    for (int b = 0; b < blockCount; ++b) {
      m_byCodewords[out++] = m_byData[start + k];
      start += blockData(b);
    }
  }
  {
    int start = blocks.shortBlocks * shortData;
    for (int b = 0; b < blocks.longBlocks; ++b) {
      m_byCodewords[out++] = m_byData[start + shortData];
      start += shortData + 1;
    }
  }
  BYTE ecc[kMaxEcc];
  int start = 0;
  for (int b = 0; b < blockCount; ++b) {
    const int n = blockData(b);
    ComputeEcc(m_byData + start, n, eccLength, ecc);
    for (int k = 0; k < eccLength; ++k) m_byCodewords[dataCodewords + k * blockCount + b] = ecc[k];
    start += n;
  }

  m_nModuleCount = 4 * v + 17;
  BuildMatrix();
  return 1;
}

int CQrEncoder::GetMinVersion(int requested, const char* text, int length) {
  int group = requested >= 27 ? 2 : requested >= 10 ? 1 : 0;
  for (; group < 3; ++group) {
    if (!EncodeSegments(text, length, group)) continue;
    const int bytes = (m_nBitCount + 7) / 8;
    for (int v = kGroupFirst[group]; v <= kGroupLast[group]; ++v)
      if (kVersions[v].levels[m_nLevel].DataCodewords() >= bytes) return v;
  }
  return 0;
}

bool CQrEncoder::IsNumeric(char c) { return c >= '0' && c <= '9'; }

bool CQrEncoder::IsAlphanumeric(char c) {
  return IsNumeric(c) || (c >= 'A' && c <= 'Z') || c == ' ' || c == '$' || c == '%' || c == '*' ||
         c == '+' || c == '-' || c == '.' || c == '/' || c == ':';
}

bool CQrEncoder::IsKanji(char lead, char trail) {
  const unsigned char l = U(lead), t = U(trail);
  if (!((l >= 0x81 && l <= 0x9F) || (l >= 0xE0 && l <= 0xEB))) return false;
  if (t < 0x40) return false;
  if (l == 0x9F && t > 0xFC) return false;
  // Above 0xEBBF the value would not fit in 13 bits.
  if (l == 0xEB && t >= 0xC0) return false;
  return true;
}

int CQrEncoder::AlphanumericValue(char c) {
  if (IsNumeric(c)) return c - '0';
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  switch (c) {
    case ' ': return 36;
    case '$': return 37;
    case '%': return 38;
    case '*': return 39;
    case '+': return 40;
    case '-': return 41;
    case '.': return 42;
    case '/': return 43;
    default: return 44;
  }
}

int CQrEncoder::KanjiValue(char lead, char trail) {
  const WORD code = static_cast<WORD>((U(lead) << 8) | U(trail));
  const WORD v = static_cast<WORD>(code >= 0x8140 && code <= 0x9FFC ? code - 0x8140 : code - 0xC140);
  return (v >> 8) * 0xC0 + (v & 0xFF);
}

int CQrEncoder::GetRunLength(const char* text, int length, int cls) {
  int n = 0;
  switch (cls) {
    case MODE_NUMERIC:
      while (n < length && IsNumeric(text[n])) ++n;
      break;
    case MODE_ALNUM:
      while (n < length && IsAlphanumeric(text[n])) ++n;
      break;
    case MODE_KANJI:
      while (n + 1 < length && IsKanji(text[n], text[n + 1])) n += 2;
      break;
    default:
      break;
  }
  return n;
}

int CQrEncoder::AppendBits(int position, int value, int count) {
  if (position < 0 || position + count > kMaxDataBits) return -1;
  for (int i = count - 1; i >= 0; --i, ++position)
    if ((value >> i) & 1) m_byData[position >> 3] |= static_cast<BYTE>(0x80 >> (position & 7));
  return position;
}

int CQrEncoder::ChooseSegmentMode(const char* text, int length, int group) const {
  const SegmentThresholds& t = kThresholds[group];
  if (length >= 2 && IsKanji(text[0], text[1])) return MODE_KANJI;
  if (!IsAlphanumeric(text[0])) return MODE_8BIT;
  if (IsNumeric(text[0])) {
    const int n = length < t.numericStart ? length : t.numericStart;
    for (int i = 0; i < n; ++i)
      if (!IsAlphanumeric(text[i])) return MODE_8BIT;
    const int m = length < t.numericLookAhead ? length : t.numericLookAhead;
    for (int i = 0; i < m; ++i)
      if (!IsNumeric(text[i]) && IsAlphanumeric(text[i])) return MODE_ALNUM;
    return MODE_NUMERIC;
  }
  const int n = length < t.alnumStart ? length : t.alnumStart;
  for (int i = 0; i < n; ++i)
    if (!IsAlphanumeric(text[i])) return MODE_8BIT;
  return MODE_ALNUM;
}

int CQrEncoder::EncodeSegments(const char* text, int length, int group) {
  std::memset(m_byData, 0, sizeof m_byData);
  m_nBitCount = 0;
  const SegmentThresholds& t = kThresholds[group];
  const int* widths = kCountBits[group];
  int mode = ChooseSegmentMode(text, length, group);
  int pos = 0;
  while (pos < length && m_nBitCount >= 0) {
    const char* s = text + pos;
    const int rest = length - pos;
    int next = -1;
    int used = 0;
    switch (mode) {
      case MODE_8BIT: {
        int n = 1;  // the segment always takes its first byte
        for (; n < rest; ++n) {
          if (rest - n >= 2 && IsKanji(s[n], s[n + 1])) break;
          if (GetRunLength(s + n, rest - n, MODE_NUMERIC) >= t.byteToNumeric) { next = MODE_NUMERIC; break; }
          if (GetRunLength(s + n, rest - n, MODE_ALNUM) >= t.byteToAlnum) { next = MODE_ALNUM; break; }
        }
        m_nBitCount = AppendBits(m_nBitCount, 0x4, 4);
        m_nBitCount = AppendBits(m_nBitCount, n, widths[MODE_8BIT]);
        for (int i = 0; i < n; ++i) m_nBitCount = AppendBits(m_nBitCount, U(s[i]), 8);
        used = n;
        break;
      }
      case MODE_ALNUM: {
        int n = 1;
        for (; n < rest; ++n) {
          if (rest - n >= 2 && IsKanji(s[n], s[n + 1])) break;
          if (!IsAlphanumeric(s[n])) { next = MODE_8BIT; break; }
          if (GetRunLength(s + n, rest - n, MODE_NUMERIC) >= t.alnumToNumeric) { next = MODE_NUMERIC; break; }
        }
        m_nBitCount = AppendBits(m_nBitCount, 0x2, 4);
        m_nBitCount = AppendBits(m_nBitCount, n, widths[MODE_ALNUM]);
        int i = 0;
        for (; i + 1 < n; i += 2)
          m_nBitCount = AppendBits(m_nBitCount, 45 * AlphanumericValue(s[i]) + AlphanumericValue(s[i + 1]), 11);
        if (i < n) m_nBitCount = AppendBits(m_nBitCount, AlphanumericValue(s[i]), 6);
        used = n;
        break;
      }
      case MODE_NUMERIC: {
        int n = 1;
        for (; n < rest; ++n) {
          if (rest - n >= 2 && IsKanji(s[n], s[n + 1])) break;
          if (!IsAlphanumeric(s[n])) { next = MODE_8BIT; break; }
          if (!IsNumeric(s[n])) { next = MODE_ALNUM; break; }
        }
        m_nBitCount = AppendBits(m_nBitCount, 0x1, 4);
        m_nBitCount = AppendBits(m_nBitCount, n, widths[MODE_NUMERIC]);
        int i = 0;
        for (; i + 2 < n; i += 3)
          m_nBitCount = AppendBits(m_nBitCount, (s[i] - '0') * 100 + (s[i + 1] - '0') * 10 + (s[i + 2] - '0'), 10);
        if (n - i == 2)
          m_nBitCount = AppendBits(m_nBitCount, (s[i] - '0') * 10 + (s[i + 1] - '0'), 7);
        else if (n - i == 1)
          m_nBitCount = AppendBits(m_nBitCount, s[i] - '0', 4);
        used = n;
        break;
      }
      default: {
        const int bytes = GetRunLength(s, rest, MODE_KANJI);
        m_nBitCount = AppendBits(m_nBitCount, 0x8, 4);
        m_nBitCount = AppendBits(m_nBitCount, bytes / 2, widths[MODE_KANJI]);
        for (int i = 0; i < bytes; i += 2) m_nBitCount = AppendBits(m_nBitCount, KanjiValue(s[i], s[i + 1]), 13);
        used = bytes;
        break;
      }
    }
    pos += used;
    if (pos < length) mode = next >= 0 ? next : ChooseSegmentMode(text + pos, length - pos, group);
  }
  return m_nBitCount >= 0 ? 1 : 0;
}

void CQrEncoder::ComputeEcc(const BYTE* data, int dataLength, int eccLength, BYTE* ecc) {
  // The remainder register: data(x) * x^eccLength mod g(x), one data codeword per step.
  const auto& gen = kGenerators.exps[eccLength];
  std::memset(m_byEccWork, 0, sizeof m_byEccWork);
  BYTE* reg = m_byEccWork;
  for (int i = 0; i < dataLength; ++i) {
    const BYTE factor = data[i] ^ reg[0];
    std::memmove(reg, reg + 1, eccLength - 1);
    reg[eccLength - 1] = 0;
    if (factor != 0) {
      const int lf = kGf.log[factor];
      for (int k = 0; k < eccLength; ++k) reg[k] ^= kGf.exp[(gen[k + 1] + lf) % 255];
    }
  }
  std::memcpy(ecc, reg, eccLength);
}

void CQrEncoder::SetFunction(int column, int row, bool dark) {
  m_byModule[column][row] = dark ? (MOD_FUNCTION | MOD_FUNC_DARK) : MOD_FUNCTION;
}

void CQrEncoder::BuildMatrix() {
  std::memset(m_byModule, 0, sizeof m_byModule);
  PlaceFunctionPatterns();
  PlaceCodewords();
  const int mask = m_nMask >= 0 ? m_nMask : ChooseMask();
  ApplyMask(mask);
  PlaceFormatInfo(mask);
  const int n = m_nModuleCount;
  for (int c = 0; c < n; ++c)
    for (int r = 0; r < n; ++r)
      m_byModule[c][r] = (m_byModule[c][r] & (MOD_DARK | MOD_FUNC_DARK)) ? 1 : 0;
}

int CQrEncoder::ChooseMask() const {
  // The matrix is split once into what no mask changes (function modules) and what every mask
  // flips (data modules); each mask then only recombines lines.
  const int n = m_nModuleCount;
  qr::Line fixedRows[kMaxModules] = {}, dataRows[kMaxModules] = {}, freeRows[kMaxModules] = {};
  qr::Line fixedColumns[kMaxModules] = {}, dataColumns[kMaxModules] = {}, freeColumns[kMaxModules] = {};
  for (int c = 0; c < n; ++c) {
    for (int r = 0; r < n; ++r) {
      const BYTE m = m_byModule[c][r];
      if (m & MOD_FUNCTION) {
        if (m & MOD_FUNC_DARK) {
          SetLineBit(fixedRows[r], c);
          SetLineBit(fixedColumns[c], r);
        }
        continue;
      }
      SetLineBit(freeRows[r], c);
      SetLineBit(freeColumns[c], r);
      if (m & MOD_DATA) {
        SetLineBit(dataRows[r], c);
        SetLineBit(dataColumns[c], r);
      }
    }
  }
  auto compose = [](const qr::Line& fixed, const qr::Line& data, const qr::Line& free, const qr::Line& mask) {
    qr::Line out;
    for (int k = 0; k < qr::kLineWords; ++k) out.w[k] = fixed.w[k] | (data.w[k] ^ (mask.w[k] & free.w[k]));
    return out;
  };
  qr::Line rows[kMaxModules], columns[kMaxModules];
  int best = 0, bestScore = 0;
  for (int m = 0; m < 8; ++m) {
    for (int i = 0; i < n; ++i) {
      rows[i] = compose(fixedRows[i], dataRows[i], freeRows[i], kMaskLines.rows[m][i % kMaskPeriod]);
      columns[i] = compose(fixedColumns[i], dataColumns[i], freeColumns[i], kMaskLines.columns[m][i % kMaskPeriod]);
    }
    // The first of equal scores wins.
    const int score = qr::SymbolPenalty(rows, columns, n);
    if (m == 0 || score < bestScore) {
      bestScore = score;
      best = m;
    }
  }
  return best;
}

void CQrEncoder::PlaceFinderPattern(int column, int row) {
  // The 7 x 7 finder and the light separator ring around it, clipped to the symbol.
  const int n = m_nModuleCount;
  for (int dc = -1; dc <= 7; ++dc) {
    for (int dr = -1; dr <= 7; ++dr) {
      const int c = column + dc, r = row + dr;
      if (c < 0 || r < 0 || c >= n || r >= n) continue;
      const int ring = std::max(std::abs(dc - 3), std::abs(dr - 3));
      SetFunction(c, r, ring != 2 && ring != 4);
    }
  }
}

void CQrEncoder::PlaceAlignmentPattern(int column, int row) {
  for (int dc = -2; dc <= 2; ++dc)
    for (int dr = -2; dr <= 2; ++dr)
      SetFunction(column + dc, row + dr, std::max(std::abs(dc), std::abs(dr)) != 1);
}

void CQrEncoder::PlaceFunctionPatterns() {
  const int n = m_nModuleCount;
  PlaceFinderPattern(0, 0);
  PlaceFinderPattern(n - 7, 0);
  PlaceFinderPattern(0, n - 7);
  // Format areas, filled in after masking.
  for (int i = 0; i <= 8; ++i) {
    SetFunction(8, i, false);
    SetFunction(i, 8, false);
  }
  for (int i = 0; i < 8; ++i) {
    SetFunction(n - 1 - i, 8, false);
    SetFunction(8, n - 1 - i, false);
  }
  PlaceVersionInfo();
  // Every pair of centres, except the three corners the finders take.
  const std::array<int, 7>& centres = kVersions[m_nVersion].alignment;
  for (int a = 0; a < 7 && centres[a]; ++a)
    for (int b = 0; b < 7 && centres[b]; ++b)
      if (!(m_byModule[centres[a]][centres[b]] & MOD_FUNCTION)) PlaceAlignmentPattern(centres[a], centres[b]);
  for (int i = 8; i <= n - 9; ++i) {
    SetFunction(i, 6, i % 2 == 0);
    SetFunction(6, i, i % 2 == 0);
  }
}

void CQrEncoder::PlaceVersionInfo() {
  if (m_nVersion < 7) return;
  const int n = m_nModuleCount;
  const int info = (m_nVersion << 12) | Bch(m_nVersion, 0x1F25, 13);
  for (int a = 0; a < 6; ++a) {
    for (int b = 0; b < 3; ++b) {
      const bool dark = (info >> (3 * a + b)) & 1;
      SetFunction(a, n - 11 + b, dark);
      SetFunction(n - 11 + b, a, dark);
    }
  }
}

void CQrEncoder::PlaceCodewords() {
  const int n = m_nModuleCount;
  const int totalBits = m_nTotalCodewords * 8;
  int bit = 0;
  bool upward = true;
  for (int right = n - 1; right >= 1; right -= 2) {
    if (right == 6) right = 5;  // the vertical timing pattern is stepped over
    for (int k = 0; k < n; ++k) {
      const int r = upward ? n - 1 - k : k;
      for (int c = right; c >= right - 1; --c) {
        if (m_byModule[c][r] & MOD_FUNCTION) continue;
        if (bit < totalBits && ((m_byCodewords[bit >> 3] >> (7 - (bit & 7))) & 1))
          m_byModule[c][r] |= MOD_DATA;
        ++bit;
      }
    }
    upward = !upward;
  }
}

void CQrEncoder::ApplyMask(int mask) {
  const int n = m_nModuleCount;
  for (int c = 0; c < n; ++c) {
    const qr::Line& pattern = kMaskLines.columns[mask][c % kMaskPeriod];
    for (int r = 0; r < n; ++r) {
      BYTE& m = m_byModule[c][r];
      if (m & MOD_FUNCTION) continue;
      const bool dark = ((m & MOD_DATA) != 0) != LineBit(pattern, r);
      m = static_cast<BYTE>((m & ~MOD_DARK) | (dark ? MOD_DARK : 0));
    }
  }
}

void CQrEncoder::PlaceFormatInfo(int mask) {
  const int n = m_nModuleCount;
  const int data = (kLevelBits[m_nLevel] << 3) | mask;
  const int info = ((data << 10) | Bch(data, 0x537, 11)) ^ 0x5412;
  auto bitAt = [info](int i) { return ((info >> i) & 1) != 0; };
  for (int i = 0; i <= 5; ++i) SetFunction(8, i, bitAt(i));
  SetFunction(8, 7, bitAt(6));
  SetFunction(8, 8, bitAt(7));
  SetFunction(7, 8, bitAt(8));
  for (int i = 9; i < 15; ++i) SetFunction(14 - i, 8, bitAt(i));
  for (int i = 0; i < 8; ++i) SetFunction(n - 1 - i, 8, bitAt(i));
  for (int i = 8; i < 15; ++i) SetFunction(8, n - 15 + i, bitAt(i));
  SetFunction(8, n - 8, true);
}

int CQrEncoder::CountPenalty() const {
  const int n = m_nModuleCount;
  qr::Line rows[kMaxModules] = {}, columns[kMaxModules] = {};
  for (int c = 0; c < n; ++c) {
    for (int r = 0; r < n; ++r) {
      if (m_byModule[c][r] & (MOD_DARK | MOD_FUNC_DARK)) {
        SetLineBit(rows[r], c);
        SetLineBit(columns[c], r);
      }
    }
  }
  return qr::SymbolPenalty(rows, columns, n);
}
