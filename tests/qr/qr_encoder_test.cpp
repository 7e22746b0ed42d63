// Encoder internals pinned against the standard's worked values and the scoring rules.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/gdi/gdi.h"
#include "render/qr_encoder.h"

namespace {

// Opens the protected steps so that single stages can be checked.
class QrProbe : public CQrEncoder {
 public:
  using CQrEncoder::ChooseSegmentMode;
  using CQrEncoder::CountPenalty;
  using CQrEncoder::EncodeSegments;
  using CQrEncoder::IsKanji;
  using CQrEncoder::KanjiValue;

  int BitCount() const { return m_nBitCount; }
  int DataBits(int from, int count) const {
    int v = 0;
    for (int i = from; i < from + count; ++i) v = (v << 1) | ((m_byData[i >> 3] >> (7 - (i & 7))) & 1);
    return v;
  }
  // A bare matrix of side n with a checkerboard (dark where column + row is even).
  void Checkerboard(int n) {
    m_nModuleCount = n;
    std::memset(m_byModule, 0, sizeof m_byModule);
    for (int c = 0; c < n; ++c)
      for (int r = 0; r < n; ++r) m_byModule[c][r] = (c + r) % 2 == 0 ? MOD_DARK : 0;
  }
  void Set(int column, int row, bool dark) { m_byModule[column][row] = dark ? MOD_DARK : 0; }
  // Scores of the eight masks over the symbol of the last encoding, rebuilt up to masking.
  void MaskScores(int scores[8]) {
    std::memset(m_byModule, 0, sizeof m_byModule);
    PlaceFunctionPatterns();
    PlaceCodewords();
    for (int m = 0; m < 8; ++m) {
      ApplyMask(m);
      scores[m] = CountPenalty();
    }
  }
};

// The 15 format bits read from the copy around the top-left finder, most significant first.
int ReadFormat(const CQrEncoder& q) {
  int v = 0;
  for (int c = 0; c <= 5; ++c) v = (v << 1) | q.GetModule(c, 8);
  v = (v << 1) | q.GetModule(7, 8);
  v = (v << 1) | q.GetModule(8, 8);
  v = (v << 1) | q.GetModule(8, 7);
  for (int r = 5; r >= 0; --r) v = (v << 1) | q.GetModule(8, r);
  return v;
}

// The copy split between the top-right and bottom-left finders.
int ReadFormatSecond(const CQrEncoder& q) {
  const int n = q.GetModuleCount();
  int v = 0;
  for (int r = n - 1; r >= n - 7; --r) v = (v << 1) | q.GetModule(8, r);
  for (int c = n - 8; c <= n - 1; ++c) v = (v << 1) | q.GetModule(c, 8);
  return v;
}

int Bits(const char* s) {
  int v = 0;
  for (; *s; ++s) v = (v << 1) | (*s == '1');
  return v;
}

std::string Repeat(char c, int n) { return std::string(static_cast<size_t>(n), c); }

}  // namespace

TEST(QrEncoder, WorkedNumericExampleGivesTheStandardCodewords) {
  CQrEncoder q;
  ASSERT_EQ(1, q.EncodeData(1, 0, 1, -1, "01234567", 0));
  EXPECT_EQ(1, q.GetVersion());
  EXPECT_EQ(21, q.GetModuleCount());
  ASSERT_EQ(26, q.GetTotalCodewords());
  const BYTE expected[26] = {0x10, 0x20, 0x0C, 0x56, 0x61, 0x80, 0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11, 0xEC,
                             0x11, 0xEC, 0x11, 0xA5, 0x24, 0xD4, 0xC1, 0xED, 0x36, 0xC7, 0x87, 0x2C, 0x55};
  for (int i = 0; i < 26; ++i) EXPECT_EQ(expected[i], q.GetCodewords()[i]) << "codeword " << i;

  // The symbol is drawn with its quiet zone.
  EXPECT_EQ(1, q.Encode(1, "01234567"));
  EXPECT_EQ(1, q.IsEncoded());
  EXPECT_EQ(29, q.GetSymbolSide());
}

