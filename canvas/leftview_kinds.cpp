// Per-kind geometry: the grid of copies, the bounds in millimetres, and the drawing, engraving
// and outline routines that hand the renderer one copy at a time.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "canvas/cull_bounds.h"
#include "canvas/leftview.h"
#include "canvas/leftview_copies.h"
#include "model/bmpobject.h"
#include "model/drawobject.h"
#include "model/korvane_doc.h"
#include "model/textobject.h"
#include "platform/gdi/dc.h"
#include "render/text_layout.h"

// ---- Grid of copies -----------------------------------------------------------------------------

namespace {

// The first copy's centre along one axis: odd counts put the middle copy on the position, even
// counts put the position between the two middle copies.
double FirstCentre(double pos, int count, double step) {
  const double first = pos - (count / 2) * step;
  return (count % 2 == 0) ? first + step / 2 : first;
}

template <class T>
CopyGrid GridOf(const T* o, double width, double height) {
  CopyGrid g;
  g.width = width;
  g.height = height;
  g.rows = o->m_nRows;
  g.columns = o->m_nColumns;
  g.rowGap = o->m_dRowGap;
  g.columnGap = o->m_dColumnGap;
  g.posX = o->m_dPosX;
  g.posY = o->m_dPosY;
  return g;
}

}  // namespace

double CopyGrid::CentreX(int i) const {
  const double step = width + columnGap;
  return FirstCentre(posX, columns, step) + i * step;
}

double CopyGrid::CentreY(int j) const {
  const double step = height + rowGap;
  return FirstCentre(posY, rows, step) + j * step;
}

CDoubleRect CopyGrid::Bounds() const {
  if (rows == 1 && columns == 1)
    return CDoubleRect(posX - width / 2, posY + height / 2, posX + width / 2, posY - height / 2);
  CDoubleRect out;
  bool first = true;
  for (int i = 0; i < columns; ++i) {
    for (int j = 0; j < rows; ++j) {
      const double cx = CentreX(i), cy = CentreY(j);
      const CDoubleRect r(cx - width / 2, cy + height / 2, cx + width / 2, cy - height / 2);
      if (first) {
        out = r;
        first = false;
        continue;
      }
      if (r.left < out.left) out.left = r.left;
      if (r.right > out.right) out.right = r.right;
      if (r.top > out.top) out.top = r.top;
      if (r.bottom < out.bottom) out.bottom = r.bottom;
    }
  }
  return out;
}

CopyGrid CLeftView::GetCopyGrid(const CDrawObject* object) {
  switch (object->m_nType) {
    case TYPE_LINE: {
      auto* o = static_cast<const CLineObject*>(object);
      return GridOf(o, o->m_dWidth, o->m_dHeight);
    }
    case TYPE_RECTANGLE: {
      auto* o = static_cast<const CRectangleObject*>(object);
      return GridOf(o, o->m_dWidth, o->m_dHeight);
    }
    case TYPE_CIRCLE: {
      auto* o = static_cast<const CCircleObject*>(object);
      return GridOf(o, o->m_dSizeX, o->m_dSizeY);
    }
    case TYPE_TRIANGLE: {
      auto* o = static_cast<const CTriangleObject*>(object);
      return GridOf(o, o->m_dWidth, o->m_dHeight);
    }
    case TYPE_RHOMBIC: {
      auto* o = static_cast<const CRhombicObject*>(object);
      return GridOf(o, o->m_dWidth, o->m_dHeight);
    }
    case TYPE_POLYGON: {
      auto* o = static_cast<const CPolygonObject*>(object);
      return GridOf(o, o->m_dSize, o->m_dSize);
    }
    case TYPE_TEXT1: {
      auto* o = static_cast<const CText1Object*>(object);
      return GridOf(o, o->m_dWidth, o->m_dHeight);
    }
    case TYPE_TEXT2: {
      auto* o = static_cast<const CText2Object*>(object);
      return GridOf(o, o->m_dRadiusX * 2, o->m_dRadiusY * 2);
    }
    case TYPE_BMP: {
      auto* o = static_cast<const CBmpObject*>(object);
      return GridOf(o, o->m_dWidth, o->m_dHeight);
    }
    case TYPE_BARCODE: {
      auto* o = static_cast<const CBarcodeObject*>(object);
      return GridOf(o, o->m_dSizeX, o->m_dSizeY);
    }
    default:
      return CopyGrid{};
  }
}


// ---- Copies a screen paint can see ---------------------------------------------------------------

namespace {

// Device pixels a copy's drawing may stand out of its bound besides the pens and the rounding.
constexpr double kCopySlack = 3.0;

// The indices of copies whose centre, at c0 + k * step, lies within [lo, hi]; none when
// first > last. False when the numbers cannot be trusted.
bool ShownRange(double c0, double step, double lo, double hi, int count, int& first, int& last) {
  if (!std::isfinite(c0) || !std::isfinite(step) || !std::isfinite(lo) || !std::isfinite(hi)) return false;
  first = 0;
  last = -1;
  if (step == 0) {
    if (c0 >= lo && c0 <= hi) last = count - 1;
    return true;
  }
  double t0 = (lo - c0) / step, t1 = (hi - c0) / step;
  if (t0 > t1) std::swap(t0, t1);
  // One copy more on each side for the renderer's rounding.
  t0 = std::floor(t0) - 1;
  t1 = std::ceil(t1) + 1;
  if (t1 < 0 || t0 > count - 1) return true;
  first = static_cast<int>(std::max(t0, 0.0));
  last = static_cast<int>(std::min(t1, static_cast<double>(count - 1)));
  return true;
}

}  // namespace

