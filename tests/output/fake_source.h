// A canvas stand-in for the engines: a design of polygons and circles given in millimetres
// (page centre, y up), captured as outlines in machine units and rendered, filled, into the
// engraving raster at the document's DPM. Field and scanning area follow the document's
// settings as the canvas places them.
#pragma once

#include <string>
#include <vector>

#include "model/geometry.h"
#include "model/korvane_doc.h"
#include "output/engrave_source.h"

struct FakeShape {
  int kind = TYPE_RECTANGLE;      // outline kind; TYPE_CIRCLE uses the centre and radii
  std::vector<CDoublePoint> pts;  // closed polygon, mm
  double cx = 0, cy = 0, rx = 0, ry = 0;
  bool open = false;  // a polyline: its last point does not close the figure
};

class FakeSource : public IEngraveSource {
 public:
  explicit FakeSource(CKorvaneDoc& doc, double pageW = 420.0, double pageH = 240.0);
  ~FakeSource() override;

  // Adds a shape and a list entry for it; returns the list index.
  int Add(const FakeShape& shape);
  int AddSquare(double cx, double cy, double side);
  int AddTriangle(double cx, double cy, double size);
  int AddCircle(double cx, double cy, double r);
  // Removes every shape and every list entry but the work area.
  void Clear();
  // Makes an entry report another outline kind (13: not engraved, 9: barcode).
  void SetOutlineKind(int index, int kind) { m_shapes[index - 1].kind = kind; }

  int GetOutlineType(int index) override;
  int SetOutlineData(int index) override;
  const POINT* OutlinePoints() const override { return m_points.empty() ? nullptr : m_points.data(); }
  const BYTE* OutlineTypes() const override { return m_types.empty() ? nullptr : m_types.data(); }
  const SIZE* CircleRadii() const override { return m_radii.empty() ? nullptr : m_radii.data(); }
  void ReleaseOutlinePoints() override;
  void GetField(CDoubleRect* out) override;
  void GetScanningArea(CDoubleRect* out) override;
  void ConvertUnit(CDoubleRect*) override {}  // the rectangles are in machine units already
  int GetBitmapDC(CDC* pDC, int* size, CDoubleRect* bounds, int* oldZoom) override;
  void ReleaseBitmapDC(CDC* pDC) override;
  void GetFieldBMP(CDoubleRect* out) override;
  void GetScanningAreaBMP(CDoubleRect* out) override;

  int renders = 0;
  int releases = 0;
  int held = 0;

 private:
  bool Inside(const FakeShape& s, double x, double y) const;
  double Cx() const;
  double Cy() const;

  CKorvaneDoc& m_doc;
  double m_pageW, m_pageH;
  std::vector<FakeShape> m_shapes;
  std::vector<POINT> m_points;
  std::vector<BYTE> m_types;
  std::vector<SIZE> m_radii;
};

// Reads a whole file ("" when missing).
std::string ReadFileBytes(const std::string& path);
