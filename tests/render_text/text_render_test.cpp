// Straight and arc text through a real device context: captured outlines against the raster,
// alignment and vertical writing on real glyphs, blanks, mirrors, thickening, the stroke-edge
// setting, arc places and the record angle of both kinds.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "platform/gdi/font_text.h"
#include "render/text_layout_dc.h"
#include "text_fixture.h"

using namespace text_test;

namespace {

// The page is 60 x 40 mm in the engraving mode at 40 dots per mm: 2400 x 1600 dots.
class TextRender : public ::testing::Test {
 protected:
  void SetUp() override {
    r.Init(page.dc(), &doc);
    r.SetMode(RENDER_ENGRAVE);
  }

  CDoubleRect Copy(double w, double h, double cx = 0, double cy = 0) {
    CDoubleRect rc;
    r.MmRectToLogical(w, h, cx, cy, &rc);
    return rc;
  }

  TextOutlineLists Capture1(CText1Object& obj, const CDoubleRect& rc) {
    TextOutlineLists lists;
    r.GetText1Points(page.dc(), &doc, rc.left, rc.top, rc.right, rc.bottom, &obj, lists);
    return lists;
  }

  TextOutlineLists Capture2(CText2Object& obj, const CDoubleRect& rc) {
    TextOutlineLists lists;
    r.GetText2Points(page.dc(), &doc, rc.left, rc.top, rc.right, rc.bottom, &obj, lists);
    return lists;
  }

  FakeDocument doc;
  Page page{2400, 1600};
  CObjectRenderer r;
};

void Japanese(CText1Object& obj, const char* face = "ＭＳ 明朝") {
  obj.m_nCharSet = 128;
  obj.m_strFaceName = CString::FromUtf8(face);
}

// The points of character k of a capture.
struct Box {
  double left = 1e18, top = -1e18, right = -1e18, bottom = 1e18;
  double CentreX() const { return (left + right) / 2; }
  double CentreY() const { return (top + bottom) / 2; }
};

std::vector<POINT> CharPoints(const TextOutlineLists& l, int k) {
  size_t at = 0;
  for (int i = 0; i < k; ++i) at += static_cast<size_t>(l.counts[i]);
  return std::vector<POINT>(l.points.begin() + at, l.points.begin() + at + l.counts[k]);
}

Box BoxOf(const std::vector<POINT>& pts) {
  Box b;
  for (const POINT& p : pts) {
    b.left = std::min<double>(b.left, p.x);
    b.right = std::max<double>(b.right, p.x);
    b.top = std::max<double>(b.top, p.y);
    b.bottom = std::min<double>(b.bottom, p.y);
  }
  return b;
}

// Ink of one page that has no ink of the other within one dot.
long long Unmatched(const Page& a, const Page& b) {
  long long n = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      if (!a.IsInk(x, y)) continue;
      bool near = false;
      for (int dy = -1; dy <= 1 && !near; ++dy)
        for (int dx = -1; dx <= 1 && !near; ++dx) near = b.IsInk(x + dx, y + dy);
      n += near ? 0 : 1;
    }
  return n;
}

// Fills a capture and holds it against the drawn page: the same glyphs, within a dot per edge.
void ExpectSameGlyphs(const Page& page, const TextOutlineLists& lists) {
  Page filled(page.width(), page.height());
  FillOutline(filled, lists);
  const long long ink = page.InkCount();
  EXPECT_GT(ink, 20000);
  EXPECT_NEAR(static_cast<double>(filled.InkCount()), static_cast<double>(ink), ink * 0.03);
  EXPECT_EQ(Unmatched(page, filled), 0);
  EXPECT_EQ(Unmatched(filled, page), 0);
}