namespace {

// Bytes stand in for characters (a double-byte character counts twice) and both CR and LF end a
// line: either way the counts are never below the layout's.
void TextSpan(const CString& text, int& lines, int& longest) {
  lines = 1;
  longest = 0;
  int run = 0;
  const std::string& s = text.str();
  for (const char c : s) {
    if (c == '\n' || c == '\r') {
      ++lines;
      run = 0;
      continue;
    }
    longest = std::max(longest, ++run);
  }
}

// The largest changes the character records make, millimetres.
struct RecordReach {
  double sizeX = 0, sizeY = 0, offsetX = 0, offsetY = 0, thickX = 0, thickY = 0;
  double shrinkX = 0;  // the most a record narrows a character
  bool turned = false;
};
RecordReach RecordsOf(const CTextCharRecords& records) {
  RecordReach r;
  // Records never set change nothing; most texts have none, and each paint asks again.
  if (records.KnownZero()) return r;
  for (const CTextCharRecord& c : records) {
    r.sizeX = std::max(r.sizeX, std::fabs(c.dSizeX));
    r.shrinkX = std::max(r.shrinkX, -c.dSizeX);
    r.sizeY = std::max(r.sizeY, std::fabs(c.dSizeY));
    r.offsetX = std::max(r.offsetX, std::fabs(c.dOffsetX));
    r.offsetY = std::max(r.offsetY, std::fabs(c.dOffsetY));
    r.thickX = std::max(r.thickX, std::fabs(c.dFontWidthX));
    r.thickY = std::max(r.thickY, std::fabs(c.dFontWidthY));
    if (c.dAngle != 0) r.turned = true;
  }
  return r;
}

// A glyph's advance and ink, millimetres. A face scaled to the character width has no character
// wider than it; the ink may stand out of the advance (italics, bearings) by a part of the height.
// A width too small for the font's units (the narrowest character's, in logical units) leaves the
// face at its natural width, up to its height.
struct GlyphSize {
  double width, height;
};
// The tallest a character is drawn, millimetres. A height that gives the font less than a logical
// unit leaves it no height, and the font takes its default cell of device pixels at any zoom.
double DrawnHeight(const CObjectRenderer& r, double charHeight, const RecordReach& rec) {
  const double h = std::fabs(charHeight) + rec.sizeY;
  // Two units: one kind adds a record's size to the height after truncating it.
  const double lowest =
      std::fabs(r.LengthToLogicalAxis(1, std::fabs(charHeight))) - std::fabs(r.LengthToLogicalAxis(1, rec.sizeY));
  if (lowest >= 2) return h;
  // Without a mapping nothing bounds it, and such an object is always drawn.
  const double unitsPerMm = std::fabs(r.LengthToLogicalAxis(1, 1.0));
  if (!(unitsPerMm > 0)) return HUGE_VAL;
  // A context of the screen's resolution, as the canvas paints at.
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  dc.SetMapMode(MM_HIMETRIC);
  return std::max(h, textlayout::DefaultCellOf(dc) / unitsPerMm);
}

GlyphSize GlyphOf(const CObjectRenderer& r, double charWidth, double charHeight, const RecordReach& rec) {
  const double w = std::fabs(charWidth) + rec.sizeX, h = DrawnHeight(r, charHeight, rec);
  GlyphSize g{1.25 * w + 0.35 * h, 1.5 * h};
  const double narrowest = std::max(0.0, std::fabs(charWidth) - rec.shrinkX);
  if (!(std::fabs(r.LengthToLogicalAxis(0, narrowest)) >= 16)) g.width = std::max(g.width, 1.6 * h);
  return g;
}

// The half extents of a box of half extents (x, y) turned by `degrees` about its centre.
void Turn(double degrees, double& x, double& y) {
  if (degrees == 0) return;
  const double a = degrees * 3.14159265358979323846 / 180.0;
  const double c = std::fabs(std::cos(a)), s = std::fabs(std::sin(a));
  const double tx = c * x + s * y, ty = s * x + c * y;
  x = tx;
  y = ty;
}

}  // namespace

bool CCullBounds::TextKeyOf(const CDrawObject& object, TextKey& out) {
  // What both text kinds share: the character box, the thickening and the records.
  auto common = [&](const auto& t) {
    out.charWidth = t.m_dCharWidth;
    out.charHeight = t.m_dCharHeight;
    out.lineWidthX = t.m_dLineWidthX;
    out.lineWidthY = t.m_dLineWidthY;
    const RecordReach r = RecordsOf(t.m_vCharRecords);
    out.sizeX = r.sizeX;
    out.sizeY = r.sizeY;
    out.offsetX = r.offsetX;
    out.offsetY = r.offsetY;
    out.thickX = r.thickX;
    out.thickY = r.thickY;
    out.shrinkX = r.shrinkX;
    out.turned = r.turned ? 1 : 0;
  };
  out = TextKey{};
  if (object.m_nType == TYPE_TEXT1) {
    const auto& t = static_cast<const CText1Object&>(object);
    common(t);
    out.charGap = t.m_dCharGap;
    out.lineGap = t.m_dLineGap;
    out.angle = t.m_dAngle;
    out.writeDirection = t.m_nWriteDirection;
    out.italic = t.m_bItalic;
    TextSpan(t.m_strText, out.lines, out.longest);
    return true;
  }
  if (object.m_nType == TYPE_TEXT2) {
    common(static_cast<const CText2Object&>(object));
    return true;
  }
  return false;
}

