// Arc text: one line of characters set one by one along an ellipse, on its upper side (tops
// outward) or its lower side (tops toward the centre), each glyph turned square to the radius
// through its place.
#include <vector>

#include "model/textobject.h"
#include "model/textutil.h"
#include "platform/gdi/font_text.h"
#include "render/object_renderer.h"
#include "render/text_layout.h"
#include "render/text_layout_dc.h"

namespace {

// One placed character of arc text, handed on with its font selected.
struct Text2Glyph {
  CDoubleRect box;
  int a = 0;
  double offX = 0;
  double offY = 0;
  const char* ch = "";
  int angle = 0;
  double recordAngle = 0;
  double thickX = 0;
  double thickY = 0;
};

// The layout shared by drawing, measuring and capture; capture takes the very fonts the drawing
// takes, so a captured outline lies where the drawn glyph does.
template <class Emit>
void RunText2Layout(const CObjectRenderer& r, CDC* dc, double left, double top, double right,
                    double bottom, const CText2Object* obj, Emit emit) {
  CTextUtil util;
  auto L0 = [&](double v) { return r.LengthToLogicalAxis(0, v); };
  auto L1 = [&](double v) { return r.LengthToLogicalAxis(1, v); };

  const CString text = util.RemoveNewLines(obj->m_strText);
  const int n = util.GetCharCount(text);
  const double ox = (left + right) / 2;
  const double oy = (top + bottom) / 2;
  const double rx = L0(obj->m_dRadiusX);
  const double ry = L1(obj->m_dRadiusY);
  const int lower = obj->m_nDirection != 0 ? 1 : 0;
  const double first =
      CObjectRenderer::DrawArcGuide(nullptr, left, top, right, bottom, rx, ry, obj->m_dAngle, obj->m_dSpan, lower).x;
  const double step = textlayout::ArcStep(n, obj->m_dSpan, lower);

  LOGFONT base = textlayout::BaseFont(obj->m_nWeight, obj->m_nCharSet, obj->m_strFaceName);
  const int h0 = DoubleToInt(-L1(obj->m_dCharHeight));
  const int w0 = DoubleToInt(-L0(obj->m_dCharWidth));
  base.lfHeight = h0;
  base.lfWidth = w0;
  double k = 0;
  {
    textlayout::SelectedFont font(dc, base);
    TEXTMETRIC tm;
    gditext::GetTextMetrics(*dc, &tm);
    if (tm.tmMaxCharWidth != 0) k = L0(obj->m_dCharWidth) / tm.tmMaxCharWidth;
  }
  base.lfItalic = obj->m_bItalic != 0 ? 1 : 0;

  const int mirror = (obj->m_bMirrorX ? 1 : 0) + (obj->m_bMirrorY ? 2 : 0);
  int at = 0;  // byte offset of character i, carried along to stay linear
  textlayout::FontRun font(dc);
  for (int i = 0; i < n; ++i) {
    const CTextCharRecord rec = obj->GetCharRecord(i);
    LOGFONT lf = base;
    lf.lfHeight = DoubleToInt(h0 - L1(rec.dSizeY));
    lf.lfWidth = DoubleToInt((w0 - L0(rec.dSizeX)) * k);
    font.Select(lf);

    const int width = util.CharWidthAt(text, at);
    const CString ch = text.Mid(at, width);
    at += width;
    const UINT code = textlayout::CharCode(ch);
    ABC abc;
    gditext::GetCharABCWidths(*dc, code, code, &abc);
    SIZE ext{};
    gditext::GetTextExtentPoint32(*dc, ch.c_str(), ch.GetLength(), &ext);

    const int theta = textlayout::ArcPlaceAngle(i, step, first);
    CDoublePoint p;
    const double q = CObjectRenderer::GetEllipseAngle(ox, oy, rx, ry, theta, &p);
    Text2Glyph g;
    g.angle = DoubleToInt(lower ? q + 90 : q - 90);
    g.box = CDoubleRect(p.x, p.y, p.x + ext.cx, p.y - ext.cy);
    g.a = abc.abcA;
    g.thickX = obj->m_dLineWidthX + rec.dFontWidthX;
    g.thickY = obj->m_dLineWidthY + rec.dFontWidthY;
    g.offX = L0(rec.dOffsetX);
    g.offY = L1(rec.dOffsetY);
    g.recordAngle = rec.dAngle;
    g.ch = ch.c_str();
    emit(g, ox, oy, mirror, lower);
  }
}

// Anchor, box centre, shift and lift of a glyph box.
struct Text2Frame {
  int ax, ay;
  double bx, by;
  int t, u;
};

Text2Frame FrameOf(const CDoubleRect& box, int a, int lower) {
  Text2Frame f;
  f.ax = DoubleToInt(box.left);
  f.ay = DoubleToInt(box.top);
  f.bx = (box.left + box.right) / 2;
  f.by = (box.top + box.bottom) / 2;
  f.t = DoubleToInt((box.right - box.left) / 2 + a);
  f.u = lower ? DoubleToInt(box.top - box.bottom) : 0;
  return f;
}

}  // namespace