TEST_F(TextRender, CapturedOutlineCoversTheDrawnGlyphs) {
  // The outline engraved is the glyph the screen and the raster show: same fonts, same places.
  doc.v2004 = 1;  // filled without the outline stroke: the raster is the glyphs' interior
  CText1Object obj;
  PlainText1(obj, "Ag 刻あ", 40, 12);
  Japanese(obj);
  obj.m_dCharWidth = 6;
  obj.m_dCharHeight = 10;
  obj.m_vCharRecords[3].dAngle = 12;
  obj.m_vCharRecords[4].dSizeX = 0.7;
  obj.m_vCharRecords[4].dSizeY = 1.3;
  obj.m_bMirrorX = 1;

  const CDoubleRect rc = Copy(40, 12, 0, 0);
  r.DrawText1(page.dc(), &doc, rc.left, rc.top, rc.right, rc.bottom, &obj, 0, 1, nullptr);
  const TextOutlineLists lists = Capture1(obj, rc);
  ASSERT_EQ(lists.counts.size(), 5u);
  EXPECT_EQ(lists.counts[2], 0);  // the space
  ExpectSameGlyphs(page, lists);
}

TEST_F(TextRender, CapturedArcOutlineCoversTheDrawnGlyphs) {
  doc.v2004 = 1;
  CText2Object obj;
  PlainText2(obj, "Ag 刻あ12");
  obj.m_nCharSet = 128;
  obj.m_strFaceName = CString::FromUtf8("ＭＳ 明朝");
  obj.m_dRadiusX = 18;
  obj.m_dRadiusY = 16;
  obj.m_dCharWidth = 6.3;
  obj.m_dCharHeight = 8.7;
  obj.m_vCharRecords[1].dSizeX = 0.45;
  obj.m_vCharRecords[1].dSizeY = 1.35;
  obj.m_vCharRecords[4].dAngle = 20;
  obj.m_bMirrorY = 1;

  const CDoubleRect rc = Copy(36, 32, 0, 0);
  r.DrawText2(page.dc(), &doc, rc.left, rc.top, rc.right, rc.bottom, &obj, 0, 1, nullptr);
  const TextOutlineLists lists = Capture2(obj, rc);
  ASSERT_EQ(lists.counts.size(), 7u);
  EXPECT_EQ(lists.counts[2], 0);  // the space
  ExpectSameGlyphs(page, lists);
}

TEST_F(TextRender, LinesOfDifferentLengthsFollowTheAlignment) {
  const CDoubleRect rc = Copy(50, 20);
  const double tolerance = r.LengthToLogicalAxis(0, 0.1);
  for (int align = 0; align <= 2; ++align) {
    SCOPED_TRACE(align);
    CText1Object obj;
    PlainText1(obj, "HHHH\r\nH", 50, 20);
    obj.m_nAlign = align;
    const TextOutlineLists l = Capture1(obj, rc);
    ASSERT_EQ(l.counts.size(), 5u);
    const Box first = BoxOf(CharPoints(l, 0)), last = BoxOf(CharPoints(l, 3)), lone = BoxOf(CharPoints(l, 4));
    EXPECT_GT(first.bottom, lone.top);  // the second line lies below the first
    switch (align) {
      case 0:
        EXPECT_NEAR(first.left, rc.left, tolerance);
        EXPECT_NEAR(lone.left, rc.left, tolerance);
        break;
      case 1:
        EXPECT_NEAR(last.right, rc.right, tolerance);
        EXPECT_NEAR(lone.right, rc.right, tolerance);
        break;
      default:
        EXPECT_NEAR((first.left + last.right) / 2, (rc.left + rc.right) / 2, 2 * tolerance);
        EXPECT_NEAR(lone.CentreX(), (rc.left + rc.right) / 2, 2 * tolerance);
        break;
    }
  }
  // Spread: the first line reaches from edge to edge.
  CText1Object obj;
  PlainText1(obj, "HHHH\r\nH", 50, 20);
  obj.m_nAlign = 3;
  const TextOutlineLists l = Capture1(obj, rc);
  EXPECT_NEAR(BoxOf(CharPoints(l, 0)).left, rc.left, tolerance);
  EXPECT_NEAR(BoxOf(CharPoints(l, 3)).right, rc.right, tolerance);
  EXPECT_NEAR(BoxOf(CharPoints(l, 4)).left, rc.left, tolerance);
}