namespace {

RecordReach ReachOf(const TextBoundKey& key) {
  RecordReach r;
  r.sizeX = key.sizeX;
  r.sizeY = key.sizeY;
  r.offsetX = key.offsetX;
  r.offsetY = key.offsetY;
  r.thickX = key.thickX;
  r.thickY = key.thickY;
  r.shrinkX = key.shrinkX;
  r.turned = key.turned != 0;
  return r;
}

}  // namespace

bool CLeftView::CopyReach(const CDrawObject& obj, const CopyGrid& grid, double& reachX, double& reachY,
                          const TextBoundKey* text) const {
  const double halfW = std::fabs(grid.width) / 2, halfH = std::fabs(grid.height) / 2;
  if (obj.m_nType == TYPE_TEXT1) {
    const auto& t = static_cast<const CText1Object&>(obj);
    const RecordReach rec = text ? ReachOf(*text) : RecordsOf(t.m_vCharRecords);
    const GlyphSize g = GlyphOf(*m_pRenderer, t.m_dCharWidth, t.m_dCharHeight, rec);
    int lines = 0, longest = 0;
    if (text) {
      lines = text->lines;
      longest = text->longest;
    } else {
      TextSpan(t.m_strText, lines, longest);
    }
    double x = 0, y = 0;
    if (t.m_nWriteDirection == 0) {
      // Along a line: the characters' ink boxes (an italic's slant is in each) and gaps, from
      // either end of the frame or its middle; across: cells of the line's height centred on
      // the lines stepped down from the frame's top. The ink beyond the cells comes on top.
      const double ink = g.width - 0.35 * (std::fabs(t.m_dCharHeight) + rec.sizeY);
      const double per = (t.m_bItalic ? g.width : ink) + std::fabs(t.m_dCharGap);
      const double along = longest * per;
      const double size = std::fabs(t.m_dCharHeight), step = std::fabs(t.m_dLineGap) + size;
      const double first = std::fabs(halfH - size / 2), last = std::fabs(halfH - size / 2 - (lines - 1) * step);
      x = std::max({halfW, along - halfW, along / 2}) + g.width + rec.offsetX;
      y = std::max(first, last) + g.height + rec.offsetY;
    } else {
      // Written down: the same with the axes exchanged, each character its cell's height.
      const double along = longest * (g.height + std::fabs(t.m_dCharGap));
      const double size = std::fabs(t.m_dCharWidth), step = std::fabs(t.m_dLineGap) + size;
      x = halfW + (lines - 1) * step + size + g.width + rec.offsetX;
      y = std::max({halfH, along - halfH, along / 2}) + g.height + rec.offsetY;
    }
    if (rec.turned) {
      // A character turned about its cell's centre stays within the cell's circle.
      x += std::hypot(g.width, g.height);
      y += std::hypot(g.width, g.height);
    }
    Turn(t.m_dAngle, x, y);
    reachX = x + 2 * (std::fabs(t.m_dLineWidthX) + rec.thickX);
    reachY = y + 2 * (std::fabs(t.m_dLineWidthY) + rec.thickY);
  } else if (obj.m_nType == TYPE_TEXT2) {
    const auto& t = static_cast<const CText2Object&>(obj);
    const RecordReach rec = text ? ReachOf(*text) : RecordsOf(t.m_vCharRecords);
    const GlyphSize g = GlyphOf(*m_pRenderer, t.m_dCharWidth, t.m_dCharHeight, rec);
    // Every character stands on the ellipse, turned about a point of its box.
    const double glyph = 2 * std::hypot(g.width, g.height) + std::hypot(rec.offsetX, rec.offsetY);
    reachX = halfW + glyph + 2 * (std::fabs(t.m_dLineWidthX) + rec.thickX);
    reachY = halfH + glyph + 2 * (std::fabs(t.m_dLineWidthY) + rec.thickY);
  } else {
    // Lines turn about their centre: the circle round the copy holds every angle (a size too
    // large to square is not finite, and such an object is always drawn).
    reachX = reachY = std::sqrt(halfW * halfW + halfH * halfH);
  }
  return std::isfinite(reachX) && std::isfinite(reachY);
}

bool CLeftView::GetShownCopies(CDrawObject* obj, const CopyGrid& grid, ShownCopies& out) {
  CDC* dc = m_pPaintClipDC;
  if (!dc || !dc->GetBackend() || m_nCopyLimit > 0 || grid.rows <= 0 || grid.columns <= 0) return false;
  const RECT clip = dc->GetBackend()->ClipBox();
  if (clip.right <= clip.left || clip.bottom <= clip.top) {
    out = ShownCopies{};
    return true;
  }
  double mmX = 0, mmY = 0;
  if (!CopyReach(*obj, grid, mmX, mmY)) return false;
  // The first copy and its reach in device pixels, and the steps to the next column and row.
  auto device = [&](double w, double h, int i, int j, DPOINT& a, DPOINT& b) {
    CDoubleRect r;
    m_pRenderer->MmRectToLogical(w, h, grid.CentreX(i), grid.CentreY(j), &r);
    a = dc->LPtoDPExact(r.left, r.top);
    b = dc->LPtoDPExact(r.right, r.bottom);
  };
  DPOINT a0, a1, b0, b1, r0, r1;
  device(grid.width, grid.height, 0, 0, a0, a1);
  device(grid.width, grid.height, 1, 1, b0, b1);
  device(2 * mmX, 2 * mmY, 0, 0, r0, r1);
  const double cx = (a0.x + a1.x) / 2, cy = (a0.y + a1.y) / 2;
  const double stepX = (b0.x + b1.x) / 2 - cx, stepY = (b0.y + b1.y) / 2 - cy;
  const double reachX = std::fabs(r1.x - r0.x) / 2 + kCopySlack, reachY = std::fabs(r1.y - r0.y) / 2 + kCopySlack;
  if (!ShownRange(cx, stepX, clip.left - reachX, clip.right + reachX, grid.columns, out.i0, out.i1)) return false;
  if (!ShownRange(cy, stepY, clip.top - reachY, clip.bottom + reachY, grid.rows, out.j0, out.j1)) return false;
  return true;
}

