// The renderer on a full page: 1,000 mixed shapes filled into the 16800 x 9600 one-bit engraving
// bitmap (420 x 240 mm at 40 dots per mm), and the same shapes captured as flattened outlines in
// machine units.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "model/drawobject.h"
#include "platform/gdi/gdi.h"
#include "render/object_renderer.h"

namespace {

class PageDocument : public IRenderDocument {
 public:
  double GetZoomFactor() const override { return 1.0; }
  int GetDrawX() const override { return 42000; }
  int GetDrawY() const override { return 24000; }
  int GetDpm() const override { return 40; }
  int IsPaintMode() const override { return 0; }
};

struct Shape {
  std::unique_ptr<CDrawObject> obj;
  double w = 0, h = 0, cx = 0, cy = 0;
};

// A fixed pseudo-random design: every kind, every corner style, frames of 0.5 to 2 mm.
std::vector<Shape> MakeDesign(int count) {
  std::vector<Shape> design;
  unsigned seed = 12345;
  auto next = [&seed](double lo, double hi) {
    seed = seed * 1103515245u + 12345u;
    return lo + (hi - lo) * ((seed >> 8) & 0xFFFF) / 65535.0;
  };
  for (int i = 0; i < count; ++i) {
    Shape s;
    s.w = next(4, 30);
    s.h = next(4, 30);
    s.cx = next(-190, 190);
    s.cy = next(-105, 105);
    const double frame = next(0.5, 2);
    switch (i % 8) {
      case 0:
      case 1: {
        auto o = std::make_unique<CRectangleObject>();
        InitNewObject(*o, TYPE_RECTANGLE);
        o->m_dEdgeSize = frame;
        o->m_dEdgeRadius = 3;
        o->m_nOuterCornerStyle = (i / 8) % 3;
        o->m_nInnerCornerStyle = o->m_nOuterCornerStyle;
        s.obj = std::move(o);
        break;
      }
      case 2: {
        auto o = std::make_unique<CCircleObject>();
        InitNewObject(*o, TYPE_CIRCLE);
        o->m_dEdgeSize = frame;
        s.obj = std::move(o);
        break;
      }
      case 3: {
        auto o = std::make_unique<CTriangleObject>();
        InitNewObject(*o, TYPE_TRIANGLE);
        o->m_dEdgeSize = frame;
        o->m_nDirection = (i / 8) % 2;
        s.obj = std::move(o);
        break;
      }
      case 4: {
        auto o = std::make_unique<CRhombicObject>();
        InitNewObject(*o, TYPE_RHOMBIC);
        o->m_dEdgeSize = frame;
        s.obj = std::move(o);
        break;
      }
      case 5: {
        auto o = std::make_unique<CPolygonObject>();
        InitNewObject(*o, TYPE_POLYGON);
        o->m_dEdgeSize = frame;
        o->m_nEdges = 3 + (i / 8) % 10;
        s.h = s.w;
        s.obj = std::move(o);
        break;
      }
      default: {
        auto o = std::make_unique<CLineObject>();
        InitNewObject(*o, TYPE_LINE);
        o->m_dAngle = next(0, 180);
        s.h = next(0.2, 2);
        s.obj = std::move(o);
        break;
      }
    }
    design.push_back(std::move(s));
  }
  return design;
}

void DrawShape(CObjectRenderer& r, CDC* dc, Shape& s, BOOL fill) {
  CDoubleRect rc;
  r.MmRectToLogical(s.w, s.h, s.cx, s.cy, &rc);
  CDrawObject* o = s.obj.get();
  o->m_vInnerPoints.clear();
  o->m_vOuterPoints.clear();
  o->m_nCapturedCount = 0;
  CDoubleRect bounds;
  switch (o->m_nType) {
    case TYPE_RECTANGLE:
      r.DrawRectangle(dc, rc.left, rc.top, rc.right, rc.bottom, static_cast<CRectangleObject*>(o), 0, fill, &bounds, FALSE);
      break;
    case TYPE_CIRCLE:
      r.DrawCircle(dc, rc.left, rc.top, rc.right, rc.bottom, static_cast<CCircleObject*>(o), 0, fill, &bounds, FALSE);
      break;
    case TYPE_TRIANGLE:
      r.DrawTriangle(dc, rc.left, rc.top, rc.right, rc.bottom, static_cast<CTriangleObject*>(o), 0, fill, &bounds, FALSE);
      break;
    case TYPE_RHOMBIC:
      r.DrawRhombic(dc, rc.left, rc.top, rc.right, rc.bottom, static_cast<CRhombicObject*>(o), 0, fill, &bounds, FALSE);
      break;
    case TYPE_POLYGON:
      r.DrawPolygon(dc, rc.left, rc.top, rc.right, rc.bottom, static_cast<CPolygonObject*>(o), 0, fill, &bounds, FALSE);
      break;
    default:
      r.DrawLine(dc, rc.left, rc.top, rc.right, rc.bottom, static_cast<CLineObject*>(o)->m_dAngle, 0, fill, &bounds);
      break;
  }
}

int CaptureShape(CObjectRenderer& r, CDC* dc, Shape& s, std::vector<POINT>& pts, std::vector<BYTE>& types) {
  CDoubleRect rc;
  r.MmRectToLogical(s.w, s.h, s.cx, s.cy, &rc);
  CDrawObject* o = s.obj.get();
  dc->BeginPath();
  switch (o->m_nType) {
    case TYPE_RECTANGLE:
      r.GetRectanglePoints(dc, rc.left, rc.top, rc.right, rc.bottom, static_cast<CRectangleObject*>(o));
      break;
    case TYPE_CIRCLE:
      r.GetCirclePoints(dc, rc.left, rc.top, rc.right, rc.bottom, static_cast<CCircleObject*>(o));
      break;
    case TYPE_TRIANGLE:
      r.GetTrianglePoints(dc, rc.left, rc.top, rc.right, rc.bottom, static_cast<CTriangleObject*>(o));
      break;
    case TYPE_RHOMBIC:
      r.GetRhombicPoints(dc, rc.left, rc.top, rc.right, rc.bottom, static_cast<CRhombicObject*>(o));
      break;
    case TYPE_POLYGON:
      r.GetPolygonPoints(dc, rc.left, rc.top, rc.right, rc.bottom, static_cast<CPolygonObject*>(o));
      break;
    default:
      r.GetLinePoints(dc, rc.left, rc.top, rc.right, rc.bottom, static_cast<CLineObject*>(o)->m_dAngle);
      break;
  }
  dc->EndPath();
  dc->FlattenPath();
  const int n = dc->GetPath(nullptr, nullptr, 0);
  if (n <= 0) return 0;
  pts.resize(n);
  types.resize(n);
  dc->GetPath(pts.data(), types.data(), n);
  r.PointsToMachineUnits(dc, pts.data(), n);
  return n;
}

struct FullPage {
  PageDocument doc;
  CDC dc;
  CBitmap bitmap;
  CObjectRenderer r;
  FullPage() {
    dc.CreateCompatibleDC(nullptr);
    bitmap.CreateBitmap(16800, 9600, 1, 1, nullptr);
    dc.SelectObject(&bitmap);
    r.Init(&dc, &doc);
  }
};

void BM_RenderThousandShapes(benchmark::State& state) {
  FullPage page;
  page.r.SetMode(RENDER_ENGRAVE);
  std::vector<Shape> design = MakeDesign(1000);
  for (auto _ : state) {
    state.PauseTiming();  // clearing the page is the drawing layer's own cost
    page.dc.PatBlt(0, 0, 16800, 9600, WHITENESS);
    state.ResumeTiming();
    for (Shape& s : design) DrawShape(page.r, &page.dc, s, TRUE);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RenderThousandShapes)->Unit(benchmark::kMillisecond);

void BM_OutlineThousandShapes(benchmark::State& state) {
  FullPage page;
  page.r.SetMode(RENDER_ENGRAVE);
  std::vector<Shape> design = MakeDesign(1000);
  for (auto _ : state) {
    state.PauseTiming();
    page.dc.PatBlt(0, 0, 16800, 9600, WHITENESS);
    state.ResumeTiming();
    for (Shape& s : design) DrawShape(page.r, &page.dc, s, FALSE);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_OutlineThousandShapes)->Unit(benchmark::kMillisecond);

void BM_CaptureThousandOutlines(benchmark::State& state) {
  FullPage page;
  page.r.SetMode(RENDER_SCREEN);
  std::vector<Shape> design = MakeDesign(1000);
  std::vector<POINT> pts;
  std::vector<BYTE> types;
  long long total = 0;
  for (auto _ : state) {
    total = 0;
    for (Shape& s : design) total += CaptureShape(page.r, &page.dc, s, pts, types);
    benchmark::DoNotOptimize(total);
  }
  state.counters["points"] = static_cast<double>(total);
}
BENCHMARK(BM_CaptureThousandOutlines)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