TEST_F(TextRender, VerticalWritingStacksCharactersDownAColumn) {
  CText1Object obj;
  PlainText1(obj, "あい\r\nう", 30, 30);
  Japanese(obj, "ＭＳ ゴシック");
  obj.m_nWriteDirection = 1;
  obj.m_dCharWidth = 6;
  obj.m_dCharHeight = 6;
  obj.m_dLineGap = 2;
  const CDoubleRect rc = Copy(30, 30);
  const TextOutlineLists l = Capture1(obj, rc);
  ASSERT_EQ(l.counts.size(), 3u);
  const Box a = BoxOf(CharPoints(l, 0)), i = BoxOf(CharPoints(l, 1)), u = BoxOf(CharPoints(l, 2));
  EXPECT_GT(a.bottom, i.top);                       // down the column
  EXPECT_NEAR(a.CentreX(), i.CentreX(), r.LengthToLogicalAxis(0, 0.6));
  const double column = r.LengthToLogicalAxis(0, 6), step = r.LengthToLogicalAxis(0, 8);
  EXPECT_NEAR(a.CentreX(), rc.left + column / 2, r.LengthToLogicalAxis(0, 0.6));
  EXPECT_NEAR(u.CentreX(), rc.left + step + column / 2, r.LengthToLogicalAxis(0, 0.6));  // the next column
  EXPECT_LT(std::abs(u.top - a.top), r.LengthToLogicalAxis(1, 1.5));
}

// The width the straight text gives a blank: half the advance of its measuring font.
double HalfSpace(CDC* dc, const CObjectRenderer& r, const CText1Object& obj, UINT code) {
  LOGFONT lf;
  lf.lfWeight = obj.m_nWeight;
  lf.lfCharSet = static_cast<BYTE>(obj.m_nCharSet);
  std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "%s", obj.m_strFaceName.c_str());
  const int h0 = DoubleToInt(r.LengthToLogicalAxis(1, obj.m_dCharHeight));
  const int w0 = DoubleToInt(r.LengthToLogicalAxis(0, obj.m_dCharWidth));
  lf.lfHeight = -h0;
  lf.lfWidth = -w0;
  CFont base;
  base.CreateFontIndirect(&lf);
  CFont* old = dc->SelectObject(&base);
  TEXTMETRIC tm;
  gditext::GetTextMetrics(*dc, &tm);
  lf.lfHeight = -h0;
  lf.lfWidth = -DoubleToInt(w0 * (static_cast<double>(w0) / tm.tmMaxCharWidth));
  CFont font;
  font.CreateFontIndirect(&lf);
  dc->SelectObject(&font);
  ABCFLOAT abc;
  gditext::GetCharABCWidthsFloat(*dc, code, code, &abc);
  dc->SelectObject(old);
  return (abc.abcfA + abc.abcfB + abc.abcfC) / 2;
}

TEST_F(TextRender, BlanksTakeHalfAnAdvanceAndDrawNothing) {
  const CDoubleRect rc = Copy(50, 10);
  for (const char* blank : {" ", "　"}) {
    SCOPED_TRACE(blank);
    CText1Object with, without;
    PlainText1(with, (std::string("あ") + blank + "b").c_str(), 50, 10);
    PlainText1(without, "あb", 50, 10);
    Japanese(with);
    Japanese(without);
    const TextOutlineLists lw = Capture1(with, rc), lo = Capture1(without, rc);
    ASSERT_EQ(lw.counts.size(), 3u);  // the two-byte characters count once
    EXPECT_EQ(lw.counts[1], 0);
    EXPECT_EQ(lw.counts[0], lo.counts[0]);
    const double shift = BoxOf(CharPoints(lw, 2)).left - BoxOf(CharPoints(lo, 1)).left;
    const UINT code = std::string(blank) == " " ? 0x20 : 0x8140;
    EXPECT_NEAR(shift, HalfSpace(page.dc(), r, with, code), 2);

    // Drawing: the blank adds no ink and no bounds.
    Page a(2400, 1600), b(2400, 1600), c(2400, 1600);
    CDoubleRect bw, bo, ba;
    r.DrawText1(a.dc(), &doc, rc.left, rc.top, rc.right, rc.bottom, &with, 0, 1, &bw);
    CText1Object trailing, alone;
    PlainText1(trailing, (std::string("あ") + blank).c_str(), 50, 10);
    PlainText1(alone, "あ", 50, 10);
    Japanese(trailing);
    Japanese(alone);
    r.DrawText1(b.dc(), &doc, rc.left, rc.top, rc.right, rc.bottom, &trailing, 0, 1, &bo);
    r.DrawText1(c.dc(), &doc, rc.left, rc.top, rc.right, rc.bottom, &alone, 0, 1, &ba);
    EXPECT_EQ(bo, ba);
    EXPECT_EQ(b.InkCount(), c.InkCount());
    EXPECT_LT(bo.right, bw.right);
  }
}