CLeftView::MmToClient CLeftView::ClientMapping(CDC* dc) const {
  auto at = [&](double x, double y) {
    CDoubleRect r;
    m_pRenderer->MmRectToLogical(0, 0, x, y, &r);
    return dc->LPtoDPExact(r.left, r.top);
  };
  const DPOINT o = at(0, 0), ex = at(1, 0), ey = at(0, 1);
  return MmToClient{o.x, o.y, ex.x - o.x, ey.y - o.y};
}

bool CLeftView::PaintBound(int index, const CDrawObject& obj, CDC* dc, RECT& out) const {
  return PaintBound(index, obj, ClientMapping(dc), out);
}

bool CLeftView::PaintBound(int index, const CDrawObject& obj, const MmToClient& map, RECT& out) const {
  return PaintBound(index, obj, GetCopyGrid(&obj), map, out);
}

bool CLeftView::PaintBound(int index, const CDrawObject& obj, const CopyGrid& grid, const MmToClient& map,
                           RECT& out) const {
  if (grid.rows <= 0 || grid.columns <= 0) {
    out = RECT{};
    return true;
  }
  MmPaintRect mm;
  if (!MmPaintBound(obj, grid, mm) || !DevicePaintBound(mm, map, out)) return false;
  NarrowToMeasure(index, obj, out);
  return true;
}

bool CLeftView::MmPaintBound(const CDrawObject& obj, const CopyGrid& grid, MmPaintRect& out,
                             const TextBoundKey* text) const {
  double mmX = 0, mmY = 0;
  if (!CopyReach(obj, grid, mmX, mmY, text)) return false;
  // The reach round the two corner copies holds the reach round every copy between them.
  const double x0 = grid.CentreX(0), x1 = grid.columns > 1 ? grid.CentreX(grid.columns - 1) : x0;
  const double y0 = grid.CentreY(0), y1 = grid.rows > 1 ? grid.CentreY(grid.rows - 1) : y0;
  out = MmPaintRect{std::min(x0, x1) - mmX, std::max(x0, x1) + mmX, std::min(y0, y1) - mmY,
                             std::max(y0, y1) + mmY};
  return true;
}

namespace {
// A bound in millimetres as unrounded client edges.
struct DeviceEdges {
  double left, right, top, bottom;
  // The client mapping's origin (x0, y0) and pixels per millimetre (sx, sy).
  DeviceEdges(const MmPaintRect& mm, double x0, double sx, double y0, double sy) {
    const double xa = x0 + sx * mm.left, xb = x0 + sx * mm.right;
    const double ya = y0 + sy * mm.low, yb = y0 + sy * mm.high;
    left = std::min(xa, xb);
    right = std::max(xa, xb);
    top = std::min(ya, yb);
    bottom = std::max(ya, yb);
  }
};
}  // namespace

bool CLeftView::DevicePaintBound(const MmPaintRect& mm, const MmToClient& map, RECT& out) {
  const auto [left, right, top, bottom] = DeviceEdges(mm, map.x0, map.sx, map.y0, map.sy);
  if (!std::isfinite(left) || !std::isfinite(right) || !std::isfinite(top) || !std::isfinite(bottom)) return false;
  // Far outside the int range the rectangle test cannot be trusted; such an object is drawn.
  constexpr double kReach = 1 << 29;
  if (left < -kReach || right > kReach || top < -kReach || bottom > kReach) return false;
  out = RECT{static_cast<int>(std::floor(left - kCopySlack)), static_cast<int>(std::floor(top - kCopySlack)),
             static_cast<int>(std::ceil(right + kCopySlack)), static_cast<int>(std::ceil(bottom + kCopySlack))};
  return true;
}

bool CLeftView::DeviceMisses(const MmPaintRect& mm, const MmToClient& map, const RECT& clip) {
  // DevicePaintBound's rectangle tested against the clip without rounding it: a floor is at or
  // past an integer exactly when its argument is, and a ceiling likewise.
  const auto [left, right, top, bottom] = DeviceEdges(mm, map.x0, map.sx, map.y0, map.sy);
  constexpr double kReach = 1 << 29;
  // Written so that a bound not finite fails too.
  if (!(left >= -kReach && right <= kReach && top >= -kReach && bottom <= kReach)) return false;
  return left - kCopySlack >= clip.right || right + kCopySlack <= clip.left || top - kCopySlack >= clip.bottom ||
         bottom + kCopySlack <= clip.top;
}

