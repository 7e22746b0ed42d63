// Whole jobs through the real canvas view and the machine simulator: a square, a circle, a
// triangle, a straight text and a bitmap, engraved in outline mode and in raster mode by rows,
// columns and concentric rectangles, with and without mirrors, swap, scale and offsets. The marks
// are compared with the design rendered at one dot per machine unit.
#include <algorithm>
#include <memory>

#include "canvas/leftview.h"
#include "engrave_fixture.h"
#include "imaging/monobmp.h"
#include "model/bmpobject.h"
#include "model/textobject.h"
#include "output/engrave_engine.h"
#include "output/thread_engrave_engine.h"

namespace {

// A window of a binary image with a square dilation for "within r" questions.
struct Grid {
  int x0 = 0, y0 = 0, w = 0, h = 0;
  std::vector<unsigned char> v;
  Grid() = default;
  Grid(int ax, int ay, int aw, int ah) : x0(ax), y0(ay), w(aw), h(ah), v(static_cast<size_t>(aw) * ah, 0) {}
  bool At(int x, int y) const {
    x -= x0;
    y -= y0;
    return x >= 0 && y >= 0 && x < w && y < h && v[static_cast<size_t>(y) * w + x];
  }
  void Set(int x, int y) {
    x -= x0;
    y -= y0;
    if (x >= 0 && y >= 0 && x < w && y < h) v[static_cast<size_t>(y) * w + x] = 1;
  }
  Grid Dilate(int r) const {
    Grid row(x0, y0, w, h), out(x0, y0, w, h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (v[static_cast<size_t>(y) * w + x])
          for (int d = std::max(0, x - r); d <= std::min(w - 1, x + r); ++d) row.v[static_cast<size_t>(y) * w + d] = 1;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (row.v[static_cast<size_t>(y) * w + x])
          for (int d = std::max(0, y - r); d <= std::min(h - 1, y + r); ++d) out.v[static_cast<size_t>(d) * w + x] = 1;
    return out;
  }
};

struct Config {
  double fieldOffX = 0, fieldOffY = 0, areaOffX = 0, areaOffY = 0;
  int mirrorX = 0, mirrorY = 0, swap = 0;
};

// Design window on the page, machine units from the page centre (y up).
constexpr int kLeft = -1400, kRight = 1400, kBottom = -1000, kTop = 1000;

class EndToEnd : public EngraveTest {
 protected:
  void SetUp() override {
    EngraveTest::SetUp();
    view = std::make_unique<CLeftView>(&doc);
    CObjectList& list = *doc.GetObjectList();
    auto* square = list.AddRectangle(nullptr, TRUE, TRUE);
    square->m_dWidth = square->m_dHeight = 10;
    square->m_dEdgeSize = 1.0;
    Place(square, -22, 10);
    auto* circle = list.AddCircle(nullptr, TRUE, TRUE);
    circle->m_dSizeX = circle->m_dSizeY = 12;
    Place(circle, 0, 10);
    auto* triangle = list.AddTriangle(nullptr, TRUE, TRUE);
    triangle->m_dWidth = triangle->m_dHeight = 12;
    Place(triangle, 22, 10);
    auto* text = list.AddText1(nullptr, TRUE, TRUE);
    text->m_dWidth = 20;
    text->m_dHeight = 8;
    text->SetText("AB");
    Place(text, -12, -12);
    std::vector<BYTE> image = MonoBmpFile::Create(40, 40);
    const int stride = static_cast<int>(MonoBmpFile::Stride(40));
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 40; ++x)
        if ((x / 10 + y / 10) % 2 == 0) image[MonoBmpFile::kHeaderSize + static_cast<size_t>(y) * stride + x / 8] &= static_cast<BYTE>(~(0x80 >> (x % 8)));
    CBmpObject* bmp = list.AddBmpFromImage(std::move(image));
    ASSERT_NE(bmp, nullptr);
    bmp->m_dWidth = bmp->m_dHeight = 10;
    Place(bmp, 14, -12);
    S().DrawingField.FieldX = 100;
    S().DrawingField.FieldY = 100;
    S().DrawingArea.Width = 80;
    S().DrawingArea.Height = 60;
    S().DrawingArea.Span = 0.05;
    design = Design();
  }
  void TearDown() override {
    view.reset();
    EngraveTest::TearDown();
  }

  template <class T>
  void Place(T* o, double x, double y) {
    o->m_dPosX = x;
    o->m_dPosY = y;
    o->m_nOutputMode = 2;
    o->m_nRows = 1;
    o->m_nColumns = 1;
  }