TEST_F(TextRender, MirrorXReflectsEveryPointAboutTheCopyCentre) {
  CText1Object obj;
  PlainText1(obj, "Fg刻", 30, 10);
  Japanese(obj);
  const CDoubleRect rc = Copy(30, 10, 3, 2);
  const TextOutlineLists plain = Capture1(obj, rc);
  obj.m_bMirrorX = 1;
  const TextOutlineLists mirrored = Capture1(obj, rc);
  ASSERT_EQ(plain.points.size(), mirrored.points.size());
  const double cx = (rc.left + rc.right) / 2;
  for (size_t i = 0; i < plain.points.size(); ++i) {
    EXPECT_NEAR(mirrored.points[i].x, 2 * cx - plain.points[i].x, 1.0);
    EXPECT_EQ(mirrored.points[i].y, plain.points[i].y);
  }
  EXPECT_EQ(plain.types, mirrored.types);
}

TEST_F(TextRender, ThickenedGlyphsGoThroughTheBitmapAndGrowByTheThickening) {
  CText1Object obj;
  PlainText1(obj, "H", 20, 10);
  const CDoubleRect rc = Copy(20, 10);
  Page path(2400, 1600), bitmap(2400, 1600);
  CDoubleRect bp, bb;
  r.DrawText1(path.dc(), &doc, rc.left, rc.top, rc.right, rc.bottom, &obj, 0, 1, &bp);
  obj.m_dLineWidthX = 0.1;
  r.DrawText1(bitmap.dc(), &doc, rc.left, rc.top, rc.right, rc.bottom, &obj, 0, 1, &bb);
  const double rx = r.LengthToLogicalAxis(0, 0.1);
  EXPECT_NEAR(bb.left, bp.left - rx, 1);
  EXPECT_NEAR(bb.right, bp.right + rx, 1);
  EXPECT_NEAR(bb.top, bp.top, 1);
  // Four dots wider: every row of each stem (about 150 rows) gains ink.
  EXPECT_GT(bitmap.InkCount(), path.InkCount() + 2 * 4 * 120);
  EXPECT_EQ(Unmatched(path, bitmap), 0);

  // Measuring gives the same grown bounds without painting.
  Page blank(2400, 1600);
  CDoubleRect bm;
  r.LayoutText1(blank.dc(), &doc, rc.left, rc.top, rc.right, rc.bottom, &obj, 0, 1, &bm, 0);
  EXPECT_EQ(blank.InkCount(), 0);
  EXPECT_NEAR(bm.left, bb.left, 1);
  EXPECT_NEAR(bm.right, bb.right, 1);

  // A thickening far beyond any bitmap is not built; the call still returns its bounds.
  obj.m_dLineWidthX = 1e7;
  Page huge(2400, 1600);
  CDoubleRect bh;
  r.DrawText1(huge.dc(), &doc, rc.left, rc.top, rc.right, rc.bottom, &obj, 0, 1, &bh);
  EXPECT_EQ(huge.InkCount(), 0);
  EXPECT_LT(bh.left, bp.left - 1e9);
}