TEST(QrEncoder, FormatInformationInBothCopies) {
  CQrEncoder q;
  ASSERT_EQ(1, q.EncodeData(1, 1, 0, 2, "01234567", 0));
  EXPECT_EQ(Bits("101111001111100"), ReadFormat(q));
  EXPECT_EQ(Bits("101111001111100"), ReadFormatSecond(q));
  ASSERT_EQ(1, q.EncodeData(0, 1, 0, 0, "HELLO", 0));
  EXPECT_EQ(Bits("111011111000100"), ReadFormat(q));
  EXPECT_EQ(Bits("111011111000100"), ReadFormatSecond(q));
  // The dark module beside the bottom-left finder.
  EXPECT_EQ(1, q.GetModule(8, q.GetModuleCount() - 8));
}

TEST(QrEncoder, VersionInformationFromVersionSevenOn) {
  CQrEncoder q;
  ASSERT_EQ(1, q.EncodeData(1, 7, 0, -1, "VERSION 7", 0));
  const int n = q.GetModuleCount();
  ASSERT_EQ(45, n);
  int lower = 0, upper = 0;
  for (int bit = 17; bit >= 0; --bit) {
    const int a = bit / 3, b = bit % 3;
    lower = (lower << 1) | q.GetModule(a, n - 11 + b);
    upper = (upper << 1) | q.GetModule(n - 11 + b, a);
  }
  EXPECT_EQ(Bits("000111110010010100"), lower);
  EXPECT_EQ(Bits("000111110010010100"), upper);

  // Version 6 has no version block: that area holds data, so it is not pinned to the pattern.
  ASSERT_EQ(1, q.EncodeData(1, 6, 0, -1, "VERSION 6", 0));
  EXPECT_EQ(41, q.GetModuleCount());
}

TEST(QrEncoder, CapacityLimitsOfTheLargestSymbol) {
  CQrEncoder q;
  const std::string fits = Repeat('a', 2953);
  ASSERT_EQ(1, q.EncodeData(0, 0, 1, -1, fits.c_str(), 0));
  EXPECT_EQ(40, q.GetVersion());
  EXPECT_EQ(177, q.GetModuleCount());
  const std::string over = Repeat('a', 2954);
  EXPECT_EQ(0, q.EncodeData(0, 0, 1, -1, over.c_str(), 0));
  const std::string far = Repeat('a', 2957);
  for (int level = 0; level < 4; ++level) EXPECT_EQ(0, q.EncodeData(level, 0, 1, -1, far.c_str(), 0));
  // 7089 digits are the numeric limit of 40-L.
  EXPECT_EQ(1, q.EncodeData(0, 0, 1, -1, Repeat('7', 7089).c_str(), 0));
  EXPECT_EQ(0, q.EncodeData(0, 0, 1, -1, Repeat('7', 7090).c_str(), 0));
}

TEST(QrEncoder, SmallestVersionPerLevelAndGroup) {
  CQrEncoder q;
  // 17 bytes fill 1-L; 18 need version 2.
  ASSERT_EQ(1, q.EncodeData(0, 0, 1, -1, Repeat('a', 17).c_str(), 0));
  EXPECT_EQ(1, q.GetVersion());
  ASSERT_EQ(1, q.EncodeData(0, 0, 1, -1, Repeat('a', 18).c_str(), 0));
  EXPECT_EQ(2, q.GetVersion());
  // 230 bytes fit 9-L with an 8-bit count; 231 move to the 16-bit count of version 10.
  ASSERT_EQ(1, q.EncodeData(0, 0, 1, -1, Repeat('a', 230).c_str(), 0));
  EXPECT_EQ(9, q.GetVersion());
  ASSERT_EQ(1, q.EncodeData(0, 0, 1, -1, Repeat('a', 231).c_str(), 0));
  EXPECT_EQ(10, q.GetVersion());
  ASSERT_EQ(1, q.EncodeData(3, 0, 1, -1, Repeat('a', 7).c_str(), 0));
  EXPECT_EQ(1, q.GetVersion());
  ASSERT_EQ(1, q.EncodeData(3, 0, 1, -1, Repeat('a', 8).c_str(), 0));
  EXPECT_EQ(2, q.GetVersion());
}

