#include "render/qr_encoder.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>

#include "platform/gdi/gdi.h"

namespace {

// Per version: number, total codewords, data codewords L/M/Q/H, count of alignment coordinates
// besides 6, up to six coordinates, then for L/M/Q/H the first block group (blocks, codewords
// per block, data codewords per block), then the second block group in the same form.
enum {
  VT_VERSION = 0, VT_TOTAL = 1, VT_DATA = 2, VT_ALIGN_COUNT = 6, VT_ALIGN = 7,
  VT_GROUP1 = 13, VT_GROUP2 = 25, VT_COLUMNS = 37
};

const int kVersionTable[41][VT_COLUMNS] = {
    {0},
    {1, 26, 19, 16, 13, 9, 0, 0, 0, 0, 0, 0, 0, 1, 26, 19, 1, 26, 16, 1, 26, 13, 1, 26, 9, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {2, 44, 34, 28, 22, 16, 1, 18, 0, 0, 0, 0, 0, 1, 44, 34, 1, 44, 28, 1, 44, 22, 1, 44, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {3, 70, 55, 44, 34, 26, 1, 22, 0, 0, 0, 0, 0, 1, 70, 55, 1, 70, 44, 2, 35, 17, 2, 35, 13, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {4, 100, 80, 64, 48, 36, 1, 26, 0, 0, 0, 0, 0, 1, 100, 80, 2, 50, 32, 2, 50, 24, 4, 25, 9, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {5, 134, 108, 86, 62, 46, 1, 30, 0, 0, 0, 0, 0, 1, 134, 108, 2, 67, 43, 2, 33, 15, 2, 33, 11, 0, 0, 0, 0, 0, 0, 2, 34, 16, 2, 34, 12},
    {6, 172, 136, 108, 76, 60, 1, 34, 0, 0, 0, 0, 0, 2, 86, 68, 4, 43, 27, 4, 43, 19, 4, 43, 15, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {7, 196, 156, 124, 88, 66, 2, 22, 38, 0, 0, 0, 0, 2, 98, 78, 4, 49, 31, 2, 32, 14, 4, 39, 13, 0, 0, 0, 0, 0, 0, 4, 33, 15, 1, 40, 14},
    {8, 242, 194, 154, 110, 86, 2, 24, 42, 0, 0, 0, 0, 2, 121, 97, 2, 60, 38, 4, 40, 18, 4, 40, 14, 0, 0, 0, 2, 61, 39, 2, 41, 19, 2, 41, 15},
    {9, 292, 232, 182, 132, 100, 2, 26, 46, 0, 0, 0, 0, 2, 146, 116, 3, 58, 36, 4, 36, 16, 4, 36, 12, 0, 0, 0, 2, 59, 37, 4, 37, 17, 4, 37, 13},
    {10, 346, 274, 216, 154, 122, 2, 28, 50, 0, 0, 0, 0, 2, 86, 68, 4, 69, 43, 6, 43, 19, 6, 43, 15, 2, 87, 69, 1, 70, 44, 2, 44, 20, 2, 44, 16},
    {11, 404, 324, 254, 180, 140, 2, 30, 54, 0, 0, 0, 0, 4, 101, 81, 1, 80, 50, 4, 50, 22, 3, 36, 12, 0, 0, 0, 4, 81, 51, 4, 51, 23, 8, 37, 13},
    {12, 466, 370, 290, 206, 158, 2, 32, 58, 0, 0, 0, 0, 2, 116, 92, 6, 58, 36, 4, 46, 20, 7, 42, 14, 2, 117, 93, 2, 59, 37, 6, 47, 21, 4, 43, 15},
    {13, 532, 428, 334, 244, 180, 2, 34, 62, 0, 0, 0, 0, 4, 133, 107, 8, 59, 37, 8, 44, 20, 12, 33, 11, 0, 0, 0, 1, 60, 38, 4, 45, 21, 4, 34, 12},
    {14, 581, 461, 365, 261, 197, 3, 26, 46, 66, 0, 0, 0, 3, 145, 115, 4, 64, 40, 11, 36, 16, 11, 36, 12, 1, 146, 116, 5, 65, 41, 5, 37, 17, 5, 37, 13},
    {15, 655, 523, 415, 295, 223, 3, 26, 48, 70, 0, 0, 0, 5, 109, 87, 5, 65, 41, 5, 54, 24, 11, 36, 12, 1, 110, 88, 5, 66, 42, 7, 55, 25, 7, 37, 13},
    {16, 733, 589, 453, 325, 253, 3, 26, 50, 74, 0, 0, 0, 5, 122, 98, 7, 73, 45, 15, 43, 19, 3, 45, 15, 1, 123, 99, 3, 74, 46, 2, 44, 20, 13, 46, 16},
    {17, 815, 647, 507, 367, 283, 3, 30, 54, 78, 0, 0, 0, 1, 135, 107, 10, 74, 46, 1, 50, 22, 2, 42, 14, 5, 136, 108, 1, 75, 47, 15, 51, 23, 17, 43, 15},
    {18, 901, 721, 563, 397, 313, 3, 30, 56, 82, 0, 0, 0, 5, 150, 120, 9, 69, 43, 17, 50, 22, 2, 42, 14, 1, 151, 121, 4, 70, 44, 1, 51, 23, 19, 43, 15},
    {19, 991, 795, 627, 445, 341, 3, 30, 58, 86, 0, 0, 0, 3, 141, 113, 3, 70, 44, 17, 47, 21, 9, 39, 13, 4, 142, 114, 11, 71, 45, 4, 48, 22, 16, 40, 14},
    {20, 1085, 861, 669, 485, 385, 3, 34, 62, 90, 0, 0, 0, 3, 135, 107, 3, 67, 41, 15, 54, 24, 15, 43, 15, 5, 136, 108, 13, 68, 42, 5, 55, 25, 10, 44, 16},
    {21, 1156, 932, 714, 512, 406, 4, 28, 50, 72, 94, 0, 0, 4, 144, 116, 17, 68, 42, 17, 50, 22, 19, 46, 16, 4, 145, 117, 0, 0, 0, 6, 51, 23, 6, 47, 17},
    {22, 1258, 1006, 782, 568, 442, 4, 26, 50, 74, 98, 0, 0, 2, 139, 111, 17, 74, 46, 7, 54, 24, 34, 37, 13, 7, 140, 112, 0, 0, 0, 16, 55, 25, 0, 0, 0},
    {23, 1364, 1094, 860, 614, 464, 4, 30, 54, 78, 102, 0, 0, 4, 151, 121, 4, 75, 47, 11, 54, 24, 16, 45, 15, 5, 152, 122, 14, 76, 48, 14, 55, 25, 14, 46, 16},
    {24, 1474, 1174, 914, 664, 514, 4, 28, 54, 80, 106, 0, 0, 6, 147, 117, 6, 73, 45, 11, 54, 24, 30, 46, 16, 4, 148, 118, 14, 74, 46, 16, 55, 25, 2, 47, 17},
    {25, 1588, 1276, 1000, 718, 538, 4, 32, 58, 84, 110, 0, 0, 8, 132, 106, 8, 75, 47, 7, 54, 24, 22, 45, 15, 4, 133, 107, 13, 76, 48, 22, 55, 25, 13, 46, 16},
    {26, 1706, 1370, 1062, 754, 596, 4, 30, 58, 86, 114, 0, 0, 10, 142, 114, 19, 74, 46, 28, 50, 22, 33, 46, 16, 2, 143, 115, 4, 75, 47, 6, 51, 23, 4, 47, 17},
    {27, 1828, 1468, 1128, 808, 628, 4, 34, 62, 90, 118, 0, 0, 8, 152, 122, 22, 73, 45, 8, 53, 23, 12, 45, 15, 4, 153, 123, 3, 74, 46, 26, 54, 24, 28, 46, 16},
    {28, 1921, 1531, 1193, 871, 661, 5, 26, 50, 74, 98, 122, 0, 3, 147, 117, 3, 73, 45, 4, 54, 24, 11, 45, 15, 10, 148, 118, 23, 74, 46, 31, 55, 25, 31, 46, 16},
    {29, 2051, 1631, 1267, 911, 701, 5, 30, 54, 78, 102, 126, 0, 7, 146, 116, 21, 73, 45, 1, 53, 23, 19, 45, 15, 7, 147, 117, 7, 74, 46, 37, 54, 24, 26, 46, 16},
    {30, 2185, 1735, 1373, 985, 745, 5, 26, 52, 78, 104, 130, 0, 5, 145, 115, 19, 75, 47, 15, 54, 24, 23, 45, 15, 10, 146, 116, 10, 76, 48, 25, 55, 25, 25, 46, 16},
    {31, 2323, 1843, 1455, 1033, 793, 5, 30, 56, 82, 108, 134, 0, 13, 145, 115, 2, 74, 46, 42, 54, 24, 23, 45, 15, 3, 146, 116, 29, 75, 47, 1, 55, 25, 28, 46, 16},
    {32, 2465, 1955, 1541, 1115, 845, 5, 34, 60, 86, 112, 138, 0, 17, 145, 115, 10, 74, 46, 10, 54, 24, 19, 45, 15, 0, 0, 0, 23, 75, 47, 35, 55, 25, 35, 46, 16},
    {33, 2611, 2071, 1631, 1171, 901, 5, 30, 58, 86, 114, 142, 0, 17, 145, 115, 14, 74, 46, 29, 54, 24, 11, 45, 15, 1, 146, 116, 21, 75, 47, 19, 55, 25, 46, 46, 16},
    {34, 2761, 2191, 1725, 1231, 961, 5, 34, 62, 90, 118, 146, 0, 13, 145, 115, 14, 74, 46, 44, 54, 24, 59, 46, 16, 6, 146, 116, 23, 75, 47, 7, 55, 25, 1, 47, 17},
    {35, 2876, 2306, 1812, 1286, 986, 6, 30, 54, 78, 102, 126, 150, 12, 151, 121, 12, 75, 47, 39, 54, 24, 22, 45, 15, 7, 152, 122, 26, 76, 48, 14, 55, 25, 41, 46, 16},
    {36, 3034, 2434, 1914, 1354, 1054, 6, 24, 50, 76, 102, 128, 154, 6, 151, 121, 6, 75, 47, 46, 54, 24, 2, 45, 15, 14, 152, 122, 34, 76, 48, 10, 55, 25, 64, 46, 16},
    {37, 3196, 2566, 1992, 1426, 1096, 6, 28, 54, 80, 106, 132, 158, 17, 152, 122, 29, 74, 46, 49, 54, 24, 24, 45, 15, 4, 153, 123, 14, 75, 47, 10, 55, 25, 46, 46, 16},
    {38, 3362, 2702, 2102, 1502, 1142, 6, 32, 58, 84, 110, 136, 162, 4, 152, 122, 13, 74, 46, 48, 54, 24, 42, 45, 15, 18, 153, 123, 32, 75, 47, 14, 55, 25, 32, 46, 16},
    {39, 3532, 2812, 2216, 1582, 1222, 6, 26, 54, 82, 110, 138, 166, 20, 147, 117, 40, 75, 47, 43, 54, 24, 10, 45, 15, 4, 148, 118, 7, 76, 48, 22, 55, 25, 67, 46, 16},
    {40, 3706, 2956, 2334, 1666, 1276, 6, 30, 58, 86, 114, 142, 170, 19, 148, 118, 18, 75, 47, 34, 54, 24, 20, 45, 15, 6, 149, 119, 31, 76, 48, 34, 55, 25, 61, 46, 16},
};

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

constexpr int kMaxEcc = 30;

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

bool MaskCondition(int mask, int row, int column) {
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
  const int* row = kVersionTable[v];
  const int dataCodewords = row[VT_DATA + level];
  const int capacityBits = dataCodewords * 8;

  const int terminator = capacityBits - m_nBitCount < 4 ? capacityBits - m_nBitCount : 4;
  if (terminator > 0) m_nBitCount = AppendBits(m_nBitCount, 0, terminator);
  BYTE pad = 0xEC;
  for (int i = (m_nBitCount + 7) / 8; i < dataCodewords; ++i) {
    m_byData[i] = pad;
    pad = pad == 0xEC ? 0x11 : 0xEC;
  }

  // Blocks: group 1 then group 2; group-2 blocks carry one data codeword more.
  const int* g1 = row + VT_GROUP1 + 3 * level;
  const int* g2 = row + VT_GROUP2 + 3 * level;
  const int blocks = g1[0] + g2[0];
  const int shortData = g1[2];
  const int eccLength = g1[1] - g1[2];
  m_nTotalCodewords = row[VT_TOTAL];

  int out = 0;
  for (int k = 0; k < shortData; ++k) {
    int start = 0;
    for (int b = 0; b < blocks; ++b) {
      m_byCodewords[out++] = m_byData[start + k];
      start += b < g1[0] ? g1[2] : g2[2];
    }
  }
  {
    int start = g1[0] * g1[2];
    for (int b = 0; b < g2[0]; ++b) {
      m_byCodewords[out++] = m_byData[start + g2[2] - 1];
      start += g2[2];
    }
  }
  BYTE ecc[kMaxEcc];
  int start = 0;
  for (int b = 0; b < blocks; ++b) {
    const int n = b < g1[0] ? g1[2] : g2[2];
    ComputeEcc(m_byData + start, n, eccLength, ecc);
    for (int k = 0; k < eccLength; ++k) m_byCodewords[dataCodewords + k * blocks + b] = ecc[k];
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
      if (kVersionTable[v][VT_DATA + m_nLevel] >= bytes) return v;
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
  int mask = m_nMask;
  if (mask < 0) {
    int best = 0;
    for (int m = 0; m < 8; ++m) {
      ApplyMask(m);
      const int score = CountPenalty();
      if (m == 0 || score < best) {
        best = score;
        mask = m;
      }
    }
  }
  ApplyMask(mask);
  PlaceFormatInfo(mask);
  const int n = m_nModuleCount;
  for (int c = 0; c < n; ++c)
    for (int r = 0; r < n; ++r)
      m_byModule[c][r] = (m_byModule[c][r] & (MOD_DARK | MOD_FUNC_DARK)) ? 1 : 0;
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
  const int* row = kVersionTable[m_nVersion];
  int coords[7] = {6};
  const int count = 1 + row[VT_ALIGN_COUNT];
  for (int i = 1; i < count; ++i) coords[i] = row[VT_ALIGN + i - 1];
  for (int a = 0; a < count; ++a)
    for (int b = 0; b < count; ++b)
      if (!(m_byModule[coords[a]][coords[b]] & MOD_FUNCTION)) PlaceAlignmentPattern(coords[a], coords[b]);
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
    for (int r = 0; r < n; ++r) {
      BYTE& m = m_byModule[c][r];
      if (m & MOD_FUNCTION) continue;
      const bool dark = ((m & MOD_DATA) != 0) != MaskCondition(mask, r, c);
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
  // dark[r * n + c]
  BYTE dark[kMaxModules * kMaxModules];
  int darkCount = 0;
  for (int c = 0; c < n; ++c) {
    for (int r = 0; r < n; ++r) {
      const BYTE d = (m_byModule[c][r] & (MOD_DARK | MOD_FUNC_DARK)) ? 1 : 0;
      dark[r * n + c] = d;
      darkCount += d;
    }
  }
  int score = 0;
  // Runs and finder-like patterns, along rows (dir 0) and columns (dir 1).
  for (int dir = 0; dir < 2; ++dir) {
    for (int line = 0; line < n; ++line) {
      auto at = [&](int k) { return dir == 0 ? dark[line * n + k] : dark[k * n + line]; };
      for (int k = 0; k < n;) {
        const BYTE colour = at(k);
        int end = k + 1;
        while (end < n && at(end) == colour) ++end;
        const int run = end - k;
        if (k <= n - 5 && run >= 6) score += run - 2;
        k = end;
      }
      for (int k = 0; k + 7 <= n; ++k) {
        if (at(k) && !at(k + 1) && at(k + 2) && at(k + 3) && at(k + 4) && !at(k + 5) && at(k + 6) &&
            (k == 0 || !at(k - 1)) && (k + 7 == n || !at(k + 7)))
          score += 40;
      }
    }
  }
  for (int r = 0; r + 1 < n; ++r) {
    for (int c = 0; c + 1 < n; ++c) {
      const BYTE d = dark[r * n + c];
      if (dark[r * n + c + 1] == d && dark[(r + 1) * n + c] == d && dark[(r + 1) * n + c + 1] == d) score += 3;
    }
  }
  const int light = (n * n - darkCount) * 100 / (n * n);
  const int diff = light > 50 ? light - 50 : 50 - light;
  score += diff / 5 * 10;
  return score;
}
