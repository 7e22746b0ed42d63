// Straight text: lines of characters laid out in a copy's rectangle, each glyph built as a path,
// placed, and painted as a path or through a thickened glyph image; the same layout measures and
// captures outlines.
#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>

#include "model/textobject.h"
#include "model/textutil.h"
#include "platform/gdi/font_text.h"
#include "render/object_renderer.h"
#include "render/text_layout.h"
#include "render/text_layout_dc.h"

namespace {

// One placed character, handed to the drawing or the capturing step with its font selected.
struct Text1Glyph {
  RECT cell{};
  int a = 0;
  const char* ch = "";
  double angle = 0;
  double thickX = 0;
  double thickY = 0;
};

// The layout shared by drawing, measuring and capture. Capture takes the very fonts the drawing
// takes, so a captured outline lies where the drawn glyph does. emit(glyph) runs for every placed
// character. Before a line is laid out, skip(line) may leave it out; lineDone(i) follows every
// line laid out.
template <class Emit, class Skip, class LineDone>
void RunText1Layout(const CObjectRenderer& r, CDC* dc, double left, double top, double right,
                    double bottom, const CText1Object* obj, Emit emit, Skip skip, LineDone lineDone) {
  CTextUtil util;
  auto L0 = [&](double v) { return r.LengthToLogicalAxis(0, v); };
  auto L1 = [&](double v) { return r.LengthToLogicalAxis(1, v); };

  const double ox = (left + right) / 2;
  const double oy = (top + bottom) / 2;
  const int lineCount = util.GetLineCount(obj->m_strText);
  std::vector<CString> lines(static_cast<size_t>(lineCount));
  util.SplitLines(obj->m_strText, lines.data(), lineCount);
  // The object's records hold one for each character and two for each line break between lines.
  const CTextCharRecords& allRecords = obj->m_vCharRecords;
  const long long recordCount = static_cast<long long>(allRecords.size());
  static const CTextCharRecord kNoRecord{};
  std::vector<const CTextCharRecord*> lineRecords;

  const int vertical = obj->m_nWriteDirection;
  double size, step, pitch;
  if (vertical == 1) {
    size = L0(obj->m_dCharWidth);
    step = L0(obj->m_dLineGap) + size;
    pitch = L1(obj->m_dCharGap);
  } else {
    size = L1(obj->m_dCharHeight);
    step = L1(obj->m_dLineGap) + size;
    pitch = L0(obj->m_dCharGap);
  }

  LOGFONT base = textlayout::BaseFont(obj->m_nWeight, obj->m_nCharSet, obj->m_strFaceName);
  const int h0 = DoubleToInt(L1(obj->m_dCharHeight));
  const int w0 = DoubleToInt(L0(obj->m_dCharWidth));
  base.lfHeight = h0;
  base.lfWidth = w0;
  double k = 0;
  {
    textlayout::SelectedFont font(dc, base);
    TEXTMETRIC tm;
    gditext::GetTextMetrics(*dc, &tm);
    if (tm.tmMaxCharWidth != 0) k = static_cast<double>(w0) / tm.tmMaxCharWidth;
  }
  base.lfItalic = obj->m_bItalic != 0 ? 1 : 0;

  const int mirror = (obj->m_bMirrorX ? 1 : 0) + (obj->m_bMirrorY ? 2 : 0);
  const textlayout::Text1LineFrame frame{vertical, ox, oy, obj->m_dAngle, mirror, h0, w0, k, pitch, obj->m_nAlign,
                                         textlayout::DefaultCellOf(*dc)};
  long long before = 0;  // characters of the lines above, carried along
  for (int i = 0; i < lineCount; ++i) {
    const CString& line = lines[i];
    const int m = util.GetCharCount(line);
    const long long first = before + 2LL * i;
    before += m;
    if (m == 0) continue;
    const CDoubleRect lineRect =
        textlayout::LineRect(vertical, i, left, top, right, bottom, size, step);
    lineRecords.resize(static_cast<size_t>(m));
    for (int j = 0; j < m; ++j)
      lineRecords[j] = first + j < recordCount ? &allRecords[static_cast<size_t>(first + j)] : &kNoRecord;
    if (skip(textlayout::Text1Line{i, line, lineRect, lineRecords.data(), m, frame})) continue;
    textlayout::CountLaidOutLine();

    std::vector<textlayout::CharMetrics> metrics(static_cast<size_t>(m));
    std::vector<CString> chars(static_cast<size_t>(m));
    std::vector<RECT> cells(static_cast<size_t>(m));
    // The byte offset of character j, carried along: finding each from the start would make a
    // long line's layout quadratic.
    int at = 0;
    textlayout::FontRun measureFont(dc);
    for (int j = 0; j < m; ++j) {
      const CTextCharRecord& rec = *lineRecords[j];
      LOGFONT lf = base;
      lf.lfHeight = DoubleToInt(L1(rec.dSizeY) + h0);
      lf.lfWidth = DoubleToInt((L0(rec.dSizeX) + w0) * k);
      measureFont.Select(lf);
      const int width = util.CharWidthAt(line, at);
      chars[j] = line.Mid(at, width);
      at += width;
      const UINT code = textlayout::CharCode(chars[j]);
      ABCFLOAT abc;
      gditext::GetCharABCWidthsFloat(*dc, code, code, &abc);
      textlayout::CharMetrics& cm = metrics[j];
      cm.a = abc.abcfA;
      cm.b = abc.abcfB;
      cm.c = abc.abcfC;
      if (textlayout::IsBlankCode(code)) textlayout::HalveBlank(cm.a, cm.b, cm.c);
      SIZE ext{};
      gditext::GetTextExtentPoint32(*dc, chars[j].c_str(), chars[j].GetLength(), &ext);
      cm.cx = ext.cx;
      cm.cy = ext.cy;
      cm.offsetX = L0(rec.dOffsetX);
      cm.offsetY = L1(rec.dOffsetY);
    }
    // An alignment or writing direction the layout does not know leaves the line undrawn.
    if (!textlayout::PlaceLineCells(obj->m_nAlign, vertical, lineRect, pitch, metrics.data(), m,
                                    cells.data()))
      continue;

    textlayout::FontRun glyphFont(dc);
    for (int j = 0; j < m; ++j) {
      const CTextCharRecord& rec = *lineRecords[j];
      LOGFONT lf = base;
      lf.lfHeight = DoubleToInt(L1(obj->m_dCharHeight + rec.dSizeY));
      lf.lfWidth = DoubleToInt(L0(obj->m_dCharWidth + rec.dSizeX) * k);
      glyphFont.Select(lf);
      Text1Glyph g;
      g.cell = cells[j];
      if (obj->m_dAngle != 0)
        g.cell = textlayout::TurnCell(g.cell, ox, oy, -obj->m_dAngle, CObjectRenderer::RotatePoint);
      g.thickX = obj->m_dLineWidthX + rec.dFontWidthX;
      g.thickY = obj->m_dLineWidthY + rec.dFontWidthY;
      g.angle = -rec.dAngle - obj->m_dAngle;
      g.a = DoubleToInt(metrics[j].a);
      g.ch = chars[j].c_str();
      emit(g, ox, oy, mirror);
    }
    lineDone(i);
  }
}

template <class Emit>
void RunText1Layout(const CObjectRenderer& r, CDC* dc, double left, double top, double right,
                    double bottom, const CText1Object* obj, Emit emit) {
  RunText1Layout(r, dc, left, top, right, bottom, obj, emit, [](const textlayout::Text1Line&) { return false; },
                 [](int) {});
}

// The centre of a cell as the glyph routines take it.
void CellCentre(const RECT& cell, int& x, int& y) {
  x = sat::Add(cell.left, sat::HalfSpan(cell.right, cell.left));
  y = sat::Sub(cell.top, sat::HalfSpan(cell.top, cell.bottom));
}

}  // namespace