void CLeftView::NarrowToMeasure(int index, const CDrawObject& obj, RECT& out) const {
  if (CMeasuredRects::Keeps(obj.m_nType)) {
    // A text measured in this very state is bounded by its glyphs as well.
    CMeasuredRects::Kept kept;
    if (m_measured.Find(index, obj, m_pRenderer->GetMeasureState(), &kept) == CMeasuredRects::Match::Same &&
        kept.result) {
      const RECT& k = kept.rect;
      const int s = static_cast<int>(kCopySlack);
      out.left = std::max(out.left, std::min(k.left, k.right) - s);
      out.right = std::min(out.right, std::max(k.left, k.right) + s);
      out.top = std::max(out.top, std::min(k.top, k.bottom) - s);
      out.bottom = std::min(out.bottom, std::max(k.top, k.bottom) + s);
      if (out.right < out.left || out.bottom < out.top) out = RECT{};
    }
  }
}

bool CLeftView::SkipUnseen(int index, CDrawObject& entry, const MmToClient& map, const RECT& clip) {
  // Without a mapping (a renderer not bound yet) nothing can be bounded.
  if (entry.m_nType < TYPE_LINE || entry.m_nType > TYPE_BARCODE || m_nCopyLimit > 0 || !(map.sx != 0) ||
      !(map.sy != 0))
    return false;
  // A rectangle's corner styles follow its edge style at every paint, as its drawing sets them:
  // one left out keeps them current too, for its hit tests and for what a save writes.
  if (entry.m_nType == TYPE_RECTANGLE) SetRectangleCornerStyles(static_cast<CRectangleObject*>(&entry));
  const CopyGrid grid = GetCopyGrid(&entry);
  auto meets = [&](const RECT& r) {
    return r.left < clip.right && clip.left < r.right && r.top < clip.bottom && clip.top < r.bottom;
  };
  if (grid.rows <= 0 || grid.columns <= 0) return !meets(RECT{});
  RECT bound;
  // An unchanged entry that an earlier paint left out, its stored bounds as that paint left
  // them, costs a comparison and a rectangle test.
  CCullBounds::TextKey textKey;
  const CCullBounds::TextKey* text = CCullBounds::TextKeyOf(entry, textKey) ? &textKey : nullptr;
  if (const MmPaintRect* kept = m_pCull->Settled(index, entry, grid, text))
    if (DeviceMisses(*kept, map, clip)) return true;
  MmPaintRect mm;
  if (!MmPaintBound(entry, grid, mm, text) || !DevicePaintBound(mm, map, bound)) {
    m_pCull->Forget(index);
    return false;
  }
  NarrowToMeasure(index, entry, bound);
  // An entry drawn keeps whatever its slot holds: a slot is used only with the stored bounds it
  // was kept with, which a drawing that changes them no longer matches.
  if (meets(bound)) return false;
  // The stored bounds a walk over every copy leaves: the first column's top copy's top-left and
  // the last column's bottom copy's bottom-right.
  CDoubleRect a, b;
  m_pRenderer->MmRectToLogical(grid.width, grid.height, grid.CentreX(0), grid.CentreY(grid.rows - 1), &a);
  m_pRenderer->MmRectToLogical(grid.width, grid.height, grid.CentreX(grid.columns - 1), grid.CentreY(0), &b);
  CDoubleRect& stored = entry.m_rcBounds;
  if (!(stored.left == a.left && stored.top == a.top && stored.right == b.right && stored.bottom == b.bottom)) {
    // The shapes keep figures that hit tests read, laid out where the object stands now: after
    // a zoom or a move they are laid out again (drawn outside the clip, so without pixels).
    switch (entry.m_nType) {
      case TYPE_RECTANGLE:
      case TYPE_CIRCLE:
      case TYPE_TRIANGLE:
      case TYPE_RHOMBIC:
      case TYPE_POLYGON: return false;
      case TYPE_BMP:
      case TYPE_BARCODE: ClearCaptured(&entry); break;
      default: break;
    }
    stored = CDoubleRect(a.left, a.top, b.right, b.bottom);
  }
  m_pCull->Keep(index, entry, grid, text, mm);
  return true;
}

// ---- Bounds in millimetres ----------------------------------------------------------------------

BOOL CLeftView::CalcObject(CDrawObject* object, CDoubleRect& out) {
  Trace("---------CLeftView::CalcObject\n");
  out.SetRect(0, 0, 0, 0);
  if (!object) return FALSE;
  switch (object->m_nType) {
    case TYPE_LINE: CalcLine(static_cast<CLineObject*>(object), out); return TRUE;
    case TYPE_RECTANGLE: CalcRectangle(static_cast<CRectangleObject*>(object), out); return TRUE;
    case TYPE_CIRCLE: CalcCircle(static_cast<CCircleObject*>(object), out); return TRUE;
    case TYPE_TRIANGLE: CalcTriangle(static_cast<CTriangleObject*>(object), out); return TRUE;
    case TYPE_RHOMBIC: CalcRhombic(static_cast<CRhombicObject*>(object), out); return TRUE;
    case TYPE_POLYGON: CalcPolygon(static_cast<CPolygonObject*>(object), out); return TRUE;
    case TYPE_TEXT1: CalcText1(static_cast<CText1Object*>(object), out); return TRUE;
    case TYPE_TEXT2: CalcText2(static_cast<CText2Object*>(object), out); return TRUE;
    case TYPE_BMP: CalcBmp(static_cast<CBmpObject*>(object), out); return TRUE;
    case TYPE_BARCODE: CalcBarcode(static_cast<CBarcodeObject*>(object), out); return TRUE;
    default: return FALSE;
  }
}

