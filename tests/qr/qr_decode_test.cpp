// Symbols read back by an independent decoder (zbarimg), across versions, levels, masks and modes.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "platform/gdi/gdi.h"
#include "render/qr_encoder.h"
#include "temp_dir.h"
#include "outside_tool.h"

namespace {

bool HaveZbarimg() { return std::system("command -v zbarimg >/dev/null 2>&1") == 0; }

// A binary PGM of the symbol bitmap (quiet zone included), each pixel scale x scale.
void WritePgm(const CQrEncoder& q, int scale, const std::string& path) {
  CDC* dc = q.GetSymbolDC();
  const int bitmapSide = q.GetSymbolSide();
  const int side = bitmapSide * scale;
  std::string pixels(static_cast<size_t>(side) * side, '\xFF');
  for (int y = 0; y < bitmapSide; ++y)
    for (int x = 0; x < bitmapSide; ++x)
      if (dc->GetPixel(x, y) == RGB(0, 0, 0))
        for (int dy = 0; dy < scale; ++dy)
          for (int dx = 0; dx < scale; ++dx) pixels[static_cast<size_t>(y * scale + dy) * side + x * scale + dx] = 0;
  std::ofstream f(path, std::ios::binary);
  f << "P5\n" << side << " " << side << "\n255\n" << pixels;
}

// What zbarimg reads from the image, as raw bytes; empty when it finds nothing.
std::string Decode(const std::string& path) {
  // Binary output: the symbol's bytes as they are, without charset guessing or a line end.
  const std::string cmd = "zbarimg --raw -Sbinary -q --nodbus '" + path + "' 2>/dev/null";
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) return {};
  std::string out;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
  pclose(p);
  return out;
}

class Rng {
 public:
  explicit Rng(unsigned seed) : m_s(seed) {}
  unsigned Next() {
    m_s = m_s * 1103515245u + 12345u;
    return (m_s >> 8) & 0xFFFFFF;
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<unsigned>(n)); }

 private:
  unsigned m_s;
};

const char kAlnum[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:";

void AddChars(Rng& rng, int kind, int count, std::string& s) {
  for (int i = 0; i < count; ++i) {
    switch (kind) {
      case 0: s += static_cast<char>('0' + rng.Below(10)); break;
      case 1: s += kAlnum[rng.Below(45)]; break;
      case 2: {
        // Latin letters and punctuation, and single bytes above 0x7F that are no lead bytes.
        const int pick = rng.Below(3);
        if (pick == 0) s += static_cast<char>('a' + rng.Below(26));
        else if (pick == 1) s += static_cast<char>(0x20 + rng.Below(0x5F));
        else s += static_cast<char>(0xA1 + rng.Below(0x3F));
        break;
      }
      default: {
        // Kanji from both lead-byte ranges, trail bytes 0x40-0xFC without 0x7F.
        const int lead = rng.Below(2) ? 0x88 + rng.Below(0x18) : 0xE0 + rng.Below(0x0B);
        int trail = 0x40 + rng.Below(0xBD);
        if (trail == 0x7F) trail = 0x80;
        s += static_cast<char>(lead);
        s += static_cast<char>(trail);
        break;
      }
    }
  }
}

struct Case {
  std::string text;
  int level;
  int version;
  int mask;
};

// Data bits a character costs in each mode, rounded up, to size texts to a version.
const double kBitsPerChar[4] = {10.0 / 3, 5.5, 8, 13};

int DataCapacityBits(int version, int level) {
  CQrEncoder q;
  // The version's byte capacity: a text of bytes that exactly fits, found by encoding.
  int lo = 1, hi = 3000;
  while (lo < hi) {
    const int mid = (lo + hi + 1) / 2;
    const std::string s(static_cast<size_t>(mid), 'a');
    if (q.EncodeData(level, version, 0, 0, s.c_str(), 0)) {
      lo = mid;
    } else {
      hi = mid - 1;
    }
  }
  return lo * 8;
}

std::vector<Case> MakeCases() {
  std::vector<Case> cases;
  Rng rng(20261208);
  // Every version at every level, each with a fixed mask that walks through all eight.
  for (int version = 1; version <= 40; ++version) {
    for (int level = 0; level < 4; ++level) {
      const int kind = (version + level) % 5;  // 4 = a mixture
      const int bits = DataCapacityBits(version, level) * (50 + rng.Below(40)) / 100;
      std::string s;
      if (kind < 4) {
        AddChars(rng, kind, std::max(1, static_cast<int>(bits / kBitsPerChar[kind])), s);
      } else {
        int left = bits;
        while (left > 40) {
          const int k = rng.Below(4);
          const int n = 1 + rng.Below(std::min(30, static_cast<int>(left / kBitsPerChar[k]) / 2 + 1));
          AddChars(rng, k, n, s);
          left -= static_cast<int>(n * kBitsPerChar[k]) + 20;
        }
        if (s.empty()) AddChars(rng, 2, 1, s);
      }
      cases.push_back({s, level, version, (version * 4 + level) % 8});
    }
  }
  // Automatic version and mask over short mixtures, and the segment boundaries.
  for (int i = 0; i < 36; ++i) {
    std::string s;
    const int parts = 1 + rng.Below(6);
    for (int p = 0; p < parts; ++p) AddChars(rng, rng.Below(4), 1 + rng.Below(20), s);
    cases.push_back({s, i % 4, 0, -1});
  }
  cases.push_back({"01234567", 1, 0, -1});
  cases.push_back({"\x9F\xFD\x93\x5F" "ABC123", 2, 0, -1});
  cases.push_back({"abc12345678901234567890DEF", 0, 0, -1});
  cases.push_back({std::string(2953, 'a'), 0, 0, -1});
  return cases;
}

}  // namespace

TEST(QrDecode, ZbarimgReadsBackEverySymbol) {
  REQUIRE_OUTSIDE_TOOL(HaveZbarimg(), "zbarimg (zbar-tools)");
  TempDir dir;
  const std::vector<Case> cases = MakeCases();
  ASSERT_GE(cases.size(), 200u);
  int versionsSeen[41] = {};
  int masksSeen[8] = {};
  for (size_t i = 0; i < cases.size(); ++i) {
    const Case& c = cases[i];
    CQrEncoder q;
    ASSERT_EQ(1, q.CreateSymbolBitmap(c.level, c.version, 1, c.mask, CString(c.text)))
        << "case " << i;
    if (c.version > 0) {
      EXPECT_EQ(c.version, q.GetVersion()) << "case " << i;
    }
    ++versionsSeen[q.GetVersion()];
    if (c.mask >= 0) ++masksSeen[c.mask];
    const std::string path = dir.File("qr" + std::to_string(i) + ".pgm");
    WritePgm(q, q.GetModuleCount() > 100 ? 3 : 4, path);
    EXPECT_EQ(c.text, Decode(path)) << "case " << i << ": version " << q.GetVersion() << ", level " << c.level
                                    << ", mask " << c.mask;
  }
  for (int v = 1; v <= 40; ++v) EXPECT_GT(versionsSeen[v], 0) << "version " << v;
  for (int m = 0; m < 8; ++m) EXPECT_GT(masksSeen[m], 0) << "mask " << m;
}