void CObjectRenderer::DrawText1(CDC* dc, IRenderDocument* doc, double left, double top, double right,
                                double bottom, CText1Object* obj, COLORREF colour, int fill,
                                CDoubleRect* bounds) {
  LayoutText1(dc, doc, left, top, right, bottom, obj, colour, fill, bounds, 1);
}

void CObjectRenderer::LayoutText1(CDC* dc, IRenderDocument* doc, double left, double top, double right,
                                  double bottom, CText1Object* obj, COLORREF colour, int fill,
                                  CDoubleRect* bounds, int paint) {
  if (dc == nullptr || obj == nullptr) return;
  const int strokeEdge = textlayout::StrokeEdgeOf(doc);
  textlayout::TextDcState state(dc, &colour);
  int notFirst = 0;
  auto L0 = [&](double v) { return LengthToLogicalAxis(0, v); };
  auto L1 = [&](double v) { return LengthToLogicalAxis(1, v); };
  // A paint that gathers no bounds lays out only the lines that can reach the clip box; a
  // measure takes the bounds of lines it measured before as they were, and measures the rest.
  const bool cull = paint == 1 && bounds == nullptr && !textlayout::WholeTextLayout();
  const bool cache = paint == 0 && bounds != nullptr && !textlayout::WholeTextLayout();
  textlayout::ClipQuad clip;
  if (cull && !textlayout::ClipBoxOf(*dc, clip)) return;  // nothing of the DC can be painted
  textlayout::Text1MeasureCache& kept = textlayout::Text1MeasureCache::ForThread();
  textlayout::Text1MeasureCache::Key lineKey{};
  CDoubleRect lineBounds;
  int lineAny = 0;
  std::optional<textlayout::LineCull> lineCull;  // the frame comes with the first line
  auto skip = [&](const textlayout::Text1Line& line) {
    if (cull) {
      if (!lineCull)
        lineCull.emplace(clip, line.frame, L0(1.0), L1(1.0), obj->m_dCharHeight, obj->m_dCharWidth,
                         obj->m_dLineWidthX, obj->m_dLineWidthY);
      return !lineCull->MayMeet(line);
    }
    if (!cache) return false;
    lineKey = textlayout::Text1MeasureCache::KeyOf(line, *dc, L0(1000), L1(1000), obj, fill, left, top, right,
                                                   bottom);
    lineAny = 0;
    CDoubleRect got;
    int any = 0;
    if (!kept.Find(lineKey, got, any)) return false;
    if (any) {
      UnionBounds(*bounds, got, notFirst);
      notFirst = 1;
    }
    return true;
  };
  auto lineDone = [&](int) {
    if (cache) kept.Put(lineKey, lineBounds, lineAny);
  };
  RunText1Layout(
      *this, dc, left, top, right, bottom, obj,
      [&](const Text1Glyph& g, double ox, double oy, int mirror) {
        // A paint that gathers no bounds needs no glyph's.
        CDoubleRect glyph;
        if (!DrawText1Char(dc, ox, oy, g.cell, g.a, g.ch, colour, fill, mirror, g.angle, g.thickX, g.thickY,
                           bounds != nullptr ? &glyph : nullptr, paint, strokeEdge))
          return;
        if (bounds != nullptr) {
          UnionBounds(*bounds, glyph, notFirst);
          notFirst = 1;
          UnionBounds(lineBounds, glyph, lineAny);
          lineAny = 1;
        }
      },
      skip, lineDone);
}

