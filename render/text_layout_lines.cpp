// Long straight texts: which lines a paint can leave out, and the kept bounds of lines measured
// before, so that a text of many lines costs what is shown and what changed.
#include <atomic>
#include <cmath>
#include <cstring>

#include "model/textobject.h"
#include "platform/gdi/dc_backend.h"
#include "platform/gdi/font_text.h"
#include "render/object_renderer.h"
#include "render/text_layout.h"

namespace textlayout {

namespace {

bool g_wholeLayout = false;
constexpr std::uint64_t kRecordTag = 0x5245434F52440000ull;
constexpr std::uint64_t kZeroRunTag = 0x5A45524F00000000ull;
std::atomic<long long> g_laidOut{0};

// Two independent 64-bit lanes over the words fed in.
struct Hasher {
  std::uint64_t a = 0x243F6A8885A308D3ull, b = 0x13198A2E03707344ull;
  void Word(std::uint64_t w) {
    a = (a ^ w) * 0x9E3779B97F4A7C15ull;
    a ^= a >> 32;
    b = (b + w) * 0xC2B2AE3D27D4EB4Full;
    b ^= b >> 29;
  }
  void Double(double d) {
    std::uint64_t w;
    std::memcpy(&w, &d, sizeof w);
    Word(w);
  }
  void Bytes(const char* p, size_t n) {
    Word(n);
    for (; n >= 8; p += 8, n -= 8) {
      std::uint64_t w;
      std::memcpy(&w, p, 8);
      Word(w);
    }
    std::uint64_t w = 0;
    std::memcpy(&w, p, n);
    Word(w);
  }
};

}  // namespace

bool WholeTextLayout() { return g_wholeLayout; }

void SetWholeTextLayout(bool whole) { g_wholeLayout = whole; }

long long LaidOutLines() { return g_laidOut.load(std::memory_order_relaxed); }

void CountLaidOutLine() { g_laidOut.fetch_add(1, std::memory_order_relaxed); }

double DefaultCellOf(const CDC& dc) {
  const double scale = std::fabs(dc.DeviceScaleY());
  // A mapping that gives no scale bounds nothing.
  return scale > 0 ? gditext::kDefaultCellPixels / scale : HUGE_VAL;
}

bool ClipBoxOf(const CDC& dc, ClipQuad& out) {
  out = ClipQuad{};
  const CDCBackend* backend = dc.GetBackend();
  if (!backend) {
    out.all = true;
    return true;
  }
  const RECT box = backend->ClipBox();
  if (box.right <= box.left || box.bottom <= box.top) return false;
  constexpr double kSlack = 4;  // pens, outline strokes and the rounding of cells
  const double x0 = box.left - kSlack, y0 = box.top - kSlack, x1 = box.right + kSlack, y1 = box.bottom + kSlack;
  const DPOINT c[4] = {dc.DPtoLPExact(x0, y0), dc.DPtoLPExact(x1, y0), dc.DPtoLPExact(x1, y1), dc.DPtoLPExact(x0, y1)};
  for (int k = 0; k < 4; ++k) out.corner[k] = CDoublePoint(c[k].x, c[k].y);
  return true;
}

void TurnPoint(CDoublePoint* out, double cx, double cy, double x, double y, double degrees) {
  CObjectRenderer::RotatePoint(out, cx, cy, x, y, degrees);
}

LineCull::LineCull(const ClipQuad& clip, const Text1LineFrame& f, double scale0, double scale1, double charHeight,
                   double charWidth, double lineWidthX, double lineWidthY)
    : m_s0(scale0), m_s1(scale1), m_charHeight(charHeight), m_charWidth(charWidth), m_lineWidthX(lineWidthX),
      m_lineWidthY(lineWidthY) {
  m_all = clip.all || (f.vertical != 0 && f.vertical != 1);
  if (m_all) return;
  for (int c = 0; c < 4; ++c) {
    CDoublePoint q = clip.corner[c];
    if (f.mirror & 1) q.x = 2 * f.ox - q.x;
    if (f.mirror & 2) q.y = 2 * f.oy - q.y;
    if (f.angle != 0) {
      CDoublePoint p;
      TurnPoint(&p, f.ox, f.oy, q.x, q.y, f.angle);
      q = p;
    }
    const double v = f.vertical ? q.x : q.y;
    if (!(v == v)) {
      m_all = true;
      return;
    }
    m_cmin = c == 0 ? v : std::min(m_cmin, v);
    m_cmax = c == 0 ? v : std::max(m_cmax, v);
  }
}

double LineCull::Reach(const Text1Line& line, double scale0, double scale1, double charHeight, double charWidth,
                       double lineWidthX, double lineWidthY) {
  const Text1LineFrame& f = line.frame;
  auto mag = [](double v) { return v < 0 ? -v : v; };
  const double unit = std::max(mag(scale0), mag(scale1));
  const double kk = std::max(1.0, mag(f.k));
  double margin = 0;
  for (int j = 0; j < line.count; ++j) {
    const CTextCharRecord& r = *line.records[j];
    const double glyph = mag((charHeight + r.dSizeY) * scale1), measured = mag(r.dSizeY * scale1 + f.h0);
    double height = glyph + mag(r.dSizeY * scale1) + mag(f.h0);
    // A character height of less than a logical unit leaves its font the default cell.
    if (!(glyph >= 1 && measured >= 1)) height += f.cell;
    const double width = (mag((charWidth + r.dSizeX) * scale0) + mag(r.dSizeX * scale0) + mag(f.w0)) * kk;
    const double thick = (mag(lineWidthX + r.dFontWidthX) + mag(lineWidthY + r.dFontWidthY)) * unit;
    const double m = mag(r.dOffsetX * scale0) + mag(r.dOffsetY * scale1) + 3 * (height + width) + 2 * thick;
    if (!(m < 1e300)) return 1e300;  // not a number, or beyond any box
    margin = std::max(margin, m);
  }
  return margin;
}

bool LineCull::MayMeet(const Text1Line& line) const {
  if (m_all) return true;
  const Text1LineFrame& f = line.frame;
  const double margin = Reach(line, m_s0, m_s1, m_charHeight, m_charWidth, m_lineWidthX, m_lineWidthY);
  if (!(margin < 1e300)) return true;
  const double lo0 = f.vertical ? std::min(line.rect.left, line.rect.right) : std::min(line.rect.top, line.rect.bottom);
  const double hi0 = f.vertical ? std::max(line.rect.left, line.rect.right) : std::max(line.rect.top, line.rect.bottom);
  return m_cmax >= lo0 - margin && m_cmin <= hi0 + margin;
}

Text1MeasureCache& Text1MeasureCache::ForThread() {
  thread_local Text1MeasureCache cache;
  return cache;
}

Text1MeasureCache::Key Text1MeasureCache::KeyOf(const Text1Line& line, const CDC& dc, double l0, double l1,
                                                const CText1Object* obj, int fill, double left, double top,
                                                double right, double bottom) {
  Hasher h;
  const Text1LineFrame& f = line.frame;
  for (double d : {line.rect.left, line.rect.top, line.rect.right, line.rect.bottom, left, top, right, bottom,
                   f.ox, f.oy, f.angle, f.k, f.pitch, l0, l1, obj->m_dCharHeight, obj->m_dCharWidth,
                   obj->m_dLineWidthX, obj->m_dLineWidthY})
    h.Double(d);
  for (long long v : {static_cast<long long>(f.vertical), static_cast<long long>(f.mirror),
                      static_cast<long long>(f.h0), static_cast<long long>(f.w0), static_cast<long long>(f.align),
                      static_cast<long long>(fill), static_cast<long long>(obj->m_bItalic),
                      static_cast<long long>(obj->m_nWeight), static_cast<long long>(obj->m_nCharSet),
                      static_cast<long long>(dc.GetMapMode())})
    h.Word(static_cast<std::uint64_t>(v));
  // The DC's mapping: where two logical points land.
  for (const DPOINT& p : {dc.LPtoDPExact(0, 0), dc.LPtoDPExact(1000, 1000)}) {
    h.Double(p.x);
    h.Double(p.y);
  }
  h.Bytes(obj->m_strFaceName.c_str(), static_cast<size_t>(obj->m_strFaceName.GetLength()));
  h.Bytes(line.text.c_str(), static_cast<size_t>(line.text.GetLength()));
  // A run of untouched records goes in as its length: a long text is keyed line by line on every
  // measure, and most of its records are zero. Tags keep the two forms apart.
  static const CTextCharRecord kZero{};
  std::uint64_t zeros = 0;
  for (int j = 0; j < line.count; ++j) {
    const CTextCharRecord& r = *line.records[j];
    if (std::memcmp(&r, &kZero, sizeof r) == 0) {  // bitwise: a -0 stays apart from 0
      ++zeros;
      continue;
    }
    if (zeros) h.Word(kZeroRunTag + zeros), zeros = 0;
    h.Word(kRecordTag);
    for (double d : {r.dSizeX, r.dSizeY, r.dOffsetX, r.dOffsetY, r.dAngle, r.dFontWidthX, r.dFontWidthY}) h.Double(d);
  }
  if (zeros) h.Word(kZeroRunTag + zeros);
  return Key{h.a, h.b};
}

bool Text1MeasureCache::Find(const Key& key, CDoubleRect& bounds, int& any) const {
  const auto it = m_entries.find(key.a);
  if (it == m_entries.end() || it->second.check != key.b) return false;
  bounds = it->second.bounds;
  any = it->second.any;
  return true;
}

void Text1MeasureCache::Put(const Key& key, const CDoubleRect& bounds, int any) {
  // A fixed budget: past it, what was kept goes and the lines are measured afresh.
  if (m_entries.size() >= kMaxLines) m_entries.clear();
  m_entries[key.a] = Entry{key.b, bounds, any};
}

}  // namespace textlayout
