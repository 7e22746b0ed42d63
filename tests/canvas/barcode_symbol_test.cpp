// The symbol cache encodes with one encoder that it keeps: every symbol it gives, whatever came
// before it (other levels, versions, texts too long to encode), shows the modules a fresh
// encoder draws into its own bitmap for the same text.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "canvas/barcode_symbols.h"
#include "imaging/monobmp.h"
#include "platform/gdi/gdi.h"
#include "render/qr_encoder.h"

namespace {

// Texts of every segment mode and of lengths up to past the largest symbol.
CString SeededText(std::mt19937& rng) {
  static const char kAlnum[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:";
  std::string s;
  const int kind = static_cast<int>(rng() % 5);
  const int length = kind == 4 ? 3000 + static_cast<int>(rng() % 2000) : 1 + static_cast<int>(rng() % 400);
  for (int i = 0; i < length; ++i) {
    switch (kind) {
      case 0: s += static_cast<char>('0' + rng() % 10); break;
      case 1: s += kAlnum[rng() % (sizeof kAlnum - 1)]; break;
      case 2: s += static_cast<char>(0x20 + rng() % 0x5F); break;
      case 3: {
        static const char* const kKanji[] = {"\x8A\xBF", "\x8E\x9A", "\x88\x9F"};
        s += kKanji[rng() % 3];
        break;
      }
      default: s += static_cast<char>('a' + rng() % 26); break;
    }
  }
  return CString(s.c_str());
}

// Whether the module at (column, row) is dark in the cached symbol's 1-bit image.
bool Dark(const BarcodeSymbol& symbol, int x, int y) {
  const BYTE* image = symbol.image.GetImage();
  const size_t stride = MonoBmpFile::Stride(symbol.side);
  const BYTE* row = image + MonoBmpFile::kHeaderSize + static_cast<size_t>(symbol.side - 1 - y) * stride;
  return (row[x / 8] & (0x80 >> (x % 8))) == 0;
}

TEST(BarcodeSymbolCache, SymbolsFromTheKeptEncoderAreThoseOfAFreshOne) {
  std::mt19937 rng(20261209);
  CBarcodeSymbolCache cache;
  int made = 0, refused = 0;
  for (int k = 0; k < 160; ++k) {
    const CString text = SeededText(rng);
    const int level = static_cast<int>(rng() % 4);
    const int version = static_cast<int>(rng() % 42) - 1;  // -1 to 40
    CQrEncoder fresh;
    const bool ok = fresh.CreateSymbolBitmap(level, version, TRUE, -1, text) && fresh.IsEncoded();
    const BarcodeSymbol& symbol = cache.Get(text, level, version);
    ASSERT_EQ(symbol.ok, ok ? 1 : 0) << k;
    if (!ok) {
      ++refused;
      continue;
    }
    ++made;
    ASSERT_EQ(symbol.side, fresh.GetSymbolSide()) << k;
    CDC* dc = fresh.GetSymbolDC();
    int differ = 0;
    for (int y = 0; y < symbol.side; ++y)
      for (int x = 0; x < symbol.side; ++x) differ += Dark(symbol, x, y) != (dc->GetPixel(x, y) == RGB(0, 0, 0));
    EXPECT_EQ(differ, 0) << k << " level " << level << " version " << version;
  }
  EXPECT_GT(made, 60);
  EXPECT_GT(refused, 10);
}

}  // namespace