void CLeftView::CalcLine(CLineObject* obj, CDoubleRect& out) {
  Trace("---------CLeftView::CalcLine\n");
  out = GetCopyGrid(obj).Bounds();
}
void CLeftView::CalcRectangle(CRectangleObject* obj, CDoubleRect& out) {
  Trace("---------CLeftView::CalcRectangle\n");
  out = GetCopyGrid(obj).Bounds();
}
void CLeftView::CalcCircle(CCircleObject* obj, CDoubleRect& out) {
  Trace("---------CLeftView::CalcCircle\n");
  out = GetCopyGrid(obj).Bounds();
}
void CLeftView::CalcTriangle(CTriangleObject* obj, CDoubleRect& out) {
  Trace("---------CLeftView::CalcTriangle\n");
  out = GetCopyGrid(obj).Bounds();
}
void CLeftView::CalcRhombic(CRhombicObject* obj, CDoubleRect& out) {
  Trace("---------CLeftView::CalcRhombic\n");
  out = GetCopyGrid(obj).Bounds();
}
void CLeftView::CalcPolygon(CPolygonObject* obj, CDoubleRect& out) {
  Trace("---------CLeftView::CalcPolygon\n");
  out = GetCopyGrid(obj).Bounds();
}
void CLeftView::CalcText1(CText1Object* obj, CDoubleRect& out) {
  Trace("---------CLeftView::CalcText1\n");
  out = GetCopyGrid(obj).Bounds();
}
void CLeftView::CalcText2(CText2Object* obj, CDoubleRect& out) {
  Trace("---------CLeftView::CalcText2\n");
  out = GetCopyGrid(obj).Bounds();
}
void CLeftView::CalcBmp(CBmpObject* obj, CDoubleRect& out) {
  Trace("---------CLeftView::CalcBmp\n");
  out = GetCopyGrid(obj).Bounds();
}

// ---- Common steps ---------------------------------------------------------------------------------

void CLeftView::ClearCaptured(CDrawObject* obj) {
  obj->m_vInnerPoints.clear();
  obj->m_vOuterPoints.clear();
  obj->m_nCapturedCount = 0;
}

void CLeftView::SetRectangleCornerStyles(CRectangleObject* obj) {
  obj->m_nOuterCornerStyle = obj->m_nEdgeStyle;
  // The inner contour of a frame keeps the rounding or cut only where the frame is thinner
  // than the corner.
  if (obj->m_nEdgeStyle == 1 || obj->m_nEdgeStyle == 2)
    obj->m_nInnerCornerStyle = (obj->m_dEdgeSize < obj->m_dEdgeRadius) ? obj->m_nEdgeStyle : 0;
  else
    obj->m_nInnerCornerStyle = 0;
}



namespace {
int FillFlag(const CDrawObject* obj) { return obj->m_nOutputMode == 2 ? 1 : 0; }
}  // namespace

// ---- Drawing --------------------------------------------------------------------------------------

void CLeftView::DrawObject(CDC* pDC, CDrawObject* obj, BOOL screen) {
  switch (obj->m_nType) {
    case TYPE_LINE: DrawLine(pDC, static_cast<CLineObject*>(obj)); break;
    case TYPE_RECTANGLE: DrawRectangle(pDC, static_cast<CRectangleObject*>(obj), screen); break;
    case TYPE_CIRCLE: DrawCircle(pDC, static_cast<CCircleObject*>(obj), screen); break;
    case TYPE_TRIANGLE: DrawTriangle(pDC, static_cast<CTriangleObject*>(obj), screen); break;
    case TYPE_RHOMBIC: DrawRhombic(pDC, static_cast<CRhombicObject*>(obj), screen); break;
    case TYPE_POLYGON: DrawPolygon(pDC, static_cast<CPolygonObject*>(obj), screen); break;
    case TYPE_TEXT1: DrawText1(pDC, static_cast<CText1Object*>(obj)); break;
    case TYPE_TEXT2: DrawText2(pDC, static_cast<CText2Object*>(obj)); break;
    case TYPE_BMP: DrawBmp(pDC, static_cast<CBmpObject*>(obj)); break;
    case TYPE_BARCODE: DrawBarcode(pDC, static_cast<CBarcodeObject*>(obj)); break;
    default: break;
  }
}

void CLeftView::DrawLine(CDC* pDC, CLineObject* obj) {
  Trace("---------CLeftView::DrawLine\n");
  DrawCopies(obj, [&](const CDoubleRect& r) {
    m_pRenderer->DrawLine(pDC, r.left, r.top, r.right, r.bottom, obj->m_dAngle, obj->m_crColor, FillFlag(obj),
                          nullptr);
  });
}

void CLeftView::DrawRectangle(CDC* pDC, CRectangleObject* obj, BOOL screen) {
  Trace("---------CLeftView::DrawRectangle\n");
  ClearCaptured(obj);
  SetRectangleCornerStyles(obj);
  DrawCopies(obj, [&](const CDoubleRect& r, CDC* sink) {
    CDC* dc = sink ? sink : pDC;
    m_pRenderer->DrawRectangle(dc, r.left, r.top, r.right, r.bottom, obj, obj->m_crColor, FillFlag(obj), nullptr,
                               screen);
  });
}

void CLeftView::DrawCircle(CDC* pDC, CCircleObject* obj, BOOL screen) {
  Trace("---------CLeftView::DrawCircle\n");
  ClearCaptured(obj);
  DrawCopies(obj, [&](const CDoubleRect& r, CDC* sink) {
    CDC* dc = sink ? sink : pDC;
    m_pRenderer->DrawCircle(dc, r.left, r.top, r.right, r.bottom, obj, obj->m_crColor, FillFlag(obj), nullptr,
                            screen);
  });
}