void CObjectRenderer::DrawText2(CDC* dc, IRenderDocument* doc, double left, double top, double right,
                                double bottom, CText2Object* obj, COLORREF colour, int fill,
                                CDoubleRect* bounds) {
  LayoutText2(dc, doc, left, top, right, bottom, obj, colour, fill, bounds, 1);
}

void CObjectRenderer::LayoutText2(CDC* dc, IRenderDocument* doc, double left, double top, double right,
                                  double bottom, CText2Object* obj, COLORREF colour, int fill,
                                  CDoubleRect* bounds, int paint) {
  if (dc == nullptr || obj == nullptr) return;
  const int strokeEdge = textlayout::StrokeEdgeOf(doc);
  textlayout::TextDcState state(dc, &colour);
  int notFirst = 0;
  RunText2Layout(*this, dc, left, top, right, bottom, obj,
                 [&](const Text2Glyph& g, double ox, double oy, int mirror, int lower) {
                   CDoubleRect glyph;
                   if (!DrawText2Char(dc, ox, oy, g.box, g.a, g.offX, g.offY, g.ch, colour, fill, mirror, g.angle,
                                      g.recordAngle, lower, g.thickX, g.thickY, &glyph, paint, strokeEdge))
                     return;
                   if (bounds != nullptr) {
                     UnionBounds(*bounds, glyph, notFirst);
                     notFirst = 1;
                   }
                 });
}

void CObjectRenderer::GetText2Points(CDC* dc, IRenderDocument* /*doc*/, double left, double top, double right,
                                     double bottom, CText2Object* obj, TextOutlineLists& lists) {
  // Past the point limit the object is refused whole: the copies after it need no glyphs.
  if (dc == nullptr || obj == nullptr || lists.overflowed) return;
  textlayout::TextDcState state(dc, nullptr);
  RunText2Layout(*this, dc, left, top, right, bottom, obj,
                 [&](const Text2Glyph& g, double ox, double oy, int mirror, int lower) {
                   const int n = GetText2GlyphPoints(dc, ox, oy, g.box, g.a, g.offX, g.offY, g.ch, mirror, g.angle,
                                                     g.recordAngle, lower, g.thickX, g.thickY, lists);
                   lists.counts.push_back(n);
                 });
}

BOOL CObjectRenderer::DrawText2Char(CDC* dc, double cx, double cy, const CDoubleRect& box, int a, double offX,
                                    double offY, const char* ch, COLORREF colour, int fill, int mirror, int angle,
                                    double recordAngle, int lower, double thickX, double thickY,
                                    CDoubleRect* glyphBounds, int paint, int strokeEdge) {
  if (ch == nullptr || textlayout::IsBlankChar(CString(ch))) return FALSE;
  if (fill == 1 && (thickX != 0 || thickY != 0))
    return DrawText2GlyphBitmap(dc, cx, cy, box, a, offX, offY, ch, colour, fill, mirror, angle, recordAngle,
                                lower, thickX, thickY, glyphBounds, paint, strokeEdge);
  return DrawText2GlyphPath(dc, cx, cy, box, a, offX, offY, ch, colour, fill, mirror, angle, recordAngle, lower,
                            thickX, thickY, glyphBounds, paint, strokeEdge);
}