TEST_F(TextRender, StrokeEdgeFollowsTheV2004Setting) {
  CText1Object obj;
  PlainText1(obj, "刻印", 20, 10);
  Japanese(obj);
  const CDoubleRect rc = Copy(20, 10);
  Page stroked(2400, 1600), plain(2400, 1600);
  doc.v2004 = 0;
  r.DrawText1(stroked.dc(), &doc, rc.left, rc.top, rc.right, rc.bottom, &obj, 0, 1, nullptr);
  doc.v2004 = 1;
  r.DrawText1(plain.dc(), &doc, rc.left, rc.top, rc.right, rc.bottom, &obj, 0, 1, nullptr);
  EXPECT_GT(stroked.InkCount(), plain.InkCount());
  EXPECT_EQ(Unmatched(plain, stroked), 0);
  // Without the text setting the document gets the stroke.
  Page noSetting(2400, 1600);
  r.DrawText1(noSetting.dc(), nullptr, rc.left, rc.top, rc.right, rc.bottom, &obj, 0, 1, nullptr);
  EXPECT_EQ(noSetting.InkCount(), stroked.InkCount());
}

TEST_F(TextRender, UnknownAlignmentSkipsTheLineAndMissingRecordsReadAsZero) {
  CText1Object obj;
  PlainText1(obj, "ABC", 20, 10);
  const CDoubleRect rc = Copy(20, 10);
  Page full(2400, 1600);
  r.DrawText1(full.dc(), &doc, rc.left, rc.top, rc.right, rc.bottom, &obj, 0, 1, nullptr);
  ASSERT_GT(full.InkCount(), 0);

  obj.m_vCharRecords.resize(1);
  Page shortRecords(2400, 1600);
  r.DrawText1(shortRecords.dc(), &doc, rc.left, rc.top, rc.right, rc.bottom, &obj, 0, 1, nullptr);
  EXPECT_EQ(shortRecords.InkCount(), full.InkCount());

  for (int align : {4, -1}) {
    obj.m_nAlign = align;
    Page none(2400, 1600);
    CDoubleRect bounds(1, 2, 3, 4);
    r.DrawText1(none.dc(), &doc, rc.left, rc.top, rc.right, rc.bottom, &obj, 0, 1, &bounds);
    EXPECT_EQ(none.InkCount(), 0);
    EXPECT_EQ(bounds, CDoubleRect(1, 2, 3, 4));
  }
  obj.m_nAlign = 0;
  obj.m_nWriteDirection = 2;
  TextOutlineLists l = Capture1(obj, rc);
  EXPECT_TRUE(l.counts.empty());
}

TEST_F(TextRender, TextAngleTurnsCellsClockwiseAndGlyphsAboutTheirCells) {
  CText1Object obj;
  PlainText1(obj, "IL", 20, 6);
  obj.m_nAlign = 3;
  const CDoubleRect rc = Copy(20, 6);
  obj.m_dAngle = 90;
  const TextOutlineLists l = Capture1(obj, rc);
  const Box i = BoxOf(CharPoints(l, 0)), ell = BoxOf(CharPoints(l, 1));
  // The first character now stands above the centre, the last below it.
  EXPECT_GT(i.CentreY(), (rc.top + rc.bottom) / 2 + r.LengthToLogicalAxis(1, 5));
  EXPECT_LT(ell.CentreY(), (rc.top + rc.bottom) / 2 - r.LengthToLogicalAxis(1, 5));
  // "I" lies on its side: wider than high.
  EXPECT_GT(i.right - i.left, 2 * (i.top - i.bottom));
}