void CLeftView::DrawTriangle(CDC* pDC, CTriangleObject* obj, BOOL screen) {
  Trace("---------CLeftView::DrawTriangle\n");
  ClearCaptured(obj);
  DrawCopies(obj, [&](const CDoubleRect& r, CDC* sink) {
    CDC* dc = sink ? sink : pDC;
    m_pRenderer->DrawTriangle(dc, r.left, r.top, r.right, r.bottom, obj, obj->m_crColor, FillFlag(obj), nullptr,
                              screen);
  });
}

void CLeftView::DrawRhombic(CDC* pDC, CRhombicObject* obj, BOOL screen) {
  Trace("---------CLeftView::DrawRhombic\n");
  ClearCaptured(obj);
  DrawCopies(obj, [&](const CDoubleRect& r, CDC* sink) {
    CDC* dc = sink ? sink : pDC;
    m_pRenderer->DrawRhombic(dc, r.left, r.top, r.right, r.bottom, obj, obj->m_crColor, FillFlag(obj), nullptr,
                             screen);
  });
}

void CLeftView::DrawPolygon(CDC* pDC, CPolygonObject* obj, BOOL screen) {
  Trace("---------CLeftView::DrawPolygon\n");
  ClearCaptured(obj);
  DrawCopies(obj, [&](const CDoubleRect& r, CDC* sink) {
    CDC* dc = sink ? sink : pDC;
    m_pRenderer->DrawPolygon(dc, r.left, r.top, r.right, r.bottom, obj, obj->m_crColor, FillFlag(obj), nullptr,
                             screen);
  });
}

void CLeftView::DrawBmp(CDC* pDC, CBmpObject* obj) {
  Trace("---------CLeftView::DrawBmp\n");
  ClearCaptured(obj);
  DrawCopies(obj, [&](const CDoubleRect& r) {
    m_pRenderer->DrawBmp(pDC, r.left, r.top, r.right, r.bottom, obj, nullptr, TRUE);
  });
}


// ---- Engraving ------------------------------------------------------------------------------------

void CLeftView::EngraveObject(CDC* pDC, CDrawObject* obj, CDoubleRect* bounds) {
  switch (obj->m_nType) {
    case TYPE_LINE: EngraveLine(pDC, static_cast<CLineObject*>(obj), bounds); break;
    case TYPE_RECTANGLE: EngraveRectangle(pDC, static_cast<CRectangleObject*>(obj), bounds); break;
    case TYPE_CIRCLE: EngraveCircle(pDC, static_cast<CCircleObject*>(obj), bounds); break;
    case TYPE_TRIANGLE: EngraveTriangle(pDC, static_cast<CTriangleObject*>(obj), bounds); break;
    case TYPE_RHOMBIC: EngraveRhombic(pDC, static_cast<CRhombicObject*>(obj), bounds); break;
    case TYPE_POLYGON: EngravePolygon(pDC, static_cast<CPolygonObject*>(obj), bounds); break;
    case TYPE_TEXT1: EngraveText1(pDC, static_cast<CText1Object*>(obj), bounds); break;
    case TYPE_TEXT2: EngraveText2(pDC, static_cast<CText2Object*>(obj), bounds); break;
    case TYPE_BMP: EngraveBmp(pDC, static_cast<CBmpObject*>(obj), bounds); break;
    case TYPE_BARCODE: EngraveBarcode(pDC, static_cast<CBarcodeObject*>(obj), bounds); break;
    default: break;
  }
}

void CLeftView::EngraveLine(CDC* pDC, CLineObject* obj, CDoubleRect* bounds) {
  Trace("---------CLeftView::EngraveLine\n");
  EngraveCopies(obj, bounds, [&](const CDoubleRect& r, CDoubleRect* drawn) {
    m_pRenderer->DrawLine(pDC, r.left, r.top, r.right, r.bottom, obj->m_dAngle, 0, FillFlag(obj), drawn);
  });
}

void CLeftView::EngraveRectangle(CDC* pDC, CRectangleObject* obj, CDoubleRect* bounds) {
  Trace("---------CLeftView::EngraveRectangle\n");
  ClearCaptured(obj);
  SetRectangleCornerStyles(obj);
  EngraveCopies(obj, bounds, [&](const CDoubleRect& r, CDoubleRect* drawn) {
    m_pRenderer->DrawRectangle(pDC, r.left, r.top, r.right, r.bottom, obj, 0, FillFlag(obj), drawn, FALSE);
  });
}

void CLeftView::EngraveCircle(CDC* pDC, CCircleObject* obj, CDoubleRect* bounds) {
  Trace("---------CLeftView::EngraveCircle\n");
  ClearCaptured(obj);
  EngraveCopies(obj, bounds, [&](const CDoubleRect& r, CDoubleRect* drawn) {
    m_pRenderer->DrawCircle(pDC, r.left, r.top, r.right, r.bottom, obj, 0, FillFlag(obj), drawn, FALSE);
  });
}

void CLeftView::EngraveTriangle(CDC* pDC, CTriangleObject* obj, CDoubleRect* bounds) {
  Trace("---------CLeftView::EngraveTriangle\n");
  ClearCaptured(obj);
  EngraveCopies(obj, bounds, [&](const CDoubleRect& r, CDoubleRect* drawn) {
    m_pRenderer->DrawTriangle(pDC, r.left, r.top, r.right, r.bottom, obj, 0, FillFlag(obj), drawn, FALSE);
  });
}