BOOL CObjectRenderer::DrawText2GlyphPath(CDC* dc, double cx, double cy, const CDoubleRect& box, int a,
                                         double offX, double offY, const char* ch, COLORREF colour, int fill,
                                         int mirror, int angle, double recordAngle, int lower,
                                         double /*thickX*/, double /*thickY*/, CDoubleRect* glyphBounds,
                                         int paint, int strokeEdge) {
  const Text2Frame f = FrameOf(box, a, lower);
  textlayout::GlyphTools tools(dc, colour);
  std::vector<POINT> pts;
  std::vector<BYTE> types;
  if (!textlayout::CaptureGlyph(dc, f.ax, f.ay, ch, false, pts, types)) return FALSE;
  const int n = static_cast<int>(pts.size());
  TransformText2Path(mirror, angle, pts.data(), n, f.ax, f.ay, offX, offY, f.bx, f.by, cx, cy, recordAngle, f.t,
                     f.u);
  if (paint == 1) textlayout::PaintGlyph(dc, pts, types, fill, strokeEdge);
  GetPointsBounds(pts.data(), n, glyphBounds, nullptr);
  return TRUE;
}

BOOL CObjectRenderer::DrawText2GlyphBitmap(CDC* dc, double cx, double cy, const CDoubleRect& box, int a,
                                           double offX, double offY, const char* ch, COLORREF colour,
                                           int /*fill*/, int mirror, int angle, double recordAngle, int lower,
                                           double thickX, double thickY, CDoubleRect* glyphBounds, int paint,
                                           int strokeEdge) {
  const Text2Frame f = FrameOf(box, a, lower);
  std::vector<POINT> pts;
  std::vector<BYTE> types;
  {
    textlayout::GlyphTools tools(dc, colour);
    if (!textlayout::CaptureGlyph(dc, f.ax, f.ay, ch, false, pts, types)) return FALSE;
  }
  TransformText2Path(mirror, angle, pts.data(), static_cast<int>(pts.size()), f.ax, f.ay, offX, offY, f.bx, f.by,
                     cx, cy, recordAngle, f.t, f.u);
  textlayout::PaintThickenedGlyph(*this, dc, pts, types, colour, thickX, thickY, glyphBounds, paint, strokeEdge);
  return TRUE;
}

void CObjectRenderer::TransformText2Path(int mirror, int angle, POINT* pts, int count, int ax, int ay,
                                         double offX, double offY, double bx, double by, double copyX,
                                         double copyY, double recordAngle, int t, int u) {
  if (mirror < 0 || mirror > 3 || pts == nullptr) return;
  CDoublePoint ref;
  RotatePoint(&ref, ax, ay, bx - t, by + u, angle);
  for (int i = 0; i < count; ++i) {
    CDoublePoint q;
    RotatePoint(&q, ax, ay, static_cast<double>(pts[i].x) - t, static_cast<double>(pts[i].y) + u, angle);
    if (recordAngle != 0) {
      CDoublePoint turned;
      RotatePoint(&turned, ref.x, ref.y, q.x, q.y, recordAngle);
      q = turned;
    }
    double x = offX + q.x;
    double y = offY + q.y;
    if (mirror & 1) x = 2 * copyX - x;
    if (mirror & 2) y = 2 * copyY - y;
    pts[i].x = DoubleToInt(x);
    pts[i].y = DoubleToInt(y);
  }
}

int CObjectRenderer::GetText2GlyphPoints(CDC* dc, double cx, double cy, const CDoubleRect& box, int a,
                                         double offX, double offY, const char* ch, int mirror, int angle,
                                         double recordAngle, int lower, double /*thickX*/, double /*thickY*/,
                                         TextOutlineLists& lists) {
  const Text2Frame f = FrameOf(box, a, lower);
  std::vector<POINT> pts;
  std::vector<BYTE> types;
  // Past the point limit no further glyph is worth flattening.
  if (ch == nullptr || lists.overflowed || !textlayout::CaptureGlyph(dc, f.ax, f.ay, ch, true, pts, types)) return 0;
  const int n = static_cast<int>(pts.size());
  TransformText2Path(mirror, angle, pts.data(), n, f.ax, f.ay, offX, offY, f.bx, f.by, cx, cy, recordAngle, f.t,
                     f.u);
  return lists.Append(pts, types) ? n : 0;
}