TEST_F(TextRender, RecordAngleTurnsStraightTextClockwiseAndArcTextCounterClockwise) {
  // The stem of an "I": after a turn its topmost point lies right (clockwise) or left of its
  // lowest point.
  auto lean = [](const std::vector<POINT>& pts) {
    POINT top = pts[0], low = pts[0];
    for (const POINT& p : pts) {
      if (p.y > top.y) top = p;
      if (p.y < low.y) low = p;
    }
    return top.x - low.x;
  };
  CText1Object straight;
  PlainText1(straight, "I", 10, 10);
  straight.m_vCharRecords[0].dAngle = 30;
  const TextOutlineLists ls = Capture1(straight, Copy(10, 10));
  EXPECT_GT(lean(CharPoints(ls, 0)), r.LengthToLogicalAxis(0, 1));

  CText2Object arc;
  PlainText2(arc, "I");
  arc.m_dSpan = 0;  // the single place stands at 90 degrees, upright
  arc.m_vCharRecords[0].dAngle = 30;
  const TextOutlineLists la = Capture2(arc, Copy(40, 40));
  EXPECT_LT(lean(CharPoints(la, 0)), -r.LengthToLogicalAxis(0, 1));
}

TEST_F(TextRender, DefaultArcTextStandsOnItsTenPlaces) {
  CText2Object obj;
  PlainText2(obj, "1234567890");
  const CDoubleRect rc = Copy(40, 40);
  const TextOutlineLists l = Capture2(obj, rc);
  ASSERT_EQ(l.counts.size(), 10u);
  const double ox = (rc.left + rc.right) / 2, oy = (rc.top + rc.bottom) / 2;
  const int places[] = {220, 191, 162, 133, 104, 75, 46, 17, -11, -40};
  const double radius = r.LengthToLogicalAxis(0, 20);
  for (int i = 0; i < 10; ++i) {
    SCOPED_TRACE(i);
    const Box b = BoxOf(CharPoints(l, i));
    double angle = std::atan2(b.CentreY() - oy, b.CentreX() - ox) * 180 / M_PI;
    if (angle < places[i] - 180) angle += 360;
    if (angle > places[i] + 180) angle -= 360;
    EXPECT_NEAR(angle, places[i], 5);
    // Upper side: each glyph hangs inside the circle from it.
    const double d = std::hypot(b.CentreX() - ox, b.CentreY() - oy);
    EXPECT_LT(d, radius);
    EXPECT_GT(d, radius - r.LengthToLogicalAxis(0, 9));
  }
  // A one-character text stands at the left end of the arc.
  PlainText2(obj, "1");
  const Box one = BoxOf(CharPoints(Capture2(obj, rc), 0));
  EXPECT_NEAR(std::atan2(one.CentreY() - oy, one.CentreX() - ox) * 180 / M_PI, 220 - 360, 5);
}

TEST_F(TextRender, LowerSideGlyphStandsUprightOnTheEllipse) {
  CText2Object obj;
  PlainText2(obj, "H");
  obj.m_nDirection = 1;
  obj.m_dSpan = 120;  // one character: the place is 270 - 60 = 210 degrees
  const CDoubleRect rc = Copy(40, 40);
  obj.m_dSpan = 0;  // now exactly 270
  const TextOutlineLists l = Capture2(obj, rc);
  const Box b = BoxOf(CharPoints(l, 0));
  const double oy = (rc.top + rc.bottom) / 2, ox = (rc.left + rc.right) / 2;
  const double ry = r.LengthToLogicalAxis(1, 20);
  // Upright: as high as a drawn "H", standing just above the ellipse's lowest point.
  EXPECT_GT(b.bottom, oy - ry);
  EXPECT_LT(b.bottom, oy - ry + r.LengthToLogicalAxis(1, 3));
  EXPECT_GT(b.top - b.bottom, b.right - b.left);
  EXPECT_NEAR(b.CentreX(), ox, r.LengthToLogicalAxis(0, 2));

  // Blanks take a place but draw nothing; mirror X runs the text the other way.
  PlainText2(obj, "A B");
  obj.m_bMirrorX = 1;
  const TextOutlineLists m = Capture2(obj, rc);
  ASSERT_EQ(m.counts.size(), 3u);
  EXPECT_EQ(m.counts[1], 0);
  EXPECT_GT(BoxOf(CharPoints(m, 0)).CentreX(), BoxOf(CharPoints(m, 2)).CentreX());
}