  // The design at 40 dots per millimetre, in page machine units (y up).
  Grid Design() {
    S().DrawingArea.DPM = 40;
    CDC dc;
    int size[2] = {0, 0};
    CDoubleRect bounds;
    int oldZoom = -1;
    view->GetBitmapDC(&dc, size, &bounds, &oldZoom);
    const CBitmap& bitmap = *dc.GetCurrentBitmap();
    Grid g(kLeft, kBottom, kRight - kLeft, kTop - kBottom);
    const int cx = size[0] / 2, cy = size[1] / 2;
    for (int y = kBottom; y < kTop; ++y)
      for (int x = kLeft; x < kRight; ++x)
        if (bitmap.PixelColour(cx + x, cy - 1 - y) == 0) g.Set(x, y);
    CLeftView::ReleaseBitmapDC(&dc);
    view->RestoreZoom(&doc, oldZoom);
    view->SetRenderMode(RENDER_SCREEN);
    return g;
  }

  void Apply(const Config& c) {
    S().DrawingField.OffsetX = c.fieldOffX;
    S().DrawingField.OffsetY = c.fieldOffY;
    S().DrawingArea.OffsetX = c.areaOffX;
    S().DrawingArea.OffsetY = c.areaOffY;
    S().DrawingData.ChangeX = c.mirrorX;
    S().DrawingData.ChangeY = c.mirrorY;
    S().DrawingData.ChangeXY = c.swap;
  }

  // Page machine units to the machine (scale 1), as the outline origin places the design.
  static void ToMachine(const Config& c, int x, int y, int& mx, int& my) {
    mx = x + static_cast<int>(40 * (c.fieldOffX - c.areaOffX)) + 2000;
    my = y + static_cast<int>(40 * (c.fieldOffY - c.areaOffY)) + 2000;
    if (c.mirrorX) mx = 4000 - mx;
    if (c.mirrorY) my = 4000 - my;
    if (c.swap) std::swap(mx, my);
  }
  static void ToPage(const Config& c, int mx, int my, int& x, int& y) {
    if (c.swap) std::swap(mx, my);
    if (c.mirrorX) mx = 4000 - mx;
    if (c.mirrorY) my = 4000 - my;
    x = mx - static_cast<int>(40 * (c.fieldOffX - c.areaOffX)) - 2000;
    y = my - static_cast<int>(40 * (c.fieldOffY - c.areaOffY)) - 2000;
  }

  std::string Run(int outStyle, int direction, bool threaded = false) {
    S().DrawingArea.OutStyleIndex = outStyle;
    S().DrawingArea.ScanDirectionIndex = direction;
    S().DrawingArea.DPM = 20;
    int zoom = -1;
    if (threaded) {
      CThreadEngraveEngine engine;
      EXPECT_EQ(engine.Attach(&doc, view.get(), nullptr), 1);
      EXPECT_EQ(engine.Start(&zoom), 1);
      engine.WaitForWorker();
    } else {
      CEngraveEngine engine;
      EXPECT_EQ(engine.Attach(&doc, view.get()), 1);
      EXPECT_EQ(engine.Start(&zoom), 1);
    }
    view->RestoreZoom(&doc, zoom);
    view->SetRenderMode(RENDER_SCREEN);
    return Take();
  }

  // The simulator's marks in page machine units.
  Grid Marks(const Config& c, const std::string& stream) {
    int ax, ay, bx, by;
    ToMachine(c, kLeft, kBottom, ax, ay);
    ToMachine(c, kRight, kTop, bx, by);
    CMachineSimulator sim(std::min(ax, bx) - 50, std::min(ay, by) - 50, std::abs(bx - ax) + 100,
                          std::abs(by - ay) + 100);
    EXPECT_TRUE(sim.Run(stream)) << sim.Error();
    EXPECT_EQ(sim.OutsideCount(), 0);
    Grid g(kLeft, kBottom, kRight - kLeft, kTop - kBottom);
    for (int r = 0; r < sim.Height(); ++r)
      for (int k = 0; k < sim.Width(); ++k)
        if (sim.IsMarked(sim.Left() + k, sim.Bottom() + r)) {
          int x, y;
          ToPage(c, sim.Left() + k, sim.Bottom() + r, x, y);
          g.Set(x, y);
        }
    return g;
  }

  Grid Edges() const {
    Grid e(design.x0, design.y0, design.w, design.h);
    for (int y = kBottom; y < kTop; ++y)
      for (int x = kLeft; x < kRight; ++x) {
        const bool v = design.At(x, y);
        if (v != design.At(x + 1, y) || v != design.At(x, y + 1)) {
          e.Set(x, y);
          e.Set(x + 1, y + 1);
        }
      }
    return e;
  }

  // Share of the set's pixels that lie within the other set (already dilated).
  static double Within(const Grid& set, const Grid& near) {
    long n = 0, in = 0;
    for (int y = set.y0; y < set.y0 + set.h; ++y)
      for (int x = set.x0; x < set.x0 + set.w; ++x)
        if (set.At(x, y)) {
          ++n;
          in += near.At(x, y);
        }
    return n ? static_cast<double>(in) / n : 0.0;
  }

