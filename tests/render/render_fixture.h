// What the renderer tests share: a document that answers the renderer's questions, a
// memory page to draw on, and outline capture into machine units.
#pragma once

#include <memory>
#include <vector>

#include "memory_page.h"
#include "platform/gdi/gdi.h"
#include "render/object_renderer.h"

namespace render_test {

class FakeDocument : public IRenderDocument {
 public:
  double zoom = 1.0;
  int drawX = 42000;
  int drawY = 24000;
  int dpm = 40;
  int paint = 0;

  double GetZoomFactor() const override { return zoom; }
  int GetDrawX() const override { return drawX; }
  int GetDrawY() const override { return drawY; }
  int GetDpm() const override { return dpm; }
  int IsPaintMode() const override { return paint; }
};

// The page the renderer tests draw on.
using Page = MemoryPage;

struct Figure {
  std::vector<POINT> points;
  std::vector<BYTE> types;
};

// Opens a path on dc, lets draw() emit into it, flattens it and returns the points converted to
// machine units by the renderer.
template <class Draw>
Figure Capture(CObjectRenderer& r, CDC* dc, Draw draw) {
  dc->BeginPath();
  draw();
  dc->EndPath();
  dc->FlattenPath();
  Figure f;
  const int n = dc->GetPath(nullptr, nullptr, 0);
  if (n <= 0) return f;
  f.points.resize(n);
  f.types.resize(n);
  dc->GetPath(f.points.data(), f.types.data(), n);
  r.PointsToMachineUnits(dc, f.points.data(), n);
  return f;
}

}  // namespace render_test