TEST(QrEncoder, RequestedVersionAndGrowth) {
  CQrEncoder q;
  const std::string needs2 = Repeat('a', 20);
  EXPECT_EQ(0, q.EncodeData(0, 1, 0, -1, needs2.c_str(), 0));
  ASSERT_EQ(1, q.EncodeData(0, 1, 1, -1, needs2.c_str(), 0));
  EXPECT_EQ(2, q.GetVersion());
  ASSERT_EQ(1, q.EncodeData(0, 5, 0, -1, needs2.c_str(), 0));
  EXPECT_EQ(5, q.GetVersion());
  // A request in a later group encodes with that group's count widths.
  ASSERT_EQ(1, q.EncodeData(0, 30, 0, -1, "A", 0));
  EXPECT_EQ(30, q.GetVersion());
  // -1, as barcode objects store it, is automatic as well.
  ASSERT_EQ(1, q.EncodeData(0, -1, 0, -1, needs2.c_str(), 0));
  EXPECT_EQ(2, q.GetVersion());
}

// Every pixel of the symbol bitmap against the module matrix.
void ExpectBitmapMatchesMatrix(const CQrEncoder& q) {
  CDC* dc = q.GetSymbolDC();
  ASSERT_NE(nullptr, dc);
  const int side = q.GetSymbolSide();
  ASSERT_EQ(q.GetModuleCount() + 8, side);
  CBitmap* bm = dc->GetCurrentBitmap();
  ASSERT_NE(nullptr, bm);
  EXPECT_EQ(1, bm->BitsPerPixel());
  EXPECT_EQ(side, bm->Width());
  EXPECT_EQ(side, bm->Height());
  int mismatches = 0;
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      const bool dark = q.GetModule(x - 4, y - 4) == 1;  // outside the matrix: quiet zone
      if (dc->GetPixel(x, y) != (dark ? RGB(0, 0, 0) : RGB(255, 255, 255))) ++mismatches;
    }
  }
  EXPECT_EQ(0, mismatches);
}

TEST(QrEncoder, SymbolDrawnOnePixelPerModuleWithQuietZone) {
  CQrEncoder q;
  EXPECT_EQ(nullptr, q.GetSymbolDC());
  ASSERT_EQ(1, q.Encode(1, "01234567"));
  EXPECT_EQ(29, q.GetSymbolSide());
  ExpectBitmapMatchesMatrix(q);
  // The top-left finder corner sits at (4, 4).
  EXPECT_EQ(RGB(255, 255, 255), q.GetSymbolDC()->GetPixel(3, 4));
  EXPECT_EQ(RGB(0, 0, 0), q.GetSymbolDC()->GetPixel(4, 4));
  // A new symbol replaces the bitmap.
  ASSERT_EQ(1, q.CreateSymbolBitmap(3, 12, 0, 5, CString::FromUtf8("品番 QR-2026")));
  EXPECT_EQ(4 * 12 + 17 + 8, q.GetSymbolSide());
  ExpectBitmapMatchesMatrix(q);
}

TEST(QrEncoder, FailuresKeepThePreviousSymbol) {
  CQrEncoder q;
  ASSERT_EQ(1, q.Encode(1, "01234567"));
  CDC* const dc = q.GetSymbolDC();
  const COLORREF corner = dc->GetPixel(4, 4);
  EXPECT_EQ(0, q.Encode(1, ""));
  EXPECT_EQ(0, q.IsEncoded());
  EXPECT_EQ(29, q.GetSymbolSide());
  EXPECT_EQ(dc, q.GetSymbolDC());
  EXPECT_EQ(corner, dc->GetPixel(4, 4));
  // Arguments outside the tables fail instead of indexing past them.
  EXPECT_EQ(0, q.CreateSymbolBitmap(4, 0, 1, -1, "X"));
  EXPECT_EQ(0, q.CreateSymbolBitmap(-1, 0, 1, -1, "X"));
  EXPECT_EQ(0, q.CreateSymbolBitmap(0, 41, 1, -1, "X"));
  EXPECT_EQ(0, q.CreateSymbolBitmap(0, -2, 1, -1, "X"));
  EXPECT_EQ(0, q.CreateSymbolBitmap(0, 0, 1, 8, "X"));
  EXPECT_EQ(0, q.CreateSymbolBitmap(0, 0, 1, -2, "X"));
  EXPECT_EQ(0, q.EncodeData(0, 0, 1, -1, nullptr, 0));
  EXPECT_EQ(29, q.GetSymbolSide());
  EXPECT_EQ(1, q.CreateSymbolBitmap(0, 40, 0, 7, "X"));
  EXPECT_EQ(185, q.GetSymbolSide());
}