void CObjectRenderer::GetText1Points(CDC* dc, IRenderDocument* /*doc*/, double left, double top, double right,
                                     double bottom, CText1Object* obj, TextOutlineLists& lists) {
  // Past the point limit the object is refused whole: the copies after it need no glyphs.
  if (dc == nullptr || obj == nullptr || lists.overflowed) return;
  textlayout::TextDcState state(dc, nullptr);
  RunText1Layout(*this, dc, left, top, right, bottom, obj,
                 [&](const Text1Glyph& g, double ox, double oy, int mirror) {
                   const int n = GetText1GlyphPoints(dc, ox, oy, g.cell, g.a, g.ch, lists, mirror,
                                                     DoubleToInt(g.angle), g.thickX, g.thickY);
                   lists.counts.push_back(n);
                 });
}

BOOL CObjectRenderer::DrawText1Char(CDC* dc, double cx, double cy, const RECT& cell, int a, const char* ch,
                                    COLORREF colour, int fill, int mirror, double angle, double thickX,
                                    double thickY, CDoubleRect* glyphBounds, int paint, int strokeEdge) {
  if (ch == nullptr || textlayout::IsBlankChar(CString(ch))) return FALSE;
  if (fill == 1 && (thickX != 0 || thickY != 0))
    return DrawGlyphBitmap(dc, cx, cy, cell, a, ch, colour, fill, mirror, angle, thickX, thickY, glyphBounds,
                           paint, strokeEdge);
  return DrawGlyphPath(dc, cx, cy, cell, a, ch, colour, fill, mirror, angle, thickX, thickY, glyphBounds, paint,
                       strokeEdge);
}

