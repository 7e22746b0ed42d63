// Fonts without a device context: face mapping, metrics, ABC widths, outlines and the caches.
#include <gtest/gtest.h>

#include <QFile>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "platform/cstring.h"
#include "platform/gdi/font.h"
#include "platform/gdi/font_engine.h"
#include "ttf_reader.h"
#include "outside_tool.h"

namespace {

LOGFONT MakeLogFont(const char* faceUtf8, LONG height, LONG width = 0, BYTE charset = SHIFTJIS_CHARSET) {
  LOGFONT lf;
  lf.lfHeight = height;
  lf.lfWidth = width;
  lf.lfCharSet = charset;
  lf.lfQuality = PROOF_QUALITY;
  std::string face = CString::FromUtf8(faceUtf8).str();
  std::memcpy(lf.lfFaceName, face.data(), std::min<size_t>(face.size(), LF_FACESIZE - 1));
  return lf;
}

std::string Sjis(const char* utf8) { return CString::FromUtf8(utf8).str(); }

UINT CodeOf(const std::string& s) {
  if (s.size() == 2)
    return (static_cast<unsigned char>(s[0]) << 8) | static_cast<unsigned char>(s[1]);
  return static_cast<unsigned char>(s[0]);
}

struct Recorder : fontengine::OutlineSink {
  std::vector<POINT> pts;
  std::vector<char> kinds;  // 'M', 'L', 'B', 'C'
  void MoveTo(POINT p) override { pts.push_back(p); kinds.push_back('M'); }
  void LineTo(POINT p) override { pts.push_back(p); kinds.push_back('L'); }
  void BezierTo(POINT a, POINT b, POINT c) override {
    for (POINT p : {a, b, c}) { pts.push_back(p); kinds.push_back('B'); }
  }
  void CloseFigure() override { kinds.push_back('C'); }
  RECT Bounds() const {
    RECT r{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (POINT p : pts) {
      r.left = std::min(r.left, p.x);
      r.right = std::max(r.right, p.x);
      r.top = std::min(r.top, p.y);
      r.bottom = std::max(r.bottom, p.y);
    }
    return r;
  }
};

// Outline of a string with its baseline origin at (0, 0), y upward as in MM_HIMETRIC.
Recorder OutlineAtBaseline(const fontengine::FontInstance& f, const std::string& s) {
  Recorder r;
  fontengine::Orientation up{1, 1};
  f.Outline(s.data(), static_cast<int>(s.size()), 0, 0, fontengine::HAlign::Left,
            fontengine::VAlign::Baseline, up, r);
  return r;
}

}  // namespace

TEST(FaceMapping, SystemNamesMapToInstalledFaces) {
  struct Case { const char* name; const char* family; };
  const Case cases[] = {
      {"ＭＳ 明朝", "IPAMincho"},        {"MS Mincho", "IPAMincho"},
      {"ＭＳ ゴシック", "IPAGothic"},    {"MS Gothic", "IPAGothic"},
      {"ＭＳ Ｐゴシック", "IPAPGothic"}, {"ＭＳ Ｐ明朝", "IPAPMincho"},
      {"MS UI Gothic", "IPAPGothic"},    {"MS UI Gothic ", "IPAPGothic"},
      {"Arial", "Liberation Sans"},      {"arial", "Liberation Sans"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(fontengine::MapFaceName(Sjis(c.name)).toStdString(), c.family) << c.name;
    auto f = fontengine::CreateFont(MakeLogFont(c.name, -100));
    EXPECT_EQ(f->FamilyName().toStdString(), c.family) << c.name;
  }
}

TEST(FaceMapping, UnknownFaceFallsBackToAnInstalledFaceWithGlyphs) {
  EXPECT_TRUE(fontengine::MapFaceName("No Such Face 42").isEmpty());
  for (BYTE charset : {ANSI_CHARSET, SHIFTJIS_CHARSET}) {
    CFont font;
    LOGFONT lf = MakeLogFont("No Such Face 42", -1000, 0, charset);
    ASSERT_TRUE(font.CreateFontIndirect(&lf));
    const fontengine::FontInstance* f = font.Instance();
    ASSERT_NE(f, nullptr);
    EXPECT_FALSE(f->FamilyName().isEmpty());
    EXPECT_GT(f->Metrics().tmHeight, 1000);
    Recorder a = OutlineAtBaseline(*f, "A");
    EXPECT_GT(a.pts.size(), 3u);
  }
  // A Japanese font without a known face still shows Japanese.
  CFont font;
  LOGFONT lf = MakeLogFont("No Such Face 42", -1000);
  font.CreateFontIndirect(&lf);
  ABCFLOAT abc = font.Instance()->CharABCFloat(CodeOf(Sjis("明")));
  EXPECT_GT(abc.abcfB, 500.0f);
}

TEST(FaceMapping, FaceNameFillingTheWholeFieldIsReadSafely) {
  LOGFONT lf = MakeLogFont("", -100);
  std::memset(lf.lfFaceName, 'Z', LF_FACESIZE);  // no terminating NUL
  CFont font;
  ASSERT_TRUE(font.CreateFontIndirect(&lf));
  LOGFONT back;
  EXPECT_EQ(font.GetLogFont(&back), static_cast<int>(sizeof(LOGFONT)));
  EXPECT_EQ(std::strlen(back.lfFaceName), static_cast<size_t>(LF_FACESIZE - 1));
  EXPECT_EQ(back.lfHeight, -100);
  EXPECT_TRUE(font.DeleteObject());
  EXPECT_EQ(font.GetLogFont(&back), 0);
  EXPECT_FALSE(font.DeleteObject());
  EXPECT_FALSE(font.CreateFontIndirect(nullptr));
}

// The outline agrees with the glyph box stored in the font file itself.
TEST(GlyphOutline, BoundsAgreeWithTheFontFile) {
  const char* file = "/usr/share/fonts/opentype/ipafont-mincho/ipam.ttf";
  REQUIRE_OUTSIDE_TOOL(QFile::exists(file), "IPAMincho (fonts-ipafont-mincho)");
  TtfReader ttf(file);
  ASSERT_TRUE(ttf.ok());
  auto f = fontengine::CreateFont(MakeLogFont("ＭＳ 明朝", -1000));
  struct Case { const char* text; char32_t cp; };
  for (Case c : {Case{"A", U'A'}, Case{"明", U'明'}}) {
    auto box = ttf.Box(c.cp);
    ASSERT_TRUE(box.has_value());
    const double k = 1000.0 / box->upm;
    Recorder r = OutlineAtBaseline(*f, Sjis(c.text));
    RECT b = r.Bounds();
    EXPECT_NEAR(b.left, box->xMin * k, 1.0) << c.text;
    EXPECT_NEAR(b.right, box->xMax * k, 1.0) << c.text;
    EXPECT_NEAR(b.top, box->yMin * k, 1.0) << c.text;
    EXPECT_NEAR(b.bottom, box->yMax * k, 1.0) << c.text;
    EXPECT_NEAR(f->CharAdvance(CodeOf(Sjis(c.text))), box->advance * k, 1.0) << c.text;
  }
}

TEST(GlyphOutline, ContoursAreClosedFiguresOfMovesLinesAndBezierTriplets) {
  auto f = fontengine::CreateFont(MakeLogFont("ＭＳ 明朝", -1000));
  Recorder r = OutlineAtBaseline(*f, Sjis("Aあ明"));
  ASSERT_FALSE(r.kinds.empty());
  EXPECT_EQ(r.kinds.front(), 'M');
  EXPECT_EQ(r.kinds.back(), 'C');
  int figures = 0, beziers = 0;
  for (size_t i = 0; i < r.kinds.size(); ++i) {
    if (r.kinds[i] == 'M') {
      ++figures;
      if (i > 0) {
        EXPECT_EQ(r.kinds[i - 1], 'C') << "a figure starts only after the last one closed";
      }
    }
    if (r.kinds[i] == 'B') {
      ++beziers;
      ASSERT_LT(i + 2, r.kinds.size());
      EXPECT_EQ(r.kinds[i + 1], 'B');
      EXPECT_EQ(r.kinds[i + 2], 'B');
      i += 2;
    }
  }
  EXPECT_GE(figures, 3);
  EXPECT_GT(beziers, 0) << "curved glyphs keep their curves";
}

TEST(GlyphOutline, ReferencePointAndDirectionFollowTheMapping) {
  auto f = fontengine::CreateFont(MakeLogFont("ＭＳ 明朝", -1000));
  const TEXTMETRIC& tm = f->Metrics();
  std::string a = "A";
  Recorder base = OutlineAtBaseline(*f, a);
  // Top alignment in a y-up mapping: the glyph hangs below the reference point.
  Recorder top;
  f->Outline(a.data(), 1, 100, 5000, fontengine::HAlign::Left, fontengine::VAlign::Top, {1, 1}, top);
  EXPECT_EQ(top.Bounds().bottom, base.Bounds().bottom + 5000 - tm.tmAscent);
  EXPECT_EQ(top.Bounds().left, base.Bounds().left + 100);
  // The same in a y-down mapping: the glyph stands below the point, upright on the device.
  Recorder down;
  f->Outline(a.data(), 1, 0, 0, fontengine::HAlign::Left, fontengine::VAlign::Top, {1, -1}, down);
  EXPECT_EQ(down.Bounds().top, tm.tmAscent - base.Bounds().bottom);
  EXPECT_EQ(down.Bounds().bottom, tm.tmAscent - base.Bounds().top);
  // Right and centre alignment measure the string's extent.
  std::string ab = "AB";
  SIZE ext = f->TextExtent(ab.data(), 2);
  Recorder left, right, centre;
  f->Outline(ab.data(), 2, 0, 0, fontengine::HAlign::Left, fontengine::VAlign::Baseline, {1, 1}, left);
  f->Outline(ab.data(), 2, 0, 0, fontengine::HAlign::Right, fontengine::VAlign::Baseline, {1, 1}, right);
  f->Outline(ab.data(), 2, 0, 0, fontengine::HAlign::Center, fontengine::VAlign::Baseline, {1, 1}, centre);
  EXPECT_EQ(right.Bounds().left, left.Bounds().left - ext.cx);
  EXPECT_NEAR(centre.Bounds().left, left.Bounds().left - ext.cx / 2.0, 1.0);
  // Bottom alignment puts the descent under the reference point.
  Recorder bottom;
  f->Outline(a.data(), 1, 0, 0, fontengine::HAlign::Left, fontengine::VAlign::Bottom, {1, 1}, bottom);
  EXPECT_EQ(bottom.Bounds().bottom, base.Bounds().bottom + tm.tmDescent);
}

// Points kept scaled per font must be exactly those computed from the outline, for every size,
// slant, width, orientation, alignment and reference point, up to where the int range ends.
TEST(GlyphOutline, KeptScaledPointsEqualComputedOnes) {
  const std::string text = "AgQ%8W" + Sjis("あ漢");
  const int n = static_cast<int>(text.size());
  const POINT origins[] = {{0, 0}, {12345, -678}, {-(1 << 29), 1 << 29}, {(1 << 29) + 1, -7},
                           {INT_MAX - 10, INT_MIN + 10}};
  const fontengine::Orientation orients[] = {{1, 1}, {1, -1}, {-1, 1}, {-1, -1}};
  const long long before = fontengine::ScaledGlyphPoints();
  int compared = 0;
  for (const char* face : {"ＭＳ 明朝", "ＭＳ ゴシック"})
    for (LONG height : {-7, -13, -100, -333, 77, 1000, -1000, 2049, -40000})
      for (LONG width : {0, 37})
        for (int style = 0; style < 4; ++style) {
          LOGFONT lf = MakeLogFont(face, height, width);
          lf.lfItalic = (style & 1) != 0;
          lf.lfWeight = (style & 2) != 0 ? FW_BOLD : FW_NORMAL;
          auto f = fontengine::CreateFont(lf);
          for (const fontengine::Orientation& o : orients)
            for (POINT at : origins)
              for (auto h : {fontengine::HAlign::Left, fontengine::HAlign::Center, fontengine::HAlign::Right})
                for (auto v : {fontengine::VAlign::Top, fontengine::VAlign::Baseline}) {
                  Recorder kept, again, computed;
                  f->Outline(text.data(), n, at.x, at.y, h, v, o, kept);
                  f->Outline(text.data(), n, at.x, at.y, h, v, o, again);
                  fontengine::KeepScaledGlyphs(false);
                  f->Outline(text.data(), n, at.x, at.y, h, v, o, computed);
                  fontengine::KeepScaledGlyphs(true);
                  ASSERT_EQ(kept.kinds, computed.kinds);
                  ASSERT_EQ(again.kinds, computed.kinds);
                  ASSERT_EQ(kept.pts.size(), computed.pts.size());
                  for (size_t i = 0; i < computed.pts.size(); ++i) {
                    ASSERT_EQ(kept.pts[i].x, computed.pts[i].x) << face << " " << height << " " << i;
                    ASSERT_EQ(kept.pts[i].y, computed.pts[i].y) << face << " " << height << " " << i;
                    ASSERT_EQ(again.pts[i].x, computed.pts[i].x);
                    ASSERT_EQ(again.pts[i].y, computed.pts[i].y);
                  }
                  ++compared;
                }
        }
  EXPECT_GT(compared, 0);
  // The points were kept, not all computed anew (or the comparison above proves nothing).
  EXPECT_GT(fontengine::ScaledGlyphPoints(), before);
}

TEST(Metrics, CellHeightAgainstEmHeight) {
  for (const char* face : {"ＭＳ 明朝", "Arial", "ＭＳ Ｐゴシック"}) {
    auto em = fontengine::CreateFont(MakeLogFont(face, -1000));
    const TEXTMETRIC& e = em->Metrics();
    EXPECT_EQ(e.tmHeight - e.tmInternalLeading, 1000) << face;
    EXPECT_EQ(e.tmHeight, e.tmAscent + e.tmDescent);
    EXPECT_GT(e.tmInternalLeading, 0);

    auto cell = fontengine::CreateFont(MakeLogFont(face, 1000));
    const TEXTMETRIC& c = cell->Metrics();
    EXPECT_NEAR(c.tmHeight, 1000, 1) << face;
    // The cell-height font is the em-height font scaled by em / cell.
    const double ratio = 1000.0 / e.tmHeight;
    EXPECT_NEAR(cell->EmHeight(), 1000 * ratio, 1.0);
    RECT be = OutlineAtBaseline(*em, "H").Bounds();
    RECT bc = OutlineAtBaseline(*cell, "H").Bounds();
    EXPECT_NEAR(bc.bottom - bc.top, (be.bottom - be.top) * ratio, 2.0) << face;
  }
  // Mincho: 1802 + 455 font units of cell over an em of 2048.
  auto m = fontengine::CreateFont(MakeLogFont("ＭＳ 明朝", -2048));
  EXPECT_EQ(m->Metrics().tmAscent, 1802);
  EXPECT_EQ(m->Metrics().tmDescent, 455);
}

TEST(Metrics, WidthFieldScalesAdvancesProportionally) {
  for (const char* face : {"ＭＳ 明朝", "Arial"}) {
    auto natural = fontengine::CreateFont(MakeLogFont(face, -1000));
    const int avg = natural->Metrics().tmAveCharWidth;
    for (LONG w : {avg / 2, 2 * avg, -2 * avg}) {
      auto scaled = fontengine::CreateFont(MakeLogFont(face, -1000, w));
      const double k = std::abs(w) / static_cast<double>(avg);
      EXPECT_NEAR(scaled->Metrics().tmAveCharWidth, std::abs(w), 1) << face;
      EXPECT_NEAR(scaled->Metrics().tmMaxCharWidth, natural->Metrics().tmMaxCharWidth * k, 2) << face;
      EXPECT_EQ(scaled->Metrics().tmHeight, natural->Metrics().tmHeight) << "height stays";
      for (const char* text : {"A", "W", "i", "明"}) {
        UINT code = CodeOf(Sjis(text));
        EXPECT_NEAR(scaled->CharAdvance(code), natural->CharAdvance(code) * k, 1.5) << face << text;
        RECT bn = OutlineAtBaseline(*natural, Sjis(text)).Bounds();
        RECT bs = OutlineAtBaseline(*scaled, Sjis(text)).Bounds();
        EXPECT_NEAR(bs.right - bs.left, (bn.right - bn.left) * k, 2.0) << face << text;
        EXPECT_EQ(bs.bottom - bs.top, bn.bottom - bn.top);
      }
    }
  }
}

TEST(Metrics, MaxCharWidthIsTheWidestCharacterOfTheCharacterSet) {
  // In a full-width face every two-byte character is one em wide; the widest is exactly that.
  auto f = fontengine::CreateFont(MakeLogFont("ＭＳ 明朝", -1000));
  EXPECT_EQ(f->Metrics().tmMaxCharWidth, 1000);
  EXPECT_EQ(f->Metrics().tmAveCharWidth, 500);
  // The layout's width factor k = width / tmMaxCharWidth makes a full-width glyph as wide as asked.
  const LONG w0 = 600;
  auto base = fontengine::CreateFont(MakeLogFont("ＭＳ 明朝", 800, w0));
  const double k = w0 / static_cast<double>(base->Metrics().tmMaxCharWidth);
  auto drawn = fontengine::CreateFont(MakeLogFont("ＭＳ 明朝", 800, DoubleToInt(w0 * k)));
  EXPECT_NEAR(drawn->CharAdvance(CodeOf(Sjis("明"))), w0, 1);
}

TEST(Metrics, AbcWidthsSumToTheAdvance) {
  for (const char* face : {"ＭＳ 明朝", "ＭＳ Ｐゴシック", "Arial"}) {
    for (LONG w : {0, 333}) {
      auto f = fontengine::CreateFont(MakeLogFont(face, -777, w));
      for (const char* text : {"A", "j", "f", " ", "明", "　", "ｱ", "g"}) {
        UINT code = CodeOf(Sjis(text));
        ABC abc = f->CharABC(code);
        ABCFLOAT abcf = f->CharABCFloat(code);
        const int advance = f->CharAdvance(code);
        EXPECT_EQ(abc.abcA + static_cast<int>(abc.abcB) + abc.abcC, advance) << face << text;
        EXPECT_NEAR(abcf.abcfA + abcf.abcfB + abcf.abcfC, advance, 0.51) << face << text;
        // The integer black box covers the exact one.
        EXPECT_LE(abc.abcA, abcf.abcfA + 1e-3);
        EXPECT_GE(abc.abcA + static_cast<double>(abc.abcB), abcf.abcfA + abcf.abcfB - 1e-3);
        std::string s = Sjis(text);
        SIZE ext = f->TextExtent(s.data(), static_cast<int>(s.size()));
        EXPECT_EQ(ext.cx, advance);
        EXPECT_EQ(ext.cy, f->Metrics().tmHeight);
      }
      ABCFLOAT blank = f->CharABCFloat(0x20);
      EXPECT_EQ(blank.abcfB, 0.0f);
    }
  }
}

TEST(Metrics, TwoByteCodesAndStrings) {
  auto f = fontengine::CreateFont(MakeLogFont("ＭＳ ゴシック", -1000));
  std::string s = Sjis("Aあ明ｱ");
  std::vector<fontengine::TextChar> chars = f->Split(s.data(), static_cast<int>(s.size()));
  ASSERT_EQ(chars.size(), 4u);
  EXPECT_EQ(chars[1].code, 0x82A0u);
  EXPECT_EQ(chars[1].length, 2);
  EXPECT_EQ(chars[3].code, 0xB1u);
  SIZE ext = f->TextExtent(s.data(), static_cast<int>(s.size()));
  EXPECT_EQ(ext.cx, 500 + 1000 + 1000 + 500);
  // A lead byte at the end of the text stands alone and does not read past it.
  std::string cut = s.substr(0, 2) + s.substr(4, 1);
  EXPECT_EQ(f->Split(cut.data(), static_cast<int>(cut.size())).size(), 2u);
  // Under a Latin character set every byte is a character of its own.
  auto latin = fontengine::CreateFont(MakeLogFont("Arial", -1000, 0, ANSI_CHARSET));
  EXPECT_EQ(latin->Split(s.data(), static_cast<int>(s.size())).size(), s.size());
  EXPECT_GT(latin->CharABCFloat(0xE9).abcfB, 0.0f);  // é
}

TEST(Metrics, SyntheticStylesOnlyWhereTheFaceHasNone) {
  LOGFONT lf = MakeLogFont("ＭＳ 明朝", -1000);
  auto plain = fontengine::CreateFont(lf);
  lf.lfWeight = FW_BOLD;
  auto bold = fontengine::CreateFont(lf);
  EXPECT_TRUE(bold->SyntheticBold());
  EXPECT_EQ(bold->Metrics().tmWeight, FW_BOLD);
  UINT mei = CodeOf(Sjis("明"));
  EXPECT_GT(bold->CharAdvance(mei), plain->CharAdvance(mei));
  EXPECT_GT(bold->CharABCFloat(mei).abcfB, plain->CharABCFloat(mei).abcfB + 20);
  EXPECT_NEAR(bold->CharABCFloat(mei).abcfA, plain->CharABCFloat(mei).abcfA, 1.0) << "left bearing stays";

  lf.lfWeight = FW_NORMAL;
  lf.lfItalic = 1;
  auto italic = fontengine::CreateFont(lf);
  EXPECT_TRUE(italic->SyntheticItalic());
  RECT up = OutlineAtBaseline(*plain, "I").Bounds();
  RECT slanted = OutlineAtBaseline(*italic, "I").Bounds();
  EXPECT_GT(slanted.right, up.right + 100) << "the top leans right";
  EXPECT_EQ(italic->CharAdvance('I'), plain->CharAdvance('I'));

  LOGFONT arial = MakeLogFont("Arial", -1000, 0, ANSI_CHARSET);
  arial.lfWeight = FW_BOLD;
  arial.lfItalic = 1;
  auto real = fontengine::CreateFont(arial);
  EXPECT_FALSE(real->SyntheticBold());
  EXPECT_FALSE(real->SyntheticItalic());
  EXPECT_EQ(real->FamilyName().toStdString(), "Liberation Sans");
}

TEST(FontCache, AFontPerCharacterReusesFacesAndOutlines) {
  LOGFONT lf = MakeLogFont("ＭＳ 明朝", -500);
  fontengine::CreateFont(lf);
  const int faces = fontengine::CachedFaceCount();
  for (int i = 0; i < 200; ++i) {
    lf.lfHeight = -(500 + i);
    lf.lfWidth = i;
    CFont font;
    font.CreateFontIndirect(&lf);
    EXPECT_GT(font.Instance()->CharAdvance(0x96BE), 0);
  }
  EXPECT_EQ(fontengine::CachedFaceCount(), faces) << "sizes and widths share one face";
}