TEST(QrEncoder, KanjiPairsAndTheirNeighbours) {
  QrProbe q;
  // Lead and trail byte limits of the Kanji mode.
  EXPECT_TRUE(q.IsKanji('\x81', '\x40'));
  EXPECT_TRUE(q.IsKanji('\x9F', '\xFC'));
  EXPECT_FALSE(q.IsKanji('\x9F', '\xFD'));
  EXPECT_TRUE(q.IsKanji('\xE0', '\x40'));
  EXPECT_TRUE(q.IsKanji('\xEB', '\xBF'));
  EXPECT_FALSE(q.IsKanji('\xEB', '\xC0'));
  EXPECT_FALSE(q.IsKanji('\x81', '\x3F'));
  EXPECT_FALSE(q.IsKanji('\x80', '\x40'));
  EXPECT_FALSE(q.IsKanji('\xA0', '\x40'));
  EXPECT_FALSE(q.IsKanji('\xEC', '\x40'));
  // The standard's examples: 0x935F -> 0xD9F, 0xE4AA -> 0x1AAA.
  EXPECT_EQ(0xD9F, q.KanjiValue('\x93', '\x5F'));
  EXPECT_EQ(0x1AAA, q.KanjiValue('\xE4', '\xAA'));
  EXPECT_EQ(0x1FFF, q.KanjiValue('\xEB', '\xBF'));

  // "点茗" starts a Kanji segment: mode 1000, count 2, then the two 13-bit values.
  ASSERT_EQ(1, q.EncodeSegments("\x93\x5F\xE4\xAA", 4, 0));
  EXPECT_EQ(4 + 8 + 26, q.BitCount());
  EXPECT_EQ(0x8, q.DataBits(0, 4));
  EXPECT_EQ(2, q.DataBits(4, 8));
  EXPECT_EQ(0xD9F, q.DataBits(12, 13));
  EXPECT_EQ(0x1AAA, q.DataBits(25, 13));

  // 0x9F 0xFD is no Kanji pair: both bytes go into one 8-bit segment.
  ASSERT_EQ(1, q.EncodeSegments("\x9F\xFD", 2, 0));
  EXPECT_EQ(4 + 8 + 16, q.BitCount());
  EXPECT_EQ(0x4, q.DataBits(0, 4));
  EXPECT_EQ(2, q.DataBits(4, 8));
  EXPECT_EQ(0x9F, q.DataBits(12, 8));
  EXPECT_EQ(0xFD, q.DataBits(20, 8));
  // A single lead byte at the end is a byte, not half a pair.
  EXPECT_EQ(2, q.ChooseSegmentMode("\x93", 1, 0));
  // Kanji counts are 10 bits wide in versions 10-26 and 12 in 27-40.
  ASSERT_EQ(1, q.EncodeSegments("\x93\x5F", 2, 2));
  EXPECT_EQ(4 + 12 + 13, q.BitCount());
}

