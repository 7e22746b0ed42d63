// The text kinds: straight and arc text drawn, engraved and captured copy by copy through the
// renderer's text layout, and the part of the window one character record can change.
#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "canvas/leftview.h"
#include "canvas/leftview_copies.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "model/textobject.h"
#include "platform/cp932.h"
#include "platform/gdi/font_text.h"
#include "render/text_layout.h"
#include "render/text_layout_dc.h"

namespace {

int FillFlag(const CDrawObject* obj) { return obj->m_nOutputMode == 2 ? 1 : 0; }

// Characters of code page 932 in n bytes, counted as the layout counts a line's.
int CharsIn(const char* p, int n) {
  int count = 0;
  for (int i = 0; i < n; ++count) i += cp932::IsLeadByte(static_cast<unsigned char>(p[i])) ? 2 : 1;
  return count;
}

// The line of a straight text whose characters read record `record`, split as the layout splits
// the text: a line ends at a line feed found past its first byte, a CR before it dropped, and
// every line break takes two records. first and count: the line's first record and its
// characters. -1 when the record stands for a line break or lies past the text.
int LineOfRecord(const CString& text, long long record, long long& first, int& count) {
  const char* d = text.c_str();
  const int n = text.GetLength();
  long long before = 0;
  int start = 0;
  for (int i = 0;; ++i) {
    first = before + 2LL * i;
    if (record < first) return -1;
    const int f = text.Find('\n', start + 1);
    const int end = f < 0 ? n : (f - 1 >= start && d[f - 1] == '\r' ? f - 1 : f);
    count = start < end ? CharsIn(d + start, end - start) : 0;
    if (record < first + count) return i;
    // The lines after the last line feed are empty.
    if (f < 0) return -1;
    before += count;
    start = f + 1;
  }
}

}  // namespace