BOOL CObjectRenderer::DrawGlyphPath(CDC* dc, double cx, double cy, const RECT& cell, int a, const char* ch,
                                    COLORREF colour, int fill, int mirror, double angle, double /*thickX*/,
                                    double /*thickY*/, CDoubleRect* glyphBounds, int paint, int strokeEdge) {
  if (paint != 1 && mirror == 0 && angle == 0) {
    // Measuring an unturned glyph needs the bounds of its points, not the points; nothing is drawn
    // with the glyph's pen and brush.
    RECT box;
    if (!textlayout::CaptureGlyphBounds(dc, sat::Sub(cell.left, a), cell.top, ch, box)) return FALSE;
    if (glyphBounds != nullptr) glyphBounds->SetRect(box.left, box.bottom, box.right, box.top);
    return TRUE;
  }
  int ccx = 0, ccy = 0;
  CellCentre(cell, ccx, ccy);
  textlayout::GlyphTools tools(dc, colour);
  // Reused from glyph to glyph: a long text would otherwise allocate twice for every character.
  thread_local std::vector<POINT> pts;
  thread_local std::vector<BYTE> types;
  if (paint == 1 && mirror == 0 && angle == 0) {
    // Nothing moves the points between capture and paint.
    if (!textlayout::CaptureAndPaintGlyph(dc, sat::Sub(cell.left, a), cell.top, ch, fill, strokeEdge, pts, types))
      return FALSE;
    GetPointsBounds(pts.data(), static_cast<int>(pts.size()), glyphBounds, nullptr);
    return TRUE;
  }
  if (!textlayout::CaptureGlyph(dc, sat::Sub(cell.left, a), cell.top, ch, false, pts, types)) return FALSE;
  const int n = static_cast<int>(pts.size());
  TransformText1Path(mirror, angle, pts.data(), n, ccx, ccy, cx, cy);
  if (paint == 1) textlayout::PaintGlyph(dc, pts, types, fill, strokeEdge);
  GetPointsBounds(pts.data(), n, glyphBounds, nullptr);
  return TRUE;
}

BOOL CObjectRenderer::DrawGlyphBitmap(CDC* dc, double cx, double cy, const RECT& cell, int a, const char* ch,
                                      COLORREF colour, int /*fill*/, int mirror, double angle, double thickX,
                                      double thickY, CDoubleRect* glyphBounds, int paint, int strokeEdge) {
  int ccx = 0, ccy = 0;
  CellCentre(cell, ccx, ccy);
  std::vector<POINT> pts;
  std::vector<BYTE> types;
  {
    textlayout::GlyphTools tools(dc, colour);
    if (!textlayout::CaptureGlyph(dc, sat::Sub(cell.left, a), cell.top, ch, true, pts, types)) return FALSE;
  }
  TransformText1Path(mirror, angle, pts.data(), static_cast<int>(pts.size()), ccx, ccy, cx, cy);
  textlayout::PaintThickenedGlyph(*this, dc, pts, types, colour, thickX, thickY, glyphBounds, paint, strokeEdge);
  return TRUE;
}

void CObjectRenderer::TransformText1Path(int mirror, double angle, POINT* pts, int count, int cellX, int cellY,
                                         double copyX, double copyY) {
  // Unturned and unmirrored points come back as they are (an int survives the trip through double).
  if (mirror < 0 || mirror > 3 || pts == nullptr || (mirror == 0 && angle == 0)) return;
  for (int i = 0; i < count; ++i) {
    double x = pts[i].x;
    double y = pts[i].y;
    if (angle != 0) {
      CDoublePoint p;
      RotatePoint(&p, cellX, cellY, x, y, angle);
      x = p.x;
      y = p.y;
    }
    if (mirror & 1) x = 2 * copyX - x;
    if (mirror & 2) y = 2 * copyY - y;
    pts[i].x = DoubleToInt(x);
    pts[i].y = DoubleToInt(y);
  }
}

int CObjectRenderer::GetText1GlyphPoints(CDC* dc, double cx, double cy, const RECT& cell, int a, const char* ch,
                                         TextOutlineLists& lists, int mirror, int angle, double /*thickX*/,
                                         double /*thickY*/) {
  int ccx = 0, ccy = 0;
  CellCentre(cell, ccx, ccy);
  std::vector<POINT> pts;
  std::vector<BYTE> types;
  // Past the point limit no further glyph is worth flattening.
  if (ch == nullptr || lists.overflowed ||
      !textlayout::CaptureGlyph(dc, sat::Sub(cell.left, a), cell.top, ch, true, pts, types)) return 0;
  const int n = static_cast<int>(pts.size());
  TransformText1Path(mirror, angle, pts.data(), n, ccx, ccy, cx, cy);
  return lists.Append(pts, types) ? n : 0;
}