TEST(QrEncoder, SegmentationThresholds) {
  QrProbe q;
  // Digits start a numeric segment unless a letter comes within the look-ahead.
  EXPECT_EQ(0, q.ChooseSegmentMode("1234567", 7, 0));
  EXPECT_EQ(1, q.ChooseSegmentMode("123456A", 7, 0));
  EXPECT_EQ(0, q.ChooseSegmentMode("1234567A", 8, 0));
  EXPECT_EQ(1, q.ChooseSegmentMode("1234567A", 8, 1));
  // A non-alphanumeric byte among the first four makes it 8-bit.
  EXPECT_EQ(2, q.ChooseSegmentMode("123a", 4, 0));
  EXPECT_EQ(0, q.ChooseSegmentMode("1234a", 5, 0));
  EXPECT_EQ(2, q.ChooseSegmentMode("1234a", 5, 2));
  // Letters need six alphanumerics in versions 1-9 to start an alphanumeric segment.
  EXPECT_EQ(1, q.ChooseSegmentMode("ABCDEF", 6, 0));
  EXPECT_EQ(2, q.ChooseSegmentMode("ABCDEf", 6, 0));
  EXPECT_EQ(1, q.ChooseSegmentMode("ABC", 3, 0));
  EXPECT_EQ(2, q.ChooseSegmentMode("abc", 3, 0));

  // "ab" then six digits: 8-bit "ab", then a numeric segment.
  ASSERT_EQ(1, q.EncodeSegments("ab123456", 8, 0));
  EXPECT_EQ(0x4, q.DataBits(0, 4));
  EXPECT_EQ(2, q.DataBits(4, 8));
  EXPECT_EQ(0x1, q.DataBits(28, 4));
  EXPECT_EQ(6, q.DataBits(32, 10));
  EXPECT_EQ(28 + 14 + 20, q.BitCount());
  // Five digits stay inside the 8-bit segment.
  ASSERT_EQ(1, q.EncodeSegments("ab12345", 7, 0));
  EXPECT_EQ(7, q.DataBits(4, 8));
  EXPECT_EQ(4 + 8 + 56, q.BitCount());
  // An alphanumeric segment hands 13 digits to a numeric one, but keeps 12.
  ASSERT_EQ(1, q.EncodeSegments("ABCDEF1234567890123", 19, 0));
  EXPECT_EQ(0x2, q.DataBits(0, 4));
  EXPECT_EQ(6, q.DataBits(4, 9));
  ASSERT_EQ(1, q.EncodeSegments("ABCDEF123456789012", 18, 0));
  EXPECT_EQ(18, q.DataBits(4, 9));
  EXPECT_EQ(4 + 9 + 9 * 11, q.BitCount());
  // Numeric then alphanumeric then 8-bit.
  ASSERT_EQ(1, q.EncodeSegments("12345678ABCDEFGH!x", 18, 0));
  EXPECT_EQ(0x1, q.DataBits(0, 4));
  EXPECT_EQ(8, q.DataBits(4, 10));
  const int alnumAt = 14 + 27;
  EXPECT_EQ(0x2, q.DataBits(alnumAt, 4));
  EXPECT_EQ(8, q.DataBits(alnumAt + 4, 9));
  const int byteAt = alnumAt + 13 + 44;
  EXPECT_EQ(0x4, q.DataBits(byteAt, 4));
  EXPECT_EQ(2, q.DataBits(byteAt + 4, 8));
  EXPECT_EQ(byteAt + 12 + 16, q.BitCount());
}

TEST(QrEncoder, PenaltyRunsBlocksFinderLikeAndBalance) {
  QrProbe q;
  q.Checkerboard(21);
  EXPECT_EQ(0, q.CountPenalty());
  // A run of exactly five adds nothing.
  q.Set(1, 0, true);
  q.Set(3, 0, true);
  EXPECT_EQ(0, q.CountPenalty());
  // A run of six adds four.
  q.Set(5, 0, true);
  q.Set(6, 0, false);
  EXPECT_EQ(4, q.CountPenalty());

  // A finder-like 1:1:3:1:1 with one light module after it scores 40.
  q.Checkerboard(21);
  q.Set(3, 0, true);
  EXPECT_EQ(40, q.CountPenalty());

  // A 2 x 2 square in the corner scores 3 and nothing else.
  q.Checkerboard(21);
  q.Set(1, 0, true);
  q.Set(0, 1, true);
  EXPECT_EQ(3, q.CountPenalty());

  // All light: every line is one long run, every square counts, and the balance is off by 50.
  q.Checkerboard(21);
  for (int c = 0; c < 21; ++c)
    for (int r = 0; r < 21; ++r) q.Set(c, r, false);
  EXPECT_EQ(2 * 21 * 19 + 20 * 20 * 3 + 100, q.CountPenalty());
}

TEST(QrEncoder, AutomaticMaskTakesTheFirstLowestScore) {
  QrProbe q;
  int ties = 0;
  for (int i = 0; i < 60; ++i) {
    const std::string text = "MASK " + std::to_string(i * 7919);
    ASSERT_EQ(1, q.EncodeData(i % 4, 0, 1, -1, text.c_str(), 0));
    const int chosen = (ReadFormat(q) ^ 0x5412) >> 10 & 7;
    int scores[8];
    q.MaskScores(scores);
    int best = 0;
    for (int m = 1; m < 8; ++m)
      if (scores[m] < scores[best]) best = m;
    EXPECT_EQ(best, chosen) << text;
    for (int m = best + 1; m < 8; ++m)
      if (scores[m] == scores[best]) ++ties;
  }
  EXPECT_GT(ties, 0) << "no tie among the samples; the tie rule went unchecked";
}
