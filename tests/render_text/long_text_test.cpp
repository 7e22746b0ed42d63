// Long straight texts cost what is shown and what changed: a paint lays out only the lines that
// can reach the device, a measure takes the lines it measured before as they were. Neither may
// change a pixel or a bound: both are held against the layout of every line.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>

#include "text_fixture.h"

using namespace text_test;

namespace {

class LongText : public ::testing::Test {
 protected:
  void SetUp() override {
    r.Init(page.dc(), &doc);
    r.SetMode(RENDER_ENGRAVE);
  }
  void TearDown() override { textlayout::SetWholeTextLayout(false); }

  CDoubleRect Copy(const CText1Object& obj) {
    CDoubleRect rc;
    r.MmRectToLogical(obj.m_dWidth, obj.m_dHeight, obj.m_dPosX, obj.m_dPosY, &rc);
    return rc;
  }
  // The text drawn into a fresh page: only the lines that can reach it, or every line.
  std::vector<COLORREF> Draw(CText1Object& obj, bool whole, long long* lines = nullptr) {
    textlayout::SetWholeTextLayout(whole);
    Page p(page.width(), page.height());
    CObjectRenderer pr;
    pr.Init(p.dc(), &doc);
    pr.SetMode(RENDER_ENGRAVE);
    const CDoubleRect rc = Copy(obj);
    const long long before = textlayout::LaidOutLines();
    pr.DrawText1(p.dc(), &doc, rc.left, rc.top, rc.right, rc.bottom, &obj, 0, obj.m_nOutputMode == 2 ? 1 : 0,
                 nullptr);
    if (lines) *lines = textlayout::LaidOutLines() - before;
    textlayout::SetWholeTextLayout(false);
    std::vector<COLORREF> pixels;
    pixels.reserve(static_cast<size_t>(p.width()) * p.height());
    for (int y = 0; y < p.height(); ++y)
      for (int x = 0; x < p.width(); ++x) pixels.push_back(p.Pixel(x, y));
    return pixels;
  }
  RECT Measure(CText1Object& obj, bool whole) {
    textlayout::SetWholeTextLayout(whole);
    RECT m{};
    r.MeasureText1(page.dc(), &obj, &m);
    textlayout::SetWholeTextLayout(false);
    return m;
  }