void CLeftView::EngraveRhombic(CDC* pDC, CRhombicObject* obj, CDoubleRect* bounds) {
  Trace("---------CLeftView::EngraveRhombic\n");
  ClearCaptured(obj);
  EngraveCopies(obj, bounds, [&](const CDoubleRect& r, CDoubleRect* drawn) {
    m_pRenderer->DrawRhombic(pDC, r.left, r.top, r.right, r.bottom, obj, 0, FillFlag(obj), drawn, FALSE);
  });
}

void CLeftView::EngravePolygon(CDC* pDC, CPolygonObject* obj, CDoubleRect* bounds) {
  Trace("---------CLeftView::EngravePolygon\n");
  ClearCaptured(obj);
  EngraveCopies(obj, bounds, [&](const CDoubleRect& r, CDoubleRect* drawn) {
    m_pRenderer->DrawPolygon(pDC, r.left, r.top, r.right, r.bottom, obj, 0, FillFlag(obj), drawn, FALSE);
  });
}

void CLeftView::EngraveBmp(CDC* pDC, CBmpObject* obj, CDoubleRect* bounds) {
  Trace("---------CLeftView::EngraveBmp\n");
  ClearCaptured(obj);
  EngraveCopies(obj, bounds, [&](const CDoubleRect& r, CDoubleRect* drawn) {
    m_pRenderer->DrawBmp(pDC, r.left, r.top, r.right, r.bottom, obj, drawn, FALSE);
  });
}


// ---- Outline capture through a path ----------------------------------------------------------------

template <class Fn>
int CLeftView::CapturePath(CDC* pDC, CDrawObject* obj, Fn fn) {
  StartOutlinePoints(pDC);
  ForEachCopy(GetCopyGrid(obj), [&](const CDoubleRect& r, int, int, int) { fn(r); });
  const int n = GetOutlinePoints(pDC);
  // A path past its point limit was abandoned: the object is too large, not empty.
  return pDC->PathOverflowed() ? kObjectTooLarge : n;
}

int CLeftView::GetLinePoints(CDC* pDC, CLineObject* obj) {
  Trace("---------CLeftView::GetLinePoints\n");
  return CapturePath(pDC, obj, [&](const CDoubleRect& r) {
    m_pRenderer->GetLinePoints(pDC, r.left, r.top, r.right, r.bottom, obj->m_dAngle);
  });
}

int CLeftView::GetRectanglePoints(CDC* pDC, CRectangleObject* obj) {
  Trace("---------CLeftView::GetRectanglePoints\n");
  SetRectangleCornerStyles(obj);
  return CapturePath(pDC, obj, [&](const CDoubleRect& r) {
    m_pRenderer->GetRectanglePoints(pDC, r.left, r.top, r.right, r.bottom, obj);
  });
}

int CLeftView::GetTrianglePoints(CDC* pDC, CTriangleObject* obj) {
  Trace("---------CLeftView::GetTrianglePoints\n");
  return CapturePath(pDC, obj, [&](const CDoubleRect& r) {
    m_pRenderer->GetTrianglePoints(pDC, r.left, r.top, r.right, r.bottom, obj);
  });
}

int CLeftView::GetRhombicPoints(CDC* pDC, CRhombicObject* obj) {
  Trace("---------CLeftView::GetRhombicPoints\n");
  return CapturePath(pDC, obj, [&](const CDoubleRect& r) {
    m_pRenderer->GetRhombicPoints(pDC, r.left, r.top, r.right, r.bottom, obj);
  });
}

int CLeftView::GetPolygonPoints(CDC* pDC, CPolygonObject* obj) {
  Trace("---------CLeftView::GetPolygonPoints\n");
  return CapturePath(pDC, obj, [&](const CDoubleRect& r) {
    m_pRenderer->GetPolygonPoints(pDC, r.left, r.top, r.right, r.bottom, obj);
  });
}

int CLeftView::GetCirclePoints(CDC*, CCircleObject* obj, int pathFlag) {
  Trace("---------CLeftView::GetCirclePoints\n");
  if (pathFlag != 0) return 0;  // only the centre-and-radius form is used
  const CopyGrid grid = GetCopyGrid(obj);
  if (grid.rows <= 0 || grid.columns <= 0) return 0;
  const int perCopy = (obj->m_dEdgeSize != 0) ? 2 : 1;
  const int count = grid.rows * grid.columns * perCopy;
  m_pOutlinePoints.assign(static_cast<size_t>(count), POINT{});
  m_pCircleRadii.assign(static_cast<size_t>(count), SIZE{});
  int edge[2] = {0, 0};
  if (perCopy == 2) m_pRenderer->LengthToLogicalInt(obj->m_dEdgeSize, edge);
  int k = 0;
  ForEachCopy(grid, [&](const CDoubleRect& r, int, int, int) {
    const POINT centre{DoubleToInt((r.right + r.left) / 2), DoubleToInt((r.bottom + r.top) / 2)};
    m_pOutlinePoints[k] = centre;
    m_pCircleRadii[k] = SIZE{DoubleToInt((r.right - r.left) / 2), DoubleToInt((r.top - r.bottom) / 2)};
    ++k;
    if (perCopy == 2) {
      const double l = r.left + edge[0], rt = r.right - edge[0];
      const double t = r.top - edge[1], b = r.bottom + edge[1];
      m_pOutlinePoints[k] = centre;
      m_pCircleRadii[k] = SIZE{DoubleToInt((rt - l) / 2), DoubleToInt((t - b) / 2)};
      ++k;
    }
  });
  return count;
}
