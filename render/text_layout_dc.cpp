#include "render/text_layout_dc.h"

#include <cmath>
#include <cstring>

#include "imaging/monobmp.h"
#include "imaging/monoimagetool.h"
#include "model/drawobject.h"
#include "platform/gdi/dib.h"
#include "platform/gdi/font_text.h"
#include "render/text_layout.h"

namespace textlayout {

TextDcState::TextDcState(CDC* dc, const COLORREF* colour) : m_dc(dc) {
  m_bkMode = dc->SetBkMode(TRANSPARENT);
  m_mapMode = dc->SetMapMode(MM_HIMETRIC);
  m_fillMode = dc->SetPolyFillMode(WINDING);
  if (colour != nullptr) dc->SetTextColor(*colour);
}

TextDcState::~TextDcState() {
  m_dc->SetBkMode(m_bkMode);
  m_dc->SetMapMode(m_mapMode);
  m_dc->SetPolyFillMode(m_fillMode);
}

SelectedFont::SelectedFont(CDC* dc, const LOGFONT& lf) : m_dc(dc) {
  m_font.CreateFontIndirect(&lf);
  m_old = dc->SelectObject(&m_font);
}

SelectedFont::~SelectedFont() {
  m_dc->SelectObject(m_old);
  m_font.DeleteObject();
}

void FontRun::Select(const LOGFONT& lf) {
  if (m_font && std::memcmp(&lf, &m_lf, sizeof lf) == 0) return;
  m_font.reset();
  m_font.emplace(m_dc, lf);
  m_lf = lf;
}

GlyphTools::GlyphTools(CDC* dc, COLORREF colour) : m_dc(dc) {
  m_brush.CreateSolidBrush(colour);
  m_pen.CreatePen(PS_SOLID, 1, colour);
  m_oldBrush = dc->SelectObject(&m_brush);
  m_oldPen = dc->SelectObject(&m_pen);
  m_selected = true;
}

void GlyphTools::Release() {
  if (!m_selected) return;
  m_dc->SelectObject(m_oldPen);
  m_dc->SelectObject(m_oldBrush);
  m_selected = false;
}

int StrokeEdgeOf(IRenderDocument* doc) {
  const auto* settings = dynamic_cast<const ITextRenderSettings*>(doc);
  return (settings != nullptr && settings->GetV2004String()) ? 0 : 1;
}

LOGFONT BaseFont(int weight, int charSet, const CString& face) {
  LOGFONT lf;
  lf.lfWeight = weight;
  lf.lfCharSet = static_cast<BYTE>(charSet);
  lf.lfQuality = PROOF_QUALITY;
  lf.lfItalic = 0;
  const int n = FitToCharBoundary(face.c_str(), LF_FACESIZE - 1);
  std::memcpy(lf.lfFaceName, face.c_str(), static_cast<size_t>(n));
  lf.lfFaceName[n] = '\0';
  return lf;
}

namespace {

// Records ch's outline at x, y as the DC's path and reads it into pts and types, the path left
// open for the caller. False, with the path ended and the buffers empty, when there is nothing.
// Buffers kept by the caller are reused as they are: their old points are all overwritten.
bool RecordGlyphPath(CDC* dc, int x, int y, const char* ch, bool flatten, std::vector<POINT>& pts,
                     std::vector<BYTE>& types) {
  dc->BeginPath();
  gditext::TextOut(*dc, x, y, ch, static_cast<int>(std::strlen(ch)));
  dc->EndPath();
  if (flatten) dc->FlattenPath();
  const int n = dc->GetPath(nullptr, nullptr, 0);
  int got = 0;
  if (n > 0) {
    pts.resize(n);
    types.resize(n);
    got = dc->GetPath(pts.data(), types.data(), n);
  }
  if (got <= 0) {
    dc->AbortPath();
    pts.clear();
    types.clear();
    return false;
  }
  pts.resize(got);
  types.resize(got);
  return true;
}

}  // namespace

bool CaptureGlyph(CDC* dc, int x, int y, const char* ch, bool flatten, std::vector<POINT>& pts,
                  std::vector<BYTE>& types) {
  if (!RecordGlyphPath(dc, x, y, ch, flatten, pts, types)) return false;
  dc->AbortPath();
  return true;
}

namespace {

// Whether PolyDraw into an empty path rebuilds these points and types exactly: valid types, and
// every figure opened by a move (PolyDraw would start any other at the current position).
bool RebuildsAsRecorded(const std::vector<BYTE>& types) {
  const size_t n = types.size();
  bool open = false;
  for (size_t i = 0; i < n; ++i) {
    const BYTE t = types[i];
    if (t == PT_MOVETO) {
      open = true;
      continue;
    }
    if (!open) return false;
    if (t == PT_LINETO || t == (PT_LINETO | PT_CLOSEFIGURE)) {
      open = t == PT_LINETO;
      continue;
    }
    if (t != PT_BEZIERTO || i + 2 >= n || types[i + 1] != PT_BEZIERTO ||
        (types[i + 2] & ~PT_CLOSEFIGURE) != PT_BEZIERTO)
      return false;
    open = (types[i + 2] & PT_CLOSEFIGURE) == 0;
    i += 2;
  }
  return true;
}

void PaintClosedPath(CDC* dc, int fill, int strokeEdge) {
  if (fill == 1) {
    if (strokeEdge == 1)
      dc->StrokeAndFillPath();
    else
      dc->FillPath();
  } else {
    dc->StrokePath();
  }
}

}  // namespace

bool CaptureAndPaintGlyph(CDC* dc, int x, int y, const char* ch, int fill, int strokeEdge,
                          std::vector<POINT>& pts, std::vector<BYTE>& types) {
  if (!RecordGlyphPath(dc, x, y, ch, false, pts, types)) return false;
  if (!RebuildsAsRecorded(types)) {
    dc->AbortPath();
    PaintGlyph(dc, pts, types, fill, strokeEdge);
    return true;
  }
  // The recorded path is the one PolyDraw would build again from its points: it is painted as
  // it stands, and the current position left where PolyDraw leaves it.
  PaintClosedPath(dc, fill, strokeEdge);
  dc->MoveTo(pts.back().x, pts.back().y);
  return true;
}

bool CaptureGlyphBounds(CDC* dc, int x, int y, const char* ch, RECT& box) {
  const bool got = gditext::TextOutlineBounds(*dc, x, y, ch, static_cast<int>(std::strlen(ch)), &box);
  dc->AbortPath();
  return got;
}

void PaintGlyph(CDC* dc, const std::vector<POINT>& pts, const std::vector<BYTE>& types, int fill,
                int strokeEdge) {
  dc->BeginPath();
  dc->PolyDraw(pts.data(), types.data(), static_cast<int>(pts.size()));
  dc->EndPath();
  PaintClosedPath(dc, fill, strokeEdge);
}

namespace {

// The 1-bit image of a glyph bitmap, its pixels read back from the device, with palette entry 0
// (ink) in the glyph's colour. Empty when it cannot be built.
}  // namespace

void PaintThickenedGlyph(const CObjectRenderer& r, CDC* dc, std::vector<POINT>& pts,
                         const std::vector<BYTE>& types, COLORREF colour, double thickX,
                         double thickY, CDoubleRect* glyphBounds, int paint, int strokeEdge) {
  const double rx = r.LengthToLogicalAxis(0, std::fabs(thickX));
  const double ry = r.LengthToLogicalAxis(1, std::fabs(thickY));
  int m[2] = {0, 0};
  r.HimetricToDots(m, dc, rx, ry);
  const int count = static_cast<int>(pts.size());
  if (!paint) {
    const double margin[2] = {rx, ry};
    if (count > 0) CObjectRenderer::GetPointsBounds(pts.data(), count, glyphBounds, margin);
    return;
  }
  if (count <= 0) return;

  std::vector<POINT> dots(pts.size());
  RECT db{};
  CDoubleRect pathBounds;
  r.PathToDots(&db, dc, dots.data(), pts.data(), count, &pathBounds);
  if (glyphBounds != nullptr) {
    *glyphBounds = pathBounds;
    glyphBounds->left -= rx;
    glyphBounds->right += rx;
    glyphBounds->top += ry;
    glyphBounds->bottom -= ry;
  }

  // The image size is checked in 64 bits first: a huge thickening or glyph is not built.
  const long long w64 = static_cast<long long>(db.right) + 2LL * m[0] - db.left + 1 + 16;
  const long long h64 = static_cast<long long>(db.bottom) + 2LL * m[1] - db.top + 1 + 16;
  if (m[0] < 0 || m[1] < 0 || w64 <= 0 || h64 <= 0 || w64 > 0x7FFFFFFF || h64 > 0x7FFFFFFF ||
      ((w64 + 31) / 32) * 4 * h64 > kMaxGlyphImageBytes)
    return;
  int size[2] = {0, 0};
  CObjectRenderer::OffsetPoints(size, dots.data(), count, db.left, db.top, db.right, db.bottom, m[0],
                                m[1]);
  const int w = size[0] + 16;
  const int h = size[1] + 16;

  std::vector<BYTE> image;
  {
    CDC mem;
    if (!mem.CreateCompatibleDC(dc)) return;
    CBitmap bmp;
    if (!bmp.CreateBitmap(w, h, 1, 1, nullptr)) return;
    CBitmap* oldBmp = mem.SelectObject(&bmp);
    if (oldBmp == nullptr) return;
    GlyphTools tools(&mem, colour);
    mem.SetPolyFillMode(WINDING);
    mem.PatBlt(0, 0, w, h, WHITENESS);
    mem.BeginPath();
    mem.PolyDraw(dots.data(), types.data(), count);
    mem.EndPath();
    if (strokeEdge == 1)
      mem.StrokeAndFillPath();
    else
      mem.FillPath();
    tools.Release();
    image = CMonoImageTool::BuildMonoBmp(&mem, &bmp, w, h, nullptr, colour);
    mem.SelectObject(oldBmp);
  }
  if (image.empty()) return;

  BYTE* bits = CMonoImageTool::WidenBmp(image.data(), image.size(), m[0], m[1]);
  if (!bits) return;
  const auto* bmi = reinterpret_cast<const BITMAPINFO*>(image.data() + MonoBmpFile::kFileHeaderSize);
  dc->SetMapMode(MM_TEXT);
  dc->StretchDIBits(db.left - m[0], db.top - m[1], w, h, 0, 0, w, h, bits, bmi, DIB_RGB_COLORS, SRCAND);
  dc->SetMapMode(MM_HIMETRIC);
}

}  // namespace textlayout