  FakeDocument doc;
  Page page{2400, 1600};  // the document's 60 x 40 mm at 40 dots per mm
  CObjectRenderer r;
};

// `lines` lines of `per` characters, CR LF between them.
std::string Lines(int lines, int per, int shift = 0) {
  std::string s;
  for (int i = 0; i < lines; ++i) {
    if (i) s += "\r\n";
    for (int j = 0; j < per; ++j) s.push_back(static_cast<char>('A' + (i * 7 + j + shift) % 26));
  }
  return s;
}

void Expect(const std::vector<COLORREF>& got, const std::vector<COLORREF>& want, const std::string& what) {
  ASSERT_EQ(got.size(), want.size());
  size_t differ = 0;
  for (size_t k = 0; k < got.size(); ++k) differ += got[k] != want[k];
  EXPECT_EQ(differ, 0u) << what;
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Eighty lines of which the page shows a fifth, in every placement that moves glyphs out of their
// line: turned, mirrored, vertical, thickened, characters lifted or shifted far, enlarged and
// turned, aligned each way. The pixels equal those of every line laid out, and the lines laid
// out are far fewer.
TEST_F(LongText, PaintOfTheLinesShownEqualsTheWholeLayout) {
  CText1Object obj;
  // Lines 2 mm apart from 80 mm above the page's centre to 80 mm below: lines 30 to 50 are shown.
  PlainText1(obj, Lines(80, 12).c_str(), 12, 160);
  obj.m_dPosX = obj.m_dPosY = 0;
  obj.m_dCharHeight = 1.5;
  obj.m_dCharWidth = 1;
  obj.m_dLineGap = 0.5;
  obj.m_nOutputMode = 2;
  // The records are those of the text with its line breaks: 14 a line.
  auto at = [](CText1Object& o, int line, int j) -> CTextCharRecord& { return o.m_vCharRecords[line * 14 + j]; };
  struct Case {
    const char* name;
    std::function<void(CText1Object&)> set;
  };
  const Case cases[] = {
      {"plain", [](CText1Object&) {}},
      {"turned 30", [](CText1Object& o) { o.m_dAngle = 30; }},
      {"turned 90", [](CText1Object& o) { o.m_dAngle = 90; }},
      {"turned -135", [](CText1Object& o) { o.m_dAngle = -135; }},
      {"mirrored", [](CText1Object& o) { o.m_bMirrorX = 1, o.m_bMirrorY = 1; }},
      {"vertical", [](CText1Object& o) { o.m_nWriteDirection = 1, o.m_dWidth = 160, o.m_dHeight = 12; }},
      {"thickened", [](CText1Object& o) { o.m_dLineWidthX = 0.3, o.m_dLineWidthY = 0.2; }},
      {"lifted from far below", [&](CText1Object& o) { at(o, 70, 3).dOffsetY = 70; }},
      {"dropped from far above", [&](CText1Object& o) { at(o, 5, 5).dOffsetY = -60; }},
      {"enlarged and turned", [&](CText1Object& o) { at(o, 25, 2).dSizeY = 25, at(o, 25, 2).dAngle = 70; }},
      {"shifted, turned text", [&](CText1Object& o) { o.m_dAngle = 60, at(o, 33, 1).dOffsetX = -20; }},
      {"thick character", [&](CText1Object& o) { at(o, 24, 4).dFontWidthY = 14; }},
      {"centred and spread", [](CText1Object& o) { o.m_nAlign = 3, o.m_dCharGap = 0.4; }},
  };
  long long plainLines = 0;
  for (const Case& c : cases) {
    CText1Object o;
    o.CopySettings(&obj);
    c.set(o);
    long long shown = 0, all = 0;
    const std::vector<COLORREF> part = Draw(o, false, &shown);
    const std::vector<COLORREF> whole = Draw(o, true, &all);
    Expect(part, whole, c.name);
    if (plainLines == 0) plainLines = shown;
    EXPECT_GT(std::count_if(whole.begin(), whole.end(), [](COLORREF v) { return v != 0xFFFFFF; }), 2000) << c.name;
    EXPECT_EQ(all, 80) << c.name;
    // A turned text crosses the page on a slant and meets more lines: a tenth off the page at least.
    EXPECT_LT(shown, 72) << c.name << ": the lines off the page were laid out";
  }
  // Unturned, the twenty lines shown and those a lifted character might reach from nearby.
  EXPECT_LE(plainLines, 40);
}

// A seeded run of keys as the character pages and the string page send them (a character's
// size, angle, offset, font width; the text's angle, mirror, alignment, line widths; a new
// string with other line breaks): each measure, taking what it kept, equals a measure of every
// line.
TEST_F(LongText, MeasureAfterEachKeyEqualsTheWholeLayout) {
  CText1Object obj;
  PlainText1(obj, Lines(30, 10).c_str(), 14, 60);
  obj.m_dCharHeight = 1.5;
  obj.m_dCharWidth = 1;
  obj.m_nOutputMode = 2;
  std::mt19937 rng(45);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  auto value = [&] { return pick(-40, 40) / 8.0; };
  for (int key = 0; key < 120; ++key) {
    const int n = static_cast<int>(obj.m_vCharRecords.size());
    CTextCharRecord& rec = obj.m_vCharRecords[static_cast<size_t>(pick(0, n - 1))];
    switch (pick(0, 11)) {
      case 0: rec.dSizeX = value(); break;
      case 1: rec.dSizeY = value(); break;
      case 2: rec.dOffsetX = value() * 3; break;
      case 3: rec.dOffsetY = value() * 3; break;
      case 4: rec.dAngle = pick(-180, 180); break;
      case 5: rec.dFontWidthX = pick(0, 4) / 10.0; break;
      case 6: obj.m_dAngle = pick(-4, 4) * 22.5; break;
      case 7: obj.m_bMirrorX = pick(0, 1), obj.m_bMirrorY = pick(0, 1); break;
      case 8: obj.m_nAlign = pick(0, 3); break;
      case 9: obj.m_dLineWidthY = pick(0, 3) / 10.0; break;
      case 10: obj.SetText(CString(Lines(pick(1, 30), pick(1, 12), key).c_str())); break;
      default: obj.m_nWriteDirection = pick(0, 1); break;
    }
    const RECT kept = Measure(obj, false);
    const RECT whole = Measure(obj, true);
    ASSERT_TRUE(SameRect(kept, whole)) << "key " << key << ": " << kept.left << "," << kept.top << ","
                                       << kept.right << "," << kept.bottom << " against " << whole.left << ","
                                       << whole.top << "," << whole.right << "," << whole.bottom;
  }
  // A key in one line measures that line alone.
  obj.SetText(CString(Lines(30, 10).c_str()));
  Measure(obj, false);
  obj.m_vCharRecords[12 * 12 + 3].dSizeY = 1;
  const long long before = textlayout::LaidOutLines();
  Measure(obj, false);
  EXPECT_EQ(textlayout::LaidOutLines() - before, 1);
}

}  // namespace