TEST_F(TextRender, ArcTextDrawsWhereItsOutlineLies) {
  doc.v2004 = 1;
  CText2Object obj;
  PlainText2(obj, "ABC");
  obj.m_dCharHeight = 6;
  const CDoubleRect rc = Copy(40, 40);
  CDoubleRect bounds;
  r.DrawText2(page.dc(), &doc, rc.left, rc.top, rc.right, rc.bottom, &obj, 0, 1, &bounds);
  EXPECT_GT(page.InkCount(), 1000);
  EXPECT_GT(bounds.top, bounds.bottom);
  EXPECT_LT(bounds.top, rc.top + 1);
  // A thickened arc text goes through the bitmap and is wider.
  Page thick(2400, 1600);
  obj.m_dLineWidthX = 0.2;
  CDoubleRect tb;
  r.DrawText2(thick.dc(), &doc, rc.left, rc.top, rc.right, rc.bottom, &obj, 0, 1, &tb);
  EXPECT_GT(thick.InkCount(), page.InkCount());
  EXPECT_NEAR(tb.left, bounds.left - r.LengthToLogicalAxis(0, 0.2), 2);
}

// Measuring takes a glyph's bounds without building its path: they must be the bounds of the
// captured points, with the same answer and the same current position afterwards, for every
// alignment, mapping, face and style, and for glyphs with nothing to draw.
TEST_F(TextRender, GlyphBoundsAreThoseOfTheCapturedPoints) {
  CDC* dc = page.dc();
  const int oldMode = dc->GetMapMode();
  const std::string chars[] = {"A", "g", "%", " ", "", CString::FromUtf8("あ").str(), CString::FromUtf8("漢").str()};
  const UINT aligns[] = {TA_TOP | TA_LEFT, TA_BASELINE | TA_CENTER, TA_BOTTOM | TA_RIGHT, TA_UPDATECP,
                         TA_UPDATECP | TA_RIGHT | TA_BASELINE};
  int measured = 0;
  for (int mode : {MM_TEXT, MM_HIMETRIC})
    for (int style = 0; style < 4; ++style)
      for (LONG height : {-37, 501}) {
        dc->SetMapMode(mode);
        LOGFONT lf = textlayout::BaseFont((style & 1) ? FW_BOLD : FW_NORMAL, 128, CString::FromUtf8("ＭＳ 明朝"));
        lf.lfHeight = height;
        lf.lfItalic = (style & 2) ? 1 : 0;
        CFont font;
        ASSERT_TRUE(font.CreateFontIndirect(&lf));
        CFont* old = dc->SelectObject(&font);
        for (UINT align : aligns) {
          dc->SetTextAlign(align);
          for (const std::string& ch : chars) {
            dc->MoveTo(-123, 4567);
            std::vector<POINT> pts{{9, 9}};
            std::vector<BYTE> types{PT_MOVETO};
            const bool captured = textlayout::CaptureGlyph(dc, 250, -80, ch.c_str(), false, pts, types);
            const CPoint afterCapture = dc->GetCurrentPosition();
            dc->MoveTo(-123, 4567);
            RECT box{};
            const bool bounded = textlayout::CaptureGlyphBounds(dc, 250, -80, ch.c_str(), box);
            ASSERT_EQ(bounded, captured) << mode << " " << style << " " << align << " " << ch;
            EXPECT_EQ(dc->GetCurrentPosition(), afterCapture);
            EXPECT_FALSE(dc->IsPathOpen());
            if (!captured) continue;
            CDoubleRect want;
            CObjectRenderer::GetPointsBounds(pts.data(), static_cast<int>(pts.size()), &want, nullptr);
            EXPECT_EQ(box.left, want.left);
            EXPECT_EQ(box.right, want.right);
            EXPECT_EQ(box.top, want.bottom);
            EXPECT_EQ(box.bottom, want.top);
            ++measured;
          }
        }
        dc->SelectObject(old);
      }
  dc->SetMapMode(oldMode);
  dc->SetTextAlign(TA_TOP | TA_LEFT);
  EXPECT_GT(measured, 100);
}

}  // namespace