  std::unique_ptr<CLeftView> view;
  Grid design;
};

const Config kConfigs[] = {{}, {5, -3, 2, 4, 1, 0, 0}, {-4, 6, 3, -5, 0, 1, 1}};

}  // namespace

// The shapes' outlines lie on their raster's edges, and so do the glyphs' outlines, but with the
// V2004 setting off the raster also strokes filled glyphs with a one-pixel pen that no outline
// carries: one unit more. A traced bitmap's outline runs on its pixel edges, the checkerboard's
// squares that meet only at their corners included.
struct ObjectBox {
  const char* name;
  int x0, y0, x1, y1;
  int reach;
  double onEdges;  // share of the marks within reach of an edge
};
const ObjectBox kObjects[] = {{"square", -1100, 180, -660, 620, 2, 0.995},
                              {"circle", -260, 140, 260, 660, 2, 0.995},
                              {"triangle", 620, 140, 1140, 660, 2, 0.995},
                              {"text", -1000, -700, -20, -200, 3, 0.995},
                              {"bitmap", 300, -720, 820, -240, 2, 0.995}};

TEST_F(EndToEnd, OutlineJobsMarkTheDesignsEdges) {
  const Grid edges = Edges();
  for (size_t k = 0; k < std::size(kConfigs); ++k) {
    Apply(kConfigs[k]);
    const std::string stream = Run(0, 0);
    EXPECT_EQ(Run(0, 0, true), stream) << "threaded, config " << k;
    const Grid marks = Marks(kConfigs[k], stream);
    for (const ObjectBox& o : kObjects) {
      const Grid nearEdges = edges.Dilate(o.reach);
      const Grid nearMarks = marks.Dilate(o.reach);
      long n = 0, in = 0, e = 0, covered = 0;
      for (int y = o.y0; y < o.y1; ++y)
        for (int x = o.x0; x < o.x1; ++x) {
          if (marks.At(x, y)) {
            ++n;
            in += nearEdges.At(x, y);
          }
          if (edges.At(x, y)) {
            ++e;
            covered += nearMarks.At(x, y);
          }
        }
      ASSERT_GT(n, 0) << o.name;
      EXPECT_GE(static_cast<double>(in) / n, o.onEdges) << o.name << " marks off the design, config " << k;
      EXPECT_GE(static_cast<double>(covered) / e, 0.97) << o.name << " edges not marked, config " << k;
    }
  }
}

TEST_F(EndToEnd, RasterJobsFillTheDesignInEveryScanDirection) {
  const Grid nearInk = design.Dilate(2);
  for (size_t k = 0; k < std::size(kConfigs); ++k) {
    Apply(kConfigs[k]);
    for (int direction = 0; direction < 3; ++direction) {
      const std::string stream = Run(1, direction);
      if (direction < 2) {
        EXPECT_EQ(Run(1, direction, true), stream) << "threaded, config " << k;
      }
      const Grid marks = Marks(kConfigs[k], stream);
      EXPECT_GE(Within(marks, nearInk), 0.999) << "config " << k << " direction " << direction;
      EXPECT_GE(Within(design, marks.Dilate(2)), 0.98) << "config " << k << " direction " << direction;
    }
  }
}

TEST_F(EndToEnd, ScaleStretchesOutlineAndRasterAlike) {
  // The shapes alone: their outlines and rasters share their edges exactly.
  doc.GetObjectList()->GetObject(4)->m_bDeleted = 1;
  doc.GetObjectList()->GetObject(5)->m_bDeleted = 1;
  design = Design();
  S().DrawingData.ScaleX = 1.5;
  S().DrawingData.ScaleY = 0.75;
  for (int outStyle = 0; outStyle < 2; ++outStyle) {
    CMachineSimulator sim(-1000, -1000, 8000, 6000);
    ASSERT_TRUE(sim.Run(Run(outStyle, 0))) << sim.Error();
    int x0, y0, x1, y1;
    ASSERT_TRUE(sim.MarkBox(x0, y0, x1, y1));
    int dx0 = kRight, dx1 = kLeft, dy0 = kTop, dy1 = kBottom;
    for (int y = kBottom; y < kTop; ++y)
      for (int x = kLeft; x < kRight; ++x)
        if (design.At(x, y)) {
          dx0 = std::min(dx0, x); dx1 = std::max(dx1, x); dy0 = std::min(dy0, y); dy1 = std::max(dy1, y);
        }
    EXPECT_NEAR(x0, (dx0 + 2000) * 1.5, 4) << outStyle;
    EXPECT_NEAR(x1, (dx1 + 2000) * 1.5, 4) << outStyle;
    EXPECT_NEAR(y0, (dy0 + 2000) * 0.75, 3) << outStyle;
    EXPECT_NEAR(y1, (dy1 + 2000) * 0.75, 3) << outStyle;
  }
}