bool CLeftView::CharRecordBand(int index, int record, RECT& out) {
  if (!m_pDoc || !m_pDoc->GetObjectList() || m_pDoc->m_bPaintMode || !m_pRenderer || m_nCopyLimit > 0 || record < 0)
    return false;
  const CDrawObject* entry = m_pDoc->GetObjectList()->GetObject(index);
  if (!entry || entry->m_bDeleted || entry->m_nType != TYPE_TEXT1) return false;
  const auto& t = static_cast<const CText1Object&>(*entry);
  const int vertical = t.m_nWriteDirection;
  if (t.m_nRows != 1 || t.m_nColumns != 1 || t.m_dAngle != 0 || t.m_bMirrorX || t.m_bMirrorY ||
      (vertical != 0 && vertical != 1))
    return false;
  const CTextCharRecords& records = t.m_vCharRecords;
  long long first = 0;
  int count = 0;
  if (static_cast<size_t>(record) >= records.size()) return false;
  const int line = LineOfRecord(t.m_strText, record, first, count);
  if (line < 0) return false;

  std::unique_ptr<CDC> dc = GetDC();
  OnPrepareDC(dc.get());
  struct ModeScope {
    CObjectRenderer* renderer;
    int old;
    ~ModeScope() { renderer->SetMode(old); }
  } mode{m_pRenderer, m_pRenderer->SetMode(RENDER_SCREEN)};
  textlayout::TextDcState state(dc.get(), nullptr);
  auto L0 = [&](double v) { return m_pRenderer->LengthToLogicalAxis(0, v); };
  auto L1 = [&](double v) { return m_pRenderer->LengthToLogicalAxis(1, v); };
  // The line's rectangle as the layout places it: from the text's frame and sizes alone, never
  // from a record, so that no other line moves when a record changes.
  const CopyGrid grid = GetCopyGrid(entry);
  CDoubleRect frame;
  m_pRenderer->MmRectToLogical(grid.width, grid.height, grid.CentreX(0), grid.CentreY(0), &frame);
  double size = 0, step = 0;
  if (vertical == 1) {
    size = L0(t.m_dCharWidth);
    step = L0(t.m_dLineGap) + size;
  } else {
    size = L1(t.m_dCharHeight);
    step = L1(t.m_dLineGap) + size;
  }
  const CDoubleRect rect =
      textlayout::LineRect(vertical, line, frame.left, frame.top, frame.right, frame.bottom, size, step);
  // Its glyphs stand out of it by no more than the paint's line cull allows for.
  const int h0 = DoubleToInt(L1(t.m_dCharHeight));
  const int w0 = DoubleToInt(L0(t.m_dCharWidth));
  LOGFONT base = textlayout::BaseFont(t.m_nWeight, t.m_nCharSet, t.m_strFaceName);
  base.lfHeight = h0;
  base.lfWidth = w0;
  double k = 0;
  {
    textlayout::SelectedFont font(dc.get(), base);
    TEXTMETRIC tm;
    gditext::GetTextMetrics(*dc, &tm);
    if (tm.tmMaxCharWidth != 0) k = static_cast<double>(w0) / tm.tmMaxCharWidth;
  }
  const textlayout::Text1LineFrame lineFrame{vertical, (frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2,
                                             t.m_dAngle, 0, h0, w0, k, 0, t.m_nAlign,
                                             textlayout::DefaultCellOf(*dc)};
  static const CTextCharRecord kNoRecord{};
  std::vector<const CTextCharRecord*> lineRecords(static_cast<size_t>(count));
  const long long recordCount = static_cast<long long>(records.size());
  for (int j = 0; j < count; ++j)
    lineRecords[static_cast<size_t>(j)] =
        first + j < recordCount ? &records[static_cast<size_t>(first + j)] : &kNoRecord;
  const CString noText;
  const textlayout::Text1Line lineOf{line, noText, rect, lineRecords.data(), count, lineFrame};
  const double margin = textlayout::LineCull::Reach(lineOf, L0(1.0), L1(1.0), t.m_dCharHeight, t.m_dCharWidth,
                                                    t.m_dLineWidthX, t.m_dLineWidthY);
  if (!(margin < 1e300)) return false;
  // The band across the window, in client pixels, with the slack of pens and rounding.
  constexpr double kSlack = 4;
  const DPOINT a = vertical ? dc->LPtoDPExact(std::min(rect.left, rect.right) - margin, 0)
                            : dc->LPtoDPExact(0, std::min(rect.top, rect.bottom) - margin);
  const DPOINT b = vertical ? dc->LPtoDPExact(std::max(rect.left, rect.right) + margin, 0)
                            : dc->LPtoDPExact(0, std::max(rect.top, rect.bottom) + margin);
  const double lo = (vertical ? std::min(a.x, b.x) : std::min(a.y, b.y)) - kSlack;
  const double hi = (vertical ? std::max(a.x, b.x) : std::max(a.y, b.y)) + kSlack;
  if (!std::isfinite(lo) || !std::isfinite(hi)) return false;
  RECT client;
  GetClientRect(&client);
  const int from = vertical ? client.left : client.top, to = vertical ? client.right : client.bottom;
  const int bandLo = static_cast<int>(std::clamp(std::floor(lo), static_cast<double>(from), static_cast<double>(to)));
  const int bandHi = static_cast<int>(std::clamp(std::ceil(hi), static_cast<double>(from), static_cast<double>(to)));
  out = vertical ? RECT{bandLo, client.top, bandHi, client.bottom} : RECT{client.left, bandLo, client.right, bandHi};
  return true;
}

void CLeftView::InvalidateCharRecord(int index, int record) {
  Trace("---------CLeftView::InvalidateCharRecord\n");
  RECT band;
  if (!CharRecordBand(index, record, band)) {
    InvalidateObject(index);
    return;
  }
  if (band.right > band.left && band.bottom > band.top) CScrollView::InvalidateRect(&band, TRUE);
  m_bSkipTrackerDraw = 1;
}

void CLeftView::DrawText1(CDC* pDC, CText1Object* obj) {
  Trace("---------CLeftView::DrawText1\n");
  ClearCaptured(obj);
  DrawCopies(obj, [&](const CDoubleRect& r) {
    m_pRenderer->DrawText1(pDC, &m_RenderDoc, r.left, r.top, r.right, r.bottom, obj, obj->m_crColor, FillFlag(obj),
                            nullptr);
  });
}

void CLeftView::DrawText2(CDC* pDC, CText2Object* obj) {
  Trace("---------CLeftView::DrawText2\n");
  ClearCaptured(obj);
  DrawCopies(obj, [&](const CDoubleRect& r) {
    m_pRenderer->DrawText2(pDC, &m_RenderDoc, r.left, r.top, r.right, r.bottom, obj, obj->m_crColor, FillFlag(obj),
                            nullptr);
  });
}

void CLeftView::EngraveText1(CDC* pDC, CText1Object* obj, CDoubleRect* bounds) {
  Trace("---------CLeftView::EngraveText1\n");
  ClearCaptured(obj);
  EngraveCopies(obj, bounds, [&](const CDoubleRect& r, CDoubleRect* drawn) {
    m_pRenderer->DrawText1(pDC, &m_RenderDoc, r.left, r.top, r.right, r.bottom, obj, 0, FillFlag(obj), drawn);
  });
}

void CLeftView::EngraveText2(CDC* pDC, CText2Object* obj, CDoubleRect* bounds) {
  Trace("---------CLeftView::EngraveText2\n");
  ClearCaptured(obj);
  EngraveCopies(obj, bounds, [&](const CDoubleRect& r, CDoubleRect* drawn) {
    m_pRenderer->DrawText2(pDC, &m_RenderDoc, r.left, r.top, r.right, r.bottom, obj, 0, FillFlag(obj), drawn);
  });
}

int CLeftView::TakeTextLists(std::vector<POINT>& points, std::vector<BYTE>& types, const std::vector<int>& counts) {
  long long total = 0;
  for (int c : counts) total += c > 0 ? c : 0;
  // The per-glyph counts must describe the lists; anything else is not handed on.
  if (total <= 0 || total > static_cast<long long>(points.size()) || total > static_cast<long long>(types.size()))
    return 0;
  m_pOutlinePoints.assign(points.begin(), points.begin() + total);
  m_pOutlineTypes.assign(types.begin(), types.begin() + total);
  return static_cast<int>(total);
}

int CLeftView::GetText1Points(CDC* pDC, CText1Object* obj) {
  Trace("---------CLeftView::GetText1Points\n");
  TextOutlineLists lists;
  ForEachCopy(GetCopyGrid(obj), [&](const CDoubleRect& r, int, int, int) {
    m_pRenderer->GetText1Points(pDC, &m_RenderDoc, r.left, r.top, r.right, r.bottom, obj, lists);
  });
  if (lists.overflowed) return kObjectTooLarge;
  return TakeTextLists(lists.points, lists.types, lists.counts);
}

int CLeftView::GetText2Points(CDC* pDC, CText2Object* obj) {
  Trace("---------CLeftView::GetText2Points\n");
  TextOutlineLists lists;
  ForEachCopy(GetCopyGrid(obj), [&](const CDoubleRect& r, int, int, int) {
    m_pRenderer->GetText2Points(pDC, &m_RenderDoc, r.left, r.top, r.right, r.bottom, obj, lists);
  });
  if (lists.overflowed) return kObjectTooLarge;
  return TakeTextLists(lists.points, lists.types, lists.counts);
}
